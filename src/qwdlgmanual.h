#ifndef QWDLGMANUAL_H
#define QWDLGMANUAL_H

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class QWDlgManual : public QDialog
{
    Q_OBJECT

public:
    explicit QWDlgManual(QWidget *parent = nullptr);

public slots:
    void on_chkBoxUnder(bool checked);
    void on_chkBoxItalic(bool checked);
    void on_chkBoxBold(bool checked);
    void on_BtnCancel();
    void setTextColor();

private:
    void buildUi();

    QCheckBox *chkBoxBold;
    QCheckBox *chkBoxItalic;
    QCheckBox *chkBoxUnder;
    QPushButton *btnQuit;
    QPushButton *btnConfirm;
    QPushButton *btnCancel;
    QRadioButton *radioBlack;
    QRadioButton *radioBlue;
    QRadioButton *radioRed;
    QPlainTextEdit *plainEdit;
};

#endif // QWDLGMANUAL_H

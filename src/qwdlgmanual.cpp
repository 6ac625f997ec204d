#include "qwdlgmanual.h"

#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QHBoxLayout>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QWDlgManual::QWDlgManual(QWidget *parent)
    : QDialog(parent)
{
    buildUi();
    setWindowTitle("Quillmark V2.0 By:Kestrune");
    setMinimumSize(440, 320);
    setMaximumSize(440, 320);
}

void QWDlgManual::buildUi()
{
    chkBoxBold = new QCheckBox(tr("粗体"));
    chkBoxItalic = new QCheckBox(tr("斜体"));
    chkBoxUnder = new QCheckBox(tr("下划线"));
    QHBoxLayout *styleRow = new QHBoxLayout;
    styleRow->addWidget(chkBoxBold);
    styleRow->addWidget(chkBoxItalic);
    styleRow->addWidget(chkBoxUnder);

    radioBlack = new QRadioButton(tr("黑色"));
    radioRed = new QRadioButton(tr("红色"));
    radioBlue = new QRadioButton(tr("蓝色"));
    // Checked before any connection exists, so construction runs no slot.
    radioBlack->setChecked(true);
    QHBoxLayout *colorRow = new QHBoxLayout;
    colorRow->addWidget(radioBlack);
    colorRow->addWidget(radioRed);
    colorRow->addWidget(radioBlue);

    btnConfirm = new QPushButton(tr("确 定"));
    btnCancel = new QPushButton(tr("清 除"));
    btnQuit = new QPushButton(tr("退 出"));
    QHBoxLayout *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(btnConfirm);
    buttonRow->addWidget(btnCancel);
    buttonRow->addStretch(0);
    buttonRow->addWidget(btnQuit);

    plainEdit = new QPlainTextEdit;
    plainEdit->setPlainText("请在此处输入文字");
    QFont font = plainEdit->font();
    font.setPointSize(20);
    plainEdit->setFont(font);

    QVBoxLayout *mainLayout = new QVBoxLayout;
    mainLayout->addLayout(styleRow);
    mainLayout->addLayout(colorRow);
    mainLayout->addWidget(plainEdit);
    mainLayout->addLayout(buttonRow);
    // Also makes the dialog the radio buttons' common parent: their exclusivity comes from
    // that, so they need no button group.
    setLayout(mainLayout);

    connect(chkBoxBold, SIGNAL(toggled(bool)), this, SLOT(on_chkBoxBold(bool)));
    connect(chkBoxItalic, SIGNAL(toggled(bool)), this, SLOT(on_chkBoxItalic(bool)));
    connect(chkBoxUnder, SIGNAL(toggled(bool)), this, SLOT(on_chkBoxUnder(bool)));
    connect(radioBlack, SIGNAL(toggled(bool)), this, SLOT(setTextColor()));
    connect(radioBlue, SIGNAL(toggled(bool)), this, SLOT(setTextColor()));
    connect(radioRed, SIGNAL(toggled(bool)), this, SLOT(setTextColor()));
    connect(btnConfirm, SIGNAL(clicked(bool)), this, SLOT(accept()));
    connect(btnCancel, SIGNAL(clicked(bool)), this, SLOT(on_BtnCancel()));
    connect(btnQuit, SIGNAL(clicked(bool)), this, SLOT(close()));
}

void QWDlgManual::on_chkBoxUnder(bool checked)
{
    QFont font = plainEdit->font();
    font.setUnderline(checked);
    plainEdit->setFont(font);
}

void QWDlgManual::on_chkBoxItalic(bool checked)
{
    QFont font = plainEdit->font();
    font.setStyle(checked ? QFont::StyleItalic : QFont::StyleNormal);
    plainEdit->setFont(font);
}

void QWDlgManual::on_chkBoxBold(bool checked)
{
    QFont font = plainEdit->font();
    font.setWeight(checked ? QFont::Bold : QFont::Normal);
    plainEdit->setFont(font);
}

// Only moves the controls: each one that changes state emits toggled(), and its own slot
// restyles the text.
void QWDlgManual::on_BtnCancel()
{
    radioBlack->setChecked(true);
    radioBlue->setChecked(false);
    radioRed->setChecked(false);
    chkBoxBold->setChecked(false);
    chkBoxItalic->setChecked(false);
    chkBoxUnder->setChecked(false);
}

// Runs twice per change of colour (the button going off, then the one coming on); both runs
// read the buttons afresh and pick the same colour.
void QWDlgManual::setTextColor()
{
    QPalette palette = plainEdit->palette();
    QColor color = Qt::black;
    if (radioBlue->isChecked())
        color = Qt::blue;
    else if (radioRed->isChecked())
        color = Qt::red;
    palette.setBrush(QPalette::All, QPalette::Text, QBrush(color, Qt::SolidPattern));
    plainEdit->setPalette(palette);
}

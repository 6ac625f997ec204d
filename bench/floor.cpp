// The floor Quillmark is measured against: the same window built in main() alone, with no class
// of its own, no meta-object and no connections. What this costs is the toolkit's share.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dlg;

    auto styleRow = new QHBoxLayout;
    styleRow->addWidget(new QCheckBox("粗体"));
    styleRow->addWidget(new QCheckBox("斜体"));
    styleRow->addWidget(new QCheckBox("下划线"));

    auto radioBlack = new QRadioButton("黑色");
    radioBlack->setChecked(true);
    auto colorRow = new QHBoxLayout;
    colorRow->addWidget(radioBlack);
    colorRow->addWidget(new QRadioButton("红色"));
    colorRow->addWidget(new QRadioButton("蓝色"));

    auto buttonRow = new QHBoxLayout;
    buttonRow->addWidget(new QPushButton("确 定"));
    buttonRow->addWidget(new QPushButton("清 除"));
    buttonRow->addStretch(0);
    buttonRow->addWidget(new QPushButton("退 出"));

    auto plainEdit = new QPlainTextEdit;
    plainEdit->setPlainText("请在此处输入文字");
    QFont font = plainEdit->font();
    font.setPointSize(20);
    plainEdit->setFont(font);

    auto mainLayout = new QVBoxLayout;
    mainLayout->addLayout(styleRow);
    mainLayout->addLayout(colorRow);
    mainLayout->addWidget(plainEdit);
    mainLayout->addLayout(buttonRow);
    dlg.setLayout(mainLayout);

    dlg.setWindowTitle("Quillmark V2.0 By:Kestrune");
    dlg.setMinimumSize(440, 320);
    dlg.setMaximumSize(440, 320);
    dlg.show();
    return app.exec();
}

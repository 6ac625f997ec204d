#include "qwdlgmanual.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWDlgManual dlg;
    dlg.show();
    return app.exec();
}

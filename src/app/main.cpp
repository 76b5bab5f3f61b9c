#include "mainwindow/frmRecept.h"
#include "platform/QtServices.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mostarium"));
    mostarium::QtServices services;
    mostarium::setServices(&services);
    mostarium::frmRecept w;
    w.show();
    const int rc = QApplication::exec();
    mostarium::setServices(nullptr);
    return rc;
}

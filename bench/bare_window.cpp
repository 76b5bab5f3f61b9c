// The yardstick for the start-up benchmark: a bare Qt main window, started the
// same way as the program, that says so once it is shown and ends. With
// "--text" it also carries a menu, a status bar and a label, so that the
// first use of the fonts is part of its time as it is of the program's.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    if (QApplication::arguments().contains(QStringLiteral("--text"))) {
        w.menuBar()->addMenu(QStringLiteral("&Bestand"))->addAction(QStringLiteral("  &Nieuw"));
        w.statusBar()->showMessage(QStringLiteral("EB"));
        w.setCentralWidget(new QLabel(QStringLiteral(" Brouwschema ")));
    }
    w.resize(1000, 627);
    w.show();
    QTimer::singleShot(0, &w, [&w] {
        std::printf("Bare window started: %d\n", int(w.isVisible()));
        std::fflush(stdout);
        w.close();
    });
    return QApplication::exec();
}

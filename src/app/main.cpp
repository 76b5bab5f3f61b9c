// The program: the Qt services, the windows, the main window and its start-up.
//
// Environment (besides MOSTARIUM_HOME, the program folder):
//   MOSTARIUM_NO_SPLASH_PAUSE=1   the splash does not wait its second (measuring)
//   MOSTARIUM_QUIT_AFTER_START=1  once the main window is shown, print
//                                 "Mostarium started: <title> | <recipe path>"
//                                 and run Exit (tests and measurements)
//   MOSTARIUM_ECHO_MESSAGES=1     every message box also writes
//                                 "Mostarium message: <title> | <text>" to
//                                 standard error as it is shown (tests)
#include "core/ProcessSetup.h"
#include "core/Services.h"
#include "core/Session.h"
#include "mainwindow/Application.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/StartUp.h"
#include "mainwindow/Wiring.h"
#include "mainwindow/frmRecept.h"
#include "platform/QtServices.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    mostarium::prepareProcess();
    // Qt's own dialogs speak Dutch through Qt's translations; a desktop's
    // native dialog would follow the user's language instead.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    mostarium::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mostarium"));
    mostarium::installDutchQtTranslations(&app);
    mostarium::QtServices services;
    services.setEchoMessages(qEnvironmentVariable("MOSTARIUM_ECHO_MESSAGES") == QLatin1String("1"));
    mostarium::setServices(&services);
    mostarium::registerWindows(mostarium::session());

    int rc = 1;
    {
        mostarium::Session &s = mostarium::session();
        mostarium::frmRecept w(s);
        mostarium::wireCommands(w, s);
        mostarium::StartUpOptions options;
        options.commandLine = mostarium::enterProgramFolder(QApplication::arguments().mid(1).join(u' '));
        if (qEnvironmentVariable("MOSTARIUM_NO_SPLASH_PAUSE") == QLatin1String("1"))
            options.splashPauseMs = 0;
        if (mostarium::Form_Load(w, s, options)) {
            if (qEnvironmentVariable("MOSTARIUM_QUIT_AFTER_START") == QLatin1String("1")) {
                QTimer::singleShot(0, &w, [&w, &s] {
                    std::printf("Mostarium started: %s | %s\n", qPrintable(w.windowTitle()),
                                qPrintable(s.view.panels[7].text));
                    std::fflush(stdout);
                    mostarium::fileCommands(w, s).mnuAfsluiten_Click();
                });
            }
            rc = QApplication::exec();
        }
    }
    mostarium::setServices(nullptr);
    return rc;
}

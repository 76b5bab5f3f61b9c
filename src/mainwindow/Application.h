#pragma once

#include <QApplication>
#include <QString>
#include <functional>

class QTranslator;

namespace mostarium {

// Runs one event delivery. An exception that escapes it is caught here, shown
// as "Error in " and the receiver's name, and logged to stderr; the program
// goes on. Returns what the delivery returned, false after an exception.
bool deliverGuarded(QObject *receiver, const std::function<bool()> &deliver);

// The program's application object: every event goes through deliverGuarded,
// the last resort for an error no handler caught.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};

// Qt's own Dutch texts (file dialogs, input boxes, standard buttons, the
// overwrite question), from the installation's Qt translations folder.
QString dutchQtTranslationsFile();

// Installs those texts on the application, whatever the user's locale, so that
// no English word of Qt's dialogs reaches the user. Returns the installed
// translator (a child of the application), or nullptr when the file is missing
// or unreadable; the dialogs then speak English and the cause goes to stderr.
QTranslator *installDutchQtTranslations(QCoreApplication *app);

}  // namespace mostarium

#pragma once

#include <QApplication>
#include <functional>

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

} // namespace mostarium

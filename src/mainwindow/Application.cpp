#include "Application.h"

#include "core/Services.h"

#include <cstdio>
#include <exception>

namespace mostarium {

namespace {
void report(QObject *receiver, const char *what)
{
    QString where = receiver ? receiver->objectName() : QString();
    if (where.isEmpty() && receiver)
        where = QString::fromLatin1(receiver->metaObject()->className());
    std::fprintf(stderr, "Error in %s: %s\n", qPrintable(where), what);
    std::fflush(stderr);
    // The message box runs events of its own; an error among those is only logged.
    static bool reporting = false;
    if (reporting)
        return;
    reporting = true;
    services().msgBox(QStringLiteral("Error in ") + where, mb::OKOnly);
    reporting = false;
}
} // namespace

bool deliverGuarded(QObject *receiver, const std::function<bool()> &deliver)
{
    try {
        return deliver();
    } catch (const std::exception &e) {
        report(receiver, e.what());
    } catch (...) {
        report(receiver, "unknown exception");
    }
    return false;
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    return deliverGuarded(receiver, [&] { return QApplication::notify(receiver, event); });
}

} // namespace mostarium

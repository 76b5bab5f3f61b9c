#include "Application.h"

#include "core/Services.h"

#include <QLibraryInfo>
#include <QTranslator>
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
}  // namespace

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

QString dutchQtTranslationsFile()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_nl.qm");
}

QTranslator *installDutchQtTranslations(QCoreApplication *app)
{
    const QString file = dutchQtTranslationsFile();
    auto *translator = new QTranslator(app);
    if (!translator->load(file) || !QCoreApplication::installTranslator(translator)) {
        std::fprintf(stderr, "Qt's Dutch translations not loaded from %s\n", qPrintable(file));
        std::fflush(stderr);
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace mostarium

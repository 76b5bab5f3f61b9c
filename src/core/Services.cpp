#include "Services.h"

#include <cstdio>

namespace mostarium {

namespace {
// Until the program installs its own: answers nothing, shows nothing.
class NullServices final : public Services {
public:
    int msgBox(const QString &prompt, int style, const QString &) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(prompt));
        const int buttons = style & 7;
        return buttons == mb::YesNo || buttons == mb::YesNoCancel ? mb::No
               : buttons == mb::OKOnly                            ? mb::OK
                                                                  : mb::Cancel;
    }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &, InputKind) override
    {
        return {};
    }
    std::optional<QString> openFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> folderName(const QString &, const QString &) override { return {}; }
    void playSound(const QString &, bool) override {}
    void beep() override {}
    void showHelp(const QString &) override {}
    bool openUrl(const QString &) override { return false; }
    bool startProgram(const QString &, const QStringList &, bool) override { return false; }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    void setBusy(bool) override {}
    void processEvents() override {}
    bool showTextFile(const QString &) override { return false; }
};

NullServices g_null;
Services *g_current = &g_null;
}  // namespace

Services &services() { return *g_current; }

Services *setServices(Services *s)
{
    Services *old = g_current;
    g_current = s ? s : &g_null;
    return old;
}

}  // namespace mostarium

// The start-up of the program, in one fixed order: everything is ready and
// the first recipe calculated before the main window appears.
#include "StartUp.h"

#include "FileCommands.h"
#include "InfoWindows.h"
#include "frmInfo.h"
#include "frmRecept.h"

#include "core/CalcError.h"
#include "core/Ini.h"
#include "core/LinkFiles.h"
#include "core/NumText.h"
#include "core/Paths.h"
#include "core/Regional.h"
#include "core/Revision.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/SysParameters.h"
#include "core/WholeFile.h"
#include "core/ZymSettings.h"
#include "platform/WindowRegistry.h"
#include "platform/WindowRoutines.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <exception>

namespace mostarium {

namespace {
const QString Attentie = QStringLiteral("Attentie!");
constexpr int TipFrontBoundMs = 1000;

void centreOn(QWidget *window, const QRect &area)
{
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

// A message during the start-up: the splash must not stand in front of it.
int tell(const QString &text, int style = mb::OKOnly, const QString &title = QString())
{
    splashNotOnTop();
    return services().msgBox(text, style, title);
}

// A switch of ZYM.ini; a value that is no number, or none a switch can hold,
// takes the default and is named, and the start-up goes on.
double number(const char *section, const char *key, const char *def)
{
    bool refused = false;
    const double v = zymNumber(QLatin1String(section), QLatin1String(key), QLatin1String(def), SwitchRange, &refused);
    if (refused)
        tell(invalidSettingText(QLatin1String(key), QLatin1String(def)), mb::Exclamation, Attentie);
    return v;
}

void readInstallation(RecipeState &r)
{
    for (const QString &message : ReadSysParameters(r))
        tell(message, mb::Exclamation, Attentie);
}

// Files the program needs; a missing one is named and, for the two data
// files, its menu item disabled. The help is our own pages under Help.
// The message names the file where the program looks for it and goes on
// with `said`.
struct RequiredFile {
    const char *file;
    const char *said;
    const char *menu;
};
constexpr RequiredFile RequiredFiles[] = {
    {"ZYM.ini", " niet gevonden!", nullptr},
    {"Help/Inleiding.htm", " niet gevonden! Help functie afwezig!", nullptr},
    {"Biersoorten.txt", " niet gevonden!", "mnuEditBierSoorten"},
    {"Biertypen.mdb", " niet gevonden!", "mnuReceptSuggestie"},
};

bool requiredFileExists(const QString &relative) { return !paths::existingFile(relative).isEmpty(); }

void prepareFolders()
{
    for (const QString &name : paths::dataFolders()) {
        const QString dir = paths::programFolder() + u'/' + name;
        if (!QFileInfo::exists(dir))
            QDir().mkpath(dir);
    }
}

void checkRequiredFiles(frmRecept &w)
{
    // A ZYM.ini that is there but is no file we read (a pipe, far too large)
    // is named as such; every setting then takes its default.
    const QString zymRefusal = refusedSettingsFile(paths::zymIni(), paths::shownFile(QStringLiteral("ZYM.ini")));
    for (const RequiredFile &f : RequiredFiles) {
        if (qstrcmp(f.file, "ZYM.ini") == 0 && !zymRefusal.isEmpty()) {
            tell(zymRefusal + QStringLiteral(" De standaard instellingen worden gebruikt."), mb::Exclamation, Attentie);
            continue;
        }
        if (requiredFileExists(QLatin1String(f.file)))
            continue;
        tell(paths::shownFile(QLatin1String(f.file)) + QLatin1String(f.said));
        if (f.menu)
            if (QAction *a = w.action(QLatin1String(f.menu)))
                a->setEnabled(false);
    }
}

// Steps 2 to 24: what a failure there ends the program for.
void prepare(frmRecept &w, Session &s, const StartUpOptions &options)
{
    RecipeState &r = s.recipe;
    r.Revision = GetRevision();
    w.setWindowTitle(QStringLiteral("Wortkamer   -   ") + r.Revision);

    // The splash stands for a moment before anything else happens. It is
    // placed in the middle of the screen, where the main window will appear,
    // and put on top before it is first shown, so that it is drawn once.
    if (auto *info = windows().load<frmInfo>(QStringLiteral("frmInfo"))) {
        info->adjustSize();
        if (const QScreen *screen = info->screen())
            centreOn(info, screen->availableGeometry());
        info->setOnTop(true);
    }
    showSplash();
    services().processEvents();
    // The pause keeps the splash painted: windows are redrawn, input waits.
    QuietWait::pause(options.splashPauseMs);

    s.view.fraBrouwSchema.visible = false;
    s.view.fraEvaluatie.visible = false;

    s.app.geluidAan = number("Sounds", "SoundsOn", "1") != 0;
    if (s.app.geluidAan)
        services().playSound(paths::file(QStringLiteral("\\sounds\\startup.wav")), false);

    if (const QScreen *screen = QGuiApplication::primaryScreen();
        screen && needsScreenWarning(screen->size().width(), screen->size().height())) {
        tell(QStringLiteral("Attentie! Mostarium heeft een resolutie gedetecteerd,\r\n"
                            "minder dan 1024 x 768. Voor een optimaal gebruik van Mostarium\r\n"
                            "wordt dit minimaal aangeraden."),
             mb::Exclamation, Attentie);
    }

    // Read, never changed: the program's own number handling always uses ".".
    r.OrigDecimalSeparator = GetRegionalSetting(LOCALE_SDECIMAL);
    r.OrigThousandSeparator = GetRegionalSetting(LOCALE_STHOUSAND);
    SetRegionalSetting(LOCALE_SDECIMAL, QStringLiteral("."));
    SetRegionalSetting(LOCALE_STHOUSAND, QStringLiteral(","));
    SetRegionalSetting(LOCALE_SSHORTDATE, QStringLiteral("MM-dd-yy"));
    SetRegionalSetting(LOCALE_STIMEFORMAT, QStringLiteral("HH:mm:ss"));

    prepareFolders();
    checkRequiredFiles(w);
    QFile::remove(paths::file(QStringLiteral("\\temp\\Kenmerken.ini")));

    s.app.wizardActief = false;
    r.ReceptStatus = 0;
    r.ReceptGewijzigd = false;
    readInstallation(r);
    s.view.lbl_vol_maisch.toolTip =
        QStringLiteral("Filterkuip inhoud is") + num::signedText(r.FilterKuipInhoud) + QStringLiteral(" L");
    r.SpoelenTot = 3.0f;
    r.ReceptPath = receptPathFromSetting(zymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("ReceptPath")));

    FileCommands &files = fileCommands(w, s);
    files.showFileHistoryCaptions();
    r.startUpShapes();
    s.viewChanged();

    s.app.dubbelBrouw = false;
    w.PasGUIAanBrouwType();
    s.app.spoelcurveRecept = number("StartUp", "SpoelCurveBijRecept", "1") != 0;
    w.ToonVerkortMenu(number("StartUp", "VolMenu", "1") == 0);

    if (number("StartUp", "LaadBestand1", "1") == 1 && options.commandLine.isEmpty()) {
        s.app.openBestandBijOpstarten = true;
        w.action(QStringLiteral("mnuOpenBestandbijOpstarten"))->setChecked(true);
        splashNotOnTop();
        files.OpenFileHistoryEntry(1);
    }
    if (number("StartUp", "AutoSaveOn", "1") == 1) {
        s.app.autoSaveAan = true;
        w.action(QStringLiteral("mnuAutoSaveOn"))->setChecked(true);
        w.tmrAutoSave()->start();
    }
}
}  // namespace

QString receptPathFromSetting(const QString &value)
{
    if (QDir::isAbsolutePath(value) && QFileInfo(value).isDir())
        return value;
    return paths::file(QStringLiteral("Recepten"));
}

bool needsScreenWarning(int widthPx, int heightPx) { return widthPx < 1024 && heightPx < 768; }

QString commandLineRecipe(const QString &commandLine)
{
    QString path = commandLine.trimmed();
    if (path.contains(u'"'))
        path = path.mid(1, path.size() - 2);
    return path;
}

QString enterProgramFolder(const QString &commandLine)
{
    QString line = commandLine;
    const QString recipe = commandLineRecipe(commandLine);
    if (!recipe.isEmpty() && QDir::isRelativePath(recipe))
        line = QDir::cleanPath(QDir::current().absoluteFilePath(recipe));
    if (!QDir::setCurrent(paths::programFolder()))
        std::fprintf(stderr, "Cannot work in the program folder %s\n", qPrintable(paths::programFolder()));
    return line;
}

bool Form_Load(frmRecept &w, Session &s, const StartUpOptions &options)
{
    try {
        prepare(w, s, options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "Form_Load: %s\n", e.what());
        tell(QStringLiteral("Mostarium FormLoad failed!"), mb::Exclamation, Attentie);
        windows().unloadAll(windows().loadedNames());
        return false;
    }

    if (!options.commandLine.isEmpty()) {
        try {
            const QString path = commandLineRecipe(options.commandLine);
            if (QFileInfo(path).isFile()) {
                // The reader's messages must not stand behind the splash.
                splashNotOnTop();
                fileCommands(w, s).openFile(path);
            } else if (const QString refusal = notAFileText(path); !refusal.isEmpty()) {
                tell(refusal, mb::Exclamation, Attentie);
            } else {
                // Said as for a recent file that is gone; the window opens empty.
                tell(paths::fileNotFoundText(path), mb::Exclamation, Attentie);
            }
        } catch (const std::exception &e) {
            // The main window still opens, with an empty recipe.
            std::fprintf(stderr, "Form_Load: %s\n", e.what());
            tell(QStringLiteral("Recept kan niet geopend worden. Kontroleer commandline parameter."), mb::Exclamation,
                 Attentie);
        }
    }

    closeSplash();
    w.refreshView();
    w.show();

    try {
        if (number("StartUp", "ShowTips", "1") == 1) {
            showTips();
            QWidget *tip = windows().find(QStringLiteral("frmTip"));
            if (tip)
                centreOn(tip, w.frameGeometry());
            services().processEvents();
            // In front of the main window before the first-run notice, which
            // then belongs to it and gives it the front back.
            if (tip)
                waitUntilActive(tip, TipFrontBoundMs);
        }
        if (number("StartUp", "EersteMaal", "0") != 0) {
            tell(
                QStringLiteral("Mostarium heeft gedetecteerd dat dit de eerste keer is dat Mostarium wordt gestart.\r\n"
                               "Stel de de korrekte systeem parameters in."),
                mb::Exclamation, Attentie);
            windows().show(QStringLiteral("frmSysParameters"));
            services().processEvents();
        }
        CreateInternetShortCuts();
    } catch (const std::exception &e) {
        // The main window stands; what is left of the start-up is a courtesy.
        std::fprintf(stderr, "Form_Load: %s\n", e.what());
        services().msgBox(QStringLiteral("Error in Form_Load"), mb::OKOnly);
    }
    return true;
}

}  // namespace mostarium

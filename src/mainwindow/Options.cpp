// The options of the settings menu and the short menu, kept in ZYM.ini.
#include "frmRecept.h"

#include "MenuIcons.h"
#include "core/Ini.h"
#include "core/Paths.h"
#include "core/Session.h"
#include "core/ZymSettings.h"
#include "platform/WindowRoutines.h"

#include <QAction>
#include <QTimer>

namespace mostarium {

namespace {
struct Option {
    const char *item;
    const char *section;
    const char *key;
    bool inverted;  // the key says the opposite of the check
};
constexpr Option Options[] = {
    {"mnuBeerSounds", "Sounds", "SoundsOn", false},    {"mnuOpenBestandbijOpstarten", "StartUp", "LaadBestand1", false},
    {"mnuAutoSaveOn", "StartUp", "AutoSaveOn", false}, {"mnuSpoelcurveRecept", "StartUp", "SpoelCurveBijRecept", false},
    {"mnuVerkort", "StartUp", "VolMenu", true},
};

// Hidden by the short menu, in the order they are hidden.
constexpr const char *ShortMenuHides[] = {
    "mnuDubBrouw",
    "mnuSep1",
    "mnuCorrectie",
    "mnuCalculator",
    "mnuHopPartitionMagic",
    "mnuWateraanpassing",
    "mnuAfvullen",
    "mnuEditBierSoorten",
    "mnuSep4",
    "mnuBierIndeling",
    "mnuReceptOptiMaischer",
    "mnuBeerSounds",
    "mnuOpenBestandbijOpstarten",
    "mnuSysParameters",
    "mnuHelpLinks",
    "mnuRegistreer",
    "mnuCheckForUpdates",
};

struct MenuPicture {
    const char *picture;  // toolbar picture drawn for it
    int menu;
    int fullItem;
    int shortItem;  // -1: not attached in the short menu
};
constexpr MenuPicture MenuPictures[] = {
    {"Nieuw", 0, 0, 0},   {"Openen", 0, 1, 1}, {"Opslaan", 0, 2, 2}, {"Afdrukken", 0, 6, 6},   {"Afsluiten", 0, 14, 14},
    {"Wizard", 1, 11, 9}, {"Help", 5, 0, 0},   {"Tip", 5, 2, 1},     {"Registreer", 5, 5, -1}, {"Info", 5, 6, 3},
};
}  // namespace

void frmRecept::defineOptions()
{
    for (const Option &o : Options) {
        const QString name = QLatin1String(o.item);
        defineCommand(name, [this, name] { toggleOption(name); });
    }
}

void frmRecept::toggleOption(const QString &name)
{
    QAction *a = action(name);
    // Triggering a checkable item has already flipped its check.
    const bool on = a->isChecked();
    const Option *opt = nullptr;
    for (const Option &o : Options)
        if (name == QLatin1String(o.item))
            opt = &o;
    if (!opt)
        return;
    if (name == QLatin1String("mnuBeerSounds"))
        m_s.app.geluidAan = on;
    else if (name == QLatin1String("mnuSpoelcurveRecept"))
        m_s.app.spoelcurveRecept = on;
    else if (name == QLatin1String("mnuOpenBestandbijOpstarten"))
        m_s.app.openBestandBijOpstarten = on;
    else if (name == QLatin1String("mnuAutoSaveOn")) {
        m_s.app.autoSaveAan = on;
        on ? m_tmrAutoSave->start() : m_tmrAutoSave->stop();
    }
    keepZymSetting(QLatin1String(opt->section), QLatin1String(opt->key),
                   (on != opt->inverted) ? QStringLiteral("1") : QStringLiteral("0"));
    if (name == QLatin1String("mnuVerkort"))
        ToonVerkortMenu(on);
}

void frmRecept::ToonVerkortMenu(bool verkort)
{
    m_s.app.verkortMenu = verkort;
    action(QStringLiteral("mnuVerkort"))->setChecked(verkort);
    for (const char *item : ShortMenuHides)
        action(QLatin1String(item))->setVisible(!verkort);
    // The toolbar closes the gaps of hidden buttons itself.
    for (const char *key : {"Wateraanpassing", "Biergeluiden", "Registreer"})
        m_buttons.value(QLatin1String(key))->setVisible(!verkort);
    attachMenuPictures(verkort);
}

void frmRecept::attachMenuPictures(bool verkort)
{
    for (const MenuPicture &p : MenuPictures) {
        const int item = verkort ? p.shortItem : p.fullItem;
        if (item < 0)
            continue;
        const QPixmap pic = programPicture(QLatin1String(p.picture), 13);
        AddBitmapToMenu(this, p.menu, item, pic, pic);
    }
}

}  // namespace mostarium

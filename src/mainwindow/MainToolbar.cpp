// Toolbar1: fifteen buttons, each running the menu command of its key.
#include "frmRecept.h"

#include "MenuIcons.h"

#include <QAction>
#include <QToolBar>

namespace mostarium {

namespace {
struct Button {
    const char *key;
    const char *toolTip;
    const char *command;
};
// In the order of the bar; the dispatch compares the keys in this order too.
constexpr Button Buttons[] = {
    {"Nieuw", "Nieuw", "mnuNieuw"},
    {"Openen", "Openen", "mnuOpen"},
    {"Opslaan", "Opslaan", "mnuOpslaan"},
    {"Afdrukken", "Afdrukken", "mnuAfdrukken"},
    {"Wizard", "Recept Wizard", "mnuWizard"},
    {"Spoelcurve", "Spoelcurve", "mnuSpoelen"},
    {"Storting", "Storting", "mnuStorting"},
    {"Hopgift", "Hopgift", "mnuHopgift"},
    {"Wateraanpassing", "Wateraanpassing", "mnuWateraanpassing"},
    {"Biergeluiden", "Biergeluiden aan/uit", "mnuBeerSounds"},
    {"Help", "Help", "mnuHInhoudsopgave"},
    {"Tip", "Tip van de Dag", "mnuTips"},
    {"Registreer", "Registreer", "mnuRegistreer"},
    {"Info", "Info", "mnuInfo"},
    {"Afsluiten", "Afsluiten", "mnuAfsluiten"},
};
}  // namespace

void frmRecept::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolbar->setIconSize(QSize(24, 24));
    for (const Button &b : Buttons) {
        const QString key = QLatin1String(b.key);
        QAction *a = m_toolbar->addAction(programPicture(key, 24), key);
        a->setObjectName(QStringLiteral("Toolbar1_") + key);
        a->setToolTip(QString::fromUtf8(b.toolTip));
        a->setData(key);
        // A button can do what its command can, no more.
        QAction *command = action(QLatin1String(b.command));
        a->setEnabled(command && command->isEnabled());
        if (command)
            connect(command, &QAction::enabledChanged, a, &QAction::setEnabled);
        connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
        m_buttons.insert(key, a);
    }
}

void frmRecept::Toolbar1_ButtonClick(const QString &key)
{
    const QString k = key.toUpper();
    for (const Button &b : Buttons) {
        if (k == QString::fromLatin1(b.key).toUpper()) {
            runCommand(QLatin1String(b.command));
            return;
        }
    }
}

}  // namespace mostarium

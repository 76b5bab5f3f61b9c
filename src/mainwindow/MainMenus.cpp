// The menu bar of the main window: six menus with their items, captions and
// accelerators. What each item does is defined in Commands.cpp and Options.cpp.
#include "frmRecept.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace mostarium {

namespace {
QKeySequence ctrl(Qt::Key k) { return QKeySequence(Qt::CTRL | k); }
}  // namespace

QMenu *frmRecept::addMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m_menus.insert(name, m);
    m_actions.insert(name, m->menuAction());
    return m;
}

QAction *frmRecept::addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key)
{
    auto *a = new QAction(caption, menu);
    a->setObjectName(name);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        // The accelerators belong to the main window's commands, also Ctrl+C,
        // Ctrl+V, Ctrl+X and Ctrl+Z.
        a->setShortcutContext(Qt::WindowShortcut);
    }
    // Commands start disabled; defining their work enables them.
    a->setEnabled(false);
    menu->addAction(a);
    m_actions.insert(name, a);
    return a;
}

void frmRecept::addSeparator(QMenu *menu, const QString &name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(name);
    m_actions.insert(name, a);
}

void frmRecept::buildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MenuBar"));

    QMenu *b = addMenu(nullptr, QStringLiteral("mnuBestand"), QStringLiteral("&Bestand"));
    addItem(b, QStringLiteral("mnuNieuw"), QStringLiteral("  &Nieuw"), ctrl(Qt::Key_N));
    addItem(b, QStringLiteral("mnuOpen"), QStringLiteral("  &Openen..."), ctrl(Qt::Key_O));
    addItem(b, QStringLiteral("mnuOpslaan"), QStringLiteral("  O&pslaan"), ctrl(Qt::Key_S));
    addItem(b, QStringLiteral("mnuOpslaanAls"), QStringLiteral("  Opslaan als..."));
    addItem(b, QStringLiteral("mnuReadOnly"), QStringLiteral("  Wijzig in Alleen Lezen"));
    addSeparator(b, QStringLiteral("mnuBestandSep1"));
    addItem(b, QStringLiteral("mnuAfdrukken"), QStringLiteral("  &Afdrukken/Exporteren"), ctrl(Qt::Key_P));
    addItem(b, QStringLiteral("mnuImportXML"), QStringLiteral("  Importeer &XML bestand..."), ctrl(Qt::Key_X));
    addSeparator(b, QStringLiteral("mnuBestandSep2"));
    for (int n = 1; n <= 4; ++n)
        addItem(b, QStringLiteral("mnu%1").arg(n), QStringLiteral("  &%1").arg(n));
    addSeparator(b, QStringLiteral("mnuBestandSep3"));
    addItem(b, QStringLiteral("mnuAfsluiten"), QStringLiteral("  A&fsluiten"), ctrl(Qt::Key_Q));

    QMenu *r = addMenu(nullptr, QStringLiteral("mnuRecOntwerpen"), QStringLiteral("&Recept"));
    addItem(r, QStringLiteral("mnuDubBrouw"), QStringLiteral("D&ubbelbrouw..."), ctrl(Qt::Key_D))->setCheckable(true);
    addSeparator(r, QStringLiteral("mnuSep1"));
    addItem(r, QStringLiteral("mnuAlgemeen"), QStringLiteral("&Algemeen..."));
    addItem(r, QStringLiteral("mnuDoel"), QStringLiteral("&Doelstellingen..."));
    addItem(r, QStringLiteral("mnuStorting"), QStringLiteral("&Storting..."));
    addItem(r, QStringLiteral("mnuMaisSchema"), QStringLiteral("&Maischschema..."));
    addItem(r, QStringLiteral("mnuSpoelen"), QStringLiteral("S&poelen..."));
    addItem(r, QStringLiteral("mnuHopgift"), QStringLiteral("&Hopgift..."));
    addItem(r, QStringLiteral("mnuToeVoegingen"), QStringLiteral("&Toevoegingen..."));
    addItem(r, QStringLiteral("mnuGistKeuze"), QStringLiteral("&Gistkeuze..."));
    addSeparator(r, QStringLiteral("mnuSep2"));
    addItem(r, QStringLiteral("mnuWizard"), QStringLiteral("Recept &Wizard..."), ctrl(Qt::Key_Z));
    addItem(r, QStringLiteral("mnuReceptSuggestie"), QStringLiteral("Recept Suggestie..."), QKeySequence(Qt::Key_F2));
    QMenu *o = addMenu(r, QStringLiteral("mnuReceptOptiMaischer"), QStringLiteral("Recept OptiMaischer"));
    addItem(o, QStringLiteral("mnuMaximumVolume"), QStringLiteral("MaxiMaisch Volume Doelstelling"));
    addItem(o, QStringLiteral("mnuWaterBeslagRatio"),
            QStringLiteral("OptiMaisch L/kg Storting in relatie tot verwachte kooktijd gebaseerd op verdamping"));
    addItem(o, QStringLiteral("mnuWaterSpoelenTot"),
            QStringLiteral("OptiMaisch Spoelen Tot 'Plato in relatie tot verwachte kooktijd gebaseerd op verdamping"));
    addSeparator(o, QStringLiteral("mnuSepOptiMaischer"));
    addItem(o, QStringLiteral("mnuMaximumVolumePlusWater"),
            QStringLiteral("MaxiMaisch Volume en OptiMaisch Brouwwater Huishouding"));
    addItem(o, QStringLiteral("mnuWaterBeslagRatioPlusDoelstelling"),
            QStringLiteral("OptiMaisch L/kg Storting en Spoelen Tot 'Plato in relatie tot verwachte kooktijd "
                           "gebaseerd op verdamping"));
    addSeparator(r, QStringLiteral("mnuSep"));
    addItem(r, QStringLiteral("mnuShoppingList"), QStringLiteral("Maak &Boodschappenlijst"));
    addSeparator(r, QStringLiteral("mnuReceptSep3"));
    addItem(r, QStringLiteral("mnuEvaluatie"), QStringLiteral("&Evaluatie..."));
    addItem(r, QStringLiteral("mnuKenmerken"), QStringLiteral("&Kenmerken..."));
    addItem(r, QStringLiteral("mnuAantekeningen"), QStringLiteral("&Aantekeningen..."));

    QMenu *t = addMenu(nullptr, QStringLiteral("mnuTools"), QStringLiteral("&Gereedschappen"));
    addItem(t, QStringLiteral("mnuCorrectie"), QStringLiteral("&Bepaling Eindbestemming na Spoelen..."));
    addItem(t, QStringLiteral("mnuCalculator"), QStringLiteral("Calculator &Hopopslag..."), ctrl(Qt::Key_H));
    addItem(t, QStringLiteral("mnuHopPartitionMagic"), QStringLiteral("HopPartition &Magic..."), ctrl(Qt::Key_M));
    addItem(t, QStringLiteral("mnuContinueHoppen"), QStringLiteral("Continue Hoppen..."));
    addItem(t, QStringLiteral("mnuConversie"), QStringLiteral("&Conversie Suikerconcentraties..."), ctrl(Qt::Key_C));
    addItem(t, QStringLiteral("mnuAfvullen"), QStringLiteral("Hoeveelheid &Suiker ter Afvulling..."));
    addItem(t, QStringLiteral("mnuWateraanpassing"), QStringLiteral("&Wateraanpassing..."), ctrl(Qt::Key_W));
    addItem(t, QStringLiteral("mnuEenheden"), QStringLiteral("Omzetting &Eenheden..."), ctrl(Qt::Key_E));
    addItem(t, QStringLiteral("mnuKeurFormulier"), QStringLiteral("&Keuringsformulier..."), ctrl(Qt::Key_K));
    addItem(t, QStringLiteral("mnuEditBierSoorten"), QStringLiteral("Edit &BierSoorten.txt..."), ctrl(Qt::Key_B));
    // Not shown: the program has no costs window for it to open.
    addItem(t, QStringLiteral("mnuKosten"), QStringLiteral("K&osten..."))->setVisible(false);
    addSeparator(t, QStringLiteral("mnuSep3"));
    addItem(t, QStringLiteral("mnuEBCSchatting"), QStringLiteral("&EBC Referentiekader"));
    addItem(t, QStringLiteral("mnuEBURef"), QStringLiteral("EB&U Referentiekader"));
    addItem(t, QStringLiteral("mnuCO2Ref"), QStringLiteral("CO2 &Referentiekader"));
    addSeparator(t, QStringLiteral("mnuSep4"));
    addItem(t, QStringLiteral("mnuBierIndeling"), QStringLiteral("Klasse Indeling van Commerciele Bieren"),
            QKeySequence(Qt::Key_F3));

    QMenu *v = addMenu(nullptr, QStringLiteral("mnuVoorkeuren"), QStringLiteral("&Instellingen"));
    addItem(v, QStringLiteral("mnuBeerSounds"), QStringLiteral("&Biergeluiden"))->setCheckable(true);
    addItem(v, QStringLiteral("mnuOpenBestandbijOpstarten"), QStringLiteral("&Open Bestand #1 bij Opstarten"))
        ->setCheckable(true);
    addItem(v, QStringLiteral("mnuAutoSaveOn"), QStringLiteral("AutoSave On"))->setCheckable(true);
    addItem(v, QStringLiteral("mnuSpoelcurveRecept"), QStringLiteral("Spoelcurve bij Recept"))->setCheckable(true);
    addItem(v, QStringLiteral("mnuSysParameters"), QStringLiteral("S&ysteem Parameters..."), ctrl(Qt::Key_Y));
    addItem(v, QStringLiteral("mnuVerkort"), QStringLiteral("&Verkort Menu"), ctrl(Qt::Key_V))->setCheckable(true);

    QMenu *on = addMenu(nullptr, QStringLiteral("mnuMostariumOnline"), QStringLiteral("Mostarium &Online"));
    addItem(on, QStringLiteral("mnuOpenMostariumOnline"), QStringLiteral("  &Open Mostarium Online"));
    addItem(on, QStringLiteral("mnuDownloadRecipes"),
            QStringLiteral(" & Download Openbare Recepten van Mostarium Online"));

    QMenu *h = addMenu(nullptr, QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    addItem(h, QStringLiteral("mnuHInhoudsopgave"), QStringLiteral("  Inhouds&opgave"), QKeySequence(Qt::Key_F1));
    addItem(h, QStringLiteral("mnuHelpLinks"), QStringLiteral("  &Links en Literatuur"), ctrl(Qt::Key_L));
    addItem(h, QStringLiteral("mnuTips"), QStringLiteral("  &Tip van de Dag"), ctrl(Qt::Key_T));
    addSeparator(h, QStringLiteral("mnuHelpSep1"));
    addItem(h, QStringLiteral("mnuCheckForUpdates"), QStringLiteral("  Kontroleer op Updates"));
    addItem(h, QStringLiteral("mnuRegistreer"), QStringLiteral("  &Registreer..."), ctrl(Qt::Key_R));
    addItem(h, QStringLiteral("mnuInfo"), QStringLiteral("  &Info Mostarium"), ctrl(Qt::Key_I));

    for (QMenu *m : std::as_const(m_menus))
        connect(m, &QMenu::aboutToShow, this, &frmRecept::updateCommands);
}

QAction *frmRecept::action(const QString &name) const { return m_actions.value(name); }

}  // namespace mostarium

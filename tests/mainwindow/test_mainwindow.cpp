#include "mainwindow_fixture.h"

#include "core/DisplayModel.h"
#include "core/ScheduleDisplay.h"
#include "mainwindow/InfoWindows.h"
#include "mainwindow/Layout.h"

#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

using namespace mostarium;
using namespace mostarium::test;

namespace {

struct MenuItem {
    const char *name;
    const char *caption;
    QKeySequence key;
};

QKeySequence ctrl(Qt::Key k) { return QKeySequence(Qt::CTRL | k); }

const MenuItem Items[] = {
    {"mnuNieuw", "  &Nieuw", ctrl(Qt::Key_N)},
    {"mnuOpen", "  &Openen...", ctrl(Qt::Key_O)},
    {"mnuOpslaan", "  O&pslaan", ctrl(Qt::Key_S)},
    {"mnuOpslaanAls", "  Opslaan als...", {}},
    {"mnuReadOnly", "  Wijzig in Alleen Lezen", {}},
    {"mnuAfdrukken", "  &Afdrukken/Exporteren", ctrl(Qt::Key_P)},
    {"mnuImportXML", "  Importeer &XML bestand...", ctrl(Qt::Key_X)},
    {"mnu1", "  &1", {}},
    {"mnu4", "  &4", {}},
    {"mnuAfsluiten", "  A&fsluiten", ctrl(Qt::Key_Q)},
    {"mnuDubBrouw", "D&ubbelbrouw...", ctrl(Qt::Key_D)},
    {"mnuAlgemeen", "&Algemeen...", {}},
    {"mnuDoel", "&Doelstellingen...", {}},
    {"mnuStorting", "&Storting...", {}},
    {"mnuMaisSchema", "&Maischschema...", {}},
    {"mnuSpoelen", "S&poelen...", {}},
    {"mnuHopgift", "&Hopgift...", {}},
    {"mnuToeVoegingen", "&Toevoegingen...", {}},
    {"mnuGistKeuze", "&Gistkeuze...", {}},
    {"mnuWizard", "Recept &Wizard...", ctrl(Qt::Key_Z)},
    {"mnuReceptSuggestie", "Recept Suggestie...", QKeySequence(Qt::Key_F2)},
    {"mnuReceptOptiMaischer", "Recept OptiMaischer", {}},
    {"mnuMaximumVolume", "MaxiMaisch Volume Doelstelling", {}},
    {"mnuWaterSpoelenTot",
     "OptiMaisch Spoelen Tot 'Plato in relatie tot verwachte kooktijd gebaseerd op verdamping",
     {}},
    {"mnuShoppingList", "Maak &Boodschappenlijst", {}},
    {"mnuEvaluatie", "&Evaluatie...", {}},
    {"mnuKenmerken", "&Kenmerken...", {}},
    {"mnuAantekeningen", "&Aantekeningen...", {}},
    {"mnuCorrectie", "&Bepaling Eindbestemming na Spoelen...", {}},
    {"mnuCalculator", "Calculator &Hopopslag...", ctrl(Qt::Key_H)},
    {"mnuHopPartitionMagic", "HopPartition &Magic...", ctrl(Qt::Key_M)},
    {"mnuContinueHoppen", "Continue Hoppen...", {}},
    {"mnuConversie", "&Conversie Suikerconcentraties...", ctrl(Qt::Key_C)},
    {"mnuAfvullen", "Hoeveelheid &Suiker ter Afvulling...", {}},
    {"mnuWateraanpassing", "&Wateraanpassing...", ctrl(Qt::Key_W)},
    {"mnuEenheden", "Omzetting &Eenheden...", ctrl(Qt::Key_E)},
    {"mnuKeurFormulier", "&Keuringsformulier...", ctrl(Qt::Key_K)},
    {"mnuEditBierSoorten", "Edit &BierSoorten.txt...", ctrl(Qt::Key_B)},
    {"mnuKosten", "K&osten...", {}},
    {"mnuEBCSchatting", "&EBC Referentiekader", {}},
    {"mnuEBURef", "EB&U Referentiekader", {}},
    {"mnuCO2Ref", "CO2 &Referentiekader", {}},
    {"mnuBierIndeling", "Klasse Indeling van Commerciele Bieren", QKeySequence(Qt::Key_F3)},
    {"mnuBeerSounds", "&Biergeluiden", {}},
    {"mnuOpenBestandbijOpstarten", "&Open Bestand #1 bij Opstarten", {}},
    {"mnuAutoSaveOn", "AutoSave On", {}},
    {"mnuSpoelcurveRecept", "Spoelcurve bij Recept", {}},
    {"mnuSysParameters", "S&ysteem Parameters...", ctrl(Qt::Key_Y)},
    {"mnuVerkort", "&Verkort Menu", ctrl(Qt::Key_V)},
    {"mnuOpenMostariumOnline", "  &Open Mostarium Online", {}},
    {"mnuDownloadRecipes", " & Download Openbare Recepten van Mostarium Online", {}},
    {"mnuHInhoudsopgave", "  Inhouds&opgave", QKeySequence(Qt::Key_F1)},
    {"mnuHelpLinks", "  &Links en Literatuur", ctrl(Qt::Key_L)},
    {"mnuTips", "  &Tip van de Dag", ctrl(Qt::Key_T)},
    {"mnuCheckForUpdates", "  Kontroleer op Updates", {}},
    {"mnuRegistreer", "  &Registreer...", ctrl(Qt::Key_R)},
    {"mnuInfo", "  &Info Mostarium", ctrl(Qt::Key_I)},
};

// Work that the file, optimiser, shopping-list and online units bring along.
const char *const Unwired[] = {
    "mnuNieuw",
    "mnuOpen",
    "mnuOpslaan",
    "mnuOpslaanAls",
    "mnuReadOnly",
    "mnuImportXML",
    "mnu1",
    "mnu2",
    "mnu3",
    "mnu4",
    "mnuAfsluiten",
    "mnuMaximumVolume",
    "mnuWaterBeslagRatio",
    "mnuWaterSpoelenTot",
    "mnuMaximumVolumePlusWater",
    "mnuWaterBeslagRatioPlusDoelstelling",
    "mnuShoppingList",
    "mnuOpenMostariumOnline",
    "mnuDownloadRecipes",
    "mnuCheckForUpdates",
};

}  // namespace

TEST_F(MainWindowTest, MenuBarHasSixMenusInOrder)
{
    QStringList captions, names;
    for (QAction *a : w->menuBar()->actions()) {
        captions << a->text();
        names << a->objectName();
    }
    EXPECT_EQ(captions,
              QStringList({"&Bestand", "&Recept", "&Gereedschappen", "&Instellingen", "Mostarium &Online", "&Help"}));
    EXPECT_EQ(names, QStringList({"mnuBestand", "mnuRecOntwerpen", "mnuTools", "mnuVoorkeuren", "mnuMostariumOnline",
                                  "mnuHelp"}));
}

TEST_F(MainWindowTest, EveryItemHasItsCaptionAndAccelerator)
{
    for (const MenuItem &m : Items) {
        SCOPED_TRACE(m.name);
        QAction *a = item(m.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(m.caption));
        EXPECT_EQ(a->shortcut(), m.key);
    }
    EXPECT_FALSE(item("mnuKosten")->isVisible());
}

TEST_F(MainWindowTest, FileMenuOrderCountsSeparators)
{
    QStringList names;
    for (QAction *a : w->findChild<QMenu *>("mnuBestand")->actions())
        names << a->objectName();
    EXPECT_EQ(names, QStringList({"mnuNieuw", "mnuOpen", "mnuOpslaan", "mnuOpslaanAls", "mnuReadOnly", "mnuBestandSep1",
                                  "mnuAfdrukken", "mnuImportXML", "mnuBestandSep2", "mnu1", "mnu2", "mnu3", "mnu4",
                                  "mnuBestandSep3", "mnuAfsluiten"}));
}

TEST_F(MainWindowTest, CommandsOfOtherUnitsWaitDisabledUntilWired)
{
    for (const char *name : Unwired)
        EXPECT_FALSE(item(name)->isEnabled()) << name;
    EXPECT_FALSE(child<QAction>("Toolbar1_Nieuw")->isEnabled());

    int runs = 0;
    w->setCommand(QStringLiteral("mnuNieuw"), [&] { ++runs; });
    EXPECT_TRUE(item("mnuNieuw")->isEnabled());
    EXPECT_TRUE(child<QAction>("Toolbar1_Nieuw")->isEnabled());
    trigger("mnuNieuw");
    clickButton("Nieuw");
    EXPECT_EQ(runs, 2);
}

TEST_F(MainWindowTest, WindowCommandIsEnabledOnceItsWindowIsRegistered)
{
    // A window whose unit arrives after the main window was made.
    windows().unregisterFactory(QStringLiteral("frmEenheden"));
    frmRecept late;
    EXPECT_FALSE(late.action(QStringLiteral("mnuEenheden"))->isEnabled());
    windows().registerFactory(QStringLiteral("frmEenheden"),
                              [] { return ScopedStandIns::standIn(QStringLiteral("frmEenheden")); });
    late.updateCommands();
    EXPECT_TRUE(late.action(QStringLiteral("mnuEenheden"))->isEnabled());

    // What the start-up disables afterwards stays disabled.
    late.action(QStringLiteral("mnuEenheden"))->setEnabled(false);
    late.updateCommands();
    EXPECT_FALSE(late.action(QStringLiteral("mnuEenheden"))->isEnabled());
}

TEST_F(MainWindowTest, DialogCommandsOpenTheirWindowOnce)
{
    const std::pair<const char *, const char *> commands[] = {
        {"mnuAlgemeen", "frmAlgemeen"},
        {"mnuStorting", "frmStorting"},
        {"mnuMaisSchema", "frmMaischSchema"},
        {"mnuSpoelen", "frmSpoelen"},
        {"mnuToeVoegingen", "frmToevoegingen"},
        {"mnuGistKeuze", "frmGistKeuze"},
        {"mnuKenmerken", "frmKenmerken"},
        {"mnuAantekeningen", "frmAantekeningen"},
        {"mnuReceptSuggestie", "frmBiertypen1"},
        {"mnuCalculator", "frmHopOpslag"},
        {"mnuHopPartitionMagic", "frmHopPartition"},
        {"mnuContinueHoppen", "frmContinueHoppen"},
        {"mnuConversie", "frmSuikerConv"},
        {"mnuAfvullen", "frmSuikerSiroop"},
        {"mnuWateraanpassing", "frmWaterAanpassing"},
        {"mnuEenheden", "frmEenheden"},
        {"mnuKeurFormulier", "frmKeuringsformulier"},
        {"mnuEditBierSoorten", "frmBierSoorten"},
        {"mnuEBCSchatting", "frmEBCSchatting"},
        {"mnuEBURef", "frmEBURef"},
        {"mnuCO2Ref", "frmCO2Ref"},
        {"mnuBierIndeling", "frmBierIndeling"},
        {"mnuHelpLinks", "frmLinksEnLiteratuur"},
        {"mnuSysParameters", "frmSysParameters"},
    };
    for (const auto &[command, window] : commands) {
        SCOPED_TRACE(command);
        trigger(command);
        EXPECT_TRUE(isOpen(window));
        QWidget *first = windows().find(QString::fromLatin1(window));
        first->setWindowTitle(QStringLiteral("as it was"));
        trigger(command);
        EXPECT_EQ(windows().find(QString::fromLatin1(window)), first);
        EXPECT_EQ(first->windowTitle(), "as it was");
    }
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(MainWindowTest, RefusalsTestTheProgressMask)
{
    struct Case {
        const char *command;
        int status;
        const char *window;
        const char *message;  // nullptr: the window opens
    };
    const Case cases[] = {
        {"mnuAfdrukken", 0, "frmAfdrukken", "Niets af te drukken of op te slaan!"},
        {"mnuAfdrukken", 1, "frmAfdrukken", nullptr},
        {"mnuEvaluatie", 1, "frmEvaluatie", "Niets te evalueren!"},
        {"mnuEvaluatie", 2, "frmEvaluatie", nullptr},
        {"mnuEvaluatie", 5, "frmEvaluatie", nullptr},
        {"mnuCorrectie", 0, "frmEindbeStemming", "Eindbestemming niet te bepalen!"},
        {"mnuCorrectie", 1022, "frmEindbeStemming", "Eindbestemming niet te bepalen!"},
        {"mnuCorrectie", 1, "frmEindbeStemming", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " with " << c.status);
        windows().unload(QString::fromLatin1(c.window));
        fake.clear();
        session().recipe.ReceptStatus = std::int16_t(c.status);
        const std::int16_t before = session().recipe.ReceptStatus;
        trigger(c.command);
        if (c.message) {
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_EQ(fake.messages[0].prompt, QString::fromUtf8(c.message));
            EXPECT_EQ(fake.messages[0].style, 48);
            EXPECT_EQ(fake.messages[0].title, "Attentie!");
            EXPECT_FALSE(windows().isLoaded(QString::fromLatin1(c.window)));
        } else {
            EXPECT_TRUE(fake.messages.empty());
            EXPECT_TRUE(isOpen(c.window));
        }
        EXPECT_EQ(session().recipe.ReceptStatus, before);
    }
}

TEST_F(MainWindowTest, PrintButtonRefusesLikeTheMenu)
{
    clickButton("Afdrukken");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "Niets af te drukken of op te slaan!");
}

TEST_F(MainWindowTest, TargetsAndCorrectionDialogsArePreparedForTheBrewMode)
{
    session().recipe.ReceptStatus = 1;
    for (bool dubbel : {false, true}) {
        SCOPED_TRACE(dubbel ? "double" : "single");
        windows().unloadAll({"frmDoelstellingen", "frmEindbeStemming"});
        session().app.dubbelBrouw = dubbel;
        trigger("mnuDoel");
        QWidget *doel = windows().find(QStringLiteral("frmDoelstellingen"));
        ASSERT_NE(doel, nullptr);
        EXPECT_EQ(doel->width(), dubbel ? 733 : 373);
        EXPECT_EQ(doel->findChild<QGroupBox *>("fraDoel1")->title(),
                  dubbel ? " Doelstellingen te maken dikbier " : " Doelstellingen te maken bier ");

        trigger("mnuCorrectie");
        QWidget *es = windows().find(QStringLiteral("frmEindbeStemming"));
        ASSERT_NE(es, nullptr);
        EXPECT_EQ(es->width(), dubbel ? 488 : 249);
        EXPECT_EQ(es->findChild<QGroupBox *>("fraESDoelstelling")->title(),
                  dubbel ? " Doelstellingen dikbier " : " Doelstellingen bier ");
        EXPECT_EQ(es->findChild<QGroupBox *>("fraESBestemming")->title(),
                  dubbel ? " Bestemming dikbier " : " Bestemming bier ");
    }
}

TEST_F(MainWindowTest, HopCommandAddsTheFirstBeerWordOnceInDoubleBrew)
{
    session().app.dubbelBrouw = true;
    trigger("mnuHopgift");
    clickButton("Hopgift");
    QWidget *hop = windows().find(QStringLiteral("frmHopgift"));
    ASSERT_NE(hop, nullptr);
    EXPECT_EQ(hop->findChild<QGroupBox *>("fraAromaHop")->title(), " Hopgift aromahop dikbier ");
    EXPECT_EQ(hop->findChild<QGroupBox *>("fraBitterHop")->title(), " Hopgift bitterhop dikbier ");

    windows().unload(QStringLiteral("frmHopgift"));
    session().app.dubbelBrouw = false;
    trigger("mnuHopgift");
    hop = windows().find(QStringLiteral("frmHopgift"));
    EXPECT_EQ(hop->findChild<QGroupBox *>("fraAromaHop")->title(), " Hopgift aromahop ");
}

TEST_F(MainWindowTest, WizardStartsWithTheGeneralData)
{
    trigger("mnuWizard");
    EXPECT_TRUE(session().app.wizardActief);
    EXPECT_TRUE(isOpen("frmAlgemeen"));
}

TEST_F(MainWindowTest, HelpContentsFromMenuAndToolbar)
{
    trigger("mnuHInhoudsopgave");
    clickButton("Help");
    EXPECT_EQ(fake.helpPages, QStringList({"Inleiding.htm", "Inleiding.htm"}));
}

TEST_F(MainWindowTest, CostsItemCannotBeReached)
{
    // Hidden and without accelerator: nothing the user does runs it.
    EXPECT_FALSE(item("mnuKosten")->isVisible());
    EXPECT_FALSE(w->runCommand(QStringLiteral("mnuKosten")));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(MainWindowTest, ToolbarHasFifteenButtonsAndDispatchIgnoresCase)
{
    QStringList keys, tips;
    for (QAction *a : child<QToolBar>("Toolbar1")->actions()) {
        keys << a->data().toString();
        tips << a->toolTip();
        EXPECT_FALSE(a->icon().isNull()) << qPrintable(a->data().toString());
    }
    EXPECT_EQ(keys,
              QStringList({"Nieuw", "Openen", "Opslaan", "Afdrukken", "Wizard", "Spoelcurve", "Storting", "Hopgift",
                           "Wateraanpassing", "Biergeluiden", "Help", "Tip", "Registreer", "Info", "Afsluiten"}));
    EXPECT_EQ(tips[4], "Recept Wizard");
    EXPECT_EQ(tips[9], "Biergeluiden aan/uit");
    EXPECT_EQ(tips[11], "Tip van de Dag");

    w->Toolbar1_ButtonClick(QStringLiteral("sPoElCuRvE"));
    EXPECT_TRUE(isOpen("frmSpoelen"));
    w->Toolbar1_ButtonClick(QStringLiteral("Onbekend"));
    clickButton("Storting");
    EXPECT_TRUE(isOpen("frmStorting"));
    clickButton("Wateraanpassing");
    EXPECT_TRUE(isOpen("frmWaterAanpassing"));
    clickButton("Wizard");
    EXPECT_TRUE(isOpen("frmAlgemeen"));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(MainWindowTest, BrewModeMenuSwitchesTheWindow)
{
    session().app.geluidAan = true;
    trigger("mnuDubBrouw");
    EXPECT_TRUE(session().app.dubbelBrouw);
    EXPECT_TRUE(item("mnuDubBrouw")->isChecked());
    EXPECT_TRUE(session().recipe.ReceptGewijzigd);
    EXPECT_EQ(fake.sounds.size(), 2);
    EXPECT_EQ(child<QLabel>("StatusBar_Panel1")->text(), "DB");
    EXPECT_EQ(child<QGroupBox>("fraBSAHop")->title(), " Aromahop dikbier ");
    EXPECT_EQ(child<QGroupBox>("fraBrouwSchema")->height(), 445);
    EXPECT_EQ(w->height(), 743);
    EXPECT_EQ(w->width(), 1000);

    trigger("mnuDubBrouw");
    EXPECT_FALSE(session().app.dubbelBrouw);
    EXPECT_FALSE(item("mnuDubBrouw")->isChecked());
    EXPECT_EQ(fake.sounds.size(), 3);
    EXPECT_EQ(child<QLabel>("StatusBar_Panel1")->text(), "EB");
    EXPECT_EQ(child<QGroupBox>("fraBSAHop")->title(), " Aromahop ");
    EXPECT_EQ(child<QGroupBox>("fraBrouwSchema")->height(), 335);
    EXPECT_EQ(w->height(), 627);
}

TEST_F(MainWindowTest, ModeSetElsewhereIsMirroredByTheMenuCheck)
{
    // The recipe reader sets the mode and then lays the window out.
    session().app.dubbelBrouw = true;
    w->PasGUIAanBrouwType();
    EXPECT_TRUE(item("mnuDubBrouw")->isChecked());
    EXPECT_EQ(child<QGroupBox>("fraEvalEv")->title(), " Evaluatie dikbier ");
}

TEST_F(MainWindowTest, CaptionsAndVisibilityAreAppliedWhenMaximised)
{
    w->showMaximized();
    QCoreApplication::processEvents();
    const QSize before = w->size();
    session().app.dubbelBrouw = true;
    session().recipe.ReceptStatus = 1;
    w->PasGUIAanBrouwType();
    EXPECT_EQ(child<QGroupBox>("fraEvalDS")->title(), " Doelstellingen dikbier ");
    EXPECT_EQ(child<QGroupBox>("fraEvalEv2")->title(), " Evaluatie dunbier ");
    EXPECT_TRUE(session().view.fraEvalDS2.visible);
    EXPECT_EQ(w->size(), before);
}

TEST_F(MainWindowTest, FramesFollowTheResizeRuleAndStayInView)
{
    ShowBrouwschema(session());
    w->show();
    w->resize(700, 600);  // narrower than the frames
    QCoreApplication::processEvents();
    EXPECT_EQ(child<QGroupBox>("fraBrouwSchema")->x(), 30);
    EXPECT_EQ(child<QGroupBox>("fraEvaluatie")->x(), 30);

    w->resize(940, 600);  // wider than 12885 twips, narrower than the frame plus margins
    QCoreApplication::processEvents();
    ASSERT_GT(w->frameGeometry().width() * 15, 12885);
    ASSERT_LT(w->frameGeometry().width() * 15, 14445);
    EXPECT_EQ(child<QGroupBox>("fraBrouwSchema")->x(), 0);

    // The rule takes the outer width, borders included.
    w->resize(1200, 600);
    QCoreApplication::processEvents();
    const double W = w->frameGeometry().width() * 15.0;
    EXPECT_EQ(child<QGroupBox>("fraBrouwSchema")->x(), layout::px((W - 13995 - 450) / 2));
    EXPECT_EQ(child<QLabel>("StatusBar_Panel8")->width(), layout::px(W - 7650));
}

TEST_F(MainWindowTest, BackgroundPictureCoversTheAreaAResizeUncovers)
{
    QPixmap tile(8, 8);
    tile.fill(QColor(30, 160, 90));
    const QString file = folder.file(QStringLiteral("tegel.bmp"));
    ASSERT_TRUE(tile.save(file));
    w->show();
    w->resize(800, 500);
    QCoreApplication::processEvents();
    ASSERT_TRUE(setTilePicture(w.get(), file));
    w->resize(1200, 800);
    QCoreApplication::processEvents();
    const QImage shown = w->centralWidget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() - 3, shown.height() - 3), QColor(30, 160, 90));
}

TEST_F(MainWindowTest, ShowsTheDisplayModel)
{
    DisplayModel &v = session().view;
    v.lbl_StIngred[3].text = QStringLiteral("Pilsmout 4500 g");
    v.lbl_StIngred[3].back = RgbLateGrain;
    v.lbl_SpoelenTot.text = QStringLiteral("Spoelen tot 3.0 'Plato");
    v.lbl_SpoelenTot.fore = RgbRed;
    v.lbl_MS[6].visible = false;
    v.fraBSSpoelen.caption = QStringLiteral(" Spoelen! ");
    v.panels[2].enabled = true;
    v.panels[7].text = QString(80, u'x');
    ++v.revision;
    w->refreshView();

    auto *ingr = child<QLabel>("lbl_StIngred_3");
    EXPECT_EQ(ingr->text(), "Pilsmout 4500 g");
    EXPECT_EQ(ingr->palette().color(QPalette::Window), QColor::fromRgb(RgbLateGrain));
    EXPECT_TRUE(ingr->autoFillBackground());
    auto *tot = child<QLabel>("lbl_SpoelenTot");
    EXPECT_EQ(tot->palette().color(QPalette::WindowText), QColor::fromRgb(RgbRed));
    EXPECT_FALSE(child<QLabel>("lbl_MS_6")->isVisibleTo(child<QWidget>("fraBSMaiscschema")));
    EXPECT_EQ(child<QGroupBox>("fraBSSpoelen")->title(), " Spoelen! ");
    EXPECT_EQ(child<QLabel>("lbl_verwachtOG")->toolTip(),
              "Gebaseerd op doelstellingen!! (Verwachte OG na koken en koelen dus!)");
    EXPECT_TRUE(child<QLabel>("StatusBar_Panel3")->isEnabled());
    EXPECT_FALSE(child<QLabel>("StatusBar_Panel4")->isEnabled());
    EXPECT_TRUE(child<QLabel>("StatusBar_Panel8")->alignment() & Qt::AlignRight);

    // Back to the default colour once the slot has none.
    v.lbl_SpoelenTot.fore.reset();
    v.lbl_StIngred[3].back.reset();
    ++v.revision;
    w->refreshView();
    EXPECT_EQ(tot->palette().color(QPalette::WindowText),
              child<QWidget>("fraBSSpoelen")->palette().color(QPalette::WindowText));
    EXPECT_FALSE(ingr->autoFillBackground());
}

TEST_F(MainWindowTest, EveryLabelAndFrameOfTheModelIsOnTheWindow)
{
    session().view.forEachLabel([&](const QString &name, LabelSlot &) {
        EXPECT_NE(w->findChild<QLabel *>(name), nullptr) << qPrintable(name);
    });
    session().view.forEachFrame([&](const QString &name, FrameSlot &) {
        EXPECT_NE(w->findChild<QGroupBox *>(name), nullptr) << qPrintable(name);
    });
    // A few positions in twips.
    EXPECT_EQ(child<QGroupBox>("fraBSSpoelen")->geometry(), QRect(668, 20, 245, 201));
    EXPECT_EQ(child<QLabel>("lbl_StIngred_9")->pos(), QPoint(12, 168));
    EXPECT_EQ(child<QLabel>("lbl_VerwachteKooktijd")->pos(), QPoint(10, 180));
    EXPECT_EQ(child<QLabel>("lbl_vol_maisch")->pos(), QPoint(12, 180));
    EXPECT_EQ(child<QGroupBox>("fraEvalEv2")->geometry(), QRect(692, 24, 219, 113));
}

TEST_F(MainWindowTest, StatusBarPanels)
{
    QStringList texts;
    for (int i = 1; i <= 10; ++i)
        texts << child<QLabel>(qPrintable(QStringLiteral("StatusBar_Panel%1").arg(i)))->text();
    // The fake clock stands at 10 December 2026: day first, as a Dutch reader reads it.
    EXPECT_EQ(texts, QStringList({"EB", "Algemeen", "Doelstellingen", "Storting", "Maischschema", "Hopgift",
                                  "Evaluatie", "", "10-12-26", "12:00:00"}));
    EXPECT_EQ(child<QLabel>("StatusBar_Panel1")->toolTip(), "Enkelbrouw (EB) of dubbelbrouw (DB)");
    for (int i = 2; i <= 7; ++i)
        EXPECT_FALSE(child<QLabel>(qPrintable(QStringLiteral("StatusBar_Panel%1").arg(i)))->isEnabled()) << i;
}

namespace {
// Relative luminance and contrast as the web's accessibility guidelines define them.
double luminance(const QColor &c)
{
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

TEST_F(MainWindowTest, GreyedPanelsStayReadableAndLookGreyed)
{
    const QColor back = QColor::fromRgb(RgbWindowBack);
    for (int i = 2; i <= 7; ++i) {
        const QLabel *p = child<QLabel>(qPrintable(QStringLiteral("StatusBar_Panel%1").arg(i)));
        ASSERT_FALSE(p->isEnabled()) << i;
        const QColor greyed = p->palette().color(QPalette::Disabled, QPalette::WindowText);
        const QColor normal = p->palette().color(QPalette::Active, QPalette::WindowText);
        EXPECT_GE(contrast(greyed, back), 4.5) << i << ": " << qPrintable(greyed.name());
        EXPECT_LT(contrast(greyed, back), contrast(normal, back) / 2) << i << ": not plainly greyed";
    }
    EXPECT_NE(child<QProgressBar>("pgbDownload"), nullptr);
}

// ---- Right-click shortcuts --------------------------------------------------

class RightClickTest : public MainWindowTest {
protected:
    RightClickTest()
    {
        ShowBrouwschema(session());
        session().app.dubbelBrouw = true;
        w->PasGUIAanBrouwType();
        w->show();
        QCoreApplication::processEvents();
    }
    void press(const char *name, Qt::MouseButton button = Qt::RightButton)
    {
        QWidget *target = child<QWidget>(name);
        ASSERT_NE(target, nullptr);
        QTest::mousePress(target, button, {}, QPoint(3, 3));
        QTest::mouseRelease(target, button, {}, QPoint(3, 3));
    }
};

TEST_F(RightClickTest, FramesOpenTheirDialogs)
{
    const std::pair<const char *, const char *> cases[] = {
        {"fraBSAHop", "frmHopgift"},    {"fraBSBHop", "frmHopgift"},         {"fraAhop2", "frmHopgift2"},
        {"fraBhop2", "frmHopgift2"},    {"fraBSIngrdienten", "frmStorting"}, {"fraBSMaiscschema", "frmMaischSchema"},
        {"fraBSSpoelen", "frmSpoelen"},
    };
    for (const auto &[frame, window] : cases) {
        SCOPED_TRACE(frame);
        windows().unload(QString::fromLatin1(window));
        press(frame);
        EXPECT_TRUE(isOpen(window));
    }
    // Without the double-brew word of the menu command.
    EXPECT_EQ(windows().find(QStringLiteral("frmHopgift"))->findChild<QGroupBox *>("fraAromaHop")->title(),
              " Hopgift aromahop ");
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(RightClickTest, EvaluationFramesRefuseEarlyInARecipe)
{
    const char *frames[] = {"fraEvaluatie", "fraEvalDS", "fraEvalEv", "fraEvalDS2", "fraEvalEv2"};
    session().recipe.ReceptStatus = 1;
    for (const char *f : frames)
        press(f);
    ASSERT_EQ(fake.messages.size(), 5u);
    for (const auto &m : fake.messages)
        EXPECT_EQ(m.prompt, "Niets te evalueren!");
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmEvaluatie")));

    session().recipe.ReceptStatus = 2;
    press("fraEvalEv");
    EXPECT_TRUE(isOpen("frmEvaluatie"));
}

TEST_F(RightClickTest, OtherButtonsAndLabelsDoNothing)
{
    press("fraBSIngrdienten", Qt::LeftButton);
    press("fraBSIngrdienten", Qt::MiddleButton);
    press("lbl_StIngred_0");
    press("lbl_Eval_vol");
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmStorting")));
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_FALSE(w->findChild<QMenu *>("mnuBestand")->isVisible());
}

TEST_F(RightClickTest, BackgroundAndScheduleFramePopUpTheirMenus)
{
    press("frmRecept_Achtergrond");
    auto *file = w->findChild<QMenu *>("mnuBestand");
    EXPECT_TRUE(file->isVisible());
    file->close();
    press("fraBrouwSchema");
    auto *recipe = w->findChild<QMenu *>("mnuRecOntwerpen");
    EXPECT_TRUE(recipe->isVisible());
    recipe->close();
}

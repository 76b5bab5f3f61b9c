// The targets dialog: its bounds, load, store, the aroma-hop rescaling and
// the style list.
#include "editors_fixture.h"

#include "core/NumText.h"
#include "core/Paths.h"
#include "core/StyleList.h"
#include "editors/frmDoelstellingen.h"
#include "platform/Twips.h"

#include "core/WholeFile.h"

#include "support/FileFaults.h"
#include "support/RecipeBuilders.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const char *const Beer1[5] = {"txtDoelVol", "txtDoelPerc", "txtDoelFG", "txtDoelEBU", "txtDoelCO2"};
const char *const Beer2[5] = {"txtDoel2Vol", "txtDoel2Perc", "txtDoel2FG", "txtDoel2EBU", "txtDoel2CO2"};
const char *const Valid[5] = {"20", "5", "1012", "30", "5"};

QString boxName(int i) { return QLatin1String(i < 5 ? Beer1[i] : Beer2[i - 5]); }

class TargetsTest : public EditorsTest {
protected:
    frmDoelstellingen *open()
    {
        trigger("mnuDoel");
        return dialog<frmDoelstellingen>("frmDoelstellingen");
    }
    // Valid values in every box the brew mode shows.
    static void fillValid(QWidget *d, bool twoBeers)
    {
        for (int i = 0; i < (twoBeers ? 10 : 5); ++i)
            box(d, boxName(i))->setText(QLatin1String(Valid[i % 5]));
    }
    static QComboBox *combo(QWidget *d, int beer)
    {
        return in<QComboBox>(d, beer == 0 ? QStringLiteral("comBier") : QStringLiteral("comBier2"));
    }
    static QString info(QWidget *d, int beer)
    {
        return in<QLabel>(d, beer == 0 ? QStringLiteral("lblBierInfo") : QStringLiteral("lblBier2Info"))->text();
    }

    const QByteArray fixtureList = "Pils,Lichtblond ondergistend bier.\r\n"
                                   "Pilsener Urquell,Het origineel uit Pilsen; anders dan elke Pils.\r\n"
                                   "Bokbier,Donker en zoet.\r\n"
                                   "Zonder komma\r\n"
                                   "Dubbel,Bruin; eerste regel.\r\n"
                                   "Dubbel,Bruin; tweede regel.\r\n"
                                   "Tripel,Sterk en blond, Pils als basis.\r\n";
};

}  // namespace

// Each box at and beyond its bounds, in a double brew so that the second
// beer's boxes are checked too. A failure: that box red, every other box
// white, nothing stored, the wizard waiting, and the click heard.
TEST_F(TargetsTest, BoundsOfTheTenBoxes)
{
    struct Case {
        int box;
        const char *value;
        bool passes;
    } const cases[] = {
        {0, "200", true},  {0, "201", false},     {0, "0", false},    {0, "", false},      {0, "0.01", true},
        {1, "8.2", true},  {1, "8.21", false},    {1, "0", false},    {2, "1000", false},  {2, "1000.1", true},
        {2, "1050", true}, {2, "1050.01", false}, {3, "150", true},   {3, "150.1", false}, {3, "0", false},
        {4, "3", true},    {4, "8", true},        {4, "2.9", false},  {4, "8.1", false},   {5, "201", false},
        {5, "200", true},  {6, "8.3", false},     {7, "1000", false}, {8, "0", false},     {9, "2.99", false},
        {9, "3", true},
    };
    session().app.dubbelBrouw = true;
    session().app.geluidAan = true;
    session().recipe.MaximumAlcPerc = 8.2f;
    for (const Case &c : cases) {
        const std::string what = boxName(c.box).toStdString() + " = \"" + c.value + "\"";
        session().recipe.Doelstellingen.redim(0);
        session().recipe.ReceptStatus = 0;
        session().recipe.ReceptGewijzigd = false;
        session().app.wizardActief = true;
        fake.sounds.clear();
        frmDoelstellingen *d = open();
        ASSERT_NE(d, nullptr);
        fillValid(d, true);
        box(d, boxName(c.box))->setText(QLatin1String(c.value));
        press(d, "cmdDSOK");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        EXPECT_EQ(fake.sounds, QStringList{paths::file(QStringLiteral("Sounds/ploc.wav"))}) << what;
        if (c.passes) {
            EXPECT_FALSE(isOpen("frmDoelstellingen")) << what;
            EXPECT_TRUE(isOpen("frmStorting")) << what;
            EXPECT_FLOAT_EQ(session().recipe.Doelstellingen(c.box + 1), float(num::val(QString::fromLatin1(c.value))))
                << what;
            EXPECT_TRUE(session().recipe.hasStatus(StatusDoelstellingen)) << what;
            EXPECT_TRUE(session().recipe.ReceptGewijzigd) << what;
            windows().unload(QStringLiteral("frmStorting"));
            continue;
        }
        ASSERT_TRUE(isOpen("frmDoelstellingen")) << what;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(box(d, boxName(i))->isBad(), i == c.box) << what << " box " << i;
        EXPECT_FALSE(session().recipe.Doelstellingen.has(1)) << what;
        EXPECT_EQ(session().recipe.ReceptStatus, 0) << what;
        EXPECT_FALSE(session().recipe.ReceptGewijzigd) << what;
        EXPECT_FALSE(isOpen("frmStorting")) << what;
        windows().unload(QStringLiteral("frmDoelstellingen"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(TargetsTest, ASingleBrewNeitherChecksNorStoresTheSecondBeer)
{
    frmDoelstellingen *d = open();
    EXPECT_EQ(d->width(), layout::px(5600));
    EXPECT_EQ(in<QGroupBox>(d, QStringLiteral("fraDoel1"))->title(), " Doelstellingen te maken bier ");
    EXPECT_FALSE(in<QGroupBox>(d, QStringLiteral("fraDoel2"))->isVisibleTo(d));
    fillValid(d, false);
    box(d, QStringLiteral("txtDoel2Vol"))->setText(QStringLiteral("999"));
    press(d, "cmdDSOK");
    EXPECT_FALSE(box(d, QStringLiteral("txtDoel2Vol"))->isBad());
    EXPECT_EQ(session().recipe.Doelstellingen.ubound(), 5);
    EXPECT_FLOAT_EQ(session().recipe.Doelstellingen(3), 1012.0f);
}

TEST_F(TargetsTest, ADoubleBrewShowsBothBeersWithTheButtonsMoved)
{
    session() = doubleBrew();
    frmDoelstellingen *d = open();
    EXPECT_EQ(d->width(), layout::px(11000));
    EXPECT_EQ(in<QGroupBox>(d, QStringLiteral("fraDoel1"))->title(), " Doelstellingen te maken dikbier ");
    EXPECT_TRUE(in<QGroupBox>(d, QStringLiteral("fraDoel2"))->isVisibleTo(d));
    EXPECT_EQ(in<QPushButton>(d, QStringLiteral("cmdDSOK"))->geometry().right() + 1, layout::px(180 + 5175));
    EXPECT_EQ(in<QPushButton>(d, QStringLiteral("cmdDSAnnuleren"))->x(), layout::px(5580));
    EXPECT_EQ(box(d, QStringLiteral("txtDoel2Vol"))->text(), " 15");
    EXPECT_EQ(box(d, QStringLiteral("txtDoel2Perc"))->text(), " 4");
    press(d, "cmdDSOK");
    EXPECT_EQ(session().recipe.Doelstellingen.ubound(), 10);
    EXPECT_FLOAT_EQ(session().recipe.Doelstellingen(6), 15.0f);
}

TEST_F(TargetsTest, NeverStoredTargetsOpenEmptyWithoutToolTips)
{
    session().recipe.Aromahop.redim(0, 6);
    session().recipe.Aromahop(0, HopGram) = QStringLiteral("24");
    frmDoelstellingen *d = open();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(box(d, boxName(i))->text(), QString()) << i;
        EXPECT_EQ(d->findChild<QLabel *>(QStringLiteral("lblDoelVol"))->toolTip(), QString());
    }
    fillValid(d, false);
    press(d, "cmdDSOK");
    EXPECT_TRUE(session().recipe.hasStatus(StatusDoelstellingen));
    EXPECT_EQ(session().recipe.Aromahop(0, HopGram), "24") << "no old volume to scale from";
}

TEST_F(TargetsTest, StoredTargetsShowWithTheLimitsAsToolTips)
{
    session() = singleBrew();
    session().recipe.Doelstellingen(4) = 0;
    session().recipe.KetelInhoud = 120;
    session().recipe.MaximumAlcPerc = 8.5f;
    frmDoelstellingen *d = open();
    EXPECT_EQ(box(d, QStringLiteral("txtDoelVol"))->text(), " 20");
    EXPECT_EQ(box(d, QStringLiteral("txtDoelFG"))->text(), " 1012");
    EXPECT_EQ(box(d, QStringLiteral("txtDoelEBU"))->text(), "") << "a zero shows as an empty box";
    const std::pair<const char *, const char *> tips[] = {
        {"lblDoelVol", "Maximum aantal liters:  120"}, {"lblDoelPerc", "Maximum vol% alc:  8.5"},
        {"lblDoelFG", "FG range: 1000 - 1050 kg/m3"},  {"lblDoelEBU", "Maximum 150 EBU"},
        {"lblDoelCO2", "Koolzuur range: 3 - 8 gr/L"},
    };
    for (const auto &[label, tip] : tips)
        EXPECT_EQ(in<QLabel>(d, QLatin1String(label))->toolTip(), QLatin1String(tip));
}

TEST_F(TargetsTest, AVolumeChangeRescalesTheAromaHops)
{
    struct Case {
        const char *what;
        bool dubbel;
        int cells;          // the targets array's last cell before opening
        float v1, v2;       // old volumes
        const char *grams;  // aroma row of each beer before
        const char *after1, *after2;
    } const cases[] = {
        {"20 to 30 litres", false, 5, 20, 0, "24", "36", "24"},
        {"a row below one half gram after scaling", false, 5, 20, 0, "0.3", "", "0.3"},
        {"no old volume", false, 5, 0, 0, "24", "24", "24"},
        {"no targets cell", false, 0, 0, 0, "24", "24", "24"},
        {"double brew: each beer by its own volume", true, 10, 20, 10, "24", "36", "72"},
        {"double brew without an old second volume", true, 10, 20, 0, "24", "36", "24"},
    };
    for (const Case &c : cases) {
        session().app.dubbelBrouw = c.dubbel;
        RecipeState &r = session().recipe;
        r.Doelstellingen.redim(c.cells);
        if (c.cells >= 5) {
            for (int i = 1; i <= c.cells; ++i)
                r.Doelstellingen(i) = float(num::val(QString::fromLatin1(Valid[(i - 1) % 5])));
            r.Doelstellingen(1) = c.v1;
            if (c.cells == 10)
                r.Doelstellingen(6) = c.v2;
        }
        for (Table2D<QString> *list : {&r.Aromahop, &r.Aromahop2}) {
            list->redim(0, 6);
            (*list)(0, HopGram) = QLatin1String(c.grams);
        }
        frmDoelstellingen *d = open();
        fillValid(d, c.dubbel);
        box(d, QStringLiteral("txtDoelVol"))->setText(QStringLiteral("30"));
        if (c.dubbel)
            box(d, QStringLiteral("txtDoel2Vol"))->setText(QStringLiteral("30"));
        press(d, "cmdDSOK");
        EXPECT_EQ(r.Aromahop(0, HopGram), QLatin1String(c.after1)) << c.what;
        EXPECT_EQ(r.Aromahop2(0, HopGram), QLatin1String(c.after2)) << c.what;
        EXPECT_FLOAT_EQ(r.Doelstellingen(1), 30.0f) << c.what;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(TargetsTest, StylesFromAFixtureList)
{
    writeStyleList(QStringLiteral("BierSoorten.txt"), fixtureList);
    session().app.dubbelBrouw = true;
    session().recipe.Biersoort1 = QStringLiteral("Pils");
    session().recipe.Biersoort2 = QStringLiteral("Dubbel");
    frmDoelstellingen *d = open();
    for (int beer = 0; beer < 2; ++beer) {
        QComboBox *c = combo(d, beer);
        EXPECT_TRUE(c->isVisibleTo(d));
        QStringList names;
        for (int i = 0; i < c->count(); ++i)
            names << c->itemText(i);
        EXPECT_EQ(names, QStringList({"Pils", "Pilsener Urquell", "Bokbier", "Dubbel", "Dubbel", "Tripel"}));
    }
    EXPECT_EQ(combo(d, 0)->currentText(), "Pils");
    // Its own line, not a later one that merely contains the name.
    EXPECT_EQ(info(d, 0), "Lichtblond ondergistend bier.");
    // The last of two lines of the same name.
    EXPECT_EQ(info(d, 1), "Bruin; tweede regel.");

    // A choice is stored at once and marks the recipe changed.
    choose(combo(d, 0), QStringLiteral("Tripel"));
    EXPECT_EQ(session().recipe.Biersoort1, "Tripel");
    EXPECT_TRUE(session().recipe.ReceptGewijzigd);
    EXPECT_EQ(info(d, 0), "Sterk en blond, Pils als basis.");
    choose(combo(d, 1), QStringLiteral("Bokbier"));
    EXPECT_EQ(session().recipe.Biersoort2, "Bokbier");

    // Cancel puts back the styles found at opening.
    press(d, "cmdDSAnnuleren");
    EXPECT_EQ(session().recipe.Biersoort1, "Pils");
    EXPECT_EQ(session().recipe.Biersoort2, "Dubbel");
}

TEST_F(TargetsTest, TheCloseBoxKeepsAChosenStyle)
{
    writeStyleList(QStringLiteral("BierSoorten.txt"), fixtureList);
    frmDoelstellingen *d = open();
    EXPECT_EQ(combo(d, 0)->currentIndex(), -1);
    EXPECT_EQ(info(d, 0), "");
    choose(combo(d, 0), QStringLiteral("Bokbier"));
    d->close();
    EXPECT_EQ(session().recipe.Biersoort1, "Bokbier");
}

TEST_F(TargetsTest, AStoredStyleNoLongerListedShowsNoChoiceAndStays)
{
    writeStyleList(QStringLiteral("BierSoorten.txt"), fixtureList);
    session().recipe.Biersoort1 = QStringLiteral("Weizen");
    frmDoelstellingen *d = open();
    EXPECT_EQ(combo(d, 0)->currentIndex(), -1);
    EXPECT_EQ(info(d, 0), "");
    fillValid(d, false);
    press(d, "cmdDSOK");
    EXPECT_EQ(session().recipe.Biersoort1, "Weizen");
}

TEST_F(TargetsTest, TheListIsFoundInAnyLetterCaseAndItsAbsenceHidesTheCombos)
{
    writeStyleList(QStringLiteral("biersoorten.TXT"), fixtureList);
    frmDoelstellingen *d = open();
    EXPECT_TRUE(combo(d, 0)->isVisibleTo(d));
    EXPECT_EQ(combo(d, 0)->count(), 6);
    windows().unload(QStringLiteral("frmDoelstellingen"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QFile::remove(folder.file(QStringLiteral("biersoorten.TXT")));
    d = open();
    EXPECT_FALSE(combo(d, 0)->isVisibleTo(d));
    EXPECT_FALSE(combo(d, 1)->isVisibleTo(d));
    fillValid(d, false);
    press(d, "cmdDSOK");
    EXPECT_TRUE(session().recipe.hasStatus(StatusDoelstellingen)) << "the rest of the dialog works";
}

TEST_F(TargetsTest, AListThatIsNoFileWeReadIsNamedAndHidesTheCombos)
{
    QFile::remove(folder.file(QStringLiteral("BierSoorten.txt")));
    {
        Fifo pipe(folder.file(QStringLiteral("BierSoorten.txt")));
        ASSERT_TRUE(pipe.made());
        frmDoelstellingen *d = open();
        EXPECT_FALSE(pipe.blockedSomeone());
        EXPECT_FALSE(combo(d, 0)->isVisibleTo(d));
        EXPECT_EQ(fake.prompts(), QStringList{"BierSoorten.txt is geen gewoon bestand en wordt niet gelezen!"});
        windows().unload(QStringLiteral("frmDoelstellingen"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    fake.clear();
    ASSERT_TRUE(makeLargeFile(folder.file(QStringLiteral("BierSoorten.txt")), MaxTextFileSize + 1));
    frmDoelstellingen *d = open();
    EXPECT_FALSE(combo(d, 0)->isVisibleTo(d));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].prompt.startsWith(QStringLiteral("BierSoorten.txt is groter dan ")));
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
}

TEST_F(TargetsTest, TheShippedList)
{
    frmDoelstellingen *d = open();
    EXPECT_EQ(combo(d, 0)->count(), 78);
    choose(combo(d, 0), QStringLiteral("Altbier"));
    EXPECT_TRUE(info(d, 0).startsWith(QStringLiteral("Koperkleurig bovengistend bier uit D\u00FCsseldorf")))
        << qPrintable(info(d, 0));
}

TEST(StyleList, LinesNamesAndDescriptions)
{
    const QStringList lines = styleLines("A,eerste\r\nB,tweede, met komma\nzonder\r C ,derde\r\nA,laatste\r\n");
    EXPECT_EQ(lines, QStringList({"A,eerste", "B,tweede, met komma", "zonder", " C ,derde", "A,laatste"}));
    EXPECT_EQ(styleNames(lines), QStringList({"A", "B", " C ", "A"}));
    EXPECT_EQ(styleDescription(lines, QStringLiteral("A")), QStringLiteral("laatste"));
    EXPECT_EQ(styleDescription(lines, QStringLiteral("B")), QStringLiteral("tweede, met komma"));
    EXPECT_EQ(styleDescription(lines, QStringLiteral("C")), QStringLiteral("derde"));
    EXPECT_EQ(styleDescription(lines, QStringLiteral("zonder")), std::nullopt);
    EXPECT_EQ(styleDescription(lines, QStringLiteral("eerste")), std::nullopt);
}

// ---- Refusals, pastes and the brew-mode switch ------------------------------

TEST_F(TargetsTest, NothingIsStoredWhileAnOptimiserRuns)
{
    writeStyleList(QStringLiteral("BierSoorten.txt"), fixtureList);
    frmDoelstellingen *d = open();
    fillValid(d, false);
    session().app.optimiserBusy = true;
    choose(combo(d, 0), QStringLiteral("Bokbier"));
    press(d, "cmdDSOK");
    session().app.optimiserBusy = false;
    EXPECT_EQ(session().recipe.Biersoort1, "");
    EXPECT_EQ(combo(d, 0)->currentIndex(), -1) << "the refused choice is not shown either";
    EXPECT_FALSE(session().recipe.hasStatus(StatusDoelstellingen));
    EXPECT_FALSE(session().recipe.ReceptGewijzigd);
    EXPECT_TRUE(isOpen("frmDoelstellingen"));
    EXPECT_EQ(fake.messages.size(), 2u);
}

TEST_F(TargetsTest, APasteIsTakenWholeOrRefusedWhole)
{
    frmDoelstellingen *d = open();
    NumericEdit *vol = box(d, QStringLiteral("txtDoelVol"));
    vol->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("-7,5abc"));
    QTest::keyClick(vol, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(vol->text(), "");
    EXPECT_EQ(fake.beeps, 1);
    QApplication::clipboard()->setText(QStringLiteral("7,5"));
    QTest::keyClick(vol, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(vol->text(), "7.5");
    QTest::keyClicks(vol, QStringLiteral("-/x5"));
    EXPECT_EQ(vol->text(), "7.55");
    EXPECT_EQ(fake.beeps, 1);
}

TEST_F(TargetsTest, TheBrewModeSwitchClosesTheDialogsLaidOutForOneBeerOrTwo)
{
    session() = singleBrew();
    const char *const closing[] = {"frmDoelstellingen", "frmGistKeuze", "frmToevoegingen", "frmEvaluatie",
                                   "frmHopgift2"};
    const char *const staying[] = {"frmAlgemeen", "frmStorting", "frmMaischSchema", "frmHopgift"};
    for (const char *name : closing)
        windows().show(QLatin1String(name));
    for (const char *name : staying)
        windows().show(QLatin1String(name));
    trigger("mnuDubBrouw");
    for (const char *name : closing)
        EXPECT_FALSE(isOpen(name)) << name;
    for (const char *name : staying)
        EXPECT_TRUE(isOpen(name)) << name;
}

TEST_F(TargetsTest, TheBrewModeSwitchClosesAnOpenTargetsDialogUnstored)
{
    session() = singleBrew();
    frmDoelstellingen *d = open();
    box(d, QStringLiteral("txtDoelVol"))->setText(QStringLiteral("30"));
    trigger("mnuDubBrouw");
    EXPECT_FALSE(isOpen("frmDoelstellingen"));
    EXPECT_FLOAT_EQ(session().recipe.Doelstellingen(1), 20.0f);
    // Opened again, it shows both beers.
    d = open();
    EXPECT_TRUE(in<QGroupBox>(d, QStringLiteral("fraDoel2"))->isVisibleTo(d));
}

// The grain bill dialog driven through its real boxes: the check's rewritten
// texts and marks, the sum message, the store, the rows.
#include "editors/frmStorting.h"
#include "platform/NumericEdit.h"

#include "mainwindow/mainwindow_fixture.h"
#include "support/RecipeBuilders.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <vector>

using namespace mostarium;
using namespace mostarium::test;

namespace {

struct In {
    const char *perc, *bzr = "0.8", *ebc = "5", *laat = "0";
};

class StortingTest : public MainWindowTest {
protected:
    frmStorting *open()
    {
        trigger("mnuStorting");
        auto *d = qobject_cast<frmStorting *>(windows().find(QStringLiteral("frmStorting")));
        EXPECT_NE(d, nullptr);
        return d;
    }
    static QLineEdit *box(QWidget *d, const char *prefix, int i)
    {
        auto *b = d->findChild<QLineEdit *>(rowName(QString::fromLatin1(prefix), i));
        EXPECT_NE(b, nullptr) << prefix << i;
        return b;
    }
    static QCheckBox *late(QWidget *d, int i) { return d->findChild<QCheckBox *>(rowName(u"chkStLaat", i)); }
    static void click(QWidget *d, const char *name)
    {
        auto *b = d->findChild<QPushButton *>(QLatin1String(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    // Types the rows into a freshly opened dialog, "+" for each row after the first.
    static void fill(QWidget *d, const std::vector<In> &rows)
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i > 0)
                click(d, "cmdStPlus");
            const int k = int(i);
            box(d, "txtStIngred", k)->setText(QStringLiteral("mout ") + QString::number(k));
            box(d, "txtStPerc", k)->setText(QLatin1String(rows[i].perc));
            box(d, "txtStBZR", k)->setText(QLatin1String(rows[i].bzr));
            box(d, "txtStEBC", k)->setText(QLatin1String(rows[i].ebc));
            late(d, k)->setChecked(QLatin1String(rows[i].laat) == QLatin1String("1"));
        }
    }
    // "RW.." per row: red or white.
    static QString marks(QWidget *d, const char *prefix, int rows)
    {
        QString m;
        for (int i = 0; i < rows; ++i)
            m += isMarkedBad(box(d, prefix, i)) ? u'R' : u'W';
        return m;
    }
};

}  // namespace

TEST_F(StortingTest, TheCheckRewritesMarksReportsAndStores)
{
    static const std::string huge(400, '9');
    const char *kHuge = huge.c_str();
    struct Case {
        const char *what;
        bool grams;
        std::vector<In> rows;
        QStringList percAfter;
        const char *percRed, *bzrRed, *ebcRed;
        const char *message;  // nullptr: none
        bool stored;
    };
    const Case cases[] = {
        {"50 and 50", false, {{"50"}, {"50"}}, {"50.00", "50.00"}, "WW", "WW", "WW", nullptr, true},
        {"rounded after every addition",
         false,
         {{"33.33"}, {"33.33"}, {"33.34"}},
         {"33.33", "33.33", "33.34"},
         "WWW",
         "WWW",
         "WWW",
         nullptr,
         true},
        {"formatted shares miss 100",
         false,
         {{"33.333"}, {"33.333"}, {"33.334"}},
         {"33.33", "33.33", "33.33"},
         "RRR",
         "WWW",
         "WWW",
         "Som der percentages is 99.99%!",
         false},
        {"grams 5000 and 1000", true, {{"5000"}, {"1000"}}, {"83.33", "16.67"}, "WW", "WW", "WW", nullptr, true},
        {"three equal weights",
         true,
         {{"1000"}, {"1000"}, {"1000"}},
         {"33.33", "33.33", "33.33"},
         "RRR",
         "WWW",
         "WWW",
         "Som der percentages is 99.99%!",
         false},
        // Yield and colour are not reached: their bad values stay white.
        {"an empty share", false, {{"50", "0", "3001"}, {""}}, {"50.00", ""}, "WR", "WW", "WW", nullptr, false},
        {"a share of 0", false, {{"0"}, {"100"}}, {"0.00", "100.00"}, "RW", "WW", "WW", nullptr, false},
        {"a single 150", false, {{"150"}}, {"150.00"}, "R", "W", "W", "Som der percentages is 150%!", false},
        {"a sum above 100",
         false,
         {{"60"}, {"40.5"}},
         {"60.00", "40.50"},
         "RR",
         "WW",
         "WW",
         "Som der percentages is 100.5%!",
         false},
        {"yield bounds",
         false,
         {{"25", "1"}, {"25", "0"}, {"25", "1.01"}, {"25", "0.75"}},
         {"25.00", "25.00", "25.00", "25.00"},
         "WWWW",
         "WRRW",
         "WWWW",
         nullptr,
         false},
        {"colour bounds",
         false,
         {{"25", "0.8", "0"}, {"25", "0.8", "3000"}, {"25", "0.8", "3000.5"}, {"25", "0.8", ""}},
         {"25.00", "25.00", "25.00", "25.00"},
         "WWWW",
         "WWWW",
         "WWRW",
         nullptr,
         false},
        {"an empty colour is stored empty", false, {{"100", "0.8", ""}}, {"100.00"}, "W", "W", "W", nullptr, true},
        // The whole text must be a number: the sum and the grams need it.
        {"1.2.3", false, {{"1.2.3"}, {"50"}}, {"1.2.3", "50.00"}, "RW", "WW", "WW", nullptr, false},
        {"a lone point", false, {{"."}, {"100"}}, {".", "100.00"}, "RW", "WW", "WW", nullptr, false},
        {"grams 1.2.3", true, {{"1.2.3"}, {"500"}}, {"1.2.3", "500.00"}, "RW", "WW", "WW", nullptr, false},
        {"grams adding up to 0", true, {{"0"}, {"0"}}, {"0.00", "0.00"}, "RR", "WW", "WW", nullptr, false},
        {"a yield too large for a number", false, {{"100", kHuge}}, {"100.00"}, "W", "R", "W", nullptr, false},
        {"a share too large to add", false, {{"100000000000000"}}, {"100000000000000"}, "R", "W", "W", nullptr, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        session().recipe.Storting.redim(0, 4);
        session().recipe.ReceptStatus = 0;
        session().recipe.ReceptGewijzigd = false;
        fake.clear();
        frmStorting *d = open();
        ASSERT_NE(d, nullptr);
        fill(d, c.rows);
        d->findChild<QCheckBox *>("chkSTInGrammen")->setChecked(c.grams);
        click(d, "cmdStOK");

        const int n = int(c.rows.size());
        QStringList after;
        for (int i = 0; i < n; ++i)
            after << box(d, "txtStPerc", i)->text();
        EXPECT_EQ(after, c.percAfter);
        EXPECT_EQ(marks(d, "txtStPerc", n), QLatin1String(c.percRed));
        EXPECT_EQ(marks(d, "txtStBZR", n), QLatin1String(c.bzrRed));
        EXPECT_EQ(marks(d, "txtStEBC", n), QLatin1String(c.ebcRed));
        if (c.message) {
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_EQ(fake.messages[0].prompt, QLatin1String(c.message));
            EXPECT_EQ(fake.messages[0].style, 48);
            EXPECT_EQ(fake.messages[0].title, "Attentie!");
        } else {
            EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        }
        EXPECT_EQ(session().recipe.hasStatus(StatusStorting), c.stored);
        EXPECT_EQ(session().recipe.ReceptGewijzigd, c.stored);
        EXPECT_EQ(d->isVisible(), !c.stored);
        if (c.stored) {
            const Table2D<QString> &st = session().recipe.Storting;
            ASSERT_EQ(st.rows(), n);
            ASSERT_EQ(st.cols(), 5);
            for (int i = 0; i < n; ++i) {
                EXPECT_EQ(st(i, StIngred), QStringLiteral("mout ") + QString::number(i));
                EXPECT_EQ(st(i, StPerc), c.percAfter[i]);
                EXPECT_EQ(st(i, StBZR), QLatin1String(c.rows[i].bzr)) << "as typed";
                EXPECT_EQ(st(i, StEBC), QLatin1String(c.rows[i].ebc));
                EXPECT_EQ(st(i, StLaat), "0");
            }
        } else {
            EXPECT_TRUE(c.grams == d->findChild<QCheckBox *>("chkSTInGrammen")->isChecked());
        }
        if (d->isVisible())
            click(d, "cmdStAnnuleer");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(StortingTest, GramsStayGramsInTheHeaderAfterAFailedConversion)
{
    frmStorting *d = open();
    auto *header = d->findChild<QLabel *>("lblStPerc");
    EXPECT_EQ(header->text(), "Percentage");
    fill(d, {{"1000"}, {"1000"}, {"1000"}});
    d->findChild<QCheckBox *>("chkSTInGrammen")->setChecked(true);
    EXPECT_EQ(header->text(), "Grammen");
    EXPECT_EQ(header->toolTip(), "Aantal Grammen per ingredient in de Storting. Wordt omgerekend naar Percentages!");
    click(d, "cmdStOK");
    EXPECT_TRUE(d->findChild<QCheckBox *>("chkSTInGrammen")->isChecked());
    EXPECT_EQ(header->text(), "Grammen");

    // A second OK takes the shares as grams again: now they add up.
    fake.clear();
    box(d, "txtStPerc", 2)->setText(QStringLiteral("33.34"));
    click(d, "cmdStOK");
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(session().recipe.Storting(2, StPerc), "33.34");

    d = open();
    EXPECT_FALSE(d->findChild<QCheckBox *>("chkSTInGrammen")->isChecked()) << "unticked at every load";
    d->findChild<QCheckBox *>("chkSTInGrammen")->setChecked(true);
    d->findChild<QCheckBox *>("chkSTInGrammen")->setChecked(false);
    EXPECT_EQ(d->findChild<QLabel *>("lblStPerc")->text(), "Percentage");
    EXPECT_EQ(d->findChild<QLabel *>("lblStPerc")->toolTip(), "Percentage van de Totale Storting");
}

TEST_F(StortingTest, EveryLateRowIsMarkedUntilOneGoesIntoTheMash)
{
    frmStorting *d = open();
    fill(d, {{"60", "0.8", "5", "1"}, {"40", "0.8", "5", "1"}});
    click(d, "cmdStOK");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(late(d, i)->text(), "!");
        EXPECT_EQ(late(d, i)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    EXPECT_FALSE(session().recipe.hasStatus(StatusStorting));

    late(d, 0)->setChecked(false);
    click(d, "cmdStOK");
    ASSERT_TRUE(session().recipe.hasStatus(StatusStorting));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(late(d, i)->text(), "");
        EXPECT_EQ(late(d, i)->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    }
    EXPECT_EQ(session().recipe.Storting(0, StLaat), "0");
    EXPECT_EQ(session().recipe.Storting(1, StLaat), "1");

    // A single row must not be late either.
    d = open();
    click(d, "cmdStVerwijder");
    late(d, 0)->setChecked(true);
    box(d, "txtStPerc", 0)->setText(QStringLiteral("100"));
    click(d, "cmdStOK");
    EXPECT_EQ(late(d, 0)->text(), "!");
    EXPECT_TRUE(d->isVisible());
}

TEST_F(StortingTest, LoadingShowsEveryStoredRowFormatted)
{
    // Row 0's share is empty: the rows behind it still show, else OK would
    // drop them.
    setGrainBill(session(), {{"Pils", "", "0.756", "3", "0"},
                             {"Munich", "35", "0.78", "15", "1"},
                             {"Suiker", "5", "1", "", "2"},
                             {"Rogge", "a", "x", "7", " 1"}});
    frmStorting *d = open();
    ASSERT_EQ(d->rowCount(), 4);
    const char *ingred[] = {"Pils", "Munich", "Suiker", "Rogge"};
    const char *perc[] = {"", "35.00", "5.00", "a"};
    const char *bzr[] = {"0.76", "0.78", "1.00", "x"};
    const char *ebc[] = {"3", "15", "", "7"};
    const bool laat[] = {false, true, false, false};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(box(d, "txtStIngred", i)->text(), QLatin1String(ingred[i]));
        EXPECT_EQ(box(d, "txtStPerc", i)->text(), QLatin1String(perc[i]));
        EXPECT_EQ(box(d, "txtStBZR", i)->text(), QLatin1String(bzr[i]));
        EXPECT_EQ(box(d, "txtStEBC", i)->text(), QLatin1String(ebc[i]));
        EXPECT_EQ(late(d, i)->isChecked(), laat[i]) << "only \"1\" is late";
    }
}

TEST_F(StortingTest, ARecipeWithoutGrainOpensWithOneEmptyRow)
{
    frmStorting *d = open();
    EXPECT_EQ(d->rowCount(), 1);
    for (const char *p : {"txtStIngred", "txtStPerc", "txtStBZR", "txtStEBC"})
        EXPECT_EQ(box(d, p, 0)->text(), "") << p;
    EXPECT_FALSE(late(d, 0)->isChecked());
    EXPECT_EQ(d->windowTitle(), "Storting");
}

TEST_F(StortingTest, RowsComeAndGoAtTheBottomThreeHundredTwipsApart)
{
    frmStorting *d = open();
    late(d, 0)->setChecked(true);
    for (int i = 1; i < 12; ++i)
        click(d, "cmdStPlus");
    ASSERT_EQ(d->rowCount(), 10) << "ten rows at most";
    EXPECT_EQ(box(d, "txtStIngred", 9)->text(), "");
    EXPECT_FALSE(late(d, 9)->isChecked()) << "a new row is not late";
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        for (const char *p : {"txtStIngred", "txtStPerc", "txtStBZR", "txtStEBC"}) {
            EXPECT_EQ(twipsOf(box(d, p, i)).top(), 600 + 300 * i) << p;
            EXPECT_EQ(twipsOf(box(d, p, i)).left(), twipsOf(box(d, p, 0)).left()) << p;
            EXPECT_EQ(box(d, p, i)->geometry().top(), 40 + 20 * i) << p;
        }
        EXPECT_EQ(twipsOf(late(d, i)).top(), 600 + 300 * i);
        EXPECT_EQ(twipsOf(late(d, i)).height(), 195);
        EXPECT_EQ(late(d, i)->geometry().top(), 40 + 20 * i);
    }
    // The buttons stand below the tenth row.
    EXPECT_GT(twipsOf(d->findChild<QPushButton *>("cmdStPlus")).top(), 600 + 300 * 9 + 225);

    for (int i = 0; i < 12; ++i)
        click(d, "cmdStVerwijder");
    EXPECT_EQ(d->rowCount(), 1) << "row 0 stays";
    EXPECT_TRUE(late(d, 0)->isChecked()) << "what row 0 holds stays";
    EXPECT_EQ(late(d, 1), nullptr);
}

TEST_F(StortingTest, PlusFocusesTheNewRowAndMovesItselfInTheTabOrder)
{
    frmStorting *d = open();
    d->activateWindow();
    click(d, "cmdStPlus");
    EXPECT_EQ(d->focusWidget(), box(d, "txtStIngred", 1));

    // Tab order from the first box: row by row, then the add button.
    QStringList order;
    QWidget *w = box(d, "txtStIngred", 0);
    order << w->objectName();
    for (int k = 0; k < 11; ++k) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(d));
        order << w->objectName();
    }
    EXPECT_EQ(order,
              QStringList({"txtStIngred_0", "txtStPerc_0", "txtStBZR_0", "txtStEBC_0", "chkStLaat_0", "txtStIngred_1",
                           "txtStPerc_1", "txtStBZR_1", "txtStEBC_1", "chkStLaat_1", "cmdStPlus", "cmdStVerwijder"}));

    // A new row is empty, so OK fails until it is filled.
    box(d, "txtStPerc", 0)->setText(QStringLiteral("100"));
    box(d, "txtStBZR", 0)->setText(QStringLiteral("0.8"));
    click(d, "cmdStOK");
    EXPECT_TRUE(isMarkedBad(box(d, "txtStPerc", 1)));
    EXPECT_FALSE(session().recipe.hasStatus(StatusStorting));
}

TEST_F(StortingTest, NumericBoxesTakeOnlyDigitsAndPoints)
{
    frmStorting *d = open();
    QLineEdit *perc = box(d, "txtStPerc", 0);
    QTest::keyClicks(perc, QStringLiteral("1-2/a3,5e"));
    EXPECT_EQ(perc->text(), "123.5") << "the comma typed is the point";
    QTest::keyClicks(box(d, "txtStIngred", 0), QStringLiteral("Pils-mout 2,5"));
    EXPECT_EQ(box(d, "txtStIngred", 0)->text(), "Pils-mout 2,5") << "the name takes any key";
}

TEST_F(StortingTest, ElevenStoredRowsShowButOkWaitsUntilTheExtraRowIsGone)
{
    std::vector<Grain> rows;
    for (int i = 0; i < 11; ++i)
        rows.push_back({"mout", i < 10 ? "10" : "0", "0.8", "5"});
    setGrainBill(session(),
                 {rows[0], rows[1], rows[2], rows[3], rows[4], rows[5], rows[6], rows[7], rows[8], rows[9], rows[10]});
    frmStorting *d = open();
    ASSERT_EQ(d->rowCount(), 11);
    EXPECT_EQ(twipsOf(box(d, "txtStPerc", 10)).top(), 600 + 3000);
    EXPECT_GT(twipsOf(d->findChild<QPushButton *>("cmdStPlus")).top(), 600 + 3000 + 225) << "below the last row";
    click(d, "cmdStPlus");
    EXPECT_EQ(d->rowCount(), 11);

    session().recipe.ReceptStatus = 0;
    box(d, "txtStPerc", 10)->setText(QStringLiteral("5"));
    box(d, "txtStPerc", 9)->setText(QStringLiteral("5"));
    click(d, "cmdStOK");
    EXPECT_TRUE(fake.messages.empty()) << "the shares add up";
    EXPECT_TRUE(d->isVisible());
    for (const char *p : {"txtStIngred", "txtStPerc", "txtStBZR", "txtStEBC"}) {
        EXPECT_TRUE(isMarkedBad(box(d, p, 10))) << p;
        EXPECT_FALSE(isMarkedBad(box(d, p, 9))) << p;
    }
    EXPECT_FALSE(session().recipe.hasStatus(StatusStorting));

    click(d, "cmdStVerwijder");
    box(d, "txtStPerc", 9)->setText(QStringLiteral("10"));
    click(d, "cmdStOK");
    ASSERT_TRUE(session().recipe.hasStatus(StatusStorting));
    EXPECT_EQ(session().recipe.Storting.rows(), 10);
}

TEST_F(StortingTest, CancelKeepsTheRecipeAndEndsTheWizard)
{
    setGrainBill(session(), {{"Pils", "100", "0.8", "3"}});
    session().recipe.ReceptGewijzigd = false;
    const Table2D<QString> before = session().recipe.Storting;
    session().app.wizardActief = true;
    frmStorting *d = open();
    box(d, "txtStPerc", 0)->setText(QStringLiteral("50"));
    click(d, "cmdStPlus");
    click(d, "cmdStAnnuleer");
    EXPECT_EQ(session().recipe.Storting, before);
    EXPECT_FALSE(session().recipe.ReceptGewijzigd);
    EXPECT_FALSE(session().app.wizardActief);
}

TEST_F(StortingTest, InTheWizardOkOpensTheMashSchedule)
{
    session().app.wizardActief = true;
    frmStorting *d = open();
    fill(d, {{"100"}});
    click(d, "cmdStOK");
    EXPECT_TRUE(isOpen("frmMaischSchema"));
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmStorting")));
}

TEST_F(StortingTest, HelpOpensItsTopic)
{
    frmStorting *d = open();
    auto *help = d->findChild<QLabel *>("picStHelp");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->toolTip(), "Open OnLine Help");
    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{"MI_R_Storting.htm"});
}

// The general-data dialog, its dates and captions, and the wizard's first
// steps through the main window.
#include "editors_fixture.h"

#include "core/Recalc.h"
#include "core/ScheduleDisplay.h"
#include "editors/DutchDates.h"
#include "editors/frmAlgemeen.h"
#include "editors/frmDoelstellingen.h"
#include "platform/Twips.h"

#include "support/RecipeBuilders.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class AlgemeenTest : public EditorsTest {
protected:
    frmAlgemeen *open()
    {
        trigger("mnuAlgemeen");
        return dialog<frmAlgemeen>("frmAlgemeen");
    }
    static QLineEdit *text(QWidget *d, const char *name) { return in<QLineEdit>(d, QLatin1String(name)); }
    static QCalendarWidget *calendar(QWidget *d, const char *name)
    {
        return in<QCalendarWidget>(d, QLatin1String(name));
    }
    // Clicks a day of the calendar as the mouse would.
    static void clickDay(QCalendarWidget *c, QDate date)
    {
        c->setSelectedDate(date);
        emit c->clicked(date);
    }
};

}  // namespace

TEST(DutchDates, WrittenAndReadBack)
{
    EXPECT_EQ(dates::format(QDate(2024, 3, 12)), "12-mrt-2024");
    EXPECT_EQ(dates::format(QDate(2026, 10, 5)), "05-okt-2026");
    EXPECT_EQ(dates::format(QDate(2026, 5, 31)), "31-mei-2026");
    for (int m = 1; m <= 12; ++m) {
        const QDate d(2025, m, 28);
        EXPECT_EQ(dates::parse(dates::format(d)), d) << qPrintable(dates::format(d));
    }
    struct Case {
        const char *text;
        QDate date;
    } const cases[] = {
        {"03-10-2026", QDate(2026, 10, 3)},  // the sample recipes
        {" 12-MRT-2024 ", QDate(2024, 3, 12)},
        {"2024-03-12", QDate(2024, 3, 12)},
        {"12-mrt.-2024", QDate()},
        {"31-02-2024", QDate()},
        {"12-13-2024", QDate()},
        {"12-xyz-2024", QDate()},
        {"eind maart", QDate()},
        {"", QDate()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dates::parse(QLatin1String(c.text)), c.date) << c.text;
}

TEST_F(AlgemeenTest, LoadsTheEntriesAndOpensTheCalendarsOnTheirDates)
{
    RecipeState &r = session().recipe;
    for (int i = 0; i < 8; ++i)
        r.Algemeen(i) = QStringLiteral("cel %1").arg(i);
    r.Algemeen(6) = QStringLiteral("03-10-2026");
    r.Algemeen(7) = QStringLiteral("na de gisting");
    frmAlgemeen *d = open();
    EXPECT_EQ(text(d, "txtAlgBierNaam")->text(), "cel 0");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(in<QLineEdit>(d, QStringLiteral("txtAlgBrouwers_%1").arg(i))->text(),
                  QStringLiteral("cel %1").arg(i + 1));
    EXPECT_EQ(text(d, "txtAlgBrouwdatum")->text(), "03-10-2026");
    EXPECT_EQ(calendar(d, "MonthView1")->selectedDate(), QDate(2026, 10, 3));
    EXPECT_EQ(calendar(d, "MonthView2")->selectedDate(), fake.clock.date()) << "free text: today";

    // A picked day replaces the typed text; nothing is stored before OK.
    clickDay(calendar(d, "MonthView2"), QDate(2026, 11, 7));
    EXPECT_EQ(text(d, "txtAlgBotteldatum")->text(), "07-nov-2026");
    EXPECT_EQ(r.Algemeen(7), "na de gisting");
    press(d, "cmdAlgOK");
    EXPECT_EQ(r.Algemeen(7), "07-nov-2026");
    EXPECT_EQ(r.Algemeen(3), "cel 3");
}

TEST_F(AlgemeenTest, StoresAsTypedWithTheBitAndTheChangedFlag)
{
    struct Case {
        const char *what;
        QStringList before, typed;  // cells 0..7
        bool bit, changed, framesShown;
    } const cases[] = {
        {"a beer name", {"", "", "", "", "", "", "", ""}, {" Blond ", "", "", "", "", "", "", ""}, true, true, true},
        {"a brewer only", {"", "", "", "", "", "", "", ""}, {"", "", "", "", "Piet", "", "", ""}, true, true, true},
        {"unchanged entries still mark the recipe",
         {"Blond", "", "", "", "", "", "", ""},
         {"Blond", "", "", "", "", "", "", ""},
         true,
         true,
         true},
        {"only a bottling date, newly typed",
         {"", "", "", "", "", "", "", ""},
         {"", "", "", "", "", "", "", "26-04-2026"},
         false,
         true,
         false},
        {"only a bottling date, unchanged",
         {"", "", "", "", "", "", "", "26-04-2026"},
         {"", "", "", "", "", "", "", "26-04-2026"},
         false,
         false,
         false},
        {"everything emptied",
         {"Blond", "Jan", "", "", "", "", "12-04-2026", "26-04-2026"},
         {"", "", "", "", "", "", "", ""},
         false,
         true,
         false},
    };
    for (const Case &c : cases) {
        session() = Session{};
        RecipeState &r = session().recipe;
        for (int i = 0; i < 8; ++i)
            r.Algemeen(i) = c.before[i];
        r.ReceptStatus = c.before.join(QString()).isEmpty() ? 0 : StatusAlgemeen;
        frmAlgemeen *d = open();
        text(d, "txtAlgBierNaam")->setText(c.typed[0]);
        for (int i = 0; i < 5; ++i)
            in<QLineEdit>(d, QStringLiteral("txtAlgBrouwers_%1").arg(i))->setText(c.typed[i + 1]);
        text(d, "txtAlgBrouwdatum")->setText(c.typed[6]);
        text(d, "txtAlgBotteldatum")->setText(c.typed[7]);
        press(d, "cmdAlgOK");
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(r.Algemeen(i), c.typed[i]) << c.what << " cell " << i;
        EXPECT_EQ(r.hasStatus(StatusAlgemeen), c.bit) << c.what;
        EXPECT_EQ(r.ReceptGewijzigd, c.changed) << c.what;
        EXPECT_EQ(session().view.fraBrouwSchema.visible, c.framesShown) << c.what;
        EXPECT_EQ(session().view.panels[1].enabled, c.bit) << c.what << ": status-bar panel 2";
        EXPECT_FALSE(isOpen("frmAlgemeen")) << c.what;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(AlgemeenTest, FrameCaptions)
{
    struct Case {
        const char *what;
        Session (*recipe)();
        int attr;
        const char *schedule;
    } const cases[] = {
        {"no targets", [] { return Session{}; }, 0, " Brouwschema Blond"},
        {"single brew", [] { return singleBrew(); }, 0, " Brouwschema Blond 20 L "},
        {"double brew", [] { return doubleBrew(); }, 0, " Brouwschema Blond 20/15 L "},
        {"read-only file", [] { return singleBrew(); }, 1, " Brouwschema Blond 20 L   (Alleen lezen!) "},
    };
    for (const Case &c : cases) {
        session() = c.recipe();
        session().recipe.ReceptAttr = c.attr;
        frmAlgemeen *d = open();
        text(d, "txtAlgBierNaam")->setText(QStringLiteral("Blond"));
        press(d, "cmdAlgOK");
        EXPECT_EQ(session().view.fraBrouwSchema.caption, QLatin1String(c.schedule)) << c.what;
        EXPECT_EQ(session().view.fraEvaluatie.caption, " Evaluatie Blond") << c.what;
        // The main window shows it once the event loop is reached.
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(child<QGroupBox>("fraBrouwSchema")->title(), QLatin1String(c.schedule)) << c.what;
        EXPECT_EQ(w->shownRevision(), session().view.revision) << c.what;
    }
}

// A name of a megabyte (as a recipe file or an import may bring) stays whole in
// the recipe and the display model; the frames show what they can hold, the
// start of the caption and its volumes, the middle cut to an ellipsis.
TEST_F(AlgemeenTest, ALongNameIsCutToWhatTheFrameHolds)
{
    session() = doubleBrew();
    const QString name = QStringLiteral("Blond") + QString(1'000'000, u'x') + QStringLiteral("Eind");
    session().recipe.Algemeen(0) = name;
    UpdateBrouwschema(session());
    AlgemeenCaptions(session());
    w->refreshView();
    EXPECT_EQ(session().recipe.Algemeen(0), name);
    EXPECT_EQ(session().view.fraBrouwSchema.caption,
              QStringLiteral(" Brouwschema ") + name + QStringLiteral(" 20/15 L "));
    EXPECT_EQ(session().view.fraEvaluatie.caption, QStringLiteral(" Evaluatie ") + name);
    for (const char *frameName : {"fraBrouwSchema", "fraEvaluatie"}) {
        auto *frame = child<QGroupBox>(frameName);
        ASSERT_NE(frame, nullptr);
        const QString title = frame->title();
        EXPECT_LE(frame->fontMetrics().horizontalAdvance(title), frame->width()) << frameName;
        EXPECT_TRUE(title.contains(QChar(0x2026))) << frameName;
    }
    const QString schedule = child<QGroupBox>("fraBrouwSchema")->title();
    EXPECT_TRUE(schedule.startsWith(QStringLiteral(" Brouwschema Blondxx"))) << qPrintable(schedule.left(40));
    EXPECT_TRUE(schedule.endsWith(QStringLiteral("xxEind 20/15 L "))) << qPrintable(schedule.right(40));
    EXPECT_TRUE(child<QGroupBox>("fraEvaluatie")->title().endsWith(QStringLiteral("xxEind")));
}

// A text box holds at most 32,767 characters of a longer stored text: a box
// the brewer leaves alone gives its stored text back whole, one the brewer
// changes (also by cutting the end of what it shows, or by a calendar's pick)
// stores what it shows.
TEST_F(AlgemeenTest, LongStoredTextsStayWholeUnlessTheBrewerChangesThem)
{
    const auto longText = [](int cell) {
        return QStringLiteral("Begin%1").arg(cell) + QString(1'000'000, QChar(u'a' + cell))
               + QStringLiteral("Eind%1").arg(cell);
    };
    RecipeState &r = session().recipe;
    for (int i = 0; i < 8; ++i)
        r.Algemeen(i) = longText(i);
    frmAlgemeen *d = open();
    QLineEdit *name = text(d, "txtAlgBierNaam");
    EXPECT_EQ(name->text(), longText(0).left(name->maxLength())) << "the box shows what it holds";
    EXPECT_EQ(calendar(d, "MonthView1")->selectedDate(), fake.clock.date());

    // The brewer: the second brewer's box loses its last letter, the fourth's
    // is typed anew, the bottling date is picked; the rest is left alone.
    QLineEdit *second = in<QLineEdit>(d, QStringLiteral("txtAlgBrouwers_1"));
    second->setFocus();
    QTest::keyClick(second, Qt::Key_End);
    QTest::keyClick(second, Qt::Key_Backspace);
    const QString shortened = second->text();
    ASSERT_EQ(shortened.size(), second->maxLength() - 1);
    QLineEdit *fourth = in<QLineEdit>(d, QStringLiteral("txtAlgBrouwers_3"));
    fourth->selectAll();
    QTest::keyClicks(fourth, QStringLiteral("Piet"));
    clickDay(calendar(d, "MonthView2"), QDate(2026, 11, 7));
    press(d, "cmdAlgOK");

    const QString expected[8] = {longText(0),
                                 longText(1),
                                 shortened,
                                 longText(3),
                                 QStringLiteral("Piet"),
                                 longText(5),
                                 longText(6),
                                 QStringLiteral("07-nov-2026")};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(r.Algemeen(i).size(), expected[i].size()) << "cell " << i;
        EXPECT_TRUE(r.Algemeen(i) == expected[i]) << "cell " << i;
    }
    EXPECT_EQ(session().view.fraEvaluatie.caption, QStringLiteral(" Evaluatie ") + longText(0));

    // Opened again and left alone, the whole name stays.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    press(open(), "cmdAlgOK");
    EXPECT_TRUE(r.Algemeen(0) == longText(0));
}

TEST_F(AlgemeenTest, TheWizardRunsFromGeneralDataThroughTheTargets)
{
    session().app.dubbelBrouw = true;
    clickButton("Wizard");
    EXPECT_TRUE(session().app.wizardActief);
    frmAlgemeen *a = dialog<frmAlgemeen>("frmAlgemeen");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isVisible());
    text(a, "txtAlgBierNaam")->setText(QStringLiteral("Tripel"));
    press(a, "cmdAlgOK");
    EXPECT_FALSE(isOpen("frmAlgemeen"));

    // The targets dialog, laid out for the brew mode as its menu command does.
    auto *t = dialog<frmDoelstellingen>("frmDoelstellingen");
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(t->width(), layout::px(11000));
    EXPECT_EQ(in<QGroupBox>(t, QStringLiteral("fraDoel1"))->title(), " Doelstellingen te maken dikbier ");
    EXPECT_TRUE(session().view.panels[1].enabled);

    for (const char *name : {"txtDoelVol", "txtDoel2Vol"})
        box(t, QLatin1String(name))->setText(QStringLiteral("20"));
    for (const char *name : {"txtDoelPerc", "txtDoel2Perc", "txtDoelCO2", "txtDoel2CO2"})
        box(t, QLatin1String(name))->setText(QStringLiteral("5"));
    for (const char *name : {"txtDoelFG", "txtDoel2FG"})
        box(t, QLatin1String(name))->setText(QStringLiteral("1010"));
    for (const char *name : {"txtDoelEBU", "txtDoel2EBU"})
        box(t, QLatin1String(name))->setText(QStringLiteral("25"));
    press(t, "cmdDSOK");
    EXPECT_FALSE(isOpen("frmDoelstellingen"));
    EXPECT_TRUE(isOpen("frmStorting"));
    EXPECT_TRUE(session().app.wizardActief);
}

TEST_F(AlgemeenTest, CancelEndsTheWizardTheCloseBoxLeavesItWaiting)
{
    trigger("mnuWizard");
    frmAlgemeen *a = dialog<frmAlgemeen>("frmAlgemeen");
    a->close();
    EXPECT_FALSE(isOpen("frmAlgemeen"));
    EXPECT_TRUE(session().app.wizardActief);

    // The next OK goes on from its own dialog.
    a = open();
    press(a, "cmdAlgOK");
    auto *t = dialog<frmDoelstellingen>("frmDoelstellingen");
    ASSERT_NE(t, nullptr);
    press(t, "cmdDSAnnuleren");
    EXPECT_FALSE(session().app.wizardActief);
    EXPECT_FALSE(isOpen("frmDoelstellingen"));

    trigger("mnuWizard");
    press(dialog("frmAlgemeen"), "cmdAlgAnnuleer");
    EXPECT_FALSE(session().app.wizardActief);
    EXPECT_FALSE(isOpen("frmDoelstellingen"));
}

TEST_F(AlgemeenTest, ReopeningKeepsTheEdits)
{
    frmAlgemeen *a = open();
    text(a, "txtAlgBierNaam")->setText(QStringLiteral("Nog niet opgeslagen"));
    session().recipe.Algemeen(0) = QStringLiteral("Elders gewijzigd");
    EXPECT_EQ(open(), a);
    EXPECT_EQ(text(a, "txtAlgBierNaam")->text(), "Nog niet opgeslagen");
}

TEST_F(AlgemeenTest, NothingIsStoredWhileAnOptimiserRuns)
{
    frmAlgemeen *a = open();
    text(a, "txtAlgBierNaam")->setText(QStringLiteral("Blond"));
    session().app.optimiserBusy = true;
    press(a, "cmdAlgOK");
    session().app.optimiserBusy = false;
    EXPECT_EQ(session().recipe.Algemeen(0), "");
    EXPECT_FALSE(session().recipe.ReceptGewijzigd);
    EXPECT_TRUE(isOpen("frmAlgemeen"));
}

TEST_F(AlgemeenTest, TheHelpPictureOpensItsTopic)
{
    frmAlgemeen *a = open();
    QTest::mouseClick(in<QWidget>(a, QStringLiteral("picAlg_Help")), Qt::LeftButton);
    EXPECT_EQ(fake.helpPages.size(), 1);
    EXPECT_TRUE(fake.helpPages.value(0).endsWith(QStringLiteral("MI_R_Algemeen.htm")));
}

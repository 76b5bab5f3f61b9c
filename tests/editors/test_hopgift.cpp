// Both hop dialogs driven through their real boxes: loading, the tool tips,
// the rows, the check with its rewrites, the store and the successors. Every
// table runs over the first and the second beer.
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Recalc.h"
#include "editors/frmHopgift.h"

#include "editors_fixture.h"
#include "support/RecipeBuilders.h"
#include "support/widgets/TypeInList.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QToolTip>
#include <QHelpEvent>
#include <vector>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const HopBindings *const kBeers[] = {&HopBindings::first(), &HopBindings::second()};

struct Texts {
    const char *soort, *vorm, *alfa, *hoeveel, *tijd, *grav;
};
const Texts kAroma = {"Saaz", "pellets", "5", "20", "15", "1050"};
const Texts kBitter = {"Magnum", "pellets", "10", "100", "60", "1050"};

class HopgiftTest : public EditorsTest {
protected:
    HopgiftDialog *open(const HopBindings &b)
    {
        windows().unload(QLatin1String(b.window));
        flush();
        auto *d = qobject_cast<HopgiftDialog *>(windows().show(QLatin1String(b.window)));
        EXPECT_NE(d, nullptr);
        return d;
    }
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static QLineEdit *edit(QWidget *d, const char16_t *prefix, int i) { return in<QLineEdit>(d, rowName(prefix, i)); }
    static QComboBox *combo(QWidget *d, const char16_t *prefix, int i) { return in<QComboBox>(d, rowName(prefix, i)); }
    static void fill(QWidget *d, bool aroma, int i, const Texts &t)
    {
        edit(d, aroma ? u"txtAHSoort" : u"txtBHSoort", i)->setText(QString::fromUtf8(t.soort));
        combo(d, aroma ? u"comAHHoedanigheid" : u"comBHHoedanigheid", i)->setEditText(QString::fromUtf8(t.vorm));
        edit(d, aroma ? u"txtAHalfaz" : u"txtBHalfaz", i)->setText(QString::fromUtf8(t.alfa));
        edit(d, aroma ? u"txtAHGram" : u"txtBHPerc", i)->setText(QString::fromUtf8(t.hoeveel));
        edit(d, aroma ? u"txtAHTijd" : u"txtBHTijd", i)->setText(QString::fromUtf8(t.tijd));
        edit(d, aroma ? u"txtAHGrav" : u"txtBHGrav", i)->setText(QString::fromUtf8(t.grav));
    }
    static QString share(QWidget *d, int i) { return edit(d, u"txtBHPerc", i)->text(); }
    static void shares(HopgiftDialog *d, const std::vector<const char *> &texts)
    {
        while (d->bitterCount() < int(texts.size()))
            d->cmdBHPlus_Click();
        int i = 0;
        for (const char *t : texts) {
            Texts row = kBitter;
            row.hoeveel = t;
            fill(d, false, i++, row);
        }
    }
};

}  // namespace

TEST_F(HopgiftTest, TheBoundsOfEveryBoxInBothBeers)
{
    struct Case {
        const char16_t *box;
        const char *text;
        bool first, second;  // passes in the first beer's dialog, in the second's
    };
    const Case cases[] = {
        {u"txtAHalfaz", "20", true, true},
        {u"txtAHalfaz", "20.1", false, true},
        {u"txtAHalfaz", "22", false, true},
        {u"txtAHalfaz", "22.1", false, false},
        {u"txtAHalfaz", "0", false, false},
        {u"txtBHalfaz", "20", true, true},
        {u"txtBHalfaz", "20.1", false, true},
        {u"txtBHalfaz", "22", false, true},
        {u"txtBHalfaz", "22.1", false, false},
        {u"txtAHGram", "2000", true, true},
        {u"txtAHGram", "2000.5", false, false},
        {u"txtAHGram", "", false, false},
        {u"txtAHTijd", "60", true, true},
        {u"txtAHTijd", "61", false, false},
        {u"txtBHTijd", "180", true, true},
        {u"txtBHTijd", "181", false, false},
        {u"txtBHTijd", "0.5", false, false},
        {u"txtBHTijd", "0.6", true, true},
        {u"txtAHGrav", "1000", false, false},
        {u"txtAHGrav", "1000.1", true, true},
        {u"txtAHGrav", "1200", true, true},
        {u"txtAHGrav", "1200.1", false, false},
        {u"txtBHGrav", "1000", false, false},
        {u"txtBHGrav", "1000.1", true, true},
        {u"txtBHGrav", "1200", true, true},
        {u"txtBHGrav", "1200.1", false, false},
        {u"txtBHGrav", "1e999", false, false},
        // The form as the recalculation reads it, trimmed and in lower case.
        {u"comAHHoedanigheid", " Bloemen ", true, true},
        {u"comAHHoedanigheid", "hele hop", false, false},
        {u"comBHHoedanigheid", "PELLETS", true, true},
        {u"comBHHoedanigheid", "", false, false},
        {u"comBHHoedanigheid", "plugs", false, false},
    };
    for (const HopBindings *b : kBeers) {
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message()
                         << b->window << " " << QString::fromUtf16(c.box).toStdString() << " = \"" << c.text << '"');
            HopgiftDialog *d = open(*b);
            fill(d, true, 0, kAroma);
            fill(d, false, 0, kBitter);
            QWidget *w = in<QWidget>(d, rowName(c.box, 0));
            if (auto *cb = qobject_cast<QComboBox *>(w))
                cb->setEditText(QString::fromUtf8(c.text));
            else
                static_cast<QLineEdit *>(w)->setText(QString::fromUtf8(c.text));
            const bool passes = b == &HopBindings::first() ? c.first : c.second;
            EXPECT_EQ(d->ControleerHopgift(), passes);
            EXPECT_EQ(isMarkedBad(w), !passes);
        }
    }
}

TEST_F(HopgiftTest, SharesAddUpInWholeTenthsAfterTheirRewrite)
{
    struct Case {
        std::vector<const char *> typed, shown;
        bool passes;
    };
    const Case cases[] = {
        {{"100"}, {"100.0"}, true},
        {{"50", "49.96"}, {"50.0", "50.0"}, true},
        {{"0.5", "99.5"}, {".5", "99.5"}, true},
        {{"33.3", "33.3", "33.4"}, {"33.3", "33.3", "33.4"}, true},
        {{"33.3", "33.4", "33.3"}, {"33.3", "33.4", "33.3"}, true},
        {{"33.4", "33.3", "33.3"}, {"33.4", "33.3", "33.3"}, true},
        {{"33.3", "33.3", "33.3"}, {"33.3", "33.3", "33.3"}, false},
        // No number as a whole: left as typed, its leading number counted.
        {{"1..5", "99"}, {"1..5", "99.0"}, true},
        {{"40..5", "60.5"}, {"40..5", "60.5"}, false},
        {{"101"}, {"101"}, false},
    };
    for (const HopBindings *b : kBeers) {
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << b->window << " " << *c.typed.begin() << " ...");
            HopgiftDialog *d = open(*b);
            fill(d, true, 0, kAroma);
            shares(d, c.typed);
            EXPECT_EQ(d->ControleerHopgift(), c.passes);
            int i = 0;
            for (const char *s : c.shown) {
                EXPECT_EQ(share(d, i), QString::fromUtf8(s));
                // A wrong sum marks every share, also those in range.
                EXPECT_EQ(isMarkedBad(edit(d, u"txtBHPerc", i)), !c.passes) << i;
                ++i;
            }
        }
    }
}

TEST_F(HopgiftTest, RowsWithoutAVarietyAreEmptiedInTheAromaListAndCheckedInTheBitterList)
{
    for (const HopBindings *b : kBeers) {
        SCOPED_TRACE(b->window);
        HopgiftDialog *d = open(*b);
        fill(d, true, 0, {"   ", "hele hop", "99", "-", "999", "5"});
        fill(d, false, 0, {"", "pellets", "10", "100", "60", "1050"});
        EXPECT_TRUE(d->ControleerHopgift());
        EXPECT_EQ(edit(d, u"txtAHSoort", 0)->text(), "   ") << "the variety stays";
        EXPECT_EQ(combo(d, u"comAHHoedanigheid", 0)->currentText(), "");
        for (const char16_t *p : {u"txtAHalfaz", u"txtAHGram", u"txtAHTijd", u"txtAHGrav"}) {
            EXPECT_EQ(edit(d, p, 0)->text(), "");
            EXPECT_FALSE(isMarkedBad(edit(d, p, 0)));
        }
        // The same bitter row with a bad value fails: every bitter row counts.
        edit(d, u"txtBHalfaz", 0)->setText(QStringLiteral("30"));
        EXPECT_FALSE(d->ControleerHopgift());
        EXPECT_TRUE(isMarkedBad(edit(d, u"txtBHalfaz", 0)));

        edit(d, u"txtBHalfaz", 0)->setText(QStringLiteral("10"));
        d->ok();
        flush();
        const Table2D<QString> &aroma = session().recipe.*b->aroma;
        const Table2D<QString> &bitter = session().recipe.*b->bitter;
        ASSERT_EQ(aroma.rows(), 1);
        EXPECT_EQ(aroma.colUbound(), 7);
        EXPECT_EQ(aroma(0, HopSoort), "   ");
        EXPECT_EQ(aroma(0, HopGravity), "");
        ASSERT_EQ(bitter.rows(), 1);
        EXPECT_EQ(bitter(0, HopSoort), "");
        EXPECT_EQ(bitter(0, HopPercBitterheid), "100.0");
        EXPECT_TRUE(session().recipe.hasStatus(b->bit));
        EXPECT_TRUE(session().recipe.ReceptGewijzigd);
    }
}

TEST_F(HopgiftTest, ToolTipsFromTheEstimates)
{
    struct Case {
        const char *name;
        bool dubbel, targets;
        float vrij, spoel;
        const char *og1, *og2;        // aroma SG tip of row 0, first and second beer
        const char *after1, *after2;  // after-sparge tip of the first bitter SG box
    };
    // 5000 g at 75 %: 3750 g over 25 L (x 150 g/L: 1057) or 20 L (x 187.5: 1072).
    const Case cases[] = {
        {"single", false, true, 5, 20, "Geschat SG=1049 kg/m3", "Geschat SG=1040 kg/m3",
         "Geschat SG van wort na spoelen=1057 kg/m3", "Geschat SG van wort na spoelen=1072 kg/m3"},
        {"double", true, true, 5, 20, "Geschat SG=1049 kg/m3", "Geschat SG=1040 kg/m3", "",
         "Geschat SG van wort na spoelen=1072 kg/m3"},
        {"no targets", false, false, 5, 20, "", "", "Geschat SG van wort na spoelen=1057 kg/m3",
         "Geschat SG van wort na spoelen=1072 kg/m3"},
        {"no sparge wort", false, true, 5, 0, "Geschat SG=1049 kg/m3", "Geschat SG=1040 kg/m3", "", ""},
        {"negative free wort", false, true, -20, 20, "Geschat SG=1049 kg/m3", "Geschat SG=1040 kg/m3", "",
         "Geschat SG van wort na spoelen=1072 kg/m3"},
    };
    for (const Case &c : cases) {
        for (const HopBindings *b : kBeers) {
            SCOPED_TRACE(testing::Message() << c.name << " " << b->window);
            session() = doubleBrew();
            RecipeState &r = session().recipe;
            session().app.dubbelBrouw = c.dubbel;
            if (!c.targets)
                r.clearStatus(StatusDoelstellingen);
            r.OGSG = 1048.6f;
            r.OGSG2 = 1040.2f;
            r.StortingMaisch = 5000;
            r.BZRMaisch = 0.75f;
            r.VrijeHoofdwort = c.vrij;
            r.SpoelwortVolume = c.spoel;
            HopgiftDialog *d = open(*b);
            const bool first = b == &HopBindings::first();
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(edit(d, u"txtAHGrav", i)->toolTip(), first ? c.og1 : c.og2) << i;
                EXPECT_EQ(edit(d, u"txtBHGrav", i)->toolTip(), first ? c.after1 : c.after2) << i;
            }
        }
    }

    // A bitter list stored as one empty row has no estimate.
    session() = singleBrew();
    session().recipe.StortingMaisch = 5000;
    session().recipe.BZRMaisch = 0.75f;
    session().recipe.SpoelwortVolume = 20;
    session().recipe.Bitterhop.redim(0, 6);
    EXPECT_EQ(edit(open(HopBindings::first()), u"txtBHGrav", 0)->toolTip(), "");
}

TEST_F(HopgiftTest, TheFixedTextsOfEachBeer)
{
    session().app.dubbelBrouw = true;
    HopgiftDialog *d = open(HopBindings::first());
    EXPECT_EQ(d->windowTitle(), "Hopgift");
    EXPECT_EQ(in<QGroupBox>(d, "fraAromaHop")->title(), " Hopgift aromahop ") << "the dialog adds nothing";
    EXPECT_EQ(in<QGroupBox>(d, "fraBitterHop")->toolTip(), "");
    EXPECT_EQ(in<QLabel>(d, "lblBHGravity")->toolTip(), "Het SG op het moment dat de hop wordt toegevoegd");
    EXPECT_EQ(edit(d, u"txtAHSoort", 0)->toolTip(), "Leeg veld = geen aromahop!");
    EXPECT_EQ(edit(d, u"txtBHSoort", 0)->toolTip(), "");
    EXPECT_NE(d->findChild<QWidget *>("cmdHGOK"), nullptr);
    EXPECT_NE(d->findChild<QWidget *>("picHGHelp"), nullptr);
    EXPECT_EQ(combo(d, u"comAHHoedanigheid", 0)->itemText(0), "pellets");
    EXPECT_EQ(combo(d, u"comAHHoedanigheid", 0)->itemText(1), "bloemen");
    EXPECT_TRUE(combo(d, u"comBHHoedanigheid", 0)->isEditable());
    EXPECT_NE(d->findChild<QWidget *>("cmsBHMin"), nullptr);
    EXPECT_EQ(edit(d, u"txtAHSoort", 0)->maxLength(), 30);
    EXPECT_EQ(qobject_cast<NumericEdit *>(edit(d, u"txtAHSoort", 0)), nullptr) << "takes any key";
    for (const char16_t *p : {u"txtAHSoort", u"txtBHSoort"}) {
        QLineEdit *soort = edit(d, p, 0);
        soort->setText(QStringLiteral("Saaz"));
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(soort, &in);
        EXPECT_FALSE(soort->hasSelectedText()) << "no select-all on focus";
    }
    // The combos stay white; the heads take the main window's colour.
    EXPECT_EQ(in<QLabel>(d, "lblHGGram")->palette().color(QPalette::Window), MainBackColor());
    EXPECT_NE(combo(d, u"comAHHoedanigheid", 0)->palette().color(QPalette::Base), MainBackColor());

    HopgiftDialog *d2 = open(HopBindings::second());
    EXPECT_EQ(d2->windowTitle(), "Hopgift dunbier");
    EXPECT_EQ(in<QGroupBox>(d2, "fraAromaHop")->title(), " Hopgift aromahop dunbier ");
    EXPECT_EQ(in<QGroupBox>(d2, "fraBitterHop")->title(), " Hopgift bitterhop dunbier ");
    EXPECT_EQ(in<QGroupBox>(d2, "fraBitterHop")->toolTip(), "Het SG op het moment dat de hop wordt toegevoegd");
    EXPECT_EQ(in<QLabel>(d2, "lblBHGravity")->toolTip(), "");
    EXPECT_EQ(in<QLabel>(d2, "lblHGGravity")->toolTip(), "Het SG op het moment dat de hop wordt toegevoegd");
    EXPECT_EQ(edit(d2, u"txtAHSoort", 0)->toolTip(), "");
    // The frame's tip shows over the frame, not over its boxes without one.
    d2->show();
    auto tipAt = [](QWidget *w, QPoint at) {
        QHelpEvent e(QEvent::ToolTip, at, w->mapToGlobal(at));
        QApplication::sendEvent(w, &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QWidget *frame = in<QWidget>(d2, "fraBitterHop");
    EXPECT_EQ(tipAt(edit(d2, u"txtBHPerc", 0), QPoint(4, 4)), "");
    EXPECT_EQ(tipAt(frame, QPoint(frame->width() / 2, frame->height() - 4)),
              "Het SG op het moment dat de hop wordt toegevoegd");
    EXPECT_NE(d2->findChild<QWidget *>("cmdHG2OK"), nullptr);
    EXPECT_NE(d2->findChild<QWidget *>("picHG2Help"), nullptr);
}

TEST_F(HopgiftTest, RowsAreAddedAsCopiesUpToFourAndRemovedFromTheBottom)
{
    for (const HopBindings *b : kBeers) {
        SCOPED_TRACE(b->window);
        session() = Session{};
        session().recipe.setStatus(StatusDoelstellingen);
        session().recipe.*b->og = 1048.6f;
        HopgiftDialog *d = open(*b);
        ASSERT_EQ(d->aromaCount(), 1);
        fill(d, true, 0, {"Saaz", "bloemen", "4", "20", "10", "1045"});
        fill(d, false, 0, kBitter);

        d->cmdAHPlus_Click();
        EXPECT_EQ(d->focusWidget(), edit(d, u"txtAHSoort", 1));
        d->cmdBHPlus_Click();
        EXPECT_EQ(d->focusWidget(), edit(d, u"txtBHSoort", 1));
        // A new aroma row takes the first row's form and, with targets, its gravity.
        EXPECT_EQ(edit(d, u"txtAHSoort", 1)->text(), "");
        EXPECT_EQ(combo(d, u"comAHHoedanigheid", 1)->currentText(), "bloemen");
        EXPECT_EQ(edit(d, u"txtAHalfaz", 1)->text(), "");
        EXPECT_EQ(edit(d, u"txtAHGrav", 1)->text(), "1045");
        EXPECT_EQ(edit(d, u"txtAHGrav", 1)->toolTip(), "Geschat SG=1049 kg/m3");
        EXPECT_EQ(combo(d, u"comAHHoedanigheid", 1)->count(), 2);
        // A new bitter row is empty.
        EXPECT_EQ(combo(d, u"comBHHoedanigheid", 1)->currentText(), "");
        for (const char16_t *p : {u"txtBHSoort", u"txtBHalfaz", u"txtBHPerc", u"txtBHTijd", u"txtBHGrav"})
            EXPECT_EQ(edit(d, p, 1)->text(), "");

        for (int k = 0; k < 5; ++k) {
            d->cmdAHPlus_Click();
            d->cmdBHPlus_Click();
        }
        EXPECT_EQ(d->aromaCount(), 4);
        EXPECT_EQ(d->bitterCount(), 4);
        // Rows 375 twips apart; the fourth ends above the buttons, which stay.
        for (const char16_t *p : {u"txtAHSoort", u"txtBHPerc", u"comAHHoedanigheid", u"txtBHGrav"})
            EXPECT_EQ(twipsOf(in<QWidget>(d, rowName(p, 3))).y(), 1785) << QString::fromUtf16(p).toStdString();
        EXPECT_EQ(twipsOf(edit(d, u"txtAHGrav", 3)).bottom() + 1, 2085);
        EXPECT_EQ(twipsOf(in<QWidget>(d, "cmdAHPlus")).y(), 2220);
        EXPECT_EQ(twipsOf(in<QWidget>(d, "cmsBHMin")).y(), 2220);

        // A full list takes the estimate as it is now into the first tip.
        session().recipe.*b->og = 1060.4f;
        d->cmdAHPlus_Click();
        EXPECT_EQ(edit(d, u"txtAHGrav", 0)->toolTip(), "Geschat SG=1060 kg/m3");
        EXPECT_EQ(d->aromaCount(), 4);

        d->cmdAHMin_Click();
        d->cmsBHMin_Click();
        EXPECT_EQ(d->aromaCount(), 3);
        EXPECT_EQ(d->bitterCount(), 3);
        for (int k = 0; k < 5; ++k) {
            d->cmdAHMin_Click();
            d->cmsBHMin_Click();
        }
        EXPECT_EQ(d->aromaCount(), 1);
        EXPECT_EQ(edit(d, u"txtAHSoort", 0)->text(), "Saaz");
        flush();
        EXPECT_EQ(d->findChild<QWidget *>("txtAHSoort_1"), nullptr);

        // Without targets the new gravity box is empty.
        session().recipe.clearStatus(StatusDoelstellingen);
        d->cmdAHPlus_Click();
        EXPECT_EQ(edit(d, u"txtAHGrav", 1)->text(), "");
    }
}

TEST_F(HopgiftTest, LoadingShowsEveryStoredRowAndOkRefusesRowsBeyondTheFourth)
{
    for (const HopBindings *b : kBeers) {
        SCOPED_TRACE(b->window);
        session() = Session{};
        RecipeState &r = session().recipe;
        // An empty first row before a filled one, and five bitter rows.
        setHops(r.*b->aroma, {{"", "", "", "", "", ""}, {"Saaz", "bloemen", "3.5", "20", "15", "1050"}});
        setHops(r.*b->bitter, {{"A", "pellets", "10", "20", "60", "1050"},
                               {"B", "pellets", "10", "20", "60", "1050"},
                               {"C", "pellets", "10", "20", "60", "1050"},
                               {"D", "pellets", "10", "20", "60", "1050"},
                               {"E", "pellets", "10", "20", "60", "1050"}});
        HopgiftDialog *d = open(*b);
        ASSERT_EQ(d->aromaCount(), 2);
        EXPECT_EQ(edit(d, u"txtAHSoort", 1)->text(), "Saaz");
        EXPECT_EQ(combo(d, u"comAHHoedanigheid", 1)->currentText(), "bloemen");
        EXPECT_EQ(edit(d, u"txtAHalfaz", 1)->text(), "3.5");
        ASSERT_EQ(d->bitterCount(), 5);
        EXPECT_EQ(edit(d, u"txtBHSoort", 4)->text(), "E");
        EXPECT_TRUE(edit(d, u"txtBHSoort", 4)->isVisibleTo(d));
        // The fifth row lies inside its frame, the buttons under it.
        auto *frame = in<QWidget>(d, "fraBitterHop");
        EXPECT_LE(twipsOf(edit(d, u"txtBHSoort", 4)).bottom(), twipsOf(in<QWidget>(d, "cmdBHPlus")).y());
        EXPECT_LE(twipsOf(in<QWidget>(d, "cmdBHPlus")).bottom(), twipsOf(frame).height());

        d->ok();
        EXPECT_TRUE(d->isVisible());
        EXPECT_FALSE(r.hasStatus(b->bit));
        EXPECT_TRUE(isMarkedBad(edit(d, u"txtBHSoort", 4)));
        EXPECT_TRUE(isMarkedBad(edit(d, u"txtBHTijd", 4)));
        EXPECT_FALSE(isMarkedBad(edit(d, u"txtBHTijd", 3)));

        d->cmsBHMin_Click();
        edit(d, u"txtBHPerc", 3)->setText(QStringLiteral("40"));
        d->ok();
        flush();
        ASSERT_TRUE(r.hasStatus(b->bit));
        // The filled aroma row behind the empty one is kept.
        ASSERT_EQ((r.*b->aroma).rows(), 2);
        EXPECT_EQ((r.*b->aroma)(1, HopSoort), "Saaz");
        EXPECT_EQ((r.*b->bitter).rows(), 4);
        EXPECT_EQ((r.*b->bitter)(3, HopPercBitterheid), "40.0");
    }
}

TEST_F(HopgiftTest, SuccessorsByBeerBrewModeAndWizard)
{
    struct Case {
        const HopBindings *beer;
        bool dubbel, wizard;
        const char *opens;
    };
    const Case cases[] = {
        {&HopBindings::first(), false, false, ""},           {&HopBindings::first(), false, true, "frmToevoegingen"},
        {&HopBindings::first(), true, false, "frmHopgift2"}, {&HopBindings::first(), true, true, "frmHopgift2"},
        {&HopBindings::second(), false, false, ""},          {&HopBindings::second(), false, true, "frmGistKeuze"},
        {&HopBindings::second(), true, false, ""},           {&HopBindings::second(), true, true, "frmGistKeuze"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.beer->window << " dubbel " << c.dubbel << " wizard " << c.wizard);
        for (const char *n : {"frmHopgift", "frmHopgift2", "frmToevoegingen", "frmGistKeuze"})
            windows().unload(QLatin1String(n));
        flush();
        session() = doubleBrew();
        session().app.dubbelBrouw = c.dubbel;
        session().app.wizardActief = c.wizard;
        session().app.geluidAan = true;
        fake.sounds.clear();
        const RecipeState before = session().recipe;

        // A failed check changes no list, bit or flag, and opens nothing.
        session().recipe.ReceptStatus = std::int16_t(before.ReceptStatus & ~c.beer->bit);
        HopgiftDialog *d = open(*c.beer);
        edit(d, u"txtBHalfaz", 0)->setText(QStringLiteral("99"));
        d->ok();
        EXPECT_EQ(fake.sounds.size(), 1u) << "the click comes before the check";
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(session().recipe.*c.beer->aroma, before.*c.beer->aroma);
        EXPECT_EQ(session().recipe.*c.beer->bitter, before.*c.beer->bitter);
        EXPECT_FALSE(session().recipe.hasStatus(c.beer->bit));
        EXPECT_FALSE(session().recipe.ReceptGewijzigd);
        EXPECT_EQ(session().app.wizardActief, c.wizard);

        edit(d, u"txtBHalfaz", 0)->setText(QStringLiteral("12"));
        in<QPushButton>(d, QLatin1String(c.beer->okButton))->click();
        flush();
        EXPECT_FALSE(windows().isLoaded(QLatin1String(c.beer->window)));
        EXPECT_TRUE(session().recipe.hasStatus(c.beer->bit));
        for (const char *n : {"frmHopgift2", "frmToevoegingen", "frmGistKeuze"})
            EXPECT_EQ(windows().isLoaded(QLatin1String(n)), qstrcmp(n, c.opens) == 0) << n;
        EXPECT_EQ(session().app.wizardActief, c.wizard);
    }
}

TEST_F(HopgiftTest, ATypedFormStaysAsTypedAndIsStoredSoInBothBeers)
{
    for (const HopBindings *b : kBeers) {
        SCOPED_TRACE(b->window);
        session() = doubleBrew();
        HopgiftDialog *d = open(*b);
        QComboBox *aroma = combo(d, u"comAHHoedanigheid", 0);
        QComboBox *bitter = combo(d, u"comBHHoedanigheid", 0);

        // Left with Tab: the next box has the focus and the form is as typed.
        typeInList(aroma, QStringLiteral("BLOEMEN"));
        EXPECT_FALSE(aroma->hasFocus());
        EXPECT_EQ(aroma->currentText(), "BLOEMEN");
        // Enter presses OK, whose check fails on another box here: the form
        // is as typed.
        edit(d, u"txtBHalfaz", 0)->setText(QStringLiteral("99"));
        typeInList(bitter, QStringLiteral("Pellets"), Qt::Key_Return);
        EXPECT_TRUE(isMarkedBad(edit(d, u"txtBHalfaz", 0))) << "Enter pressed OK";
        EXPECT_FALSE(isMarkedBad(bitter));
        EXPECT_EQ(bitter->currentText(), "Pellets");

        d->StoreHopgift();
        EXPECT_EQ((session().recipe.*b->aroma)(0, HopHoedanigheid), "BLOEMEN");
        EXPECT_EQ((session().recipe.*b->bitter)(0, HopHoedanigheid), "Pellets");
    }
}

TEST_F(HopgiftTest, CancelEndsTheWizardAndStoresNothing)
{
    for (const HopBindings *b : kBeers) {
        session() = doubleBrew();
        session().app.wizardActief = true;
        const RecipeState before = session().recipe;
        HopgiftDialog *d = open(*b);
        fill(d, false, 0, {"X", "pellets", "5", "100", "60", "1050"});
        in<QPushButton>(d, "cmdHGAnnuleren")->click();
        flush();
        EXPECT_FALSE(windows().isLoaded(QLatin1String(b->window)));
        EXPECT_FALSE(session().app.wizardActief);
        EXPECT_EQ(session().recipe.*b->bitter, before.*b->bitter);
    }
}

TEST_F(HopgiftTest, BitterGramsAfterOkAgreeWithTheHopFormulas)
{
    session() = doubleBrew();
    UpdateBrouwschema(session());
    for (const HopBindings *b : kBeers) {
        SCOPED_TRACE(b->window);
        in<QPushButton>(open(*b), QLatin1String(b->okButton))->click();
        flush();
        const RecipeState &r = session().recipe;
        const bool first = b == &HopBindings::first();
        const float volume = first ? r.Doelstellingen(1) + r.BrouwVerlies : r.Doelstellingen(6);
        const float target = first ? r.Doelstellingen(4) : r.Doelstellingen(9);
        const Table2D<QString> &aroma = r.*b->aroma;
        Table2D<QString> bitter = r.*b->bitter;
        double aromaEbu = 0;
        for (int i = 0; i < aroma.rows(); ++i) {
            QString form = aroma(i, HopHoedanigheid);
            const float ebu =
                BerekenEBU(float(num::val(aroma(i, HopGram))), form, float(num::val(aroma(i, HopAlfazuur))), volume);
            aromaEbu = double(float(aromaEbu
                                    + double(ebu)
                                          * HopUtilisatie(float(num::val(aroma(i, HopGravity))),
                                                          num::toInt16(num::val(aroma(i, HopKooktijd))))));
        }
        const auto &labels = first ? session().view.lbl_Bhop : session().view.lbl_Bhop2;
        ASSERT_EQ(bitter.rows(), 4);
        for (int i = 0; i < bitter.rows(); ++i) {
            const double share = (double(target) - aromaEbu) * num::val(bitter(i, HopPercBitterheid)) / 100.0;
            QString form = bitter(i, HopHoedanigheid);
            const float grams = BerekenHopGewicht(form, float(share), volume, float(num::val(bitter(i, HopAlfazuur))));
            const float w = float(double(grams)
                                  / HopUtilisatie(float(num::val(bitter(i, HopGravity))),
                                                  num::toInt16(num::val(bitter(i, HopKooktijd)))));
            const QString expected = num::format(w, u"###");
            EXPECT_FALSE(expected.isEmpty());
            EXPECT_EQ(bitter(i, HopBerekendGram), expected) << i;
            EXPECT_TRUE(labels[std::size_t(i)].text.startsWith(expected + QStringLiteral(" gr. ")))
                << qPrintable(labels[std::size_t(i)].text);
        }
        if (first) {
            // The first beer's OK opened the second's over the same recipe.
            flush();
            windows().unload(QStringLiteral("frmHopgift2"));
        }
    }
}

TEST_F(HopgiftTest, OpensFromMenuToolbarAndRightClicks)
{
    session() = doubleBrew();
    trigger("mnuHopgift");
    auto *d = dialog<HopgiftDialog>("frmHopgift");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(in<QGroupBox>(d, "fraAromaHop")->title(), " Hopgift aromahop dikbier ");
    EXPECT_EQ(d->aromaCount(), 4);
    EXPECT_EQ(edit(d, u"txtBHSoort", 3)->text(), "Target");
}

TEST_F(HopgiftTest, HelpKeysAndTheVarietyLength)
{
    for (const HopBindings *b : kBeers) {
        SCOPED_TRACE(b->window);
        fake.helpPages.clear();
        HopgiftDialog *d = open(*b);
        QTest::mouseClick(in<QLabel>(d, QLatin1String(b->helpPicture)), Qt::LeftButton);
        EXPECT_EQ(fake.helpPages, QStringList{"MI_R_Hopgift.htm"});

        d->cmdBHPlus_Click();
        for (const char16_t *p : {u"txtAHalfaz", u"txtAHGram", u"txtAHTijd", u"txtAHGrav", u"txtBHalfaz", u"txtBHPerc",
                                  u"txtBHTijd", u"txtBHGrav"}) {
            QLineEdit *e = edit(d, p, p[3] == u'B' ? 1 : 0);
            QTest::keyClicks(e, QStringLiteral("-1,2/a5"));
            EXPECT_EQ(e->text(), "1.25") << QString::fromUtf16(p).toStdString();
        }
        QLineEdit *soort = edit(d, u"txtAHSoort", 0);
        QTest::keyClicks(soort, QStringLiteral("Hallertauer Mittelfrueh, 1,5 % - oogst 2024"));
        EXPECT_EQ(soort->text().size(), 30);
        EXPECT_EQ(soort->text(), "Hallertauer Mittelfrueh, 1,5 %");
    }
}

// Every schedule and evaluation text fits its label whole: the samples, the
// samples after the optimisers, and recipes up to the kettle's 200 L with
// two-decimal mash thicknesses; and the status bar's fixed texts their panels.
#include "mainwindow_fixture.h"

#include "core/Optimisers.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/ScheduleDisplay.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <functional>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class LabelWidths : public MainWindowTest {
protected:
    void open(const char *sample)
    {
        session() = Session{};
        const OpenResult o = readRecipeFile(session(), QStringLiteral(MOSTARIUM_SOURCE_DIR "/resources/Recepten/")
                                                           + QLatin1String(sample));
        ASSERT_TRUE(o.ok) << sample;
    }

    // Shows the recipe as the window does after a command, then measures.
    void expectEveryTextFits(const QString &what)
    {
        UpdateBrouwschema(session());
        ShowBrouwschema(session());
        w->PasGUIAanBrouwType();
        w->refreshView();
        int measured = 0;
        for (const char *frame : {"fraBrouwSchema", "fraEvaluatie"}) {
            for (QLabel *l : child<QGroupBox>(frame)->findChildren<QLabel *>()) {
                if (l->text().isEmpty() || !l->isVisibleTo(w.get()))
                    continue;
                ++measured;
                const QFontMetrics fm = l->fontMetrics();
                EXPECT_LE(fm.horizontalAdvance(l->text()), l->contentsRect().width())
                    << qPrintable(what) << ": " << qPrintable(l->objectName()) << " cuts \"" << qPrintable(l->text())
                    << "\"";
                EXPECT_LE(fm.height(), l->contentsRect().height())
                    << qPrintable(what) << ": " << qPrintable(l->objectName());
            }
        }
        EXPECT_GT(measured, 20) << qPrintable(what) << ": the schedule was not filled";
    }

    static RecipeState &r() { return session().recipe; }
};

TEST_F(LabelWidths, TheSamplesAsShipped)
{
    for (const char *sample : {"Zomerblond.zlv", "Herfstbok.zlv"}) {
        open(sample);
        expectEveryTextFits(QLatin1String(sample));
    }
}

TEST_F(LabelWidths, ZomerblondAfterEachOptimiser)
{
    const std::pair<const char *, std::function<void(Session &, OptiMaischer &)>> runs[] = {
        {"MaxiMaisch Volume", [](Session &s, OptiMaischer &o) { mnuMaximumVolume_Click(s, o); }},
        {"OptiMaisch L/kg", [](Session &s, OptiMaischer &o) { mnuWaterBeslagRatio_Click(s, o); }},
        {"OptiMaisch Spoelen Tot", [](Session &s, OptiMaischer &o) { mnuWaterSpoelenTot_Click(s, o); }},
        {"MaxiMaisch en OptiMaisch", [](Session &s, OptiMaischer &o) { mnuMaximumVolumePlusWater_Click(s, o); }},
        {"OptiMaisch L/kg en Spoelen Tot",
         [](Session &s, OptiMaischer &o) { mnuWaterBeslagRatioPlusDoelstelling_Click(s, o); }},
    };
    for (const auto &[what, run] : runs) {
        open("Zomerblond.zlv");
        OptiMaischer o;
        // A long boil and the thinnest mash asked for the most water and volume.
        fake.inputAnswers = {QStringLiteral("120"), QStringLiteral("2")};
        run(session(), o);
        expectEveryTextFits(QLatin1String(what));
    }
}

TEST_F(LabelWidths, BrewsUpToTheKettleWithTwoDecimalThicknesses)
{
    struct Case {
        const char *what;
        const char *sample;
        float volume1, volume2, thickness;
    };
    const Case cases[] = {
        {"single 200 L at 10.85 L/kg", "Zomerblond.zlv", 200, 0, 10.85f},
        {"single 200 L at 2.65 L/kg", "Zomerblond.zlv", 200, 0, 2.65f},
        {"double 150/50 L at 10.85 L/kg", "Herfstbok.zlv", 150, 50, 10.85f},
        {"double 100/100 L at 3.25 L/kg", "Herfstbok.zlv", 100, 100, 3.25f},
    };
    for (const Case &c : cases) {
        open(c.sample);
        r().Doelstellingen(1) = c.volume1;
        if (c.volume2 > 0) {
            r().Doelstellingen(6) = c.volume2;
            // Measured values as large as the brew.
            r().Evaluatie(0, 0) = QString::number(c.volume1 - 1.5);
            r().Evaluatie(0, 1) = QString::number(c.volume2 - 0.5);
        }
        r().Maischschema(0, 0) = c.thickness;
        r().Maischschema(1, 0) = 52.5f;
        expectEveryTextFits(QLatin1String(c.what));
    }
}

// A grain or hop name of a megabyte (a recipe file or an import may bring
// one) stays whole in the display model; its label shows its start and its
// end, the figures after the name, cut in the middle to what it can hold.
TEST_F(LabelWidths, ALongNameShowsTheStartAndTheEndOfItsRow)
{
    open("Zomerblond.zlv");
    const QString filler(1'000'000, u'm');
    r().Storting(0, StIngred) = QStringLiteral("Pils") + filler + QStringLiteral("mout");
    r().Bitterhop(0, HopSoort) = QStringLiteral("Magnum") + filler + QStringLiteral("Eind");
    UpdateBrouwschema(session());
    ShowBrouwschema(session());
    w->refreshView();
    const struct {
        const char *label;
        const LabelSlot &slot;
        const char *start, *end;
    } cases[] = {
        {"lbl_StIngred_0", session().view.lbl_StIngred[0], "%  Pilsmm", "mmmout 15759 gr"},
        {"lbl_Bhop_0", session().view.lbl_Bhop[0], " gr. Magnummm", "pellets (12.5%); 60 min. kooktijd"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_TRUE(c.slot.text.contains(filler));
        const QLabel *l = child<QLabel>(c.label);
        ASSERT_NE(l, nullptr);
        const QString shown = l->text();
        EXPECT_LE(l->fontMetrics().horizontalAdvance(shown), l->width());
        EXPECT_TRUE(shown.contains(QChar(0x2026)));
        EXPECT_TRUE(shown.contains(QLatin1String(c.start))) << qPrintable(shown);
        EXPECT_TRUE(shown.endsWith(QLatin1String(c.end))) << qPrintable(shown);
    }
}

TEST_F(LabelWidths, StatusPanelsShowTheirTextsWhole)
{
    open("Herfstbok.zlv");
    UpdateBrouwschema(session());
    w->PasGUIAanBrouwType();
    w->refreshView();
    ASSERT_EQ(child<QLabel>("StatusBar_Panel1")->text(), QStringLiteral("DB"));
    // Panel 8, the recipe's path, keeps its file name in view by its alignment.
    for (int i : {1, 2, 3, 4, 5, 6, 7, 9, 10}) {
        const QLabel *p = child<QLabel>(qPrintable(QStringLiteral("StatusBar_Panel%1").arg(i)));
        EXPECT_LE(p->fontMetrics().horizontalAdvance(p->text()), p->contentsRect().width())
            << "panel " << i << " cuts \"" << qPrintable(p->text()) << "\"";
    }
}

}  // namespace

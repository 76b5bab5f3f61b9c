// The evaluation dialog: its bounds, what it stores and the evaluation alone
// on OK.
#include "open_dialog_fixture.h"

#include "core/Evaluation.h"
#include "core/NumText.h"
#include "core/Recalc.h"
#include "core/ScheduleDisplay.h"
#include "platform/NumericEdit.h"

#include <QGroupBox>
#include <QMouseEvent>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class EvaluatieTest : public OpenDialogTest {
protected:
    EvaluatieTest() { load(singleBrew()); }

    QWidget *openEval() { return open("mnuEvaluatie", "frmEvaluatie"); }

    // Every box of the beers given filled with a passing value.
    void fillGood(QWidget *d, int beers = 1)
    {
        for (int b = 0; b < beers; ++b) {
            const QString suffix = b ? QStringLiteral("2") : QString();
            in(d, QStringLiteral("txtEval_Volume") + suffix)->setText(QStringLiteral("19"));
            in(d, QStringLiteral("txtEval_OG") + suffix)->setText(QStringLiteral("1050"));
            in(d, QStringLiteral("txtEval_FG") + suffix)->setText(QStringLiteral("1010"));
        }
    }
};

}  // namespace

TEST_F(EvaluatieTest, BoundsOfEachBox)
{
    struct Case {
        const char *box, *text;
        bool passes;
    };
    const Case cases[] = {
        {"txtEval_Volume", "200", true},   {"txtEval_Volume", "200.1", false}, {"txtEval_Volume", "0", false},
        {"txtEval_Volume", "", false},     {"txtEval_Volume", "0.1", true},    {"txtEval_OG", "1000", false},
        {"txtEval_OG", "1000.1", true},    {"txtEval_OG", "1150", true},       {"txtEval_OG", "1150.1", false},
        {"txtEval_FG", "1000", false},     {"txtEval_FG", "1050", true},       {"txtEval_FG", "1050.1", false},
        {"txtEval_FG", "1049.9abc", true}, {"txtEval_OG", "1.5e3", false},
    };
    ASSERT_EQ(s().recipe.KetelInhoud, 200);
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.box) + " = '" + c.text + "'");
        const RecipeState before = s().recipe;
        QWidget *d = openEval();
        ASSERT_NE(d, nullptr);
        fillGood(d);
        auto *box = in<NumericEdit>(d, QLatin1String(c.box));
        box->setText(QLatin1String(c.text));
        press(d, "cmdEvalOK");
        EXPECT_EQ(loaded("frmEvaluatie"), !c.passes);
        if (c.passes)
            continue;
        EXPECT_TRUE(box->isBad());
        // The other boxes are checked too and pass.
        for (const char *other : {"txtEval_Volume", "txtEval_OG", "txtEval_FG"}) {
            if (QLatin1String(other) != QLatin1String(c.box)) {
                EXPECT_FALSE(in<NumericEdit>(d, QLatin1String(other))->isBad()) << other;
            }
        }
        EXPECT_EQ(s().recipe.Evaluatie, before.Evaluatie);
        EXPECT_EQ(s().recipe.ReceptStatus, before.ReceptStatus);
        EXPECT_EQ(s().recipe.ReceptGewijzigd, before.ReceptGewijzigd);
        windows().unload(QStringLiteral("frmEvaluatie"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(EvaluatieTest, AnFgAboveTheOgPasses)
{
    QWidget *d = openEval();
    fillGood(d);
    in(d, "txtEval_OG")->setText(QStringLiteral("1010"));
    in(d, "txtEval_FG")->setText(QStringLiteral("1040"));
    press(d, "cmdEvalOK");
    EXPECT_FALSE(loaded("frmEvaluatie"));
    EXPECT_EQ(s().recipe.Evaluatie(2, 0), "1040");
}

TEST_F(EvaluatieTest, OkStoresPlainNumbersAndRunsTheEvaluationAlone)
{
    s().recipe.BrouwVerlies = 1.7f;
    s().recipe.Doelstellingen(1) = 20.3f;
    s().recipe.Evaluatie.redim(2, 1);
    s().recipe.Evaluatie(0, 1) = QStringLiteral("12");  // an earlier double brew
    const float volume = s().recipe.Doelstellingen(1);
    s().view.lbl_Eval_vol.setText(QString());
    const int statusBefore = s().recipe.ReceptStatus;

    QWidget *d = openEval();
    // Single brew: the second frame lies beyond the right edge.
    auto *second = in<QGroupBox>(d, "fraEvaldunbier");
    EXPECT_GE(second->x(), d->width());
    EXPECT_EQ(in<QGroupBox>(d, "fraEvaldikbier")->title(), "Metingen");
    in(d, "txtEval_Volume2")->setText(QStringLiteral("abc"));  // neither checked nor stored
    in(d, "txtEval_Volume")->setText(QStringLiteral("23.50"));
    in(d, "txtEval_OG")->setText(QStringLiteral("1050.0"));
    in(d, "txtEval_FG")->setText(QStringLiteral("1012"));
    press(d, "cmdEvalOK");

    EXPECT_FALSE(loaded("frmEvaluatie"));
    const RecipeState &r = s().recipe;
    EXPECT_EQ(r.Evaluatie.colUbound(), 0) << "the second beer's cells are dropped";
    EXPECT_EQ(r.Evaluatie(0, 0), "23.5");
    EXPECT_EQ(r.Evaluatie(1, 0), "1050");
    EXPECT_EQ(r.Evaluatie(2, 0), "1012");
    EXPECT_EQ(r.ReceptStatus, statusBefore + StatusEvaluatie);
    EXPECT_TRUE(r.ReceptGewijzigd);
    EXPECT_TRUE(s().view.fraBrouwSchema.visible);
    EXPECT_TRUE(s().view.fraEvalEv.visible);
    EXPECT_TRUE(s().view.lbl_Eval_vol.text.startsWith(QStringLiteral("Volume (L):  23.5")))
        << qPrintable(s().view.lbl_Eval_vol.text);
    // The target is back bit for bit.
    EXPECT_EQ(r.Doelstellingen(1), volume);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(EvaluatieTest, TheEvaluationSeesTheVolumeWithTheBrewingLoss)
{
    s().recipe.BrouwVerlies = 2;
    QWidget *d = openEval();
    fillGood(d);
    press(d, "cmdEvalOK");
    const QString withLoss = s().view.lbl_EvDS[0].text;
    EXPECT_TRUE(withLoss.startsWith(QStringLiteral("Volume (L):  22"))) << qPrintable(withLoss);
    EXPECT_EQ(s().recipe.Doelstellingen(1), 20.0f);
}

TEST_F(EvaluatieTest, WithoutBrewingLossTheTargetStaysExactly)
{
    s().recipe.BrouwVerlies = 0;
    s().recipe.Doelstellingen(1) = 19.7f;
    QWidget *d = openEval();
    fillGood(d);
    press(d, "cmdEvalOK");
    EXPECT_EQ(s().recipe.Doelstellingen(1), 19.7f);
}

TEST_F(EvaluatieTest, AfterAMashScheduleAloneThereIsNoTargetToRaise)
{
    Session mash;
    setMash(mash, 3, 5.4f, {{52, 15}, {64, 45}});
    load(mash);
    s().recipe.BrouwVerlies = 1.5f;
    ASSERT_EQ(s().recipe.ReceptStatus, StatusMaischschema);
    ASSERT_FALSE(s().recipe.Doelstellingen.has(1));

    QWidget *d = openEval();
    ASSERT_NE(d, nullptr);
    fillGood(d);
    press(d, "cmdEvalOK");
    EXPECT_FALSE(loaded("frmEvaluatie"));
    EXPECT_EQ(s().recipe.Doelstellingen.size(), 1) << "no cell made";
    EXPECT_TRUE(s().recipe.hasStatus(StatusEvaluatie));
    EXPECT_EQ(s().recipe.Evaluatie(1, 0), "1050");
}

TEST_F(EvaluatieTest, ReopeningShowsTheStoredValuesWithALeadingBlank)
{
    s().recipe.Evaluatie(0, 0) = QStringLiteral("23.5");
    s().recipe.Evaluatie(1, 0) = QStringLiteral("1050");
    s().recipe.Evaluatie(2, 0) = QStringLiteral("zuur");  // a hand-edited file
    QWidget *d = openEval();
    EXPECT_EQ(in(d, "txtEval_Volume")->text(), " 23.5");
    EXPECT_EQ(in(d, "txtEval_OG")->text(), " 1050");
    EXPECT_EQ(in(d, "txtEval_FG")->text(), "zuur");

    in(d, "txtEval_FG")->setText(QStringLiteral("1012"));
    press(d, "cmdEvalOK");
    EXPECT_EQ(s().recipe.Evaluatie(0, 0), "23.5");
    EXPECT_EQ(s().recipe.Evaluatie(1, 0), "1050");
}

TEST_F(EvaluatieTest, DoubleBrewChecksAndStoresBothBeers)
{
    load(doubleBrew());
    QWidget *d = openEval();
    EXPECT_EQ(in<QGroupBox>(d, "fraEvaldikbier")->title(), "Metingen dikbier ");
    EXPECT_EQ(d->width(), layout::px(6000 - 120)) << "the layout width includes the borders";
    auto *ok = in<QPushButton>(d, "cmdEvalOK");
    auto *cancel = in<QPushButton>(d, "cmdEvalAnnuleer");
    EXPECT_EQ(ok->geometry().right() + 1, layout::px(120 + 2715));
    EXPECT_EQ(cancel->x(), in<QGroupBox>(d, "fraEvaldunbier")->x());

    fillGood(d, 2);
    in(d, "txtEval_FG2")->setText(QStringLiteral("1050.1"));
    press(d, "cmdEvalOK");
    EXPECT_TRUE(in<NumericEdit>(d, "txtEval_FG2")->isBad());
    in(d, "txtEval_FG2")->setText(QStringLiteral("1008"));
    press(d, "cmdEvalOK");
    EXPECT_FALSE(loaded("frmEvaluatie"));
    EXPECT_EQ(s().recipe.Evaluatie.colUbound(), 1);
    EXPECT_EQ(s().recipe.Evaluatie(2, 1), "1008");
    EXPECT_TRUE(s().view.fraEvalEv2.visible);
}

TEST_F(EvaluatieTest, CancelLeavesTheWizardAndTheRecipe)
{
    s().app.wizardActief = true;
    const RecipeState before = s().recipe;
    QWidget *d = openEval();
    for (QWidget *c : d->findChildren<QWidget *>()) {
        EXPECT_NE(c->toolTip(), "Open OnLine Help") << "no help picture";
    }
    fillGood(d);
    press(d, "cmdEvalAnnuleer");
    EXPECT_FALSE(loaded("frmEvaluatie"));
    EXPECT_TRUE(s().app.wizardActief);
    EXPECT_EQ(s().recipe.Evaluatie, before.Evaluatie);
    EXPECT_EQ(s().recipe.ReceptStatus, before.ReceptStatus);
}

TEST_F(EvaluatieTest, TheEvaluationFramesOpenItToo)
{
    UpdateBrouwschema(s());
    ShowBrouwschema(s());
    w->refreshView();
    auto *frame = w->findChild<QGroupBox *>(QStringLiteral("fraEvaluatie"));
    ASSERT_NE(frame, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), frame->mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &press);
    EXPECT_TRUE(isOpen("frmEvaluatie"));
}

TEST_F(EvaluatieTest, BelowStatusTwoNothingIsEvaluated)
{
    load(Session{});
    s().recipe.setStatus(StatusDoelstellingen);
    trigger("mnuEvaluatie");
    EXPECT_FALSE(loaded("frmEvaluatie"));
    EXPECT_EQ(fake.prompts(), QStringList{QStringLiteral("Niets te evalueren!")});
}

// The mash schedule dialog driven through its real boxes: load, the bounds of
// the check, the decoction tick, the rows and the store.
#include "editors/frmMaischSchema.h"
#include "platform/NumericEdit.h"

#include "mainwindow/mainwindow_fixture.h"
#include "support/RecipeBuilders.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class MaischSchemaTest : public MainWindowTest {
protected:
    frmMaischSchema *open()
    {
        trigger("mnuMaisSchema");
        auto *d = qobject_cast<frmMaischSchema *>(windows().find(QStringLiteral("frmMaischSchema")));
        EXPECT_NE(d, nullptr);
        return d;
    }
    static QLineEdit *box(QWidget *d, const QString &name)
    {
        auto *b = d->findChild<QLineEdit *>(name);
        EXPECT_NE(b, nullptr) << qPrintable(name);
        return b;
    }
    static QLineEdit *temp(QWidget *d, int i) { return box(d, rowName(u"txtMSTemp", i)); }
    static QLineEdit *tijd(QWidget *d, int i) { return box(d, rowName(u"txtMSTijd", i)); }
    static QLabel *stap(QWidget *d, int i) { return d->findChild<QLabel *>(rowName(u"lblMSStap", i)); }
    static QCheckBox *tick(QWidget *d) { return d->findChild<QCheckBox *>("chkMViaDecoctie"); }
    static void click(QWidget *d, const char *name)
    {
        auto *b = d->findChild<QPushButton *>(QLatin1String(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // A schedule that passes: 3 L/kg, pH 5.4, mash-in at 52 and three rests.
    static void goodMash()
    {
        setMash(session(), 3, 5.4f, {{52, 15}, {63, 40}, {72, 20}, {78, 10}});
        session().recipe.Maischschema(0, 2) = 100;
        session().recipe.Maischschema(0, 3) = 40;
        session().recipe.Maischschema(0, 4) = 10;
        session().recipe.ViaDecoctie = false;
    }
};

}  // namespace

TEST_F(MaischSchemaTest, ANewRecipeShowsTheMashInStepAlone)
{
    frmMaischSchema *d = open();
    EXPECT_EQ(d->windowTitle(), "Maisch schema");
    EXPECT_EQ(twipsOf(d).width(), 4800);
    ASSERT_EQ(d->rowCount(), 1);
    EXPECT_EQ(stap(d, 0)->text(), "Inmaisch stap");
    for (const char *n : {"txtInMaisch", "txtMpH", "txtMSTemp_0", "txtMSTijd_0", "txtMTempDecoctieStap",
                          "txtMTempBrouwwater", "txtMTijdDecoctie"})
        EXPECT_EQ(box(d, QLatin1String(n))->text(), "") << n;
    EXPECT_FALSE(tick(d)->isChecked());
    // The decoction fields are greyed with their labels.
    for (const char *n : {"txtMTempDecoctieStap", "txtMTempBrouwwater", "txtMTijdDecoctie", "lblMTemperatuurDecoctie",
                          "lblTijdDecoctie", "lblMTemperatuurBrouwwater"})
        EXPECT_FALSE(d->findChild<QWidget *>(QLatin1String(n))->isEnabled()) << n;

    click(d, "cmdMSOK");
    for (const char *n : {"txtInMaisch", "txtMpH", "txtMSTemp_0", "txtMSTijd_0"})
        EXPECT_TRUE(isMarkedBad(box(d, QLatin1String(n)))) << n;
    for (const char *n : {"txtMTempDecoctieStap", "txtMTempBrouwwater", "txtMTijdDecoctie"})
        EXPECT_FALSE(isMarkedBad(box(d, QLatin1String(n)))) << n << " is not tested while unticked";
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(session().recipe.hasStatus(StatusMaischschema));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(MaischSchemaTest, LoadShowsTheSignedFormAndTrimsTheDecoctionBoxes)
{
    setMash(session(), 2.8f, 5.3f, {{66, 15}, {63, 40}, {72.5f, 0.5f}});
    setDecoction(session(), 100, 65.5f, 10);
    frmMaischSchema *d = open();
    EXPECT_EQ(box(d, "txtInMaisch")->text(), " 2.8");
    EXPECT_EQ(box(d, "txtMpH")->text(), " 5.3");
    EXPECT_EQ(temp(d, 2)->text(), " 72.5");
    EXPECT_EQ(tijd(d, 2)->text(), " 0.5");
    EXPECT_EQ(box(d, "txtMTempDecoctieStap")->text(), "100");
    EXPECT_EQ(box(d, "txtMTempBrouwwater")->text(), "65") << "cut to the box's two characters";
    EXPECT_EQ(box(d, "txtMTijdDecoctie")->text(), "10");
    EXPECT_TRUE(tick(d)->isChecked());
    EXPECT_TRUE(box(d, "txtMTempBrouwwater")->isEnabled());
    EXPECT_EQ(stap(d, 1)->text(), "rust  1");
    EXPECT_EQ(stap(d, 2)->text(), "rust  2");

    click(d, "cmdMSOK");
    ASSERT_FALSE(d->isVisible());
    EXPECT_EQ(session().recipe.Maischschema(0, 3), 65.0f);
    EXPECT_EQ(session().recipe.BrouwWaterTempKopie, 65.0f);
    EXPECT_EQ(session().recipe.DecoctieTempKopie, 100.0f);
}

TEST_F(MaischSchemaTest, EveryBoundOnBothSides)
{
    struct Case {
        const char *box, *text;
        bool decoction;  // ticked, with the mash-in step at 52
        bool passes;
    };
    const Case cases[] = {
        {"txtInMaisch", "1.5", false, true},
        {"txtInMaisch", "1.49", false, false},
        {"txtInMaisch", "6", false, true},
        {"txtInMaisch", "6.01", false, false},
        {"txtMpH", "4", false, false},
        {"txtMpH", "4.01", false, true},
        {"txtMpH", "6", false, true},
        {"txtMpH", "6.01", false, false},
        {"txtMSTemp_0", "85", false, true},
        {"txtMSTemp_0", "85.5", false, false},
        {"txtMSTemp_0", "0", false, false},
        {"txtMSTemp_0", "0.1", false, true},
        {"txtMSTemp_3", "85.5", false, false},
        {"txtMSTijd_0", "120", false, true},
        {"txtMSTijd_0", "120.5", false, false},
        {"txtMSTijd_0", "0", false, false},
        {"txtMSTijd_3", "", false, false},
        {"txtMSTijd_3", "0.1", false, true},
        {"txtMTempDecoctieStap", "100", true, true},
        {"txtMTempDecoctieStap", "101", true, false},
        {"txtMTempDecoctieStap", "52", true, false},
        {"txtMTempDecoctieStap", "53", true, true},
        {"txtMTijdDecoctie", "30", true, true},
        {"txtMTijdDecoctie", "31", true, false},
        {"txtMTijdDecoctie", "0", true, false},
        {"txtMTijdDecoctie", "0.5", true, true},
        {"txtMTempBrouwwater", "52", true, true},
        {"txtMTempBrouwwater", "53", true, false},
        {"txtMTempBrouwwater", "0", true, false},
        {"txtMTempBrouwwater", "1", true, true},
        // Compared with the mash-in step, not the first rest (63).
        {"txtMTempBrouwwater", "60", true, false},
        // Unticked, the decoction boxes are not tested.
        {"txtMTempDecoctieStap", "999", false, true},
        {"txtMTempBrouwwater", "99", false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.box) + " = " + c.text);
        goodMash();
        session().recipe.ReceptStatus = 0;
        frmMaischSchema *d = open();
        if (c.decoction)
            tick(d)->click();
        QLineEdit *b = box(d, QLatin1String(c.box));
        b->setText(QLatin1String(c.text));
        click(d, "cmdMSOK");
        EXPECT_EQ(isMarkedBad(b), !c.passes);
        EXPECT_EQ(d->isVisible(), !c.passes);
        EXPECT_EQ(session().recipe.hasStatus(StatusMaischschema), c.passes);
        if (d->isVisible())
            click(d, "cmdMSAnnuleren");
        flush();
    }
    EXPECT_TRUE(fake.messages.empty()) << "red boxes are the whole report";
}

TEST_F(MaischSchemaTest, TheTickWritesTheFlagAtOnceButOnlyOkKeepsIt)
{
    struct Case {
        const char *leave;
        bool startsOn, after;
    };
    const Case cases[] = {
        {"cancel", false, false}, {"close box", false, false}, {"escape", false, false}, {"ok", false, true},
        {"cancel", true, true},   {"close box", true, true},   {"ok", true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.leave) + (c.startsOn ? " from on" : " from off"));
        goodMash();
        session().recipe.ViaDecoctie = c.startsOn;
        frmMaischSchema *d = open();
        EXPECT_EQ(tick(d)->isChecked(), c.startsOn);
        tick(d)->click();
        EXPECT_EQ(session().recipe.ViaDecoctie, !c.startsOn) << "written at the click";
        EXPECT_EQ(box(d, "txtMTempBrouwwater")->isEnabled(), !c.startsOn);
        EXPECT_EQ(d->findChild<QLabel *>("lblMTemperatuurBrouwwater")->isEnabled(), !c.startsOn);
        const QString leave = QLatin1String(c.leave);
        if (leave == QLatin1String("cancel"))
            click(d, "cmdMSAnnuleren");
        else if (leave == QLatin1String("close box"))
            d->close();
        else if (leave == QLatin1String("escape"))
            QTest::keyClick(d, Qt::Key_Escape);
        else
            click(d, "cmdMSOK");
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(session().recipe.ViaDecoctie, c.after);
        flush();
    }
}

TEST_F(MaischSchemaTest, AFailedDecoctionCheckThenUntickedStoresTheBoxesWithoutTheCopies)
{
    goodMash();
    session().recipe.DecoctieTempKopie = 90;
    session().recipe.BrouwWaterTempKopie = 30;
    frmMaischSchema *d = open();
    tick(d)->click();
    box(d, "txtMTempDecoctieStap")->setText(QStringLiteral("50"));
    box(d, "txtMTijdDecoctie")->setText(QStringLiteral("31"));
    box(d, "txtMTempBrouwwater")->setText(QStringLiteral("60"));
    click(d, "cmdMSOK");
    ASSERT_TRUE(d->isVisible());
    tick(d)->click();
    for (const char *n : {"txtMTempDecoctieStap", "txtMTijdDecoctie", "txtMTempBrouwwater"}) {
        EXPECT_TRUE(isMarkedBad(box(d, QLatin1String(n)))) << n << " stays red";
        EXPECT_FALSE(box(d, QLatin1String(n))->isEnabled()) << n;
    }
    click(d, "cmdMSOK");
    ASSERT_FALSE(d->isVisible());
    const RecipeState &r = session().recipe;
    EXPECT_FALSE(r.ViaDecoctie);
    EXPECT_EQ(r.Maischschema(0, 2), 50.0f);
    EXPECT_EQ(r.Maischschema(0, 4), 31.0f);
    EXPECT_EQ(r.Maischschema(0, 3), 60.0f);
    EXPECT_EQ(r.DecoctieTempKopie, 90.0f);
    EXPECT_EQ(r.BrouwWaterTempKopie, 30.0f);
}

TEST_F(MaischSchemaTest, OkStoresOneStepRowPerDialogRow)
{
    setMash(session(), 3, 5.4f, {{52, 15}, {63, 40}, {72, 20}, {78, 10}});
    session().recipe.Maischschema(2, 3) = 7;  // nothing of the old array remains
    session().recipe.ReceptStatus = 0;
    frmMaischSchema *d = open();
    click(d, "cmdMSVerwijder");
    temp(d, 0)->setText(QStringLiteral("55"));
    box(d, "txtMTempDecoctieStap")->setText(QStringLiteral("99"));
    click(d, "cmdMSOK");
    ASSERT_FALSE(d->isVisible());
    const RecipeState &r = session().recipe;
    ASSERT_EQ(r.Maischschema.rowUbound(), 3);
    ASSERT_EQ(r.Maischschema.colUbound(), 4);
    const float expected[4][5] = {{3, 5.4f, 99, 0, 0}, {55, 15, 0, 0, 0}, {63, 40, 0, 0, 0}, {72, 20, 0, 0, 0}};
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(r.Maischschema(i, c), expected[i][c]) << i << "," << c;
    EXPECT_TRUE(r.hasStatus(StatusMaischschema));
    EXPECT_TRUE(r.ReceptGewijzigd);
    EXPECT_FALSE(r.ViaDecoctie);
}

TEST_F(MaischSchemaTest, RowsStepDownAndStopAtSeven)
{
    frmMaischSchema *d = open();
    for (int k = 0; k < 7; ++k)
        click(d, "cmdMSPlus");
    ASSERT_EQ(d->rowCount(), 7);
    EXPECT_EQ(d->focusWidget(), temp(d, 6)) << "the last new row has the focus";
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(stap(d, k)->text(),
                  k == 0 ? QStringLiteral("Inmaisch stap") : QStringLiteral("rust  ") + QString::number(k));
        for (QWidget *w : {static_cast<QWidget *>(temp(d, k)), static_cast<QWidget *>(tijd(d, k))}) {
            EXPECT_EQ(twipsOf(w).top(), 780 + 300 * k);
            EXPECT_EQ(w->geometry().top(), 52 + 20 * k);
        }
        EXPECT_EQ(twipsOf(temp(d, k)).left(), 1740);
        EXPECT_EQ(twipsOf(tijd(d, k)).left(), 3060);
        EXPECT_EQ(twipsOf(stap(d, k)).top(), 780 + (190 + 110) * k) << "labels by their height + 110";
    }

    // Tab order: the new boxes, then the add button, then on as designed.
    QStringList order;
    QWidget *w = temp(d, 5);
    order << w->objectName();
    for (int k = 0; k < 8; ++k) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(d));
        order << w->objectName();
    }
    EXPECT_EQ(order, QStringList({"txtMSTemp_5", "txtMSTijd_5", "txtMSTemp_6", "txtMSTijd_6", "cmdMSPlus", "cmdMSOK",
                                  "cmdMSAnnuleren", "cmdMSVerwijder", "chkMViaDecoctie"}));

    for (int k = 0; k < 8; ++k)
        click(d, "cmdMSVerwijder");
    EXPECT_EQ(d->rowCount(), 1);
    EXPECT_EQ(stap(d, 0)->text(), "Inmaisch stap");
    EXPECT_EQ(stap(d, 1), nullptr);
}

TEST_F(MaischSchemaTest, EightStoredStepsShowButOkWaitsUntilTheEighthIsGone)
{
    // A whole recipe, so that the OK's recalculation has a line to fill per step.
    session() = singleBrew();
    setMash(session(), 3, 5.4f, {{52, 15}, {55, 10}, {60, 10}, {63, 20}, {66, 10}, {70, 10}, {72, 10}, {78, 5}});
    session().recipe.clearStatus(StatusMaischschema);
    frmMaischSchema *d = open();
    ASSERT_EQ(d->rowCount(), 8);
    EXPECT_EQ(stap(d, 7)->text(), "rust  7");
    EXPECT_EQ(temp(d, 7)->text(), " 78");
    EXPECT_EQ(twipsOf(temp(d, 7)).top(), 780 + 2100);
    EXPECT_GT(twipsOf(d->findChild<QPushButton *>("cmdMSPlus")).top(), 780 + 2100 + 225) << "below the last row";
    click(d, "cmdMSPlus");
    EXPECT_EQ(d->rowCount(), 8);

    click(d, "cmdMSOK");
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(isMarkedBad(temp(d, 7)));
    EXPECT_TRUE(isMarkedBad(tijd(d, 7)));
    EXPECT_FALSE(isMarkedBad(temp(d, 6)));
    EXPECT_FALSE(session().recipe.hasStatus(StatusMaischschema));

    click(d, "cmdMSVerwijder");
    click(d, "cmdMSOK");
    ASSERT_FALSE(d->isVisible());
    EXPECT_EQ(session().recipe.Maischschema.rowUbound(), 7);
    EXPECT_TRUE(fake.messages.empty()) << "the recalculation has a line for every step";
    EXPECT_EQ(session().view.lbl_MS[6].text, QStringLiteral("Rust6: 72 \u00B0C; 10 min"));
}

TEST_F(MaischSchemaTest, AnEmptyScheduleLeavesADecoctionFlagAlone)
{
    session().recipe.ViaDecoctie = true;
    frmMaischSchema *d = open();
    EXPECT_FALSE(tick(d)->isChecked());
    EXPECT_TRUE(session().recipe.ViaDecoctie);
    box(d, "txtInMaisch")->setText(QStringLiteral("3"));
    box(d, "txtMpH")->setText(QStringLiteral("5.4"));
    temp(d, 0)->setText(QStringLiteral("65"));
    tijd(d, 0)->setText(QStringLiteral("60"));
    click(d, "cmdMSOK");
    ASSERT_FALSE(d->isVisible());
    EXPECT_TRUE(session().recipe.ViaDecoctie);
}

TEST_F(MaischSchemaTest, NumericBoxesTakeNoMinus)
{
    frmMaischSchema *d = open();
    QTest::keyClicks(box(d, "txtMTempBrouwwater"), QStringLiteral("-4,5"));
    EXPECT_EQ(box(d, "txtMTempBrouwwater")->text(), "") << "greyed on an empty schedule";
    QTest::keyClicks(temp(d, 0), QStringLiteral("-6/5.a5"));
    EXPECT_EQ(temp(d, 0)->text(), "65.5");
}

TEST_F(MaischSchemaTest, InTheWizardOkOpensTheSpargeDialogAndHelpItsTopic)
{
    goodMash();
    session().app.wizardActief = true;
    frmMaischSchema *d = open();
    QTest::mouseClick(d->findChild<QLabel *>("picMSHelp"), Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{"MI_R_Maischschema.htm"});
    click(d, "cmdMSOK");
    EXPECT_TRUE(isOpen("frmSpoelen"));
}

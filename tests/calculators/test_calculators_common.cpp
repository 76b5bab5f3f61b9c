#include "calculators_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

namespace mostarium::test {
namespace {

struct Calc {
    const char *command, *window, *compute, *klaar, *help, *topic;
    bool computeSound;
};
const Calc calcs[] = {
    {"mnuConversie", "frmSuikerConv", "cmdConverteer", "cmdConvKlaar", "picCSHelp", "MI_T_Conversie.htm", true},
    {"mnuCalculator", "frmHopOpslag", "cmdHOBereken", "cmdHOKlaar", "picHOHelp", "MI_T_Hopopslag.htm", true},
    {"mnuAfvullen", "frmSuikerSiroop", "cmdSSBereken", "cmdSSKlaar", "picSSHelp", "MI_T_SuikerSiroop.htm", true},
    {"mnuCorrectie", "frmEindbeStemming", "cmdESBereken", "cmdESKlaar", "picEBHelp", "MI_T_EindBestemming.htm", false},
};

class CommonTest : public CalculatorsTest {};

TEST_F(CommonTest, ComputeAndCloseSoundsHelpAndUnload)
{
    session() = singleBrew();
    for (const Calc &c : calcs) {
        SCOPED_TRACE(c.window);
        for (bool geluid : {true, false}) {
            session().app.geluidAan = geluid;
            fake.clear();
            CalcWindow *d = open(c.command, c.window);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->palette().color(QPalette::Window), MainBackColor());
            press(d, c.compute);  // on empty or prefilled boxes: the sound does not depend on it
            const QStringList afterCompute = fake.sounds;
            if (geluid && c.computeSound) {
                ASSERT_EQ(afterCompute.size(), 1);
                EXPECT_TRUE(afterCompute[0].endsWith("Sounds/zadiver_plop.wav")) << afterCompute[0].toStdString();
            } else {
                EXPECT_TRUE(afterCompute.isEmpty());
            }
            auto *help = in<ClickLabel>(d, c.help);
            QTest::mouseClick(help, Qt::LeftButton);
            EXPECT_EQ(fake.helpPages.value(0), QString::fromLatin1(c.topic));

            press(d, c.klaar);
            EXPECT_FALSE(isOpen(c.window));
            if (geluid) {
                ASSERT_EQ(fake.sounds.size(), afterCompute.size() + 1);
                EXPECT_TRUE(fake.sounds.last().endsWith("Sounds/ploc.wav"));
            } else {
                EXPECT_TRUE(fake.sounds.isEmpty());
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

TEST_F(CommonTest, NoComputeTouchesTheRecipe)
{
    for (bool dubbel : {false, true}) {
        session() = dubbel ? doubleBrew() : singleBrew();
        session().app.geluidAan = false;
        session().recipe.OGSG = 1060;
        session().recipe.OGSG2 = 1040;
        const QByteArray before = recipeFileBytes(session());
        CalcWindow *conv = open("mnuConversie", "frmSuikerConv");
        set(conv, "txtConvInput", QStringLiteral("100"));
        press(conv, "cmdConverteer");
        CalcWindow *hop = open("mnuCalculator", "frmHopOpslag");
        choose(hop, "cmbHopRecept", 0);
        set(hop, "txtHOBetaVerpakking", QStringLiteral("2"));
        in<QComboBox>(hop, "cmbHOVacuum")->setCurrentIndex(0);
        in<QComboBox>(hop, "cmbHOZuurstof")->setCurrentIndex(1);
        set(hop, "txtHOBewaartijd", QStringLiteral("1"));
        set(hop, "txtHOBewaarTemp", QStringLiteral("4"));
        press(hop, "cmdHOBereken");
        EXPECT_NE(text(hop, "txtHOFactor"), "");
        CalcWindow *siroop = open("mnuAfvullen", "frmSuikerSiroop");
        set(siroop, "txtSSVolume", QStringLiteral("20"));
        press(siroop, "cmdSSBereken");
        EXPECT_NE(text(siroop, "txtSSSuikerNodig"), "");
        CalcWindow *eind = open("mnuCorrectie", "frmEindbeStemming");
        set(eind, "txtESVolNaSpoelen", QStringLiteral("22"));
        set(eind, "txtESSGnaSpoelen", QStringLiteral("1052"));
        set(eind, "txtESVolNaSpoelen2", QStringLiteral("16"));
        set(eind, "txtESSGnaSpoelen2", QStringLiteral("1038"));
        press(eind, "cmdESBereken");
        EXPECT_NE(caption(eind, "lblESBestemmingVol"), "");

        EXPECT_EQ(recipeFileBytes(session()), before);
        EXPECT_FALSE(session().recipe.ReceptGewijzigd);
        windows().unloadAll({"frmSuikerConv", "frmHopOpslag", "frmSuikerSiroop", "frmEindbeStemming"});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(CommonTest, KeyFiltersByKind)
{
    struct Row {
        const char *command, *window, *box;
        const char *typed, *kept;
    };
    const Row rows[] = {
        {"mnuConversie", "frmSuikerConv", "txtConvInput", "-1/2.5a", "12.5"},
        {"mnuCalculator", "frmHopOpslag", "txtHOBewaarTemp", "-1/8.5a", "-18.5"},
        {"mnuCalculator", "frmHopOpslag", "txtHOAlfaVerpakking", "-4/5.", "45."},
        {"mnuCalculator", "frmHopOpslag", "txtHO_Prefix", "a/b -", "a/b -"},  // no filter: checked at compute
        {"mnuAfvullen", "frmSuikerSiroop", "txtSSxxVolume", "-3/30", "330"},
    };
    session().recipe.ReceptStatus = 1;
    for (const Row &r : rows) {
        SCOPED_TRACE(r.box);
        CalcWindow *d = open(r.command, r.window);
        QLineEdit *e = box(d, r.box);
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(r.typed));
        EXPECT_EQ(e->text(), QString::fromLatin1(r.kept));
    }
}

// The program's number boxes, one of each kind and family, as a brewer
// types and pastes into them.
TEST_F(CommonTest, NumbersAsTypedInTheProgramsBoxes)
{
    struct Row {
        const char *command, *window, *box;
        bool decimals;  // takes a decimal point
    };
    const Row rows[] = {
        {"mnuSysParameters", "frmSysParameters", "txt_SP_Evaporatie", true},
        {"mnuMaisSchema", "frmMaischSchema", "txtMSTemp_0", true},
        {"mnuConversie", "frmSuikerConv", "txtConvInput", true},
        {"mnuCalculator", "frmHopOpslag", "txtHOBewaarTemp", true},
        {"mnuContinueHoppen", "frmContinueHoppen", "txtCH_Interval", false},
        {"mnuWateraanpassing", "frmWaterAanpassing", "txtAQCaSO4", false},
    };
    session() = singleBrew();
    for (const Row &r : rows) {
        SCOPED_TRACE(r.box);
        trigger(r.command);
        QWidget *d = windows().find(QString::fromLatin1(r.window));
        ASSERT_NE(d, nullptr);
        QLineEdit *e = box(d, r.box);
        ASSERT_NE(e, nullptr);
        e->clear();
        QTest::keyClicks(e, QStringLiteral("4,5"));
        EXPECT_EQ(e->text(), r.decimals ? "4.5" : "45");

        struct Paste {
            const char *clip;
            bool taken;
            const char *shown;
        };
        const Paste pastes[] = {
            {"0.4", r.decimals, "0.4"},
            {"2,5", r.decimals, "2.5"},
            {"12a", false, ""},
        };
        for (const Paste &p : pastes) {
            SCOPED_TRACE(p.clip);
            e->setText(QStringLiteral("1"));
            fake.beeps = 0;
            QGuiApplication::clipboard()->setText(QString::fromLatin1(p.clip));
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(e->text(), p.taken ? QStringLiteral("1") + QLatin1String(p.shown) : QStringLiteral("1"));
            EXPECT_EQ(fake.beeps, p.taken ? 0 : 1);
        }
        windows().unload(QString::fromLatin1(r.window));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Text dragged from elsewhere and let go over the right end of `box`, as a
// drag delivers it: entering, moving, dropped. Returns whether the box took
// the drop.
bool dropText(QLineEdit *box, const QString &text)
{
    QMimeData data;
    data.setText(text);
    const QPointF at(box->width() - 2, box->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
    return drop.isAccepted();
}

// The rule behind every number box: keys of the box's kind, a typed comma
// as the point where the box takes one, a paste or a drop taken whole after
// that rule or refused whole with a beep.
TEST(NumericEditKinds, TypedPastedAndDropped)
{
    ScopedFakeServices fake;
    struct Row {
        NumericEdit::Kind kind;
        const char *typed;  // what "-./7x," typed gives
        bool decimals;      // takes "0.4" and "2,5" pasted
    };
    const Row rows[] = {
        {NumericEdit::Kind::Decimal, ".7.", true},
        {NumericEdit::Kind::Signed, "-.7.", true},
        {NumericEdit::Kind::Digits, "7", false},
        {NumericEdit::Kind::WholeMinutes, "/7", false},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.typed);
        NumericEdit typed(QStringLiteral("box"), r.kind);
        QTest::keyClicks(&typed, QStringLiteral("-./7x,"));
        EXPECT_EQ(typed.text(), QString::fromLatin1(r.typed));

        struct Paste {
            const char *clip, *taken;  // nullptr: refused
        };
        const Paste pastes[] = {
            {"0.4", r.decimals ? "70.4" : nullptr},
            {"2,5", r.decimals ? "72.5" : nullptr},
            {"12a", nullptr},
            {" 12\r\n", "712"},
            {"-1", r.kind == NumericEdit::Kind::Signed ? "7-1" : nullptr},
        };
        for (const Paste &p : pastes) {
            SCOPED_TRACE(p.clip);
            const QString expected = p.taken ? QString::fromLatin1(p.taken) : QStringLiteral("7");
            fake.beeps = 0;
            NumericEdit box(QStringLiteral("box"), r.kind);
            box.setText(QStringLiteral("7"));
            QGuiApplication::clipboard()->setText(QString::fromLatin1(p.clip));
            QTest::keySequence(&box, QKeySequence::Paste);
            EXPECT_EQ(box.text(), expected);
            EXPECT_EQ(fake.beeps, p.taken ? 0 : 1);

            // The same text dropped behind the "7".
            fake.beeps = 0;
            NumericEdit target(QStringLiteral("box"), r.kind);
            target.setText(QStringLiteral("7"));
            target.show();
            EXPECT_EQ(dropText(&target, QString::fromLatin1(p.clip)), p.taken != nullptr);
            EXPECT_EQ(target.text(), expected);
            EXPECT_EQ(fake.beeps, p.taken ? 0 : 1);
        }
    }

    // A paste that would not fit is refused too; one that replaces the
    // selection and fits is taken.
    NumericEdit capped(QStringLiteral("box"), NumericEdit::Kind::Digits);
    capped.setMaxLength(3);
    capped.setText(QStringLiteral("12"));
    QGuiApplication::clipboard()->setText(QStringLiteral("34"));
    QTest::keySequence(&capped, QKeySequence::Paste);
    EXPECT_EQ(capped.text(), "12");
    capped.selectAll();
    QTest::keySequence(&capped, QKeySequence::Paste);
    EXPECT_EQ(capped.text(), "34");

    // A drop lands beside the text, selected or not: one that would not fit
    // is refused whole, never cut to the box's length.
    capped.show();
    for (bool selected : {false, true}) {
        SCOPED_TRACE(selected ? "selected" : "not selected");
        capped.setText(QStringLiteral("12"));
        if (selected)
            capped.selectAll();
        fake.beeps = 0;
        EXPECT_FALSE(dropText(&capped, QStringLiteral("34")));
        EXPECT_EQ(capped.text(), "12");
        EXPECT_EQ(fake.beeps, 1);
    }
    EXPECT_TRUE(dropText(&capped, QStringLiteral("3")));
    EXPECT_EQ(capped.text(), "123");
}

}  // namespace
}  // namespace mostarium::test

// A number too large for a double, pasted into any number box that a window
// reads on its OK or compute button, turns that box red (or is refused whole
// by the box) and the program goes on: the recipe dialogs, the calculators
// and the system parameters read their boxes by the same rule.
#include "open_dialog_fixture.h"

#include "calculators/CalcWindow.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"
#include "platform/NumericEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QRadioButton>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString Digits401 = QString(401, u'9');

struct Window {
    const char *command;  // the menu item that opens it ("" : after the first hop dialog)
    const char *window;
    const char *ok;  // the button that reads the boxes
    // Valid values for the boxes that must pass before the others are read.
    std::vector<std::pair<const char *, const char *>> valid = {};
};

const Window Windows[] = {
    {"mnuDoel", "frmDoelstellingen", "cmdDSOK"},
    {"mnuStorting", "frmStorting", "cmdStOK"},
    {"mnuMaisSchema", "frmMaischSchema", "cmdMSOK"},
    {"mnuSpoelen", "frmSpoelen", "cmdSpoelOK"},
    {"mnuHopgift", "frmHopgift", "cmdHGOK"},
    {"", "frmHopgift2", "cmdHG2OK"},
    {"mnuEvaluatie", "frmEvaluatie", "cmdEvalOK"},
    {"mnuConversie", "frmSuikerConv", "cmdConverteer"},
    {"mnuCalculator", "frmHopOpslag", "cmdHOBereken"},
    // The free volume is read once the three checked boxes pass.
    {"mnuAfvullen",
     "frmSuikerSiroop",
     "cmdSSBereken",
     {{"txtSSCO2Aanwezig", "2"}, {"txtSSCO2Gewenst", "5"}, {"txtSSVolume", "20"}}},
    {"mnuHopPartitionMagic", "frmHopPartition", "cmdHP_Bereken"},
    {"mnuWateraanpassing", "frmWaterAanpassing", "cmdWAOK"},
    {"mnuCorrectie", "frmEindbeStemming", "cmdESBereken"},
    {"mnuContinueHoppen", "frmContinueHoppen", "cmdCHBereken"},
    {"mnuSysParameters", "frmSysParameters", "cmdSP_OK"},
};

class OverflowingNumbersTest : public OpenDialogTest {
protected:
    OverflowingNumbersTest() { QDir(folder.path()).mkpath(QStringLiteral("temp")); }

    // A double brew with every part filled, so that every box is shown.
    QWidget *openFresh(const Window &win)
    {
        for (const Window &x : Windows)
            windows().unload(QLatin1String(x.window));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        load(doubleBrew());
        s().app.dubbelBrouw = true;
        w->PasGUIAanBrouwType();
        if (!*win.command) {
            windows().show(QLatin1String(win.window));
            return windows().find(QLatin1String(win.window));
        }
        return open(win.command, win.window);
    }

    // The boxes a person can type into.
    static QList<NumericEdit *> boxes(QWidget *d)
    {
        QList<NumericEdit *> out;
        for (NumericEdit *b : d->findChildren<NumericEdit *>())
            if (b->isVisible() && b->isEnabled() && !b->isReadOnly())
                out << b;
        return out;
    }

    // Ctrl+V into the box, as a person pastes: focus selects all first.
    static void paste(NumericEdit *box, const QString &text)
    {
        QApplication::clipboard()->setText(text);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
};

}  // namespace

TEST_F(OverflowingNumbersTest, EveryBoxReadOnOkTurnsRedOrRefusesThePaste)
{
    for (const Window &win : Windows) {
        QWidget *d = openFresh(win);
        ASSERT_NE(d, nullptr) << win.window;
        const int count = int(boxes(d).size());
        EXPECT_GT(count, 0) << win.window;
        for (int i = 0; i < count; ++i) {
            d = openFresh(win);
            ASSERT_NE(d, nullptr) << win.window;
            NumericEdit *box = boxes(d).value(i);
            ASSERT_NE(box, nullptr) << win.window << " box " << i;
            SCOPED_TRACE(testing::Message() << win.window << "." << qPrintable(box->objectName()));
            for (const auto &[name, value] : win.valid)
                if (box->objectName() != QLatin1String(name))
                    in<NumericEdit>(d, QLatin1String(name))->setText(QLatin1String(value));
            const QString before = box->text();
            paste(box, Digits401);
            const bool taken = box->text() == Digits401;
            if (!taken) {
                // A box too short for it refuses the paste whole.
                EXPECT_EQ(box->text(), before);
                EXPECT_LT(box->maxLength(), Digits401.size());
                continue;
            }
            fake.messages.clear();
            EXPECT_NO_THROW(in<QPushButton>(d, QLatin1String(win.ok))->click());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            // The window stays, with the box marked; nothing was stored.
            ASSERT_TRUE(windows().isLoaded(QLatin1String(win.window)));
            EXPECT_TRUE(box->isBad());
            EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.messages.front().prompt);
        }
    }
}

// A new output unit converts the input again without a check: an input no
// double holds changes no result and logs nothing.
TEST_F(OverflowingNumbersTest, AnotherOutputUnitAfterThePasteChangesNothing)
{
    QWidget *d = openFresh({"mnuConversie", "frmSuikerConv", "cmdConverteer"});
    ASSERT_NE(d, nullptr);
    NumericEdit *input = in<NumericEdit>(d, QStringLiteral("txtConvInput"));
    input->setText(QStringLiteral("120"));
    press(d, "cmdConverteer");
    const QString result = in<QLineEdit>(d, QStringLiteral("txtConvOutput"))->text();
    ASSERT_FALSE(result.isEmpty());
    const QString log = folder.file(QStringLiteral("temp/Conversie.log"));
    const QByteArray logged = fileBytes(log);
    ASSERT_FALSE(logged.isEmpty());

    paste(input, Digits401);
    auto *plato = in<QRadioButton>(d, QStringLiteral("optConvOutput_2"));
    ASSERT_TRUE(plato->isVisible());
    EXPECT_NO_THROW(plato->click());
    EXPECT_EQ(in<QLineEdit>(d, QStringLiteral("txtConvOutput"))->text(), result);
    EXPECT_EQ(fileBytes(log), logged);
}

// The targets' OK also reads the aroma grams of the recipe to scale them to
// the new volume: grams no double holds end the scaling, the store goes on.
TEST_F(OverflowingNumbersTest, AromaGramsBeyondADoubleEndTheScaling)
{
    load(singleBrew());
    s().recipe.Aromahop(0, HopGram) = Digits401;
    QWidget *d = open("mnuDoel", "frmDoelstellingen");
    ASSERT_NE(d, nullptr);
    in<NumericEdit>(d, QStringLiteral("txtDoelVol"))->setText(QStringLiteral("21"));
    EXPECT_NO_THROW(press(d, "cmdDSOK"));
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmDoelstellingen")));
    EXPECT_EQ(s().recipe.Aromahop(0, HopGram), Digits401);
    EXPECT_EQ(s().recipe.Doelstellingen(1), 21.0f);
}

// The rule itself: a number no double holds lies in no range, whatever its
// sign or the text after it.
TEST(LeadingNumberRule, ANumberBeyondADoubleLiesInNoRange)
{
    const Limit anything{-1e308, 1e308, true};
    for (const QString &text : {Digits401, QStringLiteral("-") + Digits401, Digits401 + QStringLiteral("abc"),
                                QStringLiteral("1E999"), QStringLiteral(" 2e400 ")}) {
        EXPECT_FALSE(num::leadingNumber(text)) << qPrintable(text);
        EXPECT_FALSE(holdsText(anything, text)) << qPrintable(text);
    }
    EXPECT_TRUE(holdsText(anything, QStringLiteral("1E308")));
    EXPECT_TRUE(holdsText(anything, QStringLiteral("1e-999"))) << "too small reads as 0";
}

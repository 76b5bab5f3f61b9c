// The real input box, typed in as a person would: a box that asks a number
// takes the decimal comma as the point, and the optimisers get the number.

#include "platform/NumericEdit.h"
#include "platform/QtServices.h"

#include "core/Optimisers.h"
#include "core/Session.h"

#include "support/Samples.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// Answers each input box the real services open with the next action on
// its text field, and closes every message box, noting its text.
class BoxDriver {
public:
    using Action = std::function<void(QLineEdit *edit, QDialog *box)>;

    BoxDriver()
    {
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { step(); });
        m_timer.start();
    }

    std::deque<Action> actions;
    QStringList prompts, messages;
    std::vector<bool> numberBoxes;  // whether each input box's field is a number box

private:
    void step()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last)
            return;
        m_last = modal;
        if (auto *message = qobject_cast<QMessageBox *>(modal)) {
            messages << message->text();
            message->close();
            return;
        }
        auto *box = qobject_cast<QDialog *>(modal);
        auto *edit = modal->findChild<QLineEdit *>(QStringLiteral("txtInput"));
        auto *prompt = modal->findChild<QLabel *>(QStringLiteral("lblPrompt"));
        if (!box || !edit || !prompt || actions.empty()) {
            ADD_FAILURE() << "an unexpected dialog: " << qPrintable(modal->windowTitle());
            modal->close();
            return;
        }
        prompts << prompt->text();
        numberBoxes.push_back(qobject_cast<NumericEdit *>(edit) != nullptr);
        const Action act = actions.front();
        actions.pop_front();
        act(edit, box);
        // Every action ends the box; one left standing would wait for ever.
        if (box->isVisible()) {
            ADD_FAILURE() << "the box stayed open after its answer";
            box->reject();
        }
    }

    QTimer m_timer;
    QPointer<QWidget> m_last;
};

// Typed over the selected default text, then Enter.
BoxDriver::Action typeAndEnter(const QString &keys)
{
    return [keys](QLineEdit *edit, QDialog *) {
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

TEST(InputBox, ANumberBoxTakesTheDecimalCommaAsThePointATextBoxKeepsIt)
{
    QtServices real;
    struct Case {
        const char *name;
        InputKind kind;
        BoxDriver::Action act;
        std::optional<QString> answer;
    } cases[] = {
        {"comma typed", InputKind::Decimal, typeAndEnter(QStringLiteral("2,5")), QStringLiteral("2.5")},
        {"point typed", InputKind::Decimal, typeAndEnter(QStringLiteral("6.05")), QStringLiteral("6.05")},
        {"letters and blanks dropped", InputKind::Decimal, typeAndEnter(QStringLiteral("2 a,5x")),
         QStringLiteral("2.5")},
        {"comma pasted", InputKind::Decimal,
         [](QLineEdit *edit, QDialog *box) {
             QApplication::clipboard()->setText(QStringLiteral(" 3,75\n"));
             QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
             box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
         },
         QStringLiteral("3.75")},
        {"paste that is no number refused whole", InputKind::Decimal,
         [](QLineEdit *edit, QDialog *box) {
             QApplication::clipboard()->setText(QStringLiteral("2,5 kg"));
             QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
             box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
         },
         QStringLiteral("60")},
        {"text box keeps the comma", InputKind::Text, typeAndEnter(QStringLiteral("2,5 kg")), QStringLiteral("2,5 kg")},
        {"cancelled", InputKind::Decimal,
         [](QLineEdit *edit, QDialog *box) {
             QTest::keyClicks(edit, QStringLiteral("2,5"));
             box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
         },
         std::nullopt},
        {"escape", InputKind::Decimal,
         [](QLineEdit *edit, QDialog *) {
             QTest::keyClicks(edit, QStringLiteral("2,5"));
             QTest::keyClick(edit, Qt::Key_Escape);
         },
         std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        BoxDriver driver;
        driver.actions.push_back(c.act);
        const std::optional<QString> answer =
            real.inputBox(QStringLiteral("Voer gewenste kooktijd in."), QStringLiteral("Mostarium OptiMaischer"),
                          QStringLiteral("60"), c.kind);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(driver.prompts, QStringList{QStringLiteral("Voer gewenste kooktijd in.")});
        EXPECT_TRUE(driver.actions.empty());
    }
}

// The optimiser's boxes are number boxes: what the brewer types with a comma
// is the number the optimiser goes on with.
TEST(InputBox, TheOptimisersTakeTheCommaTypedInTheirBoxes)
{
    QtServices real;
    Services *before = setServices(&real);
    Session s = recalculatedSample(QStringLiteral("Zomerblond.zlv"));
    OptiMaischer o;
    BoxDriver driver;
    driver.actions = {typeAndEnter(QStringLiteral("75,5")), typeAndEnter(QStringLiteral("2,5"))};

    OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true);
    setServices(before);

    EXPECT_EQ(driver.prompts, (QStringList{QStringLiteral("Voer gewenste kooktijd in."),
                                           QStringLiteral("Voer minimum beslag dikte in (2-6 L/kg).")}));
    EXPECT_EQ(driver.numberBoxes, (std::vector<bool>{true, true}));
    EXPECT_TRUE(driver.actions.empty()) << "a box was asked again";
    EXPECT_DOUBLE_EQ(o.GewensteKooktijd, 75.5);
    EXPECT_DOUBLE_EQ(o.MinimumBeslagDikte, 2.5);
}

}  // namespace

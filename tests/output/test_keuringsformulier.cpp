// The judging sheet: one window, edits kept while it is open, printing the
// whole sheet or the selection, a missing sheet or one too tall to show.
#include "output_fixture.h"

#include "platform/TextHeight.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QTextCursor>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class JudgingSheet : public OutputTest {
protected:
    static QTextEdit *sheet() { return in<QTextEdit>("frmKeuringsformulier", "rtbKeuringsFormulier"); }
    static void menu(const char *name) { in<QAction>("frmKeuringsformulier", name)->trigger(); }
};

}  // namespace

TEST_F(JudgingSheet, OneWindowKeepsItsEditsWhenOpenedAgain)
{
    trigger("mnuKeurFormulier");
    ASSERT_TRUE(isOpen("frmKeuringsformulier"));
    QWidget *first = windows().find(QStringLiteral("frmKeuringsformulier"));
    EXPECT_EQ(first->windowTitle(), "Keuringsformulier");
    EXPECT_TRUE(sheet()->toPlainText().contains(QStringLiteral("Totaalindruk")));
    EXPECT_TRUE(fake.messages.empty());

    QTextCursor end(sheet()->document());
    end.movePosition(QTextCursor::End);
    sheet()->setTextCursor(end);
    QTest::keyClicks(sheet(), QStringLiteral("Inzending 17: mooi helder"));
    trigger("mnuKeurFormulier");
    EXPECT_EQ(windows().find(QStringLiteral("frmKeuringsformulier")), first);
    EXPECT_TRUE(sheet()->toPlainText().contains(QStringLiteral("Inzending 17: mooi helder")));

    // Closed, the edits are gone: nothing is saved.
    menu("mnuKFAfsluiten");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    trigger("mnuKeurFormulier");
    EXPECT_FALSE(sheet()->toPlainText().contains(QStringLiteral("Inzending 17")));
}

TEST_F(JudgingSheet, PrintsTheWholeSheetOrTheSelection)
{
    trigger("mnuKeurFormulier");
    const QString whole = folder.file(QStringLiteral("heel.pdf"));
    fake.printAnswers.push_back(whole);
    menu("mnuKFPrint");
    EXPECT_EQ(fake.printDialogs, std::vector<bool>{false});
    const QString all = pdfText(whole);
    EXPECT_TRUE(all.contains(QStringLiteral("Keuringsformulier")));
    EXPECT_TRUE(all.contains(QStringLiteral("Mondgevoel")));

    fake.clear();
    QTextCursor c = sheet()->document()->find(QStringLiteral("Totaalindruk"));
    ASSERT_FALSE(c.isNull());
    sheet()->setTextCursor(c);
    const QString part = folder.file(QStringLiteral("selectie.pdf"));
    fake.printAnswers.push_back(part);
    menu("mnuKFPrint");
    EXPECT_EQ(fake.printDialogs, std::vector<bool>{true});
    const QString selected = pdfText(part);
    EXPECT_TRUE(selected.trimmed().startsWith(QStringLiteral("Totaalindruk"))) << qPrintable(selected);
    EXPECT_FALSE(selected.contains(QStringLiteral("Mondgevoel")));

    // Cancel prints nothing and keeps the selection.
    fake.clear();
    menu("mnuKFPrint");
    EXPECT_EQ(fake.printDialogs.size(), 1u);
    EXPECT_TRUE(sheet()->textCursor().hasSelection());
}

TEST_F(JudgingSheet, AMissingSheetIsNamedAndLeavesAnEmptyUsableWindow)
{
    QFile::remove(folder.file(QStringLiteral("Templates/Keuringsformulier.rtf")));
    trigger("mnuKeurFormulier");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].prompt.contains(QStringLiteral("Keuringsformulier.rtf")));
    EXPECT_TRUE(fake.messages[0].prompt.contains(QStringLiteral("leeg formulier")));
    ASSERT_TRUE(isOpen("frmKeuringsformulier"));
    EXPECT_TRUE(sheet()->toPlainText().isEmpty());
    QTest::keyClicks(sheet(), QStringLiteral("Eigen formulier"));
    EXPECT_EQ(sheet()->toPlainText(), "Eigen formulier");
}

TEST_F(JudgingSheet, ASheetTooTallToLayOutIsNamedAndLeavesAnEmptyUsableWindow)
{
    QByteArray rtf("{\\rtf1\\ansi ");
    for (int i = 0; i < 450000; ++i)
        rtf += "\\line ";
    writeFileBytes(folder.file(QStringLiteral("Templates/Keuringsformulier.rtf")), rtf + '}');
    trigger("mnuKeurFormulier");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt,
              QStringLiteral("Het keuringsformulier ")
                  + QDir::toNativeSeparators(folder.file(QStringLiteral("Templates/Keuringsformulier.rtf")))
                  + QStringLiteral(" is te lang om te tonen! U krijgt een leeg formulier."));
    ASSERT_TRUE(isOpen("frmKeuringsformulier"));
    EXPECT_TRUE(sheet()->toPlainText().isEmpty());
    QTest::keyClicks(sheet(), QStringLiteral("Eigen formulier"));
    EXPECT_EQ(sheet()->toPlainText(), "Eigen formulier");
}

// Pasted text is held to the template's bounds: a word of 100,000 letters
// gets invisible breaks and is taken whole, so that the sheet lays it out in
// time; text that would lay out too tall is refused with a beep, typed or
// pasted.
TEST_F(JudgingSheet, PastedAndTypedTextIsHeldToTheTemplatesBounds)
{
    trigger("mnuKeurFormulier");
    ASSERT_TRUE(isOpen("frmKeuringsformulier"));
    sheet()->setFocus();
    const QString before = sheet()->toPlainText();
    const QString word(100000, QLatin1Char('x'));
    QApplication::clipboard()->setText(word);
    QTest::keyClick(sheet(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(sheet(), Qt::Key_V, Qt::ControlModifier);
    QString text = sheet()->toPlainText();
    EXPECT_EQ(text.count(QChar(0x200B)), (100000 - 1) / 256);
    text.remove(QChar(0x200B));
    EXPECT_TRUE(text == before + word) << "the text differs";
    EXPECT_EQ(fake.beeps, 0);

    // Empty paragraphs beyond the height bound are refused; up to a few
    // lines short of it they are taken, and Enter then soon beeps. Pasted
    // text takes the font where it goes, here the largest there is.
    sheet()->setFontPointSize(1638);
    const qreal line = TextHeightMeasure(*sheet()->document()).lineSpacing(sheet()->textCursor().charFormat());
    QApplication::clipboard()->setText(QString(int(1.01 * MaxTextHeight / line), QLatin1Char('\n')));
    QTest::keyClick(sheet(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(fake.beeps, 1);
    const int characters = sheet()->document()->characterCount();
    const int room = int((MaxTextHeight - textHeightBound(*sheet()->document())) / line);
    QApplication::clipboard()->setText(QString(room - 20, QLatin1Char('\n')));
    QTest::keyClick(sheet(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(fake.beeps, 1);
    EXPECT_EQ(sheet()->document()->characterCount(), characters + room - 20);
    for (int i = 0; i < 100 && fake.beeps == 1; ++i) {
        sheet()->setFontPointSize(1638);
        QTest::keyClick(sheet(), Qt::Key_Return);
    }
    EXPECT_EQ(fake.beeps, 2);
    EXPECT_LE(textHeightBound(*sheet()->document()), MaxTextHeight);
}

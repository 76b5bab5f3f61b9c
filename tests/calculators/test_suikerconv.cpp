#include "calculators_fixture.h"

#include "calculators/frmSuikerConv.h"

namespace mostarium::test {
namespace {

class SuikerConvTest : public CalculatorsTest {
protected:
    QRadioButton *van(int i) { return in<QRadioButton>(d, qPrintable(QStringLiteral("optConvVan_%1").arg(i))); }
    QRadioButton *naar(int i) { return in<QRadioButton>(d, qPrintable(QStringLiteral("optConvOutput_%1").arg(i))); }
    void convert(const char *input)
    {
        box(d, "txtConvInput")->clear();
        QTest::keyClicks(box(d, "txtConvInput"), QString::fromLatin1(input));
        press(d, "cmdConverteer");
    }
    QString status() const { return d->statusText(); }
    QString log() const { return temp(QStringLiteral("Conversie.log")); }

    void open()
    {
        d = CalculatorsTest::open("mnuConversie", "frmSuikerConv");
        ASSERT_NE(d, nullptr);
    }
    CalcWindow *d = nullptr;
};

TEST_F(SuikerConvTest, OpensOnGramsToDensityWithANewLog)
{
    QFile old(log());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("oud\r\n");
    old.close();
    open();
    EXPECT_EQ(d->windowTitle(), "Conversie Suikereenheden");
    EXPECT_TRUE(van(0)->isChecked());
    EXPECT_TRUE(naar(1)->isChecked());
    EXPECT_TRUE(naar(0)->isHidden());
    EXPECT_FALSE(naar(1)->isHidden());
    EXPECT_EQ(text(d, "txtConvInput"), "");
    EXPECT_EQ(text(d, "txtConvOutput"), "");
    EXPECT_TRUE(box(d, "txtConvOutput")->isReadOnly());
    EXPECT_FALSE(QFile::exists(log()));
    EXPECT_EQ(status(), "");
}

TEST_F(SuikerConvTest, ConversionsAreShownAndAppendedByteForByte)
{
    open();
    van(2)->click();  // Plato: density stays the output
    EXPECT_TRUE(naar(1)->isChecked());
    EXPECT_TRUE(naar(2)->isHidden());
    convert("12");
    EXPECT_EQ(text(d, "txtConvOutput"), "1048.9");
    EXPECT_EQ(status(), "Conversie appended to " + frmSuikerConv::logPath());
    EXPECT_EQ(bytes(log()), QByteArray("12 \xBA Plato (gr/100gr) = 1048.9 soortelijk gewicht (kg/m3)\r\n"));

    // Another output unit converts the same input again and logs it.
    naar(0)->click();
    EXPECT_EQ(text(d, "txtConvOutput"), "127.5");
    EXPECT_EQ(bytes(log()), QByteArray("12 \xBA Plato (gr/100gr) = 1048.9 soortelijk gewicht (kg/m3)\r\n"
                                       "12 \xBA Plato (gr/100gr) = 127.5 concentratie (gr/L)\r\n"));

    // Another input unit empties both boxes; density pairs with grams per litre.
    van(1)->click();
    EXPECT_TRUE(naar(0)->isChecked());
    EXPECT_TRUE(naar(1)->isHidden());
    EXPECT_EQ(text(d, "txtConvInput"), "");
    EXPECT_EQ(text(d, "txtConvOutput"), "");
}

TEST_F(SuikerConvTest, BadInputTurnsRedAndTouchesNothing)
{
    open();
    convert("100");
    ASSERT_EQ(text(d, "txtConvOutput"), "1038.5");
    const QByteArray logged = bytes(log());
    for (const char *input : {"", "0", "500.5", "abc"}) {
        SCOPED_TRACE(input);
        convert(input);
        EXPECT_TRUE(bad(d, "txtConvInput"));
        EXPECT_EQ(status(), "Invoer incorrect!");
        EXPECT_EQ(text(d, "txtConvOutput"), "1038.5");
        EXPECT_EQ(bytes(log()), logged);
    }
    convert("500");
    EXPECT_FALSE(bad(d, "txtConvInput"));
    EXPECT_EQ(text(d, "txtConvOutput"), "1189.7");
}

TEST_F(SuikerConvTest, ANegativeResultIsShownButNotLogged)
{
    open();
    van(1)->click();
    convert("995");
    EXPECT_EQ(text(d, "txtConvOutput"), "-15.2");
    EXPECT_FALSE(QFile::exists(log()));
    EXPECT_EQ(status(), "");
}

TEST_F(SuikerConvTest, ALogThatCannotBeWrittenKeepsTheResult)
{
    open();
    blockWith(log());
    convert("100");
    EXPECT_EQ(text(d, "txtConvOutput"), "1038.5");
    EXPECT_EQ(status(), "Conversie kon niet worden bijgeschreven in " + frmSuikerConv::logPath());
    // The dialog stays usable.
    convert("1250");
    EXPECT_EQ(status(), "Invoer incorrect!");
}

}  // namespace
}  // namespace mostarium::test

#include "calculators_fixture.h"

#include "calculators/frmHopPartition.h"

#include "support/widgets/TypeInList.h"

#include <QAbstractItemView>

namespace mostarium::test {
namespace {

class HopPartitionTest : public CalculatorsTest {
protected:
    void open()
    {
        d = qobject_cast<frmHopPartition *>(CalculatorsTest::open("mnuHopPartitionMagic", "frmHopPartition"));
        ASSERT_NE(d, nullptr);
    }
    QString row(const char *name, int i) const { return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i); }
    QLineEdit *box(const char *name, int i) const { return CalculatorsTest::box(d, qPrintable(row(name, i))); }
    bool shown(const char *name, int i) const { return d->findChild<QWidget *>(row(name, i))->isVisible(); }
    void need(const char *gram, const char *alfa)
    {
        set(d, "txtHP_GramNodig", QString::fromLatin1(gram));
        set(d, "txtHP_APerc", QString::fromLatin1(alfa));
    }
    // Rows shown: label, alpha box and asterisk; grams for all but the last.
    void expectRows(int n)
    {
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(shown("lblHP_Nummer", i), i < n);
            EXPECT_EQ(shown("txtHP_alfa", i), i < n);
            EXPECT_EQ(shown("lblAsterix_AZP", i), i < n);
            EXPECT_EQ(shown("txtHP_Gram", i), i < n - 1);
            EXPECT_EQ(shown("lblAsterix_Gr", i), i < n - 1);
            EXPECT_FALSE(shown("txtHP_Perc", i));
        }
        EXPECT_EQ(d->rowCount(), n);
    }
    QString report() const { return QString::fromLatin1(bytes(frmHopPartition::reportPath())); }
    frmHopPartition *d = nullptr;
};

TEST_F(HopPartitionTest, OpensWithTwoRowsAndAGreeting)
{
    open();
    d->show();
    EXPECT_EQ(d->windowTitle(), "Dod Izerevaro Vavir");
    EXPECT_EQ(d->statusText(), "Voer gegevens in.");
    EXPECT_EQ(in<QComboBox>(d, "cmbHP_Aantal")->currentText(), "2");
    expectRows(2);
}

TEST_F(HopPartitionTest, WorkedExampleWithoutSoundAndItsReportByteForByte)
{
    session().app.geluidAan = true;
    open();
    d->show();
    need("50", "5");
    box("txtHP_alfa", 0)->setText("8");
    box("txtHP_Gram", 0)->setText("20");
    box("txtHP_alfa", 1)->setText("4");
    press(d, "cmdHP_Bereken");
    EXPECT_TRUE(fake.sounds.isEmpty());
    EXPECT_EQ(box("txtHP_Perc", 0)->text(), "64.0");
    EXPECT_EQ(box("txtHP_Perc", 1)->text(), "36.0");
    EXPECT_EQ(box("txtHP_Gram", 1)->text(), "22.5");
    EXPECT_TRUE(shown("txtHP_Gram", 1));
    EXPECT_TRUE(shown("txtHP_Perc", 0));
    EXPECT_TRUE(shown("txtHP_Perc", 1));
    EXPECT_EQ(frmHopPartition::reportPath(), temp(QStringLiteral("HopPartition.txt")));
    EXPECT_EQ(d->statusText(), "Zie " + frmHopPartition::reportPath());
    EXPECT_EQ(bytes(frmHopPartition::reportPath()), QByteArray(" 1:  8%  20gr  64.0\r\n"
                                                               " 2:  4%  22.5gr  36.0\r\n"));
}

TEST_F(HopPartitionTest, AListChoiceAfterAComputeShowsFourRowsAndKeepsTheValues)
{
    open();
    d->show();
    need("50", "5");
    box("txtHP_alfa", 0)->setText("8");
    box("txtHP_Gram", 0)->setText("20");
    box("txtHP_alfa", 1)->setText("4");
    press(d, "cmdHP_Bereken");

    // Typing in the list's text field lays out nothing, however the typing
    // ends, even when the text is one of the list's items.
    auto *aantal = in<QComboBox>(d, "cmbHP_Aantal");
    for (const Qt::Key leave : {Qt::Key_Tab, Qt::Key_Return}) {
        typeInList(aantal, QStringLiteral("3"), leave);
        EXPECT_EQ(aantal->currentText(), "3");
        EXPECT_EQ(d->rowCount(), 2);
        EXPECT_TRUE(shown("txtHP_Perc", 0));
        if (leave == Qt::Key_Tab) {
            EXPECT_FALSE(aantal->hasFocus()) << "Tab left the list";
        }
    }

    // A choice in the list does: the arrow key, or the opened list clicked.
    aantal->setFocus();
    QTest::keyClick(aantal, Qt::Key_Down);
    expectRows(3);
    aantal->showPopup();
    QAbstractItemView *list = aantal->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(aantal->model()->index(3, 0)).center());
    EXPECT_EQ(aantal->currentText(), "4");
    expectRows(4);
    EXPECT_EQ(box("txtHP_alfa", 0)->text(), "8");
    EXPECT_EQ(box("txtHP_Gram", 0)->text(), "20");
    EXPECT_EQ(box("txtHP_alfa", 1)->text(), "4");
    EXPECT_EQ(box("txtHP_Gram", 1)->text(), "22.5");  // now an input
}

TEST_F(HopPartitionTest, GivenRowsReachingTheNeedEmptyTheLastRow)
{
    open();
    need("50", "5");
    box("txtHP_alfa", 0)->setText("8");
    box("txtHP_Gram", 0)->setText("20");
    box("txtHP_alfa", 1)->setText("4");
    press(d, "cmdHP_Bereken");
    ASSERT_EQ(box("txtHP_Gram", 1)->text(), "22.5");

    // More than needed: the earlier answer must not stand as current.
    box("txtHP_Gram", 0)->setText("40");
    press(d, "cmdHP_Bereken");
    EXPECT_EQ(box("txtHP_Perc", 0)->text(), ">100%");
    EXPECT_TRUE(bad(d, "txtHP_Perc_0"));
    EXPECT_EQ(box("txtHP_Perc", 1)->text(), "");
    EXPECT_EQ(box("txtHP_Gram", 1)->text(), "");
    EXPECT_EQ(d->statusText(), "Zie " + frmHopPartition::reportPath());
    EXPECT_EQ(bytes(frmHopPartition::reportPath()), QByteArray(" 1:  8%  40gr  >100%\r\n"
                                                               " 2:  4%  gr  \r\n"));

    // Three rows adding up to exactly the need: every given row its share.
    choose(d, "cmbHP_Aantal", 2);
    box("txtHP_alfa", 0)->setText("5");
    box("txtHP_Gram", 0)->setText("25");
    box("txtHP_alfa", 1)->setText("5");
    box("txtHP_Gram", 1)->setText("25");
    box("txtHP_alfa", 2)->setText("4");
    box("txtHP_Gram", 2)->setText("99");  // an earlier answer
    press(d, "cmdHP_Bereken");
    EXPECT_EQ(box("txtHP_Perc", 0)->text(), "50.0");
    EXPECT_FALSE(bad(d, "txtHP_Perc_0"));
    EXPECT_EQ(box("txtHP_Perc", 1)->text(), "50.0");
    EXPECT_EQ(box("txtHP_Perc", 2)->text(), "");
    EXPECT_EQ(box("txtHP_Gram", 2)->text(), "");
}

TEST_F(HopPartitionTest, BadInputIsRedAndKeepsResultsAndReport)
{
    open();
    need("50", "5");
    box("txtHP_alfa", 0)->setText("8");
    box("txtHP_Gram", 0)->setText("20");
    box("txtHP_alfa", 1)->setText("4");
    press(d, "cmdHP_Bereken");
    const QByteArray before = bytes(frmHopPartition::reportPath());

    need("", "25");
    box("txtHP_alfa", 1)->setText("0");
    box("txtHP_Gram", 0)->setText("0");
    press(d, "cmdHP_Bereken");
    EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
    for (const char *name : {"txtHP_GramNodig", "txtHP_APerc", "txtHP_alfa_1", "txtHP_Gram_0"})
        EXPECT_TRUE(bad(d, name)) << name;
    EXPECT_FALSE(bad(d, "txtHP_alfa_0"));
    EXPECT_EQ(box("txtHP_Gram", 1)->text(), "22.5");
    EXPECT_EQ(bytes(frmHopPartition::reportPath()), before);

    need("50", "24.99");
    box("txtHP_alfa", 1)->setText("4");
    box("txtHP_Gram", 0)->setText("20");
    press(d, "cmdHP_Bereken");
    for (const char *name : {"txtHP_GramNodig", "txtHP_APerc", "txtHP_alfa_1", "txtHP_Gram_0"})
        EXPECT_FALSE(bad(d, name)) << name;
}

TEST_F(HopPartitionTest, OneVarietyAndAReportThatCannotBeWritten)
{
    open();
    choose(d, "cmbHP_Aantal", 0);
    expectRows(1);
    need("50", "5");
    box("txtHP_alfa", 0)->setText("6");
    blockWith(frmHopPartition::reportPath());
    press(d, "cmdHP_Bereken");
    EXPECT_EQ(box("txtHP_Perc", 0)->text(), "100");
    EXPECT_EQ(box("txtHP_Gram", 0)->text(), "41.7");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "Error in routine ArchiveerHopOnderverdeling!");
    EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
    EXPECT_FALSE(d->statusText().startsWith("Zie "));
}

TEST_F(HopPartitionTest, KeysHelpAndClose)
{
    session().app.geluidAan = true;
    open();
    QLineEdit *e = box("txtHP_alfa", 0);
    QTest::keyClicks(e, QStringLiteral("-1/2.5a"));
    EXPECT_EQ(e->text(), "12.5");
    press(d, "cmdHP_Bereken");  // bad input, and no sound either
    EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
    EXPECT_TRUE(fake.sounds.isEmpty());
    QTest::mouseClick(in<ClickLabel>(d, "picHP_Help"), Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{"MI_T_HopPartition.htm"});
    EXPECT_EQ(in<QPushButton>(d, "cmdHP_OK")->text(), "&OK");
    press(d, "cmdHP_OK");
    EXPECT_FALSE(isOpen("frmHopPartition"));
    ASSERT_EQ(fake.sounds.size(), 1);
    EXPECT_TRUE(fake.sounds[0].endsWith("Sounds/ploc.wav"));
}

}  // namespace
}  // namespace mostarium::test

#include "calculators_fixture.h"

#include "calculators/frmContinueHoppen.h"

#include "support/widgets/TypeInList.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableWidget>

namespace mostarium::test {
namespace {

class ContinueHoppenTest : public CalculatorsTest {
protected:
    void open()
    {
        d = qobject_cast<frmContinueHoppen *>(CalculatorsTest::open("mnuContinueHoppen", "frmContinueHoppen"));
        ASSERT_NE(d, nullptr);
        grid = in<QTableWidget>(d, "fgdCH_Overview");
    }
    void fill(const char *kook = "60", const char *interval = "10")
    {
        set(d, "txtCH_DoelEBU", QStringLiteral("30"));
        set(d, "txtCH_Kooktijd", QString::fromLatin1(kook));
        set(d, "txtCH_Interval", QString::fromLatin1(interval));
        set(d, "txtCH_StartSG", QStringLiteral("1040"));
        set(d, "txtCH_EindSG", QStringLiteral("1050"));
        set(d, "txtCH_Alfazuur", QStringLiteral("5"));
        set(d, "txtCH_Volume", QStringLiteral("20"));
    }
    void modus(int i) { in<QRadioButton>(d, qPrintable(QStringLiteral("optModus_%1").arg(i)))->click(); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = grid->item(row, column);
        return item ? item->text() : QString();
    }
    QString report() const { return d->reportPath(); }
    frmContinueHoppen *d = nullptr;
    QTableWidget *grid = nullptr;
};

TEST_F(ContinueHoppenTest, OpensWithItsGridAndDefaults)
{
    open();
    d->show();
    EXPECT_EQ(d->windowTitle(), "Continue Hoppen");
    EXPECT_EQ(d->statusText(), "Voer gegevens in.");
    EXPECT_EQ(caption(d, "lblCH_AantalHopgiften"), "Aantal Hopgiften:");
    EXPECT_EQ(caption(d, "lblCH_TotaleHopgift"), "Totale Hopgift (gr):");
    auto *vorm = in<QComboBox>(d, "comCH_Hoedanigheid");
    EXPECT_TRUE(vorm->isEditable());
    EXPECT_EQ(vorm->currentText(), "bloemen");
    EXPECT_EQ(text(d, "txtCH_EBUverschil"), "0");
    EXPECT_TRUE(in<QRadioButton>(d, "optModus_0")->isChecked());
    EXPECT_EQ(box(d, "txtCH_Prefix")->maxLength(), 32);
    EXPECT_EQ(box(d, "txtCH_EBUverschil")->maxLength(), 32);
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->rowCount(), 1);
    const QStringList heads{"# ", "tijd ", "kooktijd ", " SG ", "gram ", "EBU ", "Totaal EBU  "};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), heads[c]);
    EXPECT_TRUE(grid->horizontalHeader()->font().bold());
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(ContinueHoppenTest, SevenAdditionsShownAndTheirReportByteForByte)
{
    session().app.geluidAan = true;
    open();
    fill();
    set(d, "txtCH_Prefix", QStringLiteral("IPA "));
    press(d, "cmdCHBereken");
    EXPECT_EQ(report(), temp(QStringLiteral("IPA ContinueHoppen.csv")));
    EXPECT_EQ(d->statusText(), "Zie " + report());
    EXPECT_EQ(caption(d, "lblCH_AantalHopgiften"), "Aantal Hopgiften: 7");
    EXPECT_EQ(caption(d, "lblCH_TotaleHopgift"), "Totale Hopgift (gr): 74.8");
    ASSERT_EQ(grid->rowCount(), 7);
    EXPECT_EQ(cell(6, 2), "0");
    EXPECT_EQ(cell(6, 5), ".0");
    ASSERT_EQ(fake.sounds.size(), 1);
    EXPECT_TRUE(fake.sounds[0].endsWith("Sounds/zadiver_plop.wav"));
    // By hand: 10 g at 5 % in 20 L gives 0.25 EBU times the utilisation; the
    // seven reference additions add up to 7.0 EBU, so W = 300 / 28.07.
    EXPECT_EQ(bytes(report()), QByteArray("Gewenste bitterheid (EBU): 30\r\n"
                                          "Kooktijd (min): 60\r\n"
                                          "Interval (min): 10\r\n"
                                          "SG bij start koken (kg/m3): 1040\r\n"
                                          "SG bij eind koken (kg/m3): 1050\r\n"
                                          "Alfazuurgehalte (%): 5\r\n"
                                          "Hop hoedanigheid: bloemen\r\n"
                                          "Volume (L): 20\r\n"
                                          "EBU verschil: 0\r\n"
                                          "\r\n"
                                          "# ,tijd ,kooktijd , SG ,gram ,EBU ,Totaal EBU  \r\n"
                                          "1,0,60,1040.0,10.7,6.7,6.7\r\n"
                                          "2,10,50,1041.4,10.7,6.3,13.1\r\n"
                                          "3,20,40,1042.9,10.7,5.8,18.8\r\n"
                                          "4,30,30,1044.3,10.7,5.0,23.8\r\n"
                                          "5,40,20,1045.7,10.7,3.9,27.7\r\n"
                                          "6,50,10,1047.1,10.7,2.3,30.0\r\n"
                                          "7,60,0,1048.6,10.7,.0,30.0\r\n"));

    // Fewer additions drop the surplus rows.
    modus(1);
    press(d, "cmdCHBereken");
    EXPECT_EQ(grid->rowCount(), 6);
    EXPECT_EQ(cell(5, 1), "50");
    EXPECT_EQ(cell(5, 6), "30.0");
    EXPECT_EQ(bytes(report()).count("\r\n"), 9 + 1 + 1 + 6);
}

TEST_F(ContinueHoppenTest, ValidationPairs)
{
    struct Row {
        const char *box, *value;
        std::vector<const char *> red;
    };
    const Row rows[] = {
        {"txtCH_Interval", "60", {"txtCH_Kooktijd", "txtCH_Interval"}},
        {"txtCH_EindSG", "1040", {"txtCH_StartSG", "txtCH_EindSG"}},
        {"txtCH_Kooktijd", "200", {"txtCH_Kooktijd"}},
        {"txtCH_Alfazuur", "25.5", {"txtCH_Alfazuur"}},
        {"txtCH_Volume", "", {"txtCH_Volume"}},
        {"txtCH_DoelEBU", "0", {"txtCH_DoelEBU"}},
        {"txtCH_Prefix", "a:b", {"txtCH_Prefix"}},
    };
    const char *checked[] = {"txtCH_DoelEBU", "txtCH_Kooktijd", "txtCH_Interval", "txtCH_StartSG",
                             "txtCH_EindSG",  "txtCH_Alfazuur", "txtCH_Volume",   "txtCH_Prefix"};
    open();
    fill();
    press(d, "cmdCHBereken");
    const QString path = report();
    const QByteArray before = bytes(path);
    ASSERT_FALSE(before.isEmpty());
    for (const Row &r : rows) {
        SCOPED_TRACE(r.box);
        fill();
        set(d, "txtCH_Prefix", QString());
        set(d, r.box, QString::fromLatin1(r.value));
        press(d, "cmdCHBereken");
        EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
        for (const char *name : checked) {
            const bool expected =
                std::find_if(r.red.begin(), r.red.end(), [name](const char *x) { return std::string(x) == name; })
                != r.red.end();
            EXPECT_EQ(bad(d, name), expected) << name;
        }
        EXPECT_EQ(bytes(path), before);
        EXPECT_FALSE(QFile::exists(report()) && report() != path);
        EXPECT_EQ(grid->rowCount(), 7);
    }
}

TEST_F(ContinueHoppenTest, MinuteBoxesAreJudgedOnTheirWholeMinutes)
{
    open();
    fill();
    // A paste the keys would not take is refused whole: no "04" from "0.4".
    QLineEdit *interval = box(d, "txtCH_Interval");
    interval->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("0.4"));
    QTest::keySequence(interval, QKeySequence::Paste);
    EXPECT_EQ(interval->text(), "");
    EXPECT_EQ(fake.beeps, 1);
    QTest::keyClicks(interval, QStringLiteral("4/x"));
    EXPECT_EQ(interval->text(), "4/");

    // A fraction that reaches the box all the same is rounded first.
    interval->setText(QStringLiteral("0.4"));
    press(d, "cmdCHBereken");
    EXPECT_TRUE(bad(d, "txtCH_Interval"));
    EXPECT_FALSE(bad(d, "txtCH_Kooktijd"));
    EXPECT_EQ(grid->rowCount(), 1);
    EXPECT_FALSE(QFile::exists(report()));

    interval->setText(QStringLiteral("59.6"));
    press(d, "cmdCHBereken");
    EXPECT_TRUE(bad(d, "txtCH_Interval"));
    EXPECT_TRUE(bad(d, "txtCH_Kooktijd"));
    EXPECT_FALSE(QFile::exists(report()));

    interval->setText(QStringLiteral("59.4"));
    modus(2);
    press(d, "cmdCHBereken");
    EXPECT_FALSE(bad(d, "txtCH_Interval"));
    EXPECT_FALSE(bad(d, "txtCH_Kooktijd"));
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(d->statusText(), "Zie " + report());
}

TEST_F(ContinueHoppenTest, AFormWithoutAKnownWordIsRed)
{
    open();
    fill();
    auto *vorm = in<QComboBox>(d, "comCH_Hoedanigheid");
    for (int m = 0; m < 3; ++m) {
        SCOPED_TRACE(m);
        modus(m);
        vorm->setEditText(QStringLiteral("hopkegels"));
        press(d, "cmdCHBereken");
        EXPECT_TRUE(bad(d, "comCH_Hoedanigheid"));
        EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
        EXPECT_EQ(grid->rowCount(), 1);
        EXPECT_FALSE(QFile::exists(report()));
    }
    vorm->setEditText(QStringLiteral("Pellets "));
    press(d, "cmdCHBereken");
    EXPECT_FALSE(bad(d, "comCH_Hoedanigheid"));
    EXPECT_EQ(d->statusText(), "Zie " + report());
}

TEST_F(ContinueHoppenTest, ATypedFormStaysAsTypedAndReachesTheReport)
{
    open();
    fill();
    auto *vorm = in<QComboBox>(d, "comCH_Hoedanigheid");
    typeInList(vorm, QStringLiteral("Pellets"));
    EXPECT_FALSE(vorm->hasFocus());
    EXPECT_EQ(vorm->currentText(), "Pellets");
    // Enter computes (the default button) with the form as typed.
    typeInList(vorm, QStringLiteral("BLOEMEN"), Qt::Key_Return);
    EXPECT_EQ(vorm->currentText(), "BLOEMEN");
    EXPECT_EQ(d->statusText(), "Zie " + report());
    EXPECT_TRUE(bytes(report()).contains("\r\nHop hoedanigheid: BLOEMEN\r\n"));
}

TEST_F(ContinueHoppenTest, AStoppedLinearScheduleWritesNoReportAndKeepsItsMessage)
{
    open();
    fill();
    modus(2);
    set(d, "txtCH_EBUverschil", QStringLiteral("9"));
    press(d, "cmdCHBereken");
    EXPECT_FALSE(bad(d, "txtCH_EBUverschil"));
    EXPECT_EQ(cell(0, 5), ".5");
    EXPECT_EQ(cell(5, 5), "9.5");
    QFile::remove(report());

    for (const char *verschil : {"10", "-10"}) {
        SCOPED_TRACE(verschil);
        set(d, "txtCH_EBUverschil", QString::fromLatin1(verschil));
        press(d, "cmdCHBereken");
        EXPECT_TRUE(bad(d, "txtCH_EBUverschil"));
        EXPECT_EQ(d->statusText(), "EBU verschil te groot! Huidige waarde geeft negatieve EBU-waarde(n)!.");
        EXPECT_FALSE(QFile::exists(report()));
        // No schedule stands beside the refused difference.
        EXPECT_EQ(grid->rowCount(), 1);
        EXPECT_EQ(cell(0, 0), "");
        EXPECT_EQ(caption(d, "lblCH_TotaleHopgift"), "Totale Hopgift (gr):");
    }
    // The equal-EBU mode does not judge the difference.
    modus(1);
    press(d, "cmdCHBereken");
    EXPECT_EQ(d->statusText(), "Zie " + report());
    EXPECT_TRUE(bad(d, "txtCH_EBUverschil"));
}

TEST_F(ContinueHoppenTest, KeysHelpAndASilentKlaar)
{
    session().app.geluidAan = true;
    open();
    struct Row {
        const char *box, *typed, *kept;
    };
    for (const Row r : {Row{"txtCH_Kooktijd", "-6/0.5a", "6/05"}, Row{"txtCH_EBUverschil", "-6/0.5a", "-60.5"},
                        Row{"txtCH_DoelEBU", "-6/0.5a", "60.5"}}) {
        QLineEdit *e = box(d, r.box);
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(r.typed));
        EXPECT_EQ(e->text(), QString::fromLatin1(r.kept)) << r.box;
    }
    QTest::mouseClick(in<ClickLabel>(d, "picContHop_Help"), Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{"MI_T_ContinueHoppen.htm"});
    // The compute sound whatever the outcome; none on Klaar.
    press(d, "cmdCHBereken");
    EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
    ASSERT_EQ(fake.sounds.size(), 1);
    EXPECT_TRUE(fake.sounds[0].endsWith("Sounds/zadiver_plop.wav"));
    press(d, "cmdCHKlaar");
    EXPECT_FALSE(isOpen("frmContinueHoppen"));
    EXPECT_EQ(fake.sounds.size(), 1);
}

TEST_F(ContinueHoppenTest, AReportThatCannotBeWrittenIsNotPointedTo)
{
    open();
    fill();
    blockWith(report());
    press(d, "cmdCHBereken");
    EXPECT_EQ(grid->rowCount(), 7);
    EXPECT_EQ(d->statusText(), "Error in SaveContinueHoppenCSV!");
}

}  // namespace
}  // namespace mostarium::test

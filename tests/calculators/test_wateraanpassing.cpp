#include "calculators_fixture.h"

#include "calculators/frmWaterAanpassing.h"
#include "platform/QtServices.h"
#include "core/WholeFile.h"

#include "support/widgets/ModalCloser.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

namespace mostarium::test {
namespace {

class WaterAanpassingTest : public CalculatorsTest {
protected:
    void open()
    {
        d = qobject_cast<frmWaterAanpassing *>(CalculatorsTest::open("mnuWateraanpassing", "frmWaterAanpassing"));
        ASSERT_NE(d, nullptr);
    }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < calc::WaterKolommen; ++c)
            cells << d->cell(r, c);
        return cells;
    }
    static QStringList cells(const char *line) { return QString::fromLatin1(line).split(u' '); }
    // Types into a box and leaves it, as a person tabbing on would.
    void enter(const char *name, const QString &t)
    {
        QLineEdit *e = box(d, name);
        e->setText(t);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(e, &out);
    }
    QScrollBar *bar(const char *name) { return in<QScrollBar>(d, name); }
    QString report() const { return temp(QStringLiteral("WaterProfiel.txt")); }
    QString profile(const char *name) const { return folder.file(QStringLiteral("WaterProfielen/") + name); }
    static QStringList zeroLabels()
    {
        return {"0.0 gr Calciumsulfaat (CaSO4).",   "0.0 gr Magnesiumsulfaat (MgSO4).",
                "0.0 gr Natriumchloride (NaCl).",   "0.0 gr Calciumchloride (CaCl2).",
                "0.0 gr Calciumcarbonaat (CaCO3).", "0.0 gr Natriumbicarbonaat (NaHCO3)."};
    }

    frmWaterAanpassing *d = nullptr;
};

const char *const tapWater = "60 8.5 45 30 50 185 0 180 148";

TEST_F(WaterAanpassingTest, OpensWithTheDefaultProfileComputedAndReported)
{
    open();
    EXPECT_TRUE(isOpen("frmWaterAanpassing"));
    EXPECT_EQ(d->windowTitle(), "Wateraanpassing");
    auto *grid = in<QTableWidget>(d, "MSFlexGrid1");
    ASSERT_EQ(grid->rowCount(), 3);
    ASSERT_EQ(grid->columnCount(), calc::WaterKolommen);
    QStringList heads;
    for (int c = 0; c < grid->columnCount(); ++c)
        heads << grid->horizontalHeaderItem(c)->text();
    EXPECT_EQ(heads, (QStringList{"Ca2+ ", "Mg2+ ", "SO4 ", "Na+ ", "Cl- ", "TH ", "CO3 ", "HCO3 ", "Alk  "}));
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    EXPECT_EQ(row(1), cells(tapWater));
    EXPECT_EQ(row(2), cells(tapWater));
    EXPECT_EQ(row(3), cells("0 0 0 0 0 0 0 0 0"));
    EXPECT_EQ(text(d, "txtWAVolume"), "100");
    EXPECT_EQ(text(d, "txtWAPercDemi"), "0");
    EXPECT_EQ(text(d, "txtAQCaCl2"), "0");
    EXPECT_EQ(text(d, "txtWABereikNaHCO3"), "10");
    EXPECT_EQ(bar("fsbNaCl")->value(), 0);
    EXPECT_EQ(bar("fsbNaCl")->pageStep(), 10);
    EXPECT_EQ(d->statusText(), "Voor resultaat zie: " + report());
    EXPECT_EQ(bytes(report()), crlf(QStringList{"Water aanpassing aan 100 L (0 % demi)", ""} + zeroLabels()));
    EXPECT_EQ(fake.busyDepth, 0);
}

TEST_F(WaterAanpassingTest, WithoutTheDefaultProfileEveryRowIsZero)
{
    ASSERT_TRUE(QFile::remove(profile("Dozovorarez2002.txt")));
    open();
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(row(r), cells("0 0 0 0 0 0 0 0 0")) << r;
}

TEST_F(WaterAanpassingTest, WorkedExampleThroughTheWindow)
{
    open();
    enter("txtWAPercDemi", QStringLiteral("100"));
    enter("txtAQCaSO4", QStringLiteral("2"));
    bar("fsbCaSO4")->setValue(50);
    EXPECT_EQ(caption(d, "lblCalciumSulfaat"), "5.0 gr Calciumsulfaat (CaSO4).");
    EXPECT_EQ(row(2), cells("12 0 28 0 0 29 0 0 0"));
    QStringList labels = zeroLabels();
    labels[0] = "5.0 gr Calciumsulfaat (CaSO4).";
    EXPECT_EQ(bytes(report()), crlf(QStringList{"Water aanpassing aan 100 L (100 % demi)", ""} + labels));

    // An empty maximum is no salt at all.
    enter("txtWABereikCaSO4", QString());
    EXPECT_EQ(caption(d, "lblCalciumSulfaat"), "0.0 gr Calciumsulfaat (CaSO4).");
    EXPECT_EQ(row(2), cells("0 0 0 0 0 0 0 0 0"));
}

TEST_F(WaterAanpassingTest, LeavingAMaximumRewritesItsLabelAndReport)
{
    open();
    bar("fsbNaCl")->setValue(50);
    EXPECT_EQ(caption(d, "lblNatriumChloride"), "5.0 gr Natriumchloride (NaCl).");
    enter("txtWABereikNaCl", QStringLiteral("2"));
    EXPECT_EQ(caption(d, "lblNatriumChloride"), "1.0 gr Natriumchloride (NaCl).");
    // 1 g of salt in 100 L: 3.9 mg/L sodium, 6.1 chloride on top of the tap water.
    EXPECT_EQ(row(2), cells("60 8.5 45 34 56 185 0 180 148"));
    EXPECT_EQ(QString::fromLatin1(bytes(report())).split("\r\n").value(4), "1.0 gr Natriumchloride (NaCl).");
}

TEST_F(WaterAanpassingTest, FullyDemineralisedClearsOurProfileForGood)
{
    open();
    enter("txtWAPercDemi", QStringLiteral("99"));
    EXPECT_EQ(row(1), cells(tapWater));
    EXPECT_EQ(row(2), cells("1 .1 0 0 1 2 0 2 1"));
    enter("txtWAPercDemi", QStringLiteral("100"));
    EXPECT_EQ(row(1), cells("0 0 0 0 0 0 0 0 0"));
    EXPECT_EQ(row(2), cells("0 0 0 0 0 0 0 0 0"));
    enter("txtWAPercDemi", QStringLiteral("50"));
    EXPECT_EQ(row(1), cells("0 0 0 0 0 0 0 0 0"));
    EXPECT_EQ(bytes(report()), crlf(QStringList{"Water aanpassing aan 100 L (50 % demi)", ""} + zeroLabels()));
}

TEST_F(WaterAanpassingTest, OutsideTheGuardRowTwoStaysAndTheReportIsWritten)
{
    session().recipe.KetelInhoud = 100;
    open();
    bar("fsbCaCO3")->setValue(100);
    const QStringList before = row(2);
    auto firstLine = [this] { return QString::fromLatin1(bytes(report())).section(QStringLiteral("\r\n"), 0, 0); };
    for (const char *volume : {"0", "", "500"}) {
        SCOPED_TRACE(volume);
        enter("txtWAVolume", QString::fromLatin1(volume));
        EXPECT_EQ(row(2), before);
        EXPECT_EQ(firstLine(), "Water aanpassing aan " + QString::fromLatin1(volume) + " L (0 % demi)");
    }
    enter("txtWAVolume", QStringLiteral("20."));
    EXPECT_NE(row(2), before);
    EXPECT_EQ(firstLine(), "Water aanpassing aan 20. L (0 % demi)");
    enter("txtWAVolume", QStringLiteral("100"));
    enter("txtWAPercDemi", QStringLiteral("101"));
    EXPECT_EQ(row(2), before);
    EXPECT_TRUE(bytes(report()).startsWith("Water aanpassing aan 100 L (101 % demi)\r\n"));
}

TEST_F(WaterAanpassingTest, ProfileButtonsAndTheirCancel)
{
    open();
    ASSERT_TRUE(QFile::remove(report()));
    fake.openAnswers.push_back(std::nullopt);
    press(d, "cmdWAGewenstProf");
    EXPECT_EQ(fake.openDialogs.size(), 1);
    EXPECT_EQ(row(3), cells("0 0 0 0 0 0 0 0 0"));
    EXPECT_FALSE(QFile::exists(report()));

    fake.openAnswers.push_back(std::nullopt);
    press(d, "cmdWAOnsProf");
    EXPECT_EQ(row(1), cells(tapWater));
    EXPECT_TRUE(QFile::exists(report()));

    ASSERT_TRUE(QFile::remove(report()));
    fake.openAnswers.push_back(profile("Burton.txt"));
    press(d, "cmdWAGewenstProf");
    EXPECT_EQ(row(3), cells("295 45 725 55 25 925 0 300 246"));
    EXPECT_EQ(row(2), cells(tapWater));
    EXPECT_FALSE(QFile::exists(report()));

    fake.openAnswers.push_back(profile("Pilsen.txt"));
    press(d, "cmdWAOnsProf");
    EXPECT_EQ(row(1), cells("7 2 5 2 5 26 0 15 12"));
    EXPECT_EQ(row(2), cells("7 2. 5 2 5 26 0 15 12"));
    EXPECT_TRUE(QFile::exists(report()));
}

TEST_F(WaterAanpassingTest, TheRealProfileDialogLeavesTheWindowInFrontOfTheMainWindow)
{
    QtServices real;
    Services *old = setServices(&real);
    w->show();
    open();
    QApplication::setActiveWindow(d);
    ModalCloser closer;
    press(d, "cmdWAGewenstProf");
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), d);
    EXPECT_EQ(closer.titles, QStringList{QStringLiteral("Openen")});
    EXPECT_EQ(closer.parents.value(0).data(), d) << "the dialog belongs to the window that asked";
    windows().unload(QStringLiteral("frmWaterAanpassing"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setServices(old);
}

TEST_F(WaterAanpassingTest, AReportThatCannotBeWrittenIsSaidOnceAndNeverPointedTo)
{
    open();
    const QString pointer = "Voor resultaat zie: " + report();
    ASSERT_TRUE(QFile::remove(report()));
    blockWith(report());
    bar("fsbCaCO3")->setValue(100);
    // The result is shown all the same.
    EXPECT_EQ(row(2), cells("100 8.5 45 30 50 285 60 180 248"));
    EXPECT_EQ(fake.prompts(), QStringList{notWrittenText(report())});
    EXPECT_EQ(d->statusText(), notWrittenText(report()));
    // Not again at every move while it keeps failing.
    bar("fsbCaCO3")->setValue(90);
    EXPECT_EQ(fake.prompts().size(), 1);
    EXPECT_EQ(d->statusText(), notWrittenText(report()));

    ASSERT_TRUE(QDir(report()).removeRecursively());
    bar("fsbCaCO3")->setValue(80);
    EXPECT_EQ(d->statusText(), pointer);
    EXPECT_TRUE(bytes(report()).contains("8.0 gr Calciumcarbonaat (CaCO3)."));
    EXPECT_EQ(fake.prompts().size(), 1);
    EXPECT_EQ(fake.busyDepth, 0);
}

TEST_F(WaterAanpassingTest, AValueBeyondSinglePrecisionKeepsTheCellsBeforeIt)
{
    open();
    bar("fsbCaCO3")->setValue(100);
    QFile big(folder.file(QStringLiteral("WaterProfielen/Groot.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("[Profiel]\r\nCa=10\r\nHCO3=1e39\r\n");
    big.close();
    ASSERT_TRUE(QFile::remove(report()));
    fake.openAnswers.push_back(big.fileName());
    press(d, "cmdWAOnsProf");
    EXPECT_EQ(row(1), cells("10 0 0 0 0 0 0 1E+39 0"));
    EXPECT_EQ(row(2), cells("50 0 0 0 0 125 60 180 248"));
    // The report holds no ion values: it is the one of these inputs.
    EXPECT_TRUE(bytes(report()).contains("10.0 gr Calciumcarbonaat (CaCO3)."));
    EXPECT_EQ(d->statusText(), "Voor resultaat zie: " + report());
    EXPECT_TRUE(fake.prompts().isEmpty());
    EXPECT_EQ(fake.busyDepth, 0);
}

// A profile value beyond any number ("1e999") is named in a message, and the
// window opens with zeros every time.
TEST_F(WaterAanpassingTest, AProfileBeyondAnyNumberIsNamedAndLocksNothing)
{
    const QString standaard = profile("Dozovorarez2002.txt");
    for (const char *bad : {"Ca=1e999", "Mg=-1e999"}) {
        SCOPED_TRACE(bad);
        fake.messages.clear();
        writeFileBytes(standaard, QByteArray("[Profiel]\r\nNa=30\r\n") + bad + "\r\n");
        const QString key = QString::fromLatin1(bad).section(u'=', 0, 0);
        const QString message = "Het waterprofiel " + QDir::toNativeSeparators(standaard)
                                + " heeft een ongeldige waarde voor " + key + " en wordt niet gebruikt.";
        for (int time = 1; time <= 2; ++time) {
            open();
            ASSERT_TRUE(isOpen("frmWaterAanpassing")) << time;
            EXPECT_EQ(row(1), cells("0 0 0 0 0 0 0 0 0")) << time;
            EXPECT_EQ(row(2), cells("0 0 0 0 0 0 0 0 0")) << time;
            EXPECT_EQ(fake.prompts().value(time - 1), message) << time;
            EXPECT_TRUE(QFile::exists(report())) << time;
            press(d, "cmdWAOK");
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // Chosen with "Ons profiel", the row keeps the profile it showed.
    writeFileBytes(standaard, "[Profiel]\r\nCa=60\r\n");
    open();
    fake.messages.clear();
    fake.openAnswers.push_back(profile("Slecht.txt"));
    writeFileBytes(profile("Slecht.txt"), "[Profiel]\r\nCa=1e999\r\n");
    press(d, "cmdWAOnsProf");
    EXPECT_EQ(row(1), cells("60 0 0 0 0 0 0 0 0"));
    EXPECT_EQ(fake.prompts().size(), 1);
    EXPECT_TRUE(fake.prompts().value(0).contains("Slecht.txt"));
}

TEST_F(WaterAanpassingTest, KeyFiltersAndLengths)
{
    open();
    struct Row {
        const char *box, *typed, *kept;
    };
    const Row rows[] = {
        {"txtAQMgSO4", "7.5", "75"},      {"txtWABereikMgSO4", "2.5", "2.5"}, {"txtWABereikMgSO4", "1234", "123"},
        {"txtWAVolume", "-2/0.5", "20."}, {"txtWAPercDemi", "1000", "100"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.box);
        QLineEdit *e = box(d, r.box);
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(r.typed));
        EXPECT_EQ(e->text(), QString::fromLatin1(r.kept));
    }
}

TEST_F(WaterAanpassingTest, OkPlaysTheComputeSoundASecondOpenKeepsTheValues)
{
    session().app.geluidAan = true;
    open();
    bar("fsbMgSO4")->setValue(30);
    clickButton("Wateraanpassing");
    EXPECT_EQ(windows().find(QStringLiteral("frmWaterAanpassing")), d);
    EXPECT_EQ(bar("fsbMgSO4")->value(), 30);
    EXPECT_TRUE(fake.sounds.isEmpty());
    QTest::mouseClick(in<ClickLabel>(d, "picWAHelp"), Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{"MI_T_Wateraanpassing.htm"});
    press(d, "cmdWAOK");
    EXPECT_FALSE(isOpen("frmWaterAanpassing"));
    ASSERT_EQ(fake.sounds.size(), 1);
    EXPECT_TRUE(fake.sounds[0].endsWith("Sounds/zadiver_plop.wav"));
}

}  // namespace
}  // namespace mostarium::test

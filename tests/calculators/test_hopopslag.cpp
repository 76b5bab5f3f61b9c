#include "calculators_fixture.h"

#include "calculators/frmHopOpslag.h"

namespace mostarium::test {
namespace {

class HopOpslagTest : public CalculatorsTest {
protected:
    void open()
    {
        d = qobject_cast<frmHopOpslag *>(CalculatorsTest::open("mnuCalculator", "frmHopOpslag"));
        ASSERT_NE(d, nullptr);
    }
    void fill(const char *alfa, const char *beta, int form, int vacuum, int zuurstof, const char *jaren,
              const char *temp)
    {
        set(d, "txtHOAlfaVerpakking", QString::fromLatin1(alfa));
        set(d, "txtHOBetaVerpakking", QString::fromLatin1(beta));
        in<QComboBox>(d, "cmbHOBloemPel")->setCurrentIndex(form);
        in<QComboBox>(d, "cmbHOVacuum")->setCurrentIndex(vacuum);
        in<QComboBox>(d, "cmbHOZuurstof")->setCurrentIndex(zuurstof);
        set(d, "txtHOBewaartijd", QString::fromLatin1(jaren));
        set(d, "txtHOBewaarTemp", QString::fromLatin1(temp));
    }
    frmHopOpslag *d = nullptr;
};

TEST_F(HopOpslagTest, WorkedExampleAndItsReportByteForByte)
{
    open();
    EXPECT_EQ(d->windowTitle(), "Hopopslag");
    fill("5", "4", 0, 1, 1, "1", "20");
    press(d, "cmdHOBereken");
    EXPECT_EQ(text(d, "txtHOFactor"), "0.4");
    EXPECT_EQ(text(d, "txtHOHuidigAlfa"), "2.0");
    const QString path = temp(QStringLiteral("HopOpslagFactor.txt"));
    EXPECT_EQ(d->statusText(), "Zie " + d->reportPath());
    EXPECT_EQ(d->reportPath(), path);
    EXPECT_EQ(bytes(path), QByteArray("HopOpslag Rapport\r\n"
                                      "=================\r\n"
                                      "\r\n"
                                      "% Alfazuur volgens verpakking: 5\r\n"
                                      "% Betazuur volgens verpakking: 4\r\n"
                                      "bloemen\r\n"
                                      "Vacuum verpakt: nee\r\n"
                                      "Zuurstofwerende verpakking: nee\r\n"
                                      "Bewaartijd in jaren: 1\r\n"
                                      "Bewaartemperatuur in \xB0"
                                      "C: 20\r\n"
                                      "hopopslag factor: 0.4\r\n"
                                      "huidig alfazuurgehalte: 2.0\r\n"));
}

TEST_F(HopOpslagTest, ChoicesCannotBeTypedAndFactorsFollowTheWordShown)
{
    open();
    for (const char *name : {"cmbHOBloemPel", "cmbHOVacuum", "cmbHOZuurstof"}) {
        auto *c = in<QComboBox>(d, name);
        EXPECT_FALSE(c->isEditable()) << name;
        EXPECT_EQ(c->palette().color(QPalette::Base), QColor(Qt::white)) << name;
    }
    fill("12", "5", 1, 0, 0, "2", "5");
    press(d, "cmdHOBereken");
    EXPECT_EQ(text(d, "txtHOFactor"), "0.8575");
    EXPECT_EQ(text(d, "txtHOHuidigAlfa"), "10.3");
}

TEST_F(HopOpslagTest, BadInputIsRedEverywhereAndKeepsResultsAndReport)
{
    open();
    fill("5", "4", 0, 1, 1, "1", "20");
    press(d, "cmdHOBereken");
    const QString path = temp(QStringLiteral("HopOpslagFactor.txt"));
    const QByteArray report = bytes(path);

    fill("0", "25.1", -1, -1, -1, "10.5", "");
    press(d, "cmdHOBereken");
    for (const char *name : {"txtHOAlfaVerpakking", "txtHOBetaVerpakking", "cmbHOBloemPel", "cmbHOVacuum",
                             "cmbHOZuurstof", "txtHOBewaartijd", "txtHOBewaarTemp"})
        EXPECT_TRUE(bad(d, name)) << name;
    EXPECT_FALSE(bad(d, "txtHO_Prefix"));
    // The red shows on a list's face, which the button colour paints.
    EXPECT_EQ(in<QComboBox>(d, "cmbHOVacuum")->palette().color(QPalette::Button), QColor(255, 0, 0));
    EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
    EXPECT_EQ(text(d, "txtHOFactor"), "0.4");
    EXPECT_EQ(bytes(path), report);

    // The bounds themselves pass; -273 does not, -18 does.
    fill("25", "25", 0, 0, 0, "10", "50");
    press(d, "cmdHOBereken");
    EXPECT_EQ(d->statusText(), "Zie " + path);
    set(d, "txtHOBewaarTemp", QStringLiteral("-273"));
    press(d, "cmdHOBereken");
    EXPECT_TRUE(bad(d, "txtHOBewaarTemp"));
    set(d, "txtHOBewaarTemp", QStringLiteral("-18"));
    press(d, "cmdHOBereken");
    EXPECT_FALSE(bad(d, "txtHOBewaarTemp"));
}

TEST_F(HopOpslagTest, PrefixesNameTheReport)
{
    open();
    auto *prefix = box(d, "txtHO_Prefix");
    EXPECT_EQ(prefix->maxLength(), 100);
    EXPECT_EQ(prefix->toolTip(), QString::fromUtf8("Maximaal 100 karakters! (\\ / : * ? \" < > | niet toegestaan!)"));
    fill("5", "4", 0, 1, 1, "1", "20");

    // A space is fine.
    prefix->setText(QStringLiteral("oogst 2025 "));
    press(d, "cmdHOBereken");
    EXPECT_TRUE(QFile::exists(temp(QStringLiteral("oogst 2025 HopOpslagFactor.txt"))));
    EXPECT_FALSE(bad(d, "txtHO_Prefix"));

    // Each of the nine characters is refused and nothing is computed.
    for (QChar c : QStringLiteral("\\/:*?\"<>|")) {
        SCOPED_TRACE(QString(c).toStdString());
        set(d, "txtHOAlfaVerpakking", QStringLiteral("12"));
        prefix->setText(QStringLiteral("a") + c);
        press(d, "cmdHOBereken");
        EXPECT_TRUE(bad(d, "txtHO_Prefix"));
        EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
        EXPECT_EQ(text(d, "txtHOFactor"), "0.4");
    }

    // At most 100 characters, typed or put in.
    prefix->clear();
    QTest::keyClicks(prefix, QString(120, QLatin1Char('x')));
    EXPECT_EQ(prefix->text().size(), 100);
}

TEST_F(HopOpslagTest, RecipeHopsOfBothBrewModes)
{
    session() = singleBrew();
    session().app.geluidAan = false;
    open();
    auto *combo = in<QComboBox>(d, "cmbHopRecept");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "Saaz (A)");
    EXPECT_EQ(combo->itemText(1), "Magnum (B)");
    EXPECT_FALSE(combo->isHidden());

    // A pick empties everything and fills alpha, form and prefix.
    fill("9", "4", 1, 0, 0, "1", "20");
    set(d, "txtHO_Prefix", QStringLiteral("mijn"));
    choose(d, "cmbHopRecept", 1);
    EXPECT_EQ(text(d, "txtHOAlfaVerpakking"), session().recipe.Bitterhop(0, HopAlfazuur));
    EXPECT_EQ(in<QComboBox>(d, "cmbHOBloemPel")->currentText(), "pellets");
    EXPECT_EQ(in<QComboBox>(d, "cmbHOVacuum")->currentIndex(), -1);
    EXPECT_EQ(text(d, "txtHOBetaVerpakking"), "");
    EXPECT_EQ(text(d, "txtHOBewaarTemp"), "");
    EXPECT_EQ(text(d, "txtHO_Prefix"), "Magnum _");
    windows().unload(QStringLiteral("frmHopOpslag"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A form holding neither word leaves the form unchosen: red at compute.
    session() = doubleBrew();
    session().app.geluidAan = false;
    session().recipe.Aromahop(0, HopHoedanigheid) = QStringLiteral("plugs");
    open();
    combo = in<QComboBox>(d, "cmbHopRecept");
    EXPECT_EQ(combo->count(), 16);
    EXPECT_TRUE(combo->itemText(8).endsWith(" (A-dun)"));
    EXPECT_TRUE(combo->itemText(15).endsWith(" (B-dun)"));
    choose(d, "cmbHopRecept", 0);
    EXPECT_EQ(in<QComboBox>(d, "cmbHOBloemPel")->currentIndex(), -1);
    press(d, "cmdHOBereken");
    EXPECT_TRUE(bad(d, "cmbHOBloemPel"));
}

TEST_F(HopOpslagTest, NoRecipeHopsHidesTheRecipeChoice)
{
    open();
    EXPECT_TRUE(in<QComboBox>(d, "cmbHopRecept")->isHidden());
    EXPECT_TRUE(in<QLabel>(d, "lblHORecept")->isHidden());
}

TEST_F(HopOpslagTest, AReportThatCannotBeWrittenKeepsTheResult)
{
    open();
    blockWith(temp(QStringLiteral("HopOpslagFactor.txt")));
    fill("5", "4", 0, 1, 1, "1", "20");
    press(d, "cmdHOBereken");
    EXPECT_EQ(text(d, "txtHOFactor"), "0.4");
    EXPECT_EQ(d->statusText(), "Error in ArchiveerHopOpslagFactor!");
}

}  // namespace
}  // namespace mostarium::test

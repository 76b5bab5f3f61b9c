#include "calculators_fixture.h"

#include "calculators/frmSuikerSiroop.h"
#include "core/WholeFile.h"

namespace mostarium::test {
namespace {

class SuikerSiroopTest : public CalculatorsTest {
protected:
    void open()
    {
        d = CalculatorsTest::open("mnuAfvullen", "frmSuikerSiroop");
        ASSERT_NE(d, nullptr);
    }
    void compute(const char *present, const char *wanted, const char *volume, const char *free)
    {
        set(d, "txtSSCO2Aanwezig", QString::fromLatin1(present));
        set(d, "txtSSCO2Gewenst", QString::fromLatin1(wanted));
        set(d, "txtSSVolume", QString::fromLatin1(volume));
        set(d, "txtSSxxVolume", QString::fromLatin1(free));
        press(d, "cmdSSBereken");
    }
    static constexpr const char *results[] = {"txtSSSuikerNodig", "txtSSMlSiroop", "txtSSGrSiroop", "txtGram300ml",
                                              "txtGram500ml",     "txtGram750ml",  "txtGram1000ml", "txtGramxxml",
                                              "txtSS300ml",       "txtSS500ml",    "txtSS750ml",    "txtSS1000ml",
                                              "txtSSxxml"};
    CalcWindow *d = nullptr;
};

TEST_F(SuikerSiroopTest, OpensWithTheRecipesWantedCO2)
{
    session() = singleBrew();
    session().app.geluidAan = false;
    session().recipe.Doelstellingen(5) = 5.5f;
    open();
    EXPECT_EQ(d->windowTitle(), "Hoeveelheid Suiker ter Afvulling");
    EXPECT_EQ(text(d, "txtSSCO2Aanwezig"), "2.25");
    EXPECT_EQ(text(d, "txtSSCO2Gewenst"), "5.5");
    EXPECT_EQ(text(d, "txtSSVolume"), "");
    EXPECT_EQ(d->statusText(), "");
}

TEST_F(SuikerSiroopTest, NoTargetLeavesTheWantedBoxEmptyAndTheComputeRefused)
{
    open();
    EXPECT_EQ(text(d, "txtSSCO2Gewenst"), "");
    set(d, "txtSSVolume", QStringLiteral("20"));
    press(d, "cmdSSBereken");
    EXPECT_TRUE(bad(d, "txtSSCO2Gewenst"));
    EXPECT_EQ(d->statusText(), "Incorrecte invoer!");
    EXPECT_FALSE(QFile::exists(frmSuikerSiroop::reportPath()));
}

TEST_F(SuikerSiroopTest, WorkedExampleAndItsReportByteForByte)
{
    open();
    compute("2.25", "5", "20", "330");
    EXPECT_EQ(text(d, "txtSSSuikerNodig"), "110");
    EXPECT_EQ(text(d, "txtSSMlSiroop"), "157");
    EXPECT_EQ(text(d, "txtSSGrSiroop"), "197");
    EXPECT_EQ(text(d, "txtGramxxml"), "1.8");
    EXPECT_EQ(text(d, "txtSSxxml"), "2.5");
    EXPECT_EQ(d->statusText(), "Zie " + temp(QStringLiteral("SuikerHoeveelheid.txt")));
    EXPECT_EQ(bytes(frmSuikerSiroop::reportPath()),
              crlf({"Benodigde Hoeveelheid Suiker ter Afvulling.",
                    "===========================================",
                    "",
                    "Koolzuur aanwezig in te bottelen bier (gr/L): 2.25",
                    "Gewenste koolzuurgehalte (gr/L): 5",
                    "Te bottelen hoeveelheid bier (L): 20",
                    "",
                    "Benodigde hoeveelheid suiker (gr): 110",
                    "Totale hoeveelheid siroop (mL): 157",
                    "Totale hoeveelheid siroop (gr): 197",
                    "",
                    "300 ml flessen: 2.3 ml suikersiroop",
                    "500 ml flessen: 3.8 ml suikersiroop",
                    "750 ml flessen: 5.5 ml suikersiroop",
                    "1000 ml flessen: 7.1 ml suikersiroop",
                    "330 ml flessen: 2.5 ml suikersiroop",
                    "",
                    "300 ml flessen: 1.6 gram suiker",
                    "500 ml flessen: 2.6 gram suiker",
                    "750 ml flessen: 3.8 gram suiker",
                    "1000 ml flessen: 5.0 gram suiker",
                    "330 ml flessen: 1.8 gram suiker",
                    "",
                    " hoeveelheid suiker nodig voor afvulling vaten ",
                    "Vuistregel: 1 gram suiker per L bier (= 1.4 ml suikersiroop)",
                    "",
                    "Werkbare concentratie suikersiroop is 0.7 gr/mL; SG=1256 kg/m3"}));

    // Without a free size the report has no free-size lines.
    compute("2.25", "5", "20", "");
    const QByteArray report = bytes(frmSuikerSiroop::reportPath());
    EXPECT_FALSE(report.contains("330"));
    EXPECT_FALSE(report.contains(" ml flessen:  ml"));
}

TEST_F(SuikerSiroopTest, BoundsOnBothSidesAndTheKettle)
{
    session().recipe.KetelInhoud = 120;
    open();
    struct Row {
        const char *present, *wanted, *volume;
        bool good;
    };
    const Row rows[] = {
        {"5.0", "9.0", "120", true}, {"5.01", "5", "20", false}, {"2", "9.01", "20", false},
        {"2", "5", "120.1", false},  {"0", "5", "20", false},    {"2", "0", "20", false},
        {"2", "5", "0", false},      {"3", "2", "20", true},  // wanted below present is accepted
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::Message() << r.present << " " << r.wanted << " " << r.volume);
        compute(r.present, r.wanted, r.volume, "");
        EXPECT_EQ(d->statusText() == "Incorrecte invoer!", !r.good);
    }
}

TEST_F(SuikerSiroopTest, BadInputEmptiesEveryResultAndKeepsTheReport)
{
    open();
    compute("2.25", "5", "20", "330");
    const QByteArray report = bytes(frmSuikerSiroop::reportPath());
    compute("2.25", "5", "", "330");
    EXPECT_TRUE(bad(d, "txtSSVolume"));
    for (const char *name : results)
        EXPECT_EQ(text(d, name), "") << name;
    EXPECT_EQ(bytes(frmSuikerSiroop::reportPath()), report);
}

TEST_F(SuikerSiroopTest, FreeSizeAboveTheLimitTurnsRedButIsNoInputError)
{
    open();
    compute("2.25", "5", "20", "2501");
    EXPECT_TRUE(bad(d, "txtSSxxVolume"));
    EXPECT_EQ(text(d, "txtGramxxml"), "");
    EXPECT_EQ(text(d, "txtSSxxml"), "");
    EXPECT_EQ(text(d, "txtSSSuikerNodig"), "110");
    EXPECT_EQ(d->statusText(), "Zie " + frmSuikerSiroop::reportPath());
    compute("2.25", "5", "20", "2500");
    EXPECT_FALSE(bad(d, "txtSSxxVolume"));
    EXPECT_NE(text(d, "txtGramxxml"), "");
}

TEST_F(SuikerSiroopTest, AReportThatCannotBeWrittenSaysSoAndKeepsTheResult)
{
    open();
    blockWith(frmSuikerSiroop::reportPath());
    compute("2.25", "5", "20", "330");
    EXPECT_EQ(text(d, "txtSSSuikerNodig"), "110");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "Error in Archiveer!");
    EXPECT_EQ(fake.messages[0].style, 48);
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
    EXPECT_EQ(d->statusText(), notWrittenText(frmSuikerSiroop::reportPath()));
    // A later attempt starts afresh.
    QDir(frmSuikerSiroop::reportPath()).removeRecursively();
    compute("2.25", "5", "20", "330");
    EXPECT_TRUE(QFile::exists(frmSuikerSiroop::reportPath()));
    EXPECT_EQ(fake.messages.size(), 1u);
}

}  // namespace
}  // namespace mostarium::test

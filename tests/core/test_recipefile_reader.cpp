// The recipe file reader: every section's rules, and damaged files.

#include "test_recipefile_samples.h"

#include "core/Cp1252.h"
#include "core/Ini.h"
#include "core/RecipeFile.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

QByteArray crlf(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return cp1252::encode(t);
}

QByteArray sampleBytes(const char *name)
{
    QFile f(QStringLiteral(MOSTARIUM_SOURCE_DIR "/tests/data/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class RecipeReader : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Session s;

    void SetUp() override { installationDefaults(s.recipe); }

    QString put(const QByteArray &bytes, const QString &name = QStringLiteral("Recept.zlv"))
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
        return path;
    }
    OpenResult read(const QString &text, const QString &name = QStringLiteral("Recept.zlv"))
    {
        return readRecipeFile(s, put(crlf(text), name));
    }
};

}  // namespace

TEST_F(RecipeReader, StatusZeroReadsOnlySpargeNotesAndParameters)
{
    // A status of 0 and a missing status section read alike.
    for (const char *status : {"[ReceptStatus]\nStatus=0\n", ""}) {
        const OpenResult r = read(
            QLatin1String(status)
            + QStringLiteral(
                "[Algemeen]\nBiernaam=Weg\n[Spoelen]\nSpoelenTot=4.5\n"
                "[Aantekeningen]\nAantekening=  met blanks  \nInRecept=1\n[SysteemParameters]\nKetelInhoud=120\n"));
        ASSERT_TRUE(r.ok) << status;
        EXPECT_FALSE(r.brouwGelezen);
        EXPECT_TRUE(r.systeemParametersVerschillen);
        EXPECT_EQ(s.recipe.ReceptKetelInhoud, 120.0f);
        EXPECT_EQ(s.recipe.ReceptStatus, 0);
        EXPECT_EQ(s.recipe.Algemeen(0), QString());
        EXPECT_EQ(s.recipe.SpoelenTot, 4.5f);
        EXPECT_EQ(s.recipe.Aantekening, QStringLiteral("met blanks"));
        EXPECT_EQ(s.recipe.InRecept, 1);
        EXPECT_EQ(s.recipe.ReceptNaam, QStringLiteral("Recept"));
        EXPECT_FALSE(s.recipe.ReceptGewijzigd);
        EXPECT_FALSE(s.view.fraBrouwSchema.visible);
    }
}

TEST_F(RecipeReader, BrewModeWordDecidesTheTargets)
{
    struct Case {
        const char *brouw;
        bool startDouble;
        bool dubbel;
    };
    // Neither word (a hand-edited "enkel") is a damaged file: see below.
    const Case cases[] = {
        {"Enkel", true, false},
        {"Dubbel", false, true},
        {"Enkel en Dubbel", true, false},
        {" Dubbel ", false, true},
    };
    for (const Case &c : cases) {
        s.app.dubbelBrouw = c.startDouble;
        const OpenResult r =
            read(QStringLiteral("[ReceptStatus]\nStatus=1\n[Doelstellingen]\nBrouw=%1\nBiersoort1= Pils \n"
                                "Volume1=20 L\nKoolzuur1=5.5\nBiersoort2=Tafel\nVolume2=9\n")
                     .arg(QLatin1String(c.brouw)));
        ASSERT_TRUE(r.ok) << c.brouw;
        EXPECT_TRUE(r.brouwGelezen) << c.brouw;
        EXPECT_EQ(s.app.dubbelBrouw, c.dubbel) << c.brouw;
        EXPECT_EQ(s.recipe.ReceptStatus, 1) << c.brouw;
        EXPECT_EQ(s.recipe.Doelstellingen.ubound(), c.dubbel ? 10 : 5) << c.brouw;
        EXPECT_EQ(s.recipe.Doelstellingen(1), 20.0f) << c.brouw;
        EXPECT_EQ(s.recipe.Doelstellingen(5), 5.5f) << c.brouw;
        EXPECT_EQ(s.recipe.Biersoort1, QStringLiteral("Pils")) << c.brouw;
        EXPECT_EQ(s.recipe.Biersoort2, c.dubbel ? QStringLiteral("Tafel") : QString()) << c.brouw;
    }
}

TEST_F(RecipeReader, ADoubleBrewWithoutSecondBeerValuesKeepsTheFirstBeersWithoutTheirBits)
{
    struct Case {
        const char *what;
        bool startDouble;
        const char *targets;  // the Brouw word and the second beer's keys; none: no targets
        const char *volume2;  // the second beer's measured volume
        int status;
        bool dubbel;
    };
    // As after a switch to double brew: no second-beer volume, no targets
    // bit; no second-beer measured volume, no evaluation bit.
    const Case cases[] = {
        {"double brew, no second beer", false, "Brouw=Dubbel\nVolume2=0\n", "", 0, true},
        {"double brew, no second-beer keys at all", false, "Brouw=Dubbel\n", nullptr, 0, true},
        {"double brew with both beers", false, "Brouw=Dubbel\nVolume2=9\n", "8", 65, true},
        {"double brew, second beer's targets only", false, "Brouw=Dubbel\nVolume2=9\n", "", 1, true},
        {"single brew", true, "Brouw=Enkel\n", "", 65, false},
        {"measured values only, read in a double-brew window", true, nullptr, "", 0, true},
        {"measured values only, read in a single-brew window", false, nullptr, "", 64, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        s.app.dubbelBrouw = c.startDouble;
        QString text = QStringLiteral("[ReceptStatus]\nStatus=%1\n").arg(c.targets ? 65 : 64);
        if (c.targets)
            text += QStringLiteral("[Doelstellingen]\nBiersoort1=Pils\nVolume1=20\n") + QLatin1String(c.targets);
        text += QStringLiteral("[Evaluatie]\nVolume=19\nOG=1050\nFG=1010\n");
        if (c.volume2)
            text += QStringLiteral("Volume2=") + QLatin1String(c.volume2) + u'\n';
        const OpenResult r = read(text);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.brouwGelezen, c.targets != nullptr);
        EXPECT_EQ(s.app.dubbelBrouw, c.dubbel);
        EXPECT_EQ(s.recipe.ReceptStatus, c.status);
        if (c.targets) {
            EXPECT_EQ(s.recipe.Doelstellingen(1), 20.0f);
            EXPECT_EQ(s.recipe.Biersoort1, QStringLiteral("Pils"));
        }
        EXPECT_EQ(s.recipe.Evaluatie(0, 0), QStringLiteral("19"));
        EXPECT_EQ(s.recipe.Evaluatie(2, 0), QStringLiteral("1010"));
    }
}

TEST_F(RecipeReader, YeastsFollowTheWindowsBrewModeWithoutTargets)
{
    const QString text =
        QStringLiteral("[ReceptStatus]\nStatus=128\n[Gistkeuze]\nGist1=A\nGist5=E\nGist6=F\nGist10=J\n");
    s.app.dubbelBrouw = true;
    ASSERT_TRUE(read(text).ok);
    EXPECT_EQ(s.recipe.Gistkeuze(5), QStringLiteral("F"));
    EXPECT_EQ(s.recipe.Gistkeuze(9), QStringLiteral("J"));
    EXPECT_EQ(s.recipe.Gistkeuze(10), QString());

    s.app.dubbelBrouw = false;
    ASSERT_TRUE(read(text).ok);
    EXPECT_EQ(s.recipe.Gistkeuze(4), QStringLiteral("E"));
    EXPECT_EQ(s.recipe.Gistkeuze(5), QString());
}

TEST_F(RecipeReader, AromaHopListAlwaysHasARow)
{
    for (const char *count : {"Aantal=0\n", "Aantal=\n", "", "Aantal=0.4\n", "Aantal=abc\n"}) {
        const OpenResult r = read(QStringLiteral("[ReceptStatus]\nStatus=8\n[Aromahop]\n%1Soort1=Saaz\n"
                                                 "[Bitterhop]\nAantal=1\nSoort1=Magnum\nPercBitterheid1=100\n")
                                      .arg(QLatin1String(count)));
        ASSERT_TRUE(r.ok) << count;
        EXPECT_EQ(s.recipe.Aromahop.rows(), 1) << count;
        EXPECT_EQ(s.recipe.Aromahop.cols(), 7) << count;
        EXPECT_EQ(s.recipe.Aromahop(0, HopSoort), QStringLiteral("Saaz")) << count;
        EXPECT_EQ(s.recipe.Bitterhop(0, HopPercBitterheid), QStringLiteral("100")) << count;
        EXPECT_EQ(s.recipe.Bitterhop(0, HopBerekendGram), QString()) << count;
    }
}

TEST_F(RecipeReader, MashRestsAndDecoction)
{
    struct Case {
        const char *rusten;
        int rows;
    };
    for (const Case &c : {Case{"", 0}, Case{"0", 0}, Case{"2.5", 2}, Case{"3.5", 4}, Case{"2 rusten", 2}}) {
        ASSERT_TRUE(read(QStringLiteral("[ReceptStatus]\nStatus=2\n[Maischschema]\nAantalRusten=%1\nBeslaan=3\n"
                                        "TempDecoctieStap=63\nTempBrouwWater=\nTemp1=52\nTijd1=15x\n")
                             .arg(QLatin1String(c.rusten)))
                        .ok)
            << c.rusten;
        EXPECT_EQ(s.recipe.Maischschema.rowUbound(), c.rows) << c.rusten;
        EXPECT_EQ(s.recipe.Maischschema(0, 0), 3.0f);
        EXPECT_FALSE(s.recipe.ViaDecoctie) << c.rusten;
        if (c.rows > 0) {
            EXPECT_EQ(s.recipe.Maischschema(1, 0), 52.0f);
            EXPECT_EQ(s.recipe.Maischschema(1, 1), 15.0f);
        }
    }
    ASSERT_TRUE(read(QStringLiteral("[ReceptStatus]\nStatus=2\n[Maischschema]\nAantalRusten=1\n"
                                    "TempDecoctieStap=63\nTijdDecoctieStap=20\nTempBrouwWater=55\n"))
                    .ok);
    EXPECT_TRUE(s.recipe.ViaDecoctie);
    EXPECT_EQ(s.recipe.Maischschema(0, 2), 63.0f);
    EXPECT_EQ(s.recipe.Maischschema(0, 3), 55.0f);
    EXPECT_EQ(s.recipe.Maischschema(0, 4), 20.0f);
}

TEST_F(RecipeReader, SpargeGravityHasAFloorOfThree)
{
    struct Case {
        const char *section;
        float want;
    };
    const Case cases[] = {{"[Spoelen]\nSpoelenTot=2.5\n", 3},
                          {"[Spoelen]\nSpoelenTot=\n", 3},
                          {"[Spoelen]\nSpoelenTot=abc\n", 3},
                          {"", 3},
                          {"[Spoelen]\nSpoelenTot=3.5\n", 3.5f}};
    for (const Case &c : cases) {
        ASSERT_TRUE(read(QStringLiteral("[ReceptStatus]\nStatus=0\n") + QLatin1String(c.section)).ok);
        EXPECT_EQ(s.recipe.SpoelenTot, c.want) << c.section;
    }
}

TEST_F(RecipeReader, NameAttributesAndCaptions)
{
    const QString text = QStringLiteral("[ReceptStatus]\nStatus=16\n[Algemeen]\nBiernaam=Stout\n");
    ASSERT_TRUE(read(text, QStringLiteral("Stout.xml")).ok);
    EXPECT_EQ(s.recipe.ReceptNaam, QStringLiteral("Stout"));
    EXPECT_EQ(s.view.fraBrouwSchema.caption, QStringLiteral("Stout Brouwschema "));
    EXPECT_EQ(s.view.fraEvaluatie.caption, QStringLiteral("Stout Evaluatie "));
    EXPECT_EQ(s.recipe.ReceptAttr, 0);

    const QString path = put(crlf(text), QStringLiteral("Alleen.zlv"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ASSERT_TRUE(readRecipeFile(s, path).ok);
    EXPECT_EQ(s.recipe.ReceptAttr, 1);
    EXPECT_EQ(s.recipe.ReceptNaam, QStringLiteral("Alleen"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(RecipeReader, NamesMatchWithoutCaseAndTheFirstSectionWins)
{
    ASSERT_TRUE(read(QStringLiteral("[receptstatus]\nSTATUS=16\n[ALGEMEEN]\nbiernaam=Eerste\nBiernaam=Tweede\n"
                                    "[Algemeen]\nBrouwer1=Niet\n"))
                    .ok);
    EXPECT_EQ(s.recipe.Algemeen(0), QStringLiteral("Eerste"));
    EXPECT_EQ(s.recipe.Algemeen(1), QString());
}

TEST_F(RecipeReader, SecondBeerHopsAreReadInASingleBrew)
{
    ASSERT_TRUE(read(QStringLiteral("[ReceptStatus]\nStatus=33\n[Doelstellingen]\nBrouw=Enkel\n"
                                    "[Aromahop2]\nAantal=1\nSoort1=Saaz\n[Bitterhop2]\nAantal=1\nSoort1=Magnum\n"))
                    .ok);
    EXPECT_FALSE(s.app.dubbelBrouw);
    EXPECT_EQ(s.recipe.Aromahop2(0, HopSoort), QStringLiteral("Saaz"));
    EXPECT_EQ(s.recipe.Bitterhop2(0, HopSoort), QStringLiteral("Magnum"));
}

TEST_F(RecipeReader, RowsBeyondTheDialogsAndLongNotesAreKept)
{
    QString text = QStringLiteral("[ReceptStatus]\nStatus=4\n[Storting]\nAantal=12\n");
    for (int i = 1; i <= 12; ++i)
        text += QStringLiteral("Ingred%1=Mout %1\nPerc%1=%2\n").arg(i).arg(100.0 / 12);
    const QString notes = QString(600, u'x');
    text += QStringLiteral("[Aantekeningen]\nAantekening=") + notes + u'\n';
    ASSERT_TRUE(read(text).ok);
    EXPECT_EQ(s.recipe.Storting.rows(), 12);
    EXPECT_EQ(s.recipe.Storting.cols(), 5);
    EXPECT_EQ(s.recipe.Storting(11, StIngred), QStringLiteral("Mout 12"));
    EXPECT_EQ(s.recipe.Aantekening, notes);
}

TEST_F(RecipeReader, TastingWordsAreReadIntoTheRecipe)
{
    ASSERT_TRUE(
        read(QStringLiteral("[ReceptStatus]\nStatus=512\n[Kenmerken]\nKleur=goud\nSchuimstabiliteit=ring\n")).ok);
    EXPECT_EQ(s.recipe.Kenmerken[0], QStringLiteral("goud"));
    EXPECT_EQ(s.recipe.Kenmerken[3], QStringLiteral("ring"));
    EXPECT_EQ(s.recipe.Kenmerken[6], QString());
}

TEST_F(RecipeReader, OpeningEmptiesThePreviousRecipe)
{
    s = herfstbok();
    s.recipe.ReceptGewijzigd = true;
    s.app.wizardActief = true;
    ASSERT_TRUE(read(QStringLiteral("[ReceptStatus]\nStatus=0\n")).ok);
    EXPECT_EQ(s.recipe.Aantekening, QString());
    EXPECT_EQ(s.recipe.Biersoort2, QString());
    EXPECT_EQ(s.recipe.Kenmerken[0], QString());
    EXPECT_FALSE(s.recipe.ViaDecoctie);
    EXPECT_FALSE(s.recipe.ReceptGewijzigd);
    EXPECT_FALSE(s.app.wizardActief);
    EXPECT_EQ(s.recipe.Storting.rows(), 1);
    EXPECT_TRUE(s.app.dubbelBrouw);  // the brew mode stays without targets
}

namespace {
struct DamagedCase {
    const char *name;
    QByteArray bytes;
    const char *fileName = "Recept.zlv";
};

QByteArray garbage(bool withNul)
{
    QRandomGenerator rng(4711);
    QByteArray b(3000, 0);
    for (char &c : b) {
        c = char(rng.bounded(256));
        if (!withNul && c == 0)
            c = 'x';
    }
    return b;
}

std::vector<DamagedCase> damagedCases()
{
    const QByteArray herfstbok = sampleBytes("Herfstbok.zlv");
    auto withStatus = [](const char *rest) {
        return crlf(QStringLiteral("[ReceptStatus]\nStatus=") + QLatin1String(rest));
    };
    return {
        {"truncated", herfstbok.left(herfstbok.indexOf("[Aromahop]") + 15)},
        {"garbage with nul bytes", garbage(true)},
        {"garbage", garbage(false)},
        {"empty", QByteArray()},
        {"no recipe section", crlf(QStringLiteral("[InternetShortcut]\nURL=http://example.org/\n"))},
        {"blank lines only", crlf(QStringLiteral("\n \n\n"))},
        {"huge grain count", withStatus("4\n[Storting]\nAantal=100000\nIngred1=Pils\n")},
        {"grain count 101", withStatus("4\n[Storting]\nAantal=101\n")},
        {"huge hop count", withStatus("8\n[Aromahop]\nAantal=1e9\n[Bitterhop]\nAantal=1\n")},
        {"huge rest count", withStatus("2\n[Maischschema]\nAantalRusten=5000\n")},
        {"negative rest count", withStatus("2\n[Maischschema]\nAantalRusten=-1\n")},
        {"missing grain section", withStatus("4\n")},
        {"missing general section", withStatus("16\n[Spoelen]\nSpoelenTot=3\n")},
        {"missing evaluation section", withStatus("64\n")},
        {"grain count not a number", withStatus("4\n[Storting]\nAantal=abc\n")},
        {"grain count empty", withStatus("4\n[Storting]\nAantal=\n")},
        {"grain count zero", withStatus("4\n[Storting]\nAantal=0\n")},
        {"aroma count 2x", withStatus("8\n[Aromahop]\nAantal=2x\n[Bitterhop]\nAantal=1\n")},
        {"bitter count zero", withStatus("8\n[Aromahop]\nAantal=1\n[Bitterhop]\nAantal=0\n")},
        {"status out of range", withStatus("40000\n")},
        {"notes flag out of range", withStatus("0\n[Aantekeningen]\nInRecept=70000\n")},
        {"target overflow", withStatus("1\n[Doelstellingen]\nBrouw=Enkel\nVolume1=1e39\n")},
        // Targets the status claims but no brew mode to read them by: a later
        // save would drop them.
        {"brew mode in lower case", withStatus("1\n[Doelstellingen]\nBrouw=enkel\nVolume1=20\n")},
        {"brew mode in capitals", withStatus("1\n[Doelstellingen]\nBrouw=DUBBEL\nVolume1=20\n")},
        {"brew mode empty", withStatus("1\n[Doelstellingen]\nBrouw=\nVolume1=20\n")},
        {"brew mode missing", withStatus("1\n[Doelstellingen]\nVolume1=20\n")},
        {"name too short", withStatus("0\n"), "ab"},
    };
}
}  // namespace

TEST_F(RecipeReader, DamagedFilesGiveTheMessageAndAnEmptyRecipe)
{
    for (const DamagedCase &c : damagedCases()) {
        s = herfstbok();  // a good recipe was open before
        s.app.fileName = QStringLiteral("/ergens/Herfstbok.zlv");
        s.view.panels[7].text = s.app.fileName;
        const QString path = put(c.bytes, QString::fromLatin1(c.fileName));
        const OpenResult r = readRecipeFile(s, path);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(fileBytes(path), c.bytes) << c.name;
        EXPECT_EQ(r.error, OpenReceptFout) << c.name;
        EXPECT_EQ(s.recipe.ReceptStatus, 0) << c.name;
        EXPECT_EQ(s.recipe.Algemeen(0), QString()) << c.name;
        EXPECT_EQ(s.recipe.Storting.rows(), 1) << c.name;
        EXPECT_EQ(s.recipe.Doelstellingen.ubound(), 0) << c.name;
        EXPECT_EQ(s.recipe.Aantekening, QString()) << c.name;
        EXPECT_EQ(s.recipe.Kenmerken[0], QString()) << c.name;
        EXPECT_EQ(s.recipe.ReceptNaam, QString()) << c.name;
        EXPECT_TRUE(s.app.fileName.isEmpty()) << c.name;
        EXPECT_TRUE(s.view.panels[7].text.isEmpty()) << c.name;
        EXPECT_TRUE(s.app.dubbelBrouw) << c.name;  // the window's mode stays
        EXPECT_FALSE(s.view.fraBrouwSchema.visible) << c.name;
    }
}

TEST_F(RecipeReader, MissingFileAPipeAFolderOrAHugeFileGiveAMessage)
{
    const QString pipe = dir.filePath(QStringLiteral("Pijp.zlv"));
    Fifo fifo(pipe);
    ASSERT_TRUE(fifo.made());
    const QString huge = dir.filePath(QStringLiteral("Groot.zlv"));
    ASSERT_TRUE(makeLargeFile(huge, MaxRecipeFileSize + 1));
    const struct {
        QString path;
        QString error;
    } cases[] = {
        {dir.filePath(QStringLiteral("Bestaat niet.zlv")), OpenReceptFout},
        {pipe, pipe + QStringLiteral(" is geen gewoon bestand en wordt niet gelezen!")},
        {dir.path(), dir.path() + QStringLiteral(" is een map en wordt niet gelezen!")},
        {huge, openTooLargeText(QStringLiteral("Groot.zlv"))},  // named as too large
    };
    for (const auto &c : cases) {
        s.app.fileName = QStringLiteral("/r/Vorig.zlv");
        const OpenResult r = readRecipeFile(s, c.path);
        EXPECT_FALSE(r.ok) << qPrintable(c.path);
        EXPECT_EQ(r.error, c.error) << qPrintable(c.path);
        EXPECT_TRUE(s.app.fileName.isEmpty()) << qPrintable(c.path);
    }
    EXPECT_FALSE(fifo.blockedSomeone());
}

TEST_F(RecipeReader, LinesEndingInACarriageReturnAloneAreLines)
{
    const QByteArray crlfBytes = sampleBytes("Herfstbok.zlv");
    ASSERT_TRUE(crlfBytes.contains("\r\n"));
    QByteArray crOnly = crlfBytes;
    crOnly.replace("\r\n", "\r");
    const QByteArray lfOnly = QByteArray(crlfBytes).replace("\r\n", "\n");

    ASSERT_TRUE(readRecipeFile(s, put(crlfBytes, QStringLiteral("Herfstbok.zlv"))).ok);
    const QByteArray expected = recipeFileBytes(s);
    ASSERT_EQ(s.recipe.ReceptStatus, herfstbok().recipe.ReceptStatus);
    for (const QByteArray &bytes : {crOnly, lfOnly}) {
        Session t;
        installationDefaults(t.recipe);
        const OpenResult r = readRecipeFile(t, put(bytes, QStringLiteral("Herfstbok.zlv")));
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(t.recipe.ReceptStatus, s.recipe.ReceptStatus);
        EXPECT_EQ(t.recipe.Algemeen(0), s.recipe.Algemeen(0));
        EXPECT_EQ(recipeFileBytes(t), expected);
    }
}

TEST_F(RecipeReader, ALongNameIsReadAndWrittenBackWhole)
{
    const QString name = QString(100, u'a') + QString(100, u'b') + QString(100, u'c');
    ASSERT_TRUE(read(QStringLiteral("[ReceptStatus]\nStatus=16\n[Algemeen]\nBiernaam=") + name + u'\n').ok);
    EXPECT_EQ(s.recipe.Algemeen(0), name);
    EXPECT_EQ(s.view.fraBrouwSchema.caption, name + QStringLiteral(" Brouwschema "));

    const QString path = dir.filePath(QStringLiteral("Terug.zlv"));
    ASSERT_TRUE(writeRecipeFile(s, path));
    EXPECT_EQ(ReadINI(path, QStringLiteral("Algemeen"), QStringLiteral("Biernaam"), QString()), name);
    Session t;
    installationDefaults(t.recipe);
    ASSERT_TRUE(readRecipeFile(t, path).ok);
    EXPECT_EQ(t.recipe.Algemeen(0), name);
}

TEST_F(RecipeReader, SystemParametersAreReadAndCompared)
{
    const QString head = QStringLiteral("[ReceptStatus]\nStatus=0\n");
    // Same installation (and 25.0 against 25): no question.
    OpenResult r =
        read(head
             + QStringLiteral("[SysteemParameters]\nKetelInhoud=200\nFixedVolFilterPlaatBodem=8\n"
                              "VolFilterPlaatBodem=8\nEvaporatie=25.0\nFilterKuipInhoud=150\nBrouwVerlies=0\n"));
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.systeemParametersVerschillen);

    // No section: no question, the installation's values stand in.
    r = read(head);
    EXPECT_FALSE(r.systeemParametersVerschillen);
    EXPECT_EQ(s.recipe.ReceptEvaporatie, 25.0f);

    // One key differs by 0.1, another is missing.
    r = read(head + QStringLiteral("[SysteemParameters]\nKetelInhoud=200\nEvaporatie=25.1\n"));
    EXPECT_TRUE(r.systeemParametersVerschillen);
    EXPECT_EQ(s.recipe.ReceptEvaporatie, 25.1f);
    EXPECT_EQ(s.recipe.ReceptFilterKuipInhoud, 150.0f);

    // A value that is not a number ends the reading quietly: what came before
    // is read, the rest keeps the last recipe's values, no question.
    r = read(head
             + QStringLiteral("[SysteemParameters]\nKetelInhoud=180\nFixedVolFilterPlaatBodem=x\nEvaporatie=30\n"));
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.systeemParametersVerschillen);
    EXPECT_EQ(s.recipe.ReceptKetelInhoud, 180.0f);
    EXPECT_EQ(s.recipe.ReceptEvaporatie, 25.1f);
}

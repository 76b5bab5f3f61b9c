// The recipe file writer: layout line by line, round trips, atomic saves.

#include "test_recipefile_samples.h"

#include "support/FakeServices.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"
#include "core/Cp1252.h"
#include "core/Ini.h"
#include "core/RecipeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cerrno>
#include <functional>
#include <limits>

using namespace mostarium;
using namespace mostarium::test;

namespace {

QStringList linesOf(const QByteArray &bytes)
{
    QStringList lines = cp1252::decode(bytes).split(QStringLiteral("\r\n"));
    return lines;
}

QString dataFile(const char *name) { return QStringLiteral(MOSTARIUM_SOURCE_DIR "/tests/data/") + QLatin1String(name); }

// The recipe parts a file carries, compared member by member.
void expectSameRecipe(const RecipeState &a, const RecipeState &b)
{
    EXPECT_EQ(a.ReceptStatus, b.ReceptStatus);
    EXPECT_EQ(a.Algemeen, b.Algemeen);
    EXPECT_EQ(a.Doelstellingen, b.Doelstellingen);
    EXPECT_EQ(a.Biersoort1, b.Biersoort1);
    EXPECT_EQ(a.Biersoort2, b.Biersoort2);
    EXPECT_EQ(a.Storting, b.Storting);
    EXPECT_EQ(a.Maischschema, b.Maischschema);
    EXPECT_EQ(a.ViaDecoctie, b.ViaDecoctie);
    EXPECT_EQ(a.SpoelenTot, b.SpoelenTot);
    EXPECT_EQ(a.Aromahop, b.Aromahop);
    EXPECT_EQ(a.Bitterhop, b.Bitterhop);
    EXPECT_EQ(a.Aromahop2, b.Aromahop2);
    EXPECT_EQ(a.Bitterhop2, b.Bitterhop2);
    EXPECT_EQ(a.Gistkeuze, b.Gistkeuze);
    EXPECT_EQ(a.Toevoegingen, b.Toevoegingen);
    EXPECT_EQ(a.Evaluatie, b.Evaluatie);
    EXPECT_EQ(a.Aantekening, b.Aantekening);
    EXPECT_EQ(a.InRecept, b.InRecept);
    for (int i = 0; i < KenmerkenCount; ++i)
        EXPECT_EQ(a.Kenmerken[i], b.Kenmerken[i]) << i;
}

// A device that fails after a number of bytes, as a full disk does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 room = m_limit - written.size();
        if (room <= 0) {
            setErrorString(QStringLiteral("Schijf vol"));
            return -1;
        }
        const qint64 n = std::min(room, len);
        written.append(data, n);
        return n;
    }

private:
    qint64 m_limit;
};

struct Golden {
    const char *file;
    Session (*make)();
};

class RecipeGolden : public ::testing::TestWithParam<Golden> {};

}  // namespace

TEST_P(RecipeGolden, WriterMatchesTheLayoutLineByLine)
{
    const QByteArray expected = fileBytes(dataFile(GetParam().file));
    ASSERT_FALSE(expected.isEmpty());
    const QByteArray written = recipeFileBytes(GetParam().make());

    const QStringList want = linesOf(expected);
    const QStringList got = linesOf(written);
    for (qsizetype i = 0; i < std::min(want.size(), got.size()); ++i)
        ASSERT_EQ(got[i], want[i]) << "line " << i + 1;
    EXPECT_EQ(got.size(), want.size());
    // CR LF everywhere, Windows-1252 bytes.
    EXPECT_EQ(written, expected);
    EXPECT_FALSE(written.contains("\n\n"));
}

TEST_P(RecipeGolden, RoundTripGivesTheSameRecipeAndTheSameBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Recept.zlv"));
    const Session original = GetParam().make();
    ASSERT_TRUE(writeRecipeFile(original, path));

    Session back;
    installationDefaults(back.recipe);
    back.recipe.Revision = SampleRevision;
    const OpenResult r = readRecipeFile(back, path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.brouwGelezen);
    EXPECT_FALSE(r.systeemParametersVerschillen);
    EXPECT_EQ(back.app.dubbelBrouw, original.app.dubbelBrouw);
    expectSameRecipe(back.recipe, original.recipe);

    EXPECT_EQ(recipeFileBytes(back), fileBytes(path));
}

TEST_P(RecipeGolden, SampleInTheProgramFolderIsTheSameRecipe)
{
    const QString sample = QStringLiteral(MOSTARIUM_SOURCE_DIR "/resources/Recepten/") + QLatin1String(GetParam().file);
    EXPECT_EQ(fileBytes(sample), recipeFileBytes(GetParam().make()));
}

INSTANTIATE_TEST_SUITE_P(Samples, RecipeGolden,
                         ::testing::Values(Golden{"Zomerblond.zlv", &zomerblond}, Golden{"Herfstbok.zlv", &herfstbok}),
                         [](const auto &info) {
                             return std::string(info.param.file).substr(0, std::string(info.param.file).find('.'));
                         });

TEST(RecipeWriter, TargetsOnlyGivesTheShortestFile)
{
    Session s;
    s.recipe.Revision = SampleRevision;
    s.recipe.ReceptStatus = StatusDoelstellingen;
    s.recipe.Doelstellingen.redim(5);
    s.recipe.Doelstellingen(1) = 20;
    s.recipe.Evaporatie = 12.5f;
    const QStringList lines = linesOf(recipeFileBytes(s));
    const QStringList want = {"[Mostarium_Version]",
                              "Versie=Mostarium " + SampleRevision,
                              "",
                              "[ReceptStatus]",
                              "Status=1",
                              "",
                              "[Doelstellingen]",
                              "Brouw=Enkel",
                              "Biersoort1=",
                              "Volume1=20",
                              "AlcPerc1=0",
                              "FG1=0",
                              "EBU1=0",
                              "Koolzuur1=0",
                              "",
                              "[Spoelen]",
                              "SpoelenTot=3",
                              "",
                              "",  // where the evaluation would stand
                              "[SysteemParameters]",
                              "KetelInhoud=200",
                              "FixedVolFilterPlaatBodem=8",
                              "VolFilterPlaatBodem=8",
                              "Evaporatie=12.5",
                              "FilterKuipInhoud=150",
                              "BrouwVerlies=0",
                              "",
                              "[Kenmerken]",
                              "Kleur=",
                              "Helderheid=",
                              "Schuim=",
                              "SchuimStabiliteit=",
                              "Body=",
                              "Mondgevoel=",
                              "Koolzuur=",
                              "[Aantekeningen]",
                              "Aantekening=",
                              "InRecept=0",
                              ""};
    EXPECT_EQ(lines, want);
}

TEST(RecipeWriter, BrewModeDecidesTheSecondBeerKeysNotTheBits)
{
    Session s = herfstbok();
    s.app.dubbelBrouw = false;  // switched back to a single brew
    const QString text = cp1252::decode(recipeFileBytes(s));
    for (const char *key : {"Biersoort2=", "Volume2=", "Koolzuur2=", "Gist6=", "Gist10=", "Toevoeging6=",
                            "Toevoeging10=", "OG2=", "FG2="})
        EXPECT_FALSE(text.contains(QLatin1String(key))) << key;
    // Bit 32 still writes the second beer's hops.
    EXPECT_TRUE(text.contains(QStringLiteral("[Aromahop2]\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Brouw=Enkel\r\n")));
}

TEST(RecipeWriter, TheFileClaimsTheFirstBeersTargetsAndMeasuredValuesWhateverTheBits)
{
    struct Case {
        const char *what;
        std::function<void(Session &)> setUp;
        int status;
        bool targets, measured;
        int reread;  // the status read back
    };
    // A switch to double brew clears bits 1 and 64 while the second beer has
    // nothing; the first beer's values stay in the recipe and in the file.
    const Case cases[] = {
        {"single brew switched to double, no second beer",
         [](Session &s) {
             s.app.dubbelBrouw = true;
             s.recipe.Doelstellingen.redimPreserve(10);
             s.recipe.Evaluatie.redim(2, 1);
             s.recipe.Evaluatie(0, 0) = QStringLiteral("95");
             s.recipe.clearStatus(StatusDoelstellingen);
         },
         415 + 64, true, true, 414},
        // No switch restores bit 64 without a measured volume; the file keeps
        // the values all the same, and the reopened recipe shows them.
        {"measured values of the first beer with no volume",
         [](Session &s) { s.recipe.Evaluatie(1, 0) = QStringLiteral("1050"); }, 415 + 64, true, true, 415 + 64},
        {"targets array grown from its start shape, nothing entered",
         [](Session &s) {
             s.app.dubbelBrouw = true;
             s.recipe.ReceptStatus = 0;
             s.recipe.Doelstellingen.redim(10);
             s.recipe.Evaluatie.redim(2, 1);
         },
         0, false, false, 0},
        {"a style chosen without targets",
         [](Session &s) {
             s.recipe.ReceptStatus = StatusStorting;
             s.recipe.Doelstellingen.redim(0);
         },
         StatusStorting, false, false, StatusStorting},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Session s = zomerblond();
        c.setUp(s);
        const QByteArray bytes = recipeFileBytes(s);
        const IniDocument ini(bytes);
        EXPECT_EQ(ini.value(u"ReceptStatus", u"Status"), QString::number(c.status));
        EXPECT_EQ(ini.hasSection(u"Doelstellingen"), c.targets);
        EXPECT_EQ(ini.hasSection(u"Evaluatie"), c.measured);
        if (c.targets) {
            EXPECT_EQ(ini.value(u"Doelstellingen", u"Brouw"), s.app.dubbelBrouw ? "Dubbel" : "Enkel");
            EXPECT_EQ(ini.value(u"Doelstellingen", u"Volume1"), "100");
            EXPECT_EQ(ini.value(u"Doelstellingen", u"Biersoort1"), "Belgisch Blond");
        }
        // The writer only reads the bits; a double brew read back without its
        // second beer's values gets the bits the switch gave.
        Session reread;
        ASSERT_TRUE(readRecipe(reread, bytes, QStringLiteral("Zomerblond.zlv")).ok);
        EXPECT_EQ(reread.recipe.ReceptStatus, c.reread);
    }
}

TEST(RecipeWriter, ExtraColumnsOfTheDialogsAreNotWritten)
{
    Session s = zomerblond();
    s.recipe.Storting.redimPreserve(2, 5);
    s.recipe.Storting(0, 5) = QStringLiteral("geheim");
    s.recipe.Bitterhop.redimPreserve(0, 7);
    s.recipe.Bitterhop(0, HopBerekendGram) = QStringLiteral("31.2");
    s.recipe.Maischschema(1, 3) = 99;
    const QByteArray bytes = recipeFileBytes(s);
    EXPECT_FALSE(bytes.contains("geheim"));
    EXPECT_FALSE(bytes.contains("31.2"));
    EXPECT_FALSE(bytes.contains("99"));
}

TEST(RecipeWriter, LineBreaksInTextsBecomeBlanks)
{
    Session s = zomerblond();
    s.recipe.Algemeen(0) = QStringLiteral("Zomer\r\nblond");
    s.recipe.Storting(0, StIngred) = QStringLiteral("Pils\nmout");
    s.recipe.Aantekening = QStringLiteral("regel 1\r\nregel 2\rregel 3");
    const QStringList lines = linesOf(recipeFileBytes(s));
    EXPECT_TRUE(lines.contains(QStringLiteral("Biernaam=Zomer  blond")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Ingred1=Pils mout")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Aantekening=regel 1  regel 2 regel 3")));
}

TEST(RecipeWriter, TastingSectionHasItsSevenKeysWhateverTheWordsAndBits)
{
    const QByteArray empty =
        QByteArrayLiteral("[Kenmerken]\r\nKleur=\r\nHelderheid=\r\nSchuim=\r\n"
                          "SchuimStabiliteit=\r\nBody=\r\nMondgevoel=\r\nKoolzuur=\r\n[Aantekeningen]");
    Session s = zomerblond();
    EXPECT_TRUE(recipeFileBytes(s).contains(empty));
    s.recipe.setStatus(StatusKenmerken);
    EXPECT_TRUE(recipeFileBytes(s).contains(empty));
    // Words read from a file whose status lacks the bit are kept.
    s.recipe.clearStatus(StatusKenmerken);
    s.recipe.Kenmerken[0] = QStringLiteral("goud");
    EXPECT_TRUE(recipeFileBytes(s).contains("[Kenmerken]\r\nKleur=goud\r\n"));
    Session none;
    EXPECT_TRUE(recipeFileBytes(none).contains(empty));
}

TEST(RecipeWriter, StateThatCannotBeWrittenFailsWithoutWriting)
{
    Session s = zomerblond();
    s.recipe.Doelstellingen(2) = std::numeric_limits<float>::quiet_NaN();
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_FALSE(writeRecipe(s, buf, &error));
    EXPECT_TRUE(buf.data().isEmpty());
    EXPECT_FALSE(error.isEmpty());

    Session t = zomerblond();
    t.recipe.Doelstellingen.redim(0);  // bit set, targets missing
    EXPECT_THROW(recipeFileBytes(t), CalcError);
}

TEST(RecipeWriter, FailingDeviceReportsFailure)
{
    FailingDevice dev(100);
    QString error;
    EXPECT_FALSE(writeRecipe(zomerblond(), dev, &error));
    EXPECT_FALSE(error.isEmpty());
    FailingDevice none(0);
    EXPECT_FALSE(writeRecipe(zomerblond(), none, &error));
    EXPECT_EQ(error, QStringLiteral("Schijf vol"));
}

TEST(RecipeSave, SaveWritesClearsTheFlagAndShowsThePath)
{
    ScopedFakeServices fake;
    QTemporaryDir dir;
    Session s = zomerblond();
    s.recipe.ReceptGewijzigd = true;
    s.app.fileName = dir.filePath(QStringLiteral("Zomerblond.zlv"));
    const SaveResult r = SaveRecept(s);
    EXPECT_EQ(r.outcome, SaveOutcome::Saved);
    EXPECT_FALSE(s.recipe.ReceptGewijzigd);
    EXPECT_EQ(s.view.panels[7].text, s.app.fileName);
    EXPECT_EQ(fileBytes(s.app.fileName), recipeFileBytes(s));
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(fake.busyDepth, 0);
}

TEST(RecipeSave, FailedSaveKeepsTheOldFileTheFlagAndThePanel)
{
    ScopedFakeServices fake;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zomerblond.zlv"));
    writeFileBytes(path, "oud recept\r\n");

    Session s = zomerblond();
    s.recipe.Doelstellingen.redim(0);  // cannot be written
    s.recipe.ReceptGewijzigd = true;
    s.view.panels[7].text = QStringLiteral("vorige");
    s.app.fileName = path;
    EXPECT_EQ(SaveRecept(s).outcome, SaveOutcome::Failed);
    EXPECT_EQ(fileBytes(path), QByteArray("oud recept\r\n"));
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
    EXPECT_EQ(s.view.panels[7].text, QStringLiteral("vorige"));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt,
              OpslaanFout + QStringLiteral("\r\n\r\nHet bestand ") + path
                  + QStringLiteral(" kon niet worden opgeslagen (het recept heeft een onvolledig deel of een waarde "
                                   "die geen getal is)."));
    EXPECT_EQ(fake.messages[0].style, mb::OKOnly + mb::Exclamation);
    EXPECT_EQ(fake.busyDepth, 0);

    // A folder that does not exist fails the same way.
    fake.clear();
    Session t = zomerblond();
    t.app.fileName = dir.filePath(QStringLiteral("weg/Zomerblond.zlv"));
    EXPECT_EQ(SaveRecept(t).outcome, SaveOutcome::Failed);
    EXPECT_EQ(fake.prompts(), QStringList{saveFailedText(t.app.fileName, QStringLiteral("de map bestaat niet"))});
}

TEST(RecipeSave, AFullDiskFailsTheSaveAndTheTastingWordsAndKeepsTheOldFile)
{
    ScopedFakeServices fake;
    QTemporaryDir dir;
    Session s = zomerblond();
    s.app.fileName = dir.filePath(QStringLiteral("Zomerblond.zlv"));
    ASSERT_TRUE(writeRecipeFile(s, s.app.fileName));
    const QByteArray old = fileBytes(s.app.fileName);

    s.recipe.Algemeen(0) = QStringLiteral("Zomerblond 2");
    s.recipe.Kenmerken[0] = QStringLiteral("goud");
    s.recipe.ReceptGewijzigd = true;
    s.view.panels[7].text = QStringLiteral("vorige");
    SaveOutcome saved = SaveOutcome::Saved;
    KeysSaved wordsSaved = KeysSaved::Written;
    {
        FullDisk full(100);
        saved = SaveRecept(s).outcome;
        wordsSaved = SaveKenmerken(s);
    }
    EXPECT_EQ(saved, SaveOutcome::Failed);
    EXPECT_EQ(wordsSaved, KeysSaved::Failed);
    EXPECT_EQ(fileBytes(s.app.fileName), old);
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
    EXPECT_EQ(s.view.panels[7].text, QStringLiteral("vorige"));
    EXPECT_EQ(fake.prompts(), QStringList{saveFailedText(s.app.fileName, writeFailureText(EFBIG))});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Zomerblond.zlv")});
}

// Writer and reader share one bound: a file of exactly MaxRecipeFileSize is
// written and opens again with its notes whole; one byte more is refused
// before anything is written, with a message that says why, and a file of
// that size made elsewhere is named as too large by the reader.
TEST(RecipeSave, TheWriterRefusesWhatTheReaderWouldRefuse)
{
    ScopedFakeServices fake;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Groot.zlv"));
    Session s = zomerblond();
    s.app.fileName = path;
    s.recipe.Aantekening.clear();
    s.recipe.Aantekening = QString(MaxRecipeFileSize - recipeFileBytes(s).size(), u'a');
    ASSERT_EQ(recipeFileBytes(s).size(), MaxRecipeFileSize);
    ASSERT_EQ(SaveRecept(s).outcome, SaveOutcome::Saved);
    Session back = zomerblond();
    ASSERT_TRUE(readRecipeFile(back, path).ok);
    EXPECT_EQ(back.recipe.Aantekening, s.recipe.Aantekening);

    const QByteArray old = fileBytes(path);
    s.recipe.Aantekening += u'a';
    s.recipe.ReceptGewijzigd = true;
    s.view.panels[7].text = QStringLiteral("vorige");
    EXPECT_EQ(SaveRecept(s).outcome, SaveOutcome::Failed);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, saveTooLargeText(path));
    EXPECT_TRUE(fake.messages[0].prompt.contains(QStringLiteral("te groot om op te slaan")));
    EXPECT_TRUE(fake.messages[0].prompt.contains(QStringLiteral("4 MB")));
    EXPECT_EQ(fake.messages[0].style, mb::OKOnly + mb::Exclamation);
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_TRUE(s.recipe.ReceptGewijzigd);
    EXPECT_EQ(s.view.panels[7].text, QStringLiteral("vorige"));
    EXPECT_EQ(s.app.fileName, path);
    EXPECT_FALSE(writeRecipeFile(s, path));
    EXPECT_EQ(fileBytes(path), old);
    QBuffer device;
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    EXPECT_FALSE(writeRecipe(s, device));
    EXPECT_TRUE(device.data().isEmpty());

    writeFileBytes(path, old + ' ');
    for (const OpenResult &r : {readRecipeFile(back, path), readRecipe(back, old + ' ', path)}) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, openTooLargeText(QStringLiteral("Groot.zlv")));
        EXPECT_EQ(r.error,
                  QStringLiteral("Fout in openen recept!\r\nGroot.zlv is groter dan 4 MB en wordt niet gelezen!"));
    }
}

TEST(RecipeSave, ReadOnlyFileIsNotReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Oud.zlv"));
    writeFileBytes(path, "oud\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    EXPECT_FALSE(writeRecipeFile(zomerblond(), path));
    EXPECT_EQ(fileBytes(path), QByteArray("oud\r\n"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(RecipeSave, XmlExtensionBecomesZlvAndNothingElseChanges)
{
    struct Case {
        const char *in;
        bool xml;
        const char *out;
    };
    const Case cases[] = {
        {"/Recepten/Tripel.xml", true, "/Recepten/Tripel.zlv"},
        {"/Recepten/Mijn Bieren/Tripel.XML", true, "/Recepten/Mijn Bieren/Tripel.zlv"},
        {"/Recepten/Oud.xml.d/Bock.zlv", false, "/Recepten/Oud.xml.d/Bock.zlv"},
        {"C:\\Brouwen\\Xml.Recepten\\Stout.Xml", true, "C:\\Brouwen\\Xml.Recepten\\Stout.zlv"},
        {"/Recepten/Stout.zlv", false, "/Recepten/Stout.zlv"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(hasXmlExtension(QString::fromLatin1(c.in)), c.xml) << c.in;
        EXPECT_EQ(zlvFileName(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
    }
}

TEST(RecipeSave, XmlNameAsksAndCancelWritesNothing)
{
    ScopedFakeServices fake;
    QTemporaryDir dir;
    Session s = zomerblond();
    s.app.fileName = dir.filePath(QStringLiteral("Import.XML"));
    fake.msgAnswers.push_back(mb::Cancel);
    EXPECT_EQ(SaveRecept(s).outcome, SaveOutcome::Cancelled);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, XmlOpslaanVraag);
    EXPECT_EQ(fake.messages[0].title, XmlOpslaanTitel);
    EXPECT_EQ(fake.messages[0].style, mb::OKCancel);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(s.app.fileName, dir.filePath(QStringLiteral("Import.XML")));

    fake.msgAnswers.push_back(mb::OK);
    EXPECT_EQ(SaveRecept(s).outcome, SaveOutcome::Saved);
    EXPECT_EQ(s.app.fileName, dir.filePath(QStringLiteral("Import.zlv")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Import.zlv"))));
}

// A read-only recipe file fails only when the words would change it: the
// tasting dialog's write-back of the word it found there says nothing.
TEST(RecipeSave, KeysAFileHoldsAlreadyAreNotWrittenAgain)
{
    QTemporaryDir dir;
    Session s = zomerblond();
    s.app.fileName = dir.filePath(QStringLiteral("Zomerblond.zlv"));
    s.recipe.Kenmerken[6] = QStringLiteral("veel");
    ASSERT_TRUE(writeRecipeFile(s, s.app.fileName));
    const QByteArray old = fileBytes(s.app.fileName);
    QFile::setPermissions(s.app.fileName, QFileDevice::ReadOwner | QFileDevice::ReadUser);

    EXPECT_EQ(SaveKenmerk(s, 6), KeysSaved::Written);
    s.recipe.Kenmerken[6] = QStringLiteral("weinig");
    EXPECT_EQ(SaveKenmerk(s, 6), KeysSaved::Failed);
    EXPECT_EQ(fileBytes(s.app.fileName), old);
}

TEST(RecipeSave, SaveKenmerkenReplacesTheWordsOfAnExistingRecipeOnly)
{
    QTemporaryDir dir;
    Session s = zomerblond();
    s.app.fileName = dir.filePath(QStringLiteral("Zomerblond.zlv"));
    s.recipe.Kenmerken[0] = QStringLiteral("goud");
    EXPECT_EQ(SaveKenmerken(s), KeysSaved::NoFile);  // no file yet
    EXPECT_FALSE(QFile::exists(s.app.fileName));

    s.recipe.Kenmerken[0].clear();
    ASSERT_TRUE(writeRecipeFile(s, s.app.fileName));
    s.recipe.Kenmerken[0] = QStringLiteral("goud");
    s.recipe.Kenmerken[6] = QStringLiteral("veel");
    ASSERT_EQ(SaveKenmerken(s), KeysSaved::Written);
    EXPECT_EQ(ReadINI(s.app.fileName, QStringLiteral("Kenmerken"), QStringLiteral("Kleur"), QStringLiteral("?")),
              QStringLiteral("goud"));
    EXPECT_EQ(ReadINI(s.app.fileName, QStringLiteral("Kenmerken"), QStringLiteral("Helderheid"), QStringLiteral("?")),
              QString());
    // The keys are replaced where they stand: the file is what a save writes now.
    EXPECT_EQ(fileBytes(s.app.fileName), recipeFileBytes(s));

    // Once more: replaced in place, not added twice.
    s.recipe.Kenmerken[0] = QStringLiteral("blond");
    ASSERT_EQ(SaveKenmerken(s), KeysSaved::Written);
    const QByteArray after = fileBytes(s.app.fileName);
    EXPECT_EQ(after.count("[Kenmerken]"), 1);
    EXPECT_TRUE(after.contains("Kleur=blond\r\n"));

    Session other = s;
    other.app.fileName = dir.filePath(QStringLiteral("Zomerblond.txt"));
    writeFileBytes(other.app.fileName, "tekst\r\n");
    EXPECT_EQ(SaveKenmerken(other), KeysSaved::NoFile);
    EXPECT_EQ(fileBytes(other.app.fileName), QByteArray("tekst\r\n"));
}

// A recipe file the program saved at exactly MaxRecipeFileSize takes no key
// that would make it larger: the reader would refuse it ever after. The
// file stays byte for byte; a key that keeps the size still goes in.
TEST(RecipeSave, KeysThatWouldGrowAFileAtTheBoundAreRefused)
{
    ScopedFakeServices fake;
    QTemporaryDir dir;
    Session s = zomerblond();
    s.app.fileName = dir.filePath(QStringLiteral("Groot.zlv"));
    s.recipe.setStatus(StatusKenmerken);
    for (QString &word : s.recipe.Kenmerken)
        word.clear();
    s.recipe.InRecept = 0;
    s.recipe.Aantekening.clear();
    s.recipe.Aantekening = QString(MaxRecipeFileSize - recipeFileBytes(s).size(), u'a');
    ASSERT_EQ(SaveRecept(s).outcome, SaveOutcome::Saved);
    const QByteArray atBound = fileBytes(s.app.fileName);
    ASSERT_EQ(atBound.size(), MaxRecipeFileSize);

    struct Case {
        const char *what;
        std::function<KeysSaved(Session &, QString *)> write;
    };
    const Case cases[] = {
        {"the carbonation word written back",
         [](Session &t, QString *why) {
             t.recipe.Kenmerken[6] = QStringLiteral("weinig");
             return SaveKenmerk(t, 6, why);
         }},
        {"the seven words stored",
         [](Session &t, QString *why) {
             for (QString &word : t.recipe.Kenmerken)
                 word = QStringLiteral("veel");
             return SaveKenmerken(t, why);
         }},
        {"a longer note",
         [](Session &t, QString *why) {
             t.recipe.Aantekening += u'b';
             return SaveAantekeningen(t, why);
         }},
    };
    for (const Case &c : cases) {
        Session t = s;
        QString why;
        EXPECT_EQ(c.write(t, &why), KeysSaved::Failed) << c.what;
        EXPECT_EQ(why, recipeTooLargeReason()) << c.what;
        EXPECT_EQ(fileBytes(s.app.fileName), atBound) << c.what;
        EXPECT_TRUE(t.app.fileSeen.holds(atBound)) << c.what;
    }
    EXPECT_EQ(notWrittenText(s.app.fileName, recipeTooLargeReason()),
              QStringLiteral("Het bestand ") + s.app.fileName
                  + QStringLiteral(" kon niet worden opgeslagen (het receptbestand zou groter worden dan 4 MB en "
                                   "dan niet meer te openen zijn)."));

    // The print choice takes as many bytes either way.
    s.recipe.InRecept = 1;
    ASSERT_EQ(SaveAantekeningen(s), KeysSaved::Written);
    EXPECT_EQ(fileBytes(s.app.fileName).size(), MaxRecipeFileSize);
    EXPECT_TRUE(fileBytes(s.app.fileName).contains("InRecept=1\r\n"));
    EXPECT_TRUE(s.app.fileSeen.holds(fileBytes(s.app.fileName))) << "its own write is what it has seen";
    EXPECT_TRUE(fake.messages.empty());
}

namespace {

// Two copies of the program with one recipe file open, each with its own
// session: `a` saved it, `b` opened it.
struct TwoCopies {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Gedeeld.zlv"));
    Session a = zomerblond(), b;

    TwoCopies()
    {
        a.app.fileName = path;
        EXPECT_EQ(SaveRecept(a).outcome, SaveOutcome::Saved);
        EXPECT_TRUE(readRecipeFile(b, path).ok);
        b.app.fileName = path;
    }
    // `a` stores a note: written into the file at once.
    void aStoresANote(const QString &note)
    {
        a.recipe.Aantekening = note;
        EXPECT_EQ(SaveAantekeningen(a), KeysSaved::Written);
    }
};

}  // namespace

TEST(RecipeSave, ASaveAsksBeforeItReplacesAFileAnotherCopyChanged)
{
    ScopedFakeServices fake;
    TwoCopies two;
    two.aStoresANote(QStringLiteral("Notitie van A"));
    const QByteArray withNote = fileBytes(two.path);
    two.b.recipe.Algemeen(0) = QStringLiteral("Zomerblond van B");
    two.b.recipe.ReceptGewijzigd = true;
    two.b.view.panels[7].text = QStringLiteral("vorige");

    fake.msgAnswers = {mb::No};
    EXPECT_EQ(SaveRecept(two.b).outcome, SaveOutcome::Cancelled);
    ASSERT_EQ(fake.prompts(), QStringList{changedOnDiskQuestion(two.path)});
    EXPECT_EQ(fake.messages[0].style, mb::YesNo | mb::Question);
    EXPECT_TRUE(fake.messages[0].prompt.contains(two.path));
    EXPECT_EQ(fileBytes(two.path), withNote);
    EXPECT_TRUE(two.b.recipe.ReceptGewijzigd);
    EXPECT_EQ(two.b.view.panels[7].text, QStringLiteral("vorige"));
    EXPECT_EQ(two.b.app.fileName, two.path);

    // Asked again at the next save; Ja replaces the file.
    fake.clear();
    fake.msgAnswers = {mb::Yes};
    EXPECT_EQ(SaveRecept(two.b).outcome, SaveOutcome::Saved);
    EXPECT_EQ(fake.prompts(), QStringList{changedOnDiskQuestion(two.path)});
    EXPECT_EQ(fileBytes(two.path), recipeFileBytes(two.b));
    EXPECT_FALSE(two.b.recipe.ReceptGewijzigd);

    // Now the other way round: A's save meets B's file.
    fake.clear();
    EXPECT_EQ(SaveRecept(two.a).outcome, SaveOutcome::Cancelled);
    EXPECT_EQ(fake.prompts(), QStringList{changedOnDiskQuestion(two.path)});
    EXPECT_EQ(fileBytes(two.path), recipeFileBytes(two.b));
}

// What asks and what does not: the copy's own writes, a file written again
// with the same bytes or removed lose nothing; keys set into a file that
// another copy changed carry that change, so the save still asks.
TEST(RecipeSave, OnlyAChangeThisCopyDidNotSeeIsAskedAbout)
{
    struct Case {
        const char *what;
        std::function<void(TwoCopies &)> meanwhile;
        bool asks;
    };
    const Case cases[] = {
        {"nothing happened", [](TwoCopies &) {}, false},
        {"its own note and words",
         [](TwoCopies &t) {
             t.b.recipe.Aantekening = QStringLiteral("eigen notitie");
             EXPECT_EQ(SaveAantekeningen(t.b), KeysSaved::Written);
             t.b.recipe.Kenmerken[0] = QStringLiteral("goud");
             EXPECT_EQ(SaveKenmerken(t.b), KeysSaved::Written);
         },
         false},
        {"the same bytes written again", [](TwoCopies &t) { writeFileBytes(t.path, fileBytes(t.path)); }, false},
        {"the file removed", [](TwoCopies &t) { QFile::remove(t.path); }, false},
        {"a note of the other copy", [](TwoCopies &t) { t.aStoresANote(QStringLiteral("van A")); }, true},
        {"the same size, other bytes",
         [](TwoCopies &t) {
             QByteArray other = fileBytes(t.path);
             other.replace("Zomerblond", "Zomerbloem");
             writeFileBytes(t.path, other);
         },
         true},
        {"its own words set into a file the other copy changed",
         [](TwoCopies &t) {
             t.aStoresANote(QStringLiteral("van A"));
             t.b.recipe.Kenmerken[0] = QStringLiteral("goud");
             EXPECT_EQ(SaveKenmerken(t.b), KeysSaved::Written);
         },
         true},
        {"a file too large to read", [](TwoCopies &t) { makeLargeFile(t.path, MaxRecipeFileSize + 1); }, true},
    };
    for (const Case &c : cases) {
        ScopedFakeServices fake;
        TwoCopies two;
        c.meanwhile(two);
        const bool existed = QFile::exists(two.path);
        const QByteArray before = existed ? fileBytes(two.path) : QByteArray();
        fake.msgAnswers = {mb::No};
        const SaveOutcome out = SaveRecept(two.b).outcome;
        if (c.asks) {
            EXPECT_EQ(out, SaveOutcome::Cancelled) << c.what;
            EXPECT_EQ(fake.prompts(), QStringList{changedOnDiskQuestion(two.path)}) << c.what;
            EXPECT_EQ(fileBytes(two.path), before) << c.what;
        } else {
            EXPECT_EQ(out, SaveOutcome::Saved) << c.what;
            EXPECT_TRUE(fake.messages.empty()) << c.what << qPrintable(fake.prompts().join(u'|'));
            EXPECT_EQ(fileBytes(two.path), recipeFileBytes(two.b)) << c.what;
        }
    }
}

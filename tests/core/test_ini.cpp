#include "core/Cp1252.h"
#include "core/Ini.h"
#include "core/WholeFile.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"
#include "support/QtPrint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class IniFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("ZYM.ini"));

    void put(const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes() const { return fileBytes(path); }
    QString read(const char *section, const char *key, const char *def = "dflt") const
    {
        return ReadINI(path, QString::fromLatin1(section), QString::fromLatin1(key), QString::fromLatin1(def));
    }
    bool write(const char *section, const char *key, const QString &value)
    {
        QString v = value;
        return WriteINI(path, QString::fromLatin1(section), QString::fromLatin1(key), v);
    }
};

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(read("SysteemVariabelen", "KetelInhoud", "200"), QStringLiteral("200"));
    put("[Sounds]\r\nSoundsOn=1\r\n");
    EXPECT_EQ(read("StartUp", "VolMenu", "1"), QStringLiteral("1"));
    EXPECT_EQ(read("Sounds", "Missing", "x"), QStringLiteral("x"));
    EXPECT_EQ(read("Sounds", "SoundsOn"), QStringLiteral("1"));
}

TEST_F(IniFile, ReadingTable)
{
    put("; comment\r\n"
        "[Algemeen]\r\n"
        "Biernaam =  Tripel Karmeliet-achtig  \r\n"
        "Leeg=\r\n"
        "zonder gelijkteken\r\n"
        "Dubbel=eerste\r\n"
        "dubbel=tweede\r\n"
        "[algemeen]\r\n"
        "Later=niet gelezen\r\n"
        "[Doelstellingen]\n"
        "Volume=20\n"
        "Alcohol=6.5");
    struct C {
        const char *section, *key, *expected;
    } cases[] = {
        {"Algemeen", "Biernaam", "Tripel Karmeliet-achtig"},  // blanks around are trimmed
        {"ALGEMEEN", "biernaam", "Tripel Karmeliet-achtig"},  // names ignore case
        {"Algemeen", "Leeg", ""},                             // empty value is not the default
        {"Algemeen", "zonder gelijkteken", "dflt"},           // a line without "=" is no key
        {"Algemeen", "Dubbel", "eerste"},                     // first key wins
        {"Algemeen", "Later", "dflt"},                        // first section wins
        {"Doelstellingen", "Volume", "20"},                   // LF line ends read too
        {"Doelstellingen", "Alcohol", "6.5"},                 // last line without line end
    };
    for (const auto &c : cases)
        EXPECT_EQ(read(c.section, c.key), QString::fromLatin1(c.expected)) << c.section << '/' << c.key;
}

TEST_F(IniFile, LongValuesAndDefaultsAreKeptWhole)
{
    const QString longValue = QString(150, u'x') + QString(150, u'y');
    write("S", "K", longValue);
    EXPECT_EQ(read("S", "K"), longValue);
    EXPECT_EQ(ReadINI(path, QStringLiteral("S"), QStringLiteral("none"), longValue), longValue);
}

TEST_F(IniFile, ALoneCarriageReturnEndsALine)
{
    // Older files end their lines in CR alone, also mixed with the others.
    put("[A]\rx=1\ry=2\r\n[B]\nz=3\r");
    EXPECT_EQ(read("A", "x"), QStringLiteral("1"));
    EXPECT_EQ(read("A", "y"), QStringLiteral("2"));
    EXPECT_EQ(read("B", "z"), QStringLiteral("3"));
    write("A", "y", QStringLiteral("4"));
    write("B", "w", QStringLiteral("5"));
    EXPECT_EQ(bytes(), QByteArray("[A]\rx=1\ry=4\r\n[B]\nz=3\rw=5\r\n"));
}

TEST_F(IniFile, KeysMatchWithoutRegardToCaseAndAreReplacedInPlace)
{
    write("SysteemVariabelen", "Ketelinhoud", QStringLiteral("150"));
    write("Systeemvariabelen", "KetelInhoud", QStringLiteral("175"));
    EXPECT_EQ(read("SysteemVariabelen", "KETELINHOUD"), QStringLiteral("175"));
    EXPECT_EQ(bytes(), QByteArray("[SysteemVariabelen]\r\nKetelInhoud=175\r\n"));
}

TEST_F(IniFile, LineBreaksInAValueBecomeBlanksInTheCallersVariable)
{
    QString v = QStringLiteral("a\r\nb");
    EXPECT_TRUE(WriteINI(path, QStringLiteral("S"), QStringLiteral("K"), v));
    EXPECT_EQ(v, QStringLiteral("a  b"));
    EXPECT_EQ(read("S", "K"), QStringLiteral("a  b"));
}

TEST_F(IniFile, AWriteLeavesEveryOtherLineByteForByte)
{
    const QByteArray original = "[Recept]\r\nVersie=Rev. 1.00 [0]\r\n\r\n[Storting]\r\nAantal=2\n"
                                "Ingred0 = Pilsmout  \r\n\r\n[Maischschema]\r\nRust1=65\r\n";
    put(original);
    write("Storting", "Aantal", QStringLiteral("3"));
    EXPECT_EQ(bytes(), QByteArray(original).replace("Aantal=2\n", "Aantal=3\r\n"));

    put(original);
    write("Storting", "Ingred1", QStringLiteral("Münchener"));
    EXPECT_EQ(bytes(), QByteArray(original).replace("Ingred0 = Pilsmout  \r\n",
                                                    "Ingred0 = Pilsmout  \r\nIngred1=M\xfcnchener\r\n"));

    put(original);
    write("Kenmerken", "Kleur", QStringLiteral("Amber"));
    EXPECT_EQ(bytes(), original + "[Kenmerken]\r\nKleur=Amber\r\n");
}

// Only blanks and tabs around a value are the line's: a non-breaking space, a
// form feed or a vertical tab at its ends is the value's own and comes back.
// A write of the value a key reads as already leaves the file as it is, also
// where its line is spelt another way.
TEST_F(IniFile, ValuesComeBackAsWrittenAndARewriteOfTheSameValueChangesNoByte)
{
    const struct {
        const char *what;
        QString value;
    } cases[] = {
        {"non-breaking spaces at both ends", QStringLiteral("\u00a0Vergisten bij 18\u00a0\u00b0C\u00a0")},
        {"form feed and vertical tab at the ends", QStringLiteral("\fhop\v")},
        {"a tab inside", QStringLiteral("hop\tmout")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        put("[S]\r\nK=oud\r\n");
        ASSERT_TRUE(write("S", "K", c.value));
        EXPECT_EQ(read("S", "K"), c.value);
    }

    const QByteArray spelt = "[S]\r\nk =  hop\xa0mout \t\r\n";
    put(spelt);
    ASSERT_TRUE(write("S", "K", QStringLiteral("hop\u00a0mout")));
    EXPECT_EQ(bytes(), spelt);
    ASSERT_TRUE(write("S", "K", QStringLiteral("hop mout")));
    EXPECT_EQ(bytes(), QByteArray("[S]\r\nK=hop mout\r\n")) << "another value replaces the line";
}

TEST_F(IniFile, AFileWithoutFinalLineEndGetsOneBeforeANewSection)
{
    put("[A]\r\nx=1");
    write("B", "y", QStringLiteral("2"));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=1\r\n[B]\r\ny=2\r\n"));
    put("[A]\r\nx=1");
    write("A", "z", QStringLiteral("3"));
    EXPECT_EQ(bytes(), QByteArray("[A]\r\nx=1\r\nz=3\r\n"));
}

TEST_F(IniFile, EmptyAndBinaryFilesReadAsDefaultsAndSurviveAWrite)
{
    put(QByteArray());
    EXPECT_EQ(read("S", "K"), QStringLiteral("dflt"));
    write("S", "K", QStringLiteral("v"));
    EXPECT_EQ(bytes(), QByteArray("[S]\r\nK=v\r\n"));

    QByteArray garbage;
    for (int i = 0; i < 512; ++i)
        garbage += char((i * 37 + 11) % 256);
    garbage.replace('[', 'x').replace('=', 'y');
    put(garbage);
    EXPECT_EQ(read("S", "K"), QStringLiteral("dflt"));
    write("S", "K", QStringLiteral("v"));
    const QByteArray after = bytes();
    EXPECT_TRUE(after.startsWith(garbage));
    EXPECT_EQ(read("S", "K"), QStringLiteral("v"));
}

TEST_F(IniFile, TextIsWindows1252)
{
    write("Algemeen", "Biernaam", QStringLiteral("Bière de Garde – €"));
    EXPECT_TRUE(bytes().contains("Bi\xe8re de Garde \x96 \x80"));
    EXPECT_EQ(read("Algemeen", "Biernaam"), QStringLiteral("Bière de Garde – €"));
}

TEST_F(IniFile, AnUnwritableFolderReportsFailureAndChangesNothing)
{
    QString v = QStringLiteral("1");
    EXPECT_FALSE(
        WriteINI(dir.filePath(QStringLiteral("nonexistent/ZYM.ini")), QStringLiteral("S"), QStringLiteral("K"), v));
}

TEST_F(IniFile, AFullDiskFailsTheWriteAndLeavesTheOldFile)
{
    const QByteArray original = "[StartUp]\r\nShowTips=1\r\n[FileHistory]\r\n1=/r/Tripel.zlv\r\n";
    put(original);
    QString v = QStringLiteral("0");
    bool written = true;
    {
        FullDisk full(16);
        written = WriteINI(path, QStringLiteral("StartUp"), QStringLiteral("ShowTips"), v);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(bytes(), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("ZYM.ini")});
}

TEST_F(IniFile, APipeOrAHugeFileReadsAsDefaultsAndIsNotReplaced)
{
    ASSERT_TRUE(makeLargeFile(path, MaxTextFileSize + 1));
    EXPECT_EQ(read("S", "K"), QStringLiteral("dflt"));
    EXPECT_FALSE(write("S", "K", QStringLiteral("v")));
    EXPECT_EQ(QFileInfo(path).size(), MaxTextFileSize + 1);
    EXPECT_EQ(refusedSettingsFile(path, QStringLiteral("\\ZYM.ini")),
              QStringLiteral("\\ZYM.ini is groter dan 4 MB en wordt niet gelezen!"));

    QFile::remove(path);
    Fifo fifo(path);
    ASSERT_TRUE(fifo.made());
    EXPECT_EQ(read("S", "K"), QStringLiteral("dflt"));
    QString v = QStringLiteral("v");
    EXPECT_FALSE(WriteINI(path, QStringLiteral("S"), QStringLiteral("K"), v));
    EXPECT_FALSE(QFileInfo(path).isFile());
    EXPECT_EQ(refusedSettingsFile(path, QStringLiteral("\\ZYM.ini")),
              QStringLiteral("\\ZYM.ini is geen gewoon bestand en wordt niet gelezen!"));
    EXPECT_FALSE(fifo.blockedSomeone());

    EXPECT_TRUE(refusedSettingsFile(dir.filePath(QStringLiteral("missing.ini")), QStringLiteral("x")).isEmpty());
}

TEST(Cp1252, RoundTripOfEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(cp1252::encode(cp1252::decode(all)), all);
    EXPECT_EQ(cp1252::encode(QStringLiteral("日本")), QByteArray("??"));
}

}  // namespace

// The style list file: what a reader takes from it, its order, its bytes.
#include "core/Paths.h"
#include "core/StyleList.h"

#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace mostarium;
using mostarium::test::TempProgramFolder;
using mostarium::test::writeFileBytes;

namespace {

struct LoadCase {
    const char *what;
    QByteArray file;
    QStringList items;  // what the editor lists, in order
    QStringList names;  // what the targets dialog offers, in file order
};

TEST(StyleListFile, LinesWithACommaAreStylesWholeAndUntrimmed)
{
    const std::vector<LoadCase> cases = {
        {"no comma", "Pils,licht\r\nzomaar een regel\r\n", {"Pils,licht"}, {"Pils"}},
        {"leading blanks",
         "  Pils,licht\r\nAltbier,koper\r\n",
         {"  Pils,licht", "Altbier,koper"},
         {"  Pils", "Altbier"}},
        {"comma first", ",zonder naam\r\nBock,donker\r\n", {",zonder naam", "Bock,donker"}, {"", "Bock"}},
        {"several commas", "Tripel,blond, sterk, kruidig\r\n", {"Tripel,blond, sterk, kruidig"}, {"Tripel"}},
        {"blank and empty lines", "\r\n   \r\nBock,x\r\n", {"Bock,x"}, {"Bock"}},
        {"LF and lone CR ends", "Bock,a\nPils,b\rAle,c", {"Ale,c", "Bock,a", "Pils,b"}, {"Bock", "Pils", "Ale"}},
        {"accented byte",
         "Bi\xe8re de Garde,Noord-Frans\r\n",
         {QString::fromUtf8("Bière de Garde,Noord-Frans")},
         {QString::fromUtf8("Bière de Garde")}},
    };
    for (const LoadCase &c : cases) {
        const QStringList lines = styleLines(c.file);
        EXPECT_EQ(sortedStyleItems(lines), c.items) << c.what;
        EXPECT_EQ(styleNames(lines), c.names) << c.what;
    }
}

TEST(StyleListFile, WrittenBackByteForByte)
{
    const QByteArray file = "  Altbier,koper, D\xfcsseldorf\r\n,leeg\r\nBi\xe8re de Garde,\x80 3\r\n";
    EXPECT_EQ(styleListBytes(sortedStyleItems(styleLines(file))), file);
    EXPECT_EQ(styleListBytes({}), QByteArray());
}

TEST(StyleListFile, SortedWithoutRegardToCaseOrAccents)
{
    const QStringList shuffled = {"Meibock,a",
                                  "kriek,b",
                                  QString::fromUtf8("Märzen,c"),
                                  QString::fromUtf8("Kölsch,d"),
                                  "Kerstbier,e",
                                  "altbier,f",
                                  "Bock,g",
                                  "bock,h"};
    const QStringList sorted = {"altbier,f",
                                "Bock,g",
                                "bock,h",
                                "Kerstbier,e",
                                QString::fromUtf8("Kölsch,d"),
                                "kriek,b",
                                QString::fromUtf8("Märzen,c"),
                                "Meibock,a"};
    EXPECT_EQ(sortedStyleItems(shuffled), sorted);
    // One by one in their sorted places gives the same list; an equal line
    // goes after the ones already there.
    QStringList added;
    for (const QString &item : shuffled)
        added.insert(sortedPlace(added, item), item);
    EXPECT_EQ(added, sorted);
    EXPECT_EQ(sortedPlace(sorted, QStringLiteral("BOCK,h")), 3);
    EXPECT_EQ(sortedPlace(sorted, QStringLiteral("Zwart,z")), sorted.size());
    EXPECT_EQ(sortedPlace(sorted, QStringLiteral(",leeg")), 0);
}

TEST(StyleListFile, CommaAndStorableCharacters)
{
    EXPECT_TRUE(hasComma(u",alleen een komma"));
    EXPECT_TRUE(hasComma(u"Pils,"));
    EXPECT_FALSE(hasComma(u"Pils licht"));
    EXPECT_EQ(unstorableChar(QString::fromUtf8("Bière,€ 3 per liter")), std::nullopt);
    EXPECT_EQ(unstorableChar(QString::fromUtf8("Piwo,Grodzisk ł")), QString::fromUtf8("ł"));
    EXPECT_EQ(unstorableChar(u"Pils,a\nBock,b"), QStringLiteral("\n"));
    EXPECT_EQ(unstorableChar(QString::fromUtf8("Ale,🍺")), QString::fromUtf8("🍺"));
}

TEST(StyleListFile, FoundInAnyLetterCase)
{
    TempProgramFolder folder;
    EXPECT_EQ(paths::existingFile(QStringLiteral("Biersoorten.txt")), QString());
    writeFileBytes(folder.file(QStringLiteral("bierSOORTEN.TXT")), "Pils,licht\r\n");
    const QString found = paths::existingFile(QStringLiteral("Biersoorten.txt"));
    EXPECT_TRUE(found.endsWith(QStringLiteral("/bierSOORTEN.TXT"))) << found.toStdString();
    const StyleList list = readStyleList();
    EXPECT_TRUE(list.present);
    EXPECT_EQ(list.path, found);
    EXPECT_EQ(list.lines, QStringList{"Pils,licht"});

    // Written back under the name it was found by: one list, not two.
    ASSERT_TRUE(writeStyleList(list.path, {QStringLiteral("Bock,donker")}));
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.txt")}, QDir::Files), QStringList{"bierSOORTEN.TXT"});
    EXPECT_EQ(readStyleList().lines, QStringList{"Bock,donker"});
}

TEST(StyleListFile, SomethingElseAtItsPathIsRefusedNotMissing)
{
    TempProgramFolder folder;
    ASSERT_TRUE(QDir().mkpath(folder.file(QStringLiteral("BierSoorten.txt"))));
    EXPECT_EQ(paths::existingFile(QStringLiteral("BierSoorten.txt")), QString());
    const StyleList list = readStyleList();
    EXPECT_FALSE(list.present);
    EXPECT_FALSE(list.refusal.isEmpty());
    EXPECT_FALSE(writeStyleList(folder.file(QStringLiteral("BierSoorten.txt")), {QStringLiteral("Pils,x")}));
}

TEST(StyleListFile, ShippedListIsSortedAndEachNameFindsItsOwnLine)
{
    QFile f(test::resourcesFolder() + QStringLiteral("/BierSoorten.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QStringList lines = styleLines(bytes);
    ASSERT_EQ(lines.size(), 78);
    EXPECT_EQ(sortedStyleItems(lines), lines);
    EXPECT_EQ(styleListBytes(lines), bytes);
    // The targets dialog may show the description of the last line that
    // merely holds a name: for every shipped name that is its own line.
    for (const QString &line : lines) {
        const QString name = line.left(line.indexOf(u','));
        qsizetype last = -1;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines[i].contains(name))
                last = i;
        EXPECT_EQ(lines[last], line) << name.toStdString();
        EXPECT_EQ(styleDescription(lines, name), line.mid(name.size() + 1));
    }
}

}  // namespace

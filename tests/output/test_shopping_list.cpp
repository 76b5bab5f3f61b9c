#include "mainwindow/test_filecommands_fixture.h"

#include "core/Cp1252.h"

#include <QDir>
#include <QFile>

namespace mostarium::test {
namespace {

// The main window with its commands wired; a hand-made Tripel whose schedule
// captions hold what the list cuts.
class ShoppingListTest : public FileCommandsTest {
protected:
    static QByteArray bytes(const QString &path) { return fileBytes(path); }
    void tripel(const QString &fileName, bool doubleBrew)
    {
        Session &s = session();
        s.app.fileName = fileName.isEmpty() ? QString() : folder.file(QStringLiteral("Recepten/") + fileName);
        s.app.dubbelBrouw = doubleBrew;
        s.recipe.Algemeen.redim(5);
        s.recipe.Algemeen(0) = QStringLiteral("Tripel");
        s.recipe.Doelstellingen.redim(10);
        s.recipe.Doelstellingen(1) = 20.0f;
        s.recipe.Doelstellingen(6) = 15.0f;
        s.view.lbl_StIngred[0].text = QStringLiteral("85%  6.00 kg Pilsmout");
        s.view.lbl_StIngred[1].text = QStringLiteral("10%  0.70 kg Münchener mout");
        s.view.lbl_StIngred[3].text = QStringLiteral("kandijsuiker 0.35 kg");
        s.view.lbl_Ahop[0].text = QStringLiteral("20 g Saaz 3.5%; 10 min");
        s.view.lbl_Bhop[1].text = QStringLiteral("35 g Hallertauer Magnum 12%; 60 min");
        s.view.lbl_Bhop2[0].text = QStringLiteral("10 g Styrian Goldings");
        s.recipe.Toevoegingen.redim(5);
        s.recipe.Toevoegingen(1) = QStringLiteral("5 g korianderzaad");
        s.recipe.Toevoegingen(4) = QStringLiteral("2 g sinaasappelschil");
        s.recipe.Gistkeuze.redim(3);
        s.recipe.Gistkeuze(0) = QStringLiteral("Wyeast 3787");
        s.recipe.Gistkeuze(2) = QStringLiteral("SafAle S-04");
    }
    QString listFile(const char *base) const
    {
        return folder.file(QStringLiteral("temp/ShoppingList_") + QLatin1String(base) + QStringLiteral(".txt"));
    }
    static QByteArray crlf(const QStringList &lines)
    {
        return cp1252::encode(lines.join(QStringLiteral("\r\n")) + "\r\n");
    }
};

TEST_F(ShoppingListTest, SingleBrewListIsWrittenAndShown)
{
    tripel(QStringLiteral("Tripel.zlv"), false);
    // Without a supplier list nothing follows the yeasts.
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("Templates/Leveranciers.txt"))));
    trigger("mnuShoppingList");
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    ASSERT_EQ(fake.textFiles, QStringList{listFile("Tripel")});
    EXPECT_EQ(bytes(listFile("Tripel")), crlf({"Shopping List for 20 L Tripel",
                                               "",
                                               "",
                                               "Benodigdheden storting:",
                                               "- 6.00 kg Pilsmout",
                                               "- 0.70 kg Münchener mout",
                                               "- kandijsuiker 0.35 kg",
                                               "",
                                               "Benodigdheden aromahop:",
                                               "- 20 g Saaz 3.5%",
                                               "",
                                               "Benodigdheden bitterhop:",
                                               "- 35 g Hallertauer Magnum 12%",
                                               "",
                                               "Toevoegingen:",
                                               "- 5 g korianderzaad",
                                               "- 2 g sinaasappelschil",
                                               "",
                                               "Gist:",
                                               "- Wyeast 3787",
                                               "- SafAle S-04"}));
    EXPECT_TRUE(bytes(listFile("Tripel"))
                    .contains("M\xfc"
                              "nchener"));
}

TEST_F(ShoppingListTest, DoubleBrewHasBeerTwoHopsAndTheSuppliersAfterFiveEmptyLines)
{
    tripel(QStringLiteral("Tripel.zlv"), true);
    session().recipe.Doelstellingen(1) = 22.5f;
    session().recipe.Toevoegingen(1).clear();
    session().recipe.Toevoegingen(4).clear();
    QFile f(folder.file(QStringLiteral("Templates/Leveranciers.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Brouwland, Beverlo\n\nDe Bierwinkel \xe9\xe9n\r\n");
    f.close();
    trigger("mnuShoppingList");
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    EXPECT_EQ(bytes(listFile("Tripel")), crlf({"Shopping List for 22.5 L Tripel + 15 L dunbier",
                                               "",
                                               "",
                                               "Benodigdheden storting:",
                                               "- 6.00 kg Pilsmout",
                                               "- 0.70 kg Münchener mout",
                                               "- kandijsuiker 0.35 kg",
                                               "",
                                               "Benodigdheden aromahop:",
                                               "- 20 g Saaz 3.5%",
                                               "",
                                               "Benodigdheden bitterhop:",
                                               "- 35 g Hallertauer Magnum 12%",
                                               "",
                                               "Benodigdheden aromahop dunbier:",
                                               "",
                                               "Benodigdheden bitterhop dunbier:",
                                               "- 10 g Styrian Goldings",
                                               "",
                                               "Toevoegingen:",
                                               "",
                                               "Gist:",
                                               "- Wyeast 3787",
                                               "- SafAle S-04",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "Brouwland, Beverlo",
                                               "",
                                               "De Bierwinkel één"}));
}

TEST_F(ShoppingListTest, ShippedSupplierNoteFollowsTheYeasts)
{
    tripel(QStringLiteral("Tripel.zlv"), false);
    const QByteArray note = bytes(folder.file(QStringLiteral("Templates/Leveranciers.txt")));
    ASSERT_FALSE(note.isEmpty());
    EXPECT_EQ(cp1252::encode(cp1252::decode(note)), note) << "the note reads as it is written";
    trigger("mnuShoppingList");
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    const QByteArray list = bytes(listFile("Tripel"));
    EXPECT_TRUE(list.endsWith("- SafAle S-04\r\n\r\n\r\n\r\n\r\n\r\n" + note)) << list.constData();
}

TEST_F(ShoppingListTest, ListNameFollowsTheRecipeFile)
{
    const struct {
        const char *recipe;
        const char *base;
    } cases[] = {
        {"Mijn.Tripel.zlv", "Mijn.Tripel"},  // only the last extension is cut
        {"Tripel", "Tripel"},                // no "." at all: used whole
    };
    for (const auto &c : cases) {
        fake.clear();
        tripel(QLatin1String(c.recipe), false);
        trigger("mnuShoppingList");
        EXPECT_TRUE(fake.messages.empty()) << c.recipe;
        EXPECT_EQ(fake.textFiles, QStringList{listFile(c.base)}) << c.recipe;
        EXPECT_TRUE(QFileInfo::exists(listFile(c.base))) << c.recipe;
    }
}

TEST_F(ShoppingListTest, RecipeWithoutFileDoesNothingSilently)
{
    tripel(QString(), false);
    trigger("mnuShoppingList");
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(fake.textFiles.empty());
    EXPECT_TRUE(QDir(folder.file(QStringLiteral("temp"))).entryList({"ShoppingList_*"}).isEmpty());
}

TEST_F(ShoppingListTest, ListThatCannotBeWrittenIsNotShown)
{
    tripel(QStringLiteral("Tripel.zlv"), false);
    ASSERT_TRUE(QDir().mkpath(listFile("Tripel")));  // a folder in the list's place
    trigger("mnuShoppingList");
    EXPECT_EQ(fake.prompts(), QStringList{QStringLiteral("Het bestand ") + listFile("Tripel")
                                          + QStringLiteral(" kon niet worden opgeslagen (het is een map).")});
    EXPECT_EQ(fake.messages.at(0).style, mb::Exclamation);
    EXPECT_EQ(fake.messages.at(0).title, QStringLiteral("Attentie!"));
    EXPECT_TRUE(fake.textFiles.empty());
}

TEST_F(ShoppingListTest, ViewerFailureIsReported)
{
    tripel(QStringLiteral("Tripel.zlv"), false);
    fake.showTextFileResult = false;
    trigger("mnuShoppingList");
    EXPECT_EQ(fake.prompts(), QStringList{"Error in routine ShowShoppingListToScreen!"});
}

TEST_F(ShoppingListTest, SampleRecipeGivesItsGrainsWithoutPercentages)
{
    openSample(QStringLiteral("Zomerblond.zlv"));
    trigger("mnuShoppingList");
    const QString text = cp1252::decode(bytes(listFile("Zomerblond")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Shopping List for "))) << qPrintable(text);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    const qsizetype grains = lines.indexOf(QStringLiteral("Benodigdheden storting:"));
    ASSERT_GE(grains, 0);
    ASSERT_TRUE(lines.at(grains + 1).startsWith(QStringLiteral("- "))) << qPrintable(text);
    EXPECT_FALSE(lines.at(grains + 1).contains(u'%')) << qPrintable(text);
}

}  // namespace
}  // namespace mostarium::test

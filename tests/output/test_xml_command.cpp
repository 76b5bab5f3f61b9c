#include "xml_fixtures.h"

#include "mainwindow/test_filecommands_fixture.h"
#include "output/XmlImport.h"

#include <QGroupBox>

namespace mostarium::test {
namespace {

class ImportXmlTest : public FileCommandsTest {
protected:
    QString writeFixture(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.file(QStringLiteral("Recepten/") + name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    void expectHerfstbokUntouched(const QString &path)
    {
        EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Herfstbok"));
        EXPECT_EQ(s().app.fileName, path);
        EXPECT_EQ(s().view.panels[7].text, path);
    }
};

TEST_F(ImportXmlTest, ImportsAFixtureAsASingleBrewAndShowsItsSchedule)
{
    const QString path = writeFixture(QStringLiteral("saison.xml"), xml::Recipe().bytes());
    s().app.dubbelBrouw = true;
    const QString recent = history::entry(1);
    fake.openAnswers.push_back(path);
    trigger("mnuImportXML");
    ASSERT_EQ(fake.openDialogs.size(), 1);
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    const RecipeState &r = s().recipe;
    EXPECT_EQ(r.Algemeen(0), QStringLiteral("Saison de Noël"));
    EXPECT_EQ(r.ReceptStatus, 479);
    EXPECT_FALSE(s().app.dubbelBrouw);
    EXPECT_EQ(s().app.fileName, path);
    EXPECT_EQ(s().view.panels[7].text, path);
    EXPECT_FALSE(r.ReceptGewijzigd);
    EXPECT_EQ(r.InRecept, 1);
    EXPECT_TRUE(s().view.fraBrouwSchema.visible);
    EXPECT_TRUE(s().view.fraBrouwSchema.caption.startsWith(QStringLiteral(" Brouwschema Saison de Noël")));
    EXPECT_TRUE(s().view.lbl_StIngred[0].text.contains(QStringLiteral("Pilsmout")));
    EXPECT_TRUE(s().view.lbl_Bhop[0].text.contains(QStringLiteral("Saaz")));
    EXPECT_GT(r.OGSG, 1000);
    EXPECT_EQ(history::entry(1), recent);
}

TEST_F(ImportXmlTest, CancelAndFailuresLeaveTheOpenRecipe)
{
    openSample();
    const QString open = sample(QStringLiteral("Herfstbok.zlv"));
    fake.openAnswers.push_back(std::nullopt);
    trigger("mnuImportXML");
    expectHerfstbokUntouched(open);
    EXPECT_TRUE(fake.messages.empty());

    windows().show(QStringLiteral("frmStorting"));
    ASSERT_TRUE(isOpen("frmStorting"));
    xml::Recipe noGrain, zeroGrain, noVolume;
    noGrain.fermentables.clear();
    zeroGrain.fermentables = xml::fermentable(QStringLiteral("Pilsmout"), QStringLiteral("0.0"));
    noVolume.top = QStringLiteral("<OG>1.060</OG><FG>1.010</FG>");
    const struct {
        const char *file;
        QByteArray bytes;
        bool load;
    } bad[] = {
        {"kapot.xml", "<RECIPES><RECIPE><NAME>Half", true},
        {"leeg.xml", noGrain.bytes(), false},
        {"nul.xml", zeroGrain.bytes(), false},
        {"geenvolume.xml", noVolume.bytes(), false},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.file);
        fake.clear();
        fake.openAnswers.push_back(writeFixture(QString::fromLatin1(b.file), b.bytes));
        trigger("mnuImportXML");
        ASSERT_EQ(fake.messages.size(), 1u);
        if (b.load) {
            EXPECT_TRUE(fake.messages[0].prompt.startsWith(QStringLiteral("Your XML Document failed to load")));
            EXPECT_EQ(fake.messages[0].style, 48);
        } else {
            EXPECT_EQ(fake.messages[0].prompt, XmlImportFoutmelding);
            EXPECT_EQ(fake.messages[0].style, 0);
        }
        EXPECT_EQ(fake.messages[0].title, AppTitle);
        expectHerfstbokUntouched(open);
        EXPECT_TRUE(isOpen("frmStorting"));
    }
}

TEST_F(ImportXmlTest, AChangedRecipeIsOfferedForSavingFirst)
{
    openSample();
    s().recipe.ReceptGewijzigd = true;
    fake.msgAnswers.push_back(mb::No);
    fake.openAnswers.push_back(std::nullopt);
    trigger("mnuImportXML");
    EXPECT_EQ(savePrompts(), 1);
    EXPECT_EQ(fake.openDialogs.size(), 1);
    EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Herfstbok"));
}

}  // namespace
}  // namespace mostarium::test

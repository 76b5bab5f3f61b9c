// Save, Save As and the autosave tick on a full disk: the old file stays,
// the writer's message names the file and why, and the recipe still counts
// as changed.

#include "test_filecommands_fixture.h"

#include "core/RecipeFile.h"
#include "support/FileFaults.h"

#include <functional>
#include <string_view>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class FullDiskCommands : public FileCommandsTest {};

TEST_F(FullDiskCommands, SaveSaveAsAndAutosaveLoseNothingAndSaySo)
{
    struct Case {
        const char *what;
        const char *target;  // the file that must not change, in Recepten
        std::function<void()> run;
    };
    const Case cases[] = {
        {"Save", "Herfstbok.zlv", [this] { trigger("mnuOpslaan"); }},
        {"Save As over another recipe", "Zomerblond.zlv",
         [this] {
             fake.saveAnswers = {sample(QStringLiteral("Zomerblond.zlv"))};
             trigger("mnuOpslaanAls");
         }},
        {"autosave", "Herfstbok_AutoSave.zlv",
         [this] {
             setAutoSave(true);
             fc->tmrAutoSave_Timer();
         }},
    };
    for (const Case &c : cases) {
        openSample();
        const QString recipe = sample(QStringLiteral("Herfstbok.zlv"));
        const QString target = sample(QLatin1String(c.target));
        if (c.target == std::string_view("Herfstbok_AutoSave.zlv")) {
            // The copy an earlier tick of this session wrote.
            setAutoSave(true);
            fc->tmrAutoSave_Timer();
            ASSERT_TRUE(QFileInfo::exists(target));
        } else if (!QFileInfo::exists(target)) {
            ASSERT_TRUE(QFile::copy(recipe, target));
        }
        const QByteArray recipeBefore = bytes(recipe);
        const QByteArray targetBefore = bytes(target);
        s().recipe.Algemeen(0) = QStringLiteral("Herfstbok op een volle schijf");
        s().recipe.ReceptGewijzigd = true;
        const QString panel = s().view.panels[7].text;
        const QDir recepten(folder.file(QStringLiteral("Recepten")));
        const QStringList files = recepten.entryList(QDir::Files | QDir::Hidden);

        {
            FullDisk full(100);
            c.run();
        }

        EXPECT_EQ(bytes(target), targetBefore) << c.what;
        EXPECT_EQ(bytes(recipe), recipeBefore) << c.what;
        // The general text, then the file and why.
        EXPECT_EQ(fake.prompts(),
                  QStringList{OpslaanFout + QStringLiteral("\r\n\r\nHet bestand ") + target
                              + QStringLiteral(" kon niet worden opgeslagen (het bestand wordt groter dan het "
                                               "systeem toestaat).")})
            << c.what;
        EXPECT_TRUE(s().recipe.ReceptGewijzigd) << c.what;
        EXPECT_EQ(s().app.fileName, recipe) << c.what;
        EXPECT_EQ(s().view.panels[7].text, panel) << c.what;
        EXPECT_EQ(history::entry(1), recipe) << c.what;
        EXPECT_TRUE(fake.sounds.isEmpty()) << c.what;
        EXPECT_EQ(recepten.entryList(QDir::Files | QDir::Hidden), files) << c.what;
    }
}

}  // namespace

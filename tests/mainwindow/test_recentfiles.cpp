// The four recent files on the file menu: captions, opening an entry, the
// order of the list.

#include "test_filecommands_fixture.h"

#include "core/ZymSettings.h"
#include "support/FileFaults.h"

using namespace mostarium;
using namespace mostarium::test;

namespace {

class RecentFiles : public FileCommandsTest {
protected:
    void setEntries(const QStringList &paths)
    {
        for (int n = 1; n <= paths.size(); ++n) {
            QString v = paths[n - 1];
            EXPECT_TRUE(
                WriteINI(paths::file(QStringLiteral("ZYM.ini")), QStringLiteral("FileHistory"), QString::number(n), v));
        }
        fc->showFileHistoryCaptions();
    }
    QStringList entries() const
    {
        QStringList e;
        for (int n = 1; n <= 4; ++n)
            e << history::entry(n);
        return e;
    }
};

TEST_F(RecentFiles, AFreshListShowsFourBareCaptionsThatDoNothing)
{
    fc->showFileHistoryCaptions();
    for (int n = 1; n <= 4; ++n) {
        const QByteArray name = "mnu" + QByteArray::number(n);
        EXPECT_EQ(item(name.constData())->text(), QStringLiteral("  &%1 ").arg(n));
        trigger(name.constData());
    }
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(s().recipe.ReceptStatus, 0);
}

TEST_F(RecentFiles, OpeningAnEntryPutsItAtTheHeadAndTheCaptionsFollow)
{
    const QString h = sample(QStringLiteral("Herfstbok.zlv"));
    const QString z = sample(QStringLiteral("Zomerblond.zlv"));
    const QString x = folder.file(QStringLiteral("x.zlv"));
    setEntries({x, h, z, h});

    trigger("mnu3");

    EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Zomerblond"));
    EXPECT_EQ(s().app.fileName, z);
    EXPECT_EQ(s().view.panels[7].text, z);
    // z moved to the head; the copy of h further down goes.
    EXPECT_EQ(entries(), (QStringList{z, x, h, QString()}));
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(item(QStringLiteral("mnu%1").arg(n).toLatin1().constData())->text(),
                  history::captionFor(n, entries()[n - 1]));
    // No sound, no change of the recipe folder, unlike Open.
    EXPECT_TRUE(fake.sounds.isEmpty());
    EXPECT_EQ(zym("SysteemVariabelen", "ReceptPath"), QStringLiteral("<none>"));

    // The recipe that is already entry 1 leaves the list alone.
    trigger("mnu1");
    EXPECT_EQ(entries(), (QStringList{z, x, h, QString()}));
}

TEST_F(RecentFiles, TheMenuShowsAmpersandsAndTabsAsTheyAreAndReopeningKeepsEveryEntry)
{
    const QString amp = folder.file(QStringLiteral("R&D"));
    const QString tab = folder.file(QStringLiteral("Oud\tNieuw"));
    ASSERT_TRUE(QDir().mkpath(amp) && QDir().mkpath(tab));
    const QString a = amp + QStringLiteral("/Bier & Co.zlv");
    const QString t = tab + QStringLiteral("/Bock.zlv");
    const QString h = sample(QStringLiteral("Herfstbok.zlv"));
    const QString z = sample(QStringLiteral("Zomerblond.zlv"));
    ASSERT_TRUE(QFile::copy(h, a) && QFile::copy(z, t));
    for (const QString &path : {h, z, a, t})
        ASSERT_TRUE(fc->openFile(path)) << qPrintable(path);
    ASSERT_EQ(entries(), (QStringList{t, a, z, h}));

    // Each shown as it is: "&" as itself, the tab as blank space, and no
    // shortcut column.
    const auto shown = [this](const char *name) { return item(name)->text().mid(5); };
    const auto fit = [](const QString &path) {
        return path.size() > 50 ? QStringLiteral("..") + path.right(50) : path;
    };
    EXPECT_EQ(shown("mnu1"), fit(t).replace(u'\t', u' '));
    EXPECT_EQ(shown("mnu2"), fit(a).replace(QStringLiteral("&"), QStringLiteral("&&")));
    for (const char *name : {"mnu1", "mnu2", "mnu3", "mnu4"}) {
        EXPECT_FALSE(item(name)->text().contains(u'\t')) << name;
        EXPECT_TRUE(item(name)->shortcut().isEmpty()) << name;
    }

    // Reopening entry 3 moves it to the head; no entry drops off.
    trigger("mnu3");
    EXPECT_EQ(s().app.fileName, z);
    EXPECT_EQ(entries(), (QStringList{z, t, a, h}));
    trigger("mnu3");
    EXPECT_EQ(s().app.fileName, a);
    EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Bier & Co"));
    EXPECT_EQ(entries(), (QStringList{a, z, t, h}));
    EXPECT_EQ(shown("mnu1"), fit(a).replace(QStringLiteral("&"), QStringLiteral("&&")));
    trigger("mnu3");
    EXPECT_EQ(s().app.fileName, t);
    EXPECT_EQ(entries(), (QStringList{t, a, z, h}));
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
}

TEST_F(RecentFiles, AMissingFileIsNamedAndNothingElseHappens)
{
    openSample();
    s().recipe.ReceptGewijzigd = true;
    const QString gone = folder.file(QStringLiteral("Recepten/Weg.zlv"));
    setEntries({gone});

    trigger("mnu1");

    ASSERT_EQ(fake.messages.size(), 1u) << "no save prompt for a file that cannot be opened";
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Bestand ") + gone + QStringLiteral(" niet gevonden!"));
    EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("Attentie!"));
    EXPECT_EQ(entries()[0], gone);
    EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Herfstbok"));
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
}

TEST_F(RecentFiles, AChangedRecipeIsOfferedForSavingFirst)
{
    const QString z = sample(QStringLiteral("Zomerblond.zlv"));
    struct Case {
        const char *what;
        int answer;
        std::optional<QString> saveAs;
        const char *nowOpen;
    };
    const Case cases[] = {
        {"No", mb::No, std::nullopt, "Zomerblond"},
        {"Yes, Cancel", mb::Yes, std::nullopt, "Herfstbok"},
        {"Yes, saved", mb::Yes, QStringLiteral("Bewaard"), "Zomerblond"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        openSample();
        setEntries({z});
        s().recipe.ReceptGewijzigd = true;
        fake.msgAnswers = {c.answer};
        fake.saveAnswers = {c.saveAs ? std::optional<QString>(sample(*c.saveAs)) : std::nullopt};

        trigger("mnu1");

        EXPECT_EQ(savePrompts(), 1);
        EXPECT_EQ(s().recipe.ReceptNaam, QLatin1String(c.nowOpen));
        if (c.saveAs) {
            EXPECT_TRUE(bytes(sample(QStringLiteral("Bewaard.zlv"))).contains("Biernaam=Herfstbok"));
            // Saving put the copy at the head; the entry still opened the file it named.
            EXPECT_EQ(entries().mid(0, 2), (QStringList{z, sample(QStringLiteral("Bewaard.zlv"))}));
        }
        fake.clear();
    }
}

TEST_F(RecentFiles, LongPathsShowTheirLastFiftyCharacters)
{
    const QString dir = folder.file(QStringLiteral("Recepten/") + QString(40, u'd'));
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/Herfstbok.zlv");
    QFile::copy(sample(QStringLiteral("Herfstbok.zlv")), path);
    ASSERT_GT(path.size(), 50);
    ASSERT_TRUE(fc->openFile(path));
    EXPECT_EQ(item("mnu1")->text(), QStringLiteral("  &1 ..") + path.right(50));
}

TEST_F(RecentFiles, ARecipeUnderAFolderOfPolishLettersReopensFromTheList)
{
    const QString dir = folder.file(QStringLiteral("Recepten/Bier żółć"));
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString path = dir + QStringLiteral("/Bock.zlv");
    openSample();
    fake.saveAnswers = {path};
    trigger("mnuOpslaanAls");
    ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    ASSERT_EQ(s().app.fileName, path);

    EXPECT_EQ(entries()[0], path);
    EXPECT_EQ(item("mnu1")->text(), history::captionFor(1, path));
    EXPECT_EQ(zymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("ReceptPath")), dir);
    const QByteArray zymBytes = bytes(paths::file(QStringLiteral("ZYM.ini")));
    EXPECT_TRUE(zymBytes.contains("\r\n1=" + QFile::encodeName(folder.path())
                                  + "/Recepten/Bier <17C>\xF3<142><107>/Bock.zlv\r\n"))
        << zymBytes.constData();

    ASSERT_TRUE(fc->openFile(sample(QStringLiteral("Zomerblond.zlv"))));
    fake.clear();
    trigger("mnu2");

    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    EXPECT_EQ(s().app.fileName, path);
    EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Bock"));
    EXPECT_EQ(s().view.panels[7].text, path);
    EXPECT_EQ(entries().mid(0, 2), (QStringList{path, sample(QStringLiteral("Zomerblond.zlv"))}));
}

TEST_F(RecentFiles, AFolderOrAPipeIsNamedAsWhatItIs)
{
    const QString map = sample(QStringLiteral("Map.zlv"));
    ASSERT_TRUE(QDir().mkpath(map));
    const QString pipe = sample(QStringLiteral("Pijp.zlv"));
    Fifo fifo(pipe);
    ASSERT_TRUE(fifo.made());
    const struct {
        QString path;
        QString said;
    } cases[] = {
        {map, map + QStringLiteral(" is een map en wordt niet gelezen!")},
        {pipe, pipe + QStringLiteral(" is geen gewoon bestand en wordt niet gelezen!")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(qPrintable(c.path));
        // From the list: said at once, before any save question.
        openSample();
        s().recipe.ReceptGewijzigd = true;
        setEntries({c.path});
        trigger("mnu1");
        EXPECT_EQ(fake.prompts(), QStringList{c.said});
        EXPECT_EQ(fake.messages.at(0).style, mb::Exclamation);
        EXPECT_EQ(fake.messages.at(0).title, QStringLiteral("Attentie!"));
        EXPECT_EQ(s().recipe.ReceptNaam, QStringLiteral("Herfstbok"));
        EXPECT_EQ(entries()[0], c.path);
        fake.clear();

        // Chosen in the Open dialog: the reader says the same.
        s().recipe.ReceptGewijzigd = false;
        fake.openAnswers = {c.path};
        trigger("mnuOpen");
        EXPECT_EQ(fake.prompts(), QStringList{c.said});
        EXPECT_TRUE(s().app.fileName.isEmpty());
        fake.clear();
    }
    EXPECT_FALSE(fifo.blockedSomeone());
}

}  // namespace

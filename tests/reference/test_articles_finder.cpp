// The articles window and the file finder that looks for a PDF reader.

#include "mainwindow/mainwindow_fixture.h"

#include "core/Ini.h"
#include "core/Paths.h"
#include "reference/FileFinder.h"
#include "reference/frmArtikelen.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <unistd.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

void touch(const QString &path, QFileDevice::Permissions extra = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    if (extra)
        f.setPermissions(f.permissions() | extra);
}

class Articles : public MainWindowTest {
protected:
    Articles()
    {
        touch(paths::file(QStringLiteral("Documentatie/Hop.pdf")));
        touch(paths::file(QStringLiteral("Documentatie/gist.PDF")));
        touch(paths::file(QStringLiteral("Documentatie/lees.txt")));
    }
    frmArtikelen *articles() { return qobject_cast<frmArtikelen *>(windows().show(QStringLiteral("frmArtikelen"))); }
    void choose(frmArtikelen *a, const QString &item)
    {
        auto *c = a->findChild<QComboBox *>(QStringLiteral("cmbArtikelen"));
        const int i = c->findText(item);
        ASSERT_GE(i, 0);
        emit c->activated(i);
    }
    frmSearch *finder() { return windows().find<frmSearch>(QStringLiteral("frmSearch")); }
    void setReader(const QString &path)
    {
        QString v = path;
        EXPECT_TRUE(WriteINI(paths::zymIni(), QStringLiteral("SysteemVariabelen"), QStringLiteral("AdobePath"), v));
    }
};

TEST_F(Articles, TheArticlesAreListedAndOpenInTheReader)
{
    frmArtikelen *a = articles();
    ASSERT_NE(a, nullptr);
    auto *c = a->findChild<QComboBox *>(QStringLiteral("cmbArtikelen"));
    EXPECT_EQ(c->count(), 2);
    EXPECT_EQ(c->itemText(0), QStringLiteral("gist.PDF"));
    const QString reader = folder.file(QStringLiteral("lezer"));
    touch(reader, QFileDevice::ExeOwner);
    setReader(reader);
    choose(a, QStringLiteral("Hop.pdf"));
    ASSERT_EQ(fake.programs.size(), 1u);
    EXPECT_EQ(fake.programs[0].program, reader);
    EXPECT_EQ(fake.programs[0].arguments, QStringList{paths::file(QStringLiteral("Documentatie/Hop.pdf"))});
    EXPECT_FALSE(fake.programs[0].wait);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Articles, AMissingReaderAsksAndYesOpensTheFinder)
{
    setReader(folder.file(QStringLiteral("nergens/okular")));
    frmArtikelen *a = articles();
    fake.msgAnswers = {mb::No};
    choose(a, QStringLiteral("Hop.pdf"));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, PdfLezerVraag);
    EXPECT_EQ(fake.messages[0].style, mb::YesNoCancel + mb::Exclamation);
    EXPECT_FALSE(isOpen("frmSearch"));

    fake.msgAnswers = {mb::Yes};
    choose(a, QStringLiteral("Hop.pdf"));
    ASSERT_TRUE(isOpen("frmSearch"));
    EXPECT_EQ(finder()->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral("/"));
    EXPECT_EQ(finder()->findChild<QComboBox *>(QStringLiteral("Combo2"))->currentText(), QStringLiteral("okular"));
    EXPECT_TRUE(fake.programs.empty());
}

// A tree with a hidden folder, a link loop and, unless run as root, a folder
// nobody may read.
class FinderTree : public Articles {
protected:
    FinderTree()
    {
        const QString r = tree.path();
        touch(r + "/a/reader.exe", QFileDevice::ExeOwner);
        touch(r + "/a/.verborgen/READER.EXE", QFileDevice::ExeOwner);
        touch(r + "/b/reader.exe.txt");
        touch(r + "/b/plaatje.png");
        QImage(4, 4, QImage::Format_RGB32).save(r + "/b/plaatje.png");
        QFile::link(r, r + "/a/lus");
        touch(r + "/dicht/reader.exe", QFileDevice::ExeOwner);
        QFile::setPermissions(r + "/dicht", {});
    }
    ~FinderTree() override
    {
        QFile::setPermissions(tree.path() + "/dicht",
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    frmSearch *search(const QString &pattern)
    {
        setReader(folder.file(QStringLiteral("nergens/reader.exe")));
        fake.msgAnswers = {mb::Yes};
        choose(articles(), QStringLiteral("Hop.pdf"));
        frmSearch *f = finder();
        f->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(tree.path());
        f->findChild<QComboBox *>(QStringLiteral("Combo2"))->setEditText(pattern);
        f->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        fake.clear();
        return f;
    }
    QStringList found(frmSearch *f)
    {
        auto *l = f->findChild<QListWidget *>(QStringLiteral("List1"));
        QStringList p;
        for (int i = 0; i < l->count(); ++i)
            p << l->item(i)->text().mid(tree.path().size());
        p.sort();
        return p;
    }
    void select(frmSearch *f, const QString &relative)
    {
        auto *l = f->findChild<QListWidget *>(QStringLiteral("List1"));
        const auto items = l->findItems(tree.path() + relative, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        l->setCurrentItem(items[0]);
    }
    QTemporaryDir tree;
};

TEST_F(FinderTree, TheWalkFindsHiddenFilesFollowsNoLinkAndPassesOverClosedFolders)
{
    frmSearch *f = search(QStringLiteral("reader.exe"));
    QStringList expected{"/a/.verborgen/READER.EXE", "/a/reader.exe"};
    if (geteuid() == 0)
        expected << "/dicht/reader.exe";  // root reads every folder
    EXPECT_EQ(found(f), expected);
    EXPECT_EQ(f->findChild<QLabel *>(QStringLiteral("Label3"))->text(),
              QStringLiteral("%1 File(s)").arg(expected.size()));
    EXPECT_EQ(f->findChild<QPushButton *>(QStringLiteral("Command1"))->text(), QStringLiteral("&Zoek"));
    EXPECT_TRUE(fake.messages.empty());

    // A folder without a trailing separator is the same as with one; nothing found shows 0.
    f->findChild<QComboBox *>(QStringLiteral("Combo2"))->setEditText(QStringLiteral("*.nergens"));
    f->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(tree.path() + u'/');
    f->Command1_Click();
    EXPECT_EQ(f->findChild<QLabel *>(QStringLiteral("Label3"))->text(), QStringLiteral("0 File(s)"));
}

TEST_F(FinderTree, AnUnreadableFolderIsPassedOverSilently)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder, so no folder here is unreadable";
    frmSearch *f = search(QStringLiteral("reader.exe"));
    EXPECT_FALSE(found(f).contains(QStringLiteral("/dicht/reader.exe")));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(FinderTree, KlaarStoresOnlyAProgramAndOpensTheArticle)
{
    const QString article = paths::file(QStringLiteral("Documentatie/Hop.pdf"));
    struct Case {
        const char *what;
        QString pattern, select;  // select empty: nothing selected
        bool stored;
    };
    const Case cases[] = {
        {"nothing selected", "reader.exe", "", false},
        {"a picture", "*.png", "/b/plaatje.png", false},
        {"a program", "reader.exe", "/a/reader.exe", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        frmSearch *f = search(c.pattern);
        if (!c.select.isEmpty())
            select(f, c.select);
        f->findChild<QPushButton *>(QStringLiteral("Command3"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(isOpen("frmSearch"));
        // Written as "Systeemvariabelen"/"Adobepath", read back under the other spelling.
        const QString stored =
            ReadINI(paths::zymIni(), QStringLiteral("SysteemVariabelen"), QStringLiteral("AdobePath"), QString());
        if (c.stored) {
            EXPECT_TRUE(fake.messages.empty());
            EXPECT_EQ(stored, tree.path() + c.select);
            ASSERT_EQ(fake.programs.size(), 1u);
            EXPECT_EQ(fake.programs[0].program, tree.path() + c.select);
            EXPECT_EQ(fake.programs[0].arguments, QStringList{article});
        } else {
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_EQ(fake.messages[0].prompt, PdfLezerOntbreekt);
            EXPECT_EQ(stored, folder.file(QStringLiteral("nergens/reader.exe")));
            EXPECT_TRUE(fake.programs.empty());
        }
    }
}

TEST_F(FinderTree, StopKeepsWhatWasFound)
{
    for (int i = 0; i < 2000; ++i)
        touch(tree.path() + QStringLiteral("/veel/r%1.exe").arg(i));
    FileFinder all;
    const FindResult whole = all.run(tree.path(), QStringLiteral("*.exe"));
    EXPECT_FALSE(whole.stopped);
    EXPECT_GE(whole.files, 2002);

    FileFinder f;
    QStringList kept;
    int polls = 0;
    f.onFound = [&](const QStringList &p) { kept << p; };
    f.shouldStop = [&] { return ++polls == 3; };
    const FindResult part = f.run(tree.path(), QStringLiteral("*.exe"));
    EXPECT_TRUE(part.stopped);
    EXPECT_GT(part.files, 0);
    EXPECT_LT(part.files, whole.files);
    EXPECT_EQ(kept.size(), part.files);

    // In the window: while it searches the button reads Stop, and pressing it
    // ends the search with what was found listed and counted.
    struct Pressing : FakeServices {
        std::function<void()> onEvents;
        void processEvents() override
        {
            if (onEvents)
                onEvents();
        }
    } svc;
    frmSearch window(session(), svc);
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(tree.path());
    window.findChild<QComboBox *>(QStringLiteral("Combo2"))->setEditText(QStringLiteral("*.exe"));
    auto *button = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    QString caption;
    bool pressed = false;
    svc.onEvents = [&] {
        if (pressed)
            return;
        pressed = true;
        caption = button->text();
        button->click();
    };
    button->click();
    EXPECT_EQ(caption, QStringLiteral("&Stop"));
    EXPECT_EQ(button->text(), QStringLiteral("&Zoek"));
    const int listed = window.findChild<QListWidget *>(QStringLiteral("List1"))->count();
    EXPECT_GT(listed, 0);
    EXPECT_LT(listed, whole.files);
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("Label3"))->text(), QStringLiteral("%1 File(s)").arg(listed));
}

}  // namespace

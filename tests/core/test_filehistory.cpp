#include "core/FileHistory.h"
#include "core/Ini.h"
#include "core/Paths.h"
#include "support/TempProgramFolder.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <utility>

using namespace mostarium;

namespace {

TEST(FileHistory, FreshSettingsGivePrefixOnlyCaptions)
{
    test::TempProgramFolder folder;
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(history::entry(n), QString());
        EXPECT_EQ(history::caption(n), QStringLiteral("  &%1 ").arg(n));
    }
}

TEST(FileHistory, NewPathsGoToTheHeadAndTheOldestDrops)
{
    test::TempProgramFolder folder;
    const auto entries = [] {
        QStringList e;
        for (int n = 1; n <= 4; ++n)
            e << history::entry(n);
        return e;
    };
    for (const char *p : {"/r/a.zlv", "/r/b.zlv", "/r/c.zlv", "/r/d.zlv", "/r/e.zlv"})
        EXPECT_TRUE(history::UpdateFileHistory(QString::fromLatin1(p)));
    EXPECT_EQ(entries(), (QStringList{"/r/e.zlv", "/r/d.zlv", "/r/c.zlv", "/r/b.zlv"}));

    // Already entry 1: nothing changes.
    EXPECT_FALSE(history::UpdateFileHistory(QStringLiteral("/r/e.zlv")));
    // Entry 3 again moves to the head; nothing drops off and nothing is doubled.
    EXPECT_TRUE(history::UpdateFileHistory(QStringLiteral("/r/c.zlv")));
    EXPECT_EQ(entries(), (QStringList{"/r/c.zlv", "/r/e.zlv", "/r/d.zlv", "/r/b.zlv"}));
    EXPECT_TRUE(history::UpdateFileHistory(QStringLiteral("/r/b.zlv")));
    EXPECT_EQ(entries(), (QStringList{"/r/b.zlv", "/r/c.zlv", "/r/e.zlv", "/r/d.zlv"}));
    // Another letter case is another entry.
    EXPECT_TRUE(history::UpdateFileHistory(QStringLiteral("/r/C.zlv")));
    EXPECT_EQ(entries(), (QStringList{"/r/C.zlv", "/r/b.zlv", "/r/c.zlv", "/r/e.zlv"}));

    // A list that holds a path twice keeps only its upper place; empty
    // entries stay where they are.
    for (const auto &[n, path] : {std::pair{1, "/r/x.zlv"}, {2, ""}, {3, "/r/y.zlv"}, {4, "/r/x.zlv"}}) {
        QString v = QString::fromLatin1(path);
        ASSERT_TRUE(WriteINI(paths::zymIni(), QStringLiteral("FileHistory"), QString::number(n), v));
    }
    EXPECT_TRUE(history::UpdateFileHistory(QStringLiteral("/r/z.zlv")));
    EXPECT_EQ(entries(), (QStringList{"/r/z.zlv", "/r/x.zlv", "", "/r/y.zlv"}));
}

TEST(FileHistory, CaptionsShowThePathAsItIs)
{
    const QString p50 = QString(45, u'x') + QStringLiteral(".zlv/");
    const struct {
        const char *what;
        QString path;
        QString caption;
    } cases[] = {
        {"50 characters: whole", p50, QStringLiteral("  &2 ") + p50},
        {"51 characters: the last 50", u'y' + p50, QStringLiteral("  &2 ..") + p50},
        // "&" would mark the next letter as the access key and vanish.
        {"an ampersand", QStringLiteral("/r/x&y/Bier & Co.zlv"), QStringLiteral("  &2 /r/x&&y/Bier && Co.zlv")},
        // A tab would push the rest into the shortcut column.
        {"a tab and a line break", QStringLiteral("/r/a\tb/c\nd.zlv"), QStringLiteral("  &2 /r/a b/c d.zlv")},
        {"the cut falls inside a character of two code units",
         QStringLiteral("/r/") + QString::fromUtf8("\xF0\x9F\x8D\xBA") + QString(49, u'b'),
         QStringLiteral("  &2 ..") + QString(49, u'b')},
        {"an ampersand past the cut counts once", QString(10, u'a') + QString(50, u'&'),
         QStringLiteral("  &2 ..") + QString(100, u'&')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(history::captionFor(2, c.path), c.caption);
    }
}

}  // namespace

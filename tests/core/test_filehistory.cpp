#include "core/FileHistory.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>

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
    for (const char *p : {"/r/a.zlv", "/r/b.zlv", "/r/c.zlv", "/r/d.zlv", "/r/e.zlv"})
        EXPECT_TRUE(history::UpdateFileHistory(QString::fromLatin1(p)));
    EXPECT_EQ(history::entry(1), QStringLiteral("/r/e.zlv"));
    EXPECT_EQ(history::entry(4), QStringLiteral("/r/b.zlv"));

    // Already entry 1: nothing changes.
    EXPECT_FALSE(history::UpdateFileHistory(QStringLiteral("/r/e.zlv")));
    // Entry 3 again: a duplicate stays further down.
    EXPECT_TRUE(history::UpdateFileHistory(QStringLiteral("/r/c.zlv")));
    EXPECT_EQ(history::entry(1), QStringLiteral("/r/c.zlv"));
    EXPECT_EQ(history::entry(2), QStringLiteral("/r/e.zlv"));
    EXPECT_EQ(history::entry(3), QStringLiteral("/r/d.zlv"));
    EXPECT_EQ(history::entry(4), QStringLiteral("/r/c.zlv"));
    // Another letter case is another entry.
    EXPECT_TRUE(history::UpdateFileHistory(QStringLiteral("/r/C.zlv")));
}

TEST(FileHistory, LongPathsAreShortenedToTheirLast50Characters)
{
    const QString p50 = QString(45, u'x') + QStringLiteral(".zlv/");
    const QString p51 = u'y' + p50;
    EXPECT_EQ(history::captionFor(2, p50), QStringLiteral("  &2 ") + p50);
    EXPECT_EQ(history::captionFor(2, p51), QStringLiteral("  &2 ..") + p50);
}

}  // namespace

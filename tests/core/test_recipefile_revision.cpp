// The revision text written into every recipe file.

#include "core/Revision.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace mostarium;

TEST(Revision, TextFromVersionAndDate)
{
    EXPECT_EQ(revisionText(1, 3, 2, QDate(2010, 3, 5)), QStringLiteral("Rev. 1.03 [2] 5 maart 2010"));
    EXPECT_EQ(revisionText(1, 22, 0, QDate(2024, 12, 31)), QStringLiteral("Rev. 1.22 [0] 31 december 2024"));
    EXPECT_EQ(revisionText(2, 100, 7, QDate(2001, 1, 1)), QStringLiteral("Rev. 2.100 [7] 1 januari 2001"));
    EXPECT_EQ(revisionText(1, 0, 0, QDate()), QStringLiteral("error!"));
}

TEST(Revision, DutchMonthNamesWhateverTheLocale)
{
    const char *months[] = {"januari", "februari", "maart",     "april",   "mei",      "juni",
                            "juli",    "augustus", "september", "oktober", "november", "december"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(dutchLongDate(QDate(2026, m, 9)), QStringLiteral("9 %1 2026").arg(QLatin1String(months[m - 1])));
}

TEST(Revision, ProgramFileDate)
{
    const QString rev = GetRevision();
    const QDate built = QFileInfo(QCoreApplication::applicationFilePath()).lastModified().toLocalTime().date();
    EXPECT_EQ(rev, QStringLiteral("Rev. 1.00 [0] ") + dutchLongDate(built));
}

TEST(Revision, FileDateAndExistence)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.txt"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QDateTime stamp(QDate(2010, 3, 5), QTime(23, 30), Qt::UTC);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    f.close();
    // The local time of that moment, with the offset in force then.
    EXPECT_EQ(GetFileDate(file), stamp.toLocalTime());

    EXPECT_EQ(GetFileDate(dir.filePath(QStringLiteral("weg.txt"))), zeroDate());
    EXPECT_EQ(dutchLongDate(zeroDate().date()), QStringLiteral("30 december 1899"));
    EXPECT_TRUE(FileOrFolderExists(dir.path() + u'/'));
    EXPECT_TRUE(FileOrFolderExists(QStringLiteral("/")));
    EXPECT_FALSE(FileOrFolderExists(dir.filePath(QStringLiteral("weg/"))));
}

TEST(Revision, UtcOffsetIsWholeHoursOfTheLocalZone)
{
    const int offset = GetUTCOffset();
    EXPECT_GE(offset, -12);
    EXPECT_LE(offset, 14);
}

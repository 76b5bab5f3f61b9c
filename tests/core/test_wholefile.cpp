// Whole files in and out: what is refused on reading, and a write that fails
// (a full disk) never passing as success.

#include "core/WholeFile.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"
#include "support/QtPrint.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

TEST(WholeFile, ReadsOnlyRegularFilesOfASaneSize)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ZYM.ini"));
    writeFileBytes(file, "[S]\r\nK=v\r\n");
    const QString big = dir.filePath(QStringLiteral("big.txt"));
    ASSERT_TRUE(makeLargeFile(big, MaxTextFileSize + 1));
    const QString exact = dir.filePath(QStringLiteral("exact.txt"));
    ASSERT_TRUE(makeLargeFile(exact, 1000));
    Fifo fifo(dir.filePath(QStringLiteral("pipe.ini")));
    ASSERT_TRUE(fifo.made());

    const struct {
        QString path;
        qint64 max;
        FileRead expected;
        qsizetype size;
    } cases[] = {
        {file, MaxTextFileSize, FileRead::Ok, 10},
        {exact, 1000, FileRead::Ok, 1000},
        {exact, 999, FileRead::TooLarge, 0},
        {big, MaxTextFileSize, FileRead::TooLarge, 0},
        {dir.filePath(QStringLiteral("pipe.ini")), MaxTextFileSize, FileRead::NotRegular, 0},
        {dir.path(), MaxTextFileSize, FileRead::Folder, 0},
        {dir.filePath(QStringLiteral("missing.ini")), MaxTextFileSize, FileRead::Missing, 0},
        {dir.filePath(QStringLiteral("missing/ZYM.ini")), MaxTextFileSize, FileRead::Missing, 0},
        {QString(), MaxTextFileSize, FileRead::Missing, 0},
    };
    for (const auto &c : cases) {
        QByteArray bytes("old");
        EXPECT_EQ(readWholeFile(c.path, c.max, bytes), c.expected) << qPrintable(c.path);
        EXPECT_EQ(bytes.size(), c.size) << qPrintable(c.path);
    }
    EXPECT_FALSE(fifo.blockedSomeone());
}

TEST(WholeFile, RefusalsNameTheFile)
{
    EXPECT_EQ(refusedFileText(QStringLiteral("Tips.txt"), FileRead::NotRegular),
              QStringLiteral("Tips.txt is geen gewoon bestand en wordt niet gelezen!"));
    EXPECT_EQ(refusedFileText(QStringLiteral("Tips.txt"), FileRead::Folder),
              QStringLiteral("Tips.txt is een map en wordt niet gelezen!"));
    EXPECT_EQ(refusedFileText(QStringLiteral("Tips.txt"), FileRead::TooLarge),
              QStringLiteral("Tips.txt is groter dan 4 MB en wordt niet gelezen!"));
    EXPECT_EQ(refusedFileText(QStringLiteral("x"), FileRead::TooLarge, 64 * 1024),
              QStringLiteral("x is groter dan 64 kB en wordt niet gelezen!"));
    EXPECT_TRUE(refusedFileText(QStringLiteral("x"), FileRead::Ok).isEmpty());
    EXPECT_TRUE(refusedFileText(QStringLiteral("x"), FileRead::Missing).isEmpty());
}

// A size named in a message is true at any size and any limit: never "0.0 MB"
// for a small file, never the limit's figure for a file just over it.
TEST(WholeFile, SizeTextNamesEverySizeTruly)
{
    const qint64 kB = 1024, MB = 1024 * kB;
    struct Row {
        qint64 bytes, beside;
        const char *text;
    };
    const Row rows[] = {
        {0, -1, "0 bytes"},
        {1, -1, "1 byte"},
        {1001, 1000, "1001 bytes"},
        {1023, -1, "1023 bytes"},
        {kB, -1, "1 kB"},
        {kB + 512, -1, "1.5 kB"},
        {kB + 1, -1, "1.0 kB"},
        {kB + 1, kB, "1025 bytes"},
        {kB, kB + 1, "1024 bytes"},
        {1023 * kB, -1, "1023 kB"},
        {MB - 1, -1, "1.0 MB"},
        {MB, -1, "1 MB"},
        {MB + 512 * kB, -1, "1.5 MB"},
        {4 * MB, -1, "4 MB"},
        {80 * MB, 64 * MB, "80 MB"},
        {64 * MB, 80 * MB, "64 MB"},
        {80 * MB + 300 * kB, -1, "80.3 MB"},
        {64 * MB + 1, 64 * MB, "67108865 bytes"},
        {64 * MB, 64 * MB + 1, "67108864 bytes"},
        {5 * 1024 * MB, 64 * MB, "5120 MB"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.bytes);
        EXPECT_EQ(sizeText(r.bytes, r.beside), QString::fromLatin1(r.text));
    }
}

TEST(WholeFile, WhatIsNoFileIsNamedWithoutBeingOpened)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Bock.zlv"));
    writeFileBytes(file, "x");
    const QString pipe = dir.filePath(QStringLiteral("Pijp.zlv"));
    Fifo fifo(pipe);
    ASSERT_TRUE(fifo.made());
    EXPECT_EQ(notAFileText(dir.path()), dir.path() + QStringLiteral(" is een map en wordt niet gelezen!"));
    EXPECT_EQ(notAFileText(pipe), pipe + QStringLiteral(" is geen gewoon bestand en wordt niet gelezen!"));
    EXPECT_TRUE(notAFileText(file).isEmpty());
    EXPECT_TRUE(notAFileText(dir.filePath(QStringLiteral("weg.zlv"))).isEmpty());
    EXPECT_TRUE(notAFileText(QString()).isEmpty());
    EXPECT_FALSE(fifo.blockedSomeone());
}

TEST(WholeFile, AFullDiskLeavesTheOldFileAndNoTraceOfTheNewOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Recept.zlv"));
    writeFileBytes(path, "oud\r\n");
    const QByteArray big(64 * 1024, 'x');        // more than any write buffer
    const QByteArray small("nieuw recept\r\n");  // stays in a write buffer

    // Failing at the first write, part-way, and in the last flush.
    const struct {
        rlim_t limit;
        QByteArray bytes;
    } cases[] = {{0, big}, {100, big}, {40000, big}, {4, small}};
    for (const auto &c : cases) {
        bool written = true;
        QString error;
        {
            FullDisk full(c.limit);
            written = writeWholeFile(path, c.bytes, &error);
        }
        EXPECT_FALSE(written) << c.limit;
        EXPECT_EQ(error, QStringLiteral("het bestand wordt groter dan het systeem toestaat")) << c.limit;
        EXPECT_EQ(fileBytes(path), QByteArray("oud\r\n")) << c.limit;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Recept.zlv")})
            << c.limit;
    }

    // A text smaller than the limit goes through.
    {
        FullDisk full(100);
        EXPECT_TRUE(writeWholeFile(path, "nieuw\r\n"));
    }
    EXPECT_EQ(fileBytes(path), QByteArray("nieuw\r\n"));
}

TEST(WholeFile, WritesNeitherOverAReadOnlyFileNorOverAPipeAndSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Oud.zlv"));
    writeFileBytes(path, "oud\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    QString error;
    EXPECT_FALSE(writeWholeFile(path, "nieuw", &error));
    EXPECT_EQ(error, QStringLiteral("het bestand is alleen-lezen"));
    EXPECT_EQ(fileBytes(path), QByteArray("oud\r\n"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    Fifo fifo(dir.filePath(QStringLiteral("pipe.url")));
    ASSERT_TRUE(fifo.made());
    EXPECT_FALSE(writeWholeFile(dir.filePath(QStringLiteral("pipe.url")), "x", &error));
    EXPECT_EQ(error, QStringLiteral("het is geen gewoon bestand"));
    EXPECT_FALSE(QFileInfo(dir.filePath(QStringLiteral("pipe.url"))).isFile());

    EXPECT_FALSE(writeWholeFile(dir.path(), "x", &error));
    EXPECT_EQ(error, QStringLiteral("het is een map"));
    EXPECT_FALSE(writeWholeFile(dir.filePath(QStringLiteral("missing/x.ini")), "x", &error));
    EXPECT_EQ(error, QStringLiteral("de map bestaat niet"));

    EXPECT_EQ(notWrittenText(path, error), QStringLiteral("Het bestand ") + path
                                               + QStringLiteral(" kon niet worden opgeslagen (de map bestaat niet)."));
    EXPECT_EQ(notWrittenText(path),
              QStringLiteral("Het bestand ") + path + QStringLiteral(" kon niet worden opgeslagen."));
}

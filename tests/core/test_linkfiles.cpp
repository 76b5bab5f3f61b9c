#include "core/Cp1252.h"
#include "core/LinkFiles.h"
#include "core/Paths.h"

#include "core/WholeFile.h"
#include "support/FakeServices.h"
#include "support/FileFaults.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

using namespace mostarium;
using mostarium::test::Fifo;
using mostarium::test::fileBytes;
using mostarium::test::FullDisk;
using mostarium::test::ScopedFakeServices;
using mostarium::test::TempProgramFolder;
using mostarium::test::writeFileBytes;

namespace {}  // namespace

TEST(LinkFiles, StartUpWritesSeventeenTwoLineLinkFiles)
{
    TempProgramFolder folder;
    QDir().mkpath(folder.file("URLs"));
    CreateInternetShortCuts();

    const QStringList written = QDir(folder.file("URLs")).entryList(QDir::Files);
    ASSERT_EQ(written.size(), 17);
    ASSERT_EQ(internetShortCuts().size(), 17u);
    for (const InternetShortCut &row : internetShortCuts()) {
        const QByteArray bytes = fileBytes(folder.file("URLs/" + row.fileName));
        EXPECT_EQ(bytes, cp1252::encode(QStringLiteral("[InternetShortcut]\r\nURL=") + row.address + "\r\n"))
            << row.fileName.toStdString();
        EXPECT_EQ(bytes.count("\r\n"), 2);
    }
    EXPECT_TRUE(internetShortCuts()[0].address.endsWith("/mostarium/"));
    EXPECT_TRUE(internetShortCuts()[1].address.endsWith("/index.php"));
    EXPECT_EQ(internetShortCuts()[6].fileName, "Startpagina Brouw-Bier.url");
}

TEST(LinkFiles, AUserEditedLinkFileIsNotRewritten)
{
    TempProgramFolder folder;
    QDir().mkpath(folder.file("URLs"));
    const QByteArray mine = "[InternetShortcut]\r\nURL=https://mijn.brouwerij.nl/\r\n";
    writeFileBytes(folder.file("URLs/ZOLV.url"), mine);
    CreateInternetShortCuts();
    EXPECT_EQ(fileBytes(folder.file("URLs/ZOLV.url")), mine);
    EXPECT_TRUE(QFile::exists(folder.file("URLs/PINT.url")));
}

TEST(LinkFiles, MissingUrlsFolderIsPassedOver)
{
    TempProgramFolder folder;
    CreateInternetShortCuts();
    EXPECT_FALSE(QFile::exists(folder.file("URLs/PINT.url")));
}

struct OpenCase {
    const char *name;
    QByteArray content;
    const char *opened;  // nullptr: nothing opened, a message instead
};

TEST(LinkFiles, OpensOnlyWebAddressesAndSaysWhyNot)
{
    const OpenCase cases[] = {
        {"http", "[InternetShortcut]\r\nURL=http://www.example.nl/brouwen/\r\n", "http://www.example.nl/brouwen/"},
        {"https, key and scheme in other case", "[internetshortcut]\r\nurl = HTTPS://example.nl/a?b=1\r\n",
         "https://example.nl/a?b=1"},
        {"ftp", "[InternetShortcut]\nURL=ftp://ftp.example.nl/pub/\n", "ftp://ftp.example.nl/pub/"},
        {"first URL line wins", "[InternetShortcut]\r\nURL=http://a.nl/\r\nURL=javascript:alert(1)\r\n",
         "http://a.nl/"},
        {"no URL line", "[InternetShortcut]\r\nIconIndex=0\r\n", nullptr},
        {"empty URL", "[InternetShortcut]\r\nURL=\r\n", nullptr},
        {"empty file", "", nullptr},
        {"URL outside the section", "[Other]\r\nURL=http://www.example.nl/\r\n", nullptr},
        {"URL without any section", "URL=http://www.example.nl/\r\n", nullptr},
        {"local file", "[InternetShortcut]\r\nURL=file:///etc/passwd\r\n", nullptr},
        {"windows file", "[InternetShortcut]\r\nURL=file:C:\\Windows\\System32\\calc.exe\r\n", nullptr},
        {"javascript", "[InternetShortcut]\r\nURL=javascript:alert('x')\r\n", nullptr},
        {"program path", "[InternetShortcut]\r\nURL=C:\\Windows\\notepad.exe\r\n", nullptr},
        {"no host", "[InternetShortcut]\r\nURL=http://\r\n", nullptr},
        {"control character", "[InternetShortcut]\r\nURL=http://a.nl/\x01x\r\n", nullptr},
        {"very long line", "[InternetShortcut]\r\nURL=http://www.example.nl/" + QByteArray(5000, 'a') + "\r\n",
         nullptr},
    };
    for (const OpenCase &c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramFolder folder;
        ScopedFakeServices fake;
        const QString path = folder.file("link.url");
        writeFileBytes(path, c.content);
        const bool opened = OpenInternetShortCut(path);
        if (c.opened) {
            EXPECT_TRUE(opened);
            EXPECT_EQ(fake.urls, QStringList{QString::fromLatin1(c.opened)});
            EXPECT_TRUE(fake.messages.empty());
        } else {
            EXPECT_FALSE(opened);
            EXPECT_TRUE(fake.urls.isEmpty());
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_TRUE(fake.messages[0].prompt.contains("\"link.url\"")) << fake.messages[0].prompt.toStdString();
            EXPECT_TRUE(fake.messages[0].prompt.contains("niet geopend")
                        || fake.messages[0].prompt.contains("niet gelezen"));
            EXPECT_EQ(fake.messages[0].title, "Attentie!");
            EXPECT_EQ(fake.messages[0].style, mb::OKOnly + mb::Exclamation);
        }
    }
}

TEST(LinkFiles, RefusalsNameTheirReason)
{
    TempProgramFolder folder;
    const QString path = folder.file("a.url");
    writeFileBytes(path, "[InternetShortcut]\r\nURL=javascript:alert(1)\r\n");
    EXPECT_TRUE(ReadInternetShortCut(path).refusal.contains("alleen http-, https- en ftp-adressen"));
    writeFileBytes(path, "[InternetShortcut]\r\nURL=http://a.nl/" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_TRUE(ReadInternetShortCut(path).refusal.contains("te lang"));
    writeFileBytes(path, "[InternetShortcut]\r\n");
    EXPECT_TRUE(ReadInternetShortCut(path).refusal.contains("geen internetadres"));
}

TEST(LinkFiles, APipeOrAHugeLinkFileIsRefusedByName)
{
    TempProgramFolder folder;
    QDir().mkpath(folder.file("URLs"));
    Fifo fifo(folder.file("URLs/ZOLV.url"));
    ASSERT_TRUE(fifo.made());
    ASSERT_TRUE(mostarium::test::makeLargeFile(folder.file("URLs/PINT.url"), MaxTextFileSize + 1));
    const struct {
        const char *file;
        const char *refusal;
    } cases[] = {
        {"URLs/ZOLV.url", "Link \"ZOLV.url\" is geen gewoon bestand en wordt niet gelezen!"},
        {"URLs/PINT.url", "Link \"PINT.url\" is groter dan 4 MB en wordt niet gelezen!"},
    };
    for (const auto &c : cases) {
        ScopedFakeServices fake;
        EXPECT_FALSE(OpenInternetShortCut(folder.file(c.file))) << c.file;
        EXPECT_EQ(fake.prompts(), QStringList{QString::fromUtf8(c.refusal)}) << c.file;
        EXPECT_TRUE(fake.urls.isEmpty()) << c.file;
    }
    // Start-up leaves both as they are.
    CreateInternetShortCuts();
    EXPECT_FALSE(QFileInfo(folder.file("URLs/ZOLV.url")).isFile());
    EXPECT_EQ(QFileInfo(folder.file("URLs/PINT.url")).size(), MaxTextFileSize + 1);
    EXPECT_FALSE(fifo.blockedSomeone());
}

TEST(LinkFiles, AFullDiskWritesNoLinkFileAndKeepsAnOldOne)
{
    TempProgramFolder folder;
    QDir().mkpath(folder.file("URLs"));
    const QString link = folder.file("URLs/MostariumOnline.url");
    const QByteArray old = "[InternetShortcut]\r\nURL=http://a.nl/\r\n";
    writeFileBytes(link, old);
    bool written = true;
    {
        FullDisk full(16);
        written = WriteInternetShortCut(link, onlineSiteAddress());
        CreateInternetShortCuts();
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(link), old);
    // No half-written link file stands in for a missing one.
    EXPECT_EQ(QDir(folder.file("URLs")).entryList(QDir::Files | QDir::Hidden), QStringList{"MostariumOnline.url"});
}

TEST(LinkFiles, MissingFileOpensNothingQuietly)
{
    TempProgramFolder folder;
    ScopedFakeServices fake;
    EXPECT_FALSE(OpenInternetShortCut(folder.file("URLs/weg.url")));
    EXPECT_TRUE(fake.urls.isEmpty());
    EXPECT_TRUE(fake.messages.empty());
}

TEST(LinkFiles, AnotherDocumentGoesToTheDesktopAsAFile)
{
    TempProgramFolder folder;
    ScopedFakeServices fake;
    const QString pdf = folder.file("Documentatie/artikel met spatie.pdf");
    QDir().mkpath(folder.file("Documentatie"));
    writeFileBytes(pdf, "%PDF-1.4");
    EXPECT_TRUE(OpenInternetShortCut(pdf));
    ASSERT_EQ(fake.urls.size(), 1);
    EXPECT_TRUE(fake.urls[0].startsWith("file:///"));
    EXPECT_EQ(QUrl(fake.urls[0]).toLocalFile(), pdf);
}

TEST(LinkFiles, ExistFile)
{
    TempProgramFolder folder;
    const QString file = folder.file("bestaat.txt");
    writeFileBytes(file, "x");
    const QString locked = folder.file("geheim.txt");
    writeFileBytes(locked, "x");
    QFile::setPermissions(locked, QFileDevice::Permissions());

    EXPECT_TRUE(ExistFile(file));
    EXPECT_TRUE(ExistFile(locked));  // in use or not readable still counts as existing
    EXPECT_FALSE(ExistFile(folder.file("weg.txt")));
    EXPECT_FALSE(ExistFile(folder.file("geen/map/weg.txt")));
    EXPECT_FALSE(ExistFile(folder.path()));
    EXPECT_FALSE(ExistFile(QString()));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(LinkFiles, ShellAndWaitPassesProgramAndArgumentsApart)
{
    ScopedFakeServices fake;
    const QStringList args = {"/data/boodschappen \"lijst\"; rm -rf ~.txt"};
    ShellAndWait("/usr/bin/xdg-open", args, true);
    ShellAndWait("evince", {"a.pdf"}, false);
    ShellAndWait("", {"x"}, false);
    ASSERT_EQ(fake.programs.size(), 2u);
    EXPECT_EQ(fake.programs[0].program, "/usr/bin/xdg-open");
    EXPECT_EQ(fake.programs[0].arguments, args);
    EXPECT_TRUE(fake.programs[0].wait);
    EXPECT_FALSE(fake.programs[1].wait);
}

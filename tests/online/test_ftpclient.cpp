#include "ftp_fixture.h"

#include "online/FtpClient.h"
#include "support/FileFaults.h"

#include <QElapsedTimer>
#include <utility>
#include <vector>

namespace mostarium::test {
namespace {

using Events = std::vector<std::pair<qint64, qint64>>;

class FtpClientTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GT(server.port(), 0) << "the loopback FTP server did not start"; }

    // A client logged in to the loopback server, its events recorded.
    std::unique_ptr<cFTP> connected()
    {
        auto c = std::make_unique<cFTP>();
        QObject::connect(c.get(), &cFTP::FileTransferProgress,
                         [this](qint64 cur, qint64 total) { events.emplace_back(cur, total); });
        c->SetModeActive();
        c->SetTransferBinary();
        EXPECT_TRUE(c->OpenConnection(QStringLiteral("127.0.0.1"), FtpUser, FtpPassword, server.port()))
            << c->GetLastErrorMessage().toStdString();
        return c;
    }
    QString local(const QString &name) const { return localDir.path() + u'/' + name; }

    LoopbackFtpServer server;
    QTemporaryDir localDir;
    Events events;
};

TEST_F(FtpClientTest, DownloadRaisesAnEventPerBlockAndEndsWithTheSize)
{
    struct Case {
        qint64 size;
        Events expected;
    };
    const std::vector<Case> cases = {
        {600, {{255, 600}, {510, 600}, {600, 600}}},
        {510, {{255, 510}, {510, 510}, {510, 510}}},  // whole blocks, then the empty remainder
        {100, {{100, 100}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.size);
        const QByteArray bytes = patternBytes(c.size);
        server.put(QStringLiteral("/data/f.bin"), bytes);
        auto ftp = connected();
        events.clear();
        ASSERT_TRUE(ftp->FTPDownloadFile(local(QStringLiteral("f.bin")), QStringLiteral("/data/f.bin")));
        EXPECT_EQ(events, c.expected);
        EXPECT_EQ(fileBytes(local(QStringLiteral("f.bin"))), bytes);
        EXPECT_FALSE(QFileInfo::exists(local(QStringLiteral("f.bin.part"))));
        ftp->CloseConnection();
    }
}

TEST_F(FtpClientTest, DownloadOverALongerLocalFileLeavesExactlyTheRemoteBytes)
{
    const QByteArray bytes = patternBytes(300);
    server.put(QStringLiteral("/f.bin"), bytes);
    writeFileBytes(local(QStringLiteral("f.bin")), patternBytes(5000, 3));
    auto ftp = connected();
    ASSERT_TRUE(
        ftp->FTPDownloadFile(QStringLiteral("  ") + local(QStringLiteral("f.bin")) + u' ', QStringLiteral(" f.bin ")));
    EXPECT_EQ(fileBytes(local(QStringLiteral("f.bin"))), bytes);
}

TEST_F(FtpClientTest, MissingEmptyAndBlankNamesFailWithoutAText)
{
    server.put(QStringLiteral("/empty.bin"), {});
    auto ftp = connected();
    EXPECT_EQ(ftp->GetFTPFileSize(QStringLiteral("/nope.bin")), -1);
    EXPECT_FALSE(ftp->FTPDownloadFile(local(QStringLiteral("a")), QStringLiteral("/nope.bin")));
    EXPECT_EQ(ftp->lastRemoteSize(), -1);
    EXPECT_EQ(ftp->GetLastErrorMessage(), QString());

    // An earlier failure's text stays.
    EXPECT_FALSE(ftp->SetFTPDirectory(QStringLiteral("/geen/map")));
    const QString earlier = ftp->GetLastErrorMessage();
    EXPECT_TRUE(earlier.startsWith(QStringLiteral("550 "))) << earlier.toStdString();  // the server's reply alone
    EXPECT_FALSE(ftp->FTPDownloadFile(local(QStringLiteral("b")), QStringLiteral("/empty.bin")));
    EXPECT_EQ(ftp->lastRemoteSize(), 0);
    EXPECT_FALSE(ftp->FTPDownloadFile(QStringLiteral("   "), QStringLiteral("/empty.bin")));
    EXPECT_EQ(ftp->GetLastErrorMessage(), earlier);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(QDir(localDir.path()).isEmpty());
}

TEST_F(FtpClientTest, RefusedLoginGivesTheServersReplyAndNoPassword)
{
    cFTP ftp;
    EXPECT_FALSE(
        ftp.OpenConnection(QStringLiteral("127.0.0.1"), FtpUser, QStringLiteral("fout-wachtwoord"), server.port()));
    const QString text = ftp.GetLastErrorMessage();
    EXPECT_TRUE(text.startsWith(QStringLiteral("530 "))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("fout-wachtwoord")));
    EXPECT_EQ(ftp.GetFTPFileSize(QStringLiteral("/x")), -2);
}

TEST_F(FtpClientTest, ClosedPortFailsWithinTheConnectTimeOut)
{
    cFTP ftp;
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(ftp.OpenConnection(QStringLiteral("127.0.0.1"), FtpUser, FtpPassword, closedPort()));
    EXPECT_LT(t.elapsed(), 20000);
    EXPECT_TRUE(ftp.GetLastErrorMessage().startsWith(QStringLiteral("InternetConnect error code: 7 Message: ")))
        << ftp.GetLastErrorMessage().toStdString();
}

TEST_F(FtpClientTest, ATransferCutHalfWayFailsAndKeepsTheEarlierFile)
{
    server.put(QStringLiteral("/halfway.bin"), patternBytes(1000));
    const QByteArray earlier = patternBytes(77, 9);
    writeFileBytes(local(QStringLiteral("halfway.bin")), earlier);
    auto ftp = connected();
    EXPECT_FALSE(ftp->FTPDownloadFile(local(QStringLiteral("halfway.bin")), QStringLiteral("/halfway.bin")));
    EXPECT_TRUE(ftp->GetLastErrorMessage().startsWith(QStringLiteral("InternetReadFile error code: ")))
        << ftp->GetLastErrorMessage().toStdString();
    EXPECT_EQ(fileBytes(local(QStringLiteral("halfway.bin"))), earlier);
    EXPECT_FALSE(QFileInfo::exists(local(QStringLiteral("halfway.bin.part"))));
    ASSERT_FALSE(events.empty());
    EXPECT_LT(events.back().first, 1000);
}

TEST_F(FtpClientTest, AFailedDownloadLeavesNoPartKeepsTheEarlierFileAndNamesTheCause)
{
    struct Case {
        const char *remote;
        qint64 size;
        qint64 downloadLimit;
        rlim_t fileSizeLimit;  // of this process while it downloads
        bool local;            // a LocalFileError, not a stored text
        const char *start;
        const char *end;
        bool refusedBeforeTransfer;
    };
    const std::vector<Case> cases = {
        {"/overlong.bin", 1000, MaxDownloadSize, RLIM_INFINITY, false, "InternetReadFile",
         " error code: 63 Message: De server stuurt meer dan de aangekondigde 1000 bytes; de download is afgebroken.",
         false},
        {"/dropped.bin", 100000, MaxDownloadSize, RLIM_INFINITY, false,
         "InternetReadFile error code: ", " Message: De verbinding met de server is verbroken.", false},
        {"/big.bin", 1001, 1000, RLIM_INFINITY, false, "FtpOpenFile:GetFile error code: 63 Message: ",
         "Het bestand is 1001 bytes groot; een download mag ten hoogste 1000 bytes zijn.", true},
        {"/big.bin", 100000, MaxDownloadSize, 4096, true, "Kan niet schrijven naar ",
         "target.bin (het bestand wordt groter dan het systeem toestaat)", false},
    };
    const QByteArray earlier = patternBytes(77, 9);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.remote);
        const QString remote = QString::fromLatin1(c.remote);
        const QString target = local(QStringLiteral("target.bin"));
        server.put(remote, patternBytes(c.size));
        writeFileBytes(target, earlier);
        auto ftp = connected();
        ftp->setDownloadLimit(c.downloadLimit);
        events.clear();
        bool ok = true;
        bool thrown = false;
        QString text;
        {
            FullDisk disk(c.fileSizeLimit);
            try {
                ok = ftp->FTPDownloadFile(target, remote);
                text = ftp->GetLastErrorMessage();
            } catch (const LocalFileError &e) {
                ok = false;
                thrown = true;
                text = QString::fromUtf8(e.what());
            }
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(thrown, c.local);
        EXPECT_TRUE(text.startsWith(QLatin1String(c.start))) << text.toStdString();
        EXPECT_TRUE(text.endsWith(QLatin1String(c.end))) << text.toStdString();
        EXPECT_EQ(fileBytes(target), earlier);
        EXPECT_EQ(QDir(localDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("target.bin")});
        if (c.refusedBeforeTransfer) {
            EXPECT_TRUE(events.empty());
        }

        // The client goes on working.
        QFile::remove(server.path(remote));
        server.put(QStringLiteral("/whole.bin"), patternBytes(300));
        ASSERT_TRUE(ftp->FTPDownloadFile(target, QStringLiteral("/whole.bin")))
            << ftp->GetLastErrorMessage().toStdString();
        EXPECT_EQ(fileBytes(target), patternBytes(300));
        ftp->CloseConnection();
    }
}

TEST_F(FtpClientTest, ALocalFileThatCannotBeMadeIsNamedWithItsCauseAndNothingElseIsTouched)
{
    server.put(QStringLiteral("/f.bin"), patternBytes(600));
    const QString inMissingFolder = local(QStringLiteral("geen/map/f.bin"));
    const QString underAFolder = local(QStringLiteral("f.bin"));
    ASSERT_TRUE(QDir().mkpath(underAFolder + QStringLiteral(".part/binnen")));  // not ours: it stays
    struct Case {
        QString target;
        const char *cause;
    };
    for (const Case &c : {Case{inMissingFolder, "(de map bestaat niet)"},
                          Case{underAFolder, "(er staat al iets anders onder die naam)"}}) {
        SCOPED_TRACE(c.cause);
        auto ftp = connected();
        try {
            ftp->FTPDownloadFile(c.target, QStringLiteral("/f.bin"));
            ADD_FAILURE() << "no LocalFileError";
        } catch (const LocalFileError &e) {
            EXPECT_EQ(QString::fromUtf8(e.what()),
                      QStringLiteral("Kan niet schrijven naar ") + c.target + u' ' + QLatin1String(c.cause));
        }
        EXPECT_FALSE(ftp->SimpleFTPGetFile(c.target, QStringLiteral("/f.bin")));
        EXPECT_EQ(ftp->GetLastErrorMessage(), QStringLiteral("SimpleFtpGetFile error code: 23 Message: Kan niet "
                                                             "schrijven naar ")
                                                  + c.target + u' ' + QLatin1String(c.cause));
    }
    EXPECT_FALSE(QFileInfo::exists(local(QStringLiteral("geen"))));
    EXPECT_TRUE(QFileInfo::exists(underAFolder + QStringLiteral(".part/binnen")));
    EXPECT_FALSE(QFileInfo::exists(underAFolder));
}

TEST_F(FtpClientTest, AFileOfExactlyTheLimitIsFetchedAndOneByteMoreIsNeverAskedFor)
{
    auto ftp = connected();
    EXPECT_EQ(ftp->downloadLimit(), MaxDownloadSize);
    ftp->setDownloadLimit(600);
    server.put(QStringLiteral("/f.bin"), patternBytes(600));
    ASSERT_TRUE(ftp->FTPDownloadFile(local(QStringLiteral("f.bin")), QStringLiteral("/f.bin")));
    EXPECT_EQ(fileBytes(local(QStringLiteral("f.bin"))), patternBytes(600));

    // Without a size asked first the limit holds all the same.
    server.put(QStringLiteral("/g.bin"), patternBytes(601));
    EXPECT_FALSE(ftp->SimpleFTPGetFile(local(QStringLiteral("g.bin")), QStringLiteral("/g.bin")));
    EXPECT_FALSE(QFileInfo::exists(local(QStringLiteral("g.bin"))));
    EXPECT_FALSE(QFileInfo::exists(local(QStringLiteral("g.bin.part"))));
}

TEST_F(FtpClientTest, SizeOfA5GiBFileIsReadWithoutTransferInEitherType)
{
    QFile big(server.path(QStringLiteral("/big.bin")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    const qint64 size = qint64(5) << 30;
    ASSERT_TRUE(big.resize(size));  // sparse: nothing written
    big.close();
    auto ftp = connected();
    EXPECT_EQ(ftp->GetFTPFileSize(QStringLiteral("/big.bin")), size);
    ftp->SetTransferASCII();
    EXPECT_EQ(ftp->GetFTPFileSize(QStringLiteral("/big.bin")), size);
    EXPECT_TRUE(events.empty());
}

TEST_F(FtpClientTest, UploadFromAMissingLocalFileLeavesTheServerAlone)
{
    server.put(QStringLiteral("/keep.bin"), "old");
    auto ftp = connected();
    EXPECT_THROW(ftp->FTPUploadFile(local(QStringLiteral("missing.bin")), QStringLiteral("/keep.bin")), LocalFileError);
    EXPECT_EQ(server.get(QStringLiteral("/keep.bin")), QByteArray("old"));
    EXPECT_FALSE(ftp->SimpleFTPPutFile(local(QStringLiteral("missing.bin")), QStringLiteral("/keep.bin")));
    EXPECT_TRUE(ftp->GetLastErrorMessage().startsWith(QStringLiteral("SimpleFtpPutFile error code: ")));
    EXPECT_EQ(server.get(QStringLiteral("/keep.bin")), QByteArray("old"));
}

TEST_F(FtpClientTest, UploadSendsBlocksAndTheSimpleCallsMoveWholeFiles)
{
    const QByteArray bytes = patternBytes(600, 5);
    writeFileBytes(local(QStringLiteral("up.bin")), bytes);
    auto ftp = connected();
    ASSERT_TRUE(ftp->FTPUploadFile(local(QStringLiteral("up.bin")), QStringLiteral("/up.bin")))
        << ftp->GetLastErrorMessage().toStdString();
    EXPECT_EQ(server.get(QStringLiteral("/up.bin")), bytes);
    EXPECT_EQ(events, (Events{{255, 600}, {510, 600}, {600, 600}}));

    events.clear();
    ASSERT_TRUE(ftp->SimpleFTPPutFile(local(QStringLiteral("up.bin")), QStringLiteral("/simple.bin")));
    ASSERT_TRUE(ftp->SimpleFTPGetFile(local(QStringLiteral("back.bin")), QStringLiteral("/simple.bin")));
    EXPECT_EQ(fileBytes(local(QStringLiteral("back.bin"))), bytes);
    EXPECT_TRUE(events.empty());
}

TEST_F(FtpClientTest, FolderCallsWorkRelativeToTheCurrentFolder)
{
    auto ftp = connected();
    EXPECT_EQ(ftp->GetFTPDirectory(), QStringLiteral("/"));
    ASSERT_TRUE(ftp->CreateFTPDirectory(QStringLiteral("map")));
    ASSERT_TRUE(ftp->SetFTPDirectory(QStringLiteral("map")));
    EXPECT_EQ(ftp->GetFTPDirectory(), QStringLiteral("/map"));
    server.put(QStringLiteral("/map/a.txt"), "abc");
    EXPECT_EQ(ftp->GetFTPFileSize(QStringLiteral("a.txt")), 3);
    ASSERT_TRUE(ftp->RenameFTPFile(QStringLiteral("a.txt"), QStringLiteral("b.txt")));
    EXPECT_EQ(server.get(QStringLiteral("/map/b.txt")), QByteArray("abc"));
    EXPECT_FALSE(ftp->RemoveFTPDirectory(QStringLiteral("/map")));  // not empty
    EXPECT_TRUE(ftp->GetLastErrorMessage().startsWith(QStringLiteral("550 ")));
    ASSERT_TRUE(ftp->DeleteFTPFile(QStringLiteral("b.txt")));
    ASSERT_TRUE(ftp->RemoveFTPDirectory(QStringLiteral("/map")));
    EXPECT_FALSE(QFileInfo::exists(server.path(QStringLiteral("/map"))));
    EXPECT_FALSE(ftp->DeleteFTPFile(QStringLiteral("x\r\nDELE y")));

    // A second login replaces the first; the client goes on working.
    ASSERT_TRUE(ftp->OpenConnection(QStringLiteral("127.0.0.1"), FtpUser, FtpPassword, server.port()));
    EXPECT_EQ(ftp->GetFTPDirectory(), QStringLiteral("/"));
    ftp->CloseConnection();
    EXPECT_EQ(ftp->GetFTPFileSize(QStringLiteral("/x")), -2);
}

}  // namespace
}  // namespace mostarium::test

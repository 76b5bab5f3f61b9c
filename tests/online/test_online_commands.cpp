#include "ftp_fixture.h"

#include "mainwindow/mainwindow_fixture.h"

#include "core/Ini.h"
#include "core/Paths.h"
#include "mainwindow/Wiring.h"
#include "online/FtpClient.h"
#include "online/OnlineCommands.h"
#include "support/FileFaults.h"

#include <QProgressBar>

namespace mostarium::test {
namespace {

const QString TwoLines = QStringLiteral("Meest Recente Versie is Rev: %1\r\nHuidige Versie is Rev: 1.0.0");
const QString Question = QStringLiteral("Wilt U de meest Recente Versie Downloaden?");
const QString NoConnection = QStringLiteral("Geen verbinding met Mostarium server!");
const QString BadName = QStringLiteral("Update.inf bevat geen geldige bestandsnaam!");

class OnlineCommandsTest : public MainWindowTest {
protected:
    OnlineCommandsTest() { online = wireOnlineCommands(*w); }

    void SetUp() override
    {
        ASSERT_GT(server.port(), 0) << "the loopback FTP server did not start";
        setAccount(QStringLiteral("Server"), QStringLiteral("127.0.0.1"));
        setAccount(QStringLiteral("Poort"), QString::number(server.port()));
        setAccount(QStringLiteral("Wachtwoord"), FtpPassword);
        QDir().mkpath(paths::file(QStringLiteral("temp")));
        QObject::connect(online, &OnlineCommands::barVisible, [this](bool v) { barShows += v ? 1 : 0; });
        QObject::connect(online, &OnlineCommands::barMoved, [this](int v) {
            lastPerMille = v;
            busyDuringBar = busyDuringBar || fake.busyDepth > 0;
        });
    }

    void setAccount(const QString &key, QString value)
    {
        ASSERT_TRUE(WriteINI(paths::zymIni(), QStringLiteral("Online"), key, value));
    }
    void descriptor(const QString &rev, const QString &dfile)
    {
        server.put(online::UpdateDescriptor,
                   ("[VersionInfo]\r\nRev=" + rev + "\r\nDFile=" + dfile + "\r\n").toLatin1());
    }
    QStringList tempFiles() const { return QDir(paths::file(QStringLiteral("temp"))).entryList(QDir::Files); }
    QProgressBar *bar() const { return w->pgbDownload(); }

    LoopbackFtpServer server;
    OnlineCommands *online = nullptr;
    int barShows = 0;
    int lastPerMille = -1;
    bool busyDuringBar = false;
};

TEST_F(OnlineCommandsTest, TheNewerVersionTestGoesBySignificance)
{
    struct Case {
        const char *rev;
        QStringList after;  // the messages after the two-line one
    };
    const QString invalid = QStringLiteral("Update.inf bevat geen geldige versie: ");
    const std::vector<Case> cases = {
        {"1.0.0", {}},
        {"1.0.1", {Question}},
        {"1.1.0", {Question}},
        {"2.0.0", {Question}},
        {"0.5.9", {}},  // older major, newer minor and revision
        {"1.22", {invalid + QStringLiteral("1.22")}},
        {"", {invalid}},
        {"1.0.x", {invalid + QStringLiteral("1.0.x")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rev);
        fake.clear();
        descriptor(QString::fromLatin1(c.rev), QStringLiteral("Mostarium.zip"));
        fake.msgAnswers = {mb::OK, mb::No};
        trigger("mnuCheckForUpdates");
        EXPECT_EQ(fake.prompts(), QStringList{TwoLines.arg(QLatin1String(c.rev))} + c.after);
        EXPECT_EQ(tempFiles(), QStringList{QStringLiteral("Update.inf")});
        EXPECT_EQ(barShows, 0);
        EXPECT_FALSE(bar()->isVisible());
        EXPECT_EQ(fake.busyDepth, 0);
    }
}

TEST_F(OnlineCommandsTest, YesFetchesTheNewVersionIntoTempAndOpensNothing)
{
    descriptor(QStringLiteral("1.0.1"), QStringLiteral("Mostarium-1.0.1.zip"));
    const QByteArray bytes = patternBytes(40000);
    server.put(online::UpdateFolder + QStringLiteral("Mostarium-1.0.1.zip"), bytes);
    fake.msgAnswers = {mb::OK, mb::Yes};
    trigger("mnuCheckForUpdates");
    const QString local = paths::file(QStringLiteral("temp/Mostarium-1.0.1.zip"));
    EXPECT_EQ(fileBytes(local), bytes);
    EXPECT_EQ(fake.prompts().constLast(),
              QStringLiteral("Download succesvol! Het gedownloade bestand is te vinden als ") + local);
    EXPECT_EQ(barShows, 1);
    EXPECT_EQ(lastPerMille, 1000);
    EXPECT_TRUE(busyDuringBar);
    EXPECT_EQ(fake.busyDepth, 0);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_TRUE(fake.programs.empty());
    EXPECT_TRUE(fake.urls.empty());
}

TEST_F(OnlineCommandsTest, AFileNameThatLeavesTempIsRefusedAndNothingIsFetched)
{
    for (const char *dfile : {"../../x", "/etc/x", "", "..", "a\\b"}) {
        SCOPED_TRACE(dfile);
        fake.clear();
        descriptor(QStringLiteral("9.0.0"), QString::fromLatin1(dfile));
        fake.msgAnswers = {mb::OK, mb::Yes};
        trigger("mnuCheckForUpdates");
        EXPECT_EQ(fake.prompts(), (QStringList{TwoLines.arg(QStringLiteral("9.0.0")), Question, BadName}));
        EXPECT_EQ(tempFiles(), QStringList{QStringLiteral("Update.inf")});
        EXPECT_EQ(barShows, 0);
    }
}

TEST_F(OnlineCommandsTest, PublicRecipesReplaceAnEarlierDownload)
{
    const QByteArray bytes = patternBytes(1234, 1);
    server.put(online::PublicRecipes, bytes);
    const QString local = paths::file(QStringLiteral("temp/ZYM_public_recipes.zip"));
    writeFileBytes(local, patternBytes(9999, 2));
    trigger("mnuDownloadRecipes");
    EXPECT_EQ(fileBytes(local), bytes);
    EXPECT_EQ(fake.prompts(),
              QStringList{QStringLiteral("Download succesvol! Het gedownloade bestand is te vinden als ") + local});
    EXPECT_EQ(barShows, 1);
    EXPECT_FALSE(bar()->isVisible());
    EXPECT_EQ(fake.busyDepth, 0);
}

TEST_F(OnlineCommandsTest, AMissingFileOnTheServerIsNamed)
{
    trigger("mnuCheckForUpdates");
    trigger("mnuDownloadRecipes");
    const QString missing = QStringLiteral("Bestand niet gevonden op de Mostarium server: ");
    EXPECT_EQ(fake.prompts(), (QStringList{missing + online::UpdateDescriptor, missing + online::PublicRecipes}));
    EXPECT_TRUE(tempFiles().isEmpty());
}

TEST_F(OnlineCommandsTest, AFailedDownloadNamesItsCauseKeepsTheEarlierFileAndTheProgramGoesOn)
{
    const QString local = paths::file(QStringLiteral("temp/ZYM_public_recipes.zip"));
    const QString remote = online::PublicRecipes;
    struct Case {
        const char *what;
        qint64 size;           // of the archive on the server
        const char *marker;    // how the server sends it
        rlim_t fileSizeLimit;  // of this process during the download
        QString start, end;    // of the one message
        int style;
    };
    const std::vector<Case> cases = {
        {"sends more than announced", 5000, "overlong", RLIM_INFINITY, QStringLiteral("InternetReadFile"),
         QStringLiteral("De server stuurt meer dan de aangekondigde 5000 bytes; de download is afgebroken."),
         mb::OKOnly},
        {"drops the connection", 100000, "dropped", RLIM_INFINITY, QStringLiteral("InternetReadFile error code: "),
         QStringLiteral(" Message: De verbinding met de server is verbroken."), mb::OKOnly},
        {"larger than a download may be", qint64(80) << 20, nullptr, RLIM_INFINITY,
         QStringLiteral("Het bestand op de Mostarium server is te groot: ") + remote,
         QStringLiteral(" (80 MB; een download mag ten hoogste 64 MB zijn)."), mb::OKOnly},
        {"a full disk", 200000, nullptr, 64 * 1024,
         QStringLiteral("Download mislukt! Kan niet schrijven naar ") + local,
         QStringLiteral(" (het bestand wordt groter dan het systeem toestaat)"), mb::Critical},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        fake.clear();
        const QString marker = remote + u'.' + QLatin1String(c.marker ? c.marker : "");
        if (c.size > 200000) {
            server.put(remote, {});
            ASSERT_TRUE(makeLargeFile(server.path(remote), c.size));  // sparse: nothing is written
        } else {
            server.put(remote, patternBytes(c.size));
        }
        if (c.marker) {
            server.put(marker, {});
        }
        writeFileBytes(local, "earlier");
        {
            FullDisk disk(c.fileSizeLimit);
            trigger("mnuDownloadRecipes");
        }
        ASSERT_EQ(fake.messages.size(), 1u);
        const QString text = fake.messages[0].prompt;
        EXPECT_TRUE(text.startsWith(c.start)) << text.toStdString();
        EXPECT_TRUE(text.endsWith(c.end)) << text.toStdString();
        EXPECT_EQ(fake.messages[0].style, c.style);
        EXPECT_EQ(fileBytes(local), QByteArray("earlier"));
        EXPECT_EQ(tempFiles(), QStringList{QStringLiteral("ZYM_public_recipes.zip")});
        EXPECT_FALSE(bar()->isVisible());
        EXPECT_EQ(fake.busyDepth, 0);
        EXPECT_TRUE(item("mnuDownloadRecipes")->isEnabled());

        // The same command again, the archive sent as it should be.
        if (c.marker) {
            QFile::remove(server.path(marker));
        }
        server.put(remote, patternBytes(3000, 4));
        fake.clear();
        trigger("mnuDownloadRecipes");
        EXPECT_EQ(fake.prompts(), QStringList{QStringLiteral("Download succesvol! Het gedownloade bestand is te "
                                                             "vinden als ")
                                              + local});
        EXPECT_EQ(fileBytes(local), patternBytes(3000, 4));
    }
}

TEST_F(OnlineCommandsTest, NoConnectionWithoutAPasswordOrWithARefusedLogin)
{
    const QString local = paths::file(QStringLiteral("temp/Update.inf"));
    writeFileBytes(local, "[VersionInfo]\r\nRev=1.0.0\r\n");
    descriptor(QStringLiteral("2.0.0"), QStringLiteral("x.zip"));
    for (const QString &password : {QString(), QStringLiteral("verkeerd")}) {
        SCOPED_TRACE(password.toStdString());
        fake.clear();
        setAccount(QStringLiteral("Wachtwoord"), password);
        trigger("mnuCheckForUpdates");
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].prompt, NoConnection);
        EXPECT_EQ(fake.messages[0].style, mb::Critical);
        EXPECT_EQ(fileBytes(local), QByteArray("[VersionInfo]\r\nRev=1.0.0\r\n"));
    }
}

TEST_F(OnlineCommandsTest, BothCommandsAreDisabledDuringARun)
{
    server.put(online::PublicRecipes, patternBytes(30000));
    server.put(online::PublicRecipes + QStringLiteral(".slow"), {});
    bool checked = false;
    QObject::connect(online, &OnlineCommands::barMoved, [&] {
        if (checked)
            return;
        checked = true;
        EXPECT_FALSE(item("mnuCheckForUpdates")->isEnabled());
        EXPECT_FALSE(item("mnuDownloadRecipes")->isEnabled());
        EXPECT_FALSE(w->runCommand(QStringLiteral("mnuCheckForUpdates")));
        online->DownLoadPublicRecipesMostariumOnline();  // a second start returns at once
    });
    trigger("mnuDownloadRecipes");
    EXPECT_TRUE(checked);
    EXPECT_EQ(barShows, 1);
    EXPECT_EQ(fake.prompts().size(), 1);
    EXPECT_TRUE(item("mnuCheckForUpdates")->isEnabled());
    EXPECT_TRUE(item("mnuDownloadRecipes")->isEnabled());
}

TEST_F(OnlineCommandsTest, ClosingTheWindowStopsTheTransferAndKeepsTheEarlierFile)
{
    server.put(online::PublicRecipes, patternBytes(200000));
    server.put(online::PublicRecipes + QStringLiteral(".slow"), {});
    const QString local = paths::file(QStringLiteral("temp/ZYM_public_recipes.zip"));
    writeFileBytes(local, "earlier");
    bool closed = false;
    QObject::connect(online, &OnlineCommands::barMoved, [&] {
        if (!closed) {
            closed = true;
            w->close();
        }
    });
    QElapsedTimer t;
    t.start();
    trigger("mnuDownloadRecipes");
    EXPECT_TRUE(closed);
    EXPECT_LT(t.elapsed(), 5000);  // far less than the 10 s the whole file takes
    ASSERT_NE(online->client(), nullptr);
    EXPECT_TRUE(online->client()->stopped());
    EXPECT_FALSE(online->client()->busy());
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(fileBytes(local), QByteArray("earlier"));
    EXPECT_FALSE(QFileInfo::exists(local + QStringLiteral(".part")));
    EXPECT_EQ(fake.busyDepth, 0);
}

}  // namespace
}  // namespace mostarium::test

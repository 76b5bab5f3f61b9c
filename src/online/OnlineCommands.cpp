#include "OnlineCommands.h"

#include "FtpClient.h"
#include "UpdateRules.h"

#include "core/Ini.h"
#include "core/Paths.h"
#include "core/Revision.h"
#include "core/Services.h"
#include "core/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <exception>

namespace mostarium {

namespace {

const QString NoConnection = QStringLiteral("Geen verbinding met Mostarium server!");
const QString Succeeded = QStringLiteral("Download succesvol! Het gedownloade bestand is te vinden als ");
const QString NotFound = QStringLiteral("Bestand niet gevonden op de Mostarium server: ");
const QString EmptyFile = QStringLiteral("Het bestand op de Mostarium server is leeg: ");
const QString TooLarge = QStringLiteral("Het bestand op de Mostarium server is te groot: ");
const QString NotSaved = QStringLiteral("Download mislukt! ");

void trap(const char *sub, const std::exception &e)
{
    std::fprintf(stderr, "%s: %s\n", sub, e.what());
    services().msgBox(QStringLiteral("Error in Sub ") + QLatin1String(sub)
                          + QStringLiteral("! Controleer of U online bent."),
                      mb::Critical);
}

// The bar and the busy pointer around one download, also when it throws.
class BarShown {
public:
    explicit BarShown(OnlineCommands &c) : m_c(c) { emit m_c.barVisible(true); }
    ~BarShown() { emit m_c.barVisible(false); }
    BarShown(const BarShown &) = delete;
    BarShown &operator=(const BarShown &) = delete;

private:
    OnlineCommands &m_c;
    BusyCursor m_busy;
};

}  // namespace

OnlineAccount readOnlineAccount()
{
    const QString ini = paths::zymIni();
    const QString section = QStringLiteral("Online");
    OnlineAccount a;
    a.server = ReadINI(ini, section, QStringLiteral("Server"), QStringLiteral("www.zolv.nl")).trimmed();
    a.user = ReadINI(ini, section, QStringLiteral("Gebruiker"), QStringLiteral("zuroze")).trimmed();
    a.password = ReadINI(ini, section, QStringLiteral("Wachtwoord"), QString());
    const QString port = ReadINI(ini, section, QStringLiteral("Poort"), QStringLiteral("21")).trimmed();
    bool digits = !port.isEmpty() && port.size() <= 5;
    for (QChar c : port)
        digits = digits && c >= u'0' && c <= u'9';
    const int n = digits ? port.toInt() : 0;
    a.port = n > 0 && n <= 65535 ? n : 21;
    return a;
}

// Marks a command as running for its whole span.
class OnlineCommands::Run {
public:
    explicit Run(OnlineCommands &c) : m_c(c)
    {
        m_c.m_running = true;
        emit m_c.runningChanged(true);
    }
    ~Run()
    {
        m_c.m_running = false;
        emit m_c.runningChanged(false);
    }
    Run(const Run &) = delete;
    Run &operator=(const Run &) = delete;

private:
    OnlineCommands &m_c;
};

OnlineCommands::OnlineCommands(QObject *parent) : QObject(parent) {}

OnlineCommands::~OnlineCommands() = default;

void OnlineCommands::stop()
{
    if (mFTP)
        mFTP->stop();
}

void OnlineCommands::mFTP_FileTransferProgress(qint64 currentBytes, qint64 totalBytes)
{
    if (totalBytes > 0 && totalBytes >= currentBytes)
        emit barMoved(online::perMille(currentBytes, totalBytes));
}

bool OnlineCommands::connectClient()
{
    mFTP = std::make_unique<cFTP>();
    connect(mFTP.get(), &cFTP::FileTransferProgress, this, &OnlineCommands::mFTP_FileTransferProgress);
    mFTP->SetModeActive();
    mFTP->SetTransferBinary();
    const OnlineAccount a = readOnlineAccount();
    // Without a server or a password there is nothing to try.
    if (a.server.isEmpty() || a.password.isEmpty() || !mFTP->OpenConnection(a.server, a.user, a.password, a.port)) {
        if (!mFTP->stopped())
            services().msgBox(NoConnection, mb::Critical);
        return false;
    }
    mFTP->SetFTPDirectory(QStringLiteral("/"));
    return true;
}

bool OnlineCommands::download(const QString &local, const QString &remote, const char *sub)
{
    bool ok = false;
    try {
        ok = mFTP->FTPDownloadFile(local, remote);
    } catch (const LocalFileError &e) {
        // A full disk or a refused write: the connection was not at fault.
        if (!mFTP->stopped())
            services().msgBox(NotSaved + QString::fromUtf8(e.what()), mb::Critical);
        return false;
    } catch (const std::exception &e) {
        if (!mFTP->stopped())
            trap(sub, e);
        return false;
    }
    if (mFTP->stopped())
        return false;
    if (ok)
        return true;
    if (mFTP->lastRemoteSize() == -1)
        services().msgBox(NotFound + remote);
    else if (mFTP->lastRemoteSize() == 0)
        services().msgBox(EmptyFile + remote);
    else if (mFTP->lastRemoteSize() > mFTP->downloadLimit())
        services().msgBox(TooLarge + remote + QStringLiteral(" (")
                          + sizeText(mFTP->lastRemoteSize(), mFTP->downloadLimit()) + QStringLiteral("; ")
                          + downloadLimitText(mFTP->downloadLimit(), mFTP->lastRemoteSize()) + QStringLiteral(")."));
    else
        services().msgBox(mFTP->GetLastErrorMessage());
    return false;
}

void OnlineCommands::closeClient()
{
    services().processEvents();
    mFTP->CloseConnection();
}

void OnlineCommands::runConnected(const char *sub, const std::function<void()> &body)
{
    if (m_running)
        return;
    Run run(*this);
    if (!connectClient())
        return;
    try {
        body();
    } catch (const std::exception &e) {
        trap(sub, e);
    }
    closeClient();
}

void OnlineCommands::CheckForUpDates()
{
    runConnected("CheckForUpDates", [this] {
        const QString local = paths::file(QStringLiteral("temp/Update.inf"));
        if (QFileInfo::exists(local))
            QFile::remove(local);
        if (download(local, online::UpdateDescriptor, "CheckForUpDates")) {
            const QString rev = ReadINI(local, QStringLiteral("VersionInfo"), QStringLiteral("Rev"), QString());
            const ProgramVersion running = programVersion();
            services().msgBox(QStringLiteral("Meest Recente Versie is Rev: ") + rev + QStringLiteral("\r\n")
                              + QStringLiteral("Huidige Versie is Rev: ") + online::versionText(running));
            services().processEvents();
            const auto offered = online::parseVersion(rev);
            if (!offered) {
                services().msgBox(QStringLiteral("Update.inf bevat geen geldige versie: ") + rev, mb::Exclamation);
            } else if (online::isNewer(*offered, running)
                       && services().msgBox(QStringLiteral("Wilt U de meest Recente Versie Downloaden?"), mb::YesNo)
                              == mb::Yes) {
                const QString dfile = ReadINI(local, QStringLiteral("VersionInfo"), QStringLiteral("DFile"), QString());
                if (!online::isBareFileName(dfile)) {
                    services().msgBox(QStringLiteral("Update.inf bevat geen geldige bestandsnaam!"), mb::Exclamation);
                } else {
                    const QString target = paths::file(QStringLiteral("temp/") + dfile);
                    bool ok = false;
                    {
                        BarShown bar(*this);
                        ok = download(target, online::UpdateFolder + dfile, "CheckForUpDates");
                    }
                    if (ok)
                        services().msgBox(Succeeded + target);
                }
            }
        }
    });
}

void OnlineCommands::DownLoadPublicRecipesMostariumOnline()
{
    runConnected("DownLoadPublicRecipesMostariumOnline", [this] {
        const QString local = paths::file(QStringLiteral("temp/ZYM_public_recipes.zip"));
        bool ok = false;
        {
            BarShown bar(*this);
            ok = download(local, online::PublicRecipes, "DownLoadPublicRecipesMostariumOnline");
        }
        if (ok)
            services().msgBox(Succeeded + local);
    });
}

}  // namespace mostarium

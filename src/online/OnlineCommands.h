#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

// The two commands that reach the online service's FTP server: the update
// check and the download of the public recipes. They only fetch into the
// program's temp folder: nothing downloaded is opened, started or unpacked.
namespace mostarium {

class cFTP;

// Where the online service is: ZYM.ini, section Online.
struct OnlineAccount {
    QString server;
    int port = 21;
    QString user;
    QString password;
};
OnlineAccount readOnlineAccount();

namespace online {
inline const QString UpdateFolder = QStringLiteral("/www/templates/zolv/downloads/software/");
inline const QString UpdateDescriptor = QStringLiteral("/www/templates/zolv/downloads/software/Update.inf");
inline const QString PublicRecipes = QStringLiteral("/www/mostarium/ZYM_public_recipes.zip");
}  // namespace online

class OnlineCommands : public QObject {
    Q_OBJECT
public:
    explicit OnlineCommands(QObject *parent = nullptr);
    ~OnlineCommands() override;

    void CheckForUpDates();
    void DownLoadPublicRecipesMostariumOnline();
    // The client's progress: moves the bar while the total covers the count.
    void mFTP_FileTransferProgress(qint64 currentBytes, qint64 totalBytes);

    bool running() const { return m_running; }
    // The program closes: the transfer under way ends and its worker is
    // waited for; the run then ends without further messages.
    void stop();
    // The client of the last run (empty before the first).
    cFTP *client() const { return mFTP.get(); }

signals:
    void runningChanged(bool running);
    void barVisible(bool visible);
    void barMoved(int perMille);

private:
    class Run;
    // A new client, connected to the online service; null after the user
    // was told why not.
    bool connectClient();
    bool download(const QString &local, const QString &remote, const char *sub);
    void closeClient();
    // One command's run: refused while another runs, connected first, an
    // error reported under `sub`, the connection closed at the end.
    void runConnected(const char *sub, const std::function<void()> &body);

    std::unique_ptr<cFTP> mFTP;
    bool m_running = false;
};

}  // namespace mostarium

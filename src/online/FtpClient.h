#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stdexcept>

class QEventLoop;

// The program's FTP client on libcurl. Every operation answers true on
// success and keeps a readable text of the last failure; none shows a
// message. Each operation runs on a worker thread while this thread keeps
// its event loop turning, so the window stays usable during a transfer.
namespace mostarium {

// The largest file a download accepts: far above any update or recipe
// archive of the online service, far below what would fill a disk.
inline constexpr qint64 MaxDownloadSize = qint64(64) * 1024 * 1024;

// "een download mag ten hoogste 64 MB zijn": what a download may hold, as
// the messages about a file of `size` above the limit say it.
QString downloadLimitText(qint64 limit, qint64 size);

// A local file that cannot be opened, read or written: not a failure of the
// connection. what() names the file and the cause in Dutch (UTF-8).
class LocalFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class cFTP : public QObject {
    Q_OBJECT
public:
    explicit cFTP(QObject *parent = nullptr);
    ~cFTP() override;
    cFTP(const cFTP &) = delete;
    cFTP &operator=(const cFTP &) = delete;

    // The text of the last failure that stored one; a success or a missing
    // file leaves it as it was.
    QString GetLastErrorMessage() const { return m_lastError; }
    void CloseConnection();
    bool SimpleFTPPutFile(const QString &local, const QString &remote);
    bool RenameFTPFile(const QString &oldName, const QString &newName);
    bool CreateFTPDirectory(const QString &dir);
    bool RemoveFTPDirectory(const QString &dir);
    bool DeleteFTPFile(const QString &remote);
    // Logs in; the credentials stay in this object and go to the server only.
    bool OpenConnection(const QString &host, const QString &user, const QString &password, int port = 21);
    // Sends a local file in 255-byte blocks with a progress event per block.
    // Throws LocalFileError when the local file cannot be read; the remote
    // file is then not touched.
    bool FTPUploadFile(const QString &local, const QString &remote);
    // Fetches a remote file into "<local>.part" with a progress event per
    // 255-byte block and puts it in place of `local` only when it is whole.
    // A file announced larger than the download limit is refused before any
    // transfer, and a transfer that passes its announced size is stopped.
    // On every failure the ".part" goes and `local` stays as it was. Throws
    // LocalFileError when the local file cannot be written.
    bool FTPDownloadFile(const QString &local, const QString &remote);
    bool SimpleFTPGetFile(const QString &local, const QString &remote);
    QString GetFTPDirectory();
    bool SetFTPDirectory(const QString &dir);
    // The size in bytes; -1 when no such file exists, -2 on any other failure.
    qint64 GetFTPFileSize(const QString &remote);
    void SetTransferASCII() { m_ascii = true; }
    void SetTransferBinary() { m_ascii = false; }
    void SetModeActive() { m_passive = false; }
    void SetModePassive() { m_passive = true; }

    // The size the last download found before it fetched anything (-1: no
    // such file, 0: an empty file, above downloadLimit(): refused), so that
    // a caller can name the cause.
    qint64 lastRemoteSize() const { return m_lastRemoteSize; }
    qint64 downloadLimit() const { return m_downloadLimit; }
    // MaxDownloadSize unless a test sets a smaller one.
    void setDownloadLimit(qint64 bytes) { m_downloadLimit = bytes; }
    // Ends an operation under way and waits for its worker; every later
    // operation of this object fails at once. Called when the program closes.
    void stop();
    bool stopped() const { return m_stop.load(); }
    bool busy() const { return m_busy; }

signals:
    // Bytes moved so far and the size of the transfer.
    void FileTransferProgress(qint64 currentBytes, qint64 totalBytes);

private:
    struct Transfer;

    // Runs `job` on a worker thread and turns the event loop until it ends.
    void runWorker(const std::function<void()> &job);
    void workerFinished(quint64 generation);
    // Prepares the handle for one request to `url` with the shared settings.
    void prepare(const QByteArray &url);
    int perform();  // CURLcode
    void storeError(int code, const char *step, const QString &text = {});
    bool refusedWhileBusyOrClosed(const char *step);
    bool oneCommand(const QString &command, const char *step);
    QString absolute(const QString &path) const;
    QByteArray urlOf(const QString &absolutePath) const;
    bool download(const QString &local, const QString &remote, qint64 size, bool events, const char *openStep,
                  const char *blockStep, const char *restStep);
    bool upload(const QString &local, const QString &remote, bool events, const char *openStep, const char *blockStep,
                const char *restStep);
    void postProgress(qint64 current, qint64 total);

    static size_t discard(char *data, size_t size, size_t count, void *);
    static size_t onHeader(char *data, size_t size, size_t count, void *self);
    static int onProgress(void *self, std::int64_t, std::int64_t, std::int64_t, std::int64_t);

    void *m_curl = nullptr;  // CURL *
    bool m_connected = false;
    bool m_ascii = true;
    bool m_passive = false;
    QByteArray m_base;  // "ftp://host:port"
    QByteArray m_user, m_password;
    QString m_cwd = QStringLiteral("/");
    QString m_lastError;
    qint64 m_lastRemoteSize = 0;
    qint64 m_downloadLimit = MaxDownloadSize;

    // The server's last complete reply of the request under way.
    QString m_replyLines;
    QString m_lastReply;
    int m_lastReplyCode = 0;
    bool m_transferStarted = false;

    bool m_busy = false;
    std::atomic<bool> m_stop{false};
    std::mutex m_doneMutex;
    std::condition_variable m_doneCv;
    bool m_workerDone = true;
    QEventLoop *m_loop = nullptr;
    quint64 m_generation = 0;
};

}  // namespace mostarium

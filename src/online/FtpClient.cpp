#include "FtpClient.h"

#include "core/WholeFile.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <curl/curl.h>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace mostarium {

namespace {

constexpr qint64 Block = 255;

CURL *handle(void *p) { return static_cast<CURL *>(p); }

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// A command line to the server: no line ends or other control characters.
bool sendable(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    return true;
}

QString localText(const QString &what, const QString &path, const QString &reason)
{
    return what + path + QStringLiteral(" (") + reason + u')';
}

// Our own text for each outcome of a request: curl's error buffer keeps the
// first note of a request, also one it went past, so it is never shown.
QString curlText(int code)
{
    switch (code) {
    case CURLE_OK:
        return QStringLiteral("Geen fout.");
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return QStringLiteral("De naam van de server is niet gevonden. Controleer of U online bent.");
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("De server is niet bereikbaar. Controleer of U online bent.");
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("De server antwoordt niet op tijd.");
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
        return QStringLiteral("De gegevensverbinding met de server kwam niet tot stand.");
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
        return QStringLiteral("De verbinding met de server is verbroken.");
    case CURLE_LOGIN_DENIED:
        return QStringLiteral("De server weigert de aanmelding.");
    case CURLE_REMOTE_ACCESS_DENIED:
        return QStringLiteral("De server weigert de toegang.");
    case CURLE_REMOTE_FILE_NOT_FOUND:
        return QStringLiteral("Het bestand bestaat niet op de server.");
    case CURLE_FILESIZE_EXCEEDED:
        return QStringLiteral("Het bestand is groter dan een download mag zijn.");
    case CURLE_UPLOAD_FAILED:
        return QStringLiteral("De server weigert het bestand.");
    case CURLE_WRITE_ERROR:
        return QStringLiteral("Schrijven naar het lokale bestand is mislukt.");
    case CURLE_READ_ERROR:
        return QStringLiteral("Lezen uit het lokale bestand is mislukt.");
    case CURLE_OUT_OF_MEMORY:
        return QStringLiteral("Onvoldoende geheugen.");
    case CURLE_URL_MALFORMAT:
        return QStringLiteral("Ongeldig adres.");
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("Afgebroken.");
    case CURLE_FAILED_INIT:
        return QStringLiteral("De verbinding kon niet worden voorbereid.");
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_QUOTE_ERROR:
    case CURLE_RANGE_ERROR:
    case CURLE_BAD_DOWNLOAD_RESUME:
        return QStringLiteral("De server gaf een onverwacht antwoord.");
    default:
        return QStringLiteral("Onverwachte fout in de verbinding met de server.");
    }
}

// Removes "<name>.part" unless the download was put in place.
class PartFile {
public:
    explicit PartFile(const QString &path) : m_name(QFile::encodeName(path)) {}
    ~PartFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_kept)
            ::unlink(m_name.constData());
    }
    PartFile(const PartFile &) = delete;
    PartFile &operator=(const PartFile &) = delete;

    // A fresh file of our own: whatever lay under the name goes first, and
    // neither a link nor a pipe is followed.
    bool open()
    {
        ::unlink(m_name.constData());
        m_fd = ::open(m_name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (m_fd < 0)
            m_kept = true;  // not ours: left alone
        return m_fd >= 0;
    }
    int fd() const { return m_fd; }
    // Flushes to the disk and closes; errno on failure.
    bool finish()
    {
        const bool synced = ::fsync(m_fd) == 0;
        const int err = errno;
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        if (!synced)
            errno = err;
        return synced && closed;
    }
    bool replace(const QString &target)
    {
        if (std::rename(m_name.constData(), QFile::encodeName(target).constData()) != 0)
            return false;
        m_kept = true;
        return true;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    bool m_kept = false;
};

}  // namespace

QString downloadLimitText(qint64 limit, qint64 size)
{
    return QStringLiteral("een download mag ten hoogste %1 zijn").arg(sizeText(limit, size));
}

// What one transfer's callbacks share with the worker.
struct cFTP::Transfer {
    cFTP *client = nullptr;
    QFile *file = nullptr;  // an upload's source
    int fd = -1;            // a download's target
    qint64 size = 0;
    qint64 allowed = -1;  // a download stops past this many bytes
    qint64 count = 0;
    qint64 nextEvent = Block;
    qint64 lastBlockEnd = 0;  // the end of the last full block
    bool events = false;
    bool localFailed = false;
    bool overlong = false;
    QString localReason;

    // A progress event for every full block the count has passed.
    void passed()
    {
        if (!events)
            return;
        while (nextEvent <= lastBlockEnd && nextEvent <= count) {
            client->postProgress(nextEvent, size);
            nextEvent += Block;
        }
    }

    static size_t write(char *data, size_t size, size_t n, void *p)
    {
        auto *t = static_cast<Transfer *>(p);
        const qint64 bytes = static_cast<qint64>(size * n);
        // More than the server announced: nothing of it is kept.
        if (t->allowed >= 0 && t->count + bytes > t->allowed) {
            t->overlong = true;
            return 0;
        }
        // Only what arrived is written, every write checked.
        for (qint64 done = 0; done < bytes;) {
            const ssize_t w = ::write(t->fd, data + done, static_cast<size_t>(bytes - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                t->localFailed = true;
                t->localReason = writeFailureText(w < 0 ? errno : ENOSPC);
                return 0;
            }
            done += w;
        }
        t->count += bytes;
        t->passed();
        return size * n;
    }

    static size_t read(char *data, size_t size, size_t n, void *p)
    {
        auto *t = static_cast<Transfer *>(p);
        const qint64 got = t->file->read(data, static_cast<qint64>(size * n));
        if (got < 0) {
            t->localFailed = true;
            t->localReason = t->file->errorString();
            return CURL_READFUNC_ABORT;
        }
        t->count += got;
        t->passed();
        return static_cast<size_t>(got);
    }
};

cFTP::cFTP(QObject *parent) : QObject(parent)
{
    globalInit();
    m_curl = curl_easy_init();
    if (!m_curl)
        storeError(CURLE_FAILED_INIT, "InternetOpen");
}

cFTP::~cFTP()
{
    stop();
    if (m_curl)
        curl_easy_cleanup(handle(m_curl));
}

void cFTP::stop()
{
    m_stop = true;
    std::unique_lock lock(m_doneMutex);
    m_doneCv.wait(lock, [this] { return m_workerDone; });
}

void cFTP::runWorker(const std::function<void()> &job)
{
    m_busy = true;
    const quint64 generation = ++m_generation;
    {
        std::lock_guard lock(m_doneMutex);
        m_workerDone = false;
    }
    std::thread worker([this, &job, generation] {
        job();
        {
            std::lock_guard lock(m_doneMutex);
            m_workerDone = true;
        }
        m_doneCv.notify_all();
        QMetaObject::invokeMethod(
            this, [this, generation] { workerFinished(generation); }, Qt::QueuedConnection);
    });
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    // The loop also ends when the program quits: the transfer goes with it.
    m_stop = m_stop.load() || [this] {
        std::lock_guard lock(m_doneMutex);
        return !m_workerDone;
    }();
    worker.join();
    m_busy = false;
}

void cFTP::workerFinished(quint64 generation)
{
    if (m_loop && generation == m_generation)
        m_loop->quit();
}

void cFTP::postProgress(qint64 current, qint64 total)
{
    QMetaObject::invokeMethod(
        this, [this, current, total] { emit FileTransferProgress(current, total); }, Qt::QueuedConnection);
}

size_t cFTP::onHeader(char *data, size_t size, size_t count, void *self)
{
    auto *c = static_cast<cFTP *>(self);
    const size_t bytes = size * count;
    QString line = QString::fromUtf8(data, static_cast<qsizetype>(bytes));
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    const bool coded = line.size() >= 3 && line.at(0).isDigit() && line.at(1).isDigit() && line.at(2).isDigit();
    // curl also hands over lines of its own ("Content-Length: ..."): not
    // the server's words.
    if (!coded && c->m_replyLines.isEmpty())
        return bytes;
    if (!c->m_replyLines.isEmpty())
        c->m_replyLines += u'\n';
    c->m_replyLines += line;
    // "123 text" ends a reply; "123-text" lines belong to the one under way.
    if (coded && (line.size() == 3 || line.at(3) == u' ')) {
        c->m_lastReplyCode = line.left(3).toInt();
        c->m_lastReply = c->m_replyLines;
        c->m_replyLines.clear();
        if (c->m_lastReplyCode == 125 || c->m_lastReplyCode == 150)
            c->m_transferStarted = true;
    }
    return bytes;
}

size_t cFTP::discard(char *, size_t size, size_t count, void *) { return size * count; }

int cFTP::onProgress(void *self, std::int64_t, std::int64_t, std::int64_t, std::int64_t)
{
    return static_cast<cFTP *>(self)->m_stop.load() ? 1 : 0;
}

void cFTP::prepare(const QByteArray &url)
{
    CURL *c = handle(m_curl);
    // Reset keeps the live connection, so every request reuses the login.
    curl_easy_reset(c);
    m_replyLines.clear();
    m_lastReply.clear();
    m_lastReplyCode = 0;
    m_transferStarted = false;
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(c, CURLOPT_USERNAME, m_user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, m_password.constData());
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Mostarium FTP Client");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_ACCEPTTIMEOUT_MS, 20000L);
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 30L);
    curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(c, CURLOPT_FTPPORT, m_passive ? nullptr : "-");
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &cFTP::onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, this);
    // A size query would print what it learnt.
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &cFTP::discard);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &cFTP::onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
}

int cFTP::perform()
{
    int code = CURLE_ABORTED_BY_CALLBACK;
    if (m_stop)
        return code;
    runWorker([this, &code] { code = curl_easy_perform(handle(m_curl)); });
    return code;
}

void cFTP::storeError(int code, const char *step, const QString &text)
{
    // The server said no: its own words tell the user most.
    if (text.isEmpty() && m_lastReplyCode >= 400 && !m_lastReply.isEmpty()) {
        m_lastError = m_lastReply;
        return;
    }
    const QString message = text.isEmpty() ? curlText(code) : text;
    m_lastError = QString::fromLatin1(step) + QStringLiteral(" error code: ") + QString::number(code)
                  + QStringLiteral(" Message: ") + message;
}

bool cFTP::refusedWhileBusyOrClosed(const char *step)
{
    // One operation at a time: a handler may run while a transfer waits.
    if (m_busy || m_stop)
        return true;
    if (!m_curl || !m_connected) {
        storeError(CURLE_FAILED_INIT, step, QStringLiteral("Geen verbinding met de server."));
        return true;
    }
    return false;
}

QString cFTP::absolute(const QString &path) const
{
    if (path.startsWith(u'/'))
        return path;
    QString dir = m_cwd;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir + path;
}

QByteArray cFTP::urlOf(const QString &absolutePath) const
{
    // "%2F" keeps the leading "/" in the path the server gets.
    QByteArray url = m_base + "/%2F";
    const QStringList parts = absolutePath.mid(1).split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            url += '/';
        const QByteArray utf8 = parts.at(i).toUtf8();
        char *escaped = curl_easy_escape(handle(m_curl), utf8.constData(), static_cast<int>(utf8.size()));
        url += escaped;
        curl_free(escaped);
    }
    return url;
}

bool cFTP::OpenConnection(const QString &host, const QString &user, const QString &password, int port)
{
    if (m_busy || m_stop || !m_curl)
        return false;
    if (m_connected)
        CloseConnection();
    const QString h = host.trimmed();
    bool hostOk = !h.isEmpty() && sendable(h) && port > 0 && port <= 65535;
    for (QChar c : h)
        if (c.isSpace() || c == u'/' || c == u'@' || c == u'?' || c == u'#' || c == u'\\')
            hostOk = false;
    if (!hostOk) {
        storeError(CURLE_URL_MALFORMAT, "InternetConnect", QStringLiteral("Ongeldige servernaam of poort."));
        return false;
    }
    const QString name = h.contains(u':') && !h.startsWith(u'[') ? u'[' + h + u']' : h;
    m_base = "ftp://" + name.toUtf8() + ':' + QByteArray::number(port);
    m_user = user.toUtf8();
    m_password = password.toUtf8();
    prepare(m_base + '/');
    curl_easy_setopt(handle(m_curl), CURLOPT_NOBODY, 1L);
    const int code = perform();
    if (code != CURLE_OK) {
        storeError(code, "InternetConnect");
        return false;
    }
    char *entry = nullptr;
    curl_easy_getinfo(handle(m_curl), CURLINFO_FTP_ENTRY_PATH, &entry);
    m_cwd = entry && *entry ? QString::fromUtf8(entry) : QStringLiteral("/");
    m_connected = true;
    return true;
}

void cFTP::CloseConnection()
{
    if (!m_connected || m_busy || !m_curl)
        return;
    m_connected = false;
    CURL *old = handle(m_curl);
    m_curl = curl_easy_init();
    // The goodbye to the server waits on its answer: not on this thread, and
    // not for long.
    curl_easy_setopt(old, CURLOPT_SERVER_RESPONSE_TIMEOUT, 5L);
    runWorker([old] { curl_easy_cleanup(old); });
    m_cwd = QStringLiteral("/");
}

bool cFTP::oneCommand(const QString &command, const char *step)
{
    if (refusedWhileBusyOrClosed(step))
        return false;
    if (!sendable(command)) {
        storeError(CURLE_URL_MALFORMAT, step, QStringLiteral("Ongeldige naam."));
        return false;
    }
    prepare(m_base + '/');
    const QByteArray text = command.toUtf8();
    curl_slist *list = curl_slist_append(nullptr, text.constData());
    curl_easy_setopt(handle(m_curl), CURLOPT_QUOTE, list);
    curl_easy_setopt(handle(m_curl), CURLOPT_NOBODY, 1L);
    const int code = perform();
    curl_slist_free_all(list);
    if (code != CURLE_OK) {
        storeError(code, step);
        return false;
    }
    return true;
}

bool cFTP::RenameFTPFile(const QString &oldName, const QString &newName)
{
    if (refusedWhileBusyOrClosed("RenameFTPFile"))
        return false;
    if (!sendable(oldName) || !sendable(newName)) {
        storeError(CURLE_URL_MALFORMAT, "RenameFTPFile", QStringLiteral("Ongeldige naam."));
        return false;
    }
    prepare(m_base + '/');
    const QByteArray from = (QStringLiteral("RNFR ") + absolute(oldName)).toUtf8();
    const QByteArray to = (QStringLiteral("RNTO ") + absolute(newName)).toUtf8();
    curl_slist *list = curl_slist_append(nullptr, from.constData());
    list = curl_slist_append(list, to.constData());
    curl_easy_setopt(handle(m_curl), CURLOPT_QUOTE, list);
    curl_easy_setopt(handle(m_curl), CURLOPT_NOBODY, 1L);
    const int code = perform();
    curl_slist_free_all(list);
    if (code != CURLE_OK) {
        storeError(code, "RenameFTPFile");
        return false;
    }
    return true;
}

bool cFTP::CreateFTPDirectory(const QString &dir)
{
    return oneCommand(QStringLiteral("MKD ") + absolute(dir), "CreateFTPDirectory");
}

bool cFTP::RemoveFTPDirectory(const QString &dir)
{
    return oneCommand(QStringLiteral("RMD ") + absolute(dir), "RemoveFTPDirectory");
}

bool cFTP::DeleteFTPFile(const QString &remote)
{
    return oneCommand(QStringLiteral("DELE ") + absolute(remote), "DeleteFTPFile");
}

QString cFTP::GetFTPDirectory()
{
    if (refusedWhileBusyOrClosed("FtpGetCurrentDirectory"))
        return {};
    return m_cwd;
}

bool cFTP::SetFTPDirectory(const QString &dir)
{
    const QString target = absolute(dir);
    if (!oneCommand(QStringLiteral("CWD ") + target, "FtpSetCurrentDirectory"))
        return false;
    m_cwd = target;
    return true;
}

qint64 cFTP::GetFTPFileSize(const QString &remote)
{
    if (refusedWhileBusyOrClosed("FtpFindFirstFile"))
        return -2;
    prepare(urlOf(absolute(remote)));
    // Asked in binary: some servers refuse SIZE in ASCII, and only the byte
    // count is wanted.
    curl_easy_setopt(handle(m_curl), CURLOPT_NOBODY, 1L);
    curl_easy_setopt(handle(m_curl), CURLOPT_TRANSFERTEXT, 0L);
    const int code = perform();
    if (code == CURLE_REMOTE_FILE_NOT_FOUND)
        return -1;
    if (code != CURLE_OK) {
        storeError(code, "FtpFindFirstFile");
        return -2;
    }
    curl_off_t size = -1;
    curl_easy_getinfo(handle(m_curl), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    if (size < 0) {
        storeError(CURLE_FTP_COULDNT_RETR_FILE, "FtpFindFirstFile",
                   QStringLiteral("De server noemt de grootte van het bestand niet."));
        return -2;
    }
    return static_cast<qint64>(size);
}

bool cFTP::download(const QString &local, const QString &remote, qint64 size, bool events, const char *openStep,
                    const char *blockStep, const char *restStep)
{
    // A failed download never touches an earlier good copy, and leaves no
    // ".part" behind.
    const auto localFailure = [&](const QString &reason) {
        const QString why = localText(QStringLiteral("Kan niet schrijven naar "), local, reason);
        if (events)
            throw LocalFileError(why.toStdString());
        storeError(CURLE_WRITE_ERROR, openStep, why);
        return false;
    };
    PartFile part(local + QStringLiteral(".part"));
    if (!part.open())
        return localFailure(writeFailureText(errno));
    Transfer t;
    t.client = this;
    t.fd = part.fd();
    t.size = size;
    // The announced size bounds the transfer; a line-end conversion in ASCII
    // may at most double it. Without an announced size the limit holds.
    t.allowed = size < 0 ? m_downloadLimit : (m_ascii ? std::min(2 * size, m_downloadLimit) : size);
    t.events = events;
    t.lastBlockEnd = size > 0 ? size / Block * Block : 0;
    prepare(urlOf(absolute(remote)));
    curl_easy_setopt(handle(m_curl), CURLOPT_TRANSFERTEXT, m_ascii ? 1L : 0L);
    curl_easy_setopt(handle(m_curl), CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_downloadLimit));
    // Read to the end of what the server sends, not to a size curl asked for
    // itself: bytes past the announced size must be seen to be refused.
    curl_easy_setopt(handle(m_curl), CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
    curl_easy_setopt(handle(m_curl), CURLOPT_WRITEFUNCTION, &Transfer::write);
    curl_easy_setopt(handle(m_curl), CURLOPT_WRITEDATA, &t);
    int code = perform();
    const bool started = m_transferStarted || t.count > 0;
    if (code == CURLE_OK && size >= 0 && t.count < size)
        code = CURLE_PARTIAL_FILE;
    if (code == CURLE_OK && (!part.finish() || !part.replace(local)))
        return localFailure(writeFailureText(errno));
    if (code == CURLE_OK) {
        // The block events are all in by now: the last one goes straight out.
        if (events)
            emit FileTransferProgress(t.count, t.count);
        return true;
    }
    if (t.localFailed)
        return localFailure(t.localReason);
    if (m_stop)
        return false;
    const char *step = !started ? openStep : (t.count >= t.lastBlockEnd ? restStep : blockStep);
    if (t.overlong) {
        storeError(CURLE_FILESIZE_EXCEEDED, step,
                   size < 0 ? QStringLiteral("Het bestand is groter dan %1; de download is afgebroken.")
                                  .arg(sizeText(m_downloadLimit))
                            : QStringLiteral("De server stuurt meer dan de aangekondigde %1 bytes; de download is "
                                             "afgebroken.")
                                  .arg(size));
        return false;
    }
    storeError(code, step);
    return false;
}

bool cFTP::FTPDownloadFile(const QString &local, const QString &remote)
{
    const QString l = local.trimmed(), r = remote.trimmed();
    if (l.isEmpty() || r.isEmpty() || m_busy)
        return false;
    m_lastRemoteSize = GetFTPFileSize(r);
    if (m_lastRemoteSize <= 0)
        return false;
    if (m_lastRemoteSize > m_downloadLimit) {
        storeError(CURLE_FILESIZE_EXCEEDED, "FtpOpenFile:GetFile",
                   QStringLiteral("Het bestand is %1 groot; %2.")
                       .arg(sizeText(m_lastRemoteSize, m_downloadLimit),
                            downloadLimitText(m_downloadLimit, m_lastRemoteSize)));
        return false;
    }
    return download(l, r, m_lastRemoteSize, true, "FtpOpenFile:GetFile", "InternetReadFile", "InternetReadFile2");
}

bool cFTP::SimpleFTPGetFile(const QString &local, const QString &remote)
{
    const QString l = local.trimmed(), r = remote.trimmed();
    if (l.isEmpty() || r.isEmpty() || refusedWhileBusyOrClosed("SimpleFtpGetFile"))
        return false;
    return download(l, r, -1, false, "SimpleFtpGetFile", "SimpleFtpGetFile", "SimpleFtpGetFile");
}

bool cFTP::upload(const QString &local, const QString &remote, bool events, const char *openStep, const char *blockStep,
                  const char *restStep)
{
    // The local file first: a file that is not there leaves the server alone.
    QFile file(local);
    const QFileInfo info(local);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        const QString why =
            localText(QStringLiteral("Kan niet lezen uit "), local,
                      info.exists() && !info.isFile() ? QStringLiteral("geen gewoon bestand") : file.errorString());
        if (events)
            throw LocalFileError(why.toStdString());
        storeError(CURLE_READ_ERROR, openStep, why);
        return false;
    }
    if (refusedWhileBusyOrClosed(openStep))
        return false;
    Transfer t;
    t.client = this;
    t.file = &file;
    t.size = file.size();
    t.events = events;
    t.lastBlockEnd = t.size / Block * Block;
    prepare(urlOf(absolute(remote)));
    curl_easy_setopt(handle(m_curl), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle(m_curl), CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(t.size));
    curl_easy_setopt(handle(m_curl), CURLOPT_TRANSFERTEXT, m_ascii ? 1L : 0L);
    curl_easy_setopt(handle(m_curl), CURLOPT_READFUNCTION, &Transfer::read);
    curl_easy_setopt(handle(m_curl), CURLOPT_READDATA, &t);
    int code = perform();
    if (code == CURLE_OK && t.count < t.size)
        code = CURLE_PARTIAL_FILE;
    file.close();
    if (code == CURLE_OK) {
        // The block events are all in by now: the last one goes straight out.
        if (events)
            emit FileTransferProgress(t.count, t.count);
        return true;
    }
    if (t.localFailed) {
        const QString why = localText(QStringLiteral("Kan niet lezen uit "), local, t.localReason);
        if (events)
            throw LocalFileError(why.toStdString());
        storeError(CURLE_READ_ERROR, openStep, why);
        return false;
    }
    if (m_stop)
        return false;
    const bool started = m_transferStarted;
    const char *step = !started ? openStep : (t.count >= t.lastBlockEnd ? restStep : blockStep);
    storeError(code, step);
    return false;
}

bool cFTP::FTPUploadFile(const QString &local, const QString &remote)
{
    const QString l = local.trimmed(), r = remote.trimmed();
    if (l.isEmpty() || r.isEmpty() || m_busy)
        return false;
    return upload(l, r, true, "FtpOpenFile:PutFile", "InternetWriteFile", "InternetWriteFile2");
}

bool cFTP::SimpleFTPPutFile(const QString &local, const QString &remote)
{
    const QString l = local.trimmed(), r = remote.trimmed();
    if (l.isEmpty() || r.isEmpty() || m_busy)
        return false;
    return upload(l, r, false, "SimpleFtpPutFile", "SimpleFtpPutFile", "SimpleFtpPutFile");
}

}  // namespace mostarium

#include "WholeFile.h"

#include "Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mostarium {

namespace {

FileRead readOpened(QFile &f, qint64 maxBytes, QByteArray &bytes)
{
    bytes = f.read(maxBytes + 1);
    if (f.error() != QFileDevice::NoError) {
        bytes.clear();
        return FileRead::Unreadable;
    }
    // It may have grown since we looked at its size.
    if (bytes.size() > maxBytes) {
        bytes.clear();
        return FileRead::TooLarge;
    }
    return FileRead::Ok;
}

QString sizeText(qint64 bytes)
{
    constexpr qint64 MB = 1024 * 1024;
    if (bytes >= MB && bytes % MB == 0)
        return QString::number(bytes / MB) + QStringLiteral(" MB");
    return QString::number((bytes + 1023) / 1024) + QStringLiteral(" kB");
}

}  // namespace

FileRead readWholeFile(const QString &path, qint64 maxBytes, QByteArray &bytes)
{
    bytes.clear();
    if (path.isEmpty())
        return FileRead::Missing;
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable;
    if (!S_ISREG(st.st_mode))
        return FileRead::NotRegular;
    if (st.st_size > maxBytes)
        return FileRead::TooLarge;
    // Opened without waiting and looked at again: what was a file a moment
    // ago may be a pipe now, and opening a pipe would wait for a writer.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileRead::NotRegular;
    }
    QFile f;
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileRead::Unreadable;
    }
    return readOpened(f, maxBytes, bytes);
#else
    const QFileInfo fi(path);
    if (!fi.exists())
        return FileRead::Missing;
    if (!fi.isFile())
        return FileRead::NotRegular;
    if (fi.size() > maxBytes)
        return FileRead::TooLarge;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return FileRead::Unreadable;
    return readOpened(f, maxBytes, bytes);
#endif
}

QString refusedFileText(const QString &name, FileRead why, qint64 maxBytes)
{
    switch (why) {
    case FileRead::Ok:
    case FileRead::Missing:
        return QString();
    case FileRead::NotRegular:
        return name + QStringLiteral(" is geen gewoon bestand en wordt niet gelezen!");
    case FileRead::TooLarge:
        return name + QStringLiteral(" is groter dan ") + sizeText(maxBytes)
               + QStringLiteral(" en wordt niet gelezen!");
    case FileRead::Unreadable:
        return name + QStringLiteral(" kan niet gelezen worden!");
    }
    return QString();
}

bool writeWholeFile(const QString &path, QByteArrayView bytes, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo fi(path);
    if (fi.exists() && !fi.isFile())
        return fail(QStringLiteral("geen gewoon bestand"));
    if (fi.exists() && !(fi.permissions() & QFileDevice::WriteOwner))
        return fail(QStringLiteral("het bestand is alleen-lezen"));

    QSaveFile f(path);
    // The system's error number of the step that failed, read at once; Qt's
    // own text where there is none.
    const auto reason = [&f] {
        const int err = errno;
        return err != 0 ? writeFailureText(err) : f.errorString();
    };
    errno = 0;
    // Unbuffered: a failing write shows at the write itself. QSaveFile's
    // commit() does not notice a last buffered flush that failed.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(reason());
    qsizetype done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 n = f.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            const QString why = reason();
            f.cancelWriting();
            return fail(why);
        }
        done += qsizetype(n);
    }
    errno = 0;
    if (!f.flush() || f.error() != QFileDevice::NoError) {
        const QString why = reason();
        f.cancelWriting();
        return fail(why);
    }
    errno = 0;
    if (!f.commit())
        return fail(reason());
    return true;
}

QString writeFailureText(int err)
{
    switch (err) {
    case ENOSPC:
        return QStringLiteral("de schijf is vol");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("de schijfruimte van de gebruiker is op");
#endif
    case EFBIG:
        return QStringLiteral("het bestand wordt groter dan het systeem toestaat");
    case EACCES:
    case EPERM:
        return QStringLiteral("schrijven is niet toegestaan");
    case EROFS:
        return QStringLiteral("de schijf is alleen-lezen");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("de map bestaat niet");
    case EISDIR:
    case EEXIST:
        return QStringLiteral("er staat al iets anders onder die naam");
    case EIO:
        return QStringLiteral("schrijffout van de schijf");
    default:
        return QStringLiteral("systeemfout ") + QString::number(err);
    }
}

QString notWrittenText(const QString &path, const QString &reason)
{
    return QStringLiteral("Het bestand ") + QDir::toNativeSeparators(path)
           + QStringLiteral(" kon niet worden opgeslagen")
           + (reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + u')') + u'.';
}

void showNotWritten(const QString &path)
{
    services().msgBox(notWrittenText(path), mb::Exclamation, QStringLiteral("Attentie!"));
}

}  // namespace mostarium

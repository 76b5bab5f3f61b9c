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

}  // namespace

namespace {

constexpr qint64 kB = 1024, MB = 1024 * kB;

QString exactSizeText(qint64 bytes)
{
    return bytes == 1 ? QStringLiteral("1 byte") : QString::number(bytes) + QStringLiteral(" bytes");
}

// In bytes below 1 kB, else in kB or MB to a tenth.
QString tenthsSizeText(qint64 bytes)
{
    if (bytes < kB)
        return exactSizeText(bytes);
    // The unit is chosen after rounding, so that 1048575 bytes read "1.0 MB".
    const qint64 kiloTenths = qRound64(double(bytes) * 10 / kB);
    if (kiloTenths < 10 * kB)
        return QString::number(double(kiloTenths) / 10, 'f', 1) + QStringLiteral(" kB");
    return QString::number(double(bytes) / MB, 'f', 1) + QStringLiteral(" MB");
}

}  // namespace

QString sizeText(qint64 bytes, qint64 beside)
{
    if (beside >= 0 && beside != bytes && tenthsSizeText(beside) == tenthsSizeText(bytes))
        return exactSizeText(bytes);
    if (bytes >= MB && bytes % MB == 0)
        return QString::number(bytes / MB) + QStringLiteral(" MB");
    if (bytes >= kB && bytes < MB && bytes % kB == 0)
        return QString::number(bytes / kB) + QStringLiteral(" kB");
    return tenthsSizeText(bytes);
}

namespace {

// What stands at `path`, looked at without opening it: Missing, Folder,
// NotRegular, Unreadable (the look itself failed) or Ok for a regular file,
// whose size then goes to *size.
FileRead lookAt(const QString &path, qint64 *size = nullptr)
{
    if (path.isEmpty())
        return FileRead::Missing;
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable;
    if (S_ISDIR(st.st_mode))
        return FileRead::Folder;
    if (!S_ISREG(st.st_mode))
        return FileRead::NotRegular;
    if (size)
        *size = qint64(st.st_size);
#else
    const QFileInfo fi(path);
    if (!fi.exists())
        return FileRead::Missing;
    if (fi.isDir())
        return FileRead::Folder;
    if (!fi.isFile())
        return FileRead::NotRegular;
    if (size)
        *size = fi.size();
#endif
    return FileRead::Ok;
}

}  // namespace

FileRead readWholeFile(const QString &path, qint64 maxBytes, QByteArray &bytes)
{
    bytes.clear();
    qint64 size = 0;
    if (const FileRead kind = lookAt(path, &size); kind != FileRead::Ok)
        return kind;
    if (size > maxBytes)
        return FileRead::TooLarge;
#ifdef Q_OS_UNIX
    // Opened without waiting and looked at again: what was a file a moment
    // ago may be a pipe now, and opening a pipe would wait for a writer.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? FileRead::Folder : FileRead::NotRegular;
    }
    QFile f;
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileRead::Unreadable;
    }
    return readOpened(f, maxBytes, bytes);
#else
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
    case FileRead::Folder:
        return name + QStringLiteral(" is een map en wordt niet gelezen!");
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

QString notAFileText(const QString &path)
{
    const FileRead kind = lookAt(path);
    if (kind != FileRead::Folder && kind != FileRead::NotRegular)
        return QString();
    return refusedFileText(QDir::toNativeSeparators(path), kind);
}

bool writeWholeFile(const QString &path, QByteArrayView bytes, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const FileRead kind = lookAt(path);
    if (kind == FileRead::Folder || kind == FileRead::NotRegular)
        return fail(readFailureText(kind));
    const QFileInfo fi(path);
    if (kind == FileRead::Ok && !(fi.permissions() & QFileDevice::WriteOwner))
        return fail(QStringLiteral("het bestand is alleen-lezen"));

    // The system's error number is taken at once after each failing step,
    // before anything else can change it.
    QSaveFile f(path);
    errno = 0;
    // Unbuffered: a failing write shows at the write itself. QSaveFile's
    // commit() does not notice a last buffered flush that failed.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(writeFailureText(errno));
    qsizetype done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 n = f.write(bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            const int err = errno;
            f.cancelWriting();
            return fail(writeFailureText(err));
        }
        done += qsizetype(n);
    }
    errno = 0;
    if (!f.flush() || f.error() != QFileDevice::NoError) {
        const int err = errno;
        f.cancelWriting();
        return fail(writeFailureText(err));
    }
    errno = 0;
    if (!f.commit())
        return fail(writeFailureText(errno));
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
    case 0:
        return QStringLiteral("oorzaak onbekend");
    default:
        return QStringLiteral("systeemfout ") + QString::number(err);
    }
}

QString readFailureText(FileRead why, qint64 maxBytes)
{
    switch (why) {
    case FileRead::Ok:
    case FileRead::Missing:
        return QString();
    case FileRead::Folder:
        return QStringLiteral("het is een map");
    case FileRead::NotRegular:
        return QStringLiteral("het is geen gewoon bestand");
    case FileRead::TooLarge:
        return QStringLiteral("het is groter dan ") + sizeText(maxBytes);
    case FileRead::Unreadable:
        return QStringLiteral("het kan niet gelezen worden");
    }
    return QString();
}

QString notWrittenText(const QString &path, const QString &reason)
{
    QString text =
        QStringLiteral("Het bestand ") + QDir::toNativeSeparators(path) + QStringLiteral(" kon niet worden opgeslagen");
    if (!reason.isEmpty())
        text += QStringLiteral(" (") + reason + u')';
    return text + u'.';
}

void showNotWritten(const QString &path, const QString &reason)
{
    services().msgBox(notWrittenText(path, reason), mb::Exclamation, QStringLiteral("Attentie!"));
}

QString replaceQuestionText(const QString &path)
{
    return QStringLiteral("Bestand ") + QDir::toNativeSeparators(path) + QStringLiteral(" bestaat al. Overschrijven?");
}

bool mayReplaceFile(const QString &path, const QString &question) { return mayReplaceFile(services(), path, question); }

bool mayReplaceFile(Services &svc, const QString &path, const QString &question)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString asked = question.isEmpty() ? replaceQuestionText(path) : question;
    return svc.msgBox(asked, mb::YesNo | mb::Question) == mb::Yes;
}

}  // namespace mostarium

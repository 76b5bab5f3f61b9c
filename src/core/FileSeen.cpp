#include "FileSeen.h"

#include "Paths.h"
#include "WholeFile.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace mostarium {

namespace {

QByteArray hashOf(QByteArrayView bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256); }

}  // namespace

FileSeen FileSeen::of(const QString &path, QByteArrayView bytes)
{
    return FileSeen{path, qint64(bytes.size()), hashOf(bytes)};
}

bool FileSeen::isAt(const QString &other) const { return paths::sameFile(path, other); }

bool FileSeen::holds(QByteArrayView bytes) const { return size == bytes.size() && hash == hashOf(bytes); }

bool changedOnDisk(const FileSeen &seen, const QString &path, qint64 maxBytes)
{
    if (seen.isEmpty() || !seen.isAt(path))
        return false;
    // Another size is another file without reading it.
    const QFileInfo fi(path);
    if (fi.isFile() && fi.size() != seen.size)
        return true;
    QByteArray bytes;
    switch (readWholeFile(path, maxBytes, bytes)) {
    case FileRead::Ok:
        return !seen.holds(bytes);
    case FileRead::Missing:
    case FileRead::Folder:
    case FileRead::NotRegular:
        return false;
    case FileRead::TooLarge:
    case FileRead::Unreadable:
        return true;
    }
    return true;
}

}  // namespace mostarium

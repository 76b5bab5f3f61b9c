#pragma once

#include <QByteArray>
#include <QString>

namespace mostarium {

// What a file held when this program last read or wrote it: its path, its
// size and a hash of its bytes. A save compares the file on disk with it, so
// that a change made meanwhile by another program (another copy of this one)
// is not written over unasked.
struct FileSeen {
    QString path;
    qint64 size = -1;
    QByteArray hash;

    // The file at `path` as it holds `bytes`.
    static FileSeen of(const QString &path, QByteArrayView bytes);
    bool isEmpty() const { return path.isEmpty(); }
    // Seen at `path` (the same file under any spelling of its path).
    bool isAt(const QString &path) const;
    // The same bytes as seen.
    bool holds(QByteArrayView bytes) const;
};

// True when `seen` is of `path` and the file there now differs from what was
// seen: other bytes, or a file too large or not readable to compare (asked
// about rather than written over). A file that is gone, or a folder or a
// pipe in its place, is no change that a save could lose: false.
bool changedOnDisk(const FileSeen &seen, const QString &path, qint64 maxBytes);

}  // namespace mostarium

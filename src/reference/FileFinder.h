#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace mostarium {

// What a search found: the counts in 64 bits, the total size of the files.
struct FindResult {
    qint64 files = 0;
    qint64 folders = 0;
    quint64 bytes = 0;
    bool stopped = false;
};

// Searches a folder and every folder below it for file names matching a
// pattern ("*.pdf", "xdg-open"; letter case ignored), hidden entries
// included. It follows no symbolic link to a folder, stays on the start
// folder's file system and passes over folders it may not read.
class FileFinder {
public:
    // Each found file's full path, in batches (folder by folder).
    std::function<void(const QStringList &)> onFound;
    // Asked between entries every so often; true ends the search, keeping
    // what was found. Also the place to let the window's events run.
    std::function<bool()> shouldStop;

    FindResult run(const QString &folder, const QString &pattern);
};

}  // namespace mostarium

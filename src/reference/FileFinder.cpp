#include "FileFinder.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace mostarium {

namespace {
constexpr int EntriesPerPoll = 512;

struct DirCloser {
    DIR *d;
    ~DirCloser()
    {
        if (d)
            closedir(d);
    }
};
}  // namespace

FindResult FileFinder::run(const QString &folder, const QString &pattern)
{
    FindResult result;
    const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
                                   QRegularExpression::CaseInsensitiveOption);

    QString start = folder.trimmed();
    if (!start.endsWith(QLatin1Char('/')))
        start += QLatin1Char('/');
    struct stat rootStat {};
    if (::stat(QFile::encodeName(start).constData(), &rootStat) != 0 || !S_ISDIR(rootStat.st_mode))
        return result;
    const dev_t device = rootStat.st_dev;

    int sincePoll = 0;
    auto poll = [&] {
        if (++sincePoll < EntriesPerPoll)
            return false;
        sincePoll = 0;
        return shouldStop && shouldStop();
    };

    // Depth first, each folder's files before its sub-folders, in listing order.
    std::vector<QByteArray> pending{QFile::encodeName(start)};
    QStringList found;
    while (!pending.empty()) {
        const QByteArray dir = std::move(pending.back());
        pending.pop_back();
        DirCloser d{opendir(dir.constData())};
        if (!d.d)
            continue;  // unreadable: passed over silently
        std::vector<QByteArray> subfolders;
        while (dirent *e = readdir(d.d)) {
            if (poll()) {
                result.stopped = true;
                break;
            }
            const char *name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            const QByteArray path = dir + name;
            struct stat st {};
            if (::lstat(path.constData(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                // Another file system (a mount below the start) is not entered.
                if (st.st_dev == device) {
                    subfolders.push_back(path + '/');
                    ++result.folders;
                }
                continue;
            }
            if (S_ISLNK(st.st_mode)) {
                // A link to a file counts as that file; a link to a folder is not followed.
                if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
                    continue;
            }
            const QString fileName = QFile::decodeName(name);
            if (!match.match(fileName).hasMatch())
                continue;
            ++result.files;
            result.bytes += quint64(st.st_size);
            found << QFile::decodeName(path);
        }
        if (!found.isEmpty() && onFound)
            onFound(found);
        found.clear();
        if (result.stopped)
            break;
        for (auto it = subfolders.rbegin(); it != subfolders.rend(); ++it)
            pending.push_back(std::move(*it));
    }
    return result;
}

}  // namespace mostarium

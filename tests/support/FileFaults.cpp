#include "FileFaults.h"

#include <QFile>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mostarium::test {

FullDisk::FullDisk(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit lim = m_old;
    lim.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lim);
}

FullDisk::~FullDisk() { setrlimit(RLIMIT_FSIZE, &m_old); }

Fifo::Fifo(const QString &path) : m_path(path)
{
    const QByteArray native = QFile::encodeName(path);
    m_made = ::mkfifo(native.constData(), 0600) == 0;
    if (!m_made)
        return;
    m_watch = std::thread([this, native] {
        using namespace std::chrono;
        const auto start = steady_clock::now();
        while (!m_stop) {
            std::this_thread::sleep_for(milliseconds(50));
            if (steady_clock::now() - start < seconds(3))
                continue;
            // Succeeds only while someone waits to read: give them an end of file.
            const int fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_unblocked = true;
                ::close(fd);
            }
        }
    });
}

Fifo::~Fifo()
{
    m_stop = true;
    if (m_watch.joinable())
        m_watch.join();
    if (m_made)
        QFile::remove(m_path);
}

bool makeLargeFile(const QString &path, qint64 bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.resize(bytes);
}

}  // namespace mostarium::test

#pragma once

#include <QString>
#include <atomic>
#include <sys/resource.h>
#include <thread>

// Files that misbehave, for tests of the file layer.
namespace mostarium::test {

// While it lives, no file of this process grows beyond `bytes`: a write past
// that fails as on a full disk, because the test mains ignore SIGXFSZ through
// the program's own prepareProcess (without it, the process would end).
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes = 0);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit m_old{};
};

// A named pipe at `path`. Whoever opens it for reading waits for a writer;
// should the code under test do that, a watchdog opens the other end after a
// few seconds, so the test fails (blockedSomeone()) instead of hanging.
class Fifo {
public:
    explicit Fifo(const QString &path);
    ~Fifo();
    Fifo(const Fifo &) = delete;
    Fifo &operator=(const Fifo &) = delete;

    bool made() const { return m_made; }
    bool blockedSomeone() const { return m_unblocked; }

private:
    QString m_path;
    bool m_made = false;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_unblocked{false};
    std::thread m_watch;
};

// Makes `path` a file of `bytes` bytes without writing them (a sparse file).
bool makeLargeFile(const QString &path, qint64 bytes);

}  // namespace mostarium::test

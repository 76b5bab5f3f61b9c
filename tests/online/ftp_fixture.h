#pragma once

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "support/TempProgramFolder.h"

namespace mostarium::test {

inline const QString FtpUser = QStringLiteral("zuroze");
inline const QString FtpPassword = QStringLiteral("geheim12");

// A pyftpdlib server of our own on 127.0.0.1 serving a temporary tree;
// stopped by its own pid when the object goes.
class LoopbackFtpServer {
public:
    LoopbackFtpServer()
    {
        m_process.setProgram(QStringLiteral("/usr/bin/python3"));
        m_process.setArguments(
            {QStringLiteral(MOSTARIUM_SOURCE_DIR "/tests/online/ftp_server.py"), m_root.path(), FtpUser, FtpPassword});
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000 && !m_process.canReadLine())
            m_process.waitForReadyRead(200);
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("PORT "))
            m_port = line.mid(5).toInt();
    }
    ~LoopbackFtpServer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();  // our own child, by its pid
            m_process.waitForFinished(5000);
        }
    }
    LoopbackFtpServer(const LoopbackFtpServer &) = delete;
    LoopbackFtpServer &operator=(const LoopbackFtpServer &) = delete;

    int port() const { return m_port; }
    QString root() const { return m_root.path(); }
    QString path(const QString &remote) const { return m_root.path() + remote; }

    // A served file, its folders made as needed.
    void put(const QString &remote, const QByteArray &bytes) const
    {
        const QString p = path(remote);
        QDir().mkpath(QFileInfo(p).path());
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray get(const QString &remote) const
    {
        QFile f(path(remote));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_root;
    QProcess m_process;
    int m_port = 0;
};

// Bytes that differ block to block, so a misplaced block shows.
inline QByteArray patternBytes(qint64 n, char seed = 0)
{
    QByteArray b(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i)
        b[i] = static_cast<char>((i * 7 + i / 255 + seed) & 0xff);
    return b;
}

// A port of 127.0.0.1 nobody listens on.
int closedPort();

}  // namespace mostarium::test

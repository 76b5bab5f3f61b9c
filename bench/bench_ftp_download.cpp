// A 20 MB download from a loopback FTP server through the program's client,
// its progress driving a progress bar as in the main window, while a 50 ms
// timer on the user-interface thread records how late it fires.
#include "online/FtpClient.h"
#include "online/OnlineCommands.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mostarium;

constexpr qint64 FileSize = 20 * 1000 * 1000;

struct Server {
    QTemporaryDir root;
    QProcess process;
    int port = 0;

    Server()
    {
        QFile f(root.path() + QStringLiteral("/big.bin"));
        if (f.open(QIODevice::WriteOnly)) {
            QByteArray block(1 << 20, 'm');
            for (qint64 n = 0; n < FileSize; n += block.size())
                f.write(block.constData(), std::min<qint64>(block.size(), FileSize - n));
        }
        f.close();
        process.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral(MOSTARIUM_SOURCE_DIR "/tests/online/ftp_server.py"), root.path(),
                       QStringLiteral("zuroze"), QStringLiteral("geheim12")});
        process.waitForStarted(10000);
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        const QByteArray line = process.readLine().trimmed();
        if (line.startsWith("PORT "))
            port = line.mid(5).toInt();
    }
    ~Server()
    {
        process.kill();  // our own child, by its pid
        process.waitForFinished(5000);
    }
};

void BM_Download20MB(benchmark::State &state)
{
    Server server;
    if (server.port == 0) {
        state.SkipWithError("the loopback FTP server did not start");
        return;
    }
    QTemporaryDir local;
    QProgressBar bar;
    bar.setRange(0, 1000);
    bar.show();
    OnlineCommands handler;
    QObject::connect(&handler, &OnlineCommands::barMoved, &bar, &QProgressBar::setValue);

    qint64 worstLateMs = 0;
    for (auto _ : state) {
        cFTP ftp;
        QObject::connect(&ftp, &cFTP::FileTransferProgress, &handler, &OnlineCommands::mFTP_FileTransferProgress);
        ftp.SetModeActive();
        ftp.SetTransferBinary();
        if (!ftp.OpenConnection(QStringLiteral("127.0.0.1"), QStringLiteral("zuroze"), QStringLiteral("geheim12"),
                                server.port)) {
            state.SkipWithError("no connection");
            break;
        }
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QElapsedTimer clock;
        qint64 expected = 50;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            worstLateMs = std::max(worstLateMs, now - expected);
            expected = now + 50;
        });
        clock.start();
        tick.start(50);
        QElapsedTimer t;
        t.start();
        const bool ok = ftp.FTPDownloadFile(local.path() + QStringLiteral("/big.bin"), QStringLiteral("/big.bin"));
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
        tick.stop();
        if (!ok) {
            state.SkipWithError(ftp.GetLastErrorMessage().toUtf8().constData());
            break;
        }
        ftp.CloseConnection();
    }
    state.counters["timer_late_ms_worst"] = static_cast<double>(worstLateMs);
    state.SetBytesProcessed(state.iterations() * FileSize);
}
BENCHMARK(BM_Download20MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

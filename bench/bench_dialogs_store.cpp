// The stores of the evaluation, tasting and notes dialogs on the sample
// recipes: the evaluation's OK up to its panels, "&Opslaan" (scratch file and
// recipe file written) and the notes' OK (recipe file written).

#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/Services.h"
#include "core/Session.h"
#include "editors/frmAantekeningen.h"
#include "editors/frmEvaluatie.h"
#include "editors/frmKenmerken.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

// A scratch program folder with a copy of each sample recipe.
struct Folder {
    QTemporaryDir dir;
    Folder()
    {
        paths::setProgramFolder(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("temp"));
    }
    QString copy(const QString &sample)
    {
        const QString from =
            QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../resources/Recepten/") + sample);
        const QString to = dir.filePath(sample);
        QFile::remove(to);
        QFile::copy(from, to);
        QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
        return to;
    }
};

Folder &folder()
{
    static Folder f;
    return f;
}

bool openSample(benchmark::State &state, Session &s)
{
    const QString path =
        folder().copy(state.range(0) ? QStringLiteral("Herfstbok.zlv") : QStringLiteral("Zomerblond.zlv"));
    if (!readRecipeFile(s, path).ok) {
        state.SkipWithError("sample did not read");
        return false;
    }
    s.app.fileName = path;
    s.app.geluidAan = false;
    UpdateBrouwschema(s);
    return true;
}

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

static void BM_EvaluationOk(benchmark::State &state)
{
    Session s;
    if (!openSample(state, s))
        return;
    for (auto _ : state) {
        state.PauseTiming();
        auto *d = new frmEvaluatie(s, services());
        for (const char *suffix : {"", "2"}) {
            d->findChild<QLineEdit *>(QStringLiteral("txtEval_Volume") + QLatin1String(suffix))
                ->setText(QStringLiteral("19"));
            d->findChild<QLineEdit *>(QStringLiteral("txtEval_OG") + QLatin1String(suffix))
                ->setText(QStringLiteral("1050"));
            d->findChild<QLineEdit *>(QStringLiteral("txtEval_FG") + QLatin1String(suffix))
                ->setText(QStringLiteral("1010"));
        }
        state.ResumeTiming();
        d->ok();
        state.PauseTiming();
        flushDeletes();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EvaluationOk)->Arg(0)->Arg(1)->Iterations(40)->Unit(benchmark::kMillisecond);

static void BM_KenmerkenOpslaan(benchmark::State &state)
{
    Session s;
    if (!openSample(state, s))
        return;
    auto *d = new frmKenmerken(s, services());
    int p = 0;
    for (auto _ : state) {
        for (QScrollBar *b : d->findChildren<QScrollBar *>())
            b->setValue(p % (b->maximum() + 1));
        ++p;
        d->WriteKenmerken();
    }
    delete d;
}
BENCHMARK(BM_KenmerkenOpslaan)->Arg(0)->Arg(1)->Iterations(40)->Unit(benchmark::kMillisecond);

static void BM_NotesOk(benchmark::State &state)
{
    Session s;
    if (!openSample(state, s))
        return;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto *d = new frmAantekeningen(s, services());
        d->findChild<LimitedTextEdit *>(QStringLiteral("txtAantekeningen"))
            ->setNotesText(QStringLiteral("Proef %1\nna drie weken op fles").arg(n++));
        state.ResumeTiming();
        d->ok();
        state.PauseTiming();
        flushDeletes();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NotesOk)->Arg(0)->Arg(1)->Iterations(40)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

// The classification of beers as a brewer meets it: the command to the
// window shown with a 2,000-line BierIndeling.txt read into its tree.
#include "core/Services.h"
#include "core/Session.h"
#include "mainwindow/frmRecept.h"
#include "platform/WindowRegistry.h"
#include "reference/frmBierIndeling.h"

#include <QApplication>
#include <QFile>
#include <QTreeWidget>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

// 1 root, 20 classes of 7 subclasses of 13 beers, and 19 lines of notes:
// 2,000 lines, 1,981 nodes.
constexpr int Nodes = 1 + 20 * (1 + 7 * (1 + 13));

QByteArray generatedFile()
{
    QByteArray text;
    for (int n = 0; n < 19; ++n)
        text += "# Regel " + QByteArray::number(n) + " van de toelichting\r\n";
    text += "%Commerciele bieren\r\n";
    for (int c = 0; c < 20; ++c) {
        text += "*Klasse " + QByteArray::number(c) + "\r\n";
        // In reverse, so every subclass finds its sorted place.
        for (int s = 7; s-- > 0;) {
            text += ">Subklasse " + QByteArray::number(s) + "\r\n";
            for (int b = 0; b < 13; ++b)
                text += "!Bier " + QByteArray::number(b) + " (Brouwerij " + QByteArray::number(c * 100 + s) + ")\r\n";
        }
    }
    return text;
}

int countItems(QTreeWidgetItem *item)
{
    int n = 1;
    for (int i = 0; i < item->childCount(); ++i)
        n += countItems(item->child(i));
    return n;
}

struct Desk : bench::WithServices<bench::SilentServices>, bench::Desk {
    Desk() : bench::Desk(quiet, Session{}, {}, {})
    {
        QFile f(folder.path() + QStringLiteral("/BierIndeling.txt"));
        if (f.open(QIODevice::WriteOnly))
            f.write(generatedFile());
    }
};

void BM_CommandToClassificationShown(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.main->runCommand(QStringLiteral("mnuBierIndeling"));
        QApplication::processEvents();
        state.PauseTiming();
        auto *w = windows().find(QStringLiteral("frmBierIndeling"));
        auto *tv = w ? w->findChild<QTreeWidget *>(QStringLiteral("tvIndeling")) : nullptr;
        if (!w || !w->isVisible() || !tv || tv->topLevelItemCount() != 1 || countItems(tv->topLevelItem(0)) != Nodes)
            state.SkipWithError("the classification did not show whole");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandToClassificationShown)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return bench::runWindowBenchmarks(argc, argv); }

// Continuous hopping at its largest: boil 150 minutes, an addition every
// minute (151 rows; a mean of 40 / 150 EBU allows a difference of 0.4),
// computed, shown in the grid and written as the CSV; and the hop
// partition's compute with its report.
#include "calculators/CalcWindow.h"
#include "calculators/ContinueHoppenCore.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

using bench::SilentServices;

struct Desk : bench::WithServices<SilentServices>, bench::Desk {
    Desk() : bench::Desk(quiet, Session{}, {"Afbeeldingen/Help.png"}, {"temp"}) {}

    QWidget *open(const char *command, const char *window)
    {
        main->runCommand(QString::fromLatin1(command));
        QApplication::processEvents();
        return windows().find(QString::fromLatin1(window));
    }
};

void fill(QWidget *w, const std::vector<std::pair<const char *, const char *>> &inputs)
{
    for (const auto &[box, value] : inputs)
        w->findChild<QLineEdit *>(QLatin1String(box))->setText(QLatin1String(value));
}

const std::vector<std::pair<const char *, const char *>> grootste{
    {"txtCH_DoelEBU", "40"},  {"txtCH_Kooktijd", "150"}, {"txtCH_Interval", "1"}, {"txtCH_StartSG", "1040"},
    {"txtCH_EindSG", "1060"}, {"txtCH_Alfazuur", "6.5"}, {"txtCH_Volume", "25"},  {"txtCH_EBUverschil", "0.4"},
};

// One click of "Bereken": checked, computed, 151 (or 150) rows shown, written.
void BM_ContinueHoppenLargest(benchmark::State &state)
{
    Desk desk;
    QWidget *w = desk.open("mnuContinueHoppen", "frmContinueHoppen");
    fill(w, grootste);
    w->findChild<QRadioButton *>(QStringLiteral("optModus_%1").arg(state.range(0)))->click();
    auto *button = w->findChild<QPushButton *>(QStringLiteral("cmdCHBereken"));
    auto *grid = w->findChild<QTableWidget *>(QStringLiteral("fgdCH_Overview"));
    for (auto _ : state) {
        button->click();
        QApplication::processEvents();
    }
    const QString status = qobject_cast<CalcWindow *>(w)->statusText();
    if (!status.startsWith(QLatin1String("Zie ")) || grid->rowCount() < 150)
        state.SkipWithError("the schedule was not made");
    state.SetLabel(QStringLiteral("mode %1, %2 rows").arg(state.range(0)).arg(grid->rowCount()).toStdString());
}
BENCHMARK(BM_ContinueHoppenLargest)
    ->DenseRange(0, 2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The computation alone, without grid or file.
void BM_ContinueHoppenSchemaOnly(benchmark::State &state)
{
    calc::ContinueHoppenInput in;
    in.doelEBU = QStringLiteral("40");
    in.kooktijd = QStringLiteral("150");
    in.interval = QStringLiteral("1");
    in.startSG = QStringLiteral("1040");
    in.eindSG = QStringLiteral("1060");
    in.alfazuur = QStringLiteral("6.5");
    in.vorm = QStringLiteral("pellets");
    in.volume = QStringLiteral("25");
    in.ebuVerschil = QStringLiteral("0.4");
    in.modus = calc::ChModus(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(calc::continueHoppen(in));
}
BENCHMARK(BM_ContinueHoppenSchemaOnly)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_HopPartitionCompute(benchmark::State &state)
{
    Desk desk;
    QWidget *w = desk.open("mnuHopPartitionMagic", "frmHopPartition");
    auto *aantal = w->findChild<QComboBox *>(QStringLiteral("cmbHP_Aantal"));
    aantal->setCurrentIndex(3);
    emit aantal->activated(3);
    fill(w, {{"txtHP_GramNodig", "50"},
             {"txtHP_APerc", "5"},
             {"txtHP_alfa_0", "8"},
             {"txtHP_Gram_0", "5"},
             {"txtHP_alfa_1", "6"},
             {"txtHP_Gram_1", "5"},
             {"txtHP_alfa_2", "4"},
             {"txtHP_Gram_2", "5"},
             {"txtHP_alfa_3", "5"}});
    auto *button = w->findChild<QPushButton *>(QStringLiteral("cmdHP_Bereken"));
    for (auto _ : state) {
        button->click();
        QApplication::processEvents();
    }
    if (!qobject_cast<CalcWindow *>(w)->statusText().startsWith(QLatin1String("Zie ")))
        state.SkipWithError("the compute was refused");
}
BENCHMARK(BM_HopPartitionCompute)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

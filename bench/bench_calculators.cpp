// The calculators as a brewer meets them: a menu command to the dialog
// shown, and one compute with its report written.
#include "calculators/CalcWindow.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/frmRecept.h"
#include "platform/WindowRegistry.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

using bench::SilentServices;

// A program folder with the shipped style list and help picture, the
// session's double brew and its main window on screen.
struct Desk : bench::WithServices<SilentServices>, bench::Desk {
    Desk() : bench::Desk(quiet, recipe(), {"Afbeeldingen/Help.png"}, {"temp"}) {}
    static Session recipe()
    {
        Session s = test::doubleBrew();
        s.recipe.OGSG = 1060;
        s.recipe.OGSG2 = 1040;
        return s;
    }
};

struct Calc {
    const char *command, *window, *compute;
    std::vector<std::pair<const char *, const char *>> inputs;
};

const Calc &calc(std::int64_t i)
{
    static const std::vector<Calc> calcs{
        {"mnuConversie", "frmSuikerConv", "cmdConverteer", {{"txtConvInput", "100"}}},
        {"mnuCalculator",
         "frmHopOpslag",
         "cmdHOBereken",
         {{"txtHOAlfaVerpakking", "5"},
          {"txtHOBetaVerpakking", "4"},
          {"txtHOBewaartijd", "1"},
          {"txtHOBewaarTemp", "20"}}},
        {"mnuAfvullen", "frmSuikerSiroop", "cmdSSBereken", {{"txtSSVolume", "20"}, {"txtSSxxVolume", "330"}}},
        {"mnuCorrectie",
         "frmEindbeStemming",
         "cmdESBereken",
         {{"txtESVolNaSpoelen", "22"},
          {"txtESSGnaSpoelen", "1052"},
          {"txtESVolNaSpoelen2", "16"},
          {"txtESSGnaSpoelen2", "1038"}}},
    };
    return calcs[std::size_t(i)];
}

void BM_CommandToCalculatorShown(benchmark::State &state)
{
    Desk desk;
    const Calc &c = calc(state.range(0));
    state.SetLabel(c.window);
    for (auto _ : state) {
        desk.main->runCommand(QString::fromLatin1(c.command));
        QApplication::processEvents();
        state.PauseTiming();
        QWidget *w = windows().find(QString::fromLatin1(c.window));
        if (!w || !w->isVisible())
            state.SkipWithError("the calculator did not show");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandToCalculatorShown)
    ->DenseRange(0, 3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_ComputeWithReport(benchmark::State &state)
{
    Desk desk;
    const Calc &c = calc(state.range(0));
    state.SetLabel(c.window);
    desk.main->runCommand(QString::fromLatin1(c.command));
    QApplication::processEvents();
    QWidget *w = windows().find(QString::fromLatin1(c.window));
    for (const auto &[box, value] : c.inputs)
        w->findChild<QLineEdit *>(QLatin1String(box))->setText(QLatin1String(value));
    if (auto *combo = w->findChild<QComboBox *>(QStringLiteral("cmbHOBloemPel"))) {
        combo->setCurrentIndex(0);
        w->findChild<QComboBox *>(QStringLiteral("cmbHOVacuum"))->setCurrentIndex(1);
        w->findChild<QComboBox *>(QStringLiteral("cmbHOZuurstof"))->setCurrentIndex(1);
    }
    auto *button = w->findChild<QPushButton *>(QLatin1String(c.compute));
    for (auto _ : state) {
        button->click();
        QApplication::processEvents();
    }
    auto *calcWindow = qobject_cast<CalcWindow *>(w);
    const QString status = calcWindow ? calcWindow->statusText() : QString();
    if (status.contains(QLatin1String("ncorrect")) || status.contains(QLatin1String("Error")))
        state.SkipWithError("the compute was refused");
}
BENCHMARK(BM_ComputeWithReport)
    ->DenseRange(0, 3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

// The targets and general-data dialogs as a brewer meets them: a command to
// the dialog shown and filled, an OK to the repainted main window, and a long
// style list filled plus one choice.
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "editors/frmDoelstellingen.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/frmRecept.h"
#include "platform/NumericEdit.h"
#include "platform/WindowRegistry.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    Desk() : bench::Desk(quiet, recipe(), {"BierSoorten.txt", "Afbeeldingen/Help.png"}, {"temp"}) {}
    static Session recipe()
    {
        Session s = test::doubleBrew();
        s.recipe.Biersoort1 = QStringLiteral("Altbier");
        return s;
    }
};

void BM_CommandToTargetsShownAndFilled(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.main->runCommand(QStringLiteral("mnuDoel"));
        QApplication::processEvents();
        state.PauseTiming();
        auto *d = windows().find<frmDoelstellingen>(QStringLiteral("frmDoelstellingen"));
        if (!d || !d->isVisible() || d->findChild<NumericEdit *>(QStringLiteral("txtDoel2Vol"))->text().isEmpty())
            state.SkipWithError("the targets dialog did not show its values");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandToTargetsShownAndFilled)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_CommandToGeneralDataShownAndFilled(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.main->runCommand(QStringLiteral("mnuAlgemeen"));
        QApplication::processEvents();
        state.PauseTiming();
        if (!windows().find(QStringLiteral("frmAlgemeen")))
            state.SkipWithError("the general-data dialog did not show");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandToGeneralDataShownAndFilled)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_TargetsOkToRepaintedMainWindow(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        state.PauseTiming();
        desk.main->runCommand(QStringLiteral("mnuDoel"));
        QApplication::processEvents();
        auto *ok =
            windows().find(QStringLiteral("frmDoelstellingen"))->findChild<QPushButton *>(QStringLiteral("cmdDSOK"));
        state.ResumeTiming();
        ok->click();
        QApplication::processEvents();
        state.PauseTiming();
        if (desk.main->shownRevision() != session().view.revision)
            state.SkipWithError("the main window did not repaint");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TargetsOkToRepaintedMainWindow)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_StyleList5000FilledPlusOneChoice(benchmark::State &state)
{
    Desk desk;
    QByteArray list;
    for (int i = 0; i < 5000; ++i)
        list += "Stijl " + QByteArray::number(i) + ",Een omschrijving van stijl nummer " + QByteArray::number(i)
                + " met kleur, bitterheid en alcohol. OG 1044-1052, 4.3-5.5% alc., 25-50 EBU.\r\n";
    QFile f(paths::file(QStringLiteral("BierSoorten.txt")));
    if (!f.open(QIODevice::WriteOnly) || f.write(list) != list.size())
        state.SkipWithError("cannot write the style list");
    f.close();
    desk.main->runCommand(QStringLiteral("mnuDoel"));
    auto *d = windows().find<frmDoelstellingen>(QStringLiteral("frmDoelstellingen"));
    auto *combo = d->findChild<QComboBox *>(QStringLiteral("comBier"));
    for (auto _ : state) {
        d->FillBierSoorten();
        combo->setCurrentIndex(4321);
        emit combo->activated(4321);
    }
    if (combo->count() != 5000 || session().recipe.Biersoort1 != QStringLiteral("Stijl 4321"))
        state.SkipWithError("the list was not filled or the choice not stored");
}
BENCHMARK(BM_StyleList5000FilledPlusOneChoice)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

// The brewing schedule's outputs: the double-brew template filled, the filled
// report read into a text document, the print dialog from its command, and an
// OK with printer (PDF), screen and RTF file to the shown report window; the
// double brew's shopping list and its web page written, and the menu command
// to the shopping list shown in its viewer.
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/frmRecept.h"
#include "output/HtmlReport.h"
#include "output/RtfReader.h"
#include "output/RtfReport.h"
#include "output/ShoppingList.h"
#include "platform/QtServices.h"
#include "platform/WindowRegistry.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

// Answers Yes, prints into a PDF file, shows nothing.
class PdfServices final : public bench::SilentServices {
public:
    QString pdf;
    int msgBox(const QString &, int, const QString &) override { return mb::Yes; }
    void processEvents() override { QApplication::processEvents(); }
    bool printDialog(QPrinter &printer, bool) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
};

QString resources() { return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../resources/"); }

// A program folder with the templates, the double brew recalculated and the
// main window on screen.
struct Desk : bench::WithServices<PdfServices>, bench::Desk {
    Desk()
        : bench::Desk(quiet, test::doubleBrew(),
                      {"Afbeeldingen/Help.png", "Templates/template_EB.rtf", "Templates/template_DB.rtf"},
                      {"temp", "Recepten"})
    {
        quiet.pdf = folder.path() + QStringLiteral("/rapport.pdf");
        UpdateBrouwschema(session());
    }
};

QByteArray doubleBrewTemplate()
{
    QFile f(resources() + QStringLiteral("Templates/template_DB.rtf"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void BM_DoubleBrewFill(benchmark::State &state)
{
    Session s = test::doubleBrew();
    UpdateBrouwschema(s);
    const QByteArray source = doubleBrewTemplate();
    int replaced = 0;
    for (auto _ : state) {
        const RtfFill fill = fillTemplate(source, reportFields(s));
        replaced = fill.replaced;
        benchmark::DoNotOptimize(fill.rtf.data());
    }
    // Everything but the general data (not in this recipe) is filled.
    state.counters["fields"] = replaced;
    if (replaced < 100)
        state.SkipWithError("the template's fields were not filled");
}
BENCHMARK(BM_DoubleBrewFill)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_DoubleBrewShoppingList(benchmark::State &state)
{
    Desk desk;
    session().app.fileName = desk.folder.path() + QStringLiteral("/Recepten/Dubbel.zlv");
    bool written = true;
    for (auto _ : state)
        written = MakeShoppingList(session()) && written;
    if (!written || !QFileInfo::exists(shoppingListPath(session())))
        state.SkipWithError("the shopping list was not written");
}
BENCHMARK(BM_DoubleBrewShoppingList)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// The list in the program's own viewer: the time from the menu command to the
// viewer shown, closed again as soon as its modal loop runs.
class ListServices final : public bench::SilentServices {
public:
    QElapsedTimer clock;
    qint64 shownNs = -1;
    bool showTextFile(const QString &path) override
    {
        QTimer::singleShot(0, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (w && w->objectName() == QLatin1String("frmTekstbestand") && w->isVisible())
                shownNs = clock.nsecsElapsed();
            if (w)
                w->close();
        });
        return real.showTextFile(path);
    }

private:
    QtServices real;
};

struct ListDesk : bench::WithServices<ListServices>, bench::Desk {
    ListDesk() : bench::Desk(quiet, test::doubleBrew(), {"Templates/Leveranciers.txt"}, {"temp", "Recepten"}, true)
    {
        UpdateBrouwschema(session());
        session().app.fileName = folder.path() + QStringLiteral("/Recepten/Dubbel.zlv");
    }
};

void BM_CommandToShoppingListShown(benchmark::State &state)
{
    ListDesk desk;
    for (auto _ : state) {
        desk.quiet.shownNs = -1;
        desk.quiet.clock.start();
        desk.main->runCommand(QStringLiteral("mnuShoppingList"));
        if (desk.quiet.shownNs < 0) {
            state.SkipWithError("the list window did not show");
            break;
        }
        state.SetIterationTime(double(desk.quiet.shownNs) / 1e9);
        ListDesk::settle();
    }
}
BENCHMARK(BM_CommandToShoppingListShown)
    ->UseManualTime()
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// Every block of the page: general data, evaluation and tasting words too.
void BM_DoubleBrewHtml(benchmark::State &state)
{
    Desk desk;
    RecipeState &r = session().recipe;
    r.Algemeen(0) = QStringLiteral("Tripel");
    r.Algemeen(1) = QStringLiteral("Jan de Vries");
    r.setStatus(StatusAlgemeen);
    test::setMeasured(session(), 0, "19", "1075", "1010");
    test::setMeasured(session(), 1, "14", "1040", "1008");
    r.setStatus(StatusEvaluatie);
    r.Kenmerken[0] = QStringLiteral("goudblond");
    r.setStatus(StatusKenmerken);
    UpdateBrouwschema(session());
    const QString path = desk.folder.path() + QStringLiteral("/Recepten/Tripel.html");
    bool written = true;
    for (auto _ : state)
        written = ExportReceptHTML(session(), path) && written;
    const QFileInfo page(path);
    state.counters["bytes"] = double(page.size());
    if (!written || !page.exists())
        state.SkipWithError("the page was not written");
}
BENCHMARK(BM_DoubleBrewHtml)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_DoubleBrewReadIntoDocument(benchmark::State &state)
{
    Session s = test::doubleBrew();
    UpdateBrouwschema(s);
    const QByteArray rtf = fillTemplate(doubleBrewTemplate(), reportFields(s)).rtf;
    for (auto _ : state) {
        QTextDocument doc;
        readRtf(rtf, doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
}
BENCHMARK(BM_DoubleBrewReadIntoDocument)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_CommandToPrintDialogShown(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        desk.main->runCommand(QStringLiteral("mnuAfdrukken"));
        QApplication::processEvents();
        state.PauseTiming();
        QWidget *d = windows().find(QStringLiteral("frmAfdrukken"));
        if (!d || !d->isVisible())
            state.SkipWithError("the print dialog did not show");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CommandToPrintDialogShown)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_OkWithPrinterScreenAndRtfToReportWindow(benchmark::State &state)
{
    Desk desk;
    for (auto _ : state) {
        state.PauseTiming();
        desk.main->runCommand(QStringLiteral("mnuAfdrukken"));
        QApplication::processEvents();
        QWidget *d = windows().find(QStringLiteral("frmAfdrukken"));
        d->findChild<QCheckBox *>(QStringLiteral("chkNaarScherm"))->setChecked(true);
        d->findChild<QCheckBox *>(QStringLiteral("chkNaarBestand"))->setChecked(true);
        auto *ok = d->findChild<QPushButton *>(QStringLiteral("cmdAfdOK"));
        state.ResumeTiming();
        ok->click();
        QApplication::processEvents();
        state.PauseTiming();
        QWidget *r = windows().find(QStringLiteral("frmReport"));
        if (!r || !r->isVisible() || r->findChild<QTextEdit *>(QStringLiteral("rtbReport"))->toPlainText().isEmpty()
            || !QFile::exists(desk.quiet.pdf))
            state.SkipWithError("no report window, or no PDF");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OkWithPrinterScreenAndRtfToReportWindow)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

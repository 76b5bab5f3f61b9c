// The report window showing the largest template the report accepts, in each
// shape a template can take: the shipped template repeated, one paragraph of
// words, one unbroken line, short paragraphs whose format changes at every
// character, paragraphs of one character, empty paragraphs and line breaks
// alone. Timed from OK in the print dialog (screen only) to the window shown
// and painted, and on to the whole document laid out; a template that would
// lay out too tall is timed to its message (counter `refused`). The judging
// sheet is timed the same way from its menu command, with the line-break
// shapes.
#include "core/Recalc.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "output/RtfReport.h"
#include "platform/WindowRegistry.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <climits>
#include <cstdlib>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

QByteArray shippedTemplate()
{
    QFile f(QStringLiteral(MOSTARIUM_SOURCE_DIR "/resources/Templates/template_EB.rtf"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The shipped template's paragraphs repeated under one header, as large as
// the report accepts.
QByteArray repeatedTemplate()
{
    const QByteArray t = shippedTemplate();
    const qsizetype bodyFrom = t.indexOf("\\pard"), bodyTo = t.lastIndexOf('}');
    const QByteArray body = t.mid(bodyFrom, bodyTo - bodyFrom);
    QByteArray out = t.left(bodyFrom);
    while (out.size() + body.size() + 1 <= MaxReportTemplateSize)
        out += body;
    return out + '}';
}

// `unit` repeated `count` times, or as often as the report accepts.
QByteArray oneParagraph(const QByteArray &unit, int count = INT_MAX)
{
    QByteArray out("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Calibri;}}\\f0\\fs20 ");
    const qsizetype room = MaxReportTemplateSize - out.size() - 1;
    while (out.size() + unit.size() <= room && count-- > 0)
        out += unit;
    return out + '}';
}

enum Shape {
    Repeated,
    Words,
    Unbroken,
    Formatted,
    Paragraphs,
    EmptyParagraphs,
    LineBreaks,
    // The line breaks of a template that shows, and of two that are too tall.
    LineBreaks300k,
    EmptyParagraphs390k,
    LineBreaks450k,
};

QByteArray templateOf(int shape)
{
    switch (shape) {
    case Repeated:
        return repeatedTemplate();
    case Words:
        return oneParagraph("brouwen ");
    case Formatted:
        return oneParagraph("\\b x\\b0 y\\par ");
    case Paragraphs:
        return oneParagraph("x\\par ");
    case EmptyParagraphs:
        return oneParagraph("\\par ");
    case LineBreaks:
        return oneParagraph("\\line ");
    case LineBreaks300k:
        return oneParagraph("\\line ", 300000);
    case EmptyParagraphs390k:
        return oneParagraph("\\par ", 390000);
    case LineBreaks450k:
        return oneParagraph("\\line ", 450000);
    default:
        return oneParagraph("x");
    }
}

struct Desk : bench::WithServices<bench::SilentServices>, bench::Desk {
    explicit Desk(const QByteArray &rtf)
        : bench::Desk(quiet, test::singleBrew(), {"Afbeeldingen/Help.png"}, {"temp", "Recepten", "Templates"})
    {
        UpdateBrouwschema(session());
        // The report's template and the judging sheet: the same text.
        for (const char *name : {"template_EB.rtf", "Keuringsformulier.rtf"})
            if (!writeWholeFile(folder.path() + QStringLiteral("/Templates/") + QLatin1String(name), rtf))
                std::abort();
    }
};

void BM_OkToReportWindowShown(benchmark::State &state)
{
    const QByteArray rtf = templateOf(int(state.range(0)));
    Desk desk(rtf);
    double laidOutMs = 0, refused = 0;
    for (auto _ : state) {
        state.PauseTiming();
        desk.main->runCommand(QStringLiteral("mnuAfdrukken"));
        QApplication::processEvents();
        QWidget *d = windows().find(QStringLiteral("frmAfdrukken"));
        d->findChild<QCheckBox *>(QStringLiteral("chkPrinterBS"))->setChecked(false);
        d->findChild<QCheckBox *>(QStringLiteral("chkNaarScherm"))->setChecked(true);
        auto *ok = d->findChild<QPushButton *>(QStringLiteral("cmdAfdOK"));
        QElapsedTimer clock;
        state.ResumeTiming();
        clock.start();
        ok->click();
        QApplication::processEvents();
        QWidget *r = windows().find(QStringLiteral("frmReport"));
        if (r && r->isVisible())
            benchmark::DoNotOptimize(r->grab());
        state.PauseTiming();
        auto *box = r ? r->findChild<QTextEdit *>(QStringLiteral("rtbReport")) : nullptr;
        if (desk.quiet.messages == 1 && !(r && r->isVisible())) {
            // Refused with the template's message: the time to the message.
            refused = 1;
        } else if (!box || !r->isVisible() || box->document()->isEmpty() || desk.quiet.messages != 0) {
            state.SkipWithError("the report window neither showed the report nor refused it");
            break;
        } else {
            // The rest of the layout, which the window does while it waits.
            benchmark::DoNotOptimize(box->document()->documentLayout()->documentSize());
        }
        laidOutMs += double(clock.nsecsElapsed()) / 1e6;
        desk.quiet.messages = 0;
        bench::Desk::settle();
        state.ResumeTiming();
    }
    state.counters["laid_out_ms"] = benchmark::Counter(laidOutMs, benchmark::Counter::kAvgIterations);
    state.counters["template_bytes"] = double(rtf.size());
    state.counters["refused"] = refused;
}
BENCHMARK(BM_OkToReportWindowShown)
    ->ArgName("shape")
    ->Arg(Repeated)
    ->Arg(Words)
    ->Arg(Unbroken)
    ->Arg(Formatted)
    ->Arg(Paragraphs)
    ->Arg(EmptyParagraphs)
    ->Arg(LineBreaks)
    ->Arg(LineBreaks300k)
    ->Arg(EmptyParagraphs390k)
    ->Arg(LineBreaks450k)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_JudgingSheetShown(benchmark::State &state)
{
    const QByteArray rtf = templateOf(int(state.range(0)));
    Desk desk(rtf);
    double laidOutMs = 0, refused = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        desk.main->runCommand(QStringLiteral("mnuKeurFormulier"));
        QApplication::processEvents();
        QWidget *w = windows().find(QStringLiteral("frmKeuringsformulier"));
        if (w)
            benchmark::DoNotOptimize(w->grab());
        state.PauseTiming();
        auto *sheet = w ? w->findChild<QTextEdit *>(QStringLiteral("rtbKeuringsFormulier")) : nullptr;
        if (!sheet || !w->isVisible()) {
            state.SkipWithError("the judging sheet did not open");
            break;
        }
        if (desk.quiet.messages == 1 && sheet->document()->isEmpty()) {
            // Refused with a message, an empty sheet open.
            refused = 1;
        } else if (sheet->document()->isEmpty() || desk.quiet.messages != 0) {
            state.SkipWithError("the judging sheet neither showed the template nor refused it");
            break;
        }
        benchmark::DoNotOptimize(sheet->document()->documentLayout()->documentSize());
        laidOutMs += double(clock.nsecsElapsed()) / 1e6;
        desk.quiet.messages = 0;
        bench::Desk::settle();
        state.ResumeTiming();
    }
    state.counters["laid_out_ms"] = benchmark::Counter(laidOutMs, benchmark::Counter::kAvgIterations);
    state.counters["template_bytes"] = double(rtf.size());
    state.counters["refused"] = refused;
}
BENCHMARK(BM_JudgingSheetShown)
    ->ArgName("shape")
    ->Arg(Repeated)
    ->Arg(EmptyParagraphs)
    ->Arg(LineBreaks)
    ->Arg(LineBreaks300k)
    ->Arg(EmptyParagraphs390k)
    ->Arg(LineBreaks450k)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

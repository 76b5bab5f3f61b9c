// The report window showing the largest template the report accepts, in each
// shape a template can take: the shipped template repeated, one paragraph of
// words, one unbroken line, short paragraphs whose format changes at every
// character, paragraphs of one character, empty paragraphs and line breaks
// alone. Timed from OK in the print dialog (screen only) to the window shown
// and painted, and on to the whole document laid out; a template that would
// lay out too tall is timed to its message (counter `refused`). Two hostile
// shapes too: indents of a billion twips either way over 800,000 words, and
// 60,000 runs cycling through font sizes and styles. The judging sheet is
// timed the same way from its menu command, with the line-break and hostile
// shapes. The report printed to a PDF file is timed from OK (counter `pages`),
// also on paper too small for a line (to the refusal), the text window's
// largest file printed, a letter typed in the longest paragraph, and the
// tallest report pasted after itself from Ctrl+V to the refusal, as is HTML
// whose lines lay out taller than their text.
#include "core/Recalc.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "output/RtfReport.h"
#include "platform/Printing.h"
#include "platform/WindowRegistry.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QTextBlock>
#include <QMimeData>
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
    // 300,000 lines of one letter each: the tallest report with text on
    // every page.
    Letters300k,
    // Indents of a billion twips either way over 800,000 words, and 60,000
    // runs cycling through sizes 1 to 50 points, bold, italic and underline.
    HugeIndents,
    FontCycle,
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
    case Letters300k:
        return oneParagraph("x\\line ", 300000);
    case HugeIndents: {
        QByteArray out("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Calibri;}}\\f0\\fs20"
                       "\\li-2000000000\\ri-2000000000\\fi-2000000000 ");
        for (int i = 0; i < 800000; ++i)
            out += "w ";
        return out + '}';
    }
    case FontCycle: {
        QByteArray out("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Calibri;}}\\f0 ");
        for (int i = 0; i < 60000; ++i)
            out += "\\fs" + QByteArray::number(2 + i % 50 * 2) + (i % 2 ? "\\b" : "\\b0") + (i % 3 ? "\\i" : "\\i0")
                   + (i % 5 ? "\\ul" : "\\ulnone") + " brouwen ";
        return out + '}';
    }
    default:
        return oneParagraph("x");
    }
}

// Prints into a PDF file of its own and counts the beeps.
class Quiet : public bench::SilentServices {
public:
    QTemporaryDir out;
    QString pdf = out.filePath(QStringLiteral("brouwschema.pdf"));
    int beeps = 0;
    QPageSize paper = QPageSize(QPageSize::A4);
    void beep() override { ++beeps; }
    bool printDialog(QPrinter &printer, bool) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(paper);
        return true;
    }
};

struct Desk : bench::WithServices<Quiet>, bench::Desk {
    explicit Desk(const QByteArray &rtf)
        : bench::Desk(quiet, test::singleBrew(), {"Afbeeldingen/Help.png"}, {"temp", "Recepten", "Templates"})
    {
        UpdateBrouwschema(session());
        // The report's template and the judging sheet: the same text.
        for (const char *name : {"template_EB.rtf", "Keuringsformulier.rtf"})
            if (!writeWholeFile(folder.path() + QStringLiteral("/Templates/") + QLatin1String(name), rtf))
                std::abort();
    }
    // The report shown on the screen through the print dialog: its box, or
    // none when the window did not open.
    QTextEdit *shownReportBox()
    {
        main->runCommand(QStringLiteral("mnuAfdrukken"));
        QApplication::processEvents();
        QWidget *d = windows().find(QStringLiteral("frmAfdrukken"));
        d->findChild<QCheckBox *>(QStringLiteral("chkPrinterBS"))->setChecked(false);
        d->findChild<QCheckBox *>(QStringLiteral("chkNaarScherm"))->setChecked(true);
        d->findChild<QPushButton *>(QStringLiteral("cmdAfdOK"))->click();
        QApplication::processEvents();
        QWidget *r = windows().find(QStringLiteral("frmReport"));
        return r ? r->findChild<QTextEdit *>(QStringLiteral("rtbReport")) : nullptr;
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
    ->Arg(HugeIndents)
    ->Arg(FontCycle)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The print dialog's OK with only the printer checked, to the PDF file
// written, for the templates whose text is the tallest shown: every page
// printed (counter `pages`, from the file).
void BM_OkToReportPrinted(benchmark::State &state)
{
    const QByteArray rtf = templateOf(int(state.range(0)));
    Desk desk(rtf);
    double pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(desk.quiet.pdf);
        desk.main->runCommand(QStringLiteral("mnuAfdrukken"));
        QApplication::processEvents();
        QWidget *d = windows().find(QStringLiteral("frmAfdrukken"));
        auto *ok = d->findChild<QPushButton *>(QStringLiteral("cmdAfdOK"));
        state.ResumeTiming();
        ok->click();
        state.PauseTiming();
        QFile f(desk.quiet.pdf);
        if (desk.quiet.messages != 0 || !f.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the report was not printed");
            break;
        }
        pages = double(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type /Page\\b"))));
        bench::Desk::settle();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["template_bytes"] = double(rtf.size());
}
BENCHMARK(BM_OkToReportPrinted)
    ->ArgName("shape")
    ->Arg(Repeated)
    ->Arg(Letters300k)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The same on a strip of paper, 210 x 42 mm, with no room for a line between
// its margins: timed from OK to the refusal, no PDF file written.
void BM_OkToReportOnPaperTooSmall(benchmark::State &state)
{
    Desk desk(templateOf(int(state.range(0))));
    desk.quiet.paper = QPageSize(QSizeF(210, 42), QPageSize::Millimeter);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(desk.quiet.pdf);
        desk.quiet.messages = 0;
        desk.main->runCommand(QStringLiteral("mnuAfdrukken"));
        QApplication::processEvents();
        QWidget *d = windows().find(QStringLiteral("frmAfdrukken"));
        auto *ok = d->findChild<QPushButton *>(QStringLiteral("cmdAfdOK"));
        state.ResumeTiming();
        ok->click();
        state.PauseTiming();
        if (desk.quiet.messages != 1 || QFile::exists(desk.quiet.pdf)) {
            state.SkipWithError("the paper was not refused");
            break;
        }
        bench::Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OkToReportOnPaperTooSmall)
    ->ArgName("shape")
    ->Arg(Repeated)
    ->Arg(Letters300k)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The text window's print (the shopping list's window) of the largest file
// it shows, 4 MB: lines of 200 characters, or one word without a break,
// which paper wraps. Timed from the print to the PDF file written (counter
// `pages`).
void BM_TextWindowPrinted(benchmark::State &state)
{
    const qsizetype size = MaxTextFileSize - 16;
    QString text;
    if (state.range(0) == 0) {
        const QString line = QString(199, QLatin1Char('m')).replace(9, 1, QStringLiteral(" ")) + QLatin1Char('\n');
        while (text.size() + line.size() <= size)
            text += line;
    } else {
        text = QString(size, QLatin1Char('m'));
    }
    QPlainTextEdit viewer;  // as the text window shows a file
    viewer.setLineWrapMode(QPlainTextEdit::NoWrap);
    viewer.setPlainText(text);
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("lijst.pdf"));
    double pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!printTextWhole(printer, *viewer.document(), viewer.textCursor())) {
            state.SkipWithError("the text was not printed");
            break;
        }
        state.PauseTiming();
        QFile f(pdf);
        if (f.open(QIODevice::ReadOnly))
            pages =
                double(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type /Page\\b"))));
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_TextWindowPrinted)->ArgName("unbroken")->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// A key with Ctrl, pressed and let go on `box`.
void ctrlKey(QWidget *box, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier);
    QApplication::sendEvent(box, &release);
}

// The tallest report shown, copied whole and pasted after itself with the
// keys: timed from Ctrl+V to the paste refused (counter `beeps`).
void BM_PastePastTheBoundRefused(benchmark::State &state)
{
    Desk desk(templateOf(LineBreaks300k));
    QTextEdit *box = desk.shownReportBox();
    if (!box) {
        state.SkipWithError("the report window did not open");
        return;
    }
    ctrlKey(box, Qt::Key_A);
    ctrlKey(box, Qt::Key_C);
    ctrlKey(box, Qt::Key_End);
    const int characters = box->document()->characterCount();
    for (auto _ : state)
        ctrlKey(box, Qt::Key_V);
    if (box->document()->characterCount() != characters)
        state.SkipWithError("the paste was taken");
    state.counters["beeps"] = double(desk.quiet.beeps);
}
BENCHMARK(BM_PastePastTheBoundRefused)->Iterations(3)->Unit(benchmark::kMillisecond);

// A letter typed at the end of the report's longest paragraph (the largest
// template of one paragraph of words): each key measures the paragraph it
// changes, so this is the slowest key the report box has.
void BM_KeyTypedInTheLongestParagraph(benchmark::State &state)
{
    Desk desk(templateOf(Words));
    QTextEdit *box = desk.shownReportBox();
    if (!box) {
        state.SkipWithError("the report window did not open");
        return;
    }
    box->setFocus();
    ctrlKey(box, Qt::Key_End);
    const int characters = box->document()->characterCount();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(box, &release);
    }
    state.counters["typed"] = double(box->document()->characterCount() - characters);
    state.counters["paragraph"] = double(box->textCursor().block().length());
}
BENCHMARK(BM_KeyTypedInTheLongestParagraph)->Iterations(20)->Unit(benchmark::kMillisecond);

// HTML pasted whose lines the layout makes taller than their text: 260,000
// line breaks at font size 7, 150,000 headings, 50,000 paragraphs of line
// height 1000 %. Pasted with Ctrl+V at the end of the tallest report shown
// and timed to the paste refused (counter `beeps`).
enum PastedShape { SizeSevenBreaks, Headings, TallLines };

QString pastedHtml(int shape)
{
    const auto repeated = [](const QString &unit, int count) {
        QString out;
        out.reserve(unit.size() * count);
        for (int i = 0; i < count; ++i)
            out += unit;
        return out;
    };
    switch (shape) {
    case SizeSevenBreaks:
        return QStringLiteral("<font size=7>") + repeated(QStringLiteral("a<br>"), 260000) + QStringLiteral("</font>");
    case Headings:
        return repeated(QStringLiteral("<h1>a</h1>"), 150000);
    default:
        return repeated(QStringLiteral("<p style='line-height:1000%'>a</p>"), 50000);
    }
}

void BM_TallHtmlPasteRefused(benchmark::State &state)
{
    Desk desk(templateOf(Repeated));
    QTextEdit *box = desk.shownReportBox();
    if (!box) {
        state.SkipWithError("the report window did not open");
        return;
    }
    auto *mime = new QMimeData;
    mime->setHtml(pastedHtml(int(state.range(0))));
    QApplication::clipboard()->setMimeData(mime);
    ctrlKey(box, Qt::Key_End);
    const int characters = box->document()->characterCount();
    for (auto _ : state)
        ctrlKey(box, Qt::Key_V);
    if (box->document()->characterCount() != characters)
        state.SkipWithError("the paste was taken");
    state.counters["beeps"] = double(desk.quiet.beeps);
}
BENCHMARK(BM_TallHtmlPasteRefused)
    ->ArgName("shape")
    ->Arg(SizeSevenBreaks)
    ->Arg(Headings)
    ->Arg(TallLines)
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
    ->Arg(HugeIndents)
    ->Arg(FontCycle)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

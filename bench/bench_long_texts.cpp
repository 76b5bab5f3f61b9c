// Long recipe texts as the windows show them: notes of up to the recipe
// file's size (and of an XML file's, which an import may bring) opened in the
// notes dialog, and a recipe name of megabytes in
// the main window's frame captions, repainted.
#include "core/Session.h"
#include "core/WholeFile.h"
#include "editors/frmAantekeningen.h"
#include "mainwindow/frmRecept.h"
#include "output/XmlImport.h"
#include "platform/WindowRegistry.h"

// The worked recipes of the tests; compiled in here so that the benchmark
// needs no test libraries.
#include "../tests/support/RecipeBuilders.cpp"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

using namespace mostarium;

namespace {

using bench::SilentServices;

// Words and blanks, as notes are typed, `size` characters long; with
// `blanks` false one word as long, which no line can break between words.
QString words(qsizetype size, bool blanks = true)
{
    if (!blanks)
        return QString(size, u'x');
    static const QString pattern = QStringLiteral("hop mout gist water bitter zoet ");
    QString text;
    text.reserve(size);
    while (text.size() < size)
        text += pattern;
    text.truncate(size);
    return text;
}

struct Desk : bench::WithServices<SilentServices>, bench::Desk {
    explicit Desk(const Session &s) : bench::Desk(quiet, s, {"Afbeeldingen/Help.png"}, {"temp"}) {}
};

// The menu command until the dialog is on screen with the notes painted.
void BM_LongNotesOpenInTheDialog(benchmark::State &state)
{
    Session s = test::singleBrew();
    s.recipe.Aantekening = words(state.range(0), state.range(1) != 0);
    Desk desk(s);
    for (auto _ : state) {
        desk.main->runCommand(QStringLiteral("mnuAantekeningen"));
        QWidget *d = windows().find(QStringLiteral("frmAantekeningen"));
        if (!d) {
            state.SkipWithError("the notes dialog did not show");
            break;
        }
        d->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        auto *box = d->findChild<LimitedTextEdit *>(QStringLiteral("txtAantekeningen"));
        if (!box || box->notesText().size() != state.range(0))
            state.SkipWithError("the notes did not show whole");
        Desk::settle();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LongNotesOpenInTheDialog)
    ->ArgNames({"chars", "blanks"})
    ->ArgsProduct({{100'000, 1'000'000, MaxTextFileSize, MaxXmlFileSize}, {1, 0}})
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// One Backspace at the end of notes as long as a recipe file, until the
// counter shows the new length: the text is read whole for the limit and the
// counter at every key.
void BM_BackspaceInLongNotes(benchmark::State &state)
{
    Session s = test::singleBrew();
    s.recipe.Aantekening = words(MaxTextFileSize);
    Desk desk(s);
    desk.main->runCommand(QStringLiteral("mnuAantekeningen"));
    QWidget *d = windows().find(QStringLiteral("frmAantekeningen"));
    auto *box = d ? d->findChild<LimitedTextEdit *>(QStringLiteral("txtAantekeningen")) : nullptr;
    if (!box) {
        state.SkipWithError("the notes dialog did not show");
        return;
    }
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
        box->repaint();
    }
    if (box->notesText().size() != MaxTextFileSize - state.iterations())
        state.SkipWithError("the keys did not each delete one character");
}
BENCHMARK(BM_BackspaceInLongNotes)->Unit(benchmark::kMillisecond);

// A new long recipe name in the main window's frames: the captions set and
// the window repainted, then a second repaint with nothing changed.
void BM_RepaintWithALongRecipeName(benchmark::State &state)
{
    Session s = test::doubleBrew();
    const QString name = words(state.range(0));
    s.recipe.Algemeen(0) = name;
    Desk desk(s);
    auto *frame = desk.main->findChild<QGroupBox *>(QStringLiteral("fraBrouwSchema"));
    int n = 0;
    for (auto _ : state) {
        const QString shown = name + QString::number(++n);
        session().view.fraBrouwSchema.caption = QStringLiteral(" Brouwschema ") + shown;
        session().view.fraEvaluatie.caption = QStringLiteral(" Evaluatie ") + shown;
        desk.main->refreshView();
        desk.main->repaint();
        desk.main->repaint();
        QApplication::processEvents();
    }
    if (!frame || frame->title().size() > 1000)
        state.SkipWithError("the caption was not cut to the frame");
}
BENCHMARK(BM_RepaintWithALongRecipeName)
    ->Arg(4'000'000)
    ->Arg(15'000'000)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) { return mostarium::bench::runWindowBenchmarks(argc, argv); }

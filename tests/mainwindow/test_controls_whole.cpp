// Every window of the catalogue, opened as its command opens it in a single
// and in a double brew: each shown control lies inside its parent (and so
// inside the window), each picture fits its control, and each caption fits
// its width in the font the window really uses; a wrapped caption fits its
// rect and breaks only between words.
#include "mainwindow_fixture.h"

#include "support/Samples.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>
#include <QTextLayout>
#include <functional>

using namespace mostarium;
using namespace mostarium::test;

namespace {

QString rectText(const QRect &r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString plainCaption(QString text)
{
    // A mnemonic's "&" is not drawn; "&&" is one "&".
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

// The faults of a wrapped caption: a line wider than the label, a line
// broken inside a word ("kg/" above "m3)"), or more lines than fit.
void checkWrapped(const QLabel *l, const QString &name, QStringList &faults)
{
    const QRect cr = l->contentsRect();
    QTextLayout layout(l->text(), l->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(cr.width());
        height += line.height();
        lines << l->text().mid(line.textStart(), line.textLength());
        if (line.naturalTextWidth() > cr.width())
            faults << QStringLiteral("%1: the line \"%2\" is wider than %3 px").arg(name, lines.last()).arg(cr.width());
    }
    layout.endLayout();
    for (int i = 0; i + 1 < lines.size(); ++i)
        if (!lines[i].endsWith(u' '))
            faults << QStringLiteral("%1: \"%2\" breaks inside a word (\"%3\" | \"%4\")")
                          .arg(name, l->text(), lines[i], lines[i + 1]);
    if (height > cr.height())
        faults << QStringLiteral("%1: \"%2\" needs %3 px in height, has %4")
                      .arg(name, l->text())
                      .arg(height)
                      .arg(cr.height());
}

void checkLabel(const QLabel *l, const QString &name, QStringList &faults)
{
    const QRect cr = l->contentsRect();
    const QPixmap picture = l->pixmap();
    if (!picture.isNull() && !l->hasScaledContents()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        if (size.width() > cr.width() || size.height() > cr.height())
            faults << QStringLiteral("%1: its picture of %2x%3 is cut by %4")
                          .arg(name)
                          .arg(size.width())
                          .arg(size.height())
                          .arg(rectText(cr));
    }
    if (l->text().isEmpty())
        return;
    const bool rich =
        l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        if (l->wordWrap()) {
            doc.setTextWidth(cr.width());
            if (doc.size().height() > cr.height())
                faults << QStringLiteral("%1: its text needs %2 px in height, has %3")
                              .arg(name)
                              .arg(doc.size().height())
                              .arg(cr.height());
        }
        if (doc.idealWidth() > cr.width())
            faults
                << QStringLiteral("%1: its text needs %2 px, has %3").arg(name).arg(doc.idealWidth()).arg(cr.width());
        return;
    }
    if (l->wordWrap()) {
        checkWrapped(l, name, faults);
        return;
    }
    const int needed = l->fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), 0, l->text()).width();
    if (needed > cr.width())
        faults << QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(name, l->text()).arg(needed).arg(cr.width());
}

void checkButton(const QAbstractButton *b, const QString &name, QStringList &faults)
{
    if (b->text().isEmpty())
        return;
    const QString text = plainCaption(b->text());
    if (qobject_cast<const QCheckBox *>(b) || qobject_cast<const QRadioButton *>(b)) {
        // The box or dot, its gap and the caption.
        if (b->sizeHint().width() > b->width())
            faults << QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                          .arg(name, text)
                          .arg(b->sizeHint().width())
                          .arg(b->width());
        return;
    }
    QStyleOptionButton option;
    option.initFrom(b);
    const QRect contents = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
    const int needed = b->fontMetrics().horizontalAdvance(text);
    if (needed > contents.width())
        faults << QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(name, text).arg(needed).arg(contents.width());
}

// Controls made by Qt inside a compound control are that control's business.
bool isOurControl(const QWidget *c)
{
    return !c->isWindow() && !c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_"));
}

bool holdsOnlyQtParts(const QWidget *c)
{
    return qobject_cast<const QAbstractScrollArea *>(c) || qobject_cast<const QComboBox *>(c)
           || qobject_cast<const QAbstractSpinBox *>(c);
}

// Where a label's caption is drawn, in its parent's coordinates.
QRect drawnText(const QLabel *l)
{
    const int flags = int(l->alignment()) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0);
    return l->fontMetrics().boundingRect(l->contentsRect(), flags, l->text()).translated(l->pos());
}

// Whether `a`'s caption, standing left of `b`'s on the same line, comes
// closer to it than two blanks, so that the two read as one ("hoeveelheid
// kooktijd"), or touches the red "*" that marks the next caption. A "*"
// marks the caption just right of it.
bool runsInto(const QLabel *a, const QLabel *b)
{
    const QRect ra = drawnText(a), rb = drawnText(b);
    if (ra.bottom() < rb.top() || rb.bottom() < ra.top() || ra.left() > rb.left())
        return false;
    if (a->text() == QLatin1String("*") && rb.left() >= ra.left())
        return ra.intersects(rb);
    const int gap = rb.left() - (ra.right() + 1);
    if (b->text() == QLatin1String("*"))
        return gap < 2;
    return gap < a->fontMetrics().horizontalAdvance(QStringLiteral("  "));
}

void checkChildren(const QWidget *window, const QWidget *parent, QStringList &faults)
{
    // Captions side by side must not run into each other.
    QList<const QLabel *> captions;
    for (QObject *o : parent->children()) {
        auto *l = qobject_cast<QLabel *>(o);
        if (l && isOurControl(l) && l->isVisibleTo(window) && !l->text().isEmpty() && l->textFormat() != Qt::RichText
            && !Qt::mightBeRichText(l->text()))
            captions << l;
    }
    for (const QLabel *a : captions)
        for (const QLabel *b : captions)
            if (a != b && runsInto(a, b))
                faults << QStringLiteral("%1 \"%2\" runs into %3 \"%4\" (%5 px apart)")
                              .arg(a->objectName(), a->text(), b->objectName(), b->text())
                              .arg(drawnText(b).left() - drawnText(a).right() - 1);

    for (QObject *o : parent->children()) {
        auto *c = qobject_cast<QWidget *>(o);
        if (!c || !isOurControl(c) || !c->isVisibleTo(window))
            continue;
        const QString name = c->objectName();
        if (!parent->rect().contains(c->geometry()))
            faults << QStringLiteral("%1 %2 lies outside %3 %4")
                          .arg(name, rectText(c->geometry()), parent->objectName(), rectText(parent->rect()));
        if (auto *l = qobject_cast<QLabel *>(c))
            checkLabel(l, name, faults);
        else if (auto *b = qobject_cast<QAbstractButton *>(c))
            checkButton(b, name, faults);
        else if (auto *g = qobject_cast<QGroupBox *>(c)) {
            const int needed = g->fontMetrics().horizontalAdvance(g->title());
            if (needed > g->width())
                faults << QStringLiteral("%1: the caption \"%2\" needs %3 px, has %4")
                              .arg(name, g->title())
                              .arg(needed)
                              .arg(g->width());
        }
        if (!holdsOnlyQtParts(c))
            checkChildren(window, c, faults);
    }
}

class ControlsWhole : public MainWindowTest {
protected:
    // Opens a window as the program does: by its command (guard and
    // preparation for the brew mode) or, without one, through the registry.
    QWidget *open(const WindowRow &row)
    {
        if (!row.command.isEmpty()) {
            if (!w->runCommand(row.command))
                return nullptr;
        } else {
            windows().show(row.window);
        }
        QWidget *x = windows().find(row.window);
        return x && x->isVisible() ? x : nullptr;
    }
};

QFontMetrics fontMetrics(const QWidget *w) { return w->fontMetrics(); }

// Each fault the check looks for, in a small window of its own, so that a
// check that saw nothing cannot pass for windows that are whole: each case
// is found, and as its own kind of fault.
TEST(ControlsWholeCheck, SeesEachKindOfFault)
{
    const auto label = [](QWidget *parent, const char *name, const QString &text, const QRect &at) {
        auto *l = new QLabel(text, parent);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(at);
        return l;
    };
    struct Case {
        const char *what;
        std::function<void(QWidget *)> build;
        const char *fault;  // a pattern every fault found must match
    };
    const Case cases[] = {
        {"a control beyond the right edge",
         [&](QWidget *w) {
             label(w, "lblUit", QStringLiteral("x"), {190, 0, 20, 20});
         },
         R"re(^lblUit \(190,0 20x20\) lies outside frmProef \(0,0 200x100\)$)re"},
        {"a cut caption",
         [&](QWidget *w) {
             label(w, "lblKort", QStringLiteral("hoeveelheid (gr)"), {0, 0, 30, 20});
         },
         R"re(^lblKort: "hoeveelheid \(gr\)" needs \d+ px, has 30$)re"},
        {"a wrap inside the unit",
         [&](QWidget *w) {
             label(w, "lblSG", QStringLiteral("SG (kg/m3)"), {0, 0, 60, 40})->setWordWrap(true);
         },
         R"re(^lblSG: "SG \(kg/m3\)" breaks inside a word \(".*" \| ".*"\)$)re"},
        {"a wrap taller than its label",
         [&](QWidget *w) {
             label(w, "lblHoog", QStringLiteral("een twee drie"), {0, 0, 40, 15})->setWordWrap(true);
         },
         R"re(^lblHoog: "een twee drie" needs [\d.]+ px in height, has 15$)re"},
        {"captions running into each other",
         [&](QWidget *w) {
             label(w, "lblLinks", QStringLiteral("hoeveelheid"), {0, 0, 80, 20});
             label(w, "lblRechts", QStringLiteral("kooktijd"),
                   {fontMetrics(w).horizontalAdvance(QStringLiteral("hoeveelheid ")), 0, 100, 20});
         },
         R"re(^lblLinks "hoeveelheid" runs into lblRechts "kooktijd" \(-?\d+ px apart\)$)re"},
        {"a cut picture",
         [&](QWidget *w) {
             QPixmap picture(32, 32);
             picture.fill(Qt::blue);
             label(w, "picHelp", QString(), {0, 0, 25, 25})->setPixmap(picture);
         },
         R"re(^picHelp: its picture of 32x32 is cut by \(\d+,\d+ \d+x\d+\)$)re"},
        {"a cut rich caption",
         [&](QWidget *w) {
             label(w, "lblRijk", QStringLiteral("<b>hoeveelheid</b>"), {0, 0, 30, 20});
         },
         R"re(^lblRijk: its text needs [\d.]+ px, has 30$)re"},
        {"a cut check box caption",
         [&](QWidget *w) {
             auto *c = new QCheckBox(QStringLiteral("Voer Percentages als grammen in"), w);
             c->setObjectName(QStringLiteral("chkKort"));
             c->setGeometry(0, 0, 60, 20);
         },
         R"re(^chkKort: "Voer Percentages als grammen in" needs \d+ px, has 60$)re"},
        {"a cut button caption",
         [&](QWidget *w) {
             auto *b = new QPushButton(QStringLiteral("&Berekenen"), w);
             b->setObjectName(QStringLiteral("cmdKort"));
             b->setGeometry(0, 0, 30, 25);
         },
         R"re(^cmdKort: "Berekenen" needs \d+ px, has -?\d+$)re"},
        {"a cut frame caption",
         [&](QWidget *w) {
             auto *g = new QGroupBox(QStringLiteral("Brouwschema voor twee bieren"), w);
             g->setObjectName(QStringLiteral("fraKort"));
             g->setGeometry(0, 0, 50, 50);
         },
         R"re(^fraKort: the caption "Brouwschema voor twee bieren" needs \d+ px, has 50$)re"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QWidget window;
        window.setObjectName(QStringLiteral("frmProef"));
        window.resize(200, 100);
        c.build(&window);
        QStringList faults;
        checkChildren(&window, &window, faults);
        EXPECT_FALSE(faults.isEmpty());
        const QRegularExpression kind(QString::fromUtf8(c.fault));
        for (const QString &fault : faults)
            EXPECT_TRUE(kind.match(fault).hasMatch()) << qPrintable(fault);
    }
}

TEST_F(ControlsWhole, TheMeasuredFontIsTheOneTheWindowsGetUnderX11)
{
    // No window of ours sets the dialogs' font: they take the application's,
    // which offscreen and under X11 is "Sans Serif" at 9 points. Under X11
    // that name is drawn in the face fontconfig gives for it; what is
    // measured here holds there only when the measuring uses that face too.
    const QFont f = QApplication::font();
    EXPECT_EQ(f.family(), QStringLiteral("Sans Serif"));
    EXPECT_EQ(f.pointSize(), 9);
    QProcess match;
    match.start(QStringLiteral("fc-match"), {QStringLiteral("-f"), QStringLiteral("%{family[0]}"), f.family()});
    ASSERT_TRUE(match.waitForFinished()) << "fc-match did not run: " << qPrintable(match.errorString());
    const QString face = QString::fromUtf8(match.readAllStandardOutput());
    ASSERT_FALSE(face.isEmpty());
    EXPECT_EQ(QFontInfo(f).family(), face);
}

TEST_F(ControlsWhole, EveryWindowInEachBrewMode)
{
    struct Mode {
        const char *what, *sample;
        bool dubbel;
    };
    for (const Mode &mode :
         {Mode{"single brew", "Zomerblond.zlv", false}, Mode{"double brew", "Herfstbok.zlv", true}}) {
        session() = recalculatedSample(QLatin1String(mode.sample));
        ASSERT_EQ(session().app.dubbelBrouw, mode.dubbel) << mode.what;
        w->PasGUIAanBrouwType();
        w->refreshView();
        for (const WindowRow &row : windowCatalogue()) {
            SCOPED_TRACE(std::string(mode.what) + ", " + row.window.toStdString());
            if (!row.factory)
                continue;
            QWidget *window = open(row);
            ASSERT_NE(window, nullptr) << "did not open";
            QStringList faults;
            checkChildren(window, window, faults);
            EXPECT_TRUE(faults.isEmpty()) << qPrintable(faults.join(QLatin1Char('\n')));
            windows().unload(row.window);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

// The row dialogs with every row "+" gives, and the water salts at the most
// grams a three-digit maximum gives.
TEST_F(ControlsWhole, TheRowDialogsFullAndTheWaterSaltsAtTheirMost)
{
    session() = recalculatedSample(QStringLiteral("Herfstbok.zlv"));
    const std::pair<const char *, std::vector<const char *>> rowDialogs[] = {
        {"frmStorting", {"cmdStPlus"}},
        {"frmMaischSchema", {"cmdMSPlus"}},
        {"frmHopgift", {"cmdAHPlus", "cmdBHPlus"}},
    };
    for (const auto &[name, pluses] : rowDialogs) {
        SCOPED_TRACE(name);
        QWidget *window = open(*catalogueRow(QLatin1String(name)));
        ASSERT_NE(window, nullptr);
        for (const char *plus : pluses)
            for (int i = 0; i < 12; ++i)
                window->findChild<QPushButton *>(QLatin1String(plus))->click();
        QStringList faults;
        checkChildren(window, window, faults);
        EXPECT_TRUE(faults.isEmpty()) << qPrintable(faults.join(QLatin1Char('\n')));
        windows().unload(QLatin1String(name));
    }

    QWidget *water = open(*catalogueRow(QStringLiteral("frmWaterAanpassing")));
    ASSERT_NE(water, nullptr);
    for (const char *salt : {"CaSO4", "CaCl2", "CaCO3", "MgSO4", "NaCl", "NaHCO3"}) {
        water->findChild<QLineEdit *>(QStringLiteral("txtWABereik") + QLatin1String(salt))
            ->setText(QStringLiteral("999"));
        water->findChild<QScrollBar *>(QStringLiteral("fsb") + QLatin1String(salt))->setValue(100);
    }
    ASSERT_EQ(water->findChild<QLabel *>(QStringLiteral("lblNatriumWaterstofCarbonaat"))->text(),
              QStringLiteral("999.0 gr Natriumbicarbonaat (NaHCO3)."));
    QStringList faults;
    checkChildren(water, water, faults);
    EXPECT_TRUE(faults.isEmpty()) << qPrintable(faults.join(QLatin1Char('\n')));
}

}  // namespace

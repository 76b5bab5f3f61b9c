#include "frmHopgift.h"

#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"
#include "core/Session.h"
#include "platform/NumericEdit.h"
#include "platform/Twips.h"
#include "platform/TypedList.h"
#include "platform/WindowRoutines.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>
#include <cmath>
#include <iterator>

namespace mostarium {

namespace {

// Twips inside a frame. Row 0 stands at 660; text boxes step by their height
// + 75, the combos by theirs + 60, so both 375. The add and remove buttons
// stand at 2220, under the fourth row.
constexpr int RowTop = 660, BoxHeight = 300, ComboHeight = 315, BoxGap = 75, ComboGap = 60;
constexpr int RowStep = BoxHeight + BoxGap;
constexpr int SoortLeft = 120, SoortWidth = 5000;
// The form combo is 1275 wide, so that "bloemen" shows whole.
constexpr int VormLeft = 5280, VormWidth = 1275;
// The boil-time and SG columns stand far enough right that "hoeveelheid"
// keeps clear of "kooktijd".
constexpr int AlfaLeft = 6735, HoeveelLeft = 7890, TijdLeft = 9135, GravLeft = 10110;
constexpr int NumWidth = 855, TijdWidth = 675;
constexpr int HeadTop = 150, HeadHeight = 480;
constexpr int ButtonsTop = RowTop + HopgiftDialog::MaxRows * RowStep - BoxGap + 135;
constexpr int FrameLeft = 120, FrameTop = 120, FrameWidth = GravLeft + NumWidth + 240;

const QString kSgTip = QStringLiteral("Het SG op het moment dat de hop wordt toegevoegd");

void takeBackColour(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, MainBackColor());
    w->setPalette(p);
}

// The variety box: any key, and its text is not selected on focus (a line
// edit selects all when tabbed into).
class VarietyEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent *e) override
    {
        QLineEdit::focusInEvent(e);
        deselect();
    }
};

// A frame whose tool tip shows over the frame itself only, not over the
// controls in it that have none of their own.
class TipFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ToolTip && childAt(static_cast<QHelpEvent *>(e)->pos())) {
            QToolTip::hideText();
            return true;
        }
        return QGroupBox::event(e);
    }
};

QString comboText(const QComboBox *c) { return c->currentText(); }

void setComboText(QComboBox *c, const QString &text)
{
    c->setCurrentIndex(-1);
    c->setEditText(text);
    // The start of a long form shows, not its end.
    c->lineEdit()->setCursorPosition(0);
}

}  // namespace

const HopBindings &HopBindings::first()
{
    static const HopBindings b{
        "frmHopgift", "Hopgift",          &RecipeState::Aromahop, &RecipeState::Bitterhop, &RecipeState::OGSG,
        false,        limits::HopAlfaMax, StatusHopgift,          " Hopgift aromahop ",    " Hopgift bitterhop ",
        "cmdHGOK",    "picHGHelp"};
    return b;
}

const HopBindings &HopBindings::second()
{
    static const HopBindings b{"frmHopgift2",
                               "Hopgift dunbier",
                               &RecipeState::Aromahop2,
                               &RecipeState::Bitterhop2,
                               &RecipeState::OGSG2,
                               true,
                               limits::HopAlfaMax2,
                               StatusHopgift2,
                               " Hopgift aromahop dunbier ",
                               " Hopgift bitterhop dunbier ",
                               "cmdHG2OK",
                               "picHG2Help"};
    return b;
}

QList<QWidget *> HopgiftDialog::Row::widgets() const { return {soort, vorm, alfa, hoeveel, tijd, grav}; }

HopgiftDialog::HopgiftDialog(const HopBindings &b, Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QLatin1String(b.window), s, svc, parent), m_b(b),
      m_aroma([this](int i, const Row *previous) { return makeRow(List::Aroma, i, previous); }),
      m_bitter([this](int i, const Row *previous) { return makeRow(List::Bitter, i, previous); })
{
    setWindowTitle(QLatin1String(b.caption));
    QList<QWidget *> coloured;

    m_aromaFrame = new TipFrame(QLatin1String(b.aromaFrame), this);
    m_aromaFrame->setObjectName(QStringLiteral("fraAromaHop"));
    m_bitterFrame = new TipFrame(QLatin1String(b.bitterFrame), this);
    m_bitterFrame->setObjectName(QStringLiteral("fraBitterHop"));
    if (b.secondBeer)
        m_bitterFrame->setToolTip(kSgTip);
    coloured << m_aromaFrame << m_bitterFrame;

    struct Head {
        const char *aroma, *bitter, *caption, *tip;
        int left, width;
    };
    const Head heads[] = {
        {"lblHGSoort", "lblBHSoort", "Hopsoort", nullptr, SoortLeft, SoortWidth},
        {"lblHGHoedanigheid", "lblBHHoedanigheid", "hoedanigheid", "Pellets of bloemen", VormLeft, VormWidth},
        {"lblHGalfaz", "lblBHalfaz", "alfazuur (%)", "% alfazuur (zie verpakking)", AlfaLeft, NumWidth},
        {"lblHGGram", "lblBHPerc", nullptr, nullptr, HoeveelLeft, NumWidth},
        {"lblHGKooktijd", "lblBHKooktijd", "kooktijd (min)", "de tijd in minuten dat de hop wordt meegekookt", TijdLeft,
         TijdWidth},
        {"lblHGGravity", "lblBHGravity", "SG (kg/m3)", "Het SG op het moment dat de hop wordt toegevoegd", GravLeft,
         NumWidth},
    };
    int star = 0;
    for (std::size_t i = 0; i < std::size(heads); ++i) {
        const Head &h = heads[i];
        // The heads wrap onto two lines above their narrow columns: an aroma
        // head stops 120 short of the next column, a bitter head short of the
        // next column's "*"; the SG heads reach the frame's edge, so that
        // "SG (kg/m3)" stays on one line.
        const bool last = i + 1 == std::size(heads);
        const int next = last ? FrameWidth : heads[i + 1].left;
        const QRect at(h.left, HeadTop, last ? FrameWidth - h.left : next - 120 - h.left, HeadHeight);
        const QRect atBitter(h.left, HeadTop, last ? FrameWidth - h.left : h.width + 120, HeadHeight);
        const bool amount = !h.caption;
        QLabel *a = label(m_aromaFrame, QLatin1String(h.aroma),
                          amount ? QStringLiteral("hoeveelheid (gr)") : QLatin1String(h.caption), at);
        QLabel *t = label(m_bitterFrame, QLatin1String(h.bitter),
                          amount ? QStringLiteral("bitterheid (%)") : QLatin1String(h.caption), atBitter);
        if (amount) {
            a->setToolTip(QStringLiteral("de hoeveelheid hop in grammen dat wordt toegevoegd als aromahop"));
            t->setToolTip(QStringLiteral("% Bitterheid te leveren aan totaal"));
        } else if (h.tip) {
            a->setToolTip(QLatin1String(h.tip));
            // The second beer's frame carries the gravity tip instead.
            if (!(b.secondBeer && h.left == GravLeft))
                t->setToolTip(QLatin1String(h.tip));
        }
        for (QLabel *l : {a, t}) {
            l->setWordWrap(true);
            l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        }
        coloured << a << t;
        if (h.left != SoortLeft) {
            QLabel *s = label(m_bitterFrame, rowName(u"lblAsterix", star++), QStringLiteral("*"),
                              QRect(h.left - 150, HeadTop + HeadHeight - 240, 150, 240));
            coloured << s;
        }
    }

    m_ahPlus = button(m_aromaFrame, QStringLiteral("cmdAHPlus"), QStringLiteral("+"));
    m_ahMin = button(m_aromaFrame, QStringLiteral("cmdAHMin"), QStringLiteral("-"));
    m_bhPlus = button(m_bitterFrame, QStringLiteral("cmdBHPlus"), QStringLiteral("+"));
    m_bhMin = button(m_bitterFrame, QStringLiteral("cmsBHMin"), QStringLiteral("-"));
    for (QPushButton *p : {m_ahPlus, m_bhPlus})
        p->setToolTip(QStringLiteral("Voeg hopsoort toe"));
    for (QPushButton *p : {m_ahMin, m_bhMin})
        p->setToolTip(QStringLiteral("Verwijder laatste hopsoort uit lijst"));

    m_ok = button(this, QLatin1String(b.okButton), QStringLiteral("&OK"));
    m_ok->setDefault(true);
    m_cancel = button(this, QStringLiteral("cmdHGAnnuleren"), QStringLiteral("&Annuleren"));
    auto *help = helpPicture(QStringLiteral("MI_R_Hopgift.htm"));
    help->setObjectName(QLatin1String(b.helpPicture));
    m_help = help;
    coloured << m_help;

    connect(m_ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(m_cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);
    connect(m_ahPlus, &QPushButton::clicked, this, &HopgiftDialog::cmdAHPlus_Click);
    connect(m_ahMin, &QPushButton::clicked, this, &HopgiftDialog::cmdAHMin_Click);
    connect(m_bhPlus, &QPushButton::clicked, this, &HopgiftDialog::cmdBHPlus_Click);
    connect(m_bhMin, &QPushButton::clicked, this, &HopgiftDialog::cmsBHMin_Click);

    // Only the window, its frames, heads and help take the main window's
    // colour: the combos stay white like the boxes.
    applyMainBackColor(this);
    for (QWidget *w : coloured)
        takeBackColour(w);

    m_aroma.append();
    m_bitter.append();
    if (!b.secondBeer)
        m_aroma[0].soort->setToolTip(QStringLiteral("Leeg veld = geen aromahop!"));
    load();
}

HopgiftDialog::Row HopgiftDialog::makeRow(List list, int i, const Row *previous)
{
    const bool aroma = list == List::Aroma;
    QGroupBox *frame = aroma ? m_aromaFrame : m_bitterFrame;
    Row r;
    r.soort = new VarietyEdit(frame);
    r.soort->setObjectName(rowName(aroma ? u"txtAHSoort" : u"txtBHSoort", i));
    r.soort->setMaxLength(30);
    r.vorm = new QComboBox(frame);
    r.vorm->setObjectName(rowName(aroma ? u"comAHHoedanigheid" : u"comBHHoedanigheid", i));
    // Any typed form is stored as typed; Enter presses OK.
    makeTypedList(r.vorm);
    r.vorm->addItems({QStringLiteral("pellets"), QStringLiteral("bloemen")});
    setComboText(r.vorm, QString());
    r.alfa = new NumericEdit(rowName(aroma ? u"txtAHalfaz" : u"txtBHalfaz", i), false, frame);
    r.hoeveel = new NumericEdit(rowName(aroma ? u"txtAHGram" : u"txtBHPerc", i), false, frame);
    r.tijd = new NumericEdit(rowName(aroma ? u"txtAHTijd" : u"txtBHTijd", i), false, frame);
    r.grav = new NumericEdit(rowName(aroma ? u"txtAHGrav" : u"txtBHGrav", i), false, frame);
    if (!previous) {
        placeTwips(r.soort, QRect(SoortLeft, RowTop, SoortWidth, BoxHeight));
        placeTwips(r.vorm, QRect(VormLeft, RowTop, VormWidth, ComboHeight));
        placeTwips(r.alfa, QRect(AlfaLeft, RowTop, NumWidth, BoxHeight));
        placeTwips(r.hoeveel, QRect(HoeveelLeft, RowTop, NumWidth, BoxHeight));
        placeTwips(r.tijd, QRect(TijdLeft, RowTop, TijdWidth, BoxHeight));
        placeTwips(r.grav, QRect(GravLeft, RowTop, NumWidth, BoxHeight));
        return r;
    }
    // A new row is a copy of row 0: its size, font and tool tips.
    const Row &first = aroma ? m_aroma[0] : m_bitter[0];
    placeBelow(r.soort, previous->soort, BoxGap);
    placeBelow(r.vorm, previous->vorm, ComboGap);
    placeBelow(r.alfa, previous->alfa, BoxGap);
    placeBelow(r.hoeveel, previous->hoeveel, BoxGap);
    placeBelow(r.tijd, previous->tijd, BoxGap);
    placeBelow(r.grav, previous->grav, BoxGap);
    const QList<QWidget *> from = first.widgets(), to = r.widgets();
    for (qsizetype c = 0; c < to.size(); ++c) {
        to[c]->setFont(from[c]->font());
        to[c]->setToolTip(from[c]->toolTip());
    }
    return r;
}

QString HopgiftDialog::ogTip() const
{
    return QStringLiteral("Geschat SG=") + num::format(m_s.recipe.*m_b.og, u"####") + QStringLiteral(" kg/m3");
}

QString HopgiftDialog::afterSpargeTip() const
{
    const RecipeState &r = m_s.recipe;
    if (!(r.BZRMaisch > 0 && r.StortingMaisch > 0 && r.SpoelwortVolume > 0))
        return {};
    if (!m_b.secondBeer && dubbel())
        return {};
    // The free first wort can be negative: no estimate from a divisor of 0 or less.
    const float divisor = m_b.secondBeer ? r.SpoelwortVolume : r.VrijeHoofdwort + r.SpoelwortVolume;
    if (!(divisor > 0))
        return {};
    const float x = r.StortingMaisch * r.BZRMaisch / divisor;
    return QStringLiteral("Geschat SG van wort na spoelen=") + num::format(GLToSG(x), u"####")
           + QStringLiteral(" kg/m3");
}

void HopgiftDialog::setColumnTip(RowList<Row> &rows, NumericEdit *Row::*column, const QString &tip)
{
    for (Row &r : rows)
        (r.*column)->setToolTip(tip);
}

void HopgiftDialog::loadRows(RowList<Row> &rows, const Table2D<QString> &t, QPushButton *plus)
{
    // Every stored row is shown, also behind an empty row 0 and beyond the
    // rows "+" would make: an OK stores what the dialog shows.
    auto cell = [&t](int i, int c) { return t.has(i, c) ? t(i, c) : QString(); };
    for (int i = 0; i < t.rows(); ++i) {
        if (i > 0)
            rows.append(plus);
        Row &r = rows[i];
        loadText(r.soort, cell(i, HopSoort));
        setComboText(r.vorm, cell(i, HopHoedanigheid));
        r.alfa->setText(cell(i, HopAlfazuur));
        r.hoeveel->setText(cell(i, HopGram));
        r.tijd->setText(cell(i, HopKooktijd));
        r.grav->setText(cell(i, HopGravity));
    }
}

void HopgiftDialog::load()
{
    const RecipeState &r = m_s.recipe;
    const Table2D<QString> &aroma = r.*m_b.aroma;
    const Table2D<QString> &bitter = r.*m_b.bitter;

    m_aroma[0].grav->setToolTip(r.hasStatus(StatusDoelstellingen) ? ogTip() : QString());
    loadRows(m_aroma, aroma, m_ahPlus);

    // The estimate only over a list that holds a first addition.
    const bool filled = bitter.has(0, HopAlfazuur) && !bitter(0, HopAlfazuur).isEmpty();
    m_bitter[0].grav->setToolTip(filled ? afterSpargeTip() : QString());
    loadRows(m_bitter, bitter, m_bhPlus);
    relayout();
}

void HopgiftDialog::relayout()
{
    QWidget::setTabOrder(m_aroma.last().grav, m_ahPlus);
    QWidget::setTabOrder(m_ahPlus, m_ahMin);
    QWidget::setTabOrder(m_ahMin, m_bitter[0].soort);
    QWidget::setTabOrder(m_bitter.last().grav, m_bhPlus);
    QWidget::setTabOrder(m_bhPlus, m_bhMin);
    QWidget::setTabOrder(m_bhMin, m_ok);
    QWidget::setTabOrder(m_ok, m_cancel);

    // Under the fourth row, or under the last of a longer list from a file.
    auto frameHeight = [](int rows) { return std::max(ButtonsTop, RowTop + rows * RowStep + 60) + 315 + 150; };
    auto buttons = [](QPushButton *plus, QPushButton *min, int frameH) {
        const int top = frameH - 150 - 315;
        placeTwips(plus, QRect(SoortLeft, top, 375, 315));
        placeTwips(min, QRect(SoortLeft + 435, top, 375, 315));
    };
    const int aromaH = frameHeight(m_aroma.count()), bitterH = frameHeight(m_bitter.count());
    placeTwips(m_aromaFrame, QRect(FrameLeft, FrameTop, FrameWidth, aromaH));
    buttons(m_ahPlus, m_ahMin, aromaH);
    const int bitterTop = FrameTop + aromaH + 120;
    placeTwips(m_bitterFrame, QRect(FrameLeft, bitterTop, FrameWidth, bitterH));
    buttons(m_bhPlus, m_bhMin, bitterH);
    const int bottom = bitterTop + bitterH + 150;
    placeButtonRow(m_ok, m_cancel, m_help, FrameLeft, FrameLeft + FrameWidth, bottom);
    setFixedSize(layout::px(FrameLeft * 2 + FrameWidth), layout::px(bottom + 375 + 150));
}

void HopgiftDialog::cmdAHPlus_Click()
{
    const bool targets = m_s.recipe.hasStatus(StatusDoelstellingen);
    if (m_aroma.highest() >= MaxRows - 1) {
        // A full list: the first tip follows the estimate as it is now.
        if (targets)
            m_aroma[0].grav->setToolTip(ogTip());
        return;
    }
    Row &r = m_aroma.append(m_ahPlus);
    const Row &first = m_aroma[0];
    // The form and, with targets, the gravity carry over from the first row.
    setComboText(r.vorm, comboText(first.vorm));
    if (targets) {
        r.grav->setToolTip(ogTip());
        r.grav->setText(first.grav->text());
    }
    relayout();
    r.soort->setFocus();
}

void HopgiftDialog::cmdBHPlus_Click()
{
    if (m_bitter.highest() >= MaxRows - 1)
        return;
    Row &r = m_bitter.append(m_bhPlus);
    relayout();
    r.soort->setFocus();
}

void HopgiftDialog::cmdAHMin_Click()
{
    if (m_aroma.removeLast())
        relayout();
}

void HopgiftDialog::cmsBHMin_Click()
{
    if (m_bitter.removeLast())
        relayout();
}

bool HopgiftDialog::ControleerHopgift()
{
    int errors = 0;
    auto mark = [&errors](QWidget *w, bool bad) {
        markBad(w, bad);
        errors += bad;
    };
    // Within the limit, the value read as the number the text starts with.
    auto range = [&mark](NumericEdit *b, const Limit &limit) {
        const bool bad = !holdsText(limit, b->text());
        mark(b, bad);
        return !bad;
    };
    // Rows beyond the fourth have no line in the schedule: they must go.
    auto extra = [&mark](const Row &r) {
        for (QWidget *w : r.widgets())
            mark(w, true);
    };

    for (int i = 0; i < m_aroma.count(); ++i) {
        Row &r = m_aroma[i];
        if (i >= MaxRows) {
            extra(r);
            continue;
        }
        markBad(r.soort, false);
        if (!r.soort->text().trimmed().isEmpty()) {
            mark(r.vorm, !limits::knownHopForm(comboText(r.vorm)));
            range(r.alfa, limits::hopAlfa(m_b.alphaMax));
            range(r.hoeveel, limits::AromaGram);
            range(r.tijd, limits::AromaTijd);
            range(r.grav, limits::HopGravity);
        } else {
            // No aroma hop in this row: whatever else it held goes.
            setComboText(r.vorm, QString());
            markBad(r.vorm, false);
            for (NumericEdit *b : {r.alfa, r.hoeveel, r.tijd, r.grav}) {
                b->setText(QString());
                b->setBad(false);
            }
        }
    }

    // The shares add up in whole tenths, so that the order of the rows cannot
    // tip the sum off 100.
    long long tenths = 0;
    for (int i = 0; i < m_bitter.count(); ++i) {
        Row &r = m_bitter[i];
        if (i >= MaxRows) {
            extra(r);
            continue;
        }
        markBad(r.soort, false);
        mark(r.vorm, !limits::knownHopForm(comboText(r.vorm)));
        range(r.alfa, limits::hopAlfa(m_b.alphaMax));
        if (range(r.hoeveel, limits::BitterPerc)) {
            r.hoeveel->setText(num::formatText(r.hoeveel->text(), u"###.0"));
            // The share as shown: a number within the range, so one a double holds.
            if (const auto share = num::leadingNumber(r.hoeveel->text()))
                tenths += std::llround(*share * 10);
        }
        range(r.tijd, limits::BitterTijd);
        range(r.grav, limits::HopGravity);
    }
    if (tenths != 1000) {
        ++errors;
        for (Row &r : m_bitter)
            r.hoeveel->setBad(true);
    }
    return errors == 0;
}

void HopgiftDialog::StoreHopgift()
{
    RecipeState &rs = m_s.recipe;
    auto fill = [](Table2D<QString> &t, const RowList<Row> &rows) {
        t.redim(rows.highest(), 7);
        for (int i = 0; i < rows.count(); ++i) {
            const Row &r = rows[i];
            t(i, HopSoort) = keptText(r.soort);
            t(i, HopHoedanigheid) = keptText(r.vorm->lineEdit());
            t(i, HopAlfazuur) = r.alfa->text();
            t(i, HopGram) = r.hoeveel->text();
            t(i, HopKooktijd) = r.tijd->text();
            t(i, HopGravity) = r.grav->text();
        }
    };
    fill(rs.*m_b.aroma, m_aroma);
    fill(rs.*m_b.bitter, m_bitter);
    rs.setStatus(m_b.bit);
}

QString HopgiftDialog::successor() const
{
    if (m_b.secondBeer)
        return m_s.app.wizardActief ? QStringLiteral("frmGistKeuze") : QString();
    // In a double brew the second beer's hops follow every OK.
    if (dubbel())
        return QStringLiteral("frmHopgift2");
    return m_s.app.wizardActief ? QStringLiteral("frmToevoegingen") : QString();
}

}  // namespace mostarium

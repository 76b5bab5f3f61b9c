#include "frmStorting.h"

#include "core/CalcError.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"
#include "core/Services.h"
#include "core/Session.h"
#include "platform/NumericEdit.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <optional>

namespace mostarium {

namespace {

// Twips of the frame's columns; row 0 stands 600 below the frame's top.
constexpr int RowTop = 600, BoxHeight = 225, BoxGap = 75, CheckHeight = 195, CheckGap = 105;
constexpr int IngredLeft = 240, IngredWidth = 2400;
constexpr int PercLeft = 2760, PercWidth = 900;
// The yield and colour columns stand far enough right that "Percentage"
// keeps clear of the yield column's "*".
constexpr int BzrLeft = 3960, BzrWidth = 700;
constexpr int EbcLeft = 4800, EbcWidth = 800;
constexpr int LaatLeft = 6450, LaatWidth = 240;
constexpr int FrameLeft = 120, FrameTop = 120, FrameWidth = 7300;
constexpr int RowStep = BoxHeight + BoxGap;

const QString kPattern = QStringLiteral("##0.00");

// The whole text as a number. None for a text that is no number, and for a
// share or weight too large to add up exactly in hundredths.
std::optional<double> wholeNumber(const QString &text)
{
    try {
        const double v = num::strictDouble(text);
        if (std::abs(v) < 1e13)
            return v;
    } catch (const CalcError &) {
    }
    return std::nullopt;
}

void setTextColour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

}  // namespace

QList<QWidget *> frmStorting::Row::widgets() const { return {ingred, perc, bzr, ebc, laat}; }

frmStorting::frmStorting(Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QStringLiteral("frmStorting"), s, svc, parent),
      m_rows([this](int i, const Row *previous) { return makeRow(i, previous); })
{
    setWindowTitle(QStringLiteral("Storting"));

    m_frame = new QGroupBox(QStringLiteral(" Ingredienten "), this);
    m_frame->setObjectName(QStringLiteral("fraIngrdienten"));

    const int headTop = 330;
    const QString star = QStringLiteral("*");
    label(m_frame, rowName(u"lblAsterix", 0), star, QRect(IngredLeft - 120, headTop, 120, BoxHeight));
    label(m_frame, QStringLiteral("lblStIngred"), QStringLiteral("Ingredient(en)"),
          QRect(IngredLeft, headTop, IngredWidth, BoxHeight));
    label(m_frame, rowName(u"lblAsterix", 1), star, QRect(PercLeft - 120, headTop, 120, BoxHeight));
    m_lblPerc = label(m_frame, QStringLiteral("lblStPerc"), QStringLiteral("Percentage"),
                      QRect(PercLeft, headTop, PercWidth + 200, BoxHeight));
    m_lblPerc->setToolTip(QStringLiteral("Percentage van de totale storting"));
    label(m_frame, rowName(u"lblAsterix", 2), star, QRect(BzrLeft - 120, headTop, 120, BoxHeight));
    label(m_frame, QStringLiteral("lblStBZR"), QStringLiteral("EE"), QRect(BzrLeft, headTop, BzrWidth, BoxHeight))
        ->setToolTip(QStringLiteral("Extractie Effecientie - te zien als individueel BrouwZaalRendement. 0<EE<=1"));
    label(m_frame, rowName(u"lblAsterix", 3), star, QRect(EbcLeft - 120, headTop, 120, BoxHeight));
    label(m_frame, QStringLiteral("lblStEBC"), QStringLiteral("EBC"), QRect(EbcLeft, headTop, EbcWidth, BoxHeight))
        ->setToolTip(QStringLiteral("European Beer Color"));
    QLabel *laat = label(m_frame, QStringLiteral("lblStLaat"), QStringLiteral("Storting tijdens kookproces?"),
                         QRect(LaatLeft - 750, 0, 1600, 570));
    laat->setWordWrap(true);
    laat->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

    m_plus = button(m_frame, QStringLiteral("cmdStPlus"), QStringLiteral("+"));
    m_plus->setToolTip(QStringLiteral("Voeg ingredient toe"));
    m_min = button(m_frame, QStringLiteral("cmdStVerwijder"), QStringLiteral("-"));
    m_min->setToolTip(QStringLiteral("Verwijder laatste ingredient uit lijst"));
    m_grammen = new QCheckBox(QStringLiteral("Voer Percentages als grammen in"), m_frame);
    m_grammen->setObjectName(QStringLiteral("chkSTInGrammen"));

    m_ok = button(this, QStringLiteral("cmdStOK"), QStringLiteral("&OK"));
    m_ok->setDefault(true);
    m_cancel = button(this, QStringLiteral("cmdStAnnuleer"), QStringLiteral("&Annuleren"));
    auto *help = helpPicture(QStringLiteral("MI_R_Storting.htm"));
    help->setObjectName(QStringLiteral("picStHelp"));
    m_help = help;

    connect(m_ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(m_cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);
    connect(m_plus, &QPushButton::clicked, this, &frmStorting::cmdStPlus_Click);
    connect(m_min, &QPushButton::clicked, this, &frmStorting::cmdStVerwijder_Click);
    connect(m_grammen, &QCheckBox::toggled, this, &frmStorting::chkSTInGrammen_Click);

    takeMainColours();
    m_rows.append();
    QWidget::setTabOrder(m_rows[0].laat, m_plus);
    QWidget::setTabOrder(m_plus, m_min);
    QWidget::setTabOrder(m_min, m_grammen);
    QWidget::setTabOrder(m_grammen, m_ok);
    QWidget::setTabOrder(m_ok, m_cancel);
    load();
}

frmStorting::Row frmStorting::makeRow(int i, const Row *previous)
{
    Row r;
    r.ingred = new SelectAllEdit(rowName(u"txtStIngred", i), m_frame);
    r.perc = new NumericEdit(rowName(u"txtStPerc", i), false, m_frame);
    r.bzr = new NumericEdit(rowName(u"txtStBZR", i), false, m_frame);
    r.ebc = new NumericEdit(rowName(u"txtStEBC", i), false, m_frame);
    r.laat = new QCheckBox(m_frame);
    r.laat->setObjectName(rowName(u"chkStLaat", i));
    if (!previous) {
        placeTwips(r.ingred, QRect(IngredLeft, RowTop, IngredWidth, BoxHeight));
        placeTwips(r.perc, QRect(PercLeft, RowTop, PercWidth, BoxHeight));
        placeTwips(r.bzr, QRect(BzrLeft, RowTop, BzrWidth, BoxHeight));
        placeTwips(r.ebc, QRect(EbcLeft, RowTop, EbcWidth, BoxHeight));
        placeTwips(r.laat, QRect(LaatLeft, RowTop, LaatWidth, CheckHeight));
    } else {
        placeBelow(r.ingred, previous->ingred, BoxGap);
        placeBelow(r.perc, previous->perc, BoxGap);
        placeBelow(r.bzr, previous->bzr, BoxGap);
        placeBelow(r.ebc, previous->ebc, BoxGap);
        placeBelow(r.laat, previous->laat, CheckGap);
        takeColoursOf(r.laat, previous->laat);
    }
    return r;
}

void frmStorting::load()
{
    // Every stored row is shown, also behind an empty first percentage and
    // beyond the rows "+" would make: an OK stores what the dialog shows.
    const Table2D<QString> &st = m_s.recipe.Storting;
    auto cell = [&st](int i, int c) { return st.has(i, c) ? st(i, c) : QString(); };
    const int n = std::max(1, st.rows());
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            m_rows.append(m_plus);
        Row &r = m_rows[i];
        loadText(r.ingred, cell(i, StIngred));
        r.perc->setText(num::formatText(cell(i, StPerc), kPattern));
        r.bzr->setText(num::formatText(cell(i, StBZR), kPattern));
        r.ebc->setText(cell(i, StEBC));
        r.laat->setChecked(cell(i, StLaat) == QLatin1String("1"));
    }
    placeBottom(n);
}

void frmStorting::placeBottom(int rows)
{
    const int below = RowTop + std::max(rows, MaxRows) * RowStep + 60;
    placeTwips(m_plus, QRect(IngredLeft, below, 375, 315));
    placeTwips(m_min, QRect(IngredLeft + 435, below, 375, 315));
    placeTwips(m_grammen, QRect(IngredLeft + 960, below + 30, 3600, 255));
    const int frameHeight = below + 315 + 180;
    placeTwips(m_frame, QRect(FrameLeft, FrameTop, FrameWidth, frameHeight));
    const int buttons = FrameTop + frameHeight + 150;
    placeButtonRow(m_ok, m_cancel, m_help, FrameLeft, FrameLeft + FrameWidth, buttons);
    resize(layout::px(FrameLeft * 2 + FrameWidth), layout::px(buttons + 375 + 150));
}

void frmStorting::chkSTInGrammen_Click()
{
    if (m_grammen->isChecked()) {
        m_lblPerc->setText(QStringLiteral("Grammen"));
        m_lblPerc->setToolTip(
            QStringLiteral("Aantal Grammen per ingredient in de Storting. Wordt omgerekend naar Percentages!"));
    } else {
        m_lblPerc->setText(QStringLiteral("Percentage"));
        m_lblPerc->setToolTip(QStringLiteral("Percentage van de Totale Storting"));
    }
}

void frmStorting::cmdStPlus_Click()
{
    if (m_rows.highest() >= MaxRows - 1)
        return;
    // A new row starts empty and not late.
    Row &r = m_rows.append(m_plus);
    r.ingred->setFocus();
}

void frmStorting::cmdStVerwijder_Click() { m_rows.removeLast(); }

bool frmStorting::ControleerStorting()
{
    int errors = 0;

    // An empty share, or one that is no number as a whole (which the sum and
    // the grams need), ends the check: nothing else is coloured.
    bool incomplete = false;
    for (Row &r : m_rows) {
        const QString t = r.perc->text();
        if (t.isEmpty() || !wholeNumber(t)) {
            r.perc->setBad(true);
            ++errors;
            incomplete = true;
        } else {
            r.perc->setBad(false);
            r.perc->setText(num::formatText(t, kPattern));
        }
    }
    if (incomplete)
        return false;

    if (m_grammen->isChecked()) {
        double total = 0;
        for (const Row &r : m_rows)
            total += *wholeNumber(r.perc->text());
        // Grams that add up to nothing give no shares.
        if (total == 0) {
            for (Row &r : m_rows)
                r.perc->setBad(true);
            return false;
        }
        for (Row &r : m_rows)
            r.perc->setText(num::format(*wholeNumber(r.perc->text()) * 100.0 / total, kPattern));
    }

    // The sum in whole hundredths, so that 100 is exactly 100.
    double hundredths = 0;
    for (Row &r : m_rows) {
        if (!holdsText(limits::StortingPerc, r.perc->text())) {
            r.perc->setBad(true);
            ++errors;
        } else {
            r.perc->setBad(false);
            r.perc->setText(num::formatText(r.perc->text(), kPattern));
        }
        hundredths += std::round(*wholeNumber(r.perc->text()) * 100.0);
    }
    if (hundredths != 10000) {
        for (Row &r : m_rows)
            r.perc->setBad(true);
        m_svc.msgBox(QStringLiteral("Som der percentages is ") + num::plain(hundredths / 100.0) + QStringLiteral("%!"),
                     mb::Exclamation, QStringLiteral("Attentie!"));
        ++errors;
    }

    for (Row &r : m_rows) {
        const bool bad = !holdsText(limits::StortingBZR, r.bzr->text());
        r.bzr->setBad(bad);
        errors += bad;
    }
    for (Row &r : m_rows) {
        const bool bad = !holdsText(limits::StortingEBC, r.ebc->text());
        r.ebc->setBad(bad);
        errors += bad;
    }

    // At least one ingredient goes into the mash.
    int late = 0;
    for (const Row &r : m_rows)
        late += r.laat->isChecked();
    const bool allLate = late == m_rows.count();
    for (Row &r : m_rows) {
        r.laat->setText(allLate ? QStringLiteral("!") : QString());
        setTextColour(r.laat, allLate ? QColor(255, 0, 0) : QColor(0, 0, 0));
        errors += allLate;
    }

    // Rows beyond the tenth have no line in the schedule: they must go first.
    for (int i = MaxRows; i < m_rows.count(); ++i) {
        for (QWidget *w : {static_cast<QWidget *>(m_rows[i].ingred), static_cast<QWidget *>(m_rows[i].perc),
                           static_cast<QWidget *>(m_rows[i].bzr), static_cast<QWidget *>(m_rows[i].ebc)})
            markBad(w, true);
        ++errors;
    }
    return errors == 0;
}

void frmStorting::StoreStorting()
{
    Table2D<QString> &st = m_s.recipe.Storting;
    st.redim(m_rows.highest(), 4);
    for (int i = 0; i < m_rows.count(); ++i) {
        const Row &r = m_rows[i];
        st(i, StIngred) = keptText(r.ingred);
        st(i, StPerc) = r.perc->text();
        st(i, StBZR) = r.bzr->text();
        st(i, StEBC) = r.ebc->text();
        st(i, StLaat) = r.laat->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    }
    m_s.recipe.setStatus(StatusStorting);
}

}  // namespace mostarium

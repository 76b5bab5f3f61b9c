#include "frmEvaluatie.h"

#include "TwipsPlace.h"

#include "core/Evaluation.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"
#include "core/ScheduleDisplay.h"
#include "core/Session.h"
#include "platform/NumericEdit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace mostarium {

namespace {

constexpr int FrameLeft[2] = {120, 3060};
constexpr int FrameTop = 120, FrameWidth = 2715, FrameHeight = 1635;
constexpr int ButtonTop = 1980, ButtonWidth = 1200, ButtonHeight = 400;

// A measured cell as its box shows it: a number in its signed form, any other
// text (a hand-edited file) as it stands.
QString shownCell(const QString &cell)
{
    try {
        return num::signedText(num::strictDouble(cell));
    } catch (...) {
        return cell;
    }
}

}  // namespace

frmEvaluatie::frmEvaluatie(Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QStringLiteral("frmEvaluatie"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Evaluatie"));

    static const char *const captions[3] = {"Volume (L): ", "OG (kg/m3): ", "FG (kg/m3): "};
    static const char *const names[3] = {"Volume", "OG", "FG"};
    for (int b = 0; b < 2; ++b) {
        const QString suffix = b == 0 ? QString() : QStringLiteral("2");
        m_fra[b] = new QGroupBox(b == 0 ? QStringLiteral("Metingen") : QStringLiteral(" Metingen dunbier "), this);
        m_fra[b]->setObjectName(b == 0 ? QStringLiteral("fraEvaldikbier") : QStringLiteral("fraEvaldunbier"));
        placeTwips(m_fra[b], FrameLeft[b], FrameTop, FrameWidth, FrameHeight);
        NumericEdit **boxes[3] = {&m_vol[b], &m_og[b], &m_fg[b]};
        for (int q = 0; q < 3; ++q) {
            const int top = 360 + q * 420;
            auto *label = new QLabel(QString::fromLatin1(captions[q]), m_fra[b]);
            label->setObjectName(QStringLiteral("lblEval_") + QLatin1String(names[q]) + suffix);
            placeTwips(label, 120, top + 30, 1200, 285);
            auto *box = new NumericEdit(QStringLiteral("txtEval_") + QLatin1String(names[q]) + suffix, false, m_fra[b]);
            placeTwips(box, 1320, top, 1035, 315);
            *boxes[q] = box;
            auto *mark = new QLabel(QStringLiteral("*"), m_fra[b]);
            mark->setObjectName(QStringLiteral("lblAsterix_%1").arg(b * 3 + q));
            QPalette p = mark->palette();
            p.setColor(QPalette::WindowText, QColor(255, 0, 0));
            mark->setPalette(p);
            placeTwips(mark, 2415, top + 30, 180, 285);
        }
    }

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdEvalOK"));
    m_ok->setDefault(true);
    placeTwips(m_ok, 240, ButtonTop, ButtonWidth, ButtonHeight);
    m_cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    m_cancel->setObjectName(QStringLiteral("cmdEvalAnnuleer"));
    placeTwips(m_cancel, 1560, ButtonTop, ButtonWidth, ButtonHeight);
    connect(m_ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(m_cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);

    Form_Load();
}

void frmEvaluatie::Form_Load()
{
    takeMainColours();
    const bool db = dubbel();
    if (db) {
        m_fra[0]->setTitle(QStringLiteral("Metingen dikbier "));
        m_ok->move(layout::px(FrameLeft[0] + FrameWidth - ButtonWidth), m_ok->y());
        m_cancel->move(layout::px(FrameLeft[1]), m_cancel->y());
    } else {
        m_fra[0]->setTitle(QStringLiteral("Metingen"));
    }
    // The second frame lies beyond the right edge in a single brew, hidden
    // so that its boxes take no focus there.
    setFixedSize(clientPx(db ? 6000 : 3030), layout::px(2520));
    m_fra[1]->setVisible(db);

    const Table2D<QString> &e = m_s.recipe.Evaluatie;
    if (e.rowUbound() < 2)
        return;
    for (int b = 0; b < (db ? 2 : 1); ++b) {
        NumericEdit *boxes[3] = {m_vol[b], m_og[b], m_fg[b]};
        for (int q = 0; q < 3; ++q)
            if (e.has(q, b) && !e(q, b).isEmpty())
                boxes[q]->setText(shownCell(e(q, b)));
    }
}

bool frmEvaluatie::ControleerWaarden()
{
    const double ketel = m_s.recipe.KetelInhoud;
    int failures = 0;
    auto test = [&failures](NumericEdit *box, double low, double high) {
        const bool bad = !holdsText(Limit{low, high}, box->text());
        box->setBad(bad);
        failures += bad ? 1 : 0;
    };
    for (int b = 0; b < (dubbel() ? 2 : 1); ++b) {
        test(m_vol[b], 0, ketel);
        test(m_og[b], 1000, 1150);
        test(m_fg[b], 1000, 1050);
    }
    return failures == 0;
}

void frmEvaluatie::BewaarMetingen()
{
    const bool db = dubbel();
    RecipeState &r = m_s.recipe;
    r.Evaluatie.redim(2, db ? 1 : 0);
    for (int b = 0; b < (db ? 2 : 1); ++b) {
        NumericEdit *boxes[3] = {m_vol[b], m_og[b], m_fg[b]};
        for (int q = 0; q < 3; ++q)
            r.Evaluatie(q, b) = num::plain(num::val(boxes[q]->text()));
    }
    r.setStatus(StatusEvaluatie);
}

void frmEvaluatie::beforeStore() { ShowBrouwschema(m_s); }

void frmEvaluatie::afterStore()
{
    // The evaluation sees the planned volume with the brewing loss, as in the
    // full recalculation; the target goes back exactly as it was. Without
    // targets there is no volume to raise.
    RecipeState &r = m_s.recipe;
    const bool hasVolume = r.Doelstellingen.has(1);
    const float volume = hasVolume ? r.Doelstellingen(1) : 0.0f;
    if (hasVolume)
        r.Doelstellingen(1) = float(double(volume) + double(r.BrouwVerlies));
    Evalueer(m_s);
    if (hasVolume)
        r.Doelstellingen(1) = volume;
    m_s.viewChanged();
}

}  // namespace mostarium

#include "frmDoelstellingen.h"

#include "core/NumText.h"
#include "core/Optimisers.h"
#include "core/RecipeLimits.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/StyleList.h"
#include "platform/NumericEdit.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <optional>

namespace mostarium {

namespace {

struct Target {
    const char *box, *box2, *label, *label2, *caption;
};
// In the order of Doelstellingen's cells 1..5 (6..10 for the second beer).
constexpr Target Targets[5] = {
    {"txtDoelVol", "txtDoel2Vol", "lblDoelVol", "lblDoel2Vol", "Volume (L)"},
    {"txtDoelPerc", "txtDoel2Perc", "lblDoelPerc", "lblDoel2Perc", "Alcohol incl. navergisting op fles (vol%)"},
    {"txtDoelFG", "txtDoel2FG", "lblDoelFG", "lblDoel2FG", "Eind SG (kg/m3)"},
    {"txtDoelEBU", "txtDoel2EBU", "lblDoelEBU", "lblDoel2EBU", "Bitterheid (EBU)"},
    {"txtDoelCO2", "txtDoel2CO2", "lblDoelCO2", "lblDoel2CO2", "Uiteindelijk koolzuurgehalte (gr/L)"},
};

// Twips of the layout.
constexpr int FrameLeft[2] = {180, 5580};
constexpr int FrameWidth = 5175;
constexpr int TargetTop = 2040, TargetHeight = 2415;
constexpr int ButtonTop = 4680, ButtonWidth = 1200, ButtonHeight = 375;
constexpr int OkLeft = 1440, CancelLeft = 2880;
constexpr int WindowWidth = 5600, WindowHeight = 5295;

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(layout::px(left), layout::px(top), layout::px(width), layout::px(height));
}

}  // namespace

frmDoelstellingen::frmDoelstellingen(Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QStringLiteral("frmDoelstellingen"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Doelstellingen"));
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);

    for (int beer = 0; beer < 2; ++beer) {
        auto *styles = new QGroupBox(QStringLiteral(" Biersoort "), this);
        styles->setObjectName(beer == 0 ? QStringLiteral("fraBierSoort") : QStringLiteral("fraBier2Soort"));
        place(styles, FrameLeft[beer], 120, FrameWidth, 1815);
        auto *combo = new QComboBox(styles);
        combo->setObjectName(beer == 0 ? QStringLiteral("comBier") : QStringLiteral("comBier2"));
        place(combo, 120, 300, 4935, 315);
        auto *info = new QLabel(styles);
        info->setObjectName(beer == 0 ? QStringLiteral("lblBierInfo") : QStringLiteral("lblBier2Info"));
        // The style list's description as it stands in the file, never read as markup.
        info->setTextFormat(Qt::PlainText);
        info->setWordWrap(true);
        info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(info, 120, 720, 4935, 975);
        connect(combo, &QComboBox::activated, this, [this, beer] { comBier_Click(beer); });
        m_styleFrames[std::size_t(beer)] = styles;
        m_combos[std::size_t(beer)] = combo;
        m_info[std::size_t(beer)] = info;

        auto *frame = new QGroupBox(this);
        frame->setObjectName(beer == 0 ? QStringLiteral("fraDoel1") : QStringLiteral("fraDoel2"));
        frame->setTitle(beer == 0 ? QStringLiteral(" Doelstellingen te maken bier ")
                                  : QStringLiteral(" Doelstellingen te maken dunbier "));
        place(frame, FrameLeft[beer], TargetTop, FrameWidth, TargetHeight);
        m_targetFrames[std::size_t(beer)] = frame;
        for (int t = 0; t < 5; ++t) {
            const Target &target = Targets[t];
            const std::size_t i = std::size_t(beer * 5 + t);
            auto *label = new QLabel(QString::fromLatin1(target.caption), frame);
            label->setObjectName(QLatin1String(beer == 0 ? target.label : target.label2));
            place(label, 120, 330 + t * 405, 3375, 285);
            auto *box = new NumericEdit(QLatin1String(beer == 0 ? target.box : target.box2), false, frame);
            place(box, 3600, 300 + t * 405, 1095, 315);
            auto *asterisk = new QLabel(QStringLiteral("*"), frame);
            asterisk->setObjectName(QStringLiteral("lblAsterix_%1").arg(i));
            place(asterisk, 4755, 330 + t * 405, 180, 285);
            m_labels[i] = label;
            m_boxes[i] = box;
        }
    }

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdDSOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    m_cancel->setObjectName(QStringLiteral("cmdDSAnnuleren"));
    m_cancel->setAutoDefault(false);
    place(m_ok, OkLeft, ButtonTop, ButtonWidth, ButtonHeight);
    place(m_cancel, CancelLeft, ButtonTop, ButtonWidth, ButtonHeight);
    connect(m_ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(m_cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);
    ClickLabel *help = helpPicture(QStringLiteral("MI_R_Doelstellingen.htm"));
    help->setObjectName(QStringLiteral("picDSHelp"));
    place(help, 180, ButtonTop - 30, 480, 480);

    // Load.
    takeMainColours();
    const bool twoBeers = dubbel();
    if (twoBeers) {
        m_ok->move(layout::px(FrameLeft[0] + FrameWidth - ButtonWidth), m_ok->y());
        m_cancel->move(layout::px(FrameLeft[1]), m_cancel->y());
    }
    // The second beer's fields exist only in a double brew; hidden, they take
    // no focus either.
    m_styleFrames[1]->setVisible(twoBeers);
    m_targetFrames[1]->setVisible(twoBeers);
    loadTargets();
    m_stylesAtOpening = {m_s.recipe.Biersoort1, m_s.recipe.Biersoort2};
    const StyleList list = readStyleList();
    if (!list.refusal.isEmpty())
        m_svc.msgBox(list.refusal, mb::Exclamation, QStringLiteral("Attentie!"));
    for (QComboBox *combo : m_combos)
        combo->setVisible(list.present);
    if (list.present)
        FillBierSoorten();
    resize(layout::px(WindowWidth), layout::px(WindowHeight));
}

QString &frmDoelstellingen::style(int beer) { return beer == 0 ? m_s.recipe.Biersoort1 : m_s.recipe.Biersoort2; }

void frmDoelstellingen::loadTargets()
{
    const RecipeState &r = m_s.recipe;
    // Never stored (start-up, a reset): empty boxes and no tool tips.
    if (!r.Doelstellingen.has(2))
        return;
    const int cells = dubbel() ? 10 : 5;
    for (int c = 1; c <= cells && r.Doelstellingen.has(c); ++c)
        if (r.Doelstellingen(c) != 0)
            m_boxes[std::size_t(c - 1)]->setText(num::signedText(r.Doelstellingen(c)));

    const QString tips[5] = {
        QStringLiteral("Maximum aantal liters: ") + num::signedText(float(r.KetelInhoud)),
        QStringLiteral("Maximum vol% alc: ") + num::signedText(r.MaximumAlcPerc),
        QStringLiteral("FG range: 1000 - 1050 kg/m3"),
        QStringLiteral("Maximum 150 EBU"),
        QStringLiteral("Koolzuur range: 3 - 8 gr/L"),
    };
    for (int i = 0; i < cells; ++i)
        m_labels[std::size_t(i)]->setToolTip(tips[i % 5]);
}

void frmDoelstellingen::FillBierSoorten()
{
    const StyleList list = readStyleList();
    const QStringList names = styleNames(list.lines);
    for (int beer = 0; beer < 2; ++beer) {
        QComboBox *combo = m_combos[std::size_t(beer)];
        combo->clear();
        combo->addItems(names);
        combo->setCurrentIndex(-1);
        const QString &stored = style(beer);
        if (stored.isEmpty())
            continue;
        // A stored style no longer in the list shows no choice; the name
        // itself stays stored.
        combo->setCurrentIndex(combo->findText(stored));
        showDescription(beer, list.lines);
    }
}

void frmDoelstellingen::showDescription(int beer, const QStringList &lines)
{
    if (const auto description = styleDescription(lines, style(beer)))
        m_info[std::size_t(beer)]->setText(*description);
}

void frmDoelstellingen::comBier_Click(int beer)
{
    QComboBox *combo = m_combos[std::size_t(beer)];
    if (refuseWhileOptimising(m_s)) {
        combo->setCurrentIndex(style(beer).isEmpty() ? -1 : combo->findText(style(beer)));
        return;
    }
    const QString chosen = combo->currentText();
    if (style(beer) != chosen) {
        style(beer) = chosen;
        m_s.recipe.ReceptGewijzigd = true;
        m_s.recipeChanged();
    }
    showDescription(beer, readStyleList().lines);
}

bool frmDoelstellingen::ControleerWaarden()
{
    const RecipeState &r = m_s.recipe;
    const Limit limit[5] = {limits::doelVolume(r), limits::doelAlcohol(r), limits::DoelFG, limits::DoelEBU,
                            limits::DoelCO2};
    int failures = 0;
    const int beers = dubbel() ? 2 : 1;
    for (int beer = 0; beer < beers; ++beer) {
        for (int t = 0; t < 5; ++t) {
            NumericEdit *box = m_boxes[std::size_t(beer * 5 + t)];
            const bool pass = holdsText(limit[t], box->text());
            box->setBad(!pass);
            if (!pass)
                ++failures;
        }
    }
    return failures == 0;
}

void frmDoelstellingen::ScaleAromahop()
{
    RecipeState &r = m_s.recipe;
    // Without an old volume there is nothing to scale from; the second beer
    // is not scaled when the first could not be.
    const auto factor = [&r](const NumericEdit *box, int cell) -> std::optional<double> {
        if (!r.Doelstellingen.has(cell) || r.Doelstellingen(cell) == 0)
            return std::nullopt;
        return num::val(box->text()) / double(r.Doelstellingen(cell));
    };
    const auto f = factor(m_boxes[0], 1);
    if (!f || !scaleAromaGrams(r.Aromahop, *f) || !dubbel())
        return;
    if (const auto f2 = factor(m_boxes[5], 6))
        scaleAromaGrams(r.Aromahop2, *f2);
}

void frmDoelstellingen::StoreDoelstellingen()
{
    RecipeState &r = m_s.recipe;
    const int cells = dubbel() ? 10 : 5;
    r.Doelstellingen.redim(cells);
    for (int c = 1; c <= cells; ++c)
        r.Doelstellingen(c) = num::toSingle(num::val(m_boxes[std::size_t(c - 1)]->text()));
    r.setStatus(StatusDoelstellingen);
}

void frmDoelstellingen::onCancelled()
{
    if (style(0) == m_stylesAtOpening[0] && style(1) == m_stylesAtOpening[1])
        return;
    style(0) = m_stylesAtOpening[0];
    style(1) = m_stylesAtOpening[1];
    m_s.recipe.ReceptGewijzigd = true;
    m_s.recipeChanged();
}

}  // namespace mostarium

#include "frmMaischSchema.h"

#include "core/NumText.h"
#include "core/RecipeLimits.h"
#include "core/Session.h"
#include "platform/NumericEdit.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <tuple>

namespace mostarium {

namespace {

// Twips. The step rows: row 0 stands 780 below the top of the schedule frame;
// boxes step by their height + 75, labels by theirs + 110 (a label of 190
// keeps each label in line with its boxes).
constexpr int DialogWidth = 4800;
constexpr int FrameLeft = 120, FrameWidth = 4440;
constexpr int TopFrameTop = 120, TopFrameHeight = 2640;
constexpr int SchemaTop = TopFrameTop + TopFrameHeight + 120;
constexpr int RowTop = 780, BoxHeight = 225, BoxGap = 75, LabelHeight = 190, LabelGap = 110;
constexpr int StapLeft = 360, StapWidth = 1300;
constexpr int TempLeft = 1740, TijdLeft = 3060, BoxWidth = 795;
constexpr int RowStep = BoxHeight + BoxGap;

NumericEdit *box(QWidget *parent, const QString &name, const QRect &twips, int maxLength = 0)
{
    auto *b = new NumericEdit(name, false, parent);
    placeTwips(b, twips);
    if (maxLength > 0)
        b->setMaxLength(maxLength);
    return b;
}

QLabel *redStar(QWidget *parent, int i, int left, int top)
{
    QLabel *l = label(parent, rowName(u"lblAsterix", i), QStringLiteral("*"), QRect(left, top, 120, BoxHeight));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    l->setPalette(p);
    return l;
}

// The number as a box shows it: " 65", " 2.8".
QString shown(float v) { return num::signedText(v); }

}  // namespace

QList<QWidget *> frmMaischSchema::Row::widgets() const { return {stap, temp, tijd}; }

frmMaischSchema::frmMaischSchema(Session &s, Services &svc, QWidget *parent)
    : RecipeDialog(QStringLiteral("frmMaischSchema"), s, svc, parent),
      m_rows([this](int i, const Row *previous) { return makeRow(i, previous); })
{
    setWindowTitle(QStringLiteral("Maisch schema"));

    auto *top = new QGroupBox(QStringLiteral(" Inmaischen "), this);
    top->setObjectName(QStringLiteral("fraInMaischen"));
    placeTwips(top, QRect(FrameLeft, TopFrameTop, FrameWidth, TopFrameHeight));
    label(top, QStringLiteral("lblInmaischen"), QStringLiteral("Inmaischen met L/kg storting "),
          QRect(120, 330, 2760, BoxHeight))
        ->setToolTip(QStringLiteral("Normaal gesproken tussen de 2 - 3 L/kg. Grenswaarden 1.5 - 6 L/kg."));
    m_inMaisch = box(top, QStringLiteral("txtInMaisch"), QRect(2940, 300, BoxWidth, 285));
    redStar(top, 0, 3780, 330);
    label(top, QStringLiteral("lblMpH"), QStringLiteral("pH aanpassing maisch tot "), QRect(120, 690, 2760, BoxHeight))
        ->setToolTip(QStringLiteral("Wenselijke pH ~ 5.2- 5.3"));
    m_pH = box(top, QStringLiteral("txtMpH"), QRect(2940, 660, BoxWidth, 285));
    redStar(top, 1, 3780, 690);

    auto *dec = new QGroupBox(QStringLiteral("      Inmaisch stap via decoctie "), top);
    dec->setObjectName(QStringLiteral("fraMInMaischStapViaDecoctie"));
    placeTwips(dec, QRect(120, 1020, 4200, 1500));
    m_lblTempDecoctie = label(dec, QStringLiteral("lblMTemperatuurDecoctie"),
                              QStringLiteral("Temperatuur decoctie stap ('C): "), QRect(120, 390, 3000, BoxHeight));
    m_tempDecoctie = box(dec, QStringLiteral("txtMTempDecoctieStap"), QRect(3240, 360, 600, 285), 3);
    m_lblTijdDecoctie = label(dec, QStringLiteral("lblTijdDecoctie"), QStringLiteral("Tijdsduur decoctie stap (min): "),
                              QRect(120, 750, 3000, BoxHeight));
    m_tijdDecoctie = box(dec, QStringLiteral("txtMTijdDecoctie"), QRect(3240, 720, 600, 285), 3);
    m_lblTempBrouwwater = label(dec, QStringLiteral("lblMTemperatuurBrouwwater"),
                                QStringLiteral("Temperatuur brouwwater ('C): "), QRect(120, 1110, 3000, BoxHeight));
    m_tempBrouwwater = box(dec, QStringLiteral("txtMTempBrouwwater"), QRect(3240, 1080, 600, 285), 2);
    // The tick sits at the start of the inner frame's caption line.
    m_decoctie = new QCheckBox(top);
    m_decoctie->setObjectName(QStringLiteral("chkMViaDecoctie"));
    placeTwips(m_decoctie, QRect(240, 1020, 255, 255));
    m_decoctie->raise();

    m_schema = new QGroupBox(QStringLiteral(" Maisch schema "), this);
    m_schema->setObjectName(QStringLiteral("fraMaischSchema"));
    // The heads wrap onto two lines above their narrow columns.
    for (auto [name, caption, left] : {std::tuple{"lblMSTemp", "Temperatuur (\u00B0C)", TempLeft},
                                       std::tuple{"lblMSTijd", "Tijd (min)", TijdLeft}}) {
        QLabel *head = label(m_schema, QLatin1String(name), QString::fromUtf8(caption), QRect(left, 240, 1260, 510));
        head->setWordWrap(true);
        head->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
    redStar(m_schema, 2, TempLeft - 120, 525);
    redStar(m_schema, 3, TijdLeft - 120, 525);

    m_plus = button(m_schema, QStringLiteral("cmdMSPlus"), QStringLiteral("+"));
    m_plus->setToolTip(QStringLiteral("Voeg stap toe aan maisch schema"));
    m_min = button(m_schema, QStringLiteral("cmdMSVerwijder"), QStringLiteral("-"));
    m_min->setToolTip(QStringLiteral("Verwijder laatste stap uit maisch schema"));
    m_ok = button(this, QStringLiteral("cmdMSOK"), QStringLiteral("&OK"));
    m_ok->setDefault(true);
    m_cancel = button(this, QStringLiteral("cmdMSAnnuleren"), QStringLiteral("&Annuleren"));
    auto *help = helpPicture(QStringLiteral("MI_R_Maischschema.htm"));
    help->setObjectName(QStringLiteral("picMSHelp"));
    m_help = help;

    connect(m_ok, &QPushButton::clicked, this, &RecipeDialog::ok);
    connect(m_cancel, &QPushButton::clicked, this, &RecipeDialog::cancel);
    connect(m_plus, &QPushButton::clicked, this, &frmMaischSchema::cmdMSPlus_Click);
    connect(m_min, &QPushButton::clicked, this, &frmMaischSchema::cmdMSVerwijder_Click);
    connect(m_decoctie, &QCheckBox::clicked, this, &frmMaischSchema::chkMViaDecoctie_Click);

    takeMainColours();
    m_rows.append();
    m_rows[0].stap->setText(QStringLiteral("Inmaisch stap"));
    QWidget *order[] = {m_inMaisch, m_pH,  m_rows[0].temp, m_rows[0].tijd, m_plus,           m_ok,
                        m_cancel,   m_min, m_decoctie,     m_tempDecoctie, m_tempBrouwwater, m_tijdDecoctie};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    load();
}

frmMaischSchema::Row frmMaischSchema::makeRow(int i, const Row *previous)
{
    Row r;
    r.stap = new QLabel(m_schema);
    r.stap->setObjectName(rowName(u"lblMSStap", i));
    r.temp = new NumericEdit(rowName(u"txtMSTemp", i), false, m_schema);
    r.tijd = new NumericEdit(rowName(u"txtMSTijd", i), false, m_schema);
    if (!previous) {
        placeTwips(r.stap, QRect(StapLeft, RowTop, StapWidth, LabelHeight));
        placeTwips(r.temp, QRect(TempLeft, RowTop, BoxWidth, BoxHeight));
        placeTwips(r.tijd, QRect(TijdLeft, RowTop, BoxWidth, BoxHeight));
    } else {
        placeBelow(r.temp, previous->temp, BoxGap);
        placeBelow(r.tijd, previous->tijd, BoxGap);
        placeBelow(r.stap, previous->stap, LabelGap);
        takeColoursOf(r.stap, previous->stap);
        // "rust  1": the number in its signed form.
        r.stap->setText(QStringLiteral("rust ") + num::signedText(float(i)));
    }
    return r;
}

void frmMaischSchema::load()
{
    RecipeState &r = m_s.recipe;
    const Table2D<float> &m = r.Maischschema;
    auto cell = [&m](int i, int c) { return m.has(i, c) ? m(i, c) : 0.0f; };
    m_viaDecoctieAtOpen = r.ViaDecoctie;
    const int n = m.rowUbound();
    if (n < 1) {
        // An empty schedule: the decoction fields greyed, the flag untouched.
        for (QWidget *w : std::initializer_list<QWidget *>{m_lblTempBrouwwater, m_lblTijdDecoctie, m_lblTempDecoctie,
                                                           m_tempBrouwwater, m_tijdDecoctie, m_tempDecoctie})
            w->setEnabled(false);
        placeBottom(1);
        return;
    }
    for (int i = 1; i < n; ++i)
        m_rows.append(m_plus);
    m_inMaisch->setText(shown(cell(0, 0)));
    m_pH->setText(shown(cell(0, 1)));
    if (r.ViaDecoctie)
        m_decoctie->setChecked(true);
    chkMViaDecoctie_Click();
    // Trimmed, and then cut to the box's length: 65.5 shows as 65.
    m_tempDecoctie->setText(shown(cell(0, 2)).trimmed());
    m_tempBrouwwater->setText(shown(cell(0, 3)).trimmed());
    m_tijdDecoctie->setText(shown(cell(0, 4)).trimmed());
    for (int i = 1; i <= n; ++i) {
        m_rows[i - 1].temp->setText(shown(cell(i, 0)));
        m_rows[i - 1].tijd->setText(shown(cell(i, 1)));
    }
    placeBottom(n);
}

void frmMaischSchema::placeBottom(int rows)
{
    const int below = RowTop + std::max(rows, MaxRows) * RowStep + 60;
    placeTwips(m_plus, QRect(StapLeft, below, 375, 315));
    placeTwips(m_min, QRect(StapLeft + 435, below, 375, 315));
    const int height = below + 315 + 150;
    placeTwips(m_schema, QRect(FrameLeft, SchemaTop, FrameWidth, height));
    const int buttons = SchemaTop + height + 150;
    placeButtonRow(m_ok, m_cancel, m_help, FrameLeft, FrameLeft + FrameWidth, buttons);
    resize(layout::px(DialogWidth), layout::px(buttons + 375 + 150));
}

void frmMaischSchema::chkMViaDecoctie_Click()
{
    const bool on = m_decoctie->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{m_lblTempBrouwwater, m_lblTijdDecoctie, m_lblTempDecoctie,
                                                       m_tempBrouwwater, m_tijdDecoctie, m_tempDecoctie})
        w->setEnabled(on);
    m_s.recipe.ViaDecoctie = on;
}

void frmMaischSchema::cmdMSPlus_Click()
{
    if (m_rows.highest() >= MaxRows - 1)
        return;
    Row &r = m_rows.append(m_plus);
    r.temp->setFocus();
}

void frmMaischSchema::cmdMSVerwijder_Click() { m_rows.removeLast(); }

void frmMaischSchema::onCancelled() { m_s.recipe.ViaDecoctie = m_viaDecoctieAtOpen; }

void frmMaischSchema::onCloseBox() { m_s.recipe.ViaDecoctie = m_viaDecoctieAtOpen; }

bool frmMaischSchema::ControleerMaischSchema()
{
    int errors = 0;
    auto test = [&errors](NumericEdit *b, const Limit &limit) {
        const bool bad = !holdsText(limit, b->text());
        b->setBad(bad);
        errors += bad;
    };
    test(m_inMaisch, limits::InMaisch);
    test(m_pH, limits::MaischPH);
    // Rows beyond the seventh have no line in the schedule: they must go.
    for (int i = 0; i < m_rows.count(); ++i) {
        if (i < MaxRows) {
            test(m_rows[i].temp, limits::StapTemp);
        } else {
            m_rows[i].temp->setBad(true);
            ++errors;
        }
    }
    for (int i = 0; i < m_rows.count(); ++i) {
        if (i < MaxRows) {
            test(m_rows[i].tijd, limits::StapTijd);
        } else {
            m_rows[i].tijd->setBad(true);
            ++errors;
        }
    }
    if (m_decoctie->isChecked()) {
        // Compared with the mash-in step as typed, also when that box failed.
        const auto t0 = num::leadingNumber(m_rows[0].temp->text());
        const bool badTd = !t0 || !holdsText(limits::decoctieTemp(*t0), m_tempDecoctie->text());
        m_tempDecoctie->setBad(badTd);
        errors += badTd;
        test(m_tijdDecoctie, limits::DecoctieTijd);
        const bool badTw = !t0 || !holdsText(limits::brouwwaterTemp(*t0), m_tempBrouwwater->text());
        m_tempBrouwwater->setBad(badTw);
        errors += badTw;
    }
    return errors == 0;
}

void frmMaischSchema::StoreMaischSchema()
{
    RecipeState &r = m_s.recipe;
    auto value = [](const NumericEdit *b) { return num::toSingle(num::val(b->text())); };
    const int n = m_rows.count();
    Table2D<float> &m = r.Maischschema;
    m.redim(n, 4);
    m(0, 0) = value(m_inMaisch);
    m(0, 1) = value(m_pH);
    if (m_decoctie->isChecked()) {
        r.DecoctieTempKopie = value(m_tempDecoctie);
        r.BrouwWaterTempKopie = value(m_tempBrouwwater);
    }
    // Stored whatever the tick: greyed boxes are read like the others.
    m(0, 2) = value(m_tempDecoctie);
    m(0, 4) = value(m_tijdDecoctie);
    m(0, 3) = value(m_tempBrouwwater);
    for (int i = 1; i <= n; ++i) {
        m(i, 0) = value(m_rows[i - 1].temp);
        m(i, 1) = value(m_rows[i - 1].tijd);
    }
    r.setStatus(StatusMaischschema);
}

}  // namespace mostarium

#include "frmSuikerSiroop.h"

#include "CalcCore.h"

#include "core/CalcError.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace mostarium {

namespace {
const std::array<const char *, 4> sizes{"300", "500", "750", "1000"};
}  // namespace

QString frmSuikerSiroop::reportPath() { return calc::reportPath(QStringLiteral("SuikerHoeveelheid.txt")); }

frmSuikerSiroop::frmSuikerSiroop(Session &s, Services &svc, QWidget *parent)
    : CalcWindow(QStringLiteral("frmSuikerSiroop"), QStringLiteral("Hoeveelheid Suiker ter Afvulling"), s, svc, parent)
{
    QGroupBox *rand = frame("fraSSRandVoorwaarden", QStringLiteral(" Randvoorwaarden "));
    auto *randGrid = new QGridLayout(rand);
    m_aanwezig = input("txtSSCO2Aanwezig", NumericEdit::Kind::Decimal, rand);
    m_gewenst = input("txtSSCO2Gewenst", NumericEdit::Kind::Decimal, rand);
    m_volume = input("txtSSVolume", NumericEdit::Kind::Decimal, rand);
    QLabel *lAanwezig =
        label("lblSSCO2Aanwezig", QStringLiteral("Koolzuur aanwezig in te bottelen bier (gr/L): "), rand);
    lAanwezig->setToolTip(QStringLiteral("Varieert normaal gesproken van 2.0 - 2.5 gr/L."));
    QLabel *lGewenst = label("lblSSCO2Gewenst", QStringLiteral("Gewenste koolzuurgehalte (gr/L): "), rand);
    lGewenst->setToolTip(QStringLiteral("Gangbaar gehalte is 4.5 - 5.5 gr/L, met 7.0 gr/L als uitschieter"));
    QLabel *lVolume = label("lblSSVolume", QStringLiteral("Te bottelen hoeveelheid bier (L): "), rand);
    lVolume->setToolTip(QStringLiteral("Zorg voor een buffer! Maak bijv. 120% van wat nodig is."));
    const std::array<std::pair<QLabel *, NumericEdit *>, 3> inputs{
        {{lAanwezig, m_aanwezig}, {lGewenst, m_gewenst}, {lVolume, m_volume}}};
    for (int i = 0; i < 3; ++i) {
        randGrid->addWidget(inputs[std::size_t(i)].first, i, 0);
        randGrid->addWidget(inputs[std::size_t(i)].second, i, 1);
        randGrid->addWidget(asterix(QStringLiteral("lblAsterix_%1").arg(i), rand), i, 2);
    }

    QGroupBox *siroop = frame("fraSSSiroop", QStringLiteral(" Suikersiroop "));
    auto *siroopGrid = new QGridLayout(siroop);
    m_suikerNodig = result("txtSSSuikerNodig", siroop);
    m_mlSiroop = result("txtSSMlSiroop", siroop);
    m_grSiroop = result("txtSSGrSiroop", siroop);
    siroopGrid->addWidget(label("lblSSSuikerNodig", QStringLiteral("Benodigde hoeveelheid suiker (gr): "), siroop), 0,
                          0);
    siroopGrid->addWidget(m_suikerNodig, 0, 1);
    siroopGrid->addWidget(label("lblSSMlSiroop", QStringLiteral("Totale hoeveelheid siroop (mL): "), siroop), 1, 0);
    siroopGrid->addWidget(m_mlSiroop, 1, 1);
    siroopGrid->addWidget(label("lblSSGrSiroop", QStringLiteral("Totale hoeveelheid siroop (gr): "), siroop), 2, 0);
    siroopGrid->addWidget(m_grSiroop, 2, 1);
    siroopGrid->addWidget(
        label("lblSSInfoRV", QStringLiteral("Werkbare concentratie suikersiroop is 0.7 gr/mL; SG=1256 kg/m3"), siroop),
        3, 0, 1, 2);
    siroopGrid->addWidget(
        label("lblSSInfoSiroop", QStringLiteral("Tip: prepareer de siroop op gewichtsbasis!"), siroop), 4, 0, 1, 2);

    QGroupBox *afvullen = frame("fraSSAfvullen", QStringLiteral(" hoeveelheid suiker nodig voor afvulling flessen "));
    auto *flesGrid = new QGridLayout(afvullen);
    flesGrid->addWidget(label("lblSSGram", QStringLiteral("gram"), afvullen), 0, 2);
    flesGrid->addWidget(label("lblSSSiroop", QStringLiteral("ml siroop"), afvullen), 0, 3);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const QString size = QLatin1String(sizes[i]);
        flesGrid->addWidget(
            label(qPrintable(QStringLiteral("lblSS%1ml").arg(size)), size + QStringLiteral(" ml flessen: "), afvullen),
            int(i) + 1, 0, 1, 2);
        m_gram[i] = result(qPrintable(QStringLiteral("txtGram%1ml").arg(size)), afvullen);
        m_siroop[i] = result(qPrintable(QStringLiteral("txtSS%1ml").arg(size)), afvullen);
        flesGrid->addWidget(m_gram[i], int(i) + 1, 2);
        flesGrid->addWidget(m_siroop[i], int(i) + 1, 3);
    }
    m_xxVolume = input("txtSSxxVolume", NumericEdit::Kind::Decimal, afvullen);
    QLabel *xxLabel = label("lblSSxxml", QStringLiteral(" ml flessen: "), afvullen);
    xxLabel->setToolTip(QStringLiteral("Niet geldig voor fusten!"));
    m_gramxx = result("txtGramxxml", afvullen);
    m_siroopxx = result("txtSSxxml", afvullen);
    flesGrid->addWidget(m_xxVolume, 5, 0);
    flesGrid->addWidget(xxLabel, 5, 1);
    flesGrid->addWidget(m_gramxx, 5, 2);
    flesGrid->addWidget(m_siroopxx, 5, 3);

    QGroupBox *vaten = frame("fraSSAfvullenVat", QStringLiteral(" hoeveelheid suiker nodig voor afvulling vaten "));
    auto *vatLay = new QVBoxLayout(vaten);
    QLabel *vuistregel =
        label("lblSSAfvulVaten", QStringLiteral("Vuistregel: 1 gram suiker per L bier (= 1.4 ml suikersiroop)"), vaten);
    vuistregel->setToolTip(QStringLiteral("0.5 gr CO2 per Liter bier toevoegen!"));
    vatLay->addWidget(vuistregel);

    QPushButton *bereken = button("cmdSSBereken", QStringLiteral("&Bereken"));
    bereken->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help("picSSHelp", QStringLiteral("MI_T_SuikerSiroop.htm")));
    buttons->addStretch(1);
    buttons->addWidget(bereken);
    buttons->addWidget(klaarButton("cmdSSKlaar"));

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(rand);
    left->addWidget(siroop);
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(afvullen);
    right->addWidget(vaten);
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(columns);
    lay->addLayout(buttons);
    lay->addWidget(statusBar("stbSuikerSiroop"));

    setTabOrder(m_aanwezig, m_gewenst);
    setTabOrder(m_gewenst, m_volume);
    setTabOrder(m_volume, m_xxVolume);
    connect(bereken, &QPushButton::clicked, this, &frmSuikerSiroop::cmdSSBereken_Click);

    // Form_Load.
    colourControls();
    m_aanwezig->setText(QStringLiteral("2.25"));
    m_gewenst->setText(calc::gewenstCO2Text(m_s.recipe));
    setStatus(QString());
}

QString frmSuikerSiroop::caption(const char *name) const
{
    if (const auto *l = findChild<QLabel *>(QLatin1String(name)))
        return l->text();
    if (const auto *f = findChild<QGroupBox *>(QLatin1String(name)))
        return f->title();
    return {};
}

void frmSuikerSiroop::ClearResults()
{
    for (QLineEdit *e : {m_suikerNodig, m_mlSiroop, m_grSiroop, m_gramxx, m_siroopxx})
        e->clear();
    for (QLineEdit *e : m_gram)
        e->clear();
    for (QLineEdit *e : m_siroop)
        e->clear();
}

bool frmSuikerSiroop::ControleerWaarden()
{
    bool good = true;
    auto check = [&good](NumericEdit *box, double upper) {
        const bool ok = calc::inRange(box->text(), 0, upper);
        box->setBad(!ok);
        good = good && ok;
    };
    check(m_aanwezig, 5.0);
    check(m_gewenst, 9.0);
    check(m_volume, m_s.recipe.KetelInhoud);
    return good;
}

void frmSuikerSiroop::BerekenSuikerSiroop()
{
    // The free volume is not checked before: one too large for a double is
    // too large as any other beyond the bound, and its box turns red.
    try {
        const calc::SuikerSiroopResult r =
            calc::suikerSiroop(num::val(m_aanwezig->text()), num::val(m_gewenst->text()), num::val(m_volume->text()),
                               num::leadingNumber(m_xxVolume->text()));
        m_suikerNodig->setText(r.suikerNodig);
        m_mlSiroop->setText(r.mlSiroop);
        m_grSiroop->setText(r.grSiroop);
        for (std::size_t i = 0; i < 4; ++i)
            m_gram[i]->setText(r.gram[i]);
        for (std::size_t i = 0; i < 4; ++i)
            m_siroop[i]->setText(r.siroop[i]);
        switch (r.vrij) {
        case calc::SuikerSiroopResult::Vrij::Computed:
            m_xxVolume->setBad(false);
            m_gramxx->setText(r.gramVrij);
            m_siroopxx->setText(r.siroopVrij);
            break;
        case calc::SuikerSiroopResult::Vrij::TooLarge:
            m_xxVolume->setBad(true);
            m_gramxx->clear();
            m_siroopxx->clear();
            break;
        case calc::SuikerSiroopResult::Vrij::Unchanged:
            break;
        }
    } catch (const CalcError &) {
        setStatus(QStringLiteral("Error in routine BerekenSuikerSiroop."));
    }
}

bool frmSuikerSiroop::Archiveer()
{
    QStringList lines{QStringLiteral("Benodigde Hoeveelheid Suiker ter Afvulling."), QString(43, QLatin1Char('=')),
                      QString()};
    lines << caption("lblSSCO2Aanwezig") + m_aanwezig->text() << caption("lblSSCO2Gewenst") + m_gewenst->text()
          << caption("lblSSVolume") + m_volume->text() << QString();
    lines << caption("lblSSSuikerNodig") + m_suikerNodig->text() << caption("lblSSMlSiroop") + m_mlSiroop->text()
          << caption("lblSSGrSiroop") + m_grSiroop->text() << QString();
    const std::optional<double> xx = num::leadingNumber(m_xxVolume->text());
    const bool vrij = !xx || *xx != 0;
    for (std::size_t i = 0; i < sizes.size(); ++i)
        lines << caption(qPrintable(QStringLiteral("lblSS%1ml").arg(QLatin1String(sizes[i])))) + m_siroop[i]->text()
                     + QStringLiteral(" ml suikersiroop");
    if (vrij)
        lines << m_xxVolume->text() + caption("lblSSxxml") + m_siroopxx->text() + QStringLiteral(" ml suikersiroop");
    lines << QString();
    for (std::size_t i = 0; i < sizes.size(); ++i)
        lines << caption(qPrintable(QStringLiteral("lblSS%1ml").arg(QLatin1String(sizes[i])))) + m_gram[i]->text()
                     + QStringLiteral(" gram suiker");
    if (vrij)
        lines << m_xxVolume->text() + caption("lblSSxxml") + m_gramxx->text() + QStringLiteral(" gram suiker");
    lines << QString() << caption("fraSSAfvullenVat") << caption("lblSSAfvulVaten") << QString()
          << caption("lblSSInfoRV");
    if (calc::writeReport(reportPath(), lines))
        return true;
    m_svc.msgBox(QStringLiteral("Error in Archiveer!"), mb::Exclamation, QStringLiteral("Attentie!"));
    return false;
}

void frmSuikerSiroop::cmdSSBereken_Click()
{
    // This calculator sounds before it checks.
    playCompute();
    ClearResults();
    if (!ControleerWaarden()) {
        setStatus(QStringLiteral("Incorrecte invoer!"));
        return;
    }
    BerekenSuikerSiroop();
    // A report that was not written is not pointed to.
    if (Archiveer())
        setStatus(QStringLiteral("Zie ") + reportPath());
    else
        setStatus(notWrittenText(reportPath()));
}

}  // namespace mostarium

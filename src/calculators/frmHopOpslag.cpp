#include "frmHopOpslag.h"

#include "core/CalcError.h"
#include "core/NumText.h"
#include "core/Session.h"

#include <QComboBox>
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
const QStringList bloemPelItems{QStringLiteral("bloemen"), QStringLiteral("pellets")};
const QStringList jaNeeItems{QStringLiteral("ja"), QStringLiteral("nee")};
}  // namespace

frmHopOpslag::frmHopOpslag(Session &s, Services &svc, QWidget *parent)
    : CalcWindow(QStringLiteral("frmHopOpslag"), QStringLiteral("Hopopslag"), s, svc, parent)
{
    QGroupBox *invoer = frame("fraHOInvoer", QStringLiteral(" Invoer "));
    auto *grid = new QGridLayout(invoer);
    int row = 0;
    int stars = 0;
    auto addRow = [&](const char *labelName, const QString &caption, QWidget *box, bool star) {
        grid->addWidget(label(labelName, caption, invoer), row, 0);
        box->setParent(invoer);
        grid->addWidget(box, row, 1);
        if (star) {
            grid->addWidget(asterix(QStringLiteral("lblAsterix_%1").arg(stars++), invoer), row, 2);
        }
        ++row;
    };
    m_hopRecept = choice("cmbHopRecept", {}, invoer);
    m_alfa = input("txtHOAlfaVerpakking");
    m_beta = input("txtHOBetaVerpakking");
    m_bloemPel = choice("cmbHOBloemPel", bloemPelItems);
    m_vacuum = choice("cmbHOVacuum", jaNeeItems);
    m_zuurstof = choice("cmbHOZuurstof", jaNeeItems);
    m_tijd = input("txtHOBewaartijd");
    m_temp = input("txtHOBewaarTemp", NumericEdit::Kind::Signed);
    m_prefix = new QLineEdit(this);
    m_prefix->setObjectName(QStringLiteral("txtHO_Prefix"));
    m_prefix->setMaxLength(100);
    m_prefix->setToolTip(calc::prefixToolTip());
    markBad(m_prefix, false);
    for (QComboBox *c : {m_bloemPel, m_vacuum, m_zuurstof})
        c->setCurrentIndex(-1);

    addRow("lblHORecept", QStringLiteral("Hop uit recept:"), m_hopRecept, false);
    addRow("lblHOAlfaVerpakking", QStringLiteral("% Alfazuur volgens verpakking: "), m_alfa, true);
    addRow("lblHOBetaVerpakking", QStringLiteral("% Betazuur volgens verpakking: "), m_beta, true);
    invoer->findChild<QLabel *>(QStringLiteral("lblHOBetaVerpakking"))
        ->setToolTip(QStringLiteral("Indien onbekend, 50% v/d alfazuur waarde aanhouden."));
    addRow("lblHOBloemenPellets", QStringLiteral("Bloemen of pellets: "), m_bloemPel, true);
    addRow("lblHOVacuum", QStringLiteral("Vacuum verpakt: "), m_vacuum, true);
    addRow("Label2", QStringLiteral("Zuurstofwerende verpakking: "), m_zuurstof, true);
    addRow("lblHOBewaartijd", QStringLiteral("Bewaartijd in jaren: "), m_tijd, true);
    addRow("lblHOBewaarTemp", QStringLiteral("Bewaartemperatuur in \u00B0C: "), m_temp, true);
    addRow("lblHO_Prefix", QStringLiteral("Prefix HopOpslagFactor.txt: "), m_prefix, false);

    QGroupBox *resultaat = frame("fraHOResultaat", QStringLiteral(" Resultaat "));
    auto *resGrid = new QGridLayout(resultaat);
    m_factor = result("txtHOFactor", resultaat);
    m_huidigAlfa = result("txtHOHuidigAlfa", resultaat);
    resGrid->addWidget(label("lblHOOpslagFactor", QStringLiteral("hopopslag factor: "), resultaat), 0, 0);
    resGrid->addWidget(m_factor, 0, 1);
    resGrid->addWidget(label("lblHOAlfaNu", QStringLiteral("huidig alfazuurgehalte: "), resultaat), 1, 0);
    resGrid->addWidget(m_huidigAlfa, 1, 1);

    QPushButton *bereken = button("cmdHOBereken", QStringLiteral("&Bereken"));
    bereken->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help("picHOHelp", QStringLiteral("MI_T_Hopopslag.htm")));
    buttons->addStretch(1);
    buttons->addWidget(bereken);
    buttons->addWidget(klaarButton("cmdHOKlaar"));

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(invoer);
    lay->addWidget(resultaat);
    lay->addLayout(buttons);
    lay->addWidget(statusBar("stbHopOpslag"));

    connect(bereken, &QPushButton::clicked, this, &frmHopOpslag::cmdHOBereken_Click);
    connect(m_hopRecept, &QComboBox::activated, this, &frmHopOpslag::cmbHopRecept_Click);

    colourControls();
    setStatus(QString());
    FillHopRecept();
}

QString frmHopOpslag::reportPath() const
{
    return calc::reportPath(m_prefix->text() + QStringLiteral("HopOpslagFactor.txt"));
}

QString frmHopOpslag::caption(const char *labelName) const
{
    const auto *l = findChild<QLabel *>(QLatin1String(labelName));
    return l ? l->text() : QString();
}

void frmHopOpslag::FillHopRecept()
{
    m_hopRecept->clear();
    m_hopReceptTabel = calc::receptHoppen(m_s.recipe, m_s.app.dubbelBrouw);
    for (const calc::ReceptHop &h : m_hopReceptTabel)
        m_hopRecept->addItem(h.entry);
    m_hopRecept->setCurrentIndex(-1);
    const bool any = !m_hopReceptTabel.empty();
    m_hopRecept->setVisible(any);
    findChild<QLabel *>(QStringLiteral("lblHORecept"))->setVisible(any);
}

void frmHopOpslag::cmbHopRecept_Click(int k)
{
    if (k < 0 || std::size_t(k) >= m_hopReceptTabel.size())
        return;
    for (QLineEdit *e :
         {static_cast<QLineEdit *>(m_prefix), static_cast<QLineEdit *>(m_alfa), static_cast<QLineEdit *>(m_beta),
          static_cast<QLineEdit *>(m_temp), static_cast<QLineEdit *>(m_tijd), m_factor, m_huidigAlfa})
        e->clear();
    for (QComboBox *c : {m_bloemPel, m_vacuum, m_zuurstof})
        c->setCurrentIndex(-1);
    const calc::ReceptHop &hop = m_hopReceptTabel[std::size_t(k)];
    m_alfa->setText(hop.alpha);
    m_bloemPel->setCurrentIndex(calc::formItem(hop.form));
    m_prefix->setText(calc::prefixOfEntry(m_hopRecept->itemText(k)));
}

bool frmHopOpslag::ControleerWaarden()
{
    int fouten = 0;
    auto check = [&fouten](QWidget *box, bool good) {
        markBad(box, !good);
        if (!good)
            ++fouten;
    };
    auto contains = [](const QComboBox *c, const QStringList &words) {
        for (const QString &w : words)
            if (c->currentText().contains(w))
                return true;
        return false;
    };
    check(m_alfa, calc::inRange(m_alfa->text(), 0, 25));
    check(m_beta, calc::inRange(m_beta->text(), 0, 25));
    check(m_tijd, calc::inRange(m_tijd->text(), 0, 10));
    check(m_temp, !m_temp->text().isEmpty() && calc::inRange(m_temp->text(), -273, 50));
    check(m_bloemPel, contains(m_bloemPel, {QStringLiteral("pellets"), QStringLiteral("bloemen")}));
    check(m_vacuum, contains(m_vacuum, {QStringLiteral("nee"), QStringLiteral("ja")}));
    check(m_zuurstof, contains(m_zuurstof, {QStringLiteral("nee"), QStringLiteral("ja")}));
    const bool prefixGood = !calc::prefixBad(m_prefix->text());
    check(m_prefix, prefixGood);
    if (!prefixGood)
        setStatus(calc::prefixFoutText());
    return fouten == 0;
}

void frmHopOpslag::BerekenHopOpslagFactor()
{
    try {
        calc::HopOpslagInput in;
        in.alpha = num::val(m_alfa->text());
        in.beta = num::val(m_beta->text());
        in.years = num::val(m_tijd->text());
        in.temperature = num::val(m_temp->text());
        in.bloemen = m_bloemPel->currentIndex() == 0;
        in.vacuum = m_vacuum->currentIndex() == 0;
        in.zuurstofwerend = m_zuurstof->currentIndex() == 0;
        const calc::HopOpslagResult r = calc::hopOpslag(in);
        m_factor->setText(r.factorText);
        m_huidigAlfa->setText(r.alphaText);
    } catch (const CalcError &) {
        setStatus(QStringLiteral("Error in sub BerekenHopOpslagFactor!"));
    }
}

bool frmHopOpslag::ArchiveerHopOpslagFactor()
{
    const QStringList lines{
        QStringLiteral("HopOpslag Rapport"),
        QStringLiteral("================="),
        QString(),
        caption("lblHOAlfaVerpakking") + m_alfa->text(),
        caption("lblHOBetaVerpakking") + m_beta->text(),
        m_bloemPel->currentText(),
        caption("lblHOVacuum") + m_vacuum->currentText(),
        caption("Label2") + m_zuurstof->currentText(),
        caption("lblHOBewaartijd") + m_tijd->text(),
        caption("lblHOBewaarTemp") + m_temp->text(),
        caption("lblHOOpslagFactor") + m_factor->text(),
        caption("lblHOAlfaNu") + m_huidigAlfa->text(),
    };
    if (calc::writeReport(reportPath(), lines))
        return true;
    setStatus(QStringLiteral("Error in ArchiveerHopOpslagFactor!"));
    return false;
}

void frmHopOpslag::cmdHOBereken_Click()
{
    if (!ControleerWaarden()) {
        setStatus(QStringLiteral("Incorrecte invoer!"));
    } else {
        BerekenHopOpslagFactor();
        // A report that was not written is not pointed to.
        if (ArchiveerHopOpslagFactor())
            setStatus(QStringLiteral("Zie ") + reportPath());
    }
    playCompute();
}

}  // namespace mostarium

#include "frmHopPartition.h"

#include "CalcCore.h"

#include "core/CalcError.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"
#include "core/Services.h"
#include "platform/TypedList.h"

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
const QString alfaTip = QStringLiteral("Vul percentage in (<25%)!");
}  // namespace

QString frmHopPartition::reportPath() { return calc::reportPath(QStringLiteral("HopPartition.txt")); }

frmHopPartition::frmHopPartition(Session &s, Services &svc, QWidget *parent)
    : CalcWindow(QStringLiteral("frmHopPartition"), QStringLiteral("Dod Izerevaro Vavir"), s, svc, parent)
{
    QGroupBox *nodig = frame("fraHP_Nodig", QStringLiteral(" Benodigde hopbitterheid  "));
    auto *nodigLay = new QGridLayout(nodig);
    m_gramNodig = input("txtHP_GramNodig", NumericEdit::Kind::Decimal, nodig);
    m_aPerc = input("txtHP_APerc", NumericEdit::Kind::Decimal, nodig);
    nodigLay->addWidget(label("lblHP_GramNodig", QStringLiteral("Hoeveel gram nodig?"), nodig), 0, 0);
    nodigLay->addWidget(m_gramNodig, 0, 1);
    nodigLay->addWidget(asterix(QStringLiteral("lblAsterix_0"), nodig), 0, 2);
    QLabel *alfaNodig = label("lblHP_AlfaNodig", QStringLiteral("Alfazuurpercentage (%):"), nodig);
    alfaNodig->setToolTip(alfaTip);
    nodigLay->addWidget(alfaNodig, 1, 0);
    nodigLay->addWidget(m_aPerc, 1, 1);
    nodigLay->addWidget(asterix(QStringLiteral("lblAsterix_1"), nodig), 1, 2);

    QGroupBox *hop = frame("fraHP_Hop", QStringLiteral(" Hop verdeling "));
    auto *hopLay = new QVBoxLayout(hop);
    auto *aantalLay = new QHBoxLayout;
    m_aantal = choice("cmbHP_Aantal",
                      {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}, hop);
    makeTypedList(m_aantal);
    m_aantal->setCurrentIndex(1);
    aantalLay->addWidget(label("lblHP_varieteiten", QStringLiteral("Aantal hopsoorten (max 4):"), hop));
    aantalLay->addWidget(m_aantal);
    aantalLay->addStretch(1);
    hopLay->addLayout(aantalLay);

    QGroupBox *rijen = frame("fraHP_Onderverdeling", QStringLiteral(" Hop onderverdeling "));
    rijen->setParent(hop);
    hopLay->addWidget(rijen);
    auto *grid = new QGridLayout(rijen);
    QLabel *alfaKop = label("lblHP_AlfaBeschikbaar", QStringLiteral("Alfazuurpercentage (%):"), rijen);
    alfaKop->setToolTip(alfaTip);
    grid->addWidget(alfaKop, 0, 1);
    grid->addWidget(label("lblHP_GramBeschikbaar", QStringLiteral("Gram beschikbaar:"), rijen), 0, 3);
    grid->addWidget(label("lblHP_Percentage", QStringLiteral("percentage (%):"), rijen), 0, 5);
    for (std::size_t i = 0; i < Rows; ++i) {
        const int row = int(i) + 1;
        m_nummer[i] =
            label(qPrintable(QStringLiteral("lblHP_Nummer_%1").arg(i)), QStringLiteral("%1:").arg(row), rijen);
        m_alfa[i] = input(qPrintable(QStringLiteral("txtHP_alfa_%1").arg(i)), NumericEdit::Kind::Decimal, rijen);
        m_starAlfa[i] = asterix(QStringLiteral("lblAsterix_AZP_%1").arg(i), rijen);
        m_gram[i] = input(qPrintable(QStringLiteral("txtHP_Gram_%1").arg(i)), NumericEdit::Kind::Decimal, rijen);
        m_starGram[i] = asterix(QStringLiteral("lblAsterix_Gr_%1").arg(i), rijen);
        m_perc[i] = result(qPrintable(QStringLiteral("txtHP_Perc_%1").arg(i)), rijen);
        markBad(m_perc[i], false);
        grid->addWidget(m_nummer[i], row, 0);
        grid->addWidget(m_alfa[i], row, 1);
        grid->addWidget(m_starAlfa[i], row, 2);
        grid->addWidget(m_gram[i], row, 3);
        grid->addWidget(m_starGram[i], row, 4);
        grid->addWidget(m_perc[i], row, 5);
        for (QWidget *w : std::initializer_list<QWidget *>{m_nummer[i], m_alfa[i], m_starAlfa[i], m_gram[i],
                                                           m_starGram[i], m_perc[i]}) {
            // Hidden rows keep their column widths, so the frame does not jump.
            QSizePolicy p = w->sizePolicy();
            p.setRetainSizeWhenHidden(true);
            w->setSizePolicy(p);
            w->hide();
        }
    }

    QPushButton *bereken = button("cmdHP_Bereken", QStringLiteral("&Bereken"));
    bereken->setDefault(true);
    QPushButton *ok = klaarButton("cmdHP_OK");
    ok->setText(QStringLiteral("&OK"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help("picHP_Help", QStringLiteral("MI_T_HopPartition.htm")));
    buttons->addStretch(1);
    buttons->addWidget(bereken);
    buttons->addWidget(ok);

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(nodig);
    lay->addWidget(hop);
    lay->addLayout(buttons);
    lay->addWidget(statusBar("stbHopPM"));

    setTabOrder(m_gramNodig, m_aPerc);
    setTabOrder(m_aPerc, m_aantal);
    QWidget *previous = m_aantal;
    for (std::size_t i = 0; i < Rows; ++i) {
        setTabOrder(previous, m_alfa[i]);
        setTabOrder(m_alfa[i], m_gram[i]);
        previous = m_gram[i];
    }
    setTabOrder(previous, bereken);
    setTabOrder(bereken, ok);

    connect(bereken, &QPushButton::clicked, this, &frmHopPartition::cmdHP_Bereken_Click);
    // Only a choice from the list lays the rows out again, not typing.
    connect(m_aantal, &QComboBox::activated, this, &frmHopPartition::cmbHP_Aantal_Click);

    colourControls();
    ToonHopRijen();
    setStatus(QStringLiteral("Voer gegevens in."));
}

void frmHopPartition::ToonHopRijen()
{
    m_n = calc::hopRijen(m_aantal->currentText());
    for (std::size_t i = 0; i < std::size_t(m_n); ++i)
        for (QWidget *w :
             std::initializer_list<QWidget *>{m_nummer[i], m_alfa[i], m_gram[i], m_starAlfa[i], m_starGram[i]})
            w->show();
    // The last row's grams are the answer.
    const auto last = std::size_t(m_n - 1);
    m_gram[last]->hide();
    m_starGram[last]->hide();
}

void frmHopPartition::cmbHP_Aantal_Click()
{
    for (std::size_t i = 0; i < Rows; ++i)
        for (QWidget *w : std::initializer_list<QWidget *>{m_nummer[i], m_alfa[i], m_gram[i], m_perc[i], m_starAlfa[i],
                                                           m_starGram[i]})
            w->hide();
    ToonHopRijen();
}

namespace {

std::optional<double> boxNumber(const QLineEdit *box) { return num::leadingNumber(box->text()); }

}  // namespace

calc::HopPartitionInput frmHopPartition::invoer() const
{
    calc::HopPartitionInput in;
    in.gramNodig = boxNumber(m_gramNodig);
    in.alfaNodig = boxNumber(m_aPerc);
    in.n = m_n;
    for (std::size_t i = 0; i < Rows; ++i) {
        in.alfa[i] = boxNumber(m_alfa[i]);
        in.gram[i] = boxNumber(m_gram[i]);
    }
    return in;
}

void frmHopPartition::attentie(const QString &text)
{
    m_svc.msgBox(text, mb::Exclamation, QStringLiteral("Attentie!"));
}

bool frmHopPartition::ControleerInvoer()
{
    const calc::HopPartitionBad bad = calc::controleerHopPartition(invoer());
    m_gramNodig->setBad(bad.gramNodig);
    m_aPerc->setBad(bad.alfaNodig);
    for (std::size_t i = 0; i < std::size_t(m_n); ++i) {
        m_alfa[i]->setBad(bad.alfa[i]);
        if (i + 1 < std::size_t(m_n))
            m_gram[i]->setBad(bad.gram[i]);
    }
    return !bad.any();
}

void frmHopPartition::BerekenHopOnderverdeling()
{
    calc::HopPartitionResult r;
    try {
        r = calc::hopPartition(invoer());
    } catch (const CalcError &) {
        attentie(QStringLiteral("Error in functie BerekenHopOnderverdeling!"));
        return;
    }
    for (std::size_t i = 0; i < std::size_t(m_n); ++i) {
        m_perc[i]->setText(r.perc[i]);
        m_perc[i]->show();
        if (!(i == 0 && r.keepFirstColour))
            markBad(m_perc[i], r.percRed[i]);
    }
    const auto last = std::size_t(m_n - 1);
    m_gram[last]->setText(r.antwoord);
    m_gram[last]->setBad(false);
    m_gram[last]->show();
}

bool frmHopPartition::ArchiveerHopOnderverdeling()
{
    QStringList alfa, gram, perc;
    for (std::size_t i = 0; i < std::size_t(m_n); ++i) {
        alfa << m_alfa[i]->text();
        gram << m_gram[i]->text();
        perc << m_perc[i]->text();
    }
    if (calc::writeReport(reportPath(), calc::hopPartitionLines(alfa, gram, perc)))
        return true;
    attentie(QStringLiteral("Error in routine ArchiveerHopOnderverdeling!"));
    return false;
}

void frmHopPartition::cmdHP_Bereken_Click()
{
    if (!ControleerInvoer()) {
        setStatus(QStringLiteral("Incorrecte invoer!"));
        return;
    }
    BerekenHopOnderverdeling();
    // A report that was not written is not pointed to.
    if (ArchiveerHopOnderverdeling())
        setStatus(QStringLiteral("Zie ") + reportPath());
    else
        setStatus(QStringLiteral("Error in routine ArchiveerHopOnderverdeling!"));
}

}  // namespace mostarium

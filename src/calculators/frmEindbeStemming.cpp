#include "frmEindbeStemming.h"

#include "CalcCore.h"

#include "core/CalcError.h"
#include "core/NumText.h"
#include "core/Session.h"
#include "platform/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mostarium {

frmEindbeStemming::frmEindbeStemming(Session &s, Services &svc, QWidget *parent)
    : CalcWindow(QStringLiteral("frmEindbeStemming"), QStringLiteral("Bepaling Eindbestemming na Spoelen"), s, svc,
                 parent)
{
    m_grid = new QGridLayout(this);
    // The opener gives the width: the narrow one holds the first beer only.
    m_grid->setSizeConstraint(QLayout::SetNoConstraint);
    m_grid->setContentsMargins(6, 6, 6, 6);
    m_grid->addWidget(makeHalf(0, m_beer[0]), 0, 0);
    m_grid->addWidget(makeHalf(1, m_beer[1]), 0, 1);
    m_grid->addWidget(help("picEBHelp", QStringLiteral("MI_T_EindBestemming.htm")), 1, 0, Qt::AlignLeft);
    m_bereken = button("cmdESBereken", QStringLiteral("&Bereken"));
    m_bereken->setDefault(true);
    m_klaar = klaarButton("cmdESKlaar");
    connect(m_bereken, &QPushButton::clicked, this, [this] {
        if (ControleerWaarden())
            BerekenBestemming();
    });

    colourControls();
    m_dubbel = !m_s.app.dubbelBrouw;  // so that the first call lays it out
    setDubbelBrouw(m_s.app.dubbelBrouw);
}

QWidget *frmEindbeStemming::makeHalf(int beer, Beer &b)
{
    const QString n = beer == 0 ? QString() : QStringLiteral("2");
    auto name = [&n](const char *base) { return QByteArray(base) + n.toLatin1(); };
    b.half = new QWidget(this);
    b.half->setObjectName(QStringLiteral("halfBier") + QString::number(beer + 1));
    auto *lay = new QVBoxLayout(b.half);
    lay->setContentsMargins(0, 0, 0, 0);

    auto *doel = new QGroupBox(
        beer == 0 ? QStringLiteral(" Doelstellingen bier ") : QStringLiteral(" Doelstelling dunbier "), b.half);
    doel->setObjectName(QString::fromLatin1(name("fraESDoelstelling")));
    auto *doelLay = new QVBoxLayout(doel);
    b.volumeD = label(name("lblESVolumeD").constData(), QString(), doel);
    b.ogD = label(name("lblESOGD").constData(), QString(), doel);
    doelLay->addWidget(b.volumeD);
    doelLay->addWidget(b.ogD);

    auto *reeel = new QGroupBox(QStringLiteral(" Volume en SG na spoelen (meting!) "), b.half);
    reeel->setObjectName(QString::fromLatin1(name("fraESReeel")));
    auto *reeelGrid = new QGridLayout(reeel);
    // The narrow window must hold the labels whole.
    reeelGrid->setContentsMargins(4, 4, 2, 4);
    reeelGrid->setHorizontalSpacing(3);
    b.volNaSpoelen = input(name("txtESVolNaSpoelen").constData(), NumericEdit::Kind::Decimal, reeel);
    b.sgNaSpoelen = input(name("txtESSGnaSpoelen").constData(), NumericEdit::Kind::Decimal, reeel);
    for (NumericEdit *e : {b.volNaSpoelen, b.sgNaSpoelen})
        e->setFixedWidth(layout::px(660));
    reeelGrid->addWidget(label(name("lblESVolNaSpoelen").constData(), QStringLiteral("Volume (L) na spoelen: "), reeel),
                         0, 0);
    reeelGrid->addWidget(b.volNaSpoelen, 0, 1);
    reeelGrid->addWidget(label(name("lblESSGnaSpoelen").constData(), QStringLiteral("SG na spoelen (kg/m3): "), reeel),
                         1, 0);
    reeelGrid->addWidget(b.sgNaSpoelen, 1, 1);
    for (int i = 0; i < 2; ++i) {
        reeelGrid->addWidget(asterix(QStringLiteral("lblAsterix_%1").arg(beer * 2 + i), reeel), i, 2);
    }

    auto *bestemming =
        new QGroupBox(beer == 0 ? QStringLiteral(" Bestemming bier ") : QStringLiteral(" Bestemming dunbier "), b.half);
    bestemming->setObjectName(QString::fromLatin1(name("fraESBestemming")));
    auto *bestLay = new QVBoxLayout(bestemming);
    auto *opVolume = new QGroupBox(QStringLiteral(" Op Volume "), bestemming);
    opVolume->setObjectName(QString::fromLatin1(name("fraESBVolume")));
    b.bestemmingVol = label(name("lblESBestemmingVol").constData(), QString(), opVolume);
    (new QVBoxLayout(opVolume))->addWidget(b.bestemmingVol);
    auto *opOG = new QGroupBox(QStringLiteral(" Op OG  "), bestemming);
    opOG->setObjectName(QString::fromLatin1(name("fraESBOG")));
    b.bestemmingOG = label(name("lblESBestemmingOG").constData(), QString(), opOG);
    (new QVBoxLayout(opOG))->addWidget(b.bestemmingOG);
    bestLay->addWidget(opVolume);
    bestLay->addWidget(opOG);

    lay->addWidget(doel);
    lay->addWidget(reeel);
    lay->addWidget(bestemming);
    return b.half;
}

float frmEindbeStemming::targetVolume(int beer) const
{
    const int i = beer == 0 ? 1 : 6;
    return m_s.recipe.Doelstellingen.has(i) ? m_s.recipe.Doelstellingen(i) : 0.0f;
}

void frmEindbeStemming::writeTargets()
{
    for (int beer = 0; beer < (m_dubbel ? 2 : 1); ++beer) {
        Beer &b = m_beer[std::size_t(beer)];
        b.volumeD->setText(calc::volumeText(targetVolume(beer)));
        b.ogD->setText(calc::ogText(beer == 0 ? m_s.recipe.OGSG : m_s.recipe.OGSG2));
    }
}

void frmEindbeStemming::setDubbelBrouw(bool dubbel)
{
    if (dubbel == m_dubbel)
        return;
    m_dubbel = dubbel;
    m_beer[1].half->setVisible(dubbel);
    m_grid->removeWidget(m_bereken);
    m_grid->removeWidget(m_klaar);
    if (dubbel) {
        // Bereken ends flush with the first beer, Klaar starts under the second.
        m_grid->addWidget(m_bereken, 2, 0, Qt::AlignRight);
        m_grid->addWidget(m_klaar, 2, 1, Qt::AlignLeft);
    } else {
        m_grid->addWidget(m_bereken, 2, 0, Qt::AlignLeft);
        m_grid->addWidget(m_klaar, 2, 0, Qt::AlignRight);
    }
    writeTargets();
    adjustSize();
}

bool frmEindbeStemming::ControleerWaarden()
{
    bool good = true;
    for (int beer = 0; beer < (m_dubbel ? 2 : 1); ++beer) {
        const Beer &b = m_beer[std::size_t(beer)];
        const bool volOk = calc::inRange(b.volNaSpoelen->text(), 0, m_s.recipe.KetelInhoud);
        const bool sgOk = calc::inRange(b.sgNaSpoelen->text(), 1000, 1150);
        b.volNaSpoelen->setBad(!volOk);
        b.sgNaSpoelen->setBad(!sgOk);
        good = good && volOk && sgOk;
    }
    return good;
}

void frmEindbeStemming::BerekenBestemming()
{
    for (int beer = 0; beer < (m_dubbel ? 2 : 1); ++beer) {
        const Beer &b = m_beer[std::size_t(beer)];
        std::optional<calc::Bestemming> r;
        try {
            r = calc::bestemming(targetVolume(beer), beer == 0 ? m_s.recipe.OGSG : m_s.recipe.OGSG2,
                                 num::val(b.volNaSpoelen->text()), num::val(b.sgNaSpoelen->text()));
        } catch (const CalcError &) {
        }
        // No target to compare with: nothing is shown rather than a figure
        // that means nothing.
        b.bestemmingVol->setText(r ? r->opVolume : QString());
        b.bestemmingOG->setText(r ? r->opOG : QString());
    }
}

}  // namespace mostarium

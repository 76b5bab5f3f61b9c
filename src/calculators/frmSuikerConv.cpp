#include "frmSuikerConv.h"

#include "CalcCore.h"

#include "core/CalcError.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"

#include <QButtonGroup>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace mostarium {

QString frmSuikerConv::logPath() { return calc::reportPath(QStringLiteral("Conversie.log")); }

frmSuikerConv::frmSuikerConv(Session &s, Services &svc, QWidget *parent)
    : CalcWindow(QStringLiteral("frmSuikerConv"), QStringLiteral("Conversie Suikereenheden"), s, svc, parent)
{
    QGroupBox *algemeen =
        frame("fraCSAlgemeen", QStringLiteral(" Conversie suikereenheden (voor SG range van 1010-1100 kg/m3) "));
    QGroupBox *van = frame("fraConvVan", QStringLiteral(" Van "));
    QGroupBox *naar = frame("fraConvNaar", QStringLiteral(" Naar "));
    van->setParent(algemeen);
    naar->setParent(algemeen);

    m_input = input("txtConvInput", NumericEdit::Kind::Decimal, van);
    m_output = result("txtConvOutput", naar);
    auto *vanGroup = new QButtonGroup(this);
    auto *naarGroup = new QButtonGroup(this);
    auto *vanLay = new QGridLayout(van);
    auto *naarLay = new QGridLayout(naar);
    vanLay->addWidget(m_input, 0, 0);
    vanLay->addWidget(asterix(QStringLiteral("lblAsterix"), van), 0, 1);
    naarLay->addWidget(m_output, 0, 0);
    for (int i = 0; i < 3; ++i) {
        m_van[std::size_t(i)] = new QRadioButton(calc::unitCaptions().value(i), van);
        m_van[std::size_t(i)]->setObjectName(QStringLiteral("optConvVan_%1").arg(i));
        vanGroup->addButton(m_van[std::size_t(i)], i);
        vanLay->addWidget(m_van[std::size_t(i)], i + 1, 0, 1, 2);
        m_naar[std::size_t(i)] = new QRadioButton(calc::unitCaptions().value(i), naar);
        m_naar[std::size_t(i)]->setObjectName(QStringLiteral("optConvOutput_%1").arg(i));
        naarGroup->addButton(m_naar[std::size_t(i)], i);
        naarLay->addWidget(m_naar[std::size_t(i)], i + 1, 0);
    }
    vanLay->setRowStretch(4, 1);
    naarLay->setRowStretch(4, 1);
    auto *algLay = new QHBoxLayout(algemeen);
    algLay->addWidget(van);
    algLay->addWidget(naar);

    QPushButton *converteer = button("cmdConverteer", QStringLiteral("&Converteer"));
    converteer->setDefault(true);
    QPushButton *klaar = klaarButton("cmdConvKlaar");
    QWidget *helpPic = help("picCSHelp", QStringLiteral("MI_T_Conversie.htm"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(helpPic);
    buttons->addStretch(1);
    buttons->addWidget(converteer);
    buttons->addWidget(klaar);

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(algemeen);
    lay->addLayout(buttons);
    lay->addWidget(statusBar("stbConversie"));

    connect(converteer, &QPushButton::clicked, this, &frmSuikerConv::cmdConverteer_Click);
    for (int i = 0; i < 3; ++i) {
        connect(m_van[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { optConvVan_Click(i); });
        connect(m_naar[std::size_t(i)], &QRadioButton::clicked, this, [this, i] { optConvOutput_Click(i); });
    }

    // Form_Load: grams per litre to density, a new log.
    m_van[0]->setChecked(true);
    m_naar[1]->setChecked(true);
    setStatus(QString());
    colourControls();
    QFile::remove(logPath());
    PasGUIAan();
}

int frmSuikerConv::selected(const std::array<QRadioButton *, 3> &options) const
{
    for (int i = 0; i < 3; ++i)
        if (options[std::size_t(i)]->isChecked())
            return i;
    return -1;
}

void frmSuikerConv::PasGUIAan()
{
    for (int i = 0; i < 3; ++i)
        m_naar[std::size_t(i)]->setVisible(!m_van[std::size_t(i)]->isChecked());
    setStatus(QString());
}

bool frmSuikerConv::ControleerInvoer()
{
    const int unit = selected(m_van);
    if (unit < 0)
        return false;
    const std::optional<double> v = num::leadingNumber(m_input->text());
    const bool good = v && calc::conversieInputGood(unit, *v);
    m_input->setBad(!good);
    return good;
}

void frmSuikerConv::ConverteerEenheden()
{
    // An unchecked input (a later output choice) beyond any number leaves the
    // box as it was.
    try {
        if (const auto text = calc::converteer(selected(m_van), selected(m_naar), num::val(m_input->text())))
            m_output->setText(*text);
    } catch (const CalcError &) {
    }
}

void frmSuikerConv::LogConversie()
{
    const int from = selected(m_van), to = selected(m_naar);
    // An input no double holds (changed after the last check) is beyond
    // every unit's bound: nothing is logged.
    const std::optional<double> in = num::leadingNumber(m_input->text()), out = num::leadingNumber(m_output->text());
    if (!in || !out || !calc::conversieLogged(from, *in, *out))
        return;
    const QString line = calc::conversieLogLine(m_input->text(), from, m_output->text(), to);
    // The result stays shown whatever becomes of the log.
    if (calc::appendReportLine(logPath(), line))
        setStatus(QStringLiteral("Conversie appended to ") + logPath());
    else
        setStatus(QStringLiteral("Conversie kon niet worden bijgeschreven in ") + logPath());
}

void frmSuikerConv::cmdConverteer_Click()
{
    if (!ControleerInvoer()) {
        setStatus(QStringLiteral("Invoer incorrect!"));
    } else {
        ConverteerEenheden();
        LogConversie();
    }
    playCompute();
}

void frmSuikerConv::optConvVan_Click(int index)
{
    PasGUIAan();
    const int output = (index + 1) % 2;
    if (!m_naar[std::size_t(output)]->isChecked()) {
        m_naar[std::size_t(output)]->setChecked(true);
        optConvOutput_Click(output);
    }
    m_input->clear();
    m_output->clear();
}

void frmSuikerConv::optConvOutput_Click(int /*index*/)
{
    if (num::val(m_output->text()) > 0) {
        ConverteerEenheden();
        LogConversie();
    }
}

}  // namespace mostarium

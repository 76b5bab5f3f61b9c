#include "frmTip.h"

#include "InfoWindows.h"

#include "core/Ini.h"
#include "core/NumText.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/ZymSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace mostarium {

namespace {
std::function<double()> &randomSource()
{
    // The system generator is seeded anew at every program start.
    static std::function<double()> source = [] { return QRandomGenerator::global()->generateDouble(); };
    return source;
}
}  // namespace

void frmTip::setRandomSource(std::function<double()> source)
{
    randomSource() = source ? std::move(source) : [] { return QRandomGenerator::global()->generateDouble(); };
}

frmTip::frmTip(Session &s, Services &svc, QWidget *parent) : WindowBase(QStringLiteral("frmTip"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Tip van de Dag"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(QPixmap(paths::file(QStringLiteral("\\Afbeeldingen\\Tip.png"))));
    picture->setFixedSize(64, 64);
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *heading = new QLabel(QStringLiteral("Wist U dat..."), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(headingFont.pointSize() + 4);
    heading->setFont(headingFont);

    // The tip stands on a white card, apart from the window's own colour.
    auto *card = new QFrame(this);
    card->setFrameShape(QFrame::StyledPanel);
    card->setFrameShadow(QFrame::Sunken);
    QPalette cardPal = card->palette();
    cardPal.setColor(QPalette::Window, Qt::white);
    card->setPalette(cardPal);
    card->setAutoFillBackground(true);

    m_text = new QLabel(card);
    m_text->setObjectName(QStringLiteral("lblTipText"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMinimumSize(330, 110);

    m_index = new QLabel(QStringLiteral("[/]"), card);
    m_index->setObjectName(QStringLiteral("lblTipIndex"));
    m_index->setAlignment(Qt::AlignRight);

    auto *cardLay = new QVBoxLayout(card);
    cardLay->addWidget(heading);
    cardLay->addWidget(m_text, 1);
    cardLay->addWidget(m_index);

    m_random = new QRadioButton(QStringLiteral("Willekeurig"), this);
    m_random->setObjectName(QStringLiteral("optSequence_0"));
    m_inOrder = new QRadioButton(QStringLiteral("Op volgorde"), this);
    m_inOrder->setObjectName(QStringLiteral("optSequence_1"));
    auto *order = new QButtonGroup(this);
    order->addButton(m_random, 0);
    order->addButton(m_inOrder, 1);
    m_random->setChecked(true);

    m_showAtStartUp = new QCheckBox(QStringLiteral("&Laat zien bij opstarten"), this);
    m_showAtStartUp->setObjectName(QStringLiteral("chkShowAtStartUp"));

    auto *next = new QPushButton(QStringLiteral("Volgende &Tip"), this);
    next->setObjectName(QStringLiteral("cmdNextTip"));
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(card, 1);
    auto *options = new QHBoxLayout;
    options->addWidget(m_random);
    options->addWidget(m_inOrder);
    options->addStretch();
    options->addWidget(m_showAtStartUp);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(ok);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top, 1);
    lay->addLayout(options);
    lay->addLayout(buttons);

    connect(order, &QButtonGroup::idClicked, this,
            [this](int id) { m_tips.setOrder(id == 1 ? TipCycle::OpVolgorde : TipCycle::Willekeurig); });
    connect(next, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(ok, &QPushButton::clicked, this, &frmTip::cmdOK_Click);

    // Form_Load
    applyMainBackColor(this);
    // A bad value was named by the start-up already; here it just counts as its default.
    m_showAtStartUp->setChecked(
        zymNumber(QStringLiteral("StartUp"), QStringLiteral("ShowTips"), QStringLiteral("1"), SwitchRange) == 1);
    LoadTips(paths::file(QStringLiteral("\\Tips.txt")));
}

void frmTip::LoadTips(const QString &path)
{
    m_tips = TipCycle(mostarium::LoadTips(path));
    m_tips.setOrder(m_inOrder->isChecked() ? TipCycle::OpVolgorde : TipCycle::Willekeurig);
    DoNextTip();
}

void frmTip::DoNextTip()
{
    m_tips.next(randomSource()());
    m_index->setText(m_tips.counterText());
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (const auto text = m_tips.currentText())
        m_text->setText(*text);
}

void frmTip::cmdNextTip_Click() { DoNextTip(); }

void frmTip::cmdOK_Click()
{
    playClick();
    keepZymSetting(QStringLiteral("StartUp"), QStringLiteral("ShowTips"),
                   m_showAtStartUp->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    m_tips.clear();
    unload();
}

}  // namespace mostarium

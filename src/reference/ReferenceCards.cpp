#include "ReferenceCards.h"

#include "EenhedenText.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "output/RtfReader.h"
#include "platform/RichTextBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace mostarium {

namespace {

struct Row {
    const char *name;
    const char *text;
};

QGroupBox *frameOfRows(QWidget *parent, const char *name, const QString &caption, std::initializer_list<Row> rows)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    auto *layout = new QVBoxLayout(frame);
    for (const Row &r : rows) {
        auto *l = new QLabel(QString::fromUtf8(r.text), frame);
        l->setObjectName(QString::fromLatin1(r.name));
        layout->addWidget(l);
    }
    return frame;
}

}  // namespace

ReferenceCard::ReferenceCard(const QString &name, Session &s, Services &svc, QWidget *parent)
    : WindowBase(name, s, svc, parent)
{}

void ReferenceCard::finish(QLayout *frames, const QString &okName, const QString &helpName, const QString &topic)
{
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(okName);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &ReferenceCard::cmdOK_Click);
    ClickLabel *help = helpPicture(topic);
    help->setObjectName(helpName);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *main = new QVBoxLayout(this);
    main->addLayout(frames);
    main->addLayout(buttons);
    setFixedSize(sizeHint());
    takeMainColours();
}

void ReferenceCard::cmdOK_Click()
{
    if (m_s.app.geluidAan)
        m_svc.playSound(paths::file(QStringLiteral("Sounds/zadiver_plop.wav")), true);
    unload();
}

frmEBCSchatting::frmEBCSchatting(Session &s, Services &svc, QWidget *parent)
    : ReferenceCard(QStringLiteral("frmEBCSchatting"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("EBC Referentiekader"));
    auto *frames = new QVBoxLayout;
    frames->addWidget(frameOfRows(this, "fraEBCWaarden", QStringLiteral(" Kleur vs. EBC-waarden "),
                                  {
                                      {"lblEBCBleekLichtBlond", "Bleek/Lichtblond: 6-9 EBC"},
                                      {"lblEBCBlondGeel", "Blond/geel: 10-12 EBC"},
                                      {"lblEBCGoud", "Goud: 13-20 EBC"},
                                      {"lblEBCAmber", "Amber: 21-30 EBC"},
                                      {"Label1", "----- 30 EBC: Bolleke De Koninck, Fuller's London Pride -----"},
                                      {"lblEBCKoper", "Koper: 31-45 EBC"},
                                      {"lblEBCBruin", "Donker koper/bruin: 46-75 EBC"},
                                      {"lblEBCZeerDonker", "Zeer donker (doorschijnend): 76-120 EBC"},
                                      {"lblEBCNietDoorschijnend", "Zeer donker (niet-doorschijnend): >120 EBC"},
                                  }));
    finish(frames, QStringLiteral("cmdEBCOK"), QStringLiteral("picEBCHelp"),
           QStringLiteral("MI_T_EBCReferentiekader.htm"));
}

frmEBURef::frmEBURef(Session &s, Services &svc, QWidget *parent)
    : ReferenceCard(QStringLiteral("frmEBURef"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("EBU Referentiekader"));
    auto *frames = new QVBoxLayout;
    QGroupBox *sensory =
        frameOfRows(this, "fraEBUSensorisch", QStringLiteral(" Bitterheid (sensorisch) vs. EBU-waarde "),
                    {
                        {"lblEBURef5", "Weinig bitter: 5-20 EBU"},
                        {"lblEBURef20", "Bitterig: 20-30 EBU"},
                        {"lblEBURef30", "Bitter: 30-40 EBU"},
                        {"lblEBURef40", "Zeer bitter: >40 EBU"},
                    });
    auto *info = new QLabel(QStringLiteral("1 EBU = 1 mg/L iso-alfazuur"), sensory);
    info->setObjectName(QStringLiteral("lblEBURefInfo"));
    sensory->layout()->addWidget(info);
    frames->addWidget(sensory);

    // Mostarium's own table of the bitter-sweet balance, hence its caption.
    auto *balance = new QGroupBox(QStringLiteral(" Evenwicht bitter-zoet (Mostarium) "), this);
    balance->setObjectName(QStringLiteral("fraEBUEvenwicht"));
    auto *grid = new QGridLayout(balance);
    auto *og = new QLabel(QStringLiteral("OG (kg/m3)"), balance);
    og->setObjectName(QStringLiteral("lblEBUEvOG"));
    auto *bitter = new QLabel(QStringLiteral("EBU"), balance);
    bitter->setObjectName(QStringLiteral("lblEBURefBitter"));
    grid->addWidget(og, 0, 0);
    grid->addWidget(bitter, 0, 1);
    static const int ebu[10] = {4, 8, 12, 16, 24, 32, 40, 48, 54, 62};
    for (int i = 0; i < 10; ++i) {
        auto *g = new QLabel(QString::number(1010 + 10 * i), balance);
        g->setObjectName(QStringLiteral("lblEBUOG_%1").arg(i));
        auto *e = new QLabel(QString::number(ebu[i]), balance);
        e->setObjectName(QStringLiteral("lblEBURefEBU_%1").arg(i));
        grid->addWidget(g, i + 1, 0);
        grid->addWidget(e, i + 1, 1);
    }
    frames->addWidget(balance);
    finish(frames, QStringLiteral("cmdEBURefOK"), QStringLiteral("picEBUHelp"),
           QStringLiteral("MI_T_EBUReferentiekader.htm"));
    // Red after the main colours, which would otherwise cover it.
    QPalette p = info->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    info->setPalette(p);
}

frmCO2Ref::frmCO2Ref(Session &s, Services &svc, QWidget *parent)
    : ReferenceCard(QStringLiteral("frmCO2Ref"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("CO2 Referentiekader"));
    auto *frames = new QVBoxLayout;
    frames->addWidget(frameOfRows(this, "fraCO2Sensorisch",
                                  QStringLiteral("Koolzuurgehalte (sensorisch) vs gehalte (gr/L) "),
                                  {
                                      {"lblCO2RefWeinig", "Weinig: <3.5 gr/L"},
                                      {"lblCO2RefNormaal", "Normaal: 3.5-5.0 gr/L"},
                                      {"lblCO2RedVeel", "Redelijk veel: 5.0-6.0 gr/L"},
                                      {"lblCO2RefVeel", "Veel: >6.0 gr/L"},
                                  }));
    finish(frames, QStringLiteral("cmdCO2OK"), QStringLiteral("picCO2_Help"),
           QStringLiteral("MI_T_CO2Referentiekader.htm"));
}

frmEenheden::frmEenheden(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmEenheden"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Eenheden"));
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("mnuEenhedenMenuBalk"));
    QMenu *file = bar->addMenu(QStringLiteral("Bestand"));
    file->setObjectName(QStringLiteral("mnuEenhedenBestand"));
    QAction *quit = file->addAction(QStringLiteral("Afsluiten"));
    quit->setObjectName(QStringLiteral("mnuEenhedenAfsluiten"));
    connect(quit, &QAction::triggered, this, &frmEenheden::unload);

    // Read-only, so the text never changes and never needs restoring; a copy
    // gives long words without the breaks the reader put into them.
    m_rtfEenheden = new RichTextBox(QStringLiteral("rtfEenheden"), this);
    m_rtfEenheden->setReadOnly(true);
    QByteArray rtf;
    if (readWholeFile(paths::file(QStringLiteral("Templates/Eenheden.rtf")), 1 << 20, rtf) != FileRead::Ok)
        rtf = QByteArray(builtInEenhedenRtf);
    // Never so narrow that the text would lay out taller than the reader allows.
    m_rtfEenheden->setMinimumWidth(leastRtfBoxWidth(*m_rtfEenheden));
    if (!readRtf(rtf, *m_rtfEenheden->document()))
        readRtf(QByteArray(builtInEenhedenRtf), *m_rtfEenheden->document());
    // Opened at the top, not where the reader left the cursor.
    m_rtfEenheden->moveCursor(QTextCursor::Start);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->setMenuBar(bar);
    main->addWidget(m_rtfEenheden);
    resize(560, 480);
    takeMainColours();
}

}  // namespace mostarium

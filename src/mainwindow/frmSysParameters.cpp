#include "frmSysParameters.h"

#include "core/Optimisers.h"
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Services.h"
#include "core/Session.h"
#include "platform/NumericEdit.h"
#include "platform/WindowRegistry.h"
#include "platform/WindowRoutines.h"

#include <QGridLayout>
#include <QPixmap>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace mostarium {

namespace {
struct Row {
    const char *box, *label, *caption;
};
const Row kRows[SpCount] = {
    {"txt_SP_KetelInhoud", "lbl_SP_Ketelinhoud", "Ketel inhoud (L): "},
    {"txt_SP_Filterkuip", "lbl_SP_Filterkuip", "Filterkuip inhoud (L): "},
    {"txt_SP_FixedVolume", "lbl_SP_FixedVolume", "Volume onder filterplaat (L): "},
    {"txt_SP_DoodVolume", "lbl_SP_DoodVolume", "Water toegevoegd onder filterplaat (L): "},
    {"txt_SP_Evaporatie", "lbl_SP_Evaporatie", "Evaporatie tijdens kookproces (L/uur): "},
    {"txt_SP_BrouwVerlies", "lbl_SP_BrouwVerlies", "Brouwverlies (L): "},
};
const QString kName = QStringLiteral("frmSysParameters");
}  // namespace

frmSysParameters::frmSysParameters(Session &s, Services &svc, QWidget *parent) : WindowBase(kName, s, svc, parent)
{
    setWindowTitle(QStringLiteral("Systeem Parameters"));

    QFont calibri(QStringLiteral("Calibri"));
    calibri.setPointSize(10);

    auto *frame = new QGroupBox(QStringLiteral(" Systeem Parameters "), this);
    frame->setObjectName(QStringLiteral("fraSP_SysPar"));
    auto *grid = new QGridLayout(frame);
    const SysParamTexts current = sysParamTexts(m_s);
    for (int i = 0; i < SpCount; ++i) {
        auto *label = new QLabel(QString::fromUtf8(kRows[i].caption), frame);
        label->setObjectName(QString::fromLatin1(kRows[i].label));
        label->setFont(calibri);
        auto *box = new NumericEdit(QString::fromLatin1(kRows[i].box), false, frame);
        box->setFont(calibri);
        box->setFixedWidth(70);
        box->setText(current[std::size_t(i)]);
        m_boxes[std::size_t(i)] = box;
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
    }
    const QString lossTip = QStringLiteral("Wort wat achterblijft in de installatie, hopdraf enz. na het brouwen");
    m_boxes[SpBrouwVerlies]->setToolTip(lossTip);
    for (int i = 0; i < SpCount; ++i)
        m_toolTips[std::size_t(i)] = m_boxes[std::size_t(i)]->toolTip();
    frame->findChild<QLabel *>(QStringLiteral("lbl_SP_BrouwVerlies"))->setToolTip(lossTip);

    auto *warning = new QPlainTextEdit(this);
    warning->setObjectName(QStringLiteral("txtSP_Warning"));
    warning->setReadOnly(true);
    warning->setFrameShape(QFrame::NoFrame);
    warning->setPlainText(QStringLiteral("Waarschuwing!\nHet veranderen van \nsysteem parameters \nheeft gevolgen\n"
                                         "voor de \nprocesvoering!\n"));
    warning->setFixedWidth(150);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdSP_OK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Annuleren"), this);
    cancel->setObjectName(QStringLiteral("cmdSP_Annuleren"));
    auto *help = new QToolButton(this);
    help->setObjectName(QStringLiteral("picSP_Help"));
    const QPixmap helpPicture(paths::file(QStringLiteral("Afbeeldingen/Help.png")));
    help->setIcon(helpPicture.isNull() ? style()->standardIcon(QStyle::SP_DialogHelpButton) : QIcon(helpPicture));
    help->setIconSize(QSize(24, 24));
    help->setAutoRaise(true);
    help->setToolTip(QStringLiteral("Open OnLine Help"));

    connect(ok, &QPushButton::clicked, this, &frmSysParameters::cmdSP_OK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmSysParameters::cmdSP_Annuleren_Click);
    connect(help, &QToolButton::clicked, this,
            [this] { ShowHelpTopic(QStringLiteral("MI_V_SysteemParameters.htm"), this); });

    auto *top = new QHBoxLayout;
    top->addWidget(frame);
    top->addWidget(warning);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addLayout(buttons);

    // The main window's colour, also behind the warning, whose text is red.
    PasKleurAan(this);
    QPalette wp = warning->palette();
    wp.setColor(QPalette::Base, palette().color(QPalette::Window));
    wp.setColor(QPalette::Text, QColor(255, 0, 0));
    warning->setPalette(wp);
}

SysParamTexts frmSysParameters::texts() const
{
    SysParamTexts t;
    for (int i = 0; i < SpCount; ++i)
        t[std::size_t(i)] = m_boxes[std::size_t(i)]->text();
    return t;
}

void frmSysParameters::cmdSP_OK_Click()
{
    // A running optimiser works with the installation's values; they stay.
    if (refuseWhileOptimising(m_s))
        return;
    const SysParamTexts t = texts();
    SysParamFlags bad{};
    const bool good = ControleerSysParameters(t, bad);
    // A red box says why in its tool tip: the bounds of its value.
    for (int i = 0; i < SpCount; ++i) {
        NumericEdit *box = m_boxes[std::size_t(i)];
        box->setBad(bad[std::size_t(i)]);
        box->setToolTip(bad[std::size_t(i)] ? sysParamBounds(SysParam(i)) : m_toolTips[std::size_t(i)]);
    }
    if (!good)
        return;
    Session &s = m_s;
    if (!StoreSysParameters(s, t))
        m_svc.msgBox(QStringLiteral("De systeem parameters konden niet in ZYM.ini worden bewaard!"), mb::Exclamation,
                     QStringLiteral("Attentie!"));
    if (s.recipe.ReceptStatus > 0)
        UpdateBrouwschema(s);
    unload();
}

void frmSysParameters::cmdSP_Annuleren_Click() { unload(); }

}  // namespace mostarium

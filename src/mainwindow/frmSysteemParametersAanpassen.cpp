#include "frmSysteemParametersAanpassen.h"

#include <QPointer>
#include "core/Services.h"

#include "core/NumText.h"
#include "core/Session.h"
#include "core/SysParamCompare.h"
#include "platform/WindowRegistry.h"
#include "platform/WindowRoutines.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <QLineEdit>
#include <QPushButton>

namespace mostarium {

namespace {
constexpr int twips(int t) { return t / 15; }
// The captions need more width than these twips give them, so the window
// is laid out a fifth wider (heights stay).
constexpr int twipsX(int t) { return t * 2 / 25; }

// A button as wide as its caption needs, centred where the layout puts it.
void placeButton(QPushButton *b, int left, int top, int width, int height)
{
    const int w = std::max(twipsX(width), b->sizeHint().width() + 16);
    b->setGeometry(twipsX(left) + twipsX(width) / 2 - w / 2, twips(top), w, twips(height));
}

const char *const kLabels[6] = {"Ketel inhoud (L): ",
                                "Filterkuip inhoud (L): ",
                                "Volume onder filterplaat (L): ",
                                "Water toegevoegd onder filterplaat (L): ",
                                "Evaporatie tijdens kookproces (L/uur): ",
                                "Brouwverlies (L): "};
const char *const kBoxes[6] = {"KetelInhoud", "Filterkuip", "FixedVolume", "DoodVolume", "Evaporatie", "BrouwVerlies"};
const QString kBrouwverliesTip = QStringLiteral("Wort wat achterblijft in de installatie, hopdraf enz. na het brouwen");

// One column of six labels and boxes; the labels' right edges line up.
void fillColumn(QWidget *frame, const QString &prefix, QLineEdit **boxes)
{
    for (int i = 0; i < 6; ++i) {
        const int top = 420 + 300 * i;
        auto *label = new QLabel(QString::fromLatin1(kLabels[i]), frame);
        label->setObjectName(QStringLiteral("lbl") + prefix + QString::fromLatin1(kBoxes[i]));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(twipsX(60), twips(top), twipsX(3540), twips(285));
        auto *box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("txt") + prefix + QString::fromLatin1(kBoxes[i]));
        box->setGeometry(twipsX(3660), twips(top - 15), twipsX(975), twips(300));
        if (i == 5) {
            label->setToolTip(kBrouwverliesTip);
            box->setToolTip(kBrouwverliesTip);
        }
        boxes[i] = box;
    }
}
}  // namespace

frmSysteemParametersAanpassen::frmSysteemParametersAanpassen(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmSysteemParametersAanpassen"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Systeem Parameters Aanpassen?"));
    setModal(true);
    setFixedSize(twipsX(10755), twips(4500));

    fraSysteemParametersAanpassen = new QGroupBox(QStringLiteral(" Systeem Parameters "), this);
    fraSysteemParametersAanpassen->setObjectName(QStringLiteral("fraSysteemParametersAanpassen"));
    fraSysteemParametersAanpassen->setGeometry(twipsX(180), twips(240), twipsX(10395), twips(3075));
    fillColumn(fraSysteemParametersAanpassen, QStringLiteral("_SPA_"), m_installatie);

    fraSP_Recept = new QGroupBox(fraSysteemParametersAanpassen);
    fraSP_Recept->setObjectName(QStringLiteral("fraSP_Recept"));
    fraSP_Recept->setGeometry(twipsX(5280), twips(420), twipsX(4815), twips(2415));
    fillColumn(fraSP_Recept, QStringLiteral("_SPAR_"), m_recept);

    cmdSP_NietOvernemen = new QPushButton(QStringLiteral("Behoud Systeem Parameters Mostarium"), this);
    cmdSP_NietOvernemen->setObjectName(QStringLiteral("cmdSP_NietOvernemen"));
    placeButton(cmdSP_NietOvernemen, 1320, 3540, 2835, 555);
    cmdSP_NietOvernemen->setMouseTracking(true);
    cmdSP_NietOvernemen->installEventFilter(this);
    cmdSP_Overnemen = new QPushButton(QStringLiteral("Neem Systeem Parameters Recept over"), this);
    cmdSP_Overnemen->setObjectName(QStringLiteral("cmdSP_Overnemen"));
    placeButton(cmdSP_Overnemen, 6420, 3540, 2835, 555);
    cmdSP_Overnemen->setAutoDefault(false);
    cmdSP_NietOvernemen->setAutoDefault(false);

    connect(cmdSP_Overnemen, &QPushButton::clicked, this, &frmSysteemParametersAanpassen::cmdSP_Overnemen_Click);
    connect(cmdSP_NietOvernemen, &QPushButton::clicked, this,
            &frmSysteemParametersAanpassen::cmdSP_NietOvernemen_Click);

    Form_Load();
}

void frmSysteemParametersAanpassen::Form_Load()
{
    PasKleurAan(this);

    const RecipeState &r = m_s.recipe;
    setFittedTitle(fraSP_Recept,
                   r.Algemeen.has(0) ? r.Algemeen(0) + QStringLiteral(" Recept ") : QStringLiteral(" Recept "));
    unsetCursor();

    m_installatie[0]->setText(QString::number(r.KetelInhoud));
    m_installatie[1]->setText(num::plain(r.FilterKuipInhoud));
    m_installatie[2]->setText(num::plain(r.FixedVolFilterPlaatBodem));
    m_installatie[3]->setText(num::plain(r.VolFilterPlaatBodem));
    m_installatie[4]->setText(num::plain(r.Evaporatie));
    m_installatie[5]->setText(num::plain(r.BrouwVerlies));

    m_recept[0]->setText(num::plain(r.ReceptKetelInhoud));
    m_recept[1]->setText(num::plain(r.ReceptFilterKuipInhoud));
    m_recept[2]->setText(num::plain(r.ReceptFixedVolFilterPlaatBodem));
    m_recept[3]->setText(num::plain(r.ReceptVolFilterPlaatBodem));
    m_recept[4]->setText(num::plain(r.ReceptEvaporatie));
    m_recept[5]->setText(num::plain(r.ReceptBrouwVerlies));
}

void frmSysteemParametersAanpassen::cmdSP_Overnemen_Click()
{
    // The values as read from the file, not what the boxes show.
    if (!NeemReceptSysteemParametersOver(m_s.recipe))
        return;
    setCursor(Qt::WaitCursor);
    accept();
}

void frmSysteemParametersAanpassen::cmdSP_NietOvernemen_Click()
{
    setCursor(Qt::WaitCursor);
    reject();
}

bool frmSysteemParametersAanpassen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmdSP_NietOvernemen && event->type() == QEvent::MouseMove)
        unsetCursor();
    return WindowBase::eventFilter(watched, event);
}

void ShowSysteemParametersAanpassen(Session &s)
{
    windows().unload(QStringLiteral("frmInfo"));
    // Esc, the close box and "Behoud" unload it, which ends the question;
    // "Neem over" only closes it.
    QPointer<frmSysteemParametersAanpassen> dlg = new frmSysteemParametersAanpassen(s, services());
    dlg->exec();
    if (dlg)
        dlg->unload();
}

}  // namespace mostarium

#include "frmRegistreer.h"

#include "core/LinkFiles.h"
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mostarium {

QString frmRegistreer::noticeText()
{
    return QStringLiteral("Wilt U op de hoogte blijven van nieuwe revisies van Mostarium, van het helpbestand en "
                          "van updates van de ondersteunende bestanden (tips, biersoorten, sjablonen)?\n\n"
                          "Stuur dan een e-mail met het woord \"Registreer\" in het onderwerp naar:\n\n    ")
           + contactAddress()
           + QStringLiteral("\n\nU ontvangt dan bericht zodra er iets nieuws is. Uw adres wordt voor niets anders "
                            "gebruikt.");
}

frmRegistreer::frmRegistreer(Session &s, Services &svc, QWidget *parent)
    : WindowBase(QStringLiteral("frmRegistreer"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Registreer"));

    auto *frame = new QGroupBox(QStringLiteral(" Registreer "), this);
    frame->setObjectName(QStringLiteral("fraRegistreer"));
    auto *text = new QPlainTextEdit(noticeText(), frame);
    text->setObjectName(QStringLiteral("txtReg_Registreer"));
    text->setReadOnly(true);
    text->setMinimumSize(400, 200);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *frameLay = new QVBoxLayout(frame);
    frameLay->addWidget(text);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdReg_OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &WindowBase::unload);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(frame);
    lay->addLayout(buttons);

    takeMainColours();
}

}  // namespace mostarium

#include "frmRegistreer.h"

#include "InfoWindows.h"

#include "core/LinkFiles.h"
#include "platform/WindowRegistry.h"
#include "platform/WindowRoutines.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mostarium {

namespace {
const QString kName = QStringLiteral("frmRegistreer");
}

QString frmRegistreer::noticeText()
{
    return QStringLiteral(
               "Wilt U op de hoogte blijven van nieuwe revisies van Mostarium, van het helpbestand en "
               "van updates van de ondersteunende bestanden (tips, biersoorten, sjablonen)?\n\n"
               "Stuur dan een e-mail met het woord \"Registreer\" in het onderwerp naar:\n\n    ")
        + contactAddress()
        + QStringLiteral("\n\nU ontvangt dan bericht zodra er iets nieuws is. Uw adres wordt voor niets anders "
                         "gebruikt.");
}

frmRegistreer::frmRegistreer(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(kName);
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
    connect(ok, &QPushButton::clicked, this, [] { windows().unload(kName); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(frame);
    lay->addLayout(buttons);

    PasKleurAan(this);
}

void frmRegistreer::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}

void frmRegistreer::registerWindow()
{
    windows().registerFactory(kName, [] { return new frmRegistreer; });
}

} // namespace mostarium

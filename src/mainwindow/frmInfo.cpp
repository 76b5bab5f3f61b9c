#include "frmInfo.h"
#include "platform/WindowRoutines.h"

#include "InfoWindows.h"

#include "core/LinkFiles.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace mostarium {

namespace {
QFrame *line(QWidget *parent, const QString &name, QFrame::Shape shape = QFrame::HLine)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(shape);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

ClickLabel *linkLabel(QWidget *parent, const QString &name, const QString &address)
{
    auto *l = new ClickLabel(address, parent);
    l->setObjectName(name);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    l->setPalette(pal);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    // The arrow with the question mark, as over every link of the program.
    l->setCursor(Qt::WhatsThisCursor);
    return l;
}

QString disclaimer()
{
    return QStringLiteral("EINDGEBRUIKERS OVEREENKOMST\n\n"
                          "Deze gratis software wordt aanvaard zoals zij wordt aangeboden. Aan het gebruik ervan "
                          "kunnen geen rechten worden ontleend. Schade die voortkomt uit het gebruik van deze "
                          "software is voor rekening van de gebruiker; de maker aanvaardt geen enkele "
                          "aansprakelijkheid.\n\n"
                          "Opmerkingen, gebreken en wensen voor verbeteringen zijn welkom op ")
           + contactAddress() + QStringLiteral(".");
}
}  // namespace

QString frmInfo::beerwareText(int year)
{
    const QString y = QString::number(year);
    const QStringList lines = {
        QStringLiteral("Beerware:"),
        QString(),
        QStringLiteral("Het gebruik van deze software is vrij!"),
        QStringLiteral("Waardeert U deze software en wilt U de"),
        QStringLiteral("verdere ontwikkeling steunen, maak dan"),
        QStringLiteral("een vrijwillige bijdrage over op de"),
        QStringLiteral("bankrekening van het gilde. Het"),
        QStringLiteral("rekeningnummer staat op Mostarium Online."),
        QStringLiteral("Vermeld bij de overschrijving het woord"),
        QStringLiteral("'DONATIE'."),
        QString(),
        QStringLiteral("Copyright (c) Mostarium ") + y,
        QStringLiteral("Zie ook Mostarium Online"),
        QStringLiteral("Helpteksten, tips en afbeeldingen: alle"),
        QStringLiteral("rechten voorbehouden ") + y,
        onlineSiteAddress(),
    };
    return lines.join(QStringLiteral("\r\n"));
}

frmInfo::frmInfo(Session &s, Services &svc, QWidget *parent) : WindowBase(QStringLiteral("frmInfo"), s, svc, parent)
{
    setWindowTitle(QStringLiteral("Info Mostarium"));

    auto *kop = new QLabel(QStringLiteral("Wortkamer"), this);
    kop->setObjectName(QStringLiteral("lblKop"));
    QFont kopFont = kop->font();
    kopFont.setPointSize(24);
    kopFont.setBold(true);
    kop->setFont(kopFont);

    auto *revisie = new QLabel(m_s.recipe.Revision, this);
    revisie->setObjectName(QStringLiteral("lblInfoRevisie"));

    auto *ketel = new QLabel(this);
    ketel->setObjectName(QStringLiteral("picInfo_Ketel"));
    ketel->setPixmap(QPixmap(paths::file(QStringLiteral("\\Afbeeldingen\\Ketel.png"))));
    ketel->setFixedSize(128, 128);
    ketel->setAlignment(Qt::AlignCenter);

    auto *shape = line(this, QStringLiteral("Shape1"), QFrame::Box);
    auto *shapeLay = new QVBoxLayout(shape);
    shapeLay->setContentsMargins(4, 4, 4, 4);
    shapeLay->addWidget(ketel);

    auto *beerware = new QPlainTextEdit(this);
    beerware->setObjectName(QStringLiteral("txtBeerware"));
    beerware->setReadOnly(true);
    beerware->setFrameShape(QFrame::NoFrame);
    beerware->setLineWrapMode(QPlainTextEdit::NoWrap);
    beerware->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    beerware->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *text1 = new QPlainTextEdit(disclaimer(), this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setReadOnly(true);
    text1->setFixedHeight(110);
    text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *poweredBy = new QLabel(QStringLiteral("Door hobbybrouwers, voor hobbybrouwers."), this);
    poweredBy->setObjectName(QStringLiteral("lblI_PoweredBy"));
    QFont italic = poweredBy->font();
    italic.setItalic(true);
    poweredBy->setFont(italic);

    auto *online = linkLabel(this, QStringLiteral("lblI_MostariumOnline"), onlineSiteAddress());
    online->onClick = [this] { lblI_MostariumOnline_Click(); };
    auto *www = linkLabel(this, QStringLiteral("lblInfo_WWW"), guildSiteAddress());
    www->onClick = [this] { lblInfo_WWW_Click(); };
    auto *mail = new QLabel(contactAddress(), this);
    mail->setObjectName(QStringLiteral("lblInfo_Hotmail"));

    auto *streep = line(this, QStringLiteral("fraStreep"));

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &frmInfo::cmdOK_Click);

    // Layout
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(kop, 0, Qt::AlignHCenter);
    lay->addWidget(revisie, 0, Qt::AlignHCenter);
    lay->addWidget(line(this, QStringLiteral("Line1_0")));
    auto *middle = new QHBoxLayout;
    middle->addWidget(shape, 0, Qt::AlignTop);
    middle->addWidget(beerware, 1);
    lay->addLayout(middle);
    lay->addWidget(streep);
    lay->addWidget(text1);
    lay->addWidget(line(this, QStringLiteral("Line1_1")));
    auto *bottom = new QGridLayout;
    bottom->addWidget(poweredBy, 0, 0, 1, 2);
    bottom->addWidget(new QLabel(QStringLiteral("Mostarium Online:"), this), 1, 0);
    bottom->addWidget(online, 1, 1);
    bottom->addWidget(new QLabel(QStringLiteral("Het gilde:"), this), 2, 0);
    bottom->addWidget(www, 2, 1);
    bottom->addWidget(new QLabel(QStringLiteral("E-mail:"), this), 3, 0);
    bottom->addWidget(mail, 3, 1);
    bottom->addWidget(m_ok, 3, 2, Qt::AlignRight | Qt::AlignBottom);
    bottom->setColumnStretch(1, 1);
    lay->addLayout(bottom);

    // Load: the window and the about text take the main window's colour.
    applyMainBackColor(this);
    QPalette textPal = beerware->palette();
    textPal.setColor(QPalette::Base, palette().color(QPalette::Window));
    beerware->setPalette(textPal);
    QString about = beerwareText(m_svc.now().date().year());
    beerware->setPlainText(about.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    beerware->setFixedHeight(beerware->fontMetrics().lineSpacing() * 16 + 8);
    beerware->setMinimumWidth(beerware->fontMetrics().horizontalAdvance(u'x') * 46);
}

void frmInfo::showAsSplash()
{
    // It goes at the end of the start-up, whatever box may be open then.
    keepBoxesOff(this);
    show();
    m_ok->hide();
    setOnTop(true);
    raise();
    m_svc.processEvents();
    // The picture must stand before the pause begins: wait, within a bound,
    // until the desktop has shown the window and it has been painted.
    QuietWait painted(SplashPaintBoundMs, [this] { return m_painted; });
    painted.askAfterEventsOf(this);
    painted.run();
}

void frmInfo::paintEvent(QPaintEvent *event)
{
    WindowBase::paintEvent(event);
    if (!windowHandle() || !windowHandle()->isExposed())
        return;
    m_painted = true;
}

void frmInfo::setOnTop(bool onTop)
{
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == onTop)
        return;
    if (onTop)
        SetFormOnTop(this);
    else
        SetFormNotOnTop(this);
}

void frmInfo::lblI_MostariumOnline_Click()
{
    openSiteLinkOrShowNotWritten(QStringLiteral("MostariumOnline.url"), onlineSiteAddress());
}

void frmInfo::lblInfo_WWW_Click() { openSiteLinkOrShowNotWritten(QStringLiteral("ZOLV.url"), guildSiteAddress()); }

void frmInfo::cmdOK_Click()
{
    playClick();
    unload();
}

}  // namespace mostarium

#include "WindowBase.h"

#include "WindowRegistry.h"

#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace mostarium {

WindowBase::WindowBase(const QString &name, Session &s, Services &svc, QWidget *parent)
    : QDialog(parent), m_s(s), m_svc(svc), m_name(name)
{
    setObjectName(name);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void WindowBase::unload()
{
    if (windows().find(m_name) == this) {
        windows().unload(m_name);
        return;
    }
    keepBoxesOff(this);
    hide();
    deleteLater();
}

void WindowBase::playClick() const { PlayClick(m_s, m_svc); }

ClickLabel *WindowBase::helpPicture(const QString &topic, QWidget *parent)
{
    auto *help = new ClickLabel(parent ? parent : this);
    const QPixmap picture(paths::file(QStringLiteral("Afbeeldingen/Help.png")));
    if (picture.isNull())
        help->setText(QStringLiteral("?"));
    else
        help->setPixmap(picture);
    help->setToolTip(QStringLiteral("Open OnLine Help"));
    help->setCursor(Qt::PointingHandCursor);
    help->onClick = [this, topic] { ShowHelpTopic(topic, this); };
    return help;
}

void WindowBase::closeEvent(QCloseEvent *event)
{
    onCloseBox();
    event->accept();
    unload();
}

void WindowBase::reject() { onCancel(); }

void WindowBase::showEvent(QShowEvent *event)
{
    if (!m_placed && !event->spontaneous())
        placeFirstTime();
    QDialog::showEvent(event);
}

void WindowBase::placeFirstTime()
{
    m_placed = true;
    // A caller that moved the window has placed it.
    if (testAttribute(Qt::WA_Moved))
        return;
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
    QRect over;
    QWidget *main = mainWindow();
    if (main && main != this && main->isVisible())
        over = main->frameGeometry();
    else if (QScreen *screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    else
        return;
    QRect r(QPoint(0, 0), frameGeometry().size());
    r.moveCenter(over.center());
    // Never above or left of the screen's usable area.
    if (QScreen *screen = QGuiApplication::screenAt(over.center())) {
        const QRect avail = screen->availableGeometry();
        r.moveLeft(std::max(avail.left(), std::min(r.left(), avail.right() - r.width())));
        r.moveTop(std::max(avail.top(), std::min(r.top(), avail.bottom() - r.height())));
    }
    move(r.topLeft());
}

}  // namespace mostarium

#include "WindowRoutines.h"

#include "core/CaptionText.h"
#include "core/DisplayModel.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace mostarium {

namespace {

void setOnTop(QWidget *window, bool onTop)
{
    if (!window)
        return;
    const bool visible = window->isVisible();
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a flag hides a shown window; put it back where it was.
    window->setGeometry(geometry);
    if (visible)
        window->show();
}

}  // namespace

QWidget *mainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmRecept"))
            return w;
    return nullptr;
}

void keepBoxesOff(QWidget *window) { window->setProperty("keepBoxesOff", true); }

bool boxesKeptOff(const QWidget *window) { return window->property("keepBoxesOff").toBool(); }

QuietWait::QuietWait(int boundMs, std::function<bool()> done) : m_boundMs(boundMs), m_done(std::move(done))
{
    m_bound.setSingleShot(true);
    connect(&m_bound, &QTimer::timeout, &m_loop, &QEventLoop::quit);
}

QuietWait::~QuietWait()
{
    for (const QPointer<QObject> &w : std::as_const(m_watched))
        if (w)
            w->removeEventFilter(this);
}

void QuietWait::pause(int ms) { QuietWait(ms, {}).run(); }

void QuietWait::askAfterEventsOf(QObject *watched)
{
    if (!watched)
        return;
    watched->installEventFilter(this);
    m_watched.append(watched);
}

void QuietWait::askAgain()
{
    if (m_asking || !m_done)
        return;
    m_asking = true;
    // Queued: the event or signal that called it is handled whole first (a
    // paint is on the screen, an activation complete).
    QMetaObject::invokeMethod(
        &m_loop,
        [this] {
            m_asking = false;
            if (m_done())
                m_loop.quit();
        },
        Qt::QueuedConnection);
}

bool QuietWait::eventFilter(QObject *watched, QEvent *event)
{
    askAgain();
    return QObject::eventFilter(watched, event);
}

bool QuietWait::run()
{
    const auto holds = [this] { return m_done && m_done(); };
    if (holds() || m_boundMs <= 0)
        return holds();
    m_bound.start(m_boundMs);
    m_loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_bound.stop();
    return holds();
}

bool waitUntilActive(QWidget *window, int boundMs)
{
    if (!window->isVisible())
        return false;
    const QPointer<QWidget> shown = window;
    QuietWait wait(boundMs, [shown] {
        return shown && shown->isActiveWindow() && shown->windowHandle() && shown->windowHandle()->isExposed();
    });
    // The activation reaches the widget, the exposure its native window.
    wait.askAfterEventsOf(window);
    wait.askAfterEventsOf(window->windowHandle());
    return wait.run();
}

void PlayClick(const Session &s, Services &svc)
{
    if (s.app.geluidAan)
        svc.playSound(paths::file(QStringLiteral("Sounds/ploc.wav")), true);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
        onClick();
}

QColor MainBackColor()
{
    if (QWidget *w = mainWindow())
        return w->palette().color(QPalette::Window);
    return QColor::fromRgb(RgbWindowBack);
}

void applyMainBackColor(QWidget *window)
{
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, MainBackColor());
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

namespace {

bool isTextBox(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w)
           || qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w);
}

}  // namespace

void SetFormOnTop(QWidget *window) { setOnTop(window, true); }
void SetFormNotOnTop(QWidget *window) { setOnTop(window, false); }

void ToonOnderConstructie()
{
    services().msgBox(QStringLiteral("Onder constructie!"), mb::Exclamation, QStringLiteral("Mededeling!"));
}

void ShowHelpTopic(const QString &topic, QWidget *)
{
    if (topic.trimmed().isEmpty())
        return;
    services().showHelp(topic);
}

void PasKleurAan(QWidget *window)
{
    if (!window)
        return;
    const QColor back = MainBackColor();
    QPalette p = window->palette();
    p.setColor(QPalette::Window, back);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (isTextBox(child))
            continue;
        // The parts inside a combo box or a text box follow their owner.
        if (qobject_cast<QLineEdit *>(child->parentWidget()) || qobject_cast<QComboBox *>(child->parentWidget()))
            continue;
        QPalette cp = child->palette();
        cp.setColor(QPalette::Window, back);
        cp.setColor(QPalette::Button, back);
        if (qobject_cast<QComboBox *>(child))
            cp.setColor(QPalette::Base, back);
        child->setPalette(cp);
    }
}

void AddBitmapToMenu(QMainWindow *window, long menuIndex, long itemIndex, const QPixmap &unchecked,
                     const QPixmap &checked)
{
    if (!window || !window->menuBar())
        return;
    QList<QAction *> menus;
    for (QAction *a : window->menuBar()->actions())
        if (a->isVisible() && a->menu())
            menus << a;
    if (menuIndex < 0 || menuIndex >= menus.size())
        return;
    QList<QAction *> items;
    for (QAction *a : menus[int(menuIndex)]->menu()->actions())
        if (a->isVisible())
            items << a;
    if (itemIndex < 0 || itemIndex >= items.size())
        return;
    QIcon icon;
    icon.addPixmap(unchecked, QIcon::Normal, QIcon::Off);
    icon.addPixmap(checked, QIcon::Normal, QIcon::On);
    items[int(itemIndex)]->setIcon(icon);
}

QString fittedText(const QString &text, const QFontMetrics &metrics, int width)
{
    // Of a text longer than the room in pixels only that many characters of
    // each end are measured (a visible letter takes a pixel at least), so a
    // name of megabytes costs no more than one that just overflows.
    return metrics.elidedText(middleCut(text, width), Qt::ElideMiddle, width);
}

QString fittedCaption(const QString &caption, const QFontMetrics &metrics, int width)
{
    // Cut and measured as shown, then each "&" doubled: a cut never falls
    // between the two halves of a doubled "&", and a name full of "&" is not
    // measured at twice its width.
    return literalAmpersands(fittedText(caption, metrics, width));
}

QString fittedWindowTitle(const QString &title)
{
    // Fifty letters of each end: a title bar of a dialog's width shows about
    // as many, and a name that long still shows its start and its end.
    constexpr qsizetype Keep = 50;
    return middleCut(title, Keep);
}

int titleRoom(const QGroupBox *frame) { return frame->width() - 2 * frame->fontMetrics().averageCharWidth(); }

void setFittedTitle(QGroupBox *frame, const QString &caption)
{
    frame->setTitle(fittedCaption(caption, frame->fontMetrics(), titleRoom(frame)));
}

}  // namespace mostarium

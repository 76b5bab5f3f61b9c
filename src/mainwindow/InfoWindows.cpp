#include "InfoWindows.h"
#include "platform/WindowRoutines.h"

#include "frmInfo.h"

#include "core/Ini.h"
#include "core/LinkFiles.h"
#include "core/Paths.h"
#include "core/ZymSettings.h"
#include "platform/WindowRegistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace mostarium {

namespace {

const QString TileName = QStringLiteral("bgTile");

// Paints the chosen picture tiled under the main window's contents; the
// palette colour stays, so the other windows still copy the plain colour.
class BackgroundTile : public QObject {
public:
    explicit BackgroundTile(QWidget *window) : QObject(window), m_window(window)
    {
        setObjectName(TileName);
        window->installEventFilter(this);
    }

    QPixmap pixmap;

    // What shows the background: the central widget of a main window.
    QWidget *target() const
    {
        if (auto *mw = qobject_cast<QMainWindow *>(m_window); mw && mw->centralWidget())
            return mw->centralWidget();
        return m_window;
    }

    void repaint()
    {
        QWidget *t = target();
        if (t != m_window)
            t->installEventFilter(this);
        m_window->update();
        t->update();
    }

protected:
    bool eventFilter(QObject *obj, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !pixmap.isNull() && obj == target()) {
            auto *w = static_cast<QWidget *>(obj);
            QPainter p(w);
            p.drawTiledPixmap(w->rect(), pixmap);
        } else if (event->type() == QEvent::LayoutRequest && obj == m_window && target() != m_window) {
            target()->installEventFilter(this);
        }
        return false;
    }

private:
    QWidget *m_window;
};

BackgroundTile *tileOf(const QWidget *window, bool create)
{
    if (!window)
        return nullptr;
    for (QObject *o : window->children())
        if (o->objectName() == TileName)
            if (auto *t = dynamic_cast<BackgroundTile *>(o))
                return t;
    return create ? new BackgroundTile(const_cast<QWidget *>(window)) : nullptr;
}

}  // namespace

void showTips() { windows().show(QStringLiteral("frmTip")); }
void showAbout() { windows().show(QStringLiteral("frmInfo")); }
void showRegistreer() { windows().show(QStringLiteral("frmRegistreer")); }
void showBackgroundChooser() { windows().show(QStringLiteral("frmAchtergrond")); }

QWidget *showSplash()
{
    auto *info = windows().load<frmInfo>(QStringLiteral("frmInfo"));
    if (!info)
        return nullptr;
    info->showAsSplash();
    return info;
}

void splashNotOnTop()
{
    if (auto *info = windows().find<frmInfo>(QStringLiteral("frmInfo")))
        info->setOnTop(false);
}

void closeSplash() { windows().unload(QStringLiteral("frmInfo")); }

bool setTilePicture(QWidget *window, const QString &file)
{
    QPixmap pix;
    if (!file.isEmpty() && !pix.load(file))
        return false;
    if (BackgroundTile *tile = tileOf(window, !pix.isNull())) {
        tile->pixmap = pix;
        tile->repaint();
    }
    return true;
}

QPixmap tilePicture(const QWidget *window)
{
    const BackgroundTile *tile = tileOf(window, false);
    return tile ? tile->pixmap : QPixmap();
}

void TileForm(QWidget *window)
{
    if (BackgroundTile *tile = tileOf(window, false))
        tile->repaint();
}

void applyBackground(QWidget *window)
{
    const QString stored = zymPath(QStringLiteral("Background"), QStringLiteral("PicFile"));
    if (!stored.isEmpty() && ExistFile(stored))
        setTilePicture(window, stored);
    TileForm(window);
}

}  // namespace mostarium

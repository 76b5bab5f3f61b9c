#include "frmRecept.h"

#include "BrewMode.h"
#include "InfoWindows.h"
#include "Layout.h"
#include "ScheduleView.h"
#include "StatusBarView.h"
#include "core/Optimisers.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace mostarium {

frmRecept::frmRecept(QWidget *parent) : frmRecept(session(), parent) {}

frmRecept::frmRecept(Session &s, QWidget *parent) : QMainWindow(parent), m_s(s)
{
    setObjectName(QStringLiteral("frmRecept"));
    setWindowTitle(QStringLiteral("Wortkamer   -   ") + m_s.recipe.Revision);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(RgbWindowBack));
    setPalette(pal);
    setAutoFillBackground(true);
    // The twips layout suits a small dialog font; rows are 16 pixels.
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);

    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("frmRecept_Achtergrond"));
    m_area->setContextMenuPolicy(Qt::PreventContextMenu);
    m_area->installEventFilter(this);
    setCentralWidget(m_area);

    m_view = std::make_unique<ScheduleView>(m_area);
    for (const QString &name : m_view->frameNames())
        m_view->frame(name)->installEventFilter(this);

    m_pgbDownload = new QProgressBar(m_area);
    m_pgbDownload->setObjectName(QStringLiteral("pgbDownload"));
    m_pgbDownload->setTextVisible(false);
    m_pgbDownload->hide();
    ScheduleView::place(m_pgbDownload, 450, 8050, 13995, 240);

    m_status = std::make_unique<StatusBarView>(statusBar());

    // The recalculation drops an open sparge dialog's unconfirmed edits.
    if (!m_s.closeSpargeWindow)
        m_s.closeSpargeWindow = [] { windows().unload(QStringLiteral("frmSpoelen")); };
    // A dialog's successor opens as its menu command would open it.
    m_s.openDialog = [this](const QString &name) { openWindow(name, true); };

    m_tmrAutoSave = new QTimer(this);
    m_tmrAutoSave->setObjectName(QStringLiteral("tmrAutoSave"));
    m_tmrAutoSave->setInterval(60000);

    buildMenus();
    buildToolbar();
    defineCommands();
    defineOptions();
    updateCommands();
    syncChecks();
    ToonVerkortMenu(false);

    // Other windows change the session too (a dialog's OK): the window shows
    // it once the change is complete, however many steps it took.
    connect(&m_s.events(), &SessionSignals::viewChanged, this, &frmRecept::scheduleRefresh);
    connect(&m_s.events(), &SessionSignals::appChanged, this, &frmRecept::scheduleRefresh);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, [this] { m_status->tick(); });
    m_clock->start();

    resize(layout::px(15000), layout::px(9400));
    // Never so small that the menus, the toolbar, the status bar and the
    // frames' headings are out of reach.
    setMinimumSize(640, 480);
    refreshView();
}

frmRecept::~frmRecept() { m_s.openDialog = nullptr; }

void frmRecept::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_refreshPending)
                refreshView();
        },
        Qt::QueuedConnection);
}

void frmRecept::refreshView()
{
    m_refreshPending = false;
    syncChecks();
    m_shownRevision = m_s.view.revision;
    m_view->refresh(m_s.view);
    m_status->refresh(m_s.view);
}

void frmRecept::syncChecks()
{
    // The menu mirrors the application state; it does not store it.
    if (QAction *a = action(QStringLiteral("mnuDubBrouw")); a && a->isChecked() != m_s.app.dubbelBrouw)
        a->setChecked(m_s.app.dubbelBrouw);
    if (QAction *a = action(QStringLiteral("mnuBeerSounds")); a && a->isChecked() != m_s.app.geluidAan)
        a->setChecked(m_s.app.geluidAan);
    const std::pair<const char *, bool> options[] = {
        {"mnuSpoelcurveRecept", m_s.app.spoelcurveRecept},
        {"mnuOpenBestandbijOpstarten", m_s.app.openBestandBijOpstarten},
        {"mnuAutoSaveOn", m_s.app.autoSaveAan},
        {"mnuVerkort", m_s.app.verkortMenu},
    };
    for (const auto &[name, on] : options)
        if (QAction *a = action(QLatin1String(name)); a && a->isChecked() != on)
            a->setChecked(on);
}

void frmRecept::afterCommand() { refreshView(); }

void frmRecept::Form_Resize()
{
    // The chosen background picture is tiled over the new size.
    TileForm(this);
    layout::ResizeInput in;
    const QRect outer = frameGeometry();
    in.W = outer.width() * layout::TwipsPerPixel;
    in.H = outer.height() * layout::TwipsPerPixel;
    in.SH = m_area->height() * layout::TwipsPerPixel;
    in.dubbel = m_s.app.dubbelBrouw;
    QGroupBox *bs = m_view->frame(QStringLiteral("fraBrouwSchema"));
    QGroupBox *ev = m_view->frame(QStringLiteral("fraEvaluatie"));
    in.brouwSchemaHeight = bs->height() * layout::TwipsPerPixel;
    const layout::ResizeResult r = layout::FormResize(in);
    if (r.panelWidths)
        m_status->setWidths(*r.panelWidths);
    ScheduleView::move(bs, r.brouwSchemaLeft, r.brouwSchemaTop);
    ScheduleView::move(ev, r.evaluatieLeft, r.evaluatieTop);
    m_pgbDownload->move(ev->x(), m_pgbDownload->y());
}

void frmRecept::PasGUIAanBrouwType()
{
    const layout::BrouwTypeLayout l = layout::brouwTypeLayout(m_s.app.dubbelBrouw);
    syncChecks();
    // Captions and visibility go through the display model, also when the
    // window is maximised and cannot take the new size.
    ApplyBrouwTypeToView(m_s);
    ScheduleView::setHeight(m_view->frame(QStringLiteral("fraBrouwSchema")), l.brouwSchemaHeight);
    QGroupBox *ev = m_view->frame(QStringLiteral("fraEvaluatie"));
    ScheduleView::move(ev, ev->x() * layout::TwipsPerPixel, l.evaluatieTop);
    ScheduleView::move(m_pgbDownload, ev->x() * layout::TwipsPerPixel, l.pgbDownloadTop);
    refreshView();

    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
        resize(layout::px(l.windowWidth), layout::px(l.windowHeight));
        if (QScreen *screen = this->screen()) {
            const QRect avail = screen->geometry();
            const QSize frame = frameGeometry().size();
            const layout::Point p = layout::centred(avail.width(), avail.height(), frame.width(), frame.height());
            move(avail.x() + int(p.left), avail.y() + int(p.top));
        }
    }
    if (QLayout *lay = layout())
        lay->activate();
    Form_Resize();
}

void frmRecept::mnuDubBrouw_Click()
{
    if (refuseWhileOptimising(m_s))
        return;
    // Dialogs laid out for one beer or two would check boxes the brewer cannot
    // see, or store never-filled ones over the second beer's data: they close
    // unstored.
    windows().unloadAll({QStringLiteral("frmDoelstellingen"), QStringLiteral("frmGistKeuze"),
                         QStringLiteral("frmToevoegingen"), QStringLiteral("frmEvaluatie"),
                         QStringLiteral("frmHopgift2")});
    SwitchBrouwType(m_s, [this] { PasGUIAanBrouwType(); });
    afterCommand();
}

void frmRecept::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmRecept::closeEvent(QCloseEvent *event)
{
    if (m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    emit closing();
    QMainWindow::closeEvent(event);
}

}  // namespace mostarium

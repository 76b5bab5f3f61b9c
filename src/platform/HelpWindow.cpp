#include "HelpWindow.h"

#include "WindowRoutines.h"

#include "core/Cp1252.h"
#include "core/Paths.h"
#include "core/Services.h"
#include "core/WholeFile.h"

#include <QKeyEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace mostarium {

namespace {
QPointer<HelpWindow> g_help;
}  // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)), m_back(new QToolButton(this)),
      m_forward(new QToolButton(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Mostarium Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    // Links between topic pages stay in this window and are read the way the
    // pages are stored; web addresses go to the desktop.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        const QString scheme = url.scheme().toLower();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
            services().openUrl(url.toString());
        else if (!url.fileName().isEmpty())
            open(url.fileName());
        else if (url.hasFragment())
            m_browser->scrollToAnchor(url.fragment());
    });
    m_browser->setSearchPaths({paths::file(QStringLiteral("Help/x")).chopped(2)});

    m_back->setObjectName(QStringLiteral("cmdHelpTerug"));
    m_back->setText(QStringLiteral("Terug"));
    m_back->setToolTip(QStringLiteral("Vorige pagina (Alt+Links)"));
    m_back->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_back->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_forward->setObjectName(QStringLiteral("cmdHelpVooruit"));
    m_forward->setText(QStringLiteral("Vooruit"));
    m_forward->setToolTip(QStringLiteral("Volgende pagina (Alt+Rechts)"));
    m_forward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_forward->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_back, &QToolButton::clicked, this, &HelpWindow::back);
    connect(m_forward, &QToolButton::clicked, this, &HelpWindow::forward);
    // The browser would take Alt+Left and Alt+Right for a history it does not
    // keep here; Escape is taken here first, whatever the browser makes of it.
    m_browser->installEventFilter(this);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 4, 4, 0);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addStretch();
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addLayout(bar);
    lay->addWidget(m_browser);
    resize(720, 560);
    updateButtons();
}

HelpWindow *HelpWindow::instance() { return g_help; }

bool HelpWindow::windowKey(QKeyEvent *event)
{
    // Escape closes the window, as it closes every other window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return true;
    }
    if (event->modifiers() != Qt::AltModifier)
        return false;
    if (event->key() == Qt::Key_Left)
        back();
    else if (event->key() == Qt::Key_Right)
        forward();
    else
        return false;
    return true;
}

bool HelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_browser && event->type() == QEvent::KeyPress && windowKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::keyPressEvent(QKeyEvent *event)
{
    if (!windowKey(event))
        QWidget::keyPressEvent(event);
}

void HelpWindow::showPage(const QString &page)
{
    if (g_help && !g_help->isVisible())
        g_help->deleteLater();  // closed: the next opening starts a new history
    if (!g_help || !g_help->isVisible())
        g_help = new HelpWindow;
    g_help->open(page);
    if (!g_help->m_placed) {
        // Where every window of the program first stands: over the main window.
        g_help->m_placed = true;
        QRect over;
        if (QWidget *main = mainWindow(); main && main->isVisible())
            over = main->frameGeometry();
        else if (QScreen *screen = QGuiApplication::primaryScreen())
            over = screen->availableGeometry();
        QRect r(QPoint(0, 0), g_help->frameGeometry().size());
        r.moveCenter(over.center());
        g_help->move(r.topLeft());
    }
    g_help->show();
    g_help->raise();
    g_help->activateWindow();
}

void HelpWindow::open(const QString &page)
{
    // A new page drops the pages one went back from.
    if (m_pos >= 0 && m_history.value(m_pos) == page) {
        load(page);
        return;
    }
    m_history = m_history.mid(0, m_pos + 1);
    m_history << page;
    m_pos = int(m_history.size()) - 1;
    load(page);
}

void HelpWindow::back()
{
    if (m_pos <= 0)
        return;
    load(m_history.at(--m_pos));
}

void HelpWindow::forward()
{
    if (m_pos + 1 >= m_history.size())
        return;
    load(m_history.at(++m_pos));
}

void HelpWindow::load(const QString &page)
{
    const QString path = paths::file(QStringLiteral("Help/") + page);
    QByteArray bytes;
    if (readWholeFile(path, MaxTextFileSize, bytes) == FileRead::Ok) {
        m_browser->setHtml(cp1252::decode(bytes));
        m_browser->setSource(QUrl(), QTextDocument::HtmlResource);
        m_browser->document()->setMetaInformation(QTextDocument::DocumentUrl, QUrl::fromLocalFile(path).toString());
    } else {
        m_browser->setHtml(
            QStringLiteral("<p>Het helponderwerp <b>%1</b> is niet gevonden.</p>").arg(page.toHtmlEscaped()));
    }
    setProperty("page", page);
    updateButtons();
}

void HelpWindow::updateButtons()
{
    m_back->setEnabled(m_pos > 0);
    m_forward->setEnabled(m_pos + 1 < m_history.size());
}

QString HelpWindow::currentPage() const { return property("page").toString(); }

}  // namespace mostarium

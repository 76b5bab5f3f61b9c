#include "HelpWindow.h"

#include "core/Cp1252.h"
#include "core/Paths.h"
#include "core/Services.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace mostarium {

namespace {
QPointer<HelpWindow> g_help;
} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
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
            showPage(url.fileName());
        else if (url.hasFragment())
            m_browser->scrollToAnchor(url.fragment());
    });
    m_browser->setSearchPaths({paths::file(QStringLiteral("Help/x")).chopped(2)});
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_browser);
    resize(720, 560);
}

void HelpWindow::showPage(const QString &page)
{
    if (!g_help)
        g_help = new HelpWindow;
    const QString path = paths::file(QStringLiteral("Help/") + page);
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        g_help->m_browser->setHtml(cp1252::decode(f.readAll()));
        g_help->m_browser->setSource(QUrl(), QTextDocument::HtmlResource);
        g_help->m_browser->document()->setMetaInformation(QTextDocument::DocumentUrl,
                                                           QUrl::fromLocalFile(path).toString());
    } else {
        g_help->m_browser->setHtml(QStringLiteral("<p>Het helponderwerp <b>%1</b> is niet gevonden.</p>")
                                       .arg(page.toHtmlEscaped()));
    }
    g_help->setProperty("page", page);
    g_help->show();
    g_help->raise();
    g_help->activateWindow();
}

QString HelpWindow::currentPage() const { return property("page").toString(); }

} // namespace mostarium

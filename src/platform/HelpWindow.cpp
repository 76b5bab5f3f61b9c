#include "HelpWindow.h"

#include "core/Cp1252.h"
#include "core/Paths.h"

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
    m_browser->setOpenExternalLinks(true);
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

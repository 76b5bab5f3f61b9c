#pragma once

#include <QWidget>

class QTextBrowser;

namespace mostarium {

// The program's own help: the Dutch topic pages in the program folder's Help.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    // Shows `page` ("MI_R_Doelstellingen.htm") in the one help window.
    static void showPage(const QString &page);
    QString currentPage() const;

private:
    QTextBrowser *m_browser;
};

} // namespace mostarium

#pragma once

#include <QStringList>
#include <QWidget>

class QKeyEvent;
class QTextBrowser;
class QToolButton;

namespace mostarium {

// The program's own help: the Dutch topic pages in the program folder's Help,
// with back and forward (buttons, Alt+Left, Alt+Right) as any help viewer has;
// Escape closes it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    // Shows `page` ("MI_R_Doelstellingen.htm") in the one help window.
    static void showPage(const QString &page);
    // The one help window, or nullptr.
    static HelpWindow *instance();
    QString currentPage() const;

    void back();
    void forward();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool windowKey(QKeyEvent *event);
    void open(const QString &page);
    void load(const QString &page);
    void updateButtons();

    QTextBrowser *m_browser;
    QToolButton *m_back;
    QToolButton *m_forward;
    QStringList m_history;
    int m_pos = -1;
    bool m_placed = false;
};

}  // namespace mostarium

#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QTimer;
class QToolBar;

namespace mostarium {

struct Session;
class ScheduleView;
class StatusBarView;

// The main window: the brewing schedule and evaluation of the open recipe, the
// status bar, and every command of the program through its menus, toolbar and
// right-click shortcuts.
class frmRecept : public QMainWindow {
    Q_OBJECT
public:
    explicit frmRecept(Session &s, QWidget *parent = nullptr);
    explicit frmRecept(QWidget *parent = nullptr);
    ~frmRecept() override;

    // ---- Commands ------------------------------------------------------
    // A menu item by name ("mnuOpen"), or nullptr.
    QAction *action(const QString &name) const;
    // Gives a command its work and enables it; replaces the work a command
    // had. Used by the units that own a command's procedure. A name that is
    // no menu item throws std::invalid_argument.
    void setCommand(const QString &name, std::function<void()> handler);
    // Enables the commands whose window has been registered since; call after
    // registering window factories when the main window already exists.
    void updateCommands();
    // Runs a command as a click on its menu item would: nothing when the item
    // does not exist or is disabled. Returns whether it ran.
    bool runCommand(const QString &name);

    // Toolbar1_ButtonClick with the clicked button's key.
    void Toolbar1_ButtonClick(const QString &key);
    // The targets dialog, prepared for the brew mode (the general-data
    // dialog's OK goes on here in wizard mode).
    void mnuDoel_Click();
    void mnuDubBrouw_Click();

    // ---- Layout --------------------------------------------------------
    void PasGUIAanBrouwType();
    void Form_Resize();
    void ToonVerkortMenu(bool verkort);
    // Copies the display model into the window; the session's change signals
    // do the same once the event loop is reached (another window's OK).
    void refreshView();
    // The display model shown last.
    quint64 shownRevision() const { return m_shownRevision; }

    QTimer *tmrAutoSave() const { return m_tmrAutoSave; }
    QProgressBar *pgbDownload() const { return m_pgbDownload; }
    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

signals:
    // The window closes for good (its close guard let it): work under way
    // that outlives a click ends now.
    void closing();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Command {
        std::function<void()> handler;
        QString window;  // the window whose registration enables it
        bool wired = false;
    };

    // MainMenus.cpp
    void buildMenus();
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, const QKeySequence &key = {});
    void addSeparator(QMenu *menu, const QString &name);
    // MainToolbar.cpp
    void buildToolbar();
    // Commands.cpp
    void defineCommands();
    void defineWindowCommand(const QString &name, const QString &window, std::function<void()> handler = {});
    void defineCommand(const QString &name, std::function<void()> handler);
    // Opens a window of the catalogue: refused for a recipe dialog while an
    // optimiser runs; `prepared` runs its preparation for the brew mode.
    bool openWindow(const QString &window, bool prepared);
    // As its menu item does: the window's guard first.
    void openFromCommand(const QString &window);
    void mnuWizard_Click();
    void mnuHInhoudsopgave_Click();
    void mnuKosten_Click();
    void rightClick(QObject *target, const QPoint &globalPos);
    // Options.cpp
    void defineOptions();
    void toggleOption(const QString &name);
    void attachMenuPictures(bool verkort);

    void afterCommand();
    void syncChecks();
    void scheduleRefresh();

    Session &m_s;
    std::unique_ptr<ScheduleView> m_view;
    std::unique_ptr<StatusBarView> m_status;
    QWidget *m_area = nullptr;
    QToolBar *m_toolbar = nullptr;
    QProgressBar *m_pgbDownload = nullptr;
    QTimer *m_tmrAutoSave = nullptr;
    QTimer *m_clock = nullptr;
    QHash<QString, QMenu *> m_menus;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QAction *> m_buttons;  // toolbar buttons by key
    QHash<QString, Command> m_commands;
    std::function<bool()> m_closeGuard;
    quint64 m_shownRevision = ~quint64(0);
    bool m_refreshPending = false;
};

}  // namespace mostarium

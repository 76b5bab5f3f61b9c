#pragma once

#include <QObject>
#include <QSet>
#include <QString>

namespace mostarium {

class frmRecept;
struct Session;

// How a save that a command asked for ended.
enum class SaveAsResult {
    Saved,
    Cancelled,      // the file dialog (or the ".xml" question) was cancelled
    Failed,         // nothing was written: a read-only target or a failed write
    NothingToSave,  // the recipe has no part at all
};

inline const QString VraagOpslaanTekst =
    QStringLiteral("Huidige recept kan gewijzigd zijn! Wilt U het recept Opslaan?");
inline const QString ZlvFilter = QStringLiteral("ZLV files (*.zlv);;All files (*.*)");
inline const QString XmlFilter = QStringLiteral("XML files (*.xml);;All files (*.*)");

// The file menu's commands on the main window and its session: New, Open,
// Save, Save As, the read-only marking, the autosave tick, Exit and the recent
// files. One instance per main window, a child of it (fileCommands()).
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(frmRecept &w, Session &s);

    void mnuNieuw_Click();
    void mnuOpen_Click();
    SaveAsResult mnuOpslaan_Click();
    SaveAsResult mnuOpslaanAls_Click();
    void mnuReadOnly_Click();
    // Import of a recipe exchange file: true when a recipe came in.
    bool mnuImportXML_Click();
    void tmrAutoSave_Timer();
    // Exit: false when the program goes on (a refused or stopped exit).
    bool mnuAfsluiten_Click();

    // The recent files: entry n (1..4) opened; the open recipe put at the
    // head of the list with the menu captions following; the captions of
    // the list as it stands.
    bool OpenFileHistoryEntry(int n);
    void UpdateFileHistory();
    void showFileHistoryCaptions();

    // Opens `path` as every open does: read, lay out, recalculate, and on
    // success the path in the status bar and at the head of the recent files.
    bool openFile(const QString &path);

    // The save prompt for a changed recipe: true when the command may go on
    // (unchanged, "No", or saved), false when the user asked to save and the
    // save did not happen.
    bool VraagOpslaan();

    // The window's close box: the same steps as Exit.
    bool closeGuard();

    // The autosave copy beside `path`: the name before its ".zlv" extension
    // (any letter case) with "_AutoSave" and the same extension; empty when
    // the file name has no such extension.
    static QString autoSaveName(const QString &path);

private:
    class AutoSaveBracket;
    bool autoSaveOn() const;
    void setReceptPath(const QString &file);
    void writeReceptPath();
    void playSound(const QString &relative);
    bool exitSteps();
    void closeEverything();

    frmRecept &m_w;
    Session &m_s;
    int m_bracketDepth = 0;
    bool m_exiting = false;
    // Autosave copies this session may replace (written by it, or agreed to)
    // and those the brewer kept (no copy is written there).
    QSet<QString> m_ownCopies, m_refusedCopies;
};

// The main window's file commands, made on first use.
FileCommands &fileCommands(frmRecept &w, Session &s);

}  // namespace mostarium

#include "FileCommands.h"

#include "platform/WindowRoutines.h"

#include "OpenRecept.h"
#include "ResetRecept.h"
#include "frmRecept.h"

#include "core/FileHistory.h"
#include "core/Ini.h"
#include "core/LinkFiles.h"
#include "core/Optimisers.h"
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/RecipeLimits.h"
#include "core/RecipeFile.h"
#include "core/Regional.h"
#include "core/ScheduleDisplay.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"
#include "core/ZymSettings.h"
#include "output/XmlImport.h"
#include "platform/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <exception>

namespace mostarium {

namespace {
const QString Attentie = QStringLiteral("Attentie!");
const QString AlleenLezen = QStringLiteral("  (Alleen lezen!) ");

// The read-only rule of the recipe file code: an existing file without write
// permission for its owner.
bool isReadOnlyFile(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() && !(fi.permissions() & QFileDevice::WriteOwner);
}

std::int32_t attributesOf(const QString &path) { return isReadOnlyFile(path) ? 1 : 0; }

QString autoSaveReplaceText(const QString &copy)
{
    return replaceQuestionText(copy)
           + QStringLiteral("\r\nDe automatische kopie van het open recept wordt onder deze naam bewaard. Bij Nee "
                            "wordt er in deze sessie geen automatische kopie van dit recept gemaakt.");
}

// Puts a value back when the scope ends, also by an exception.
template <typename T>
class Restore {
public:
    Restore(T &target, T value) : m_target(target), m_value(std::move(value)) {}
    ~Restore() { m_target = std::move(m_value); }
    Restore(const Restore &) = delete;
    Restore &operator=(const Restore &) = delete;

private:
    T &m_target;
    T m_value;
};
}  // namespace

// Open, Save, Save As and the tick keep the autosave timer still while they
// work; nested brackets (Save running Save As) restart it once, at the end of
// the outermost.
class FileCommands::AutoSaveBracket {
public:
    explicit AutoSaveBracket(FileCommands &f) : m_f(f)
    {
        if (m_f.m_bracketDepth++ == 0 && m_f.autoSaveOn())
            m_f.m_w.tmrAutoSave()->stop();
    }
    ~AutoSaveBracket()
    {
        if (--m_f.m_bracketDepth == 0 && m_f.autoSaveOn())
            m_f.m_w.tmrAutoSave()->start();
    }
    AutoSaveBracket(const AutoSaveBracket &) = delete;
    AutoSaveBracket &operator=(const AutoSaveBracket &) = delete;

private:
    FileCommands &m_f;
};

FileCommands::FileCommands(frmRecept &w, Session &s) : QObject(&w), m_w(w), m_s(s)
{
    setObjectName(QStringLiteral("FileCommands"));
    connect(w.tmrAutoSave(), &QTimer::timeout, this, &FileCommands::tmrAutoSave_Timer);
    w.setCloseGuard([this] { return closeGuard(); });
}

FileCommands &fileCommands(frmRecept &w, Session &s)
{
    if (auto *f = w.findChild<FileCommands *>(QString(), Qt::FindDirectChildrenOnly))
        return *f;
    return *new FileCommands(w, s);
}

bool FileCommands::autoSaveOn() const { return m_s.app.autoSaveAan; }

void FileCommands::playSound(const QString &relative)
{
    if (m_s.app.geluidAan)
        services().playSound(paths::file(relative), true);
}

void FileCommands::writeReceptPath()
{
    keepZymPath(QStringLiteral("SysteemVariabelen"), QStringLiteral("ReceptPath"), m_s.recipe.ReceptPath);
}

void FileCommands::setReceptPath(const QString &file)
{
    m_s.recipe.ReceptPath = QFileInfo(file).absolutePath();
    writeReceptPath();
}

QString FileCommands::autoSaveName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.size() <= 4 || !name.endsWith(QStringLiteral(".zlv"), Qt::CaseInsensitive))
        return QString();
    return path.left(path.size() - 4) + QStringLiteral("_AutoSave") + path.right(4);
}

// ---------------------------------------------------------------- the prompt

bool FileCommands::VraagOpslaan()
{
    if (!m_s.recipe.ReceptGewijzigd)
        return true;
    if (services().msgBox(VraagOpslaanTekst, mb::YesNo, Attentie) != mb::Yes)
        return true;
    // Asked to save: the command goes on only when nothing is lost by it.
    const SaveAsResult r = mnuOpslaanAls_Click();
    return r == SaveAsResult::Saved || r == SaveAsResult::NothingToSave;
}

// ---------------------------------------------------------------- New, Open

void FileCommands::mnuNieuw_Click()
{
    if (refuseWhileOptimising(m_s) || !VraagOpslaan())
        return;
    ResetRecept(m_s);
    // No file is open any more, so nothing about it is read-only either.
    m_s.recipe.ReceptAttr = 0;
    m_w.PasGUIAanBrouwType();
    m_s.app.fileName.clear();
    m_s.app.fileSeen = {};
    m_s.view.panels[7].text.clear();
    m_s.viewChanged();
    m_w.refreshView();
}

void FileCommands::mnuOpen_Click()
{
    if (refuseWhileOptimising(m_s))
        return;
    AutoSaveBracket bracket(*this);
    if (!VraagOpslaan())
        return;
    const std::optional<QString> chosen =
        services().openFileName(QStringLiteral("Openen"), m_s.recipe.ReceptPath, ZlvFilter);
    // A cancelled dialog changes nothing: the open recipe keeps its path.
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    const QString path = *chosen;
    openFile(path);
    setReceptPath(path);
    PlayClick(m_s, services());
}

bool FileCommands::openFile(const QString &path)
{
    const bool ok = OpenRecept(m_s, path, [this] { m_w.PasGUIAanBrouwType(); });
    UpdateBrouwschema(m_s);
    if (ok) {
        m_s.view.panels[7].text = path;
        m_s.viewChanged();
        UpdateFileHistory();
    }
    m_w.refreshView();
    return ok;
}

// ---------------------------------------------------------------- Save, Save As

SaveAsResult FileCommands::mnuOpslaan_Click()
{
    AutoSaveBracket bracket(*this);
    const QString path = m_s.app.fileName;
    if (path.isEmpty() || isReadOnlyFile(path))
        return mnuOpslaanAls_Click();
    // A file deleted since it was opened is written anew.
    const SaveResult r = SaveRecept(m_s);
    m_w.refreshView();
    switch (r.outcome) {
    case SaveOutcome::Saved:
        return SaveAsResult::Saved;
    case SaveOutcome::Cancelled:
        return SaveAsResult::Cancelled;
    case SaveOutcome::Failed:
        break;
    }
    return SaveAsResult::Failed;
}

SaveAsResult FileCommands::mnuOpslaanAls_Click()
{
    AutoSaveBracket bracket(*this);
    // What the file would hold: a switch to double brew may leave no bit set
    // for a recipe of the first beer's targets alone.
    if (recipeFileStatus(m_s.recipe) < 1) {
        services().msgBox(QStringLiteral("Niets af te drukken of op te slaan!"), mb::Exclamation, Attentie);
        PlayClick(m_s, services());
        return SaveAsResult::NothingToSave;
    }
    const QString proposed =
        (m_s.recipe.ReceptNaam.isEmpty() ? QStringLiteral("Recept") : m_s.recipe.ReceptNaam) + QStringLiteral(".zlv");
    const QString start = m_s.recipe.ReceptPath.isEmpty() ? proposed : QDir(m_s.recipe.ReceptPath).filePath(proposed);
    const std::optional<QString> chosen = services().saveFileName(QStringLiteral("Opslaan als"), start, ZlvFilter);
    if (!chosen || chosen->trimmed().isEmpty())
        return SaveAsResult::Cancelled;
    QString path = *chosen;
    if (!QFileInfo(path).fileName().endsWith(QStringLiteral(".zlv"), Qt::CaseInsensitive))
        path += QStringLiteral(".zlv");
    if (isReadOnlyFile(path)) {
        services().msgBox(QStringLiteral("Read-only file! Geef unieke filename."), mb::Exclamation, Attentie);
        return SaveAsResult::Failed;
    }

    // The open recipe takes the new name only when it was written there. A
    // name the dialog did not confirm (the ".zlv" added to it) asks before it
    // replaces a file other than the open recipe's own.
    const QString old = m_s.app.fileName;
    m_s.app.fileName = path;
    const SaveResult r = SaveRecept(m_s, paths::sameFile(old, path) ? path : *chosen);
    if (r.outcome != SaveOutcome::Saved) {
        m_s.app.fileName = old;
        m_w.refreshView();
        return r.outcome == SaveOutcome::Cancelled ? SaveAsResult::Cancelled : SaveAsResult::Failed;
    }
    UpdateFileHistory();
    setReceptPath(m_s.app.fileName);
    m_w.refreshView();
    PlayClick(m_s, services());
    return SaveAsResult::Saved;
}

// ---------------------------------------------------------------- XML import

bool FileCommands::mnuImportXML_Click()
{
    if (refuseWhileOptimising(m_s))
        return false;
    AutoSaveBracket bracket(*this);
    if (!VraagOpslaan())
        return false;
    const std::optional<QString> chosen =
        services().openFileName(QStringLiteral("Importeer XML bestand"), m_s.recipe.ReceptPath, XmlFilter);
    if (!chosen || chosen->trimmed().isEmpty())
        return false;
    const QString path = *chosen;
    XmlImportResult imp;
    {
        BusyCursor busy;
        imp = importXmlFile(path);
    }
    // A file that cannot be read whole leaves the open recipe as it was.
    if (!imp.ok()) {
        const bool load = imp.outcome == XmlImportResult::Outcome::LoadFailed;
        services().msgBox(imp.message, load ? mb::OKOnly + mb::Exclamation : mb::OKOnly, AppTitle);
        return false;
    }
    // What Save could not write is not imported.
    if (const std::optional<QString> tooLarge = recipeFileRefusal(m_s, imp.recipe, path)) {
        services().msgBox(*tooLarge, mb::OKOnly, AppTitle);
        return false;
    }
    ResetRecept(m_s);
    applyXmlRecipe(m_s, imp.recipe);
    m_s.recipe.ReceptAttr = 0;
    m_s.app.dubbelBrouw = false;
    m_s.app.fileName = path;
    m_s.app.fileSeen = {};
    m_s.appChanged();
    m_w.PasGUIAanBrouwType();
    UpdateBrouwschema(m_s);
    m_s.view.panels[7].text = path;
    ShowBrouwschema(m_s);
    m_s.recipe.ReceptGewijzigd = false;
    m_s.viewChanged();
    m_s.recipeChanged();
    m_w.refreshView();
    // What the import could not take as the file meant it, and what the
    // dialogs would refuse, in one message, so that the brewer corrects it.
    if (const QString notice = importNotice(imp, m_s.recipe); !notice.isEmpty())
        services().msgBox(notice, mb::Exclamation, Attentie);
    return true;
}

// ---------------------------------------------------------------- read-only, autosave

void FileCommands::mnuReadOnly_Click()
{
    const QString path = m_s.app.fileName;
    if (path.size() <= 3 || !QFileInfo(path).isFile())
        return;
    m_s.recipe.ReceptAttr = attributesOf(path);
    if (!(m_s.recipe.ReceptAttr & 1)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup
                                        | QFileDevice::ReadOther);
        m_s.view.fraBrouwSchema.caption += AlleenLezen;
        m_s.viewChanged();
    }
    m_s.recipe.ReceptAttr = attributesOf(path);
    m_w.refreshView();
}

void FileCommands::tmrAutoSave_Timer()
{
    // Not while an optimiser holds the recipe half-way, nor in the middle of
    // another file command.
    if (m_s.app.optimiserBusy || m_bracketDepth > 0 || !autoSaveOn())
        return;
    AutoSaveBracket bracket(*this);
    const QString path = m_s.app.fileName;
    if (path.isEmpty() || !QFileInfo(path).isFile() || isReadOnlyFile(path))
        return;
    const QString copy = autoSaveName(path);
    if (copy.isEmpty() || m_refusedCopies.contains(copy))
        return;
    // A file of the copy's name that this session did not write (a copy from
    // an earlier session, a recipe of that name) is replaced only when the
    // brewer agrees, once; Nee keeps it and makes no copy of this recipe for
    // the rest of the session.
    if (!m_ownCopies.contains(copy) && !mayReplaceFile(copy, autoSaveReplaceText(copy))) {
        m_refusedCopies.insert(copy);
        return;
    }
    {
        // The copy is no save of the recipe: its path, what was seen of its
        // file, the path shown in panel 8 and the changed flag stay.
        Restore<QString> keepPath(m_s.app.fileName, path);
        Restore<FileSeen> keepSeen(m_s.app.fileSeen, m_s.app.fileSeen);
        Restore<QString> keepPanel(m_s.view.panels[7].text, m_s.view.panels[7].text);
        Restore<bool> keepChanged(m_s.recipe.ReceptGewijzigd, m_s.recipe.ReceptGewijzigd);
        m_s.app.fileName = copy;
        if (SaveRecept(m_s, copy).outcome == SaveOutcome::Saved)
            m_ownCopies.insert(copy);
    }
    m_w.refreshView();
}

// ---------------------------------------------------------------- Exit

bool FileCommands::exitSteps()
{
    if (refuseWhileOptimising(m_s) || !VraagOpslaan())
        return false;
    writeReceptPath();
    playSound(QStringLiteral("\\sounds\\exit.wav"));
    // Only this process's values: the user's own settings were never changed.
    if (!m_s.recipe.OrigDecimalSeparator.trimmed().isEmpty())
        SetRegionalSetting(LOCALE_SDECIMAL, m_s.recipe.OrigDecimalSeparator.trimmed());
    if (!m_s.recipe.OrigThousandSeparator.trimmed().isEmpty())
        SetRegionalSetting(LOCALE_STHOUSAND, m_s.recipe.OrigThousandSeparator.trimmed());
    return true;
}

void FileCommands::closeEverything()
{
    m_exiting = true;
    windows().unloadAll(windows().loadedNames());
    for (QWidget *t : QApplication::topLevelWidgets())
        if (t != &m_w && t->isVisible() && !(t->windowType() == Qt::Popup))
            t->close();
}

bool FileCommands::mnuAfsluiten_Click()
{
    if (!exitSteps())
        return false;
    closeEverything();
    m_w.close();
    return true;
}

bool FileCommands::closeGuard()
{
    if (m_exiting)
        return true;
    if (!exitSteps())
        return false;
    closeEverything();
    return true;
}

// ---------------------------------------------------------------- recent files

void FileCommands::showFileHistoryCaptions()
{
    for (int n = 1; n <= 4; ++n)
        if (QAction *a = m_w.action(QStringLiteral("mnu%1").arg(n)))
            a->setText(history::caption(n));
}

void FileCommands::UpdateFileHistory()
{
    try {
        if (history::UpdateFileHistory(m_s.app.fileName))
            showFileHistoryCaptions();
    } catch (const std::exception &) {
        // The list is a convenience; a failure leaves it as it was.
    }
}

bool FileCommands::OpenFileHistoryEntry(int n)
{
    if (refuseWhileOptimising(m_s))
        return false;
    QString path;
    const auto notFound = [&path] { services().msgBox(paths::fileNotFoundText(path), mb::Exclamation, Attentie); };
    try {
        path = history::entry(n);
        if (path.isEmpty())
            return false;
        // A folder or a pipe under the name is said as such, before the
        // save question: it would not open either way.
        if (const QString refusal = notAFileText(path); !refusal.isEmpty()) {
            services().msgBox(refusal, mb::Exclamation, Attentie);
            return false;
        }
        if (!ExistFile(path)) {
            notFound();
            return false;
        }
        if (path.size() <= 4 || !VraagOpslaan())
            return false;
        return openFile(path);
    } catch (const std::exception &) {
        notFound();
        return false;
    }
}

}  // namespace mostarium

#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The recipe file (".zlv"): sectioned key=value text, Windows-1252, CR LF.
// The writer produces the whole file from the recipe state (main part, the
// tasting words, the notes); the reader fills the recipe state from it.
namespace mostarium {

struct Session;

inline const QString OpenReceptFout = QStringLiteral("Fout in openen recept! Controleer inhoud bestand!");
inline const QString OpslaanFout =
    QStringLiteral("Er is een fout opgetreden tijdens het opslaan van het bestand!\r\nControleer recept en/of maak opnieuw.");
inline const QString XmlOpslaanTitel = QStringLiteral("Mostarium Alert!");
inline const QString XmlOpslaanVraag = QStringLiteral(
    "Attentie!!\r\n\r\nHet .xml recept wordt als .zlv bestand opgeslagen!\r\nIndien U het recept als .xml file wilt "
    "exporteren, annuleer deze opslag en gebruik Bestand - Afdrukken/Exporteren - Exporteer als .xml");

// The seven keys of [Kenmerken], in the order of RecipeState::Kenmerken.
inline constexpr const char *KenmerkenKeys[7] = {"Kleur", "Helderheid", "Schuim", "SchuimStabiliteit",
                                                 "Body",  "Mondgevoel", "Koolzuur"};

// ---- Writing ----

// The complete file as it is written. Throws CalcError when the state cannot
// be written (a part whose bit is set lacks its entries, a value that is not
// a finite number).
QByteArray recipeFileBytes(const Session &s);

// Writes the complete file to a device; false with a reason when the state
// cannot be written or the device fails.
bool writeRecipe(const Session &s, QIODevice &device, QString *error = nullptr);

// Replaces `path` by the complete file, whole or not at all; a read-only file
// is left alone. Touches nothing in the session.
bool writeRecipeFile(const Session &s, const QString &path, QString *error = nullptr);

// True when the file name's extension is ".xml" in any letter case.
bool hasXmlExtension(const QString &path);
// The same path with an ".xml" extension replaced by ".zlv"; the rest of the
// path keeps its letters as they are.
QString zlvFileName(const QString &path);

enum class SaveOutcome { Saved, Cancelled, Failed };
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    QString error;  // why it failed, for the log
};

// The complete save onto s.app.fileName, as Save, Save As and the autosave
// run it. An ".xml" name asks first (OK saves under the ".zlv" name and puts
// that in s.app.fileName; Cancel writes nothing). A written file clears
// ReceptGewijzigd and shows the path in status-bar panel 8; a failure shows
// OpslaanFout and leaves the old file, the flag and the panel as they were.
SaveResult SaveRecept(Session &s);

// Writes the seven tasting words of the state into the existing recipe file
// named by s.app.fileName, replacing the keys present. Only an existing,
// writable ".zlv" file is touched; false otherwise or when writing failed.
bool SaveKenmerken(const Session &s);

// ---- Reading ----

struct OpenResult {
    bool ok = false;
    QString error;                        // OpenReceptFout when !ok
    bool brouwGelezen = false;            // the targets named a brew mode: lay the window out
    bool systeemParametersVerschillen = false;  // ask the system-parameter question
};

// Reads a recipe file into the session. The recipe is emptied first
// (ResetReceptState) and filled only when the whole file reads well; the brew
// mode (s.app.dubbelBrouw) follows the file's targets, the frame captions the
// beer name, and the six stored system parameters are read and compared.
// On a damaged or missing file the result carries OpenReceptFout and the
// session holds an empty recipe with no file: s.app.fileName and panel 8 are
// cleared, so a later save cannot write over the file.
//
// The window layer completes the open: show the message when !ok; otherwise
// lay the window out for the brew mode when brouwGelezen, ask the question
// when systeemParametersVerschillen, then ShowBrouwschema when ReceptStatus
// is above 0 (see OpenRecept in the main window).
OpenResult readRecipeFile(Session &s, const QString &path);

// The same over bytes already read; `path` gives the recipe's name.
OpenResult readRecipe(Session &s, QByteArrayView bytes, const QString &path);

// Largest file and largest row count the reader accepts.
inline constexpr qint64 MaxRecipeFileSize = 4 * 1024 * 1024;
inline constexpr int MaxRecipeRows = 100;

} // namespace mostarium

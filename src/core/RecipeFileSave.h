#pragma once

#include <QString>

// Saving the open recipe as Save, Save As and the autosave do it.
namespace mostarium {

struct Session;

// True when the file name's extension is ".xml" in any letter case.
bool hasXmlExtension(const QString &path);
// The same path with an ".xml" extension replaced by ".zlv"; the rest of the
// path keeps its letters as they are.
QString zlvFileName(const QString &path);

enum class SaveOutcome { Saved, Cancelled, Failed };
struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    QString error;  // why it failed, in the user's words, as the message gives it
};

// The complete save onto s.app.fileName, as Save, Save As and the autosave
// run it. An ".xml" name asks first (OK saves under the ".zlv" name; Cancel
// writes nothing). `confirmed` names the file the brewer chose: the open
// recipe's own file or the name confirmed in a file dialog. Any other file
// that already stands where the save arrives (the ".zlv" name of an ".xml"
// file) is replaced only after the question replaceQuestionText; Nee ends the
// save as Cancel does. A recipe whose file would be larger than
// MaxRecipeFileSize is refused with saveTooLargeText. The confirmed file,
// when it changed on disk since this program read or wrote it (s.app.fileSeen),
// is replaced only after the question changedOnDiskQuestion; Nee ends the save
// as Cancel does. A written file clears ReceptGewijzigd, shows the path in
// status-bar panel 8, becomes s.app.fileName and s.app.fileSeen; a cancelled
// or failed save (a failure, also a full disk, shows saveFailedText with the
// file and the reason) leaves the old file, s.app.fileName, the flag and the
// panel as they were.
SaveResult SaveRecept(Session &s, QString confirmed);
// The same with s.app.fileName as the confirmed name.
SaveResult SaveRecept(Session &s);

// What became of keys set into the open recipe file: written, no recipe file
// to take them (none yet, an imported ".xml", one removed since), or a file
// that is there but could not be read or replaced, or that would grow above
// MaxRecipeFileSize (left as it was; the caller shows notWrittenText with the
// reason put in `why`). A file that holds the values already is not written
// again: Written. A write into the file as this program last saw it keeps
// s.app.fileSeen current.
enum class KeysSaved { Written, NoFile, Failed };

// Writes the seven tasting words of the state into the existing recipe file
// named by s.app.fileName, replacing the keys present, whole or not at all.
// Only an existing ".zlv" file is touched.
[[nodiscard]] KeysSaved SaveKenmerken(Session &s, QString *why = nullptr);
// One tasting word (0 = Kleur .. 6 = Koolzuur) the same way.
[[nodiscard]] KeysSaved SaveKenmerk(Session &s, int scale, QString *why = nullptr);
// The notes and their print choice into [Aantekeningen] of the same file, on
// the same terms; each line break of the notes is written as a blank, the
// state keeps them.
[[nodiscard]] KeysSaved SaveAantekeningen(Session &s, QString *why = nullptr);

}  // namespace mostarium

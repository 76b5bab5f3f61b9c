#pragma once

#include <QByteArray>
#include <QString>

// Whole files in and out. Every file the program writes goes through
// writeWholeFile; the small text files it reads (settings, tips, links,
// recipes) through readWholeFile.
namespace mostarium {

class Services;

// Far more than any settings, tips, link or recipe file of ours holds.
inline constexpr qint64 MaxTextFileSize = 4 * 1024 * 1024;

enum class FileRead {
    Ok,
    Missing,
    Folder,
    NotRegular,  // a pipe, a device: never opened, a pipe would block
    TooLarge,
    Unreadable,
};

// Reads `path` whole when it is a regular file of at most `maxBytes`.
// Anything else leaves `bytes` empty and says why.
FileRead readWholeFile(const QString &path, qint64 maxBytes, QByteArray &bytes);

// "<name> is een map en wordt niet gelezen!", "<name> is geen gewoon bestand
// en wordt niet gelezen!" or the like, for a refused file; empty for Ok and
// Missing.
QString refusedFileText(const QString &name, FileRead why, qint64 maxBytes = MaxTextFileSize);

// The refusal for a path where a folder, a pipe or a device stands, naming
// the path; empty when a regular file or nothing stands there. Nothing is
// opened.
QString notAFileText(const QString &path);

// Replaces `path` by `bytes`, whole or not at all: every write, the flush and
// the commit are checked, so a full disk never passes as success, and on any
// failure the old file stays as it was. A file without write permission is
// not replaced. `error` gets the reason in the user's words ("de schijf is
// vol", "het is een map"). Every caller acts on the result: a failure is
// shown, and nothing points at the old file then.
[[nodiscard]] bool writeWholeFile(const QString &path, QByteArrayView bytes, QString *error = nullptr);

// Why a write failed, in the user's words, from the system's error number.
QString writeFailureText(int err);
// Why a file that had to be read before it is written was not read, in the
// same words ("het is een map", "het is groter dan 4 MB"); empty for Ok and
// Missing.
QString readFailureText(FileRead why, qint64 maxBytes = MaxTextFileSize);

// "Het bestand <path> kon niet worden opgeslagen.": what a writer's caller
// shows when it has no message of its own; with a reason, that reason in
// brackets before the full stop.
QString notWrittenText(const QString &path, const QString &reason = QString());
// That text in an exclamation box titled "Attentie!".
void showNotWritten(const QString &path, const QString &reason = QString());

// "Bestand <path> bestaat al. Overschrijven?": asked before a file is replaced
// under a name the brewer did not confirm in a file dialog (a name the
// program made: a changed extension, a default name).
QString replaceQuestionText(const QString &path);
// True when no file stands at `path`, or the brewer answers Ja to
// `question` (a Yes/No box; that question when none is given); false for Nee.
bool mayReplaceFile(const QString &path, const QString &question = QString());
// The same, asked through a window's services.
bool mayReplaceFile(Services &svc, const QString &path, const QString &question = QString());

// A size as a message names it: in bytes below 1 kB ("1000 bytes", "1 byte"),
// else in kB or MB, whole when it is a whole number of them ("4 MB", "64 kB")
// and otherwise to a tenth ("1.5 kB", "80.3 MB"); 1 kB is 1024 bytes, 1 MB
// 1024 kB. Named beside another size (`beside`, when not negative) that
// differs but would read the same, it is given in bytes, so that a file just
// over a limit never reads as the limit itself.
QString sizeText(qint64 bytes, qint64 beside = -1);

}  // namespace mostarium

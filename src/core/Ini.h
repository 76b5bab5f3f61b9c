#pragma once

#include <QString>

// Sectioned key=value files with the semantics the program has always relied
// on: names match without regard to case, the first matching section and key
// win, a key is replaced where it stands, a missing section is appended, every
// line a write does not touch stays byte for byte. Windows-1252, CR LF.
namespace mostarium {

// At most 254 characters come back, the default cut the same way. A missing
// file, section or key gives the default; a key with an empty value gives "".
QString ReadINI(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue);

// Each CR and LF of `value` becomes a blank, in the caller's variable too.
// The file is replaced whole or not at all; returns false when it could not be
// written (callers that care report it).
bool WriteINI(const QString &file, const QString &section, const QString &key, QString &value);

// Every key of a section in file order (first occurrence of each name); used
// where a whole section is copied.
QStringList ReadINIKeys(const QString &file, const QString &section);

} // namespace mostarium

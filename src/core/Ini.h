#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// Sectioned key=value files, as every settings file and recipe of the
// program reads and writes them: names match without regard to case, the
// first matching section and key win, values are trimmed of surrounding
// blanks and tabs (a non-breaking space is kept), a key is replaced where it
// stands and left alone when it reads as the value written already, a missing
// section is appended, every line a write does not touch stays byte for byte.
// Windows-1252; CR LF written, CR LF, LF or a lone CR read as a line end.
// Values are kept whole, whatever their length.
namespace mostarium {

// The parsed text of such a file, for looking up many keys at once.
class IniDocument {
public:
    explicit IniDocument(QByteArrayView bytes);

    bool hasSection(QStringView section) const;
    // Nothing when the section or the key is missing; "" for an empty value.
    std::optional<QString> find(QStringView section, QStringView key) const;
    QString value(QStringView section, QStringView key, const QString &defaultValue = QString()) const;
    // Every key of a section in file order (first occurrence of each name).
    QStringList keys(QStringView section) const;
    // Any section at all: a file of other text has none.
    bool isEmpty() const { return m_sections.isEmpty(); }

private:
    struct Section {
        QHash<QString, QString> values;  // by case-folded key
        QStringList order;
    };
    QHash<QString, Section> m_sections;  // by case-folded name
};

// `bytes` with the key set as WriteINI sets it (value already one line).
QByteArray iniWithValue(QByteArrayView bytes, const QString &section, const QString &key, const QString &value);

// A settings file that is there but refused: not a regular file, or larger
// than MaxTextFileSize. `name` is how the message names the file. Empty when
// the file is readable or missing.
QString refusedSettingsFile(const QString &path, const QString &name);

// A missing, unreadable or refused file, section or key gives the default;
// a key with an empty value gives "".
QString ReadINI(const QString &file, const QString &section, const QString &key, const QString &defaultValue);

// Each CR and LF of `value` becomes a blank, in the caller's variable too.
// The file is replaced whole or not at all; false when it could not be
// written (a refused file is left alone). Callers that care report it.
[[nodiscard]] bool WriteINI(const QString &file, const QString &section, const QString &key, QString &value);

// Every key of a section in file order (first occurrence of each name); used
// where a whole section is copied.
QStringList ReadINIKeys(const QString &file, const QString &section);

}  // namespace mostarium

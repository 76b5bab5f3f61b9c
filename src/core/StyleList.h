#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The style list BierSoorten.txt: one style a line, its name before the first
// comma and its description after it, neither trimmed; a line without a comma
// holds no style. The targets dialog reads it, the style-list editor reads it
// and writes it back whole.
namespace mostarium {

struct StyleList {
    bool present = false;  // a list was found in the program folder
    QString refusal;       // a list that is there but is no file we read
    QString path;          // the file found, in its own letter case
    QStringList lines;
};

// The program folder's list, its name in any letter case.
StyleList readStyleList();
// The lines of a list file's bytes (Windows-1252; CR LF, LF or CR).
QStringList styleLines(QByteArrayView bytes);
// The names of the lines that hold a comma, in file order, duplicates kept.
QStringList styleNames(const QStringList &lines);
// The description of a style: what follows the first comma on the last line
// whose name is that style. Another style's line that merely contains the
// name does not count. nullopt when no line names it.
std::optional<QString> styleDescription(const QStringList &lines, const QString &name);

// A style line needs a comma somewhere, also as its first character.
bool hasComma(QStringView text);
// Alphabetical without regard to letter case or accents ("Märzen" before
// "Meibock"), the same in every locale.
bool styleOrderLess(const QString &a, const QString &b);
// Where `item` goes in the sorted `items`: after the items it equals.
qsizetype sortedPlace(const QStringList &items, const QString &item);
// The style lines of a file (those with a comma), whole, in sorted order.
QStringList sortedStyleItems(const QStringList &lines);
// The first character of `text` that a line of the file cannot hold (a line
// break, or one outside Windows-1252), whole when it takes two code units;
// nullopt when every one fits.
std::optional<QString> unstorableChar(QStringView text);
// The file's bytes: every item followed by CR LF, in Windows-1252.
QByteArray styleListBytes(const QStringList &items);
// Replaces the file at `path` by the items, whole or not at all.
[[nodiscard]] bool writeStyleList(const QString &path, const QStringList &items, QString *error = nullptr);

}  // namespace mostarium

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The style list BierSoorten.txt: one style a line, its name before the first
// comma and its description after it. Read whole each time it is needed; the
// program never writes it here.
namespace mostarium {

struct StyleList {
    bool present = false;  // a list was found in the program folder
    QString refusal;       // a list that is there but is no file we read
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

}  // namespace mostarium

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Windows-1252, the encoding of every text file the program reads and writes.
namespace mostarium::cp1252 {

QString decode(QByteArrayView bytes);
// Characters outside the code page become "?".
QByteArray encode(QStringView text);
bool canEncode(QChar c);
// The text as the code page can keep it, so what a window shows is what a file
// keeps: a character outside it becomes its nearest inside (ě e, ł l, ǘ ü,
// ﬁ fi), an invisible format character is dropped, anything else is one "?".
QString storable(QStringView text);
// Each line encoded and ended by CR LF, as every line file of the program is.
QByteArray encodeLines(const QStringList &lines);

}  // namespace mostarium::cp1252

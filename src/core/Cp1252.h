#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the encoding of every text file the program reads and writes.
namespace mostarium::cp1252 {

QString decode(QByteArrayView bytes);
// Characters outside the code page become "?".
QByteArray encode(QStringView text);
bool canEncode(QChar c);

}  // namespace mostarium::cp1252

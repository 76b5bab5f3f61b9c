#pragma once

#include <QByteArray>
#include <QString>

namespace mostarium {

struct RecipeState;
struct Session;

// The recipe exchange file as our own line writer: fixed lines and indents,
// CR LF, ISO-8859-1 bytes with character references beyond, every text
// escaped. Reads the first beer's targets, hops and measured values and every
// yeast and addition entry; changes nothing. Throws CalcError when a measured
// OG or FG is no number (bit 64) or a part was never dimensioned.
QByteArray xmlRecipeBytes(const RecipeState &r);

// The export's file name: the box's text, with ".xml" appended when it holds
// no ".xml" anywhere in any letter case.
QString xmlExportPath(const QString &boxText);

// The print dialog's XML row: writes the open recipe to xmlExportPath(boxText)
// whole or not at all; on any failure shows "Error in het aanmaken van " and
// the name, and the old file stays. True when written.
bool ExportReceptXML(const Session &s, const QString &boxText);

}  // namespace mostarium

#pragma once

#include <QByteArray>
#include <QString>

// The brewing schedule as a simple web page: one preformatted block, label
// first and value after it, from the recipe, the derived values and the
// schedule's captions. Plain data in, bytes out: no window is read.
namespace mostarium {

struct Session;

// The page's file name: the box's text, kept when it ends in ".htm" or holds
// ".html" anywhere (any letter case), else with ".html" appended.
QString htmlReportPath(const QString &boxText);

// The page as Windows-1252 bytes with CR LF; every text of the recipe, every
// caption and `title` escaped, characters beyond the code page as "&#N;".
// A table read out of shape throws CalcError.
QByteArray htmlReportBytes(const Session &s, const QString &title);

// The print dialog's HTML row: writes the page to htmlReportPath(boxText)
// whole or not at all; on any failure shows "Error in het aanmaken van " and
// the name, and the old file stays. True when written.
bool ExportReceptHTML(const Session &s, const QString &boxText);

}  // namespace mostarium

#pragma once

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QTextCursor;
class QTextDocument;

namespace mostarium {

// Prints through `paint` on what the printer dialog chose. A PDF file is made
// in memory and written through writeWholeFile, so it is whole or not written
// at all, and a file it would replace stays as it was when it cannot be. False
// when the PDF file could not be written; `error` then names the file and why,
// in the user's words. A system printer reports its own troubles.
[[nodiscard]] bool printWhole(QPrinter &printer, const std::function<void(QPagedPaintDevice &)> &paint,
                              QString *error = nullptr);

// Prints `document` on `device` with its text laid out letter by letter:
// the document's fonts are told to prefer no shaping, so that no ligature
// ("tt", "ti", "fi" in Calibri) stands for two letters. A PDF's text layer
// names one letter per glyph, so copying and searching it would lose the
// other. Changes `document`: pass a copy of what is shown.
void printUnshaped(QTextDocument &document, QPagedPaintDevice &device);

// Prints a copy of `document` through printWhole and printUnshaped, or only
// the selection of `cursor` (in the document's own font) when the printer
// dialog was asked for the selection.
[[nodiscard]] bool printTextWhole(QPrinter &printer, const QTextDocument &document, const QTextCursor &cursor,
                                  QString *error = nullptr);

}  // namespace mostarium

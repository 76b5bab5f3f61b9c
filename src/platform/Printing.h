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

// Prints `document` as printWhole prints, or only the selection of `cursor`
// (in the document's own font) when the printer dialog was asked for the
// selection. The text is laid out at the screen's resolution and scaled to
// the printer's, so that whatever the program shows also prints, page by
// page with the page number at the bottom right, its letters unshaped so that
// the PDF's text holds whole words. Lines wrap at the page's width, pictures
// are scaled down to it, and pages break between lines, each line printed
// once. False, with `error` saying why, when the text is too tall to print,
// the paper cannot hold a line of it between its margins (the paper named),
// the printer takes no further page or the PDF file could not be written; a
// PDF file is then not written.
[[nodiscard]] bool printTextWhole(QPrinter &printer, const QTextDocument &document, const QTextCursor &cursor,
                                  QString *error = nullptr);

}  // namespace mostarium

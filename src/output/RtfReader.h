#pragma once

#include <QByteArray>

class QTextDocument;

// The RTF our templates, reports, the judging sheet and the units text use,
// read into a text document for the screen, editing and printing: groups,
// fonts and colours, bold, italic, underline, sizes, alignment, indents and
// spacing, paragraphs, tabs and line breaks, \'xx and \uN characters, and PNG
// or bitmap pictures. Anything else is passed over. A damaged or hand-edited
// file gives whatever text it holds; it never fails. The document is filled
// in one edit without undo; a word or paragraph far longer than any real one
// gets zero-width spaces or goes on in a new block, so that any text lays out
// in time proportional to its length.
namespace mostarium {

void readRtf(const QByteArray &rtf, QTextDocument &doc);

}  // namespace mostarium

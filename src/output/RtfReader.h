#pragma once

#include "platform/TextHeight.h"

#include <QByteArray>

class QTextDocument;
class QTextEdit;

// The RTF our templates, reports, the judging sheet and the units text use,
// read into a text document for the screen, editing and printing: groups, fonts
// and colours, bold, italic, underline, sizes, alignment, indents and spacing,
// paragraphs, tabs and line breaks, \'xx and \uN characters, and PNG or bitmap
// pictures. Anything else is passed over. A damaged or hand-edited file gives
// whatever text it holds; it never fails. The document is filled in one edit
// without undo. Far beyond any real report, the document is kept cheap to build
// and lay out: a word longer than 256 characters gets zero-width spaces marked
// as inserted breaks (platform/InsertedBreaks.h), a paragraph of more than
// 32768 characters or 1024 line breaks goes on in a new block, and after 50,000
// paragraphs or format changes further paragraphs are line breaks and the text
// keeps its format; beyond 256 fonts in a size and style, text asked in another
// keeps the font it has. Indents are kept within 22 inches either way, spacing
// between paragraphs is never negative. The text itself is always whole.
namespace mostarium {

// Reads `rtf` into `doc`. False, with `doc` left empty, when the text could
// lay out taller than MaxTextHeight at NarrowestTextWidth pixels or wider
// (judged from the advance of every character, its line breaks, fonts,
// spacing and pictures, never by laying it out).
bool readRtf(const QByteArray &rtf, QTextDocument &doc);

// The least width of `box` that keeps the text it shows NarrowestTextWidth
// wide beside its frame and a vertical scroll bar.
int leastRtfBoxWidth(const QTextEdit &box);

}  // namespace mostarium

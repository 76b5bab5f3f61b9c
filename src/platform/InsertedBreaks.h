#pragma once

#include <QTextFormat>

class QMimeData;
class QTextCharFormat;
class QTextCursor;
class QTextDocumentFragment;

namespace mostarium {

// The invisible break opportunities (zero-width spaces) the program puts into
// a word longer than MaxWordLength, so that it lays out in time, are for the
// layout only. Each carries InsertedBreakProperty in its character format;
// what leaves a box (a copy, a cut, a drag) drops exactly those, so that the
// words go out as they came in, and a zero-width space that was part of the
// text itself stays. Printing keeps them: they break lines as on the screen,
// and a PDF's text does not hold them.
inline constexpr int InsertedBreakProperty = QTextFormat::UserProperty + 0x200B;

// The format of a break inserted into text of `around`.
QTextCharFormat insertedBreakFormat(const QTextCharFormat &around);
bool isInsertedBreak(const QTextCharFormat &format);
// `format` as text typed next to an inserted break takes it: without the mark.
QTextCharFormat withoutBreakMark(const QTextCharFormat &format);

// True when the selection of `cursor` holds an inserted break.
bool holdsInsertedBreaks(const QTextCursor &cursor);
// The selection of `cursor` without its inserted breaks.
QTextDocumentFragment selectionWithoutBreaks(const QTextCursor &cursor);

// `fragment` as the clipboard and a drag carry text: plain, HTML and ODF, as a
// text box gives them, made when first asked for.
QMimeData *fragmentMimeData(const QTextDocumentFragment &fragment);

}  // namespace mostarium

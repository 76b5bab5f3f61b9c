#pragma once

#include <QString>

namespace mostarium {

// `text` cut to `keep` characters of each end joined by an ellipsis, when it
// is longer than twice that; a letter of two UTF-16 units is never split.
// Window titles and the messages that quote a file's text cut with it, so a
// text of megabytes shows its start and its end at a normal size.
QString middleCut(QStringView text, qsizetype keep);

// How much of each end of a file's text a message quotes.
inline constexpr qsizetype QuotedTextKeep = 40;

// A file's text as a message quotes it: trimmed and cut in the middle.
QString quotedText(QStringView text);

}  // namespace mostarium

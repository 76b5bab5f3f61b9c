#include "TextCut.h"

#include <algorithm>

namespace mostarium {

QString middleCut(QStringView text, qsizetype keep)
{
    keep = std::max<qsizetype>(keep, 1);
    if (text.size() <= 2 * keep)
        return text.toString();
    qsizetype head = keep, tail = keep;
    if (text[head - 1].isHighSurrogate())
        --head;
    if (text[text.size() - tail].isLowSurrogate())
        --tail;
    return text.left(head).toString() + QChar(0x2026) + text.right(tail).toString();
}

QString quotedText(QStringView text) { return middleCut(text.trimmed(), QuotedTextKeep); }

}  // namespace mostarium

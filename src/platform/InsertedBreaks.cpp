#include "InsertedBreaks.h"

#include "TextHeight.h"

#include <QBuffer>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextDocumentWriter>
#include <algorithm>
#include <vector>

namespace mostarium {

namespace {

// Calls `each(position)` for every inserted break from `from` up to `to`,
// until it returns false.
template <typename Each>
void forEachInsertedBreak(const QTextDocument &doc, int from, int to, Each each)
{
    for (QTextBlock block = doc.findBlock(from); block.isValid() && block.position() < to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !isInsertedBreak(fragment.charFormat()))
                continue;
            const QString text = fragment.text();
            for (qsizetype i = 0; i < text.size(); ++i) {
                const int at = fragment.position() + int(i);
                if (at >= from && at < to && text.at(i) == QChar(ZeroWidthSpace) && !each(at))
                    return;
            }
        }
    }
}

}  // namespace

QTextCharFormat insertedBreakFormat(const QTextCharFormat &around)
{
    QTextCharFormat f = around;
    f.setProperty(InsertedBreakProperty, true);
    return f;
}

bool isInsertedBreak(const QTextCharFormat &format) { return format.boolProperty(InsertedBreakProperty); }

QTextCharFormat withoutBreakMark(const QTextCharFormat &format)
{
    QTextCharFormat f = format;
    f.clearProperty(InsertedBreakProperty);
    return f;
}

bool holdsInsertedBreaks(const QTextCursor &cursor)
{
    bool holds = false;
    if (cursor.hasSelection())
        forEachInsertedBreak(*cursor.document(), cursor.selectionStart(), cursor.selectionEnd(), [&holds](int) {
            holds = true;
            return false;
        });
    return holds;
}

void removeInsertedBreaks(QTextDocument &doc)
{
    std::vector<int> at;
    forEachInsertedBreak(doc, 0, doc.characterCount(), [&at](int p) {
        at.push_back(p);
        return true;
    });
    if (at.empty())
        return;
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    // From the end, so that the positions still hold.
    for (auto p = at.rbegin(); p != at.rend(); ++p) {
        cursor.setPosition(*p);
        cursor.deleteChar();
    }
    cursor.endEditBlock();
}

QTextDocumentFragment selectionWithoutBreaks(const QTextCursor &cursor)
{
    const QTextDocumentFragment selection = cursor.selection();
    if (!holdsInsertedBreaks(cursor))
        return selection;
    QTextDocument doc;
    doc.setUndoRedoEnabled(false);
    QTextCursor(&doc).insertFragment(selection);
    removeInsertedBreaks(doc);
    return QTextDocumentFragment(&doc);
}

QMimeData *fragmentMimeData(const QTextDocumentFragment &fragment)
{
    auto *data = new QMimeData;
    data->setText(fragment.toPlainText());
    data->setHtml(fragment.toHtml());
    QBuffer odf;
    QTextDocumentWriter writer(&odf, "ODF");
    if (writer.write(fragment))
        data->setData(QStringLiteral("application/vnd.oasis.opendocument.text"), odf.data());
    return data;
}

}  // namespace mostarium

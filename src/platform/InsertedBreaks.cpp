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

// Removes the inserted breaks from `doc`.
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

// A selection on the clipboard or in a drag, as a text box gives it: its
// plain text, HTML and ODF made when first asked for.
class FragmentMimeData : public QMimeData {
public:
    explicit FragmentMimeData(const QTextDocumentFragment &fragment) : m_fragment(fragment) {}

    QStringList formats() const override
    {
        if (m_fragment.isEmpty())
            return QMimeData::formats();
        return {QStringLiteral("text/plain"), QStringLiteral("text/html"), Odf};
    }
    bool hasFormat(const QString &mimeType) const override { return formats().contains(mimeType); }

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        if (!m_fragment.isEmpty()) {
            auto *self = const_cast<FragmentMimeData *>(this);
            const QTextDocumentFragment fragment = m_fragment;
            m_fragment = QTextDocumentFragment();
            self->setText(fragment.toPlainText());
            self->setHtml(fragment.toHtml());
            QBuffer odf;
            if (QTextDocumentWriter(&odf, "ODF").write(fragment))
                self->setData(Odf, odf.data());
        }
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    inline static const QString Odf = QStringLiteral("application/vnd.oasis.opendocument.text");
    mutable QTextDocumentFragment m_fragment;
};

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

QMimeData *fragmentMimeData(const QTextDocumentFragment &fragment) { return new FragmentMimeData(fragment); }

}  // namespace mostarium

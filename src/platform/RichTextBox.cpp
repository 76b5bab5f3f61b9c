#include "RichTextBox.h"

#include "InsertedBreaks.h"
#include "TextHeight.h"

#include "core/Services.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <vector>

namespace mostarium {

namespace {

// Gives every word of `doc` longer than MaxWordLength an inserted break
// after every MaxWordLength characters, as the RTF reader does; true when
// it gave any.
bool breakLongWords(QTextDocument &doc)
{
    const std::vector<int> at = longWordBreaks(doc);
    QTextCursor cursor(&doc);
    // From the end, so that the positions still hold.
    for (auto p = at.rbegin(); p != at.rend(); ++p) {
        cursor.setPosition(*p);
        cursor.insertText(QString(QChar(ZeroWidthSpace)), insertedBreakFormat(cursor.charFormat()));
    }
    return !at.empty();
}

}  // namespace

RichTextBox::RichTextBox(const QString &objectName, QWidget *parent) : QTextEdit(parent) { setObjectName(objectName); }

bool RichTextBox::fits(qreal added)
{
    const QTextCursor cursor = textCursor();
    if (textHeightBound(*document(), cursor.selectionStart(), cursor.selectionEnd()) + added <= MaxTextHeight)
        return true;
    services().beep();
    return false;
}

qreal RichTextBox::typed(const QString &text) { return textHeightTyped(textCursor(), text, textCursor().charFormat()); }

qreal RichTextBox::heightNow()
{
    if (m_measured != document()) {
        QObject::disconnect(m_watch);
        m_measured = document();
        m_height = textHeightBound(*document());
        m_watch = connect(document(), &QTextDocument::contentsChange, this, [this] {
            if (!m_typing)
                m_measured = nullptr;
        });
    }
    return m_height;
}

void RichTextBox::unmarkCursor()
{
    // With a selection the format would be set on the selected text.
    const QTextCharFormat here = textCursor().charFormat();
    if (!textCursor().hasSelection() && isInsertedBreak(here))
        setCurrentCharFormat(withoutBreakMark(here));
}

QMimeData *RichTextBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    if (!holdsInsertedBreaks(cursor))
        return QTextEdit::createMimeDataFromSelection();
    return fragmentMimeData(selectionWithoutBreaks(cursor));
}

void RichTextBox::typeWhenItFits(const QString &text, const std::function<void()> &type)
{
    const qreal added = typed(text);
    if (textCursor().hasSelection()) {
        if (fits(added))
            type();
        return;
    }
    // Typing adds to the height measured before, which is not measured again.
    if (heightNow() + added > MaxTextHeight) {
        services().beep();
        return;
    }
    m_typing = true;
    type();
    m_typing = false;
    m_height += added;
}

void RichTextBox::keyPressEvent(QKeyEvent *e)
{
    unmarkCursor();
    QString text = e->text();
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        text = QString(QChar::ParagraphSeparator);
    const bool inserts =
        !isReadOnly() && !text.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t') || text.at(0) == QChar::ParagraphSeparator);
    if (!inserts) {
        QTextEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    typeWhenItFits(text, [this, e] { QTextEdit::keyPressEvent(e); });
}

void RichTextBox::inputMethodEvent(QInputMethodEvent *e)
{
    unmarkCursor();
    if (isReadOnly() || e->commitString().isEmpty()) {
        QTextEdit::inputMethodEvent(e);
        return;
    }
    e->accept();
    typeWhenItFits(e->commitString(), [this, e] { QTextEdit::inputMethodEvent(e); });
}

void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source)
        return;
    // What the box would insert, measured in a document of its own first.
    QTextDocumentFragment fragment;
    bool plain = false;
    const QString qrichtext = QStringLiteral("application/x-qrichtext");
    if (!source->formats().isEmpty() && source->formats().constFirst() == QLatin1String("text/markdown"))
        fragment =
            QTextDocumentFragment::fromMarkdown(QString::fromUtf8(source->data(QStringLiteral("text/markdown"))));
    else if (source->hasFormat(qrichtext) && acceptRichText())
        fragment = QTextDocumentFragment::fromHtml(QStringLiteral("<meta name=\"qrichtext\" content=\"1\" />")
                                                       + QString::fromUtf8(source->data(qrichtext)),
                                                   document());
    else if (source->hasHtml() && acceptRichText())
        fragment = QTextDocumentFragment::fromHtml(source->html(), document());
    else if (!source->text().isNull())
        plain = true;
    else
        return;
    QTextDocument inserted;
    inserted.setDefaultFont(document()->defaultFont());
    inserted.setDocumentMargin(document()->documentMargin());
    QTextCursor end(&inserted);
    if (plain) {
        // Plain text takes the format of the place it goes to (a break the
        // box inserted there gives it no mark).
        const QTextCharFormat here = withoutBreakMark(textCursor().charFormat());
        end.setBlockFormat(textCursor().blockFormat());
        end.setBlockCharFormat(here);
        end.insertText(source->text(), here);
    } else {
        end.insertFragment(fragment);
    }
    if (breakLongWords(inserted) || plain)
        fragment = QTextDocumentFragment(&inserted);
    if (!fits(textHeightBound(inserted) + textHeightJoined(textCursor(), inserted)))
        return;
    QTextCursor cursor = textCursor();
    cursor.insertFragment(fragment);
    setTextCursor(cursor);
    ensureCursorVisible();
}

}  // namespace mostarium

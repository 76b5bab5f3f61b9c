#include "RichTextBox.h"

#include "TextHeight.h"

#include "core/Services.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace mostarium {

RichTextBox::RichTextBox(const QString &objectName, QWidget *parent) : QTextEdit(parent) { setObjectName(objectName); }

bool RichTextBox::fits(qreal added)
{
    const QTextCursor cursor = textCursor();
    if (textHeightBound(*document(), cursor.selectionStart(), cursor.selectionEnd()) + added <= MaxTextHeight)
        return true;
    services().beep();
    return false;
}

qreal RichTextBox::typed(const QString &text)
{
    const QTextCursor cursor = textCursor();
    TextHeightMeasure measure(*document());
    // A new paragraph takes a line and its spacing more.
    return measure.text(text, cursor.charFormat(), cursor.blockFormat())
           + TextHeightMeasure::spacing(cursor.blockFormat());
}

void RichTextBox::keyPressEvent(QKeyEvent *e)
{
    if (!isReadOnly()) {
        QString text = e->text();
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            text = QString(QChar::ParagraphSeparator);
        const bool inserts =
            !text.isEmpty()
            && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t') || text.at(0) == QChar::ParagraphSeparator);
        if (inserts && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !fits(typed(text))) {
            e->accept();
            return;
        }
    }
    QTextEdit::keyPressEvent(e);
}

void RichTextBox::inputMethodEvent(QInputMethodEvent *e)
{
    if (!isReadOnly() && !e->commitString().isEmpty() && !fits(typed(e->commitString()))) {
        e->accept();
        return;
    }
    QTextEdit::inputMethodEvent(e);
}

void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source)
        return;
    // What the box would insert, measured in a document of its own first.
    QTextDocumentFragment fragment;
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
        fragment = QTextDocumentFragment::fromPlainText(source->text());
    else
        return;
    QTextDocument inserted;
    inserted.setDefaultFont(document()->defaultFont());
    inserted.setDocumentMargin(document()->documentMargin());
    QTextCursor(&inserted).insertFragment(fragment);
    if (!fits(textHeightBound(inserted)))
        return;
    QTextCursor cursor = textCursor();
    cursor.insertFragment(fragment);
    setTextCursor(cursor);
    ensureCursorVisible();
}

}  // namespace mostarium

#pragma once

#include <QPointer>
#include <QTextEdit>
#include <functional>

namespace mostarium {

// A rich-text box for a report or a form to edit before printing. Its text
// never grows past what Qt's layout can hold: typed, pasted or dropped text
// that would let the text lay out taller than MaxTextHeight at
// NarrowestTextWidth (measured as a template is, with what it replaces left
// out) is refused whole with a beep, and the text stays as it was. A pasted
// or dropped word longer than MaxWordLength gets invisible break
// opportunities, as a template's does, so that it lays out in time; a copy,
// cut or drag gives the text without them (InsertedBreaks.h).
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(const QString &objectName, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    // Text typed right after an inserted break would take its format, mark
    // and all: the cursor's format loses the mark first.
    void unmarkCursor();
    // True when `added` (a height already measured) fits in place of the
    // selection; else a beep.
    bool fits(qreal added);
    // The height `text` typed at the cursor adds.
    qreal typed(const QString &text);
    // Types `text` through `type` when it fits, else beeps.
    void typeWhenItFits(const QString &text, const std::function<void()> &type);
    // The height bound of the whole text, measured again only after a change
    // other than typing.
    qreal heightNow();

    QPointer<QTextDocument> m_measured;
    qreal m_height = 0;
    bool m_typing = false;
    QMetaObject::Connection m_watch;
};

}  // namespace mostarium

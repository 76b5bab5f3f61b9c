#include "NumericEdit.h"

#include "core/Services.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

namespace mostarium {

namespace {

bool allowed(QChar c, NumericEdit::Kind kind)
{
    if (c >= u'0' && c <= u'9')
        return true;
    switch (kind) {
    case NumericEdit::Kind::Decimal:
        return c == u'.';
    case NumericEdit::Kind::Signed:
        return c == u'.' || c == u'-';
    case NumericEdit::Kind::Digits:
        return false;
    case NumericEdit::Kind::WholeMinutes:
        return c == u'/';
    }
    return false;
}

bool takesPoint(NumericEdit::Kind kind) { return allowed(u'.', kind); }

}  // namespace

QString NumericEdit::asTyped(const QString &text) const
{
    QString typed = text;
    // Many brewers type the decimal comma: in a box for decimals it is the point.
    if (takesPoint(m_kind))
        typed.replace(u',', u'.');
    return typed;
}

std::optional<QString> NumericEdit::takenWhole(const QString &text) const
{
    // Blanks and line ends around a copied number are not part of it.
    const QString typed = asTyped(text.trimmed());
    for (QChar c : typed)
        if (!allowed(c, m_kind))
            return std::nullopt;
    if (this->text().size() - selectedText().size() + typed.size() > maxLength())
        return std::nullopt;
    return typed;
}

void NumericEdit::pasteWhole(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    // Taken whole or not at all: a number nobody typed never appears.
    if (const std::optional<QString> typed = takenWhole(QGuiApplication::clipboard()->text(mode)))
        insert(*typed);
    else
        services().beep();
}

NumericEdit::NumericEdit(const QString &objectName, bool allowMinus, QWidget *parent)
    : NumericEdit(objectName, allowMinus ? Kind::Signed : Kind::Decimal, parent)
{}

NumericEdit::NumericEdit(const QString &objectName, Kind kind, QWidget *parent) : QLineEdit(parent), m_kind(kind)
{
    setObjectName(objectName);
    markBad(this, false);
}

void NumericEdit::setBad(bool bad) { markBad(this, bad); }
bool NumericEdit::isBad() const { return isMarkedBad(this); }

void NumericEdit::keyPressEvent(QKeyEvent *e)
{
    // Pasted text passes the same rule as typed keys.
    if (e->matches(QKeySequence::Paste)) {
        pasteWhole(QClipboard::Clipboard);
        e->accept();
        return;
    }
    const QString t = e->text();
    if (t.size() == 1 && t[0].isPrint()) {
        const QString typed = asTyped(t);
        if (!allowed(typed[0], m_kind)) {
            e->accept();
            return;
        }
        if (typed != t) {
            if (!isReadOnly())
                insert(typed);
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void NumericEdit::contextMenuEvent(QContextMenuEvent *e)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (auto *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { pasteWhole(QClipboard::Clipboard); });
    }
    menu->popup(e->globalPos());
}

void NumericEdit::mouseReleaseEvent(QMouseEvent *e)
{
    // The X11 selection, pasted with the middle button.
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        setCursorPosition(cursorPositionAt(e->position().toPoint()));
        pasteWhole(QClipboard::Selection);
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void NumericEdit::dropEvent(QDropEvent *e)
{
    if (!e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    const std::optional<QString> typed = takenWhole(e->mimeData()->text());
    if (!typed) {
        e->ignore();
        services().beep();
        return;
    }
    QMimeData kept;
    kept.setText(*typed);
    QDropEvent filtered(e->position(), e->possibleActions(), &kept, e->buttons(), e->modifiers());
    QLineEdit::dropEvent(&filtered);
    e->setDropAction(filtered.dropAction());
    e->setAccepted(filtered.isAccepted());
}

void NumericEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void markBad(QWidget *box, bool bad)
{
    QPalette p = box->palette();
    const QColor colour = bad ? QColor(255, 0, 0) : QColor(255, 255, 255);
    p.setColor(QPalette::Base, colour);
    // A list that cannot be typed in paints its face with the button colour.
    if (qobject_cast<QComboBox *>(box))
        p.setColor(QPalette::Button, colour);
    box->setPalette(p);
    box->setProperty("bad", bad);
}

bool isMarkedBad(const QWidget *box) { return box->property("bad").toBool(); }

}  // namespace mostarium

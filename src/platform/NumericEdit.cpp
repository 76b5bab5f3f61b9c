#include "NumericEdit.h"

#include <QKeyEvent>
#include <QTimer>

namespace mostarium {

NumericEdit::NumericEdit(const QString &objectName, bool allowMinus, QWidget *parent)
    : QLineEdit(parent), m_allowMinus(allowMinus)
{
    setObjectName(objectName);
    markBad(this, false);
}

void NumericEdit::setBad(bool bad) { markBad(this, bad); }
bool NumericEdit::isBad() const { return isMarkedBad(this); }

void NumericEdit::keyPressEvent(QKeyEvent *e)
{
    const QString t = e->text();
    if (t.size() == 1 && t[0].isPrint()) {
        const QChar c = t[0];
        const bool pass = (c >= u'0' && c <= u'9') || c == u'.' || (m_allowMinus && c == u'-');
        if (!pass) {
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void NumericEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void markBad(QWidget *box, bool bad)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, bad ? QColor(255, 0, 0) : QColor(255, 255, 255));
    box->setPalette(p);
    box->setProperty("bad", bad);
}

bool isMarkedBad(const QWidget *box) { return box->property("bad").toBool(); }

} // namespace mostarium

#include "DialogRows.h"

#include "platform/Twips.h"

#include <QTimer>
#include <QWidget>

namespace mostarium {

namespace {
const char *const kTwips = "twips";
}

QString rowName(QStringView prefix, int i) { return prefix.toString() + u'_' + QString::number(i); }

void placeTwips(QWidget *w, const QRect &twips)
{
    w->setProperty(kTwips, twips);
    // Each edge rounded on its own, so that rows 300 twips apart stay 20
    // pixels apart however far down they go.
    const int left = layout::px(twips.x()), top = layout::px(twips.y());
    w->setGeometry(left, top, layout::px(twips.x() + twips.width()) - left,
                   layout::px(twips.y() + twips.height()) - top);
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, const QRect &twips)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    placeTwips(l, twips);
    return l;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

void placeButtonRow(QWidget *ok, QWidget *cancel, QWidget *help, int left, int right, int top)
{
    constexpr int Width = 1200, Height = 375, Gap = 120, Side = 480;
    placeTwips(ok, QRect(left, top, Width, Height));
    placeTwips(cancel, QRect(left + Width + Gap, top, Width, Height));
    placeTwips(help, QRect(right - Side, top - (Side - Height) / 2, Side, Side));
}

QRect twipsOf(const QWidget *w)
{
    const QVariant v = w->property(kTwips);
    if (v.isValid())
        return v.toRect();
    const QRect g = w->geometry();
    const int t = layout::TwipsPerPixel;
    return {g.x() * t, g.y() * t, g.width() * t, g.height() * t};
}

void placeBelow(QWidget *w, const QWidget *above, int gap)
{
    const QRect a = twipsOf(above);
    placeTwips(w, QRect(a.x(), a.y() + a.height() + gap, a.width(), a.height()));
}

void takeColoursOf(QWidget *w, const QWidget *from)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, from->palette().color(QPalette::Window));
    p.setColor(QPalette::Button, from->palette().color(QPalette::Button));
    w->setPalette(p);
}

SelectAllEdit::SelectAllEdit(const QString &objectName, QWidget *parent) : QLineEdit(parent)
{
    setObjectName(objectName);
}

void SelectAllEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

}  // namespace mostarium

#include "CalcWindow.h"

#include "core/Paths.h"
#include "core/Services.h"
#include "core/Session.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

namespace mostarium {

CalcWindow::CalcWindow(const QString &name, const QString &caption, Session &s, Services &svc, QWidget *parent)
    : WindowBase(name, s, svc, parent)
{
    setWindowTitle(caption);
}

QLabel *CalcWindow::label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent ? parent : this);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel *CalcWindow::asterix(const QString &name, QWidget *parent)
{
    QLabel *a = label(qPrintable(name), QStringLiteral("*"), parent);
    QPalette p = a->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    a->setPalette(p);
    return a;
}

QGroupBox *CalcWindow::frame(const char *name, const QString &caption)
{
    auto *f = new QGroupBox(caption, this);
    f->setObjectName(QLatin1String(name));
    return f;
}

NumericEdit *CalcWindow::input(const char *name, NumericEdit::Kind kind, QWidget *parent)
{
    return new NumericEdit(QLatin1String(name), kind, parent ? parent : this);
}

QLineEdit *CalcWindow::result(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent ? parent : this);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

QComboBox *CalcWindow::choice(const char *name, const QStringList &items, QWidget *parent)
{
    auto *c = new QComboBox(parent ? parent : this);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    return c;
}

QPushButton *CalcWindow::button(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent ? parent : this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QPushButton *CalcWindow::klaarButton(const char *name, QWidget *parent)
{
    QPushButton *b = button(name, QStringLiteral("&Klaar"), parent);
    connect(b, &QPushButton::clicked, this, [this] {
        playClick();
        unload();
    });
    return b;
}

QWidget *CalcWindow::help(const char *name, const QString &topic, QWidget *parent)
{
    ClickLabel *h = helpPicture(topic, parent);
    h->setObjectName(QLatin1String(name));
    return h;
}

QStatusBar *CalcWindow::statusBar(const char *name)
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->setSizeGripEnabled(false);
    m_panel = new QLabel(bar);
    m_panel->setObjectName(QLatin1String(name) + QStringLiteral("_1"));
    m_panel->setTextFormat(Qt::PlainText);
    bar->addWidget(m_panel, 1);
    return bar;
}

void CalcWindow::setStatus(const QString &text)
{
    if (m_panel)
        m_panel->setText(text);
}

QString CalcWindow::statusText() const { return m_panel ? m_panel->text() : QString(); }

void CalcWindow::playCompute() const
{
    if (m_s.app.geluidAan)
        m_svc.playSound(paths::file(QStringLiteral("Sounds/zadiver_plop.wav")), true);
}

void CalcWindow::colourControls()
{
    takeMainColours();
    // Text boxes keep their white, and so do the choice boxes.
    for (QComboBox *c : findChildren<QComboBox *>())
        markBad(c, false);
}

}  // namespace mostarium

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The tips of the day: the list read from Tips.txt and the walk through it.
namespace mostarium {

// The one tip shown when Tips.txt is missing.
QString missingTipsText();

// Every line of the file is a tip, blank lines included, taken as it stands
// (Windows-1252; CR LF, LF or CR ends a line). A missing file gives the single
// missingTipsText(); an empty file gives no tip at all. A file that is no
// regular file or is far too large is not read: a message names it and the
// list is that of a missing file.
QStringList LoadTips(const QString &path);

// Which tip shows, numbered from 1. Every number it gives lies inside the
// list; an empty list gives number 0.
class TipCycle {
public:
    enum Order { Willekeurig = 0, OpVolgorde = 1 };

    explicit TipCycle(QStringList tips = {}) : m_tips(std::move(tips)) {}

    void setOrder(Order order) { m_order = order; }
    Order order() const { return m_order; }

    // The next tip. `draw` is a uniform random number in [0, 1), used in
    // random order: the same tip never shows twice in a row while there are
    // two or more.
    void next(double draw);

    int count() const { return int(m_tips.size()); }
    int currentTip() const { return m_current; }
    int lastTip() const { return m_last; }
    // "[3/57]"
    QString counterText() const;
    // The tip being shown; nothing when the list is empty.
    std::optional<QString> currentText() const;
    void clear();

private:
    QStringList m_tips;
    Order m_order = Willekeurig;
    int m_current = 0;
    int m_last = 0;
};

}  // namespace mostarium

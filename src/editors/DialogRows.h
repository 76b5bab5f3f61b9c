#pragma once

#include "core/RecipeLimits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QList>
#include <QRect>
#include <QWidget>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// Rows of controls made at run time (grain bill, mash steps, hop lists): each
// dialog describes one row as a struct of widget pointers made by one
// function; RowList keeps them in order, places each row from the one above
// and keeps the tab order running row by row.
namespace mostarium {

// The control-array name of element i: "txtStPerc_3".
QString rowName(QStringView prefix, int i);

// Geometry in twips. The widget remembers its twips so that the next row is
// placed from them and not from pixels rounded on the way.
void placeTwips(QWidget *w, const QRect &twips);
QRect twipsOf(const QWidget *w);
// `w` at the left of `above`, its top the bottom of `above` plus `gap`
// twips, with the size of `above`.
void placeBelow(QWidget *w, const QWidget *above, int gap);
// The row under a dialog's frames, its top at `top`: OK at `left`, Cancel
// beside it (both 1200 by 375 twips), and the help picture (32 pixels
// square) centred on the row with its right edge at `right`.
void placeButtonRow(QWidget *ok, QWidget *cancel, QWidget *help, int left, int right, int top);

// A label and a button carrying their control name. The label stands at
// `twips`; the button is placed by its dialog once the rows are laid out.
QLabel *label(QWidget *parent, const QString &name, const QString &caption, const QRect &twips);
QPushButton *button(QWidget *parent, const QString &name, const QString &caption);

// The window colours of another control (a control made after the window
// took the main window's colours).
void takeColoursOf(QWidget *w, const QWidget *from);

// A text box that selects its whole text on focus and takes any key.
class SelectAllEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit SelectAllEdit(const QString &objectName, QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *e) override;
};

// `Row` is a struct of widget pointers with `QList<QWidget *> widgets() const`:
// every control of the row, those that take the focus in tab order.
template <typename Row>
class RowList {
public:
    // Makes row i below `previous` (nullptr for row 0).
    using Maker = std::function<Row(int i, const Row *previous)>;

    explicit RowList(Maker make) : m_make(std::move(make)) {}

    int count() const { return int(m_rows.size()); }
    int highest() const { return count() - 1; }
    Row &operator[](int i) { return m_rows.at(std::size_t(i)); }
    const Row &operator[](int i) const { return m_rows.at(std::size_t(i)); }
    Row &last() { return m_rows.back(); }
    auto begin() { return m_rows.begin(); }
    auto end() { return m_rows.end(); }
    auto begin() const { return m_rows.begin(); }
    auto end() const { return m_rows.end(); }

    // A new row under the last; its controls follow the last row's in the tab
    // order, and `next` (the add button) follows them.
    Row &append(QWidget *next = nullptr)
    {
        const Row *previous = m_rows.empty() ? nullptr : &m_rows.back();
        QWidget *before = previous ? lastFocusable(*previous) : nullptr;
        Row row = m_make(count(), previous);
        for (QWidget *w : row.widgets()) {
            if (w->focusPolicy() == Qt::NoFocus)
                continue;
            if (before)
                QWidget::setTabOrder(before, w);
            before = w;
        }
        if (next && before)
            QWidget::setTabOrder(before, next);
        m_rows.push_back(row);
        for (QWidget *w : row.widgets())
            w->show();
        return m_rows.back();
    }

    // The last row goes with everything typed in it; row 0 stays.
    bool removeLast()
    {
        if (m_rows.size() <= 1)
            return false;
        for (QWidget *w : m_rows.back().widgets())
            delete w;
        m_rows.pop_back();
        return true;
    }

private:
    static QWidget *lastFocusable(const Row &row)
    {
        QWidget *last = nullptr;
        for (QWidget *w : row.widgets())
            if (w->focusPolicy() != Qt::NoFocus)
                last = w;
        return last;
    }

    Maker m_make;
    std::vector<Row> m_rows;
};

}  // namespace mostarium

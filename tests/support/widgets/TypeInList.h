#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace mostarium::test {

// Types `text` into the text field of a list a person may type in, over what
// it held, and leaves it with `leave` (Tab to the next box, or Enter) in its
// active window, so the list sees the typing end as it would on the screen.
inline void typeInList(QComboBox *list, const QString &text, Qt::Key leave = Qt::Key_Tab)
{
    QWidget *window = list->window();
    window->show();
    QApplication::setActiveWindow(window);
    list->setFocus(Qt::TabFocusReason);
    list->lineEdit()->selectAll();
    QTest::keyClicks(list, text);
    QTest::keyClick(list, leave);
}

}  // namespace mostarium::test

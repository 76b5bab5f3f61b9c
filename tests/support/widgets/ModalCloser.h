#pragma once

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace mostarium::test {

// Closes every modal box or dialog the real services open, as a person
// pressing Escape would, and notes its title and parent.
class ModalCloser {
public:
    ModalCloser()
    {
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last)
                return;
            m_last = modal;
            titles << modal->windowTitle();
            parents << modal->parentWidget();
            modal->close();
        });
        m_timer.start();
    }

    QStringList titles;
    QList<QPointer<QWidget>> parents;

private:
    QTimer m_timer;
    QPointer<QWidget> m_last;
};

}  // namespace mostarium::test

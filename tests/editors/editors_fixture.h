#pragma once

#include "mainwindow/mainwindow_fixture.h"

#include "platform/NumericEdit.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>

namespace mostarium::test {

// The main window with the real recipe dialogs; helpers to drive them as a
// person would.
class EditorsTest : public MainWindowTest {
protected:
    template <typename T = QWidget>
    static T *dialog(const char *name)
    {
        return qobject_cast<T *>(windows().find(QString::fromLatin1(name)));
    }

    template <typename T>
    static T *in(QWidget *d, const QString &name)
    {
        T *c = d ? d->findChild<T *>(name) : nullptr;
        EXPECT_NE(c, nullptr) << qPrintable(name);
        return c;
    }
    static NumericEdit *box(QWidget *d, const QString &name) { return in<NumericEdit>(d, name); }

    static void press(QWidget *d, const char *button)
    {
        auto *b = in<QPushButton>(d, QString::fromLatin1(button));
        ASSERT_NE(b, nullptr);
        b->click();
    }

    // A style picked from a combo as with the mouse.
    static void choose(QComboBox *combo, const QString &text)
    {
        const int i = combo->findText(text);
        ASSERT_GE(i, 0) << qPrintable(text);
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }

    void writeStyleList(const QString &name, const QByteArray &bytes)
    {
        QFile::remove(folder.file(QStringLiteral("BierSoorten.txt")));
        QFile f(folder.file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

}  // namespace mostarium::test

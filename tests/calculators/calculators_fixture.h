#pragma once

#include "mainwindow/mainwindow_fixture.h"

#include "calculators/CalcWindow.h"
#include "core/Cp1252.h"
#include "core/RecipeFileWriter.h"
#include "platform/NumericEdit.h"

#include "support/RecipeBuilders.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace mostarium::test {

// The main window with the real calculators; helpers to drive them as a
// person would.
class CalculatorsTest : public MainWindowTest {
protected:
    CalculatorsTest() { QDir(folder.path()).mkpath(QStringLiteral("temp")); }

    // Opens a calculator by its menu item.
    CalcWindow *open(const char *command, const char *window)
    {
        trigger(command);
        auto *d = qobject_cast<CalcWindow *>(windows().find(QString::fromLatin1(window)));
        EXPECT_NE(d, nullptr) << window;
        return d;
    }

    template <typename T>
    static T *in(QWidget *d, const char *name)
    {
        T *c = d ? d->findChild<T *>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QLineEdit *box(QWidget *d, const char *name) { return in<QLineEdit>(d, name); }
    static QString text(QWidget *d, const char *name) { return in<QLineEdit>(d, name)->text(); }
    static QString caption(QWidget *d, const char *name) { return in<QLabel>(d, name)->text(); }
    static void set(QWidget *d, const char *name, const QString &t) { box(d, name)->setText(t); }
    static void press(QWidget *d, const char *button) { in<QPushButton>(d, button)->click(); }
    static bool bad(QWidget *d, const char *name) { return isMarkedBad(in<QWidget>(d, name)); }
    static void choose(QWidget *d, const char *combo, int index)
    {
        auto *c = in<QComboBox>(d, combo);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }

    QString temp(const QString &name) const { return folder.file(QStringLiteral("temp/") + name); }
    static QByteArray bytes(const QString &path) { return fileBytes(path); }
    // Lines written as the reports are: Windows-1252, CR LF after each.
    static QByteArray crlf(const QStringList &lines)
    {
        QByteArray b;
        for (const QString &l : lines)
            b += cp1252::encode(l) + "\r\n";
        return b;
    }
    // A folder where a report should go: no file can be written there.
    void blockWith(const QString &path) { ASSERT_TRUE(QDir().mkpath(path)); }
};

}  // namespace mostarium::test

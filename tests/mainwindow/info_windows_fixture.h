#pragma once

#include "core/Session.h"
#include "mainwindow/InfoWindows.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow_fixture.h"
#include "platform/WindowRegistry.h"

#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace mostarium::test {

// A program folder of its own, recording services, the small windows
// registered, and every window unloaded afterwards.
class InfoWindowsTest : public ::testing::Test {
protected:
    explicit InfoWindowsTest(bool withResources = true) : folder(withResources), realWindows(session())
    {
        session().app.geluidAan = false;
    }
    ~InfoWindowsTest() override { session().app.geluidAan = true; }

    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <typename W = QWidget>
    W *child(QWidget *window, const char *name)
    {
        W *w = window ? window->findChild<W *>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void click(QWidget *window, const char *name)
    {
        auto *b = child<QAbstractButton>(window, name);
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(b->isEnabled()) << name;
        b->click();
    }

    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    TempProgramFolder folder;
    ScopedFakeServices fake;
    ScopedRealWindows realWindows;
};

}  // namespace mostarium::test

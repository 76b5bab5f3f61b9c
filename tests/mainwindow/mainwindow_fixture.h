#pragma once

#include "core/Session.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/frmRecept.h"
#include "platform/WindowRegistry.h"

#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace mostarium::test {

// Window factories set for one test and put back afterwards, every window
// of those names unloaded.
class ScopedFactories {
public:
    ScopedFactories() = default;
    ScopedFactories(const ScopedFactories &) = delete;
    ScopedFactories &operator=(const ScopedFactories &) = delete;
    ~ScopedFactories()
    {
        for (const auto &[name, factory] : m_saved) {
            windows().unload(name);
            if (factory)
                windows().registerFactory(name, factory);
            else
                windows().unregisterFactory(name);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void set(const QString &name, WindowRegistry::Factory factory)
    {
        m_saved.append({name, windows().factory(name)});
        windows().registerFactory(name, std::move(factory));
    }
    void remove(const QString &name)
    {
        m_saved.append({name, windows().factory(name)});
        windows().unregisterFactory(name);
    }

private:
    QList<std::pair<QString, WindowRegistry::Factory>> m_saved;
};

// The real windows of the catalogue, bound to the session.
class ScopedRealWindows : public ScopedFactories {
public:
    explicit ScopedRealWindows(Session &s)
    {
        for (const WindowRow &r : windowCatalogue())
            if (r.factory)
                set(r.window, boundFactory(r, s));
    }
};

// Stand-ins for windows that other units build: a window of that name with
// the frames the main window prepares before showing it.
class ScopedStandIns : public ScopedFactories {
public:
    explicit ScopedStandIns(const QStringList &names)
    {
        for (const QString &name : names)
            set(name, [name] { return standIn(name); });
    }

    static QWidget *standIn(const QString &name)
    {
        auto *w = new QWidget;
        w->setObjectName(name);
        w->resize(300, 200);
        auto frame = [w](const char *n, const char *caption) {
            auto *f = new QGroupBox(QString::fromLatin1(caption), w);
            f->setObjectName(QString::fromLatin1(n));
        };
        if (name == QLatin1String("frmDoelstellingen"))
            frame("fraDoel1", " Doelstellingen ");
        if (name == QLatin1String("frmHopgift")) {
            frame("fraAromaHop", " Hopgift aromahop ");
            frame("fraBitterHop", " Hopgift bitterhop ");
        }
        if (name == QLatin1String("frmEindbeStemming")) {
            frame("fraESDoelstelling", " Doelstellingen ");
            frame("fraESBestemming", " Bestemming ");
        }
        return w;
    }
};

// Every window of the catalogue that is not built yet.
inline const QStringList &standInNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const WindowRow &r : windowCatalogue())
            if (!r.factory)
                n << r.window;
        return n;
    }();
    return names;
}

// A main window over a fresh session, recording services and its own
// program folder; the built windows are the real ones, the others stand-ins.
class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(const QStringList &standIns = standInNames()) : realWindows(session()), standIns(standIns)
    {
        session() = Session{};
        session().app.geluidAan = false;
        w = std::make_unique<frmRecept>();
    }
    ~MainWindowTest() override
    {
        w.reset();
        session() = Session{};
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QAction *item(const char *name)
    {
        auto *a = w->findChild<QAction *>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }

    // Clicks a menu item as a person would: it must be there and enabled.
    void trigger(const char *name)
    {
        QAction *a = item(name);
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->isEnabled()) << name << " is disabled";
        a->trigger();
    }

    void clickButton(const char *key)
    {
        auto *a = w->findChild<QAction *>(QStringLiteral("Toolbar1_") + QLatin1String(key));
        ASSERT_NE(a, nullptr) << key;
        ASSERT_TRUE(a->isEnabled()) << key << " is disabled";
        a->trigger();
    }

    template <typename T = QWidget>
    T *child(const char *name)
    {
        T *c = w->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    // The control `name` of the open window `window`.
    template <typename T = QWidget>
    static T *in(const char *window, const char *name)
    {
        QWidget *x = windows().find(QString::fromLatin1(window));
        T *c = x ? x->findChild<T *>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(c, nullptr) << window << "." << name;
        return c;
    }

    static bool isOpen(const char *window)
    {
        QWidget *x = windows().find(QString::fromLatin1(window));
        return x && x->isVisible();
    }

    ScopedFakeServices fake;
    TempProgramFolder folder{true};
    ScopedRealWindows realWindows;
    ScopedStandIns standIns;
    std::unique_ptr<frmRecept> w;
};

}  // namespace mostarium::test

#pragma once

#include "core/Session.h"
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

// Stand-ins for windows that other units build: a window of that name with
// the frames the main window prepares before showing it.
class ScopedStandIns {
public:
    explicit ScopedStandIns(const QStringList &names)
    {
        for (const QString &name : names) {
            m_saved.append({name, windows().factory(name)});
            windows().registerFactory(name, [name] { return standIn(name); });
        }
    }
    ~ScopedStandIns()
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

private:
    QList<std::pair<QString, WindowRegistry::Factory>> m_saved;
};

inline const QStringList &standInNames()
{
    static const QStringList names = {
        "frmAlgemeen",      "frmDoelstellingen", "frmStorting",         "frmMaischSchema",
        "frmSpoelen",       "frmHopgift",        "frmHopgift2",         "frmToevoegingen",
        "frmGistKeuze",     "frmEvaluatie",      "frmKenmerken",        "frmAantekeningen",
        "frmAfdrukken",     "frmKeuringsformulier", "frmEindbeStemming", "frmHopOpslag",
        "frmHopPartition",  "frmContinueHoppen", "frmSuikerConv",       "frmSuikerSiroop",
        "frmWaterAanpassing", "frmBiertypen1",   "frmEenheden",         "frmBierSoorten",
        "frmEBCSchatting",  "frmEBURef",         "frmCO2Ref",           "frmBierIndeling",
        "frmLinksEnLiteratuur", "frmSysParameters"};
    return names;
}

// A main window over a fresh session, recording services and its own
// program folder.
class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(const QStringList &standIns = standInNames())
        : standIns(standIns)
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

    static bool isOpen(const char *window)
    {
        QWidget *x = windows().find(QString::fromLatin1(window));
        return x && x->isVisible();
    }

    ScopedFakeServices fake;
    TempProgramFolder folder{true};
    ScopedStandIns standIns;
    std::unique_ptr<frmRecept> w;
};

} // namespace mostarium::test

// The window catalogue against the main window's commands, and the window base
// every window stands on.
#include "mainwindow_fixture.h"

#include "core/Paths.h"
#include "mainwindow/ResetRecept.h"
#include "mainwindow/Wiring.h"
#include "platform/WindowBase.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// A main window with nothing registered: what enables a command is then only
// what a test registers.
class BareMainWindow : public ::testing::Test {
protected:
    BareMainWindow()
    {
        for (const WindowRow &r : windowCatalogue())
            m_factories.remove(r.window);
        session() = Session{};
    }
    ~BareMainWindow() override { session() = Session{}; }

    ScopedFakeServices fake;
    TempProgramFolder folder{true};
    ScopedFactories m_factories;
};

}  // namespace

TEST(WindowCatalogue, NamesAreUniqueAndEveryCommandIsAMenuItem)
{
    QSet<QString> windowNames, commandNames;
    frmRecept w(session());
    for (const WindowRow &r : windowCatalogue()) {
        SCOPED_TRACE(r.window.toStdString());
        EXPECT_TRUE(r.window.startsWith(QLatin1String("frm")));
        EXPECT_FALSE(windowNames.contains(r.window)) << "listed twice";
        windowNames << r.window;
        if (r.command.isEmpty())
            continue;
        EXPECT_FALSE(commandNames.contains(r.command)) << "command listed twice";
        commandNames << r.command;
        EXPECT_NE(w.action(r.command), nullptr);
    }
    EXPECT_EQ(receptDialogen().size(), 12);
}

TEST_F(BareMainWindow, ACommandIsEnabledExactlyWhenItsWindowIsRegistered)
{
    frmRecept w(session());
    for (const WindowRow &r : windowCatalogue()) {
        if (!r.command.isEmpty()) {
            EXPECT_FALSE(w.action(r.command)->isEnabled()) << r.command.toStdString();
        }
    }

    // The built windows, as the program registers them.
    registerWindows(session());
    w.updateCommands();
    for (const WindowRow &r : windowCatalogue()) {
        if (!r.command.isEmpty()) {
            EXPECT_EQ(w.action(r.command)->isEnabled(), bool(r.factory)) << r.command.toStdString();
        }
    }
    // The wizard follows the general-data dialog.
    EXPECT_EQ(w.action(QStringLiteral("mnuWizard"))->isEnabled(), bool(catalogueRow("frmAlgemeen")->factory));
}

TEST_F(BareMainWindow, EveryWiredCommandIsAMenuItemAndAMisspeltOneFails)
{
    frmRecept w(session());
    EXPECT_NO_THROW(wireCommands(w, session()));
    EXPECT_THROW(w.setCommand(QStringLiteral("mnuOpne"), [] {}), std::invalid_argument);
    for (const char *name : {"mnuNieuw", "mnuOpen", "mnuOpslaan", "mnuMaximumVolume", "mnuOpenMostariumOnline"})
        EXPECT_TRUE(w.action(QLatin1String(name))->isEnabled()) << name;
}

TEST_F(BareMainWindow, AResetClosesEveryRecipeDialogOfTheCatalogueAndNoOther)
{
    for (const WindowRow &r : windowCatalogue())
        m_factories.set(r.window, [name = r.window] { return ScopedStandIns::standIn(name); });
    for (const WindowRow &r : windowCatalogue())
        windows().show(r.window);
    ResetRecept(session());
    for (const WindowRow &r : windowCatalogue())
        EXPECT_EQ(windows().isLoaded(r.window), !r.recipeDialog) << r.window.toStdString();
}

namespace {

// The smallest window on the base: a Cancel that counts, and a default OK.
class Probe : public WindowBase {
public:
    Probe(Session &s, Services &svc) : WindowBase(QStringLiteral("frmProbe"), s, svc)
    {
        auto *ok = new QPushButton(QStringLiteral("&OK"), this);
        ok->setObjectName(QStringLiteral("cmdOK"));
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, [this] {
            ++oks;
            playClick();
            unload();
        });
        auto *lay = new QVBoxLayout(this);
        lay->addWidget(ok);
        lay->addWidget(helpPicture(QStringLiteral("MI_V_Probe.htm")));
        resize(200, 100);
    }
    static inline int oks = 0, cancels = 0, closeBoxes = 0;

protected:
    void onCancel() override
    {
        ++cancels;
        WindowBase::onCancel();
    }
    void onCloseBox() override { ++closeBoxes; }
};

class WindowBaseTest : public MainWindowTest {
protected:
    WindowBaseTest()
    {
        probe.set(QStringLiteral("frmProbe"), [] { return new Probe(session(), services()); });
        Probe::oks = Probe::cancels = Probe::closeBoxes = 0;
    }
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static void key(QWidget *w, int k) { QTest::keyClick(w, Qt::Key(k)); }

    ScopedFactories probe;
};

}  // namespace

TEST_F(WindowBaseTest, TheCloseBoxUnloadsAndTheNextOpenMakesItAnew)
{
    QPointer<QWidget> first = windows().show(QStringLiteral("frmProbe"));
    ASSERT_TRUE(first);
    first->close();
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmProbe")));
    EXPECT_FALSE(first->isVisible());
    flush();
    EXPECT_TRUE(first.isNull()) << "deleted later";
    EXPECT_EQ(Probe::closeBoxes, 1);
    EXPECT_EQ(Probe::cancels, 0);

    QWidget *second = windows().show(QStringLiteral("frmProbe"));
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
}

TEST_F(WindowBaseTest, EscCancelsAndEnterPressesTheDefaultButton)
{
    session().app.geluidAan = true;
    QWidget *p = windows().show(QStringLiteral("frmProbe"));
    key(p, Qt::Key_Escape);
    EXPECT_EQ(Probe::cancels, 1);
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmProbe")));
    flush();

    p = windows().show(QStringLiteral("frmProbe"));
    key(p, Qt::Key_Return);
    EXPECT_EQ(Probe::oks, 1);
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmProbe")));
    EXPECT_EQ(fake.sounds, QStringList{paths::file(QStringLiteral("Sounds/ploc.wav"))});
}

TEST_F(WindowBaseTest, ItFirstShowsCentredOverTheMainWindowUnlessPlaced)
{
    w->show();
    w->move(40, 30);
    QWidget *p = windows().show(QStringLiteral("frmProbe"));
    EXPECT_EQ(p->frameGeometry().center(), w->frameGeometry().center());
    const QPoint where = p->pos();

    // A second open keeps where the user put it.
    p->move(where + QPoint(25, 25));
    windows().show(QStringLiteral("frmProbe"));
    EXPECT_EQ(p->pos(), where + QPoint(25, 25));
    windows().unload(QStringLiteral("frmProbe"));
    flush();

    // Placed by its caller before it is shown: it stays there.
    QWidget *q = windows().load(QStringLiteral("frmProbe"));
    q->move(7, 9);
    windows().show(QStringLiteral("frmProbe"));
    EXPECT_EQ(q->pos(), QPoint(7, 9));
}

TEST_F(WindowBaseTest, WithoutAMainWindowItIsCentredOnTheScreen)
{
    w.reset();
    QWidget *p = windows().show(QStringLiteral("frmProbe"));
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(p->frameGeometry().center().x() - avail.center().x()), 1);
    EXPECT_LE(std::abs(p->frameGeometry().center().y() - avail.center().y()), 1);
}

TEST_F(WindowBaseTest, TheHelpPictureOpensItsTopic)
{
    QWidget *p = windows().show(QStringLiteral("frmProbe"));
    auto *help = p->findChild<ClickLabel *>();
    ASSERT_NE(help, nullptr);
    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{QStringLiteral("MI_V_Probe.htm")});
}

TEST_F(MainWindowTest, AChangeSignalRepaintsWithoutATimer)
{
    // The window keeps no timer that polls the model.
    for (QTimer *t : w->findChildren<QTimer *>())
        EXPECT_GE(t->interval(), 1000) << qPrintable(t->objectName());

    session().view.lbl_SpoelenTot.text = QStringLiteral("Spoelen tot 2.5 'Plato");
    session().viewChanged();
    session().view.lbl_StIngred[1].text = QStringLiteral("Pilsmout 4000 g");
    session().viewChanged();
    // Nothing is painted halfway through a change...
    EXPECT_NE(child<QLabel>("lbl_SpoelenTot")->text(), "Spoelen tot 2.5 'Plato");
    // ...and the whole change once the event loop is reached, without waiting.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(child<QLabel>("lbl_SpoelenTot")->text(), "Spoelen tot 2.5 'Plato");
    EXPECT_EQ(child<QLabel>("lbl_StIngred_1")->text(), "Pilsmout 4000 g");
    EXPECT_EQ(w->shownRevision(), session().view.revision);
}

TEST_F(MainWindowTest, AnAppFlagChangeMovesTheMenuChecks)
{
    session().app.dubbelBrouw = true;
    session().appChanged();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(item("mnuDubBrouw")->isChecked());
}

TEST(SessionSignals, AnAssignedSessionKeepsItsListeners)
{
    Session s;
    int views = 0;
    QObject::connect(&s.events(), &SessionSignals::viewChanged, [&views] { ++views; });
    const auto before = s.view.revision;
    s = Session{};
    EXPECT_EQ(views, 1);
    EXPECT_GT(s.view.revision, before) << "the revision never moves back";
    s.viewChanged();
    EXPECT_EQ(views, 2);
}

TEST_F(MainWindowTest, TheOptionsLiveInTheAppStateAndTheChecksShowThem)
{
    struct Case {
        const char *item;
        bool AppState::*flag;
    };
    const Case cases[] = {
        {"mnuOpenBestandbijOpstarten", &AppState::openBestandBijOpstarten},
        {"mnuAutoSaveOn", &AppState::autoSaveAan},
        {"mnuVerkort", &AppState::verkortMenu},
        {"mnuSpoelcurveRecept", &AppState::spoelcurveRecept},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        const bool before = session().app.*c.flag;
        trigger(c.item);
        EXPECT_EQ(session().app.*c.flag, !before);
        EXPECT_EQ(item(c.item)->isChecked(), !before);
        session().app.*c.flag = before;
        session().appChanged();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(item(c.item)->isChecked(), before);
    }
}

#include "core/DisplayModel.h"
#include "platform/HelpWindow.h"
#include "platform/QtServices.h"
#include "platform/WindowRoutines.h"

#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"
#include "support/widgets/ShownCaption.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace mostarium;

TEST(WindowRoutines, TopmostKeepsPositionAndSize)
{
    QWidget w;
    w.setGeometry(40, 50, 300, 200);
    w.show();
    const QRect before = w.geometry();
    SetFormOnTop(&w);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), before);
    SetFormNotOnTop(&w);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), before);

    QWidget hidden;
    SetFormOnTop(&hidden);
    EXPECT_FALSE(hidden.isVisible());
    SetFormOnTop(nullptr);
}

// A quiet wait ends once what it waits for has happened, told by an event of
// a watched object or by a signal, and at its bound when it never happens.
// Ended by what told it, the wait found its question answered while it still
// waited; ended at its bound, only after.
TEST(WindowRoutines, AQuietWaitEndsWhenItsEventComesElseAtItsBound)
{
    struct Mailbox : QObject {
        bool arrived = false;
        bool event(QEvent *e) override
        {
            if (e->type() == QEvent::User)
                arrived = true;
            return QObject::event(e);
        }
    };
    struct Case {
        const char *name;
        // Arms the wait for `box`; the letter comes through the event loop.
        std::function<void(QuietWait &, Mailbox &, QTimer &)> arm;
        bool expected;
    };
    const Case cases[] = {
        {"an event of a watched object",
         [](QuietWait &wait, Mailbox &box, QTimer &) {
             wait.askAfterEventsOf(&box);
             QCoreApplication::postEvent(&box, new QEvent(QEvent::User));
         },
         true},
        {"a signal connected to askAgain",
         [](QuietWait &wait, Mailbox &box, QTimer &letter) {
             QObject::connect(&letter, &QTimer::timeout, &box, [&box] { box.arrived = true; });
             QObject::connect(&letter, &QTimer::timeout, &wait, &QuietWait::askAgain);
             letter.start(0);
         },
         true},
        {"nothing that tells", [](QuietWait &, Mailbox &, QTimer &) {}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Mailbox box;
        QTimer letter;
        letter.setSingleShot(true);
        const int outside = QThread::currentThread()->loopLevel();
        bool answeredWhileWaiting = false;
        QuietWait wait(c.expected ? 20000 : 50, [&] {
            if (box.arrived && QThread::currentThread()->loopLevel() > outside)
                answeredWhileWaiting = true;
            return box.arrived;
        });
        c.arm(wait, box, letter);
        EXPECT_EQ(wait.run(), c.expected);
        EXPECT_EQ(answeredWhileWaiting, c.expected) << "the wait learnt it only at its bound";
    }
}

TEST(WindowRoutines, WaitUntilActiveEndsWhenTheWindowIsActivated)
{
    QWidget w;
    EXPECT_FALSE(waitUntilActive(&w, 20000)) << "a hidden window is never waited for";
    w.show();
    QTimer::singleShot(0, &w, [&w] { QApplication::setActiveWindow(&w); });
    EXPECT_TRUE(waitUntilActive(&w, 20000));
    EXPECT_TRUE(w.isActiveWindow());
}

TEST(WindowRoutines, UnderConstructionNotice)
{
    test::ScopedFakeServices fake;
    ToonOnderConstructie();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "Onder constructie!");
    EXPECT_EQ(fake.messages[0].style, 48);
    EXPECT_EQ(fake.messages[0].title, "Mededeling!");
}

TEST(WindowRoutines, ShowHelpTopicAsksForThePage)
{
    test::ScopedFakeServices fake;
    QWidget owner;
    ShowHelpTopic(QStringLiteral("MI_T_HopPartition.htm"), &owner);
    ShowHelpTopic(QString());
    EXPECT_EQ(fake.helpPages, QStringList({"MI_T_HopPartition.htm"}));
}

TEST(WindowRoutines, PasKleurAanLeavesTextBoxesAlone)
{
    QWidget main;
    main.setObjectName(QStringLiteral("frmRecept"));
    QPalette mp = main.palette();
    mp.setColor(QPalette::Window, QColor(10, 120, 30));
    main.setPalette(mp);

    QWidget dialog;
    auto *edit = new QLineEdit(&dialog);
    auto *combo = new QComboBox(&dialog);
    auto *label = new QLabel(QStringLiteral("x"), &dialog);
    auto *button = new QPushButton(QStringLiteral("OK"), &dialog);
    const QColor editBase = edit->palette().color(QPalette::Base);
    PasKleurAan(&dialog);
    const QColor back(10, 120, 30);
    EXPECT_EQ(dialog.palette().color(QPalette::Window), back);
    EXPECT_EQ(label->palette().color(QPalette::Window), back);
    EXPECT_EQ(button->palette().color(QPalette::Button), back);
    EXPECT_EQ(combo->palette().color(QPalette::Button), back);
    EXPECT_EQ(edit->palette().color(QPalette::Base), editBase);
}

TEST(WindowRoutines, PasKleurAanWithoutMainWindowTakesTheDesignColour)
{
    QWidget dialog;
    PasKleurAan(&dialog);
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor::fromRgb(RgbWindowBack));
}

TEST(WindowRoutines, AddBitmapToMenuCountsVisibleItems)
{
    QMainWindow w;
    QMenu *first = w.menuBar()->addMenu(QStringLiteral("&Een"));
    QMenu *second = w.menuBar()->addMenu(QStringLiteral("&Twee"));
    first->addAction(QStringLiteral("a"));
    QAction *hidden = second->addAction(QStringLiteral("hidden"));
    second->addSeparator();
    QAction *target = second->addAction(QStringLiteral("target"));
    hidden->setVisible(false);
    QPixmap pic(13, 13);
    pic.fill(Qt::red);
    // Visible items of the second menu: separator (0), target (1).
    AddBitmapToMenu(&w, 1, 1, pic, pic);
    EXPECT_FALSE(target->icon().isNull());
    EXPECT_TRUE(hidden->icon().isNull());
    // Positions that do not exist change nothing.
    AddBitmapToMenu(&w, 1, 2, pic, pic);
    AddBitmapToMenu(&w, 2, 0, pic, pic);
    AddBitmapToMenu(&w, -1, 0, pic, pic);
    EXPECT_TRUE(first->actions()[0]->icon().isNull());
}

class HelpWindowTest : public ::testing::Test {
protected:
    test::TempProgramFolder folder{false};
    void page(const QString &name, const QByteArray &html)
    {
        QDir().mkpath(folder.file(QStringLiteral("Help")));
        QFile f(folder.file(QStringLiteral("Help/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html);
    }
    static HelpWindow *help()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *h = qobject_cast<HelpWindow *>(w); h && h->isVisible())
                return h;
        return nullptr;
    }
};

TEST_F(HelpWindowTest, OpensThePageAndFollowsLinksBetweenPages)
{
    page(QStringLiteral("Inleiding.htm"), "<html><body><p>Welkom bij het brouwen \xe9\xe9n keer</p>"
                                          "<a href=\"MI_R_Storting.htm\">Storting</a></body></html>");
    page(QStringLiteral("MI_R_Storting.htm"), "<html><body><p>De storting</p></body></html>");
    QtServices real;
    Services *old = setServices(&real);
    services().showHelp(QStringLiteral("Inleiding.htm"));
    HelpWindow *h = help();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->currentPage(), "Inleiding.htm");
    auto *browser = h->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("brouwen \u00e9\u00e9n keer")));

    emit browser->anchorClicked(QUrl(QStringLiteral("MI_R_Storting.htm")));
    EXPECT_EQ(h->currentPage(), "MI_R_Storting.htm");
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("De storting")));

    services().showHelp(QStringLiteral("MI_X_Bestaat_niet.htm"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("niet gevonden")));
    h->close();
    setServices(old);
}

TEST_F(HelpWindowTest, GoesBackAndForwardByButtonAndByKey)
{
    for (const char *name : {"A.htm", "B.htm", "C.htm"})
        page(QLatin1String(name), QByteArray("<html><body><p>Pagina ") + name + "</p></body></html>");
    HelpWindow::showPage(QStringLiteral("A.htm"));
    HelpWindow *h = HelpWindow::instance();
    ASSERT_NE(h, nullptr);
    auto *back = h->findChild<QToolButton *>(QStringLiteral("cmdHelpTerug"));
    auto *forward = h->findChild<QToolButton *>(QStringLiteral("cmdHelpVooruit"));
    ASSERT_TRUE(back && forward);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());

    HelpWindow::showPage(QStringLiteral("B.htm"));
    HelpWindow::showPage(QStringLiteral("C.htm"));
    back->click();
    EXPECT_EQ(h->currentPage(), "B.htm");
    QTest::keyClick(h, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(h->currentPage(), "A.htm");
    EXPECT_FALSE(back->isEnabled());
    QTest::keyClick(h, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(h->currentPage(), "B.htm");
    forward->click();
    EXPECT_EQ(h->currentPage(), "C.htm");
    EXPECT_FALSE(forward->isEnabled());

    // A new page after going back drops the pages ahead.
    back->click();
    HelpWindow::showPage(QStringLiteral("A.htm"));
    EXPECT_FALSE(forward->isEnabled());
    back->click();
    EXPECT_EQ(h->currentPage(), "B.htm");
    h->close();
}

TEST_F(HelpWindowTest, EscapeClosesTheWindowWhereverTheFocusIs)
{
    for (const char *name : {"A.htm", "B.htm"})
        page(QLatin1String(name), QByteArray("<html><body><p>Pagina ") + name + "</p></body></html>");
    for (const char *focus : {"txtHelp", "cmdHelpTerug", "frmHelp"}) {
        SCOPED_TRACE(focus);
        HelpWindow::showPage(QStringLiteral("A.htm"));
        HelpWindow::showPage(QStringLiteral("B.htm"));
        QPointer<HelpWindow> h = HelpWindow::instance();
        ASSERT_TRUE(h && h->isVisible());
        QWidget *target = h->objectName() == QLatin1String(focus) ? h.data() : h->findChild<QWidget *>(focus);
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(h.isNull() || !h->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(WindowRoutines, MiddleCutKeepsBothEndsAndWholeLetters)
{
    const QString face = QString::fromUtf16(u"\U0001F37A");  // two UTF-16 units
    struct Case {
        const char *what;
        QString text;
        qsizetype keep;
        QString cut;
    } const cases[] = {
        {"short", QStringLiteral("abc"), 3, QStringLiteral("abc")},
        {"just fits", QStringLiteral("abcdef"), 3, QStringLiteral("abcdef")},
        {"one over", QStringLiteral("abcdefg"), 3, QStringLiteral("abc\u2026efg")},
        {"a pair across the head's end", QStringLiteral("ab") + face + QStringLiteral("cdefgh"), 3,
         QStringLiteral("ab\u2026fgh")},
        {"a pair across the tail's start", QStringLiteral("abcdefg") + face + QStringLiteral("hi"), 3,
         QStringLiteral("abc\u2026hi")},
        {"no room asked", QStringLiteral("abc"), 0, QStringLiteral("a\u2026c")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(middleCut(c.text, c.keep), c.cut) << c.what;

    const QString name = QStringLiteral("Spoelgegevens ") + QString(1'000'000, u'x') + QStringLiteral("Eind");
    const QString title = fittedWindowTitle(name);
    EXPECT_LE(title.size(), 101);
    EXPECT_TRUE(title.startsWith(QStringLiteral("Spoelgegevens x")));
    EXPECT_TRUE(title.endsWith(QStringLiteral("xEind")));
    EXPECT_EQ(fittedWindowTitle(QStringLiteral("Spoelgegevens Blond")), "Spoelgegevens Blond");
}

using test::shownOf;

TEST(WindowRoutines, FittedCaptionShowsAmpersandsAsTypedAndMeasuresWhatIsShown)
{
    const QFontMetrics metrics(QApplication::font());
    const QString name = QStringLiteral(" Brouwschema R&D Tripel 20 L");
    const QString ampersands(400, u'&');
    const int shownWidth = metrics.horizontalAdvance(name);
    struct Case {
        const char *what;
        QString caption;
        int width;
        bool cut;
    } const cases[] = {
        {"room to spare", name, shownWidth + 200, false},
        // Measured as doubled, it would lose its middle for a width it fits.
        {"less than one more \"&\" to spare", name, shownWidth + metrics.horizontalAdvance(u'&') / 2, false},
        {"a narrow frame", name, shownWidth / 2, true},
        {"only ampersands, cut in their run", ampersands, metrics.horizontalAdvance(QStringLiteral("&&&&&&&")), true},
        {"a name of megabytes", QStringLiteral("R&D") + QString(2'000'000, u'&') + QStringLiteral("Tripel"), 300, true},
    };
    for (const Case &c : cases) {
        const QString title = fittedCaption(c.caption, metrics, c.width);
        EXPECT_TRUE(QKeySequence::mnemonic(title).isEmpty()) << c.what << ": a shortcut in " << qPrintable(title);
        EXPECT_EQ(title.count(u'&') % 2, 0) << c.what;
        const QString shown = shownOf(title);
        EXPECT_EQ(shown, fittedText(c.caption, metrics, c.width)) << c.what;
        EXPECT_EQ(shown.contains(QChar(0x2026)), c.cut) << c.what << ": " << qPrintable(shown);
        if (!c.cut) {
            EXPECT_EQ(shown, c.caption) << c.what;
        }
        EXPECT_LE(metrics.horizontalAdvance(shown), c.width) << c.what;
    }
}

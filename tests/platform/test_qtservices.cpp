// The real message boxes and dialogs: a box belongs to the window that asked
// and gives it back the front when it closes; none is parented to a window
// that may go while it is open.

#include "platform/QtServices.h"
#include "platform/WindowRoutines.h"

#include "support/TempProgramFolder.h"
#include "support/widgets/ModalCloser.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QPointer>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(QtServicesParent, ABoxOutlivesTheActiveWindowThatIsDeletedWhileItIsOpen)
{
    QtServices real;
    // The splash as the start-up leaves it (active, its deletion queued), and
    // a window being unloaded (hidden now, deleted later).
    const std::function<void(QWidget *)> leaving[] = {
        [](QWidget *w) { keepBoxesOff(w); },
        [](QWidget *w) {
            keepBoxesOff(w);
            w->hide();
        },
    };
    for (const bool withMain : {false, true})
        for (const auto &leave : leaving) {
            SCOPED_TRACE(withMain ? "main window shown" : "no main window yet");
            QWidget main;
            main.setObjectName(QStringLiteral("frmRecept"));
            if (withMain)
                main.show();

            auto *going = new QWidget;
            going->setObjectName(QStringLiteral("frmInfo"));
            going->show();
            QApplication::setActiveWindow(going);
            leave(going);
            QPointer<QWidget> watch = going;
            going->deleteLater();

            ModalCloser closer;
            EXPECT_EQ(real.msgBox(QStringLiteral("Stel de de korrekte systeem parameters in."), 48,
                                  QStringLiteral("Attentie!")),
                      1);
            EXPECT_TRUE(watch.isNull()) << "the window went while the box was open";
            ASSERT_EQ(closer.titles, QStringList{QStringLiteral("Attentie!")});
            EXPECT_EQ(closer.parents.value(0).data(), withMain ? &main : nullptr);
            EXPECT_EQ(QtServices::dialogParent(), withMain ? &main : nullptr);
            flushDeletes();
        }
}

// A message taller than the screen keeps its buttons in sight: its first
// lines show, and the whole text is under the details, which scroll; a
// message that fits shows whole.
TEST(QtServicesMessage, AMessageTallerThanTheScreenKeepsItsButtonsInSight)
{
    QString manyLines;
    for (int i = 1; i <= 300; ++i)
        manyLines += QStringLiteral("- bitterhop Hop %1: 10 gr, 40 min\r\n").arg(i);
    struct Case {
        const char *what;
        QString prompt;
        bool whole;
    } cases[] = {
        {"a short message", QStringLiteral("Geen profiel gekozen."), true},
        {"three hundred lines", manyLines, false},
        {"one line of a megabyte", QStringLiteral("Reden: ") + QString(1 << 20, u'x'), false},
    };
    QtServices real;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QString shown, details;
        int height = 0, room = 0;
        QTimer look;
        look.setInterval(1);
        QObject::connect(&look, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            look.stop();
            shown = box->text();
            details = box->detailedText();
            height = box->frameGeometry().height();
            room = box->screen()->availableGeometry().height();
            box->close();
        });
        look.start();
        EXPECT_EQ(real.msgBox(c.prompt, 48, QStringLiteral("Attentie!")), 1);
        EXPECT_LE(height, room);
        if (c.whole) {
            EXPECT_EQ(shown, c.prompt);
            EXPECT_TRUE(details.isEmpty());
        } else {
            // The details keep every line (the box's text field ends a line
            // at "\n" alone).
            const QString lines = QString(c.prompt).remove(u'\r');
            EXPECT_EQ(QString(details).remove(u'\r'), lines);
            EXPECT_TRUE(shown.endsWith(QStringLiteral("…")));
            EXPECT_TRUE(lines.startsWith(QString(shown.chopped(1)).remove(u'\r').trimmed()));
        }
    }
}

// A tool window (a calculator) in front of the main window asks for a box:
// the box is its own, and the tool window is active again afterwards.
TEST(QtServicesParent, EachKindOfBoxGivesTheFrontBackToTheWindowThatAskedForIt)
{
    TempProgramFolder folder;
    QtServices real;
    struct Kind {
        const char *name;
        std::function<void()> ask;
    };
    const Kind kinds[] = {
        {"message", [&] { real.msgBox(QStringLiteral("Geen profiel gekozen."), 48, QStringLiteral("Attentie!")); }},
        {"input",
         [&] {
             real.inputBox(QStringLiteral("Naam:"), QStringLiteral("Invoer"), QStringLiteral("x"), InputKind::Text);
         }},
        {"open file",
         [&] { real.openFileName(QStringLiteral("Openen"), folder.path(), QStringLiteral("Tekst (*.txt)")); }},
        {"save file",
         [&] { real.saveFileName(QStringLiteral("Opslaan als"), folder.file("a.txt"), QStringLiteral("(*.txt)")); }},
        {"folder", [&] { real.folderName(QStringLiteral("Zoek"), folder.path()); }},
    };
    QWidget main;
    main.setObjectName(QStringLiteral("frmRecept"));
    main.show();
    QWidget tool;
    tool.setObjectName(QStringLiteral("frmWaterAanpassing"));
    tool.show();
    for (const Kind &k : kinds) {
        SCOPED_TRACE(k.name);
        tool.activateWindow();
        QApplication::setActiveWindow(&tool);
        ASSERT_EQ(QApplication::activeWindow(), &tool);

        ModalCloser closer;
        k.ask();
        ASSERT_EQ(closer.parents.size(), 1);
        EXPECT_EQ(closer.parents[0].data(), &tool);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &tool);
        EXPECT_TRUE(tool.isVisible());
    }
}

// Each file dialog shows size, type and date whole beside a file name. Qt
// gives no public call for the detail view's columns: when a Qt version no
// longer has that view, this fails.
TEST(QtServicesFileDialogs, TheDetailColumnsFitTheirContentsAndTheNameHasRoom)
{
    TempProgramFolder folder;
    QtServices real;
    const std::pair<const char *, std::function<void()>> kinds[] = {
        {"open file", [&] { real.openFileName(QStringLiteral("Openen"), folder.path(), QStringLiteral("(*.txt)")); }},
        {"save file",
         [&] { real.saveFileName(QStringLiteral("Opslaan als"), folder.file("a.txt"), QStringLiteral("(*.txt)")); }},
        {"folder", [&] { real.folderName(QStringLiteral("Zoek"), folder.path()); }},
    };
    for (const auto &[name, ask] : kinds) {
        SCOPED_TRACE(name);
        bool inspected = false;
        QTimer::singleShot(0, qApp, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no file dialog was shown";
                if (QWidget *other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            inspected = true;
            EXPECT_GE(dialog->width(), QtServices::FileDialogLeastSize.width());
            EXPECT_GE(dialog->height(), QtServices::FileDialogLeastSize.height());
            const auto *view = dialog->findChild<QTreeView *>();
            EXPECT_NE(view, nullptr) << "the file dialog has no detail view";
            for (int column = 1; view && column < 4; ++column)
                EXPECT_EQ(view->header()->sectionResizeMode(column), QHeaderView::ResizeToContents) << column;
            dialog->reject();
        });
        ask();
        EXPECT_TRUE(inspected);
    }
}

}  // namespace

// The real message boxes and dialogs: whatever window is active, none is
// parented to a window that may go while it is open.

#include "platform/QtServices.h"

#include "support/widgets/ModalCloser.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

TEST(QtServicesParent, ABoxOutlivesTheActiveWindowThatIsDeletedWhileItIsOpen)
{
    QtServices real;
    for (const bool withMain : {false, true}) {
        SCOPED_TRACE(withMain ? "main window shown" : "no main window yet");
        QWidget main;
        main.setObjectName(QStringLiteral("frmRecept"));
        if (withMain)
            main.show();

        // The splash as the start-up leaves it: active, its deletion queued.
        auto *splash = new QWidget;
        splash->setObjectName(QStringLiteral("frmInfo"));
        splash->show();
        QApplication::setActiveWindow(splash);
        QPointer<QWidget> watch = splash;
        splash->deleteLater();

        ModalCloser closer;
        EXPECT_EQ(
            real.msgBox(QStringLiteral("Stel de de korrekte systeem parameters in."), 48, QStringLiteral("Attentie!")),
            1);
        EXPECT_TRUE(watch.isNull()) << "the splash went while the box was open";
        ASSERT_EQ(closer.titles, QStringList{QStringLiteral("Attentie!")});
        EXPECT_EQ(closer.parents.value(0).data(), withMain ? &main : nullptr);
        EXPECT_EQ(QtServices::dialogParent(), withMain ? &main : nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace

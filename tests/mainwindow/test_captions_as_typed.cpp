// A recipe's own text in a control that reads "&" as its shortcut marker
// shows "&" as typed, in both brew modes and from every writer of the
// main window's frame captions.
#include "test_filecommands_fixture.h"

#include "core/CaptionText.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"
#include "support/widgets/ShownCaption.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>

using namespace mostarium;

namespace {

using test::shownOf;

class CaptionsAsTyped : public test::FileCommandsTest {
protected:
    void typeBeerName(const QString &name)
    {
        trigger("mnuAlgemeen");
        QWidget *d = windows().find(QStringLiteral("frmAlgemeen"));
        ASSERT_NE(d, nullptr);
        auto *box = d->findChild<QLineEdit *>(QStringLiteral("txtAlgBierNaam"));
        ASSERT_NE(box, nullptr);
        box->setText(name);
        d->findChild<QPushButton *>(QStringLiteral("cmdAlgOK"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every frame of the main window: its title has no shortcut letter and
    // shows the model's caption; the two frames named after the beer show it
    // with one "&", as the model, and so the reports, hold it.
    void expectFramesShowTheName(const char *when)
    {
        w->refreshView();
        for (QGroupBox *f : w->findChildren<QGroupBox *>()) {
            EXPECT_TRUE(QKeySequence::mnemonic(f->title()).isEmpty())
                << when << ": " << qPrintable(f->objectName()) << " has a shortcut: " << qPrintable(f->title());
            EXPECT_EQ(f->title(), literalAmpersands(shownOf(f->title()))) << when;
        }
        const std::pair<const char *, QString> named[] = {
            {"fraBrouwSchema", s().view.fraBrouwSchema.caption},
            {"fraEvaluatie", s().view.fraEvaluatie.caption},
        };
        for (const auto &[frame, caption] : named) {
            EXPECT_TRUE(caption.contains(QStringLiteral("R&D Tripel"))) << when << ": " << qPrintable(caption);
            auto *f = w->findChild<QGroupBox *>(QLatin1String(frame));
            ASSERT_NE(f, nullptr) << frame;
            EXPECT_EQ(shownOf(f->title()), caption) << when << ", " << frame;
        }
    }
};

}  // namespace

TEST_F(CaptionsAsTyped, ABeerNameWithAnAmpersandShowsItInEveryFrameOfBothBrewModes)
{
    for (const char *recipe : {"Zomerblond.zlv", "Herfstbok.zlv"}) {
        SCOPED_TRACE(recipe);
        openSample(QLatin1String(recipe));
        typeBeerName(QStringLiteral("R&D Tripel"));
        EXPECT_EQ(s().recipe.Algemeen(0), "R&D Tripel");
        expectFramesShowTheName("after the general data's OK");

        // The recalculation after an open writes the captions anew.
        trigger("mnuOpslaan");
        ASSERT_TRUE(fc->openFile(sample(QLatin1String(recipe))));
        EXPECT_EQ(s().recipe.Algemeen(0), "R&D Tripel");
        EXPECT_EQ(s().app.dubbelBrouw, QLatin1String(recipe) == QLatin1String("Herfstbok.zlv"));
        expectFramesShowTheName("reopened");
    }
}

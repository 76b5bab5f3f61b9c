#include "mainwindow_fixture.h"

#include "core/Optimisers.h"

using namespace mostarium;
using namespace mostarium::test;

namespace {

// While an optimiser is changing the recipe, nothing else may store into it.
class RecipeWhileOptimising : public MainWindowTest {
protected:
    RecipeWhileOptimising() { session().app.optimiserBusy = true; }
    ~RecipeWhileOptimising() override { session().app.optimiserBusy = false; }
};

TEST_F(RecipeWhileOptimising, RecipeDialogsAndTheBrewModeSwitchAreRefused)
{
    for (const char *command : {"mnuDoel", "mnuStorting", "mnuHopgift", "mnuAlgemeen", "mnuDubBrouw"}) {
        SCOPED_TRACE(command);
        fake.clear();
        trigger(command);
        EXPECT_EQ(fake.messages.size(), 1u);
        EXPECT_FALSE(session().app.dubbelBrouw);
    }
    for (const char *window : {"frmDoelstellingen", "frmStorting", "frmHopgift", "frmAlgemeen"})
        EXPECT_FALSE(isOpen(window)) << window;
}

TEST_F(RecipeWhileOptimising, OtherWindowsStillOpen)
{
    trigger("mnuAfdrukken");  // refused for an empty recipe, but by its own rule
    EXPECT_EQ(fake.prompts(), QStringList{QStringLiteral("Niets af te drukken of op te slaan!")});
}

}  // namespace

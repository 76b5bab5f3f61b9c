// Our sample recipes through the grain bill and mash dialogs: OK on an
// unchanged dialog changes nothing but the dialog's own formatting, and the
// schedule shows what the recalculation makes of the stored rows.
#include "core/NumText.h"
#include "core/Recalc.h"
#include "editors/frmMaischSchema.h"
#include "editors/frmStorting.h"

#include "mainwindow/test_filecommands_fixture.h"

#include <QPushButton>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class GrainMashSamplesTest : public FileCommandsTest {
protected:
    void okUnchanged(const char *window, const char *command, const char *okButton)
    {
        trigger(command);
        QWidget *d = windows().find(QLatin1String(window));
        ASSERT_NE(d, nullptr);
        d->findChild<QPushButton *>(QLatin1String(okButton))->click();
        EXPECT_FALSE(d->isVisible()) << window << " refused its own load";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace

TEST_F(GrainMashSamplesTest, OkOnAnUnchangedDialogOnlyFormatsTheShares)
{
    struct Case {
        const char *file;
        bool viaDecoctie;
        int lateRow;  // -1: none
    };
    const Case cases[] = {{"Herfstbok.zlv", true, -1}, {"Zomerblond.zlv", false, 2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        openSample(QLatin1String(c.file));
        const Table2D<QString> storting = s().recipe.Storting;
        const Table2D<float> maisch = s().recipe.Maischschema;
        ASSERT_EQ(s().recipe.ViaDecoctie, c.viaDecoctie);

        okUnchanged("frmStorting", "mnuStorting", "cmdStOK");
        okUnchanged("frmMaischSchema", "mnuMaisSchema", "cmdMSOK");
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));

        const Table2D<QString> &st = s().recipe.Storting;
        ASSERT_EQ(st.rows(), storting.rows());
        ASSERT_EQ(st.cols(), 5);
        for (int i = 0; i < st.rows(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(st(i, StIngred), storting(i, StIngred));
            EXPECT_EQ(st(i, StPerc), num::format(num::strictDouble(storting(i, StPerc)), u"##0.00"));
            EXPECT_EQ(st(i, StBZR), num::format(num::strictDouble(storting(i, StBZR)), u"##0.00"));
            EXPECT_EQ(st(i, StEBC), storting(i, StEBC));
            EXPECT_EQ(st(i, StLaat), storting(i, StLaat));
        }
        EXPECT_EQ(s().recipe.Maischschema, maisch);
        EXPECT_EQ(s().recipe.ViaDecoctie, c.viaDecoctie);

        // The display model as the recalculation makes it of the stored rows.
        Session fresh = s();
        UpdateBrouwschema(fresh);
        for (int i = 0; i < int(s().view.lbl_StIngred.size()); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(s().view.lbl_StIngred[i], fresh.view.lbl_StIngred[i]);
            EXPECT_EQ(s().view.lbl_StIngred[i].text.isEmpty(), i >= st.rows());
        }
        for (int i = 0; i < int(s().view.lbl_MS.size()); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(s().view.lbl_MS[i], fresh.view.lbl_MS[i]);
            EXPECT_EQ(s().view.lbl_MS[i].text.isEmpty(), i >= maisch.rowUbound());
        }
        EXPECT_EQ(s().view.lblMDecoctieStap.text.isEmpty(), !c.viaDecoctie);
        if (c.lateRow >= 0) {
            EXPECT_EQ(s().view.lbl_StIngred[std::size_t(c.lateRow)].toolTip, "Toevoeging tijdens kookfase!");
        }
        EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    }
}

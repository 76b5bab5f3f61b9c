#include "core/Ini.h"
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Session.h"
#include "core/SysParameters.h"
#include "mainwindow/WindowCatalogue.h"
#include "mainwindow/frmSysParameters.h"
#include "platform/NumericEdit.h"
#include "platform/WindowRegistry.h"
#include "support/FakeServices.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class SysParametersWindow : public ::testing::Test {
protected:
    TempProgramFolder folder;
    ScopedFakeServices fake;
    Session &s = session();
    RecipeState saved = s.recipe;

    void SetUp() override
    {
        s.recipe = RecipeState();
        registerWindow(QStringLiteral("frmSysParameters"), session());
    }
    void TearDown() override
    {
        windows().unload(QStringLiteral("frmSysParameters"));
        QApplication::processEvents();
        s.recipe = saved;
    }
    frmSysParameters *open() { return windows().load<frmSysParameters>(QStringLiteral("frmSysParameters")); }
    NumericEdit *box(frmSysParameters *w, const char *name)
    {
        auto *b = w->findChild<NumericEdit *>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    void type(NumericEdit *b, const QString &text)
    {
        b->clear();
        QTest::keyClicks(b, text);
    }
    void click(frmSysParameters *w, const char *name)
    {
        auto *b = w->findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString ini(const char *section, const char *key)
    {
        return ReadINI(paths::file(QStringLiteral("ZYM.ini")), QString::fromLatin1(section), QString::fromLatin1(key),
                       QStringLiteral("<none>"));
    }
};

TEST_F(SysParametersWindow, ShowsTheInstallationsValues)
{
    s.recipe.KetelInhoud = 200;
    s.recipe.FilterKuipInhoud = 150;
    s.recipe.Evaporatie = 8.5f;
    auto *w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Systeem Parameters"));
    EXPECT_EQ(box(w, "txt_SP_KetelInhoud")->text(), QStringLiteral("200"));
    EXPECT_EQ(box(w, "txt_SP_Filterkuip")->text(), QStringLiteral("150"));
    EXPECT_EQ(box(w, "txt_SP_Evaporatie")->text(), QStringLiteral("8.5"));
}

TEST_F(SysParametersWindow, OkStoresTheValuesInTheSettingsFileAndTheState)
{
    auto *w = open();
    type(box(w, "txt_SP_KetelInhoud"), QStringLiteral("22.5"));
    type(box(w, "txt_SP_Filterkuip"), QStringLiteral("60"));
    type(box(w, "txt_SP_FixedVolume"), QStringLiteral("2.5"));
    type(box(w, "txt_SP_DoodVolume"), QStringLiteral("3"));
    type(box(w, "txt_SP_Evaporatie"), QStringLiteral("4.5"));
    type(box(w, "txt_SP_BrouwVerlies"), QStringLiteral("1.2"));
    click(w, "cmdSP_OK");
    EXPECT_EQ(s.recipe.KetelInhoud, 22);  // a half goes to the even neighbour
    EXPECT_FLOAT_EQ(s.recipe.FilterKuipInhoud, 60);
    EXPECT_FLOAT_EQ(s.recipe.FixedVolFilterPlaatBodem, 2.5f);
    EXPECT_FLOAT_EQ(s.recipe.VolFilterPlaatBodem, 3);
    EXPECT_FLOAT_EQ(s.recipe.Evaporatie, 4.5f);
    EXPECT_FLOAT_EQ(s.recipe.BrouwVerlies, 1.2f);
    EXPECT_EQ(ini("SysteemVariabelen", "KetelInhoud"), QStringLiteral("22.5"));
    EXPECT_EQ(ini("SysteemVariabelen", "BrouwVerlies"), QStringLiteral("1.2"));
    EXPECT_EQ(ini("StartUp", "EersteMaal"), QStringLiteral("0"));
    QApplication::processEvents();
    EXPECT_FALSE(windows().isLoaded(QStringLiteral("frmSysParameters")));
}

TEST_F(SysParametersWindow, OkRecalculatesAnOpenRecipe)
{
    const DisplayModel view = s.view;
    s.recipe = singleBrew().recipe;
    UpdateBrouwschema(s);
    ASSERT_EQ(s.view.lbl_L_WortnaSpoelen.fore, RgbBlack);
    auto *w = open();
    type(box(w, "txt_SP_KetelInhoud"), QStringLiteral("10"));
    click(w, "cmdSP_OK");
    EXPECT_EQ(s.recipe.KetelInhoud, 10);
    EXPECT_EQ(s.view.lbl_L_WortnaSpoelen.fore, RgbRed) << "the wort no longer fits the kettle";
    s.view = view;
}

TEST_F(SysParametersWindow, KettleHalvesRoundToEven)
{
    for (auto [text, expected] : {std::pair{"23.5", 24}, {"22.5", 22}, {"199.6", 200}}) {
        auto *w = open();
        type(box(w, "txt_SP_KetelInhoud"), QString::fromLatin1(text));
        click(w, "cmdSP_OK");
        EXPECT_EQ(s.recipe.KetelInhoud, expected) << text;
        QApplication::processEvents();
    }
}

TEST_F(SysParametersWindow, OnlyDigitsAndThePointCanBeTyped)
{
    auto *w = open();
    auto *b = box(w, "txt_SP_Evaporatie");
    b->clear();
    QTest::keyClicks(b, QStringLiteral("4-/a,5"));
    EXPECT_EQ(b->text(), QStringLiteral("4.5")) << "the comma typed is the point, not a lost key";
}

TEST_F(SysParametersWindow, ARefusedBoxTurnsRedSaysItsBoundsAndNothingIsStored)
{
    struct Case {
        const char *box;
        SysParam p;
        const char *text;
    } cases[] = {
        {"txt_SP_KetelInhoud", SpKetel, "40000"},     {"txt_SP_KetelInhoud", SpKetel, ""},
        {"txt_SP_KetelInhoud", SpKetel, "0"},         {"txt_SP_KetelInhoud", SpKetel, "0.5"},
        {"txt_SP_KetelInhoud", SpKetel, "32767.5"},   {"txt_SP_Evaporatie", SpEvaporatie, ""},
        {"txt_SP_Evaporatie", SpEvaporatie, "0"},     {"txt_SP_Filterkuip", SpFilterkuip, "0.0"},
        {"txt_SP_Filterkuip", SpFilterkuip, "99999"}, {"txt_SP_FixedVolume", SpFixedVolume, ""},
        {"txt_SP_DoodVolume", SpDoodVolume, "."},     {"txt_SP_BrouwVerlies", SpBrouwVerlies, "1.2.3"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.box) + "=" + c.text);
        s.recipe = RecipeState();
        auto *w = open();
        type(box(w, c.box), QString::fromLatin1(c.text));
        click(w, "cmdSP_OK");
        EXPECT_TRUE(box(w, c.box)->isBad());
        EXPECT_EQ(box(w, c.box)->toolTip(), sysParamBounds(c.p));
        for (const char *other : {"txt_SP_KetelInhoud", "txt_SP_DoodVolume", "txt_SP_BrouwVerlies"})
            if (QLatin1String(other) != QLatin1String(c.box)) {
                EXPECT_FALSE(box(w, other)->isBad()) << other;
            }
        EXPECT_EQ(ini("SysteemVariabelen", "KetelInhoud"), QStringLiteral("<none>")) << "nothing written";
        EXPECT_EQ(ini("SysteemVariabelen", "BrouwVerlies"), QStringLiteral("<none>"));
        EXPECT_EQ(s.recipe.KetelInhoud, 200);
        EXPECT_EQ(s.recipe.BrouwVerlies, 0);
        EXPECT_TRUE(windows().isLoaded(QStringLiteral("frmSysParameters")));
        windows().unload(QStringLiteral("frmSysParameters"));
        QApplication::processEvents();
    }
    EXPECT_TRUE(fake.prompts().isEmpty());
}

TEST_F(SysParametersWindow, AMendedBoxTurnsWhiteAgainWithItsOwnToolTip)
{
    auto *w = open();
    NumericEdit *loss = box(w, "txt_SP_BrouwVerlies");
    const QString designed = loss->toolTip();
    type(loss, QStringLiteral("1.2.3"));
    click(w, "cmdSP_OK");
    ASSERT_TRUE(loss->isBad());
    EXPECT_TRUE(loss->toolTip().contains(QStringLiteral("32767")));
    type(loss, QStringLiteral("1.5"));
    click(w, "cmdSP_OK");
    EXPECT_FALSE(loss->isBad());
    EXPECT_EQ(loss->toolTip(), designed);
    EXPECT_FLOAT_EQ(s.recipe.BrouwVerlies, 1.5f);
}

TEST_F(SysParametersWindow, CancelStoresNothing)
{
    auto *w = open();
    type(box(w, "txt_SP_KetelInhoud"), QStringLiteral("50"));
    click(w, "cmdSP_Annuleren");
    EXPECT_EQ(s.recipe.KetelInhoud, 200);
    EXPECT_EQ(ini("SysteemVariabelen", "KetelInhoud"), QStringLiteral("<none>"));
}

TEST_F(SysParametersWindow, HelpOpensItsTopic)
{
    auto *w = open();
    auto *help = w->findChild<QWidget *>(QStringLiteral("picSP_Help"));
    ASSERT_NE(help, nullptr);
    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{QStringLiteral("MI_V_SysteemParameters.htm")});
}

}  // namespace

// ResetRecept: the recipe, the schedule and every recipe dialog.

#include "core/Session.h"
#include "mainwindow/ResetRecept.h"
#include "platform/WindowRegistry.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

using namespace mostarium;

namespace {

// Stand-in dialogs under the recipe dialogs' names, removed again afterwards.
class ResetFixture : public ::testing::Test {
protected:
    QStringList registered;

    void SetUp() override
    {
        for (const QString &name : receptDialogen() + QStringList{QStringLiteral("frmTestRekenaar")}) {
            if (windows().hasFactory(name))
                continue;
            windows().registerFactory(name, [name] {
                auto *w = new QWidget;
                w->setObjectName(name);
                return w;
            });
            registered << name;
        }
    }
    void TearDown() override
    {
        for (const QString &name : registered) {
            windows().unload(name);
            windows().unregisterFactory(name);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

Session changedRecipe()
{
    Session s;
    RecipeState &r = s.recipe;
    s.app.dubbelBrouw = true;
    s.app.wizardActief = true;
    s.app.fileName = QStringLiteral("/recepten/Bock.zlv");
    r.ReceptStatus = 1023;
    r.ReceptGewijzigd = true;
    r.ViaDecoctie = true;
    r.SpoelenTot = 4.5f;
    r.ReceptNaam = QStringLiteral("Bock");
    r.Aantekening = QStringLiteral("oude notities");
    r.InRecept = 1;
    r.Biersoort1 = QStringLiteral("Bokbier");
    r.Kenmerken[0] = QStringLiteral("goud");
    r.Doelstellingen.redim(10);
    r.Storting.redim(4, 4);
    r.Evaluatie.redim(2, 0);
    r.OGSG = 1068;
    r.EvEBC2 = 30;
    r.OGGL2 = 80;
    r.OmslagL = 12;
    r.OmslagPlato = 6;
    r.TotaalExtract = 4000;
    r.KleurEBC2 = 12;
    r.CoefficientA = 0.5f;
    r.ReceptAttr = 1;
    r.ReceptPath = QStringLiteral("/recepten");
    r.ReceptEvaporatie = 30;
    for (float *d : {&r.OGSG2,         &r.OGGL,     &r.TotaleStorting,  &r.StortingMaisch, &r.BZRMaisch,
                     &r.BeslaanVolume, &r.HWSG,     &r.HoofdwortVolume, &r.VrijeHoofdwort, &r.SpoelwortVolume,
                     &r.Spoelwater,    &r.AromaEBU, &r.KleurEBC,        &r.EvAlc,          &r.EvAlc2,
                     &r.EvBZR,         &r.EvBZR2,   &r.EvSVG,           &r.EvSVG2,         &r.EvEBU,
                     &r.EvEBU2,        &r.EvEBC})
        *d = 1;
    s.view.panels[7].text = s.app.fileName;
    s.view.panels[2].enabled = true;
    r.KetelInhoud = 120;
    r.Revision = QStringLiteral("Rev. 1.00 [0] 1 januari 2026");
    s.view.fraBrouwSchema.caption = QStringLiteral("Bock Brouwschema ");
    s.view.fraBrouwSchema.visible = true;
    s.view.fraEvalEv2.visible = true;
    s.view.lbl_StIngred[3].back = RgbLateGrain;
    s.view.lbl_StIngred[3].toolTip = QStringLiteral("laat");
    s.view.lbl_vol_maisch.toolTip = QStringLiteral("blijft");
    s.view.lbl_vol_maisch.back = RgbRed;
    s.view.lbl_Ahop[2].toolTip = QStringLiteral("hop");
    return s;
}

}  // namespace

TEST_F(ResetFixture, EmptiesTheRecipeAndKeepsTheInstallation)
{
    Session s = changedRecipe();
    ResetRecept(s);
    const RecipeState &r = s.recipe;

    EXPECT_FALSE(s.app.wizardActief);
    EXPECT_EQ(r.ReceptStatus, 0);
    EXPECT_FALSE(r.ReceptGewijzigd);
    EXPECT_FALSE(r.ViaDecoctie);
    EXPECT_EQ(r.SpoelenTot, 3.0f);
    EXPECT_EQ(r.ReceptNaam, QString());
    // Nothing of the previous recipe carries over.
    EXPECT_EQ(r.Aantekening, QString());
    EXPECT_EQ(r.InRecept, 0);
    EXPECT_EQ(r.Biersoort1, QString());
    EXPECT_EQ(r.Kenmerken[0], QString());
    // Reset shapes.
    EXPECT_EQ(r.Doelstellingen.ubound(), 0);
    EXPECT_EQ(r.Storting.rowUbound(), 0);
    EXPECT_EQ(r.Storting.colUbound(), 5);
    EXPECT_EQ(r.Evaluatie.colUbound(), 1);
    EXPECT_EQ(r.Aromahop.colUbound(), 6);
    EXPECT_EQ(r.Gistkeuze.ubound(), 10);
    for (float d : {r.OGSG,
                    r.OGSG2,
                    r.OGGL,
                    r.TotaleStorting,
                    r.StortingMaisch,
                    r.BZRMaisch,
                    r.BeslaanVolume,
                    r.HWSG,
                    r.HoofdwortVolume,
                    r.VrijeHoofdwort,
                    r.SpoelwortVolume,
                    r.Spoelwater,
                    r.AromaEBU,
                    r.KleurEBC,
                    r.EvAlc,
                    r.EvAlc2,
                    r.EvBZR,
                    r.EvBZR2,
                    r.EvSVG,
                    r.EvSVG2,
                    r.EvEBU,
                    r.EvEBU2,
                    r.EvEBC,
                    r.EvEBC2})
        EXPECT_EQ(d, 0.0f);
    EXPECT_FALSE(s.view.panels[2].enabled);  // the targets' panel

    // What stays: brew mode, file name, installation, revision, the values
    // the recalculation keeps.
    EXPECT_TRUE(s.app.dubbelBrouw);
    EXPECT_EQ(s.app.fileName, QStringLiteral("/recepten/Bock.zlv"));
    EXPECT_EQ(r.KetelInhoud, 120);
    EXPECT_FALSE(r.Revision.isEmpty());
    EXPECT_EQ(r.OGGL2, 80.0f);
    EXPECT_EQ(r.OmslagL, 12.0f);
    EXPECT_EQ(r.OmslagPlato, 6.0f);
    EXPECT_EQ(r.TotaalExtract, 4000.0f);
    EXPECT_EQ(r.KleurEBC2, 12.0f);
    EXPECT_EQ(r.CoefficientA, 0.5f);
    EXPECT_EQ(r.ReceptAttr, 1);
    EXPECT_EQ(r.ReceptPath, QStringLiteral("/recepten"));
    EXPECT_EQ(r.ReceptEvaporatie, 30.0f);
    EXPECT_EQ(s.view.panels[7].text, s.app.fileName);
}

TEST_F(ResetFixture, RestoresTheBlankSchedule)
{
    Session s = changedRecipe();
    ResetRecept(s);
    const DisplayModel &v = s.view;
    EXPECT_EQ(v.fraBrouwSchema.caption, QStringLiteral(" Brouwschema "));
    EXPECT_EQ(v.fraEvaluatie.caption, QStringLiteral(" Evaluatie "));
    EXPECT_EQ(v.fraBSIngrdienten.caption, QStringLiteral(" Ingredienten storting "));
    EXPECT_FALSE(v.fraBrouwSchema.visible);
    EXPECT_FALSE(v.fraEvaluatie.visible);
    EXPECT_FALSE(v.fraEvalEv2.visible);
    EXPECT_FALSE(v.lbl_StIngred[3].back.has_value());
    EXPECT_EQ(v.lbl_StIngred[3].toolTip, QString());
    EXPECT_EQ(v.lbl_Ahop[2].toolTip, QString());
    EXPECT_FALSE(v.lbl_vol_maisch.back.has_value());
    EXPECT_EQ(v.lbl_vol_maisch.toolTip, QStringLiteral("blijft"));
}

TEST_F(ResetFixture, ClosesEveryRecipeDialogAndNothingElse)
{
    QList<QPointer<QWidget>> dialogs;
    for (const QString &name : receptDialogen()) {
        QWidget *w = windows().show(name);
        ASSERT_NE(w, nullptr) << name.toStdString();
        dialogs << w;
    }
    QPointer<QWidget> other = windows().show(QStringLiteral("frmTestRekenaar"));
    ASSERT_NE(other, nullptr);

    Session s = changedRecipe();
    ResetRecept(s);
    for (const QString &name : receptDialogen())
        EXPECT_FALSE(windows().isLoaded(name)) << name.toStdString();
    EXPECT_TRUE(windows().isLoaded(QStringLiteral("frmTestRekenaar")));

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto &d : dialogs)
        EXPECT_TRUE(d.isNull());
    EXPECT_FALSE(other.isNull());

    // A reset with nothing open is harmless.
    ResetRecept(s);
}

// The question about a recipe's differing system parameters.

#include "core/Cp1252.h"
#include "core/DisplayModel.h"
#include "core/RecipeState.h"
#include "core/Session.h"
#include "core/SysParamCompare.h"
#include "mainwindow/OpenRecept.h"
#include "mainwindow/frmSysteemParametersAanpassen.h"
#include "platform/WindowRegistry.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

using namespace mostarium;
using namespace mostarium::test;

namespace {

void installation(RecipeState &r)
{
    r.KetelInhoud = 200;
    r.FixedVolFilterPlaatBodem = 8;
    r.VolFilterPlaatBodem = 8;
    r.Evaporatie = 25;
    r.FilterKuipInhoud = 150;
    r.BrouwVerlies = 0;
}

void recipeValues(RecipeState &r, float ketel)
{
    r.ReceptKetelInhoud = ketel;
    r.ReceptFixedVolFilterPlaatBodem = 6;
    r.ReceptVolFilterPlaatBodem = 7;
    r.ReceptEvaporatie = 12.5f;
    r.ReceptFilterKuipInhoud = 100;
    r.ReceptBrouwVerlies = 2;
}

class SysParamQuestion : public ::testing::Test {
protected:
    ScopedFakeServices fake;
    Session s;
    bool handled = false;
    // Context of the pending looks for the question: a look that outlives its
    // test would reach a gone fixture, or answer the next test's question.
    std::unique_ptr<QObject> pending = std::make_unique<QObject>();

    void SetUp() override { installation(s.recipe); }
    void TearDown() override
    {
        pending.reset();
        // A failed test must not leave a modal window that blocks the rest.
        while (QWidget *w = QApplication::activeModalWidget())
            w->close();
    }

    // Runs `act` on the question once it stands.
    void whenShown(std::function<void(frmSysteemParametersAanpassen *)> act, int tries = 50)
    {
        QTimer::singleShot(0, pending.get(), [this, act, tries] {
            auto *dlg = qobject_cast<frmSysteemParametersAanpassen *>(QApplication::activeModalWidget());
            if (!dlg) {
                if (tries > 0)
                    whenShown(act, tries - 1);
                return;
            }
            handled = true;
            act(dlg);
        });
    }

    static void click(QWidget *dlg, const char *name)
    {
        auto *b = dlg->findChild<QPushButton *>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }
};

}  // namespace

TEST(SysParamCompare, DifferenceAndAdoption)
{
    RecipeState r;
    installation(r);
    auto from = [](QHash<QString, QString> stored) {
        return [stored](const QString &key, const QString &def) { return stored.value(key, def); };
    };
    EXPECT_FALSE(ReadReceptSysteemParameters(r, from({{"Evaporatie", "25.0"}, {"KetelInhoud", " 200 "}})));
    EXPECT_TRUE(ReadReceptSysteemParameters(r, from({{"BrouwVerlies", "0.1"}})));

    struct Case {
        float ketel;
        bool taken;
        int want;
    };
    for (const Case &c : {Case{150.5f, true, 150}, Case{151.5f, true, 152}, Case{40000, false, 200}}) {
        RecipeState t;
        installation(t);
        recipeValues(t, c.ketel);
        EXPECT_EQ(NeemReceptSysteemParametersOver(t), c.taken) << c.ketel;
        EXPECT_EQ(t.KetelInhoud, c.want) << c.ketel;
        EXPECT_EQ(t.Evaporatie, c.taken ? 12.5f : 25.0f) << c.ketel;
    }
}

TEST_F(SysParamQuestion, ShowsBothColumnsAndAdoptsTheRecipeValues)
{
    recipeValues(s.recipe, 150.5f);
    s.recipe.Algemeen(0) = QStringLiteral("R&D Herfstbok");
    QString title, frame, installatieKetel, receptKetel, receptEvaporatie;
    QColor back, buttonBack, frameBack;
    whenShown([&](frmSysteemParametersAanpassen *dlg) {
        title = dlg->windowTitle();
        back = dlg->palette().color(QPalette::Window);
        buttonBack =
            dlg->findChild<QPushButton *>(QStringLiteral("cmdSP_Overnemen"))->palette().color(QPalette::Button);
        frameBack = dlg->findChild<QGroupBox *>(QStringLiteral("fraSP_Recept"))->palette().color(QPalette::Window);
        frame = dlg->findChild<QGroupBox *>(QStringLiteral("fraSP_Recept"))->title();
        installatieKetel = dlg->findChild<QLineEdit *>(QStringLiteral("txt_SPA_KetelInhoud"))->text();
        receptKetel = dlg->findChild<QLineEdit *>(QStringLiteral("txt_SPAR_KetelInhoud"))->text();
        receptEvaporatie = dlg->findChild<QLineEdit *>(QStringLiteral("txt_SPAR_Evaporatie"))->text();
        // Edits in the boxes are not taken.
        dlg->findChild<QLineEdit *>(QStringLiteral("txt_SPAR_Filterkuip"))->setText(QStringLiteral("999"));
        click(dlg, "cmdSP_Overnemen");
    });
    ShowSysteemParametersAanpassen(s);
    ASSERT_TRUE(handled);
    EXPECT_EQ(title, QStringLiteral("Systeem Parameters Aanpassen?"));
    // The main window's background, on the window and its controls.
    EXPECT_EQ(back, QColor::fromRgb(RgbWindowBack));
    EXPECT_EQ(buttonBack, back);
    EXPECT_EQ(frameBack, back);
    // The beer's "&" shown as typed, not as a shortcut marker.
    EXPECT_EQ(frame, QStringLiteral("R&&D Herfstbok Recept "));
    EXPECT_EQ(installatieKetel, QStringLiteral("200"));
    EXPECT_EQ(receptKetel, QStringLiteral("150.5"));
    EXPECT_EQ(receptEvaporatie, QStringLiteral("12.5"));
    EXPECT_EQ(s.recipe.KetelInhoud, 150);
    EXPECT_EQ(s.recipe.FilterKuipInhoud, 100.0f);
    EXPECT_EQ(s.recipe.FixedVolFilterPlaatBodem, 6.0f);
    EXPECT_EQ(s.recipe.VolFilterPlaatBodem, 7.0f);
    EXPECT_EQ(s.recipe.Evaporatie, 12.5f);
    EXPECT_EQ(s.recipe.BrouwVerlies, 2.0f);
}

TEST_F(SysParamQuestion, KeepChangesNothingAndTheSplashGoesFirst)
{
    // The about window may still stand as the splash; it must not cover the question.
    const QString info = QStringLiteral("frmInfo");
    const bool standIn = !windows().hasFactory(info);
    if (standIn)
        windows().registerFactory(info, [] { return new QWidget; });
    ASSERT_NE(windows().show(info), nullptr);

    recipeValues(s.recipe, 150);
    bool splashGone = false;
    whenShown([&](frmSysteemParametersAanpassen *dlg) {
        splashGone = !windows().isLoaded(info);
        click(dlg, "cmdSP_NietOvernemen");
    });
    ShowSysteemParametersAanpassen(s);
    ASSERT_TRUE(handled);
    EXPECT_TRUE(splashGone);
    EXPECT_EQ(s.recipe.KetelInhoud, 200);
    EXPECT_EQ(s.recipe.Evaporatie, 25.0f);

    if (standIn)
        windows().unregisterFactory(info);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(SysParamQuestion, KettleOutOfRangeKeepsTheWindowOpen)
{
    recipeValues(s.recipe, 40000);
    bool stillOpen = false;
    whenShown([&](frmSysteemParametersAanpassen *dlg) {
        click(dlg, "cmdSP_Overnemen");
        stillOpen = dlg->isVisible();
        click(dlg, "cmdSP_NietOvernemen");
    });
    ShowSysteemParametersAanpassen(s);
    ASSERT_TRUE(handled);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(s.recipe.KetelInhoud, 200);
    EXPECT_EQ(s.recipe.Evaporatie, 25.0f);
}

TEST_F(SysParamQuestion, OpenReceptAsksAfterReadingAndShowsTheFrames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Anders.zlv"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(cp1252::encode(QStringLiteral("[ReceptStatus]\r\nStatus=1\r\n[Doelstellingen]\r\nBrouw=Dubbel\r\n"
                                          "Volume1=20\r\nVolume2=10\r\n[SysteemParameters]\r\nKetelInhoud=120\r\n")));
    f.close();

    int layouts = 0;
    bool layoutBeforeQuestion = false;
    whenShown([&](frmSysteemParametersAanpassen *dlg) {
        layoutBeforeQuestion = layouts == 1;
        click(dlg, "cmdSP_Overnemen");
    });
    EXPECT_TRUE(OpenRecept(s, path, [&] { ++layouts; }));
    EXPECT_TRUE(handled);
    EXPECT_TRUE(layoutBeforeQuestion);
    EXPECT_EQ(layouts, 1);
    EXPECT_TRUE(s.app.dubbelBrouw);
    EXPECT_EQ(s.app.fileName, path);
    EXPECT_EQ(s.recipe.KetelInhoud, 120);
    EXPECT_TRUE(s.view.fraBrouwSchema.visible);
    EXPECT_TRUE(fake.messages.empty());

    // The same recipe again asks nothing now.
    handled = false;
    whenShown([](frmSysteemParametersAanpassen *dlg) { click(dlg, "cmdSP_NietOvernemen"); });
    EXPECT_TRUE(OpenRecept(s, path));
    QCoreApplication::processEvents();
    EXPECT_FALSE(handled);
}

TEST_F(SysParamQuestion, OpenReceptOfADamagedFileShowsTheMessageOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kapot.zlv"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[ReceptStatus]\r\nStatus=4\r\n[Storting]\r\nAantal=veel\r\n[SysteemParameters]\r\nKetelInhoud=1\r\n");
    f.close();

    int layouts = 0;
    s.app.fileName = path;
    whenShown([](frmSysteemParametersAanpassen *dlg) { click(dlg, "cmdSP_NietOvernemen"); });
    EXPECT_FALSE(OpenRecept(s, path, [&] { ++layouts; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(layouts, 0);
    EXPECT_FALSE(handled);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Fout in openen recept! Controleer inhoud bestand!"));
    EXPECT_EQ(fake.messages[0].style, mb::OKOnly + mb::Exclamation);
    EXPECT_EQ(fake.busyDepth, 0);
    EXPECT_EQ(s.recipe.ReceptStatus, 0);
    EXPECT_TRUE(s.app.fileName.isEmpty());
    EXPECT_FALSE(s.view.fraBrouwSchema.visible);
}

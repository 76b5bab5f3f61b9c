// The sparge dialog in the real main window: opening, the check, OK and
// Cancel, the focus-loss updates, the switch-over, the picture and the
// read-out.
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Recalc.h"
#include "core/RecipeFileReader.h"
#include "core/Spoelcurve.h"
#include "core/SysParamCompare.h"
#include "core/WholeFile.h"
#include "editors/RecipeDialog.h"
#include "editors/frmSpoelen.h"
#include "platform/NumericEdit.h"

#include "mainwindow/mainwindow_fixture.h"
#include "support/RecipeBuilders.h"

#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QPushButton>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// Another recipe dialog whose OK recalculates.
class OtherDialog : public RecipeDialog {
public:
    OtherDialog(Session &s, Services &svc) : RecipeDialog(QStringLiteral("frmStorting"), s, svc) {}

protected:
    void store() override {}
};

class SpoelenTest : public MainWindowTest {
protected:
    SpoelenTest() { QDir(folder.path()).mkpath(QStringLiteral("temp")); }

    void load(Session s)
    {
        session() = std::move(s);
        UpdateBrouwschema(session());
    }
    frmSpoelen *open()
    {
        trigger("mnuSpoelen");
        return windows().find<frmSpoelen>(QStringLiteral("frmSpoelen"));
    }
    static NumericEdit *box(frmSpoelen *d, const char *name) { return d->findChild<NumericEdit *>(name); }
    static QString text(frmSpoelen *d, const char *name) { return d->findChild<QLabel *>(name)->text(); }
    static void click(frmSpoelen *d, const char *name) { d->findChild<QPushButton *>(name)->click(); }
    static void leaveBox(NumericEdit *b, Qt::FocusReason why = Qt::TabFocusReason)
    {
        QFocusEvent out(QEvent::FocusOut, why);
        QCoreApplication::sendEvent(b, &out);
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

}  // namespace

TEST_F(SpoelenTest, OpensFromMenuToolbarAndWizardWithItsCurve)
{
    load(singleBrew());
    frmSpoelen *d = open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Spoelgegevens Blond");
    EXPECT_TRUE(d->hasMouseTracking());
    ASSERT_TRUE(d->hasCurve());
    const int n = d->curve()->N;
    EXPECT_EQ(n, qRound(session().recipe.VrijeHoofdwort + session().recipe.SpoelwortVolume));
    EXPECT_EQ(d->curve()->data.rowUbound(), n + 1);
    EXPECT_EQ(box(d, "txtSPSpoelenTot")->text(), "3.0");
    EXPECT_EQ(box(d, "txtSPSpoelenTot")->toolTip(), "Grenswaarden: 3 of meer en kleiner dan OG Hoofdwort");
    EXPECT_EQ(text(d, "lblSPVolWort"), session().view.spoelen.lblSPVolWort);
    EXPECT_FALSE(d->findChild<QLabel *>("lblSPWisselSG")->isVisibleTo(d)) << "single brew";
    EXPECT_TRUE(QFile::exists(SpoelcurveTekstBestand()));
    click(d, "cmdSpoelAnnuleer");
    settle();
    EXPECT_FALSE(isOpen("frmSpoelen"));

    clickButton("Spoelcurve");
    EXPECT_TRUE(isOpen("frmSpoelen"));
    windows().unload(QStringLiteral("frmSpoelen"));
    settle();

    // In the wizard the mash schedule's OK leads here and this OK to the hops.
    session().app.wizardActief = true;
    EXPECT_EQ(wizardSuccessor(QStringLiteral("frmMaischSchema"), false), "frmSpoelen");
    d = open();
    click(d, "cmdSpoelOK");
    settle();
    EXPECT_FALSE(isOpen("frmSpoelen"));
    EXPECT_TRUE(isOpen("frmHopgift"));
    EXPECT_TRUE(session().app.wizardActief);
}

// The title goes to the window manager whole: a name of a megabyte is cut to
// its start and its end, and the recipe keeps it whole.
TEST_F(SpoelenTest, ALongNameGivesAShortTitle)
{
    Session s = singleBrew();
    const QString name = QStringLiteral("Blond") + QString(1'000'000, u'x') + QStringLiteral("Eind ");
    s.recipe.Algemeen(0) = name;
    load(std::move(s));
    frmSpoelen *d = open();
    ASSERT_NE(d, nullptr);
    const QString title = d->windowTitle();
    EXPECT_LE(title.size(), 101);
    EXPECT_TRUE(title.startsWith(QStringLiteral("Spoelgegevens Blondxx"))) << qPrintable(title);
    EXPECT_TRUE(title.endsWith(QStringLiteral("xxEind"))) << qPrintable(title);
    EXPECT_TRUE(title.contains(QChar(0x2026))) << qPrintable(title);
    EXPECT_TRUE(session().recipe.Algemeen(0) == name);
}

TEST_F(SpoelenTest, WithoutAFirstWortThereIsNoCurveAndNoReadOut)
{
    Session s;
    setTargets(s, {20, 5, 1012, 30, 5});
    load(std::move(s));
    frmSpoelen *d = open();
    EXPECT_FALSE(d->hasCurve());
    EXPECT_TRUE(d->chart().isNull());
    EXPECT_EQ(text(d, "lblSPVolWort"), "Wort na spoelen (L):");
    EXPECT_EQ(box(d, "txtSPSpoelenTot")->text(), "");
    QTest::mouseMove(d, QPoint(300, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 300), QPointF(300, 300), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(d, &move);
    EXPECT_EQ(text(d, "lblSPCoordinaten"), "");
}

TEST_F(SpoelenTest, AFailedCheckKeepsTheDialogOpenWhateverTheStatus)
{
    struct Case {
        const char *what, *t, *m;
        bool tRed, mRed;
    };
    const Case cases[] = {
        {"T 2.9", "2.9", nullptr, true, false},
        {"T equal to M", "12", "12", true, false},
        {"M far off", "3", "30", false, true},
    };
    for (int status : {5, 15}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.what) + " status " + std::to_string(status));
            load(singleBrew());
            session().recipe.ReceptStatus = std::int16_t(status);
            session().app.wizardActief = true;
            frmSpoelen *d = open();
            box(d, "txtSPSpoelenTot")->setText(QLatin1String(c.t));
            if (c.m)
                box(d, "txtSpWerkelijkSGHoofdwort")->setText(QLatin1String(c.m));
            click(d, "cmdSpoelOK");
            settle();
            EXPECT_TRUE(isOpen("frmSpoelen"));
            EXPECT_EQ(box(d, "txtSPSpoelenTot")->isBad(), c.tRed);
            EXPECT_EQ(box(d, "txtSpWerkelijkSGHoofdwort")->isBad(), c.mRed);
            EXPECT_EQ(session().recipe.SpoelenTot, 3.f);
            EXPECT_FALSE(session().recipe.ReceptGewijzigd);
            EXPECT_FALSE(isOpen("frmHopgift")) << "the wizard waits";
            windows().unload(QStringLiteral("frmSpoelen"));
            settle();
        }
    }
}

TEST_F(SpoelenTest, OkStoresTheGravityAndMarksAChangeOnlyWhenThereIsOne)
{
    for (const char *typed : {"3.0", "4"}) {
        SCOPED_TRACE(typed);
        load(singleBrew());
        frmSpoelen *d = open();
        box(d, "txtSPSpoelenTot")->setText(QLatin1String(typed));
        click(d, "cmdSpoelOK");
        settle();
        EXPECT_FALSE(isOpen("frmSpoelen"));
        EXPECT_EQ(session().recipe.SpoelenTot, float(num::val(QString::fromLatin1(typed))));
        EXPECT_EQ(session().recipe.ReceptGewijzigd, QLatin1String(typed) == QLatin1String("4"));
        EXPECT_EQ(session().recipe.ReceptStatus, 15) << "no bit of its own";
        EXPECT_TRUE(session().view.fraBrouwSchema.visible);
    }
}

TEST_F(SpoelenTest, LeavingABoxRecomputesWithTheTypedValueAndCancelPutsBack)
{
    load(singleBrew());
    const RecipeState before = session().recipe;
    frmSpoelen *d = open();
    const int n = d->curve()->N;
    NumericEdit *tot = box(d, "txtSPSpoelenTot");

    // Switching to another window is no focus loss.
    tot->setText(QStringLiteral("5"));
    leaveBox(tot, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(session().recipe.SpoelwortVolume, before.SpoelwortVolume);

    leaveBox(tot);
    EXPECT_EQ(session().recipe.SpoelenTot, 3.f) << "not stored before OK";
    EXPECT_LT(session().recipe.SpoelwortVolume, before.SpoelwortVolume);
    EXPECT_LT(d->curve()->N, n);
    EXPECT_EQ(text(d, "lblSPVolWort"), session().view.spoelen.lblSPVolWort);
    QByteArray dump;
    readWholeFile(SpoelcurveTekstBestand(), MaxTextFileSize, dump);
    EXPECT_TRUE(dump.startsWith("Spoelen tot (plato) 5\r\n"));

    // A refused value only colours.
    const float volume = session().recipe.SpoelwortVolume;
    tot->setText(QStringLiteral("2"));
    leaveBox(tot);
    EXPECT_TRUE(tot->isBad());
    EXPECT_EQ(session().recipe.SpoelwortVolume, volume);

    // A measured first wort replaces HWSG.
    tot->setText(QStringLiteral("3.0"));
    NumericEdit *measured = box(d, "txtSpWerkelijkSGHoofdwort");
    measured->setText(QStringLiteral("14"));
    leaveBox(measured);
    EXPECT_FALSE(tot->isBad());
    EXPECT_EQ(session().recipe.HWSG, PlatoToSG(14));

    session().app.wizardActief = true;
    click(d, "cmdSpoelAnnuleer");
    settle();
    EXPECT_FALSE(isOpen("frmSpoelen"));
    EXPECT_FALSE(session().app.wizardActief);
    EXPECT_EQ(session().recipe.SpoelenTot, 3.f);
    EXPECT_EQ(session().recipe.HWSG, before.HWSG) << "recalculated";
    EXPECT_EQ(session().recipe.SpoelwortVolume, before.SpoelwortVolume);
}

TEST_F(SpoelenTest, AnotherDialogsOkClosesTheSpargeDialog)
{
    ScopedFactories other;
    other.set(QStringLiteral("frmStorting"), [] { return new OtherDialog(session(), services()); });
    load(singleBrew());
    open();
    auto *storting = static_cast<OtherDialog *>(windows().show(QStringLiteral("frmStorting")));
    storting->ok();
    settle();
    EXPECT_FALSE(isOpen("frmSpoelen"));
}

TEST_F(SpoelenTest, SwitchOverIsTheSchedules)
{
    Session herfstbok;
    {
        const OpenResult r = readRecipeFile(herfstbok, folder.file(QStringLiteral("Recepten/Herfstbok.zlv")));
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        if (r.systeemParametersVerschillen)
            NeemReceptSysteemParametersOver(herfstbok.recipe);
    }
    const std::pair<const char *, Session> cases[] = {{"doubleBrew", doubleBrew()}, {"Herfstbok", herfstbok}};
    for (const auto &[what, recipe] : cases) {
        SCOPED_TRACE(what);
        load(recipe);
        const RecipeState r = session().recipe;
        ASSERT_TRUE(session().app.dubbelBrouw);
        ASSERT_TRUE(session().view.lbl_VolOvergang.visible);
        frmSpoelen *d = open();
        EXPECT_EQ(session().recipe.OmslagL, r.OmslagL);
        EXPECT_EQ(session().recipe.OmslagPlato, r.OmslagPlato);
        auto *volume = d->findChild<QLabel *>("lblSPWisselVolume");
        auto *gravity = d->findChild<QLabel *>("lblSPWisselSG");
        EXPECT_TRUE(volume->isVisibleTo(d));
        EXPECT_TRUE(gravity->isVisibleTo(d));
        const QString litres = session().view.lbl_VolOvergang.text.section(u'~', 1);
        const QString plato = session().view.lbl_SGOvergang.text.section(u'~', 1);
        EXPECT_EQ(litres, QString::number(int(r.OmslagL)));
        EXPECT_EQ(volume->text(), "Overgang dikbier-dunbier (L): ~" + litres);
        EXPECT_EQ(gravity->text(), QStringLiteral("Overgang SG dikbier-dunbier (\u00BAPlato): ~") + plato);
        windows().unload(QStringLiteral("frmSpoelen"));
        settle();
    }
}

TEST_F(SpoelenTest, PictureWrittenOnOkDeletedWhileTheOptionIsOff)
{
    for (const char *beer : {"Blond", "a/b:c"}) {
        SCOPED_TRACE(beer);
        Session s = singleBrew();
        s.recipe.Algemeen(0) = QString::fromUtf8(beer);
        load(std::move(s));
        session().app.spoelcurveRecept = true;
        const QString path = SpoelcurvePlaatje(session().recipe);
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folder.file(QStringLiteral("temp/x"))).absolutePath());
        frmSpoelen *d = open();
        const QSize size = d->size();
        click(d, "cmdSpoelOK");
        settle();
        QImage picture(path);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), size);
        int blue = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                blue += picture.pixel(x, y) == qRgb(0, 0, 255);
        EXPECT_GT(blue, 100) << "the curve";

        session().app.spoelcurveRecept = false;
        click(open(), "cmdSpoelOK");
        settle();
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST_F(SpoelenTest, ReadOutFollowsTheMouse)
{
    load(singleBrew());
    frmSpoelen *d = open();
    const ChartTransform &t = d->transform();
    // The middle of the plot box, in pixels.
    const QPointF middle((t.LeftMargin + t.PlotWidth / 2) / 15.0, (t.TopMargin + t.PlotHeight / 2) / 15.0);
    QMouseEvent move(QEvent::MouseMove, middle, d->mapToGlobal(middle), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(d, &move);
    const ChartPoint p = ScreenToWorld(t, float(middle.x() * 15), float(middle.y() * 15));
    const int litre = qRound(p.X);
    EXPECT_EQ(text(d, "lblSPCoordinaten"), "(L,\u00B0 Plato) = (" + num::format(p.X, u"##0.0") + " , "
                                               + num::format(p.Y, u"#0.0")
                                               + ")     Spoelopbrengst: " + num::format(p.X, u"##0") + " L ~ "
                                               + num::format(d->curve()->data(litre, 2), u"#0.0") + " kg");

    QMouseEvent press(QEvent::MouseButtonPress, middle, d->mapToGlobal(middle), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(d, &press);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].title, "Coordinaten L en \u00B0 Plato");
    EXPECT_TRUE(fake.messages[0].prompt.startsWith("(L,\u00B0 Plato) = ("));
}

// The main road whole: New, the wizard to the yeasts in either brew mode,
// the evaluation, the tasting words and the notes, Save through the fakes and
// Open again.
#include "open_dialog_fixture.h"

#include "core/Recalc.h"
#include "editors/frmAantekeningen.h"
#include "mainwindow/WindowCatalogue.h"

#include <QScrollBar>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class MainRoadTest : public OpenDialogTest {
protected:
    MainRoadTest() { QDir(folder.path()).mkpath(QStringLiteral("temp")); }

    // Every label text of the display model, by slot name. (The frame
    // captions carry the beer name and brew mode, which the general data
    // dialog and the brew-mode switch set; here the builders stand in.)
    static QStringList shown(Session &s)
    {
        QStringList out;
        s.view.forEachLabel([&](const QString &name, LabelSlot &l) { out << name + u'=' + l.text; });
        return out;
    }

    QWidget *current(const char *window) { return windows().find(QLatin1String(window)); }

    void fill(QWidget *d, const char *prefix, int count, const QString &word)
    {
        for (int i = 0; i < count; ++i)
            in(d, QLatin1String(prefix) + QString::number(i))->setText(word + QString::number(i + 1));
    }
};

}  // namespace

TEST_F(MainRoadTest, NewTheWizardSaveAndOpenAgain)
{
    for (bool dubbel : {false, true}) {
        SCOPED_TRACE(dubbel ? "double brew" : "single brew");
        s().recipe.ReceptGewijzigd = false;
        fc->mnuNieuw_Click();
        ASSERT_EQ(s().recipe.ReceptStatus, 0);

        trigger("mnuWizard");
        ASSERT_TRUE(s().app.wizardActief);
        // The parts of the dialogs before the additions come from the
        // builders; their own tests drive those dialogs. The close box leaves
        // the wizard waiting.
        if (QWidget *first = current("frmAlgemeen"))
            first->close();
        load(dubbel ? doubleBrew() : singleBrew());
        s().app.wizardActief = true;
        s().recipe.ReceptGewijzigd = true;
        UpdateBrouwschema(s());

        QWidget *d = nullptr;
        if (!dubbel) {
            d = open("mnuToeVoegingen", "frmToevoegingen");
            ASSERT_NE(d, nullptr);
            fill(d, "txtToev_", 5, QStringLiteral("kruid "));
            press(d, "cmdToeVOK");
            d = current("frmGistKeuze");
            ASSERT_NE(d, nullptr) << "the additions open the yeasts";
        } else {
            d = open("mnuGistKeuze", "frmGistKeuze");
            ASSERT_NE(d, nullptr);
            fill(d, "txtGKgist2_", 5, QStringLiteral("dunbiergist "));
        }
        fill(d, "txtGKgist_", 5, QStringLiteral("gist "));
        press(d, "cmdGKOK");
        EXPECT_FALSE(s().app.wizardActief) << "the yeasts end the wizard";

        d = open("mnuEvaluatie", "frmEvaluatie");
        ASSERT_NE(d, nullptr);
        for (const char *suffix : {"", "2"}) {
            in(d, QStringLiteral("txtEval_Volume") + QLatin1String(suffix))->setText(QStringLiteral("18.5"));
            in(d, QStringLiteral("txtEval_OG") + QLatin1String(suffix))->setText(QStringLiteral("1061"));
            in(d, QStringLiteral("txtEval_FG") + QLatin1String(suffix))->setText(QStringLiteral("1012"));
        }
        press(d, "cmdEvalOK");
        ASSERT_FALSE(loaded("frmEvaluatie"));

        d = open("mnuKenmerken", "frmKenmerken");
        ASSERT_NE(d, nullptr);
        int k = 0;
        for (QScrollBar *b : d->findChildren<QScrollBar *>())
            b->setValue(++k % (b->maximum() + 1));
        press(d, "cmdKM_OpSlaan");
        press(d, "cmdKM_Annuleren");

        d = open("mnuAantekeningen", "frmAantekeningen");
        ASSERT_NE(d, nullptr);
        in<LimitedTextEdit>(d, "txtAantekeningen")->setNotesText(QStringLiteral("Gebrouwen op zaterdag\nlekker"));
        press(d, "cmdAanT_OK");

        const QString path =
            folder.file(dubbel ? QStringLiteral("Recepten/Weg dubbel.zlv") : QStringLiteral("Recepten/Weg enkel.zlv"));
        fake.saveAnswers.push_back(path);
        ASSERT_EQ(fc->mnuOpslaan_Click(), SaveAsResult::Saved);
        const RecipeState saved = s().recipe;
        const QStringList shownBefore = shown(s());
        EXPECT_EQ(saved.ReceptStatus & (StatusEvaluatie | StatusGistkeuze | StatusKenmerken),
                  StatusEvaluatie | StatusGistkeuze | StatusKenmerken);
        EXPECT_EQ(saved.hasStatus(StatusToevoegingen), !dubbel);

        ASSERT_TRUE(fc->openFile(path));
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        const RecipeState &r = s().recipe;
        EXPECT_EQ(r.ReceptStatus, saved.ReceptStatus);
        EXPECT_EQ(r.Gistkeuze, saved.Gistkeuze);
        if (!dubbel) {
            EXPECT_EQ(r.Toevoegingen, saved.Toevoegingen);
        }
        EXPECT_EQ(r.Evaluatie, saved.Evaluatie);
        for (int i = 0; i < KenmerkenCount; ++i)
            EXPECT_EQ(r.Kenmerken[i], saved.Kenmerken[i]) << i;
        EXPECT_EQ(r.Aantekening, "Gebrouwen op zaterdag  lekker");
        const QStringList shownAfter = shown(s());
        for (qsizetype i = 0; i < std::min(shownBefore.size(), shownAfter.size()); ++i)
            EXPECT_EQ(shownAfter[i], shownBefore[i]);
        EXPECT_EQ(shownAfter.size(), shownBefore.size());
        fake.clear();
    }
}

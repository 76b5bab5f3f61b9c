// The tasting words: the scales, the store through the scratch file into the
// open recipe file, and the words as recipe state that outlive a
// recalculation, a Save and an Open.
#include "open_dialog_fixture.h"

#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "editors/frmKenmerken.h"

#include <QLabel>
#include <QScrollBar>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class KenmerkenTest : public OpenDialogTest {
protected:
    KenmerkenTest()
    {
        load(singleBrew());
        QDir(folder.path()).mkpath(QStringLiteral("temp"));  // as start-up makes it
    }

    static const std::vector<frmKenmerken::Scale> &scales() { return frmKenmerken::scales(); }
    QWidget *openIt() { return open("mnuKenmerken", "frmKenmerken"); }
    static QScrollBar *bar(QWidget *d, int i)
    {
        return in<QScrollBar>(d, QStringLiteral("hsbKM_") + QLatin1String(scales()[std::size_t(i)].tag));
    }
    static QLabel *word(QWidget *d, int i)
    {
        return in<QLabel>(d, QStringLiteral("lblKM_") + QLatin1String(scales()[std::size_t(i)].tag) + u'R');
    }
    static QLabel *caption(QWidget *d, int i)
    {
        return in<QLabel>(d, QStringLiteral("lblKM_") + QLatin1String(scales()[std::size_t(i)].tag));
    }
    QString scratch() const { return folder.file(QStringLiteral("temp/Kenmerken.ini")); }
    void close() { windows().unload(QStringLiteral("frmKenmerken")); }
};

}  // namespace

TEST_F(KenmerkenTest, TheScalesAsWritten)
{
    const int counts[7] = {12, 11, 7, 9, 7, 8, 7};
    const char *const firsts[7] = {"bleek", "briljant", "mousse", "blijvende laag", "dun", "plakkend", "weinig"};
    const char *const lasts[7] = {
        "zwart (niet doorschijnend)", "melkachtig", "grove bellen", "cola-achtig", "vol", "alcoholwarmend", "veel"};
    ASSERT_EQ(scales().size(), 7u);
    QWidget *d = openIt();
    for (int i = 0; i < 7; ++i) {
        const frmKenmerken::Scale &sc = scales()[std::size_t(i)];
        EXPECT_EQ(sc.words.size(), counts[i]);
        EXPECT_EQ(sc.words.first(), firsts[i]);
        EXPECT_EQ(sc.words.last(), lasts[i]);
        QScrollBar *b = bar(d, i);
        EXPECT_EQ(b->minimum(), 0);
        EXPECT_EQ(b->maximum(), counts[i] - 1);
        EXPECT_EQ(b->singleStep(), 1);
        EXPECT_EQ(b->pageStep(), 1);
        EXPECT_EQ(b->focusPolicy(), Qt::StrongFocus);
        EXPECT_EQ(b->value(), 0) << "a recipe without words";
        EXPECT_EQ(word(d, i)->text(), firsts[i]);
    }
    EXPECT_EQ(scales()[3].words[5], "ring/ringetje");
    EXPECT_EQ(scales()[3].words[8], "cola-achtig");
    EXPECT_EQ(scales()[0].words[11], "zwart (niet doorschijnend)");
    EXPECT_EQ(scales()[5].words[7], "alcoholwarmend");
}

TEST_F(KenmerkenTest, EachWordAtItsPositionBothWays)
{
    const QString path = openCopy(QStringLiteral("Proef.zlv"));
    for (int p = 0; p < 12; ++p) {
        SCOPED_TRACE(p);
        QWidget *d = openIt();
        for (int i = 0; i < 7; ++i)
            bar(d, i)->setValue(std::min(p, bar(d, i)->maximum()));
        press(d, "cmdKM_OpSlaan");
        EXPECT_TRUE(loaded("frmKenmerken")) << "the store keeps the dialog open";
        for (int i = 0; i < 7; ++i) {
            const QStringList &words = scales()[std::size_t(i)].words;
            const QString expected = words[std::min<qsizetype>(p, words.size() - 1)];
            EXPECT_EQ(s().recipe.Kenmerken[i], expected);
            EXPECT_EQ(ReadINI(path, QStringLiteral("Kenmerken"), QLatin1String(KenmerkenKeys[i]), {}), expected);
            EXPECT_EQ(ReadINI(scratch(), QStringLiteral("Kenmerken"), QLatin1String(KenmerkenKeys[i]), {}), expected);
        }
        close();
        // Read back at their positions.
        d = openIt();
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(bar(d, i)->value(), std::min(p, bar(d, i)->maximum())) << i;
            EXPECT_EQ(word(d, i)->text(), s().recipe.Kenmerken[i]);
        }
        close();
    }
}

TEST_F(KenmerkenTest, AWordInOtherLettersIsNotRecognised)
{
    const QString path = openCopy(QStringLiteral("Proef.zlv"));
    s().recipe.setStatus(StatusKenmerken);
    s().recipe.Kenmerken[0] = QStringLiteral("Rood");
    s().recipe.Kenmerken[1] = QStringLiteral("melkachtig");
    s().recipe.Kenmerken[6] = QStringLiteral("tamelijk veel/veel");
    ASSERT_EQ(SaveKenmerken(s()), KeysSaved::Written);
    const QByteArray before = bytes(path);
    QWidget *d = openIt();
    EXPECT_EQ(bar(d, 0)->value(), 0);
    EXPECT_EQ(word(d, 0)->text(), "bleek");
    EXPECT_EQ(bar(d, 1)->value(), 10);
    EXPECT_EQ(bar(d, 6)->value(), 5);
    EXPECT_EQ(bytes(path), before) << "the carbonation word written back unchanged";
    EXPECT_EQ(s().recipe.Kenmerken[0], "Rood") << "loading changes no word";
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
}

TEST_F(KenmerkenTest, WithoutWordsTheFileGainsTheCarbonationAlone)
{
    const QString path = folder.file(QStringLiteral("Recepten/Kaal.zlv"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Algemeen]\r\nNaam=Kaal\r\n");
    }
    s().app.fileName = path;
    s().recipe.setStatus(StatusKenmerken);
    QWidget *d = openIt();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(bar(d, i)->value(), 0);
    EXPECT_EQ(bytes(path), "[Algemeen]\r\nNaam=Kaal\r\n[Kenmerken]\r\nKoolzuur=weinig\r\n");
    EXPECT_EQ(s().recipe.Kenmerken[6], "weinig");

    // Without the bit nothing is read or written.
    close();
    QFile::remove(path);
    s().recipe.clearStatus(StatusKenmerken);
    openIt();
    EXPECT_FALSE(QFile::exists(path));
}

// A recipe file the program saved at the size bound would no longer open
// with one more key: neither the carbonation word written back on opening
// nor a store goes in, each says so and names the file, and the file stays
// byte for byte. The stored words wait in the recipe for a Save.
TEST_F(KenmerkenTest, ARecipeFileAtTheBoundTakesNoWordsAndStaysAsItWas)
{
    s().recipe.setStatus(StatusKenmerken);
    for (QString &w : s().recipe.Kenmerken)
        w.clear();
    const QString path = saveAtTheBound(QStringLiteral("Groot.zlv"));
    const QByteArray atBound = bytes(path);
    const QString refused = notWrittenText(path, recipeTooLargeReason());

    QWidget *d = openIt();
    EXPECT_EQ(fake.prompts(), QStringList{refused}) << "opening writes Koolzuur=weinig";
    EXPECT_EQ(bytes(path), atBound);

    fake.clear();
    bar(d, 0)->setValue(4);
    press(d, "cmdKM_OpSlaan");
    ASSERT_EQ(fake.prompts(), QStringList{refused});
    EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
    EXPECT_EQ(bytes(path), atBound);
    EXPECT_EQ(s().recipe.Kenmerken[0], "goud");
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    close();
    EXPECT_TRUE(fc->openFile(path));
}

TEST_F(KenmerkenTest, TheFirstStoreSetsTheBitAndWritesTheStatusOnce)
{
    s().recipe.ReceptStatus = 11;
    s().app.geluidAan = true;
    QWidget *d = openIt();
    press(d, "cmdKM_OpSlaan");
    EXPECT_EQ(s().recipe.ReceptStatus, 523);
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    const QByteArray first = bytes(scratch());
    EXPECT_EQ(first.count("Status="), 1);
    EXPECT_TRUE(first.startsWith("[ReceptStatus]\r\nStatus=523\r\n[Kenmerken]\r\nKleur=bleek\r\n"))
        << first.constData();
    EXPECT_TRUE(fake.sounds.isEmpty()) << "no sound";

    QFile::remove(scratch());
    bar(d, 4)->setValue(6);
    press(d, "cmdKM_OpSlaan");
    const QByteArray second = bytes(scratch());
    EXPECT_FALSE(second.contains("ReceptStatus"));
    EXPECT_TRUE(second.contains("Body=vol\r\n"));
    EXPECT_EQ(s().recipe.ReceptStatus, 523);
}

TEST_F(KenmerkenTest, KlaarStoresNothing)
{
    QWidget *d = openIt();
    bar(d, 2)->setValue(3);
    press(d, "cmdKM_Annuleren");
    EXPECT_FALSE(loaded("frmKenmerken"));
    EXPECT_FALSE(s().recipe.hasStatus(StatusKenmerken));
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
    EXPECT_FALSE(QFile::exists(scratch()));
}

TEST_F(KenmerkenTest, TheWordFollowsADraggedThumb)
{
    QWidget *d = openIt();
    QScrollBar *b = bar(d, 0);
    b->setTracking(false);  // the word must not wait for the drop
    b->setSliderDown(true);
    b->setSliderPosition(8);
    EXPECT_EQ(word(d, 0)->text(), "rood");
    b->setSliderDown(false);
    EXPECT_EQ(b->value(), 8);
}

TEST_F(KenmerkenTest, TheScaleWithTheFocusShowsBlue)
{
    QWidget *d = openIt();
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    const QColor blue(0, 0, 255), black(0, 0, 0);
    bar(d, 0)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(caption(d, 0)->palette().color(QPalette::WindowText), blue);
    QTest::mouseClick(bar(d, 1), Qt::LeftButton);
    EXPECT_EQ(caption(d, 0)->palette().color(QPalette::WindowText), black);
    EXPECT_EQ(word(d, 0)->palette().color(QPalette::WindowText), black);
    EXPECT_EQ(caption(d, 1)->palette().color(QPalette::WindowText), blue);
    EXPECT_EQ(word(d, 1)->palette().color(QPalette::WindowText), blue);
    in<QPushButton>(d, "cmdKM_OpSlaan")->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(caption(d, i)->palette().color(QPalette::WindowText), black);
}

TEST_F(KenmerkenTest, WordsOutliveARecalculationASaveAndAnOpen)
{
    const QString path = openCopy(QStringLiteral("Proef.zlv"));
    QWidget *d = openIt();
    bar(d, 0)->setValue(9);
    bar(d, 6)->setValue(2);
    press(d, "cmdKM_OpSlaan");
    close();

    UpdateBrouwschema(s());
    EXPECT_FALSE(QFile::exists(scratch())) << "the recalculation removes the scratch copy";
    EXPECT_EQ(s().recipe.Kenmerken[0], "robijn rood");

    EXPECT_EQ(fc->mnuOpslaan_Click(), SaveAsResult::Saved);
    ASSERT_TRUE(fc->openFile(path));
    EXPECT_EQ(s().recipe.Kenmerken[0], "robijn rood");
    EXPECT_EQ(s().recipe.Kenmerken[6], "normaal");
    d = openIt();
    EXPECT_EQ(bar(d, 0)->value(), 9);
    EXPECT_EQ(word(d, 6)->text(), "normaal");
}

TEST_F(KenmerkenTest, ANeverSavedRecipeKeepsItsWordsUntilItIsSaved)
{
    ASSERT_TRUE(s().app.fileName.isEmpty());
    QWidget *d = openIt();
    bar(d, 1)->setValue(4);
    press(d, "cmdKM_OpSlaan");
    close();
    UpdateBrouwschema(s());

    const QString path = folder.file(QStringLiteral("Recepten/Nieuw.zlv"));
    fake.saveAnswers.push_back(path);
    EXPECT_EQ(fc->mnuOpslaan_Click(), SaveAsResult::Saved);
    EXPECT_EQ(ReadINI(path, QStringLiteral("Kenmerken"), QStringLiteral("Helderheid"), {}), "tweeschijn");
    EXPECT_TRUE(ReadINI(path, QStringLiteral("ReceptStatus"), QStringLiteral("Status"), {}).toInt() & 512);
}

TEST_F(KenmerkenTest, AnImportedRecipeIsNeverWrittenAndKeepsItsWords)
{
    const QString xml = folder.file(QStringLiteral("Recepten/Import.xml"));
    const QByteArray xmlBytes = "<RECIPES><RECIPE><NAME>Import</NAME></RECIPE></RECIPES>\r\n";
    {
        QFile f(xml);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xmlBytes);
    }
    s().app.fileName = xml;
    QWidget *d = openIt();
    bar(d, 5)->setValue(3);
    press(d, "cmdKM_OpSlaan");
    EXPECT_EQ(bytes(xml), xmlBytes);

    fake.msgAnswers.push_back(mb::OK);  // save as ".zlv"
    EXPECT_EQ(fc->mnuOpslaan_Click(), SaveAsResult::Saved);
    EXPECT_EQ(bytes(xml), xmlBytes);
    const QString zlv = folder.file(QStringLiteral("Recepten/Import.zlv"));
    EXPECT_EQ(ReadINI(zlv, QStringLiteral("Kenmerken"), QStringLiteral("Mondgevoel"), {}), "branderig");
}

using ResetDialogsTest = OpenDialogTest;

TEST_F(ResetDialogsTest, NewClosesTheFiveDialogs)
{
    load(singleBrew());
    const char *const dialogs[][2] = {{"mnuEvaluatie", "frmEvaluatie"},
                                      {"mnuGistKeuze", "frmGistKeuze"},
                                      {"mnuToeVoegingen", "frmToevoegingen"},
                                      {"mnuKenmerken", "frmKenmerken"},
                                      {"mnuAantekeningen", "frmAantekeningen"}};
    for (const auto &dlg : dialogs)
        ASSERT_NE(open(dlg[0], dlg[1]), nullptr);
    fake.msgAnswers.push_back(mb::No);  // do not save
    fc->mnuNieuw_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto &dlg : dialogs)
        EXPECT_FALSE(loaded(dlg[1])) << dlg[1];
}

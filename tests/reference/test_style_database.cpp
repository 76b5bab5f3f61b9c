// The style database: its shipped rows and recipes, the browser's navigation
// and keys, and Open Recept on the main window.

#include "mainwindow/mainwindow_fixture.h"

#include "core/Cp1252.h"
#include "core/FileHistory.h"
#include "core/Ini.h"
#include "core/Optimisers.h"
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/RecipeFileReader.h"
#include "core/RecipeReset.h"
#include "core/StyleList.h"
#include "core/WholeFile.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/Wiring.h"
#include "platform/Twips.h"
#include "reference/ReceptSuggestie.h"
#include "reference/StyleRecords.h"
#include "reference/frmBiertypen1.h"
#include "support/RecipeBuilders.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <cmath>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString Database = QStringLiteral("Biertypen.mdb");

// Changes the test folder's copy of the database with a statement of its own.
void alter(const QString &sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("alter"));
        db.setDatabaseName(paths::file(Database));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(sql)) << qPrintable(sql);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("alter"));
}

class StyleDatabase : public MainWindowTest {
protected:
    StyleDatabase()
    {
        wireCommands(*w, session());
        EXPECT_TRUE(QFile::exists(paths::file(Database))) << "the build makes Biertypen.mdb";
    }
    ~StyleDatabase() override { setReceptSuggestieSteps({}); }

    frmBiertypen1 *open()
    {
        trigger("mnuReceptSuggestie");
        return windows().find<frmBiertypen1>(QStringLiteral("frmBiertypen1"));
    }
    QString status(frmBiertypen1 *b) { return b->findChild<QLabel *>(QStringLiteral("lblStatus"))->text(); }
    void click(frmBiertypen1 *b, const char *button)
    {
        auto *p = b->findChild<QPushButton *>(QLatin1String(button));
        ASSERT_NE(p, nullptr) << button;
        p->click();
    }
    void key(frmBiertypen1 *b, int k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(b->findChild<QTableView *>(QStringLiteral("grdDataGrid")), Qt::Key(k), m);
    }
    // Leaves `n` rows (in the query's order) in the test's copy.
    void keepRows(int n)
    {
        alter(QStringLiteral("delete from Biertypen where rowid not in (select rowid from Biertypen order by "
                             "Biertype limit %1)")
                  .arg(n));
    }
};

TEST_F(StyleDatabase, EveryShippedRecipeOpensRecalculatesAndHitsItsGravity)
{
    StyleRecords r;
    ASSERT_TRUE(r.load(paths::file(Database)));
    ASSERT_GE(r.count(), 20);
    EXPECT_EQ(r.fieldNames(), (QStringList{"Biertype", "Klasse", "Alcohol (vol%)", "EBC", "EBU", "Koolzuur (gr/L)",
                                           "OG (g/dm3)", "Bron", "Recept"}));
    for (int i = 0; i < r.count(); ++i) {
        const QString style = r.value(i, 0).toString();
        SCOPED_TRACE(qPrintable(style));
        EXPECT_FALSE(r.value(i, 7).toString().isEmpty()) << "a source for every style";
        Session s;
        const OpenResult o = readRecipe(s, cp1252::encode(r.value(i, 8).toString()), style + QStringLiteral(".zlv"));
        ASSERT_TRUE(o.ok);
        EXPECT_FALSE(o.systeemParametersVerschillen) << "made for the shipped equipment";
        fake.clear();
        EXPECT_EQ(UpdateBrouwschema(s).done, true);
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_NEAR(s.recipe.OGSG, r.value(i, 6).toDouble(), 3.0);
        EXPECT_EQ(s.recipe.Biersoort1, style);
    }
}

TEST_F(StyleDatabase, EveryShippedRecipeNamesAStyleOfTheShippedList)
{
    // Otherwise its targets dialog shows an empty style box while the report
    // names the style.
    const StyleList list = readStyleList();
    ASSERT_TRUE(list.present);
    const QStringList names = styleNames(list.lines);
    const auto check = [&names](const Session &s, const QString &what) {
        SCOPED_TRACE(qPrintable(what));
        EXPECT_TRUE(names.contains(s.recipe.Biersoort1)) << qPrintable(s.recipe.Biersoort1);
        if (s.app.dubbelBrouw) {
            EXPECT_TRUE(names.contains(s.recipe.Biersoort2)) << qPrintable(s.recipe.Biersoort2);
        }
    };

    const QDir samples(paths::file(QStringLiteral("Recepten")));
    const QStringList files = samples.entryList({QStringLiteral("*.zlv")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &file : files) {
        Session s;
        ASSERT_TRUE(readRecipeFile(s, samples.filePath(file)).ok) << qPrintable(file);
        check(s, file);
    }
    StyleRecords r;
    ASSERT_TRUE(r.load(paths::file(Database)));
    for (int i = 0; i < r.count(); ++i) {
        Session s;
        const QString style = r.value(i, 0).toString();
        ASSERT_TRUE(readRecipe(s, cp1252::encode(r.value(i, 8).toString()), style + QStringLiteral(".zlv")).ok);
        check(s, style);
    }
}

TEST_F(StyleDatabase, StylesAreOrderedWithoutRegardToCase)
{
    alter(QStringLiteral("insert into Biertypen (Biertype, Recept) values ('abdijbier', ''), ('ZWAAR', ''), "
                         "('bruin', '')"));
    StyleRecords r;
    ASSERT_TRUE(r.load(paths::file(Database)));
    QStringList names;
    for (int i = 0; i < r.count(); ++i)
        names << r.value(i, 0).toString();
    QStringList sorted = names;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(names.first(), QStringLiteral("abdijbier"));
    EXPECT_EQ(names.last(), QStringLiteral("ZWAAR"));
}

TEST_F(StyleDatabase, TheGridIsReadOnlyAndLaidOutAsTheColumnsSay)
{
    frmBiertypen1 *b = open();
    ASSERT_NE(b, nullptr);
    auto *grid = b->findChild<QTableView *>(QStringLiteral("grdDataGrid"));
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->model()->columnCount(), 9);
    EXPECT_EQ(grid->columnWidth(7), layout::px(2500));
    for (int c = 0; c < 9; ++c)
        EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, c)) & Qt::ItemIsEditable) << c;
    EXPECT_EQ(status(b), QStringLiteral("Record: 1"));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(StyleDatabase, NavigationWithNoneOneAndManyRows)
{
    struct Case {
        int rows;  // -1: every shipped row
    };
    for (const Case c : {Case{0}, Case{1}, Case{-1}}) {
        SCOPED_TRACE(c.rows);
        fake.clear();
        if (c.rows >= 0)
            keepRows(c.rows);
        frmBiertypen1 *b = open();
        ASSERT_NE(b, nullptr);
        const int n = b->records().count();
        const QString first = c.rows == 0 ? QString() : QStringLiteral("Record: 1");
        const QString last = c.rows == 0 ? QString() : QStringLiteral("Record: %1").arg(n);
        EXPECT_EQ(status(b), first);

        click(b, "cmdPrevious");  // on the first row: a beep, and it stays
        EXPECT_EQ(fake.beeps, n > 0 ? 1 : 0);
        EXPECT_EQ(status(b), first);
        click(b, "cmdLast");
        EXPECT_EQ(status(b), last);
        click(b, "cmdNext");  // on the last row: a beep, and it stays
        EXPECT_EQ(fake.beeps, n > 0 ? 2 : 0);
        EXPECT_EQ(status(b), last);
        click(b, "cmdFirst");
        EXPECT_EQ(status(b), first);
        if (n > 2) {
            click(b, "cmdNext");
            EXPECT_EQ(status(b), QStringLiteral("Record: 2"));
            click(b, "cmdPrevious");
            EXPECT_EQ(status(b), QStringLiteral("Record: 1"));
        }
        EXPECT_TRUE(fake.messages.empty());
        b->cmdClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (c.rows >= 0) {
            ASSERT_TRUE(QFile::remove(paths::file(Database)) && QFile::copy(styleDatabase(), paths::file(Database)));
        }
    }
}

TEST_F(StyleDatabase, KeysAndGridClicksMoveTheRecords)
{
    frmBiertypen1 *b = open();
    ASSERT_NE(b, nullptr);
    const int n = b->records().count();
    ASSERT_GT(n, 3);
    const QString last = QStringLiteral("Record: %1").arg(n);
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        QString expected;
    };
    const Case cases[] = {
        {Qt::Key_End, Qt::NoModifier, last},
        {Qt::Key_Home, Qt::NoModifier, "Record: 1"},
        {Qt::Key_Down, Qt::NoModifier, "Record: 2"},  // once: the grid does not move again
        {Qt::Key_PageDown, Qt::NoModifier, "Record: 3"},
        {Qt::Key_Up, Qt::NoModifier, "Record: 2"},
        {Qt::Key_Down, Qt::ControlModifier, last},
        {Qt::Key_Up, Qt::ControlModifier, "Record: 1"},
        {Qt::Key_PageDown, Qt::ControlModifier | Qt::KeypadModifier, last},  // the keypad flag is no modifier
        {Qt::Key_PageUp, Qt::ControlModifier, "Record: 1"},
        {Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier, "Record: 2"},  // not exactly Ctrl: plain Down
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected.toStdString() + " after key " + std::to_string(c.key));
        key(b, c.key, c.mods);
        EXPECT_EQ(status(b), c.expected);
    }
    auto *grid = b->findChild<QTableView *>(QStringLiteral("grdDataGrid"));
    const QRect cell = grid->visualRect(grid->model()->index(2, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(status(b), QStringLiteral("Record: 3"));
    QHeaderView *rows = grid->verticalHeader();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                      QPoint(rows->width() / 2, rows->sectionViewportPosition(4) + rows->sectionSize(4) / 2));
    EXPECT_EQ(status(b), QStringLiteral("Record: 5"));
    key(b, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(isOpen("frmBiertypen1"));
}

TEST_F(StyleDatabase, ADamagedDatabaseGivesTheMessageAndAnEmptyGrid)
{
    {
        QFile f(paths::file(Database));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }
    frmBiertypen1 *b = open();
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Biertypen database kan niet geopend worden!"));
    EXPECT_EQ(fake.messages[0].style, mb::OKOnly + mb::Exclamation);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("Attentie!"));
    EXPECT_TRUE(isOpen("frmBiertypen1"));
    EXPECT_EQ(b->findChild<QTableView *>(QStringLiteral("grdDataGrid"))->model()->rowCount(), 0);
    // Navigation says why it cannot move; Open Recept does nothing.
    fake.clear();
    click(b, "cmdNext");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].style, mb::OKOnly);
    fake.clear();
    click(b, "cmdOpen");
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_FALSE(QFile::exists(paths::file(QStringLiteral("temp/ReceptSuggestie.zlv"))));
}

// ---------------------------------------------------------------- Open Recept

class OpenSuggestion : public StyleDatabase {
protected:
    void SetUp() override
    {
        b = open();
        ASSERT_NE(b, nullptr);
        click(b, "cmdNext");  // the second style
        style = b->records().field(0).toString();
        fake.clear();
    }
    // A recipe of the brewer's own, changed and not saved.
    void ownChangedRecipe()
    {
        session() = singleBrew();
        session().recipe.Biersoort1 = QStringLiteral("Eigen");
        session().recipe.ReceptGewijzigd = true;
    }
    frmBiertypen1 *b = nullptr;
    QString style;
};

TEST_F(OpenSuggestion, OpensAsANewUnsavedRecipeNamedAfterTheStyle)
{
    QString earlier = QStringLiteral("/elders/Eigen.zlv");
    EXPECT_TRUE(WriteINI(paths::zymIni(), QStringLiteral("FileHistory"), QStringLiteral("1"), earlier));
    for (int time = 1; time <= 2; ++time) {
        SCOPED_TRACE(time);
        click(b, "cmdOpen");
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_EQ(session().recipe.Biersoort1, style);
        EXPECT_GT(session().recipe.OGSG, 1000.0f);
        EXPECT_TRUE(session().app.fileName.isEmpty());
        EXPECT_TRUE(session().view.panels[7].text.isEmpty());
        EXPECT_EQ(session().recipe.ReceptNaam, paths::safeFileName(style));
        EXPECT_EQ(history::entry(1), QStringLiteral("/elders/Eigen.zlv"));
        EXPECT_TRUE(isOpen("frmBiertypen1"));
    }
    // The scratch file is the row's text whole, in the recipe file's form.
    QFile scratch(paths::file(QStringLiteral("temp/ReceptSuggestie.zlv")));
    ASSERT_TRUE(scratch.open(QIODevice::ReadOnly));
    const QByteArray bytes = scratch.readAll();
    EXPECT_EQ(bytes, cp1252::encode(b->records().field(8).toString()) + "\r\n");
    EXPECT_FALSE(bytes.contains("\n\n")) << "CR LF only";
    // Save asks where, proposing the style's name.
    fake.clear();
    trigger("mnuOpslaan");
    ASSERT_EQ(fake.saveDialogs.size(), 1);
}

// A suggestion saved under its style's name typed without the suffix: the
// ".zlv" added makes a name the dialog did not confirm, so a recipe of that
// name is replaced only when the brewer agrees.
TEST_F(OpenSuggestion, SavingItReplacesARecipeOfTheStylesNameOnlyWhenAgreed)
{
    const QString name = folder.file(QStringLiteral("Recepten/") + paths::safeFileName(style));
    const QString existing = name + QStringLiteral(".zlv");
    writeFileBytes(existing, "eigen recept\r\n");
    click(b, "cmdOpen");
    ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    fake.saveAnswers = {name};
    fake.msgAnswers = {mb::No};
    trigger("mnuOpslaan");
    ASSERT_EQ(fake.saveDialogs.size(), 1);
    EXPECT_EQ(fake.prompts(), QStringList{replaceQuestionText(existing)});
    EXPECT_EQ(fileBytes(existing), "eigen recept\r\n");
    EXPECT_TRUE(session().app.fileName.isEmpty());
}

TEST_F(OpenSuggestion, AChangedRecipeIsOfferedForSavingFirst)
{
    struct Case {
        const char *what;
        int answer;
        std::optional<QString> saveAs;  // the save dialog's answer, when asked
        bool opens;
    };
    const QString own = folder.file(QStringLiteral("Eigen.zlv"));
    const Case cases[] = {
        {"No", mb::No, std::nullopt, true},
        {"Yes, save cancelled", mb::Yes, std::nullopt, false},
        {"Yes, saved", mb::Yes, own, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ResetReceptState(session());
        ownChangedRecipe();
        fake.clear();
        fake.msgAnswers = {c.answer};
        if (c.saveAs)
            fake.saveAnswers = {c.saveAs};
        click(b, "cmdOpen");
        ASSERT_FALSE(fake.messages.empty());
        EXPECT_EQ(fake.messages[0].prompt, VraagOpslaanTekst);
        EXPECT_EQ(session().recipe.Biersoort1, c.opens ? style : QStringLiteral("Eigen"))
            << qPrintable(fake.prompts().join(u'|'));
        if (c.saveAs) {
            EXPECT_TRUE(QFile::exists(own));
        }
    }
}

TEST_F(OpenSuggestion, RefusedWhileAnOptimiserRunsAndABlankRecipeDoesNothing)
{
    ownChangedRecipe();
    session().app.optimiserBusy = true;
    click(b, "cmdOpen");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].title, OptiMaischerTitle);
    EXPECT_EQ(session().recipe.Biersoort1, QStringLiteral("Eigen"));
    session().app.optimiserBusy = false;

    b->cmdClose_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    alter(QStringLiteral("update Biertypen set Recept = '  '"));
    b = open();
    fake.clear();
    click(b, "cmdOpen");
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(session().recipe.Biersoort1, QStringLiteral("Eigen"));
    EXPECT_FALSE(QFile::exists(paths::file(QStringLiteral("temp/ReceptSuggestie.zlv"))));
}

}  // namespace

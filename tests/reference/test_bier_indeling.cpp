// The classification of commercial beers: the file read into a tree and the
// window that shows it.

#include "mainwindow/mainwindow_fixture.h"

#include "core/BierIndeling.h"
#include "core/Paths.h"
#include "platform/Twips.h"
#include "reference/frmBierIndeling.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTreeWidget>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString Root = QString::fromUtf16(IndelingRootText);

// The tree as lines of its texts, each indented by its depth.
void outline(const BierIndeling &tree, int index, int depth, QStringList &lines)
{
    const IndelingNode &node = tree.nodes[size_t(index)];
    lines << QString(depth, u'.') + node.text;
    for (int child : node.children) {
        EXPECT_EQ(tree.nodes[size_t(child)].parent, index);
        outline(tree, child, depth + 1, lines);
    }
}

QStringList outline(const BierIndeling &tree)
{
    QStringList lines;
    if (!tree.empty())
        outline(tree, 0, 0, lines);
    return lines;
}

struct ParseCase {
    const char *what;
    const char16_t *text;
    QStringList tree;
    IndelingStop stop;
    int stopLine;
};

TEST(BierIndelingParser, LinesBecomeNodesOrStopTheReading)
{
    const ParseCase cases[] = {
        {"each kind, other lines ignored",
         u"%whatever\r\n*Ale\r\n>Bitter\r\n!London Pride\r\n# note\r\n\r\nlos\r\n",
         {Root, ".Ale", "..Bitter", "...London Pride"},
         IndelingStop::None,
         0},
        {"blanks trimmed, the text after the sign not",
         u"%\r\n   *Lager  \r\n* Lager\r\n",
         {Root, ".Lager", ". Lager"},
         IndelingStop::None,
         0},
        {"a tab is no blank", u"%\r\n\t*Ignored\r\n*Lager\t\r\n", {Root, ".Lager\t"}, IndelingStop::None, 0},
        {"CR, LF and no end",
         u"%\r*Ale\n>Bitter\r\n!Pride",
         {Root, ".Ale", "..Bitter", "...Pride"},
         IndelingStop::None,
         0},
        {"subclasses sorted as added, case ignored; classes and beers in file order",
         u"%\r\n*Stout\r\n*Ale\r\n>pale\r\n!b\r\n!A\r\n>Bitter\r\n>mild\r\n>Pale\r\n",
         {Root, ".Stout", ".Ale", "..Bitter", "..mild", "..pale", "...b", "...A", "..Pale"},
         IndelingStop::None,
         0},
        {"beers go to the last subclass read, not the first in order",
         u"%\r\n*Ale\r\n>Porter\r\n>Bitter\r\n!Pride\r\n",
         {Root, ".Ale", "..Bitter", "...Pride", "..Porter"},
         IndelingStop::None,
         0},
        {"no root: empty", u"*Ale\r\n>Bitter\r\n%\r\n", {}, IndelingStop::NoRoot, 1},
        {"a subclass before any class", u"%\r\n>Bitter\r\n*Ale\r\n", {Root}, IndelingStop::NoClass, 2},
        {"a beer before its class's first subclass",
         u"%\r\n*Ale\r\n>Bitter\r\n!Pride\r\n*Stout\r\n!Guinness\r\n>Droog\r\n",
         {Root, ".Ale", "..Bitter", "...Pride", ".Stout"},
         IndelingStop::NoSubclass,
         6},
        {"a second root", u"%\r\n*Ale\r\n  %again\r\n*Stout\r\n", {Root, ".Ale"}, IndelingStop::SecondRoot, 3},
        {"equal texts and texts ending in digits live side by side",
         u"%\r\n*Ale\r\n>1\r\n!0\r\n*Ale\r\n>1\r\n*Ale1\r\n>0\r\n",
         {Root, ".Ale", "..1", "...0", ".Ale", "..1", ".Ale1", "..0"},
         IndelingStop::None,
         0},
        {"empty text", u"", {}, IndelingStop::None, 0},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.what);
        const BierIndeling tree = parseBierIndeling(QStringView(c.text));
        EXPECT_EQ(outline(tree), c.tree);
        EXPECT_EQ(tree.stop, c.stop);
        EXPECT_EQ(tree.stopLine, c.stopLine);
    }
}

TEST(BierIndelingParser, ThirtyClassesOfTwelveSubclassesLoadWhole)
{
    // Once the 18th class took the root's name and an 11th subclass a beer's.
    QString text = QStringLiteral("%\r\n");
    for (int c = 0; c < 30; ++c) {
        text += QStringLiteral("*Klasse %1\r\n").arg(c);
        for (int s = 0; s < 12; ++s) {
            text += QStringLiteral(">Sub %1\r\n").arg(s, 2, 10, QLatin1Char('0'));
            for (int b = 0; b < 12; ++b)
                text += QStringLiteral("!Bier %1\r\n").arg(b);
        }
    }
    const BierIndeling tree = parseBierIndeling(text);
    EXPECT_EQ(tree.stop, IndelingStop::None);
    ASSERT_EQ(tree.nodes.size(), size_t(1 + 30 * (1 + 12 * 13)));
    ASSERT_EQ(tree.nodes[0].children.size(), 30u);
    const IndelingNode &last = tree.nodes[size_t(tree.nodes[0].children.back())];
    EXPECT_EQ(last.text, "Klasse 29");
    ASSERT_EQ(last.children.size(), 12u);
    EXPECT_EQ(tree.nodes[size_t(last.children.back())].text, "Sub 11");
    EXPECT_EQ(tree.nodes[size_t(last.children.back())].children.size(), 12u);
}

class Indeling : public MainWindowTest {
protected:
    void write(const QByteArray &bytes, const QString &name = QStringLiteral("BierIndeling.txt"))
    {
        QFile::remove(paths::file(QStringLiteral("BierIndeling.txt")));
        QFile f(paths::file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QWidget *open()
    {
        trigger("mnuBierIndeling");
        return windows().find(QStringLiteral("frmBierIndeling"));
    }
    QTreeWidget *tree(QWidget *x) const { return x->findChild<QTreeWidget *>(QStringLiteral("tvIndeling")); }
    static QStringList texts(QTreeWidgetItem *item)
    {
        QStringList t;
        for (int i = 0; i < item->childCount(); ++i)
            t << item->child(i)->text(0);
        return t;
    }
    // A click on the node's text, as a person would: the node must show.
    void click(QTreeWidget *tv, QTreeWidgetItem *item)
    {
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        tv->scrollToItem(item);
        const QRect r = tv->visualItemRect(item);
        ASSERT_TRUE(r.isValid()) << qPrintable(item->text(0));
        QTest::mouseClick(tv->viewport(), Qt::LeftButton, {}, r.center());
    }
};

TEST_F(Indeling, TheShippedClassificationShowsWhole)
{
    QWidget *x = open();
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->windowTitle(), "Klasse Indeling van Commerciele Bieren");
    QTreeWidget *tv = tree(x);
    ASSERT_NE(tv, nullptr);
    ASSERT_EQ(tv->topLevelItemCount(), 1);
    QTreeWidgetItem *root = tv->topLevelItem(0);
    EXPECT_EQ(root->text(0), Root);
    EXPECT_TRUE(root->font(0).bold());
    EXPECT_TRUE(tv->rootIsDecorated());
    EXPECT_GE(root->childCount(), 5);
    for (int c = 0; c < root->childCount(); ++c) {
        QTreeWidgetItem *cls = root->child(c);
        SCOPED_TRACE(qPrintable(cls->text(0)));
        EXPECT_TRUE(cls->font(0).bold());
        QStringList subs = texts(cls);
        ASSERT_GE(subs.size(), 2);
        QStringList sorted = subs;
        std::stable_sort(sorted.begin(), sorted.end(), indelingLess);
        EXPECT_EQ(subs, sorted);
        for (int s = 0; s < cls->childCount(); ++s) {
            EXPECT_FALSE(cls->child(s)->font(0).bold());
            EXPECT_GE(cls->child(s)->childCount(), 1) << qPrintable(cls->child(s)->text(0));
        }
    }
    // Windows-1252 read as such.
    EXPECT_FALSE(tv->findItems(QStringLiteral("Saison"), Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    EXPECT_FALSE(tv->findItems(QStringLiteral("België"), Qt::MatchContains | Qt::MatchRecursive).isEmpty());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Indeling, ClicksSortChildrenOfNodesWithMoreThanOne)
{
    write("%\r\n*Stout\r\n*ale\r\n>Porter\r\n!Taddy\r\n*Bier\r\n>y\r\n!b2\r\n!B1\r\n>X\r\n!enige\r\n");
    QWidget *x = open();
    QTreeWidget *tv = tree(x);
    QTreeWidgetItem *root = tv->topLevelItem(0);
    EXPECT_EQ(texts(root), (QStringList{"Stout", "ale", "Bier"}));
    QTreeWidgetItem *bier = root->child(2);
    EXPECT_EQ(texts(bier), (QStringList{"X", "y"}));
    QTreeWidgetItem *y = bier->child(1);
    QTreeWidgetItem *only = bier->child(0);
    bier->setExpanded(true);
    y->setExpanded(true);

    click(tv, root);
    EXPECT_EQ(texts(root), (QStringList{"ale", "Bier", "Stout"}));
    // What was open stays open.
    EXPECT_TRUE(bier->isExpanded());
    EXPECT_TRUE(y->isExpanded());

    EXPECT_EQ(texts(y), (QStringList{"b2", "B1"}));
    click(tv, y);
    EXPECT_EQ(texts(y), (QStringList{"B1", "b2"}));

    click(tv, only);
    EXPECT_EQ(texts(only), QStringList{"enige"});
    click(tv, only->child(0));
    EXPECT_EQ(texts(bier), (QStringList{"X", "y"}));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Indeling, AStoppedFileKeepsWhatWasBuiltWithoutAWord)
{
    write("%\r\n*Ale\r\n>Bitter\r\n!Pride\r\n*Stout\r\n!Guinness\r\n>Droog\r\n");
    QTreeWidget *tv = tree(open());
    ASSERT_EQ(tv->topLevelItemCount(), 1);
    EXPECT_EQ(texts(tv->topLevelItem(0)), (QStringList{"Ale", "Stout"}));
    EXPECT_EQ(tv->topLevelItem(0)->child(1)->childCount(), 0);
    EXPECT_FALSE(tv->rootIsDecorated());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Indeling, TheFileIsFoundInAnyLetterCaseAndReadAsWindows1252)
{
    write("%\r\n*Belgi\xEB\r\n", QStringLiteral("bierindeling.TXT"));
    QTreeWidget *tv = tree(open());
    ASSERT_EQ(tv->topLevelItemCount(), 1);
    EXPECT_EQ(texts(tv->topLevelItem(0)), QStringList{QStringLiteral("België")});
}

TEST_F(Indeling, NoFileAnEmptyTreeAFolderInItsPlaceAMessage)
{
    QFile::remove(paths::file(QStringLiteral("BierIndeling.txt")));
    QWidget *x = open();
    EXPECT_EQ(tree(x)->topLevelItemCount(), 0);
    EXPECT_TRUE(fake.messages.empty());
    windows().unload(QStringLiteral("frmBierIndeling"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_TRUE(QDir().mkpath(paths::file(QStringLiteral("BierIndeling.txt"))));
    x = open();
    EXPECT_EQ(tree(x)->topLevelItemCount(), 0);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "BierIndeling.txt is een map en wordt niet gelezen!");
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
}

TEST_F(Indeling, TheWindowKeepsItsMinimumAndFitsTreeAndButton)
{
    QWidget *x = open();
    auto *klaar = x->findChild<QPushButton *>(QStringLiteral("cmdBI_Klaar"));
    ASSERT_NE(klaar, nullptr);
    x->resize(100, 100);
    EXPECT_GE(x->width(), layout::px(3500));
    EXPECT_GE(x->height(), layout::px(3500));

    x->resize(600, 500);
    EXPECT_EQ(tree(x)->geometry(),
              QRect(layout::px(100), layout::px(100), 600 - layout::px(200), 500 - layout::px(900)));
    EXPECT_EQ(klaar->x(), 300 - klaar->width() / 2);
    EXPECT_EQ(klaar->y(), 500 - layout::px(600));
}

TEST_F(Indeling, KlaarClosesAndTheHelpPictureOpensItsTopic)
{
    QWidget *x = open();
    auto *help = x->findChild<ClickLabel *>(QStringLiteral("picIndeling_Help"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->toolTip(), "Open OnLine Help");
    help->onClick();
    ASSERT_EQ(fake.helpPages.size(), 1);
    EXPECT_TRUE(fake.helpPages.first().contains("MI_T_Klassenindeling.htm"));

    QTest::mouseClick(x->findChild<QPushButton *>(QStringLiteral("cmdBI_Klaar")), Qt::LeftButton);
    EXPECT_FALSE(isOpen("frmBierIndeling"));
}

}  // namespace

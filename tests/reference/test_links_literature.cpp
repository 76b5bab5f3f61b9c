// Links and literature: the link files listed and opened on choice.

#include "mainwindow/mainwindow_fixture.h"

#include "core/Paths.h"
#include "reference/frmLinksEnLiteratuur.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class Links : public MainWindowTest {
protected:
    void linkFile(const QString &name, const QByteArray &address)
    {
        QDir().mkpath(paths::file(QStringLiteral("URLs")));
        QFile f(paths::file(QStringLiteral("URLs/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[InternetShortcut]\r\nURL=" + address + "\r\n");
    }
    QComboBox *list() const
    {
        auto *l = windows().find(QStringLiteral("frmLinksEnLiteratuur"));
        return l ? l->findChild<QComboBox *>(QStringLiteral("cmbLLLink")) : nullptr;
    }
    QStringList items() const
    {
        QStringList i;
        for (int n = 0; n < list()->count(); ++n)
            i << list()->itemText(n);
        return i;
    }
    void choose(const QString &item)
    {
        const int i = list()->findText(item);
        ASSERT_GE(i, 0) << qPrintable(item);
        emit list()->activated(i);
    }
};

TEST_F(Links, OnlyOrdinaryLinkFilesAreListedInAnyLetterCase)
{
    linkFile(QStringLiteral("b.url"), "https://example.org/b");
    linkFile(QStringLiteral("A.URL"), "https://example.org/a");
    linkFile(QStringLiteral("c.txt"), "https://example.org/c");
    ASSERT_TRUE(QDir().mkpath(paths::file(QStringLiteral("URLs/d.url"))));
    trigger("mnuHelpLinks");
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(items(), (QStringList{"A.URL", "b.url"}));
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(Links, EachChoiceOpensTheLinkAndAFileDeletedMeanwhileNothing)
{
    linkFile(QStringLiteral("a.url"), "https://example.org/a");
    linkFile(QStringLiteral("B.URL"), "https://example.org/b");
    trigger("mnuHelpLinks");
    choose(QStringLiteral("a.url"));
    choose(QStringLiteral("a.url"));
    EXPECT_EQ(fake.urls, (QStringList{"https://example.org/a", "https://example.org/a"}));

    ASSERT_TRUE(QFile::remove(paths::file(QStringLiteral("URLs/B.URL"))));
    choose(QStringLiteral("B.URL"));
    EXPECT_EQ(fake.urls.size(), 2);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(isOpen("frmLinksEnLiteratuur"));
}

TEST_F(Links, NoFolderLeavesTheListEmptyAndTheBooksStand)
{
    QDir(paths::file(QStringLiteral("URLs"))).removeRecursively();
    trigger("mnuHelpLinks");
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(fake.messages.empty());
    QWidget *w = windows().find(QStringLiteral("frmLinksEnLiteratuur"));
    for (const char *name : {"lblLLLit_0", "lblLLLit_1"})
        EXPECT_FALSE(w->findChild<QLabel *>(QLatin1String(name))->text().isEmpty()) << name;
}

}  // namespace

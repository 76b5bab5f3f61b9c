// The yeasts and the additions: five lines per beer, the bit and the changed
// flag decided by all ten entries, the wizard's last steps, the yeast link.
#include "open_dialog_fixture.h"

#include "core/LinkFiles.h"

#include <QGroupBox>

using namespace mostarium;
using namespace mostarium::test;

namespace {

struct ListDialog {
    const char *window, *command, *box1, *box2, *frame1, *frame2, *ok, *cancel;
    Table1D<QString> RecipeState::*entries;
    int bit;
    int narrow, wide;
};

const ListDialog Toevoegingen = {
    "frmToevoegingen", "mnuToeVoegingen",          "txtToev_",         "txtToev2_", "fraToeV", "fraToeV2", "cmdToeVOK",
    "cmdToeVAnnuleer", &RecipeState::Toevoegingen, StatusToevoegingen, 6315,        12630};
const ListDialog GistKeuze = {"frmGistKeuze",          "mnuGistKeuze",  "txtGKgist_", "txtGKgist2_",
                              "fraGKDikBier",          "fraGKDunBier",  "cmdGKOK",    "cmdGKAnnuleer",
                              &RecipeState::Gistkeuze, StatusGistkeuze, 6400,         12795};

class EntryListTest : public OpenDialogTest, public ::testing::WithParamInterface<ListDialog> {
protected:
    EntryListTest() { load(singleBrew()); }

    const ListDialog &dlg() const { return GetParam(); }
    Table1D<QString> &entries() { return s().recipe.*(dlg().entries); }
    QWidget *openIt() { return open(dlg().command, dlg().window); }
    QLineEdit *box(QWidget *d, int beer, int i)
    {
        return in(d, QLatin1String(beer == 0 ? dlg().box1 : dlg().box2) + QString::number(i));
    }
    void ok(QWidget *d) { press(d, dlg().ok); }
};

}  // namespace

TEST_P(EntryListTest, SingleBrewStoresTheFirstBeerAndKeepsTheSecond)
{
    for (int i = 5; i < 10; ++i)
        entries()(i) = QStringLiteral("dunbier %1").arg(i);
    QWidget *d = openIt();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->width(), layout::px(dlg().narrow - 120));
    EXPECT_GE(in<QGroupBox>(d, QLatin1String(dlg().frame2))->x(), d->width()) << "the right frame lies outside";
    EXPECT_TRUE(box(d, 1, 0)->text().isEmpty()) << "not filled in a single brew";

    box(d, 0, 0)->setText(QStringLiteral("  koriander "));
    box(d, 0, 2)->setText(QStringLiteral("sinaasappelschil"));
    const int status = s().recipe.ReceptStatus;
    ok(d);

    EXPECT_FALSE(loaded(dlg().window));
    EXPECT_EQ(entries()(0), "  koriander ") << "stored as typed";
    EXPECT_EQ(entries()(1), "");
    EXPECT_EQ(entries()(2), "sinaasappelschil");
    for (int i = 5; i < 10; ++i)
        EXPECT_EQ(entries()(i), QStringLiteral("dunbier %1").arg(i));
    EXPECT_EQ(s().recipe.ReceptStatus, status + dlg().bit) << "the bit added once";
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    EXPECT_TRUE(s().view.fraBrouwSchema.visible);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_P(EntryListTest, EveryOneOfTheTenEntriesDecides)
{
    struct Case {
        const char *name;
        int filled;         // entry filled before the OK, -1 none
        const char *typed;  // into the first box
        bool bitBefore;
        bool changed, bit;
    };
    const Case cases[] = {
        {"a second-beer entry alone", 7, "", false, true, true},
        {"blanks count", -1, "   ", false, true, true},
        {"nothing anywhere", -1, "", false, false, false},
        {"nothing anywhere, bit kept", -1, "", true, false, true},
        {"the bit set already", -1, "gist", true, true, true},
        {"every entry emptied", 0, "", false, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        load(singleBrew());
        if (c.filled >= 0)
            entries()(c.filled) = QStringLiteral("iets");
        if (c.bitBefore)
            s().recipe.setStatus(dlg().bit);
        const int status = s().recipe.ReceptStatus;
        QWidget *d = openIt();
        ASSERT_NE(d, nullptr);
        box(d, 0, 0)->setText(QLatin1String(c.typed));
        ok(d);
        EXPECT_EQ(s().recipe.ReceptGewijzigd, c.changed);
        EXPECT_EQ(s().recipe.hasStatus(dlg().bit), c.bit);
        EXPECT_EQ(s().recipe.ReceptStatus - status, c.bit && !c.bitBefore ? dlg().bit : 0);
    }
}

TEST_P(EntryListTest, DoubleBrewLayoutAndBothBeers)
{
    load(doubleBrew());
    entries()(6) = QStringLiteral("oud");
    QWidget *d = openIt();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->width(), layout::px(dlg().wide - 120));
    auto *left = in<QGroupBox>(d, QLatin1String(dlg().frame1));
    auto *right = in<QGroupBox>(d, QLatin1String(dlg().frame2));
    EXPECT_EQ(in<QPushButton>(d, QLatin1String(dlg().ok))->geometry().right(), left->geometry().right());
    EXPECT_EQ(in<QPushButton>(d, QLatin1String(dlg().cancel))->x(), right->x());
    EXPECT_EQ(box(d, 1, 1)->text(), "oud");

    box(d, 1, 1)->setText(QString());
    box(d, 1, 4)->setText(QStringLiteral("nieuw"));
    ok(d);
    EXPECT_EQ(entries()(6), "");
    EXPECT_EQ(entries()(9), "nieuw");
    EXPECT_TRUE(s().recipe.hasStatus(dlg().bit));
}

TEST_P(EntryListTest, ABrewModeSwitchWhileOpenDropsNoSecondBeer)
{
    entries()(8) = QStringLiteral("dunbier");
    QWidget *d = openIt();
    ASSERT_NE(d, nullptr);
    s().app.dubbelBrouw = true;  // switched while the dialog is open
    box(d, 0, 0)->setText(QStringLiteral("eerste"));
    ok(d);
    EXPECT_EQ(entries()(0), "eerste");
    EXPECT_EQ(entries()(8), "dunbier") << "boxes never filled do not overwrite it";
}

TEST_P(EntryListTest, CancelEndsTheWizardAndStoresNothing)
{
    s().app.wizardActief = true;
    QWidget *d = openIt();
    ASSERT_NE(d, nullptr);
    box(d, 0, 0)->setText(QStringLiteral("x"));
    press(d, dlg().cancel);
    EXPECT_FALSE(loaded(dlg().window));
    EXPECT_FALSE(s().app.wizardActief);
    EXPECT_EQ(entries()(0), "");
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
}

TEST_P(EntryListTest, TheOkClicksWhenTheSoundsAreOn)
{
    s().app.geluidAan = true;
    QWidget *d = openIt();
    ASSERT_NE(d, nullptr);
    ok(d);
    EXPECT_EQ(fake.sounds.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Lists, EntryListTest, ::testing::Values(Toevoegingen, GistKeuze),
                         [](const auto &info) { return std::string(info.param.window); });

using WizardEndTest = OpenDialogTest;

TEST_F(WizardEndTest, TheAdditionsOpenTheYeastsWhichEndTheWizard)
{
    for (bool dubbel : {false, true}) {
        SCOPED_TRACE(dubbel ? "double brew" : "single brew");
        load(dubbel ? doubleBrew() : singleBrew());
        s().app.wizardActief = true;
        QWidget *d = open("mnuToeVoegingen", "frmToevoegingen");
        ASSERT_NE(d, nullptr);
        press(d, "cmdToeVOK");
        EXPECT_FALSE(loaded("frmToevoegingen"));
        EXPECT_TRUE(isOpen("frmGistKeuze"));
        EXPECT_TRUE(s().app.wizardActief);

        press(windows().find(QStringLiteral("frmGistKeuze")), "cmdGKOK");
        EXPECT_FALSE(loaded("frmGistKeuze"));
        EXPECT_FALSE(s().app.wizardActief);
        EXPECT_TRUE(windows().loadedNames().filter(QStringLiteral("frm")).filter(QStringLiteral("Gist")).isEmpty());
    }
}

TEST_F(WizardEndTest, OutsideTheWizardTheAdditionsOpenNothing)
{
    load(singleBrew());
    QWidget *d = open("mnuToeVoegingen", "frmToevoegingen");
    press(d, "cmdToeVOK");
    EXPECT_FALSE(loaded("frmGistKeuze"));
}

using YeastLinkTest = OpenDialogTest;

TEST_F(YeastLinkTest, TheLinkIsCentredAndItsFileWrittenOnceThenOpened)
{
    const QString link = folder.file(QStringLiteral("URLs/") + YeastLinkFile);
    QFile::remove(link);
    for (bool dubbel : {false, true}) {
        load(dubbel ? doubleBrew() : singleBrew());
        QWidget *d = open("mnuGistKeuze", "frmGistKeuze");
        ASSERT_NE(d, nullptr);
        auto *url = in<QLabel>(d, "lblGKURL");
        ASSERT_NE(url, nullptr);
        EXPECT_LE(std::abs(url->geometry().center().x() - d->width() / 2), 1) << dubbel;
        EXPECT_EQ(url->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_TRUE(url->font().underline());
        windows().unload(QStringLiteral("frmGistKeuze"));
    }

    QWidget *d = open("mnuGistKeuze", "frmGistKeuze");
    auto *url = dynamic_cast<ClickLabel *>(in<QLabel>(d, "lblGKURL"));
    ASSERT_NE(url, nullptr);
    QString address;
    for (const InternetShortCut &row : internetShortCuts())
        if (row.fileName == YeastLinkFile)
            address = row.address;
    ASSERT_FALSE(address.isEmpty());
    url->onClick();
    EXPECT_EQ(bytes(link), "[InternetShortcut]\r\nURL=" + address.toLatin1() + "\r\n");
    EXPECT_EQ(fake.urls, QStringList{address});

    // A link the user changed stays and is the one opened.
    const QByteArray own = "[InternetShortcut]\r\nURL=https://gist.example/\r\n";
    QFile f(link);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(own);
    f.close();
    url->onClick();
    EXPECT_EQ(bytes(link), own);
    EXPECT_EQ(fake.urls.last(), "https://gist.example/");
    EXPECT_TRUE(loaded("frmGistKeuze"));
}

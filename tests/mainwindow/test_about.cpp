#include "info_windows_fixture.h"

#include "core/Paths.h"

#include "core/Ini.h"
#include "core/LinkFiles.h"
#include "mainwindow/frmInfo.h"
#include "mainwindow/frmRegistreer.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace mostarium;

namespace {

class AboutWindow : public test::InfoWindowsTest {
protected:
    AboutWindow()
    {
        session().recipe.Revision = "Rev. 1.02 [3] 5 maart 2026";
        QDir().mkpath(folder.file("URLs"));
    }
    ~AboutWindow() override { session().recipe.Revision.clear(); }
};

TEST_F(AboutWindow, FromTheMenuShowsRevisionAndOk)
{
    showAbout();
    QWidget *w = windows().find("frmInfo");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Info Mostarium");
    EXPECT_EQ(child<QLabel>(w, "lblKop")->text(), "Wortkamer");
    EXPECT_EQ(child<QLabel>(w, "lblInfoRevisie")->text(), "Rev. 1.02 [3] 5 maart 2026");
    EXPECT_TRUE(child<QPushButton>(w, "cmdOK")->isVisible());
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(205, 209, 203));
    EXPECT_EQ(child<QPlainTextEdit>(w, "txtBeerware")->palette().color(QPalette::Base), QColor(205, 209, 203));
    EXPECT_TRUE(child<QPlainTextEdit>(w, "Text1")->toPlainText().startsWith("EINDGEBRUIKERS OVEREENKOMST"));
    for (const char *name : {"picInfo_Ketel", "lblI_PoweredBy", "lblI_MostariumOnline", "lblInfo_WWW",
                             "lblInfo_Hotmail", "fraStreep", "Shape1"})
        child(w, name);
}

TEST_F(AboutWindow, AboutTextEndsItsRightsLinesWithThisYear)
{
    fake.clock = QDateTime(QDate(2031, 1, 2), QTime(9, 0));
    showAbout();
    const QString shown = child<QPlainTextEdit>(windows().find("frmInfo"), "txtBeerware")->toPlainText();
    const QStringList lines = shown.split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], "Beerware:");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Het gebruik van deze software is vrij!");
    EXPECT_TRUE(shown.contains("'DONATIE'."));
    EXPECT_TRUE(lines.contains("Zie ook Mostarium Online"));
    EXPECT_EQ(lines.last(), onlineSiteAddress());
    EXPECT_EQ(lines.filter(QRegularExpression(" 2031$")).size(), 2);

    const QString raw = frmInfo::beerwareText(2031);
    EXPECT_EQ(raw.count("\r\n"), lines.size() - 1);
    EXPECT_FALSE(raw.endsWith("\r\n"));
}

TEST_F(AboutWindow, LinkLabelWritesAMissingLinkFileAndOpensIt)
{
    showAbout();
    QWidget *w = windows().find("frmInfo");
    EXPECT_EQ(child<QLabel>(w, "lblInfo_WWW")->cursor().shape(), Qt::WhatsThisCursor);

    QTest::mouseClick(child(w, "lblInfo_WWW"), Qt::LeftButton);
    EXPECT_EQ(test::fileBytes(folder.file("URLs/ZOLV.url")),
              "[InternetShortcut]\r\nURL=" + guildSiteAddress().toLatin1() + "\r\n");
    EXPECT_EQ(fake.urls, QStringList{guildSiteAddress()});

    // An existing link file is opened as it is.
    writeFile(folder.file("URLs/MostariumOnline.url"), "[InternetShortcut]\r\nURL=https://elders.example.nl/\r\n");
    QTest::mouseClick(child(w, "lblI_MostariumOnline"), Qt::LeftButton);
    EXPECT_EQ(fake.urls.last(), "https://elders.example.nl/");
    EXPECT_EQ(test::fileBytes(folder.file("URLs/MostariumOnline.url")),
              "[InternetShortcut]\r\nURL=https://elders.example.nl/\r\n");

    // One a user (or someone else) pointed at a local program is refused.
    writeFile(folder.file("URLs/ZOLV.url"), "[InternetShortcut]\r\nURL=file:///usr/bin/xterm\r\n");
    QTest::mouseClick(child(w, "lblInfo_WWW"), Qt::LeftButton);
    EXPECT_EQ(fake.urls.size(), 2);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
}

TEST_F(AboutWindow, SplashIsTopmostWithoutOkAndTheMenuGetsANewWindow)
{
    QWidget *splash = showSplash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    // Shown and painted before the start-up's pause begins.
    EXPECT_TRUE(qobject_cast<frmInfo *>(splash)->painted());
    EXPECT_FALSE(child<QPushButton>(splash, "cmdOK")->isVisible());
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    const QRect where = splash->geometry();
    splashNotOnTop();
    EXPECT_FALSE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->geometry(), where);
    closeSplash();
    flush();
    EXPECT_FALSE(windows().isLoaded("frmInfo"));

    showAbout();
    QWidget *w = windows().find("frmInfo");
    EXPECT_TRUE(child<QPushButton>(w, "cmdOK")->isVisible());
    EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(AboutWindow, ClosingChangesNoSetting)
{
    QString one = "1";
    EXPECT_TRUE(WriteINI(paths::zymIni(), "Sounds", "SoundsOn", one));
    const QByteArray before = test::fileBytes(paths::zymIni());
    session().app.geluidAan = true;
    showAbout();
    click(windows().find("frmInfo"), "cmdOK");
    EXPECT_FALSE(windows().isLoaded("frmInfo"));
    EXPECT_EQ(fake.sounds, QStringList{folder.path() + "/Sounds/ploc.wav"});
    showRegistreer();
    click(windows().find("frmRegistreer"), "cmdReg_OK");
    EXPECT_FALSE(windows().isLoaded("frmRegistreer"));
    EXPECT_EQ(test::fileBytes(paths::zymIni()), before);
}

TEST_F(AboutWindow, MailingListNotice)
{
    showRegistreer();
    QWidget *w = windows().find("frmRegistreer");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Registreer");
    const QString notice = child<QPlainTextEdit>(w, "txtReg_Registreer")->toPlainText();
    EXPECT_TRUE(notice.contains("\"Registreer\""));
    EXPECT_TRUE(notice.contains(contactAddress()));
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(205, 209, 203));
    EXPECT_EQ(child(w, "fraRegistreer")->palette().color(QPalette::Window), QColor(205, 209, 203));
    // The text box keeps its own white.
    EXPECT_EQ(child(w, "txtReg_Registreer")->palette().color(QPalette::Base), QColor(Qt::white));
}

}  // namespace

// The colour, bitterness and carbonation cards and the units text.

#include "mainwindow/mainwindow_fixture.h"

#include "core/Paths.h"
#include "core/Session.h"
#include "platform/WindowRoutines.h"
#include "reference/EenhedenText.h"
#include "reference/ReferenceCards.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class Cards : public MainWindowTest {
protected:
    QWidget *open(const char *command, const char *window)
    {
        trigger(command);
        QWidget *x = windows().find(QString::fromLatin1(window));
        EXPECT_TRUE(x && x->isVisible()) << window;
        return x;
    }
    static QString text(QWidget *x, const char *name)
    {
        if (auto *l = x->findChild<QLabel *>(QString::fromLatin1(name)))
            return l->text();
        if (auto *g = x->findChild<QGroupBox *>(QString::fromLatin1(name)))
            return g->title();
        return QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
    }
};

struct CardCase {
    const char *command, *window, *caption;
    std::vector<std::pair<const char *, const char *>> texts;
};

TEST_F(Cards, EveryCardShowsItsTexts)
{
    const std::vector<CardCase> cases = {
        {"mnuEBCSchatting",
         "frmEBCSchatting",
         "EBC Referentiekader",
         {{"fraEBCWaarden", " Kleur vs. EBC-waarden "},
          {"lblEBCBleekLichtBlond", "Bleek/Lichtblond: 6-9 EBC"},
          {"lblEBCBlondGeel", "Blond/geel: 10-12 EBC"},
          {"lblEBCGoud", "Goud: 13-20 EBC"},
          {"lblEBCAmber", "Amber: 21-30 EBC"},
          {"lblEBCKoper", "Koper: 31-45 EBC"},
          {"lblEBCBruin", "Donker koper/bruin: 46-75 EBC"},
          {"lblEBCZeerDonker", "Zeer donker (doorschijnend): 76-120 EBC"},
          {"lblEBCNietDoorschijnend", "Zeer donker (niet-doorschijnend): >120 EBC"}}},
        {"mnuEBURef",
         "frmEBURef",
         "EBU Referentiekader",
         {{"fraEBUSensorisch", " Bitterheid (sensorisch) vs. EBU-waarde "},
          {"lblEBURef5", "Weinig bitter: 5-20 EBU"},
          {"lblEBURef20", "Bitterig: 20-30 EBU"},
          {"lblEBURef30", "Bitter: 30-40 EBU"},
          {"lblEBURef40", "Zeer bitter: >40 EBU"},
          {"lblEBURefInfo", "1 EBU = 1 mg/L iso-alfazuur"},
          {"lblEBUEvOG", "OG (kg/m3)"},
          {"lblEBURefBitter", "EBU"}}},
        {"mnuCO2Ref",
         "frmCO2Ref",
         "CO2 Referentiekader",
         {{"fraCO2Sensorisch", "Koolzuurgehalte (sensorisch) vs gehalte (gr/L) "},
          {"lblCO2RefWeinig", "Weinig: <3.5 gr/L"},
          {"lblCO2RefNormaal", "Normaal: 3.5-5.0 gr/L"},
          {"lblCO2RedVeel", "Redelijk veel: 5.0-6.0 gr/L"},
          {"lblCO2RefVeel", "Veel: >6.0 gr/L"}}},
    };
    for (const CardCase &c : cases) {
        QWidget *x = open(c.command, c.window);
        ASSERT_NE(x, nullptr) << c.window;
        EXPECT_EQ(x->windowTitle(), QString::fromLatin1(c.caption));
        for (const auto &[name, expected] : c.texts)
            EXPECT_EQ(text(x, name), QString::fromLatin1(expected)) << c.window << " " << name;
    }
}

TEST_F(Cards, ColourSeparatorAndBalanceFrameHaveTheirForm)
{
    QWidget *ebc = open("mnuEBCSchatting", "frmEBCSchatting");
    ASSERT_NE(ebc, nullptr);
    const QString sep = text(ebc, "Label1");
    EXPECT_TRUE(sep.startsWith(QStringLiteral("----- 30 EBC: "))) << qPrintable(sep);
    EXPECT_TRUE(sep.endsWith(QStringLiteral(" -----"))) << qPrintable(sep);

    QWidget *ebu = open("mnuEBURef", "frmEBURef");
    ASSERT_NE(ebu, nullptr);
    const QString balance = text(ebu, "fraEBUEvenwicht");
    EXPECT_TRUE(balance.startsWith(QStringLiteral(" Evenwicht bitter-zoet "))) << qPrintable(balance);
    EXPECT_TRUE(balance.endsWith(QLatin1Char(' ')));
    const char *ebuValues[10] = {"4", "8", "12", "16", "24", "32", "40", "48", "54", "62"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(text(ebu, qPrintable(QStringLiteral("lblEBUOG_%1").arg(i))), QString::number(1010 + 10 * i));
        EXPECT_EQ(text(ebu, qPrintable(QStringLiteral("lblEBURefEBU_%1").arg(i))), QString::fromLatin1(ebuValues[i]));
    }
    auto *info = ebu->findChild<QLabel *>(QStringLiteral("lblEBURefInfo"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(Cards, OkPlaysThePlopWhenSoundsAreOnAndTheCloseBoxNothing)
{
    const QString plop = paths::file(QStringLiteral("Sounds/zadiver_plop.wav"));
    const std::vector<std::pair<const char *, std::pair<const char *, const char *>>> cards = {
        {"mnuEBCSchatting", {"frmEBCSchatting", "cmdEBCOK"}},
        {"mnuEBURef", {"frmEBURef", "cmdEBURefOK"}},
        {"mnuCO2Ref", {"frmCO2Ref", "cmdCO2OK"}},
    };
    for (const auto &[command, names] : cards) {
        const auto &[window, ok] = names;
        for (bool soundOn : {false, true}) {
            session().app.geluidAan = soundOn;
            fake.sounds.clear();
            QWidget *x = open(command, window);
            ASSERT_NE(x, nullptr);
            x->findChild<QPushButton *>(QString::fromLatin1(ok))->click();
            EXPECT_FALSE(isOpen(window)) << window;
            EXPECT_EQ(fake.sounds, soundOn ? QStringList{plop} : QStringList{}) << window;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        fake.sounds.clear();
        QWidget *x = open(command, window);
        ASSERT_NE(x, nullptr);
        x->close();
        EXPECT_FALSE(isOpen(window)) << window;
        EXPECT_TRUE(fake.sounds.isEmpty()) << window;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Cards, HelpPicturesOpenTheirTopics)
{
    const std::vector<std::tuple<const char *, const char *, const char *, const char *>> cards = {
        {"mnuEBCSchatting", "frmEBCSchatting", "picEBCHelp", "MI_T_EBCReferentiekader.htm"},
        {"mnuEBURef", "frmEBURef", "picEBUHelp", "MI_T_EBUReferentiekader.htm"},
        {"mnuCO2Ref", "frmCO2Ref", "picCO2_Help", "MI_T_CO2Referentiekader.htm"},
    };
    for (const auto &[command, window, pic, topic] : cards) {
        fake.helpPages.clear();
        QWidget *x = open(command, window);
        ASSERT_NE(x, nullptr);
        auto *help = x->findChild<ClickLabel *>(QString::fromLatin1(pic));
        ASSERT_NE(help, nullptr) << pic;
        EXPECT_EQ(help->toolTip(), QStringLiteral("Open OnLine Help"));
        help->onClick();
        ASSERT_EQ(fake.helpPages.size(), 1) << window;
        EXPECT_TRUE(fake.helpPages.first().contains(QString::fromLatin1(topic))) << qPrintable(fake.helpPages.first());
    }
}

QString unitsText(QWidget *x)
{
    auto *box = x->findChild<QTextEdit *>(QStringLiteral("rtfEenheden"));
    return box ? box->toPlainText() : QString();
}

TEST_F(Cards, UnitsTextComesFromItsFileAndElseFromTheBuiltInCopy)
{
    const QString file = paths::file(QStringLiteral("Templates/Eenheden.rtf"));
    QDir().mkpath(QFileInfo(file).path());
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1\\ansi Eigen tekst van de brouwer\\par}");
    }
    QWidget *x = open("mnuEenheden", "frmEenheden");
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->windowTitle(), QStringLiteral("Eenheden"));
    EXPECT_TRUE(unitsText(x).contains(QStringLiteral("Eigen tekst van de brouwer")));
    auto *box = x->findChild<QTextEdit *>(QStringLiteral("rtfEenheden"));
    EXPECT_TRUE(box->isReadOnly());
    x->findChild<QAction *>(QStringLiteral("mnuEenhedenAfsluiten"))->trigger();
    EXPECT_FALSE(isOpen("frmEenheden"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Missing, or a folder in its place: the built-in copy, and no message.
    for (bool folder : {false, true}) {
        QFile::remove(file);
        if (folder) {
            ASSERT_TRUE(QDir().mkpath(file));
        }
        x = open("mnuEenheden", "frmEenheden");
        ASSERT_NE(x, nullptr);
        EXPECT_TRUE(unitsText(x).contains(QStringLiteral("Omzetting van eenheden"))) << folder;
        EXPECT_TRUE(unitsText(x).contains(QStringLiteral("Fahrenheit")));
        EXPECT_TRUE(fake.messages.empty());
        x->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// A word of the units file longer than the reader lets lay out in one piece
// gets invisible breaks for the layout; a copy of it out of the window gives
// the word as the file has it.
TEST_F(Cards, AWordCopiedFromTheUnitsTextIsWhole)
{
    const QString file = paths::file(QStringLiteral("Templates/Eenheden.rtf"));
    QDir().mkpath(QFileInfo(file).path());
    const QByteArray word(2000, 'm');
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1\\ansi Omzetting " + word + "\\par}");
    }
    QWidget *x = open("mnuEenheden", "frmEenheden");
    ASSERT_NE(x, nullptr);
    auto *box = x->findChild<QTextEdit *>(QStringLiteral("rtfEenheden"));
    ASSERT_TRUE(unitsText(x).contains(QChar(0x200B)));
    box->selectAll();
    box->copy();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_FALSE(copied.contains(QChar(0x200B)));
    EXPECT_TRUE(copied.contains(QStringLiteral("Omzetting ") + QString::fromLatin1(word)));
}

TEST(UnitsText, ShippedFileIsTheBuiltInCopy)
{
    QFile f(resourcesFolder() + QStringLiteral("/Templates/Eenheden.rtf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(builtInEenhedenRtf));
}

}  // namespace

// Every writer of the program on a full disk (a real file-size limit): the
// file it would replace stays as it was, its message shows, nothing points
// at the old file as if it were new, and the program goes on.

#include "test_filecommands_fixture.h"

#include "calculators/CalcWindow.h"
#include "core/LinkFiles.h"
#include "core/RecipeFile.h"
#include "core/Spoelcurve.h"
#include "core/WholeFile.h"
#include "editors/frmAantekeningen.h"
#include "output/RtfReport.h"
#include "platform/WindowRoutines.h"
#include "reference/frmBierSoorten.h"
#include "support/FileFaults.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <functional>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// What the limit makes of a write that passes it.
const QString FileTooLarge = QStringLiteral("het bestand wordt groter dan het systeem toestaat");

class WritersOnAFullDisk : public FileCommandsTest {
protected:
    WritersOnAFullDisk() { QDir(folder.path()).mkpath(QStringLiteral("temp")); }

    QString at(const QString &relative) const { return folder.file(relative); }

    static void press(const char *window, const char *name)
    {
        if (auto *b = in<QPushButton>(window, name))
            b->click();
    }
    // The print dialog with only `row` checked.
    void printTo(const char *row)
    {
        trigger("mnuAfdrukken");
        in<QCheckBox>("frmAfdrukken", "chkPrinterBS")->setChecked(false);
        in<QCheckBox>("frmAfdrukken", row)->click();
    }
    static QString statusText(const char *window)
    {
        auto *calc = qobject_cast<CalcWindow *>(windows().find(QString::fromLatin1(window)));
        EXPECT_NE(calc, nullptr) << window;
        return calc ? calc->statusText() : QString();
    }
};

TEST_F(WritersOnAFullDisk, KeepTheOldFileSaySoAndPointAtNothingStale)
{
    const QString recipe = QStringLiteral("Recepten/Herfstbok.zlv");
    const QString zym = QStringLiteral("ZYM.ini");
    struct Writer {
        const char *what;
        QStringList targets;  // each must keep its bytes; made when missing
        std::function<void()> prepare;
        std::function<void()> run;  // under the limit
        std::function<QString()> message;
        std::function<void()> nothingWritten;
        // A calculator that says it in its status bar, where its window says it.
        const char *statusOf = nullptr;
        rlim_t limit = 10;  // bytes a file may reach
    };
    QString wordBefore;
    const Writer writers[] = {
        {"recipe Save",
         {recipe},
         [&] {
             s().recipe.Algemeen(0) = QStringLiteral("Herfstbok op een volle schijf");
             s().recipe.ReceptGewijzigd = true;
         },
         [&] { trigger("mnuOpslaan"); },
         [&] { return saveFailedText(at(recipe), FileTooLarge); },
         [&] {
             EXPECT_TRUE(s().recipe.ReceptGewijzigd);
             EXPECT_EQ(s().view.panels[7].text, QString());
         }},
        {"tasting words",
         {QStringLiteral("temp/Kenmerken.ini"), recipe},
         [&] {
             trigger("mnuKenmerken");
             in<QScrollBar>("frmKenmerken", "hsbKM_Kleur")->setValue(3);
             wordBefore = s().recipe.Kenmerken[0];
         },
         [] { press("frmKenmerken", "cmdKM_OpSlaan"); },
         [&] { return notWrittenText(at(QStringLiteral("temp/Kenmerken.ini")), FileTooLarge); },
         [&] {
             EXPECT_EQ(s().recipe.Kenmerken[0], wordBefore);
             EXPECT_FALSE(s().recipe.ReceptGewijzigd);
         }},
        // Room for the small scratch file, none for the recipe file.
        {"tasting words into the recipe file",
         {recipe},
         [&] {
             trigger("mnuKenmerken");
             in<QScrollBar>("frmKenmerken", "hsbKM_Kleur")->setValue(3);
         },
         [] { press("frmKenmerken", "cmdKM_OpSlaan"); },
         [&] { return notWrittenText(at(recipe), FileTooLarge); },
         // The words are the recipe's now: the next Save writes them.
         [] {
             EXPECT_EQ(s().recipe.Kenmerken[0], QStringLiteral("geel"));
             EXPECT_TRUE(s().recipe.ReceptGewijzigd);
         },
         nullptr,
         1000},
        {"notes",
         {recipe},
         [&] {
             trigger("mnuAantekeningen");
             in<LimitedTextEdit>("frmAantekeningen", "txtAantekeningen")->setNotesText(QStringLiteral("Nieuw"));
         },
         [] { press("frmAantekeningen", "cmdAanT_OK"); },
         [&] { return notWrittenText(at(recipe), FileTooLarge); },
         // The notes are the recipe's: the next Save writes them.
         [] { EXPECT_TRUE(s().recipe.ReceptGewijzigd); }},
        {"water report",
         {QStringLiteral("temp/WaterProfiel.txt")},
         [&] { trigger("mnuWateraanpassing"); },
         [] { in<QScrollBar>("frmWaterAanpassing", "fsbCaSO4")->setValue(50); },
         [&] { return notWrittenText(at(QStringLiteral("temp/WaterProfiel.txt"))); },
         [] { EXPECT_FALSE(statusText("frmWaterAanpassing").contains(QStringLiteral("Voor resultaat zie"))); }},
        {"hop storage report",
         {QStringLiteral("temp/HopOpslagFactor.txt")},
         [&] {
             trigger("mnuCalculator");
             for (const auto &[box, value] : {std::pair{"txtHOAlfaVerpakking", "5"},
                                              {"txtHOBetaVerpakking", "4"},
                                              {"txtHOBewaartijd", "1"},
                                              {"txtHOBewaarTemp", "20"}})
                 in<QLineEdit>("frmHopOpslag", box)->setText(QLatin1String(value));
             for (const char *choice : {"cmbHOBloemPel", "cmbHOVacuum", "cmbHOZuurstof"})
                 in<QComboBox>("frmHopOpslag", choice)->setCurrentIndex(1);
         },
         [] { press("frmHopOpslag", "cmdHOBereken"); },
         [] { return QStringLiteral("Error in ArchiveerHopOpslagFactor!"); },
         [] {},
         "frmHopOpslag"},
        {"priming sugar report",
         {QStringLiteral("temp/SuikerHoeveelheid.txt")},
         [&] {
             trigger("mnuAfvullen");
             for (const auto &[box, value] : {std::pair{"txtSSCO2Aanwezig", "2.25"},
                                              {"txtSSCO2Gewenst", "5"},
                                              {"txtSSVolume", "20"},
                                              {"txtSSxxVolume", "330"}})
                 in<QLineEdit>("frmSuikerSiroop", box)->setText(QLatin1String(value));
         },
         [] { press("frmSuikerSiroop", "cmdSSBereken"); },
         [] { return QStringLiteral("Error in Archiveer!"); },
         [] { EXPECT_FALSE(statusText("frmSuikerSiroop").startsWith(QStringLiteral("Zie "))); }},
        {"sugar conversion log",
         {QStringLiteral("temp/Conversie.log")},
         [&] {
             trigger("mnuConversie");
             in<QLineEdit>("frmSuikerConv", "txtConvInput")->setText(QStringLiteral("100"));
         },
         [] { press("frmSuikerConv", "cmdConverteer"); },
         [&] {
             return QStringLiteral("Conversie kon niet worden bijgeschreven in ")
                    + at(QStringLiteral("temp/Conversie.log"));
         },
         [] {},
         "frmSuikerConv"},
        {"report as RTF file",
         {QStringLiteral("Recepten/Herfstbok.rtf"), QStringLiteral("temp/EB.rtf")},
         [&] {
             printTo("chkNaarBestand");
             fake.msgAnswers.push_back(mb::Yes);  // over the old file
         },
         [] { press("frmAfdrukken", "cmdAfdOK"); },
         // The scratch copy is the first file the report writes.
         [&] { return notWrittenText(reportScratchFile(s().app.dubbelBrouw), FileTooLarge); },
         [] {
             EXPECT_FALSE(isOpen("frmReport"));
             EXPECT_TRUE(isOpen("frmAfdrukken"));
         }},
        // Room for the scratch copy, none for the pages.
        {"report printed to a PDF file",
         {QStringLiteral("Recepten/Herfstbok.pdf")},
         [&] {
             trigger("mnuAfdrukken");  // to the printer
             fake.printAnswers.push_back(at(QStringLiteral("Recepten/Herfstbok.pdf")));
         },
         [] { press("frmAfdrukken", "cmdAfdOK"); },
         [&] {
             return notWrittenText(at(QStringLiteral("Recepten/Herfstbok.pdf")), FileTooLarge)
                    + QStringLiteral(" Er is geen brouwschema afgedrukt.");
         },
         [] { EXPECT_FALSE(isOpen("frmAfdrukken")); },
         nullptr,
         16 * 1024},
        {"judging sheet printed to a PDF file",
         {QStringLiteral("Recepten/Keuring.pdf")},
         [&] {
             trigger("mnuKeurFormulier");
             fake.printAnswers.push_back(at(QStringLiteral("Recepten/Keuring.pdf")));
         },
         [] { in<QAction>("frmKeuringsformulier", "mnuKFPrint")->trigger(); },
         [&] {
             return notWrittenText(at(QStringLiteral("Recepten/Keuring.pdf")), FileTooLarge)
                    + QStringLiteral(" Het keuringsformulier is niet afgedrukt.");
         },
         [] { EXPECT_TRUE(isOpen("frmKeuringsformulier")); }},
        {"HTML page",
         {QStringLiteral("Recepten/Herfstbok.html")},
         [&] {
             printTo("chkNaarHTML");
             fake.msgAnswers.push_back(mb::Yes);  // over the old file
         },
         [] { press("frmAfdrukken", "cmdAfdOK"); },
         [&] { return QStringLiteral("Error in het aanmaken van ") + at(QStringLiteral("Recepten/Herfstbok.html")); },
         [] {}},
        {"XML export",
         {QStringLiteral("Recepten/Herfstbok.xml")},
         [&] {
             printTo("chkNaarXML");
             fake.msgAnswers.push_back(mb::Yes);  // over the old file
         },
         [] { press("frmAfdrukken", "cmdAfdOK"); },
         [&] { return QStringLiteral("Error in het aanmaken van ") + at(QStringLiteral("Recepten/Herfstbok.xml")); },
         [] {}},
        {"shopping list",
         {QStringLiteral("temp/ShoppingList_Herfstbok.txt")},
         [] {},
         [&] { trigger("mnuShoppingList"); },
         [&] { return notWrittenText(at(QStringLiteral("temp/ShoppingList_Herfstbok.txt")), FileTooLarge); },
         [&] { EXPECT_TRUE(fake.textFiles.isEmpty()); }},
        {"style list",
         {QStringLiteral("BierSoorten.txt")},
         [&] { trigger("mnuEditBierSoorten"); },
         [] { press("frmBierSoorten", "cmdBS_OK"); },
         [] { return BierSoortenNietOpgeslagen; },
         [] { EXPECT_TRUE(isOpen("frmBierSoorten")); }},
        {"style database's recipe suggestion",
         {QStringLiteral("temp/ReceptSuggestie.zlv")},
         [&] { trigger("mnuReceptSuggestie"); },
         [] { press("frmBiertypen1", "cmdOpen"); },
         [&] { return notWrittenText(at(QStringLiteral("temp/ReceptSuggestie.zlv"))); },
         [&] { EXPECT_EQ(s().app.fileName, at(recipe)); }},
        {"an option of the menu",
         {zym},
         [] {},
         [&] { trigger("mnuBeerSounds"); },
         [&] { return notWrittenText(at(zym)); },
         [] {}},
        {"system parameters",
         {zym},
         [&] { trigger("mnuSysParameters"); },
         [] { press("frmSysParameters", "cmdSP_OK"); },
         [] { return QStringLiteral("De systeem parameters konden niet in ZYM.ini worden bewaard!"); },
         [] {}},
        {"tips at start-up",
         {zym},
         [&] { trigger("mnuTips"); },
         [] { press("frmTip", "cmdOK"); },
         [&] { return notWrittenText(at(zym)); },
         [] {}},
        {"recent files",
         {zym},
         [] {},
         [&] { ASSERT_TRUE(fc->openFile(sample(QStringLiteral("Zomerblond.zlv")))); },
         [&] { return notWrittenText(at(zym)); },
         // Opened all the same.
         [&] { EXPECT_EQ(s().app.fileName, sample(QStringLiteral("Zomerblond.zlv"))); }},
        {"sparge-curve picture",
         {},
         [&] {
             s().app.spoelcurveRecept = true;
             writeFileBytes(SpoelcurvePlaatje(s().recipe), "een oudere curve");
             trigger("mnuSpoelen");
         },
         [] { press("frmSpoelen", "cmdSpoelOK"); },
         [&] { return notWrittenText(SpoelcurvePlaatje(s().recipe)); },
         // The reports insert whatever picture is there.
         [&] { EXPECT_FALSE(QFile::exists(SpoelcurvePlaatje(s().recipe))); }},
        {"yeast link file",
         {},
         [&] {
             QFile::remove(siteLinkFile(YeastLinkFile));
             trigger("mnuGistKeuze");
         },
         [] {
             if (auto *link = in<ClickLabel>("frmGistKeuze", "lblGKURL"))
                 QTest::mouseClick(link, Qt::LeftButton);
         },
         [&] { return notWrittenText(siteLinkFile(YeastLinkFile)); },
         [&] {
             EXPECT_FALSE(QFile::exists(siteLinkFile(YeastLinkFile)));
             EXPECT_TRUE(fake.urls.isEmpty());
         }},
    };

    for (const Writer &wr : writers) {
        SCOPED_TRACE(wr.what);
        openSample();
        s().view.panels[7].text.clear();
        wr.prepare();
        std::vector<QByteArray> before;
        for (const QString &t : wr.targets) {
            if (!QFileInfo::exists(at(t))) {
                QDir().mkpath(QFileInfo(at(t)).absolutePath());
                writeFileBytes(at(t), "het oude bestand\r\n");
            }
            before.push_back(bytes(at(t)));
        }
        fake.messages.clear();

        {
            FullDisk full(wr.limit);
            wr.run();
        }

        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(bytes(at(wr.targets[int(i)])), before[i]) << qPrintable(wr.targets[int(i)]);
        if (wr.statusOf)
            EXPECT_EQ(statusText(wr.statusOf), wr.message());
        else
            EXPECT_TRUE(fake.prompts().contains(wr.message())) << qPrintable(fake.prompts().join(u'|'));
        wr.nothingWritten();
        for (const WindowRow &r : windowCatalogue())
            windows().unload(r.window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Alive, and with room again the writers write.
    openSample();
    trigger("mnuOpslaan");
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
}

}  // namespace

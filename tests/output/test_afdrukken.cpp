// The print and export dialog and the report window, driven through the menu.
#include "output_fixture.h"

#include "core/Paths.h"
#include "core/WholeFile.h"
#include "output/RtfReport.h"
#include "output/frmReport.h"
#include "platform/WindowRoutines.h"

#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QPageSize>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <cstring>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class PrintDialog : public OutputTest {
protected:
    void SetUp() override
    {
        open("Zomerblond.zlv");
        trigger("mnuAfdrukken");
        ASSERT_TRUE(isOpen("frmAfdrukken"));
        fake.clear();
    }
    QString recepten(const QString &name) const { return QDir(folder.file(QStringLiteral("Recepten"))).filePath(name); }
    QString templateFile() const { return folder.file(QStringLiteral("Templates/template_EB.rtf")); }
    void writeTemplate(const QByteArray &rtf) const
    {
        QFile f(templateFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(rtf), rtf.size());
    }
    // The print dialog open (again, after an OK closed it) with the screen as
    // its only output.
    void screenOnly()
    {
        if (!isOpen("frmAfdrukken"))
            trigger("mnuAfdrukken");
        check("chkPrinterBS")->setChecked(false);
        check("chkNaarScherm")->setChecked(true);
    }
};

// One paragraph of one unbroken word, `size` bytes in all.
QByteArray oneLineTemplate(qint64 size) { return "{\\rtf1 " + QByteArray(size - 8, 'x') + "}"; }

}  // namespace

TEST_F(PrintDialog, OpensWithThePrinterOnlyAndDefaultNames)
{
    EXPECT_TRUE(check("chkPrinterBS")->isChecked());
    for (const char *c : {"chkNaarScherm", "chkNaarBestand", "chkNaarHTML", "chkNaarXML"})
        EXPECT_FALSE(check(c)->isChecked()) << c;
    EXPECT_TRUE(check("chkNaarHTML")->isEnabled());
    EXPECT_TRUE(check("chkNaarXML")->isEnabled());
    for (const char *b : {"txtAfdNaar", "txtNaarHTML", "txtNaarXML"})
        EXPECT_FALSE(box(b)->isVisibleTo(box(b)->window())) << b;
    EXPECT_EQ(check("chkPrinterBS")->palette().color(QPalette::Window), MainBackColor());

    struct Case {
        const char *receptNaam, *beer, *expected;
    } cases[] = {
        {"Zomerblond", "Zomerblond", "Zomerblond.rtf"},
        {"", "  Herfst bok ", "Herfst bok.rtf"},
        {"", " a/b ", "a_b.rtf"},
        {"", "", "recept.rtf"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        session().recipe.ReceptNaam = QString::fromUtf8(c.receptNaam);
        session().recipe.Algemeen(0) = QString::fromUtf8(c.beer);
        check("chkNaarBestand")->click();
        EXPECT_TRUE(box("txtAfdNaar")->isVisibleTo(box("txtAfdNaar")->window()));
        EXPECT_EQ(box("txtAfdNaar")->text(), recepten(QString::fromUtf8(c.expected)));
        box("txtAfdNaar")->setText(QStringLiteral("getypt"));
        check("chkNaarBestand")->click();
        EXPECT_FALSE(box("txtAfdNaar")->isVisibleTo(box("txtAfdNaar")->window()));
        EXPECT_EQ(box("txtAfdNaar")->text(), "");
    }
}

TEST_F(PrintDialog, PrinterOnlyPrintsAndWritesOnlyTheScratchCopy)
{
    const QString pdf = folder.file(QStringLiteral("rapport.pdf"));
    fake.printAnswers.push_back(pdf);
    ok();
    EXPECT_FALSE(isOpen("frmAfdrukken"));
    EXPECT_FALSE(isOpen("frmReport"));
    EXPECT_EQ(fake.printDialogs, std::vector<bool>{false});
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
    EXPECT_FALSE(QFile::exists(recepten(QStringLiteral("Zomerblond.rtf"))));
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Brouwschema Zomerblond"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Jan de Vries")));
    EXPECT_TRUE(text.contains(QStringLiteral("Safale US-05")));
}

TEST_F(PrintDialog, CancelledPrinterStillWritesTheFile)
{
    check("chkNaarBestand")->click();
    ok();  // the printer dialog is cancelled
    EXPECT_EQ(fake.printDialogs.size(), 1u);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(bytes(recepten(QStringLiteral("Zomerblond.rtf"))).startsWith("{\\rtf1"));
    EXPECT_FALSE(isOpen("frmAfdrukken"));
}

TEST_F(PrintDialog, RtfNamesGetTheirExtensionAndFolder)
{
    struct Case {
        const char *typed, *shown, *file;
    } cases[] = {
        {"verslag", "verslag.rtf", "verslag.rtf"},
        {"Mijn.RTF.bak", "Mijn.RTF.bak", "Mijn.RTF.bak"},
        {"", nullptr, "Zomerblond.rtf"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        if (!isOpen("frmAfdrukken"))
            trigger("mnuAfdrukken");
        check("chkPrinterBS")->setChecked(false);
        check("chkNaarBestand")->setChecked(true);
        box("txtAfdNaar")->setText(QString::fromUtf8(c.typed));
        // Unloaded windows are deleted once the event loop runs.
        QPointer<QLineEdit> name = box("txtAfdNaar");
        ok();
        ASSERT_FALSE(name.isNull());
        if (c.shown) {
            EXPECT_EQ(name->text(), QString::fromUtf8(c.shown));
        }
        EXPECT_TRUE(QFile::exists(recepten(QString::fromUtf8(c.file))));
        EXPECT_TRUE(fake.messages.empty());
    }
}

TEST_F(PrintDialog, AnExistingFileIsOverwrittenOnlyWhenConfirmed)
{
    const QString target = recepten(QStringLiteral("Zomerblond.rtf"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("oud");
    }
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarBestand")->click();
    fake.msgAnswers.push_back(mb::No);
    ok();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Bestand ") + QDir::toNativeSeparators(target)
                                           + QStringLiteral(" bestaat al. Overschrijven?"));
    EXPECT_EQ(bytes(target), "oud");
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
    EXPECT_TRUE(isOpen("frmAfdrukken"));

    // Chosen in the Save-As dialog, which asked already: no second question.
    fake.clear();
    fake.saveAnswers.push_back(target);
    in<QPushButton>("frmAfdrukken", "cmdAfdSelecteer")->click();
    ASSERT_EQ(fake.saveDialogs.size(), 1u);
    ok();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(bytes(target).startsWith("{\\rtf1"));
}

// The web page and the exchange file go under names the dialog made (its
// default, an added extension, a relative name in Recepten): a file already
// there is replaced only when confirmed, and Nee writes nothing at all.
TEST_F(PrintDialog, ExportsReplaceAnExistingFileOnlyWhenConfirmed)
{
    struct Case {
        const char *check, *box;
        const char *typed;  // nullptr: the default name
        const char *file;
    } cases[] = {
        {"chkNaarXML", "txtNaarXML", nullptr, "Zomerblond.xml"},
        {"chkNaarXML", "txtNaarXML", "Mijn", "Mijn.xml"},
        {"chkNaarHTML", "txtNaarHTML", nullptr, "Zomerblond.html"},
        {"chkNaarHTML", "txtNaarHTML", "  ", "Zomerblond.html"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        if (!isOpen("frmAfdrukken"))
            trigger("mnuAfdrukken");
        fake.clear();
        const QString target = recepten(QString::fromLatin1(c.file));
        writeFileBytes(target, "ander recept");
        check("chkPrinterBS")->setChecked(false);
        check("chkNaarBestand")->setChecked(true);
        check(c.check)->setChecked(true);
        if (c.typed)
            box(c.box)->setText(QString::fromLatin1(c.typed));
        fake.msgAnswers = {mb::No};
        ok();
        ASSERT_EQ(fake.prompts(), QStringList{replaceQuestionText(target)});
        EXPECT_EQ(bytes(target), "ander recept");
        EXPECT_FALSE(QFile::exists(recepten(QStringLiteral("Zomerblond.rtf"))));
        EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
        EXPECT_TRUE(isOpen("frmAfdrukken"));
        EXPECT_EQ(box(c.box)->text(), target);

        fake.clear();
        fake.msgAnswers = {mb::Yes};
        ok();
        EXPECT_EQ(fake.prompts().size(), 1);
        EXPECT_NE(bytes(target), "ander recept");
        EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath(QString::fromLatin1(c.file))));
        for (const QString &written :
             {target, recepten(QStringLiteral("Zomerblond.rtf")), folder.file(QStringLiteral("temp/EB.rtf"))})
            QFile::remove(written);
    }
}

TEST_F(PrintDialog, SaveAsCancelKeepsTheName)
{
    check("chkNaarBestand")->click();
    box("txtAfdNaar")->setText(QStringLiteral("eigen.rtf"));
    in<QPushButton>("frmAfdrukken", "cmdAfdSelecteer")->click();
    EXPECT_EQ(box("txtAfdNaar")->text(), "eigen.rtf");
}

TEST_F(PrintDialog, FailuresAreReportedAndTheDialogStays)
{
    const QString routine = QStringLiteral("Error in routine cmdAfdOK_Click (frmAfdrukken).");
    struct Case {
        const char *what;
        std::function<void()> breakIt;
        QString message;
        int style;
    } cases[] = {
        {"missing template", [&] { QFile::remove(folder.file(QStringLiteral("Templates/template_EB.rtf"))); }, routine,
         mb::OKOnly},
        {"a folder in the file's place",
         [&] {
             check("chkNaarBestand")->setChecked(true);
             QDir().mkpath(recepten(QStringLiteral("map.rtf")));
             box("txtAfdNaar")->setText(recepten(QStringLiteral("map.rtf")));
             fake.msgAnswers.push_back(mb::Yes);
         },
         QStringLiteral("Het bestand ") + recepten(QStringLiteral("map.rtf"))
             + QStringLiteral(" kon niet worden opgeslagen (het is een map)."),
         mb::Exclamation},
        {"a file in a folder that is not there",
         [&] {
             check("chkNaarBestand")->setChecked(true);
             box("txtAfdNaar")->setText(recepten(QStringLiteral("geen map/x.rtf")));
         },
         QStringLiteral("Het bestand ") + recepten(QStringLiteral("geen map/x.rtf"))
             + QStringLiteral(" kon niet worden opgeslagen (de map bestaat niet)."),
         mb::Exclamation},
        {"table out of shape", [&] { session().recipe.Maischschema.redim(0, 4); }, routine, mb::OKOnly},
    };
    const QByteArray shippedTemplate = fileBytes(templateFile());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Session saved = session();
        screenOnly();
        fake.clear();
        c.breakIt();
        ok();
        ASSERT_FALSE(fake.messages.empty());
        EXPECT_EQ(fake.messages.back().prompt, c.message);
        EXPECT_EQ(fake.messages.back().title, "Attentie!");
        EXPECT_EQ(fake.messages.back().style, c.style);
        EXPECT_TRUE(isOpen("frmAfdrukken"));
        EXPECT_FALSE(isOpen("frmReport"));
        session() = saved;
        QDir(recepten(QStringLiteral("map.rtf"))).removeRecursively();
        writeTemplate(shippedTemplate);
    }
}

TEST_F(PrintDialog, ScreenOutputShowsTheReportAndASecondOkRebuildsIt)
{
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarScherm")->setChecked(true);
    ok();
    ASSERT_TRUE(isOpen("frmReport"));
    EXPECT_TRUE(reportText().contains(QStringLiteral("Brouwschema Zomerblond")));
    EXPECT_TRUE(fake.printDialogs.empty());

    session().recipe.Algemeen(0) = QStringLiteral("Winterwarmer");
    trigger("mnuAfdrukken");
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarScherm")->setChecked(true);
    ok();
    ASSERT_TRUE(isOpen("frmReport"));
    EXPECT_TRUE(reportText().contains(QStringLiteral("Brouwschema Winterwarmer")));

    // Without the screen the open report closes.
    trigger("mnuAfdrukken");
    ok();  // printer only, cancelled
    EXPECT_FALSE(isOpen("frmReport"));
}

TEST_F(PrintDialog, NothingCheckedSaysSoAndCloses)
{
    check("chkPrinterBS")->setChecked(false);
    ok();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, "Niets af te drukken of op te slaan!");
    EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
    EXPECT_FALSE(isOpen("frmAfdrukken"));
}

TEST_F(PrintDialog, HelpAndCancel)
{
    QTest::mouseClick(in<QLabel>("frmAfdrukken", "picAfdrukken_Help"), Qt::LeftButton);
    EXPECT_EQ(fake.helpPages, QStringList{"MI_B_Afdrukken.htm"});
    in<QPushButton>("frmAfdrukken", "cmdAfdAnnuleer")->click();
    EXPECT_FALSE(isOpen("frmAfdrukken"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
}

TEST_F(OutputTest, ADoubleBrewUsesItsOwnTemplateAndScratchCopy)
{
    open("Herfstbok.zlv");
    ASSERT_TRUE(session().app.dubbelBrouw);
    trigger("mnuAfdrukken");
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarScherm")->setChecked(true);
    ok();
    ASSERT_TRUE(isOpen("frmReport"));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("temp/DB.rtf"))));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
    EXPECT_TRUE(reportText().contains(QStringLiteral("Doelstelling dunbier:")));
}

TEST_F(OutputTest, APrintedReportHoldsWholeWordsForCopyingAndSearching)
{
    for (const char *sample : {"Zomerblond.zlv", "Herfstbok.zlv"}) {
        SCOPED_TRACE(sample);
        open(sample);
        trigger("mnuAfdrukken");
        const QString pdf = printShownToPdf();
        ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        const QString shown = reportText();
        // Words where Calibri joins "tt", "ti", "ft" and "fi" into one glyph.
        for (const char *word : {"Bitterheid", "Botteldatum", "Geschatte", "kooktijd", "storting"})
            EXPECT_TRUE(shown.contains(QLatin1String(word))) << word;
        EXPECT_EQ(wordsMissingFromPdf(shown, pdf), QStringList());
        fake.clear();
    }
}

TEST_F(PrintDialog, TheSpargeCurveFollowsTheNotes)
{
    QDir().mkpath(folder.file(QStringLiteral("temp")));
    QImage curve(120, 80, QImage::Format_RGB32);
    curve.fill(Qt::darkGreen);
    ASSERT_TRUE(curve.save(paths::spoelcurveFile(QStringLiteral(" Zomerblond ")), "BMP"));
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarScherm")->setChecked(true);
    ok();
    ASSERT_TRUE(isOpen("frmReport"));
    const QByteArray scratch = bytes(folder.file(QStringLiteral("temp/EB.rtf")));
    const qsizetype notes = scratch.indexOf("Fris en licht kruidig.");
    ASSERT_GE(notes, 0);
    EXPECT_EQ(scratch.indexOf("{\\pict\\pngblip\\picw120\\pich80"),
              notes + qsizetype(strlen("Fris en licht kruidig.")));
    EXPECT_TRUE(reportText().contains(QChar::ObjectReplacementCharacter));
    EXPECT_TRUE(fake.messages.empty());
}

namespace {

// The pages of a PDF file as pictures at `dpi`; none without pdftoppm.
QList<QImage> pdfPictures(const QString &pdf, int dpi)
{
    QList<QImage> pages;
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        return pages;
    const QString prefix = pdf + QStringLiteral("-blad");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, prefix});
    p.waitForFinished(60000);
    QFileInfoList files = QFileInfo(prefix).dir().entryInfoList(
        {QFileInfo(prefix).fileName() + QStringLiteral("-*.png")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files)
        pages << QImage(file.filePath()).convertToFormat(QImage::Format_RGB32);
    return pages;
}

// The right edge of what is printed on `page`: the last column not white.
int inkRight(const QImage &page)
{
    for (int x = page.width() - 1; x >= 0; --x)
        for (int y = 0; y < page.height(); ++y)
            if (qGray(page.pixel(x, y)) < 240)
                return x;
    return -1;
}

// The lowest row of `page` above `y` that holds ink; -1 when none does.
int inkAbove(const QImage &page, int y)
{
    for (int row = y - 1; row >= 0; --row)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, row)) < 240)
                return row;
    return -1;
}

// Where `colour` fills `page` (in runs of a few pixels, so not where the
// edge of a letter happens to take it).
QRect area(const QImage &page, const QColor &colour)
{
    const auto near = [&colour](QRgb c) {
        return std::abs(qRed(c) - colour.red()) + std::abs(qGreen(c) - colour.green())
                   + std::abs(qBlue(c) - colour.blue())
               < 24;
    };
    constexpr int Run = 6;
    QRect found;
    for (int y = 0; y < page.height(); ++y) {
        int run = 0;
        for (int x = 0; x < page.width(); ++x) {
            run = near(page.pixel(x, y)) ? run + 1 : 0;
            if (run >= Run)
                found |= QRect(x - Run + 1, y, Run, 1);
        }
    }
    return found;
}

}  // namespace

// The sparge curve as the brewer keeps it (the sparge dialog's OK with
// "Spoelcurve bij Recept" checked), printed with the report on A4: the
// picture is scaled down to the text's width, keeping its proportions, and
// stands whole on one page; nothing reaches past the right margin. On
// screen the picture keeps its size.
TEST_F(PrintDialog, TheSpargeCurvePrintsWithinTheMargins)
{
    ASSERT_TRUE(session().app.spoelcurveRecept);
    QDir().mkpath(folder.file(QStringLiteral("temp")));
    trigger("mnuSpoelen");
    QWidget *spoelen = windows().find(QStringLiteral("frmSpoelen"));
    ASSERT_TRUE(spoelen);
    const QSize picture = spoelen->size();
    in<QPushButton>("frmSpoelen", "cmdSpoelOK")->click();
    ASSERT_TRUE(QFile::exists(paths::spoelcurveFile(QStringLiteral("Zomerblond"))));
    if (!isOpen("frmAfdrukken"))
        trigger("mnuAfdrukken");
    const QString pdf = printShownToPdf();
    ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    QTextDocument *shown = in<QTextEdit>("frmReport", "rtbReport")->document();
    for (QTextBlock b = shown->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                EXPECT_EQ(it.fragment().charFormat().toImageFormat().width(), picture.width()) << "shown whole";
            }

    constexpr int Dpi = 40;
    const QList<QImage> pages = pdfPictures(pdf, Dpi);
    if (pages.isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
    const int rightMargin = qRound((210 - 20) / 25.4 * Dpi);
    int withPicture = 0;
    for (int i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_LE(inkRight(pages[i]), rightMargin + 1);
        const QRect curve = area(pages[i], MainBackColor());
        if (curve.width() < 20)
            continue;
        ++withPicture;
        EXPECT_NEAR(double(curve.width()) / curve.height(), double(picture.width()) / picture.height(), 0.05);
        // Right below the notes it follows: no blank of a line's height or
        // more between them (a line of text is about 7 pixels here).
        const int notes = inkAbove(pages[i], curve.top());
        EXPECT_GE(notes, 0);
        EXPECT_LT(curve.top() - notes, 7);
    }
    EXPECT_EQ(withPicture, 1);
}

// The report over several pages: each line of it printed once, none lost,
// none at the foot of a page and again at the head of the next.
TEST_F(OutputTest, EachLineOfAPrintedReportStandsOnOnePage)
{
    for (const char *sample : {"Zomerblond.zlv", "Herfstbok.zlv"}) {
        SCOPED_TRACE(sample);
        open(sample);
        trigger("mnuAfdrukken");
        const QString pdf = printShownToPdf();
        ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        bool found = false;
        const QString info = toolText(QStringLiteral("pdfinfo"), {pdf}, &found);
        if (!found)
            GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps.sh test)";
        const int pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
        ASSERT_GT(pages, 1);
        QStringList words;
        QString lastLine;
        for (int page = 1; page <= pages; ++page) {
            const QString n = QString::number(page);
            QStringList lines =
                toolText(QStringLiteral("pdftotext"),
                         {QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")}, &found)
                    .split(u'\n');
            for (QString &line : lines)
                line = line.simplified();
            lines.removeAll(QString());
            lines.removeAll(n);  // the page number
            ASSERT_FALSE(lines.isEmpty()) << page << " of " << pages;
            EXPECT_NE(lines.first(), lastLine) << "page " << page;
            lastLine = lines.last();
            words += lines.join(u' ').split(QRegularExpression(QStringLiteral("\\P{L}+")), Qt::SkipEmptyParts);
        }
        EXPECT_EQ(words.join(u' '),
                  reportText().split(QRegularExpression(QStringLiteral("\\P{L}+")), Qt::SkipEmptyParts).join(u' '));
        fake.clear();
    }
}

// The printer dialog set to a strip of paper, 210 × 42 mm, with no room
// for a line between its margins: the report is refused naming the paper,
// no PDF is written, the report window shows the report as before.
TEST_F(PrintDialog, APaperTooSmallForALineIsNamedAndNothingIsPrinted)
{
    struct StripOfPaper {
        FakeServices::PdfPrinterSetup saved = FakeServices::pdfPrinterSetup;
        StripOfPaper()
        {
            FakeServices::pdfPrinterSetup = [](QPrinter &printer, const QString &pdf, bool) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                printer.setPageSize(QPageSize(QSizeF(210, 42), QPageSize::Millimeter));
            };
        }
        ~StripOfPaper() { FakeServices::pdfPrinterSetup = saved; }
    } strip;
    const QString pdf = printShownToPdf();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Het papier 210 × 42 mm is te klein: tussen de marges past geen "
                                                      "regel van de tekst. Er is geen brouwschema afgedrukt."));
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(isOpen("frmAfdrukken"));
    ASSERT_TRUE(isOpen("frmReport"));
    EXPECT_TRUE(reportText().contains(QStringLiteral("Brouwschema Zomerblond")));
}

TEST_F(PrintDialog, TheXmlRowExportsAfterTheReport)
{
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarXML")->click();
    EXPECT_EQ(box("txtNaarXML")->text(), recepten(QStringLiteral("Zomerblond.xml")));
    box("txtNaarXML")->setText(recepten(QStringLiteral("uitwisseling")));
    ok();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(fake.printDialogs.empty());
    EXPECT_FALSE(isOpen("frmAfdrukken"));
    const QByteArray xml = bytes(recepten(QStringLiteral("uitwisseling.xml")));
    EXPECT_TRUE(xml.startsWith("<?xml")) << xml.left(80).constData();
    EXPECT_TRUE(xml.contains("Zomerblond"));
}

TEST_F(PrintDialog, TheHtmlRowWritesThePageBeforeTheXmlFile)
{
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarHTML")->click();
    EXPECT_EQ(box("txtNaarHTML")->text(), recepten(QStringLiteral("Zomerblond.html")));
    // A name from the Save-As filter keeps its ".htm".
    fake.saveAnswers.push_back(recepten(QStringLiteral("blond.htm")));
    in<QPushButton>("frmAfdrukken", "cmdNaarHTML")->click();
    EXPECT_EQ(box("txtNaarHTML")->text(), recepten(QStringLiteral("blond.htm")));
    ok();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(fake.printDialogs.empty());
    EXPECT_FALSE(isOpen("frmAfdrukken"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));  // no report built
    const QByteArray page = bytes(recepten(QStringLiteral("blond.htm")));
    EXPECT_TRUE(page.startsWith("<HTML>\r\n<HEAD>\r\n")) << page.left(80).constData();
    EXPECT_TRUE(page.contains("<font size=4 align=center>Zomerblond</font>"));
}

TEST_F(PrintDialog, AFailedPageIsReportedAndTheXmlFileStillWritten)
{
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarHTML")->click();
    check("chkNaarXML")->click();
    const QString nowhere = recepten(QStringLiteral("geen/map/blond"));
    box("txtNaarHTML")->setText(nowhere);
    ok();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt,
              QStringLiteral("Error in het aanmaken van ") + nowhere + QStringLiteral(".html"));
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
    EXPECT_FALSE(isOpen("frmAfdrukken"));
    EXPECT_TRUE(bytes(recepten(QStringLiteral("Zomerblond.xml"))).startsWith("<?xml"));
}

TEST_F(PrintDialog, ATemplateTooLargeEmptyOrNotRtfIsNamedAndNothingIsWritten)
{
    const QByteArray shipped = bytes(templateFile());
    struct Case {
        const char *what;
        QByteArray rtf;
        const char *why;
    } cases[] = {
        {"one byte past the bound", oneLineTemplate(MaxReportTemplateSize + 1),
         " is groter dan 4 MB en wordt niet gelezen!"},
        {"empty", QByteArray(), " is leeg!"},
        {"plain text", "Brouwschema #Brouwschema#\r\n", " is geen RTF-bestand!"},
        {"a word processor's own format", QByteArray("PK\x03\x04", 4) + shipped, " is geen RTF-bestand!"},
    };
    check("chkNaarScherm")->setChecked(true);
    check("chkNaarBestand")->click();
    const QString target = box("txtAfdNaar")->text();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeTemplate(c.rtf);
        fake.clear();
        ok();
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Het sjabloon ") + QDir::toNativeSeparators(templateFile())
                                               + QLatin1String(c.why)
                                               + QStringLiteral(" Er is geen brouwschema gemaakt."));
        EXPECT_EQ(fake.messages[0].title, "Attentie!");
        EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
        EXPECT_TRUE(fake.printDialogs.empty());
        EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_FALSE(isOpen("frmReport"));
        EXPECT_TRUE(isOpen("frmAfdrukken"));
    }
}

TEST_F(PrintDialog, TheLargestTemplateOfEachShapeIsShown)
{
    const QByteArray shipped = bytes(templateFile());
    const qsizetype bodyFrom = shipped.indexOf("\\pard"), bodyTo = shipped.lastIndexOf('}');
    const QByteArray body = shipped.mid(bodyFrom, bodyTo - bodyFrom);
    QByteArray repeated = shipped.left(bodyFrom);
    while (repeated.size() + body.size() + 1 <= MaxReportTemplateSize)
        repeated += body;
    repeated += '}';
    struct Case {
        const char *what;
        QByteArray rtf;
    } cases[] = {
        {"the shipped paragraphs repeated up to the bound", repeated},
        {"one line of 2 MB", oneLineTemplate(2 * 1024 * 1024)},
        {"one line at the bound", oneLineTemplate(MaxReportTemplateSize)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeTemplate(c.rtf);
        screenOnly();
        fake.clear();
        ok();
        EXPECT_TRUE(fake.messages.empty());
        ASSERT_TRUE(isOpen("frmReport"));
        QString text = reportText();
        if (c.rtf.startsWith("{\\rtf1 x")) {
            EXPECT_EQ(bytes(folder.file(QStringLiteral("temp/EB.rtf"))), c.rtf);
            // Laid out in pieces, with nothing but invisible breaks added.
            text.remove(QChar(0x200B));
            text.remove(QLatin1Char('\n'));
            EXPECT_EQ(text, QString(c.rtf.size() - 8, QLatin1Char('x')));
        } else {
            EXPECT_TRUE(text.startsWith(QStringLiteral("Brouwschema Zomerblond\n"))) << qPrintable(text.left(80));
            // Only the first occurrence of a field is filled.
            EXPECT_EQ(text.count(QStringLiteral("Brouwschema Zomerblond")), 1);
            EXPECT_GT(text.count(QStringLiteral("#Brouwschema#")), 1000);
        }
    }
}

// Text layout stalls for good on a document taller than it can represent:
// a template whose report could lay out that tall is refused at once, one
// just short of it is shown.
TEST_F(PrintDialog, ATemplateTooTallToLayOutIsNamedAndOneJustShortIsShown)
{
    const auto repeated = [](const QByteArray &unit, int count) {
        QByteArray rtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Calibri;}}\\f0\\fs20 ");
        for (int i = 0; i < count; ++i)
            rtf += unit;
        return rtf + '}';
    };
    struct Case {
        const char *what;
        QByteArray rtf;
        bool shown;
    } cases[] = {
        {"300,000 line breaks", repeated("\\line ", 300000), true},
        {"450,000 line breaks", repeated("\\line ", 450000), false},
        {"390,000 empty paragraphs", repeated("\\par ", 390000), false},
        {"2,200 paragraphs with 3000 points of spacing after each", repeated("\\sa60000 x\\par ", 2200), false},
        {"30,000 lines at 300 points", repeated("\\fs600 x\\line ", 30000), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeTemplate(c.rtf);
        screenOnly();
        QFile::remove(folder.file(QStringLiteral("temp/EB.rtf")));
        fake.clear();
        ok();
        if (c.shown) {
            EXPECT_TRUE(fake.messages.empty());
            ASSERT_TRUE(isOpen("frmReport"));
            EXPECT_GE(in<QTextEdit>("frmReport", "rtbReport")->document()->characterCount(), 300000);
            EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
            windows().unload(QStringLiteral("frmReport"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            continue;
        }
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(
            fake.messages[0].prompt,
            QStringLiteral("Het sjabloon ") + QDir::toNativeSeparators(templateFile())
                + QStringLiteral(" geeft een brouwschema dat te lang is om te tonen! Er is geen brouwschema gemaakt."));
        EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
        EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("temp/EB.rtf"))));
        EXPECT_FALSE(isOpen("frmReport"));
        EXPECT_TRUE(isOpen("frmAfdrukken"));
    }
}

// An edit is held to the bound the template was read under: pasting the
// tallest report shown after itself is refused with a beep and the text stays
// as it was; a short paste is taken.
TEST_F(PrintDialog, AnEditCannotPushTheReportPastItsBound)
{
    QByteArray rtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Calibri;}}\\f0\\fs20 Begin");
    for (int i = 0; i < 300000; ++i)
        rtf += "\\line ";
    writeTemplate(rtf + "Einde}");
    screenOnly();
    ok();
    ASSERT_TRUE(fake.messages.empty());
    ASSERT_TRUE(isOpen("frmReport"));
    auto *report = in<QTextEdit>("frmReport", "rtbReport");
    report->setFocus();
    const int characters = report->document()->characterCount();
    fake.clear();
    QTest::keyClick(report, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(report, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(report, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(report, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(fake.beeps, 1);
    EXPECT_EQ(report->document()->characterCount(), characters);
    EXPECT_TRUE(report->toPlainText().endsWith(QStringLiteral("Einde")));

    // The same paste over the whole text replaces it.
    QTest::keyClick(report, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(report, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(fake.beeps, 1);
    EXPECT_EQ(report->document()->characterCount(), characters);

    QApplication::clipboard()->setText(QStringLiteral("Nagisting "));
    QTest::keyClick(report, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(report, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(fake.beeps, 1);
    EXPECT_TRUE(report->toPlainText().startsWith(QStringLiteral("Nagisting Begin")));
}

// A report that cannot be shown or printed says why in a message.
TEST_F(PrintDialog, AReportThatCannotBeShownOrPrintedSaysWhy)
{
    // Shown before any build: the window reads the single-brew template.
    writeTemplate(QByteArray());
    auto *report = windows().load<frmReport>(QStringLiteral("frmReport"));
    ASSERT_NE(report, nullptr);
    windows().show(QStringLiteral("frmReport"));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Het sjabloon ") + QDir::toNativeSeparators(templateFile())
                                           + QStringLiteral(" is leeg! Er is geen brouwschema gemaakt."));

    // Printed without its scratch copy: named, and no printer dialog.
    fake.clear();
    const QString scratch = folder.file(QStringLiteral("temp/EB.rtf"));
    QFile::remove(scratch);
    report->PrintRapport();
    EXPECT_TRUE(fake.printDialogs.empty());
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Het brouwschema ") + QDir::toNativeSeparators(scratch)
                                           + QStringLiteral(" is niet gevonden! Er is geen brouwschema afgedrukt."));
    EXPECT_EQ(fake.messages[0].title, "Attentie!");
}

TEST_F(PrintDialog, AnEditedReportIsReplacedByTheNextBuild)
{
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarScherm")->setChecked(true);
    ok();
    ASSERT_TRUE(isOpen("frmReport"));
    auto *report = in<QTextEdit>("frmReport", "rtbReport");
    const QString built = report->toPlainText();
    QTest::keyClicks(report, QStringLiteral("eigen tekst "));
    ASSERT_NE(report->toPlainText(), built);
    // The same recipe gives the same report, which is read again all the same.
    trigger("mnuAfdrukken");
    check("chkPrinterBS")->setChecked(false);
    check("chkNaarScherm")->setChecked(true);
    ok();
    EXPECT_EQ(reportText(), built);
    // Typing can be undone, the build cannot.
    QTest::keyClicks(report, QStringLiteral("z"));
    report->undo();
    EXPECT_EQ(reportText(), built);
    EXPECT_FALSE(report->document()->isUndoAvailable());
}

// The default output: the report is read and printed before its window was
// ever shown, so before the box has a width of its own.
TEST_F(PrintDialog, TheLargestOneLineTemplatePrints)
{
    writeTemplate(oneLineTemplate(MaxReportTemplateSize));
    const QString pdf = folder.file(QStringLiteral("rapport.pdf"));
    fake.printAnswers.push_back(pdf);
    ok();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(fake.printDialogs.size(), 1u);
    EXPECT_FALSE(isOpen("frmReport"));
    EXPECT_TRUE(bytes(pdf).startsWith("%PDF"));
}

// The brewing schedule as a web page: the samples against pages written by
// hand, the gates and figures of the edge cases, names, failures, and what a
// real browser makes of recipe texts that look like markup.
#include "core/Cp1252.h"
#include "core/Recalc.h"
#include "core/RecipeFileReader.h"
#include "core/Session.h"
#include "output/HtmlReport.h"
#include "support/Samples.h"
#include "support/FakeServices.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

QByteArray lines(const QStringList &l)
{
    return cp1252::encode(l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// Targets and the derived values set by hand, no recalculation: bit 1 only.
Session targetsOnly()
{
    Session s;
    setTargets(s, {20, 5, 1012, 30, 5});
    RecipeState &r = s.recipe;
    r.HWSG = 1060;
    r.Spoelwater = 12.4f;
    r.VrijeHoofdwort = 14;
    r.SpoelwortVolume = 16;
    r.BZRMaisch = 0.75f;
    r.StortingMaisch = 5000;
    r.OGSG = 1050;
    r.KleurEBC = 8.6f;
    s.view.lbl_SpoelenTot.text = QStringLiteral("3.0");
    return s;
}

// The single brew with its general part, recalculated.
Session general()
{
    Session s = singleBrew();
    RecipeState &r = s.recipe;
    r.Algemeen(0) = QStringLiteral("Blond");
    r.Algemeen(1) = QStringLiteral("Jan");
    r.Algemeen(6) = QStringLiteral("1-5-2026");
    r.Algemeen(7) = QStringLiteral("15-5-2026");
    r.setStatus(StatusAlgemeen);
    UpdateBrouwschema(s);
    return s;
}

class HtmlReportTest : public ::testing::Test {
protected:
    ScopedFakeServices fake;
    TempProgramFolder folder{true};
    QTemporaryDir dir;
};

TEST_F(HtmlReportTest, SamplesMatchTheirHandWrittenPagesLineByLine)
{
    for (const QString &name : {QStringLiteral("Zomerblond"), QStringLiteral("Herfstbok")}) {
        SCOPED_TRACE(qPrintable(name));
        const QByteArray got =
            htmlReportBytes(recalculatedSample(name + QStringLiteral(".zlv")), name + QStringLiteral(".html"));
        const QByteArray want =
            fileBytes(QStringLiteral(MOSTARIUM_SOURCE_DIR "/tests/output/golden/") + name + QStringLiteral(".html"));
        ASSERT_FALSE(want.isEmpty());
        EXPECT_EQ(got.count("\r\n"), got.count('\n'));  // CR LF only
        const QList<QByteArray> g = got.split('\n'), w = want.split('\n');
        for (qsizetype i = 0; i < std::min(g.size(), w.size()); ++i)
            EXPECT_EQ(g[i], w[i]) << "line " << i + 1;
        EXPECT_EQ(g.size(), w.size());
    }
}

TEST_F(HtmlReportTest, OnlyTargetsGiveTheFixedBlocksAndNoTitleLine)
{
    EXPECT_EQ(
        htmlReportBytes(targetsOnly(), QStringLiteral("doel.html")),
        lines({"<HTML>", "<HEAD>", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">",
               "<Title>doel.html</TITLE>", "</HEAD>", "<BODY BGCOLOR=#FFFFAA>", "<PRE>  <FONT FACE=\"Courier New\">",
               "<b>Doelstellingen</b>", "Soort: ", "Volume (L): 20", "Alcohol Percentage (vol%): 5", "FG (kg/m3): 1012",
               "EBU (mg/L):  30", "Koolzuur (g/L):  5", "", "<b>Spoelgegevens</b>", "Hoofdwort (Plato): 14.7",
               "Hoofdwort (kg/m3): 1060", "Spoelen tot (Plato): 3.0", "Spoelwater (L): 12", "Wort na spoelen (L): 30",
               // 0.75 x 5000 / 30 = 125 g/L: 125 x 0.3779 + 1000.7484 = 1047.99
               "Kg Wort na spoelen (kg): 31.4 kg", "Geschat SG van wort na spoelen: 1048 kg/m3", "",
               "<b>Na het koken</b>", "VerwachtVolume (L): 20",
               "VerwachtGewicht (kg): 21.",  // "###.#" keeps its point
               "Verwacht OG (Plato): 12.3", "Verwacht OG (kg/m3): 1050", "Kleur EBC: 9", "", "<b>Gist keuzes</b>", "",
               "<b>Toevoegingen</b>", "", "", "<hr size=2 width=75% noshade>", "", "</PRE>", "</BODY>", "</HTML>"}));
}

TEST_F(HtmlReportTest, EdgeCasesOfTheGatesFiguresAndTexts)
{
    struct Case {
        const char *what;
        std::function<Session()> make;
        std::vector<QByteArray> present, absent;
    };
    const Case cases[] = {
        {"empty first brewer keeps its line",
         [] {
             Session s = general();
             s.recipe.Algemeen(1).clear();
             s.recipe.Algemeen(4) = QStringLiteral("Els");
             return s;
         },
         {"<b>Algemeen</b>\r\n\r\nEls\r\nBrouw Datum: 1-5-2026\r\nBottel Datum: 15-5-2026\r\n\r\n"},
         {}},
        {"double brew without evaluation ends after the additions",
         [] {
             Session s = doubleBrew();
             s.recipe.Toevoegingen(6) = QStringLiteral("Koriander");
             UpdateBrouwschema(s);
             return s;
         },
         {"<b>Gist keuzes dunbier</b>\r\n\r\n<b>Toevoegingen</b>\r\nToevoeging2: Koriander\r\n\r\n"
          "<hr size=2 width=75% noshade>\r\n</PRE>\r\n</BODY>\r\n</HTML>\r\n",
          "<b>Aroma hopgift(en) dunbier</b>\r\nAroma Hop 1 : ", "Omslag van dik- naar dunbier (L): "},
         {"Evaluatie"}},
        {"no wort after sparging leaves the divided figures empty",
         [] {
             Session s = targetsOnly();
             s.recipe.VrijeHoofdwort = 0;
             s.recipe.SpoelwortVolume = 0;
             return s;
         },
         {"Wort na spoelen (L): \r\nKg Wort na spoelen (kg): \r\nGeschat SG van wort na spoelen: \r\n\r\n"},
         {"kg/m3\r\n\r\n<b>Na"}},
        {"characters beyond Windows-1252 as references",
         [] {
             Session s = general();
             s.recipe.Algemeen(0) = QStringLiteral("Bi\u00E8re \u010D \u20AC\U0001F37A");
             return s;
         },
         {"<font size=4 align=center>Bi\xE8re &#269; \x80&#127866;</font>"},
         {"?"}},
        {"recipe texts and captions escaped",
         [] {
             Session s = general();
             s.recipe.Algemeen(0) = QStringLiteral("<i>Hop & Mout</i>");
             s.recipe.Gistkeuze(1) = QStringLiteral("S-04 > US-05");
             s.recipe.Aantekening = QStringLiteral("a<b\r\nc&d");
             s.recipe.InRecept = 1;
             s.view.lbl_Ahop[0].text = QStringLiteral("20 g <Saaz>");
             return s;
         },
         {"center>&lt;i&gt;Hop &amp; Mout&lt;/i&gt;</font>", "Gist2: S-04 &gt; US-05\r\n",
          "<b>Aantekeningen</b>\r\nAantekening: a&lt;b\r\nc&amp;d\r\n\r\n", "Aroma Hop 1 : 20 g &lt;Saaz&gt;\r\n"},
         {"<i>"}},
        {"evaluation and tasting of the first beer",
         [] {
             Session s = general();
             setMeasured(s, 0, "19", "1048", "1010");
             s.recipe.setStatus(StatusEvaluatie);
             s.recipe.EvAlc = 4.96f;
             s.recipe.EvBZR = 74.25f;
             s.recipe.EvSVG = 79.17f;
             s.recipe.EvEBU = 20;
             s.recipe.EvEBC = 10;
             s.recipe.Kenmerken[3] = QStringLiteral("lang");
             s.recipe.setStatus(StatusKenmerken);
             return s;
         },
         {"<b>Evaluatie</b>\r\nVolume (L):  19\r\nOG (kg/m3):  1048\r\nFG (kg/m3):  1010\r\nAlcohol (vol%): 5.0\r\n"
          "BrouwZaal Rendement: 74.3\r\nSchijnbare Vergistings Graad: 79.2\r\nEBU (mg/ml): 19.0 - 21.0\r\n"
          "EBC: 9 - 11\r\n\r\n<b>Kenmerken</b>\r\nKleur: \r\nHelderheid: \r\nSchuim: \r\nSchuimstabiliteit: lang\r\n"},
         {}},
        {"decoction step and rests",
         [] {
             Session s = decoctionBrew();
             s.view.lblMDecoctieStap.text = QStringLiteral("Kook 9 L van het beslag");
             return s;
         },
         {"Via decoctiestap (20 minuten): L van het beslag\r\npH: 5.4\r\n",
          "Rust1 (\xBA"
          "C): ",
          "Tijd1 (min): "},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray page = htmlReportBytes(c.make(), QStringLiteral("p.html"));
        for (const QByteArray &p : c.present)
            EXPECT_TRUE(page.contains(p)) << p.constData() << "\n---\n" << page.constData();
        for (const QByteArray &a : c.absent)
            EXPECT_FALSE(page.contains(a)) << a.constData();
    }
}

TEST_F(HtmlReportTest, NamesKeepHtmOrHtmlAndGetHtmlOtherwise)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a.htm", "a.htm"},   {"A.HTM", "A.HTM"},
        {"A.HTML", "A.HTML"}, {"b.html.bak", "b.html.bak"},
        {"c", "c.html"},      {"c.htm.bak", "c.htm.bak.html"},
        {"", ".html"},        {"d.rtf", "d.rtf.html"},
    };
    for (const auto &[box, want] : cases)
        EXPECT_EQ(htmlReportPath(QString::fromLatin1(box)), QString::fromLatin1(want)) << box;

    const QString path = dir.filePath(QStringLiteral("r&b <1>.htm"));
    ASSERT_TRUE(ExportReceptHTML(general(), path));
    EXPECT_TRUE(fake.messages.empty());
    const QByteArray page = fileBytes(path);
    EXPECT_TRUE(page.contains("<Title>" + path.toUtf8().replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
                              + "</TITLE>\r\n"));
}

TEST_F(HtmlReportTest, AFailedWriteSaysSoAndKeepsTheOldFile)
{
    const QString old = dir.filePath(QStringLiteral("oud.html"));
    {
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("vorige pagina");
    }
    struct Case {
        const char *what;
        QString box;
        std::function<Session()> make;
    } cases[] = {
        {"no such folder", dir.filePath(QStringLiteral("geen/map/x")), general},
        {"write-protected file", old,
         [&] {
             QFile::setPermissions(old, QFileDevice::ReadOwner);
             return general();
         }},
        {"table out of shape", old,
         [&] {
             QFile::setPermissions(old, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
             Session s = general();
             s.recipe.Maischschema.redim(0, 4);
             return s;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        fake.messages.clear();
        EXPECT_FALSE(ExportReceptHTML(c.make(), c.box));
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Error in het aanmaken van ") + htmlReportPath(c.box));
        EXPECT_EQ(fake.messages[0].title, "Attentie!");
        EXPECT_EQ(fake.messages[0].style, mb::OKOnly + mb::Exclamation);
        EXPECT_EQ(fileBytes(old), "vorige pagina");
    }
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("geen"))).exists());
}

// A browser shows the recipe's texts as text: a beer name that is a script
// runs nothing, an "&" stays an "&", and the code page is read as declared.
TEST_F(HtmlReportTest, ABrowserShowsMarkupInTheRecipeAsText)
{
    QString chromium;
    for (const char *name : {"chromium", "chromium-browser"})
        if (chromium.isEmpty())
            chromium = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed (scripts/install-deps.sh test)";

    Session s = general();
    s.recipe.Algemeen(0) = QStringLiteral("<script>document.body.setAttribute(\"data-x\",\"1\")</script>");
    s.recipe.Aantekening = QStringLiteral("Hop & mout <b>vet</b>");
    s.recipe.InRecept = 1;
    const QString path = dir.filePath(QStringLiteral("script.html"));
    ASSERT_TRUE(ExportReceptHTML(s, path));

    QProcess p;
    p.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                       QStringLiteral("--user-data-dir=") + dir.filePath(QStringLiteral("profiel")),
                       QStringLiteral("--dump-dom"), QUrl::fromLocalFile(path).toString()});
    ASSERT_TRUE(p.waitForFinished(120000)) << "chromium did not finish";
    const QString dom = QString::fromUtf8(p.readAllStandardOutput());
    ASSERT_TRUE(dom.contains(QStringLiteral("<body"), Qt::CaseInsensitive)) << qPrintable(dom);
    EXPECT_FALSE(dom.contains(QStringLiteral("data-x=")));
    EXPECT_FALSE(dom.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    EXPECT_TRUE(
        dom.contains(QStringLiteral("&lt;script&gt;document.body.setAttribute(\"data-x\",\"1\")&lt;/script&gt;")))
        << qPrintable(dom);
    EXPECT_TRUE(dom.contains(QStringLiteral("Aantekening: Hop &amp; mout &lt;b&gt;vet&lt;/b&gt;")));
    EXPECT_TRUE(dom.contains(QStringLiteral("Inmaisch Temperatuur (\u00BAC): ")));
}

}  // namespace
}  // namespace mostarium::test

#include "core/NumText.h"
#include "core/Recalc.h"
#include "core/RecipeFileReader.h"
#include "core/Session.h"
#include "output/XmlExport.h"
#include "output/XmlImport.h"
#include "support/Samples.h"
#include "support/FakeServices.h"
#include "support/RecipeBuilders.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

// An imported recipe as the import command leaves it: reset, filled, recalculated.
Session imported(const QByteArray &bytes)
{
    const XmlImportResult r = importXmlRecipe(bytes, QStringLiteral("rt.xml"));
    EXPECT_TRUE(r.ok()) << qPrintable(r.message);
    Session s;
    if (r.ok())
        applyXmlRecipe(s, r.recipe);
    UpdateBrouwschema(s);
    return s;
}

class XmlExportTest : public ::testing::Test {
protected:
    ScopedFakeServices fake;
    TempProgramFolder folder{true};
    QTemporaryDir dir;
};

TEST_F(XmlExportTest, SamplesMatchTheirGoldensLineByLine)
{
    for (const QString &name : {QStringLiteral("Zomerblond"), QStringLiteral("Herfstbok")}) {
        SCOPED_TRACE(qPrintable(name));
        const QByteArray got = xmlRecipeBytes(recalculatedSample(name + QStringLiteral(".zlv")).recipe);
        const QByteArray want =
            fileBytes(QStringLiteral(MOSTARIUM_SOURCE_DIR "/tests/output/golden/") + name + QStringLiteral(".xml"));
        ASSERT_FALSE(want.isEmpty());
        EXPECT_TRUE(got.endsWith("</RECIPES>\r\n"));
        EXPECT_EQ(got.count("\r\n"), got.count('\n'));  // CR LF only
        const QList<QByteArray> g = got.split('\n'), w = want.split('\n');
        for (qsizetype i = 0; i < std::min(g.size(), w.size()); ++i)
            EXPECT_EQ(g[i], w[i]) << "line " << i + 1;
        EXPECT_EQ(g.size(), w.size());
    }
}

TEST_F(XmlExportTest, MeasuredValuesEmptyRowsYeastsAndSecondBeer)
{
    Session s = doubleBrew();
    s.recipe.Gistkeuze(0) = QStringLiteral("Westmalle");
    s.recipe.Gistkeuze(10) = QStringLiteral("Dunbiergist");
    s.recipe.Toevoegingen(7) = QStringLiteral("Koriander");
    UpdateBrouwschema(s);
    setMeasured(s, 0, "19", "1075", "998");
    s.recipe.setStatus(StatusEvaluatie);
    s.recipe.EvBZR = 74.25f;
    const QString x = QString::fromLatin1(xmlRecipeBytes(s.recipe));
    EXPECT_TRUE(
        x.contains(QStringLiteral("   <OG>1.075</OG>\r\n   <FG>.998</FG>\r\n   <EFFICIENCY>74.3</EFFICIENCY>")));
    EXPECT_TRUE(x.contains(QStringLiteral("<NAME>Magnum</NAME>")));
    EXPECT_FALSE(x.contains(QStringLiteral("<NAME>Perle</NAME>")));  // beer 2's hops stay out
    EXPECT_EQ(x.count(QStringLiteral("<YEAST>")), 2);
    EXPECT_TRUE(x.contains(QStringLiteral("<NAME>Dunbiergist</NAME>")));
    EXPECT_EQ(x.count(QStringLiteral("<MISC>")), 1);
    EXPECT_EQ(x.count(QStringLiteral("<HOP>")), 8);

    Session empty = singleBrew();
    empty.recipe.Aromahop.redim(0, 7);
    UpdateBrouwschema(empty);
    const QString e = QString::fromLatin1(xmlRecipeBytes(empty.recipe));
    EXPECT_TRUE(
        e.contains(QStringLiteral("       <HOP>\r\n           <NAME></NAME>\r\n           <VERSION>1</VERSION>\r\n"
                                  "           <ALPHA></ALPHA>\r\n           <AMOUNT>0.000</AMOUNT>\r\n"
                                  "           <USE>Boil</USE>\r\n           <TIME></TIME>\r\n       </HOP>")));
    EXPECT_EQ(e.count(QStringLiteral("<YEAST>")), 0);
}

TEST_F(XmlExportTest, TextsAreEscapedAndTrueLatin1)
{
    Session s = singleBrew();
    s.recipe.Algemeen(0) = QStringLiteral("Bière & <Bock> \u20AC\u0001\u0085 č");
    s.recipe.Aantekening = QStringLiteral("regel 1\r\nregel 2");
    UpdateBrouwschema(s);
    const QByteArray x = xmlRecipeBytes(s.recipe);
    EXPECT_TRUE(x.contains("   <NAME>Bi\xE8re &amp; &lt;Bock&gt; &#8364; &#269;</NAME>\r\n"));
    EXPECT_TRUE(x.contains("<NOTES>regel 1&#13;\nregel 2</NOTES>"));

    // What another reader makes of it.
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint is not installed (libxml2-utils)";
    const QString path = dir.filePath(QStringLiteral("bock.xml"));
    ASSERT_TRUE(ExportReceptXML(s, path));
    QProcess p;
    p.start(xmllint, {QStringLiteral("--noout"), path});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    p.start(xmllint, {QStringLiteral("--xpath"), QStringLiteral("string(//RECIPE/NAME)"), path});
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QStringLiteral("Bière & <Bock> \u20AC č"));
}

TEST_F(XmlExportTest, EverySampleExportPassesXmllint)
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        GTEST_SKIP() << "xmllint is not installed (libxml2-utils)";
    Session dubbel = doubleBrew();
    UpdateBrouwschema(dubbel);
    const Session sessions[] = {recalculatedSample(QStringLiteral("Zomerblond.zlv")),
                                recalculatedSample(QStringLiteral("Herfstbok.zlv")), dubbel};
    int n = 0;
    for (const Session &s : sessions) {
        const QString path = dir.filePath(QStringLiteral("r%1.xml").arg(++n));
        ASSERT_TRUE(ExportReceptXML(s, path));
        QProcess p;
        p.start(xmllint, {QStringLiteral("--noout"), path});
        ASSERT_TRUE(p.waitForFinished());
        EXPECT_EQ(p.exitCode(), 0) << n << p.readAllStandardError().toStdString();
    }
}

TEST_F(XmlExportTest, FileNameGetsXmlOnlyWhenItHoldsNone)
{
    const struct {
        const char *box, *path;
    } rows[] = {
        {"/r/Bock", "/r/Bock.xml"},
        {"/r/Bock.XML", "/r/Bock.XML"},
        {"/r/oud.xml.d/Bock", "/r/oud.xml.d/Bock"},
        {"", ".xml"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(xmlExportPath(QString::fromUtf8(r.box)), QString::fromUtf8(r.path)) << r.box;
}

TEST_F(XmlExportTest, FailuresShowTheMessageAndKeepTheOldFile)
{
    Session s = singleBrew();
    UpdateBrouwschema(s);
    const QString missing = dir.filePath(QStringLiteral("geen/map/Bock"));
    EXPECT_FALSE(ExportReceptXML(s, missing));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].prompt, QStringLiteral("Error in het aanmaken van ") + missing + QStringLiteral(".xml"));
    EXPECT_EQ(fake.messages[0].style, 48);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("Attentie!"));

    const QString path = dir.filePath(QStringLiteral("Bock.xml"));
    ASSERT_TRUE(ExportReceptXML(s, path));
    const QByteArray before = fileBytes(path);
    setMeasured(s, 0, "20", "veel", "1010");
    s.recipe.setStatus(StatusEvaluatie);
    EXPECT_FALSE(ExportReceptXML(s, path));
    EXPECT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(XmlExportTest, RoundTripSettlesAndKeepsTheRecipe)
{
    const Session start = recalculatedSample(QStringLiteral("Herfstbok.zlv"));
    const QByteArray x1 = xmlRecipeBytes(start.recipe);
    const Session s1 = imported(x1);
    const QByteArray x2 = xmlRecipeBytes(s1.recipe);
    const Session s2 = imported(x2);
    const QByteArray x3 = xmlRecipeBytes(s2.recipe);
    EXPECT_EQ(x2, x3);

    const RecipeState &a = start.recipe, &b = s2.recipe;
    for (int i : {0, 1, 6})
        EXPECT_EQ(b.Algemeen(i), a.Algemeen(i).trimmed()) << i;
    for (int i = 1; i <= 5; ++i)
        EXPECT_FLOAT_EQ(b.Doelstellingen(i), a.Doelstellingen(i)) << i;
    ASSERT_EQ(b.Storting.rows(), a.Storting.rows());
    for (int r = 0; r < a.Storting.rows(); ++r) {
        EXPECT_EQ(b.Storting(r, StIngred), a.Storting(r, StIngred));
        EXPECT_NEAR(num::val(b.Storting(r, StPerc)), num::val(a.Storting(r, StPerc)), 0.006);
        EXPECT_NEAR(num::val(b.Storting(r, StBZR)), num::val(a.Storting(r, StBZR)), 0.006);
        EXPECT_NEAR(num::val(b.Storting(r, StEBC)), num::val(a.Storting(r, StEBC)), 0.51);
    }
    ASSERT_EQ(b.Maischschema.rows(), a.Maischschema.rows());
    for (int r = 1; r < a.Maischschema.rows(); ++r)
        for (int c : {0, 1})
            EXPECT_NEAR(b.Maischschema(r, c), a.Maischschema(r, c), 0.5f);
    for (int r = 0; r < a.Aromahop.rows(); ++r) {
        EXPECT_EQ(b.Aromahop(r, HopSoort), a.Aromahop(r, HopSoort));
        EXPECT_NEAR(num::val(b.Aromahop(r, HopGram)), num::val(a.Aromahop(r, HopGram)), 0.5);
        EXPECT_EQ(num::val(b.Aromahop(r, HopKooktijd)), num::val(a.Aromahop(r, HopKooktijd)));
    }
    for (int r = 0; r < a.Bitterhop.rows(); ++r) {
        EXPECT_EQ(b.Bitterhop(r, HopSoort), a.Bitterhop(r, HopSoort));
        EXPECT_EQ(num::val(b.Bitterhop(r, HopAlfazuur)), num::val(a.Bitterhop(r, HopAlfazuur)));
        EXPECT_EQ(num::val(b.Bitterhop(r, HopKooktijd)), num::val(a.Bitterhop(r, HopKooktijd)));
    }
    const auto filled = [](const Table1D<QString> &t) {
        QStringList l;
        for (int i = 0; i <= t.ubound(); ++i)
            if (!t(i).isEmpty())
                l << t(i);
        return l;
    };
    EXPECT_EQ(filled(b.Gistkeuze), filled(a.Gistkeuze));
    EXPECT_EQ(filled(s1.recipe.Toevoegingen).size(), filled(a.Toevoegingen).size());
    EXPECT_EQ(b.Aantekening, a.Aantekening);
    EXPECT_EQ(imported(x3).recipe.Toevoegingen, s2.recipe.Toevoegingen);  // no prefix piles up
}

}  // namespace
}  // namespace mostarium::test

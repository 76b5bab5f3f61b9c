// The sparge curve in the core: its rows, its chart settings, its dump, and
// the sparge dialog's check.
#include "core/Cp1252.h"
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Session.h"
#include "core/Sparge.h"
#include "core/Spoelcurve.h"
#include "core/WholeFile.h"
#include "editors/PlotGraphics.h"

#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace mostarium;
using namespace mostarium::test;

namespace {

// 5 kg of grain at a yield of 0.75 mashed with 15 L, 8 L under the false
// bottom (all fixed), sparged to 3.0 Plato: first wort 1062.4 kg/m3 (15.26
// Plato), 6.5 L free first wort and 21.8 L sparged, so N = 28.
Session fiveKilos()
{
    Session s;
    RecipeState &r = s.recipe;
    r.StortingMaisch = 5000;
    r.BZRMaisch = 0.75f;
    r.BeslaanVolume = 15;
    r.VolFilterPlaatBodem = 8;
    r.FixedVolFilterPlaatBodem = 8;
    r.SpoelenTot = 3;
    UpdateHoofdwort(s);
    UpdateSpoelen(s);
    return s;
}

QStringList readLines(const QString &path)
{
    QByteArray bytes;
    EXPECT_EQ(readWholeFile(path, MaxTextFileSize, bytes), FileRead::Ok);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = cp1252::decode(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

}  // namespace

TEST(Spoelcurve, WorkedExampleRowsAxesAndDump)
{
    TempProgramFolder folder;
    QDir(folder.path()).mkpath(QStringLiteral("temp"));
    Session s = fiveKilos();
    const auto curve = CalculateSpoelcurve(s, QStringLiteral("3.0"), QStringLiteral("15.3"));
    ASSERT_TRUE(curve.has_value());
    EXPECT_EQ(curve->N, 28);
    EXPECT_EQ(curve->data.rowUbound(), 29);
    EXPECT_EQ(curve->data.colUbound(), 2);
    EXPECT_FALSE(curve->omslag.has_value()) << "single brew";

    const PlotSettings &p = curve->settings;
    EXPECT_EQ(p.XTitel, "Liters wort");
    EXPECT_EQ(p.YTitel, "\u00B0 Plato");
    EXPECT_TRUE(p.ZeroBased);
    EXPECT_TRUE(p.ShowGrid);
    EXPECT_EQ(p.FirstRow, 0);
    EXPECT_EQ(p.LastRow, 29);
    EXPECT_EQ(p.SeriesColumns, std::vector<double>{1});
    EXPECT_EQ(p.SeriesStyles, std::vector<std::int32_t>{SeriesLine});
    EXPECT_EQ(p.XAxisMax, 28) << "the axis ends at N, the data at N + 1";
    EXPECT_NEAR(p.YAxisMax, 16.26, 0.005);
    const ChartLayout l = LayoutChart(p, 11700, 8700);
    EXPECT_EQ(l.xStep, 2);
    EXPECT_EQ(l.xIntervals, 14);
    EXPECT_TRUE(l.texts.back().rotated);
    EXPECT_EQ(l.yStep, 1);

    // Litres, the runnings in Plato, the kilograms collected.
    EXPECT_EQ(curve->data(0, 0), 0);
    EXPECT_EQ(curve->data(29, 0), 29);
    EXPECT_NEAR(curve->data(0, 1), 15.258, 0.001);
    EXPECT_NEAR(curve->data(23, 1), 8.400, 0.001);  // the midpoint c: half of b
    EXPECT_EQ(curve->data(0, 2), 0);
    EXPECT_NEAR(curve->data(1, 2), 1.0624, 0.0001);
    EXPECT_GT(curve->data(29, 2), 29 * 1.01);
    EXPECT_LT(curve->data(29, 2), 29 * 1.063);

    const QStringList lines = readLines(folder.file(QStringLiteral("temp/spoelcurve.txt")));
    ASSERT_EQ(lines.size(), 28 + 10);
    EXPECT_EQ(lines[0], "Spoelen tot (plato) 3.0");
    EXPECT_EQ(lines[1], "Hoofdwort (plato) 15.3");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], " 0 163.0315.3");
    EXPECT_EQ(lines[4], " 1 163.0215.3");
    EXPECT_EQ(lines[15], " 12 161.2315.1");
    EXPECT_EQ(lines[26], " 23 88.328.4");
    EXPECT_EQ(lines[32], " 29 26.022.7");
    EXPECT_EQ(lines[33], "");
    EXPECT_EQ(lines[34], "coefficient a uit model:  0.08333334");
    EXPECT_EQ(lines[35], "coefficient b uit model:  0.9166667");
    EXPECT_EQ(lines[36], "coefficient c uit model:  23");
    EXPECT_EQ(lines[37], "coefficient d uit model:  2.5");
}

TEST(Spoelcurve, NoCurveWithoutAShape)
{
    TempProgramFolder folder;
    QDir(folder.path()).mkpath(QStringLiteral("temp"));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char *what;
        float vrij, gespoeld, d;
    };
    const Case cases[] = {
        {"no width", 6.5f, 21.8f, 0},
        {"N below 0", -3, 1, 2.5f},
        {"N beyond a 16-bit count", 32767, 1, 2.5f},
        {"N far beyond", 3e38f, 3e38f, 2.5f},
        {"N no number", float(nan), 1, 2.5f},
    };
    for (const Case &c : cases) {
        Session s = fiveKilos();
        s.recipe.VrijeHoofdwort = c.vrij;
        s.recipe.SpoelwortVolume = c.gespoeld;
        s.recipe.CoefficientD = c.d;
        QFile::remove(SpoelcurveTekstBestand());
        EXPECT_FALSE(CalculateSpoelcurve(s, QStringLiteral("3.0"), QStringLiteral("15.3"))) << c.what;
        EXPECT_FALSE(QFile::exists(SpoelcurveTekstBestand())) << c.what;
    }
    // The largest count still gives one.
    Session s = fiveKilos();
    s.recipe.VrijeHoofdwort = 32766;
    s.recipe.SpoelwortVolume = 1;
    const auto big = BerekenSpoelcurve(s.recipe, {}, {});
    ASSERT_TRUE(big.has_value());
    EXPECT_EQ(big->data.rowUbound(), 32768);
}

TEST(Spoelcurve, PictureLiesInTempUnderTheBeerName)
{
    TempProgramFolder folder;
    RecipeState r;
    r.Algemeen.redim(7);
    const struct {
        const char *beer, *file;
    } cases[] = {{"  Blond ", "Spoelcurve_Blond.bmp"}, {"a/b:c", "Spoelcurve_a_b_c.bmp"}};
    for (const auto &c : cases) {
        r.Algemeen(0) = QString::fromUtf8(c.beer);
        EXPECT_EQ(SpoelcurvePlaatje(r), folder.file(QStringLiteral("temp/") + QLatin1String(c.file)));
    }
}

TEST(Spoelcurve, Check)
{
    const Session s = fiveKilos();
    const float hwsg = s.recipe.HWSG;
    const double p0 = SGToPlato(hwsg);
    const float a = s.recipe.CoefficientA, b = s.recipe.CoefficientB;
    // A first wort near 15 Plato and a floor coefficient at which 3 Plato
    // gives the sparge model a zero divisor.
    const float glT = PlatoToGL(3);
    float zeroM = 15, zeroA = 0;
    auto zeroDivisor = [&](float m) {
        const float glM = PlatoToGL(m);
        for (float x = std::nextafter(glT / glM, 0.f), end = std::nextafter(std::nextafter(glT / glM, 1.f), 1.f);
             x <= end; x = std::nextafter(x, 1.f))
            if (num::toSingle(double(x) * double(glM)) == glT) {
                zeroA = x;
                return true;
            }
        return false;
    };
    for (int i = 0; i < 10000 && !zeroDivisor(zeroM); ++i)
        zeroM = std::nextafter(zeroM, 16.f);
    ASSERT_NE(zeroA, 0);
    const float hwsg15 = PlatoToSG(15);

    struct Case {
        const char *what;
        std::optional<double> t, m;
        float kept, a, b;
        bool ok, tBad, mBad;
    };
    const Case cases[] = {
        {"below 3", 2.9, 15.3, hwsg, a, b, false, true, false},
        {"3 passes", 3, 15.3, hwsg, a, b, true, false, false},
        {"first wort at 0.75", 3, 0.75 * p0, hwsg, a, b, true, false, false},
        {"first wort at 1.25", 3, 1.25 * p0, hwsg, a, b, true, false, false},
        {"first wort at 1.26", 3, 1.26 * p0, hwsg, a, b, false, false, true},
        {"T equal to M", 12, 12, hwsg, a, b, false, true, false},
        {"T above M", 14, 12, hwsg, a, b, false, true, false},
        {"T / M at the floor", 3, 15, hwsg15, 0.2f, b, false, true, false},
        {"no sparge volume", 12, 15, hwsg15, a, 0.5f, false, true, false},
        {"zero divisor", 3, zeroM, hwsg15, zeroA, b, false, true, false},
        {"next to the zero divisor", 3, zeroM, hwsg15, std::nextafter(zeroA, 0.f), b, true, false, false},
        {"empty boxes", 0, 0, hwsg, a, b, false, true, true},
        {"sparge-until beyond a double", std::nullopt, 15.3, hwsg, a, b, false, true, false},
        {"first wort beyond a double", 3, std::nullopt, hwsg, a, b, false, true, true},
    };
    for (const Case &c : cases) {
        const SpoelControle r = ControleerSpoelen(c.t, c.m, c.kept, c.a, c.b);
        EXPECT_EQ(r.ok, c.ok) << c.what;
        EXPECT_EQ(r.spoelenTotBad, c.tBad) << c.what;
        EXPECT_EQ(r.hoofdwortBad, c.mBad) << c.what;
    }
}

#include "core/CalcError.h"
#include "core/Formulas.h"
#include "support/QtPrint.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace mostarium;

namespace {

// Each row: input, expected, tolerance, where the figure comes from.
struct Row {
    float (*fn)(float);
    const char *name;
    float input;
    double expected;
    double tol;
};

TEST(Formulas, UnitConversions)
{
    const Row rows[] = {
        {SGToGL, "SGToGL", 1048.f, 125.04, 0.01},             // worked figure
        {SGToPlato, "SGToPlato", 1048.f, 11.77, 0.01},        // worked figure
        {PlatoToGL, "PlatoToGL", 12.f, 127.53, 0.01},         // worked figure
        {GLToSG, "GLToSG", 100.f, 1038.54, 0.01},             // worked figure
        {LovibondToEBC, "LovibondToEBC", 10.f, 25.3, 1e-5},   // worked figure
        {EBCToLovibond, "EBCToLovibond", 25.3f, 10.0, 1e-5},  // worked figure
        {PlatoToSG, "PlatoToSG", 0.f, 999.541, 1e-3},         // constant term
        {GLToPlato, "GLToPlato", 0.f, 0.29328, 1e-6},         // constant term
        {SGToPlato, "SGToPlato", 999.541f, 0.0, 1e-4},        // zero point
        {SGToGL, "SGToGL", 1000.f, -1.98, 0.001},             // water is below the g/L zero
    };
    for (const auto &r : rows)
        EXPECT_NEAR(r.fn(r.input), r.expected, r.tol) << r.name << '(' << r.input << ')';
}

TEST(Formulas, PairsAreInverses)
{
    for (float sg : {1000.f, 1012.5f, 1048.f, 1085.f, 1120.f}) {
        EXPECT_NEAR(PlatoToSG(SGToPlato(sg)), sg, 1e-3) << sg;
        EXPECT_NEAR(GLToSG(SGToGL(sg)), sg, 1e-3) << sg;
    }
    for (float p : {3.f, 12.f, 20.f})
        EXPECT_NEAR(GLToPlato(PlatoToGL(p)), p, 1e-4) << p;
    for (float ebc : {4.f, 25.3f, 300.f})
        EXPECT_NEAR(LovibondToEBC(EBCToLovibond(ebc)), ebc, 1e-3) << ebc;
}

TEST(Formulas, HopUtilisatie)
{
    struct U {
        float sg;
        std::int16_t t;
        double expected, tol;
    } rows[] = {
        {1000.f, 60, 36.15, 0.01},  // worked figure
        {1050.f, 60, 23.07, 0.01},  // worked figure
        {1050.f, 0, 0.0, 0.0},      // no boil, no bitterness
        // 1.65 * 0.000125^0.05 * 100 * (1 - e^-0.6) / 4.15 by hand
        {1050.f, 15, 1.65 * std::pow(0.000125, 0.05) * 100 * (1 - std::exp(-0.6)) / 4.15, 1e-9},
    };
    for (const auto &r : rows)
        EXPECT_NEAR(HopUtilisatie(r.sg, r.t), r.expected, r.tol) << r.sg << ", " << r.t;
}

TEST(Formulas, HopFormIsNormalisedInTheCallersVariable)
{
    struct F {
        const char *form;
        const char *normalised;
        double ebuFactor;     // pellets 1.1 as a float constant
        double weightFactor;  // pellets 0.9 as a float constant
    } rows[] = {
        {"bloemen", "bloemen", 1.0, 1.0}, {"  Pellets ", "pellets", double(1.1f), double(0.9f)},
        {"BLOEMEN", "bloemen", 1.0, 1.0}, {"pellets/bloemen", "pellets/bloemen", 1.0, 1.0},  // whole hops win
        {"extract", "extract", 0.0, 0.0}, {"", "", 0.0, 0.0},
    };
    for (const auto &r : rows) {
        QString form = QString::fromLatin1(r.form);
        const float ebu = BerekenEBU(30.f, form, 5.f, 20.f);
        EXPECT_EQ(form, QString::fromLatin1(r.normalised));
        EXPECT_NEAR(ebu, r.ebuFactor * 30 * 5 / 200.0, 1e-6) << r.form;

        QString form2 = QString::fromLatin1(r.form);
        const float w = BerekenHopGewicht(form2, 20.f, 20.f, 5.f);
        EXPECT_EQ(form2, QString::fromLatin1(r.normalised));
        EXPECT_NEAR(w, r.weightFactor * 20 * 10 * 20 / 5.0, 1e-3) << r.form;
    }
}

TEST(Formulas, WorkedHopExamples)
{
    QString pellets = QStringLiteral("pellets");
    EXPECT_NEAR(BerekenEBU(30.f, pellets, 5.f, 20.f) * HopUtilisatie(1050.f, 60), 19.0, 0.05);
    QString bloemen = QStringLiteral("bloemen");
    EXPECT_NEAR(BerekenHopGewicht(bloemen, 20.f, 20.f, 5.f) / HopUtilisatie(1050.f, 60), 34.7, 0.05);
}

TEST(Formulas, DivisionByZeroReachesTheCaller)
{
    QString form = QStringLiteral("pellets");
    EXPECT_THROW(BerekenEBU(30.f, form, 5.f, 0.f), CalcError);
    EXPECT_THROW(BerekenHopGewicht(form, 20.f, 20.f, 0.f), CalcError);
    // A form that names neither word gives 0, even over a zero volume: 0 / 0.
    QString none = QStringLiteral("extract");
    EXPECT_THROW(BerekenEBU(30.f, none, 5.f, 0.f), CalcError);
}

// The schedule and the optimisers judge the tun and the boil by these two.
TEST(Formulas, MashVolumeAndBoilTime)
{
    // 3 L/kg on 3307 g of grain over 8 L under the false bottom: 0.7 L/kg
    // above 2.3 makes 2.31 L, the grain 10.91 L (hand computation).
    EXPECT_NEAR(GeschatMaischVolume(3.0f, 3307.f, 8.f), 21.228, 0.001);
    // At 2.3 L/kg the water adds nothing; below it the estimate shrinks.
    EXPECT_NEAR(GeschatMaischVolume(2.3f, 1000.f, 0.f), 3.3, 1e-6);
    EXPECT_NEAR(GeschatMaischVolume(1.3f, 1000.f, 0.f), 2.3, 1e-6);

    EXPECT_DOUBLE_EQ(GeschatteKooktijd(30, 20, 10.f), 60.0);
    EXPECT_DOUBLE_EQ(GeschatteKooktijd(20, 22.5, 25.f), -6.0);  // less wort than beer: below 0
    EXPECT_THROW(GeschatteKooktijd(30, 20, 0.f), CalcError);
}

TEST(Formulas, OverflowIsAnError)
{
    EXPECT_THROW(PlatoToSG(3.4e38f), CalcError);
    EXPECT_THROW(LovibondToEBC(3.4e38f), CalcError);
}

}  // namespace

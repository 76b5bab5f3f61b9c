#include "calculators/WaterCore.h"

#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

using calc::WaterInvoer;
using calc::Zout;

QStringList zeros() { return QStringList(calc::WaterKolommen, QStringLiteral("0")); }

calc::WaterRij rij(const QStringList &cells)
{
    calc::WaterRij r;
    for (int c = 0; c < calc::WaterKolommen; ++c)
        r[std::size_t(c)] = cells.value(c, QStringLiteral("0"));
    return r;
}

WaterInvoer invoer(double volume = 100, double demi = 0, const QStringList &water = zeros())
{
    WaterInvoer in;
    in.volume = volume;
    in.demi = demi;
    in.ketelInhoud = 100;
    in.water = rij(water);
    return in;
}

WaterInvoer metZout(WaterInvoer in, Zout z, double maximum, int procent, double hydraat)
{
    in.zouten[std::size_t(z)] = {maximum, procent, hydraat};
    return in;
}

QStringList cells(const char *line) { return QString::fromLatin1(line).split(u' '); }

TEST(WaterProfiel, ComputedRows)
{
    const QStringList tap = cells("60 8.5 45 30 50 999 0 180 999");
    struct Row {
        const char *what;
        WaterInvoer in;
        const char *row2;
    };
    const Row rows[] = {
        // 5 g of calcium sulphate (hydrate 2) in 100 L of water with nothing in
        // it: 11.62 Ca, 27.92 SO4, TH 29.05.
        {"gypsum, hydrate 2", metZout(invoer(), Zout::CaSO4, 10, 50, 2), "12 0 28 0 0 29 0 0 0"},
        // Hydrate 2 makes 146.98 of 110.98: 136.1 Ca and 241.4 Cl against 180.3 and 319.7.
        {"CaCl2 anhydrous", metZout(invoer(20), Zout::CaCl2, 10, 100, 0), "180 0 0 0 320 451 0 0 0"},
        {"CaCl2 hydrate 2", metZout(invoer(20), Zout::CaCl2, 10, 100, 2), "136 0 0 0 241 340 0 0 0"},
        {"chalk", metZout(invoer(), Zout::CaCO3, 10, 100, 0), "40 0 0 0 0 100 60 0 100"},
        {"Epsom salt, hydrate 7", metZout(invoer(), Zout::MgSO4, 10, 100, 7), "0 9.9 39 0 0 41 0 0 0"},
        {"table salt", metZout(invoer(), Zout::NaCl, 10, 100, 0), "0 0 0 39 61 0 0 0 0"},
        {"baking soda", metZout(invoer(), Zout::NaHCO3, 10, 100, 0), "0 0 0 27 0 0 0 73 60"},
        // Row 1 repeated; TH and Alk computed, not copied.
        {"tap water alone", invoer(100, 0, tap), "60 8.5 45 30 50 185 0 180 148"},
        {"half demineralised", invoer(100, 50, tap), "30 4.3 23 15 25 93 0 90 74"},
        {"all demineralised", metZout(invoer(100, 100, tap), Zout::CaSO4, 10, 50, 2), "12 0 28 0 0 29 0 0 0"},
        {"Mg 12", invoer(100, 0, cells("0 12")), "0 12. 0 0 0 50 0 0 0"},
        {"Mg .5", invoer(100, 0, cells("0 .5")), "0 .5 0 0 0 2 0 0 0"},
        {"Mg 8.94", invoer(100, 0, cells("0 8.94")), "0 8.9 0 0 0 37 0 0 0"},
        {"cells read by their leading number", invoer(100, 0, cells("12abc 0 1.5.5 x")), "12 0 2 0 0 30 0 0 0"},
        {"volume just under five kettles", metZout(invoer(499.9), Zout::NaCl, 999, 100, 0), "0 0 0 786 1212 0 0 0 0"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        const std::optional<QStringList> got = calc::waterProfiel(r.in);
        ASSERT_TRUE(got.has_value());
        EXPECT_EQ(*got, cells(r.row2));
    }
}

TEST(WaterProfiel, OutsideTheGuardRowTwoStays)
{
    const WaterInvoer good = metZout(invoer(), Zout::CaSO4, 10, 50, 2);
    for (double volume : {0.0, -1.0, 500.0, 600.0}) {
        WaterInvoer in = good;
        in.volume = volume;
        EXPECT_FALSE(calc::waterProfiel(in).has_value()) << volume;
    }
    for (double demi : {-0.5, 100.5, 101.0}) {
        WaterInvoer in = good;
        in.demi = demi;
        EXPECT_FALSE(calc::waterProfiel(in).has_value()) << demi;
    }
    WaterInvoer noKettle = good;
    noKettle.ketelInhoud = 0;
    EXPECT_FALSE(calc::waterProfiel(noKettle).has_value());
}

TEST(WaterProfiel, BeyondSinglePrecisionStopsAtThatColumn)
{
    std::optional<QStringList> got = calc::waterProfiel(invoer(100, 0, cells("1E+39 8")));
    ASSERT_TRUE(got.has_value());
    EXPECT_TRUE(got->isEmpty());
    // HCO3 is the eighth column: the seven before it stand.
    got = calc::waterProfiel(invoer(100, 0, cells("10 0 0 0 0 0 0 1E+39")));
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, cells("10 0 0 0 0 25 0"));
}

TEST(WaterProfiel, AmountLabelsAndReport)
{
    EXPECT_EQ(calc::zoutLabel(Zout::CaSO4, calc::zoutGram(50, 10)), "5.0 gr Calciumsulfaat (CaSO4).");
    EXPECT_EQ(calc::zoutLabel(Zout::NaHCO3, calc::zoutGram(33, 2.5)), "0.8 gr Natriumbicarbonaat (NaHCO3).");
    EXPECT_EQ(calc::zoutLabel(Zout::MgSO4, calc::zoutGram(100, 999)), "999.0 gr Magnesiumsulfaat (MgSO4).");
    std::array<QString, calc::ZoutAantal> labels;
    for (int z = 0; z < calc::ZoutAantal; ++z)
        labels[std::size_t(z)] = QString::number(z);
    EXPECT_EQ(calc::waterRapport(QStringLiteral("20."), QStringLiteral("0"), labels),
              (QStringList{"Water aanpassing aan 20. L (0 % demi)", "", "0", "3", "4", "1", "2", "5"}));
}

TEST(WaterProfiel, ProfileFiles)
{
    QTemporaryDir dir;
    auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QString full = write("vol.txt", "[Profiel]\r\nAlk=12\r\nCa=8.90\r\nMg=12abc\r\nSO4=\r\nNa=.5\r\n"
                                          "Cl=1e3\r\nTH=0.000001\r\nCO3=x\r\nHCO3=  150  \r\n");
    EXPECT_EQ(calc::leesWaterProfiel(full), rij(cells("8.9 12 0 0.5 1000 1E-06 0 150 12")));
    const QString other = write("ander.txt", "[Water]\r\nCa=60\r\n");
    EXPECT_EQ(calc::leesWaterProfiel(other), rij(zeros()));
    EXPECT_EQ(calc::leesWaterProfiel(dir.filePath(QStringLiteral("weg.txt"))), rij(zeros()));
}

// Each shipped profile, taken as the water to adjust without salts, shows
// its own hardness and alkalinity again.
TEST(WaterProfiel, ShippedProfilesAgreeWithTheirHardnessAndAlkalinity)
{
    const QDir dir(resourcesFolder() + QStringLiteral("/WaterProfielen"));
    const QStringList files = dir.entryList({QStringLiteral("*.txt")}, QDir::Files);
    EXPECT_TRUE(files.contains(QStringLiteral("Dozovorarez2002.txt")));
    for (const char *classic : {"Pilsen", "Burton", "Dortmund", "Dublin", "Muenchen"})
        EXPECT_TRUE(files.contains(QLatin1String(classic) + QStringLiteral(".txt"))) << classic;
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        const std::optional<calc::WaterRij> read = calc::leesWaterProfiel(dir.filePath(name));
        ASSERT_TRUE(read.has_value());
        const calc::WaterRij &file = *read;
        WaterInvoer in = invoer();
        in.water = file;
        const std::optional<QStringList> got = calc::waterProfiel(in);
        ASSERT_TRUE(got.has_value());
        ASSERT_EQ(got->size(), calc::WaterKolommen);
        EXPECT_NE(file[0], "0");
        EXPECT_EQ(got->at(5), file[5]) << "TH";
        EXPECT_EQ(got->at(8), file[8]) << "Alk";
    }
}

}  // namespace
}  // namespace mostarium::test

#include "WaterCore.h"

#include "CalcCore.h"

#include "core/CalcError.h"
#include "core/Ini.h"
#include "core/NumText.h"
#include "core/Paths.h"

#include <QDir>

namespace mostarium::calc {

const WaterRij &waterSleutels()
{
    static const WaterRij keys{QStringLiteral("Ca"),  QStringLiteral("Mg"),   QStringLiteral("SO4"),
                               QStringLiteral("Na"),  QStringLiteral("Cl"),   QStringLiteral("TH"),
                               QStringLiteral("CO3"), QStringLiteral("HCO3"), QStringLiteral("Alk")};
    return keys;
}

const WaterRij &waterKoppen()
{
    // The trailing blanks belong to the headers.
    static const WaterRij heads{QStringLiteral("Ca2+ "), QStringLiteral("Mg2+ "), QStringLiteral("SO4 "),
                                QStringLiteral("Na+ "),  QStringLiteral("Cl- "),  QStringLiteral("TH "),
                                QStringLiteral("CO3 "),  QStringLiteral("HCO3 "), QStringLiteral("Alk  ")};
    return heads;
}

QString waterRapportPad() { return reportPath(QStringLiteral("WaterProfiel.txt")); }

QString waterProfielenMap() { return paths::file(QStringLiteral("WaterProfielen")); }

namespace {

struct ZoutGegevens {
    double molmassa;
    const char *naam;
};

const std::array<ZoutGegevens, ZoutAantal> zoutGegevens{{
    {136.14, " gr Calciumsulfaat (CaSO4)."},
    {110.98, " gr Calciumchloride (CaCl2)."},
    {100.09, " gr Calciumcarbonaat (CaCO3)."},
    {120.37, " gr Magnesiumsulfaat (MgSO4)."},
    {58.44, " gr Natriumchloride (NaCl)."},
    {84.01, " gr Natriumbicarbonaat (NaHCO3)."},
}};

}  // namespace

std::optional<QStringList> waterProfiel(const WaterInvoer &in)
{
    const double v = in.volume, d = in.demi;
    if (!(v > 0 && v < 5 * in.ketelInhoud && d >= 0 && d <= 100))
        return std::nullopt;

    // mg/L of an ion that a salt brings into the whole volume.
    auto t = [&in, v](Zout z, double k) {
        const ZoutGift &g = in.zouten[std::size_t(z)];
        return num::div(g.maximum * k * g.procent, (g.hydraat * 18 + zoutGegevens[std::size_t(z)].molmassa) * v);
    };
    auto r = [&in](int column) { return num::val(in.water[std::size_t(column)]); };

    QStringList cells;
    try {
        const float f = num::toSingle((100 - d) / 100);
        auto put = [&cells](double value, QStringView pattern) {
            const float x = num::toSingle(value);
            cells << num::format(x, pattern);
            return x;
        };
        const float ca = put(r(0) * f + t(CaSO4, 400.1) + t(CaCl2, 400.1) + t(CaCO3, 400.1), u"##0");
        const double mgValue = r(1) * f + t(MgSO4, 243.1);
        const float mg = num::toSingle(mgValue);
        cells << num::format(mg, mg > 0 ? u"###.#" : u"##0");
        put(r(2) * f + t(CaSO4, 961.3) + t(MgSO4, 961.3), u"##0");
        put(r(3) * f + t(NaCl, 229.9) + t(NaHCO3, 229.9), u"##0");
        put(r(4) * f + t(CaCl2, 709.7) + t(NaCl, 354.5), u"##0");
        put(double(mg) * 100 / 24 + double(ca) * 2.5, u"##0");
        const float co3 = put(r(6) * f + t(CaCO3, 600.8), u"##0");
        const float hco3 = put(r(7) * f + t(NaHCO3, 610.2), u"##0");
        put(double(co3) * 1.67 + double(hco3) * 0.82, u"##0");
    } catch (const CalcError &) {
    }
    return cells;
}

double zoutGram(int procent, double maximum) { return procent * maximum / 100; }

QString zoutLabel(Zout z, double gram)
{
    return num::format(gram, u"##0.0") + QLatin1String(zoutGegevens[std::size_t(z)].naam);
}

QStringList waterRapport(const QString &volume, const QString &demi, const std::array<QString, ZoutAantal> &labels)
{
    return {QStringLiteral("Water aanpassing aan ") + volume + QStringLiteral(" L (") + demi
                + QStringLiteral(" % demi)"),
            QString(),
            labels[CaSO4],
            labels[MgSO4],
            labels[NaCl],
            labels[CaCl2],
            labels[CaCO3],
            labels[NaHCO3]};
}

std::optional<WaterRij> leesWaterProfiel(const QString &path, QString *fout)
{
    const QString name = QDir::toNativeSeparators(path);
    auto refuse = [fout](const QString &why) -> std::optional<WaterRij> {
        if (fout)
            *fout = why;
        return std::nullopt;
    };
    const QString refused = refusedSettingsFile(path, name);
    if (!refused.isEmpty())
        return refuse(refused);
    WaterRij row;
    for (std::size_t c = 0; c < row.size(); ++c) {
        const QString &key = waterSleutels()[c];
        try {
            row[c] = num::plain(num::val(ReadINI(path, QStringLiteral("Profiel"), key, QString())));
        } catch (const CalcError &) {
            return refuse(QStringLiteral("Het waterprofiel ") + name
                          + QStringLiteral(" heeft een ongeldige waarde voor ") + key
                          + QStringLiteral(" en wordt niet gebruikt."));
        }
    }
    return row;
}

}  // namespace mostarium::calc

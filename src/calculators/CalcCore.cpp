#include "CalcCore.h"

#include "core/Cp1252.h"
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Paths.h"
#include "core/RecipeLimits.h"
#include "core/WholeFile.h"

#include <cmath>

namespace mostarium::calc {

bool inRange(const QString &text, double lower, double upper) { return holdsText(Limit{lower, upper}, text); }

QString reportPath(const QString &fileName) { return paths::file(QStringLiteral("temp/") + fileName); }

bool writeReport(const QString &path, const QStringList &lines, QString *error)
{
    paths::makeFolderOf(path);
    return writeWholeFile(path, cp1252::encodeLines(lines), error);
}

bool appendReportLine(const QString &path, const QString &line, QString *error)
{
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxTextFileSize, bytes);
    if (read != FileRead::Ok && read != FileRead::Missing) {
        if (error)
            *error = refusedFileText(path, read);
        return false;
    }
    bytes += cp1252::encodeLines({line});
    paths::makeFolderOf(path);
    return writeWholeFile(path, bytes, error);
}

// ---- Sugar units ----

const QStringList &unitCaptions()
{
    static const QStringList captions{QStringLiteral("concentratie (gr/L)"),
                                      QStringLiteral("soortelijk gewicht (kg/m3)"),
                                      QStringLiteral("\u00BA Plato (gr/100gr)")};
    return captions;
}

namespace {
double upperOf(int unit)
{
    switch (unit) {
    case GramPerLiter:
        return 500;
    case Density:
        return 1200;
    case Plato:
        return 30;
    }
    return 0;
}
}  // namespace

bool conversieInputGood(int unit, double x)
{
    switch (unit) {
    case GramPerLiter:
        return inRange(x, 0, 500);
    case Density:
        return inRange(x, 990, 1200);
    case Plato:
        return inRange(x, 0, 30);
    }
    return false;
}

std::optional<QString> converteer(int from, int to, double x)
{
    const float v = num::toSingle(x);
    const QString oneDecimal = QStringLiteral("####.0"), twoDecimals = QStringLiteral("##.00");
    if (from == GramPerLiter && to == Density)
        return num::format(GLToSG(v), oneDecimal);
    if (from == GramPerLiter && to == Plato)
        return num::format(GLToPlato(v), twoDecimals);
    if (from == Density && to == GramPerLiter)
        return num::format(SGToGL(v), oneDecimal);
    if (from == Density && to == Plato)
        return num::format(SGToPlato(v), twoDecimals);
    if (from == Plato && to == GramPerLiter)
        return num::format(PlatoToGL(v), oneDecimal);
    if (from == Plato && to == Density)
        return num::format(PlatoToSG(v), oneDecimal);
    return std::nullopt;
}

bool conversieLogged(int from, double input, double output)
{
    return input > 0 && output > 0 && input <= upperOf(from);
}

QString conversieLogLine(const QString &input, int from, const QString &output, int to)
{
    return input + QLatin1Char(' ') + unitCaptions().value(from) + QStringLiteral(" = ") + output + QLatin1Char(' ')
           + unitCaptions().value(to);
}

// ---- Hop storage ----

HopOpslagResult hopOpslag(const HopOpslagInput &in)
{
    const double form = in.bloemen ? 1.0 : 0.5;
    const double vacuum = in.vacuum ? 0.5 : 1.0;
    const double zuurstof = in.zuurstofwerend ? 0.5 : 1.0;
    const double temperatuur = std::pow(2.0, (in.temperature - 20.0) / 15.0);
    const double k = 2.0 * std::log(2.0) * form * vacuum * temperatuur * zuurstof;
    const double r = std::exp(-k * in.years);
    HopOpslagResult out;
    out.alphaNow = num::finite(r * in.alpha + (in.beta / 4.0) * (1.0 - r));
    out.factor = num::finite(num::div(out.alphaNow, in.alpha));
    out.factorText = num::format(out.factor, u"0.####");
    out.alphaText = num::format(out.alphaNow, u"##.0");
    return out;
}

namespace {
const QString &forbidden()
{
    static const QString chars = QStringLiteral("\\/:*?\"<>|");
    return chars;
}
}  // namespace

bool prefixBad(const QString &prefix)
{
    for (QChar c : forbidden())
        if (prefix.contains(c))
            return true;
    return false;
}

QString prefixFoutText() { return QStringLiteral("incorrect karakter gebuikt (\\ / : * ? \" < > | )"); }

QString prefixToolTip() { return QStringLiteral("Maximaal 100 karakters! (\\ / : * ? \" < > | niet toegestaan!)"); }

std::vector<ReceptHop> receptHoppen(const RecipeState &r, bool dubbel)
{
    std::vector<ReceptHop> hops;
    auto walk = [&hops](const Table2D<QString> &list, const char *suffix) {
        if (list.cols() <= HopAlfazuur)
            return;
        for (int row = 0; row < list.rows(); ++row) {
            const QString &soort = list(row, HopSoort);
            if (soort.isEmpty())
                continue;
            hops.push_back({soort + QLatin1String(suffix), list(row, HopHoedanigheid), list(row, HopAlfazuur)});
        }
    };
    walk(r.Aromahop, " (A)");
    walk(r.Bitterhop, " (B)");
    if (dubbel) {
        walk(r.Aromahop2, " (A-dun)");
        walk(r.Bitterhop2, " (B-dun)");
    }
    return hops;
}

QString prefixOfEntry(const QString &entry)
{
    const qsizetype open = entry.indexOf(QLatin1Char('('));
    return (open < 0 ? entry : entry.left(open)) + QLatin1Char('_');
}

int formItem(const QString &form)
{
    const QString upper = form.toUpper();
    int item = -1;
    if (upper.contains(QLatin1String("BLOEMEN")))
        item = 0;
    if (upper.contains(QLatin1String("PELLETS")))
        item = 1;
    return item;
}

// ---- Priming sugar ----

QString gewenstCO2Text(const RecipeState &r)
{
    if (!r.Doelstellingen.has(5) || r.Doelstellingen(5) == 0)
        return {};
    return num::plain(r.Doelstellingen(5));
}

SuikerSiroopResult suikerSiroop(double present, double wanted, double volume, std::optional<double> freeMl)
{
    SuikerSiroopResult out;
    const QString whole = QStringLiteral("####"), oneDecimal = QStringLiteral("##.0");

    out.suikerNodig = num::format(num::finite((wanted - present) * 2.0 * volume), whole);
    // The rounded figures shown are the base of the next step.
    out.mlSiroop = num::format(num::val(out.suikerNodig) / 0.7, whole);
    out.grSiroop = num::format(num::val(out.mlSiroop) * 1.256, whole);

    const float x = num::toSingle(2.0 * (wanted - present));
    const std::array<double, 4> g{x * 0.3 - 0.045, x * 0.5 - 0.125, x * 0.75 - 0.28125, double(x - 0.5f)};
    for (std::size_t i = 0; i < g.size(); ++i) {
        out.gram[i] = num::format(g[i], oneDecimal);
        out.siroop[i] = num::format(g[i] / 0.7, oneDecimal);
    }

    if (!freeMl || *freeMl > 2500) {
        out.vrij = SuikerSiroopResult::Vrij::TooLarge;
    } else if (*freeMl > 0) {
        out.vrij = SuikerSiroopResult::Vrij::Computed;
        const float v = num::toSingle(*freeMl / 1000.0);
        const float gv = num::toSingle(double(x) * v - 0.5 * double(v) * double(v));
        out.gramVrij = num::format(gv, oneDecimal);
        out.siroopVrij = num::format(gv / 0.7, oneDecimal);
    }
    return out;
}

// ---- Final volume after sparging ----

QString volumeText(float litres) { return QStringLiteral("Volume (L): ") + num::signedText(litres); }

QString ogText(float og) { return QStringLiteral("OG: ") + num::format(og, u"####") + QStringLiteral(" kg/m3"); }

std::optional<Bestemming> bestemming(float targetVolume, float targetOG, double measuredVolume, double measuredSG)
{
    if (!(targetVolume > 0))
        return std::nullopt;
    const float need = num::toSingle(double(SGToGL(targetOG)) * targetVolume);
    const float extract = num::toSingle(measuredVolume * SGToGL(num::toSingle(measuredSG)));
    if (!(need > 0) || !(extract > 0))
        return std::nullopt;
    const float sg = GLToSG(num::toSingle(double(extract) / targetVolume));
    const float volume = num::toSingle(double(extract) / need * targetVolume);
    Bestemming b;
    b.opVolume =
        num::signedText(targetVolume) + QStringLiteral(" L: ") + num::format(sg, u"####") + QStringLiteral(" kg/m3");
    b.opOG = num::format(targetOG, u"####") + QStringLiteral(" kg/m3: ") + num::format(volume, u"###")
             + QStringLiteral(" L");
    return b;
}

}  // namespace mostarium::calc

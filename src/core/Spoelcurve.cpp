#include "Spoelcurve.h"

#include "CalcError.h"
#include "Cp1252.h"
#include "Formulas.h"
#include "NumText.h"
#include "Paths.h"
#include "Session.h"
#include "WholeFile.h"

#include <QFile>
#include <cmath>

namespace mostarium {

using num::format;
using num::toSingle;

namespace {

// A box's text on one line of the scratch file.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

}  // namespace

bool HeeftHoofdwort(const RecipeState &r) { return r.BZRMaisch > 0 && r.StortingMaisch != 0 && r.BeslaanVolume > 0; }

std::optional<Spoelcurve> BerekenSpoelcurve(const RecipeState &r, const QString &spoelenTot, const QString &hoofdwort)
{
    const double a = r.CoefficientA, b = r.CoefficientB, c = r.CoefficientC, d = r.CoefficientD;
    const double litres = double(r.VrijeHoofdwort) + double(r.SpoelwortVolume);
    // The litres are a 16-bit count; a curve without width has no shape.
    if (!(litres > -1 && litres < 32768) || d == 0 || !std::isfinite(d) || !std::isfinite(c))
        return std::nullopt;
    const double n = std::nearbyint(double(toSingle(litres)));  // halves to even
    if (!(n >= 0 && n <= 32767))
        return std::nullopt;

    Spoelcurve curve;
    curve.N = int(n);
    const int last = curve.N + 1;
    curve.data.redim(last, 2);
    const float g1 = SGToGL(r.HWSG);

    QString text;
    text.reserve(40 * (last + 12));
    const QLatin1String crlf("\r\n");
    text += QStringLiteral("Spoelen tot (plato) ") + oneLine(spoelenTot) + crlf;
    text += QStringLiteral("Hoofdwort (plato) ") + oneLine(hoofdwort) + crlf;
    text += crlf;
    for (int v = 0; v <= last; ++v) {
        const double runnings = (b / (1.0 + std::exp((double(v) - c) / d)) + a) * double(g1);
        if (!std::isfinite(runnings))
            return std::nullopt;
        const float g = toSingle(runnings);
        const float plato = GLToPlato(g);
        curve.data(v, 0) = v;
        curve.data(v, 1) = plato;
        text += u' ' + QString::number(v) + u' ' + format(g, u"####.00") + format(plato, u"##.0") + crlf;
        // A litre of runnings weighs its density (kg/m3) divided by 1000.
        if (v > 0)
            curve.data(v, 2) = curve.data(v - 1, 2) + double(GLToSG(g)) / 1000.0;
    }
    text += crlf;
    const float coefficients[] = {r.CoefficientA, r.CoefficientB, r.CoefficientC, r.CoefficientD};
    const char names[] = {'a', 'b', 'c', 'd'};
    for (int i = 0; i < 4; ++i)
        text += QStringLiteral("coefficient ") + QLatin1Char(names[i]) + QStringLiteral(" uit model: ")
                + num::signedText(coefficients[i]) + crlf;
    curve.scratch = cp1252::encode(text);

    PlotSettings &p = curve.settings;
    p.XTitel = QStringLiteral("Liters wort");
    p.YTitel = QStringLiteral("\u00B0 Plato");
    p.ZeroBased = true;
    p.ShowGrid = true;
    p.FirstRow = 0;
    p.LastRow = last;
    p.XColumn = 0;
    p.SeriesColumns = {1};
    p.SeriesStyles = {SeriesLine};
    p.XAxisMin = 0;
    p.XAxisMax = curve.N;
    p.YAxisMin = 0;
    p.YAxisMax = double(SGToPlato(r.HWSG)) + 1;
    return curve;
}

std::optional<Spoelcurve> CalculateSpoelcurve(Session &s, const QString &spoelenTot, const QString &hoofdwort)
{
    std::optional<Spoelcurve> curve = BerekenSpoelcurve(s.recipe, spoelenTot, hoofdwort);
    if (!curve)
        return curve;
    // Nothing reads the dump back: a folder it cannot be written to is no
    // reason to withhold the curve, but an older dump would no longer belong
    // to it.
    if (!writeWholeFile(SpoelcurveTekstBestand(), curve->scratch)) {
        curve->scratchWritten = false;
        QFile::remove(SpoelcurveTekstBestand());
    }
    if (s.app.dubbelBrouw) {
        if (const std::optional<float> volume = GeplandVolume(s.recipe)) {
            try {
                curve->omslag = UpdateOmslag(s, *volume);
            } catch (const CalcError &) {
                // No switch-over to show; what was shown stays.
            }
        }
    }
    return curve;
}

QString SpoelcurveTekstBestand() { return paths::file(QStringLiteral("temp/spoelcurve.txt")); }

QString SpoelcurvePlaatje(const RecipeState &r)
{
    return paths::spoelcurveFile(r.Algemeen.has(0) ? r.Algemeen(0) : QString());
}

SpoelControle ControleerSpoelen(std::optional<double> spoelenTot, std::optional<double> hoofdwort, float keptHWSG,
                                float coefficientA, float coefficientB)
{
    const double a = coefficientA, b = coefficientB;
    SpoelControle c;
    c.spoelenTotBad = !(spoelenTot && *spoelenTot >= MinSpoelenTot);
    const double p0 = SGToPlato(keptHWSG);
    c.hoofdwortBad = !(hoofdwort && 0.75 * p0 <= *hoofdwort && *hoofdwort <= 1.25 * p0);

    // Below the first wort, above the curve's floor, and a sparge volume the
    // model can solve; a zero divisor fails rather than passing as infinity.
    const bool solvable = [&] {
        if (!spoelenTot || !hoofdwort)
            return false;
        const double t = *spoelenTot, m = *hoofdwort;
        if (!(t < m))
            return false;
        try {
            if (!(toSingle(num::div(t, m)) > coefficientA))
                return false;
            const double glM = PlatoToGL(toSingle(m)), glT = PlatoToGL(toSingle(t));
            const float divisor = toSingle(glT - double(toSingle(a * glM)));
            const float r = toSingle(num::div(double(toSingle(b * glM)), double(divisor)));
            return toSingle(double(r) - 1.0) > 0;
        } catch (const CalcError &) {
            return false;
        }
    }();
    if (!solvable)
        c.spoelenTotBad = true;
    c.ok = !c.spoelenTotBad && !c.hoofdwortBad;
    return c;
}

SpoelControle ControleerSpoelen(const QString &spoelenTot, const QString &hoofdwort, float keptHWSG, float coefficientA,
                                float coefficientB)
{
    return ControleerSpoelen(num::leadingNumber(spoelenTot), num::leadingNumber(hoofdwort), keptHWSG, coefficientA,
                             coefficientB);
}

}  // namespace mostarium

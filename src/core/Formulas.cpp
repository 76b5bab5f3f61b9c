#include "Formulas.h"

#include "NumText.h"

#include <algorithm>
#include <cmath>

namespace mostarium {

using num::div;
using num::toSingle;

float SGToPlato(float sg) { return toSingle((double(sg) - 999.541) / 4.1168); }
float PlatoToSG(float plato) { return toSingle(double(plato) * 4.1168 + 999.541); }
float PlatoToGL(float plato) { return toSingle((double(plato) - 0.29328) / 0.091795); }
float GLToPlato(float gl) { return toSingle(double(gl) * 0.091795 + 0.29328); }
float SGToGL(float sg) { return toSingle((double(sg) - 1000.7484) / 0.3779); }
float GLToSG(float gl) { return toSingle(double(gl) * 0.3779 + 1000.7484); }
float LovibondToEBC(float lovibond) { return toSingle(double(lovibond) * 2.65 - 1.2); }
float EBCToLovibond(float ebc) { return toSingle((double(ebc) + 1.2) / 2.65); }

double HopUtilisatie(float sg, std::int16_t minutes)
{
    const double e = std::exp(-0.04 * double(minutes));
    const double x = (double(sg) - double(1000.0f)) / double(1000.0f);
    return num::finite(1.65 * std::pow(0.000125, x) * 100.0 * ((1.0 - e) / 4.15));
}

namespace {
// Whole hops first, so a form naming both counts as whole hops.
double formFactor(QString &form, float pelletFactor)
{
    // Every recalculation passes here per hop row; most forms are clean.
    const bool clean = form.isEmpty()
                       || (!form.front().isSpace() && !form.back().isSpace()
                           && std::none_of(form.cbegin(), form.cend(), [](QChar c) { return c.toLower() != c; }));
    if (!clean)
        form = form.trimmed().toLower();
    if (form.contains(QLatin1String("bloemen")))
        return 1.0;
    if (form.contains(QLatin1String("pellets")))
        return double(pelletFactor);
    return 0.0;
}
}  // namespace

float BerekenEBU(float grams, QString &form, float alpha, float litres)
{
    const double factor = formFactor(form, 1.1f);
    return toSingle(div(factor * double(grams) * double(alpha), double(litres) * double(10.0f)));
}

float BerekenHopGewicht(QString &form, float ebu, float litres, float alpha)
{
    const double factor = formFactor(form, 0.9f);
    return toSingle(div(double(ebu) * double(10.0f) * double(litres) * factor, double(alpha)));
}

double GeschatMaischVolume(float beslaan, float stortingMaisch, float volFilterPlaatBodem)
{
    const double g = stortingMaisch;
    return (double(beslaan) - 2.3) * g / 1000.0 + g * 0.0033 + double(volFilterPlaatBodem);
}

double GeschatteKooktijd(double wort, double volume, float evaporatie)
{
    return div((wort - volume) * 60.0, double(evaporatie));
}

}  // namespace mostarium

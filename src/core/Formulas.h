#pragma once

#include <QString>
#include <cstdint>

// Unit conversions and hop formulas. Expressions are evaluated in double and
// rounded once to the result type; a division by zero or an overflow throws
// CalcError to the caller.
namespace mostarium {

float SGToPlato(float sg);
float PlatoToSG(float plato);
float PlatoToGL(float plato);
float GLToPlato(float gl);
float SGToGL(float sg);
float GLToSG(float gl);
float LovibondToEBC(float lovibond);
float EBCToLovibond(float ebc);

// Tinseth utilisation in percent at gravity `sg` (kg/m3) after `minutes` of boil.
double HopUtilisatie(float sg, std::int16_t minutes);

// Both normalise `form` in place (trimmed, lower case): the stored hop form of
// a recipe row is cleaned by every recalculation.
float BerekenEBU(float grams, QString &form, float alpha, float litres);
float BerekenHopGewicht(QString &form, float ebu, float litres, float alpha);

// Estimated volume of the mash in the lauter tun, litres: the water above
// 2.3 L/kg, 3.3 mL per gram of grain and what stands under the false bottom.
double GeschatMaischVolume(float beslaan, float stortingMaisch, float volFilterPlaatBodem);

// Minutes of boil that bring `wort` litres down to `volume` litres at
// `evaporatie` litres per hour; CalcError when nothing evaporates.
double GeschatteKooktijd(double wort, double volume, float evaporatie);

}  // namespace mostarium

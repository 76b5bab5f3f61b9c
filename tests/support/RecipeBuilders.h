#pragma once

#include "core/Session.h"

#include <QStringList>

#include <initializer_list>
#include <utility>

// Small worked recipes for tests and benchmarks. Each sets the status bits of
// the parts it fills, the brew mode, and the installation of the default
// settings (kettle 200 L, 8 L under the false bottom of which 8 fixed, lauter
// tun 150 L, evaporation 25 L/h, no brewing loss).
namespace mostarium::test {

struct Grain {
    const char *name, *perc, *bzr, *ebc, *laat = "0";
};
struct Hop {
    const char *soort, *form, *alfa, *amount, *minutes, *gravity;  // amount: grams or % of bitterness
};
struct Rest {
    float temp, minutes;
};

// Targets of beer 1 (volume, alcohol, FG, EBU, CO2) and, when given, beer 2;
// beer 2 switches to double brew.
void setTargets(Session &s, std::initializer_list<float> beer1, std::initializer_list<float> beer2 = {});
void setGrainBill(Session &s, std::initializer_list<Grain> rows);
// Rests: the first is the mash-in step. Decoction values go into row 0.
void setMash(Session &s, float ratio, float ph, std::initializer_list<Rest> rests);
void setDecoction(Session &s, float decoctionTemp, float waterTemp, float minutes);
// Fills one hop list (seven columns, as the reader leaves them).
void setHops(Table2D<QString> &list, std::initializer_list<Hop> rows);
// Names of every slot of the display model and the sparge view whose text,
// tool tip or caption shows a NaN or an infinity; empty when all are clean.
QStringList nonFiniteTexts(Session &s);

// Measured volume, OG and FG of beer b (0 or 1), as typed.
void setMeasured(Session &s, int beer, const char *volume, const char *og, const char *fg);

// "Blond", 20 L, 5 %, FG 1012, 30 EBU, 5 g/L; pils 90 % and munich 10 %; mash
// 3 L/kg at pH 5.4 with four rests; one aroma row (20 g saaz, 15 min) and one
// bitter row (magnum pellets, 100 %, 60 min). Status 15.
Session singleBrew();
// The single brew mashed in by decoction (100 °C, water 35 °C, 20 min).
Session decoctionBrew();
// The single brew with candy sugar added to the boil (a late row).
Session lateGrainBrew();
// The single brew with a grain row of zero yield: the calculation fails.
Session failingBrew();
// "Tripel/Enkel": beer 1 20 L, 8 %, FG 1012, 35 EBU, 6 g/L; beer 2 15 L, 4 %,
// FG 1008, 20 EBU, 5 g/L; ten grain rows, seven rests, four aroma and four
// bitter rows per beer. Status 1 + 2 + 4 + 8 + 32.
Session doubleBrew();

}  // namespace mostarium::test

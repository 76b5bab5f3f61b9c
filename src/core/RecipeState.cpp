#include "RecipeState.h"

#include "NumText.h"

namespace mostarium {

namespace {
// The two empty shapes differ only in the grain bill's columns and the
// evaluation's beers.
void emptyShapes(RecipeState &r, int stortingCols, int evaluatieBeers)
{
    r.Algemeen.redim(7);
    r.Doelstellingen.redim(0);
    r.Maischschema.redim(0, 4);
    r.Storting.redim(0, stortingCols);
    r.Aromahop.redim(0, 6);
    r.Bitterhop.redim(0, 6);
    r.Aromahop2.redim(0, 6);
    r.Bitterhop2.redim(0, 6);
    r.Evaluatie.redim(2, evaluatieBeers);
    r.Gistkeuze.redim(10);
    r.Toevoegingen.redim(10);
}
}  // namespace

void RecipeState::startUpShapes() { emptyShapes(*this, 4, 2); }

void RecipeState::resetShapes() { emptyShapes(*this, 5, 1); }

void RecipeState::setStatus(int bit)
{
    if ((ReceptStatus & bit) == 0)
        ReceptStatus = num::toInt16(double(ReceptStatus) + bit);
}

void RecipeState::clearStatus(int bit)
{
    if ((ReceptStatus & bit) != 0)
        ReceptStatus = num::toInt16(double(ReceptStatus) - bit);
}

namespace firstBeerValues {

namespace {

float target(const RecipeState &r, TargetField t, BeerIndex beer)
{
    const int i = targetIndex(t, beer);
    return r.Doelstellingen.has(i) ? r.Doelstellingen(i) : 0.0f;
}

QString measured(const RecipeState &r, MeasuredRow row, BeerIndex beer)
{
    return r.Evaluatie.has(row, beer) ? r.Evaluatie(row, beer) : QString();
}

}  // namespace

int fileBits(const RecipeState &r)
{
    int bits = 0;
    for (int i = TargetVolume; i <= TargetKoolzuur && r.Doelstellingen.has(TargetKoolzuur); ++i)
        if (r.Doelstellingen(i) != 0)
            bits |= StatusDoelstellingen;
    for (const MeasuredRow row : {MeasuredVolume, MeasuredOG, MeasuredFG})
        if (!measured(r, row, FirstBeer).trimmed().isEmpty())
            bits |= StatusEvaluatie;
    return bits;
}

void clearWithoutSecondBeer(RecipeState &r, int bits)
{
    if ((bits & StatusDoelstellingen) && r.hasStatus(StatusDoelstellingen) && target(r, TargetVolume, SecondBeer) == 0)
        r.clearStatus(StatusDoelstellingen);
    if ((bits & StatusEvaluatie) && r.hasStatus(StatusEvaluatie)
        && num::val(measured(r, MeasuredVolume, SecondBeer)) == 0)
        r.clearStatus(StatusEvaluatie);
}

void setWithFirstBeer(RecipeState &r, int bits)
{
    // An enlarged but empty target array is no set of targets.
    if ((bits & StatusDoelstellingen) && !r.hasStatus(StatusDoelstellingen) && r.Doelstellingen.ubound() >= 2
        && r.Doelstellingen(TargetVolume) > 0)
        r.setStatus(StatusDoelstellingen);
    if ((bits & StatusEvaluatie) && !r.hasStatus(StatusEvaluatie)
        && num::val(measured(r, MeasuredVolume, FirstBeer)) != 0)
        r.setStatus(StatusEvaluatie);
}

}  // namespace firstBeerValues

}  // namespace mostarium

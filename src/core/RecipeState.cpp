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

}  // namespace mostarium

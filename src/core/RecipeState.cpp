#include "RecipeState.h"

#include "NumText.h"

namespace mostarium {

void RecipeState::startUpShapes()
{
    Algemeen.redim(7);
    Doelstellingen.redim(0);
    Maischschema.redim(0, 4);
    Storting.redim(0, 4);
    Aromahop.redim(0, 6);
    Bitterhop.redim(0, 6);
    Aromahop2.redim(0, 6);
    Bitterhop2.redim(0, 6);
    Evaluatie.redim(2, 2);
    Gistkeuze.redim(10);
    Toevoegingen.redim(10);
}

void RecipeState::resetShapes()
{
    Algemeen.redim(7);
    Doelstellingen.redim(0);
    Maischschema.redim(0, 4);
    Storting.redim(0, 5);
    Aromahop.redim(0, 6);
    Bitterhop.redim(0, 6);
    Aromahop2.redim(0, 6);
    Bitterhop2.redim(0, 6);
    Evaluatie.redim(2, 1);
    Gistkeuze.redim(10);
    Toevoegingen.redim(10);
}

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

} // namespace mostarium

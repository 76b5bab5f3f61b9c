#include "SysParamCompare.h"

#include "CalcError.h"
#include "NumText.h"
#include "RecipeState.h"

namespace mostarium {

namespace {
float &recipeMember(RecipeState &r, int i)
{
    switch (i) {
    case 0:
        return r.ReceptKetelInhoud;
    case 1:
        return r.ReceptFixedVolFilterPlaatBodem;
    case 2:
        return r.ReceptVolFilterPlaatBodem;
    case 3:
        return r.ReceptEvaporatie;
    case 4:
        return r.ReceptFilterKuipInhoud;
    default:
        return r.ReceptBrouwVerlies;
    }
}

float recipeValue(const RecipeState &r, int i) { return recipeMember(const_cast<RecipeState &>(r), i); }

float installationValue(const RecipeState &r, int i)
{
    switch (i) {
    case 0:
        return float(r.KetelInhoud);
    case 1:
        return r.FixedVolFilterPlaatBodem;
    case 2:
        return r.VolFilterPlaatBodem;
    case 3:
        return r.Evaporatie;
    case 4:
        return r.FilterKuipInhoud;
    default:
        return r.BrouwVerlies;
    }
}

QString installationText(const RecipeState &r, int i)
{
    return i == 0 ? QString::number(r.KetelInhoud) : num::plain(installationValue(r, i));
}
}  // namespace

bool ReadReceptSysteemParameters(RecipeState &r, const SysParamLookup &lookup)
{
    for (int i = 0; i < int(SysteemParameterKeys.size()); ++i) {
        const QString key = QString::fromLatin1(SysteemParameterKeys[std::size_t(i)]);
        try {
            recipeMember(r, i) = num::strictSingle(lookup(key, installationText(r, i)));
        } catch (const CalcError &) {
            return false;
        }
    }
    return SysteemParametersVerschillen(r);
}

bool SysteemParametersVerschillen(const RecipeState &r)
{
    for (int i = 0; i < int(SysteemParameterKeys.size()); ++i)
        if (recipeValue(r, i) != installationValue(r, i))
            return true;
    return false;
}

bool NeemReceptSysteemParametersOver(RecipeState &r)
{
    std::int16_t ketel = 0;
    try {
        ketel = num::toInt16(r.ReceptKetelInhoud);
    } catch (const CalcError &) {
        return false;
    }
    r.KetelInhoud = ketel;
    r.FilterKuipInhoud = r.ReceptFilterKuipInhoud;
    r.VolFilterPlaatBodem = r.ReceptVolFilterPlaatBodem;
    r.FixedVolFilterPlaatBodem = r.ReceptFixedVolFilterPlaatBodem;
    r.Evaporatie = r.ReceptEvaporatie;
    r.BrouwVerlies = r.ReceptBrouwVerlies;
    return true;
}

}  // namespace mostarium

#pragma once

#include <QString>
#include <array>
#include <functional>

namespace mostarium {

struct RecipeState;

// The six equipment values a recipe file carries, in the order they are read
// and compared.
inline constexpr std::array<const char *, 6> SysteemParameterKeys = {
    "KetelInhoud", "FixedVolFilterPlaatBodem", "VolFilterPlaatBodem", "Evaporatie", "FilterKuipInhoud", "BrouwVerlies"};

// Fetches a key of [SysteemParameters] with the given default.
using SysParamLookup = std::function<QString(const QString &key, const QString &defaultValue)>;

// Reads the recipe's six values into the Recept* members, each defaulting to
// the installation's value, and tells whether any differs from the
// installation's. A stored value that is not a number ends the reading at that
// key: the members read so far keep their new values, and the answer is false.
bool ReadReceptSysteemParameters(RecipeState &r, const SysParamLookup &lookup);

// True when one of the six recipe members differs from the installation's.
bool SysteemParametersVerschillen(const RecipeState &r);

// Takes the recipe's values as the installation's until the program ends.
// False, and nothing taken, when the kettle capacity does not fit a whole
// number of litres the program can hold.
bool NeemReceptSysteemParametersOver(RecipeState &r);

}  // namespace mostarium

#pragma once

#include <QString>

namespace mostarium {

struct Session;

// The message of a failed evaluation step; the evaluation goes on after it.
extern const QString EvalueerFoutmelding;

// The evaluation panels: the planned values of each beer and, once measured
// values exist, alcohol, brewhouse yield, attenuation, bitterness and colour
// as brewed (EvAlc .. EvEBC2). Doelstellingen(1) is expected to hold the
// volume including the brewing loss. Each failing step shows
// EvalueerFoutmelding and the run goes on with the next one; false when any
// step failed.
bool Evalueer(Session &s);

}  // namespace mostarium

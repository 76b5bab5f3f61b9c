#pragma once

#include <QStringList>

namespace mostarium {

struct Session;

// The recipe dialogs that show a part of the open recipe; a reset closes every
// one of them without storing anything.
const QStringList &receptDialogen();

// Empties the recipe: the wizard ends, every recipe dialog closes, and the
// recipe state and the schedule go back to their empty look.
void ResetRecept(Session &s);

} // namespace mostarium

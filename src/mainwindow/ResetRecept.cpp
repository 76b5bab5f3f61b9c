#include "ResetRecept.h"

#include "core/RecipeReset.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"

namespace mostarium {

void ResetRecept(Session &s)
{
    s.app.wizardActief = false;
    windows().unloadAll(receptDialogen());
    ResetReceptState(s);
}

}  // namespace mostarium

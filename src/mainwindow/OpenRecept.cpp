#include "OpenRecept.h"

#include "ResetRecept.h"
#include "frmSysteemParametersAanpassen.h"

#include "core/RecipeFile.h"
#include "core/ScheduleDisplay.h"
#include "core/Services.h"
#include "core/Session.h"

namespace mostarium {

bool OpenRecept(Session &s, const QString &path, const std::function<void()> &pasGUIAanBrouwType)
{
    OpenResult r;
    {
        BusyCursor busy;
        ResetRecept(s);
        r = readRecipeFile(s, path);
    }
    if (!r.ok) {
        services().msgBox(r.error, mb::OKOnly + mb::Exclamation, AppTitle);
        return false;
    }
    s.app.fileName = path;
    if (r.brouwGelezen && pasGUIAanBrouwType)
        pasGUIAanBrouwType();
    if (r.systeemParametersVerschillen)
        ShowSysteemParametersAanpassen(s);
    if (s.recipe.ReceptStatus > 0)
        ShowBrouwschema(s);
    return true;
}

}  // namespace mostarium

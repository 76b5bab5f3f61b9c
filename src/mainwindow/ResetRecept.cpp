#include "ResetRecept.h"

#include "core/RecipeReset.h"
#include "core/Session.h"
#include "platform/WindowRegistry.h"

namespace mostarium {

const QStringList &receptDialogen()
{
    static const QStringList names = {
        QStringLiteral("frmStorting"),     QStringLiteral("frmDoelstellingen"), QStringLiteral("frmHopgift"),
        QStringLiteral("frmHopgift2"),     QStringLiteral("frmMaischSchema"),   QStringLiteral("frmAlgemeen"),
        QStringLiteral("frmSpoelen"),      QStringLiteral("frmToevoegingen"),   QStringLiteral("frmGistKeuze"),
        QStringLiteral("frmEvaluatie"),    QStringLiteral("frmAantekeningen"),  QStringLiteral("frmKenmerken")};
    return names;
}

void ResetRecept(Session &s)
{
    s.app.wizardActief = false;
    windows().unloadAll(receptDialogen());
    ResetReceptState(s);
}

} // namespace mostarium

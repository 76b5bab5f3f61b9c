#include "Wiring.h"

#include "FileCommands.h"
#include "OpenRecept.h"
#include "frmRecept.h"

#include "reference/ReceptSuggestie.h"

#include "core/LinkFiles.h"
#include "output/ShoppingList.h"
#include "online/OnlineCommands.h"
#include "core/Optimisers.h"
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Services.h"
#include "core/Session.h"

#include <QAction>
#include <QProgressBar>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace mostarium {

void mnuOpenMostariumOnline_Click()
{
    try {
        if (!OpenSiteLink(QStringLiteral("MostariumOnline.url"), onlineSiteAddress()))
            throw std::runtime_error("link file not written");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "mnuOpenMostariumOnline_Click: %s\n", e.what());
        services().msgBox(QStringLiteral("Error in mnuOpenMostariumOnline_Click"), mb::OKOnly);
    }
}

// A style's suggested recipe, opened from the style database's scratch file:
// afterwards it is a new recipe that was never saved, so that Save asks where
// and no later suggestion writes over the brewer's work.
static void openSuggestionAsNew(frmRecept &w, Session &s, const QString &path, const QString &style)
{
    const bool ok = OpenRecept(s, path, [&w] { w.PasGUIAanBrouwType(); });
    UpdateBrouwschema(s);
    if (ok) {
        s.app.fileName.clear();
        s.app.fileSeen = {};
        s.recipe.ReceptAttr = 0;
        s.recipe.ReceptNaam = paths::safeFileName(style);
    }
    s.view.panels[7].text.clear();
    s.viewChanged();
    w.refreshView();
}

void wireCommands(frmRecept &w, Session &s)
{
    FileCommands *f = &fileCommands(w, s);
    w.setCommand(QStringLiteral("mnuNieuw"), [f] { f->mnuNieuw_Click(); });
    w.setCommand(QStringLiteral("mnuOpen"), [f] { f->mnuOpen_Click(); });
    w.setCommand(QStringLiteral("mnuOpslaan"), [f] { f->mnuOpslaan_Click(); });
    w.setCommand(QStringLiteral("mnuOpslaanAls"), [f] { f->mnuOpslaanAls_Click(); });
    w.setCommand(QStringLiteral("mnuReadOnly"), [f] { f->mnuReadOnly_Click(); });
    w.setCommand(QStringLiteral("mnuImportXML"), [f] { f->mnuImportXML_Click(); });
    w.setCommand(QStringLiteral("mnuAfsluiten"), [f] { f->mnuAfsluiten_Click(); });
    for (int n = 1; n <= 4; ++n)
        w.setCommand(QStringLiteral("mnu%1").arg(n), [f, n] { f->OpenFileHistoryEntry(n); });

    Session *ps = &s;
    w.setCommand(QStringLiteral("mnuMaximumVolume"), [ps] { mnuMaximumVolume_Click(*ps, optiMaischer()); });
    w.setCommand(QStringLiteral("mnuWaterBeslagRatio"), [ps] { mnuWaterBeslagRatio_Click(*ps, optiMaischer()); });
    w.setCommand(QStringLiteral("mnuWaterSpoelenTot"), [ps] { mnuWaterSpoelenTot_Click(*ps, optiMaischer()); });
    w.setCommand(QStringLiteral("mnuMaximumVolumePlusWater"),
                 [ps] { mnuMaximumVolumePlusWater_Click(*ps, optiMaischer()); });
    w.setCommand(QStringLiteral("mnuWaterBeslagRatioPlusDoelstelling"),
                 [ps] { mnuWaterBeslagRatioPlusDoelstelling_Click(*ps, optiMaischer()); });
    w.setCommand(QStringLiteral("mnuShoppingList"), [ps] { mnuShoppingList_Click(*ps); });
    w.setCommand(QStringLiteral("mnuOpenMostariumOnline"), [] { mnuOpenMostariumOnline_Click(); });

    frmRecept *pw = &w;
    setReceptSuggestieSteps(
        {[f] { return f->VraagOpslaan(); },
         [pw, ps](const QString &path, const QString &style) { openSuggestionAsNew(*pw, *ps, path, style); }});
    wireOnlineCommands(w);
}

OnlineCommands *wireOnlineCommands(frmRecept &w)
{
    auto *online = new OnlineCommands(&w);
    QProgressBar *bar = w.pgbDownload();
    // The bar counts in thousandths: an int bar cannot hold 64-bit sizes.
    QObject::connect(online, &OnlineCommands::barVisible, bar, [bar](bool visible) {
        bar->setRange(0, 1000);
        bar->setValue(0);
        bar->setVisible(visible);
    });
    QObject::connect(online, &OnlineCommands::barMoved, bar, &QProgressBar::setValue);
    const QStringList names{QStringLiteral("mnuCheckForUpdates"), QStringLiteral("mnuDownloadRecipes")};
    QObject::connect(online, &OnlineCommands::runningChanged, &w, [&w, names](bool running) {
        for (const QString &n : names)
            if (QAction *a = w.action(n))
                a->setEnabled(!running);
    });
    QObject::connect(&w, &frmRecept::closing, online, &OnlineCommands::stop);
    w.setCommand(names.at(0), [online] { online->CheckForUpDates(); });
    w.setCommand(names.at(1), [online] { online->DownLoadPublicRecipesMostariumOnline(); });
    return online;
}

}  // namespace mostarium

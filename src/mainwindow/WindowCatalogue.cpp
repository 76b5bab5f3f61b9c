#include "WindowCatalogue.h"

#include "frmAchtergrond.h"
#include "frmInfo.h"
#include "frmRegistreer.h"
#include "frmSysParameters.h"
#include "frmTip.h"

#include "calculators/frmContinueHoppen.h"
#include "calculators/frmEindbeStemming.h"
#include "calculators/frmHopOpslag.h"
#include "calculators/frmHopPartition.h"
#include "calculators/frmSuikerConv.h"
#include "calculators/frmSuikerSiroop.h"
#include "calculators/frmWaterAanpassing.h"
#include "editors/frmAlgemeen.h"
#include "editors/frmDoelstellingen.h"
#include "editors/frmHopgift.h"
#include "editors/frmSpoelen.h"
#include "editors/frmMaischSchema.h"
#include "editors/frmStorting.h"
#include "editors/EntryListDialog.h"
#include "editors/frmAantekeningen.h"
#include "editors/frmEvaluatie.h"
#include "editors/frmKenmerken.h"

#include "output/frmAfdrukken.h"
#include "output/frmKeuringsformulier.h"
#include "output/frmReport.h"

#include "reference/frmArtikelen.h"
#include "reference/frmBierIndeling.h"
#include "reference/frmBierSoorten.h"
#include "reference/frmBiertypen1.h"
#include "reference/ReferenceCards.h"
#include "reference/frmLinksEnLiteratuur.h"

#include "core/RecipeState.h"
#include "core/Services.h"
#include "core/Session.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"

#include <QGroupBox>
#include <QWidget>

namespace mostarium {

namespace {

template <typename W>
WindowFactory make()
{
    return [](Session &s, Services &svc) -> QWidget * { return new W(s, svc); };
}

void refuse(const QString &message) { services().msgBox(message, mb::Exclamation, QStringLiteral("Attentie!")); }

void setFrameCaption(QWidget *window, const char *frame, const QString &caption)
{
    if (auto *f = window->findChild<QGroupBox *>(QLatin1String(frame)))
        f->setTitle(caption);
}

bool afdrukkenGuard(Session &s)
{
    if (s.recipe.ReceptStatus < 1) {
        refuse(QStringLiteral("Niets af te drukken of op te slaan!"));
        return false;
    }
    return true;
}

bool evaluatieGuard(Session &s)
{
    // A whole-number test: any part but the targets alone is enough.
    if (s.recipe.ReceptStatus < 2) {
        refuse(QStringLiteral("Niets te evalueren!"));
        return false;
    }
    return true;
}

bool correctieGuard(Session &s)
{
    if (!s.recipe.hasStatus(StatusDoelstellingen)) {
        refuse(QStringLiteral("Eindbestemming niet te bepalen!"));
        return false;
    }
    return true;
}

void correctiePrepare(QWidget *w, const Session &s)
{
    const bool dubbel = s.app.dubbelBrouw;
    if (auto *d = qobject_cast<frmEindbeStemming *>(w))
        d->setDubbelBrouw(dubbel);
    w->resize(layout::px(dubbel ? 7320 : 3735), w->height());
    setFrameCaption(w, "fraESDoelstelling",
                    dubbel ? QStringLiteral(" Doelstellingen dikbier ") : QStringLiteral(" Doelstellingen bier "));
    setFrameCaption(w, "fraESBestemming",
                    dubbel ? QStringLiteral(" Bestemming dikbier ") : QStringLiteral(" Bestemming bier "));
}

void doelPrepare(QWidget *w, const Session &s)
{
    const bool dubbel = s.app.dubbelBrouw;
    w->resize(layout::px(dubbel ? 11000 : 5600), w->height());
    setFrameCaption(w, "fraDoel1",
                    dubbel ? QStringLiteral(" Doelstellingen te maken dikbier ")
                           : QStringLiteral(" Doelstellingen te maken bier "));
}

void hopgiftPrepare(QWidget *w, const Session &s)
{
    if (!s.app.dubbelBrouw)
        return;
    // The word stands once, however often the command is given.
    for (const char *name : {"fraAromaHop", "fraBitterHop"}) {
        auto *f = w->findChild<QGroupBox *>(QLatin1String(name));
        if (f && !f->title().endsWith(QLatin1String("dikbier ")))
            f->setTitle(f->title() + QStringLiteral("dikbier "));
    }
}

std::vector<WindowRow> makeCatalogue()
{
    const bool recipe = true, other = false;
    return {
        // Recipe dialogs.
        {"frmAlgemeen", "mnuAlgemeen", recipe, make<frmAlgemeen>()},
        {"frmDoelstellingen", "mnuDoel", recipe, make<frmDoelstellingen>(), nullptr, doelPrepare},
        {"frmStorting", "mnuStorting", recipe, make<frmStorting>()},
        {"frmMaischSchema", "mnuMaisSchema", recipe, make<frmMaischSchema>()},
        {"frmSpoelen", "mnuSpoelen", recipe, make<frmSpoelen>()},
        {"frmHopgift", "mnuHopgift", recipe, make<frmHopgift>(), nullptr, hopgiftPrepare},
        {"frmHopgift2", "", recipe, make<frmHopgift2>()},
        {"frmToevoegingen", "mnuToeVoegingen", recipe, make<frmToevoegingen>()},
        {"frmGistKeuze", "mnuGistKeuze", recipe, make<frmGistKeuze>()},
        {"frmEvaluatie", "mnuEvaluatie", recipe, make<frmEvaluatie>(), evaluatieGuard},
        {"frmKenmerken", "mnuKenmerken", recipe, make<frmKenmerken>()},
        {"frmAantekeningen", "mnuAantekeningen", recipe, make<frmAantekeningen>()},
        // Output.
        {"frmAfdrukken", "mnuAfdrukken", other, make<frmAfdrukken>(), afdrukkenGuard},
        {"frmReport", "", other, make<frmReport>()},
        {"frmKeuringsformulier", "mnuKeurFormulier", other, make<frmKeuringsformulier>()},
        // Calculators.
        {"frmEindbeStemming", "mnuCorrectie", other, make<frmEindbeStemming>(), correctieGuard, correctiePrepare},
        {"frmHopOpslag", "mnuCalculator", other, make<frmHopOpslag>()},
        {"frmHopPartition", "mnuHopPartitionMagic", other, make<frmHopPartition>()},
        {"frmContinueHoppen", "mnuContinueHoppen", other, make<frmContinueHoppen>()},
        {"frmSuikerConv", "mnuConversie", other, make<frmSuikerConv>()},
        {"frmSuikerSiroop", "mnuAfvullen", other, make<frmSuikerSiroop>()},
        {"frmWaterAanpassing", "mnuWateraanpassing", other, make<frmWaterAanpassing>()},
        // Reference library.
        {"frmBiertypen1", "mnuReceptSuggestie", other, make<frmBiertypen1>()},
        {"frmEenheden", "mnuEenheden", other, make<frmEenheden>()},
        {"frmBierSoorten", "mnuEditBierSoorten", other, &frmBierSoorten::open},
        {"frmEBCSchatting", "mnuEBCSchatting", other, make<frmEBCSchatting>()},
        {"frmEBURef", "mnuEBURef", other, make<frmEBURef>()},
        {"frmCO2Ref", "mnuCO2Ref", other, make<frmCO2Ref>()},
        {"frmBierIndeling", "mnuBierIndeling", other, make<frmBierIndeling>()},
        {"frmLinksEnLiteratuur", "mnuHelpLinks", other, make<frmLinksEnLiteratuur>()},
        {"frmArtikelen", "", other, make<frmArtikelen>()},
        {"frmSearch", "", other, make<frmSearch>()},
        // Settings, tips, notice and about.
        {"frmSysParameters", "mnuSysParameters", other, make<frmSysParameters>()},
        {"frmTip", "mnuTips", other, make<frmTip>()},
        {"frmRegistreer", "mnuRegistreer", other, make<frmRegistreer>()},
        {"frmInfo", "mnuInfo", other, make<frmInfo>()},
        {"frmAchtergrond", "", other, make<frmAchtergrond>()},
    };
}

}  // namespace

const std::vector<WindowRow> &windowCatalogue()
{
    static const std::vector<WindowRow> rows = makeCatalogue();
    return rows;
}

const WindowRow *catalogueRow(const QString &window)
{
    for (const WindowRow &r : windowCatalogue())
        if (r.window == window)
            return &r;
    return nullptr;
}

const WindowRow *catalogueRowOfCommand(const QString &command)
{
    if (command.isEmpty())
        return nullptr;
    for (const WindowRow &r : windowCatalogue())
        if (r.command == command)
            return &r;
    return nullptr;
}

QStringList receptDialogen()
{
    QStringList names;
    for (const WindowRow &r : windowCatalogue())
        if (r.recipeDialog)
            names << r.window;
    return names;
}

std::function<QWidget *()> boundFactory(const WindowRow &row, Session &s)
{
    if (!row.factory)
        return {};
    Session *ps = &s;
    WindowFactory f = row.factory;
    return [ps, f] { return f(*ps, services()); };
}

bool registerWindow(const QString &window, Session &s)
{
    const WindowRow *r = catalogueRow(window);
    if (!r || !r->factory)
        return false;
    windows().registerFactory(window, boundFactory(*r, s));
    return true;
}

void registerWindows(Session &s)
{
    for (const WindowRow &r : windowCatalogue())
        registerWindow(r.window, s);
}

}  // namespace mostarium

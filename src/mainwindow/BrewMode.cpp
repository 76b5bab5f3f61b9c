#include "BrewMode.h"

#include "platform/WindowRoutines.h"

#include "Layout.h"
#include "core/Paths.h"
#include "core/Recalc.h"
#include "core/Services.h"
#include "core/Session.h"

#include <algorithm>

namespace mostarium {

namespace {

QString cell(const Table2D<QString> &t, int r, int c) { return t.has(r, c) ? t(r, c) : QString(); }

// A hop list holds rows when any row has something entered; the computed
// grams of a bitter row do not count.
bool holdsRows(const Table2D<QString> &t)
{
    for (int i = 0; i <= t.rowUbound(); ++i)
        for (int c = HopSoort; c <= HopGravity; ++c)
            if (!cell(t, i, c).trimmed().isEmpty())
                return true;
    return false;
}

void ploc(Session &s) { PlayClick(s, services()); }

}  // namespace

void ApplyBrouwTypeToView(Session &s)
{
    const layout::BrouwTypeLayout l = layout::brouwTypeLayout(s.app.dubbelBrouw);
    DisplayModel &v = s.view;
    v.panels[0].text = l.panel1;
    v.fraBSAHop.caption = l.aromaHopCaption;
    v.fraBSBHop.caption = l.bitterHopCaption;
    v.fraEvalDS.caption = l.evalDSCaption;
    v.fraEvalEv.caption = l.evalEvCaption;
    const bool targets = s.recipe.hasStatus(StatusDoelstellingen);
    if (s.app.dubbelBrouw) {
        v.fraEvalDS2.caption = l.evalDS2Caption;
        v.fraEvalEv2.caption = l.evalEv2Caption;
        if (targets)
            v.fraEvalDS2.visible = true;
    } else {
        v.fraEvalDS2.visible = false;
        v.fraEvalEv2.visible = false;
        if (targets)
            v.fraEvalDS.visible = true;
    }
    s.viewChanged();
}

void SwitchBrouwType(Session &s, const std::function<void()> &pasGUIAanBrouwType)
{
    RecipeState &r = s.recipe;
    s.app.dubbelBrouw = !s.app.dubbelBrouw;
    r.ReceptGewijzigd = true;

    // The measured-value bit follows the beer the new mode evaluates.
    if (s.app.dubbelBrouw) {
        r.Evaluatie.redimPreserve(2, 1);
        firstBeerValues::clearWithoutSecondBeer(r, StatusEvaluatie);
    } else {
        firstBeerValues::setWithFirstBeer(r, StatusEvaluatie);
    }

    if (pasGUIAanBrouwType)
        pasGUIAanBrouwType();

    // A hop bit is never cleared while its lists hold rows: the writer leaves
    // out the lists of a clear bit, and a switch must not lose them.
    if (s.app.dubbelBrouw) {
        ploc(s);
        ploc(s);
        s.view.panels[0].text = QStringLiteral("DB");
        r.Evaluatie.redimPreserve(2, 1);
        r.Doelstellingen.redimPreserve(std::max(10, r.Doelstellingen.ubound()));
        firstBeerValues::clearWithoutSecondBeer(r, StatusDoelstellingen);
        if (r.Bitterhop2.rowUbound() == 0 && r.Aromahop2.rowUbound() == 0 && r.hasStatus(StatusHopgift)
            && !holdsRows(r.Aromahop) && !holdsRows(r.Bitterhop))
            r.clearStatus(StatusHopgift);
    } else {
        ploc(s);
        s.view.panels[0].text = QStringLiteral("EB");
        // A recipe of targets alone has no other bit left after the switch to
        // double brew, and still gets its targets back.
        firstBeerValues::setWithFirstBeer(r, StatusDoelstellingen);
        if (!cell(r.Aromahop, 0, 2).isEmpty() && !cell(r.Bitterhop, 0, 2).isEmpty() && !r.hasStatus(StatusHopgift))
            r.setStatus(StatusHopgift);
        if (r.hasStatus(StatusHopgift2) && !holdsRows(r.Aromahop2) && !holdsRows(r.Bitterhop2))
            r.clearStatus(StatusHopgift2);
    }

    // Once, after every bit is settled, also when none changed: what the
    // schedule shows (caption, grain of both beers, the OG lines) must belong
    // to the mode now shown.
    UpdateBrouwschema(s);
    s.viewChanged();
}

}  // namespace mostarium

#include "RecipeReset.h"

#include "ScheduleDisplay.h"
#include "Session.h"

namespace mostarium {

namespace {
// Back to the schedule colour, which is the window's own.
template <std::size_t N>
void plainLabels(std::array<LabelSlot, N> &labels, bool clearTip)
{
    for (LabelSlot &l : labels) {
        l.back.reset();
        if (clearTip)
            l.toolTip.clear();
    }
}
}  // namespace

void ResetReceptState(Session &s)
{
    RecipeState &r = s.recipe;
    DisplayModel &v = s.view;

    s.app.wizardActief = false;  // a running wizard ends
    r.ReceptStatus = 0;
    r.ReceptGewijzigd = false;
    r.ViaDecoctie = false;
    r.SpoelenTot = 3.0f;

    // A new or opened recipe starts clean: no notes, styles or tasting words
    // of the previous one.
    r.Aantekening.clear();
    r.InRecept = 0;
    r.Biersoort1.clear();
    r.Biersoort2.clear();
    for (QString &k : r.Kenmerken)
        k.clear();

    v.fraBrouwSchema.caption = QStringLiteral(" Brouwschema ");
    v.fraEvaluatie.caption = QStringLiteral(" Evaluatie ");
    v.fraBSIngrdienten.caption = QStringLiteral(" Ingredienten storting ");

    v.fraEvalDS.visible = false;
    v.fraEvalDS2.visible = false;
    v.fraEvalEv.visible = false;
    v.fraEvalEv2.visible = false;
    v.fraBrouwSchema.visible = false;
    v.fraEvaluatie.visible = false;

    r.ReceptNaam.clear();

    plainLabels(v.lbl_StIngred, true);
    plainLabels(v.lbl_MS, true);
    for (LabelSlot *l : {&v.lblMDecoctieStap, &v.lbl_L_inmaischen, &v.lbl_pH_Maisch, &v.lbl_vol_maisch,
                         &v.lbl_SG_Hoofdwort, &v.lbl_Plato_Hoofdwort, &v.lbl_SpoelenTot, &v.lbl_L_spoelwater,
                         &v.lbl_L_WortnaSpoelen, &v.lbl_VerwachtSGNaSpoelen, &v.lbl_verwachtOG, &v.lbl_VerwachtOG2,
                         &v.lbl_SGOvergang, &v.lbl_VolOvergang, &v.lbl_VerwachteKooktijd})
        l->back.reset();
    plainLabels(v.lbl_Ahop, true);
    plainLabels(v.lbl_Bhop, true);
    plainLabels(v.lbl_Ahop2, true);
    plainLabels(v.lbl_Bhop2, true);
    plainLabels(v.lbl_EvDS, true);
    plainLabels(v.lbl_EvDS2, true);
    for (LabelSlot *l : {&v.lbl_Eval_vol, &v.lbl_Eval_FGOG, &v.lbl_Eval_BZR, &v.lbl_Eval_EBU, &v.lbl_Eval_EBC,
                         &v.lbl_Eval2_vol, &v.lbl_Eval2_FGOG, &v.lbl_Eval2_BZR, &v.lbl_Eval2_EBU, &v.lbl_Eval2_EBC})
        l->back.reset();

    r.OGSG = r.OGSG2 = r.OGGL = 0;
    r.TotaleStorting = r.StortingMaisch = r.BZRMaisch = r.BeslaanVolume = 0;
    r.HWSG = r.HoofdwortVolume = r.VrijeHoofdwort = r.SpoelwortVolume = r.Spoelwater = 0;
    r.AromaEBU = r.KleurEBC = 0;
    r.EvAlc = r.EvAlc2 = r.EvBZR = r.EvBZR2 = r.EvSVG = r.EvSVG2 = 0;
    r.EvEBU = r.EvEBU2 = r.EvEBC = r.EvEBC2 = 0;

    r.resetShapes();

    s.recipeChanged();
    s.viewChanged();
    UpdateStatusBar(s);
    WisBrouwschema(s);
}

}  // namespace mostarium

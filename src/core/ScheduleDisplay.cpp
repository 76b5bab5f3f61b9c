#include "ScheduleDisplay.h"

#include "Paths.h"
#include "Session.h"

#include <QFile>

namespace mostarium {

namespace {
// The scratch file of tasting words; its path is made again only when the
// program folder changes (it is asked for at every recalculation).
const QString &scratchFile()
{
    static QString folder, path;
    const QString current = paths::programFolder();
    if (current != folder || path.isEmpty()) {
        folder = current;
        path = paths::file(QStringLiteral("temp/Kenmerken.ini"));
    }
    return path;
}
}  // namespace

void WisBrouwschema(Session &s)
{
    DisplayModel &v = s.view;
    for (LabelSlot &l : v.lbl_StIngred)
        blankText(l.text);
    for (LabelSlot &l : v.lbl_MS)
        blankText(l.text);
    for (LabelSlot *l :
         {&v.lbl_L_inmaischen, &v.lbl_L_spoelwater, &v.lbl_L_WortnaSpoelen, &v.lbl_pH_Maisch, &v.lbl_vol_maisch,
          &v.lbl_SG_Hoofdwort, &v.lbl_Plato_Hoofdwort, &v.lbl_SpoelenTot, &v.lbl_verwachtOG, &v.lbl_VerwachtOG2,
          &v.lbl_SGOvergang, &v.lbl_VolOvergang, &v.lbl_VerwachteKooktijd,
          // These two are otherwise only set by a recalculation that
          // gets that far, and would keep an earlier recipe's text.
          &v.lblMDecoctieStap, &v.lbl_VerwachtSGNaSpoelen})
        blankText(l->text);
    for (auto *arr : {&v.lbl_Ahop, &v.lbl_Ahop2, &v.lbl_Bhop, &v.lbl_Bhop2})
        for (LabelSlot &l : *arr)
            blankText(l.text);
    for (auto *arr : {&v.lbl_EvDS, &v.lbl_EvDS2})
        for (LabelSlot &l : *arr)
            blankText(l.text);
    for (LabelSlot *l : {&v.lbl_Eval_vol, &v.lbl_Eval_FGOG, &v.lbl_Eval_BZR, &v.lbl_Eval_EBU, &v.lbl_Eval_EBC,
                         &v.lbl_Eval2_vol, &v.lbl_Eval2_FGOG, &v.lbl_Eval2_BZR, &v.lbl_Eval2_EBU, &v.lbl_Eval2_EBC})
        blankText(l->text);

    // The scratch copy of the tasting words goes; the words themselves are
    // part of the recipe and stay. A copy that cannot be removed is harmless.
    const QString &scratch = scratchFile();
    if (QFile::exists(scratch))
        QFile::remove(scratch);
    s.viewChanged();
}

void ShowBrouwschema(Session &s)
{
    s.view.fraBrouwSchema.visible = true;
    s.view.fraEvaluatie.visible = true;
    s.viewChanged();
}

void UpdateStatusBar(Session &s)
{
    // Panels 2 to 7 (index 1 to 6) stand for the recipe parts.
    static constexpr struct {
        int panel;
        int bit;
    } parts[] = {{3, StatusDoelstellingen}, {5, StatusMaischschema}, {4, StatusStorting},
                 {6, StatusHopgift},        {2, StatusAlgemeen},     {7, StatusEvaluatie}};
    for (const auto &p : parts)
        s.view.panels[std::size_t(p.panel - 1)].enabled = (s.recipe.ReceptStatus & p.bit) == p.bit;
    s.viewChanged();
}

}  // namespace mostarium

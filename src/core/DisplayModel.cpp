#include "DisplayModel.h"

namespace mostarium {

DisplayModel::DisplayModel()
{
    lbl_L_WortnaSpoelen.toolTip = QStringLiteral("Houd rekening met 20-25 L vochtverlies per uur tijdens koken!");
    lbl_VerwachtSGNaSpoelen.toolTip =
        QStringLiteral("Gebaseerd op doelstellingen zonder toevoegen van extra water na spoelen!!");
    lbl_verwachtOG.toolTip = QStringLiteral("Gebaseerd op doelstellingen!! (Verwachte OG na koken en koelen dus!)");
    lbl_VerwachtOG2.toolTip = QStringLiteral("Overeenkomstig met doelstelling (na koken dus!");
    // Shown only once a double brew's switch-over point is found.
    lbl_SGOvergang.visible = false;
    lbl_VolOvergang.visible = false;
    lbl_Eval_EBU.toolTip = QStringLiteral("Volgens Tinseth");
    lbl_Eval2_EBU.toolTip = QStringLiteral("Volgens Tinseth");
    const QString ebcTip = QStringLiteral("Kleurschatting volgens Morey, omgerekend naar EBC");
    lbl_Eval_EBC.toolTip = ebcTip;
    lbl_Eval2_EBC.toolTip = ebcTip;

    static const char *panelTexts[10] = {
        "EB", "Algemeen", "Doelstellingen", "Storting", "Maischschema", "Hopgift", "Evaluatie", "", "", ""};
    for (int i = 0; i < 10; ++i)
        panels[std::size_t(i)].text = QString::fromLatin1(panelTexts[i]);
    panels[0].toolTip = QStringLiteral("Enkelbrouw (EB) of dubbelbrouw (DB)");
    for (int i = 1; i <= 6; ++i)
        panels[std::size_t(i)].enabled = false;
}

void DisplayModel::forEachLabel(const std::function<void(const QString &, LabelSlot &)> &fn)
{
    auto arr = [&](const char *name, auto &a) {
        for (std::size_t i = 0; i < a.size(); ++i)
            fn(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i), a[i]);
    };
    auto one = [&](const char *name, LabelSlot &l) { fn(QLatin1String(name), l); };
    arr("lbl_StIngred", lbl_StIngred);
    arr("lbl_MS", lbl_MS);
    one("lblMDecoctieStap", lblMDecoctieStap);
    one("lbl_L_inmaischen", lbl_L_inmaischen);
    one("lbl_pH_Maisch", lbl_pH_Maisch);
    one("lbl_vol_maisch", lbl_vol_maisch);
    one("lbl_SG_Hoofdwort", lbl_SG_Hoofdwort);
    one("lbl_Plato_Hoofdwort", lbl_Plato_Hoofdwort);
    one("lbl_SpoelenTot", lbl_SpoelenTot);
    one("lbl_L_spoelwater", lbl_L_spoelwater);
    one("lbl_L_WortnaSpoelen", lbl_L_WortnaSpoelen);
    one("lbl_VerwachtSGNaSpoelen", lbl_VerwachtSGNaSpoelen);
    one("lbl_verwachtOG", lbl_verwachtOG);
    one("lbl_VerwachtOG2", lbl_VerwachtOG2);
    one("lbl_SGOvergang", lbl_SGOvergang);
    one("lbl_VolOvergang", lbl_VolOvergang);
    one("lbl_VerwachteKooktijd", lbl_VerwachteKooktijd);
    arr("lbl_Ahop", lbl_Ahop);
    arr("lbl_Bhop", lbl_Bhop);
    arr("lbl_Ahop2", lbl_Ahop2);
    arr("lbl_Bhop2", lbl_Bhop2);
    arr("lbl_EvDS", lbl_EvDS);
    arr("lbl_EvDS2", lbl_EvDS2);
    one("lbl_Eval_vol", lbl_Eval_vol);
    one("lbl_Eval_FGOG", lbl_Eval_FGOG);
    one("lbl_Eval_BZR", lbl_Eval_BZR);
    one("lbl_Eval_EBU", lbl_Eval_EBU);
    one("lbl_Eval_EBC", lbl_Eval_EBC);
    one("lbl_Eval2_vol", lbl_Eval2_vol);
    one("lbl_Eval2_FGOG", lbl_Eval2_FGOG);
    one("lbl_Eval2_BZR", lbl_Eval2_BZR);
    one("lbl_Eval2_EBU", lbl_Eval2_EBU);
    one("lbl_Eval2_EBC", lbl_Eval2_EBC);
}

void DisplayModel::forEachFrame(const std::function<void(const QString &, FrameSlot &)> &fn)
{
    auto one = [&](const char *name, FrameSlot &f) { fn(QLatin1String(name), f); };
    one("fraBrouwSchema", fraBrouwSchema);
    one("fraBSIngrdienten", fraBSIngrdienten);
    one("fraBSMaiscschema", fraBSMaiscschema);
    one("fraBSSpoelen", fraBSSpoelen);
    one("fraBSAHop", fraBSAHop);
    one("fraBSBHop", fraBSBHop);
    one("fraAhop2", fraAhop2);
    one("fraBhop2", fraBhop2);
    one("fraEvaluatie", fraEvaluatie);
    one("fraEvalDS", fraEvalDS);
    one("fraEvalDS2", fraEvalDS2);
    one("fraEvalEv", fraEvalEv);
    one("fraEvalEv2", fraEvalEv2);
}

LabelSlot *DisplayModel::label(QStringView objectName)
{
    LabelSlot *hit = nullptr;
    forEachLabel([&](const QString &n, LabelSlot &l) {
        if (!hit && n == objectName)
            hit = &l;
    });
    return hit;
}

FrameSlot *DisplayModel::frame(QStringView objectName)
{
    FrameSlot *hit = nullptr;
    forEachFrame([&](const QString &n, FrameSlot &f) {
        if (!hit && n == objectName)
            hit = &f;
    });
    return hit;
}

}  // namespace mostarium

// Text concatenations build each label in one allocation.
#define QT_USE_QSTRINGBUILDER

#include "Recalc.h"

#include "CalcError.h"
#include "Evaluation.h"
#include "Formulas.h"
#include "NumText.h"
#include "ScheduleDisplay.h"
#include "Services.h"
#include "Session.h"
#include "Sparge.h"

#include <QVarLengthArray>

namespace mostarium {

using num::div;
using num::format;
using num::plain;
using num::toSingle;
using num::val;

const QString RecalcFoutmelding = QStringLiteral("        Recept kan niet korrekt berekend worden.\n"
                                                 "Controleer inhoud bestand van recept of ontwerp recept opnieuw.");

namespace {

const QString kDegC = QStringLiteral(" \u00B0C");
const QString kOrdPlato = QStringLiteral("\u00BAPlato");

// A label of a fixed row of the window: a row beyond it is an error, as a
// recipe with more rows than the window shows cannot be displayed.
template <std::size_t N>
LabelSlot &row(std::array<LabelSlot, N> &labels, int i)
{
    if (i < 0 || i >= int(N))
        throwSubscript();
    return labels[std::size_t(i)];
}

// The gravity part of an OG line ("1047 kg/m3 = 11.6 °Plato").
QString ogText(float og)
{
    return format(og, u"####") % QStringLiteral(" kg/m3 = ") % format(SGToPlato(og), u"#0.0 \u00B0Plato");
}

struct GrainRow {
    double perc, bzr, ebc, laat;
    QString percText;  // the stored percentage as the schedule shows it
};

void grainBill(Session &s, float v1)
{
    RecipeState &r = s.recipe;
    DisplayModel &v = s.view;
    const bool dubbel = s.app.dubbelBrouw;
    const int rows = r.Storting.rows();

    QVarLengthArray<GrainRow, 16> g;
    for (int i = 0; i < rows; ++i) {
        // The percentage is read once for the figures and for its text: a
        // text that is wholly a number shows as that number, another as typed.
        const QStringView perc = QStringView(r.Storting(i, StPerc)).trimmed();
        GrainRow x;
        bool wholeNumber = true;
        try {
            x.perc = num::strictDouble(perc);
        } catch (const CalcError &) {
            wholeNumber = false;
            x.perc = val(perc);
        }
        x.percText = wholeNumber ? format(x.perc, u"##0.0#") : perc.toString();
        x.bzr = val(QStringView(r.Storting(i, StBZR)).trimmed());
        x.ebc = val(QStringView(r.Storting(i, StEBC)).trimmed());
        x.laat = val(r.Storting(i, StLaat));
        g.append(std::move(x));
    }
    // Grams of one row: each beer's extract spread by the row's share and yield.
    auto weight = [&](int i) {
        double w = div(double(r.OGGL) * double(v1) * g[i].perc, g[i].bzr * 100.0);
        if (dubbel)
            w += div(double(r.OGGL2) * double(r.Doelstellingen(6)) * g[i].perc, g[i].bzr * 100.0);
        return w;
    };
    auto totalCaption = [&] {
        writeText(v.fraBSIngrdienten.caption, QStringLiteral(" Ingredienten storting (totaal ")
                                                  + format(r.TotaleStorting, u"######") + QStringLiteral(" gr) "));
    };
    int done = 0;
    try {
        for (; done < rows; ++done)
            r.TotaleStorting = toSingle(double(r.TotaleStorting) + weight(done));
    } catch (const CalcError &) {
        if (done > 0)
            totalCaption();  // the caption follows the total row by row
        throw;
    }
    if (rows > 0)
        totalCaption();

    double extractShare = 0;
    for (const GrainRow &x : g)
        extractShare += x.bzr * x.perc / 100.0;
    r.TotaalExtract = toSingle(double(r.TotaleStorting) * extractShare);

    for (int i = 0; i < rows; ++i) {
        const double ts = r.TotaleStorting;
        const QString share = format(div(g[i].bzr * g[i].perc * ts, double(r.TotaalExtract)), u"##0.0#");
        row(v.lbl_StIngred, i)
            .setText(share + QStringLiteral("% || ") + g[i].percText + QStringLiteral("%  ") + r.Storting(i, StIngred)
                     + u' ' + format(ts * g[i].perc / 100.0, u"#####") + QStringLiteral(" gr"));
    }
    for (int i = 0; i < rows; ++i) {
        if (g[i].laat == 1.0) {
            LabelSlot &l = row(v.lbl_StIngred, i);
            l.back = RgbLateGrain;
            l.toolTip = QStringLiteral("Toevoeging tijdens kookfase!");
        }
    }

    r.KleurEBC = 0;
    for (const GrainRow &x : g)
        r.KleurEBC = toSingle(double(r.KleurEBC) + double(SGToPlato(r.OGSG)) / 860.0 * x.perc * x.ebc);
    if (dubbel) {
        r.KleurEBC2 = 0;
        for (const GrainRow &x : g)
            r.KleurEBC2 = toSingle(double(r.KleurEBC2) + double(SGToPlato(r.OGSG2)) / 860.0 * x.perc * x.ebc);
    }

    for (int i = 0; i < rows; ++i) {
        if (g[i].laat == 0.0)
            r.StortingMaisch = toSingle(double(r.StortingMaisch) + weight(i));
    }
    double sumBP = 0, sumP = 0;
    for (const GrainRow &x : g) {
        if (x.laat == 0.0) {
            sumBP += x.bzr * x.perc;
            sumP += x.perc;
        }
    }
    if (sumP > 0)
        r.BZRMaisch = toSingle(sumBP / sumP);
}

void spargeFigures(Session &s, float v1)
{
    RecipeState &r = s.recipe;
    DisplayModel &v = s.view;
    const bool dubbel = s.app.dubbelBrouw;

    // The sparge routines' figures and the dialog's boxes, shown again here.
    SpargeTexts sparge;
    UpdateHoofdwort(s, &sparge);
    UpdateSpoelen(s, &sparge);
    v.lbl_SG_Hoofdwort.setText(QStringLiteral("SG Hoofdwort: ") + sparge.hwsg + QStringLiteral(" kg/m3"));
    const SpargeView &dialog = v.spoelen;
    v.lbl_Plato_Hoofdwort.setText(QStringLiteral("Hoofdwort in ") + kOrdPlato + QStringLiteral(": ")
                                  + dialog.txtSpWerkelijkSGHoofdwort);
    v.lbl_SpoelenTot.setText(QStringLiteral("Spoelen tot: ") + dialog.txtSPSpoelenTot + u' ' + kOrdPlato
                             + QStringLiteral(" = ") + format(PlatoToSG(r.SpoelenTot), u"#### kg/m3"));
    // Without a sparge solution these lines show the water and the wort as
    // they stand: no sparge water, the free first wort alone.
    if (!sparge.wort)
        sparge.spoelwater = format(r.Spoelwater, u"###");
    v.lbl_L_spoelwater.setText(QStringLiteral("Benodigd spoelwater: ") + sparge.spoelwater + QStringLiteral(" L"));
    if (!sparge.wort) {
        sparge.wort = BerekenWortNaSpoelen(r);
        sparge.wortLitres = format(sparge.wort->litres, u"###");
        sparge.wortKg = format(sparge.wort->litres / 1000.0 * double(sparge.wort->sg), u"###.0 kg");
    }
    const WortNaSpoelen &wort = *sparge.wort;
    const double k = wort.litres;
    v.lbl_L_WortnaSpoelen.setText(QStringLiteral("Wort na spoelen: ") + sparge.wortLitres + QStringLiteral(" L = ")
                                  + sparge.wortKg);
    v.lbl_L_WortnaSpoelen.fore = toSingle(k) <= float(r.KetelInhoud) ? RgbBlack : RgbRed;

    v.lbl_VerwachteKooktijd.visible = true;
    if (!dubbel) {
        const double t = GeschatteKooktijd(k, v1, r.Evaporatie);
        v.lbl_VerwachteKooktijd.setText(QStringLiteral("Geschatte kooktijd: ") + format(t, u"### min"));
        writeText(v.lbl_VerwachteKooktijd.toolTip, QStringLiteral("Geschatte kooktijd gebaseerd op inkoken van ")
                                                       + sparge.wortLitres + QStringLiteral(" L wort naar ")
                                                       + format(v1, u"###")
                                                       + QStringLiteral(" L met een evaporatie van")
                                                       + num::signedText(r.Evaporatie) + QStringLiteral(" L/uur"));
        v.lbl_VerwachteKooktijd.fore = t >= 60 ? RgbBlack : t >= 30 ? RgbBlue : RgbRed;
    }
    if (!dubbel && r.SpoelwortVolume > 0) {
        v.lbl_VerwachtSGNaSpoelen.setText(QStringLiteral("SG na spoelen: ") + format(wort.sg, u"####")
                                          + QStringLiteral(" kg/m3 = ")
                                          + format(GLToPlato(wort.gl), u"#0.0 \u00BAPlato"));
    } else {
        blankText(v.lbl_VerwachtSGNaSpoelen.text);
    }
    if (dubbel)
        UpdateOmslag(s);
    if (s.closeSpargeWindow)
        s.closeSpargeWindow();
}

void mashSchedule(Session &s)
{
    RecipeState &r = s.recipe;
    DisplayModel &v = s.view;
    const Table2D<float> &m = r.Maischschema;

    v.lbl_MS[0].setText(QStringLiteral("Inmaischstap: ") + plain(m(1, 0)) + kDegC + QStringLiteral("; ")
                        + plain(m(1, 1)) + QStringLiteral(" min"));
    for (int i = 2; i <= m.rowUbound(); ++i) {
        const QString temp = plain(m(i, 0)), time = plain(m(i, 1));
        // A rest the schedule has a row for: its number is one digit.
        LabelSlot &l = row(v.lbl_MS, i - 1);
        l.setText(QStringLiteral("Rust") + QChar(char16_t(u'0' + (i - 1))) + QStringLiteral(": ") + temp + kDegC
                  + QStringLiteral("; ") + time + QStringLiteral(" min"));
    }
    // The ratio as typed: 2.7 L/kg counts as exactly 2.7.
    const QString ratio = plain(m(0, 0));
    r.BeslaanVolume = toSingle(val(ratio) * double(r.StortingMaisch) / 1000.0);
    v.lbl_L_inmaischen.setText(QStringLiteral("Inmaischen met ") + format(r.BeslaanVolume, u"####")
                               + QStringLiteral(" L (") + ratio + QStringLiteral(" L/kg)"));
    v.lbl_pH_Maisch.setText(QStringLiteral("pH maisch: ") + format(m(0, 1), u"##.0"));

    if (r.ViaDecoctie) {
        const double w = r.BeslaanVolume;
        const double t1 = m(1, 0), td = m(0, 2), tw = m(0, 3), tijd = m(0, 4);
        // Mixing rule: the decocted part brings the rest from Tw to the first rest.
        float decoct = toSingle(div((t1 - tw) * w, td - tw));
        const float rest = toSingle(w - double(decoct));
        decoct = toSingle(double(decoct) + double(r.Evaporatie) * tijd / 60.0);
        v.lblMDecoctieStap.setText(QStringLiteral("Decoc: ") + format(decoct, u"### L ") + plain(m(0, 2)) + kDegC
                                   + QStringLiteral(" + ") + format(rest, u"### L ") + plain(m(0, 3)) + kDegC);
    } else {
        blankText(v.lblMDecoctieStap.text);
    }
}

void hops(Session &s, Table2D<QString> &aroma, Table2D<QString> &bitter, float volume, float target,
          std::array<LabelSlot, 4> &aromaLabels, std::array<LabelSlot, 4> &bitterLabels)
{
    RecipeState &r = s.recipe;
    auto minutes = [](const QString &t) { return num::toInt16(val(t)); };
    auto caption = [](LabelSlot &l, const QString &gram, const Table2D<QString> &h, int i) {
        l.setText(gram + QStringLiteral(" gr. ") + h(i, HopSoort) + u' ' + h(i, HopHoedanigheid) + QStringLiteral(" (")
                  + h(i, HopAlfazuur) + QStringLiteral("%); ") + h(i, HopKooktijd) + QStringLiteral(" min. kooktijd"));
    };

    QVarLengthArray<double, 8> grams;
    for (int i = 0; i < aroma.rows(); ++i) {
        grams.append(val(aroma(i, HopGram)));
        const float ebu =
            BerekenEBU(toSingle(grams.back()), aroma(i, HopHoedanigheid), toSingle(val(aroma(i, HopAlfazuur))), volume);
        r.AromaEBU = toSingle(
            double(r.AromaEBU)
            + double(ebu) * HopUtilisatie(toSingle(val(aroma(i, HopGravity))), minutes(aroma(i, HopKooktijd))));
    }
    for (int i = 0; i < aroma.rows(); ++i) {
        if (grams[i] > 0)
            caption(row(aromaLabels, i), aroma(i, HopGram), aroma, i);
    }
    // What the bitter additions still have to bring; below 0 when the aroma
    // additions already overshoot.
    const double rest = double(target) - double(r.AromaEBU);
    for (int i = 0; i < bitter.rows(); ++i) {
        const double share = rest * val(bitter(i, HopPercBitterheid)) / 100.0;
        const float grams = BerekenHopGewicht(bitter(i, HopHoedanigheid), toSingle(share), volume,
                                              toSingle(val(bitter(i, HopAlfazuur))));
        const float w = toSingle(
            div(double(grams), HopUtilisatie(toSingle(val(bitter(i, HopGravity))), minutes(bitter(i, HopKooktijd)))));
        bitter(i, HopBerekendGram) = format(w, u"###");
    }
    for (int i = 0; i < bitter.rows(); ++i)
        caption(row(bitterLabels, i), bitter(i, HopBerekendGram), bitter, i);
}

void clearDerived(RecipeState &r)
{
    r.OGSG = r.OGSG2 = r.OGGL = r.OGGL2 = 0;
    r.TotaalExtract = r.TotaleStorting = r.StortingMaisch = r.BZRMaisch = r.BeslaanVolume = 0;
    r.HWSG = r.HoofdwortVolume = r.VrijeHoofdwort = r.SpoelwortVolume = r.Spoelwater = 0;
    r.AromaEBU = r.KleurEBC = 0;
    r.EvAlc = r.EvAlc2 = r.EvBZR = r.EvBZR2 = r.EvSVG = r.EvSVG2 = 0;
    r.EvEBU = r.EvEBU2 = r.EvEBC = r.EvEBC2 = 0;
}

}  // namespace

float expectedOG(const Table1D<float> &d, BeerIndex beer)
{
    const double fg = d(targetIndex(TargetFG, beer));
    const double alc = d(targetIndex(TargetAlcPerc, beer));
    const double co2 = d(targetIndex(TargetKoolzuur, beer));
    return toSingle(fg + (alc - (co2 - 2.25) * 0.125) / 0.132);
}

RecalcOutcome UpdateBrouwschema(Session &s)
{
    RecipeState &r = s.recipe;
    DisplayModel &v = s.view;
    RecalcOutcome outcome;
    bool lossAdded = false;
    float volume = 0;  // the target volume as it was: put back, never recomputed

    try {
        WisBrouwschema(s);
        clearDerived(r);
        ClearOmslag(s);

        // No targets yet (a grain bill or mash entered first): nothing to
        // calculate, and nothing wrong either.
        if (!r.Doelstellingen.has(1)) {
            UpdateStatusBar(s);
            s.viewChanged();
            return outcome;
        }

        volume = r.Doelstellingen(1);
        r.Doelstellingen(1) = toSingle(double(volume) + double(r.BrouwVerlies));
        lossAdded = true;
        const float v1 = r.Doelstellingen(1);
        const bool dubbel = s.app.dubbelBrouw;

        QString &caption = v.fraBrouwSchema.caption;
        const QString volumes = dubbel ? plain(v1) + u'/' + plain(r.Doelstellingen(6)) : plain(v1);
        writeText(caption, QStringLiteral(" Brouwschema ") + r.Algemeen(0) + u' ' + volumes + QStringLiteral(" L"));
        if (r.ReceptAttr & 1)
            caption += QStringLiteral("  (Alleen lezen!) ");

        for (LabelSlot &l : v.lbl_StIngred) {
            l.back.reset();  // the frame's own colour
            l.toolTip.clear();
        }

        const bool targets = r.hasStatus(StatusDoelstellingen);
        if (targets) {
            r.OGSG = expectedOG(r.Doelstellingen, FirstBeer);
            r.OGGL = SGToGL(r.OGSG);
            const QString og1 = ogText(r.OGSG);
            v.lbl_verwachtOG.setText(QStringLiteral("Verwacht OG: ") % og1);
            v.lbl_VerwachtOG2.visible = false;
            if (r.Doelstellingen.has(10) && dubbel) {
                r.OGSG2 = expectedOG(r.Doelstellingen, SecondBeer);
                v.lbl_VerwachtOG2.visible = true;
                v.lbl_VerwachtOG2.setText(QStringLiteral("OG (dunbier): ") % ogText(r.OGSG2));
                v.lbl_verwachtOG.setText(QStringLiteral("OG (dikbier): ") % og1);
                r.OGGL2 = SGToGL(r.OGSG2);
            }
        }

        if (targets && r.hasStatus(StatusStorting))
            grainBill(s, v1);

        if (r.hasStatus(StatusMaischschema)) {
            mashSchedule(s);
            if (r.BZRMaisch > 0 && r.StortingMaisch != 0 && r.BeslaanVolume > 0)
                spargeFigures(s, v1);
        }

        if (r.hasStatus(StatusMaischschema) && r.hasStatus(StatusStorting)) {
            const double estimate = GeschatMaischVolume(r.Maischschema(0, 0), r.StortingMaisch, r.VolFilterPlaatBodem);
            v.lbl_vol_maisch.setText(QStringLiteral("Geschat volume maisch (L): ") + format(estimate, u"###"));
            v.lbl_vol_maisch.fore = toSingle(estimate) <= r.FilterKuipInhoud ? RgbBlack : RgbRed;
        }

        if (targets && r.hasStatus(StatusHopgift))
            hops(s, r.Aromahop, r.Bitterhop, v1, r.Doelstellingen(4), v.lbl_Ahop, v.lbl_Bhop);
        // A single brew has no second beer. Its hop lists stay with the recipe
        // (their bit is kept while they hold rows), but a single-brew file
        // holds the first beer's targets only.
        if (targets && r.hasStatus(StatusHopgift2) && dubbel) {
            r.AromaEBU = 0;
            hops(s, r.Aromahop2, r.Bitterhop2, r.Doelstellingen(6), r.Doelstellingen(9), v.lbl_Ahop2, v.lbl_Bhop2);
        }

        if (!Evalueer(s))
            outcome = {false, EvalueerFoutmelding};
        UpdateStatusBar(s);
        r.Doelstellingen(1) = volume;
    } catch (const CalcError &) {
        services().msgBox(RecalcFoutmelding, mb::Exclamation, QString());
        outcome = {false, RecalcFoutmelding};
        if (lossAdded)
            r.Doelstellingen(1) = volume;
    }
    s.viewChanged();
    return outcome;
}

}  // namespace mostarium

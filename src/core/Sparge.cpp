// Text concatenations build each label in one allocation.
#define QT_USE_QSTRINGBUILDER

#include "Sparge.h"

#include "CalcError.h"
#include "Formulas.h"
#include "NumText.h"
#include "Session.h"

#include <algorithm>
#include <cmath>

namespace mostarium {

using num::div;
using num::format;
using num::toSingle;

namespace {

const QString kPlatoBA = QStringLiteral("\u00BAPlato");

// log(1 + exp(x)) without overflow for large x.
double softplus(double x) { return std::max(x, 0.0) + std::log1p(std::exp(-std::fabs(x))); }

}  // namespace

void UpdateHoofdwort(Session &s, SpargeTexts *texts)
{
    RecipeState &r = s.recipe;
    SpargeView &v = s.view.spoelen;
    const double g = r.StortingMaisch;

    r.CoefficientA = toSingle(1.0 / 12.0);
    r.CoefficientB = toSingle(11.0 / 12.0);
    r.CoefficientC = toSingle(g * 0.0017 + double(r.VolFilterPlaatBodem));
    r.CoefficientD = toSingle(g / 2000.0);
    // Extract of the mashed grain in the mash water plus the water under the
    // false bottom.
    const double firstWortGL = div(double(r.BZRMaisch) * g, double(r.BeslaanVolume) + double(r.VolFilterPlaatBodem));
    r.HWSG = toSingle(firstWortGL * 0.3779 + 1000.7484);
    const QString hwsg = format(r.HWSG, u"####");
    writeText(v.lblSpSGHoofdWort, QStringLiteral("SG Hoofdwort (kg/m3): ") + hwsg);
    // The box below shows the same figure.
    const QString plato = format(SGToPlato(r.HWSG), u"##.0");
    writeText(v.lblSpSGHoofdwortPlato, QStringLiteral("Hoofdwort (") + kPlatoBA + QStringLiteral("): ") + plato);
    r.HoofdwortVolume = toSingle(double(r.BeslaanVolume) + double(r.VolFilterPlaatBodem) - g * 0.0016);
    writeText(v.lblSpVolHoofdWort, QStringLiteral("Volume Hoofdwort (L): ") + format(r.HoofdwortVolume, u"###")
                                       + QStringLiteral(" = ")
                                       + format(double(r.HoofdwortVolume) * double(r.HWSG) / 1000.0, u"###.0 kg"));
    r.VrijeHoofdwort = toSingle(double(r.BeslaanVolume) + double(r.VolFilterPlaatBodem) - g * 0.0017
                                - double(r.FixedVolFilterPlaatBodem));
    r.CoefficientC = toSingle(double(r.CoefficientC) + double(r.VrijeHoofdwort));
    writeText(v.lblSpVolHoofdWortToolTip,
              QStringLiteral("Vrij beschikbare hoofdwort (L): ") + format(r.VrijeHoofdwort, u"###"));
    v.txtSPSpoelenTot = format(r.SpoelenTot, u"0.0");
    v.txtSpWerkelijkSGHoofdwort = plato;
    if (texts)
        texts->hwsg = hwsg;
}

void UpdateSpoelen(Session &s, SpargeTexts *texts)
{
    // The target as the dialog's box shows it: one decimal.
    UpdateSpoelen(s, num::val(format(s.recipe.SpoelenTot, u"0.0")), texts);
}

void UpdateSpoelen(Session &s, double targetPlato, SpargeTexts *texts)
{
    RecipeState &r = s.recipe;
    SpargeView &v = s.view.spoelen;
    const double g = r.StortingMaisch;
    const double a = r.CoefficientA, b = r.CoefficientB, d = r.CoefficientD;

    const double c0 = g * 0.0017 + double(r.VolFilterPlaatBodem);
    const double gl1 = SGToGL(r.HWSG);
    const double target = PlatoToGL(toSingle(targetPlato));
    const float ratio = toSingle(div(b * gl1, target - a * gl1) - 1.0);
    if (!(ratio > 0))
        return;  // the runnings never reach the target: no solution

    r.SpoelwortVolume = toSingle(num::finite(d * std::log(double(ratio)) + c0));
    SpargeTexts own;
    SpargeTexts &t = texts ? *texts : own;
    t.wort = BerekenWortNaSpoelen(r);
    t.wortLitres = format(t.wort->litres, u"####");
    t.wortKg = format(t.wort->litres / 1000.0 * double(t.wort->sg), u"###.0 kg");
    writeText(v.lblSPVolWort,
              QStringLiteral("Wort na spoelen (L): ") + t.wortLitres + QStringLiteral(" = ") + t.wortKg);
    s.view.lbl_L_WortnaSpoelen.setText(v.lblSPVolWort);
    r.Spoelwater = toSingle(double(r.SpoelwortVolume) - double(r.VolFilterPlaatBodem) - g * 0.0001);
    t.spoelwater = format(r.Spoelwater, u"####");
    writeText(v.lblSpSpoelwater, QStringLiteral("Benodigd spoelwater (L): ") + t.spoelwater);
    s.view.lbl_L_spoelwater.setText(v.lblSpSpoelwater);
}

WortNaSpoelen BerekenWortNaSpoelen(const RecipeState &r)
{
    WortNaSpoelen w;
    w.litres = double(r.VrijeHoofdwort) + double(r.SpoelwortVolume);
    w.gl = toSingle(div(double(r.BZRMaisch) * double(r.StortingMaisch), w.litres));
    w.sg = GLToSG(w.gl);
    return w;
}

std::optional<float> GeplandVolume(const RecipeState &r)
{
    if (!r.Doelstellingen.has(1))
        return std::nullopt;
    return toSingle(double(r.Doelstellingen(1)) + double(r.BrouwVerlies));
}

std::optional<OmslagPunt> BerekenOmslag(const RecipeState &r, float volume)
{
    const double a = r.CoefficientA, b = r.CoefficientB, c = r.CoefficientC, d = r.CoefficientD;
    const double g1 = SGToGL(r.HWSG);
    const float needed = toSingle(double(SGToGL(r.OGSG)) * double(volume));
    const int last = num::toInt32(double(toSingle(double(r.VrijeHoofdwort) + double(r.SpoelwortVolume)))) + 1;
    if (d == 0)
        throwDivisionByZero();  // a curve without width, as its formula would fail
    const double atZero = softplus(c / d);

    // Extract collected after v litres: the integral of the runnings curve.
    auto collected = [&](int v) {
        const double x = double(v);
        const double logRatio = softplus(-(x - c) / d) - atZero;
        return toSingle(num::finite(g1 * (a * x - b * d * logRatio)));
    };
    auto enough = [&](int v) { return collected(v) > needed; };

    // The collected extract only grows with every litre when the first wort
    // holds extract, so the first litre that suffices is found by halving.
    if (last < 0)
        return std::nullopt;
    int found = -1;
    if (enough(0)) {
        found = 0;
    } else if (enough(last)) {
        int lo = 0, hi = last;  // enough(lo) false, enough(hi) true
        while (hi - lo > 1) {
            const int mid = lo + (hi - lo) / 2;
            (enough(mid) ? hi : lo) = mid;
        }
        found = hi;
    }
    if (found < 0)
        return std::nullopt;
    const double runnings = (b / (1.0 + std::exp((double(found) - c) / d)) + a) * g1;
    return OmslagPunt{found, GLToPlato(toSingle(runnings))};
}

void ClearOmslag(Session &s)
{
    s.recipe.OmslagL = 0;
    s.recipe.OmslagPlato = 0;
    blankText(s.view.lbl_SGOvergang.text);
    s.view.lbl_SGOvergang.visible = false;
    blankText(s.view.lbl_VolOvergang.text);
    s.view.lbl_VolOvergang.visible = false;
}

void UpdateOmslag(Session &s) { UpdateOmslag(s, s.recipe.Doelstellingen(1)); }

std::optional<OmslagPunt> UpdateOmslag(Session &s, float volume)
{
    const std::optional<OmslagPunt> p = BerekenOmslag(s.recipe, volume);
    if (!p) {
        ClearOmslag(s);
        return p;
    }
    s.recipe.OmslagPlato = p->plato;
    s.recipe.OmslagL = toSingle(p->litres);
    s.view.lbl_SGOvergang.setText(QStringLiteral("Overgang SG DB (") + kPlatoBA + QStringLiteral("): ~")
                                  + format(p->plato, u"##.0"));
    s.view.lbl_SGOvergang.visible = true;
    s.view.lbl_VolOvergang.setText(QStringLiteral("Overgang vol. DB (L): ~") + format(double(p->litres), u"###"));
    s.view.lbl_VolOvergang.visible = true;
    return p;
}

}  // namespace mostarium

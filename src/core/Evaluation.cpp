// Text concatenations build each label in one allocation.
#define QT_USE_QSTRINGBUILDER

#include "Evaluation.h"

#include "CalcError.h"
#include "Formulas.h"
#include "NumText.h"
#include "Services.h"
#include "Session.h"

namespace mostarium {

using num::div;
using num::format;
using num::signedText;
using num::toSingle;
using num::val;

const QString EvalueerFoutmelding = QStringLiteral("Error in Sub Evalueer");

namespace {

// One step of the evaluation: a failure is reported and the run goes on.
template <typename F>
void step(F &&f)
{
    try {
        f();
    } catch (const CalcError &) {
        services().msgBox(EvalueerFoutmelding, mb::OKOnly, QString());
    }
}

// A guarded step: a test that fails counts as passed after its message, so
// the guarded step runs (and usually fails on the same value in turn).
template <typename C, typename F>
void stepIf(C &&cond, F &&f)
{
    bool pass = true;
    try {
        pass = cond();
    } catch (const CalcError &) {
        services().msgBox(EvalueerFoutmelding, mb::OKOnly, QString());
    }
    if (pass)
        step(f);
}

// A measured text as its label shows it: the whole text must be a number.
QString measured(const QString &t) { return signedText(num::strictDouble(t)); }

struct BeerLabels {
    LabelSlot &vol, &fgog, &bzr, &ebu, &ebc;
};

struct BeerFigures {
    float &alc, &bzr, &svg, &ebu, &ebc;
};

// Steps 2 to 7 of the measured values for one beer (column b of Evaluatie).
void measuredBeer(Session &s, int b, int co2, int bitterheid, int volume, float kleur, BeerFigures f, BeerLabels l)
{
    RecipeState &r = s.recipe;
    const Table2D<QString> &e = r.Evaluatie;
    step([&] { f.alc = toSingle((val(e(1, b)) - val(e(2, b))) * 0.132); });
    step([&] { f.alc = toSingle(double(f.alc) + (double(r.Doelstellingen(co2)) - 2.5) * 0.125); });
    stepIf([&] { return r.TotaleStorting > 0; },
           [&] {
               const double og = val(e(1, b));
               f.bzr = toSingle(div(og * val(e(0, b)) * double(SGToPlato(toSingle(og))), double(r.TotaleStorting)));
           });
    step([&] {
        const double og = val(e(1, b));
        f.svg = toSingle(div((og - val(e(2, b))) * 100.0, og - 1000.0));
    });
    step([&] {
        f.ebu = toSingle(div(double(r.Doelstellingen(bitterheid)) * double(r.Doelstellingen(volume)), val(e(0, b))));
    });
    step([&] { f.ebc = toSingle(div(double(kleur) * double(r.Doelstellingen(volume)), val(e(0, b)))); });

    step([&] {
        l.vol.text = QStringLiteral("Volume (L): ") + measured(e(0, b)) + QStringLiteral("  (")
                     + format(f.alc, u"##.0") + QStringLiteral(" vol%)");
    });
    step([&] {
        l.fgog.text = QStringLiteral("OG:") + measured(e(1, b)) + QStringLiteral("  Eind SG:") + measured(e(2, b))
                      + QStringLiteral(" (kg/m3)");
    });
    step([&] {
        l.bzr.text = QStringLiteral("BZR (%): ") + format(f.bzr, u"###.0") + QStringLiteral("   SVG (%): ")
                     + format(f.svg, u"###.0");
    });
    // Bitterness within 5 % either side, colour within 10 %.
    step([&] {
        l.ebu.text = QStringLiteral("Bitterheid (EBU): ") + format(double(f.ebu) * 0.95, u"###.0")
                     + QStringLiteral(" - ") + format(double(f.ebu) * 1.05, u"###.0");
    });
    step([&] {
        l.ebc.text = QStringLiteral("Kleur (EBC): ") + format(double(f.ebc) * 0.9, u"###") + QStringLiteral(" - ")
                     + format(double(f.ebc) * 1.1, u"###");
    });
}

} // namespace

void Evalueer(Session &s)
{
    RecipeState &r = s.recipe;
    DisplayModel &v = s.view;
    const Table1D<float> &d = r.Doelstellingen;

    if ((r.ReceptStatus & StatusDoelstellingen) == StatusDoelstellingen) {
        v.fraEvalDS.visible = true;
        static const char *const lead[5] = {"Volume (L): ", "Alcoholpercentage (vol%): ", "Eind SG (kg/m3): ",
                                            "Bitterheid (EBU): ", "Koolzuurgehalte (gr/L): "};
        stepIf([&] { return d(1) > 0; },
               [&] {
                   v.lbl_EvDS[0].text = QLatin1String(lead[0]) + signedText(d(1)) + QStringLiteral("   (= ")
                                        + format(double(r.OGSG) * double(d(1)) / 1000.0, u"###.#")
                                        + QStringLiteral(" kg)");
               });
        for (int k = 1; k < 5; ++k) {
            stepIf([&] { return d(k + 1) > 0; },
                   [&] { v.lbl_EvDS[std::size_t(k)].text = QLatin1String(lead[k]) + signedText(d(k + 1)); });
        }
        if (s.app.dubbelBrouw) {
            v.fraEvalDS2.visible = true;
            for (int k = 0; k < 5; ++k) {
                stepIf([&] { return d(k + 6) > 0; },
                       [&] { v.lbl_EvDS2[std::size_t(k)].text = QLatin1String(lead[k]) + signedText(d(k + 6)); });
            }
        }
    } else {
        v.fraEvalDS.visible = false;
        v.fraEvalDS2.visible = false;
    }

    if ((r.ReceptStatus & StatusEvaluatie) == StatusEvaluatie) {
        v.fraEvalEv.visible = true;
        measuredBeer(s, 0, 5, 4, 1, r.KleurEBC, {r.EvAlc, r.EvBZR, r.EvSVG, r.EvEBU, r.EvEBC},
                     {v.lbl_Eval_vol, v.lbl_Eval_FGOG, v.lbl_Eval_BZR, v.lbl_Eval_EBU, v.lbl_Eval_EBC});
        if (s.app.dubbelBrouw) {
            v.fraEvalEv.caption = QStringLiteral(" Evaluatie dikbier ");
            v.fraEvalEv2.visible = true;
            // A second-beer column exists only once the array was enlarged.
            if (r.Evaluatie.colUbound() > 0) {
                measuredBeer(s, 1, 10, 9, 6, r.KleurEBC2, {r.EvAlc2, r.EvBZR2, r.EvSVG2, r.EvEBU2, r.EvEBC2},
                             {v.lbl_Eval2_vol, v.lbl_Eval2_FGOG, v.lbl_Eval2_BZR, v.lbl_Eval2_EBU, v.lbl_Eval2_EBC});
            }
        }
    }
    ++v.revision;
}

} // namespace mostarium

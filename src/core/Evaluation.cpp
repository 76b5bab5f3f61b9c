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
using num::plain;
using num::toSingle;
using num::val;

const QString EvalueerFoutmelding = QStringLiteral("Error in Sub Evalueer");

namespace {

// The steps of one evaluation: a failure is reported and the run goes on;
// the caller learns whether any failed.
struct Steps {
    int failed = 0;

    void report()
    {
        ++failed;
        services().msgBox(EvalueerFoutmelding, mb::OKOnly, QString());
    }

    template <typename F>
    void step(F &&f)
    {
        try {
            f();
        } catch (const CalcError &) {
            report();
        }
    }

    // A guarded step: a test that fails counts as passed after its message,
    // so the guarded step runs (and usually fails on the same value in turn).
    template <typename C, typename F>
    void stepIf(C &&cond, F &&f)
    {
        bool pass = true;
        try {
            pass = cond();
        } catch (const CalcError &) {
            report();
        }
        if (pass)
            step(f);
    }
};

// The signed form is built straight into the label: the blank that leads a
// value of 0 or more, then the plain form (num::signedText, without its
// intermediate texts).
QLatin1String signLead(double v) { return v >= 0 ? QLatin1String(" ") : QLatin1String(""); }

struct BeerLabels {
    LabelSlot &vol, &fgog, &bzr, &ebu, &ebc;
};

struct BeerFigures {
    float &alc, &bzr, &svg, &ebu, &ebc;
};

// The measured volume (row 0), OG (1) and FG (2) of one beer, each read once
// by the first step that needs it; a step that cannot read it fails.
class MeasuredValues {
public:
    MeasuredValues(const Table2D<QString> &e, int b) : e_(e), b_(b) {}
    double operator()(int row)
    {
        if (!read_[row]) {
            value_[row] = val(e_(row, b_));
            read_[row] = true;
        }
        return value_[row];
    }

private:
    const Table2D<QString> &e_;
    const int b_;
    double value_[3] = {};
    bool read_[3] = {};
};

// Steps 2 to 7 of the measured values for one beer (column b of Evaluatie).
void measuredBeer(Steps &st, Session &s, int b, int co2, int bitterheid, int volume, float kleur, BeerFigures f,
                  BeerLabels l)
{
    RecipeState &r = s.recipe;
    const Table2D<QString> &e = r.Evaluatie;
    MeasuredValues m(e, b);
    st.step([&] { f.alc = toSingle((m(1) - m(2)) * 0.132); });
    st.step([&] { f.alc = toSingle(double(f.alc) + (double(r.Doelstellingen(co2)) - 2.5) * 0.125); });
    st.stepIf(
        [&] { return r.TotaleStorting > 0; },
        [&] { f.bzr = toSingle(div(m(1) * m(0) * double(SGToPlato(toSingle(m(1)))), double(r.TotaleStorting))); });
    st.step([&] { f.svg = toSingle(div((m(1) - m(2)) * 100.0, m(1) - 1000.0)); });
    st.step(
        [&] { f.ebu = toSingle(div(double(r.Doelstellingen(bitterheid)) * double(r.Doelstellingen(volume)), m(0))); });
    st.step([&] { f.ebc = toSingle(div(double(kleur) * double(r.Doelstellingen(volume)), m(0))); });

    // The measured texts in the labels: the whole text must be a number.
    st.step([&] {
        const double vol = num::strictDouble(e(0, b));
        l.vol.setText(QStringLiteral("Volume (L): ") + signLead(vol) + plain(vol) + QStringLiteral("  (")
                      + format(f.alc, u"##.0") + QStringLiteral(" vol%)"));
    });
    st.step([&] {
        const double og = num::strictDouble(e(1, b)), fg = num::strictDouble(e(2, b));
        l.fgog.setText(QStringLiteral("OG:") + signLead(og) + plain(og) + QStringLiteral("  Eind SG:") + signLead(fg)
                       + plain(fg) + QStringLiteral(" (kg/m3)"));
    });
    st.step([&] {
        l.bzr.setText(QStringLiteral("BZR (%): ") + format(f.bzr, u"###.0") + QStringLiteral("   SVG (%): ")
                      + format(f.svg, u"###.0"));
    });
    // Bitterness within 5 % either side, colour within 10 %.
    st.step([&] {
        l.ebu.setText(QStringLiteral("Bitterheid (EBU): ") + format(double(f.ebu) * 0.95, u"###.0")
                      + QStringLiteral(" - ") + format(double(f.ebu) * 1.05, u"###.0"));
    });
    st.step([&] {
        l.ebc.setText(QStringLiteral("Kleur (EBC): ") + format(double(f.ebc) * 0.9, u"###") + QStringLiteral(" - ")
                      + format(double(f.ebc) * 1.1, u"###"));
    });
}

}  // namespace

bool Evalueer(Session &s)
{
    Steps st;
    RecipeState &r = s.recipe;
    DisplayModel &v = s.view;
    const Table1D<float> &d = r.Doelstellingen;

    if ((r.ReceptStatus & StatusDoelstellingen) == StatusDoelstellingen) {
        v.fraEvalDS.visible = true;
        static const char *const lead[5] = {"Volume (L): ", "Alcoholpercentage (vol%): ", "Eind SG (kg/m3): ",
                                            "Bitterheid (EBU): ", "Koolzuurgehalte (gr/L): "};
        st.stepIf([&] { return d(1) > 0; },
                  [&] {
                      const float v1 = d(1);
                      v.lbl_EvDS[0].setText(QLatin1String(lead[0]) + signLead(v1) + plain(v1) + QStringLiteral("   (= ")
                                            + format(double(r.OGSG) * double(v1) / 1000.0, u"###.#")
                                            + QStringLiteral(" kg)"));
                  });
        // Row k of a beer's panel shows target `index`, when it is above 0.
        auto planned = [&](LabelSlot &label, int k, int index) {
            st.stepIf([&] { return d(index) > 0; },
                      [&] {
                          const float x = d(index);
                          label.setText(QLatin1String(lead[k]) + signLead(x) + plain(x));
                      });
        };
        for (int k = 1; k < 5; ++k)
            planned(v.lbl_EvDS[std::size_t(k)], k, k + 1);
        if (s.app.dubbelBrouw) {
            v.fraEvalDS2.visible = true;
            for (int k = 0; k < 5; ++k)
                planned(v.lbl_EvDS2[std::size_t(k)], k, k + 6);
        }
    } else {
        v.fraEvalDS.visible = false;
        v.fraEvalDS2.visible = false;
    }

    if ((r.ReceptStatus & StatusEvaluatie) == StatusEvaluatie) {
        v.fraEvalEv.visible = true;
        measuredBeer(st, s, 0, 5, 4, 1, r.KleurEBC, {r.EvAlc, r.EvBZR, r.EvSVG, r.EvEBU, r.EvEBC},
                     {v.lbl_Eval_vol, v.lbl_Eval_FGOG, v.lbl_Eval_BZR, v.lbl_Eval_EBU, v.lbl_Eval_EBC});
        if (s.app.dubbelBrouw) {
            v.fraEvalEv.caption = QStringLiteral(" Evaluatie dikbier ");
            v.fraEvalEv2.visible = true;
            // A second-beer column exists only once the array was enlarged.
            if (r.Evaluatie.colUbound() > 0) {
                measuredBeer(st, s, 1, 10, 9, 6, r.KleurEBC2, {r.EvAlc2, r.EvBZR2, r.EvSVG2, r.EvEBU2, r.EvEBC2},
                             {v.lbl_Eval2_vol, v.lbl_Eval2_FGOG, v.lbl_Eval2_BZR, v.lbl_Eval2_EBU, v.lbl_Eval2_EBC});
            }
        }
    }
    s.viewChanged();
    return st.failed == 0;
}

}  // namespace mostarium

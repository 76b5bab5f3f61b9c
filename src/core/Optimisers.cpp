#include "Optimisers.h"

#include "CalcError.h"
#include "Formulas.h"
#include "NumText.h"
#include "Recalc.h"
#include "RecipeLimits.h"
#include "Services.h"
#include "Session.h"

#include <QStringList>

#include <cmath>

namespace mostarium {

OptiMaischer &optiMaischer()
{
    static OptiMaischer o;
    return o;
}

namespace {

const QString kNoTargets = QStringLiteral("Recept heeft geen doelstellingen! Er valt niets te optimaliseren.");
const QString kNoMash =
    QStringLiteral("Recept heeft geen gemaischte storting of geen maischschema! Er valt niets te optimaliseren.");
const QString kNoEvaporation =
    QStringLiteral("Evaporatie is 0 L/uur: de kooktijd is niet te berekenen! Pas eerst de systeemparameters aan.");
const QString kRecalcFailed = QStringLiteral("Recept kan niet berekend worden! OptiMaischer is gestopt.");
const QString kNoProgress = QStringLiteral(
    "Geen oplossing: de stappen veranderen wort, maisch en kooktijd niet meer! OptiMaischer is gestopt.");
const QString kNoSpargeWort = QStringLiteral(
    "Gewenste kooktijd niet te bereiken: er wordt geen spoelwort meer opgevangen! OptiMaischer is gestopt.");
const QString kTooManySteps = QStringLiteral("Geen oplossing gevonden na %1 stappen! OptiMaischer is gestopt.");
const QString kTooSmall = QStringLiteral("Ketel of filterkuip is te klein voor dit recept! OptiMaischer is gestopt.");
const QString kUnchanged = QStringLiteral("Het recept is niet gewijzigd.");
// Within the combined command the steps before this one keep their changes.
const QString kStepUnchanged =
    QStringLiteral("Deze stap van OptiMaischer heeft het recept niet gewijzigd; eerdere stappen blijven behouden.");
const QString kBusy = QStringLiteral("OptiMaischer is bezig! Wacht tot het optimaliseren klaar is.");

const QString kPromptKooktijd = QStringLiteral("Voer gewenste kooktijd in.");
const QString kPromptDikte = QStringLiteral("Voer minimum beslag dikte in (2-6 L/kg).");
const QString kNoNumber = QStringLiteral("\"%1\" is geen getal! Voer een getal in.");

// Ends a run: the recipe goes back to where it started and the user is told why.
struct NoFit {
    QString message;
};

// The values an optimiser may change.
struct Snapshot {
    float volume = 0;
    float beslaan = 0;
    float spoelenTot = 0;
    QStringList grams;  // the aroma rows' gram column
    bool operator==(const Snapshot &) const = default;
};

Snapshot take(const RecipeState &r)
{
    Snapshot p;
    if (r.Doelstellingen.has(1))
        p.volume = r.Doelstellingen(1);
    if (r.Maischschema.has(0, 0))
        p.beslaan = r.Maischschema(0, 0);
    p.spoelenTot = r.SpoelenTot;
    for (int i = 0; r.Aromahop.has(i, HopGram); ++i)
        p.grams << r.Aromahop(i, HopGram);
    return p;
}

// Asks a number until one in [lo, hi] is entered; false on Cancel or an empty
// text. The number is kept before the range test, so a refused value is the
// next default. A text that is no number is said so and asked again with
// that text, so the brewer corrects what was typed; the number keeps its
// value.
bool askNumber(const QString &prompt, double &var, double lo, double hi)
{
    QString shown = num::plain(var);
    for (;;) {
        const std::optional<QString> answer = services().inputBox(prompt, OptiMaischerTitle, shown, InputKind::Decimal);
        if (!answer || answer->isEmpty())
            return false;
        try {
            var = num::strictDouble(*answer);
        } catch (const CalcError &) {
            services().msgBox(kNoNumber.arg(*answer), mb::Exclamation, OptiMaischerTitle);
            shown = *answer;
            continue;
        }
        if (var >= lo && var <= hi)
            return true;
        shown = num::plain(var);
    }
}

bool askKooktijd(const RecipeState &r, OptiMaischer &o)
{
    o.GewensteKooktijd = r.Bitterhop.has(0, HopKooktijd) ? num::val(r.Bitterhop(0, HopKooktijd)) : 0.0;
    return askNumber(kPromptKooktijd, o.GewensteKooktijd, 20, 120);
}

bool askDikte(OptiMaischer &o)
{
    o.MinimumBeslagDikte = 2.5;
    return askNumber(kPromptDikte, o.MinimumBeslagDikte, 2, 6);
}

// Leaves the optimiser flag as it found it, so nested runs (the combined
// command) keep it set until the outer one ends.
class BusyFlag {
public:
    explicit BusyFlag(AppState &app) : m_app(app), m_before(app.optimiserBusy) { app.optimiserBusy = true; }
    ~BusyFlag() { m_app.optimiserBusy = m_before; }
    // True inside a run that was already going (the combined command).
    bool nested() const { return m_before; }
    BusyFlag(const BusyFlag &) = delete;
    BusyFlag &operator=(const BusyFlag &) = delete;

private:
    AppState &m_app;
    bool m_before;
};

// One run of an optimiser: recalculates, reads K, M and B, and watches the
// bounds. Every abnormal end throws NoFit.
class Run {
public:
    Run(Session &s, OptiMaischer &o, bool needsBoilTime)
        : r(s.recipe), m_s(s), m_o(o), m_busy(s.app), m_needsBoilTime(needsBoilTime)
    {
        m_o.recalculations = 0;
    }

    // Checks that need no recalculation; true when the run may go on.
    bool preconditions() const
    {
        if (!r.hasStatus(StatusDoelstellingen) || !r.Doelstellingen.has(1) || !(r.Doelstellingen(1) > 0)) {
            services().msgBox(kNoTargets, mb::Exclamation, OptiMaischerTitle);
            return false;
        }
        if (m_needsBoilTime && !(r.Evaporatie > 0)) {
            services().msgBox(kNoEvaporation, mb::Exclamation, OptiMaischerTitle);
            return false;
        }
        return true;
    }

    // The first recalculation; the recipe must yield a first wort.
    void begin()
    {
        m_start = take(r);
        if (!r.Maischschema.has(0, 0))
            throw NoFit{kNoMash};
        recalc();
        if (!(r.StortingMaisch > 0) || !(r.BZRMaisch > 0) || !(r.BeslaanVolume > 0))
            throw NoFit{kNoMash};
    }

    // Recalculation after a step. `idleIsFatal`: a step that changes none of
    // the figures compared ends the run. The closing recalculation of a run is
    // not `bounded` by the step count.
    void step(bool idleIsFatal, bool bounded = true)
    {
        if (bounded && m_o.recalculations >= m_o.maxSteps)
            throw NoFit{kTooManySteps.arg(m_o.maxSteps)};
        const float k0 = K;
        const double m0 = M, b0 = B;
        recalc();
        if (idleIsFatal && K == k0 && M == m0 && (!m_needsBoilTime || B == b0))
            throw NoFit{r.SpoelwortVolume > 0 ? kNoProgress : kNoSpargeWort};
    }
    void finish() { step(false, false); }

    bool kettleFull() const { return K >= float(r.KetelInhoud); }
    bool tunFull() const { return float(M) >= r.FilterKuipInhoud; }
    bool full() const { return kettleFull() || tunFull(); }

    // Mash thickness: its decimal value, and a step through its plain text so
    // that 2.7 becomes exactly 2.75 with no creeping error.
    double x() const { return num::val(num::plain(r.Maischschema(0, 0))); }
    void stepX(double delta) { r.Maischschema(0, 0) = float(num::val(num::plain(x() + delta))); }
    void stepS(double delta) { r.SpoelenTot = float(double(r.SpoelenTot) + delta); }
    void stepVolume(double delta)
    {
        r.Doelstellingen(1) = float(double(r.Doelstellingen(1)) + delta);
        if (!(r.Doelstellingen(1) > 0))
            throw NoFit{kTooSmall};
    }

    // Puts back what the run changed and recalculates for it.
    void restore()
    {
        if (take(r) == m_start)
            return;
        if (r.Doelstellingen.has(1))
            r.Doelstellingen(1) = m_start.volume;
        if (r.Maischschema.has(0, 0))
            r.Maischschema(0, 0) = m_start.beslaan;
        r.SpoelenTot = m_start.spoelenTot;
        for (int i = 0; i < m_start.grams.size() && r.Aromahop.has(i, HopGram); ++i)
            r.Aromahop(i, HopGram) = m_start.grams.at(i);
        UpdateBrouwschema(m_s);
        ++m_o.recalculations;
    }

    // What an abnormal end may say about the recipe.
    const QString &unchangedText() const { return m_busy.nested() ? kStepUnchanged : kUnchanged; }

    void markChanged()
    {
        if (!(take(r) == m_start))
            r.ReceptGewijzigd = true;
    }

    float K = 0;
    double M = 0;
    double B = 0;
    RecipeState &r;

private:
    void recalc()
    {
        // After a failed recalculation the figures are not the recipe's.
        const RecalcOutcome outcome = UpdateBrouwschema(m_s);
        ++m_o.recalculations;

        K = float(double(r.VrijeHoofdwort) + double(r.SpoelwortVolume));
        M = GeschatMaischVolume(r.Maischschema(0, 0), r.StortingMaisch, r.VolFilterPlaatBodem);
        // Without the brewing loss: the target volume is back as stored.
        B = m_needsBoilTime ? GeschatteKooktijd(double(r.VrijeHoofdwort) + double(r.SpoelwortVolume),
                                                r.Doelstellingen(1), r.Evaporatie)
                            : 0.0;
        if (!outcome || !std::isfinite(K) || !std::isfinite(M) || !std::isfinite(B))
            throw NoFit{kRecalcFailed};
    }

    Session &m_s;
    OptiMaischer &m_o;
    BusyFlag m_busy;
    bool m_needsBoilTime;
    Snapshot m_start;
};

// Runs `body` inside a run: an abnormal end restores the recipe and tells why;
// a normal end marks a changed recipe as changed.
template <typename Body>
OptiResult guarded(Run &run, Body body)
{
    try {
        run.begin();
        body();
        run.markChanged();
        return OptiResult::Done;
    } catch (const NoFit &e) {
        try {
            run.restore();
        } catch (const CalcError &) {
        }
        services().msgBox(e.message + QLatin1Char('\n') + run.unchangedText(), mb::Exclamation, OptiMaischerTitle);
    } catch (const CalcError &) {
        try {
            run.restore();
        } catch (const CalcError &) {
        }
        services().msgBox(kRecalcFailed + QLatin1Char('\n') + run.unchangedText(), mb::Exclamation, OptiMaischerTitle);
    }
    return OptiResult::NoFit;
}

}  // namespace

bool scaleAromaGrams(Table2D<QString> &rows, double f)
{
    if (rows.cols() <= HopGram || !std::isfinite(f))
        return false;
    for (int i = 0; i <= rows.rowUbound(); ++i) {
        // Grams too large for a double end the scaling as a product too
        // large does; the rows before stay rewritten.
        const std::optional<double> grams = num::leadingNumber(rows(i, HopGram));
        if (!grams)
            return false;
        const double g = *grams * f;
        if (!std::isfinite(g))
            return false;
        rows(i, HopGram) = num::format(g, u"###");
    }
    return true;
}

void SchaalAromaHop(RecipeState &r, float V0)
{
    if (!r.Doelstellingen.has(1))
        return;
    const float f = r.Doelstellingen(1) / V0;
    if (!std::isfinite(f))
        return;
    scaleAromaGrams(r.Aromahop, double(f));
}

OptiResult MaximizeVolume(Session &s, OptiMaischer &o)
{
    Run run(s, o, false);
    if (!run.preconditions())
        return OptiResult::NoFit;
    RecipeState &r = s.recipe;
    const float V0 = r.Doelstellingen(1);
    return guarded(run, [&] {
        while (!run.full()) {
            run.stepVolume(1.0);
            run.step(true);
            services().processEvents();
        }
        run.stepVolume(-1.0);
        SchaalAromaHop(r, V0);
        run.finish();
    });
}

OptiResult OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(Session &s, OptiMaischer &o, bool VraagKooktijd,
                                                              bool VraagMinimumDikte)
{
    Run run(s, o, true);
    if (!run.preconditions())
        return OptiResult::NoFit;
    if (VraagKooktijd && !askKooktijd(s.recipe, o))
        return OptiResult::Cancelled;
    if (VraagMinimumDikte && !askDikte(o))
        return OptiResult::Cancelled;
    const double W = o.GewensteKooktijd;
    const double minimum = o.MinimumBeslagDikte;
    return guarded(run, [&] {
        if (run.B > W) {
            double Bp = run.B;
            while (!(run.full() || run.B <= W || run.x() < minimum)) {
                // A round in which the boil time rose only takes the new
                // figure as the one to compare with.
                const bool stepped = run.B <= Bp;
                if (stepped)
                    run.stepX(-0.05);
                Bp = run.B;
                run.step(stepped);
            }
            run.stepX(0.05);
        } else {
            while (!(run.full() || run.B > W || run.x() <= 1.6)) {
                run.stepX(0.05);
                run.step(true);
            }
            run.stepX(-0.05);
        }
        run.finish();
    });
}

OptiResult OptimizeSpoelenTotToFulfillDefinedBoilingTime(Session &s, OptiMaischer &o, bool VraagKooktijd)
{
    Run run(s, o, true);
    if (!run.preconditions())
        return OptiResult::NoFit;
    if (VraagKooktijd && !askKooktijd(s.recipe, o))
        return OptiResult::Cancelled;
    const double W = o.GewensteKooktijd;
    RecipeState &r = s.recipe;
    return guarded(run, [&] {
        if (run.B > W) {
            while (!(run.full() || run.B <= W || r.SpoelenTot < 3.0f)) {
                run.stepS(0.1);
                run.step(true);
            }
            run.stepS(-0.1);
        } else {
            // Ends at 3.0 at the latest; the step bound covers an absurd start.
            while (!(run.full() || run.B > W || r.SpoelenTot < 3.0f)) {
                run.stepS(-0.1);
                run.step(false);
            }
            run.stepS(0.1);
        }
        run.finish();
    });
}

OptiResult OptimizeWaterBill(Session &s, OptiMaischer &o, bool VraagKooktijd, bool VraagMinimumDikte)
{
    Run run(s, o, true);
    if (!run.preconditions()) {
        o.OptiMaischerAfgebroken = true;
        return OptiResult::NoFit;
    }
    if ((VraagKooktijd && !askKooktijd(s.recipe, o)) || (VraagMinimumDikte && !askDikte(o))) {
        o.OptiMaischerAfgebroken = true;
        return OptiResult::Cancelled;
    }
    const double W = o.GewensteKooktijd;
    const double minimum = o.MinimumBeslagDikte;
    // A step that fills the lauter tun costs 5 L of target volume.
    const auto lowerVolumeWhenTunFull = [&] {
        if (run.tunFull()) {
            run.stepVolume(-5.0);
            run.step(false);
        }
    };
    const OptiResult result = guarded(run, [&] {
        if (run.B > W) {
            double Bp = run.B;
            while (!(run.full() || run.B <= W || run.x() <= 1.6)) {
                if (run.x() >= minimum && run.B <= Bp)
                    run.stepX(-0.05);
                else
                    run.stepS(0.1);
                Bp = run.B;
                run.step(true);
                lowerVolumeWhenTunFull();
            }
            run.stepX(0.05);
        } else {
            while (!(run.full() || run.B > W || run.x() <= 1.5)) {
                run.stepX(0.05);
                run.step(true);
                lowerVolumeWhenTunFull();
            }
            run.stepX(-0.05);
        }
        run.finish();
    });
    if (result != OptiResult::Done)
        o.OptiMaischerAfgebroken = true;
    return result;
}

bool refuseWhileOptimising(Session &s)
{
    if (!s.app.optimiserBusy)
        return false;
    services().msgBox(kBusy, mb::Exclamation, OptiMaischerTitle);
    return true;
}

bool refuseWhileOptimising() { return refuseWhileOptimising(session()); }

void mnuMaximumVolume_Click(Session &s, OptiMaischer &o)
{
    if (refuseWhileOptimising(s))
        return;
    MaximizeVolume(s, o);
}

void mnuWaterBeslagRatio_Click(Session &s, OptiMaischer &o)
{
    if (refuseWhileOptimising(s))
        return;
    OptimizeWaterThrowRatioToFulfillDefinedBoilingTime(s, o, true, true);
}

void mnuWaterSpoelenTot_Click(Session &s, OptiMaischer &o)
{
    if (refuseWhileOptimising(s))
        return;
    OptimizeSpoelenTotToFulfillDefinedBoilingTime(s, o, true);
}

void mnuMaximumVolumePlusWater_Click(Session &s, OptiMaischer &o)
{
    if (refuseWhileOptimising(s))
        return;
    BusyFlag busy(s.app);
    o.OptiMaischerAfgebroken = false;
    OptimizeWaterBill(s, o, true, true);
    if (o.OptiMaischerAfgebroken)
        return;
    // The sparge optimiser reuses the boil time just entered.
    if (MaximizeVolume(s, o) == OptiResult::Done)
        OptimizeSpoelenTotToFulfillDefinedBoilingTime(s, o, false);
}

void mnuWaterBeslagRatioPlusDoelstelling_Click(Session &s, OptiMaischer &o)
{
    if (refuseWhileOptimising(s))
        return;
    OptimizeWaterBill(s, o, true, true);
}

void mnuMaximumVolume_Click() { mnuMaximumVolume_Click(session(), optiMaischer()); }
void mnuWaterBeslagRatio_Click() { mnuWaterBeslagRatio_Click(session(), optiMaischer()); }
void mnuWaterSpoelenTot_Click() { mnuWaterSpoelenTot_Click(session(), optiMaischer()); }
void mnuMaximumVolumePlusWater_Click() { mnuMaximumVolumePlusWater_Click(session(), optiMaischer()); }
void mnuWaterBeslagRatioPlusDoelstelling_Click()
{
    mnuWaterBeslagRatioPlusDoelstelling_Click(session(), optiMaischer());
}

}  // namespace mostarium

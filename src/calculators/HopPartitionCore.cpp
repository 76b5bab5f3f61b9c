#include "HopPartitionCore.h"

#include "core/CalcError.h"
#include "core/NumText.h"

#include <algorithm>
#include <cmath>

namespace mostarium::calc {

namespace {

// Two decimals, halves to the even digit, then one shown.
QString shareText(double percent)
{
    const double rounded = std::nearbyint(num::finite(percent * 100.0)) / 100.0;
    return num::format(rounded, u"####.0");
}

QString gramText(double grams) { return num::format(num::finite(grams), u"####.0"); }

bool alfaGood(const std::optional<double> &a) { return a && *a > 0 && *a < 25; }

// A box's number for the computation; a box without one (a number no double
// holds) is an overflow.
double number(const std::optional<double> &v)
{
    if (!v)
        throwOverflow();
    return *v;
}

}  // namespace

int hopRijen(const QString &aantal)
{
    const double v = num::val(aantal);
    if (!(v >= 1))
        return 1;
    if (v > MaxHopSoorten)
        return MaxHopSoorten;
    return std::clamp(int(num::toInt16(v)), 1, MaxHopSoorten);
}

bool HopPartitionBad::any() const
{
    const auto set = [](bool b) { return b; };
    return gramNodig || alfaNodig || std::any_of(alfa.begin(), alfa.end(), set)
           || std::any_of(gram.begin(), gram.end(), set);
}

HopPartitionBad controleerHopPartition(const HopPartitionInput &in)
{
    HopPartitionBad bad;
    const auto grams = [](const std::optional<double> &g) { return g && *g > 0; };
    bad.gramNodig = !grams(in.gramNodig);
    bad.alfaNodig = !alfaGood(in.alfaNodig);
    for (int i = 0; i < in.n; ++i) {
        bad.alfa[std::size_t(i)] = !alfaGood(in.alfa[std::size_t(i)]);
        if (i < in.n - 1)
            bad.gram[std::size_t(i)] = !grams(in.gram[std::size_t(i)]);
    }
    return bad;
}

HopPartitionResult hopPartition(const HopPartitionInput &in)
{
    HopPartitionResult r;
    const int n = std::clamp(in.n, 1, MaxHopSoorten);
    const auto last = std::size_t(n - 1);
    // The numbers read: the rows' alpha acids, the grams of all but the last.
    std::array<double, MaxHopSoorten> alfa{}, gram{};
    for (std::size_t i = 0; i <= last; ++i) {
        alfa[i] = number(in.alfa[i]);
        if (i < last)
            gram[i] = number(in.gram[i]);
    }
    const double T = number(in.gramNodig) * number(in.alfaNodig);
    if (n == 1) {
        r.antwoord = gramText(num::div(T, alfa[0]));
        r.perc[0] = QStringLiteral("100");
        r.keepFirstColour = true;
        return r;
    }
    double U = 0, S = 0;
    bool restComputed = false;
    if (n == 2) {
        U = alfa[0] * gram[0];
        if (num::div(U, T) <= 1) {
            r.perc[0] = shareText(num::div(U * 100.0, T));
            r.perc[1] = shareText(100.0 - num::val(r.perc[0]));
            r.antwoord = gramText(num::div(T - U, alfa[1]));
            restComputed = true;
        } else {
            r.perc[0] = QStringLiteral(">100%");
            r.percRed[0] = true;
        }
    } else {
        for (std::size_t i = 0; i < last; ++i) {
            U += alfa[i] * gram[i];
            if (num::div(U, T) <= 1) {
                r.perc[i] = shareText(num::div(gram[i] * 100.0 * alfa[i], T));
                S += num::val(r.perc[i]);
            } else {
                r.perc[i] = QStringLiteral(">100%");
                r.percRed[i] = true;
            }
        }
        if (num::div(U, T) < 1) {
            r.perc[last] = shareText(100.0 - S);
            r.antwoord = gramText(num::div(num::div((100.0 - S) * T, 100.0), alfa[last]));
            restComputed = true;
        }
    }
    if (!restComputed) {
        r.perc[last].clear();
        r.antwoord.clear();
    }
    return r;
}

QStringList hopPartitionLines(const QStringList &alfa, const QStringList &gram, const QStringList &perc)
{
    QStringList lines;
    for (qsizetype i = 0; i < alfa.size(); ++i)
        lines << QStringLiteral(" %1:  ").arg(i + 1) + alfa.value(i) + QStringLiteral("%  ") + gram.value(i)
                     + QStringLiteral("gr  ") + perc.value(i);
    return lines;
}

}  // namespace mostarium::calc

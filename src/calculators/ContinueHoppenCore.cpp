#include "ContinueHoppenCore.h"

#include "CalcCore.h"

#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/RecipeLimits.h"

#include <cmath>

namespace mostarium::calc {

bool ContinueHoppenCheck::good() const
{
    return !(doelEBU || kooktijd || interval || startSG || eindSG || alfazuur || vorm || volume || prefix);
}

ContinueHoppenCheck controleerContinueHoppen(const ContinueHoppenInput &in)
{
    ContinueHoppenCheck c;
    // The boxes' leading numbers; one too large for a double passes no check
    // and is compared with nothing.
    const auto minuten = [](const QString &text) -> std::optional<double> {
        if (const std::optional<double> v = num::leadingNumber(text))
            return std::nearbyint(*v);
        return std::nullopt;
    };
    const std::optional<double> kook = minuten(in.kooktijd), interval = minuten(in.interval);
    const std::optional<double> start = num::leadingNumber(in.startSG), eind = num::leadingNumber(in.eindSG);
    const std::optional<double> volume = num::leadingNumber(in.volume);
    c.doelEBU = !inRange(in.doelEBU, 0, 200);
    c.kooktijd = !(kook && inRange(*kook, 0, 150));
    c.interval = !(interval && inRange(*interval, 0, 150));
    c.startSG = !(start && inRange(*start, 1020, 1150));
    c.eindSG = !(eind && inRange(*eind, 1020, 1150));
    c.alfazuur = !inRange(in.alfazuur, 0, 25);
    c.volume = !(volume && *volume > 0);
    if (kook && interval && !(*kook > *interval)) {
        c.kooktijd = c.interval = true;
        c.status = QStringLiteral("Interval groter dan kooktijd!");
    }
    if (start && eind && !(*eind > *start)) {
        c.startSG = c.eindSG = true;
        c.status = QStringLiteral("Start SG groter dan eind SG!");
    }
    // Another form has no factor: no grams in the equal-EBU modes, none that
    // could be finite in the equal-grams mode.
    const QString vorm = in.vorm.trimmed().toLower();
    c.vorm = !vorm.contains(QLatin1String("bloemen")) && !vorm.contains(QLatin1String("pellets"));
    if (prefixBad(in.prefix)) {
        c.prefix = true;
        c.status = prefixFoutText();
    }
    return c;
}

int aantalHopgiften(const QString &kooktijd, const QString &interval, ChModus modus)
{
    const int kook = num::toInt32(num::val(kooktijd)), iv = num::toInt32(num::val(interval));
    if (iv <= 0)
        return 0;
    int n = kook / iv + 1;
    if (modus != ChModus::GelijkeGrammen && kook % iv == 0)
        --n;
    return n;
}

const ChRow &chHeader()
{
    static const ChRow header{QStringLiteral("# "),          QStringLiteral("tijd "), QStringLiteral("kooktijd "),
                              QStringLiteral(" SG "),        QStringLiteral("gram "), QStringLiteral("EBU "),
                              QStringLiteral("Totaal EBU  ")};
    return header;
}

QString aantalText(int n) { return QStringLiteral("Aantal Hopgiften: ") + QString::number(n); }
QString totaalText(const QString &gram) { return QStringLiteral("Totale Hopgift (gr): ") + gram; }
QString teGrootText()
{
    return QStringLiteral("EBU verschil te groot! Huidige waarde geeft negatieve EBU-waarde(n)!.");
}

namespace {

struct Punt {
    float sg;
    std::int16_t kooktijd;
};

ChRow firstColumns(int i, double interval, const Punt &p)
{
    ChRow row;
    row[0] = num::format(double(i + 1), u"##0");
    row[1] = num::format(double(i) * interval, u"##0");
    row[2] = num::format(double(p.kooktijd), u"##0");
    row[3] = num::format(p.sg, u"####.0");
    return row;
}

}  // namespace

ContinueHoppenSchema continueHoppen(const ContinueHoppenInput &in)
{
    ContinueHoppenSchema s;
    const ChModus modus = in.modus;
    const int n = aantalHopgiften(in.kooktijd, in.interval, modus);
    s.n = n;
    if (n < 1)
        return s;
    const double kook = num::val(in.kooktijd), interval = num::val(in.interval);
    const double start = num::val(in.startSG), eind = num::val(in.eindSG);
    const double doel = num::val(in.doelEBU);
    const float alfa = num::toSingle(num::val(in.alfazuur));
    const float volume = num::toSingle(num::val(in.volume));
    const double stap = num::div(eind - start, double(n));
    std::vector<Punt> punten(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        punten[std::size_t(i)] = {num::toSingle(start + double(i) * stap), num::toInt16(kook - double(i) * interval)};
    QString vorm = in.vorm;

    if (modus == ChModus::GelijkeGrammen) {
        double som = 0;
        for (const Punt &p : punten)
            som += double(BerekenEBU(10.0f, vorm, alfa, volume)) * HopUtilisatie(p.sg, p.kooktijd);
        const float gram = num::toSingle(num::div(10.0 * doel, som));
        som = 0;
        for (int i = 0; i < n; ++i) {
            const Punt &p = punten[std::size_t(i)];
            const double ebu =
                num::finite(double(BerekenEBU(gram, vorm, alfa, volume)) * HopUtilisatie(p.sg, p.kooktijd));
            som += ebu;
            ChRow row = firstColumns(i, interval, p);
            row[4] = num::format(gram, u"###.0");
            row[5] = num::format(ebu, u"###.0");
            row[6] = num::format(som, u"###.0");
            s.rows.push_back(row);
        }
        const float totaal = num::toSingle(double(gram) * double(n));
        s.totaal = num::format(totaal, u"####.0");
        s.totaalGram = totaal;
        s.totaalEBU = som;
        return s;
    }

    std::vector<float> ebus(static_cast<std::size_t>(n));
    const float gemiddeld = num::toSingle(num::div(doel, double(n)));
    if (modus == ChModus::GelijkeEBU) {
        std::fill(ebus.begin(), ebus.end(), gemiddeld);
    } else {
        // A difference too large for a double is too large as any other
        // that would give a negative EBU.
        const std::optional<double> verschil = num::leadingNumber(in.ebuVerschil);
        if (!verschil) {
            s.teGroot = true;
            return s;
        }
        const double d = *verschil;
        const float half = num::toSingle(num::div(d, 2.0));
        for (int i = 0; i < n; ++i) {
            const float deel = num::toSingle(num::div(double(i), double(n - 1)));
            ebus[std::size_t(i)] = num::toSingle(double(gemiddeld) - double(half) + d * double(deel));
            if (!(ebus[std::size_t(i)] > 0)) {
                s.teGroot = true;
                return s;
            }
        }
    }
    double gramSom = 0, ebuSom = 0;
    for (int i = 0; i < n; ++i) {
        const Punt &p = punten[std::size_t(i)];
        const float ebu = ebus[std::size_t(i)];
        const double gram =
            num::div(double(BerekenHopGewicht(vorm, ebu, volume, alfa)), HopUtilisatie(p.sg, p.kooktijd));
        gramSom += gram;
        ChRow row = firstColumns(i, interval, p);
        row[4] = num::format(gram, u"####.0");
        row[5] = num::format(ebu, u"###.0");
        if (modus == ChModus::GelijkeEBU) {
            const float running = num::toSingle(double(i + 1) * double(ebu));
            row[6] = num::format(running, u"###.0");
            ebuSom = running;
        } else {
            ebuSom += double(ebu);
            row[6] = num::format(ebuSom, u"###.0");
        }
        s.rows.push_back(row);
    }
    s.totaal = num::format(gramSom, u"####.0");
    s.totaalGram = gramSom;
    s.totaalEBU = ebuSom;
    return s;
}

QStringList continueHoppenLines(const QStringList &labelled, const std::vector<ChRow> &grid)
{
    QStringList lines = labelled;
    lines << QString();
    for (const ChRow &row : grid)
        lines << QStringList(row.begin(), row.end()).join(QLatin1Char(','));
    return lines;
}

}  // namespace mostarium::calc

#include "SysParameters.h"

#include "Ini.h"
#include "NumText.h"
#include "Paths.h"
#include "Session.h"
#include "ZymSettings.h"

#include <optional>

namespace mostarium {

namespace {
struct Rule {
    const char *readKey;   // as the start-up reads it
    const char *writeKey;  // as the window writes it (the same entry: names match without regard to case)
    const char *def;
    Limit range;
    const char *bounds;
};

constexpr double MaxLitres = 32767;

// Halves go to the even neighbour: 0.5 would be 0 litres, 32767.5 too many.
const Rule kRules[SpCount] = {
    {"KetelInhoud",
     "Ketelinhoud",
     "200",
     {.lo = 0.5, .hi = MaxLitres + 0.5, .hiPasses = false},
     "Ketel inhoud: een heel aantal liters, van 1 tot en met 32767."},
    {"FilterKuipInhoud",
     "FilterKuipInhoud",
     "150",
     {.lo = 0, .hi = MaxLitres},
     "Filterkuip inhoud: een getal groter dan 0 en hoogstens 32767 liter."},
    {"FixedVolFilterPlaatBodem",
     "FixedVolFilterPlaatBodem",
     "8",
     {.lo = 0, .hi = MaxLitres, .loPasses = true},
     "Volume onder filterplaat: een getal van 0 tot en met 32767 liter."},
    {"VolFilterPlaatBodem",
     "VolFilterPlaatBodem",
     "8",
     {.lo = 0, .hi = MaxLitres, .loPasses = true},
     "Water toegevoegd onder filterplaat: een getal van 0 tot en met 32767 liter."},
    {"Evaporatie",
     "Evaporatie",
     "25",
     {.lo = 0, .hi = MaxLitres},
     "Evaporatie: een getal groter dan 0 en hoogstens 32767 liter per uur."},
    {"BrouwVerlies",
     "BrouwVerlies",
     "0",
     {.lo = 0, .hi = MaxLitres, .loPasses = true},
     "Brouwverlies: een getal van 0 tot en met 32767 liter."},
};

const QString kSection = QStringLiteral("SysteemVariabelen");

QString shown(float v) { return num::signedText(v).trimmed(); }

// A value that passed its check: the kettle rounded to whole litres, the
// others as single-precision numbers.
void store(RecipeState &r, SysParam p, double v)
{
    switch (p) {
    case SpKetel:
        r.KetelInhoud = num::toInt16(v);
        break;
    case SpFilterkuip:
        r.FilterKuipInhoud = num::toSingle(v);
        break;
    case SpFixedVolume:
        r.FixedVolFilterPlaatBodem = num::toSingle(v);
        break;
    case SpDoodVolume:
        r.VolFilterPlaatBodem = num::toSingle(v);
        break;
    case SpEvaporatie:
        r.Evaporatie = num::toSingle(v);
        break;
    case SpBrouwVerlies:
        r.BrouwVerlies = num::toSingle(v);
        break;
    case SpCount:
        break;
    }
}

// The value as it will be held, when that keeps its bounds too (a tiny
// evaporation must not become 0 as a single-precision number).
std::optional<double> held(const QString &text, const Limit &range, bool whole)
{
    const std::optional<double> v = numberInRange(text, range);
    if (!v)
        return std::nullopt;
    const double h = whole ? double(num::toInt16(*v)) : double(num::toSingle(*v));
    return range.holds(h) || whole ? std::optional<double>(h) : std::nullopt;
}

double readOne(const char *key, const char *def, const Limit &range, bool whole, QStringList &messages)
{
    const QString text = ReadINI(paths::zymIni(), kSection, QLatin1String(key), QLatin1String(def));
    if (const std::optional<double> v = held(text, range, whole))
        return *v;
    messages << invalidSettingText(QLatin1String(key), QLatin1String(def));
    return *held(QLatin1String(def), range, whole);
}
}  // namespace

SysParamTexts sysParamTexts(const Session &s)
{
    const RecipeState &r = s.recipe;
    return {shown(float(r.KetelInhoud)),  shown(r.FilterKuipInhoud), shown(r.FixedVolFilterPlaatBodem),
            shown(r.VolFilterPlaatBodem), shown(r.Evaporatie),       shown(r.BrouwVerlies)};
}

bool sysParamValid(SysParam p, const QString &text) { return held(text, kRules[p].range, p == SpKetel).has_value(); }

QString sysParamBounds(SysParam p) { return QString::fromUtf8(kRules[p].bounds); }

bool ControleerSysParameters(const SysParamTexts &texts, SysParamFlags &bad)
{
    bool good = true;
    for (int i = 0; i < SpCount; ++i) {
        bad[std::size_t(i)] = !sysParamValid(SysParam(i), texts[std::size_t(i)]);
        good = good && !bad[std::size_t(i)];
    }
    return good;
}

bool StoreSysParameters(Session &s, const SysParamTexts &texts)
{
    const QString ini = paths::zymIni();
    bool ok = true;
    for (int i = 0; i < SpCount; ++i) {
        QString v = i == SpKetel ? texts[std::size_t(i)].trimmed() : texts[std::size_t(i)];
        ok = WriteINI(ini, kSection, QString::fromLatin1(kRules[i].writeKey), v) && ok;
    }
    QString zero = QStringLiteral("0");
    ok = WriteINI(ini, QStringLiteral("StartUp"), QStringLiteral("EersteMaal"), zero) && ok;

    for (int i = 0; i < SpCount; ++i)
        store(s.recipe, SysParam(i), num::strictDouble(texts[std::size_t(i)]));  // checked before
    return ok;
}

QStringList ReadSysParameters(RecipeState &r)
{
    QStringList messages;
    auto read = [&](SysParam p) {
        store(r, p, readOne(kRules[p].readKey, kRules[p].def, kRules[p].range, p == SpKetel, messages));
    };
    read(SpKetel);
    r.MaximumAlcPerc = num::toSingle(readOne("MaximumAlcPerc", "20", {0, 100, false}, false, messages));
    read(SpFixedVolume);
    read(SpDoodVolume);
    read(SpEvaporatie);
    read(SpFilterkuip);
    read(SpBrouwVerlies);
    return messages;
}

}  // namespace mostarium

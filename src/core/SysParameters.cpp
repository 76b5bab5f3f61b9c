#include "SysParameters.h"

#include "CalcError.h"
#include "Ini.h"
#include "NumText.h"
#include "Paths.h"
#include "Session.h"

namespace mostarium {

namespace {
const char *const kKeys[SpCount] = {"Ketelinhoud", "FilterKuipInhoud", "FixedVolFilterPlaatBodem",
                                    "VolFilterPlaatBodem", "Evaporatie", "BrouwVerlies"};

QString shown(float v) { return num::signedText(v).trimmed(); }
} // namespace

SysParamTexts sysParamTexts(const Session &s)
{
    const RecipeState &r = s.recipe;
    return {shown(float(r.KetelInhoud)), shown(r.FilterKuipInhoud),  shown(r.FixedVolFilterPlaatBodem),
            shown(r.VolFilterPlaatBodem), shown(r.Evaporatie),       shown(r.BrouwVerlies)};
}

bool ControleerSysParameters(const SysParamTexts &texts, SysParamFlags &bad)
{
    bad.fill(false);
    try {
        const double kettle = num::val(texts[SpKetel]);
        bad[SpKetel] = kettle < 0.5 || kettle >= 32767.5;
    } catch (const CalcError &) {
        bad[SpKetel] = true;
    }
    for (int i : {SpFilterkuip, SpEvaporatie}) {
        try {
            bad[std::size_t(i)] = num::val(texts[std::size_t(i)]) <= 0.0;
        } catch (const CalcError &) {
            bad[std::size_t(i)] = true;
        }
    }
    for (int i : {SpFixedVolume, SpDoodVolume, SpBrouwVerlies}) {
        try {
            num::toSingle(num::val(texts[std::size_t(i)]));
        } catch (const CalcError &) {
            bad[std::size_t(i)] = true;
        }
    }
    for (bool b : bad)
        if (b)
            return false;
    return true;
}

bool StoreSysParameters(Session &s, const SysParamTexts &texts)
{
    const QString ini = paths::file(QStringLiteral("ZYM.ini"));
    const QString section = QStringLiteral("SysteemVariabelen");
    bool ok = true;
    for (int i = 0; i < SpCount; ++i) {
        QString v = i == SpKetel ? texts[std::size_t(i)].trimmed() : texts[std::size_t(i)];
        ok = WriteINI(ini, section, QString::fromLatin1(kKeys[i]), v) && ok;
    }
    QString zero = QStringLiteral("0");
    ok = WriteINI(ini, QStringLiteral("StartUp"), QStringLiteral("EersteMaal"), zero) && ok;

    RecipeState &r = s.recipe;
    r.KetelInhoud = num::toInt16(num::val(texts[SpKetel]));
    r.FilterKuipInhoud = num::toSingle(num::val(texts[SpFilterkuip]));
    r.FixedVolFilterPlaatBodem = num::toSingle(num::val(texts[SpFixedVolume]));
    r.VolFilterPlaatBodem = num::toSingle(num::val(texts[SpDoodVolume]));
    r.Evaporatie = num::toSingle(num::val(texts[SpEvaporatie]));
    r.BrouwVerlies = num::toSingle(num::val(texts[SpBrouwVerlies]));
    return ok;
}

} // namespace mostarium

// The shipped sample recipes on the shipped installation: they open without
// the system-parameter question and brew soundly. The figures are worked out
// by hand from the recipes below.
#include "core/DisplayModel.h"
#include "core/Ini.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/Session.h"
#include "support/FakeServices.h"
#include "support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace mostarium;
using namespace mostarium::test;

namespace {

const QString Shipped = QStringLiteral(MOSTARIUM_SOURCE_DIR "/resources/");

// The equipment values of the shipped ZYM.ini, as the start-up reads them.
void shippedInstallation(RecipeState &r)
{
    auto value = [](const char *key) {
        return ReadINI(Shipped + QStringLiteral("ZYM.ini"), QStringLiteral("SysteemVariabelen"), QLatin1String(key),
                       QStringLiteral("<none>"))
            .toFloat();
    };
    r.KetelInhoud = std::int16_t(value("KetelInhoud"));
    r.FixedVolFilterPlaatBodem = value("FixedVolFilterPlaatBodem");
    r.VolFilterPlaatBodem = value("VolFilterPlaatBodem");
    r.Evaporatie = value("Evaporatie");
    r.FilterKuipInhoud = value("FilterKuipInhoud");
    r.BrouwVerlies = value("BrouwVerlies");
}

struct SampleCase {
    const char *file;
    float wortLitres;  // after sparging
    std::vector<std::pair<const char *, const char *>> labels;
};

// Zomerblond, single brew, 100 L:
//   OG = 1012 + (6.5 - (6.5 - 2.25) * 0.125) / 0.132 = 1057.2 (14.0 Plato), 149.4 g/L;
//   grain 149.4 * 100 * (85 / 0.8 + 10 / 0.78 + 5 / 1) / 100 = 18540 g, mashed (no sugar) 17793 g;
//   mash water 5.9 * 17.793 = 105.0 L; mash 3.6 * 17.793 + 58.7 + 8 = 130.8 L in the 150 L tun;
//   first wort 0.7979 * 17793 / 113.0 L = 125.7 g/L = 1048.2; free first wort 105.0 - 30.2 = 74.7 L;
//   sparge to 3.0 Plato = 29.49 g/L: r = 115.2 / (29.49 - 10.47) - 1 = 5.06,
//   8.90 * ln 5.06 + 38.25 = 52.7 L; wort 74.7 + 52.7 = 127.4 L in the 200 L kettle;
//   boil (127.4 - 100) * 60 / 25 = 65.8 min; sparge water 52.7 - 8 - 1.8 = 42.9 L.
// Herfstbok, double brew, 75 L and 25 L:
//   OG 1070.2 (17.2 Plato, 183.8 g/L) and 1041.0 (10.1 Plato, 106.5 g/L);
//   grain (183.8 * 75 + 106.5 * 25) * 1.2781 = 21025 g, all mashed; mash water 5.2 * 21.025 = 109.3 L;
//   decoction (52 - 40) * 109.3 / 60 = 21.9 L + 10 min at 25 L/h = 26.0 L, the rest 87.5 L;
//   mash 2.9 * 21.025 + 69.4 + 8 = 138.4 L; first wort 0.7836 * 21025 / 117.3 L = 140.4 g/L;
//   free 73.6 L, r = 6.24, 10.51 * ln 6.24 + 43.74 = 63.0 L; wort 136.6 L: 100 L up to the
//   switch-over for the first beer, 36.6 L for the second.
const SampleCase samples[] = {
    {"Zomerblond.zlv",
     127.4f,
     {{"lbl_verwachtOG", "Verwacht OG: 1057 kg/m3 = 14.0 \u00b0Plato"},
      {"lbl_StIngred_0", "84.16% || 85.0%  Pilsmout 15759 gr"},
      {"lbl_L_inmaischen", "Inmaischen met 105 L (5.9 L/kg)"},
      {"lbl_vol_maisch", "Geschat volume maisch (L): 131"},
      {"lbl_SG_Hoofdwort", "SG Hoofdwort: 1048 kg/m3"},
      {"lbl_L_spoelwater", "Benodigd spoelwater: 43 L"},
      {"lbl_L_WortnaSpoelen", "Wort na spoelen: 127 L = 132.9 kg"},
      {"lbl_VerwachteKooktijd", "Geschatte kooktijd: 66 min"}}},
    {"Herfstbok.zlv",
     136.6f,
     {{"lbl_verwachtOG", "OG (dikbier): 1070 kg/m3 = 17.2 \u00b0Plato"},
      {"lbl_VerwachtOG2", "OG (dunbier): 1041 kg/m3 = 10.1 \u00b0Plato"},
      {"lbl_L_inmaischen", "Inmaischen met 109 L (5.2 L/kg)"},
      {"lblMDecoctieStap", "Decoc: 26 L 100 \u00b0C + 87 L 40 \u00b0C"},
      {"lbl_vol_maisch", "Geschat volume maisch (L): 138"},
      {"lbl_SG_Hoofdwort", "SG Hoofdwort: 1054 kg/m3"},
      {"lbl_L_WortnaSpoelen", "Wort na spoelen: 137 L = 142.9 kg"},
      {"lbl_VolOvergang", "Overgang vol. DB (L): ~100"}}},
};

TEST(SampleRecipes, OpenOnTheShippedInstallationWithoutQuestionAndBrewSoundly)
{
    TempProgramFolder folder;
    ScopedFakeServices fake;
    for (const SampleCase &c : samples) {
        SCOPED_TRACE(c.file);
        Session s;
        shippedInstallation(s.recipe);
        const OpenResult o = readRecipeFile(s, Shipped + QStringLiteral("Recepten/") + QLatin1String(c.file));
        ASSERT_TRUE(o.ok) << qPrintable(o.error);
        EXPECT_FALSE(o.systeemParametersVerschillen);

        UpdateBrouwschema(s);
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_NEAR(s.recipe.VrijeHoofdwort + s.recipe.SpoelwortVolume, c.wortLitres, 0.05);
        for (const auto &[name, text] : c.labels)
            EXPECT_EQ(s.view.label(QString::fromLatin1(name))->text, QString::fromUtf8(text)) << name;
        // Kettle, tun and boil time all within bounds: nothing is marked red or blue.
        s.view.forEachLabel([](const QString &name, LabelSlot &l) {
            EXPECT_TRUE(!l.fore || *l.fore == RgbBlack) << qPrintable(name) << " " << qPrintable(l.text);
        });
    }
}

}  // namespace

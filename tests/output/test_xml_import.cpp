#include "xml_fixtures.h"

#include "core/Formulas.h"
#include "output/XmlImport.h"

#include <QTemporaryFile>
#include <functional>
#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

using xml::fermentable;
using xml::hop;
using xml::Recipe;
using xml::step;

QByteArray latin1Doc(const QByteArray &body)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<RECIPES>") + body + "</RECIPES>";
}

struct Case {
    const char *what;
    std::function<QByteArray()> doc;
    XmlImportResult::Outcome outcome;
    int status;  // when Ok
    std::function<void(const XmlRecipe &)> check;
};

Recipe with(const std::function<void(Recipe &)> &change)
{
    Recipe r;
    change(r);
    return r;
}

const XmlImportResult::Outcome Ok = XmlImportResult::Outcome::Ok;
const XmlImportResult::Outcome Failed = XmlImportResult::Outcome::Failed;
const XmlImportResult::Outcome LoadFailed = XmlImportResult::Outcome::LoadFailed;

const Case cases[] = {
    {"UTF-8 without declaration, Czech text kept as the recipe file can hold it, measured values pass",
     [] { return with([](Recipe &r) { r.name = QStringLiteral("Žatecký ležák č. 1"); }).bytes(); }, Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Algemeen(0), QStringLiteral("Žatecký ležák c. 1"));
         EXPECT_EQ(x.Algemeen(1), QStringLiteral("Piet"));
         EXPECT_FLOAT_EQ(x.Doelstellingen(1), 20);
         EXPECT_FLOAT_EQ(x.Doelstellingen(2), 6.6f);  // (1060 - 1010) x 0.132
         EXPECT_FLOAT_EQ(x.Doelstellingen(3), 1010);
         EXPECT_GT(x.Doelstellingen(4), 0);
         EXPECT_FLOAT_EQ(x.Doelstellingen(5), 5.0f);
         EXPECT_EQ(x.Storting.rows(), 2);
         EXPECT_EQ(x.Storting(0, StPerc), QStringLiteral("80.00"));
         EXPECT_EQ(x.Storting(1, StPerc), QStringLiteral("20.00"));
         EXPECT_EQ(x.Storting(0, StBZR), QStringLiteral("0.60"));  // 80 % at 75 % efficiency
         EXPECT_EQ(x.Storting(0, StEBC), QStringLiteral("4"));     // 2 Lovibond
         EXPECT_EQ(x.Storting(0, StLaat), QStringLiteral("0"));
         EXPECT_EQ(x.Bitterhop(0, HopSoort), QStringLiteral("Saaz"));
         EXPECT_EQ(x.Bitterhop(0, HopPercBitterheid), QStringLiteral("100.0"));
         EXPECT_EQ(x.Bitterhop(0, HopGravity), QStringLiteral("1050"));
         EXPECT_EQ(x.Aromahop(0, HopSoort), QStringLiteral("Styrian Goldings"));
         EXPECT_EQ(x.Aromahop(0, HopGram), QStringLiteral("30"));
         EXPECT_EQ(x.Aromahop(0, HopKooktijd), QStringLiteral("5"));
         EXPECT_EQ(x.Aromahop(0, HopGravity), QStringLiteral("1060"));
         EXPECT_EQ(x.Maischschema.rowUbound(), 2);
         EXPECT_FLOAT_EQ(x.Maischschema(0, 0), 3.0f);
         EXPECT_FLOAT_EQ(x.Maischschema(0, 1), 5.4f);
         EXPECT_FLOAT_EQ(x.Maischschema(2, 0), 78);
         EXPECT_EQ(x.Gistkeuze(0), QStringLiteral("Wyeast 3724 Belgian Saison"));
         EXPECT_EQ(x.Toevoegingen(0), QStringLiteral("15 gr Koriander"));
         EXPECT_EQ(x.Evaluatie(0, 0), QStringLiteral("20.0"));
         EXPECT_EQ(x.Evaluatie(1, 0), QStringLiteral("1060"));
         EXPECT_EQ(x.Evaluatie(2, 0), QStringLiteral("1010"));
         EXPECT_EQ(x.Aantekening, QStringLiteral("Koud lageren"));
     }},
    {"ISO-8859-1 bytes",
     [] { return latin1Doc(with([](Recipe &r) { r.name = QStringLiteral("Bière d'été"); }).body().toLatin1()); }, Ok,
     479, [](const XmlRecipe &x) { EXPECT_EQ(x.Algemeen(0), QStringLiteral("Bière d'été")); }},
    {"Windows-1252 bytes under an ISO-8859-1 declaration",
     [] {
         QByteArray b = latin1Doc(with([](Recipe &r) { r.name = QStringLiteral("NAMEHERE"); }).body().toLatin1());
         return b.replace("NAMEHERE", "Bock \x96 \x80 5 \x93oud\x94");
     },
     Ok, 479, [](const XmlRecipe &x) { EXPECT_EQ(x.Algemeen(0), QStringLiteral("Bock – € 5 “oud”")); }},
    {"several recipes: only the first, at any depth",
     [] {
         const QString first = with([](Recipe &r) { r.name = QStringLiteral("Eerste"); }).body();
         const QString second = with([](Recipe &r) {
                                    r.name = QStringLiteral("Tweede");
                                    r.hops = hop(QStringLiteral("Cascade"), QStringLiteral("90"));
                                }).body();
         return xml::utf8(QStringLiteral("<EXPORT><RECIPES>") + first + second + QStringLiteral("</RECIPES></EXPORT>"));
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Algemeen(0), QStringLiteral("Eerste"));
         EXPECT_EQ(x.Bitterhop(0, HopSoort), QStringLiteral("Saaz"));
         EXPECT_EQ(x.Bitterhop.rows(), 1);
         EXPECT_EQ(x.Storting.rows(), 2);
     }},
    {"hop forms, case-insensitive, each read from its own hop",
     [] {
         return with([](Recipe &r) {
                    r.hops = hop(QStringLiteral("A"), QStringLiteral("60"), QStringLiteral("pellet"))
                             + hop(QStringLiteral("B"), QStringLiteral("45"), QString())
                             + hop(QStringLiteral("C"), QStringLiteral("30"), QStringLiteral("leaf"))
                             + hop(QStringLiteral("D"), QStringLiteral("20"), QStringLiteral(" Plug "))
                             + hop(QStringLiteral("E"), QStringLiteral("5"), QStringLiteral("WHOLE"))
                             + hop(QStringLiteral("F"), QStringLiteral("0"), QStringLiteral("Extract"));
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Bitterhop(0, HopHoedanigheid), QStringLiteral("pellets"));
         EXPECT_EQ(x.Bitterhop(1, HopHoedanigheid), QStringLiteral("bloemen"));
         EXPECT_EQ(x.Bitterhop(2, HopHoedanigheid), QStringLiteral("bloemen"));
         EXPECT_EQ(x.Bitterhop(3, HopHoedanigheid), QStringLiteral("bloemen"));
         EXPECT_NE(x.Bitterhop(3, HopPercBitterheid), QStringLiteral(".0")) << "a plug hop bitters";
         EXPECT_EQ(x.Aromahop(0, HopHoedanigheid), QStringLiteral("bloemen"));
         EXPECT_EQ(x.Aromahop(1, HopHoedanigheid), QString());
         EXPECT_EQ(x.Bitterhop(1, HopKooktijd), QStringLiteral("45"));
     }},
    {"dry hops of 3 and 30 days, whirlpool hops, an empty and a huge time",
     [] {
         return with([](Recipe &r) {
                    r.hops =
                        hop(QStringLiteral("Magnum"), QStringLiteral("60"))
                        + hop(QStringLiteral("Citra"), QStringLiteral("4320"), QStringLiteral("Pellet"),
                              QStringLiteral("Dry Hop"))
                        + hop(QStringLiteral("Mosaic"), QStringLiteral("43200"), QStringLiteral("Pellet"),
                              QStringLiteral("Dry Hop"))
                        + hop(QStringLiteral("Amarillo"), QStringLiteral("20"), QStringLiteral("Pellet"),
                              QStringLiteral("Aroma"))
                        + hop(QStringLiteral("Simcoe"), QString(), QStringLiteral("Pellet"), QStringLiteral("Boil"))
                        + hop(QStringLiteral("Eeuwig"), QStringLiteral("99999"));
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         ASSERT_EQ(x.Aromahop.rows(), 4);
         EXPECT_EQ(x.Aromahop(0, HopSoort), QStringLiteral("Citra"));
         // An aroma hop keeps its time; a dry hop and a hop without a time boil for none.
         for (int i = 0; i < 4; ++i)
             EXPECT_EQ(x.Aromahop(i, HopKooktijd), i == 2 ? QStringLiteral("20") : QString()) << i;
         ASSERT_EQ(x.Bitterhop.rows(), 2);
         EXPECT_EQ(x.Bitterhop(1, HopKooktijd), QStringLiteral("32767"));
     }},
    {"empty notes, an escaped name, objectives taken as they are",
     [] {
         return with([](Recipe &r) {
                    r.name = QStringLiteral("Hop &amp; Mout &lt;3");
                    r.rest =
                        QStringLiteral("<NOTES /><OBJECTIVES><VOLUME>25</VOLUME><VOLPERCETHANOL>5.5</VOLPERCETHANOL>"
                                       "<FG>1.012</FG><EBU>30</EBU><CO2>5</CO2></OBJECTIVES>");
                })
             .bytes();
     },
     Ok, 415 + 64,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Algemeen(0), QStringLiteral("Hop & Mout <3"));
         EXPECT_EQ(x.Aantekening, QString());
         EXPECT_FLOAT_EQ(x.Doelstellingen(1), 25);
         EXPECT_FLOAT_EQ(x.Doelstellingen(3), 1012);
         EXPECT_FLOAT_EQ(x.Doelstellingen(4), 30);
         EXPECT_EQ(x.Gistkeuze(0), QString());
     }},
    {"objectives without an OG: the hops boil in the wort the targets give",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE>");
                    r.rest = QStringLiteral("<OBJECTIVES><VOLUME>25</VOLUME><VOLPERCETHANOL>5.5</VOLPERCETHANOL>"
                                            "<FG>1.012</FG><EBU>30</EBU><CO2>5</CO2></OBJECTIVES>");
                })
             .bytes();
     },
     Ok, 415,
     [](const XmlRecipe &x) {
         // 1012 + (5.5 - (5 - 2.25) x 0.125) / 0.132
         EXPECT_EQ(x.Bitterhop(0, HopGravity), QStringLiteral("1041"));
         EXPECT_EQ(x.Aromahop(0, HopGravity), QStringLiteral("1051"));
         EXPECT_EQ(x.Evaluatie(1, 0), QString());
     }},
    {"style gravities as specific gravity",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><FG>1.010</FG><STYLE><OG_MIN>1.040</OG_MIN>"
                                           "<OG_MAX>1.060</OG_MAX></STYLE>");
                })
             .bytes();
     },
     Ok, 415,
     [](const XmlRecipe &x) {
         EXPECT_FLOAT_EQ(x.Doelstellingen(2), 5.3f);  // (1050 - 1010) x 0.132
         EXPECT_EQ(x.Evaluatie(1, 0), QString());
         // The hops boil in the wort of the style's OG.
         EXPECT_EQ(x.Bitterhop(0, HopGravity), QStringLiteral("1040"));
         EXPECT_EQ(x.Aromahop(0, HopGravity), QStringLiteral("1050"));
     }},
    {"style gravities in kg/m3",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><FG>1.010</FG><STYLE><OG_MIN>1040</OG_MIN>"
                                           "<OG_MAX>1060</OG_MAX></STYLE>");
                })
             .bytes();
     },
     Ok, 415, [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Doelstellingen(2), 5.3f); }},
    {"style ranges in degrees Plato",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><STYLE><OG_MIN>12</OG_MIN><OG_MAX>14</OG_MAX>"
                                           "<FG_MIN>2.0</FG_MIN><FG_MAX>3.0</FG_MAX></STYLE>");
                })
             .bytes();
     },
     Ok, 415,
     [](const XmlRecipe &x) {
         // OG (1048 + 1057) / 2, FG (1008 + 1012) / 2.
         EXPECT_FLOAT_EQ(x.Doelstellingen(3), 1010);
         EXPECT_FLOAT_EQ(x.Doelstellingen(2), 5.7f);
     }},
    {"a final gravity from the style's range, in kg/m3 and specific gravity",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1.060</OG><STYLE><FG_MIN>1008</FG_MIN>"
                                           "<FG_MAX>1.012</FG_MAX></STYLE>");
                })
             .bytes();
     },
     Ok, 415, [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Doelstellingen(3), 1010); }},
    {"an OG in degrees Plato",
     [] {
         return with(
                    [](Recipe &r) { r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>11.6</OG><FG>1.010</FG>"); })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Evaluatie(1, 0), QStringLiteral("1047.3"));
         EXPECT_EQ(x.Aromahop(0, HopGravity), QStringLiteral("1047"));
     }},
    {"an OG already in kg/m3",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1053.0</OG><FG>1.010</FG>");
                })
             .bytes();
     },
     Ok, 479, [](const XmlRecipe &x) { EXPECT_EQ(x.Evaluatie(1, 0), QStringLiteral("1053")); }},
    {"an OG of 1.200 is still a beer's",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1.200</OG><FG>1.050</FG>");
                })
             .bytes();
     },
     Ok, 415, [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Doelstellingen(2), 19.8f); }},
    {"measured OG of 1150 does not count",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1.150</OG><FG>1.010</FG>");
                })
             .bytes();
     },
     Ok, 415, nullptr},
    {"measured FG of 990 does not count",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1.050</OG><FG>0.990</FG>");
                    r.rest += QStringLiteral("<OBJECTIVES><VOLUME>20</VOLUME><VOLPERCETHANOL>5</VOLPERCETHANOL>"
                                             "<FG>1.010</FG><EBU>25</EBU><CO2>5</CO2></OBJECTIVES>");
                })
             .bytes();
     },
     Ok, 415, nullptr},
    {"carbonation in volumes",
     [] { return with([](Recipe &r) { r.top += QStringLiteral("<CARBONATION>2.5</CARBONATION>"); }).bytes(); }, Ok, 479,
     [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Doelstellingen(5), 4.9f); }},
    // The grain dialog takes a bill only when its shares add up to 100.00.
    {"three equal malts",
     [] {
         return with([](Recipe &r) {
                    r.fermentables.clear();
                    for (int i = 1; i <= 3; ++i)
                        r.fermentables += fermentable(QStringLiteral("Mout %1").arg(i), QStringLiteral("1.0"));
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Storting(0, StPerc), QStringLiteral("33.34"));
         EXPECT_EQ(x.Storting(1, StPerc), QStringLiteral("33.33"));
         EXPECT_EQ(x.Storting(2, StPerc), QStringLiteral("33.33"));
     }},
    {"shares that round up past 100",
     [] {
         return with([](Recipe &r) {
                    r.fermentables.clear();
                    for (const char *kg : {"0.16665", "0.16665", "0.6667"})
                        r.fermentables += fermentable(QStringLiteral("Mout"), QString::fromLatin1(kg));
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         // Rounded alone they give 16.67 + 16.67 + 66.67 = 100.01.
         EXPECT_EQ(x.Storting(0, StPerc), QStringLiteral("16.67"));
         EXPECT_EQ(x.Storting(1, StPerc), QStringLiteral("16.66"));
         EXPECT_EQ(x.Storting(2, StPerc), QStringLiteral("66.67"));
     }},
    {"twelve fermentables, eight steps, six bitter hops",
     [] {
         return with([](Recipe &r) {
                    r.fermentables.clear();
                    for (int i = 1; i <= 12; ++i)
                        r.fermentables += fermentable(QStringLiteral("Mout %1").arg(i), QStringLiteral("1.0"));
                    r.mash = QStringLiteral("<MASH><MASH_STEPS>");
                    for (int i = 0; i < 8; ++i)
                        r.mash += step(50 + i, 10 + i);
                    r.mash += QStringLiteral("</MASH_STEPS></MASH>");
                    r.hops.clear();
                    for (int i = 0; i < 6; ++i)
                        r.hops += hop(QStringLiteral("Hop %1").arg(i), QString::number(90 - 10 * i));
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Storting.rows(), 10);
         EXPECT_EQ(x.Storting(9, StPerc), QStringLiteral("10.00"));  // of the ten kept
         EXPECT_EQ(x.Maischschema.rowUbound(), 7);
         EXPECT_FLOAT_EQ(x.Maischschema(7, 0), 56);
         EXPECT_EQ(x.Bitterhop.rows(), 4);
         EXPECT_EQ(x.Bitterhop(3, HopSoort), QStringLiteral("Hop 3"));
         EXPECT_EQ(x.Aromahop(0, HopSoort), QString());
     }},
    // The step without a time is overwritten, which leaves room for the
    // eighth step of the file.
    {"eight steps, one without a time",
     [] {
         return with([](Recipe &r) {
                    r.mash = QStringLiteral("<MASH><MASH_STEPS>") + step(50, 10) + step(52, 0);
                    for (int i = 0; i < 6; ++i)
                        r.mash += step(55 + i, 10 + i);
                    r.mash += QStringLiteral("</MASH_STEPS></MASH>");
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         ASSERT_EQ(x.Maischschema.rowUbound(), 7);
         EXPECT_FLOAT_EQ(x.Maischschema(2, 0), 55);
         EXPECT_FLOAT_EQ(x.Maischschema(7, 0), 60);
         EXPECT_FLOAT_EQ(x.Maischschema(7, 1), 15);
     }},
    {"additions: volume, no amount, an amount already there",
     [] {
         return with([](Recipe &r) {
                    r.rest = QStringLiteral("<MISCS><MISC><NAME>Melkzuur</NAME><AMOUNT>0.005</"
                                            "AMOUNT><AMOUNT_IS_WEIGHT>false</AMOUNT_IS_WEIGHT></MISC>"
                                            "<MISC><NAME>Sinaasappelschil</NAME></MISC>"
                                            "<MISC><NAME>10 gr Iers mos</NAME><AMOUNT>0.010</AMOUNT></MISC>"
                                            "<MISC><AMOUNT>0.010</AMOUNT></MISC></MISCS>");
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Toevoegingen(0), QStringLiteral("5 ml Melkzuur"));
         EXPECT_EQ(x.Toevoegingen(1), QStringLiteral("Sinaasappelschil"));
         EXPECT_EQ(x.Toevoegingen(2), QStringLiteral("10 gr Iers mos"));
         EXPECT_EQ(x.Toevoegingen(3), QString());
     }},
    {"pH 2.9",
     [] { return with([](Recipe &r) { r.mash.replace(QStringLiteral("5.4"), QStringLiteral("2.9")); }).bytes(); }, Ok,
     479, [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Maischschema(0, 1), 5.3f); }},
    {"pH 3.0",
     [] { return with([](Recipe &r) { r.mash.replace(QStringLiteral("5.4"), QStringLiteral("3.0")); }).bytes(); }, Ok,
     479, [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Maischschema(0, 1), 3.0f); }},
    {"pH 7.0",
     [] { return with([](Recipe &r) { r.mash.replace(QStringLiteral("5.4"), QStringLiteral("7.0")); }).bytes(); }, Ok,
     479, [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Maischschema(0, 1), 7.0f); }},
    {"pH 7.1",
     [] { return with([](Recipe &r) { r.mash.replace(QStringLiteral("5.4"), QStringLiteral("7.1")); }).bytes(); }, Ok,
     479, [](const XmlRecipe &x) { EXPECT_FLOAT_EQ(x.Maischschema(0, 1), 5.3f); }},
    {"text of blanks alone is no text; CDATA is kept as it is",
     [] {
         return with([](Recipe &r) {
                    r.name = QStringLiteral("<![CDATA[ Hop & <Mout> ]]>");
                    r.rest = QStringLiteral("<NOTES>\r\n   &#160;\r\n</NOTES>");
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         EXPECT_EQ(x.Algemeen(0), QStringLiteral(" Hop & <Mout> "));
         EXPECT_EQ(x.Aantekening, QString());
     }},
    {"an external entity is never read",
     [] {
         return QByteArray("<?xml version=\"1.0\"?><!DOCTYPE RECIPES [<!ENTITY geheim SYSTEM "
                           "\"file:///etc/passwd\">]>")
                + with([](Recipe &r) { r.name = QStringLiteral("X&geheim;"); }).bytes();
     },
     Ok, 479, [](const XmlRecipe &x) { EXPECT_FALSE(x.Algemeen(0).contains(QStringLiteral("root"))); }},
    {"sugar and extract keep their yield; grain and adjuncts are weighed at the efficiency",
     [] {
         return with([](Recipe &r) {
                    r.efficiency = QStringLiteral("<EFFICIENCY>70</EFFICIENCY>");
                    r.fermentables = fermentable(QStringLiteral("Pils"), QStringLiteral("4"))
                                     + fermentable(QStringLiteral("Mais"), QStringLiteral("0.5"), QStringLiteral("1"),
                                                   QStringLiteral("Adjunct"))
                                     + fermentable(QStringLiteral("Kandij"), QStringLiteral("0.5"), QStringLiteral("1"),
                                                   QStringLiteral(" sugar "), QStringLiteral("100"))
                                     + fermentable(QStringLiteral("DME"), QStringLiteral("0.5"), QStringLiteral("3"),
                                                   QStringLiteral("Dry Extract"), QStringLiteral("95"))
                                     + fermentable(QStringLiteral("LME"), QStringLiteral("0.5"), QStringLiteral("3"),
                                                   QStringLiteral("Extract"), QStringLiteral("78"));
                })
             .bytes();
     },
     Ok, 479,
     [](const XmlRecipe &x) {
         const char *want[] = {"0.56", "0.56", "1.00", "0.95", "0.78"};
         for (int i = 0; i < 5; ++i)
             EXPECT_EQ(x.Storting(i, StBZR), QString::fromLatin1(want[i])) << i;
     }},

    // Failures.
    {"malformed", [] { return QByteArray("<RECIPES><RECIPE><NAME>Half</RECIPE>"); }, LoadFailed, 0, nullptr},
    {"an entity bomb",
     [] {
         QByteArray d = "<?xml version=\"1.0\"?><!DOCTYPE RECIPES [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaa\">";
         char prev = 'a';
         for (char c = 'b'; c <= 'k'; ++c, ++prev)
             d += QByteArray("<!ENTITY ") + c + " \"" + QByteArray("&") + prev + ";" + "&" + prev + ";&" + prev + ";&"
                  + prev + ";&" + prev + ";&" + prev + ";&" + prev + ";&" + prev + ";&" + prev + ";&" + prev + ";\">";
         return d + "]><RECIPES><RECIPE><NAME>&k;</NAME></RECIPE></RECIPES>";
     },
     LoadFailed, 0, nullptr},
    {"no RECIPE", [] { return QByteArray("<RECIPES/>"); }, Failed, 0, nullptr},
    {"no fermentable", [] { return with([](Recipe &r) { r.fermentables.clear(); }).bytes(); }, Failed, 0, nullptr},
    {"fermentables adding up to 0",
     [] {
         return with([](Recipe &r) { r.fermentables = fermentable(QStringLiteral("Mout"), QStringLiteral("0")); })
             .bytes();
     },
     Failed, 0, nullptr},
    {"volume 0 with hops",
     [] { return with([](Recipe &r) { r.top = QStringLiteral("<OG>1.060</OG><FG>1.010</FG>"); }).bytes(); }, Failed, 0,
     nullptr},
    {"no hop at all", [] { return with([](Recipe &r) { r.hops.clear(); }).bytes(); }, Failed, 0, nullptr},
    {"no hop boiled longer than 10 minutes",
     [] {
         return with([](Recipe &r) {
                    r.hops = hop(QStringLiteral("Saaz"), QStringLiteral("10"))
                             + hop(QStringLiteral("Citra"), QStringLiteral("60"), QStringLiteral("Pellet"),
                                   QStringLiteral("Dry Hop"));
                })
             .bytes();
     },
     Failed, 0, nullptr},
    {"bitter hops without alpha acid",
     [] {
         return with([](Recipe &r) {
                    r.hops = hop(QStringLiteral("Nul"), QStringLiteral("60"), QStringLiteral("Pellet"),
                                 QStringLiteral("Boil"), QStringLiteral("0.030"), QStringLiteral("0"));
                })
             .bytes();
     },
     Failed, 0, nullptr},
    {"no gravity anywhere",
     [] { return with([](Recipe &r) { r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE>"); }).bytes(); }, Failed, 0,
     nullptr},
    {"an FG above the OG",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1.010</OG><FG>1.020</FG>");
                })
             .bytes();
     },
     Failed, 0, nullptr},
    {"an OG of water",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1.000</OG><FG>0.995</FG>");
                })
             .bytes();
     },
     Failed, 0, nullptr},
    {"a style range below water",
     [] {
         return with([](Recipe &r) {
                    r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>1.050</OG><STYLE><FG_MIN>0.996</FG_MIN>"
                                           "<FG_MAX>1.002</FG_MAX></STYLE>");
                })
             .bytes();
     },
     Failed, 0, nullptr},
    {"a target FG in kg/m3 where a specific gravity belongs",
     [] {
         return with([](Recipe &r) {
                    r.rest += QStringLiteral("<OBJECTIVES><VOLUME>20</VOLUME><VOLPERCETHANOL>5</VOLPERCETHANOL>"
                                             "<FG>1010</FG><EBU>25</EBU><CO2>5</CO2></OBJECTIVES>");
                })
             .bytes();
     },
     Failed, 0, nullptr},
    {"an OG that is no gravity",
     [] { return with([](Recipe &r) { r.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><OG>75</OG>"); }).bytes(); },
     Failed, 0, nullptr},
    {"a non-numeric hop amount",
     [] {
         return with([](Recipe &r) {
                    r.hops = hop(QStringLiteral("Saaz"), QStringLiteral("60"), QStringLiteral("Pellet"),
                                 QStringLiteral("Boil"), QStringLiteral("veel"));
                })
             .bytes();
     },
     Failed, 0, nullptr},
};

TEST(XmlImport, FixturesGiveTheirRecipeOrTheirMessage)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const XmlImportResult r = importXmlRecipe(c.doc(), QStringLiteral("/map/recept.xml"));
        ASSERT_EQ(int(r.outcome), int(c.outcome)) << qPrintable(r.message);
        switch (c.outcome) {
        case XmlImportResult::Outcome::Ok:
            EXPECT_EQ(r.recipe.ReceptStatus, c.status);
            if (c.check)
                c.check(r.recipe);
            break;
        case XmlImportResult::Outcome::Failed: {
            // The message, and one line with the reason.
            const QStringList lines = r.message.split(QStringLiteral("\r\n"));
            ASSERT_EQ(lines.size(), 3) << qPrintable(r.message);
            EXPECT_TRUE(r.message.startsWith(XmlImportFoutmelding + QStringLiteral("\r\nReden: ")));
            break;
        }
        case XmlImportResult::Outcome::LoadFailed:
            EXPECT_TRUE(
                r.message.startsWith(QStringLiteral("Your XML Document failed to loaddue the following error.\r\n"
                                                    "Error #: ")))
                << qPrintable(r.message);
            EXPECT_TRUE(r.message.endsWith(QStringLiteral("\r\nDocument URL: /map/recept.xml")));
            break;
        }
    }
}

TEST(XmlImport, LoadMessageNamesLineAndColumn)
{
    const XmlImportResult r =
        importXmlRecipe("<RECIPES>\n<RECIPE>\n  <NAME>x</NAAM>\n</RECIPE></RECIPES>", QStringLiteral("a.xml"));
    ASSERT_EQ(int(r.outcome), int(LoadFailed));
    EXPECT_TRUE(r.message.contains(QStringLiteral("Line #: 3\r\nLine Position: "))) << qPrintable(r.message);
    EXPECT_TRUE(r.message.contains(QStringLiteral("Source Text: <NAME>x</NAAM>"))) << qPrintable(r.message);
}

// A recipe whose notes hold `levels` elements nested in one another.
QByteArray nestedNotes(int levels)
{
    QByteArray open, close;
    for (int i = 0; i < levels; ++i) {
        open += "<i>";
        close += "</i>";
    }
    QByteArray doc = Recipe().bytes();
    return doc.replace("<NOTES>Koud lageren</NOTES>", "<NOTES>" + open + "diep" + close + "</NOTES>");
}

TEST(XmlImport, ADocumentNestedPastTheBoundIsRefusedWithTheLoadMessage)
{
    // RECIPES, RECIPE and NOTES are the first three levels.
    const int fits = MaxXmlDepth - 3;
    const XmlImportResult deepest = importXmlRecipe(nestedNotes(fits), QStringLiteral("diep.xml"));
    ASSERT_TRUE(deepest.ok()) << qPrintable(deepest.message);
    EXPECT_EQ(deepest.recipe.Aantekening, QStringLiteral("diep"));

    for (const int levels : {fits + 1, 100, 10000, 100000}) {
        SCOPED_TRACE(levels);
        const XmlImportResult r = importXmlRecipe(nestedNotes(levels), QStringLiteral("diep.xml"));
        EXPECT_EQ(int(r.outcome), int(LoadFailed));
        EXPECT_TRUE(r.message.startsWith(
            QStringLiteral("Your XML Document failed to loaddue the following error.\r\n"
                           "Error #: 1: Het document is dieper genest dan 64 niveaus.\r\nLine #: 1\r\n")))
            << qPrintable(r.message);
        EXPECT_TRUE(r.message.endsWith(QStringLiteral("\r\nDocument URL: diep.xml")));
        // The document is one line: the message shows the part where the bound was passed.
        EXPECT_LT(r.message.size(), 400);
        EXPECT_TRUE(r.message.contains(QStringLiteral("<i><i><i><i>"))) << qPrintable(r.message);
    }
}

// ` a0=""` and on, `count` of them.
QByteArray attributes(int count, const QByteArray &value = QByteArray())
{
    QByteArray a;
    for (int i = 0; i < count; ++i)
        a += " a" + QByteArray::number(i) + "=\"" + value + "\"";
    return a;
}

// The recipe with `extra` inserted at `before`.
QByteArray recipeWith(const QByteArray &before, const QByteArray &extra)
{
    QByteArray doc = Recipe().bytes();
    return doc.insert(doc.indexOf(before), extra);
}

TEST(XmlImport, AttributesOrEntityTextPastTheBoundAreRefusedWithTheLoadMessage)
{
    const QString element = QStringLiteral("Een element heeft meer dan 64 attributen.");
    const QString dtd = QStringLiteral("De DTD van het document declareert meer dan 64 attributen.");
    const QString grows = QStringLiteral("De entiteiten van het document groeien uit tot meer dan 1 MB tekst.");
    const QByteArray text4000 = "<!DOCTYPE RECIPES [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>";
    const QByteArray parameter =
        "<!DOCTYPE RECIPES [<!ENTITY % p \"" + QByteArray(4000, ' ') + "\">" + QByteArray("%p;").repeated(300) + "]>";
    QByteArray defaults = "<!DOCTYPE RECIPES [<!ATTLIST RECIPE";
    for (int i = 0; i < 100000; ++i)
        defaults += " a" + QByteArray::number(i) + " CDATA \"x\"";
    defaults += ">]>";
    QByteArray entity = "<!DOCTYPE RECIPES [<!ENTITY e \"<b" + attributes(65).replace('"', '\'') + "/>\">]>";
    const QString wide = QString::fromUtf8(recipeWith("<NAME>", "<X" + attributes(100000) + "/>"));
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2);
    const struct {
        const char *what;
        QByteArray doc;
        QString reason;  // empty: imported
        QString where;   // the start of the line and position in the message
    } cases[] = {
        {"as many as the bound on the recipe", recipeWith("<NAME>", "<X" + attributes(64) + "/>"), {}, {}},
        {"one more", recipeWith("<NAME>", "<X" + attributes(65) + "/>"), element,
         QStringLiteral("Line #: 1\r\nLine Position: 17\r\n")},
        {"100,000 on the root, after the declaration",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<RECIPES" + attributes(100000) + ">"
             + Recipe().body().toLatin1() + "</RECIPES>",
         element, QStringLiteral("Line #: 2\r\nLine Position: 0\r\n")},
        {"100,000 in UTF-16", utf16, element, {}},
        {"\"=\" in values, text, comments and CDATA is no attribute",
         recipeWith("<NAME>", "<X a=\"" + QByteArray(1000, '=') + "\" b='>=" + QByteArray(1000, '=') + "'/><!--"
                                  + attributes(1000) + "-->")
             .replace("Koud lageren", "<![CDATA[" + attributes(1000) + "]]>" + QByteArray(1000, '=')),
         {},
         {}},
        {"a DTD that declares 100,000 attribute defaults", defaults + Recipe().bytes(), dtd,
         QStringLiteral("Line #: 1\r\nLine Position: 19\r\n")},
        {"an entity whose element carries too many", entity + Recipe().bytes(), dtd, {}},
        {"an entity of 4,000 characters referred to 250 times",
         text4000 + recipeWith("</NOTES>", QByteArray("&e;").repeated(250)),
         {},
         {}},
        {"and 300 times", text4000 + recipeWith("</NOTES>", QByteArray("&e;").repeated(300)), grows, {}},
        {"a parameter entity", parameter + Recipe().bytes(),
         QStringLiteral("De DTD van het document gebruikt parameterentiteiten."),
         QStringLiteral("Line #: 1\r\nLine Position: 28\r\n")},
        {"a DTD with a text entity",
         "<!DOCTYPE RECIPES [<!ENTITY n \"Noel\">]>" + Recipe().bytes().replace("Koud lageren", "&n;"),
         {},
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const XmlImportResult r = importXmlRecipe(c.doc, QStringLiteral("attr.xml"));
        if (c.reason.isEmpty()) {
            ASSERT_TRUE(r.ok()) << qPrintable(r.message);
            EXPECT_EQ(r.recipe.ReceptStatus, 479);
            continue;
        }
        ASSERT_EQ(int(r.outcome), int(LoadFailed));
        EXPECT_TRUE(r.message.startsWith(QStringLiteral("Your XML Document failed to loaddue the following error.\r\n"
                                                        "Error #: 1: ")
                                         + c.reason + QStringLiteral("\r\n")))
            << qPrintable(r.message);
        EXPECT_TRUE(r.message.contains(c.where)) << qPrintable(r.message);
        EXPECT_TRUE(r.message.endsWith(QStringLiteral("\r\nDocument URL: attr.xml")));
        EXPECT_LT(r.message.size(), 500);
    }
}

TEST(XmlImport, ARecipeOfMoreElementsThanTheBoundIsRefusedWithTheLoadMessage)
{
    // The elements of the fixture's recipe; others may follow it.
    const QString body = Recipe().body();
    const int own = int(body.count(u'<') - body.count(QStringLiteral("</")));
    const QByteArray fits = QByteArray("<a/>").repeated(MaxXmlRecipeElements - own);
    const XmlImportResult most = importXmlRecipe(recipeWith("</NOTES>", fits), QStringLiteral("veel.xml"));
    ASSERT_TRUE(most.ok()) << qPrintable(most.message);
    EXPECT_EQ(most.recipe.Aantekening, QStringLiteral("Koud lageren"));
    const XmlImportResult after = importXmlRecipe(recipeWith("</RECIPES>", "<a/>" + fits), QStringLiteral("veel.xml"));
    EXPECT_TRUE(after.ok()) << qPrintable(after.message);

    const XmlImportResult r = importXmlRecipe(recipeWith("</NOTES>", "<a/>" + fits), QStringLiteral("veel.xml"));
    ASSERT_EQ(int(r.outcome), int(LoadFailed));
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("Your XML Document failed to loaddue the following error.\r\n"
                                                    "Error #: 1: Het recept bevat meer dan 10000 elementen.\r\n")))
        << qPrintable(r.message);
    EXPECT_LT(r.message.size(), 500);
}

TEST(XmlImport, FileTooLargeOrMissingGetsTheLoadMessage)
{
    EXPECT_EQ(int(importXmlFile(QStringLiteral("/nergens/recept.xml")).outcome), int(LoadFailed));
    QTemporaryFile big;
    ASSERT_TRUE(big.open());
    ASSERT_TRUE(big.resize(MaxXmlFileSize + 1));
    big.close();
    const XmlImportResult r = importXmlFile(big.fileName());
    EXPECT_EQ(int(r.outcome), int(LoadFailed));
    EXPECT_TRUE(r.message.contains(QStringLiteral("Document URL: ") + big.fileName()));
}

}  // namespace
}  // namespace mostarium::test

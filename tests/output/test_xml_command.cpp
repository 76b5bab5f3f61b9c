#include "xml_fixtures.h"

#include "mainwindow/test_filecommands_fixture.h"
#include "core/Cp1252.h"
#include "core/NumText.h"
#include "core/RecipeFile.h"
#include "output/XmlExport.h"
#include "output/XmlImport.h"

#include <QGroupBox>
#include <QRegularExpression>
#include <functional>
#include <string_view>

namespace mostarium::test {
namespace {

class ImportXmlTest : public FileCommandsTest {
protected:
    QString writeFixture(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.file(QStringLiteral("Recepten/") + name);
        writeFileBytes(path, bytes);
        return path;
    }
    // Chooses the fixture in the import command's file dialog, the messages
    // of earlier steps forgotten; gives the fixture's path.
    QString importFixture(const char *file, const QByteArray &bytes)
    {
        fake.clear();
        const QString path = writeFixture(QString::fromLatin1(file), bytes);
        fake.openAnswers.push_back(path);
        trigger("mnuImportXML");
        return path;
    }
    void expectHerfstbokUntouched(const QString &path)
    {
        EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Herfstbok"));
        EXPECT_EQ(s().app.fileName, path);
        EXPECT_EQ(s().view.panels[7].text, path);
    }
};

TEST_F(ImportXmlTest, ImportsAFixtureAsASingleBrewAndShowsItsSchedule)
{
    const QString path = writeFixture(QStringLiteral("saison.xml"), xml::Recipe().bytes());
    s().app.dubbelBrouw = true;
    const QString recent = history::entry(1);
    fake.openAnswers.push_back(path);
    trigger("mnuImportXML");
    ASSERT_EQ(fake.openDialogs.size(), 1);
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    const RecipeState &r = s().recipe;
    EXPECT_EQ(r.Algemeen(0), QStringLiteral("Saison de Noël"));
    EXPECT_EQ(r.ReceptStatus, 479);
    EXPECT_FALSE(s().app.dubbelBrouw);
    EXPECT_EQ(s().app.fileName, path);
    EXPECT_EQ(s().view.panels[7].text, path);
    EXPECT_FALSE(r.ReceptGewijzigd);
    EXPECT_EQ(r.InRecept, 1);
    EXPECT_TRUE(s().view.fraBrouwSchema.visible);
    EXPECT_TRUE(s().view.fraBrouwSchema.caption.startsWith(QStringLiteral(" Brouwschema Saison de Noël")));
    EXPECT_TRUE(s().view.lbl_StIngred[0].text.contains(QStringLiteral("Pilsmout")));
    EXPECT_TRUE(s().view.lbl_Bhop[0].text.contains(QStringLiteral("Saaz")));
    EXPECT_GT(r.OGSG, 1000);
    EXPECT_EQ(history::entry(1), recent);
}

TEST_F(ImportXmlTest, CancelAndFailuresLeaveTheOpenRecipe)
{
    openSample();
    const QString open = sample(QStringLiteral("Herfstbok.zlv"));
    fake.openAnswers.push_back(std::nullopt);
    trigger("mnuImportXML");
    expectHerfstbokUntouched(open);
    EXPECT_TRUE(fake.messages.empty());

    windows().show(QStringLiteral("frmStorting"));
    ASSERT_TRUE(isOpen("frmStorting"));
    const QByteArray before = recipeFileBytes(s());
    const QByteArray onDisk = bytes(open);
    xml::Recipe noGrain, zeroGrain, noVolume, noHops, aromaOnly, noGravity, fgAboveOg, fgInKg, fizzy, extractForm,
        megaVolume;
    noGrain.fermentables.clear();
    zeroGrain.fermentables = xml::fermentable(QStringLiteral("Pilsmout"), QStringLiteral("0.0"));
    noVolume.top = QStringLiteral("<OG>1.060</OG><FG>1.010</FG>");
    noHops.hops.clear();
    aromaOnly.hops = xml::hop(QStringLiteral("Saaz"), QStringLiteral("10"), QStringLiteral("Plug"));
    noGravity.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE>");
    fgAboveOg.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><STYLE><OG_MIN>2</OG_MIN><OG_MAX>3</OG_MAX>"
                                   "<FG_MIN>1.010</FG_MIN><FG_MAX>1.014</FG_MAX></STYLE>");
    fgInKg.rest += QStringLiteral("<OBJECTIVES><VOLUME>20</VOLUME><VOLPERCETHANOL>5</VOLPERCETHANOL>"
                                  "<FG>1010</FG><EBU>25</EBU><CO2>5</CO2></OBJECTIVES>");
    // No OBJECTIVES: the targets the file's own figures give are no beer.
    fizzy.rest += QStringLiteral("<CARBONATION>50</CARBONATION>");
    // A form the bitterness formulas know nothing of.
    extractForm.hops = xml::hop(QStringLiteral("Magnum"), QStringLiteral("60"), QStringLiteral("Extract"));
    // A megabyte of text where a number belongs: quoted by its ends.
    megaVolume.rest += QStringLiteral("<OBJECTIVES><VOLUME>") + QString(1 << 20, u'x')
                       + QStringLiteral("</VOLUME><FG>1.010</FG></OBJECTIVES>");
    // Nested far past the bound the import sets.
    const QByteArray deep = xml::Recipe().bytes().replace("<NOTES>Koud lageren</NOTES>",
                                                          "<NOTES>" + QByteArray("<i>").repeated(100000)
                                                              + QByteArray("</i>").repeated(100000) + "</NOTES>");
    // Aroma hops of any time, and a dry hop: no bitterness.
    xml::Recipe aromaUse = noHops;
    aromaUse.hops =
        xml::hop(QStringLiteral("Cascade"), QStringLiteral("60"), QStringLiteral("Pellet"), QStringLiteral("Aroma"))
        + xml::hop(QStringLiteral("Citra"), QStringLiteral("4320"), QStringLiteral("Pellet"),
                   QStringLiteral("Dry Hop"));
    const struct {
        const char *file;
        QByteArray bytes;
        bool load;
        const char *reason;  // what the line after the message names
    } bad[] = {
        {"kapot.xml", "<RECIPES><RECIPE><NAME>Half", true, nullptr},
        {"leeg.xml", noGrain.bytes(), false, "het bestand bevat geen mout of suiker (<FERMENTABLE>)."},
        {"nul.xml", zeroGrain.bytes(), false,
         "de hoeveelheden van de mout en suiker (<AMOUNT>) tellen niet op tot meer dan 0."},
        {"geenvolume.xml", noVolume.bytes(), false, "het bestand geeft geen volume (<BATCH_SIZE> ontbreekt"},
        {"geenhop.xml", noHops.bytes(), false, "het bestand bevat geen hop (<HOP>)"},
        {"aromahop.xml", aromaOnly.bytes(), false, "geen hop in het bestand kookt langer dan 10 minuten"},
        {"aromagebruik.xml", aromaUse.bytes(), false, "geen hop in het bestand kookt langer dan 10 minuten"},
        {"geendichtheid.xml", noGravity.bytes(), false,
         "het bestand geeft geen begin-SG: <OG> ontbreekt en <STYLE> geeft geen <OG_MIN> en <OG_MAX>."},
        {"fgboven.xml", fgAboveOg.bytes(), false, "begin-SG 1010 en eind-SG 1012 (kg/m3) geven geen bier"},
        {"fginkg.xml", fgInKg.bytes(), false, "de doelstellingen (<OBJECTIVES>) geven geen bier"},
        {"koolzuur.xml", fizzy.bytes(), false,
         "de doelstellingen uit het bestand (<OG>, <FG>, <CARBONATION>) geven geen bier"},
        {"extract.xml", extractForm.bytes(), false,
         "de bitterhop geeft geen bitterheid: van elke bitterhop is het alfazuur (<ALPHA>) of de hoeveelheid "
         "(<AMOUNT>) niet boven 0, of de vorm (<FORM>) geen Leaf, Whole, Plug of Pellet."},
        {"megavolume.xml", megaVolume.bytes(), false,
         "<OBJECTIVES>/<VOLUME> is geen getal: "
         "\"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\"."},
        {"html.xml", "<html><body><p>Saison</p></body></html>", false,
         "dit is geen BeerXML 1.0 recept: het bestand (<html>) bevat geen element <RECIPE>."},
        // The longest name the reader takes, quoted by its ends.
        {"grootelement.xml", "<" + QByteArray(4000, 'a') + "/>", false,
         "dit is geen BeerXML 1.0 recept: het bestand (<aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\u2026"},
        {"beerxml2.xml",
         "<beer_xml><version>2.06</version><recipes><recipe><name>Saison</name><og>1.060</og></recipe></recipes>"
         "</beer_xml>",
         false, "dit is geen BeerXML 1.0 recept: het bestand schrijft <recipe> waar BeerXML 1.0 <RECIPE> schrijft"},
        {"diep.xml", deep, true, nullptr},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.file);
        fake.clear();
        fake.openAnswers.push_back(writeFixture(QString::fromLatin1(b.file), b.bytes));
        trigger("mnuImportXML");
        // The import's own message alone: no recalculation ran.
        ASSERT_EQ(fake.messages.size(), 1u) << qPrintable(fake.prompts().join(u'|').left(500));
        EXPECT_LT(fake.messages[0].prompt.size(), 1000) << "a message of a normal size";
        if (b.load) {
            EXPECT_TRUE(fake.messages[0].prompt.startsWith(QStringLiteral("Your XML Document failed to load")));
            EXPECT_EQ(fake.messages[0].style, 48);
        } else {
            const QStringList lines = fake.messages[0].prompt.split(QStringLiteral("\r\n"));
            ASSERT_EQ(lines.size(), 3) << qPrintable(fake.messages[0].prompt);
            EXPECT_EQ(lines[0] + QStringLiteral("\r\n") + lines[1], XmlImportFoutmelding);
            EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Reden: ") + QString::fromUtf8(b.reason)))
                << qPrintable(lines[2]);
            EXPECT_EQ(fake.messages[0].style, 0);
        }
        EXPECT_EQ(fake.messages[0].title, AppTitle);
        expectHerfstbokUntouched(open);
        EXPECT_EQ(recipeFileBytes(s()), before);
        EXPECT_EQ(bytes(open), onDisk);
        EXPECT_FALSE(s().recipe.ReceptGewijzigd);
        EXPECT_TRUE(isOpen("frmStorting"));
    }
}

// A DTD may make the reader expand text far beyond the file: through
// references in an attribute default, through parameter entities that
// declare entities or attributes, through character references the reader
// reads again as markup, through entities nested in an attribute value or
// referring to themselves. Each is refused before it is read, with the load
// message; a DTD with plain entities imports.
TEST_F(ImportXmlTest, ADtdThatExpandsTextPastItsBoundsIsRefusedWithTheLoadMessage)
{
    openSample();
    const QString open = sample(QStringLiteral("Herfstbok.zlv"));
    const QByteArray body = xml::Recipe().bytes();
    const auto dtd = [&body](const QByteArray &subset, const QByteArray &notes = "Koud lageren") {
        return "<?xml version=\"1.0\"?>\n<!DOCTYPE RECIPES [" + subset + "]>\n"
               + QByteArray(body).replace("Koud lageren", notes);
    };
    const QByteArray e4000 = "<!ENTITY e \"" + QByteArray(4000, 'x') + "\">";
    // Seven levels of ten references from `leaf`: 10^6 references to it in
    // one to the last, g.
    const auto bomb = [](const QByteArray &leaf) {
        QByteArray d = "<!ENTITY a \"" + leaf + "\">";
        for (char c = 'b'; c <= 'g'; ++c)
            d += QByteArray("<!ENTITY ") + c + " \"" + (QByteArray("&") + char(c - 1) + ";").repeated(10) + "\">";
        return d;
    };
    // Nine levels of one reference each, c0 to c8.
    QByteArray chain;
    for (int i = 0; i < 8; ++i)
        chain += "<!ENTITY c" + QByteArray::number(i) + " \"&c" + QByteArray::number(i + 1) + ";\">";
    chain += "<!ENTITY c8 \"x\">";
    const QByteArray chainDoc = dtd(chain, "&c1;&c0;");
    // Where `what` stands in its line, in characters.
    const auto column = [](const QByteArray &doc, const QString &what) {
        const QString text = QString::fromUtf8(doc);
        const qsizetype at = text.indexOf(what);
        return at - text.lastIndexOf(u'\n', at) - 1;
    };
    const QString grows = QStringLiteral("De entiteiten van het document groeien uit tot meer dan 1 MB tekst.");
    const QString deep = QStringLiteral("De entiteiten van het document zijn dieper genest dan 8 niveaus.");
    const QString parameter = QStringLiteral("De DTD van het document gebruikt parameterentiteiten.");
    const QString markup = QStringLiteral("Een entiteit van het document bevat een tekenverwijzing naar &, <, % of =.");
    const QString wide =
        QString::fromUtf8(dtd(e4000 + "<!ATTLIST RECIPE a CDATA \"" + QByteArray("&e;").repeated(300) + "\">"));
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2);
    const struct {
        const char *file;
        QByteArray bytes;
        QString reason;  // empty: imported
        QString where;   // in the message, when it matters
    } cases[] = {
        // References in an attribute default are expanded where it is declared.
        {"attlist.xml", dtd(e4000 + "<!ATTLIST RECIPE a CDATA \"" + QByteArray("&e;").repeated(300) + "\">"), grows,
         // At the 263rd reference: 4,001 characters each, the reference counted.
         QStringLiteral("Line #: 2\r\nLine Position: %1\r\n").arg(19 + 4014 + 26 + 262 * 3)},
        {"attlist-nested.xml", dtd(bomb("aaaaaaaaaa") + "<!ATTLIST HOP a CDATA '&g;'>"), grows, {}},
        {"attlist-utf16.xml", utf16, grows, {}},
        // Parameter entities, whatever they declare.
        {"pe-entity.xml", dtd("<!ENTITY % p \"<!ENTITY big '" + QByteArray(4000, 'x') + "'>\">%p;", "&big;"), parameter,
         QStringLiteral("Line #: 2\r\nLine Position: 28\r\n")},
        {"pe-attlist.xml", dtd("<!ENTITY   %  p \"<!ATTLIST RECIPE a CDATA 'x'>\">%p;"), parameter, {}},
        {"pe-nested.xml",
         dtd("<!ENTITY % q \"<!ENTITY &#37; p '<!ENTITY big &#34;BIG&#34;>'>\">%q;%p;", "&big;"),
         parameter,
         {}},
        {"pe-reference.xml", dtd("%p;<!ENTITY n \"Noel\">"), parameter, {}},
        {"pe-in-text.xml", dtd("<!ENTITY n \"%p;\">", "&n;"), parameter, {}},
        {"pe-in-declaration.xml", dtd("<!ATTLIST RECIPE %p;>"), parameter, {}},
        // Character references the reader reads again as a reference or markup.
        {"charref-amp.xml",
         dtd(e4000 + "<!ENTITY a \"" + QByteArray("&#38;e;").repeated(300) + "\">", "&a;"),
         markup,
         {}},
        {"charref-hex.xml", dtd("<!ENTITY a \"&#x0026;e;\">"), markup, {}},
        {"charref-element.xml", dtd("<!ENTITY a \"&#60;b a0&#61;'' a1&#61;''/>\">", "&a;"), markup, {}},
        // Nested entities, wherever they are referred to.
        {"nested-attribute.xml", dtd(bomb("aaaaaaaaaa"), "<i a='&g;'/>"), grows, {}},
        {"nested-text.xml", dtd(bomb("aaaaaaaaaa"), "&g;"), grows, {}},
        // A reference costs the reader as much when its text is empty.
        {"nested-empty.xml", dtd(bomb(""), "&g;"), grows, {}},
        {"itself.xml", dtd("<!ENTITY a \"x&b;\"><!ENTITY b \"&a;y\">", "&a;"), grows, {}},
        {"chain.xml", chainDoc, deep,
         QStringLiteral("Line #: 3\r\nLine Position: %1\r\n").arg(column(chainDoc, QStringLiteral("&c0;")))},
        // Entities as deep as the bound; as many references in an attribute
        // default as in the text.
        {"chain-fits.xml", dtd(chain, "&c1;"), {}, {}},
        {"attlist-fits.xml",
         dtd(e4000 + "<!ATTLIST RECIPE a CDATA \"" + QByteArray("&e;").repeated(250) + "\">"),
         {},
         {}},
        // Plain entities, a character entity, the predefined ones declared as
        // the standard advises, an attribute default and a comment.
        {"plain.xml",
         dtd("<!-- recept --><!ENTITY n \"Noel\"><!ENTITY eacute \"&#233;\"><!ENTITY amp \"&#38;#38;\">"
             "<!ENTITY lt \"&#38;#60;\"><!ENTITY v \"&n; &amp; co\"><!ATTLIST RECIPE bron CDATA \"&n; 50%\">"
             "<!ELEMENT RECIPES (RECIPE)*>",
             "Koud lageren, &n; &amp; caf&eacute; &lt;5&#176;C&gt; &v;"),
         {},
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = importFixture(c.file, c.bytes);
        if (c.reason.isEmpty()) {
            EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
            EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Saison de Noël"));
            EXPECT_EQ(s().app.fileName, path);
            continue;
        }
        ASSERT_EQ(fake.messages.size(), 1u) << qPrintable(fake.prompts().join(u'|'));
        const QString &prompt = fake.messages[0].prompt;
        EXPECT_TRUE(prompt.startsWith(QStringLiteral("Your XML Document failed to loaddue the following error.\r\n"
                                                     "Error #: 1: ")
                                      + c.reason + QStringLiteral("\r\n")))
            << qPrintable(prompt.left(300));
        EXPECT_TRUE(prompt.contains(c.where)) << qPrintable(prompt.left(300));
        EXPECT_TRUE(prompt.endsWith(QStringLiteral("\r\nDocument URL: ") + path));
        EXPECT_EQ(fake.messages[0].style, 48);
        EXPECT_EQ(fake.messages[0].title, AppTitle);
        expectHerfstbokUntouched(open);
    }
    // The plain DTD's text as the recipe keeps it.
    EXPECT_EQ(s().recipe.Aantekening, QStringLiteral("Koud lageren, Noel & café <5°C> Noel & co"));
}

// Imported and recalculated: the schedule a brewer can brew, without a word.
TEST_F(ImportXmlTest, WhatImportsIsARecipeTheScheduleComputes)
{
    xml::Recipe plato, plug;
    plato.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><STYLE><OG_MIN>12</OG_MIN><OG_MAX>14</OG_MAX>"
                               "<FG_MIN>2</FG_MIN><FG_MAX>3</FG_MAX></STYLE>");
    plug.hops = xml::hop(QStringLiteral("Fuggle"), QStringLiteral("60"), QStringLiteral("Plug"));
    const struct {
        const char *file;
        QByteArray bytes;
        std::function<void(const RecipeState &, const DisplayModel &)> check;
    } good[] = {
        {"plato.xml", plato.bytes(),
         [](const RecipeState &r, const DisplayModel &v) {
             EXPECT_FLOAT_EQ(r.Doelstellingen(3), 1010);
             EXPECT_NEAR(r.OGSG, 1050, 3);
             // About 3.3 kg of grain for 20 L of a 12.5 degrees Plato beer.
             EXPECT_GT(r.TotaleStorting, 2500);
             EXPECT_LT(r.TotaleStorting, 6000);
             // The bitter hop boils in the wort the style's OG gives, not in water.
             EXPECT_EQ(r.Bitterhop(0, HopGravity), QStringLiteral("1043"));
             EXPECT_GT(num::val(r.Bitterhop(0, HopBerekendGram)), 10);
             EXPECT_TRUE(v.lbl_verwachtOG.text.startsWith(QStringLiteral("Verwacht OG: 105")))
                 << qPrintable(v.lbl_verwachtOG.text);
         }},
        {"plug.xml", plug.bytes(),
         [](const RecipeState &r, const DisplayModel &v) {
             EXPECT_EQ(r.Bitterhop(0, HopHoedanigheid), QStringLiteral("bloemen"));
             EXPECT_GT(num::val(r.Bitterhop(0, HopBerekendGram)), 0);
             EXPECT_TRUE(v.lbl_Bhop[0].text.contains(QStringLiteral(" gr. Fuggle bloemen (5.0%)")))
                 << qPrintable(v.lbl_Bhop[0].text);
             EXPECT_FALSE(v.lbl_Bhop[0].text.startsWith(u' ')) << "the grams shown";
         }},
    };
    for (const auto &g : good) {
        SCOPED_TRACE(g.file);
        fake.clear();
        fake.openAnswers.push_back(writeFixture(QString::fromLatin1(g.file), g.bytes));
        trigger("mnuImportXML");
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_TRUE(s().view.fraBrouwSchema.visible);
        g.check(s().recipe, s().view);
    }
}

// The schedule and evaluation as the window shows them: every label, and
// which frames show.
QStringList shown(DisplayModel &v)
{
    QStringList out;
    v.forEachLabel([&out](const QString &name, LabelSlot &l) {
        out << name + QStringLiteral(": ") + l.text + (l.visible ? QString() : QStringLiteral(" (verborgen)"))
                   + QStringLiteral(" ") + l.toolTip;
    });
    v.forEachFrame([&out](const QString &name, FrameSlot &f) {
        out << name + (f.visible ? QStringLiteral(" zichtbaar") : QStringLiteral(" verborgen"));
    });
    return out;
}

// 4 kg of pale malt (yield 80 %) and 0.5 kg of candy sugar in 20 L, with the
// OG another program computes for them at `efficiency` % (sucrose gives
// 385.7 points per kg per litre).
xml::Recipe brewhouse(const QString &efficiency, double efficiencyValue)
{
    xml::Recipe r;
    const double points = (4.0 * 0.80 * efficiencyValue / 100.0 + 0.5) * 385.7 / 20.0;
    r.top = QStringLiteral("<BATCH_SIZE>20.0</BATCH_SIZE><OG>%1</OG><FG>1.010</FG>")
                .arg(num::format(1.0 + points / 1000.0, u"0.000"));
    r.efficiency = efficiency.isEmpty() ? QString() : QStringLiteral("<EFFICIENCY>%1</EFFICIENCY>").arg(efficiency);
    r.fermentables = xml::fermentable(QStringLiteral("Pale ale mout"), QStringLiteral("4.0"))
                     + xml::fermentable(QStringLiteral("Kandijsuiker"), QStringLiteral("0.5"), QStringLiteral("1"),
                                        QStringLiteral("Sugar"), QStringLiteral("100"));
    return r;
}

// A file means its grain weighed at its own brewhouse, its aroma hops at
// their time, and every hop it lists. What the import cannot take as the file
// meant is named in one message with the values the dialogs would refuse.
// Saved and opened again, an imported recipe is what the import showed.
TEST_F(ImportXmlTest, ImportedRecipesAreWhatTheFileMeans)
{
    // The grain the recipe weighs out for a row (g).
    const auto grams = [](const RecipeState &r, int row) {
        return double(r.TotaleStorting) * num::val(r.Storting(row, StPerc)) / 100.0;
    };
    const auto weighsAsTheFile = [&grams](const char *paleBZR) {
        return [&grams, paleBZR](const QString &) {
            const RecipeState &r = s().recipe;
            EXPECT_EQ(r.Storting(0, StBZR), QString::fromLatin1(paleBZR));
            EXPECT_EQ(r.Storting(1, StBZR), QStringLiteral("1.00"));  // sugar loses nothing in the mash
            EXPECT_NEAR(grams(r, 0), 4000, 4000 * 0.03);
            EXPECT_NEAR(grams(r, 1), 500, 500 * 0.03);
        };
    };
    // Weighed at the laboratory yield: the grain of a brewhouse of 100 %.
    const auto laboratory = [](const QString &) { EXPECT_EQ(s().recipe.Storting(0, StBZR), QStringLiteral("0.80")); };

    xml::Recipe aroma, sixBoiled, noOG, emptySteps, noMash, twoRecipes;
    aroma.hops =
        xml::hop(QStringLiteral("Magnum"), QStringLiteral("60"))
        + xml::hop(QStringLiteral("Cascade"), QStringLiteral("5"), QStringLiteral("Pellet"), QStringLiteral("Aroma"))
        + xml::hop(QStringLiteral("Citra"), QStringLiteral("15"), QStringLiteral("Pellet"), QStringLiteral("Aroma"))
        + xml::hop(QStringLiteral("Saaz"), QStringLiteral("0"))
        + xml::hop(QStringLiteral("Mosaic"), QStringLiteral("4320"), QStringLiteral("Pellet"),
                   QStringLiteral("Dry Hop"));
    sixBoiled.hops.clear();
    for (int i = 0; i < 6; ++i)
        sixBoiled.hops += xml::hop(QStringLiteral("Hop %1").arg(i), QString::number(90 - 10 * i));
    sixBoiled.hops +=
        xml::hop(QStringLiteral("Hallertau"), QStringLiteral("5"), QStringLiteral("Pellet"), QStringLiteral("Aroma"));
    for (int i = 1; i <= 5; ++i)
        sixBoiled.hops += xml::hop(QStringLiteral("Droog %1").arg(i), QStringLiteral("4320"), QStringLiteral("Pellet"),
                                   QStringLiteral("Dry Hop"), QStringLiteral("0.050"));
    noOG.top = QStringLiteral("<BATCH_SIZE>20</BATCH_SIZE><STYLE><OG_MIN>1.044</OG_MIN><OG_MAX>1.056</OG_MAX>"
                              "<FG_MIN>1.008</FG_MIN><FG_MAX>1.012</FG_MAX></STYLE>");
    emptySteps.mash = QStringLiteral("<MASH><NAME>Extract</NAME><MASH_STEPS></MASH_STEPS></MASH>");
    noMash.mash.clear();
    twoRecipes.name = QStringLiteral("Tripel Karmeliet");
    // Ten malts of 0.4 kg, then two the grain bill has no room for.
    xml::Recipe twelveMalts, eightSteps, zeroSteps, manyEntries, manyRows;
    twelveMalts.fermentables.clear();
    for (int i = 1; i <= 10; ++i)
        twelveMalts.fermentables += xml::fermentable(QStringLiteral("Mout %1").arg(i), QStringLiteral("0.4"));
    twelveMalts.fermentables += xml::fermentable(QStringLiteral("Biscuit"), QStringLiteral("0.5"))
                                + xml::fermentable(QStringLiteral("Zwarte mout"), QStringLiteral("0.1"));
    const auto mashOf = [](const std::vector<std::pair<int, int>> &steps) {
        QString m = QStringLiteral("<MASH><PH>5.4</PH><MASH_STEPS>");
        for (const auto &[temp, time] : steps)
            m += xml::step(temp, time);
        return m + QStringLiteral("</MASH_STEPS></MASH>");
    };
    eightSteps.mash = mashOf({{50, 10}, {55, 10}, {60, 10}, {62, 20}, {64, 20}, {66, 20}, {68, 10}, {78, 10}});
    // A step without a time amid the rests, and one at the end.
    zeroSteps.mash = mashOf({{66, 60}, {72, 0}, {78, 10}, {80, 0}});
    // Seven yeasts, one without a name, and six additions.
    manyEntries.rest = QStringLiteral("<YEASTS>");
    for (const char *name : {"Stam 1", "", "Stam 2", "Stam 3", "Stam 4", "Stam 5", "Stam 6", "Stam 7"})
        manyEntries.rest += QStringLiteral("<YEAST><NAME>%1</NAME></YEAST>").arg(QString::fromLatin1(name));
    manyEntries.rest += QStringLiteral("</YEASTS><MISCS>");
    for (int i = 1; i <= 6; ++i)
        manyEntries.rest += QStringLiteral("<MISC><NAME>Kruid %1</NAME><AMOUNT>0.010</AMOUNT></MISC>").arg(i);
    manyEntries.rest += QStringLiteral("</MISCS><NOTES>Koud lageren</NOTES>");
    // Forty of each: the message names ten of a kind and counts the others.
    manyRows.fermentables.clear();
    manyRows.hops.clear();
    manyRows.rest = QStringLiteral("<YEASTS>");
    std::vector<std::pair<int, int>> fortySteps;
    for (int i = 1; i <= 40; ++i) {
        // Two left out whose amount is no weight: quoted, not a reason to refuse.
        const char *amount = i == 11 ? "veel" : i == 12 ? "1e308" : "0.1";
        manyRows.fermentables += xml::fermentable(QStringLiteral("Mout %1").arg(i), QString::fromLatin1(amount));
        manyRows.hops += xml::hop(QStringLiteral("Hop %1").arg(i), QStringLiteral("60"));
        manyRows.rest += QStringLiteral("<YEAST><NAME>Stam %1</NAME></YEAST>").arg(i);
        fortySteps.emplace_back(40 + i, 10);
    }
    manyRows.mash = mashOf(fortySteps);
    manyRows.rest += QStringLiteral("</YEASTS>");

    // An exported recipe carries OBJECTIVES: its yields are the grain bill's
    // own, whatever EFFICIENCY says. Three rounds of export, import and Save
    // settle on one recipe file.
    RecipeState herfstbok;
    const auto exportSample = [this, &herfstbok] {
        openSample();
        herfstbok = s().recipe;
        return xmlRecipeBytes(s().recipe);
    };
    const auto roundTrip = [this, &herfstbok](const QString &) {
        for (int i = 0; i < herfstbok.Storting.rows(); ++i)
            EXPECT_EQ(s().recipe.Storting(i, StBZR), num::formatText(herfstbok.Storting(i, StBZR), u"0.00")) << i;
        QByteArray saved[3];
        for (int round = 0; round < 3; ++round) {
            if (round > 0) {
                const QString name = QStringLiteral("herfstbok%1.xml").arg(round);
                fake.clear();
                fake.openAnswers.push_back(writeFixture(name, xmlRecipeBytes(s().recipe)));
                trigger("mnuImportXML");
            }
            fake.clear();
            fake.msgAnswers = {mb::OK};
            trigger("mnuOpslaan");
            ASSERT_EQ(fake.prompts(), QStringList{XmlOpslaanVraag});
            saved[round] = bytes(s().app.fileName);
        }
        EXPECT_EQ(saved[1], saved[2]);
    };
    const auto reopensAsImported = [this](const QString &) {
        const QByteArray file = recipeFileBytes(s());
        const QStringList view = shown(s().view);
        fake.clear();
        fake.msgAnswers = {mb::OK};
        trigger("mnuOpslaan");
        ASSERT_EQ(fake.prompts(), QStringList{XmlOpslaanVraag});
        fake.clear();
        ASSERT_TRUE(fc->openFile(s().app.fileName));
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_EQ(recipeFileBytes(s()), file);
        EXPECT_EQ(shown(s().view), view);
    };

    // The one rest a brewer expects, computed: its schedule line, and the
    // bitter hop weighed.
    const auto singleRest = [] {
        const RecipeState &r = s().recipe;
        ASSERT_EQ(r.Maischschema.rowUbound(), 1);
        EXPECT_FLOAT_EQ(r.Maischschema(1, 0), 66);
        EXPECT_FLOAT_EQ(r.Maischschema(1, 1), 60);
        EXPECT_EQ(s().view.lbl_MS[0].text, QStringLiteral("Inmaischstap: 66 °C; 60 min"));
        EXPECT_TRUE(s().view.lbl_Bhop[0].text.contains(QStringLiteral(" gr. Saaz pellets")))
            << qPrintable(s().view.lbl_Bhop[0].text);
        EXPECT_FALSE(s().view.lbl_Bhop[0].text.startsWith(u' ')) << "the grams shown";
    };
    const struct {
        const char *file;
        std::function<QByteArray()> bytes;
        QStringList named;  // in the one message after the import; none: no message
        std::function<void(const QString &message)> check;
    } cases[] = {
        {"rendement72.xml", [] { return brewhouse(QStringLiteral("72.0"), 72).bytes(); }, {}, weighsAsTheFile("0.58")},
        {"rendement60.xml", [] { return brewhouse(QStringLiteral("60"), 60).bytes(); }, {}, weighsAsTheFile("0.48")},
        {"geenrendement.xml",
         [] { return brewhouse(QString(), 100).bytes(); },
         {QStringLiteral("Het bestand geeft geen bruikbaar brouwzaalrendement (<EFFICIENCY> ontbreekt).")},
         laboratory},
        // The lowest efficiency taken: exactly 30 %.
        {"rendement30.xml",
         [] { return brewhouse(QStringLiteral("30"), 30).bytes(); },
         {},
         [](const QString &) { EXPECT_EQ(s().recipe.Storting(0, StBZR), QStringLiteral("0.24")); }},
        {"rendement29.xml",
         [] { return brewhouse(QStringLiteral("29.9"), 100).bytes(); },
         {QStringLiteral("(<EFFICIENCY> is \"29.9\", bruikbaar van 30 tot en met 100)")},
         laboratory},
        // A megabyte of text where a number belongs is quoted by its ends.
        {"rendementtekst.xml",
         [] { return brewhouse(QString(1 << 20, u'x'), 100).bytes(); },
         {QStringLiteral(
             "(<EFFICIENCY> is \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
             "xxxxxxxxx\", bruikbaar van 30 tot en met 100)")},
         [](const QString &message) { EXPECT_LT(message.size(), 1000); }},
        {"rendementfractie.xml",
         [] { return brewhouse(QStringLiteral("0.72"), 100).bytes(); },
         {QStringLiteral("(<EFFICIENCY> is \"0.72\", bruikbaar van 30 tot en met 100)")},
         laboratory},
        {"herfstbok.xml", exportSample, {}, roundTrip},
        // A dry hop has no boil time: it is named as a dry hop, while a
        // boiled hop without a time is named for lacking one.
        {"aromahop.xml",
         [&aroma] { return aroma.bytes(); },
         {QStringLiteral("Hopgift - aromahop Saaz, kooktijd (min): leeg"),
          QStringLiteral("Als drooghop overgenomen (een aromahop zonder kooktijd, die geen bitterheid geeft):\r\n"
                         "- Mosaic: 30 gr\r\n")},
         [](const QString &message) {
             EXPECT_FALSE(message.contains(QStringLiteral("Mosaic, kooktijd"))) << qPrintable(message);
             const RecipeState &r = s().recipe;
             ASSERT_EQ(r.Aromahop.rows(), 4);
             EXPECT_EQ(r.Aromahop(0, HopKooktijd), QStringLiteral("5"));
             EXPECT_EQ(r.Aromahop(1, HopKooktijd), QStringLiteral("15"));
             EXPECT_FALSE(message.contains(QStringLiteral("Cascade")));
             EXPECT_FALSE(message.contains(QStringLiteral("Citra")));
             EXPECT_TRUE(s().view.lbl_Ahop[1].text.contains(QStringLiteral("Citra")))
                 << qPrintable(s().view.lbl_Ahop[1].text);
         }},
        {"zeshop.xml",
         [&sixBoiled] { return sixBoiled.bytes(); },
         {QStringLiteral("Deze hoppen uit het bestand zijn niet overgenomen:\r\n"
                         "- bitterhop Hop 4: 30 gr, 50 min\r\n- bitterhop Hop 5: 30 gr, 40 min\r\n"
                         "- drooghop Droog 4: 50 gr, 4320 min\r\n- drooghop Droog 5: 50 gr, 4320 min\r\n"
                         "De overgenomen bitterhoppen geven samen de hele bitterheid"),
          QStringLiteral("Tel een weggelaten aromahop zo nodig op bij een overgenomen aromahop van dezelfde soort en "
                         "kooktijd."),
          QStringLiteral("- Droog 1: 50 gr\r\n- Droog 2: 50 gr\r\n- Droog 3: 50 gr\r\n")},
         [](const QString &message) {
             const RecipeState &r = s().recipe;
             ASSERT_EQ(r.Bitterhop.rows(), 4);
             EXPECT_EQ(r.Bitterhop(3, HopSoort), QStringLiteral("Hop 3"));
             EXPECT_EQ(r.Aromahop(3, HopSoort), QStringLiteral("Droog 3"));
             EXPECT_FALSE(message.contains(QStringLiteral("Hop 3:")));
             EXPECT_FALSE(message.contains(QStringLiteral("zelf toe")));
             EXPECT_FALSE(message.contains(QStringLiteral("kooktijd (min)"))) << qPrintable(message);
         }},
        {"zonderog.xml",
         [&noOG] { return noOG.bytes(); },
         {},
         [&reopensAsImported](const QString &message) {
             EXPECT_FALSE(s().view.fraEvalEv.visible);
             reopensAsImported(message);
         }},
        // A mash without steps gets one rest the schedule computes, and
        // reopens after Save as it was imported.
        {"geenstappen.xml",
         [&emptySteps] { return emptySteps.bytes(); },
         {QStringLiteral("Het bestand geeft geen maischschema (<MASH_STEPS> is leeg). Het recept heeft daarom één rust "
                         "gekregen, een infusie van 66 °C en 60 minuten, zodat het brouwschema berekend kan worden.")},
         [&reopensAsImported, &singleRest](const QString &message) {
             singleRest();
             reopensAsImported(message);
         }},
        {"geenmaisch.xml",
         [&noMash] { return noMash.bytes(); },
         {QStringLiteral("Het bestand geeft geen maischschema (<MASH> ontbreekt).")},
         [&reopensAsImported, &singleRest](const QString &message) {
             singleRest();
             reopensAsImported(message);
         }},
        {"tweerecepten.xml",
         [&twoRecipes] {
             return xml::utf8(QStringLiteral("<RECIPES>") + xml::Recipe().body() + twoRecipes.body()
                              + QStringLiteral("</RECIPES>"));
         },
         {QStringLiteral("Het bestand bevat 2 recepten. Geïmporteerd is het eerste: \"Saison de Noël\". Niet "
                         "geïmporteerd:\r\n- \"Tripel Karmeliet\"")},
         [](const QString &) { EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Saison de Noël")); }},
        // Of many, the first ten left out are named.
        {"twaalfrecepten.xml",
         [] {
             QString all = QStringLiteral("<RECIPES>");
             for (int i = 1; i <= 12; ++i) {
                 xml::Recipe r;
                 r.name = QStringLiteral("Brouwsel %1").arg(i);
                 all += r.body();
             }
             return xml::utf8(all + QStringLiteral("</RECIPES>"));
         },
         {QStringLiteral("Het bestand bevat 12 recepten. Geïmporteerd is het eerste: \"Brouwsel 1\". Niet "
                         "geïmporteerd:\r\n- \"Brouwsel 2\"\r\n"),
          QStringLiteral("\r\n- \"Brouwsel 11\"\r\n- en nog één ander recept")},
         [](const QString &message) { EXPECT_FALSE(message.contains(QStringLiteral("Brouwsel 12"))); }},
        // The bill changes with the rows left out: their weight and share of
        // the file's bill are named, the kept rows' percentages are of those.
        {"twaalfmout.xml",
         [&twelveMalts] { return twelveMalts.bytes(); },
         {QStringLiteral("Het recept heeft plaats voor tien ingrediënten in de storting. Deze ingrediënten uit het "
                         "bestand zijn niet overgenomen:\r\n"
                         "- Biscuit: 500 gr, 10.9 % van de storting in het bestand\r\n"
                         "- Zwarte mout: 100 gr, 2.2 % van de storting in het bestand\r\n"
                         "De percentages in Storting zijn berekend over de tien overgenomen ingrediënten alleen.")},
         [](const QString &) {
             const RecipeState &r = s().recipe;
             ASSERT_EQ(r.Storting.rows(), 10);
             EXPECT_EQ(r.Storting(9, StIngred), QStringLiteral("Mout 10"));
             EXPECT_EQ(r.Storting(9, StPerc), QStringLiteral("10.00"));
         }},
        {"achtstappen.xml",
         [&eightSteps] { return eightSteps.bytes(); },
         {QStringLiteral(
             "Het recept heeft plaats voor zeven maischstappen: de inmaischstap en zes rusten. Deze stap "
             "uit het bestand is niet overgenomen:\r\n- stap 8 (Rust): 78 °C, 10 min\r\nVoeg zo nodig in "
             "Maisch schema twee rusten van ongeveer dezelfde temperatuur samen (tel hun tijden op), zodat er "
             "plaats komt voor een weggelaten stap.")},
         [](const QString &) {
             const RecipeState &r = s().recipe;
             ASSERT_EQ(r.Maischschema.rowUbound(), 7);
             EXPECT_FLOAT_EQ(r.Maischschema(7, 0), 68);
         }},
        // A step without a time is overwritten by the next and named; the
        // last one stays, and the dialog's range names its time. The schedule
        // holds no row the file has no step for.
        {"nulstap.xml",
         [&zeroSteps] { return zeroSteps.bytes(); },
         {QStringLiteral("Deze maischstap uit het bestand heeft geen temperatuur of tijd en is overgeslagen:\r\n"
                         "- stap 2 (Rust): 72 °C, 0 min"),
          QStringLiteral("Maisch schema - rust  2, Tijd (min): 0 (toegestaan: boven 0 tot en met 120)")},
         [](const QString &message) {
             const RecipeState &r = s().recipe;
             ASSERT_EQ(r.Maischschema.rowUbound(), 3);
             EXPECT_FLOAT_EQ(r.Maischschema(2, 0), 78);
             EXPECT_FLOAT_EQ(r.Maischschema(3, 0), 80);
             EXPECT_FALSE(message.contains(QStringLiteral("rust  3"))) << qPrintable(message);
             EXPECT_FALSE(message.contains(QStringLiteral("Temperatuur (°C): 0"))) << qPrintable(message);
         }},
        // Five lines each, as the dialogs show them and Save keeps them; a
        // yeast without a name takes none.
        {"zevengisten.xml",
         [&manyEntries] { return manyEntries.bytes(); },
         {QStringLiteral("Het recept heeft plaats voor vijf gisten en vijf toevoegingen. Deze gisten en toevoegingen "
                         "uit het bestand zijn niet overgenomen:\r\n- gist Stam 6\r\n- gist Stam 7\r\n- toevoeging "
                         "10 gr Kruid 6\r\nSchrijf een weggelaten gist of toevoeging zo nodig bij een andere op een "
                         "regel van Gistkeuze of Toevoegingen.")},
         [&reopensAsImported](const QString &message) {
             const RecipeState &r = s().recipe;
             for (int i = 0; i < 5; ++i) {
                 EXPECT_EQ(r.Gistkeuze(i), QStringLiteral("Stam %1").arg(i + 1));
                 EXPECT_EQ(r.Toevoegingen(i), QStringLiteral("10 gr Kruid %1").arg(i + 1));
             }
             // Entries past the five are the second beer's: none of this recipe.
             for (int i = 5; i <= 10; ++i) {
                 EXPECT_EQ(r.Gistkeuze(i), QString()) << i;
                 EXPECT_EQ(r.Toevoegingen(i), QString()) << i;
             }
             reopensAsImported(message);
         }},
        {"veertig.xml",
         [&manyRows] { return manyRows.bytes(); },
         {QStringLiteral("- Mout 11: <AMOUNT> \"veel\"\r\n- Mout 12: <AMOUNT> \"1e308\"\r\n"),
          QStringLiteral("- Mout 20: 100 gr, 2.6 % van de storting in het bestand\r\n- en nog 20 andere "
                         "ingrediënten\r\n"),
          QStringLiteral("- stap 17 (Rust): 57 °C, 10 min\r\n- en nog 23 andere stappen\r\n"),
          QStringLiteral("- bitterhop Hop 14: 30 gr, 60 min\r\n- en nog 26 andere hoppen\r\n"),
          QStringLiteral("Deze gisten uit het bestand zijn niet overgenomen:\r\n- gist Stam 6\r\n"),
          QStringLiteral("- gist Stam 15\r\n- en nog 25 andere gisten\r\nSchrijf een weggelaten gist zo nodig bij een "
                         "andere op een regel van Gistkeuze.")},
         [](const QString &message) {
             EXPECT_FALSE(message.contains(QStringLiteral("Mout 21"))) << qPrintable(message);
             EXPECT_LT(message.count(u'\n'), 80) << qPrintable(message);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray file = c.bytes();
        fake.clear();
        fake.openAnswers.push_back(writeFixture(QString::fromLatin1(c.file), file));
        trigger("mnuImportXML");
        ASSERT_EQ(s().recipe.ReceptStatus & 415, 415) << qPrintable(fake.prompts().join(u'|'));
        QString message;
        if (c.named.isEmpty()) {
            EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        } else {
            ASSERT_EQ(fake.messages.size(), 1u) << qPrintable(fake.prompts().join(u'|'));
            EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
            EXPECT_EQ(fake.messages[0].title, QStringLiteral("Attentie!"));
            message = fake.messages[0].prompt;
            for (const QString &n : c.named)
                EXPECT_TRUE(message.contains(n)) << qPrintable(message);
        }
        c.check(message);
    }
}

// Values the dialogs would mark red are named after the import, in one
// message; the recipe is imported all the same.
TEST_F(ImportXmlTest, ValuesOutsideTheDialogsRangesAreNamedAfterTheImport)
{
    xml::Recipe fahrenheit, ppg, gramsAsKilos, kilosAroma, lovibond0;
    fahrenheit.mash = QStringLiteral("<MASH><PH>5.4</PH><MASH_STEPS>") + xml::step(152, 60) + xml::step(158, 30)
                      + xml::step(168, 10) + QStringLiteral("</MASH_STEPS></MASH>");
    ppg.fermentables = xml::fermentable(QStringLiteral("Pale Ale"), QStringLiteral("4.0"))
                           .replace(QStringLiteral("80.0"), QStringLiteral("37.7"))
                       + xml::fermentable(QStringLiteral("Suiker"), QStringLiteral("0.5"))
                             .replace(QStringLiteral("80.0"), QStringLiteral("46"))
                       + xml::fermentable(QStringLiteral("Haver"), QStringLiteral("0.5"), QStringLiteral("2.0"),
                                          QStringLiteral("Adjunct"), QStringLiteral("120"));
    gramsAsKilos.hops = xml::hop(QStringLiteral("Magnum"), QStringLiteral("60"), QStringLiteral("Pellet"),
                                 QStringLiteral("Boil"), QStringLiteral("1.0"), QStringLiteral("12.0"));
    kilosAroma.hops = xml::hop(QStringLiteral("Saaz"), QStringLiteral("60"))
                      + xml::hop(QStringLiteral("Cascade"), QStringLiteral("5"), QStringLiteral("Pellet"),
                                 QStringLiteral("Boil"), QStringLiteral("25"))
                      + xml::hop(QStringLiteral("Citra"), QStringLiteral("10"), QStringLiteral("Pellet"),
                                 QStringLiteral("Boil"), QStringLiteral("25"));
    lovibond0.fermentables = xml::fermentable(QStringLiteral("Pilsmout"), QStringLiteral("4.0"), QStringLiteral("0"));
    const QString ebu = QStringLiteral("Doelstellingen - Bitterheid (EBU): * (toegestaan: boven 0 tot en met 150)");
    const auto rest = [](const char *step, int temp) {
        return QStringLiteral("Maisch schema - %1, Temperatuur (°C): %2 (toegestaan: boven 0 tot en met 85)")
            .arg(QString::fromUtf8(step))
            .arg(temp);
    };
    const auto aromaGrams = [](const char *hop) {
        return QStringLiteral("Hopgift - aromahop %1, hoeveelheid (gr): 25000 (toegestaan: boven 0 tot en met 2000)")
            .arg(QString::fromLatin1(hop));
    };
    const struct {
        const char *file;
        QByteArray bytes;
        QStringList listed;  // the lines, "*" for a computed value
    } cases[] = {
        {"schoon.xml", xml::Recipe().bytes(), {}},
        {"fahrenheit.xml",
         fahrenheit.bytes(),
         {rest("Inmaisch stap", 152), rest("rust  1", 158), rest("rust  2", 168)}},
        // Yields in points per pound, which no malt has, are named as the
        // file gives them.
        {"ppg.xml",
         ppg.bytes(),
         {QStringLiteral("Storting - opbrengst (<YIELD>) in het bestand, Pale Ale: 37.7 (toegestaan: van 50 tot en met "
                         "100 voor een mout)"),
          QStringLiteral("Storting - opbrengst (<YIELD>) in het bestand, Suiker: 46 (toegestaan: van 50 tot en met 100 "
                         "voor een mout)"),
          QStringLiteral("Storting - opbrengst (<YIELD>) in het bestand, Haver: 120 (toegestaan: boven 0 tot en met "
                         "100)")}},
        {"kilo.xml", gramsAsKilos.bytes(), {ebu}},
        {"aroma.xml", kilosAroma.bytes(), {ebu, aromaGrams("Cascade"), aromaGrams("Citra")}},
        {"lovibond0.xml", lovibond0.bytes(), {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = importFixture(c.file, c.bytes);
        // Imported either way.
        EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Saison de Noël"));
        EXPECT_EQ(s().recipe.ReceptStatus & 415, 415);
        EXPECT_EQ(s().app.fileName, path);
        EXPECT_TRUE(s().view.fraBrouwSchema.visible);
        // A malt of 0 °L is 0 EBC, never a negative colour.
        if (std::string_view(c.file) == "lovibond0.xml") {
            EXPECT_EQ(s().recipe.Storting(0, StEBC), QStringLiteral("0"));
        }
        if (c.listed.isEmpty()) {
            EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
            continue;
        }
        ASSERT_EQ(fake.messages.size(), 1u) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_EQ(fake.messages[0].style, mb::Exclamation);
        EXPECT_EQ(fake.messages[0].title, QStringLiteral("Attentie!"));
        const QStringList lines = fake.messages[0].prompt.split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), c.listed.size() + 4) << qPrintable(fake.messages[0].prompt);
        EXPECT_EQ(lines.front(),
                  c.listed.join(u'|').contains(QStringLiteral("<YIELD>"))
                      ? QStringLiteral("Deze waarden vallen buiten het bereik van hun invoerscherm of buiten wat een "
                                       "mout kan hebben:")
                      : QStringLiteral("Deze waarden van het recept vallen buiten het bereik van hun invoerscherm:"));
        EXPECT_EQ(lines.back(), QStringLiteral("Verbeter ze in die schermen."));
        for (int i = 0; i < c.listed.size(); ++i)
            EXPECT_TRUE(QRegularExpression(QRegularExpression::wildcardToRegularExpression(c.listed[i]))
                            .match(lines[i + 2])
                            .hasMatch())
                << qPrintable(lines[i + 2]);
    }
}

// Letters the recipe file cannot hold are kept as their nearest: the screen
// shows what a Save writes.
TEST_F(ImportXmlTest, LettersOutsideTheRecipeFileAreKeptAsTheirNearest)
{
    xml::Recipe czech;
    czech.name = QStringLiteral("Černý ležák ěšč");
    czech.hops = xml::hop(QStringLiteral("Žatecký poloraný červeňák"), QStringLiteral("60"));
    czech.fermentables = xml::fermentable(QStringLiteral("Plzeňský slad"), QStringLiteral("4.0"));
    czech.rest = QStringLiteral("<YEASTS><YEAST><NAME>Kvasnice č. 2</NAME></YEAST></YEASTS>"
                                "<MISCS><MISC><NAME>Kmín ř</NAME><AMOUNT>0.010</AMOUNT></MISC></MISCS>"
                                "<NOTES>Dvojitý rmut, ležení 6 týdnů — Дякую</NOTES>");
    fake.openAnswers.push_back(
        writeFixture(QStringLiteral("cerny.xml"), czech.bytes().replace("Piet", "Łukasz Kołodziej")));
    trigger("mnuImportXML");
    ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    const RecipeState &r = s().recipe;
    EXPECT_EQ(r.Algemeen(0), QStringLiteral("Cerný ležák ešc"));
    EXPECT_EQ(r.Algemeen(1), QStringLiteral("Lukasz Kolodziej"));
    EXPECT_EQ(r.Bitterhop(0, HopSoort), QStringLiteral("Žatecký poloraný cervenák"));
    EXPECT_EQ(r.Storting(0, StIngred), QStringLiteral("Plzenský slad"));
    EXPECT_EQ(r.Gistkeuze(0), QStringLiteral("Kvasnice c. 2"));
    EXPECT_EQ(r.Toevoegingen(0), QStringLiteral("10 gr Kmín r"));
    EXPECT_EQ(r.Aantekening, QStringLiteral("Dvojitý rmut, ležení 6 týdnu — ?????"));
    EXPECT_TRUE(s().view.fraBrouwSchema.caption.contains(QStringLiteral(" Brouwschema Cerný ležák ešc")));
    EXPECT_TRUE(s().view.lbl_Bhop[0].text.contains(QStringLiteral("Žatecký poloraný cervenák")));

    // What the file keeps reads back as what the screen shows.
    const QString file = cp1252::decode(recipeFileBytes(s()));
    for (const QString &shown : {r.Algemeen(0), r.Algemeen(1), r.Bitterhop(0, HopSoort), r.Storting(0, StIngred),
                                 r.Gistkeuze(0), r.Toevoegingen(0)})
        EXPECT_TRUE(file.contains(u'=' + shown + QStringLiteral("\r\n"))) << qPrintable(shown);
}

// Open Mijn.zlv, import Mijn.xml (another recipe), Save, OK on the alert: the
// ".zlv" name the save arrives at holds another recipe, which is replaced
// only when the brewer agrees. Nee ends the save as Cancel does.
TEST_F(ImportXmlTest, SavingAnImportAsksBeforeItReplacesTheRecipeOfItsName)
{
    const QString mijn = folder.file(QStringLiteral("Recepten/Mijn.zlv"));
    ASSERT_TRUE(QFile::copy(sample(QStringLiteral("Herfstbok.zlv")), mijn));
    ASSERT_TRUE(fc->openFile(mijn));
    const QByteArray onDisk = bytes(mijn);
    const QString imported = writeFixture(QStringLiteral("Mijn.xml"), xml::Recipe().bytes());
    fake.clear();
    fake.openAnswers.push_back(imported);
    trigger("mnuImportXML");
    ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    s().recipe.Algemeen(1) = QStringLiteral("Piet en Klaas");
    s().recipe.ReceptGewijzigd = true;

    fake.msgAnswers = {mb::OK, mb::No};
    trigger("mnuOpslaan");
    ASSERT_EQ(fake.prompts(), QStringList({XmlOpslaanVraag, replaceQuestionText(mijn)}));
    EXPECT_EQ(fake.messages[1].style, mb::YesNo | mb::Question);
    EXPECT_EQ(bytes(mijn), onDisk);
    EXPECT_EQ(bytes(imported), xml::Recipe().bytes());
    EXPECT_EQ(s().app.fileName, imported);
    EXPECT_EQ(s().view.panels[7].text, imported);
    EXPECT_TRUE(s().recipe.ReceptGewijzigd);
    EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Saison de Noël"));
    // The autosave copies no imported recipe.
    setAutoSave(true);
    fc->tmrAutoSave_Timer();
    EXPECT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(bytes(mijn), onDisk);
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Recepten/Mijn_AutoSave.zlv"))));

    fake.clear();
    fake.msgAnswers = {mb::OK, mb::Yes};
    trigger("mnuOpslaan");
    EXPECT_EQ(fake.prompts().size(), 2);
    EXPECT_EQ(bytes(mijn), recipeFileBytes(s()));
    EXPECT_EQ(s().app.fileName, mijn);
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
    // Now the open recipe's own file: saved without a question.
    fake.clear();
    s().recipe.ReceptGewijzigd = true;
    trigger("mnuOpslaan");
    EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    EXPECT_FALSE(s().recipe.ReceptGewijzigd);
}

// A recipe whose file would be larger than a recipe file may be is refused at
// the import with a message that names the bound; one that fits to the byte
// is saved and read back whole.
TEST_F(ImportXmlTest, NotesTooLargeForARecipeFileAreRefusedAndLargeOnesSaveAndReopen)
{
    openSample();
    const QString open = sample(QStringLiteral("Herfstbok.zlv"));
    const QByteArray onDisk = bytes(open);
    const auto withNotes = [](const QByteArray &notes) { return xml::Recipe().bytes().replace("Koud lageren", notes); };
    fake.openAnswers.push_back(writeFixture(QStringLiteral("groot.xml"), withNotes(QByteArray(5 << 20, 'x'))));
    trigger("mnuImportXML");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].prompt.contains(QStringLiteral("groter dan 4 MB")))
        << qPrintable(fake.messages[0].prompt);
    EXPECT_TRUE(fake.messages[0].prompt.contains(QStringLiteral("groot.xml")));
    expectHerfstbokUntouched(open);
    EXPECT_EQ(bytes(open), onDisk);

    // The refusal names what is large, which need not be the notes.
    xml::Recipe bigNotes, bigName, bigHop;
    bigNotes.rest.replace(QStringLiteral("Koud lageren"), QString(5 << 20, u'x'));
    bigName.name = QString(5 << 20, u'n');
    bigName.rest.replace(QStringLiteral("Koud lageren"), QString());
    bigHop.hops = xml::hop(QString(5 << 20, u'h'), QStringLiteral("60"));
    const struct {
        const char *file;
        QByteArray bytes;
        const char *named;
    } large[] = {
        {"grotenotities.xml", bigNotes.bytes(), "; de aantekeningen (<NOTES>) alleen zijn al 5 MB."},
        {"grotenaam.xml", bigName.bytes(), "; de naam van het recept (<NAME>) alleen is al 5 MB."},
        {"grotehop.xml", bigHop.bytes(), "; de naam van een hop (<HOP>/<NAME>) alleen is al 5 MB."},
    };
    for (const auto &l : large) {
        SCOPED_TRACE(l.file);
        fake.clear();
        fake.openAnswers.push_back(writeFixture(QString::fromLatin1(l.file), l.bytes));
        trigger("mnuImportXML");
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_TRUE(fake.messages[0].prompt.contains(QString::fromUtf8(l.named)))
            << qPrintable(fake.messages[0].prompt);
        EXPECT_LT(fake.messages[0].prompt.size(), 1000);
        expectHerfstbokUntouched(open);
    }

    // The rest of the recipe file beside the notes.
    fake.clear();
    fake.openAnswers.push_back(writeFixture(QStringLiteral("kort.xml"), withNotes("n")));
    trigger("mnuImportXML");
    ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
    const qsizetype rest = recipeFileBytes(s()).size() - 1;
    EXPECT_GT(rest, 1000);

    // One byte more than a recipe file may hold: the notes, just under the
    // bound, are named in bytes, not as the bound's own figure.
    fake.clear();
    fake.openAnswers.push_back(
        writeFixture(QStringLiteral("net.xml"), withNotes(QByteArray(MaxRecipeFileSize - rest + 1, 'n'))));
    trigger("mnuImportXML");
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_TRUE(fake.messages[0].prompt.contains(QStringLiteral("groter dan 4 MB")))
        << qPrintable(fake.messages[0].prompt);
    EXPECT_TRUE(fake.messages[0].prompt.contains(
        QStringLiteral("; het grootste deel daarvan zijn de aantekeningen (<NOTES>), met %1 bytes.")
            .arg(MaxRecipeFileSize - rest + 1)))
        << qPrintable(fake.messages[0].prompt);
    EXPECT_EQ(s().recipe.Aantekening, QStringLiteral("n"));

    // As much as it holds: imported, saved and read back whole.
    fake.clear();
    const QByteArray notes(MaxRecipeFileSize - rest, 'n');
    fake.openAnswers.push_back(writeFixture(QStringLiteral("ruim.xml"), withNotes(notes)));
    trigger("mnuImportXML");
    ASSERT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|').left(200));
    fake.msgAnswers = {mb::OK};
    trigger("mnuOpslaan");
    ASSERT_EQ(fake.prompts(), QStringList{XmlOpslaanVraag});
    const QString saved = folder.file(QStringLiteral("Recepten/ruim.zlv"));
    EXPECT_EQ(QFileInfo(saved).size(), MaxRecipeFileSize);
    ASSERT_TRUE(fc->openFile(saved));
    EXPECT_TRUE(s().recipe.Aantekening == QString::fromLatin1(notes));
}

TEST_F(ImportXmlTest, AChangedRecipeIsOfferedForSavingFirst)
{
    openSample();
    s().recipe.ReceptGewijzigd = true;
    fake.msgAnswers.push_back(mb::No);
    fake.openAnswers.push_back(std::nullopt);
    trigger("mnuImportXML");
    EXPECT_EQ(savePrompts(), 1);
    EXPECT_EQ(fake.openDialogs.size(), 1);
    EXPECT_EQ(s().recipe.Algemeen(0), QStringLiteral("Herfstbok"));
}

}  // namespace
}  // namespace mostarium::test

// Filling a template: first occurrence only, any letter case, values never
// searched again, RTF escaping, the picture behind the last field.
#include "output/RtfReport.h"

#include "support/QtPrint.h"

#include <gtest/gtest.h>

using namespace mostarium;

namespace {
QString filled(const char *source, std::vector<RtfField> fields)
{
    return QString::fromLatin1(fillTemplate(QByteArray(source), fields).rtf);
}
}  // namespace

TEST(RtfFill, FieldsByNameCaseAndFirstOccurrence)
{
    struct Case {
        const char *source;
        std::vector<RtfField> fields;
        const char *expected;
    };
    const Case cases[] = {
        {"a #Br1# b #br1#", {{"Br1", "Jan"}}, "a Jan b #br1#"},
        {"#BRDATUM#", {{"BrDatum", "1-1-2026"}}, "1-1-2026"},
        {"#Ingred1##Ingred10#", {{"Ingred1", "A"}, {"Ingred10", "B"}}, "AB"},
        {"#Ingred10##Ingred1#", {{"Ingred1", "A"}, {"Ingred10", "B"}}, "BA"},
        {"x #Onbekend# y", {{"Br1", "Jan"}}, "x #Onbekend# y"},
        // A template without the boil-time field has no boil-time line.
        {"#SGWortNaSpoelen#", {{"SGWortNaSpoelen", "1043"}, {"GeschatteKookTijd", "Kooktijd 90"}}, "1043"},
        {"#A#B#", {{"A", "1"}, {"B", "2"}}, "1B#"},
        // A value that looks like a field is not filled again.
        {"#Brouwschema# #Br1#", {{"Brouwschema", "#Br1#"}, {"Br1", "Jan"}}, "#Br1# Jan"},
        {"#Br1#", {{"Br1", ""}}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(filled(c.source, c.fields), QString::fromLatin1(c.expected));
    }
}

TEST(RtfFill, ValuesAreEscaped)
{
    const struct {
        QString value;
        const char *rtf;
    } cases[] = {
        {QStringLiteral("{x} \\ #Br1# \u010D"), "\\{x\\} \\\\ #Br1# \\u269?"},
        {QStringLiteral("63 \u00BAC, caf\u00E9 \u20AC"), "63 \\'baC, caf\\'e9 \\'80"},
        {QStringLiteral("a\r\nb\nc"), "a\\par b\\par c"},
        {QStringLiteral("\U0001F37A"), "\\u-10180?\\u-8326?"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rtf);
        EXPECT_EQ(rtfEscape(c.value), QByteArray(c.rtf));
    }
    // A beer named like a field, with braces and a backslash, fills once.
    EXPECT_EQ(filled("{\\b #Brouwschema#} #Br1#", {{"Brouwschema", QStringLiteral("{x} \\ #Br1# \u010D")}}),
              "{\\b \\{x\\} \\\\ #Br1# \\u269?} #Br1#");
}

TEST(RtfFill, PictureFollowsTheLastFieldReplaced)
{
    RtfPicture p{QByteArray("\x89PNG", 4), 2, 3};
    const RtfFill f = fillTemplate("#A# #B# #C#", {{"A", "1"}, {"C", "3"}, {"B", "2"}, {"Missing", "x"}}, p);
    EXPECT_EQ(f.replaced, 3);
    EXPECT_EQ(QString::fromLatin1(f.rtf), "1 2{\\pict\\pngblip\\picw2\\pich3\\picwgoal30\\pichgoal45\r\n89504e47} 3");
    // Nothing replaced: no place for a picture.
    EXPECT_EQ(fillTemplate("plain", {{"A", "1"}}, p).rtf, "plain");
}

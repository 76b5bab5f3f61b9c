#include "core/Cp1252.h"

#include <gtest/gtest.h>

namespace mostarium {
namespace {

TEST(Cp1252Storable, EachLetterAsItsNearestInTheCodePage)
{
    const struct {
        const char16_t *typed, *kept;
    } cases[] = {
        // Kept: everything the code page holds, also beyond Latin-1.
        {u"Bi\u00e8re d'\u00e9t\u00e9 \u00f8l \u00df \u0153uvre \u00c6 \u00bd \u20ac \u2013 \u201coud\u201d \u2122",
         u"Bi\u00e8re d'\u00e9t\u00e9 \u00f8l \u00df \u0153uvre \u00c6 \u00bd \u20ac \u2013 \u201coud\u201d \u2122"},
        {u"\u017datec\u00fd le\u017e\u00e1k \u0160", u"\u017datec\u00fd le\u017e\u00e1k \u0160"},
        {u"a\tb\r\nc", u"a\tb\r\nc"},
        {u"", u""},
        // Decomposed: the base letter.
        {u"Plze\u0148sk\u00fd \u010dern\u00fd \u011bt", u"Plzensk\u00fd cern\u00fd et"},
        {u"\u0158\u00edj\u0161\u010d\u011b\u010f\u0165", u"R\u00edj\u0161cedt"},
        {u"Gda\u0144sk \u017b\u00f3\u0142w \u0104\u0119", u"Gdansk Z\u00f3lw Ae"},
        {u"\u0130stanbul \u011e\u015f", u"Istanbul Gs"},
        {u"\u0103\u0219\u021b \u0151\u0171", u"ast ou"},
        // The letter with as many of its marks as the code page keeps.
        {u"\u01d8 \u01db \u1ec7", u"\u00fc \u00dc \u00ea"},
        // A letter typed with a combining mark: the one letter, else the base.
        {u"e\u0301 n\u0303 x\u0301 e\u030c", u"\u00e9 \u00f1 x e"},
        // No decomposition: the table.
        {u"\u0141\u00f3d\u017a \u0142 \u0110ur\u0111a \u0127 \u0131 \u0167", u"L\u00f3dz l Durda h i t"},
        {u"4\u22122 \u2010 \u2011 \u2032 \u2033", u"4-2 - - ' \""},
        // Compatibility forms.
        {u"\ufb01lter \u0133s \u01c6 \u2460 \u2103 \uff21", u"filter ijs d\u017e 1 \u00b0C A"},
        {u"\U0001d400", u"A"},
        // Invisible format characters go.
        {u"a\u200bb\ufeffc", u"abc"},
        // Nothing near: one "?" per character, also beyond the basic plane.
        {u"\u0416\u0439 \u03b1\u03ac \u65e5\u672c \U0001f37a", u"?? ?? ?? ?"},
    };
    for (const auto &c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        SCOPED_TRACE(qPrintable(typed));
        const QString kept = cp1252::storable(typed);
        EXPECT_EQ(kept, QString::fromUtf16(c.kept));
        // What is kept is what the file holds, character for character.
        EXPECT_EQ(cp1252::decode(cp1252::encode(kept)), kept);
        EXPECT_EQ(cp1252::storable(kept), kept);
    }
}

}  // namespace
}  // namespace mostarium

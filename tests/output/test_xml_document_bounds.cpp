#include "xml_fixtures.h"

#include "output/XmlDocumentBounds.h"
#include "output/XmlImport.h"

#include <functional>
#include <gtest/gtest.h>

namespace mostarium::test {
namespace {

const QString misplaced = QStringLiteral("Het document heeft een DOCTYPE binnen of na het hoofdelement.");
const QString second = QStringLiteral("Het document heeft meer dan één DOCTYPE.");
const QString grows = QStringLiteral("De entiteiten van het document groeien uit tot meer dan 1 MB tekst.");
const QString deep = QStringLiteral("De entiteiten van het document zijn dieper genest dan 8 niveaus.");
const QString parameter = QStringLiteral("De DTD van het document gebruikt parameterentiteiten.");

QByteArray doc(const QByteArray &subset, const QByteArray &body)
{
    return "<!DOCTYPE r [" + subset + "]><r>" + body + "</r>";
}

const QByteArray text4000 = "<!ENTITY e \"" + QByteArray(4000, 'x') + "\">";

TEST(XmlDocumentBounds, OneDoctypeBeforeTheRootAndEveryReferenceAfterIt)
{
    const struct {
        const char *what;
        QByteArray doc;
        QString reason;  // empty: accepted
        qsizetype line = 0, column = 0;
    } cases[] = {
        {"a DTD before the root", doc("<!ENTITY n \"Noel\">", "&n;"), {}},
        {"DOCTYPE text in a comment or CDATA after it",
         doc("<!ENTITY n \"Noel\">", "<![CDATA[<!DOCTYPE r>]]>") + "<!-- <!DOCTYPE r> -->",
         {}},
        {"in the root", "<r><x/><!DOCTYPE r></r>", misplaced, 1, 7},
        {"after the root", "<r/>\n <!DOCTYPE r>", misplaced, 2, 1},
        {"a DTD, the root, then a second DTD", doc({}, {}) + "<!DOCTYPE r>", misplaced, 1, 22},
        {"a second before the root", "<!DOCTYPE r><!DOCTYPE r><r/>", second, 1, 12},
        {"60,000 references to 4,000 characters, then a second DTD",
         doc(text4000, QByteArray("&e;").repeated(60000)) + "<!DOCTYPE r [<!ENTITY f \"y\">]>", misplaced},
        {"references in an attribute of the root",
         "<!DOCTYPE r [" + text4000 + "]><r a=\"" + QByteArray("&e;").repeated(300) + "\"/>", grows},
        {"references after the root", doc(text4000, {}) + QByteArray("&e;").repeated(300), grows},
        // Where e is referred to, the reader would declare f of 4,000
        // characters.
        {"a DTD in an entity's text",
         doc("<!ENTITY e \"<!DOCTYPE q [<!ENTITY f '" + QByteArray(4000, 'y') + "'>]>\">",
             "&e;" + QByteArray("&f;").repeated(60000)),
         QStringLiteral("Een entiteit van het document bevat een DOCTYPE."), 1, 25},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<XmlRefusal> r = xmlBoundsRefusal(c.doc);
        if (c.reason.isEmpty()) {
            EXPECT_FALSE(r) << qPrintable(r->reason);
            continue;
        }
        ASSERT_TRUE(r);
        EXPECT_EQ(r->reason, c.reason);
        if (c.line) {
            EXPECT_EQ(r->line, c.line);
            EXPECT_EQ(r->column, c.column);
        }
    }
}

// The import answers a second DTD after the recipe with its own reason, before
// the reader expands the references in front of it.
TEST(XmlDocumentBounds, ADoctypeAfterTheRecipeIsRefusedWithTheLoadMessage)
{
    QByteArray file = "<!DOCTYPE RECIPES [" + text4000 + "]>" + xml::Recipe().bytes();
    file.insert(file.indexOf("</NOTES>"), QByteArray("&e;").repeated(60000));
    file += "<!DOCTYPE RECIPES>";
    const XmlImportResult r = importXmlRecipe(file, QStringLiteral("dubbel.xml"));
    ASSERT_EQ(int(r.outcome), int(XmlImportResult::Outcome::LoadFailed));
    EXPECT_TRUE(r.message.contains(QStringLiteral("Error #: 1: ") + misplaced + QStringLiteral("\r\n")))
        << qPrintable(r.message);
}

// `name`1 of plain text, `name`2 referring to `name`1, and so on up to
// `name``height`.
QByteArray chain(const QByteArray &name, int height)
{
    QByteArray d = "<!ENTITY " + name + "1 \"t\">";
    for (int i = 2; i <= height; ++i)
        d += "<!ENTITY " + name + QByteArray::number(i) + " \"&" + name + QByteArray::number(i - 1) + ";\">";
    return d;
}

// The depth of an entity is the longest path below it, whichever path first
// reaches it and whether it was counted before.
TEST(XmlDocumentBounds, EntitiesNestAtMostEightDeepOnEveryPath)
{
    const struct {
        const char *what;
        QByteArray subset, body;
        bool refused;
    } cases[] = {
        {"a chain of 8", chain("x", 8), "&x8;", false},
        {"a chain of 9", chain("x", 9), "&x9;", true},
        // a refers to x6 (x6 three deep) and then to b, through which x6 is
        // four deep.
        {"reached shallow first, then deeper: 8", chain("x", 6) + "<!ENTITY b \"&x6;\"><!ENTITY a \"&x6;&b;\">", "&a;",
         false},
        {"reached shallow first, then deeper: 9", chain("x", 7) + "<!ENTITY b \"&x7;\"><!ENTITY a \"&x7;&b;\">", "&a;",
         true},
        {"reached deep first, then shallower: 9", chain("x", 7) + "<!ENTITY b \"&x7;\"><!ENTITY a \"&b;&x7;\">", "&a;",
         true},
        // x7 is counted from the text, then reached again two deeper.
        {"counted from the text, then through two entities: 9",
         chain("x", 7) + "<!ENTITY b \"&x7;\"><!ENTITY c \"&b;\">", "&x7;&c;", true},
        {"counted through two entities, then from the text: 8",
         chain("x", 6) + "<!ENTITY b \"&x6;\"><!ENTITY c \"&b;\">", "&c;&x6;", false},
        // a's depth is that of its deeper branch, not of the first.
        {"counted with a shallow first branch, then referred to deeper: 9",
         chain("x", 7) + "<!ENTITY s \"t\"><!ENTITY a \"&s;&x7;\"><!ENTITY d \"&a;\">", "&a;&d;", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<XmlRefusal> r = xmlBoundsRefusal(doc(c.subset, c.body));
        if (!c.refused) {
            EXPECT_FALSE(r) << qPrintable(r->reason);
            continue;
        }
        ASSERT_TRUE(r);
        EXPECT_EQ(r->reason, deep);
    }
}

// Wherever "%" stands in a declaration but in an attribute default, it is
// refused where it stands.
TEST(XmlDocumentBounds, AParameterEntityIsRefusedAtItsPercentSign)
{
    const struct {
        const char *what;
        QByteArray subset;
        bool refused;
    } cases[] = {
        {"declared", "<!ENTITY e \"x\"><!ENTITY % p \"x\">", true},
        {"declared without a blank", "<!ENTITY %p \"x\">", true},
        {"referred to between declarations", "<!ENTITY e \"x\">%p;", true},
        {"referred to in an entity's text", "<!ENTITY e \"a%p;\">", true},
        {"referred to in an attribute list", "<!ATTLIST r a CDATA %p;>", true},
        {"a percent sign in an attribute default", "<!ATTLIST r a CDATA \"50%\">", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray d = doc(c.subset, {});
        const std::optional<XmlRefusal> r = xmlBoundsRefusal(d);
        if (!c.refused) {
            EXPECT_FALSE(r) << qPrintable(r->reason);
            continue;
        }
        ASSERT_TRUE(r);
        EXPECT_EQ(r->reason, parameter);
        EXPECT_EQ(r->line, 1);
        EXPECT_EQ(r->column, d.indexOf('%'));
    }
}

// Counting the references reads no character twice: the work grows with the
// number of entities, not with its square.
TEST(XmlDocumentBounds, CountingTheReferencesGrowsLinearlyWithTheEntities)
{
    const auto name = [](const char *prefix, int i) { return prefix + QByteArray::number(i).rightJustified(6, '0'); };
    const struct {
        const char *what;
        std::function<QByteArray(int)> doc;
    } shapes[] = {
        {"distinct entities, each referred to once",
         [&](int n) {
             QByteArray subset, body;
             for (int i = 0; i < n; ++i) {
                 subset += "<!ENTITY " + name("e", i) + " \"tekst\">";
                 body += "&" + name("e", i) + ";";
             }
             return doc(subset, body);
         }},
        {"each referring to one of its own",
         [&](int n) {
             QByteArray subset, body;
             for (int i = 0; i < n; ++i) {
                 subset += "<!ENTITY " + name("a", i) + " \"voor &" + name("b", i) + "; na\"><!ENTITY " + name("b", i)
                           + " \"tekst\">";
                 body += "&" + name("a", i) + ";";
             }
             return doc(subset, body);
         }},
    };
    for (const auto &s : shapes) {
        SCOPED_TRACE(s.what);
        qsizetype previous = 0;
        for (const int n : {1000, 2000, 4000}) {
            SCOPED_TRACE(n);
            const QByteArray d = s.doc(n);
            qsizetype work = -1;
            const std::optional<XmlRefusal> r = xmlBoundsRefusal(d, &work);
            EXPECT_FALSE(r) << qPrintable(r->reason);
            EXPECT_GT(work, 0);
            EXPECT_LE(work, d.size());
            if (previous) {
                EXPECT_LE(double(work) / double(previous), 2.05);
            }
            previous = work;
        }
    }
}

}  // namespace
}  // namespace mostarium::test

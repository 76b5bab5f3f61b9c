#include "XmlImport.h"

#include "core/CalcError.h"
#include "core/Cp1252.h"
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Recalc.h"
#include "core/RecipeFile.h"
#include "core/RecipeFileWriter.h"
#include "core/RecipeLimits.h"
#include "core/RecipeReset.h"
#include "core/Session.h"
#include "core/TextCut.h"
#include "core/WholeFile.h"
#include "output/XmlDocumentBounds.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <vector>

namespace mostarium {

const QString XmlImportFoutmelding =
    QStringLiteral("Mostarium kan het XML bestand niet goed verwerken omdat er essentiale info ontbreekt in de "
                   "xml!\r\nKontroleer <FG>, <OG>, <FG_MIN>, <FG_MAX>, <OG_MIN> en <OG_MAX> in het XML bestand.");

namespace {

using num::format;
using num::plain;
using num::val;

// Most tools that declare ISO-8859-1 write Windows-1252: its printable
// characters sit where ISO-8859-1 has control codes.
QString mapC1(QString t)
{
    for (QChar &c : t) {
        const char16_t u = c.unicode();
        if (u >= 0x80 && u <= 0x9F) {
            const char b = char(u);
            c = cp1252::decode(QByteArrayView(&b, 1)).at(0);
        }
    }
    return t;
}

// The first RECIPE of a document: its elements with their names and text,
// all the import reads.
class RecipeTree {
public:
    struct Node {
        QString name;
        int parent = -1;
        int place = 0;              // among the parent's element children
        std::vector<int> children;  // element children
        // Text and element children in document order (text when child < 0).
        std::vector<std::pair<int, QString>> content;
    };

    int open(const QString &name, int parent)
    {
        const int i = int(m_nodes.size());
        Node n;
        n.name = name;
        n.parent = parent;
        if (parent >= 0) {
            Node &p = m_nodes[std::size_t(parent)];
            n.place = int(p.children.size());
            p.children.push_back(i);
            p.content.emplace_back(i, QString());
        }
        m_nodes.push_back(std::move(n));
        return i;
    }
    void addText(int node, QStringView text) { m_nodes[std::size_t(node)].content.emplace_back(-1, text.toString()); }
    const Node &node(int i) const { return m_nodes[std::size_t(i)]; }
    bool empty() const { return m_nodes.empty(); }
    int size() const { return int(m_nodes.size()); }

    // The text of the node and all it holds, in document order.
    void appendText(int i, QString &out) const
    {
        for (const auto &[c, t] : node(i).content) {
            if (c < 0)
                out += t;
            else
                appendText(c, out);
        }
    }

private:
    std::vector<Node> m_nodes;
};

// An element of the tree, or none.
class Element {
public:
    Element() = default;
    Element(const RecipeTree *t, int i) : m_t(t), m_i(i) {}
    bool isNull() const { return !m_t || m_i < 0; }

    Element firstChildElement(const QString &name) const
    {
        if (isNull())
            return {};
        return childFrom(m_i, 0, name);
    }
    Element nextSiblingElement(const QString &name) const
    {
        if (isNull() || m_t->node(m_i).parent < 0)
            return {};
        return childFrom(m_t->node(m_i).parent, m_t->node(m_i).place + 1, name);
    }
    QString text() const
    {
        QString out;
        if (!isNull())
            m_t->appendText(m_i, out);
        return out;
    }

private:
    Element childFrom(int parent, int from, const QString &name) const
    {
        const std::vector<int> &c = m_t->node(parent).children;
        for (std::size_t k = std::size_t(from); k < c.size(); ++k)
            if (m_t->node(c[k]).name == name)
                return {m_t, c[k]};
        return {};
    }

    const RecipeTree *m_t = nullptr;
    int m_i = -1;
};

Element child(const Element &parent, const char *name) { return parent.firstChildElement(QString::fromLatin1(name)); }

// The text as the recipe keeps it.
std::optional<QString> text(const Element &parent, const char *name)
{
    const Element e = child(parent, name);
    if (e.isNull())
        return std::nullopt;
    return cp1252::storable(mapC1(e.text()));
}

QString textOr(const Element &parent, const char *name) { return text(parent, name).value_or(QString()); }

// All `item` children of all `group` children of `parent`, in document order.
std::vector<Element> items(const Element &parent, const char *group, const char *item)
{
    std::vector<Element> out;
    for (Element g = child(parent, group); !g.isNull(); g = g.nextSiblingElement(QString::fromLatin1(group)))
        for (Element e = child(g, item); !e.isNull(); e = e.nextSiblingElement(QString::fromLatin1(item)))
            out.push_back(e);
    return out;
}

// Why an import stops, in the brewer's words: the line the refusal adds.
struct ImportRefused : std::exception {
    explicit ImportRefused(QString r) : reason(std::move(r)) {}
    const char *what() const noexcept override { return "import refused"; }
    QString reason;
};

[[noreturn]] void refuse(const QString &reason) { throw ImportRefused(reason); }

// A number of the file; none when it is missing or no number.
std::optional<double> fileNumber(const std::optional<QString> &t)
{
    if (!t)
        return std::nullopt;
    try {
        return num::strictDouble(*t);
    } catch (const CalcError &) {
        return std::nullopt;
    }
}

// A strict number; a text that is none stops the import, naming `what`.
double strictOf(const QString &t, const QString &what)
{
    if (const std::optional<double> v = fileNumber(t))
        return *v;
    refuse(QStringLiteral("%1 is geen getal: \"%2\".").arg(what, quotedText(t)));
}

float strictSingleOf(const QString &t, const QString &what)
{
    try {
        return num::strictSingle(t);
    } catch (const CalcError &) {
        refuse(QStringLiteral("%1 is geen getal: \"%2\".").arg(what, quotedText(t)));
    }
}

// A strict number where present; a missing element gives 0.
float strictOrZero(const Element &parent, const char *name, const QString &what)
{
    const auto t = text(parent, name);
    return t ? strictSingleOf(*t, what) : 0.0f;
}

// A gravity as kg/m3. Other programs write a specific gravity, kg/m3 or
// degrees Plato; the range tells which. 0 means none given; anything that
// fits none of them stops the import rather than give an absurd figure.
double gravity(const QString &t, const QString &what)
{
    const double v = val(t);
    if (v == 0)
        return 0;
    if (v >= 0.9 && v <= 1.2)
        return v * 1000.0;
    if (v >= 900 && v <= 1200)
        return v;
    if ((v > 0 && v < 0.9) || (v > 1.2 && v <= 50))
        return val(format(PlatoToSG(float(v)), u"0.0"));
    refuse(QStringLiteral("%1 \"%2\" is geen dichtheid: Mostarium leest een SG (1.050), kg/m3 (1050) of graden "
                          "Plato (12.5).")
               .arg(what, quotedText(t)));
}

// Boil minutes as the recipe holds them: whole, within 0..32767, where the
// utilisation is flat long before the end.
std::int16_t minutes(double v)
{
    if (!(v > 0))
        return 0;
    return std::int16_t(num::toInt32(std::min(v, 32767.0)));
}

bool sameText(const QString &a, const char *b)
{
    return a.trimmed().compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

struct Hop {
    QString name, alpha, amount, formTag;
    bool hasForm = false;
    // Used for aroma ("Aroma") or in the fermenter ("Dry Hop"): an aroma row
    // whatever its time.
    bool aromaUse = false;
    bool dry = false;
    std::int16_t fileTime = 0;  // the file's TIME, in whole minutes
    std::int16_t time = 0;      // the boil the row gets: none for a dry hop
    bool bitter() const { return !aromaUse && time > 10; }
};

Hop readHop(const Element &e)
{
    Hop h;
    h.name = textOr(e, "NAME");
    h.alpha = textOr(e, "ALPHA");
    h.amount = textOr(e, "AMOUNT");
    const auto form = text(e, "FORM");
    h.hasForm = form.has_value();
    h.formTag = form.value_or(QString());
    const QString use = textOr(e, "USE");
    h.dry = sameText(use, "Dry Hop");
    h.aromaUse = h.dry || sameText(use, "Aroma");
    // An empty or non-numeric time is no boil.
    h.fileTime = minutes(val(textOr(e, "TIME")));
    h.time = h.dry ? 0 : h.fileTime;
    return h;
}

// A style's range as kg/m3, read as a gravity is; its middle when both ends
// lie above water, else 0.
double stylePair(const Element &style, const char *lo, const char *hi)
{
    const auto one = [&](const char *name) {
        return val(format(gravity(textOr(style, name), QStringLiteral("<%1>").arg(QLatin1String(name))), u"####"));
    };
    const double a = one(lo), b = one(hi);
    if (a > 1000 && b > 1000)
        return val(format((a + b) / 2.0, u"####"));
    return 0;
}

// Target gravities a beer can have (kg/m3); a recipe outside them cannot be
// brewed, nor its schedule computed.
bool beer(double og, double fg) { return og > 1000 && og <= 1200 && fg > 990 && fg < og; }

// A misc's name with its amount before it, unless it carries one already.
QString additionText(const Element &e)
{
    const auto name = text(e, "NAME");
    if (!name)
        return QString();
    const auto amount = text(e, "AMOUNT");
    if (!amount)
        return *name;
    static const QRegularExpression hasAmount(QStringLiteral("^\\s*[0-9]+(\\.[0-9]*)?\\s(gr|ml)\\s"));
    if (hasAmount.match(*name).hasMatch())
        return *name;
    const bool weight =
        textOr(e, "AMOUNT_IS_WEIGHT").trimmed().compare(QStringLiteral("FALSE"), Qt::CaseInsensitive) != 0;
    return plain(val(*amount) * 1000.0) + (weight ? QStringLiteral(" gr ") : QStringLiteral(" ml ")) + *name;
}

// The most of the offending line the load message shows.
constexpr qsizetype MaxSourceText = 120;

// The brewhouse efficiencies (%) a file's EFFICIENCY may give; outside them
// the figure is taken for a slip, not for a brewhouse.
constexpr double MinEfficiency = 30, MaxEfficiency = 100;

// Fermentables that lose nothing in the mash: their yield reaches the wort whole.
bool sugarOrExtract(const Element &f)
{
    const QString type = textOr(f, "TYPE");
    return sameText(type, "Sugar") || sameText(type, "Extract") || sameText(type, "Dry Extract");
}

// A row's name as the lists of left-out rows give it.
QString rowName(const QString &name)
{
    return name.trimmed().isEmpty() ? QStringLiteral("zonder naam") : quotedText(name);
}

// A hop the recipe has no room for, as the message names it.
QString hopLine(const Hop &h)
{
    const QString kind = h.dry        ? QStringLiteral("drooghop ")
                         : h.bitter() ? QStringLiteral("bitterhop ")
                                      : QStringLiteral("aromahop ");
    return QStringLiteral("- ") + kind + rowName(h.name) + QStringLiteral(": ") + format(val(h.amount) * 1000.0, u"##0")
           + QStringLiteral(" gr, ") + QString::number(h.fileTime) + QStringLiteral(" min");
}

// The name of a part of the file as a message gives it.
QString shownName(const QString &name)
{
    return name.trimmed().isEmpty() ? rowName(name) : QStringLiteral("\"") + quotedText(name) + u'"';
}

// Lines that name left-out rows: all of them up to one past MaxNamedRows,
// else the first MaxNamedRows and the number of the `others`.
QString namedRows(const QStringList &lines, const QString &others)
{
    if (lines.size() <= MaxNamedRows + 1)
        return lines.join(QStringLiteral("\r\n"));
    return (lines.mid(0, MaxNamedRows) << QStringLiteral("- en nog %1 %2").arg(lines.size() - MaxNamedRows).arg(others))
        .join(QStringLiteral("\r\n"));
}

// A mash step of the file as the message names it: its place in the file,
// its name, its temperature and time as the file gives them.
QString stepLine(const Element &st, int place)
{
    const auto figure = [&st](const char *name, const char *unit, const char *none) {
        const auto t = text(st, name);
        if (!t || t->trimmed().isEmpty())
            return QString::fromUtf8(none);
        if (const auto v = fileNumber(t))
            return plain(*v) + QString::fromUtf8(unit);
        return u'"' + quotedText(*t) + u'"';
    };
    const QString name = textOr(st, "NAME");
    return QStringLiteral("- stap %1").arg(place)
           + (name.trimmed().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(quotedText(name)))
           + QStringLiteral(": ") + figure("STEP_TEMP", " °C", "geen temperatuur") + QStringLiteral(", ")
           + figure("STEP_TIME", " min", "geen tijd");
}

// The lowest laboratory yield (%) of a malt: roasted barley and black malt
// give some 55. A figure in points per pound, which some programs write in
// YIELD, lies below 47 (sucrose).
constexpr double MinMaltYield = 50, MaxYield = 100;

// What the brewer can do about the hops the recipe has no room for.
QString leftOutNotice(const QStringList &left, bool bitter, bool aroma)
{
    QString t = QStringLiteral("Het recept heeft plaats voor vier aromahoppen en vier bitterhoppen. ")
                + (left.size() == 1 ? QStringLiteral("Deze hop uit het bestand is niet overgenomen:\r\n")
                                    : QStringLiteral("Deze hoppen uit het bestand zijn niet overgenomen:\r\n"))
                + namedRows(left, QStringLiteral("andere hoppen"));
    if (bitter)
        t += QStringLiteral("\r\nDe overgenomen bitterhoppen geven samen de hele bitterheid: hun gewicht wordt "
                            "berekend op de bitterheid van de doelstellingen.");
    if (aroma)
        t += QStringLiteral("\r\nTel een weggelaten aromahop zo nodig op bij een overgenomen aromahop van dezelfde "
                            "soort en kooktijd.");
    return t;
}

// The steps of the import, one per section of the file, in the order they
// run. A refusal, or a CalcError anywhere, stops it; `where` names the part
// being read, for the message of a CalcError. `notices` gets what the brewer
// should know about the recipe imported.
class Filler {
public:
    Filler(const Element &rec, QString &where, XmlImportResult &result)
        : m_rec(rec), m_where(where), m_notices(result.notices), m_result(result)
    {}

    XmlRecipe run()
    {
        general();
        gravities();
        targets();
        grainBill();
        mash();
        hopsOf();
        yeastsAndAdditions();
        measured();
        x.Aantekening = textOr(m_rec, "NOTES");
        return x;
    }

private:
    void add(int bit)
    {
        if (!(x.ReceptStatus & bit))
            x.ReceptStatus = std::int16_t(x.ReceptStatus + bit);
    }
    void at(const QString &where) { m_where = where; }

    void general();
    void gravities();
    void targets();
    void deriveTargets();
    void requireVolume(float volume) const;
    void grainBill();
    std::vector<QString> sharesOf(const std::vector<Element> &ferm, int rows, double total) const;
    double efficiencyOf(const std::vector<Element> &ferm, int rows);
    void checkYield(const Element &f, int row, const QString &given, double yield);
    void leftOutGrain(const std::vector<Element> &ferm, int kept, double keptTotal);
    void mash();
    void mashNotice(const QStringList &skipped, const QStringList &noRoom);
    void hopsOf();
    void yeastsAndAdditions();
    void measured();

    const Element m_rec;
    QString &m_where;
    QStringList &m_notices;
    XmlImportResult &m_result;
    XmlRecipe x;
    std::vector<Hop> m_hops;
    std::optional<QString> m_ogText, m_fgText;
    double m_ogRead = 0, m_fgRead = 0;
    Element m_obj;
    // The OG the recipe aims at: read, from the style, or what the targets give.
    double m_targetOG = 0;
};

void Filler::general()
{
    at(QStringLiteral("de algemene gegevens"));
    x.Algemeen.redim(7);
    x.Algemeen(0) = textOr(m_rec, "NAME");
    x.Algemeen(1) = textOr(m_rec, "BREWER");
    x.Algemeen(6) = textOr(m_rec, "DATE");
    add(StatusAlgemeen);
}

// The hops and the gravities the targets and the hop rows both read.
void Filler::gravities()
{
    at(QStringLiteral("de hop (<HOP>)"));
    for (const Element &e : items(m_rec, "HOPS", "HOP"))
        m_hops.push_back(readHop(e));
    at(QStringLiteral("de dichtheden (<OG>, <FG>)"));
    m_ogText = text(m_rec, "OG");
    m_fgText = text(m_rec, "FG");
    m_ogRead = m_ogText ? gravity(*m_ogText, QStringLiteral("<OG>")) : 0;
    m_fgRead = m_fgText ? gravity(*m_fgText, QStringLiteral("<FG>")) : 0;
}

// Hops boil in a volume: without one their bitterness cannot be computed.
void Filler::requireVolume(float volume) const
{
    if (!m_hops.empty() && !(volume > 0))
        refuse(m_obj.isNull() ? QStringLiteral("het bestand geeft geen volume (<BATCH_SIZE> ontbreekt of is niet boven "
                                               "0), en de bitterheid van de hop hangt daarvan af.")
                              : QStringLiteral("de doelstellingen (<OBJECTIVES>) geven geen volume (<VOLUME>), en de "
                                               "bitterheid van de hop hangt daarvan af."));
}

void Filler::targets()
{
    at(QStringLiteral("de doelstellingen"));
    auto &d = x.Doelstellingen;
    d.redim(5);
    m_obj = child(m_rec, "OBJECTIVES");
    if (!m_obj.isNull()) {
        const auto of = [](const char *name) { return QStringLiteral("<OBJECTIVES>/<%1>").arg(QLatin1String(name)); };
        d(1) = strictOrZero(m_obj, "VOLUME", of("VOLUME"));
        d(2) = strictOrZero(m_obj, "VOLPERCETHANOL", of("VOLPERCETHANOL"));
        d(3) = num::toSingle(val(textOr(m_obj, "FG")) * 1000.0);
        d(4) = strictOrZero(m_obj, "EBU", of("EBU"));
        d(5) = strictOrZero(m_obj, "CO2", of("CO2"));
    }
    if (d(1) == 0 && d(2) == 0 && d(3) == 0 && d(4) == 0 && d(5) == 0)
        deriveTargets();
    // Whichever way the targets came, the schedule starts from the gravity they give.
    if (const double og = expectedOG(d, FirstBeer); !beer(og, d(TargetFG)))
        refuse((m_obj.isNull() ? QStringLiteral("de doelstellingen uit het bestand (<OG>, <FG>, <CARBONATION>)")
                               : QStringLiteral("de doelstellingen (<OBJECTIVES>)"))
               + QStringLiteral(" geven geen bier: begin-SG %1 en eind-SG %2 (kg/m3).")
                     .arg(format(og, u"###0"), plain(d(TargetFG))));
    requireVolume(d(1));
    if (m_targetOG == 0)
        m_targetOG = expectedOG(d, FirstBeer);
    add(StatusDoelstellingen);
}

// Targets from the batch, the gravities (or the style's) and the hops, for a
// file that gives none.
void Filler::deriveTargets()
{
    auto &d = x.Doelstellingen;
    const double batch = val(textOr(m_rec, "BATCH_SIZE"));
    d(1) = batch == 0 ? 0.0f : strictSingleOf(format(batch, u"###.#"), QStringLiteral("<BATCH_SIZE>"));
    const Element style = child(m_rec, "STYLE");
    double og = val(format(m_ogRead, u"####"));
    if (og == 0)
        og = stylePair(style, "OG_MIN", "OG_MAX");
    double fg = val(format(m_fgRead, u"###0"));
    if (fg == 0)
        fg = stylePair(style, "FG_MIN", "FG_MAX");
    if (og == 0)
        refuse(QStringLiteral("het bestand geeft geen begin-SG: <OG> ontbreekt en <STYLE> geeft geen <OG_MIN> en "
                              "<OG_MAX>."));
    if (fg == 0)
        refuse(QStringLiteral("het bestand geeft geen eind-SG: <FG> ontbreekt en <STYLE> geeft geen <FG_MIN> en "
                              "<FG_MAX>."));
    if (!beer(og, fg))
        refuse(QStringLiteral("begin-SG %1 en eind-SG %2 (kg/m3) geven geen bier: de begin-SG ligt boven 1000 "
                              "tot en met 1200, de eind-SG boven 990 en onder de begin-SG.")
                   .arg(plain(og), plain(fg)));
    requireVolume(d(1));
    m_targetOG = og;
    d(2) = float(val(format(std::abs(og - fg) * 0.132, u"##.0")));
    d(3) = num::toSingle(fg);
    double ebu = 0;
    for (const Hop &h : m_hops) {
        at(QStringLiteral("de hop ") + quotedText(h.name));
        QString form = sameText(h.formTag, "Pellet") ? QStringLiteral("pellets") : QStringLiteral("bloemen");
        const double u = HopUtilisatie(num::toSingle(og), h.time);
        const QString of = QStringLiteral(" van hop ") + quotedText(h.name);
        ebu += u
               * BerekenEBU(num::toSingle(strictOf(h.amount, QStringLiteral("<AMOUNT>") + of) * 1000.0), form,
                            strictSingleOf(h.alpha, QStringLiteral("<ALPHA>") + of), d(1));
    }
    at(QStringLiteral("de doelstellingen"));
    d(4) = float(val(format(num::finite(ebu), u"0.0")));
    const double co2 = val(format(val(textOr(m_rec, "CARBONATION")) * 1.96, u"###0.0"));
    d(5) = co2 == 0 ? 5.0f : num::toSingle(co2);
}

// The brewhouse efficiency (a fraction) that weighs the mashed rows; 1 when
// the file has OBJECTIVES, mashes nothing or gives no usable figure (then
// with a notice).
double Filler::efficiencyOf(const std::vector<Element> &ferm, int rows)
{
    bool mashed = false;  // a row that the efficiency weighs
    for (int i = 0; i < rows; ++i)
        mashed = mashed || (!sugarOrExtract(ferm[std::size_t(i)]) && text(ferm[std::size_t(i)], "YIELD"));
    if (!m_obj.isNull() || !mashed)
        return 1;
    const auto given = text(m_rec, "EFFICIENCY");
    const std::optional<double> e = given ? num::leadingNumber(*given) : std::nullopt;
    if (e && *e >= MinEfficiency && *e <= MaxEfficiency)
        return *e / 100.0;
    const QString what = given ? QStringLiteral("<EFFICIENCY> is \"%1\", bruikbaar van %2 tot en met %3")
                                     .arg(quotedText(*given), plain(MinEfficiency), plain(MaxEfficiency))
                               : QStringLiteral("<EFFICIENCY> ontbreekt");
    m_notices << QStringLiteral("Het bestand geeft geen bruikbaar brouwzaalrendement (") + what
                     + QStringLiteral("). Het extractrendement (EE) van de mout is daarom de "
                                      "laboratoriumopbrengst (<YIELD>) uit het bestand, waarmee de storting te "
                                      "weinig mout afweegt. Pas het EE in Storting aan op uw brouwzaal.");
    return 1;
}

// Each row's share of the bill in percent ("##.00"; empty for a row without
// an amount). The grain dialog takes a bill only when its shares add up to
// 100.00 exactly, so when the rounded shares do not (three equal malts give
// 33.33 each), the hundredths go to the rows that rounding shortened most.
std::vector<QString> Filler::sharesOf(const std::vector<Element> &ferm, int rows, double total) const
{
    const auto n = std::size_t(rows);
    std::vector<QString> shares(n);
    std::vector<double> exact(n, -1);
    double hundredths = 0;
    bool whole = true;
    for (std::size_t i = 0; i < n; ++i) {
        if (const auto a = text(ferm[i], "AMOUNT")) {
            exact[i] = num::div(num::strictDouble(*a) * 100.0, total);
            shares[i] = format(exact[i], u"##.00");
            hundredths += std::round(val(shares[i]) * 100.0);
        } else {
            whole = false;
        }
    }
    if (!whole || hundredths == 10000)
        return shares;
    std::vector<double> cut(n);
    std::vector<std::size_t> order(n);
    double left = 10000;
    for (std::size_t i = 0; i < n; ++i) {
        cut[i] = std::floor(exact[i] * 100.0);
        left -= cut[i];
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return exact[a] * 100.0 - cut[a] > exact[b] * 100.0 - cut[b];
    });
    for (std::size_t k = 0; k < order.size() && left > 0; ++k, --left)
        cut[order[k]] += 1;
    for (std::size_t i = 0; i < n; ++i)
        shares[i] = format(cut[i] / 100.0, u"##.00");
    return shares;
}

// Grain bill: the schedule holds MaxGrainRows rows. A file of another program gives
// each malt's laboratory yield and the brewhouse's efficiency; the grain bill
// holds what reaches the wort, their product. A file this program wrote (it
// has OBJECTIVES) holds that product already.
void Filler::grainBill()
{
    at(QStringLiteral("de storting (<FERMENTABLE>)"));
    const std::vector<Element> ferm = items(m_rec, "FERMENTABLES", "FERMENTABLE");
    if (ferm.empty())
        refuse(QStringLiteral("het bestand bevat geen mout of suiker (<FERMENTABLE>)."));
    const int rows = std::min<int>(int(ferm.size()), MaxGrainRows);
    x.Storting.redim(rows - 1, 4);
    const double efficiency = efficiencyOf(ferm, rows);
    double total = 0;
    for (int i = 0; i < rows; ++i)
        if (const auto a = text(ferm[std::size_t(i)], "AMOUNT"))
            total += strictOf(*a, QStringLiteral("<AMOUNT> van ") + quotedText(textOr(ferm[std::size_t(i)], "NAME")));
    if (!(total > 0))
        refuse(QStringLiteral("de hoeveelheden van de mout en suiker (<AMOUNT>) tellen niet op tot meer dan 0."));
    const std::vector<QString> shares = sharesOf(ferm, rows, total);
    for (int i = 0; i < rows; ++i) {
        const Element &f = ferm[std::size_t(i)];
        x.Storting(i, StIngred) = textOr(f, "NAME");
        x.Storting(i, StPerc) = shares[std::size_t(i)];
        if (const auto y = text(f, "YIELD")) {
            const double yield = val(*y);
            x.Storting(i, StBZR) = format(yield / 100.0 * (sugarOrExtract(f) ? 1.0 : efficiency), u"0.00");
            // A yield whose share the grain dialog refuses is named with its share.
            if (holdsText(limits::StortingBZR, x.Storting(i, StBZR)))
                checkYield(f, i, *y, yield);
        }
        if (const auto c = text(f, "COLOR"))
            // The lightest malts are 0 EBC, never a negative colour.
            x.Storting(i, StEBC) = format(std::max(0.0f, LovibondToEBC(num::toSingle(val(*c)))), u"###0");
        x.Storting(i, StLaat) = QStringLiteral("0");
    }
    add(StatusStorting);
    if (int(ferm.size()) > rows)
        leftOutGrain(ferm, rows, total);
}

// The fermentables past the grain bill's rows, each with its weight and its
// share of the file's whole bill: the kept rows' percentages are of the kept
// rows alone, so the bill is not the file's. An amount that is no weight (no
// number, or past a thousand tonnes) is quoted as the file has it.
void Filler::leftOutGrain(const std::vector<Element> &ferm, int kept, double keptTotal)
{
    struct Left {
        QString name;
        std::optional<QString> text;
        std::optional<double> kg;
    };
    std::vector<Left> left;
    double all = keptTotal;
    for (std::size_t i = std::size_t(kept); i < ferm.size(); ++i) {
        Left l{textOr(ferm[i], "NAME"), text(ferm[i], "AMOUNT"), std::nullopt};
        l.kg = fileNumber(l.text);
        if (l.kg && !(std::abs(*l.kg) < 1e6))
            l.kg.reset();
        if (l.kg && *l.kg > 0)
            all += *l.kg;
        left.push_back(std::move(l));
    }
    QStringList lines;
    for (const Left &l : left) {
        QString line = QStringLiteral("- ") + rowName(l.name);
        if (l.kg)
            line += QStringLiteral(": %1 gr, %2 % van de storting in het bestand")
                        .arg(format(*l.kg * 1000.0, u"##0"), format(*l.kg * 100.0 / all, u"##0.0"));
        else if (l.text && !l.text->trimmed().isEmpty())
            line += QStringLiteral(": <AMOUNT> \"%1\"").arg(quotedText(*l.text));
        lines << line;
    }
    static_assert(MaxGrainRows == 10, "the notice says ten");
    m_notices << QStringLiteral("Het recept heeft plaats voor tien ingrediënten in de storting. ")
                     + (lines.size() == 1 ? QStringLiteral("Dit ingrediënt uit het bestand is niet overgenomen:\r\n")
                                          : QStringLiteral("Deze ingrediënten uit het bestand zijn niet "
                                                           "overgenomen:\r\n"))
                     + namedRows(lines, QStringLiteral("andere ingrediënten"))
                     + QStringLiteral("\r\nDe percentages in Storting zijn berekend over de tien overgenomen "
                                      "ingrediënten alleen. Tel een weggelaten ingrediënt zo nodig op bij een "
                                      "overgenomen ingrediënt dat erop lijkt.");
}

// A YIELD above 100 % no fermentable gives, nor one below MinMaltYield a
// malt: such a figure (points per pound, say) is taken as it stands and named
// with the values out of range.
void Filler::checkYield(const Element &f, int row, const QString &given, double yield)
{
    const bool malt = sameText(textOr(f, "TYPE"), "Grain");
    if (yield <= MaxYield && !(malt && yield > 0 && yield < MinMaltYield))
        return;
    const QString name = textOr(f, "NAME");
    OutOfRange v;
    v.dialog = QStringLiteral("Storting");
    v.what = QStringLiteral("opbrengst (<YIELD>) in het bestand, ")
             + (name.trimmed().isEmpty() ? QStringLiteral("rij %1").arg(row + 1) : quotedText(name));
    v.value = quotedText(given);
    v.range = malt ? QStringLiteral("van %1 tot en met %2 voor een mout").arg(plain(MinMaltYield), plain(MaxYield))
                   : QStringLiteral("boven 0 tot en met %1").arg(plain(MaxYield));
    v.ofFile = true;
    m_result.fileValues.push_back(v);
}

// Mash: the mash-in step and the rests, MaxMashSteps in all. A step without
// a temperature or time is overwritten by the next (the last such step stays
// in its row); the steps overwritten and those past the room are named.
void Filler::mash()
{
    at(QStringLiteral("het maischschema (<MASH>)"));
    const Element mash = child(m_rec, "MASH");
    std::vector<Element> steps;
    for (Element g = child(mash, "MASH_STEPS"); !g.isNull(); g = g.nextSiblingElement(QStringLiteral("MASH_STEPS")))
        for (Element e = child(g, "MASH_STEP"); !e.isNull(); e = e.nextSiblingElement(QStringLiteral("MASH_STEP")))
            steps.push_back(e);
    float ph = 5.3f;
    if (const auto p = text(mash, "PH")) {
        ph = strictSingleOf(*p, QStringLiteral("<MASH>/<PH>"));
        if (ph < 3 || ph > 7)
            ph = 5.3f;
    }
    if (steps.empty()) {
        // Without a step the recipe gets one rest, which the schedule needs.
        x.Maischschema.redim(1, 4);
        x.Maischschema(0, 0) = 3.0f;
        x.Maischschema(0, 1) = ph;
        x.Maischschema(1, 0) = DefaultRestTemp;
        x.Maischschema(1, 1) = DefaultRestTime;
        const QString why = mash.isNull()                        ? QStringLiteral("<MASH> ontbreekt")
                            : child(mash, "MASH_STEPS").isNull() ? QStringLiteral("<MASH> heeft geen <MASH_STEPS>")
                                                                 : QStringLiteral("<MASH_STEPS> is leeg");
        m_notices << QStringLiteral("Het bestand geeft geen maischschema (%1). Het recept heeft daarom één rust "
                                    "gekregen, een infusie van %2 °C en %3 minuten, zodat het brouwschema berekend "
                                    "kan worden. Pas die zo nodig aan in Maisch schema.")
                         .arg(why, plain(DefaultRestTemp), plain(DefaultRestTime));
        add(StatusMaischschema);
        return;
    }
    std::vector<std::pair<float, float>> rows;  // temperature and time of each row
    bool open = false;                          // the last row holds a step without a temperature or time
    QString openLine;
    QStringList skipped, noRoom;
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const Element &st = steps[k];
        const int place = int(k) + 1;
        if (!open && int(rows.size()) == MaxMashSteps) {
            noRoom << stepLine(st, place);
            continue;
        }
        const auto whole = [&](const char *name) {
            const auto t = text(st, name);
            return t ? float(num::toInt32(
                       strictOf(*t, QStringLiteral("<%1> van maischstap %2").arg(QLatin1String(name)).arg(place))))
                     : 0.0f;
        };
        const std::pair<float, float> rest{whole("STEP_TEMP"), whole("STEP_TIME")};
        if (open) {
            rows.pop_back();
            skipped << openLine;
        }
        rows.push_back(rest);
        open = rest.first == 0 || rest.second == 0;
        if (open)
            openLine = stepLine(st, place);
    }
    x.Maischschema.redim(int(rows.size()), 4);
    x.Maischschema(0, 0) = 3.0f;
    x.Maischschema(0, 1) = ph;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        x.Maischschema(int(i) + 1, 0) = rows[i].first;
        x.Maischschema(int(i) + 1, 1) = rows[i].second;
    }
    mashNotice(skipped, noRoom);
    add(StatusMaischschema);
}

void Filler::mashNotice(const QStringList &skipped, const QStringList &noRoom)
{
    QStringList t;
    if (!skipped.isEmpty())
        t << (skipped.size() == 1 ? QStringLiteral("Deze maischstap uit het bestand heeft geen temperatuur of tijd en "
                                                   "is overgeslagen:\r\n")
                                  : QStringLiteral("Deze maischstappen uit het bestand hebben geen temperatuur of "
                                                   "tijd en zijn overgeslagen:\r\n"))
                 + namedRows(skipped, QStringLiteral("andere stappen"));
    static_assert(MaxMashSteps == 7, "the notice says seven");
    if (!noRoom.isEmpty())
        t << QStringLiteral("Het recept heeft plaats voor zeven maischstappen: de inmaischstap en zes rusten. ")
                 + (noRoom.size() == 1 ? QStringLiteral("Deze stap uit het bestand is niet overgenomen:\r\n")
                                       : QStringLiteral("Deze stappen uit het bestand zijn niet overgenomen:\r\n"))
                 + namedRows(noRoom, QStringLiteral("andere stappen"))
                 + QStringLiteral("\r\nVoeg zo nodig in Maisch schema twee rusten van ongeveer dezelfde temperatuur "
                                  "samen (tel hun tijden op), zodat er plaats komt voor een weggelaten stap.");
    if (!t.isEmpty())
        m_notices << t.join(QStringLiteral("\r\n"));
}

// Hops: four of each kind at most; those left over are named.
void Filler::hopsOf()
{
    at(QStringLiteral("de hop (<HOP>)"));
    const auto &d = x.Doelstellingen;
    if (m_hops.empty())
        refuse(QStringLiteral("het bestand bevat geen hop (<HOP>), en zonder bitterhop heeft het recept geen "
                              "bitterheid."));
    if (std::none_of(m_hops.begin(), m_hops.end(), [](const Hop &h) { return h.bitter(); }))
        refuse(QStringLiteral("geen hop in het bestand kookt langer dan 10 minuten als bitterhop (aroma- en drooghop "
                              "tellen niet mee), en zonder bitterhop heeft het recept geen bitterheid."));
    int nBitter = 0, nAroma = 0;
    for (const Hop &h : m_hops)
        (h.bitter() ? nBitter : nAroma)++;
    nBitter = std::min(nBitter, 4);
    nAroma = std::min(nAroma, 4);
    x.Aromahop.redim(std::max(nAroma, 1) - 1, 7);
    x.Bitterhop.redim(std::max(nBitter, 1) - 1, 7);
    int ia = 0, ib = 0;
    double sum = 0;
    std::vector<double> ebus;
    QStringList left, dry;
    bool leftBitter = false, leftAroma = false;
    for (const Hop &h : m_hops) {
        int &row = h.bitter() ? ib : ia;
        if (row >= 4) {
            left << hopLine(h);
            (h.bitter() ? leftBitter : leftAroma) = true;
            continue;
        }
        if (h.dry) {
            m_result.dryHopRows.push_back(row);
            dry << QStringLiteral("- ") + rowName(h.name) + QStringLiteral(": ")
                       + format(val(h.amount) * 1000.0, u"##0") + QStringLiteral(" gr");
        }
        at(QStringLiteral("de hop ") + quotedText(h.name));
        Table2D<QString> &t = h.bitter() ? x.Bitterhop : x.Aromahop;
        t(row, HopSoort) = h.name;
        const QString up = h.formTag.trimmed().toUpper();
        // Plugs are pressed whole hops.
        if (!h.hasForm || up == QStringLiteral("LEAF") || up == QStringLiteral("WHOLE") || up == QStringLiteral("PLUG"))
            t(row, HopHoedanigheid) = QStringLiteral("bloemen");
        else if (up == QStringLiteral("PELLET"))
            t(row, HopHoedanigheid) = QStringLiteral("pellets");
        t(row, HopAlfazuur) = num::formatText(h.alpha, u"###.0");
        t(row, HopGram) = format(val(h.amount) * 1000.0, u"###");
        t(row, HopKooktijd) = format(double(h.time), u"###");
        // Without an OG in the document the hops boil in the wort the targets
        // aim at; a gravity of 0 would give them no weight at all.
        const double og = m_ogRead > 0 ? m_ogRead : m_targetOG;
        t(row, HopGravity) = format(h.bitter() ? og - 10.0 : og, u"####");
        if (h.bitter()) {
            QString form = t(row, HopHoedanigheid);
            const double e =
                HopUtilisatie(num::toSingle(val(t(row, HopGravity))), minutes(val(t(row, HopKooktijd))))
                * BerekenEBU(num::toSingle(val(t(row, HopGram))), form, num::toSingle(val(t(row, HopAlfazuur))), d(1));
            ebus.push_back(e);
            sum += e;
        }
        ++row;
    }
    at(QStringLiteral("de hop (<HOP>)"));
    if (!(sum > 0))
        refuse(QStringLiteral("de bitterhop geeft geen bitterheid: van elke bitterhop is het alfazuur (<ALPHA>) of de "
                              "hoeveelheid (<AMOUNT>) niet boven 0, of de vorm (<FORM>) geen Leaf, Whole, Plug of "
                              "Pellet."));
    for (int i = 0; i < int(ebus.size()); ++i)
        x.Bitterhop(i, HopPercBitterheid) = format(num::finite(ebus[std::size_t(i)] * 100.0 / sum), u"###.0");
    if (!left.isEmpty())
        m_notices << leftOutNotice(left, leftBitter, leftAroma);
    if (!dry.isEmpty())
        m_notices << QStringLiteral("Als drooghop overgenomen (een aromahop zonder kooktijd, die geen bitterheid "
                                    "geeft):\r\n")
                         + dry.join(QStringLiteral("\r\n"))
                         + QStringLiteral(
                             "\r\nIn Hopgift staat de kooktijd van een drooghop rood, omdat dat scherm van "
                             "elke aromahop een kooktijd vraagt.");
    add(StatusHopgift);
}

// Yeasts and additions: the five lines of a single brew that the dialogs
// show and Save keeps; those past them are named in one notice. An entry
// without text takes no line.
void Filler::yeastsAndAdditions()
{
    at(QStringLiteral("de gist en de toevoegingen"));
    // The entries past the lines, each named after `kind`.
    const auto fill = [](Table1D<QString> &list, const std::vector<QString> &entries, const QString &kind) {
        list.redim(10);
        QStringList left;
        int i = 0;
        for (const QString &e : entries) {
            if (e.trimmed().isEmpty())
                continue;
            if (i < MaxEntries)
                list(i++) = e;
            else
                left << QStringLiteral("- ") + kind + u' ' + quotedText(e);
        }
        return left;
    };
    std::vector<QString> yeasts, additions;
    for (const Element &e : items(m_rec, "YEASTS", "YEAST"))
        yeasts.push_back(textOr(e, "NAME"));
    for (const Element &e : items(m_rec, "MISCS", "MISC"))
        additions.push_back(additionText(e));
    const QStringList leftYeasts = fill(x.Gistkeuze, yeasts, QStringLiteral("gist"));
    add(StatusGistkeuze);
    const QStringList leftAdditions = fill(x.Toevoegingen, additions, QStringLiteral("toevoeging"));
    add(StatusToevoegingen);
    if (leftYeasts.isEmpty() && leftAdditions.isEmpty())
        return;
    const bool both = !leftYeasts.isEmpty() && !leftAdditions.isEmpty();
    const qsizetype n = leftYeasts.size() + leftAdditions.size();
    const QString these = both ? QStringLiteral("Deze gisten en toevoegingen")
                          : !leftYeasts.isEmpty()
                              ? (n == 1 ? QStringLiteral("Deze gist") : QStringLiteral("Deze gisten"))
                          : n == 1 ? QStringLiteral("Deze toevoeging")
                                   : QStringLiteral("Deze toevoegingen");
    const QString which = both                    ? QStringLiteral("gist of toevoeging")
                          : !leftYeasts.isEmpty() ? QStringLiteral("gist")
                                                  : QStringLiteral("toevoeging");
    const QString where = both                    ? QStringLiteral("Gistkeuze of Toevoegingen")
                          : !leftYeasts.isEmpty() ? QStringLiteral("Gistkeuze")
                                                  : QStringLiteral("Toevoegingen");
    QStringList lines;
    if (!leftYeasts.isEmpty())
        lines << namedRows(leftYeasts, QStringLiteral("andere gisten"));
    if (!leftAdditions.isEmpty())
        lines << namedRows(leftAdditions, QStringLiteral("andere toevoegingen"));
    static_assert(MaxEntries == 5, "the notice says five");
    m_notices << QStringLiteral("Het recept heeft plaats voor vijf gisten en vijf toevoegingen. ") + these
                     + (n == 1 ? QStringLiteral(" uit het bestand is niet overgenomen:\r\n")
                               : QStringLiteral(" uit het bestand zijn niet overgenomen:\r\n"))
                     + lines.join(QStringLiteral("\r\n"))
                     + QStringLiteral("\r\nSchrijf een weggelaten %1 zo nodig bij een andere op een regel van %2.")
                           .arg(which, where);
}

// Measured values are taken only as a set the evaluation can show: a batch
// size alone is no measurement, and the recipe file would bring it back as
// one.
void Filler::measured()
{
    at(QStringLiteral("de gemeten waarden"));
    x.Evaluatie.redim(2, 0);
    const auto batchText = text(m_rec, "BATCH_SIZE");
    if (batchText && val(*batchText) > 0 && m_ogText && m_fgText && m_ogRead > 1000 && m_ogRead < 1150 && m_fgRead > 990
        && m_fgRead < 1050) {
        x.Evaluatie(0, 0) = *batchText;
        x.Evaluatie(1, 0) = plain(m_ogRead);
        x.Evaluatie(2, 0) = plain(m_fgRead);
        add(StatusEvaluatie);
    }
}

// The RECIPEs of a document after the first, which the import leaves out:
// their number and the NAMEs of the first MaxNamedRecipes. Fed the reader's
// events outside the first RECIPE once that is read.
struct LaterRecipes {
    int count = 0;
    QStringList names;

    void start(QStringView element, int depth)
    {
        if (m_recipe == 0) {
            if (element == QLatin1String("RECIPE")) {
                ++count;
                m_recipe = depth;
                m_named = false;
                m_name.clear();
            }
        } else if (!m_named && m_nameAt == 0 && depth == m_recipe + 1 && element == QLatin1String("NAME")) {
            m_nameAt = depth;
        }
    }
    void text(QStringView t)
    {
        if (m_nameAt > 0 && count <= MaxNamedRecipes)
            m_name += t;
    }
    void end(int depth)
    {
        if (depth == m_nameAt) {
            m_nameAt = 0;
            m_named = true;
        } else if (depth == m_recipe) {
            if (count <= MaxNamedRecipes)
                names << mapC1(m_name);
            m_recipe = 0;
        }
    }

    // The notice that names the recipe taken and those left out.
    QString notice(const QString &taken) const
    {
        QString t = QStringLiteral("Het bestand bevat %1 recepten. Geïmporteerd is het eerste: %2. Niet geïmporteerd:")
                        .arg(count + 1)
                        .arg(shownName(taken));
        for (const QString &n : names)
            t += QStringLiteral("\r\n- ") + shownName(n);
        if (const qsizetype more = count - names.size(); more == 1)
            t += QStringLiteral("\r\n- en nog één ander recept");
        else if (more > 1)
            t += QStringLiteral("\r\n- en nog %1 andere recepten").arg(more);
        return t;
    }

private:
    int m_recipe = 0;  // the depth of the RECIPE being read, 0 outside one
    int m_nameAt = 0;  // the depth of its NAME being read, 0 outside it
    bool m_named = false;
    QString m_name;
};

// The import's refusal: the message that an import stopped half-way, and
// the line that says why.
XmlImportResult refused(const QString &reason)
{
    XmlImportResult r;
    r.outcome = XmlImportResult::Outcome::Failed;
    r.message = XmlImportFoutmelding + QStringLiteral("\r\nReden: ") + reason;
    return r;
}

// Why a well-formed document holds no RECIPE: another format, or a BeerXML
// of another version, which writes its elements in lower case.
QString noRecipeReason(const QByteArray &data)
{
    QXmlStreamReader reader(data);
    reader.setNamespaceProcessing(false);
    QString root;
    bool lowerRecipe = false;
    while (!reader.atEnd() && !lowerRecipe) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (root.isEmpty())
            root = reader.qualifiedName().toString();
        lowerRecipe = reader.qualifiedName().compare(QLatin1String("recipe"), Qt::CaseInsensitive) == 0;
    }
    if (lowerRecipe)
        return QStringLiteral("dit is geen BeerXML 1.0 recept: het bestand schrijft <%1> waar BeerXML 1.0 <RECIPE> "
                              "schrijft (een andere versie, zoals BeerXML 2, leest Mostarium niet).")
            .arg(quotedText(reader.qualifiedName()));
    if (root.isEmpty())
        return QStringLiteral("dit is geen BeerXML 1.0 recept: het bestand bevat geen enkel element.");
    return QStringLiteral("dit is geen BeerXML 1.0 recept: het bestand (<%1>) bevat geen element <RECIPE>.")
        .arg(quotedText(root));
}

QString loadMessage(int code, const QString &reason, int line, int column, qint64 position, const QString &source,
                    const QString &url)
{
    // The reader's reasons may quote a name from the file.
    constexpr qsizetype ReasonKeep = 200;
    const QString shown = middleCut(reason, ReasonKeep);
    return QStringLiteral("Your XML Document failed to load") + QStringLiteral("due the following error.\r\n")
           + QStringLiteral("Error #: ") + QString::number(code) + QStringLiteral(": ") + shown
           + (shown.endsWith(u'\n') ? QString() : QStringLiteral("\r\n")) + QStringLiteral("Line #: ")
           + QString::number(line) + QStringLiteral("\r\nLine Position: ") + QString::number(column)
           + QStringLiteral("\r\nPosition In File: ") + QString::number(position) + QStringLiteral("\r\nSource Text: ")
           + source + QStringLiteral("\r\nDocument URL: ") + url;
}

XmlImportResult loadFailed(const QString &message)
{
    XmlImportResult r;
    r.outcome = XmlImportResult::Outcome::LoadFailed;
    r.message = message;
    return r;
}

}  // namespace

XmlImportResult importXmlRecipe(QByteArrayView bytes, const QString &url)
{
    const QByteArray data = bytes.toByteArray();
    QString reason;
    int line = 0, column = 0;
    // Attributes and entities are counted before the reader would take them.
    if (const std::optional<XmlRefusal> r = xmlBoundsRefusal(data)) {
        reason = r->reason;
        line = int(r->line);
        column = int(r->column);
    }
    // One streaming pass reads the whole document, refusing it past the depth
    // bound before anything grows with it, and keeps the first RECIPE.
    RecipeTree tree;
    LaterRecipes later;
    if (reason.isEmpty()) {
        QXmlStreamReader reader(data);
        reader.setNamespaceProcessing(false);
        std::vector<int> open;  // the open elements of the first RECIPE
        bool recipeRead = false;
        int depth = 0;
        while (!reader.atEnd() && reason.isEmpty()) {
            switch (reader.readNext()) {
            case QXmlStreamReader::StartElement:
                if (++depth > MaxXmlDepth) {
                    reason = QStringLiteral("Het document is dieper genest dan %1 niveaus.").arg(MaxXmlDepth);
                    break;
                }
                if (!open.empty() || (!recipeRead && reader.qualifiedName() == QLatin1String("RECIPE"))) {
                    // Every element of the recipe is kept: their number is bounded.
                    if (tree.size() >= MaxXmlRecipeElements) {
                        reason = QStringLiteral("Het recept bevat meer dan %1 elementen.").arg(MaxXmlRecipeElements);
                        break;
                    }
                    open.push_back(tree.open(reader.qualifiedName().toString(), open.empty() ? -1 : open.back()));
                } else if (recipeRead) {
                    later.start(reader.qualifiedName(), depth);
                }
                break;
            case QXmlStreamReader::EndElement:
                if (open.empty() && recipeRead)
                    later.end(depth);
                --depth;
                if (!open.empty()) {
                    open.pop_back();
                    recipeRead = open.empty();
                }
                break;
            case QXmlStreamReader::Characters:
                // Text of blanks alone stands between elements, not in them; a
                // CDATA section is kept whatever it holds.
                if (!open.empty() && (reader.isCDATA() || !reader.text().trimmed().isEmpty()))
                    tree.addText(open.back(), reader.text());
                else if (open.empty() && recipeRead)
                    later.text(reader.text());
                break;
            default:
                break;
            }
        }
        if (reason.isEmpty() && reader.hasError())
            reason = reader.errorString();
        line = int(reader.lineNumber());
        column = int(reader.columnNumber());
    }
    if (!reason.isEmpty()) {
        // The offending line as text, and where it sits in the file.
        qsizetype start = line >= 1 ? 0 : -1;
        for (int i = 1; i < line && start >= 0; ++i) {
            start = data.indexOf('\n', start);
            if (start >= 0)
                ++start;
        }
        QString source;
        qint64 position = 0;
        if (start >= 0) {
            qsizetype end = data.indexOf('\n', start);
            if (end < 0)
                end = data.size();
            // Characters up to the excerpt's end take at most four bytes each.
            end = std::min(end, start + (qsizetype(column) + MaxSourceText) * 4);
            QString text = QString::fromUtf8(QByteArrayView(data).sliced(start, end - start));
            // A file on one long line shows the part around the fault, not
            // megabytes in a message box.
            if (text.size() > MaxSourceText)
                text = text.mid(std::max<qsizetype>(0, column - MaxSourceText / 2), MaxSourceText);
            source = text.trimmed();
            position = start + column;
        }
        return loadFailed(loadMessage(1, reason, line, column, position, source, url));
    }
    XmlImportResult r;
    QString where = QStringLiteral("het bestand");
    try {
        if (tree.empty())
            refuse(noRecipeReason(data));
        r.recipe = Filler(Element(&tree, 0), where, r).run();
        r.outcome = XmlImportResult::Outcome::Ok;
        if (later.count > 0)
            r.notices.prepend(later.notice(r.recipe.Algemeen(0)));
    } catch (const ImportRefused &e) {
        r = refused(e.reason);
    } catch (const std::exception &) {
        r = refused(QStringLiteral("een waarde in ") + where + QStringLiteral(" is onbruikbaar."));
    }
    return r;
}

XmlImportResult importXmlFile(const QString &path)
{
    QByteArray bytes;
    const FileRead why = readWholeFile(path, MaxXmlFileSize, bytes);
    if (why != FileRead::Ok) {
        const QString reason = why == FileRead::Missing
                                   ? QStringLiteral("Het bestand bestaat niet.")
                                   : refusedFileText(QFileInfo(path).fileName(), why, MaxXmlFileSize);
        return loadFailed(loadMessage(1, reason, 0, 0, 0, QString(), path));
    }
    return importXmlRecipe(bytes, path);
}

std::optional<QString> recipeFileRefusal(const Session &open, const XmlRecipe &x, const QString &url)
{
    // The session as the import command leaves it, up to the recalculation,
    // which changes nothing the file holds.
    Session trial(open);
    ResetReceptState(trial);
    applyXmlRecipe(trial, x);
    trial.recipe.ReceptAttr = 0;
    trial.app.dubbelBrouw = false;
    QByteArray bytes;
    if (recipeFileToWrite(trial, bytes) != RecipeBytes::TooLarge)
        return std::nullopt;
    // The largest text of the recipe, named with its size.
    struct Part {
        qsizetype size = -1;
        QString what;
        bool plural = false;
    } largest;
    const auto consider = [&largest](const QString &text, const QString &what, bool plural = false) {
        const qsizetype n = cp1252::encode(text).size();
        if (n > largest.size)
            largest = {n, what, plural};
    };
    consider(x.Aantekening, QStringLiteral("de aantekeningen (<NOTES>)"), true);
    consider(x.Algemeen(0), QStringLiteral("de naam van het recept (<NAME>)"));
    consider(x.Algemeen(1), QStringLiteral("de brouwer (<BREWER>)"));
    consider(x.Algemeen(6), QStringLiteral("de datum (<DATE>)"));
    if (x.Evaluatie.has(0, 0))
        consider(x.Evaluatie(0, 0), QStringLiteral("het volume (<BATCH_SIZE>)"));
    for (int i = 0; i < x.Storting.rows(); ++i)
        consider(x.Storting(i, StIngred), QStringLiteral("de naam van een mout of suiker (<FERMENTABLE>/<NAME>)"));
    for (const Table2D<QString> *t : {&x.Aromahop, &x.Bitterhop})
        for (int i = 0; i < t->rows(); ++i)
            consider((*t)(i, HopSoort), QStringLiteral("de naam van een hop (<HOP>/<NAME>)"));
    for (int i = 0; i <= x.Gistkeuze.ubound(); ++i)
        consider(x.Gistkeuze(i), QStringLiteral("de naam van een gist (<YEAST>/<NAME>)"));
    for (int i = 0; i <= x.Toevoegingen.ubound(); ++i)
        consider(x.Toevoegingen(i), QStringLiteral("een toevoeging (<MISC>)"));
    const QString size = sizeText(largest.size, MaxRecipeFileSize);
    const QString is = largest.plural ? QStringLiteral("zijn") : QStringLiteral("is");
    const QString which =
        largest.size > MaxRecipeFileSize
            ? QStringLiteral("; %1 alleen %2 al %3.").arg(largest.what, is, size)
            : QStringLiteral("; het grootste deel daarvan %1 %2, met %3.").arg(is, largest.what, size);
    return QStringLiteral("Het recept uit ") + QDir::toNativeSeparators(url)
           + QStringLiteral(" wordt als receptbestand groter dan ") + sizeText(MaxRecipeFileSize) + which
           + QStringLiteral(" Zo'n recept kan niet worden opgeslagen en weer geopend. Het recept is niet "
                            "geïmporteerd.");
}

QString importNotice(const XmlImportResult &imp, const RecipeState &r)
{
    QStringList notices = imp.notices;
    std::vector<OutOfRange> values;
    for (OutOfRange &v : valuesOutOfRange(r)) {
        // A dry hop's empty boil time is said with the dry hops.
        const bool dryTime = v.table == QLatin1String("Aromahop") && v.column == HopKooktijd
                             && std::find(imp.dryHopRows.begin(), imp.dryHopRows.end(), v.row) != imp.dryHopRows.end();
        if (!dryTime)
            values.push_back(std::move(v));
    }
    // The file's values after the grain bill's, in the order of the dialogs.
    auto at = values.begin();
    for (auto i = values.begin(); i != values.end(); ++i)
        if (i->dialog == QLatin1String("Doelstellingen") || i->dialog == QLatin1String("Storting"))
            at = i + 1;
    values.insert(at, imp.fileValues.begin(), imp.fileValues.end());
    if (!values.empty())
        notices << outOfRangeMessage(values);
    return notices.join(QStringLiteral("\r\n\r\n"));
}

void applyXmlRecipe(Session &s, const XmlRecipe &x)
{
    RecipeState &r = s.recipe;
    r.ReceptStatus = x.ReceptStatus;
    r.Algemeen = x.Algemeen;
    r.Doelstellingen = x.Doelstellingen;
    r.Storting = x.Storting;
    r.Maischschema = x.Maischschema;
    r.Aromahop = x.Aromahop;
    r.Bitterhop = x.Bitterhop;
    r.Gistkeuze = x.Gistkeuze;
    r.Toevoegingen = x.Toevoegingen;
    r.Evaluatie = x.Evaluatie;
    r.Aantekening = x.Aantekening;
    r.InRecept = 1;
    r.SpoelenTot = 3.0f;
    s.view.fraBrouwSchema.caption = QStringLiteral(" Brouwschema ") + x.Algemeen(0);
    s.view.fraEvaluatie.caption = QStringLiteral(" Evaluatie ") + x.Algemeen(0);
}

}  // namespace mostarium

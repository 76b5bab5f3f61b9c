#include "XmlDocumentBounds.h"

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mostarium {

namespace {

// QXmlStreamReader checks every attribute of an element, given or declared in
// the DTD, against the others: time that grows with the square of their
// number (100,000 attributes took seconds, a million minutes). The import
// reads none, so they are counted first in one pass over the document's
// characters. The same pass adds up the work of the references to the
// document's own entities: each is expanded anew wherever it stands, in the
// text, in an attribute value or in an attribute default of the DTD (a
// 300 KB file made 130 MB of text), and each reference costs the reader
// time however empty its text (ten levels of ten references to an empty
// entity are 10^10 of them from 300 bytes). References nest at most
// MaxXmlEntityDepth deep. Parameter entities are refused outright: a recipe
// file has no use for them, and their text would declare what the pass never
// sees. So is a DOCTYPE anywhere but once before the root: Qt's reader takes
// one anywhere, even inside the root element, and declares its entities
// there. `Ch` is a byte of an encoding that writes ASCII as ASCII, or a
// UTF-16 unit of the decoded text.
template <typename Ch>
class MarkupCount {
public:
    using View = std::basic_string_view<Ch>;
    MarkupCount(View t, bool utf8, qsizetype *work) : m_t(t), m_utf8(utf8), m_work(work) {}

    std::optional<XmlRefusal> refusal()
    {
        std::optional<XmlRefusal> r = scan();
        if (m_work)
            *m_work = qsizetype(m_worked);
        return r;
    }

private:
    std::optional<XmlRefusal> scan()
    {
        const View t = m_t;
        const std::size_t n = t.size();
        std::size_t i = 0;
        while ((i = t.find(Ch('<'), i)) != View::npos) {
            const Ch next = i + 1 < n ? t[i + 1] : Ch(0);
            if (next == Ch('/')) {
                i += 2;
            } else if (next == Ch('?')) {
                i = past("?>", i + 2);
            } else if (next == Ch('!')) {
                if (at(i, "<!--"))
                    i = past("-->", i + 4);
                else if (at(i, "<![CDATA["))
                    i = past("]]>", i + 9);
                else if (at(i, "<!DOCTYPE")) {
                    // One DTD, before the root: the entities it declares are
                    // counted wherever the document refers to them.
                    if (m_rootStarted)
                        return refuse(i,
                                      QStringLiteral("Het document heeft een DOCTYPE binnen of na het hoofdelement."));
                    if (m_dtdTo)
                        return refuse(i, QStringLiteral("Het document heeft meer dan één DOCTYPE."));
                    m_dtdFrom = i;
                    i = doctype(i + 9);
                    if (m_refusal)
                        return m_refusal;
                    m_dtdTo = i;
                } else {
                    i += 2;
                }
            } else {
                // A start tag: one "=" per attribute outside the quoted values.
                m_rootStarted = true;
                int count = 0;
                std::size_t k = i + 1;
                while (k < n && t[k] != Ch('>')) {
                    if (quote(t[k])) {
                        k = pastLiteral(k);
                        continue;
                    }
                    if (t[k] == Ch('=') && ++count > MaxXmlAttributes)
                        return refuse(
                            i, QStringLiteral("Een element heeft meer dan %1 attributen.").arg(MaxXmlAttributes));
                    ++k;
                }
                i = k;
            }
        }
        // The references to the declared entities: in the attribute defaults
        // of the DTD, read where they are declared, and everywhere outside
        // the DTD.
        if (!m_general.empty()) {
            for (const auto &[from, to] : m_defaults)
                if (references(from, to))
                    return m_refusal;
            if (references(0, m_dtdFrom) || references(m_dtdTo, n))
                return m_refusal;
        }
        return std::nullopt;
    }

    // A general entity: where its text stands, and what it grows to once
    // known.
    struct Entity {
        std::size_t from = 0, to = 0;
        enum class State { Unknown, Busy, Known } state = State::Unknown;
        std::size_t size = 0;
        int depth = 0;
    };

    // Past the bound: a size that no longer needs counting.
    static constexpr std::size_t Over = std::size_t(MaxXmlEntityText) + 1;
    static std::size_t add(std::size_t a, std::size_t b) { return std::min(a + std::min(b, Over), Over); }

    static bool quote(Ch c) { return c == Ch('"') || c == Ch('\''); }
    bool at(std::size_t k, std::string_view s) const
    {
        if (m_t.size() - k < s.size())
            return false;
        for (std::size_t j = 0; j < s.size(); ++j)
            if (m_t[k + j] != Ch(s[j]))
                return false;
        return true;
    }
    // Just past `end`, searched from `from`; the end of the text without one.
    std::size_t past(std::string_view end, std::size_t from) const
    {
        for (std::size_t k = from; (k = m_t.find(Ch(end[0]), k)) != View::npos; ++k)
            if (at(k, end))
                return k + end.size();
        return m_t.size();
    }
    // The closing quote of the literal that starts at `k`; the end of the
    // text without one.
    std::size_t literalEnd(std::size_t k) const { return std::min(m_t.find(m_t[k], k + 1), m_t.size()); }
    std::size_t pastLiteral(std::size_t k) const { return std::min(literalEnd(k) + 1, m_t.size()); }

    static QString parameterReason() { return QStringLiteral("De DTD van het document gebruikt parameterentiteiten."); }

    // Past the document type declaration whose name starts at `k`.
    std::size_t doctype(std::size_t k)
    {
        const View t = m_t;
        const std::size_t n = t.size();
        bool subset = false;
        while (k < n) {
            const Ch c = t[k];
            if (quote(c)) {
                k = pastLiteral(k);
            } else if (c == Ch('[') || c == Ch(']')) {
                subset = c == Ch('[');
                ++k;
            } else if (!subset) {
                if (c == Ch('>'))
                    return k + 1;
                ++k;
            } else if (at(k, "<!--")) {
                k = past("-->", k + 4);
            } else if (at(k, "<?")) {
                k = past("?>", k + 2);
            } else if (at(k, "<!")) {
                k = declaration(k);
                if (m_refusal)
                    return n;
            } else if (c == Ch('%')) {
                m_refusal = refuse(k, parameterReason());
                return n;
            } else {
                ++k;
            }
        }
        return n;
    }

    // Past the declaration of the internal subset that starts at `k`: counts
    // the attributes it declares (one per default or keyword of an attribute
    // list, one per "=" anywhere), keeps an attribute list's literals and an
    // entity's text, and refuses a parameter entity wherever it stands but as
    // text in an attribute default.
    std::size_t declaration(std::size_t k)
    {
        const View t = m_t;
        const std::size_t n = t.size();
        const std::size_t start = k;
        const bool list = at(k, "<!ATTLIST");
        const bool entity = at(k, "<!ENTITY");
        View name;
        if (entity) {
            // "%" here declares a parameter entity: refused in the loop below.
            const std::size_t j = skipSpace(k + 8);
            name = t.substr(j, nameEnd(j) - j);
        }
        bool valueRead = false;
        for (k += 2; k < n && t[k] != Ch('>');) {
            if (quote(t[k])) {
                const std::size_t from = k + 1, to = literalEnd(k);
                const View value = t.substr(from, to - from);
                m_declared += (list ? 1 : 0) + std::size_t(std::count(value.begin(), value.end(), Ch('=')));
                if (list) {
                    m_defaults.emplace_back(from, to);
                } else if (const std::size_t p = value.find(Ch('%')); p != View::npos) {
                    m_refusal = refuse(from + p, parameterReason());
                    return n;
                } else if (entity && !valueRead && !predefined(name)) {
                    // The reader keeps its own five whatever their
                    // declaration says.
                    valueRead = true;
                    if (const std::size_t m = markupReference(from, to); m != View::npos) {
                        m_refusal = refuse(m, QStringLiteral("Een entiteit van het document bevat een "
                                                             "tekenverwijzing naar &, <, % of =."));
                        return n;
                    }
                    // Qt's reader reads a DOCTYPE in an entity's text where
                    // the entity is referred to, with the entities it declares.
                    if (const std::size_t d = doctypeIn(from, to); d != View::npos) {
                        m_refusal = refuse(d, QStringLiteral("Een entiteit van het document bevat een DOCTYPE."));
                        return n;
                    }
                    // The first declaration of a name holds.
                    m_general.try_emplace(name, Entity{from, to});
                }
                k = std::min(to + 1, n);
            } else {
                if (t[k] == Ch('%')) {
                    m_refusal = refuse(k, parameterReason());
                    return n;
                }
                m_declared += (list && t[k] == Ch('#')) || t[k] == Ch('=');
                ++k;
            }
            if (m_declared > std::size_t(MaxXmlAttributes)) {
                m_refusal = refuse(
                    start,
                    QStringLiteral("De DTD van het document declareert meer dan %1 attributen.").arg(MaxXmlAttributes));
                return n;
            }
        }
        return std::min(k + 1, n);
    }

    static bool predefined(View name)
    {
        for (const std::string_view p : {"lt", "gt", "amp", "apos", "quot"})
            if (name.size() == p.size() && std::equal(p.begin(), p.end(), name.begin()))
                return true;
        return false;
    }

    // The first character reference in [from, to) to "&", "<", "%" or "=":
    // in an entity's text the reader reads what it stands for as markup.
    std::size_t markupReference(std::size_t from, std::size_t to) const
    {
        const View t = m_t;
        for (std::size_t k = from; k + 1 < to; ++k) {
            if (t[k] != Ch('&') || t[k + 1] != Ch('#'))
                continue;
            std::size_t j = k + 2;
            const bool hex = j < to && (t[j] == Ch('x') || t[j] == Ch('X'));
            j += hex;
            char32_t code = 0;
            for (; j < to; ++j) {
                const char32_t c = char32_t(t[j]);
                int d = -1;
                if (c >= U'0' && c <= U'9')
                    d = int(c - U'0');
                else if (hex && c >= U'a' && c <= U'f')
                    d = int(c - U'a') + 10;
                else if (hex && c >= U'A' && c <= U'F')
                    d = int(c - U'A') + 10;
                if (d < 0)
                    break;
                code = std::min<char32_t>(code * (hex ? 16 : 10) + char32_t(d), 0x110000);
            }
            if (code == U'&' || code == U'<' || code == U'%' || code == U'=')
                return k;
        }
        return View::npos;
    }

    // The first "<!DOCTYPE" in [from, to).
    std::size_t doctypeIn(std::size_t from, std::size_t to) const
    {
        for (std::size_t k = from; (k = m_t.substr(0, to).find(Ch('<'), k)) != View::npos; ++k)
            if (at(k, "<!DOCTYPE") && k + 9 <= to)
                return k;
        return View::npos;
    }

    static bool space(Ch c) { return c == Ch(' ') || c == Ch('\t') || c == Ch('\r') || c == Ch('\n'); }
    std::size_t skipSpace(std::size_t k) const
    {
        while (k < m_t.size() && space(m_t[k]))
            ++k;
        return k;
    }
    // The end of the name that starts at `k`.
    std::size_t nameEnd(std::size_t k) const
    {
        while (k < m_t.size() && !space(m_t[k]) && !quote(m_t[k]) && m_t[k] != Ch(';') && m_t[k] != Ch('&')
               && m_t[k] != Ch('%') && m_t[k] != Ch('<') && m_t[k] != Ch('>'))
            ++k;
        return k;
    }
    // The first "&" in [from, to), else `to`. The characters passed and the
    // names read after "&" are the work of counting the references.
    std::size_t nextReference(std::size_t from, std::size_t to)
    {
        if (from >= to)
            return to;
        const std::size_t k = m_t.substr(from, to - from).find(Ch('&'));
        const std::size_t found = k == View::npos ? to : from + k;
        m_worked += found - from;
        return found;
    }
    // The declared entity referred to by the name that starts at `k`, and
    // the end of the reference (past ";").
    std::pair<Entity *, std::size_t> reference(std::size_t k, std::size_t to)
    {
        const std::size_t e = nameEnd(k);
        m_worked += e - k;
        if (e < to && m_t[e] == Ch(';'))
            if (const auto found = m_general.find(m_t.substr(k, e - k)); found != m_general.end())
                return {&found->second, e + 1};
        return {nullptr, std::max(e, k)};
    }

    // The work of one reference to `root`: all the text it grows to through
    // the entities it refers to, each reference counting as one character
    // more (the reader spends as much on a reference to empty text), up to
    // Over. Each entity's text is read once; one that refers to itself, at
    // any depth, never ends and is Over. `tooDeep` when the references nest
    // deeper than MaxXmlEntityDepth: the reader's time grows with the square
    // of their depth.
    std::size_t sizeOf(Entity &root, bool &tooDeep)
    {
        if (root.state == Entity::State::Known) {
            tooDeep = root.depth > MaxXmlEntityDepth;
            return root.size;
        }
        struct Frame {
            Entity *entity;
            std::size_t at, size;
            int depth;  // of the entities below, this one's included
        };
        std::vector<Frame> stack{{&root, root.from, 0, 1}};
        root.state = Entity::State::Busy;
        while (!stack.empty()) {
            Frame &f = stack.back();
            const std::size_t amp = f.size >= Over ? f.entity->to : nextReference(f.at, f.entity->to);
            if (amp >= f.entity->to) {
                const std::size_t size = add(f.size, f.entity->to - std::min(f.at, f.entity->to));
                const int depth = f.depth;
                f.entity->size = size;
                f.entity->depth = depth;
                f.entity->state = Entity::State::Known;
                stack.pop_back();
                if (!stack.empty()) {
                    stack.back().size = add(stack.back().size, size);
                    stack.back().depth = std::max(stack.back().depth, depth + 1);
                }
                continue;
            }
            const auto [d, end] = reference(amp + 1, f.entity->to);
            if (!d) {
                // Text: a character reference or a name the reader refuses.
                f.size = add(f.size, amp + 1 - f.at);
                f.at = amp + 1;
                continue;
            }
            f.size = add(f.size, amp + 1 - f.at);
            f.at = end;
            if (d->state == Entity::State::Known) {
                f.size = add(f.size, d->size);
                f.depth = std::max(f.depth, d->depth + 1);
                if (int(stack.size()) - 1 + f.depth > MaxXmlEntityDepth) {
                    tooDeep = true;
                    return Over;
                }
            } else if (d->state == Entity::State::Busy) {
                f.size = Over;
            } else if (int(stack.size()) >= MaxXmlEntityDepth) {
                tooDeep = true;
                return Over;
            } else {
                d->state = Entity::State::Busy;
                stack.push_back({d, d->from, 0, 1});  // `f` is not used past here
            }
        }
        return root.size;
    }

    // Counts the references to declared entities in [from, to); true (with
    // the refusal) once they nest too deep or their work passes the bound.
    bool references(std::size_t from, std::size_t to)
    {
        for (std::size_t k = from; (k = nextReference(k, to)) < to;) {
            const auto [d, end] = reference(k + 1, to);
            if (d) {
                bool tooDeep = false;
                m_expanded = add(m_expanded, add(sizeOf(*d, tooDeep), 1));
                if (tooDeep) {
                    m_refusal =
                        refuse(k, QStringLiteral("De entiteiten van het document zijn dieper genest dan %1 niveaus.")
                                      .arg(MaxXmlEntityDepth));
                    return true;
                }
                if (m_expanded > std::size_t(MaxXmlEntityText)) {
                    m_refusal =
                        refuse(k, QStringLiteral("De entiteiten van het document groeien uit tot meer dan %1 MB tekst.")
                                      .arg(MaxXmlEntityText / (1024 * 1024)));
                    return true;
                }
            }
            k = std::max(end, k + 1);
        }
        return false;
    }

    // The refusal with the line and the column (in characters) of `k`.
    XmlRefusal refuse(std::size_t k, const QString &reason) const
    {
        const View before = m_t.substr(0, k);
        const std::size_t lineStart = before.rfind(Ch('\n')) + 1;  // npos + 1 is 0
        XmlRefusal r;
        r.line = qsizetype(std::count(before.begin(), before.end(), Ch('\n'))) + 1;
        // A UTF-8 character is one byte that starts it and its continuation bytes.
        r.column = qsizetype(std::count_if(before.begin() + qsizetype(lineStart), before.end(),
                                           [this](Ch c) { return !(m_utf8 && (char16_t(c) & 0xC0) == 0x80); }));
        r.reason = reason;
        return r;
    }

    View m_t;
    bool m_utf8;
    std::unordered_map<View, Entity> m_general;
    std::vector<std::pair<std::size_t, std::size_t>> m_defaults;  // the literals of attribute lists
    std::size_t m_declared = 0;                                   // attributes declared by the DTDs
    std::size_t m_expanded = 0;
    bool m_rootStarted = false;
    std::size_t m_dtdFrom = 0, m_dtdTo = 0;  // the DTD, [from, to); none when both are 0
    std::optional<XmlRefusal> m_refusal;
    qsizetype *m_work;
    std::size_t m_worked = 0;
};

// Encodings whose bytes write ASCII as ASCII: the attributes are counted on
// the bytes themselves.
bool asciiBytes(const QByteArray &name)
{
    const QByteArray n = name.toUpper();
    return n == "UTF-8" || n == "UTF8" || n == "US-ASCII" || n == "ASCII" || n.startsWith("ISO-8859-")
           || n.startsWith("WINDOWS-125") || n.startsWith("CP125") || n.startsWith("LATIN");
}

}  // namespace

// Counts in the encoding the reader reads the document in: the one its first
// bytes show (a byte-order mark, "<" in UTF-16 or UTF-32), else the one its
// declaration names, else UTF-8.
std::optional<XmlRefusal> xmlBoundsRefusal(const QByteArray &data, qsizetype *entityWork)
{
    if (entityWork)
        *entityWork = 0;
    const auto onBytes = [&data, entityWork](bool utf8) {
        return MarkupCount<char>(std::string_view(data.constData(), std::size_t(data.size())), utf8, entityWork)
            .refusal();
    };
    const auto onText = [entityWork](const QString &text) {
        return MarkupCount<char16_t>(
                   std::u16string_view(reinterpret_cast<const char16_t *>(text.constData()), std::size_t(text.size())),
                   false, entityWork)
            .refusal();
    };
    const std::optional<QStringConverter::Encoding> shown = QStringConverter::encodingForData(data, u'<');
    if (shown && *shown != QStringConverter::Utf8) {
        QStringDecoder decoder(*shown);
        return onText(decoder.decode(data));
    }
    const qsizetype from = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const qsizetype end = data.indexOf("?>", from);
    if (shown || end < 0 || !QByteArrayView(data).sliced(from).startsWith("<?xml"))
        return onBytes(true);
    // Only the declaration is read here, never an element.
    QXmlStreamReader declaration(data.left(end + 2));
    declaration.readNext();
    const QByteArray name = declaration.documentEncoding().toLatin1();
    if (name.isEmpty() || asciiBytes(name))
        return onBytes(name.isEmpty() || name.toUpper().startsWith("UTF"));
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return std::nullopt;
    return onText(decoder.decode(data));
}

}  // namespace mostarium

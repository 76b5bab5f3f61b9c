#include "RtfReport.h"

#include "core/Cp1252.h"
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Paths.h"
#include "core/Session.h"

#include <QHash>
#include <algorithm>
#include <array>

namespace mostarium {

namespace {

const QString CrLf = QStringLiteral("\r\n");

class FieldList {
public:
    explicit FieldList(std::vector<RtfField> &out) : m_out(out) {}
    void operator()(const QString &name, const QString &value) { m_out.emplace_back(name, value); }
    void operator()(const char *name, const QString &value) { m_out.emplace_back(QString::fromLatin1(name), value); }

private:
    std::vector<RtfField> &m_out;
};

QString num(int n) { return QString::number(n); }

// The Str form of a number held as text.
QString strText(const QString &text) { return num::signedText(float(num::val(text))); }

const LabelSlot &slot(const std::array<LabelSlot, 4> &labels, int k)
{
    if (k < 0 || k >= int(labels.size()))
        throwSubscript();
    return labels[std::size_t(k)];
}

// Up to four hop rows: the caption of each row's label, then empty fields.
void hopFields(FieldList &f, const char *prefix, const Table2D<QString> &rows, const std::array<LabelSlot, 4> &labels)
{
    const int n = rows.rows();
    for (int k = 0; k < n; ++k)
        f(QLatin1String(prefix) + num(k + 1), slot(labels, k).text + CrLf);
    for (int k = n; k < 4; ++k)
        f(QLatin1String(prefix) + num(k + 1), QString());
}

void listFields(FieldList &f, const char *prefix, const Table1D<QString> &list, int first, int number)
{
    for (int i = 0; i < 5; ++i) {
        const QString &entry = list(first + i);
        f(QLatin1String(prefix) + num(number + i), entry.isEmpty() ? QString() : entry + CrLf);
    }
}

QString range(double v, double low, double high, const char16_t *pattern)
{
    return num::format(v * low, pattern) + QStringLiteral(" - ") + num::format(v * high, pattern);
}

struct EvalFigures {
    float alc, bzr, svg, ebu, ebc;
};

void evaluationFields(FieldList &f, const RecipeState &r, int beer, const QString &suffix, const EvalFigures &e)
{
    const bool on = r.hasStatus(StatusEvaluatie);
    auto field = [&](const char *name, const QString &value) {
        f(QLatin1String(name) + suffix, on ? value : QString());
    };
    // Read even when the bit is clear: a table out of shape is an error either way.
    const QString vol = strText(r.Evaluatie(0, beer));
    const QString og = strText(r.Evaluatie(1, beer));
    const QString fg = strText(r.Evaluatie(2, beer));
    field("EvVol", vol);
    field("EvOG", og);
    field("EvFG", fg);
    field("EvAlc", num::format(e.alc, u"##.0"));
    field("EvBZR", num::format(e.bzr, u"###.0"));
    field("EvSVG", num::format(e.svg, u"###.0"));
    field("EvEBU", range(double(e.ebu), 0.95, 1.05, u"###.0"));
    field("EvEBC", range(double(e.ebc), 0.9, 1.1, u"###"));
}

void firstBeer(FieldList &f, const Session &s)
{
    const RecipeState &r = s.recipe;
    const DisplayModel &v = s.view;

    if (r.hasStatus(StatusAlgemeen)) {
        f("Brouwschema", QStringLiteral("Brouwschema ") + r.Algemeen(0));
        f("Br1", r.Algemeen(1));
        for (int i = 2; i <= 4; ++i)
            f(QStringLiteral("Br") + num(i),
              r.Algemeen(i).isEmpty() ? QString() : QStringLiteral(", ") + r.Algemeen(i));
        f("Br5", r.Algemeen(5).isEmpty() ? QString() : QStringLiteral("en ") + r.Algemeen(5));
        f("BrDatum", r.Algemeen(6));
        f("BottelDatum", r.Algemeen(7));
    }
    if (r.hasStatus(StatusDoelstellingen)) {
        f("Soort1", r.Biersoort1);
        const char *names[] = {"Volume1", "AlcPerc1", "FG1", "EBU1", "KZ1"};
        for (int i = 0; i < 5; ++i)
            f(names[i], num::signedText(r.Doelstellingen(i + 1)));
    }
    if (r.hasStatus(StatusStorting)) {
        f("TotaleStorting", num::format(r.TotaleStorting, u"#####"));
        f("StortingMaisch", num::format(r.StortingMaisch, u"#####"));
        const int n = r.Storting.rows();
        for (int k = 0; k < n; ++k) {
            if (k >= int(v.lbl_StIngred.size()))
                throwSubscript();
            f(QStringLiteral("Ingred") + num(k + 1), v.lbl_StIngred[std::size_t(k)].text.trimmed()
                                                         + QStringLiteral(" Verwacht Bzr=")
                                                         + num::formatText(r.Storting(k, StBZR), u"###%") + CrLf);
        }
        for (int k = n; k < 10; ++k)
            f(QStringLiteral("Ingred") + num(k + 1), QString());
    }
    if (r.hasStatus(StatusMaischschema)) {
        const Table2D<float> &m = r.Maischschema;
        f("Beslaan", num::format(r.BeslaanVolume, u"###"));
        f("LiterPerKGStorting", num::format(m(0, 0), u"#.0"));
        const QString &decoctie = v.lblMDecoctieStap.text;
        f("DecoctieStap", decoctie.size() > 7 ? QStringLiteral(" via decoctiestap (") + num::plain(m(0, 4))
                                                    + QStringLiteral(" minuten) ") + decoctie.mid(7)
                                              : QString());
        f("pH", num::format(m(0, 1), u"##.0"));
        f("Temp0", num::format(m(1, 0), u"###") + QStringLiteral(" \u00BAC, "));
        f("Tijd0", num::format(m(1, 1), u"###") + QStringLiteral(" min.") + CrLf);
        const int last = m.rowUbound();
        for (int row = 2; row <= last; ++row) {
            const int j = row - 1;
            f(QStringLiteral("Rust") + num(j), QStringLiteral("Rust") + num::signedText(float(j))
                                                   + QStringLiteral(" bij: ") + num::format(m(row, 0), u"###")
                                                   + QStringLiteral(" \u00BAC, "));
            f(QStringLiteral("Tijd") + num(j), num::format(m(row, 1), u"###") + QStringLiteral(" min.") + CrLf);
        }
        // Our templates hold a seventh step too; it is emptied like the others.
        for (int j = std::max(last, 1); j <= 6; ++j) {
            f(QStringLiteral("Rust") + num(j), QString());
            f(QStringLiteral("Tijd") + num(j), QString());
        }
    }
    f("HWPlato", num::format(SGToPlato(r.HWSG), u"##.0"));
    f("HWSG", num::format(r.HWSG, u"####"));
    f("SpoelenTot", v.lbl_SpoelenTot.text);
    f("Spoelwater", num::format(r.Spoelwater, u"### L"));
    f("WortNaSpoelen", v.lbl_L_WortnaSpoelen.text);
    f("SGWortNaSpoelen",
      v.lbl_VerwachtSGNaSpoelen.text + QStringLiteral(" (") + v.lbl_VerwachtSGNaSpoelen.toolTip + QStringLiteral(")"));
    f("GeschatteKookTijd",
      v.lbl_VerwachteKooktijd.text + QStringLiteral(" (") + v.lbl_VerwachteKooktijd.toolTip + QStringLiteral(")"));
    if (r.hasStatus(StatusHopgift)) {
        hopFields(f, "AHop_", r.Aromahop, v.lbl_Ahop);
        hopFields(f, "BHop_", r.Bitterhop, v.lbl_Bhop);
    }
    const float volume = r.Doelstellingen(1);
    f("VerwachtVolume", num::format(volume, u"###"));
    f("VerwachtGewicht", num::format(r.OGSG * volume / 1000.0f, u"###.#"));
    f("OGPlato", num::format(SGToPlato(r.OGSG), u"##.0"));
    f("OGSG", num::format(r.OGSG, u"####"));
    f("EBC", num::format(r.KleurEBC, u"###"));
    listFields(f, "Gist", r.Gistkeuze, 0, 1);
    listFields(f, "Toev", r.Toevoegingen, 0, 1);
    evaluationFields(f, r, 0, QString(), {r.EvAlc, r.EvBZR, r.EvSVG, r.EvEBU, r.EvEBC});
    static const char *const tasting[KenmerkenCount] = {
        "KM_Kleur", "KM_Helderheid", "KM_Schuim", "KM_Schuimstabiliteit", "KM_Body", "KM_Mondgevoel", "KM_Koolzuur"};
    const bool words = r.hasStatus(StatusKenmerken);
    for (int i = 0; i < KenmerkenCount; ++i)
        f(tasting[i], words ? r.Kenmerken[i] : QStringLiteral("-"));
    f("Aantekening", r.InRecept == 1 ? r.Aantekening : QString());
}

void secondBeer(FieldList &f, const Session &s)
{
    const RecipeState &r = s.recipe;
    const DisplayModel &v = s.view;
    if (r.hasStatus(StatusDoelstellingen)) {
        f("Soort2", r.Biersoort2);
        const char *names[] = {"Volume2", "AlcPerc2", "FG2", "EBU2", "KZ2"};
        for (int i = 0; i < 5; ++i)
            f(names[i], num::signedText(r.Doelstellingen(i + 6)));
    }
    // The same bit as the first beer's hops.
    if (r.hasStatus(StatusHopgift)) {
        hopFields(f, "AHop2_", r.Aromahop2, v.lbl_Ahop2);
        hopFields(f, "BHop2_", r.Bitterhop2, v.lbl_Bhop2);
    }
    f("OGPlato2", num::format(SGToPlato(r.OGSG2), u"##.0"));
    f("OGSG2", num::format(r.OGSG2, u"####"));
    f("EBC2", num::format(r.KleurEBC2, u"###"));
    f("Omslag_L", num::format(r.OmslagL, u"###"));
    f("Omslag_Plato", num::format(r.OmslagPlato, u"##.0"));
    listFields(f, "Gist", r.Gistkeuze, 5, 6);
    listFields(f, "Toev", r.Toevoegingen, 5, 6);
    evaluationFields(f, r, 1, QStringLiteral("2"), {r.EvAlc2, r.EvBZR2, r.EvSVG2, r.EvEBU2, r.EvEBC2});
}

// Windows-1252 bytes above 127 by the character they stand for.
const QHash<char16_t, char> &cp1252High()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int b = 0x80; b <= 0xFF; ++b) {
            const char byte = char(b);
            const QString c = cp1252::decode(QByteArrayView(&byte, 1));
            if (c.size() == 1 && c[0] != QChar::ReplacementCharacter)
                t.insert(c[0].unicode(), byte);
        }
        return t;
    }();
    return table;
}

void appendHex(QByteArray &out, unsigned v)
{
    static const char digits[] = "0123456789abcdef";
    out.append(digits[(v >> 4) & 0xF]);
    out.append(digits[v & 0xF]);
}

}  // namespace

std::vector<RtfField> reportFields(const Session &s)
{
    std::vector<RtfField> out;
    out.reserve(200);
    FieldList f(out);
    firstBeer(f, s);
    if (s.app.dubbelBrouw)
        secondBeer(f, s);
    return out;
}

QByteArray rtfEscape(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    const auto &high = cp1252High();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out.append("\\par ");
        } else if (c == u'\t') {
            out.append("\\tab ");
        } else if (c < 0x20) {
            continue;
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out.append('\\');
            out.append(char(c));
        } else if (c < 0x80) {
            out.append(char(c));
        } else if (const auto it = high.constFind(c); it != high.constEnd()) {
            out.append("\\'");
            appendHex(out, unsigned(static_cast<unsigned char>(*it)));
        } else {
            // RTF numbers are signed 16-bit; "?" is what a reader without
            // Unicode shows.
            out.append("\\u");
            out.append(QByteArray::number(int(static_cast<std::int16_t>(c))));
            out.append('?');
        }
    }
    return out;
}

QByteArray rtfPictureGroup(const RtfPicture &picture)
{
    QByteArray out;
    out.reserve(picture.png.size() * 2 + picture.png.size() / 64 + 100);
    out.append("{\\pict\\pngblip\\picw");
    out.append(QByteArray::number(picture.width));
    out.append("\\pich");
    out.append(QByteArray::number(picture.height));
    out.append("\\picwgoal");
    out.append(QByteArray::number(picture.width * 15));
    out.append("\\pichgoal");
    out.append(QByteArray::number(picture.height * 15));
    out.append("\r\n");
    for (qsizetype i = 0; i < picture.png.size(); ++i) {
        appendHex(out, unsigned(static_cast<unsigned char>(picture.png[i])));
        if (i % 64 == 63)
            out.append("\r\n");
    }
    out.append('}');
    return out;
}

RtfFill fillTemplate(const QByteArray &source, const std::vector<RtfField> &fields,
                     const std::optional<RtfPicture> &picture)
{
    struct Span {
        qsizetype from, to;
        QByteArray value;
    };
    std::vector<Span> spans;  // sorted by position
    spans.reserve(fields.size());
    const QByteArray lower = source.toLower();
    qsizetype lastEnd = -1;
    QByteArray needle;
    for (const RtfField &field : fields) {
        needle = '#' + field.first.toLatin1().toLower() + '#';
        qsizetype at = lower.indexOf(needle);
        while (at >= 0) {
            const qsizetype end = at + needle.size();
            const auto next = std::lower_bound(spans.begin(), spans.end(), at,
                                               [](const Span &sp, qsizetype pos) { return sp.to <= pos; });
            if (next == spans.end() || next->from >= end) {
                spans.insert(next, Span{at, end, rtfEscape(field.second)});
                lastEnd = end;
                break;
            }
            // Inside a field already replaced: search on behind it.
            at = lower.indexOf(needle, next->to);
        }
    }

    RtfFill fill;
    fill.replaced = int(spans.size());
    QByteArray pict;
    if (picture && lastEnd >= 0)
        pict = rtfPictureGroup(*picture);
    qsizetype size = source.size() + pict.size();
    for (const Span &sp : spans)
        size += sp.value.size();
    fill.rtf.reserve(size);
    qsizetype pos = 0;
    for (const Span &sp : spans) {
        fill.rtf.append(source.constData() + pos, sp.from - pos);
        fill.rtf.append(sp.value);
        if (sp.to == lastEnd)
            fill.rtf.append(pict);
        pos = sp.to;
    }
    fill.rtf.append(source.constData() + pos, source.size() - pos);
    return fill;
}

QString reportTemplateFile(bool dubbelBrouw)
{
    return paths::file(dubbelBrouw ? QStringLiteral("Templates/template_DB.rtf")
                                   : QStringLiteral("Templates/template_EB.rtf"));
}

QString reportScratchFile(bool dubbelBrouw)
{
    return paths::file(dubbelBrouw ? QStringLiteral("temp/DB.rtf") : QStringLiteral("temp/EB.rtf"));
}

}  // namespace mostarium

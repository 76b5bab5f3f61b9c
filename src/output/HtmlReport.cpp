#include "HtmlReport.h"

#include "core/CalcError.h"
#include "core/Cp1252.h"
#include "core/Formulas.h"
#include "core/NumText.h"
#include "core/Services.h"
#include "core/Session.h"
#include "core/WholeFile.h"

#include <array>
#include <cstdio>
#include <exception>

namespace mostarium {

namespace {

const QString Rule = QStringLiteral("<hr size=2 width=75% noshade>");

QString num(int n) { return QString::number(n); }

// A text of the recipe or a caption as page text: the three characters that
// would start markup or an entity escaped, nothing else changed.
QString esc(const QString &text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == u'&')
            out += QStringLiteral("&amp;");
        else if (c == u'<')
            out += QStringLiteral("&lt;");
        else if (c == u'>')
            out += QStringLiteral("&gt;");
        else
            out += c;
    }
    return out;
}

// The Str form of a number held as text.
QString strText(const QString &text) { return num::signedText(float(num::val(text))); }

template <std::size_t N>
const LabelSlot &slot(const std::array<LabelSlot, N> &labels, int k)
{
    if (k < 0 || k >= int(N))
        throwSubscript();
    return labels[std::size_t(k)];
}

class Page {
public:
    void line(const QString &text = QString())
    {
        m_text += text;
        m_text += QStringLiteral("\r\n");
    }
    void bold(const QString &heading) { line(QStringLiteral("<b>") + heading + QStringLiteral("</b>")); }
    QString take() { return std::move(m_text); }

private:
    QString m_text;
};

void targets(Page &p, const RecipeState &r, const QString &soort, int first)
{
    p.line(QStringLiteral("Soort: ") + esc(soort));
    p.line(QStringLiteral("Volume (L):") + num::signedText(r.Doelstellingen(first)));
    p.line(QStringLiteral("Alcohol Percentage (vol%):") + num::signedText(r.Doelstellingen(first + 1)));
    p.line(QStringLiteral("FG (kg/m3):") + num::signedText(r.Doelstellingen(first + 2)));
    p.line(QStringLiteral("EBU (mg/L): ") + num::signedText(r.Doelstellingen(first + 3)));
    p.line(QStringLiteral("Koolzuur (g/L): ") + num::signedText(r.Doelstellingen(first + 4)));
    p.line();
}

void hops(Page &p, const char *label, const Table2D<QString> &rows, const std::array<LabelSlot, 4> &captions)
{
    for (int k = 1; k <= rows.rows(); ++k)
        p.line(QLatin1String(label) + num(k) + QStringLiteral(" : ") + esc(slot(captions, k - 1).text));
}

void entries(Page &p, const char *label, const Table1D<QString> &list, int first)
{
    for (int i = first; i < first + 5; ++i)
        if (!list(i).isEmpty())
            p.line(QLatin1String(label) + num(i - first + 1) + QStringLiteral(": ") + esc(list(i)));
}

struct EvalFigures {
    float alc, bzr, svg, ebu, ebc;
};

void evaluation(Page &p, const RecipeState &r, int beer, const EvalFigures &e)
{
    p.line(QStringLiteral("Volume (L): ") + strText(r.Evaluatie(0, beer)));
    p.line(QStringLiteral("OG (kg/m3): ") + strText(r.Evaluatie(1, beer)));
    p.line(QStringLiteral("FG (kg/m3): ") + strText(r.Evaluatie(2, beer)));
    p.line(QStringLiteral("Alcohol (vol%): ") + num::format(e.alc, u"##.0"));
    p.line(QStringLiteral("BrouwZaal Rendement: ") + num::format(e.bzr, u"###.0"));
    p.line(QStringLiteral("Schijnbare Vergistings Graad: ") + num::format(e.svg, u"###.0"));
    p.line(QStringLiteral("EBU (mg/ml): ") + num::format(double(e.ebu) * 0.95, u"###.0") + QStringLiteral(" - ")
           + num::format(double(e.ebu) * 1.05, u"###.0"));
    p.line(QStringLiteral("EBC: ") + num::format(double(e.ebc) * 0.9, u"###") + QStringLiteral(" - ")
           + num::format(double(e.ebc) * 1.1, u"###"));
    p.line();
}

void general(Page &p, const RecipeState &r)
{
    p.line(QStringLiteral("<p align=center>"));
    p.line(QStringLiteral("<b><font size=4 align=center>") + esc(r.Algemeen(0)) + QStringLiteral("</font></b></p>"));
    p.line(Rule);
    p.line();
    p.bold(QStringLiteral("Algemeen"));
    p.line(esc(r.Algemeen(1)));
    for (int i = 2; i <= 5; ++i)
        if (!r.Algemeen(i).isEmpty())
            p.line(esc(r.Algemeen(i)));
    p.line(QStringLiteral("Brouw Datum: ") + esc(r.Algemeen(6)));
    p.line(QStringLiteral("Bottel Datum: ") + esc(r.Algemeen(7)));
    p.line();
}

void grainBill(Page &p, const Session &s)
{
    const RecipeState &r = s.recipe;
    p.bold(QStringLiteral("Ingredienten"));
    for (int k = 1; k <= r.Storting.rows(); ++k)
        p.line(num(k) + QStringLiteral(": ") + esc(slot(s.view.lbl_StIngred, k - 1).text.trimmed())
               + QStringLiteral(" Verwacht Bzr=") + num::formatText(r.Storting(k - 1, StBZR), u"###%"));
    p.line();
}

void mash(Page &p, const Session &s)
{
    const Table2D<float> &m = s.recipe.Maischschema;
    p.bold(QStringLiteral("Maischschema"));
    p.line(QStringLiteral("Beslaan (L): ") + num::format(s.recipe.BeslaanVolume, u"###"));
    const QString &decoctie = s.view.lblMDecoctieStap.text;
    if (decoctie.size() > 7)
        p.line(QStringLiteral("Via decoctiestap (") + num::plain(m(0, 4)) + QStringLiteral(" minuten): ")
               + esc(decoctie.mid(7)));
    p.line(QStringLiteral("pH: ") + num::format(m(0, 1), u"##.0"));
    p.line(QStringLiteral("Inmaisch Temperatuur (\u00BAC): ") + num::format(m(1, 0), u"###"));
    p.line(QStringLiteral("Inmaisch Tijd (min): ") + num::format(m(1, 1), u"###"));
    for (int row = 2; row <= m.rowUbound(); ++row) {
        const int j = row - 1;
        p.line(QStringLiteral("Rust") + num(j) + QStringLiteral(" (\u00BAC): ") + num::format(m(row, 0), u"###"));
        p.line(QStringLiteral("Tijd") + num(j) + QStringLiteral(" (min): ") + num::format(m(row, 1), u"###"));
    }
    p.line();
}

void sparging(Page &p, const Session &s)
{
    const RecipeState &r = s.recipe;
    p.bold(QStringLiteral("Spoelgegevens"));
    p.line(QStringLiteral("Hoofdwort (Plato): ") + num::format(SGToPlato(r.HWSG), u"##.0"));
    p.line(QStringLiteral("Hoofdwort (kg/m3): ") + num::format(r.HWSG, u"####"));
    p.line(QStringLiteral("Spoelen tot (Plato): ") + esc(s.view.lbl_SpoelenTot.text));
    p.line(QStringLiteral("Spoelwater (L): ") + num::format(r.Spoelwater, u"###"));
    const float v = r.VrijeHoofdwort + r.SpoelwortVolume;
    p.line(QStringLiteral("Wort na spoelen (L): ") + num::format(v, u"###"));
    // Without wort there is nothing to divide by: both figures stay empty.
    QString kg, sg;
    if (v != 0.0f) {
        const float g = GLToSG(num::toSingle(double(r.BZRMaisch * r.StortingMaisch / v)));
        kg = num::format(v / 1000.0f * g, u"###.0 kg");
        sg = num::format(g, u"####") + QStringLiteral(" kg/m3");
    }
    p.line(QStringLiteral("Kg Wort na spoelen (kg): ") + kg);
    p.line(QStringLiteral("Geschat SG van wort na spoelen: ") + sg);
    p.line();
}

void firstBeer(Page &p, const Session &s)
{
    const RecipeState &r = s.recipe;
    const DisplayModel &v = s.view;
    if (r.hasStatus(StatusAlgemeen))
        general(p, r);
    if (r.hasStatus(StatusDoelstellingen)) {
        p.bold(QStringLiteral("Doelstellingen"));
        targets(p, r, r.Biersoort1, 1);
    }
    if (r.hasStatus(StatusStorting))
        grainBill(p, s);
    if (r.hasStatus(StatusMaischschema))
        mash(p, s);
    sparging(p, s);
    if (r.hasStatus(StatusHopgift)) {
        p.bold(QStringLiteral("Aroma hopgift(en)"));
        hops(p, "Aroma Hop ", r.Aromahop, v.lbl_Ahop);
        p.line();
        p.bold(QStringLiteral("Bitter hopgift(en)"));
        hops(p, "Bitter Hop ", r.Bitterhop, v.lbl_Bhop);
        p.line();
    }

    const float volume = r.Doelstellingen(1);
    p.bold(QStringLiteral("Na het koken"));
    p.line(QStringLiteral("VerwachtVolume (L): ") + num::format(volume, u"###"));
    p.line(QStringLiteral("VerwachtGewicht (kg): ") + num::format(r.OGSG * volume / 1000.0f, u"###.#"));
    p.line(QStringLiteral("Verwacht OG (Plato): ") + num::format(SGToPlato(r.OGSG), u"##.0"));
    p.line(QStringLiteral("Verwacht OG (kg/m3): ") + num::format(r.OGSG, u"####"));
    p.line(QStringLiteral("Kleur EBC: ") + num::format(r.KleurEBC, u"###"));
    p.line();
    p.bold(QStringLiteral("Gist keuzes"));
    entries(p, "Gist", r.Gistkeuze, 0);
    p.line();
    p.bold(QStringLiteral("Toevoegingen"));
    entries(p, "Toevoeging", r.Toevoegingen, 0);
    p.line();

    if (r.hasStatus(StatusEvaluatie)) {
        p.bold(QStringLiteral("Evaluatie"));
        evaluation(p, r, 0, {r.EvAlc, r.EvBZR, r.EvSVG, r.EvEBU, r.EvEBC});
    } else {
        p.line();
    }

    if (r.hasStatus(StatusKenmerken)) {
        static const char *const labels[KenmerkenCount] = {
            "Kleur: ", "Helderheid: ", "Schuim: ", "Schuimstabiliteit: ", "Body: ", "Mondgevoel: ", "Koolzuur: "};
        p.bold(QStringLiteral("Kenmerken"));
        for (int i = 0; i < KenmerkenCount; ++i)
            p.line(QLatin1String(labels[i]) + esc(r.Kenmerken[i]));
        p.line();
    }
    if (r.InRecept == 1) {
        p.bold(QStringLiteral("Aantekeningen"));
        p.line(QStringLiteral("Aantekening: ") + esc(r.Aantekening));
        p.line();
    }
    p.line(Rule);
    p.line();
}

void secondBeer(Page &p, const Session &s)
{
    const RecipeState &r = s.recipe;
    const DisplayModel &v = s.view;
    if (r.hasStatus(StatusDoelstellingen)) {
        p.bold(QStringLiteral("Doelstellingen dunbier"));
        targets(p, r, r.Biersoort2, 6);
    }
    // The same bit as the first beer's hops.
    if (r.hasStatus(StatusHopgift)) {
        p.bold(QStringLiteral("Aroma hopgift(en) dunbier"));
        hops(p, "Aroma Hop ", r.Aromahop2, v.lbl_Ahop2);
        p.line();
        p.bold(QStringLiteral("Bitter hopgift(en) dunbier"));
        hops(p, "Bitter Hop ", r.Bitterhop2, v.lbl_Bhop2);
        p.line();
    }
    p.bold(QStringLiteral("Na het koken"));
    p.line(QStringLiteral("Verwacht OG (Plato): ") + num::format(SGToPlato(r.OGSG2), u"##.0"));
    p.line(QStringLiteral("Verwacht OG (kg/m3): ") + num::format(r.OGSG2, u"####"));
    p.line(QStringLiteral("Kleur EBC: ") + num::format(r.KleurEBC2, u"###"));
    p.line(QStringLiteral("Omslag van dik- naar dunbier (L): ") + num::format(r.OmslagL, u"###"));
    p.line(QStringLiteral("Omslag van dik- naar dunbier (Plato): ") + num::format(r.OmslagPlato, u"##.0"));
    p.line();
    p.bold(QStringLiteral("Gist keuzes dunbier"));
    entries(p, "Gist", r.Gistkeuze, 5);
    p.line();
    p.bold(QStringLiteral("Toevoegingen"));
    entries(p, "Toevoeging", r.Toevoegingen, 5);
    p.line();
    if (r.hasStatus(StatusEvaluatie)) {
        p.bold(QStringLiteral("Evaluatie dunbier"));
        evaluation(p, r, 1, {r.EvAlc2, r.EvBZR2, r.EvSVG2, r.EvEBU2, r.EvEBC2});
    }
    p.line(Rule);
}

// Windows-1252 bytes; a character the code page lacks as a character
// reference, so that nothing turns into "?".
QByteArray encodePage(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 64);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (cp1252::canEncode(c)) {
            out += cp1252::encode(QStringView(&c, 1));
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text.at(i + 1));
            ++i;
        } else if (c.isSurrogate()) {
            code = 0xFFFD;  // half a pair stands for nothing
        }
        out += "&#" + QByteArray::number(quint32(code)) + ';';
    }
    return out;
}

}  // namespace

QString htmlReportPath(const QString &boxText)
{
    if (boxText.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive)
        || boxText.contains(QStringLiteral(".html"), Qt::CaseInsensitive))
        return boxText;
    return boxText + QStringLiteral(".html");
}

QByteArray htmlReportBytes(const Session &s, const QString &title)
{
    Page p;
    p.line(QStringLiteral("<HTML>"));
    p.line(QStringLiteral("<HEAD>"));
    p.line(QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"));
    p.line(QStringLiteral("<Title>") + esc(title) + QStringLiteral("</TITLE>"));
    p.line(QStringLiteral("</HEAD>"));
    p.line(QStringLiteral("<BODY BGCOLOR=#FFFFAA>"));
    p.line(QStringLiteral("<PRE>  <FONT FACE=\"Courier New\">"));
    firstBeer(p, s);
    if (s.app.dubbelBrouw)
        secondBeer(p, s);
    p.line(QStringLiteral("</PRE>"));
    p.line(QStringLiteral("</BODY>"));
    p.line(QStringLiteral("</HTML>"));
    return encodePage(p.take());
}

bool ExportReceptHTML(const Session &s, const QString &boxText)
{
    const QString path = htmlReportPath(boxText);
    QString why;
    try {
        if (writeWholeFile(path, htmlReportBytes(s, path), &why))
            return true;
    } catch (const std::exception &e) {
        why = QString::fromUtf8(e.what());
    }
    std::fprintf(stderr, "ExportReceptHTML: %s\n", qPrintable(why));
    services().msgBox(QStringLiteral("Error in het aanmaken van ") + path, mb::OKOnly + mb::Exclamation,
                      QStringLiteral("Attentie!"));
    return false;
}

}  // namespace mostarium

#include "RecipeLimits.h"

#include "NumText.h"
#include "RecipeState.h"
#include "TextCut.h"

#include <algorithm>

namespace mostarium {

namespace limits {

Limit doelVolume(const RecipeState &r) { return Limit{0, double(r.KetelInhoud)}; }

Limit doelAlcohol(const RecipeState &r) { return Limit{0, double(r.MaximumAlcPerc), false, true}; }

bool knownHopForm(const QString &form)
{
    const QString f = form.trimmed().toLower();
    return f.contains(QLatin1String("bloemen")) || f.contains(QLatin1String("pellets"));
}

}  // namespace limits

bool holdsText(const Limit &l, const QString &text)
{
    const std::optional<double> v = num::leadingNumber(text);
    return v && l.holds(*v);
}

namespace {

QString shownValue(const QString &text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("leeg") : middleCut(text, QuotedTextKeep);
}

class Collector {
public:
    explicit Collector(std::vector<OutOfRange> &out) : m_out(out) {}

    // `text` as the dialog's box shows it; `value` as the recipe holds it.
    void check(const QString &dialog, const QString &what, const QString &text, const Limit &l, const QString &value)
    {
        if (!holdsText(l, text))
            push(dialog, what, value, l.text());
    }
    void check(const QString &dialog, const QString &what, const QString &text, const Limit &l)
    {
        check(dialog, what, text, l, text);
    }
    void add(const QString &dialog, const QString &what, const QString &value, const QString &range)
    {
        push(dialog, what, value, range);
    }
    // The entries from `from` on are of the cell (`row`, `column`) of `table`.
    void markCell(std::size_t from, const QString &table, int row, int column)
    {
        for (std::size_t i = from; i < m_out.size(); ++i) {
            m_out[i].table = table;
            m_out[i].row = row;
            m_out[i].column = column;
        }
    }
    std::size_t size() const { return m_out.size(); }

private:
    void push(const QString &dialog, const QString &what, const QString &value, const QString &range)
    {
        OutOfRange v;
        v.dialog = dialog;
        v.what = what;
        v.value = shownValue(value);
        v.range = range;
        m_out.push_back(std::move(v));
    }

    std::vector<OutOfRange> &m_out;
};

const QString Doelstellingen = QStringLiteral("Doelstellingen");
const QString Storting = QStringLiteral("Storting");
const QString MaischSchema = QStringLiteral("Maisch schema");
const QString Hopgift = QStringLiteral("Hopgift");

void targets(const RecipeState &r, Collector &c)
{
    const Table1D<float> &d = r.Doelstellingen;
    if (!r.hasStatus(StatusDoelstellingen) || !d.has(5))
        return;
    const Limit l[5] = {limits::doelVolume(r), limits::doelAlcohol(r), limits::DoelFG, limits::DoelEBU,
                        limits::DoelCO2};
    static const char *const captions[5] = {"Volume (L)", "Alcohol incl. navergisting op fles (vol%)",
                                            "Eind SG (kg/m3)", "Bitterheid (EBU)",
                                            "Uiteindelijk koolzuurgehalte (gr/L)"};
    for (int t = 0; t < 5; ++t) {
        // The box shows a cell of 0 empty.
        const float v = d(t + 1);
        const QString shown = v == 0 ? QString() : num::signedText(v);
        c.check(Doelstellingen, QString::fromLatin1(captions[t]), shown, l[t], shown.trimmed());
    }
}

QString rowName(const QString &name, int i)
{
    return name.trimmed().isEmpty() ? QStringLiteral("rij %1").arg(i + 1) : quotedText(name);
}

void grainBill(const RecipeState &r, Collector &c)
{
    const Table2D<QString> &s = r.Storting;
    if (!r.hasStatus(StatusStorting))
        return;
    auto cell = [&s](int i, int col) { return s.has(i, col) ? s(i, col) : QString(); };
    for (int i = 0; i < s.rows(); ++i) {
        const QString row = rowName(cell(i, StIngred), i);
        // Share and yield show in "##0.00" form, the colour as stored.
        const QString perc = cell(i, StPerc), bzr = cell(i, StBZR), ebc = cell(i, StEBC);
        c.check(Storting, QStringLiteral("Percentage, ") + row, num::formatText(perc, u"##0.00"), limits::StortingPerc,
                perc);
        c.check(Storting, QStringLiteral("EE, ") + row, num::formatText(bzr, u"##0.00"), limits::StortingBZR, bzr);
        c.check(Storting, QStringLiteral("EBC, ") + row, ebc, limits::StortingEBC);
    }
}

void mashSchedule(const RecipeState &r, Collector &c)
{
    const Table2D<float> &m = r.Maischschema;
    const int n = m.rowUbound();
    if (!r.hasStatus(StatusMaischschema) || n < 1 || m.cols() < 2)
        return;
    auto shown = [](float v) { return num::signedText(v); };
    c.check(MaischSchema, QStringLiteral("Inmaischen met L/kg storting"), shown(m(0, 0)), limits::InMaisch,
            num::plain(m(0, 0)));
    c.check(MaischSchema, QStringLiteral("pH aanpassing maisch tot"), shown(m(0, 1)), limits::MaischPH,
            num::plain(m(0, 1)));
    for (int i = 1; i <= n; ++i) {
        const QString step = i == 1 ? QStringLiteral("Inmaisch stap") : QStringLiteral("rust ") + shown(float(i - 1));
        c.check(MaischSchema, step + QStringLiteral(", Temperatuur (°C)"), shown(m(i, 0)), limits::StapTemp,
                num::plain(m(i, 0)));
        c.check(MaischSchema, step + QStringLiteral(", Tijd (min)"), shown(m(i, 1)), limits::StapTijd,
                num::plain(m(i, 1)));
    }
    if (!r.ViaDecoctie || m.cols() < 5)
        return;
    // The decoction boxes show their cells trimmed and cut to their length.
    const auto t0 = num::leadingNumber(shown(m(1, 0)));
    const QString td = shown(m(0, 2)).trimmed().left(3), tw = shown(m(0, 3)).trimmed().left(2);
    const auto tdv = num::leadingNumber(td), twv = num::leadingNumber(tw);
    if (!t0 || !tdv || !limits::decoctieTemp(*t0).holds(*tdv))
        c.add(MaischSchema, QStringLiteral("Temperatuur decoctie stap ('C)"), td,
              limits::decoctieTemp(t0.value_or(0)).text());
    c.check(MaischSchema, QStringLiteral("Tijdsduur decoctie stap (min)"), shown(m(0, 4)).trimmed().left(3),
            limits::DecoctieTijd);
    if (!t0 || !twv || !limits::brouwwaterTemp(*t0).holds(*twv))
        c.add(MaischSchema, QStringLiteral("Temperatuur brouwwater ('C)"), tw,
              limits::brouwwaterTemp(t0.value_or(0)).text());
}

void hopList(const Table2D<QString> &t, bool aroma, Collector &c)
{
    auto cell = [&t](int i, int col) { return t.has(i, col) ? t(i, col) : QString(); };
    const QString table = aroma ? QStringLiteral("Aromahop") : QStringLiteral("Bitterhop");
    for (int i = 0; i < t.rows(); ++i) {
        const QString variety = cell(i, HopSoort);
        // An aroma row without a variety holds no hop.
        if (aroma && variety.trimmed().isEmpty())
            continue;
        const QString row = (aroma ? QStringLiteral("aromahop ") : QStringLiteral("bitterhop ")) + rowName(variety, i)
                            + QStringLiteral(", ");
        const auto check = [&](int column, const QString &what, const Limit &l) {
            const std::size_t from = c.size();
            c.check(Hopgift, row + what, cell(i, column), l);
            c.markCell(from, table, i, column);
        };
        if (!limits::knownHopForm(cell(i, HopHoedanigheid))) {
            const std::size_t from = c.size();
            c.add(Hopgift, row + QStringLiteral("hoedanigheid"), cell(i, HopHoedanigheid),
                  QStringLiteral("bloemen of pellets"));
            c.markCell(from, table, i, HopHoedanigheid);
        }
        check(HopAlfazuur, QStringLiteral("alfazuur (%)"), limits::hopAlfa(limits::HopAlfaMax));
        if (aroma)
            check(HopGram, QStringLiteral("hoeveelheid (gr)"), limits::AromaGram);
        else
            check(HopPercBitterheid, QStringLiteral("bitterheid (%)"), limits::BitterPerc);
        check(HopKooktijd, QStringLiteral("kooktijd (min)"), aroma ? limits::AromaTijd : limits::BitterTijd);
        check(HopGravity, QStringLiteral("SG (kg/m3)"), limits::HopGravity);
    }
}

}  // namespace

std::vector<OutOfRange> valuesOutOfRange(const RecipeState &r)
{
    std::vector<OutOfRange> out;
    Collector c(out);
    targets(r, c);
    grainBill(r, c);
    mashSchedule(r, c);
    if (r.hasStatus(StatusHopgift)) {
        hopList(r.Aromahop, true, c);
        hopList(r.Bitterhop, false, c);
    }
    return out;
}

QString outOfRangeMessage(const std::vector<OutOfRange> &values)
{
    const bool ofFile = std::any_of(values.begin(), values.end(), [](const OutOfRange &v) { return v.ofFile; });
    QString text = ofFile ? QStringLiteral("Deze waarden vallen buiten het bereik van hun invoerscherm of buiten wat "
                                           "een mout kan hebben:\r\n")
                          : QStringLiteral("Deze waarden van het recept vallen buiten het bereik van hun "
                                           "invoerscherm:\r\n");
    for (const OutOfRange &v : values)
        text += QStringLiteral("\r\n") + v.dialog + QStringLiteral(" - ") + v.what + QStringLiteral(": ") + v.value
                + QStringLiteral(" (toegestaan: ") + v.range + QStringLiteral(")");
    return text + QStringLiteral("\r\n\r\nVerbeter ze in die schermen.");
}

}  // namespace mostarium

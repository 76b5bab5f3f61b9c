#include "RecipeFile.h"

#include "CalcError.h"
#include "Cp1252.h"
#include "Ini.h"
#include "NumText.h"
#include "RecipeReset.h"
#include "Revision.h"
#include "Services.h"
#include "Session.h"
#include "SysParamCompare.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <iterator>

namespace mostarium {

namespace {

// The targets of one beer, followed by the beer's number in the file.
constexpr const char *TargetKeys[5] = {"Volume", "AlcPerc", "FG", "EBU", "Koolzuur"};

// ---------------------------------------------------------------- writing

// A value stands on one line: its line breaks become blanks.
QString oneLine(QString v)
{
    for (QChar &c : v)
        if (c == u'\r' || c == u'\n')
            c = u' ';
    return v;
}

class Writer {
public:
    explicit Writer(QString &out) : o(out) {}
    void line(QStringView text)
    {
        o += text;
        o += u"\r\n";
    }
    void section(QStringView name)
    {
        o += u'[';
        o += name;
        o += u"]\r\n";
    }
    void text(QStringView key, const QString &value)
    {
        o += key;
        o += u'=';
        o += oneLine(value);
        o += u"\r\n";
    }
    void text(QStringView key, int n, const QString &value)
    {
        o += key;
        o += QString::number(n);
        o += u'=';
        o += oneLine(value);
        o += u"\r\n";
    }
    void real(QStringView key, float v) { text(key, num::plain(v)); }
    void real(QStringView key, int n, float v) { text(key, n, num::plain(v)); }
    void integer(QStringView key, int v) { text(key, QString::number(v)); }
    void end() { o += u"\r\n"; }

private:
    QString &o;
};

void writeHops(Writer &w, QStringView section, QStringView amountKey, const Table2D<QString> &hop)
{
    w.section(section);
    w.integer(u"Aantal", hop.rows());
    for (int i = 0; i < hop.rows(); ++i) {
        const int n = i + 1;
        w.text(u"Soort", n, hop(i, HopSoort));
        w.text(u"Hoedanigheid", n, hop(i, HopHoedanigheid));
        w.text(u"Alfazuur", n, hop(i, HopAlfazuur));
        w.text(amountKey, n, hop(i, HopGram));
        w.text(u"Kooktijd", n, hop(i, HopKooktijd));
        w.text(u"Gravity", n, hop(i, HopGravity));
    }
    w.end();
}

QString recipeText(const Session &s)
{
    const RecipeState &r = s.recipe;
    const bool db = s.app.dubbelBrouw;
    QString o;
    o.reserve(4096);
    Writer w(o);

    w.section(u"Mostarium_Version");
    w.text(u"Versie", QStringLiteral("Mostarium ") + (r.Revision.isEmpty() ? GetRevision() : r.Revision));
    w.end();

    w.section(u"ReceptStatus");
    w.integer(u"Status", r.ReceptStatus);
    w.end();

    if (r.hasStatus(StatusAlgemeen)) {
        w.section(u"Algemeen");
        w.text(u"Biernaam", r.Algemeen(0));
        for (int i = 1; i <= 5; ++i)
            w.text(u"Brouwer", i, r.Algemeen(i));
        w.text(u"Brouwdatum", r.Algemeen(6));
        w.text(u"Botteldatum", r.Algemeen(7));
        w.end();
    }

    if (r.hasStatus(StatusDoelstellingen)) {
        w.section(u"Doelstellingen");
        w.text(u"Brouw", db ? QStringLiteral("Dubbel") : QStringLiteral("Enkel"));
        w.text(u"Biersoort1", r.Biersoort1);
        for (int i = 0; i < 5; ++i)
            w.real(QString::fromLatin1(TargetKeys[i]), 1, r.Doelstellingen(1 + i));
        if (db) {
            w.text(u"Biersoort2", r.Biersoort2);
            for (int i = 0; i < 5; ++i)
                w.real(QString::fromLatin1(TargetKeys[i]), 2, r.Doelstellingen(6 + i));
        }
        w.end();
    }

    if (r.hasStatus(StatusStorting)) {
        w.section(u"Storting");
        w.integer(u"Aantal", r.Storting.rows());
        for (int i = 0; i < r.Storting.rows(); ++i) {
            const int n = i + 1;
            w.text(u"Ingred", n, r.Storting(i, StIngred));
            w.text(u"Perc", n, r.Storting(i, StPerc));
            w.text(u"BZR", n, r.Storting(i, StBZR));
            w.text(u"EBC", n, r.Storting(i, StEBC));
            w.text(u"Laat", n, r.Storting(i, StLaat));
        }
        w.end();
    }

    if (r.hasStatus(StatusMaischschema)) {
        const auto &m = r.Maischschema;
        w.section(u"Maischschema");
        w.integer(u"AantalRusten", m.rowUbound());
        w.real(u"Beslaan", m(0, 0));
        w.real(u"pH", m(0, 1));
        if (r.ViaDecoctie) {
            w.real(u"TempDecoctieStap", m(0, 2));
            w.real(u"TijdDecoctieStap", m(0, 4));
            w.real(u"TempBrouwWater", m(0, 3));
        } else {
            w.text(u"TempDecoctieStap", QString());
            w.text(u"TijdDecoctieStap", QString());
            w.text(u"TempBrouwWater", QString());
        }
        for (int i = 1; i <= m.rowUbound(); ++i) {
            w.real(u"Temp", i, m(i, 0));
            w.real(u"Tijd", i, m(i, 1));
        }
        w.end();
    }

    w.section(u"Spoelen");
    w.real(u"SpoelenTot", r.SpoelenTot);
    w.end();

    if (r.hasStatus(StatusHopgift)) {
        writeHops(w, u"Aromahop", u"Gram", r.Aromahop);
        writeHops(w, u"Bitterhop", u"PercBitterheid", r.Bitterhop);
    }
    if (r.hasStatus(StatusHopgift2)) {
        writeHops(w, u"Aromahop2", u"Gram", r.Aromahop2);
        writeHops(w, u"Bitterhop2", u"PercBitterheid", r.Bitterhop2);
    }

    if (r.hasStatus(StatusGistkeuze)) {
        w.section(u"Gistkeuze");
        for (int i = 0; i < (db ? 10 : 5); ++i)
            w.text(u"Gist", i + 1, r.Gistkeuze(i));
        w.end();
    }

    if (r.hasStatus(StatusToevoegingen)) {
        w.section(u"Toevoegingen");
        for (int i = 0; i < (db ? 10 : 5); ++i)
            w.text(u"Toevoeging", i + 1, r.Toevoegingen(i));
        w.end();
    }

    if (r.hasStatus(StatusEvaluatie)) {
        w.section(u"Evaluatie");
        w.text(u"Volume", r.Evaluatie(0, 0));
        w.text(u"OG", r.Evaluatie(1, 0));
        w.text(u"FG", r.Evaluatie(2, 0));
        if (db) {
            w.text(u"Volume2", r.Evaluatie(0, 1));
            w.text(u"OG2", r.Evaluatie(1, 1));
            w.text(u"FG2", r.Evaluatie(2, 1));
        }
    }
    w.end();

    w.section(u"SysteemParameters");
    w.integer(u"KetelInhoud", r.KetelInhoud);
    w.real(u"FixedVolFilterPlaatBodem", r.FixedVolFilterPlaatBodem);
    w.real(u"VolFilterPlaatBodem", r.VolFilterPlaatBodem);
    w.real(u"Evaporatie", r.Evaporatie);
    w.real(u"FilterKuipInhoud", r.FilterKuipInhoud);
    w.real(u"BrouwVerlies", r.BrouwVerlies);
    w.end();

    // The appended sections stand as the settings-file writer leaves them:
    // right after the last line, without an empty line of their own. The
    // tasting section has its seven keys whatever the words and the bits.
    w.section(u"Kenmerken");
    for (int i = 0; i < KenmerkenCount; ++i)
        w.text(QString::fromLatin1(KenmerkenKeys[i]), r.Kenmerken[i]);
    w.section(u"Aantekeningen");
    w.text(u"Aantekening", r.Aantekening);
    w.integer(u"InRecept", r.InRecept);
    return o;
}

bool isReadOnly(const QFileInfo &fi) { return fi.exists() && !(fi.permissions() & QFileDevice::WriteOwner); }

// ---------------------------------------------------------------- reading

// A file that cannot be read as a recipe.
struct Damaged {};

[[noreturn]] void damaged() { throw Damaged{}; }

// The file's sections and keys, looked up as the settings-file reader does:
// names without regard to case, the first section and the first key of a name
// win, values trimmed of surrounding blanks.
class IniText {
public:
    explicit IniText(QByteArrayView bytes)
    {
        const QString text = cp1252::decode(bytes);
        QHash<QString, QString> *current = nullptr;
        qsizetype start = 0;
        while (start < text.size()) {
            qsizetype nl = text.indexOf(u'\n', start);
            if (nl < 0)
                nl = text.size();
            QStringView lineView = QStringView(text).mid(start, nl - start);
            start = nl + 1;
            while (!lineView.isEmpty() && (lineView.back() == u'\r' || lineView.back() == u'\n'))
                lineView.chop(1);
            const QStringView t = lineView.trimmed();
            if (t.startsWith(u'[')) {
                const qsizetype close = t.indexOf(u']');
                if (close >= 0) {
                    const QString name = t.mid(1, close - 1).trimmed().toString().toLower();
                    current = m_sections.contains(name) ? nullptr : &m_sections[name];
                    continue;
                }
            }
            if (!current)
                continue;
            const qsizetype eq = lineView.indexOf(u'=');
            if (eq < 0)
                continue;
            const QString key = lineView.left(eq).trimmed().toString().toLower();
            if (key.isEmpty() || current->contains(key))
                continue;
            current->insert(key, lineView.mid(eq + 1).trimmed().toString());
        }
    }

    bool hasSection(QStringView section) const { return m_sections.contains(section.toString().toLower()); }

    QString value(QStringView section, const QString &key, const QString &defaultValue = QString()) const
    {
        const auto sec = m_sections.constFind(section.toString().toLower());
        if (sec == m_sections.cend())
            return defaultValue;
        const auto it = sec->constFind(key.toLower());
        return it == sec->cend() ? defaultValue : *it;
    }
    QString value(QStringView section, QStringView key, int n) const
    {
        return value(section, key.toString() + QString::number(n));
    }

private:
    QHash<QString, QHash<QString, QString>> m_sections;
};

float leadingSingle(const QString &text) { return num::toSingle(num::val(text)); }

// A row count that must be a number as a whole; the last row index it gives.
int lastRowIndex(const QString &count)
{
    const double n = num::strictDouble(count);
    if (n > MaxRecipeRows + 1)
        damaged();
    const int k = num::toInt32(n - 1);
    if (k < 0 || k >= MaxRecipeRows)
        damaged();
    return k;
}

void requireSection(const IniText &ini, QStringView section)
{
    // A part the status claims must be in the file.
    if (!ini.hasSection(section))
        damaged();
}

void readHops(const IniText &ini, QStringView section, QStringView amountKey, bool atLeastOneRow,
              Table2D<QString> &hop)
{
    requireSection(ini, section);
    QString count = ini.value(section, QStringLiteral("Aantal")).trimmed();
    if (atLeastOneRow && num::val(count) < 1)
        count = QStringLiteral("1");
    const int k = lastRowIndex(count);
    hop.redim(k, 6);
    for (int i = 0; i <= k; ++i) {
        const int n = i + 1;
        hop(i, HopSoort) = ini.value(section, u"Soort", n).trimmed();
        hop(i, HopHoedanigheid) = ini.value(section, u"Hoedanigheid", n).trimmed();
        hop(i, HopAlfazuur) = ini.value(section, u"Alfazuur", n).trimmed();
        hop(i, HopGram) = ini.value(section, amountKey, n).trimmed();
        hop(i, HopKooktijd) = ini.value(section, u"Kooktijd", n).trimmed();
        hop(i, HopGravity) = ini.value(section, u"Gravity", n).trimmed();
    }
}

void readList(const IniText &ini, QStringView section, QStringView key, bool db, Table1D<QString> &list)
{
    requireSection(ini, section);
    list.redim(10);
    for (int i = 0; i < (db ? 10 : 5); ++i)
        list(i) = ini.value(section, key, i + 1).trimmed();
}

// Fills `r` and `db` from the file; throws Damaged or CalcError.
// Returns whether the targets named a brew mode.
bool parseRecipe(const IniText &ini, RecipeState &r, bool &db)
{
    // Empty files, garbage and other files have none of a recipe's sections;
    // a file without its status section reads as a recipe without parts.
    static const char *const recipeSections[] = {
        "ReceptStatus", "Mostarium_Version", "Algemeen",   "Doelstellingen", "Storting",    "Maischschema",
        "Spoelen",      "Aromahop",          "Bitterhop",  "Aromahop2",      "Bitterhop2",  "Gistkeuze",
        "Toevoegingen", "Evaluatie",         "SysteemParameters", "Kenmerken", "Aantekeningen"};
    if (std::none_of(std::begin(recipeSections), std::end(recipeSections),
                     [&](const char *name) { return ini.hasSection(QString::fromLatin1(name)); }))
        damaged();
    r.ReceptStatus = num::toInt16(num::val(ini.value(u"ReceptStatus", QStringLiteral("Status"), QStringLiteral("0")).trimmed()));

    if (r.hasStatus(StatusAlgemeen)) {
        requireSection(ini, u"Algemeen");
        r.Algemeen.redim(7);
        r.Algemeen(0) = ini.value(u"Algemeen", QStringLiteral("Biernaam"));
        for (int i = 1; i <= 5; ++i)
            r.Algemeen(i) = ini.value(u"Algemeen", u"Brouwer", i);
        r.Algemeen(6) = ini.value(u"Algemeen", QStringLiteral("Brouwdatum"));
        r.Algemeen(7) = ini.value(u"Algemeen", QStringLiteral("Botteldatum"));
    }

    bool brouwGelezen = false;
    if (r.hasStatus(StatusDoelstellingen)) {
        requireSection(ini, u"Doelstellingen");
        const QString brouw = ini.value(u"Doelstellingen", QStringLiteral("Brouw")).trimmed();
        const bool enkel = brouw.contains(u"Enkel");
        if (enkel || brouw.contains(u"Dubbel")) {
            brouwGelezen = true;
            db = !enkel;
            r.Doelstellingen.redim(db ? 10 : 5);
            r.Biersoort1 = ini.value(u"Doelstellingen", QStringLiteral("Biersoort1")).trimmed();
            for (int i = 0; i < 5; ++i)
                r.Doelstellingen(1 + i) =
                    leadingSingle(ini.value(u"Doelstellingen", QString::fromLatin1(TargetKeys[i]), 1).trimmed());
            if (db) {
                r.Biersoort2 = ini.value(u"Doelstellingen", QStringLiteral("Biersoort2")).trimmed();
                for (int i = 0; i < 5; ++i)
                    r.Doelstellingen(6 + i) =
                        leadingSingle(ini.value(u"Doelstellingen", QString::fromLatin1(TargetKeys[i]), 2).trimmed());
            }
        } else {
            // Targets without a brew mode cannot be read: the part is absent.
            r.clearStatus(StatusDoelstellingen);
        }
    }

    if (r.hasStatus(StatusStorting)) {
        requireSection(ini, u"Storting");
        const int k = lastRowIndex(ini.value(u"Storting", QStringLiteral("Aantal")).trimmed());
        r.Storting.redim(k, 4);
        for (int i = 0; i <= k; ++i) {
            const int n = i + 1;
            r.Storting(i, StIngred) = ini.value(u"Storting", u"Ingred", n).trimmed();
            r.Storting(i, StPerc) = ini.value(u"Storting", u"Perc", n).trimmed();
            r.Storting(i, StBZR) = ini.value(u"Storting", u"BZR", n).trimmed();
            r.Storting(i, StEBC) = ini.value(u"Storting", u"EBC", n).trimmed();
            r.Storting(i, StLaat) = ini.value(u"Storting", u"Laat", n).trimmed();
        }
    }

    if (r.hasStatus(StatusMaischschema)) {
        requireSection(ini, u"Maischschema");
        const int n = num::toInt32(num::val(ini.value(u"Maischschema", QStringLiteral("AantalRusten")).trimmed()));
        if (n < 0 || n > MaxRecipeRows)
            damaged();
        auto &m = r.Maischschema;
        m.redim(n, 4);
        auto get = [&](const char *key) {
            return leadingSingle(ini.value(u"Maischschema", QString::fromLatin1(key)).trimmed());
        };
        m(0, 0) = get("Beslaan");
        m(0, 1) = get("pH");
        m(0, 2) = get("TempDecoctieStap");
        m(0, 3) = get("TempBrouwWater");
        m(0, 4) = get("TijdDecoctieStap");
        if (m(0, 2) > 0 && m(0, 3) > 0)
            r.ViaDecoctie = true;
        for (int i = 1; i <= n; ++i) {
            m(i, 0) = leadingSingle(ini.value(u"Maischschema", u"Temp", i).trimmed());
            m(i, 1) = leadingSingle(ini.value(u"Maischschema", u"Tijd", i).trimmed());
        }
    }

    const float spoelenTot = leadingSingle(ini.value(u"Spoelen", QStringLiteral("SpoelenTot"), QStringLiteral("3")).trimmed());
    r.SpoelenTot = spoelenTot < 3 ? 3.0f : spoelenTot;

    if (r.hasStatus(StatusHopgift)) {
        readHops(ini, u"Aromahop", u"Gram", true, r.Aromahop);
        readHops(ini, u"Bitterhop", u"PercBitterheid", false, r.Bitterhop);
    }
    if (r.hasStatus(StatusHopgift2)) {
        readHops(ini, u"Aromahop2", u"Gram", false, r.Aromahop2);
        readHops(ini, u"Bitterhop2", u"PercBitterheid", false, r.Bitterhop2);
    }
    if (r.hasStatus(StatusGistkeuze))
        readList(ini, u"Gistkeuze", u"Gist", db, r.Gistkeuze);
    if (r.hasStatus(StatusToevoegingen))
        readList(ini, u"Toevoegingen", u"Toevoeging", db, r.Toevoegingen);

    if (r.hasStatus(StatusEvaluatie)) {
        requireSection(ini, u"Evaluatie");
        r.Evaluatie.redim(2, db ? 1 : 0);
        r.Evaluatie(0, 0) = ini.value(u"Evaluatie", QStringLiteral("Volume")).trimmed();
        r.Evaluatie(1, 0) = ini.value(u"Evaluatie", QStringLiteral("OG")).trimmed();
        r.Evaluatie(2, 0) = ini.value(u"Evaluatie", QStringLiteral("FG")).trimmed();
        if (db) {
            r.Evaluatie(0, 1) = ini.value(u"Evaluatie", QStringLiteral("Volume2")).trimmed();
            r.Evaluatie(1, 1) = ini.value(u"Evaluatie", QStringLiteral("OG2")).trimmed();
            r.Evaluatie(2, 1) = ini.value(u"Evaluatie", QStringLiteral("FG2")).trimmed();
        }
    }

    r.Aantekening = ini.value(u"Aantekeningen", QStringLiteral("Aantekening"));
    r.InRecept = num::toInt16(num::val(ini.value(u"Aantekeningen", QStringLiteral("InRecept")).trimmed()));

    for (int i = 0; i < KenmerkenCount; ++i)
        r.Kenmerken[i] = ini.value(u"Kenmerken", QString::fromLatin1(KenmerkenKeys[i]));

    return brouwGelezen;
}

QString fileNamePart(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

OpenResult failOpen(Session &s)
{
    // Nothing half-read stays, and no file is attached to the empty recipe.
    ResetReceptState(s);
    s.recipe.ReceptAttr = 0;
    s.app.fileName.clear();
    s.view.panels[7].text.clear();
    ++s.view.revision;
    OpenResult res;
    res.error = OpenReceptFout;
    return res;
}

OpenResult parseInto(Session &s, QByteArrayView bytes, const QString &path, std::int32_t attr)
{
    const QString name = fileNamePart(path);
    if (name.size() < 4 || bytes.size() > MaxRecipeFileSize || bytes.contains('\0'))
        return failOpen(s);

    RecipeState r = s.recipe;  // the emptied recipe with the installation's parameters
    bool db = s.app.dubbelBrouw;
    bool brouwGelezen = false;
    try {
        const IniText ini(bytes);
        brouwGelezen = parseRecipe(ini, r, db);
        r.ReceptAttr = attr;
        r.ReceptNaam = name.left(name.size() - 4);
        s.recipe = std::move(r);
        s.app.dubbelBrouw = db;

        if (s.recipe.hasStatus(StatusAlgemeen)) {
            s.view.fraBrouwSchema.caption = s.recipe.Algemeen(0) + QStringLiteral(" Brouwschema ");
            s.view.fraEvaluatie.caption = s.recipe.Algemeen(0) + QStringLiteral(" Evaluatie ");
        }
        ++s.view.revision;

        OpenResult res;
        res.ok = true;
        res.brouwGelezen = brouwGelezen;
        res.systeemParametersVerschillen = ReadReceptSysteemParameters(
            s.recipe, [&](const QString &key, const QString &def) {
                return ini.value(u"SysteemParameters", key, def);
            });
        return res;
    } catch (const Damaged &) {
    } catch (const CalcError &) {
    }
    return failOpen(s);
}

} // namespace

// ---------------------------------------------------------------- public

QByteArray recipeFileBytes(const Session &s) { return cp1252::encode(recipeText(s)); }

bool writeRecipe(const Session &s, QIODevice &device, QString *error)
{
    QByteArray bytes;
    try {
        bytes = recipeFileBytes(s);
    } catch (const CalcError &e) {
        if (error)
            *error = e.text();
        return false;
    }
    if (device.write(bytes) != bytes.size()) {
        if (error)
            *error = device.errorString();
        return false;
    }
    return true;
}

bool writeRecipeFile(const Session &s, const QString &path, QString *error)
{
    if (isReadOnly(QFileInfo(path))) {
        if (error)
            *error = QStringLiteral("Read-only file");
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (!writeRecipe(s, f, error)) {
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool hasXmlExtension(const QString &path)
{
    return fileNamePart(path).endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive);
}

QString zlvFileName(const QString &path)
{
    if (!hasXmlExtension(path))
        return path;
    return path.left(path.size() - 4) + QStringLiteral(".zlv");
}

SaveResult SaveRecept(Session &s)
{
    SaveResult res;
    if (hasXmlExtension(s.app.fileName)) {
        if (services().msgBox(XmlOpslaanVraag, mb::OKCancel, XmlOpslaanTitel) != mb::OK) {
            res.outcome = SaveOutcome::Cancelled;
            return res;
        }
        s.app.fileName = zlvFileName(s.app.fileName);
    }

    bool written = false;
    {
        BusyCursor busy;
        written = !s.app.fileName.isEmpty() && writeRecipeFile(s, s.app.fileName, &res.error);
    }
    if (!written) {
        services().msgBox(OpslaanFout, mb::OKOnly + mb::Exclamation, AppTitle);
        res.outcome = SaveOutcome::Failed;
        return res;
    }
    s.view.panels[7].text = s.app.fileName;
    ++s.view.revision;
    s.recipe.ReceptGewijzigd = false;
    res.outcome = SaveOutcome::Saved;
    return res;
}

bool SaveKenmerken(const Session &s)
{
    const QString path = s.app.fileName;
    const QFileInfo fi(path);
    if (!path.endsWith(QStringLiteral(".zlv"), Qt::CaseInsensitive) || !fi.isFile() || isReadOnly(fi))
        return false;

    // The seven keys go in together: they are set in a copy, which then
    // replaces the file whole.
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray old = in.readAll();
    in.close();

    QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    const QString copy = dir.filePath(QStringLiteral("recept.zlv"));
    {
        QFile c(copy);
        if (!c.open(QIODevice::WriteOnly) || c.write(old) != old.size())
            return false;
    }
    for (int i = 0; i < KenmerkenCount; ++i) {
        QString value = s.recipe.Kenmerken[i];
        if (!WriteINI(copy, QStringLiteral("Kenmerken"), QString::fromLatin1(KenmerkenKeys[i]), value))
            return false;
    }
    QFile c(copy);
    if (!c.open(QIODevice::ReadOnly))
        return false;
    const QByteArray updated = c.readAll();

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(updated) != updated.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

OpenResult readRecipe(Session &s, QByteArrayView bytes, const QString &path)
{
    ResetReceptState(s);
    return parseInto(s, bytes, path, 0);
}

OpenResult readRecipeFile(Session &s, const QString &path)
{
    ResetReceptState(s);
    const QFileInfo fi(path);
    if (!fi.isFile() || fi.size() > MaxRecipeFileSize)
        return failOpen(s);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return failOpen(s);
    const QByteArray bytes = f.read(MaxRecipeFileSize + 1);
    if (bytes.size() > MaxRecipeFileSize)
        return failOpen(s);
    return parseInto(s, bytes, path, isReadOnly(fi) ? 1 : 0);
}

} // namespace mostarium

#include "RecipeFileReader.h"

#include "CalcError.h"
#include "Ini.h"
#include "NumText.h"
#include "RecipeFile.h"
#include "RecipeReset.h"
#include "Session.h"
#include "SysParamCompare.h"
#include "WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

namespace mostarium {

namespace {

// The targets of one beer, followed by the beer's number in the file.
constexpr const char *TargetKeys[5] = {"Volume", "AlcPerc", "FG", "EBU", "Koolzuur"};

// A file that cannot be read as a recipe.
struct Damaged {};

[[noreturn]] void damaged() { throw Damaged{}; }

// Keys looked up as the settings-file reader does, with the numbered keys of
// the rows ("Ingred3") spelt out.
class RecipeText {
public:
    explicit RecipeText(QByteArrayView bytes) : m_ini(bytes) {}

    bool hasSection(QStringView section) const { return m_ini.hasSection(section); }
    QString value(QStringView section, const char *key, const QString &defaultValue = QString()) const
    {
        return m_ini.value(section, QString::fromLatin1(key), defaultValue);
    }
    QString value(QStringView section, const QString &key, const QString &defaultValue = QString()) const
    {
        return m_ini.value(section, key, defaultValue);
    }
    QString value(QStringView section, const char *key, int n) const
    {
        return m_ini.value(section, QLatin1String(key) + QString::number(n));
    }

private:
    IniDocument m_ini;
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

void requireSection(const RecipeText &ini, QStringView section)
{
    // A part the status claims must be in the file.
    if (!ini.hasSection(section))
        damaged();
}

void readHops(const RecipeText &ini, QStringView section, const char *amountKey, bool atLeastOneRow,
              Table2D<QString> &hop)
{
    requireSection(ini, section);
    QString count = ini.value(section, "Aantal").trimmed();
    if (atLeastOneRow && num::val(count) < 1)
        count = QStringLiteral("1");
    const int k = lastRowIndex(count);
    hop.redim(k, 6);
    for (int i = 0; i <= k; ++i) {
        const int n = i + 1;
        hop(i, HopSoort) = ini.value(section, "Soort", n).trimmed();
        hop(i, HopHoedanigheid) = ini.value(section, "Hoedanigheid", n).trimmed();
        hop(i, HopAlfazuur) = ini.value(section, "Alfazuur", n).trimmed();
        hop(i, HopGram) = ini.value(section, amountKey, n).trimmed();
        hop(i, HopKooktijd) = ini.value(section, "Kooktijd", n).trimmed();
        hop(i, HopGravity) = ini.value(section, "Gravity", n).trimmed();
    }
}

void readList(const RecipeText &ini, QStringView section, const char *key, bool db, Table1D<QString> &list)
{
    requireSection(ini, section);
    list.redim(10);
    for (int i = 0; i < (db ? 10 : 5); ++i)
        list(i) = ini.value(section, key, i + 1).trimmed();
}

// Fills `r` and `db` from the file; throws Damaged or CalcError.
// Returns whether the targets named a brew mode.
bool parseRecipe(const RecipeText &ini, RecipeState &r, bool &db)
{
    // Empty files, garbage and other files have none of a recipe's sections;
    // a file without its status section reads as a recipe without parts.
    static const char *const recipeSections[] = {
        "ReceptStatus", "Mostarium_Version", "Algemeen",          "Doelstellingen", "Storting",     "Maischschema",
        "Spoelen",      "Aromahop",          "Bitterhop",         "Aromahop2",      "Bitterhop2",   "Gistkeuze",
        "Toevoegingen", "Evaluatie",         "SysteemParameters", "Kenmerken",      "Aantekeningen"};
    if (std::none_of(std::begin(recipeSections), std::end(recipeSections),
                     [&](const char *name) { return ini.hasSection(QString::fromLatin1(name)); }))
        damaged();
    r.ReceptStatus = num::toInt16(num::val(ini.value(u"ReceptStatus", "Status", QStringLiteral("0")).trimmed()));

    if (r.hasStatus(StatusAlgemeen)) {
        requireSection(ini, u"Algemeen");
        r.Algemeen.redim(7);
        r.Algemeen(0) = ini.value(u"Algemeen", "Biernaam");
        for (int i = 1; i <= 5; ++i)
            r.Algemeen(i) = ini.value(u"Algemeen", "Brouwer", i);
        r.Algemeen(6) = ini.value(u"Algemeen", "Brouwdatum");
        r.Algemeen(7) = ini.value(u"Algemeen", "Botteldatum");
    }

    const bool brouwGelezen = r.hasStatus(StatusDoelstellingen);
    if (brouwGelezen) {
        requireSection(ini, u"Doelstellingen");
        const QString brouw = ini.value(u"Doelstellingen", "Brouw").trimmed();
        const bool enkel = brouw.contains(u"Enkel");
        // Targets without a brew mode (a hand-edited "enkel") cannot be read,
        // and dropping them would lose them at the next save.
        if (!enkel && !brouw.contains(u"Dubbel"))
            damaged();
        db = !enkel;
        r.Doelstellingen.redim(db ? 10 : 5);
        r.Biersoort1 = ini.value(u"Doelstellingen", "Biersoort1").trimmed();
        for (int i = 0; i < 5; ++i)
            r.Doelstellingen(1 + i) = leadingSingle(ini.value(u"Doelstellingen", TargetKeys[i], 1).trimmed());
        if (db) {
            r.Biersoort2 = ini.value(u"Doelstellingen", "Biersoort2").trimmed();
            for (int i = 0; i < 5; ++i)
                r.Doelstellingen(6 + i) = leadingSingle(ini.value(u"Doelstellingen", TargetKeys[i], 2).trimmed());
        }
    }

    if (r.hasStatus(StatusStorting)) {
        requireSection(ini, u"Storting");
        const int k = lastRowIndex(ini.value(u"Storting", "Aantal").trimmed());
        r.Storting.redim(k, 4);
        for (int i = 0; i <= k; ++i) {
            const int n = i + 1;
            r.Storting(i, StIngred) = ini.value(u"Storting", "Ingred", n).trimmed();
            r.Storting(i, StPerc) = ini.value(u"Storting", "Perc", n).trimmed();
            r.Storting(i, StBZR) = ini.value(u"Storting", "BZR", n).trimmed();
            r.Storting(i, StEBC) = ini.value(u"Storting", "EBC", n).trimmed();
            r.Storting(i, StLaat) = ini.value(u"Storting", "Laat", n).trimmed();
        }
    }

    if (r.hasStatus(StatusMaischschema)) {
        requireSection(ini, u"Maischschema");
        const int n = num::toInt32(num::val(ini.value(u"Maischschema", "AantalRusten").trimmed()));
        if (n < 0 || n > MaxRecipeRows)
            damaged();
        auto &m = r.Maischschema;
        m.redim(n, 4);
        auto get = [&](const char *key) { return leadingSingle(ini.value(u"Maischschema", key).trimmed()); };
        m(0, 0) = get("Beslaan");
        m(0, 1) = get("pH");
        m(0, 2) = get("TempDecoctieStap");
        m(0, 3) = get("TempBrouwWater");
        m(0, 4) = get("TijdDecoctieStap");
        if (m(0, 2) > 0 && m(0, 3) > 0)
            r.ViaDecoctie = true;
        for (int i = 1; i <= n; ++i) {
            m(i, 0) = leadingSingle(ini.value(u"Maischschema", "Temp", i).trimmed());
            m(i, 1) = leadingSingle(ini.value(u"Maischschema", "Tijd", i).trimmed());
        }
    }

    const float spoelenTot = leadingSingle(ini.value(u"Spoelen", "SpoelenTot", QStringLiteral("3")).trimmed());
    r.SpoelenTot = spoelenTot < 3 ? 3.0f : spoelenTot;

    if (r.hasStatus(StatusHopgift)) {
        readHops(ini, u"Aromahop", "Gram", true, r.Aromahop);
        readHops(ini, u"Bitterhop", "PercBitterheid", false, r.Bitterhop);
    }
    if (r.hasStatus(StatusHopgift2)) {
        readHops(ini, u"Aromahop2", "Gram", false, r.Aromahop2);
        readHops(ini, u"Bitterhop2", "PercBitterheid", false, r.Bitterhop2);
    }
    if (r.hasStatus(StatusGistkeuze))
        readList(ini, u"Gistkeuze", "Gist", db, r.Gistkeuze);
    if (r.hasStatus(StatusToevoegingen))
        readList(ini, u"Toevoegingen", "Toevoeging", db, r.Toevoegingen);

    if (r.hasStatus(StatusEvaluatie)) {
        requireSection(ini, u"Evaluatie");
        r.Evaluatie.redim(2, db ? 1 : 0);
        r.Evaluatie(0, 0) = ini.value(u"Evaluatie", "Volume").trimmed();
        r.Evaluatie(1, 0) = ini.value(u"Evaluatie", "OG").trimmed();
        r.Evaluatie(2, 0) = ini.value(u"Evaluatie", "FG").trimmed();
        if (db) {
            r.Evaluatie(0, 1) = ini.value(u"Evaluatie", "Volume2").trimmed();
            r.Evaluatie(1, 1) = ini.value(u"Evaluatie", "OG2").trimmed();
            r.Evaluatie(2, 1) = ini.value(u"Evaluatie", "FG2").trimmed();
        }
    }

    // The file keeps the first beer's targets and measured values also where
    // the second beer of a double brew has none; the window then shows no
    // second-beer schedule, as after a switch to double brew.
    if (db)
        firstBeerValues::clearWithoutSecondBeer(r, StatusDoelstellingen | StatusEvaluatie);

    r.Aantekening = ini.value(u"Aantekeningen", "Aantekening");
    r.InRecept = num::toInt16(num::val(ini.value(u"Aantekeningen", "InRecept").trimmed()));

    for (int i = 0; i < KenmerkenCount; ++i)
        r.Kenmerken[i] = ini.value(u"Kenmerken", KenmerkenKeys[i]);

    return brouwGelezen;
}

QString fileNamePart(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

OpenResult failOpen(Session &s, const QString &error = OpenReceptFout)
{
    // Nothing half-read stays, and no file is attached to the empty recipe.
    ResetReceptState(s);
    s.recipe.ReceptAttr = 0;
    s.app.fileName.clear();
    s.app.fileSeen = {};
    s.view.panels[7].text.clear();
    s.viewChanged();
    OpenResult res;
    res.error = error;
    return res;
}

OpenResult parseInto(Session &s, QByteArrayView bytes, const QString &path, std::int32_t attr)
{
    const QString name = fileNamePart(path);
    if (bytes.size() > MaxRecipeFileSize)
        return failOpen(s, openTooLargeText(name));
    if (name.size() < 4 || bytes.contains('\0'))
        return failOpen(s);

    RecipeState r = s.recipe;  // the emptied recipe with the installation's parameters
    bool db = s.app.dubbelBrouw;
    try {
        const RecipeText ini(bytes);
        const bool brouwGelezen = parseRecipe(ini, r, db);
        r.ReceptAttr = attr;
        r.ReceptNaam = name.left(name.size() - 4);
        s.recipe = std::move(r);
        s.app.dubbelBrouw = db;
        s.recipeChanged();
        s.appChanged();

        if (s.recipe.hasStatus(StatusAlgemeen)) {
            s.view.fraBrouwSchema.caption = s.recipe.Algemeen(0) + QStringLiteral(" Brouwschema ");
            s.view.fraEvaluatie.caption = s.recipe.Algemeen(0) + QStringLiteral(" Evaluatie ");
        }
        s.viewChanged();

        OpenResult res;
        res.ok = true;
        res.brouwGelezen = brouwGelezen;
        res.systeemParametersVerschillen =
            ReadReceptSysteemParameters(s.recipe, [&](const QString &key, const QString &def) {
                return ini.value(u"SysteemParameters", key, def);
            });
        return res;
    } catch (const Damaged &) {
    } catch (const CalcError &) {
    }
    return failOpen(s);
}

bool isReadOnly(const QFileInfo &fi) { return fi.exists() && !(fi.permissions() & QFileDevice::WriteOwner); }

}  // namespace

QString openTooLargeText(const QString &name)
{
    return QStringLiteral("Fout in openen recept!\r\n") + refusedFileText(name, FileRead::TooLarge, MaxRecipeFileSize);
}

OpenResult readRecipe(Session &s, QByteArrayView bytes, const QString &path)
{
    ResetReceptState(s);
    return parseInto(s, bytes, path, 0);
}

OpenResult readRecipeFile(Session &s, const QString &path)
{
    ResetReceptState(s);
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxRecipeFileSize, bytes);
    if (read == FileRead::TooLarge)
        return failOpen(s, openTooLargeText(fileNamePart(path)));
    // A folder or a pipe is named as such; it is no damaged recipe.
    if (read == FileRead::Folder || read == FileRead::NotRegular)
        return failOpen(s, refusedFileText(QDir::toNativeSeparators(path), read));
    if (read != FileRead::Ok)
        return failOpen(s);
    OpenResult res = parseInto(s, bytes, path, isReadOnly(QFileInfo(path)) ? 1 : 0);
    if (res.ok)
        s.app.fileSeen = FileSeen::of(path, bytes);
    return res;
}

}  // namespace mostarium

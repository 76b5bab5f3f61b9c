#include "RecipeFileWriter.h"

#include "CalcError.h"
#include "Cp1252.h"
#include "NumText.h"
#include "RecipeFile.h"
#include "Revision.h"
#include "Session.h"
#include "WholeFile.h"

#include <QIODevice>

namespace mostarium {

namespace {

// The targets of one beer, followed by the beer's number in the file.
constexpr const char *TargetKeys[5] = {"Volume", "AlcPerc", "FG", "EBU", "Koolzuur"};

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

}  // namespace

int recipeFileStatus(const RecipeState &r) { return r.ReceptStatus | firstBeerValues::fileBits(r); }

namespace {

QString recipeText(const Session &s)
{
    const RecipeState &r = s.recipe;
    const bool db = s.app.dubbelBrouw;
    const int status = recipeFileStatus(r);
    const auto claims = [status](int bit) { return (status & bit) != 0; };
    QString o;
    o.reserve(4096);
    Writer w(o);

    w.section(u"Mostarium_Version");
    w.text(u"Versie", QStringLiteral("Mostarium ") + (r.Revision.isEmpty() ? GetRevision() : r.Revision));
    w.end();

    w.section(u"ReceptStatus");
    w.integer(u"Status", status);
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

    if (claims(StatusDoelstellingen)) {
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

    if (claims(StatusEvaluatie)) {
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

}  // namespace

QByteArray recipeFileBytes(const Session &s) { return cp1252::encode(recipeText(s)); }

RecipeBytes recipeFileToWrite(const Session &s, QByteArray &bytes, QString *error)
{
    try {
        bytes = recipeFileBytes(s);
    } catch (const CalcError &) {
        if (error)
            *error = QStringLiteral("het recept heeft een onvolledig deel of een waarde die geen getal is");
        return RecipeBytes::Unwritable;
    }
    // A file the reader would refuse is not written: it could never be opened.
    if (bytes.size() > MaxRecipeFileSize) {
        if (error)
            *error = recipeTooLargeReason();
        return RecipeBytes::TooLarge;
    }
    return RecipeBytes::Made;
}

bool writeRecipe(const Session &s, QIODevice &device, QString *error)
{
    QByteArray bytes;
    if (recipeFileToWrite(s, bytes, error) != RecipeBytes::Made)
        return false;
    if (device.write(bytes) != bytes.size()) {
        if (error)
            *error = device.errorString();
        return false;
    }
    return true;
}

bool writeRecipeFile(const Session &s, const QString &path, QString *error)
{
    QByteArray bytes;
    return recipeFileToWrite(s, bytes, error) == RecipeBytes::Made && writeWholeFile(path, bytes, error);
}

}  // namespace mostarium

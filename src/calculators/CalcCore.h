#pragma once

#include "core/RecipeState.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The calculators' computations and reports, without a window: the dialogs
// read their boxes, call these and show what comes back.
namespace mostarium::calc {

// lower < x <= upper, the calculators' range rule.
inline bool inRange(double x, double lower, double upper) { return x > lower && x <= upper; }
// The same for a box's text: its leading number, as the recipe dialogs read
// it (num::leadingNumber), within (lower, upper]. A number too large for a double
// lies in no range, so its box turns red.
bool inRange(const QString &text, double lower, double upper);

// A report in the program folder's temp: Windows-1252, every line ended by CR
// LF, written whole or not at all.
QString reportPath(const QString &fileName);
[[nodiscard]] bool writeReport(const QString &path, const QStringList &lines, QString *error = nullptr);
// Appends one line to a report, the file written whole again.
[[nodiscard]] bool appendReportLine(const QString &path, const QString &line, QString *error = nullptr);

// ---- Sugar units ----
enum Unit { GramPerLiter = 0, Density = 1, Plato = 2 };
const QStringList &unitCaptions();
bool conversieInputGood(int unit, double x);
// The converted value as shown; nullopt when the pair is no conversion.
std::optional<QString> converteer(int from, int to, double x);
// Whether a conversion goes into the log, and the line it writes.
bool conversieLogged(int from, double input, double output);
QString conversieLogLine(const QString &input, int from, const QString &output, int to);

// ---- Hop storage ----
struct HopOpslagInput {
    double alpha = 0, beta = 0, years = 0, temperature = 0;
    bool bloemen = false, vacuum = false, zuurstofwerend = false;
};
struct HopOpslagResult {
    double factor = 0, alphaNow = 0;
    QString factorText, alphaText;
};
HopOpslagResult hopOpslag(const HopOpslagInput &in);

// The prefix box refuses these nine characters.
bool prefixBad(const QString &prefix);
QString prefixFoutText();
QString prefixToolTip();

struct ReceptHop {
    QString entry;  // "Saaz (A)"
    QString form;   // Hoedanigheid as in the recipe
    QString alpha;  // Alfazuur as in the recipe
};
// Every named hop row of the recipe: aroma, bitter and, in a double brew, the
// second beer's lists.
std::vector<ReceptHop> receptHoppen(const RecipeState &r, bool dubbel);
// "Saaz (A)" -> "Saaz _".
QString prefixOfEntry(const QString &entry);
// 0 "bloemen", 1 "pellets", -1 neither, from the recipe's form text.
int formItem(const QString &form);

// ---- Priming sugar ----
// The wanted CO2 of the first beer as the box starts: empty when not set.
QString gewenstCO2Text(const RecipeState &r);

struct SuikerSiroopResult {
    QString suikerNodig, mlSiroop, grSiroop;
    std::array<QString, 4> gram, siroop;  // 300, 500, 750, 1000 mL
    enum class Vrij { Unchanged, Computed, TooLarge } vrij = Vrij::Unchanged;
    QString gramVrij, siroopVrij;  // when Computed
};
// P and W in g/L, V in litres, the free bottle size in mL: none (a number no
// double holds) is too large, as any size beyond the bound.
SuikerSiroopResult suikerSiroop(double present, double wanted, double volume, std::optional<double> freeMl);

// ---- Final volume after sparging ----
QString volumeText(float litres);  // "Volume (L):  20"
QString ogText(float og);          // "OG: 1060 kg/m3"
struct Bestemming {
    QString opVolume;  // " 20 L: 1057 kg/m3"
    QString opOG;      // "1060 kg/m3: 19 L"
};
// nullopt when the target volume, the extract it needs or the extract
// measured is not above 0: nothing sensible can be shown then.
std::optional<Bestemming> bestemming(float targetVolume, float targetOG, double measuredVolume, double measuredSG);

}  // namespace mostarium::calc

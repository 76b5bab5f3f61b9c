#pragma once

#include "core/RecipeLimits.h"
#include "core/RecipeState.h"
#include "output/XmlDocumentBounds.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace mostarium {

struct Session;

// The largest recipe exchange file we load: room for a thousand recipes and
// more, while the parse of the slowest file of that size (markup heavy with
// attributes) stays within about a second.
inline constexpr qint64 MaxXmlFileSize = 16 * 1024 * 1024;

// The deepest nesting of elements we read; the recipe format needs six.
inline constexpr int MaxXmlDepth = 64;

// The most elements the recipe read may hold; one with 200 hops holds some
// 2,000.
inline constexpr int MaxXmlRecipeElements = 10000;

// The message of an import that stopped half-way.
extern const QString XmlImportFoutmelding;

// A recipe read from an exchange file: the parts the import fills, built
// fresh so that a failure leaves the open recipe alone.
struct XmlRecipe {
    std::int16_t ReceptStatus = 0;
    Table1D<QString> Algemeen;
    Table1D<float> Doelstellingen;
    Table2D<QString> Storting;
    Table2D<float> Maischschema;
    Table2D<QString> Aromahop, Bitterhop;
    Table1D<QString> Gistkeuze, Toevoegingen;
    Table2D<QString> Evaluatie;
    QString Aantekening;
};

struct XmlImportResult {
    enum class Outcome { Ok, LoadFailed, Failed };
    Outcome outcome = Outcome::Failed;
    QString message;      // the message to show when not Ok
    XmlRecipe recipe;     // whole only when Ok
    QStringList notices;  // when Ok: what the brewer should know, one paragraph each
    // When Ok: the file's values no fermentable has, which the recipe took
    // as they stand (a YIELD in points per pound).
    std::vector<OutOfRange> fileValues;
    // When Ok: the aroma rows that hold the file's dry hops.
    std::vector<int> dryHopRows;

    bool ok() const { return outcome == Outcome::Ok; }
};

// The rest a recipe gets when its file gives no mash step (an extract recipe,
// say): one infusion at the temperature and time most single-infusion
// recipes use, so that the schedule can be computed.
inline constexpr float DefaultRestTemp = 66, DefaultRestTime = 60;

// The most recipes left out of a file that the import's message names; of
// any more it gives their number.
inline constexpr int MaxNamedRecipes = 10;

// The rows the recipe holds of what a file may list without end: the grain
// bill's ten, the mash-in step and six rests, the five yeasts and five
// additions of a single brew that the dialogs show and Save keeps.
inline constexpr int MaxGrainRows = 10, MaxMashSteps = 7, MaxEntries = 5;

// The most rows of one kind left out of the recipe that the import's message
// names; of any more it gives their number.
inline constexpr int MaxNamedRows = 10;

// Reads the first RECIPE of the document (any depth). `url` names the file
// in the load message, which also refuses a document nested deeper than
// MaxXmlDepth, past the bounds of xmlBoundsRefusal (attributes, entities,
// parameter entities) or with a recipe of more than MaxXmlRecipeElements
// elements. A recipe that cannot be imported fails with
// XmlImportFoutmelding and a line that names the reason. A file without
// OBJECTIVES (written by another program) gives its grain's laboratory yield
// and its brewhouse EFFICIENCY: the grain bill takes their product, sugar and
// extract their yield alone. The notices name what was not taken as the file
// meant it: the recipes after the first, a missing or unusable efficiency, a
// mash without steps (given one rest of DefaultRestTemp for DefaultRestTime),
// and each row the recipe has no room for: fermentables past MaxGrainRows,
// mash steps past MaxMashSteps or without a temperature or time, hops beyond
// four of a kind, yeasts and additions past MaxEntries; and the dry hops.
XmlImportResult importXmlRecipe(QByteArrayView bytes, const QString &url);
// The same from a file: a missing, irregular or too large file gets the
// load message.
XmlImportResult importXmlFile(const QString &path);

// The message that refuses an imported recipe whose recipe file, written from
// the `open` session as the import leaves it, would be larger than
// MaxRecipeFileSize: such a recipe could not be saved and opened again. None
// when it fits.
std::optional<QString> recipeFileRefusal(const Session &open, const XmlRecipe &x, const QString &url);

// The import's "Attentie!" message for the recipe `r` as the import left it
// (recalculated): the notices, then the values outside their dialog's range
// or outside what a malt has. Empty when there is nothing to say. A dry hop's
// empty boil time is said with the dry hops, not listed as out of range.
QString importNotice(const XmlImportResult &imp, const RecipeState &r);

// Puts the imported parts into the (reset) session as a single brew, with
// the frame captions; the rest of the recipe stays as the reset left it.
void applyXmlRecipe(Session &s, const XmlRecipe &x);

}  // namespace mostarium

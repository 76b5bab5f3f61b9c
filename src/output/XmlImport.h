#pragma once

#include "core/RecipeState.h"
#include "output/XmlDocumentBounds.h"

#include <QByteArray>
#include <QString>

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
    QString message;   // the message to show when not Ok
    XmlRecipe recipe;  // whole only when Ok

    bool ok() const { return outcome == Outcome::Ok; }
};

// Reads the first RECIPE of the document (any depth). `url` names the file
// in the load message, which also refuses a document nested deeper than
// MaxXmlDepth, past the bounds of xmlBoundsRefusal (attributes, entities,
// parameter entities) or with a recipe of more than MaxXmlRecipeElements
// elements. Notes larger than MaxRecipeFileSize fail the import with a
// message that says so: such a recipe could not be saved and opened again.
XmlImportResult importXmlRecipe(QByteArrayView bytes, const QString &url);
// The same from a file: a missing, irregular or too large file gets the
// load message.
XmlImportResult importXmlFile(const QString &path);

// Puts the imported parts into the (reset) session as a single brew, with
// the frame captions; the rest of the recipe stays as the reset left it.
void applyXmlRecipe(Session &s, const XmlRecipe &x);

}  // namespace mostarium

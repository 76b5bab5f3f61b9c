#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// The recipe file as the program writes it.
namespace mostarium {

struct Session;
struct RecipeState;

// The status the file carries: the recipe's bits, and the targets and
// measured values of the first beer wherever the recipe holds them (a switch
// to double brew clears their bits while the second beer has none).
int recipeFileStatus(const RecipeState &r);

// The complete file as it is written. Throws CalcError when the state cannot
// be written (a part whose bit is set lacks its entries, a value that is not
// a finite number).
QByteArray recipeFileBytes(const Session &s);

// What became of the complete file made for writing.
enum class RecipeBytes {
    Made,
    Unwritable,  // the state cannot be written (recipeFileBytes threw)
    TooLarge,    // larger than the reader takes (MaxRecipeFileSize): it would not open again
};
// The complete file into `bytes`, as every writer of a recipe file takes it;
// anything but Made puts the reason in `error`, and nothing may be written.
RecipeBytes recipeFileToWrite(const Session &s, QByteArray &bytes, QString *error = nullptr);

// Writes the complete file to a device; false with a reason when the state
// cannot be written, the file would be larger than the reader takes
// (MaxRecipeFileSize: nothing is written then) or the device fails.
[[nodiscard]] bool writeRecipe(const Session &s, QIODevice &device, QString *error = nullptr);

// Replaces `path` by the complete file, whole or not at all; a read-only file,
// and any file when the recipe's would be larger than MaxRecipeFileSize, is
// left alone. Touches nothing in the session.
[[nodiscard]] bool writeRecipeFile(const Session &s, const QString &path, QString *error = nullptr);

}  // namespace mostarium

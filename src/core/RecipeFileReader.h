#pragma once

#include <QByteArray>
#include <QString>

// Reading a recipe file into the session: all or nothing.
namespace mostarium {

struct Session;

struct OpenResult {
    bool ok = false;
    QString error;              // OpenReceptFout, openTooLargeText, or the refusal of a folder or a pipe, when !ok
    bool brouwGelezen = false;  // the targets named a brew mode: lay the window out
    bool systeemParametersVerschillen = false;  // ask the system-parameter question
};

// Reads a recipe file into the session. The recipe is emptied first
// (ResetReceptState) and filled only when the whole file reads well; the brew
// mode (s.app.dubbelBrouw) follows the file's targets, the frame captions the
// beer name, and the six stored system parameters are read and compared.
// On a damaged or missing file the result carries OpenReceptFout (a file
// above MaxRecipeFileSize openTooLargeText, which says so) and the
// session holds an empty recipe with no file: s.app.fileName and panel 8 are
// cleared, so a later save cannot write over the file. Only a regular file
// of at most MaxRecipeFileSize is opened; a folder or a pipe at the path
// gets its refusal ("<path> is een map en wordt niet gelezen!") instead.
// The bytes read become s.app.fileSeen, what a later save compares the file
// on disk with.
//
// The window layer completes the open: show the message when !ok; otherwise
// lay the window out for the brew mode when brouwGelezen, ask the question
// when systeemParametersVerschillen, then ShowBrouwschema when ReceptStatus
// is above 0 (see OpenRecept in the main window).
OpenResult readRecipeFile(Session &s, const QString &path);

// The same over bytes already read; `path` gives the recipe's name.
OpenResult readRecipe(Session &s, QByteArrayView bytes, const QString &path);

}  // namespace mostarium

#pragma once

#include <QString>

// Every file the program keeps lives under its program folder: the folder
// named by MOSTARIUM_HOME, else the folder of the executable.
namespace mostarium::paths {

QString programFolder();
// Tests and the start-up point it elsewhere.
void setProgramFolder(const QString &folder);

// Program folder + a relative path written with "\" or "/" in any letter case
// of the known data folders ("\temp\Kenmerken.ini", "sounds\exit.wav"); the
// folder part is mapped onto its one canonical spelling.
QString file(const QString &relative);

// The program's settings file, ZYM.ini in the program folder.
QString zymIni();

// file(relative) as a message names it, with the system's folder separator.
QString shownFile(const QString &relative);
// "Bestand <path> niet gevonden!", the path with the system's separator:
// what opening a recipe that is gone says.
QString fileNotFoundText(const QString &path);

// A file of the program folder named `relative`, its name matched in any
// letter case ("Biersoorten.txt" finds "BierSoorten.txt"): the path of the
// regular file found, else an empty text.
QString existingFile(const QString &relative);

// Makes the folder that holds `path` (with its parents) when it is missing:
// start-up makes the data folders, but a brewer may have removed one since.
void makeFolderOf(const QString &path);

// True when both paths name the same file, neither of them empty.
bool sameFile(const QString &a, const QString &b);

// The canonical data folders, in the order start-up creates them.
const QStringList &dataFolders();

// A bare, safe file name made of user text: no folder separators, no
// characters that a file system refuses, never empty, never "." or "..".
QString safeFileName(const QString &text);

// The sparge-curve picture of a beer, "temp\Spoelcurve_<beer>.bmp": the sparge
// dialog writes it, the report inserts it. The beer name is trimmed and made
// a safe bare name.
QString spoelcurveFile(const QString &beerName);

}  // namespace mostarium::paths

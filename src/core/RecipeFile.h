#pragma once

#include "WholeFile.h"

#include <QString>

// The recipe file (".zlv"): sectioned key=value text, Windows-1252, CR LF.
// The writer produces the whole file from the recipe state (main part, the
// tasting words, the notes), the reader fills the recipe state from it, the
// save runs the writer as the file commands need it.
namespace mostarium {

inline const QString OpenReceptFout = QStringLiteral("Fout in openen recept! Controleer inhoud bestand!");
inline const QString OpslaanFout = QStringLiteral(
    "Er is een fout opgetreden tijdens het opslaan van het bestand!\r\nControleer recept en/of maak opnieuw.");
inline const QString XmlOpslaanTitel = QStringLiteral("Mostarium Alert!");
inline const QString XmlOpslaanVraag = QStringLiteral(
    "Attentie!!\r\n\r\nHet .xml recept wordt als .zlv bestand opgeslagen!\r\nIndien U het recept als .xml file wilt "
    "exporteren, annuleer deze opslag en gebruik Bestand - Afdrukken/Exporteren - Exporteer als .xml");

// The seven keys of [Kenmerken], in the order of RecipeState::Kenmerken.
inline constexpr const char *KenmerkenKeys[7] = {"Kleur", "Helderheid", "Schuim",  "SchuimStabiliteit",
                                                 "Body",  "Mondgevoel", "Koolzuur"};

// Largest file and largest row count the reader accepts. The writer, every
// key written into a recipe file and the XML import refuse a recipe whose
// file would be larger, so that every recipe the program saves opens again.
inline constexpr qint64 MaxRecipeFileSize = MaxTextFileSize;
inline constexpr int MaxRecipeRows = 100;

// The reader's message for a file above MaxRecipeFileSize (`name` without folder).
QString openTooLargeText(const QString &name);
// The save's message for a recipe whose file would be above it; nothing was
// written to `path`.
QString saveTooLargeText(const QString &path);
// Why a write into a recipe file is refused when the file would grow above
// MaxRecipeFileSize, as notWrittenText takes a reason.
QString recipeTooLargeReason();

// The save's message for a failed write: OpslaanFout, then the file and the
// reason (notWrittenText).
QString saveFailedText(const QString &path, const QString &reason);
// Asked before a save replaces a recipe file that changed on disk since this
// program read or wrote it.
QString changedOnDiskQuestion(const QString &path);

}  // namespace mostarium

#include "RecipeFileReader.h"
#include "RecipeFileSave.h"
#include "RecipeFileWriter.h"

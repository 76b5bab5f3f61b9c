#include "RecipeFileSave.h"

#include "Ini.h"
#include "Paths.h"
#include "RecipeFile.h"
#include "RecipeFileWriter.h"
#include "Services.h"
#include "Session.h"
#include "WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <algorithm>

namespace mostarium {

namespace {

QString fileNamePart(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

}  // namespace

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

QString saveTooLargeText(const QString &path)
{
    return QStringLiteral("Het recept is te groot om op te slaan: als bestand zou het groter worden dan ")
           + sizeText(MaxRecipeFileSize)
           + QStringLiteral(", en zo'n receptbestand kan niet meer worden geopend.\r\nMaak bijvoorbeeld de "
                            "aantekeningen korter. Er is niets opgeslagen in ")
           + QDir::toNativeSeparators(path) + QStringLiteral(".");
}

QString recipeTooLargeReason()
{
    return QStringLiteral("het receptbestand zou groter worden dan ") + sizeText(MaxRecipeFileSize)
           + QStringLiteral(" en dan niet meer te openen zijn");
}

QString saveFailedText(const QString &path, const QString &reason)
{
    return OpslaanFout + QStringLiteral("\r\n\r\n") + notWrittenText(path, reason);
}

QString changedOnDiskQuestion(const QString &path)
{
    return QStringLiteral("Het bestand ") + QDir::toNativeSeparators(path)
           + QStringLiteral(" is gewijzigd sinds Mostarium het opende of opsloeg, bijvoorbeeld door een ander "
                            "programma of een tweede Mostarium.\r\nOverschrijven met het recept zoals het hier "
                            "open staat? Bij Nee wordt er niets opgeslagen.");
}

SaveResult SaveRecept(Session &s) { return SaveRecept(s, QString(s.app.fileName)); }

SaveResult SaveRecept(Session &s, QString confirmed)
{
    SaveResult res;
    // The recipe takes the ".zlv" name of an ".xml" file only once it was
    // written there.
    const QString asked = s.app.fileName;
    const auto end = [&](SaveOutcome outcome) {
        s.app.fileName = asked;
        res.outcome = outcome;
        return res;
    };
    if (hasXmlExtension(asked)) {
        if (services().msgBox(XmlOpslaanVraag, mb::OKCancel, XmlOpslaanTitel) != mb::OK)
            return end(SaveOutcome::Cancelled);
        s.app.fileName = zlvFileName(asked);
    }
    const QString path = s.app.fileName;

    QByteArray bytes;
    RecipeBytes made = RecipeBytes::Unwritable;
    {
        BusyCursor busy;
        made = recipeFileToWrite(s, bytes, &res.error);
    }
    if (made == RecipeBytes::TooLarge) {
        services().msgBox(saveTooLargeText(path), mb::OKOnly + mb::Exclamation, AppTitle);
        return end(SaveOutcome::Failed);
    }
    // Another file under a name the brewer did not choose, and the recipe's
    // own file when it changed on disk since this program read or wrote it
    // (another program, a second Mostarium), are replaced only when asked;
    // Nee ends the save as Cancel does.
    if (made == RecipeBytes::Made && !path.isEmpty()) {
        const bool chosen = paths::sameFile(path, confirmed);
        if (!chosen && !mayReplaceFile(path))
            return end(SaveOutcome::Cancelled);
        if (chosen && changedOnDisk(s.app.fileSeen, path, MaxRecipeFileSize)
            && !mayReplaceFile(path, changedOnDiskQuestion(path)))
            return end(SaveOutcome::Cancelled);
    }
    if (made == RecipeBytes::Made && path.isEmpty())
        res.error = QStringLiteral("er is geen bestandsnaam");

    bool written = false;
    {
        BusyCursor busy;
        written = made == RecipeBytes::Made && !path.isEmpty() && writeWholeFile(path, bytes, &res.error);
    }
    if (!written) {
        services().msgBox(saveFailedText(path, res.error), mb::OKOnly + mb::Exclamation, AppTitle);
        return end(SaveOutcome::Failed);
    }
    s.app.fileSeen = FileSeen::of(path, bytes);
    s.view.panels[7].text = path;
    s.viewChanged();
    s.recipe.ReceptGewijzigd = false;
    res.outcome = SaveOutcome::Saved;
    return res;
}

namespace {

// Keys set in the open recipe file, as the settings-file writer sets them
// (every line break a blank), the file replaced whole. Only an existing,
// writable file with the extension ".zlv" in any letter case is touched: an
// imported ".xml" file keeps its own contents. A file that would grow above
// MaxRecipeFileSize is left as it was: the reader would refuse it.
KeysSaved setRecipeFileKeys(Session &s, const QString &section, const QList<std::pair<QString, QString>> &keys,
                            QString *why)
{
    const auto failed = [why](const QString &reason) {
        if (why)
            *why = reason;
        return KeysSaved::Failed;
    };
    const QString path = s.app.fileName;
    if (!fileNamePart(path).endsWith(QStringLiteral(".zlv"), Qt::CaseInsensitive))
        return KeysSaved::NoFile;
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxRecipeFileSize, bytes);
    if (read == FileRead::Missing)
        return KeysSaved::NoFile;
    if (read != FileRead::Ok)
        return failed(readFailureText(read, MaxRecipeFileSize));
    QByteArray changed = bytes;
    for (const auto &[key, text] : keys) {
        QString value = text;
        for (QChar &c : value)
            if (c == u'\r' || c == u'\n')
                c = u' ';
        changed = iniWithValue(changed, section, key, value);
    }
    // A file that holds these values already is left alone (a read-only one
    // too): nothing was lost.
    if (changed == bytes)
        return KeysSaved::Written;
    if (changed.size() > MaxRecipeFileSize)
        return failed(recipeTooLargeReason());
    QString reason;
    if (!writeWholeFile(path, changed, &reason))
        return failed(reason);
    // What this program wrote is what it has seen of the file, when it had
    // seen the file as it was before: a change made by another program stays
    // one that a save asks about.
    if (s.app.fileSeen.isAt(path) && s.app.fileSeen.holds(bytes))
        s.app.fileSeen = FileSeen::of(s.app.fileSeen.path, changed);
    return KeysSaved::Written;
}

}  // namespace

KeysSaved SaveKenmerken(Session &s, QString *why)
{
    // The seven keys go in together.
    QList<std::pair<QString, QString>> keys;
    for (int i = 0; i < KenmerkenCount; ++i)
        keys.append({QString::fromLatin1(KenmerkenKeys[i]), s.recipe.Kenmerken[i]});
    return setRecipeFileKeys(s, QStringLiteral("Kenmerken"), keys, why);
}

KeysSaved SaveKenmerk(Session &s, int scale, QString *why)
{
    if (scale < 0 || scale >= KenmerkenCount)
        return KeysSaved::NoFile;
    return setRecipeFileKeys(s, QStringLiteral("Kenmerken"),
                             {{QString::fromLatin1(KenmerkenKeys[scale]), s.recipe.Kenmerken[scale]}}, why);
}

KeysSaved SaveAantekeningen(Session &s, QString *why)
{
    return setRecipeFileKeys(
        s, QStringLiteral("Aantekeningen"),
        {{QStringLiteral("Aantekening"), s.recipe.Aantekening},
         {QStringLiteral("InRecept"), s.recipe.InRecept == 1 ? QStringLiteral("1") : QStringLiteral("0")}},
        why);
}

}  // namespace mostarium

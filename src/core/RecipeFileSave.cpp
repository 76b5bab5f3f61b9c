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
    // Another file under a name the brewer did not choose is replaced only
    // when asked; Nee ends the save as Cancel does.
    if (made == RecipeBytes::Made && !path.isEmpty() && !paths::sameFile(path, confirmed) && !mayReplaceFile(path))
        return end(SaveOutcome::Cancelled);

    bool written = false;
    {
        BusyCursor busy;
        written = made == RecipeBytes::Made && !path.isEmpty() && writeWholeFile(path, bytes, &res.error);
    }
    if (!written) {
        services().msgBox(OpslaanFout, mb::OKOnly + mb::Exclamation, AppTitle);
        return end(SaveOutcome::Failed);
    }
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
// imported ".xml" file keeps its own contents.
KeysSaved setRecipeFileKeys(const Session &s, const QString &section, const QList<std::pair<QString, QString>> &keys)
{
    const QString path = s.app.fileName;
    if (!fileNamePart(path).endsWith(QStringLiteral(".zlv"), Qt::CaseInsensitive))
        return KeysSaved::NoFile;
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxRecipeFileSize, bytes);
    if (read == FileRead::Missing)
        return KeysSaved::NoFile;
    if (read != FileRead::Ok)
        return KeysSaved::Failed;
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
    return writeWholeFile(path, changed) ? KeysSaved::Written : KeysSaved::Failed;
}

}  // namespace

KeysSaved SaveKenmerken(const Session &s)
{
    // The seven keys go in together.
    QList<std::pair<QString, QString>> keys;
    for (int i = 0; i < KenmerkenCount; ++i)
        keys.append({QString::fromLatin1(KenmerkenKeys[i]), s.recipe.Kenmerken[i]});
    return setRecipeFileKeys(s, QStringLiteral("Kenmerken"), keys);
}

KeysSaved SaveKenmerk(const Session &s, int scale)
{
    if (scale < 0 || scale >= KenmerkenCount)
        return KeysSaved::NoFile;
    return setRecipeFileKeys(s, QStringLiteral("Kenmerken"),
                             {{QString::fromLatin1(KenmerkenKeys[scale]), s.recipe.Kenmerken[scale]}});
}

KeysSaved SaveAantekeningen(const Session &s)
{
    return setRecipeFileKeys(
        s, QStringLiteral("Aantekeningen"),
        {{QStringLiteral("Aantekening"), s.recipe.Aantekening},
         {QStringLiteral("InRecept"), s.recipe.InRecept == 1 ? QStringLiteral("1") : QStringLiteral("0")}});
}

}  // namespace mostarium

#include "RecipeFileSave.h"

#include "Ini.h"
#include "RecipeFile.h"
#include "RecipeFileWriter.h"
#include "Services.h"
#include "Session.h"
#include "WholeFile.h"

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

SaveResult SaveRecept(Session &s)
{
    SaveResult res;
    if (hasXmlExtension(s.app.fileName)) {
        if (services().msgBox(XmlOpslaanVraag, mb::OKCancel, XmlOpslaanTitel) != mb::OK) {
            res.outcome = SaveOutcome::Cancelled;
            return res;
        }
        s.app.fileName = zlvFileName(s.app.fileName);
    }

    bool written = false;
    {
        BusyCursor busy;
        written = !s.app.fileName.isEmpty() && writeRecipeFile(s, s.app.fileName, &res.error);
    }
    if (!written) {
        services().msgBox(OpslaanFout, mb::OKOnly + mb::Exclamation, AppTitle);
        res.outcome = SaveOutcome::Failed;
        return res;
    }
    s.view.panels[7].text = s.app.fileName;
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

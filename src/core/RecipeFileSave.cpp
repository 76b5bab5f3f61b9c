#include "RecipeFileSave.h"

#include "Ini.h"
#include "RecipeFile.h"
#include "RecipeFileWriter.h"
#include "Services.h"
#include "Session.h"
#include "WholeFile.h"

#include <QFileInfo>
#include <algorithm>

namespace mostarium {

namespace {

QString fileNamePart(const QString &path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return path.mid(cut + 1);
}

} // namespace

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

bool SaveKenmerken(const Session &s)
{
    const QString path = s.app.fileName;
    if (!path.endsWith(QStringLiteral(".zlv"), Qt::CaseInsensitive))
        return false;
    QByteArray bytes;
    if (readWholeFile(path, MaxRecipeFileSize, bytes) != FileRead::Ok)
        return false;
    // The seven keys go in together: set in memory, then the file is replaced whole.
    for (int i = 0; i < KenmerkenCount; ++i) {
        QString value = s.recipe.Kenmerken[i];
        for (QChar &c : value)
            if (c == u'\r' || c == u'\n')
                c = u' ';
        const QString key = QString::fromLatin1(KenmerkenKeys[i]);
        bytes = iniWithValue(bytes, QStringLiteral("Kenmerken"), key, value);
    }
    return writeWholeFile(path, bytes);
}

} // namespace mostarium

#include "Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace mostarium::paths {

namespace {
QString &folderOverride()
{
    static QString folder;
    return folder;
}
}  // namespace

QString programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString env = qEnvironmentVariable("MOSTARIUM_HOME");
    if (!env.isEmpty())
        return QDir::cleanPath(env);
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramFolder(const QString &folder) { folderOverride() = QDir::cleanPath(folder); }

void makeFolderOf(const QString &path) { QDir().mkpath(QFileInfo(path).absolutePath()); }

bool sameFile(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty() && QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

const QStringList &dataFolders()
{
    static const QStringList folders = {QStringLiteral("Documentatie"),  QStringLiteral("Recepten"),
                                        QStringLiteral("Sounds"),        QStringLiteral("temp"),
                                        QStringLiteral("Templates"),     QStringLiteral("URLs"),
                                        QStringLiteral("WaterProfielen")};
    return folders;
}

QString file(const QString &relative)
{
    QString rel = relative;
    rel.replace(u'\\', u'/');
    QStringList parts = rel.split(u'/', Qt::SkipEmptyParts);
    static const QStringList others = {QStringLiteral("Help"), QStringLiteral("Achtergronden"),
                                       QStringLiteral("Afbeeldingen")};
    if (parts.size() > 1) {
        for (const QString &known : dataFolders() + others) {
            if (parts[0].compare(known, Qt::CaseInsensitive) == 0) {
                parts[0] = known;
                break;
            }
        }
    }
    return programFolder() + u'/' + parts.join(u'/');
}

QString existingFile(const QString &relative)
{
    const QString exact = file(relative);
    if (QFileInfo(exact).isFile())
        return exact;
    // The names have been written in more than one letter case over the years.
    const QFileInfo wanted(exact);
    const QDir dir = wanted.dir();
    const QStringList found = dir.entryList({wanted.fileName()}, QDir::Files);
    for (const QString &name : found)
        if (name.compare(wanted.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return {};
}

QString safeFileName(const QString &text)
{
    QString out;
    for (QChar c : text.trimmed()) {
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c))
            out += u'_';
        else
            out += c;
    }
    while (out.startsWith(u'.'))
        out.remove(0, 1);
    out = out.trimmed();
    if (out.isEmpty())
        out = QStringLiteral("recept");
    return out.left(120);
}

QString spoelcurveFile(const QString &beerName)
{
    return file(QStringLiteral("temp/Spoelcurve_") + safeFileName(beerName.trimmed()) + QStringLiteral(".bmp"));
}

QString zymIni() { return file(QStringLiteral("ZYM.ini")); }

QString shownFile(const QString &relative) { return QDir::toNativeSeparators(file(relative)); }

QString fileNotFoundText(const QString &path)
{
    return QStringLiteral("Bestand ") + QDir::toNativeSeparators(path) + QStringLiteral(" niet gevonden!");
}

}  // namespace mostarium::paths

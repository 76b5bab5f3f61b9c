#include "TempProgramFolder.h"

#include "core/Paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace mostarium::test {

namespace {
void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        // Tests start from no settings file unless they write one.
        if (QDir(from).relativeFilePath(src) == QLatin1String("ZYM.ini"))
            continue;
        const QString dst = to + u'/' + QDir(from).relativeFilePath(src);
        QDir().mkpath(QFileInfo(dst).path());
        QFile::copy(src, dst);
    }
}
}  // namespace

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
    ASSERT_EQ(f.write(bytes), bytes.size()) << qPrintable(path);
}

QString resourcesFolder()
{
    const QString env = qEnvironmentVariable("MOSTARIUM_RESOURCES");
    return env.isEmpty() ? QStringLiteral(MOSTARIUM_SOURCE_DIR "/resources") : env;
}

QString styleDatabase() { return QStringLiteral(MOSTARIUM_STYLE_DATABASE); }

TempProgramFolder::TempProgramFolder(bool withResources)
{
    m_old = paths::programFolder();
    if (withResources) {
        copyTree(resourcesFolder(), m_dir.path());
        // The style database is made by the build, as in the program folder.
        QFile::copy(styleDatabase(), m_dir.path() + QStringLiteral("/Biertypen.mdb"));
    }
    paths::setProgramFolder(m_dir.path());
}

TempProgramFolder::~TempProgramFolder() { paths::setProgramFolder(m_old); }

QString TempProgramFolder::file(const QString &relative) const { return m_dir.path() + u'/' + relative; }

}  // namespace mostarium::test

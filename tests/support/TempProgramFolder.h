#pragma once

#include "QtPrint.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace mostarium::test {

// A temporary copy of the program folder's data, made the program folder for
// the lifetime of the object.
class TempProgramFolder {
public:
    // With `withResources` the repository's resources/ is copied in.
    explicit TempProgramFolder(bool withResources = false);
    ~TempProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const;

private:
    QTemporaryDir m_dir;
    QString m_old;
};

// Where the repository's resources/ lies (set by the test environment).
QString resourcesFolder();
// The style database Biertypen.mdb the build made.
QString styleDatabase();
// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Writes the bytes as the file's whole content; a failure fails the test.
void writeFileBytes(const QString &path, const QByteArray &bytes);

}  // namespace mostarium::test

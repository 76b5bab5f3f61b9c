// Builds the style database Biertypen.mdb (SQLite) from its text source:
// Biertypen.txt, one style per line (tab-separated: Biertype, Klasse,
// Alcohol (vol%), EBC, EBU, Koolzuur (gr/L), OG (g/dm3), Bron, recipe file),
// and one recipe file per style beside it. A style whose recipe the program
// itself would refuse to open fails the build.
#include "core/Cp1252.h"
#include "core/RecipeFileReader.h"
#include "core/Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

using namespace mostarium;

namespace {

int fail(const QString &why)
{
    std::fprintf(stderr, "make_biertypen: %s\n", qPrintable(why));
    return 1;
}

bool number(const QString &text, double &out)
{
    bool ok = false;
    out = text.trimmed().toDouble(&ok);
    return ok;
}

// Writes the database into `temp`; 0 when every style went in.
int make(const QDir &source, const QString &temp)
{

    QFile list(source.filePath(QStringLiteral("Biertypen.txt")));
    if (!list.open(QIODevice::ReadOnly))
        return fail(list.fileName() + QStringLiteral(": ") + list.errorString());
    const QStringList lines = cp1252::decode(list.readAll()).split(QLatin1Char('\n'));

    int rows = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("maker"));
        db.setDatabaseName(temp);
        if (!db.open())
            return fail(db.lastError().text());
        QSqlQuery q(db);
        // Biertype sorts without regard to case, as the browser's query needs.
        if (!q.exec(QStringLiteral("create table Biertypen (Biertype text collate nocase not null, Klasse text, "
                                   "[Alcohol (vol%)] real, EBC integer, EBU integer, [Koolzuur (gr/L)] real, "
                                   "[OG (g/dm3)] integer, Bron text, Recept text)")))
            return fail(q.lastError().text());
        db.transaction();
        q.prepare(QStringLiteral("insert into Biertypen values (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        int lineNo = 0;
        for (QString line : lines) {
            ++lineNo;
            line.remove(QLatin1Char('\r'));
            if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QStringList f = line.split(QLatin1Char('\t'));
            const QString where = list.fileName() + QStringLiteral(":%1: ").arg(lineNo);
            if (f.size() != 9)
                return fail(where + QStringLiteral("9 fields expected, %1 found").arg(f.size()));
            double figures[5];
            for (int i = 0; i < 5; ++i)
                if (!number(f[2 + i], figures[i]))
                    return fail(where + QStringLiteral("no number: ") + f[2 + i]);

            QFile recipe(source.filePath(f[8].trimmed()));
            if (!recipe.open(QIODevice::ReadOnly))
                return fail(where + recipe.fileName() + QStringLiteral(": ") + recipe.errorString());
            QByteArray bytes = recipe.readAll();
            Session s;
            const OpenResult r = readRecipe(s, bytes, recipe.fileName());
            if (!r.ok)
                return fail(where + recipe.fileName() + QStringLiteral(": the recipe reader refuses it"));
            // The browser writes the text back with one CR LF of its own.
            while (bytes.endsWith('\n') || bytes.endsWith('\r'))
                bytes.chop(1);

            q.addBindValue(f[0].trimmed());
            q.addBindValue(f[1].trimmed());
            q.addBindValue(figures[0]);
            q.addBindValue(qRound(figures[1]));
            q.addBindValue(qRound(figures[2]));
            q.addBindValue(figures[3]);
            q.addBindValue(qRound(figures[4]));
            q.addBindValue(f[7].trimmed());
            q.addBindValue(cp1252::decode(bytes));
            if (!q.exec())
                return fail(where + q.lastError().text());
            ++rows;
        }
        if (!db.commit())
            return fail(db.lastError().text());
        db.close();
    }
    if (rows == 0)
        return fail(QStringLiteral("no styles in ") + list.fileName());
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return fail(QStringLiteral("usage: make_biertypen <source folder> <Biertypen.mdb>"));
    const QString target = QString::fromLocal8Bit(argv[2]);
    const QString temp = target + QStringLiteral(".tmp");
    QFile::remove(temp);
    const int rc = make(QDir(QString::fromLocal8Bit(argv[1])), temp);
    QSqlDatabase::removeDatabase(QStringLiteral("maker"));
    // A failed build leaves neither a half-made database nor the old one.
    QFile::remove(target);
    if (rc != 0) {
        QFile::remove(temp);
        return rc;
    }
    if (!QFile::rename(temp, target))
        return fail(QStringLiteral("cannot write ") + target);
    return 0;
}

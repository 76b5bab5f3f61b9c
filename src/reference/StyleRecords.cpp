#include "StyleRecords.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace mostarium {

namespace {
QString connectionName()
{
    static QAtomicInt next;
    return QStringLiteral("Biertypen%1").arg(next.fetchAndAddRelaxed(1));
}
}  // namespace

bool StyleRecords::load(const QString &databaseFile)
{
    clear();
    const QString name = connectionName();
    m_connection = name;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        // Only ever read: a missing file must not be created as an empty one.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!databaseFile.isEmpty() && db.open()) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (q.exec(BiertypenQuery)) {
                const QSqlRecord rec = q.record();
                for (int i = 0; i < rec.count(); ++i)
                    m_fields << rec.fieldName(i);
                while (q.next()) {
                    std::vector<QVariant> row;
                    row.reserve(std::size_t(rec.count()));
                    for (int i = 0; i < rec.count(); ++i)
                        row.push_back(q.value(i));
                    m_rows.push_back(std::move(row));
                }
                ok = !q.lastError().isValid();
            }
        }
    }
    if (!ok) {
        clear();
        return false;
    }
    m_open = true;
    m_pos = m_rows.empty() ? -1 : 0;
    return true;
}

void StyleRecords::clear()
{
    if (!m_connection.isEmpty()) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
        m_connection.clear();
    }
    m_rows.clear();
    m_fields.clear();
    m_pos = -1;
    m_open = false;
}

QVariant StyleRecords::field(int f) const
{
    if (bof() || eof() || f < 0 || f >= m_fields.size())
        return QVariant();
    return value(m_pos, f);
}

bool StyleRecords::moveFirst()
{
    if (!m_open)
        return false;
    m_pos = m_rows.empty() ? -1 : 0;
    return true;
}

bool StyleRecords::moveLast()
{
    if (!m_open)
        return false;
    m_pos = m_rows.empty() ? -1 : count() - 1;
    return true;
}

bool StyleRecords::moveNext()
{
    if (!m_open)
        return false;
    m_pos = std::min(m_pos + 1, count());
    return true;
}

bool StyleRecords::movePrevious()
{
    if (!m_open)
        return false;
    m_pos = std::max(m_pos - 1, -1);
    return true;
}

bool StyleRecords::moveTo(int row)
{
    if (!m_open || row < 0 || row >= count())
        return false;
    m_pos = row;
    return true;
}

}  // namespace mostarium

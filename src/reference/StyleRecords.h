#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace mostarium {

inline const QString BiertypenQuery =
    QStringLiteral("select Biertype,Klasse,[Alcohol (vol%)],EBC,EBU,[Koolzuur (gr/L)],[OG "
                   "(g/dm3)],Bron,Recept from Biertypen Order "
                   "by Biertype");
inline const QString BiertypenOpenFout = QStringLiteral("Biertypen database kan niet geopend worden!");
inline const QString RecordsGesloten = QStringLiteral("De Biertypen database is niet geopend.");

// The style database's rows, read once, with a current row that may stand
// before the first or after the last row, as the browser's navigation needs.
class StyleRecords {
public:
    StyleRecords() = default;
    ~StyleRecords() { clear(); }
    StyleRecords(const StyleRecords &) = delete;
    StyleRecords &operator=(const StyleRecords &) = delete;

    // Opens `databaseFile` read-only and reads every row of the query; the
    // connection stays open until clear(). False (no rows, connection closed)
    // when that fails.
    bool load(const QString &databaseFile);
    void clear();

    bool isOpen() const { return m_open; }
    int count() const { return int(m_rows.size()); }
    // With no rows the position is both before the first and after the last.
    bool bof() const { return m_rows.empty() || m_pos < 0; }
    bool eof() const { return m_rows.empty() || m_pos >= count(); }
    // The one-based position of the current row; 0 before the first row.
    int absolutePosition() const { return bof() || eof() ? 0 : m_pos + 1; }
    const QStringList &fieldNames() const { return m_fields; }
    QVariant value(int row, int field) const { return m_rows[std::size_t(row)][std::size_t(field)]; }
    // A field of the current row; an invalid variant before the first or
    // after the last row.
    QVariant field(int field) const;

    // Moves; false when the records are not open.
    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();
    bool moveTo(int row);

private:
    std::vector<std::vector<QVariant>> m_rows;
    QStringList m_fields;
    QString m_connection;
    int m_pos = -1;
    bool m_open = false;
};

}  // namespace mostarium

#include "Revision.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimeZone>
#include <array>

namespace mostarium {

namespace {
// Fixed when the program is built; keep in step with the project version.
constexpr int kMajor = 1;
constexpr int kMinor = 0;
constexpr int kRevision = 0;

// Written out here: the month names must not depend on the user's locale.
constexpr std::array<const char *, 12> kMonths = {"januari",   "februari", "maart",    "april",
                                                  "mei",       "juni",     "juli",     "augustus",
                                                  "september", "oktober",  "november", "december"};
}  // namespace

ProgramVersion programVersion() { return {kMajor, kMinor, kRevision}; }

QString dutchLongDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QString::number(date.day()) + u' ' + QString::fromLatin1(kMonths[std::size_t(date.month() - 1)]) + u' '
           + QString::number(date.year()).rightJustified(4, u'0');
}

QString revisionText(int major, int minor, int revision, const QDate &fileDate)
{
    const QString date = dutchLongDate(fileDate);
    if (date.isEmpty())
        return QStringLiteral("error!");
    return QStringLiteral("Rev. ") + QString::number(major) + u'.' + QString::number(minor).rightJustified(2, u'0')
           + QStringLiteral(" [") + QString::number(revision) + QStringLiteral("] ") + date;
}

QDateTime zeroDate() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

bool FileOrFolderExists(const QString &path)
{
    QString copy = path;
    if (copy.size() >= 4 && (copy.endsWith(u'\\') || copy.endsWith(u'/')))
        copy.chop(1);
    return !copy.isEmpty() && QFileInfo::exists(copy);
}

QDateTime GetFileDate(const QString &path)
{
    if (!FileOrFolderExists(path))
        return zeroDate();
    QString copy = path;
    if (copy.size() >= 4 && (copy.endsWith(u'\\') || copy.endsWith(u'/')))
        copy.chop(1);
    // The local time of the file's own moment, with the offset in force then.
    return QFileInfo(copy).lastModified().toLocalTime();
}

std::int32_t GetUTCOffset()
{
    const QDateTime utc = QDateTime::currentDateTimeUtc();
    const QDateTime local = utc.toLocalTime();
    auto hourStamp = [](const QDate &d, const QTime &t) { return qint64(d.toJulianDay()) * 24 + t.hour(); };
    return std::int32_t(hourStamp(local.date(), local.time()) - hourStamp(utc.date(), utc.time()));
}

QString GetRevision()
{
    if (!QCoreApplication::instance())
        return QStringLiteral("error!");
    const QString program = QCoreApplication::applicationFilePath();
    if (program.isEmpty())
        return QStringLiteral("error!");
    return revisionText(kMajor, kMinor, kRevision, GetFileDate(program).date());
}

}  // namespace mostarium

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

// The program's own version text and the dates of files on disk.
namespace mostarium {

// "Rev. 1.00 [0] 5 maart 2010": version numbers and the date of the program
// file; "error!" when any step fails.
QString GetRevision();

// The running program's version: major, minor and revision.
struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};
ProgramVersion programVersion();

// The same text from given parts (what GetRevision assembles).
QString revisionText(int major, int minor, int revision, const QDate &fileDate);

// "5 maart 2010": day without leading zero, Dutch month name, four-digit year.
QString dutchLongDate(const QDate &date);

// Day 0 of the program's day numbers, 30 December 1899.
QDateTime zeroDate();

// Last-write time of a file in local time; the zero date when it is missing.
QDateTime GetFileDate(const QString &path);

// True when the file or folder exists; a trailing separator on a path of at
// least four characters is ignored.
bool FileOrFolderExists(const QString &path);

// Whole hours from universal to local time now (positive east of Greenwich).
std::int32_t GetUTCOffset();

}  // namespace mostarium

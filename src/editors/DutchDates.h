#pragma once

#include <QDate>
#include <QString>

// Dates as the general-data dialog writes and reads them. The month names
// are our own Dutch abbreviations without a dot ("12-mrt-2024"), so that a
// written date always reads back, whatever the locale.
namespace mostarium::dates {

// "dd-MMM-yyyy": "05-okt-2026".
QString format(const QDate &date);
// "dd-MM-yyyy" (the sample recipes), "dd-MMM-yyyy" or "yyyy-MM-dd", blanks
// around allowed; an invalid date for any other text.
QDate parse(const QString &text);

}  // namespace mostarium::dates

#include "DutchDates.h"

#include <QRegularExpression>

namespace mostarium::dates {

namespace {

const char *const Months[12] = {"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"};

int monthOf(QStringView abbreviation)
{
    for (int m = 0; m < 12; ++m)
        if (abbreviation.compare(QLatin1String(Months[m]), Qt::CaseInsensitive) == 0)
            return m + 1;
    return 0;
}

}  // namespace

QString format(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1-%2-%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(Months[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate parse(const QString &text)
{
    static const QRegularExpression dayFirst(QStringLiteral("^(\\d\\d)-(\\d\\d|[A-Za-z]{3})-(\\d{4})$"));
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})-(\\d\\d)-(\\d\\d)$"));
    const QString t = text.trimmed();
    if (const auto m = dayFirst.match(t); m.hasMatch()) {
        const QStringView month = m.capturedView(2);
        const int mm = month.front().isDigit() ? month.toInt() : monthOf(month);
        return QDate(m.capturedView(3).toInt(), mm, m.capturedView(1).toInt());
    }
    if (const auto m = yearFirst.match(t); m.hasMatch())
        return QDate(m.capturedView(1).toInt(), m.capturedView(2).toInt(), m.capturedView(3).toInt());
    return {};
}

}  // namespace mostarium::dates

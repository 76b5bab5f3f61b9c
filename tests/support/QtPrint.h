#pragma once

#include <QString>
#include <ostream>

// Lets GoogleTest print Qt strings readably in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(QStringView s, std::ostream *os) { *os << '"' << s.toString().toStdString() << '"'; }

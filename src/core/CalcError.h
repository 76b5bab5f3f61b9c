#pragma once

#include <QString>
#include <stdexcept>

namespace mostarium {

// The one error type of every checked calculation: division by zero, overflow,
// an index outside a table, a text that is not a number. Procedures that trap
// errors catch it and show their own message.
class CalcError : public std::runtime_error {
public:
    explicit CalcError(const char *what) : std::runtime_error(what) {}
    QString text() const { return QString::fromUtf8(what()); }
};

[[noreturn]] inline void throwOverflow() { throw CalcError("Overflow"); }
[[noreturn]] inline void throwDivisionByZero() { throw CalcError("Division by zero"); }
[[noreturn]] inline void throwSubscript() { throw CalcError("Subscript out of range"); }
[[noreturn]] inline void throwTypeMismatch() { throw CalcError("Type mismatch"); }

}  // namespace mostarium

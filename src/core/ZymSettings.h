#pragma once

#include "Limit.h"

#include <QString>
#include <QStringView>
#include <optional>

// Numbers read from the settings file ZYM.ini. The file is the user's to
// edit: a value that is no number, not finite or out of its range takes the
// key's default, and the caller names it with invalidSettingText.
namespace mostarium {

// The switches of [Sounds] and [StartUp]: any number a 16-bit integer holds;
// the start-up gives it its meaning (not 0, equal to 1).
inline constexpr Limit SwitchRange{.lo = -32768, .hi = 32767, .loPasses = true};

// The whole text (blanks around it allowed) as a finite number within `range`.
std::optional<double> numberInRange(const QString &text, const Limit &range);

// "Ongeldige waarde voor <key> in ZYM.ini! De standaard waarde <def> wordt gebruikt."
QString invalidSettingText(const QString &key, const QString &defaultValue);

// The number of a key of ZYM.ini in the program folder; a missing key gives
// the default. A value that fails the check gives the default too and sets
// *refused (when given), so that the caller can say so.
double zymNumber(const QString &section, const QString &key, const QString &defaultValue, const Limit &range,
                 bool *refused = nullptr);

// Keeps a choice under `key` of ZYM.ini in the program folder. Should the
// file not take it, a message names ZYM.ini; the choice holds for this run
// all the same.
void keepZymSetting(const QString &section, const QString &key, QString value);

// A path as ZYM.ini keeps it, so that it reads back exactly as written. A
// character of Windows-1252 stands as itself; any other character, a control
// character, a blank at either end (values are read trimmed) and "<" itself
// stand as "<", the character's code point in two to six capital hexadecimal
// digits and ">" ("Bier <17C>ó<142><107>" for "Bier żółć"). No Windows path
// holds "<", so a plain Windows-1252 path reads unchanged; a "<" that starts
// no such escape reads as itself.
QString encodeSettingPath(QStringView path);
QString decodeSettingPath(QStringView stored);

// The path under `key` of ZYM.ini in the program folder, decoded; a missing
// key gives `defaultPath`.
QString zymPath(const QString &section, const QString &key, const QString &defaultPath = QString());
// keepZymSetting for a path, encoded.
void keepZymPath(const QString &section, const QString &key, const QString &path);

}  // namespace mostarium

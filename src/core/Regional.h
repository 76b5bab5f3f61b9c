#pragma once

#include <QString>

// The user's regional settings are read, never changed: a "set" only records a
// value for this process, which is all the program needs, since its own
// number handling always uses "." whatever the locale.
namespace mostarium {

enum RegionalItem : int {
    LOCALE_SDECIMAL = 14,
    LOCALE_STHOUSAND = 15,
    LOCALE_SSHORTDATE = 31,
    LOCALE_STIMEFORMAT = 0x1003,
};

QString GetRegionalSetting(int item);
void SetRegionalSetting(int item, const QString &value);
// Forgets every process-level value (tests).
void ClearRegionalOverrides();

}  // namespace mostarium

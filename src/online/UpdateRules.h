#pragma once

#include "core/Revision.h"

#include <QString>
#include <optional>

// The rules of the update check that need no server: the version in the
// update descriptor, the download's file name, the progress bar's share.
namespace mostarium::online {

// "2.0.13": exactly three whole numbers joined by "."; anything else nullopt.
std::optional<ProgramVersion> parseVersion(const QString &rev);

// By significance: major first, then minor, then revision.
bool isNewer(const ProgramVersion &offered, const ProgramVersion &running);

// "2.0.13"
QString versionText(const ProgramVersion &v);

// A bare file name from the server: not empty, no folder separators or
// control characters, not "." or "..".
bool isBareFileName(const QString &name);

// `current` of `total` in thousandths (0 .. 1000); 0 for a total of 0 or less.
int perMille(qint64 current, qint64 total);

}  // namespace mostarium::online

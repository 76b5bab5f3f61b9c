#pragma once

#include "core/Cp1252.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace mostarium::test {

// The text an outside tool prints for a file ("unrtf --text --nopict",
// "pdftotext", in UTF-8 or, as unrtf writes, Windows-1252); empty with `found` false when the tool is not
// installed.
inline QString toolText(const QString &tool, const QStringList &arguments, bool *found, bool windows1252 = false)
{
    *found = !QStandardPaths::findExecutable(tool).isEmpty();
    if (!*found)
        return {};
    QProcess p;
    p.start(tool, arguments);
    p.waitForFinished(30000);
    const QByteArray out = p.readAllStandardOutput();
    return windows1252 ? cp1252::decode(out) : QString::fromUtf8(out);
}

}  // namespace mostarium::test

#include "FileHistory.h"

#include "Ini.h"
#include "Paths.h"
#include "WholeFile.h"
#include "ZymSettings.h"

namespace mostarium::history {

namespace {
QString iniFile() { return paths::zymIni(); }
const QString kSection = QStringLiteral("FileHistory");
}  // namespace

QString entry(int n, bool trimmed)
{
    // The blanks are those of the stored text: a path's own blanks at its
    // ends are kept there escaped.
    const QString v = ReadINI(iniFile(), kSection, QString::number(n), QString());
    return decodeSettingPath(trimmed ? v.trimmed() : v);
}

QString captionFor(int n, const QString &path)
{
    const QString shown = path.size() <= 50 ? path : QStringLiteral("..") + path.right(50);
    return QStringLiteral("  &%1 ").arg(n) + shown;
}

QString caption(int n) { return captionFor(n, entry(n, false)); }

bool UpdateFileHistory(const QString &fileName)
{
    if (entry(1) == fileName)
        return false;
    bool written = true;
    for (int n = 3; n >= 1; --n) {
        QString v = encodeSettingPath(entry(n));
        written = WriteINI(iniFile(), kSection, QString::number(n + 1), v) && written;
    }
    QString v = encodeSettingPath(fileName);
    written = WriteINI(iniFile(), kSection, QStringLiteral("1"), v) && written;
    // The captions show what the file holds now, whatever reached it.
    if (!written)
        showNotWritten(iniFile());
    return true;
}

}  // namespace mostarium::history

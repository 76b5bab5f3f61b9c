#include "FileHistory.h"

#include "CaptionText.h"
#include "Ini.h"
#include "Paths.h"
#include "WholeFile.h"
#include "ZymSettings.h"

#include <QDir>
#include <QStringList>

namespace mostarium::history {

namespace {
QString iniFile() { return paths::zymIni(); }
const QString kSection = QStringLiteral("FileHistory");
constexpr int Entries = 4;
}  // namespace

QString entry(int n, bool trimmed)
{
    // The blanks are those of the stored text: a path's own blanks at its
    // ends are kept there escaped.
    const QString v = ReadINI(iniFile(), kSection, QString::number(n), QString());
    return decodeSettingPath(trimmed ? v.trimmed() : v);
}

QString shownPath(const QString &path)
{
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > 50) {
        QString tail = shown.right(50);
        // A character of two code units is shown whole or not at all.
        if (tail.front().isLowSurrogate())
            tail.remove(0, 1);
        shown = QStringLiteral("..") + tail;
    }
    for (QChar &c : shown)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';  // blank space, as text shows a tab; never the shortcut column
    return literalAmpersands(shown);
}

QString captionFor(int n, const QString &path) { return QStringLiteral("  &%1 ").arg(n) + shownPath(path); }

QString caption(int n) { return captionFor(n, entry(n, false)); }

bool UpdateFileHistory(const QString &fileName)
{
    if (entry(1) == fileName)
        return false;
    // The path goes to the head; where it stood further down, it is taken
    // out there, so the entries below it keep their places. A path that a
    // list of an earlier run holds twice keeps only its upper place.
    QStringList list{fileName};
    for (int n = 1; n <= Entries; ++n)
        if (QString e = entry(n); e.isEmpty() || !list.contains(e))
            list << e;
    bool written = true;
    for (int n = Entries; n >= 1; --n) {
        QString v = encodeSettingPath(list.value(n - 1));
        written = WriteINI(iniFile(), kSection, QString::number(n), v) && written;
    }
    // The captions show what the file holds now, whatever reached it.
    if (!written)
        showNotWritten(iniFile());
    return true;
}

}  // namespace mostarium::history

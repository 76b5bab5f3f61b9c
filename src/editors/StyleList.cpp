#include "StyleList.h"

#include "core/Cp1252.h"
#include "core/Paths.h"
#include "core/WholeFile.h"

#include <QFileInfo>

namespace mostarium {

namespace {

// Names are compared without the blanks around them, as the recipe file
// keeps a stored style name trimmed.
QStringView nameOf(QStringView line, qsizetype comma) { return line.left(comma).trimmed(); }

}  // namespace

QStringList styleLines(QByteArrayView bytes)
{
    QString text = cp1252::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

StyleList readStyleList()
{
    StyleList list;
    QString path = paths::existingFile(QStringLiteral("BierSoorten.txt"));
    // Something of that name that is no regular file (a pipe) is named too.
    if (path.isEmpty() && QFileInfo::exists(paths::file(QStringLiteral("BierSoorten.txt"))))
        path = paths::file(QStringLiteral("BierSoorten.txt"));
    if (path.isEmpty())
        return list;
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxTextFileSize, bytes);
    if (read == FileRead::Missing)
        return list;
    if (read != FileRead::Ok) {
        list.refusal = refusedFileText(QStringLiteral("BierSoorten.txt"), read);
        return list;
    }
    list.present = true;
    list.lines = styleLines(bytes);
    return list;
}

QStringList styleNames(const QStringList &lines)
{
    QStringList names;
    names.reserve(lines.size());
    for (const QString &line : lines) {
        const qsizetype comma = line.indexOf(u',');
        if (comma >= 0)
            names << line.left(comma);
    }
    return names;
}

std::optional<QString> styleDescription(const QStringList &lines, const QString &name)
{
    const QStringView wanted = QStringView(name).trimmed();
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString &line = lines[i];
        const qsizetype comma = line.indexOf(u',');
        if (comma >= 0 && nameOf(line, comma) == wanted)
            return line.mid(comma + 1);
    }
    return std::nullopt;
}

}  // namespace mostarium

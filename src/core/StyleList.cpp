#include "StyleList.h"

#include "core/Cp1252.h"
#include "core/Paths.h"
#include "core/WholeFile.h"

#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace mostarium {

namespace {

// Names are compared without the blanks around them, as the recipe file
// keeps a stored style name trimmed.
QStringView nameOf(QStringView line, qsizetype comma) { return line.left(comma).trimmed(); }

// Letters without their accents and case, so that "Kölsch" stands among the
// K's.
QString sortKey(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            key += c;
    return key.toCaseFolded();
}

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
    list.path = path;
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

bool hasComma(QStringView text) { return text.contains(u','); }

bool styleOrderLess(const QString &a, const QString &b)
{
    const int byKey = sortKey(a).compare(sortKey(b));
    if (byKey != 0)
        return byKey < 0;
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

qsizetype sortedPlace(const QStringList &items, const QString &item)
{
    const auto at = std::upper_bound(items.begin(), items.end(), item, styleOrderLess);
    return at - items.begin();
}

QStringList sortedStyleItems(const QStringList &lines)
{
    struct Keyed {
        QString key, line;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(lines.size()));
    for (const QString &line : lines)
        if (hasComma(line))
            keyed.push_back({sortKey(line), line});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int byKey = a.key.compare(b.key);
        return byKey != 0 ? byKey < 0 : a.line.compare(b.line, Qt::CaseInsensitive) < 0;
    });
    QStringList items;
    items.reserve(qsizetype(keyed.size()));
    for (const Keyed &k : keyed)
        items << k.line;
    return items;
}

std::optional<QString> unstorableChar(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n' || !cp1252::canEncode(c))
            return text.mid(i, c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1).toString();
    }
    return std::nullopt;
}

QByteArray styleListBytes(const QStringList &items) { return cp1252::encodeLines(items); }

bool writeStyleList(const QString &path, const QStringList &items, QString *error)
{
    return writeWholeFile(path, styleListBytes(items), error);
}

}  // namespace mostarium

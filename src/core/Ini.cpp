#include "Ini.h"

#include "Cp1252.h"
#include "WholeFile.h"

#include <QStringList>
#include <vector>

namespace mostarium {

namespace {

struct Line {
    qsizetype begin = 0;  // of the raw line in the file's bytes
    qsizetype end = 0;    // past its line end
    bool hasLineEnd = false;
    QString text;  // decoded, without the line end
};

// CR LF, LF and a lone CR each end a line.
std::vector<Line> splitLines(QByteArrayView bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n) {
        qsizetype stop = start;
        while (stop < n && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        Line l;
        l.begin = start;
        l.text = cp1252::decode(bytes.sliced(start, stop - start));
        l.hasLineEnd = stop < n;
        if (stop < n && bytes[stop] == '\r' && stop + 1 < n && bytes[stop + 1] == '\n')
            ++stop;
        l.end = stop < n ? stop + 1 : n;
        start = l.end;
        lines.push_back(std::move(l));
    }
    return lines;
}

// The name of a section header line, or a null string.
QString sectionName(QStringView line)
{
    const QStringView t = line.trimmed();
    if (!t.startsWith(u'['))
        return {};
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed().toString();
}

// A value without the blanks and tabs around it; every other character, a
// non-breaking space or a form feed among them, is the value's own.
QStringView trimBlanks(QStringView v)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (!v.isEmpty() && blank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && blank(v.back()))
        v.chop(1);
    return v;
}

bool keyOf(QStringView line, QStringView &key, QStringView &value)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = trimBlanks(line.mid(eq + 1));
    return !key.isEmpty();
}

QString folded(QStringView name) { return name.toString().toCaseFolded(); }

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Index range [first, end) of the body of the first matching section, or -1.
qsizetype findSection(const std::vector<Line> &lines, const QString &section, qsizetype &end)
{
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const QString name = sectionName(lines[i].text);
        if (name.isNull() || !sameName(name, section))
            continue;
        end = i + 1;
        while (end < qsizetype(lines.size()) && sectionName(lines[end].text).isNull())
            ++end;
        return i + 1;
    }
    return -1;
}

QByteArray readSettings(const QString &file, FileRead *why = nullptr)
{
    QByteArray bytes;
    const FileRead r = readWholeFile(file, MaxTextFileSize, bytes);
    if (why)
        *why = r;
    return bytes;
}

}  // namespace

IniDocument::IniDocument(QByteArrayView bytes)
{
    Section *current = nullptr;
    for (const Line &line : splitLines(bytes)) {
        const QString name = sectionName(line.text);
        if (!name.isNull()) {
            const QString f = folded(name);
            // The first section of a name wins: later ones are skipped.
            current = m_sections.contains(f) ? nullptr : &m_sections[f];
            continue;
        }
        QStringView key, value;
        if (!current || !keyOf(line.text, key, value))
            continue;
        const QString k = folded(key);
        if (current->values.contains(k))
            continue;
        current->values.insert(k, value.toString());
        current->order << key.toString();
    }
}

bool IniDocument::hasSection(QStringView section) const { return m_sections.contains(folded(section)); }

std::optional<QString> IniDocument::find(QStringView section, QStringView key) const
{
    const auto sec = m_sections.constFind(folded(section));
    if (sec == m_sections.cend())
        return std::nullopt;
    const auto it = sec->values.constFind(folded(key));
    if (it == sec->values.cend())
        return std::nullopt;
    return *it;
}

QString IniDocument::value(QStringView section, QStringView key, const QString &defaultValue) const
{
    return find(section, key).value_or(defaultValue);
}

QStringList IniDocument::keys(QStringView section) const
{
    const auto sec = m_sections.constFind(folded(section));
    return sec == m_sections.cend() ? QStringList() : sec->order;
}

QByteArray iniWithValue(QByteArrayView bytes, const QString &section, const QString &key, const QString &value)
{
    const QByteArray entry = cp1252::encode(key) + '=' + cp1252::encode(value) + "\r\n";
    const auto lines = splitLines(bytes);
    qsizetype end = 0;
    const qsizetype first = findSection(lines, section, end);

    QByteArray out;
    out.reserve(bytes.size() + entry.size() + section.size() + 8);
    if (first < 0) {
        out = bytes.toByteArray();
        if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r'))
            out += "\r\n";
        out += '[' + cp1252::encode(section) + "]\r\n" + entry;
        return out;
    }

    qsizetype hit = -1;
    qsizetype lastKey = first - 1;  // insert after the header when the section is empty
    for (qsizetype i = first; i < end; ++i) {
        QStringView k, v;
        if (!lines[i].text.trimmed().isEmpty())
            lastKey = i;
        if (hit < 0 && keyOf(lines[i].text, k, v) && sameName(k, key)) {
            // A key that reads as the value already stays as it stands, so
            // storing what was read leaves the file byte for byte.
            if (v == trimBlanks(value))
                return bytes.toByteArray();
            hit = i;
        }
    }
    for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
        const Line &l = lines[i];
        if (i == hit) {
            out += entry;
            continue;
        }
        out += bytes.sliced(l.begin, l.end - l.begin);
        if (hit < 0 && i == lastKey) {
            if (!l.hasLineEnd)
                out += "\r\n";
            out += entry;
        }
    }
    return out;
}

QString refusedSettingsFile(const QString &path, const QString &name)
{
    FileRead why = FileRead::Ok;
    readSettings(path, &why);
    return refusedFileText(name, why);
}

QString ReadINI(const QString &file, const QString &section, const QString &key, const QString &defaultValue)
{
    return IniDocument(readSettings(file)).value(section, key, defaultValue);
}

QStringList ReadINIKeys(const QString &file, const QString &section)
{
    return IniDocument(readSettings(file)).keys(section);
}

bool WriteINI(const QString &file, const QString &section, const QString &key, QString &value)
{
    for (QChar &c : value)
        if (c == u'\r' || c == u'\n')
            c = u' ';

    FileRead why = FileRead::Ok;
    const QByteArray old = readSettings(file, &why);
    // A file we may not read as settings is not replaced either.
    if (why != FileRead::Ok && why != FileRead::Missing)
        return false;
    return writeWholeFile(file, iniWithValue(old, section, key, value));
}

}  // namespace mostarium

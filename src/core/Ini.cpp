#include "Ini.h"

#include "Cp1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace mostarium {

namespace {

constexpr int kMaxValue = 254;

struct Line {
    QByteArray raw;   // as in the file, with its line end
    QString text;     // decoded, without the line end
};

std::vector<Line> splitLines(const QByteArray &bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', start);
        const qsizetype end = nl < 0 ? bytes.size() : nl + 1;
        Line l;
        l.raw = bytes.mid(start, end - start);
        QByteArray body = l.raw;
        while (!body.isEmpty() && (body.endsWith('\n') || body.endsWith('\r')))
            body.chop(1);
        l.text = cp1252::decode(body);
        lines.push_back(std::move(l));
        start = end;
    }
    return lines;
}

// The name of a section header line, or a null string.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return {};
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool keyOf(const QString &line, QString &key, QString &value)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    return !key.isEmpty();
}

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QByteArray readAll(const QString &file, bool *exists = nullptr)
{
    QFile f(file);
    if (exists)
        *exists = f.exists();
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

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

} // namespace

QString ReadINI(const QString &file, const QString &section, const QString &key,
                const QString &defaultValue)
{
    const auto lines = splitLines(readAll(file));
    qsizetype end = 0;
    const qsizetype first = findSection(lines, section, end);
    if (first >= 0) {
        for (qsizetype i = first; i < end; ++i) {
            QString k, v;
            if (keyOf(lines[i].text, k, v) && sameName(k, key))
                return v.left(kMaxValue);
        }
    }
    return defaultValue.left(kMaxValue);
}

QStringList ReadINIKeys(const QString &file, const QString &section)
{
    const auto lines = splitLines(readAll(file));
    QStringList keys;
    qsizetype end = 0;
    const qsizetype first = findSection(lines, section, end);
    if (first < 0)
        return keys;
    for (qsizetype i = first; i < end; ++i) {
        QString k, v;
        if (keyOf(lines[i].text, k, v)
            && std::none_of(keys.begin(), keys.end(), [&](const QString &x) { return sameName(x, k); }))
            keys << k;
    }
    return keys;
}

bool WriteINI(const QString &file, const QString &section, const QString &key, QString &value)
{
    for (QChar &c : value)
        if (c == u'\r' || c == u'\n')
            c = u' ';

    const QByteArray entry = cp1252::encode(key) + '=' + cp1252::encode(value) + "\r\n";
    bool exists = false;
    const QByteArray old = readAll(file, &exists);
    if (exists && old.isEmpty() && QFile(file).size() > 0)
        return false;  // present but unreadable: leave it alone
    auto lines = splitLines(old);

    QByteArray out;
    qsizetype end = 0;
    const qsizetype first = findSection(lines, section, end);
    if (first < 0) {
        out = old;
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += "\r\n";
        out += '[' + cp1252::encode(section) + "]\r\n" + entry;
    } else {
        qsizetype hit = -1;
        qsizetype lastKey = first - 1;  // insert after the header when the section is empty
        for (qsizetype i = first; i < end; ++i) {
            QString k, v;
            if (!lines[i].text.trimmed().isEmpty())
                lastKey = i;
            if (hit < 0 && keyOf(lines[i].text, k, v) && sameName(k, key))
                hit = i;
        }
        for (qsizetype i = 0; i < qsizetype(lines.size()); ++i) {
            if (i == hit) {
                out += entry;
                continue;
            }
            QByteArray raw = lines[i].raw;
            if (hit < 0 && i == lastKey && !raw.endsWith('\n'))
                raw += "\r\n";
            out += raw;
            if (hit < 0 && i == lastKey)
                out += entry;
        }
    }

    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(out) != out.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace mostarium

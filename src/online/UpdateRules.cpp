#include "UpdateRules.h"

#include <QStringList>
#include <tuple>

namespace mostarium::online {

namespace {
std::optional<int> wholeNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return text.toInt();
}
}  // namespace

std::optional<ProgramVersion> parseVersion(const QString &rev)
{
    const QStringList parts = rev.trimmed().split(u'.');
    if (parts.size() != 3)
        return std::nullopt;
    const auto major = wholeNumber(parts.at(0));
    const auto minor = wholeNumber(parts.at(1));
    const auto revision = wholeNumber(parts.at(2));
    if (!major || !minor || !revision)
        return std::nullopt;
    return ProgramVersion{*major, *minor, *revision};
}

bool isNewer(const ProgramVersion &offered, const ProgramVersion &running)
{
    return std::tie(offered.major, offered.minor, offered.revision)
           > std::tie(running.major, running.minor, running.revision);
}

QString versionText(const ProgramVersion &v)
{
    return QString::number(v.major) + u'.' + QString::number(v.minor) + u'.' + QString::number(v.revision);
}

bool isBareFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    return true;
}

int perMille(qint64 current, qint64 total)
{
    if (total <= 0 || current <= 0)
        return 0;
    if (current >= total)
        return 1000;
    return static_cast<int>(static_cast<long double>(current) * 1000.0L / static_cast<long double>(total));
}

}  // namespace mostarium::online

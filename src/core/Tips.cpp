#include "Tips.h"

#include "Cp1252.h"
#include "LinkFiles.h"
#include "Services.h"
#include "WholeFile.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace mostarium {

QString missingTipsText()
{
    return QStringLiteral("Tips.txt niet aanwezig is op Uw systeem? Kontakteer ") + contactAddress()
           + QStringLiteral(" voor meest recente tips.txt bestand.");
}

QStringList LoadTips(const QString &path)
{
    QByteArray bytes;
    const FileRead read = readWholeFile(path, MaxTextFileSize, bytes);
    if (read == FileRead::Folder || read == FileRead::NotRegular || read == FileRead::TooLarge)
        services().msgBox(refusedFileText(QFileInfo(path).fileName(), read), mb::OKOnly + mb::Exclamation,
                          QStringLiteral("Attentie!"));
    if (read != FileRead::Ok)
        return {missingTipsText()};
    const QString text = cp1252::decode(bytes);
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    // A line end after the last line does not start another tip.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TipCycle::next(double draw)
{
    const int n = count();
    if (n == 0) {
        m_current = 0;
        m_last = 0;
        return;
    }
    if (m_order == Willekeurig) {
        const double d = std::isfinite(draw) ? draw : 0.0;
        int pick = int(std::floor(d * n + 1));
        pick = std::clamp(pick, 1, n);
        // One tip has nothing to step to: it shows again.
        if (pick == m_last && n > 1)
            pick = pick == 1 ? 2 : pick - 1;
        m_current = pick;
    } else {
        m_current = m_current + 1 > n || m_current < 0 ? 1 : m_current + 1;
    }
    m_last = m_current;
}

QString TipCycle::counterText() const
{
    return u'[' + QString::number(m_current) + u'/' + QString::number(count()) + u']';
}

std::optional<QString> TipCycle::currentText() const
{
    if (m_current < 1 || m_current > count())
        return std::nullopt;
    return m_tips.at(m_current - 1);
}

void TipCycle::clear()
{
    m_tips.clear();
    m_current = 0;
    m_last = 0;
}

}  // namespace mostarium

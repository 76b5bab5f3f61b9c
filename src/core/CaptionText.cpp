#include "CaptionText.h"

namespace mostarium {

QString literalAmpersands(const QString &text)
{
    QString out = text;
    out.replace(u'&', QStringLiteral("&&"));
    return out;
}

}  // namespace mostarium

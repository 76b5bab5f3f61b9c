#include "Limit.h"

#include "NumText.h"

namespace mostarium {

QString Limit::text() const
{
    const QString l = single ? num::plain(float(lo)) : num::plain(lo);
    const QString h = single ? num::plain(float(hi)) : num::plain(hi);
    return (loPasses ? QStringLiteral("van ") : QStringLiteral("boven ")) + l
           + (hiPasses ? QStringLiteral(" tot en met ") : QStringLiteral(" tot ")) + h;
}

}  // namespace mostarium

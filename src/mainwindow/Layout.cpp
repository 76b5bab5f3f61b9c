#include "Layout.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

namespace mostarium::layout {

std::array<double, 10> panelWidths(double W) { return {300, 900, 1200, 700, 1200, 700, 800, W - 7650, 850, 1000}; }

ResizeResult FormResize(const ResizeInput &in)
{
    ResizeResult r;
    if (in.W > 8000)
        r.panelWidths = panelWidths(in.W);

    if (in.W <= 12885) {
        r.brouwSchemaLeft = r.evaluatieLeft = 450;
    } else {
        r.brouwSchemaLeft = r.evaluatieLeft = std::max(0.0, (in.W - FrameWidth - 450) / 2);
    }

    // The thresholds compare the outer height; the centring uses the inner one.
    // A centred block never starts above the area, and the evaluation keeps
    // its distance below the schedule.
    const double fixedHeight = in.dubbel ? 10740 : 9000;
    if (in.H <= fixedHeight) {
        r.brouwSchemaTop = 180;
        r.evaluatieTop = in.dubbel ? 7200 : 5500;
    } else {
        const double block = in.dubbel ? 9265 : 7615;
        r.brouwSchemaTop = std::max(0.0, (in.SH - 360 - block) / 2);
        r.evaluatieTop = r.brouwSchemaTop + in.brouwSchemaHeight + 295;
    }
    return r;
}

BrouwTypeLayout brouwTypeLayout(bool dubbel)
{
    if (dubbel)
        return {QStringLiteral("DB"),
                QStringLiteral(" Aromahop dikbier "),
                QStringLiteral(" Bitterhop dikbier "),
                BrouwSchemaHeightDubbel,
                7200,
                9800,
                15000,
                11140,
                QStringLiteral(" Doelstellingen dikbier "),
                QStringLiteral(" Evaluatie dikbier "),
                QStringLiteral(" Doelstellingen dunbier "),
                QStringLiteral(" Evaluatie dunbier ")};
    return {QStringLiteral("EB"),
            QStringLiteral(" Aromahop "),
            QStringLiteral(" Bitterhop "),
            BrouwSchemaHeightEnkel,
            5500,
            8050,
            15000,
            9400,
            QStringLiteral(" Doelstellingen "),
            QStringLiteral(" Evaluatie "),
            QString(),
            QString()};
}

Point centred(double screenW, double screenH, double winW, double winH)
{
    return {screenW / 2 - winW / 2, screenH / 2 - winH / 2};
}

QFont narrowedToFit(QFont font, const std::vector<TextWidth> &texts)
{
    auto fits = [&texts](const QFont &f) {
        const QFontMetrics fm(f);
        return std::all_of(texts.begin(), texts.end(),
                           [&fm](const TextWidth &t) { return fm.horizontalAdvance(t.first) <= t.second; });
    };
    const int size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    for (int px = size; px >= 9; --px) {
        for (int stretch = 100; stretch >= QFont::Condensed; stretch -= 5) {
            font.setPixelSize(px);
            font.setStretch(stretch);
            if (fits(font))
                return font;
        }
    }
    return font;
}

}  // namespace mostarium::layout

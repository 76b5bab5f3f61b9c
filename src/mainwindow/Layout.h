#pragma once

#include "platform/Twips.h"

#include <QFont>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

// The main window's geometry rules as plain numbers (twips, 15 to the pixel),
// so that the thresholds can be checked without a window.
namespace mostarium::layout {

inline constexpr int FrameWidth = 13995;  // fraBrouwSchema and fraEvaluatie
inline constexpr int EvaluatieHeight = 2295;
inline constexpr int BrouwSchemaHeightDubbel = 6675;
inline constexpr int BrouwSchemaHeightEnkel = 5025;

struct ResizeInput {
    double W = 0;         // outer width
    double H = 0;         // outer height
    double SH = 0;        // inner height of the frame area
    bool dubbel = false;  // mnuDubBrouw checked
    double brouwSchemaHeight = BrouwSchemaHeightEnkel;
};

struct ResizeResult {
    // Panel widths 1..10 when the window is wide enough to re-lay them.
    std::optional<std::array<double, 10>> panelWidths;
    double brouwSchemaLeft = 0, evaluatieLeft = 0;
    double brouwSchemaTop = 0, evaluatieTop = 0;
};

// Form_Resize: panel widths, and where the two frames go. A frame's Left and
// the schedule's Top never go below 0, so a window smaller than the frames
// keeps their left and top edges in view.
ResizeResult FormResize(const ResizeInput &in);

// Status-bar panel widths at start and on a wide enough resize.
std::array<double, 10> panelWidths(double W);

// What PasGUIAanBrouwType sets for a brew mode.
struct BrouwTypeLayout {
    QString panel1;
    QString aromaHopCaption, bitterHopCaption;
    int brouwSchemaHeight;
    int evaluatieTop;
    int pgbDownloadTop;
    int windowWidth, windowHeight;
    QString evalDSCaption, evalEvCaption;
    QString evalDS2Caption, evalEv2Caption;  // empty: left as they are
};
BrouwTypeLayout brouwTypeLayout(bool dubbel);

// Top-left of a window of the given size centred on a screen.
struct Point {
    double left, top;
};
Point centred(double screenW, double screenH, double winW, double winH);

// A text and the width in pixels it must fit in.
using TextWidth = std::pair<QString, int>;

// The labels keep their twips whatever font the system gives: the font is
// narrowed, then made smaller (down to 9 pixels), until every text fits.
QFont narrowedToFit(QFont font, const std::vector<TextWidth> &texts);

}  // namespace mostarium::layout

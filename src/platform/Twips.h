#pragma once

// Layout figures are given in twips, 15 to a pixel.
namespace mostarium::layout {

inline constexpr int TwipsPerPixel = 15;
inline int px(double twips) { return int(twips / TwipsPerPixel + (twips >= 0 ? 0.5 : -0.5)); }

}  // namespace mostarium::layout

#pragma once
// The units the chart is laid out in. Positions and sizes on the window are in
// twips; the design screen shows 15 twips per pixel (96 pixels per inch).

namespace qv {

inline constexpr double TwipsPerInch = 1440.0;
// 72 points per inch.
inline constexpr double TwipsPerPoint = 20.0;
// A pixel of the design screen, which the chart's line widths are given in.
inline constexpr double TwipsPerScreenPixel = 15.0;
inline constexpr double ScreenDpi = TwipsPerInch / TwipsPerScreenPixel;

} // namespace qv

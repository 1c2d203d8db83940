#pragma once

#include <QColor>

namespace ui {

// Colours as the plant's screens name them: $00BBGGRR values, and system colours $FF0000nn
// ($FF000005 window, $FF000008 window text, $FF00000E highlight text, $FF00000F button face).
QColor color(quint32 value);

inline constexpr quint32 kRed = 0x000000FF;
inline constexpr quint32 kGreen = 0x00008000;
inline constexpr quint32 kSilver = 0x00C0C0C0;
inline constexpr quint32 kMoneyGreen = 0x00C0DCC0;
inline constexpr quint32 kSysWindow = 0xFF000005;
inline constexpr quint32 kSysWindowText = 0xFF000008;
inline constexpr quint32 kSysHighlightText = 0xFF00000E;
inline constexpr quint32 kSysButtonFace = 0xFF00000F;

}  // namespace ui

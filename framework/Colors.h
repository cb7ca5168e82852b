#pragma once
// Colour values of the drawing classes: 0x00BBGGRR, or 0xFF0000nn for system colour nn (see
// ColorToRGB in Font.h), plus clNone and clDefault.
#include <cstdint>

namespace vl {

inline constexpr uint32_t clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                          clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                          clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                          clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                          clNone = 0x1FFFFFFF, clDefault = 0x20000000;
inline constexpr uint32_t clScrollBar = 0xFF000000, clBackground = 0xFF000001, clMenu = 0xFF000004,
                          clWindow = 0xFF000005, clWindowFrame = 0xFF000006, clMenuText = 0xFF000007,
                          clWindowText = 0xFF000008, clHighlight = 0xFF00000D, clHighlightText = 0xFF00000E,
                          clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                          clBtnText = 0xFF000012, clBtnHighlight = 0xFF000014, cl3DDkShadow = 0xFF000015,
                          cl3DLight = 0xFF000016, clInfoText = 0xFF000017, clInfoBk = 0xFF000018;

}  // namespace vl

// The control's one size: 480 x 480 twips, 32 x 32 pixels at 96 dots per inch.
#pragma once

#include <windows.h>

namespace tollen {

constexpr long ControlSizeTwips = 480;
// 480 twips = 1/3 inch = 846.67 HIMETRIC units (0.01 mm), rounded.
constexpr long ControlSizeHimetric = (ControlSizeTwips * 2540 + 720) / 1440;
static_assert(ControlSizeHimetric == 847, "480 twips in HIMETRIC");

// OLEMISC_SETCLIENTSITEFIRST | INVISIBLEATRUNTIME | ACTIVATEWHENVISIBLE |
// INSIDEOUT | CANTLINKINSIDE | RECOMPOSEONRESIZE
constexpr DWORD PathwickMiscStatus = 0x20591;

inline int TwipsToPixels(long twips, int dotsPerInch) { return ::MulDiv(twips, dotsPerInch, 1440); }

}  // namespace tollen

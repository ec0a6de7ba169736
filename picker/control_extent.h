// The control's one size: 480 x 480 twips, 32 x 32 pixels at 96 dots per inch.
#pragma once

#include <windows.h>

#include "twips.h"

namespace tollen {

constexpr long ControlSizeTwips = 480;
constexpr long ControlSizeHimetric = win32::TwipsToHimetric(ControlSizeTwips);

// OLEMISC_SETCLIENTSITEFIRST | INVISIBLEATRUNTIME | ACTIVATEWHENVISIBLE |
// INSIDEOUT | CANTLINKINSIDE | RECOMPOSEONRESIZE
constexpr DWORD PathwickMiscStatus = 0x20591;

using win32::TwipsToPixels;

}  // namespace tollen

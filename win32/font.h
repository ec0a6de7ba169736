#pragma once
// The windows' fonts: a face at a size in points, at the screen's DPI.
#include <windows.h>

#include "handle_owners.h"

namespace win32 {

struct FontStyle {
    bool bold = false;
    bool underline = false;
};

// The face at hundredthsOfPoint (825 for 8.25 pt) for a screen of dpiY dots per
// inch. Throws win32::Error naming the face.
GdiObject MakeFont(const wchar_t* face, int hundredthsOfPoint, int dpiY, FontStyle style = {});

}  // namespace win32

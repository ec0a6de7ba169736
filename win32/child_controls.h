#pragma once
// A window's controls written as a table in twips and made in pixels at the
// screen's DPI. Creation order is tab order, so a table lists its controls in it.
#include <windows.h>

#include <climits>
#include <cstddef>

#include "twips.h"

namespace win32 {

struct ChildControl {
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;
    TwipsRect place;
    DWORD style;        // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    std::size_t font;   // which of the fonts handed to CreateChildControls
};

// Makes one control and gives it its font; throws the platform's error when the
// control cannot be made.
HWND CreateChildControl(HWND parent, const ChildControl& control, HFONT font, Dpi dpi);

// Makes every control of the table, in its order.
template <std::size_t Controls, std::size_t Fonts>
void CreateChildControls(HWND parent, const ChildControl (&table)[Controls], const HFONT (&fonts)[Fonts], Dpi dpi) {
    for (const ChildControl& control : table) CreateChildControl(parent, control, fonts[control.font], dpi);
}

// Widens a label, in place, to its text on one line in its own font: the
// platform's stand-ins for the layout's fonts can run wider than the layout
// allows for, and a label must not wrap or be cut out of sight. It ends at
// `right` (client pixels of its parent) at the most.
void WidenToText(HWND label, int right = INT_MAX);

// Moves a control that already exists (a dialog template's) to its place.
void PlaceChildControl(HWND parent, int id, TwipsRect place, Dpi dpi);

}  // namespace win32

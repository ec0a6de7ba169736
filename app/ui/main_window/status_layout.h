#pragma once
// frmStatus's layout: client area and every control, in tab order, in twips.
#include <windows.h>
#include "control_ids.h"

struct ControlLayout {
    int id;
    const wchar_t* windowClass;
    const wchar_t* text;
    int left, top, width, height;   // twips, from the client area's top-left corner
    DWORD style;                    // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    bool bold;
};

constexpr int kStatusClientWidth = 6135;    // twips
constexpr int kStatusClientHeight = 5265;

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;

// Creation order is tab order. WS_GROUP starts a group: each label with the field
// it names, Browse, the row of five buttons (arrow keys move along it), "?".
inline constexpr ControlLayout kStatusControls[] = {
    {IDC_LBL_DIR,    L"Static",  L"&Starting Directory:", 120,  120, 1260,  195, WS_GROUP | SS_LEFT, 0, false},
    {IDC_TXTDIR,     L"Edit",    L"C:\\",                 120,  360, 5055,  315, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false},
    {IDC_CMDBROWSE,  L"Button",  L"&Browse",             5160,  360,  855,  315, WS_GROUP | kButton, 0, false},
    {IDC_LBL_FILES,  L"Static",  L"&Files to Delete",     120,  840, 1005,  195, WS_GROUP | SS_LEFT, 0, false},
    {IDC_LSTDELETE,  L"ListBox", L"",                     120, 1080, 5895, 3570,
        WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, false},
    {IDC_CMDADD,     L"Button",  L"&Add",                 120, 4800, 1095,  375, WS_GROUP | kButton, 0, false},
    {IDC_CMDREMOVE,  L"Button",  L"&Remove",             1320, 4800, 1095,  375, kButton, 0, false},
    {IDC_CMDSAVE,    L"Button",  L"Save &List",          2520, 4800, 1095,  375, kButton, 0, false},
    {IDC_CMDPROCESS, L"Button",  L"&Delete Files",       3720, 4800, 1095,  375, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, false},
    {IDC_CMDCLOSE,   L"Button",  L"&Close",              4920, 4800, 1095,  375, kButton, 0, false},
    {IDC_CMDABOUT,   L"Button",  L"?",                   5880,    0,  255,  225, WS_GROUP | kButton, 0, true},
};

constexpr const wchar_t* kAboutTooltip = L"Click on me...";

#pragma once
// frmStatus's layout: client area and every control, in tab order, in twips.
#include <windows.h>
#include "child_controls.h"
#include "control_ids.h"

constexpr int kStatusClientWidth = 6135;    // twips
constexpr int kStatusClientHeight = 5265;

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
enum StatusFont : std::size_t { kNormalFont, kBoldFont };

// Creation order is tab order. WS_GROUP starts a group: each label with the field
// it names, Browse, the row of five buttons (arrow keys move along it), "?".
inline constexpr win32::ChildControl kStatusControls[] = {
    {IDC_LBL_DIR,    L"Static",  L"&Starting Directory:", {120,  120, 1260,  195}, WS_GROUP | SS_LEFT, 0, kNormalFont},
    {IDC_TXTDIR,     L"Edit",    L"C:\\",                 {120,  360, 5055,  315},
        WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kNormalFont},
    {IDC_CMDBROWSE,  L"Button",  L"&Browse",             {5160,  360,  855,  315}, WS_GROUP | kButton, 0, kNormalFont},
    {IDC_LBL_FILES,  L"Static",  L"&Files to Delete",     {120,  840, 1005,  195}, WS_GROUP | SS_LEFT, 0, kNormalFont},
    {IDC_LSTDELETE,  L"ListBox", L"",                     {120, 1080, 5895, 3570},
        WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, kNormalFont},
    {IDC_CMDADD,     L"Button",  L"&Add",                 {120, 4800, 1095,  375}, WS_GROUP | kButton, 0, kNormalFont},
    {IDC_CMDREMOVE,  L"Button",  L"&Remove",             {1320, 4800, 1095,  375}, kButton, 0, kNormalFont},
    {IDC_CMDSAVE,    L"Button",  L"Save &List",          {2520, 4800, 1095,  375}, kButton, 0, kNormalFont},
    {IDC_CMDPROCESS, L"Button",  L"&Delete Files",       {3720, 4800, 1095,  375},
        WS_TABSTOP | BS_DEFPUSHBUTTON, 0, kNormalFont},
    {IDC_CMDCLOSE,   L"Button",  L"&Close",              {4920, 4800, 1095,  375}, kButton, 0, kNormalFont},
    {IDC_CMDABOUT,   L"Button",  L"?",                   {5880,    0,  255,  225}, WS_GROUP | kButton, 0, kBoldFont},
};

constexpr const wchar_t* kAboutTooltip = L"Click on me...";

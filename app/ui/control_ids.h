#pragma once
// Child-window identifiers of Scourway's windows. The end-to-end tests find the
// controls by these from outside the process, so they are part of the program's face.

// frmStatus, the main window
#define IDC_LBL_DIR        1000   // lbl(0) "&Starting Directory:"
#define IDC_TXTDIR         1001
#define IDC_CMDBROWSE      1002
#define IDC_LBL_FILES      1003   // lbl(1) "&Files to Delete"
#define IDC_LSTDELETE      1004
#define IDC_CMDADD         1005
#define IDC_CMDREMOVE      1006
#define IDC_CMDSAVE        1007
#define IDC_CMDPROCESS     1008   // default button (Enter)
#define IDC_CMDCLOSE       1009   // cancel button (Esc)
#define IDC_CMDABOUT       1010

// The text prompt used by Add and Edit
#define IDC_PROMPT_LABEL   1100
#define IDC_PROMPT_EDIT    1101
// its OK and Cancel are IDOK and IDCANCEL

// frmAbout
#define IDC_ABOUT_OK           1200
#define IDC_ABOUT_PICICON      1201
#define IDC_ABOUT_DESCRIPTION  1202
#define IDC_ABOUT_DISCLAIMER   1203
#define IDC_ABOUT_TITLE        1204
#define IDC_ABOUT_VERSION      1205

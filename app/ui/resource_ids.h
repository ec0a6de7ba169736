#pragma once
// Resource identifiers of Scourway.exe (app/res/Scourway.rc).

#define IDI_SCOURWAY   1     // the program's picture, 16 x 16 and 32 x 32; also the exe's icon
#define IDD_STATUS     100   // frame of the main window; its controls are built from a twips table
#define IDD_PROMPT     101   // the text prompt of Add and Edit
#define IDR_TOLLEN_MANIFEST 200   // Tollen.ocx beside the program (RT_MANIFEST, activated by the program)

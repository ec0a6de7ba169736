// Resource numbers of Tollen.ocx, shared by Tollen.rc and the code.
#pragma once

#define IDI_PATHWICK 1        // 32 x 32 picture of the control and the About window's image
#define IDC_POINTING_HAND 1   // cursor over the About window's web address
#define IDR_IMAGE1 1          // GIF87a picture of the About window, resource type "GIF"
#define IDB_TOOLBOX 30000     // 16 x 15 toolbox image

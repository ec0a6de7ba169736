#pragma once
// Resources of the About window (app/res/about.rc).
#define IDR_ABOUT_PRODUCT_JPEG  2001   // RCDATA: the product picture, 83 x 119, JPEG
#define IDC_ABOUT_HAND          2002   // CURSOR: hand with raised index finger, hot spot 5,0
#define IDD_ABOUT               2003   // DIALOG: the frame; its controls are built from twips

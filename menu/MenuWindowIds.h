// The numbers that differ between the programs that carry the menu window:
// its layout resources and its control numbers. Each program fills one from
// its own block of resources/menu_ids.h with MENU_WINDOW_IDS(prefix).
#pragma once

struct MenuWindowIds {
    unsigned layoutBase;      // resource of layout 0; layout i is layoutBase + i
    unsigned placeholder;     // template id given before the layout is known
    int lines[12];            // line slots 0..11
    int noLine;               // the no-line marker (slot 14)
    int heading1;
    int heading2;
};

#define MENU_WINDOW_IDS(P) {                                                     \
    P##LAYOUT_BASE, P##PLACEHOLDER,                                              \
    {P##IDC_LINE1, P##IDC_LINE2, P##IDC_LINE3, P##IDC_LINE4, P##IDC_LINE5,       \
     P##IDC_LINE6, P##IDC_LINE7, P##IDC_LINE8, P##IDC_LINE9, P##IDC_LINE10,      \
     P##IDC_LBL, P##IDC_LBR},                                                    \
    P##IDC_NOLINE, P##IDC_HEAD1, P##IDC_HEAD2 }

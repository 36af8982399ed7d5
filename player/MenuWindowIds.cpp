#include "MenuWindowIds.h"
#include "../resources/menu_ids.h"

#define MENU_IDS(P) {                                                            \
    P##LAYOUT_BASE, P##PLACEHOLDER,                                              \
    {P##IDC_LINE1, P##IDC_LINE2, P##IDC_LINE3, P##IDC_LINE4, P##IDC_LINE5,       \
     P##IDC_LINE6, P##IDC_LINE7, P##IDC_LINE8, P##IDC_LINE9, P##IDC_LINE10,      \
     P##IDC_LBL, P##IDC_LBR},                                                    \
    P##IDC_NOLINE, P##IDC_HEAD1, P##IDC_HEAD2 }

const MenuWindowIds kPlayerMenuIds = MENU_IDS(PLAYER_);
const MenuWindowIds kEditorMenuIds = MENU_IDS(EDITOR_);

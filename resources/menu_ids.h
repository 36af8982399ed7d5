/* Control and resource numbers of the menu window. The player and the
   editor carry the same ten layouts under different numbers; both sets are
   defined here and nowhere else. Plain #defines: windres reads this too. */
#ifndef TLK_MENU_IDS_H
#define TLK_MENU_IDS_H

/* Player */
#define PLAYER_LAYOUT_BASE   104
#define PLAYER_PLACEHOLDER   103
#define PLAYER_IDC_NOLINE    1000
#define PLAYER_IDC_LINE1     1004
#define PLAYER_IDC_LINE2     1005
#define PLAYER_IDC_LINE3     1006
#define PLAYER_IDC_LINE4     1007
#define PLAYER_IDC_LINE5     1008
#define PLAYER_IDC_LBL       1009
#define PLAYER_IDC_LBR       1010
#define PLAYER_IDC_LINE6     1011
#define PLAYER_IDC_LINE7     1012
#define PLAYER_IDC_LINE8     1013
#define PLAYER_IDC_LINE9     1014
#define PLAYER_IDC_LINE10    1015
#define PLAYER_IDC_HEAD1     1017
#define PLAYER_IDC_HEAD2     1018

/* Editor (test run and preview) */
#define EDITOR_LAYOUT_BASE   304
#define EDITOR_PLACEHOLDER   303
#define EDITOR_IDC_NOLINE    3000
#define EDITOR_IDC_LINE1     3004
#define EDITOR_IDC_LINE2     3005
#define EDITOR_IDC_LINE3     3006
#define EDITOR_IDC_LINE4     3007
#define EDITOR_IDC_LINE5     3008
#define EDITOR_IDC_LBL       3009
#define EDITOR_IDC_LBR       3010
#define EDITOR_IDC_LINE6     3011
#define EDITOR_IDC_LINE7     3012
#define EDITOR_IDC_LINE8     3013
#define EDITOR_IDC_LINE9     3014
#define EDITOR_IDC_LINE10    3015
#define EDITOR_IDC_HEAD1     1079
#define EDITOR_IDC_HEAD2     1080

#endif

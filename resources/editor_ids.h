/* Resource and control numbers of the editor. Plain #defines: windres
   reads this too. */
#ifndef TLK_EDITOR_IDS_H
#define TLK_EDITOR_IDS_H

/* Dialog templates (each one's help context is 0x20000 + its number) */
#define IDD_ABOUT              100
#define IDD_EDITOR             102
#define IDD_WIZARD_BACKGROUND  132
#define IDD_WIZARD_TEMPLATE    133
#define IDD_WIZARD_TEXT        136
#define IDD_ACTION             137
#define IDD_WIZARD_LOOK        138
#define IDD_WIZARD_FINISH      149
#define IDD_WIZARD_INTRO       150
#define IDD_BUILD              151
#define IDD_MENU_FILE          204

/* Icons, menus, strings */
#define IDR_MAINFRAME          128
#define IDR_EDITOR_MENU        203
#define IDS_ABOUTBOX           101
#define IDS_WIZARD_CAPTION     102

/* System menu command of the about box */
#define IDM_ABOUTBOX           0x0010

/* Build and menu-listing folder dialogs (their Help buttons are 2004 too) */
#define IDC_BUILD_FOLDER       1067
#define IDC_MENU_FILE_FOLDER   1101

/* Main window controls */
#define IDC_LOGO               2000
#define IDC_WIZARD             2001
#define IDC_TEST               2002
#define IDC_BUILD              2003
#define IDC_HELP_BUTTON        2004
#define IDC_EXIT               1097
#define IDC_STEP1              1089
#define IDC_STEP2              1090
#define IDC_STEP3              1091

/* Menu commands */
#define ID_FILE_NEW            57600
#define ID_FILE_OPEN           57601
#define ID_FILE_SAVE_AS        32773
#define ID_FILE_EXIT           32776
#define ID_TESTING_PREVIEW     32774
#define ID_TESTING_EXPORT      32775

/* ---- Wizard pages and the action dialog ---- */
/* Introduction page */
#define IDC_WIZLOGO            1084
/* Background page */
#define IDC_BG_LIST            1000
#define IDC_BG_STOCK           1002
#define IDC_BG_OWN             1003
#define IDC_BG_PREVIEW         1040
#define IDC_BG_BROWSE          1041
/* Template page */
#define IDC_TPL_LIST           1007
#define IDC_TPL_PREVIEW        1008
#define IDC_TPL_DESCRIPTION    1082
/* Menu text page: line k (1-12) is IDC_LINE1 + k - 1, its action button
   IDC_ACTION1 + k - 1 */
#define IDC_MENU_NUMBER        1031
#define IDC_LINE1              5043
#define IDC_HEADING1           5055
#define IDC_HEADING2           5056
#define IDC_ACTION1            4009
/* Action dialog (its Help button is IDC_HELP_BUTTON) */
#define IDC_ACT_PROGRAM        1029
#define IDC_ACT_GOTO           1031
#define IDC_ACT_QUIT           1055
#define IDC_ACT_HEADING        1056
#define IDC_ACT_LINE           1076
#define IDC_ACT_PARAMS         1077
#define IDC_ACT_WORKDIR        1078
#define IDC_ACT_RUNAS          1079
#define IDC_ACT_COND_KIND      1080
#define IDC_ACT_COND_VALUE     1081
#define IDC_ACT_COND_BROWSE    1083
#define IDC_ACT_COND_NOT       1085
#define IDC_ACT_COND_HIDE      1086
#define IDC_ACT_COND_GREY      1087
/* Title, colours and sounds page */
#define IDC_TITLE              1066
#define IDC_NORMAL_COLOR       1034
#define IDC_HIGHLIGHT_COLOR    1035
#define IDC_SET_STARTUP        1057
#define IDC_SET_HOVER          1036
#define IDC_SET_SELECT         1037
#define IDC_SET_MENUCHANGE     1038
#define IDC_LISTEN_STARTUP     1061
#define IDC_LISTEN_HOVER       1039
#define IDC_LISTEN_SELECT      1040
#define IDC_LISTEN_MENUCHANGE  1041
#define IDC_NAME_STARTUP       1062
#define IDC_NAME_HOVER         1063
#define IDC_NAME_SELECT        1064
#define IDC_NAME_MENUCHANGE    1065

/* Make Disc Image dialog and its File menu command */
#define IDD_DISC_IMAGE         160
#define IDC_IMAGE_FOLDER       2100
#define IDC_IMAGE_FILE         2101
#define IDC_IMAGE_BROWSE       2102
#define IDC_IMAGE_LABEL        2103
#define IDC_IMAGE_FINDINGS     2104
#define IDC_IMAGE_PROGRESS     2105
#define IDC_IMAGE_STATUS       2106
#define IDC_IMAGE_MAKE         2107
#define IDC_IMAGE_HELP         2108
#define IDC_IMAGE_BURN         2109
#define IDC_IMAGE_NEXT_STEP    2110
#define ID_FILE_MAKE_IMAGE     32777

/* The languages of a menu: the main window's label and Language menu (the
   languages added take the numbers from ID_LANGUAGE_FIRST on), and the
   list of the system's languages to add one from. */
#define IDC_LANGUAGE_LABEL     2011
#define ID_LANGUAGE_ADD        32780
#define ID_LANGUAGE_REMOVE     32781
#define ID_LANGUAGE_DEFAULT    32782
#define ID_LANGUAGE_FIRST      32800
#define ID_LANGUAGE_LAST       32999
#define IDD_LANGUAGE           161
#define IDC_LANGUAGE_LIST      2120
#define IDC_LANGUAGE_HELP      2121

#endif

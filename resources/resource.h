// Resource numbers of the program: dialog templates, strings, icons and the
// ids of the controls in the three dialogs.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX            100
#define IDD_DORVANE_DIALOG      102
#define IDD_PROGRESS            103

// Strings: the system-menu entries and the tool tips of the main window
#define IDS_ABOUTBOX            101
#define IDS_TIP_PATH            102
#define IDS_TIP_CHOOSE_FOLDER   104
#define IDS_TIP_SELECT_FILE     105
#define IDS_TIP_GO              106
#define IDS_TIP_CLOSE           107
#define IDS_TIP_ABOUT           111
#define IDS_TIP_TIME            115
#define IDS_TIP_DATE            116
#define IDS_TIP_CHANGE_CREATED  117
#define IDS_TIP_CHANGE_MODIFIED 118
#define IDS_TIP_READ_ONLY       119
#define IDS_UNDO_LAST_GO        120

// Icons: the program's own, and the 32 x 32 button icons
#define IDR_MAINFRAME           128
#define IDI_DOCUMENT            129
#define IDI_INFO_DARK           131
#define IDI_CROSS               132
#define IDI_TICK                133
#define IDI_FOLDER              134
#define IDI_INFO_BRIGHT         137

// Controls of the main window (Go! and Close are IDOK and IDCANCEL)
#define IDC_PATH                1000
#define IDC_SELECT_FILE         1002
#define IDC_ABOUT               1007
#define IDC_TIME                1010
#define IDC_DATE                1011
#define IDC_CHOOSE_FOLDER       1012
#define IDC_CHANGE_CREATED      1013
#define IDC_CHANGE_MODIFIED     1014
#define IDC_READ_ONLY           1016

// Controls of the About box (OK is IDOK)
#define IDC_MAIL_LINK           1016
#define IDC_WEB_LINK            1017
#define IDC_ABOUT_ICON          1018

// Controls of the progress window (Stop is IDCANCEL)
#define IDC_PROGRESS_WHAT       1020
#define IDC_PROGRESS_FOLDER     1021
#define IDC_PROGRESS_BAR        1022
#define IDC_PROGRESS_COUNT      1023

// The About entry of the main window's system menu
#define IDM_ABOUTBOX            0x0010
#define IDM_UNDO_LAST_GO        0x0020

#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// Resource numbers of the window layer's test dialogs.
#pragma once

#define IDD_TEST_DIALOG     300
#define IDD_TEST_NESTED     301

#define IDC_TEST_COMBO      1000
#define IDC_TEST_DRAWN      1001
#define IDC_TEST_LABEL      1002
#define IDC_TEST_DATE       1003
#define IDC_TEST_CHECK      1004
#define IDC_TEST_PLAIN      1005
#define IDC_TEST_DROPLIST   1006

#define IDS_TEST_TIP        310
#define IDS_TEST_TIP_OTHER  311

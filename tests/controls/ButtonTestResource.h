// Ids of the icon button tests' resources.
#pragma once

#define IDD_BUTTON_TEST     300
#define IDC_BROWSE          1002
#define IDC_CLOSE_BUTTON    1003
#define IDI_TEST_HOT        201
#define IDI_TEST_NORMAL     202
#define IDI_TICK            133

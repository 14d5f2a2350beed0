// Resource numbers of the target combo's test dialog.
#pragma once

#define IDD_COMBO_TEST      400

#define IDC_COMBO_PATH      1000
#define IDC_COMBO_OTHER     1001

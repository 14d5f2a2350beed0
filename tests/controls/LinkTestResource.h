// Ids of the hyperlink label tests' dialog.
#pragma once

#define IDD_LINK_TEST       400
#define IDC_LINK_LEFT       2001
#define IDC_LINK_RIGHT      2002
#define IDC_LINK_CENTER     2003
#define IDC_LINK_VCENTER    2004
#define IDC_LINK_BOTH       2005
#define IDC_LINK_EMPTY      2006

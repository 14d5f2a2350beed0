// A static text or picture control. A label that reacts to clicks has
// SS_NOTIFY and takes the reflected WM_COMMAND with STN_CLICKED in its
// OnChildNotify; its colours come from the reflected WM_CTLCOLORSTATIC
// through CtlColor (CWnd.h).
#pragma once

#include "framework/CWnd.h"

class CStatic : public CWnd
{
};

// The application's message box: owned by the thread's active window (the
// dialog the user is working in), captioned with the application's name.
#pragma once

#include "framework/Win32.h"

int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK);

// The application's message box: owned by the thread's active window (the
// dialog the user is working in), captioned with the application's name.
#pragma once

#include "framework/Win32.h"

int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is loaded from the string table.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = 0);

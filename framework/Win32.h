// The platform headers every part of the program includes, in one place, so
// that each source sees the same Unicode, version and macro settings.
#pragma once

#ifndef UNICODE
#error "Dorvane is a Unicode program: build it with UNICODE and _UNICODE defined."
#endif

#include <windows.h>
#include <tchar.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <objbase.h>

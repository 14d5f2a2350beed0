// Files and folders that several test suites build.
#pragma once

#include "framework/CString.h"

namespace testsupport
{
// Creates folders below base, each name 40 characters long, until the path
// is longer than minLength characters, and returns that path (in the usual
// form, without the extended-length prefix).
CString MakeDeepFolder(const CString& base, int minLength = MAX_PATH + 20);

// Names outside the ANSI code page: Greek, Japanese and Chinese letters.
CString NonAnsiName(LPCTSTR suffix = _T(""));
}

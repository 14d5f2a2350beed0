// Counts shown to the user, in the user's own way of writing numbers.
#pragma once

#include "framework/CString.h"

// 12345 as the user's settings write it: "12,345", "12.345", "12 345".
CString FormatCount(ULONGLONG nCount);

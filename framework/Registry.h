// The one way the program reads a text from the registry.
#pragma once

#include "framework/CString.h"

// The text value pszValue (nullptr: the default value) of hRoot\pszSubKey,
// read whole and terminated whatever is stored; an environment string is
// expanded, a value of another type reads as absent. ERROR_SUCCESS only when
// the value was read; strOut is left alone on any failure.
LONG RegReadString(HKEY hRoot, LPCTSTR pszSubKey, LPCTSTR pszValue, CString& strOut);

// Paths longer than MAX_PATH: the platform accepts them in the extended-length
// form ("\\?\C:\..." or "\\?\UNC\server\share\..."), which is also taken
// literally, without the platform's usual clean-up of the text.
#pragma once

#include "framework/CString.h"

// The full path of pszPath (made absolute and cleaned up as the platform
// does) in extended-length form; a device path ("\\.\...") or a path already
// in that form comes back unchanged. The empty string for an empty path.
CString ToExtendedLengthPath(LPCTSTR pszPath);

// The full path of pszPath as the platform cleans it up, without the prefix.
CString ToFullPath(LPCTSTR pszPath);

// pszPath without an extended-length prefix, for showing to the user.
CString FromExtendedLengthPath(LPCTSTR pszPath);

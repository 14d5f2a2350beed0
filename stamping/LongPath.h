// Paths longer than MAX_PATH: the platform accepts them in the extended-length
// form ("\\?\C:\..." or "\\?\UNC\server\share\..."), which is also taken
// literally, without the platform's usual clean-up of the text.
#pragma once

#include "framework/CString.h"

// The full path of pszPath in extended-length form: made absolute, its "."
// and ".." parts resolved and its separators made single backslashes, every
// name kept as given (the platform's own clean-up would take a dot or a blank
// off the end of a name, and "abc." would name "abc"). A device path
// ("\\.\...") or a path already in extended-length form comes back unchanged.
// Empty, with the reason in GetLastError, for a text that is no path: an
// empty one, or one longer than 32,767 characters made absolute or as given.
// Every path the program is given (a target, a reference file, a pattern)
// reaches the file system through here, so the limit holds for each.
CString ToExtendedLengthPath(LPCTSTR pszPath);

// pszPath without an extended-length prefix, for showing to the user. The
// prefix stays where its absence would change what the path names: before
// anything but a drive or "UNC\", and on its own.
CString FromExtendedLengthPath(LPCTSTR pszPath);

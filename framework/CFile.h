// The file operation the program needs: reading a file's status (times and
// attributes) by name. The name goes to the platform as it is: a path longer
// than MAX_PATH must come in extended-length form.
#pragma once

#include "framework/CFileStatus.h"

class CFile
{
public:
    // Reads the file's times and attributes with one platform call. FALSE
    // when the file cannot be found or read, GetLastError saying why. A
    // symbolic link or junction is read as itself, not as the item it
    // points to.
    static BOOL GetStatus(LPCTSTR pszFileName, CFileStatus& rStatus);
};

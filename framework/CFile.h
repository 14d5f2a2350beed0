// The file operations the program needs: reading and writing a file's status
// (times and attributes) by name. Paths of any length are accepted.
#pragma once

#include "framework/CFileException.h"
#include "framework/CFileStatus.h"

class CFile
{
public:
    // Reads the file's times, size and attributes with one platform call.
    // FALSE when the file cannot be found or read. A symbolic link or junction
    // is read as itself, not as the item it points to.
    static BOOL GetStatus(LPCTSTR pszFileName, CFileStatus& rStatus);

    // Writes the record back: each time that differs from what GetStatus read
    // (to the second), and the attribute bits read-only, hidden, system and
    // archive where they differ from the file's. When the file is read-only
    // and the record clears that, the attributes change before the times.
    // The file is opened for its attributes only and shared for reading,
    // writing and deletion, so a file another program holds open is still
    // changed. A link is changed as itself, never its target.
    //
    // Throws CFileException on failure, after putting back any attributes it
    // had already changed: a failure never leaves a file with fewer attributes.
    static void SetStatus(LPCTSTR pszFileName, const CFileStatus& status);
};

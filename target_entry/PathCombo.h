// The target combo box and the path checks that go with it.
#pragma once

#include "framework/CString.h"

class CPathCombo
{
public:
    // Path checks. Each judges a shell shortcut by the item it points to.
    // ResolveShortcut needs COM on the calling thread (the combo's
    // constructor provides it); without it the answer is always empty.

    // The path a shortcut file records, as recorded (the link is not asked
    // to search for a moved target); empty for anything that is not a
    // shortcut, a shortcut without a file-system path, an empty or null path.
    static CString ResolveShortcut(LPCTSTR pszPath);
    // The C runtime's mode word for the path, or for the shortcut's target:
    // _S_IFDIR for a folder, _S_IFREG for a file, with the read and write
    // permission bits; 0 when it cannot be queried.
    static UINT GetPathMode(LPCTSTR pszPath);
    static BOOL IsFolder(LPCTSTR pszPath);
    static BOOL PathExists(LPCTSTR pszPath);
};

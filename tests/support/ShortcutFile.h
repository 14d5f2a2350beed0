// Shell shortcut files for the tests, written through the shell's own link
// object (COM must be initialised on the calling thread).
#pragma once

#include "framework/CString.h"

namespace testsupport
{
// Writes a shortcut at linkPath to targetPath; false when the shell refused.
bool CreateShortcut(const CString& linkPath, const CString& targetPath);
// Writes a shortcut at linkPath to a shell item without a file-system path
// (the computer folder).
bool CreateShortcutToVirtualItem(const CString& linkPath);
}

// Shell shortcut files for the tests, written through the shell's own link
// object (COM must be initialised on the calling thread).
#pragma once

#include "framework/CString.h"

namespace testsupport {
// A shortcut at linkPath to targetPath; false when the shell refused.
bool CreateShortcut(const CString& linkPath, const CString& targetPath);
// A shortcut to the computer folder, an item without a file-system path.
bool CreateShortcutToVirtualItem(const CString& linkPath);
}

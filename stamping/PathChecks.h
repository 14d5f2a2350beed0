// What a path names: the checks that decide whether a target is a file or a
// folder, and what a shell shortcut stands for. They need no window.
#pragma once

#include "framework/CString.h"

namespace PathChecks
{
enum class Kind
{
    Nothing,    // nothing there, or a text no path can be
    File,
    Folder
};

// What is at exactly this path, a shortcut or link judged as the item it is.
// Answers for paths of any length. *pdwAttributes, when given, gets the
// item's attributes.
Kind KindOf(LPCTSTR pszPath, DWORD* pdwAttributes = nullptr);

// The path a shortcut file records, as recorded (the link is not asked to
// search for a moved target); empty for anything that is not a shortcut, a
// shortcut without a file-system path, an empty or null path. Needs COM on
// the calling thread; without it the answer is always empty. The shortcut's
// access time stays as it was.
CString ResolveShortcut(LPCTSTR pszPath);

// What a target the user names stands for: the item a shortcut records,
// otherwise the path itself.
CString TargetOf(LPCTSTR pszPath);
}

// Which folders a walk has already entered, told apart by volume serial number
// and file index, so that no folder is walked twice however the tree loops
// back on itself (junctions, symbolic links, or links that the platform shows
// as ordinary folders, as Wine does with Unix symbolic links).
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <set>
#include <utility>

class CFolderIdentity
{
public:
    // TRUE the first time a folder is offered, FALSE when it was entered
    // before. A folder whose identity cannot be read is entered: it cannot
    // be part of a loop that the others would not already break.
    bool Enter(LPCTSTR pszExtendedPath);

private:
    std::set<std::pair<std::uint32_t, std::uint64_t>> m_entered;
};

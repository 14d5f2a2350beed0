// Which folders a walk has already entered, told apart by volume serial number
// and file index, so that no folder is walked twice however the tree loops
// back on itself (junctions, symbolic links, or links that the platform shows
// as ordinary folders, as Wine does with Unix symbolic links).
//
// The file index alone is cheap to read. The volume's serial number is not
// (under Wine it is a round trip to another process, which cost the walk a
// seventh of its speed), so it is asked only for folders whose index has been
// met before: only they can be a folder entered already.
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <map>
#include <set>

class CFolderIdentity
{
public:
    // TRUE the first time a folder is offered, FALSE when it was entered
    // before. A folder whose identity cannot be read is entered: it cannot
    // be part of a loop that the others would not already break.
    bool Enter(LPCTSTR pszExtendedPath);

private:
    // The folders entered with one file index: the first one's path until
    // a second one makes their volumes matter, then the volumes.
    struct CSameIndex
    {
        CString strFirstPath;
        std::set<std::uint32_t> volumes;
    };
    std::map<std::uint64_t, CSameIndex> m_entered;
};

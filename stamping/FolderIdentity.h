// Which items a run has already met, told apart by volume serial number and
// file index, so that no folder is walked twice however the tree loops back
// on itself (junctions, symbolic links, or links that the platform shows as
// ordinary folders, as Wine does with Unix symbolic links) and no item is
// stamped twice however the targets overlap.
//
// The file index alone is cheap to read. The volume's serial number is not
// (under Wine it is a round trip to another process, which cost the walk a
// seventh of its speed), so it is asked only for items whose index has been
// met before: only they can be an item met already.
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <map>
#include <set>

class CFolderIdentity
{
public:
    virtual ~CFolderIdentity() = default;

    // Answers true the first time a folder is offered, false when it was
    // entered before. A folder whose identity cannot be read is entered: it
    // cannot be part of a loop that the others would not already break.
    bool Enter(LPCTSTR pszExtendedPath);
    // Whether the folder was entered before; it is not entered now.
    bool Holds(LPCTSTR pszExtendedPath);
    // The same for an item already open, as the handle sees it: a link as
    // itself, if it was opened so.
    bool Enter(HANDLE hItem);
    bool Holds(HANDLE hItem);
    bool IsEmpty() const { return m_entered.empty(); }

protected:
    // An item's file index and its volume's serial number, from the
    // platform; a test gives others to check the comparison below the file
    // system.
    virtual bool ReadIndex(HANDLE hItem, std::uint64_t& index) const;
    virtual bool ReadVolume(HANDLE hItem, std::uint32_t& volume) const;

private:
    // Whether the item was met before; bEnter records it. A folder entered
    // by path gives its volume only when another item shares its index,
    // opened again by that path; an item entered by handle gives it at once.
    bool Met(HANDLE hItem, LPCTSTR pszPath, bool bEnter);
    bool ReadVolumeAt(LPCTSTR pszExtendedPath, std::uint32_t& volume) const;

    // The items entered with one file index: the first one's path until a
    // second one makes their volumes matter, then the volumes.
    struct CSameIndex
    {
        CString strFirstPath;
        std::set<std::uint32_t> volumes;
    };
    std::map<std::uint64_t, CSameIndex> m_entered;
};

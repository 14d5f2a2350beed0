#include "stamping/StampEngine.h"

#include "framework/CFile.h"
#include "framework/CFileFind.h"
#include "framework/FileHandle.h"
#include "framework/LongPath.h"
#include "stamping/FolderIdentity.h"
#include "stamping/LastAccessKept.h"

#include <memory>
#include <vector>

namespace
{
// The bits SetFileAttributes accepts that a file must keep through the
// read-only bit's round trip: a cloud file keeps "always keep on this
// device" (pinned) or "free up space" (unpinned), for instance.
constexpr DWORD kPinned = 0x00080000;      // FILE_ATTRIBUTE_PINNED
constexpr DWORD kUnpinned = 0x00100000;    // FILE_ATTRIBUTE_UNPINNED
constexpr DWORD kSettableBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY | kPinned | kUnpinned;

bool IsFolder(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool SetSettableAttributes(const CString& path, DWORD attributes)
{
    const DWORD settable = attributes & kSettableBits;
    return SetFileAttributes(path, settable != 0 ? settable : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

// Writes the chosen times and no other: a time passed as null stays exactly
// as it is. The item is opened for its attributes only, shared every way so
// that a file another program holds open is changed all the same, and as
// itself: a link, never its target.
bool WriteChosenTimes(const CString& path, const CTimeChoice (&choices)[kTimeKinds], const ItemTimes& after)
{
    FILETIME times[kTimeKinds];
    const FILETIME* chosen[kTimeKinds] = {};
    for (int kind = 0; kind < kTimeKinds; ++kind)
    {
        if (!choices[kind].IsChosen())
            continue;
        times[kind] = FileTimeOf(after.at[kind]);
        chosen[kind] = &times[kind];
    }
    if (chosen[kCreated] == nullptr && chosen[kAccessed] == nullptr && chosen[kModified] == nullptr)
        return true;
    FileHandle item(CreateFile(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                               nullptr));
    return item.IsOpen() && SetFileTime(item.Get(), chosen[kCreated], chosen[kAccessed], chosen[kModified]);
}

// The folder in extended-length form without trailing separators, so that
// "\*.*" can be appended at any depth and any length. Extended-length paths
// are taken literally, so a doubled separator must not reach the platform.
CString SearchFolder(const CString& strFolder)
{
    CString folder = ToExtendedLengthPath(strFolder);
    while (folder.GetLength() > 0 && folder[folder.GetLength() - 1] == _T('\\'))
        folder.Truncate(folder.GetLength() - 1);
    return folder;
}

// The folder itself to open: a drive ("\\?\C:") needs its separator back, or
// it names the volume rather than its root folder.
CString FolderToOpen(const CString& folder)
{
    return folder[folder.GetLength() - 1] == _T(':') ? folder + _T("\\") : folder;
}
}

// Depth first, each folder's entries in the order the platform lists them, a
// subfolder walked where it is met. The folders being listed are kept on the
// heap, not on the call stack, so a tree thousands of folders deep cannot
// exhaust the stack; what is kept grows with the depth, never with the
// number of files.
class CStampEngine::CFolderWalk
{
public:
    explicit CFolderWalk(CStampEngine& engine) : m_engine(engine) {}

    void Walk(const CString& folder)
    {
        Open(folder);
        while (!m_open.empty())
        {
            CFolderListing& listing = *m_open.back();
            if (listing.bMore)
                Visit(listing);
            else
                Close(listing);
        }
    }

private:
    // Listing a folder moves its access time: it is put back when the listing
    // closes (declared first, the keeper goes after the search), before the
    // folder gets times of its own.
    struct CFolderListing
    {
        explicit CFolderListing(const CString& folder) : accessKept(folder) {}
        LastAccessKept accessKept;
        CFileFind finder;
        BOOL bMore = FALSE;
    };

    void Open(const CString& folder)
    {
        if (folder.IsEmpty() || !m_entered.Enter(FolderToOpen(folder)))
            return;
        auto listing = std::make_unique<CFolderListing>(FolderToOpen(folder));
        listing->bMore = listing->finder.FindFile(folder + _T("\\*.*"), 0);
        m_open.push_back(std::move(listing));
    }

    void Visit(CFolderListing& listing)
    {
        listing.bMore = listing.finder.FindNextFile();
        const CFileFind& entry = listing.finder;
        if (entry.IsDots())
            return;
        // A junction or folder link leads out of the tree (or round in a
        // loop): it is neither entered nor stamped. Other reparse points,
        // such as the folders of a cloud drive, are ordinary folders here.
        if (entry.IsDirectory())
        {
            if (!entry.IsLink())
                Open(entry.GetFilePath());
            return;
        }
        const WIN32_FIND_DATA& data = entry.GetFindData();
        m_engine.Stamp(entry.GetFilePath(),
                       {data.dwFileAttributes,
                        TimesOf(data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime)});
    }

    // A folder is done when its listing is: a listing that broke off must
    // not pass for one whose files all got the new times. The folder gets
    // its own times last, once nothing inside it changes any more.
    void Close(CFolderListing& listing)
    {
        const DWORD error = listing.finder.GetError();
        const CString folder = listing.finder.GetRoot();
        m_open.pop_back();
        if (error != ERROR_SUCCESS)
            m_engine.Fail(folder, error);
        else if (m_engine.m_bFolders)
            m_engine.StampItem(FolderToOpen(folder));
    }

    CStampEngine& m_engine;
    CFolderIdentity m_entered;
    std::vector<std::unique_ptr<CFolderListing>> m_open;
};

void CStampEngine::StampItem(const CString& strPath)
{
    CString path = ToExtendedLengthPath(strPath);
    CFileStatus status;
    if (!CFile::GetStatus(path, status))
    {
        Fail(path, GetLastError());
        return;
    }
    Stamp(path, {status.m_dwAttributesRead,
                 TimesOf(status.m_ftCreationRead, status.m_ftLastAccessRead, status.m_ftLastWriteRead)});
}

void CStampEngine::StampTree(const CString& strFolder)
{
    CFolderWalk walk(*this);
    walk.Walk(SearchFolder(strFolder));
}

void CStampEngine::Stamp(const CString& strPath, const ItemFacts& facts)
{
    // A folder's read-only bit does not guard its times (the shell uses it to
    // mark customised folders), so only files are held back by it.
    if ((facts.attributes & FILE_ATTRIBUTE_READONLY) != 0 && !IsFolder(facts.attributes) && !m_bReadOnly)
    {
        m_observer.SkippedReadOnly(FromExtendedLengthPath(strPath));
        return;
    }
    ItemTimes after;
    for (int kind = 0; kind < kTimeKinds; ++kind)
    {
        if (!m_times[kind].Apply(facts.times.at[kind], after.at[kind]))
        {
            Fail(strPath, ERROR_INVALID_TIME);
            return;
        }
    }
    if (!m_bDryRun && !Write(strPath, facts, after))
        return;
    m_observer.Changed(FromExtendedLengthPath(strPath), facts.times, after);
}

bool CStampEngine::Write(const CString& strPath, const ItemFacts& facts, const ItemTimes& after)
{
    // Only the read-only bit comes off for the write; it goes back whether
    // the write worked or not, with every other attribute as it was.
    const bool bReadOnlyOff = (facts.attributes & FILE_ATTRIBUTE_READONLY) != 0 && !IsFolder(facts.attributes);
    if (bReadOnlyOff && !SetSettableAttributes(strPath, facts.attributes & ~FILE_ATTRIBUTE_READONLY))
        return Fail(strPath, GetLastError());
    const bool bWritten = WriteChosenTimes(strPath, m_times, after);
    const DWORD dwWriteError = GetLastError();
    if (bReadOnlyOff && !SetSettableAttributes(strPath, facts.attributes))
        return Fail(strPath, GetLastError());
    if (!bWritten)
        return Fail(strPath, dwWriteError);
    return true;
}

bool CStampEngine::Fail(const CString& strPath, DWORD dwError)
{
    m_observer.Failed(CStampFailure(FromExtendedLengthPath(strPath), static_cast<LONG>(dwError)));
    return false;
}

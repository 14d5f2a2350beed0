#include "stamping/StampEngine.h"

#include "framework/CFileFind.h"
#include "framework/CHandle.h"
#include "stamping/LongPath.h"
#include "stamping/LastAccessKept.h"
#include "stamping/PathChecks.h"

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

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// A folder as well as a file, and as itself: a link, never its target.
constexpr DWORD kAsItself = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;

// A folder's read-only bit does not guard its times (the shell uses it to
// mark customised folders): only a file's does.
bool IsReadOnlyFile(DWORD attributes)
{
    return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == FILE_ATTRIBUTE_READONLY;
}

bool IsAnyTimeChosen(const CStampOptions& options)
{
    for (const CTimeChoice& choice : options.times)
        if (choice.IsChosen())
            return true;
    return false;
}

bool SetSettableAttributes(const CString& path, DWORD attributes)
{
    const DWORD settable = attributes & kSettableBits;
    return SetFileAttributes(path, settable != 0 ? settable : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

// Opens the item to read what it is and, when bWrite asks, to write its
// times, shared every way so that a file another program holds open is
// changed all the same. Such a handle may write the times of a read-only
// file, which Windows documents; Wine run as an ordinary user refuses the
// open (it opens the Unix file for writing). Refused that, the item is
// opened for reading only, and bWritable says so.
HANDLE OpenItem(const CString& path, bool bWrite, bool& bWritable)
{
    bWritable = bWrite;
    if (bWrite)
    {
        const HANDLE hItem = CreateFile(path, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                        OPEN_EXISTING, kAsItself, nullptr);
        if (hItem != INVALID_HANDLE_VALUE || GetLastError() != ERROR_ACCESS_DENIED)
            return hItem;
        bWritable = false;
    }
    return CreateFile(path, FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, kAsItself, nullptr);
}

// Writes the chosen times and no other: a time passed as null stays exactly
// as it is.
bool WriteChosenTimes(HANDLE hItem, const CTimeChoice (&choices)[kTimeKinds], const CItemTimes& after)
{
    FILETIME times[kTimeKinds];
    const FILETIME* chosen[kTimeKinds] = {};
    for (int kind = 0; kind < kTimeKinds; ++kind)
    {
        if (!choices[kind].IsChosen())
            continue;
        times[kind] = FileTimeOf(after.ticks[kind]);
        chosen[kind] = &times[kind];
    }
    return SetFileTime(hItem, chosen[kCreated], chosen[kAccessed], chosen[kModified]) != FALSE;
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
        while (!m_open.empty() && !m_engine.IsStopped())
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
        CLastAccessKept accessKept;
        CFileFind finder;
        bool bMore = false;
    };

    void Open(const CString& folder)
    {
        if (folder.IsEmpty() || !m_engine.m_walked.Enter(FolderToOpen(folder)))
            return;
        auto listing = std::make_unique<CFolderListing>(FolderToOpen(folder));
        listing->bMore = listing->finder.FindFile(folder + _T("\\*.*"), 0) != FALSE;
        m_open.push_back(std::move(listing));
        m_engine.m_observer.Walking(FromExtendedLengthPath(FolderToOpen(folder)));
    }

    // The listing gives names and kinds only: each file's facts are read
    // from the file itself as it is stamped.
    void Visit(CFolderListing& listing)
    {
        listing.bMore = listing.finder.FindNextFile() != FALSE;
        const CFileFind& entry = listing.finder;
        if (entry.IsDots())
            return;
        // A junction or folder link leads out of the tree (or round in a
        // loop): it is neither entered nor stamped. Other reparse points,
        // such as the folders of a cloud drive, are ordinary folders here.
        if (!entry.IsDirectory())
            m_engine.Stamp(entry.GetFilePath(), kWalked);
        else if (!entry.IsLink())
            Open(entry.GetFilePath());
    }

    // A folder is done when its listing is: a listing that broke off must
    // not pass for one whose files all got the new times. The folder gets
    // its own times last, once nothing inside it changes any more.
    void Close(CFolderListing& listing)
    {
        const DWORD error = listing.finder.GetError();
        const CString folder = listing.finder.GetRoot();
        m_open.pop_back();
        if (!m_open.empty())
            m_engine.m_observer.Walking(FromExtendedLengthPath(FolderToOpen(m_open.back()->finder.GetRoot())));
        if (error != ERROR_SUCCESS)
            m_engine.Fail(folder, error);
        else if (m_engine.m_options.bFolders)
            m_engine.Stamp(FolderToOpen(folder), kWalked);
    }

    CStampEngine& m_engine;
    std::vector<std::unique_ptr<CFolderListing>> m_open;
};

CStampEngine::CStampEngine(const CStampOptions& options, CStampObserver& observer, CJournalWriter* pJournal,
                           const CStopRequest* pStop)
    : m_options(options), m_bWrites(!options.bDryRun && IsAnyTimeChosen(options)), m_observer(observer),
      m_pJournal(pJournal), m_pStop(pStop)
{
}

void CStampEngine::StampTarget(const CString& strPath)
{
    if (IsStopped())
        return;
    if (PathChecks::KindOf(strPath) == PathChecks::Kind::Folder)
    {
        CFolderWalk(*this).Walk(SearchFolder(strPath));
        return;
    }
    CString path;
    if (ItemPath(strPath, path))
        Stamp(path, kNamed);
}

void CStampEngine::Stamp(const CString& strPath, Naming naming)
{
    bool bWritable = false;
    CHandle item(OpenItem(strPath, m_bWrites, bWritable));
    CItemFacts facts;
    if (!FactsOf(strPath, item, facts))
        return;
    if (!IsNewToThisRun(strPath, item.Get(), naming) || IsJournal(strPath))
        return;
    if (IsReadOnlyFile(facts.attributes) && !m_options.bReadOnly)
    {
        m_observer.SkippedReadOnly(FromExtendedLengthPath(strPath));
        return;
    }
    CItemTimes after;
    if (!WorkOutTimes(facts.times, after))
        Fail(strPath, ERROR_INVALID_TIME);
    else if (!m_bWrites || (Journal(strPath, facts.times, after) &&
                            Write(strPath, item.Get(), bWritable, facts, m_options.times, after)))
        m_observer.Changed(FromExtendedLengthPath(strPath), facts.times, after);
}

void CStampEngine::PutBack(const CJournalEntry& entry)
{
    if (IsStopped())
        return;
    CString path;
    if (!ItemPath(entry.path, path))
        return;
    const bool bWrite = !m_options.bDryRun;
    bool bWritable = false;
    CHandle item(OpenItem(path, bWrite, bWritable));
    CItemFacts facts;
    if (!FactsOf(path, item, facts))
        return;
    // Only the times the run changed tell: the others were never its own.
    CTimeChoice choices[kTimeKinds];
    bool bAsRunLeftIt = true, bAsBefore = true, bWritableTimes = true;
    CItemTimes old = facts.times;
    for (int kind = 0; kind < kTimeKinds; ++kind)
    {
        if (!entry.changed[kind])
            continue;
        choices[kind] = CTimeChoice::At(entry.before.ticks[kind]);
        bWritableTimes = choices[kind].Apply(facts.times.ticks[kind], old.ticks[kind]) && bWritableTimes;
        bAsRunLeftIt = bAsRunLeftIt && facts.times.ticks[kind] == entry.after.ticks[kind];
        bAsBefore = bAsBefore && facts.times.ticks[kind] == entry.before.ticks[kind];
    }
    // An old time no file can be given (a zero time, which the platform
    // reads as "leave it alone") cannot go back: the item keeps all its
    // times and is named, never counted as put back.
    if (!bAsRunLeftIt && !bAsBefore)
        m_observer.ChangedSince(FromExtendedLengthPath(path));
    else if (!bAsBefore && !bWritableTimes)
        Fail(path, ERROR_INVALID_TIME);
    else if (bAsBefore || !bWrite || Write(path, item.Get(), bWritable, facts, choices, old))
        m_observer.Changed(FromExtendedLengthPath(path), facts.times, old);
}

// Last line first, as changes are undone: an item a journal names twice
// (lines joined from two runs, say) goes back through both changes.
void CStampEngine::PutBackAll(CJournalReader& journal, const std::function<void(const CString& strLine)>& onMalformed)
{
    journal.FromLastToFirst();
    CJournalEntry entry;
    for (auto result = journal.Next(entry); result != CJournalReader::kEnd && !IsStopped();
         result = journal.Next(entry))
    {
        if (result == CJournalReader::kItem)
            PutBack(entry);
        else
            onMalformed(journal.LineName());
    }
}

bool CStampEngine::Journal(const CString& strPath, const CItemTimes& before, const CItemTimes& after)
{
    if (m_pJournal == nullptr)
        return true;
    CJournalEntry entry = {FromExtendedLengthPath(strPath), before, after};
    for (int kind = 0; kind < kTimeKinds; ++kind)
        entry.changed[kind] = m_options.times[kind].IsChosen();
    return m_pJournal->Add(entry) || Fail(strPath, GetLastError());
}

// A text that is no path is named as it was given, with the reason.
bool CStampEngine::ItemPath(const CString& strPath, CString& path)
{
    path = ToExtendedLengthPath(strPath);
    return !path.IsEmpty() || Fail(strPath, GetLastError());
}

// False, once the observer has heard why, when the item could not be opened
// or read.
bool CStampEngine::FactsOf(const CString& strPath, const CHandle& item, CItemFacts& facts)
{
    return (item.IsOpen() && ReadFacts(item.Get(), facts)) || Fail(strPath, GetLastError());
}

// From the item itself, not from a folder listing: on NTFS a listing's times
// lag behind for a file another program is writing.
bool CStampEngine::ReadFacts(HANDLE hItem, CItemFacts& facts)
{
    FILE_BASIC_INFO read;
    if (!GetFileInformationByHandleEx(hItem, FileBasicInfo, &read, sizeof(read)))
        return false;
    facts = {read.FileAttributes,
             {{read.CreationTime.QuadPart, read.LastAccessTime.QuadPart, read.LastWriteTime.QuadPart}}};
    return true;
}

// Every chosen time is worked out before any is written: an item one of
// whose new times no file can hold keeps all its times.
bool CStampEngine::WorkOutTimes(const CItemTimes& own, CItemTimes& after) const
{
    for (int kind = 0; kind < kTimeKinds; ++kind)
        if (!m_options.times[kind].Apply(own.ticks[kind], after.ticks[kind]))
            return false;
    return true;
}

// A journal kept among the items it is the journal of is not one of them:
// its times change as it grows, and its undo would find it changed since.
// Known by its path as given: comparing identities would cost every item a
// read of its file index.
bool CStampEngine::IsJournal(const CString& strPath) const
{
    return m_pJournal != nullptr &&
           CompareStringOrdinal(strPath, strPath.GetLength(), m_pJournal->Path(), m_pJournal->Path().GetLength(),
                                TRUE) == CSTR_EQUAL;
}

// An item named directly is passed over when a folder above it was walked in
// this run, or when it was met before; it is remembered for the rest of the
// run. A walk remembers only the files it meets that have other hard links,
// and asks about the rest only once the targets have named some directly, so
// that its memory grows with the linked files alone. So a file is one item
// however many of its links the targets and walks meet: a shift moves it once.
bool CStampEngine::IsNewToThisRun(const CString& strPath, HANDLE hItem, Naming naming)
{
    if (naming == kNamed)
        return !IsInWalkedFolder(strPath) && m_named.Enter(hItem);
    if (HasOtherLinks(hItem))
        return m_named.Enter(hItem);
    return m_named.IsEmpty() || !m_named.Holds(hItem);
}

// Files only: the walk meets each folder once by its own rule, and a file
// system that counts a folder's subfolders as its links (as Unix does) would
// fill the set for nothing.
bool CStampEngine::HasOtherLinks(HANDLE hItem)
{
    FILE_STANDARD_INFO info;
    return GetFileInformationByHandleEx(hItem, FileStandardInfo, &info, sizeof(info)) && !info.Directory &&
           info.NumberOfLinks > 1;
}

// Each folder above the item, up to the root of its volume: as many as the
// path is deep. "\\?\" begins every path here.
bool CStampEngine::IsInWalkedFolder(const CString& strPath)
{
    if (m_walked.IsEmpty())
        return false;
    CString folder = strPath;
    for (int end = folder.ReverseFind(_T('\\')); end > 3; end = folder.ReverseFind(_T('\\')))
    {
        folder.Truncate(end);
        if (m_walked.Holds(FolderToOpen(folder)))
            return true;
    }
    return false;
}

bool CStampEngine::Write(const CString& strPath, HANDLE hItem, bool bWritable, const CItemFacts& facts,
                         const CTimeChoice (&choices)[kTimeKinds], const CItemTimes& after)
{
    if (bWritable)
        return WriteChosenTimes(hItem, choices, after) || Fail(strPath, GetLastError());
    // The open for writing was refused, with ERROR_ACCESS_DENIED (OpenItem).
    if (!IsReadOnlyFile(facts.attributes))
        return Fail(strPath, ERROR_ACCESS_DENIED);
    return WriteWithReadOnlyOff(strPath, facts, choices, after);
}

// Where the platform will not write a read-only file's times otherwise, the
// read-only bit comes off for the write and goes back whether the write
// worked or not, with every other attribute as it was. A file the bit could
// not go back on is named as left writable.
bool CStampEngine::WriteWithReadOnlyOff(const CString& strPath, const CItemFacts& facts,
                                        const CTimeChoice (&choices)[kTimeKinds], const CItemTimes& after)
{
    if (!SetSettableAttributes(strPath, facts.attributes & ~FILE_ATTRIBUTE_READONLY))
        return Fail(strPath, GetLastError());
    CHandle item(CreateFile(strPath, FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, kAsItself, nullptr));
    const bool bWritten = item.IsOpen() && WriteChosenTimes(item.Get(), choices, after);
    const DWORD dwWriteError = bWritten ? ERROR_SUCCESS : GetLastError();
    if (!SetSettableAttributes(strPath, facts.attributes))
        return Fail(strPath, GetLastError(),
                    bWritten ? CStampFailure::kNewTimesButWritable : CStampFailure::kOldTimesButWritable);
    return bWritten || Fail(strPath, dwWriteError);
}

bool CStampEngine::Fail(const CString& strPath, DWORD dwError, CStampFailure::Left left)
{
    m_observer.Failed(CStampFailure(FromExtendedLengthPath(strPath), static_cast<LONG>(dwError), left));
    return false;
}

// Files and folders dropped onto the target combo from the shell.
#include "target_entry/PathCombo.h"

#include "framework/LongPath.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>

namespace
{
// The drop data that comes with WM_DROPFILES, owned until the object goes,
// which releases it: exactly once per drop.
class DropData
{
public:
    explicit DropData(HDROP hDrop) : m_hDrop(hDrop) {}
    ~DropData() { ::DragFinish(m_hDrop); }
    DropData(const DropData&) = delete;
    DropData& operator=(const DropData&) = delete;

    UINT GetCount() const { return ::DragQueryFile(m_hDrop, 0xFFFFFFFF, nullptr, 0); }
    // Without the terminator.
    UINT GetNameLength(UINT nIndex) const { return ::DragQueryFile(m_hDrop, nIndex, nullptr, 0); }
    // Writes at most nChars characters, the terminator included; returns the
    // number written without it.
    UINT ReadName(UINT nIndex, LPTSTR pszName, UINT nChars) const
    { return ::DragQueryFile(m_hDrop, nIndex, pszName, nChars); }

private:
    HDROP m_hDrop;
};

// A fixed, zero-filled block of nChars characters from LocalAlloc, freed
// when the object goes; Get() is nullptr when the allocation failed.
class LocalTextBlock
{
public:
    explicit LocalTextBlock(UINT nChars)
        : m_pText(static_cast<LPTSTR>(::LocalAlloc(LPTR, static_cast<SIZE_T>(nChars) * sizeof(TCHAR))))
    {}
    ~LocalTextBlock() { ::LocalFree(m_pText); }
    LocalTextBlock(const LocalTextBlock&) = delete;
    LocalTextBlock& operator=(const LocalTextBlock&) = delete;

    LPTSTR Get() const { return m_pText; }

private:
    LPTSTR m_pText;
};

// The longest name whose block, terminator included, still has a size in
// bytes that a 32-bit build can express.
constexpr UINT kMaxNameLength = static_cast<UINT>(UINT_MAX / sizeof(TCHAR)) - 1;

// The name of the first dropped item that could be read, or the empty
// string; every item is read, and the drop data is released before it
// returns. Counts, indexes and lengths are full-width, so a long name gets a
// block as long as itself.
CString TakeFirstDroppedName(HDROP hDrop)
{
    DropData drop(hDrop);
    CString name;
    const UINT nCount = drop.GetCount();
    for (UINT i = 0; i < nCount; ++i)
    {
        const UINT nLength = drop.GetNameLength(i);
        if (nLength > kMaxNameLength)
            continue;
        const UINT nChars = nLength + 1;
        LocalTextBlock block(nChars);
        if (block.Get() == nullptr)
            continue;
        const UINT nRead = std::min(drop.ReadName(i, block.Get(), nChars), nLength);
        if (name.IsEmpty())
            name = CString(block.Get(), static_cast<int>(nRead));
    }
    return name;
}

// The longest path the platform can name, in its extended-length form.
constexpr int kMaxPathLength = 32767;

// What the item at exactly this path is, in the C runtime's mode bits:
// _S_IFDIR for a folder, _S_IFREG for a file, 0 when it cannot be queried.
// A shortcut is judged as the file it is. The platform's attribute query in
// extended-length form answers for paths of any length, where _stat gives up
// at 260 characters. A longer text than any path names nothing; it is not
// queried at all, since Wine would cut it off and answer for what is left.
UINT GetItemKind(const CString& path)
{
    const CString extended = ToExtendedLengthPath(path);
    if (extended.IsEmpty() || extended.GetLength() > kMaxPathLength)
        return 0;
    const DWORD dwAttributes = ::GetFileAttributes(extended);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return 0;
    return (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? _S_IFDIR : _S_IFREG;
}

void WriteDroppedPath(CComboBox& combo, const CString& path, BOOL bAccept)
{
    if (bAccept)
        combo.SetWindowText(path);
    // The caret goes after the last character and nothing is selected. The
    // positions travel in 16 bits; a path that exists is shorter than that.
    combo.SetEditSel(path.GetLength(), path.GetLength());
}
}

void CPathCombo::OnDropFiles(HDROP hDropInfo)
{
    CString path = TakeFirstDroppedName(hDropInfo);
    const CString target = ResolveShortcut(path);
    if (!target.IsEmpty())
        path = target;

    const UINT nKind = GetItemKind(path);
    if ((nKind & _S_IFDIR) != 0)
        WriteDroppedPath(*this, path, m_bAcceptFolders);
    else if ((nKind & _S_IFREG) != 0)
        WriteDroppedPath(*this, path, m_bAcceptFiles);
}

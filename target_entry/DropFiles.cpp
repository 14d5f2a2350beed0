// Files and folders dropped onto the target combo from the shell.
#include "target_entry/PathCombo.h"

#include <algorithm>
#include <climits>

namespace
{
// The drop data that comes with WM_DROPFILES, owned until the object goes,
// which releases it: exactly once per drop.
class CDropData
{
public:
    explicit CDropData(HDROP hDrop) : m_hDrop(hDrop) {}
    ~CDropData() { ::DragFinish(m_hDrop); }
    CDropData(const CDropData&) = delete;
    CDropData& operator=(const CDropData&) = delete;

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
class CLocalTextBlock
{
public:
    explicit CLocalTextBlock(UINT nChars)
        : m_pText(static_cast<LPTSTR>(::LocalAlloc(LPTR, static_cast<SIZE_T>(nChars) * sizeof(TCHAR))))
    {}
    ~CLocalTextBlock() { ::LocalFree(m_pText); }
    CLocalTextBlock(const CLocalTextBlock&) = delete;
    CLocalTextBlock& operator=(const CLocalTextBlock&) = delete;

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
    CDropData drop(hDrop);
    CString name;
    const UINT nCount = drop.GetCount();
    for (UINT i = 0; i < nCount; ++i)
    {
        const UINT nLength = drop.GetNameLength(i);
        if (nLength > kMaxNameLength)
            continue;
        const UINT nChars = nLength + 1;
        CLocalTextBlock block(nChars);
        if (block.Get() == nullptr)
            continue;
        const UINT nRead = std::min(drop.ReadName(i, block.Get(), nChars), nLength);
        if (name.IsEmpty())
            name = CString(block.Get(), static_cast<int>(nRead));
    }
    return name;
}

void WriteDroppedPath(CComboBox& combo, const CString& path, bool bAccept)
{
    if (bAccept)
        combo.SetWindowText(path);
    // The caret goes after the last character and nothing is selected. The
    // positions travel in 16 bits; a path that exists is shorter than that.
    combo.SetEditSel(path.GetLength(), path.GetLength());
}
}

bool CPathCombo::TakeItem(LPCTSTR pszItem)
{
    const CString path = PathChecks::TargetOf(pszItem);
    switch (PathChecks::KindOf(path))
    {
    case PathChecks::Kind::Folder:
        WriteDroppedPath(*this, path, m_bAcceptFolders);
        return true;
    case PathChecks::Kind::File:
        WriteDroppedPath(*this, path, m_bAcceptFiles);
        return true;
    case PathChecks::Kind::Nothing:
        break;
    }
    return false;
}

void CPathCombo::OnDropFiles(HDROP hDropInfo)
{
    TakeItem(TakeFirstDroppedName(hDropInfo));
}

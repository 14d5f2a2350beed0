// The folder walk: every file at every depth below a folder gets the new stamp
// time; the folders keep theirs.
#include "main_window/DorvaneDlg.h"

#include "framework/CFileException.h"
#include "framework/CFileFind.h"
#include "framework/LongPath.h"
#include "stamping/FolderIdentity.h"

#include <memory>
#include <vector>

namespace
{
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

// One folder being listed.
struct CFolderListing
{
    CFileFind finder;
    BOOL bMore = FALSE;
};

// Depth first, each folder's entries in the order the platform lists them,
// a subfolder walked where it is met. The folders being listed are kept on
// the heap, not on the call stack, so a tree thousands of folders deep
// cannot exhaust the stack.
class CFolderWalk
{
public:
    explicit CFolderWalk(CDorvaneDlg& dlg) : m_dlg(dlg) {}

    void Walk(const CString& folder)
    {
        Open(folder);
        while (!m_open.empty())
        {
            CFolderListing& listing = *m_open.back();
            if (!listing.bMore)
            {
                // A folder that could not be read to its end must not pass
                // for one whose files all got the new time.
                if (listing.finder.GetError() != ERROR_SUCCESS)
                    throw CFileException(FromExtendedLengthPath(listing.finder.GetRoot()),
                                         static_cast<LONG>(listing.finder.GetError()));
                m_open.pop_back();
                continue;
            }
            listing.bMore = listing.finder.FindNextFile();
            if (listing.finder.IsDots())
                continue;
            if (listing.finder.IsDirectory())
            {
                // A junction or folder link leads out of the tree (or round in
                // a loop): it is not entered. Other reparse points, such as
                // the folders of a cloud drive, are ordinary folders here.
                if (!listing.finder.IsLink())
                    Open(listing.finder.GetFilePath());
            }
            else
            {
                m_dlg.StampFile(listing.finder.GetFilePath());
            }
        }
    }

private:
    void Open(const CString& folder)
    {
        if (folder.IsEmpty() || !m_entered.Enter(FolderToOpen(folder)))
            return;
        auto listing = std::make_unique<CFolderListing>();
        listing->bMore = listing->finder.FindFile(folder + _T("\\*.*"), 0);
        m_open.push_back(std::move(listing));
    }

    CDorvaneDlg& m_dlg;
    CFolderIdentity m_entered;
    std::vector<std::unique_ptr<CFolderListing>> m_open;
};
}

void CDorvaneDlg::StampFolder(const CString& strFolder)
{
    CFolderWalk walk(*this);
    walk.Walk(SearchFolder(strFolder));
}

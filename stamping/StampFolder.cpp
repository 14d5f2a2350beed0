// The folder walk: every file at every depth below a folder gets the new stamp
// time; the folders keep theirs.
#include "main_window/DorvaneDlg.h"

#include "framework/CFileFind.h"
#include "framework/LongPath.h"
#include "stamping/FolderIdentity.h"

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

class CFolderWalk
{
public:
    explicit CFolderWalk(CDorvaneDlg& dlg) : m_dlg(dlg) {}

    void Walk(const CString& folder)
    {
        if (folder.IsEmpty() || !m_entered.Enter(FolderToOpen(folder)))
            return;

        CFileFind finder;
        BOOL bMore = finder.FindFile(folder + _T("\\*.*"), 0);
        while (bMore)
        {
            bMore = finder.FindNextFile();
            if (finder.IsDots())
                continue;
            if (finder.IsDirectory())
            {
                // A junction or folder link leads out of the tree (or round in
                // a loop): it is not entered. Other reparse points, such as
                // the folders of a cloud drive, are ordinary folders here.
                if (!finder.IsLink())
                    Walk(finder.GetFilePath());
            }
            else
            {
                m_dlg.StampFile(finder.GetFilePath());
            }
        }
    }

private:
    CDorvaneDlg& m_dlg;
    CFolderIdentity m_entered;
};
}

void CDorvaneDlg::StampFolder(const CString& strFolder)
{
    CFolderWalk walk(*this);
    walk.Walk(SearchFolder(strFolder));
}

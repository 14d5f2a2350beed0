#include "target_entry/FolderDialog.h"

#include "framework/CComPtr.h"
#include "framework/CWnd.h"
#include "framework/ReportException.h"

namespace
{
// Holds an item identifier list from the shell and frees it.
class CItemIdList
{
public:
    CItemIdList() = default;
    explicit CItemIdList(LPITEMIDLIST pidl) : m_pidl(pidl) {}
    ~CItemIdList() { CoTaskMemFree(m_pidl); }
    CItemIdList(const CItemIdList&) = delete;
    CItemIdList& operator=(const CItemIdList&) = delete;
    LPITEMIDLIST* operator&() { return &m_pidl; }
    LPITEMIDLIST Get() const { return m_pidl; }

private:
    LPITEMIDLIST m_pidl = nullptr;
};

// The file-system path of an item; empty for an item outside the file system.
CString PathOf(LPCITEMIDLIST pidl)
{
    TCHAR path[MAX_PATH] = {};
    if (pidl == nullptr || !SHGetPathFromIDList(pidl, path))
        return CString();
    return CString(path);
}

// The identifier list of a folder path, parsed by the desktop folder.
bool ParseFolder(const CString& strFolder, CItemIdList& pidl)
{
    CComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.Out()))))
        return true;        // without the desktop folder the root is ignored
    CString text(strFolder);
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, text.GetBuffer(text.GetLength()), nullptr,
                                           &pidl, nullptr);
    text.ReleaseBuffer();
    return SUCCEEDED(hr);
}
}

BOOL CFolderDialog::OnSelChanged(LPCTSTR /*pszPath*/, CString& /*strStatusText*/)
{
    return TRUE;
}

// A trailing blank or separator would make the chooser miss the folder: a
// drive root such as C:\ becomes C: before it is handed over.
void CFolderDialog::CleanInitialFolder()
{
    if (m_strInitialFolder.IsEmpty())
        return;
    m_strInitialFolder.TrimRight();
    int last = m_strInitialFolder.GetLength() - 1;
    if (last >= 0 && (m_strInitialFolder[last] == _T('\\') || m_strInitialFolder[last] == _T('/')))
        m_strInitialFolder.Truncate(last);
}

bool CFolderDialog::DoModal(CWnd* pParentWnd)
{
    CleanInitialFolder();

    CItemIdList root;
    if (!m_strRootFolder.IsEmpty() && !ParseFolder(m_strRootFolder, root))
        return false;

    // The browser writes the chosen item's display name here; the caller
    // gets the item's full path instead.
    TCHAR displayName[MAX_PATH] = {};
    BROWSEINFO bi = {};
    bi.hwndOwner = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    bi.pidlRoot = root.Get();
    bi.pszDisplayName = displayName;
    bi.lpszTitle = m_strPrompt.IsEmpty() ? _T("Open") : m_strPrompt.GetString();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    if (m_bStatusText)
        bi.ulFlags |= BIF_STATUSTEXT;
    bi.lpfn = BrowseCallbackProc;
    bi.lParam = reinterpret_cast<LPARAM>(this);

    CItemIdList chosen(SHBrowseForFolder(&bi));
    if (chosen.Get() == nullptr)
        return false;

    m_nImage = bi.iImage;
    m_strSelectedPath = PathOf(chosen.Get());
    return !m_strSelectedPath.IsEmpty();
}

int CALLBACK CFolderDialog::BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    CFolderDialog* dialog = reinterpret_cast<CFolderDialog*>(lpData);
    try
    {
        if (uMsg == BFFM_INITIALIZED)
            dialog->OnInitialized(hwnd);
        else if (uMsg == BFFM_SELCHANGED)
            dialog->OnSelectionChanged(hwnd, reinterpret_cast<LPCITEMIDLIST>(lParam));
    }
    catch (...)
    {
        ReportException();
    }
    return 0;
}

void CFolderDialog::OnInitialized(HWND hwnd)
{
    if (!m_strInitialFolder.IsEmpty())
        ::SendMessage(hwnd, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(m_strInitialFolder.GetString()));
    if (!m_strCaption.IsEmpty())
        ::SetWindowText(hwnd, m_strCaption);
}

void CFolderDialog::OnSelectionChanged(HWND hwnd, LPCITEMIDLIST pidl)
{
    CString status;
    BOOL enable = OnSelChanged(PathOf(pidl), status);
    if (m_bStatusText)
        ::SendMessage(hwnd, BFFM_SETSTATUSTEXT, 0, reinterpret_cast<LPARAM>(status.GetString()));
    ::SendMessage(hwnd, BFFM_ENABLEOK, 0, enable);
}

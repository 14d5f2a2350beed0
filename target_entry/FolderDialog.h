// The shell's folder chooser, with a callback that preselects a folder, sets
// the chooser's caption and lets a derived class judge each selection.
//
// Made on the stack for one choice: set the input fields, call DoModal, read
// the output fields.
#pragma once

#include "framework/CString.h"

class CWnd;

class CFolderDialog
{
public:
    CFolderDialog() = default;
    virtual ~CFolderDialog() = default;
    CFolderDialog(const CFolderDialog&) = delete;
    CFolderDialog& operator=(const CFolderDialog&) = delete;

    // True when a folder with a file-system path was chosen; its path is
    // then in m_strSelectedPath.
    bool DoModal(CWnd* pParentWnd = nullptr);

    // Called on every change of selection with the item's file-system path
    // (empty when it has none); TRUE enables the OK button. The status text
    // is shown when m_bStatusText is set.
    virtual BOOL OnSelChanged(LPCTSTR pszPath, CString& strStatusText);

    CString m_strCaption;        // the chooser's caption; its own when empty
    CString m_strSelectedPath;   // output
    CString m_strRootFolder;     // root of the tree; the whole namespace when empty
    CString m_strInitialFolder;  // selected at the start; none when empty
    CString m_strPrompt;         // above the tree; "Open" when empty
    int m_nImage = 0;            // output: system image-list index of the folder's icon
    bool m_bStatusText = false;  // a status line under the prompt

    static int CALLBACK BrowseCallbackProc(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

private:
    void CleanInitialFolder();
    void OnInitialized(HWND hwnd);
    void OnSelectionChanged(HWND hwnd, LPCITEMIDLIST pidl);
};

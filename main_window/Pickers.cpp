// The two browse buttons beside the target combo: a file picker and a folder
// chooser. A confirmed choice becomes the target and enables Go!; it is
// offered to the history, whose add rules may refuse it (PathCombo.h).
#include "main_window/DorvaneDlg.h"

#include "framework/CFileDialog.h"
#include "target_entry/FolderDialog.h"

void CDorvaneDlg::OnSelectFile()
{
    UpdateData(true);

    CFileDialog picker(TRUE, nullptr, m_strPath, OFN_HIDEREADONLY | OFN_EXPLORER, _T("All Files (*.*) |*.*||"),
                       nullptr);
    picker.m_ofn.lpstrTitle = _T("Select file");
    if (picker.DoModal() != IDOK)
        return;

    TakePickedTarget(picker.GetPathName());
}

void CDorvaneDlg::OnChooseFolder()
{
    UpdateData(true);

    CFolderDialog chooser;
    chooser.m_strPrompt = _T("Choose a folder");
    chooser.m_strInitialFolder = m_strPath;
    // No owner: the main window stays usable while the chooser is open.
    if (!chooser.DoModal(nullptr))
        return;

    TakePickedTarget(chooser.m_strSelectedPath);
}

void CDorvaneDlg::TakePickedTarget(const CString& strPath)
{
    m_btnGo.EnableWindow(TRUE);
    m_strPath = strPath;
    UpdateData(false);
    m_comboPath.AddString(m_strPath);
    m_comboPath.SetEditSel(m_strPath.GetLength(), m_strPath.GetLength());
}

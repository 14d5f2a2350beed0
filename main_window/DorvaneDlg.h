// The main window: the program's whole user interface.
#pragma once

#include "framework/CString.h"
#include "framework/CTime.h"

class CDorvaneDlg
{
public:
    CDorvaneDlg() = default;

    // The new stamp time, and which times to write to which files.
    CTime m_stampTime;
    BOOL m_bChangeCreated = FALSE;
    BOOL m_bChangeModified = FALSE;
    BOOL m_bReadOnly = FALSE;

    // Applies the new stamp time to one file.
    void StampFile(LPCTSTR pszPath);
    // Applies it to every file in the folder and in every folder below it;
    // the folders themselves keep their times.
    void StampFolder(const CString& strFolder);
};

#include "main_window/JournalShelf.h"

#include "framework/CFileFind.h"

#include <algorithm>
#include <shlobj.h>

CJournalShelf::CJournalShelf()
{
    TCHAR szLocal[MAX_PATH] = {};
    const HRESULT hr = SHGetFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szLocal);
    if (SUCCEEDED(hr))
        m_strFolder = CString(szLocal) + _T("\\Brannoch\\Dorvane\\Journal");
    else
        m_dwFolderError = HRESULT_CODE(hr);
}

bool CJournalShelf::MakeRoomForRun(CString& strPath) const
{
    if (m_strFolder.IsEmpty())
    {
        SetLastError(m_dwFolderError);
        return false;
    }
    const int nMade = SHCreateDirectoryEx(nullptr, m_strFolder, nullptr);
    if (nMade != ERROR_SUCCESS && nMade != ERROR_ALREADY_EXISTS)
    {
        SetLastError(static_cast<DWORD>(nMade));
        return false;
    }
    // Runs started within the same millisecond are told apart by a counter.
    SYSTEMTIME now;
    GetSystemTime(&now);
    for (int nRun = 0;; ++nRun)
    {
        strPath.Format(_T("%s\\%04d%02d%02d-%02d%02d%02d-%03d-%03d.txt"), m_strFolder.GetString(), now.wYear,
                       now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, nRun);
        if (GetFileAttributes(strPath) == INVALID_FILE_ATTRIBUTES)
            return true;
    }
}

std::vector<CString> CJournalShelf::Journals() const
{
    std::vector<CString> paths;
    for (const CShelved& journal : List())
        paths.push_back(journal.path);
    return paths;
}

void CJournalShelf::Prune() const
{
    const std::vector<CShelved> journals = List();
    ULONGLONG nBytes = 0;
    for (size_t i = 0; i < journals.size(); ++i)
    {
        nBytes += journals[i].bytes;
        if (i > 0 && (i >= kKept || nBytes > kMostBytes))
            DeleteFile(journals[i].path);
    }
}

// Newest first: the names sort in the order the runs started.
std::vector<CJournalShelf::CShelved> CJournalShelf::List() const
{
    std::vector<CShelved> journals;
    if (m_strFolder.IsEmpty())
        return journals;
    CFileFind finder;
    for (BOOL bMore = finder.FindFile(m_strFolder + _T("\\*.txt")); bMore;)
    {
        bMore = finder.FindNextFile();
        if (!finder.IsDirectory())
        {
            const WIN32_FIND_DATA& found = finder.GetFindData();
            journals.push_back({finder.GetFilePath(), (ULONGLONG(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
        }
    }
    std::sort(journals.begin(), journals.end(),
              [](const CShelved& a, const CShelved& b) { return b.path < a.path; });
    return journals;
}

#include "framework/CFileException.h"

namespace
{
CString SystemErrorText(DWORD error)
{
    LPTSTR buffer = nullptr;
    DWORD length = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, error, 0, reinterpret_cast<LPTSTR>(&buffer), 0, nullptr);
    CString text;
    if (length != 0 && buffer != nullptr)
        text = buffer;
    LocalFree(buffer);
    text.TrimRight();
    if (text.IsEmpty())
        text.Format(_T("System error %lu."), static_cast<unsigned long>(error));
    return text;
}
}

CString CFileException::GetSystemReason() const
{
    return SystemErrorText(static_cast<DWORD>(m_lOsError));
}

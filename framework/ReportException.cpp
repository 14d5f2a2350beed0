#include "framework/ReportException.h"

#include "framework/AfxMessageBox.h"
#include "framework/CException.h"

#include <exception>
#include <new>

namespace
{
const TCHAR kUnexpected[] = _T("An unexpected error occurred.");

CString FromNarrow(const char* text)
{
    int size = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return CString();
    CString result;
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, result.GetBuffer(size - 1), size);
    result.ReleaseBuffer(size - 1);
    return result;
}
}

CString DescribeException()
{
    try
    {
        throw;
    }
    catch (const CException& e)
    {
        return e.GetErrorMessage();
    }
    catch (const std::bad_alloc&)
    {
        return _T("There is not enough memory to complete the operation.");
    }
    catch (const std::exception& e)
    {
        CString what = FromNarrow(e.what());
        if (what.IsEmpty())
            return kUnexpected;
        return _T("An unexpected error occurred:\n") + what;
    }
    catch (...)
    {
        return kUnexpected;
    }
}

void ReportException() noexcept
{
    try
    {
        AfxMessageBox(DescribeException(), MB_OK | MB_ICONEXCLAMATION);
    }
    catch (...)
    {
        // Building the text or the box itself failed (out of memory): the
        // fixed text still reaches the user.
        ::MessageBox(::GetActiveWindow(), kUnexpected, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
}

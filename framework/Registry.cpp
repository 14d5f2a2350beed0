#include "framework/Registry.h"

#include <algorithm>
#include <vector>

LONG RegReadString(HKEY hRoot, LPCTSTR pszSubKey, LPCTSTR pszValue, CString& strOut)
{
    // The buffer grows until the value fits, also when the value grows
    // between two reads.
    std::vector<TCHAR> value(1);
    for (;;)
    {
        DWORD cbValue = static_cast<DWORD>(value.size() * sizeof(TCHAR));
        LONG lResult = ::RegGetValue(hRoot, pszSubKey, pszValue, RRF_RT_REG_SZ, nullptr, value.data(), &cbValue);
        if (lResult == ERROR_SUCCESS)
            strOut = value.data();
        if (lResult != ERROR_MORE_DATA)
            return lResult;
        value.resize(std::max<size_t>(cbValue / sizeof(TCHAR) + 1, value.size() * 2));
    }
}

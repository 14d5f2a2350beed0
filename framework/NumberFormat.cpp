#include "framework/NumberFormat.h"

namespace
{
CString LocaleText(LCTYPE type)
{
    TCHAR text[16] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 16);
    return text;
}

// The locale writes its grouping as "3;0" (threes all the way), "3;2;0"
// (the Indian way) or "3" (one group only); the number format wants the
// same as one number: 3, 32 and 30.
UINT Grouping(const CString& strGrouping)
{
    CString digits;
    for (int at = 0; at < strGrouping.GetLength(); ++at)
        if (strGrouping[at] >= _T('0') && strGrouping[at] <= _T('9'))
            digits += strGrouping.Mid(at, 1);
    if (strGrouping.GetLength() >= 2 && strGrouping.Mid(strGrouping.GetLength() - 2) == _T(";0"))
        digits.Truncate(digits.GetLength() - 1);
    else
        digits += _T("0");
    return static_cast<UINT>(_tcstoul(digits, nullptr, 10));
}
}

CString FormatCount(ULONGLONG nCount)
{
    TCHAR plain[24] = {};
    int at = 23;
    do
        plain[--at] = static_cast<TCHAR>(_T('0') + nCount % 10);
    while ((nCount /= 10) != 0);
    const CString digits(plain + at);
    // No locale groups fewer than three digits; and Wine formats a 0 as
    // nothing at all.
    if (digits.GetLength() <= 3)
        return digits;
    CString decimal = LocaleText(LOCALE_SDECIMAL), thousand = LocaleText(LOCALE_STHOUSAND);
    NUMBERFMT format = {0, 0, Grouping(LocaleText(LOCALE_SGROUPING)), decimal.GetBuffer(0), thousand.GetBuffer(0), 1};
    TCHAR text[64] = {};
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits, &format, text, 64) == 0)
        return digits;
    return text;
}

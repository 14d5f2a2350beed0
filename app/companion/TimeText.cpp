#include "app/companion/TimeText.h"

#include "framework/CTime.h"

#include <vector>

namespace
{
bool IsDigit(TCHAR ch)
{
    return ch >= _T('0') && ch <= _T('9');
}

// The numbers of a text laid out as the pattern: '#' a digit, any other
// character itself. Each run of '#' is one number.
bool ReadFields(LPCTSTR pszText, LPCTSTR pszPattern, std::vector<int>& fields)
{
    bool bInNumber = false;
    for (; *pszPattern != 0; ++pszPattern, ++pszText)
    {
        if (*pszPattern != _T('#'))
        {
            bInNumber = false;
            if (*pszText != *pszPattern)
                return false;
            continue;
        }
        if (!IsDigit(*pszText))
            return false;
        if (!bInNumber)
            fields.push_back(0);
        fields.back() = fields.back() * 10 + (*pszText - _T('0'));
        bInNumber = true;
    }
    return *pszText == 0;
}

// A local time must be one the clocks show: one they skip would be read as
// another, and a user who typed it is told instead of given a guess.
bool LocalFileTime(const SYSTEMTIME& local, FILETIME& ft)
{
    return CTime::Exists(local) && CTime(local).GetAsFileTime(ft);
}
}

bool TimeText::ReadTime(LPCTSTR pszText, bool bUtc, Ticks& time)
{
    std::vector<int> f;
    if (!ReadFields(pszText, _T("####-##-## ##:##:##"), f))
        return false;
    const SYSTEMTIME fields = {static_cast<WORD>(f[0]), static_cast<WORD>(f[1]), 0, static_cast<WORD>(f[2]),
                               static_cast<WORD>(f[3]), static_cast<WORD>(f[4]), static_cast<WORD>(f[5]), 0};
    if (bUtc)
        return UniversalTicks(fields, time) && IsFileTime(time);
    FILETIME ft;
    if (!LocalFileTime(fields, ft))
        return false;
    time = TicksOf(ft);
    return true;
}

bool TimeText::ReadSpan(LPCTSTR pszText, Ticks& span)
{
    CString text(pszText);
    const bool bBack = text.Left(1) == _T("-");
    if (bBack)
        text = text.Mid(1);
    if (text.Find(_T('.')) < 0)
        text = _T("0.") + text;
    // Up to seven digits of days: the span then still fits in 64 bits.
    const int dot = text.Find(_T('.'));
    const CString pattern = CString(std::basic_string<TCHAR>(static_cast<size_t>(dot), _T('#'))) + _T(".##:##:##");
    std::vector<int> f;
    if (dot < 1 || dot > 7 || !ReadFields(text, pattern, f) || f[1] > 23 || f[2] > 59 || f[3] > 59)
        return false;
    span = (((static_cast<Ticks>(f[0]) * 24 + f[1]) * 60 + f[2]) * 60 + f[3]) * kTicksPerSecond;
    if (bBack)
        span = -span;
    return true;
}

CString TimeText::LocalText(Ticks time)
{
    SYSTEMTIME local;
    CString text(_T("(none)"));
    if (CTime(FileTimeOf(time)).GetAsSystemTime(local))
        text.Format(_T("%04u-%02u-%02u %02u:%02u:%02u"), local.wYear, local.wMonth, local.wDay, local.wHour,
                    local.wMinute, local.wSecond);
    return text;
}

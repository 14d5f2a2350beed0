#include "app/companion/ProgressLine.h"

#include "framework/NumberFormat.h"

#include <string>

namespace
{
// A shorter run is over before a line would help; one drawn more often
// only flickers.
const ULONGLONG kFirstAfterMs = 1000;
const ULONGLONG kEveryMs = 200;

CString Blanks(int nCount)
{
    return CString(std::basic_string<TCHAR>(static_cast<size_t>(nCount > 0 ? nCount : 0), _T(' ')));
}
}

CProgressLine::CProgressLine(const CConsoleOutput& err) : m_err(err), m_ullStart(GetTickCount64())
{
}

void CProgressLine::ItemDone()
{
    ++m_nItems;
    DrawWhenDue();
}

void CProgressLine::Walking(LPCTSTR pszFolder)
{
    m_strFolder = pszFolder;
    DrawWhenDue();
}

void CProgressLine::Clear()
{
    if (m_nShown == 0)
        return;
    m_err.Write(_T("\r") + Blanks(m_nShown) + _T("\r"));
    m_nShown = 0;
}

void CProgressLine::DrawWhenDue()
{
    if (!m_err.IsConsole())
        return;
    const ULONGLONG now = GetTickCount64();
    if (now - m_ullStart < kFirstAfterMs || now - m_ullDrawn < kEveryMs)
        return;
    m_ullDrawn = now;
    // Text in the last column would take the cursor down a line.
    const CString text = Text(m_err.Width() - 1);
    if (text.IsEmpty())
        return;
    m_err.Write(_T("\r") + text + Blanks(m_nShown - text.GetLength()));
    m_nShown = text.GetLength();
}

// "12,345 items  C:\Photos\2024" (an undo walks no folder: the count
// alone); a folder too long for the line loses its start, since its end
// says most about where the run is.
CString CProgressLine::Text(int nWidth) const
{
    const CString count = FormatCount(m_nItems) + (m_nItems == 1 ? _T(" item") : _T(" items"));
    const CString gap = m_strFolder.IsEmpty() ? _T("") : _T("  ");
    if (count.GetLength() + gap.GetLength() + m_strFolder.GetLength() <= nWidth)
        return count + gap + m_strFolder;
    const CString cut = _T("  ...");
    int start = m_strFolder.GetLength() - (nWidth - count.GetLength() - cut.GetLength());
    if (start >= m_strFolder.GetLength())
        return count.Left(nWidth > 0 ? nWidth : 0);
    if (IS_LOW_SURROGATE(m_strFolder[start]))
        ++start;
    return count + cut + m_strFolder.Mid(start);
}

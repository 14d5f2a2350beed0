#include "app/companion/ConsoleOutput.h"

#include <string>

CConsoleOutput::CConsoleOutput(DWORD dwStdHandle) : m_hOutput(GetStdHandle(dwStdHandle))
{
    DWORD mode = 0;
    m_bConsole = GetConsoleMode(m_hOutput, &mode) != FALSE;
}

void CConsoleOutput::WriteLine(const CString& strText) const
{
    Write(strText + _T("\r\n"));
}

void CConsoleOutput::Write(const CString& strText) const
{
    DWORD written = 0;
    if (m_bConsole)
    {
        WriteConsole(m_hOutput, strText, static_cast<DWORD>(strText.GetLength()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), &bytes[0], size, nullptr, nullptr);
    WriteFile(m_hOutput, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
}

int CConsoleOutput::Width() const
{
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    return m_bConsole && GetConsoleScreenBufferInfo(m_hOutput, &info) ? info.dwSize.X : 0;
}

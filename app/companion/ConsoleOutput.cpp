#include "app/companion/ConsoleOutput.h"

#include <string>

CConsoleOutput::CConsoleOutput(DWORD dwStdHandle) : m_hOutput(GetStdHandle(dwStdHandle))
{
    DWORD mode = 0;
    m_bConsole = GetConsoleMode(m_hOutput, &mode) != FALSE;
}

void CConsoleOutput::WriteLine(const CString& strText) const
{
    const CString line = strText + _T("\r\n");
    DWORD written = 0;
    if (m_bConsole)
    {
        WriteConsole(m_hOutput, line, static_cast<DWORD>(line.GetLength()), &written, nullptr);
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), &bytes[0], size, nullptr, nullptr);
    WriteFile(m_hOutput, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
}

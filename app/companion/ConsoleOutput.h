// One of the standard output streams, written in lines: to a console as
// UTF-16 (names in any script show as they are, whatever the code page), to
// a file or a pipe as UTF-8.
#pragma once

#include "framework/CString.h"

class CConsoleOutput
{
public:
    // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
    explicit CConsoleOutput(DWORD dwStdHandle);

    // The text and a line end; a text of several lines takes them as it has them.
    void WriteLine(const CString& strText) const;
    // The text as it is, no line end added.
    void Write(const CString& strText) const;

    bool IsConsole() const { return m_bConsole; }
    // How many characters a line of the console holds; 0 when not a console.
    int Width() const;

private:
    HANDLE m_hOutput;
    bool m_bConsole;
};

// The process entry of DorvaneCmd, the console companion of Dorvane.
#include "app/companion/CompanionRun.h"

namespace
{
// Ctrl+C and Ctrl+Break end the run after the item it is at, so that it
// still says what it did; the handler runs on a thread of its own.
CStopRequest g_stop;

BOOL WINAPI StopRun(DWORD dwCtrlType)
{
    if (dwCtrlType != CTRL_C_EVENT && dwCtrlType != CTRL_BREAK_EVENT)
        return FALSE;
    g_stop.Request();
    return TRUE;
}
}

int _tmain(int argc, TCHAR* argv[])
{
    const CConsoleOutput out(STD_OUTPUT_HANDLE);
    const CConsoleOutput err(STD_ERROR_HANDLE);
    CCommandLine line;
    switch (line.Parse(argc, argv))
    {
    case CCommandLine::Outcome::Help:
        out.WriteLine(CCommandLine::Usage());
        return 0;
    case CCommandLine::Outcome::UsageError:
        err.WriteLine(_T("DorvaneCmd: ") + line.m_strError + _T("\r\n") + CCommandLine::Usage());
        return 2;
    case CCommandLine::Outcome::Run:
        break;
    }
    SetConsoleCtrlHandler(StopRun, TRUE);
    return CCompanionRun(line, out, err, g_stop).Run();
}

// The process entry of DorvaneCmd, the console companion of Dorvane.
#include "app/companion/CompanionRun.h"

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
    return CCompanionRun(line, out, err).Run();
}

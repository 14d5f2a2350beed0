// Opening a hyperlink label's target: the shell first, then the program the
// registry names for opening web pages, and a message box when both fail.
#include "controls/HyperLink.h"

#include "framework/AfxMessageBox.h"
#include "framework/CHandle.h"
#include "framework/Registry.h"

#include <vector>

namespace
{
// The longest command line the platform hands to a new process, without
// its terminating null.
const int kMaxCommandLine = 32766;

// As WinExec does, a started program gets this long to become ready for
// input before the launch returns.
const DWORD kInputIdleTimeoutMs = 10000;

// What WinExec returns for a started program.
const UINT kProgramStarted = 33;

INT_PTR LaunchCode(HINSTANCE hResult)
{
    return reinterpret_cast<INT_PTR>(hResult);
}

HINSTANCE LaunchResult(UINT nCode)
{
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(nCode));
}

// The open command with the target in place of its argument placeholder:
// the command is cut where a quoted "%1", or else a bare %1, begins (what
// followed it is dropped, a blank before it stays), and a blank and the
// target, unquoted, are appended.
CString CommandLineFor(CString strCommand, LPCTSTR pszTarget)
{
    int nPlaceholder = strCommand.Find(_T("\"%1\""));
    if (nPlaceholder < 0)
        nPlaceholder = strCommand.Find(_T("%1"));
    if (nPlaceholder >= 0)
        strCommand.Truncate(nPlaceholder);
    return strCommand + _T(" ") + pszTarget;
}

// WinExec's codes for a program that could not start: the error itself
// where it is below 32, ERROR_BAD_FORMAT for any other.
UINT StartFailureCode(DWORD dwError)
{
    return dwError < 32 ? dwError : ERROR_BAD_FORMAT;
}

// Starts a command line as WinExec does (WinExec itself takes only ANSI
// text): the launch result of WinExec for the same command.
UINT RunCommandLine(const CString& strCommandLine, int nShowCmd)
{
    if (strCommandLine.GetLength() > kMaxCommandLine)
        return SE_ERR_OOM;
    // The platform may write into the command line it is given.
    std::vector<TCHAR> commandLine(strCommandLine.GetString(),
                                   strCommandLine.GetString() + strCommandLine.GetLength() + 1);
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(nShowCmd);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcess(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return StartFailureCode(::GetLastError());
    CHandle process(pi.hProcess);
    CHandle thread(pi.hThread);
    ::WaitForInputIdle(pi.hProcess, kInputIdleTimeoutMs);
    return kProgramStarted;
}

LPCTSTR LaunchErrorText(int nError)
{
    switch (nError)
    {
    case 0:
        return _T("The operating system is out\nof memory or resources.");
    case SE_ERR_FNF:
        return _T("The specified file was not found.");
    case SE_ERR_PNF:
        return _T("The specified path was not found.");
    case SE_ERR_ACCESSDENIED:
        return _T("The operating system denied\naccess to the specified file.");
    case SE_ERR_OOM:
        return _T("There was not enough memory to complete the operation.");
    case ERROR_BAD_FORMAT:
        return _T("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
    case SE_ERR_SHARE:
        return _T("A sharing violation occurred. ");
    case SE_ERR_ASSOCINCOMPLETE:
        return _T("The filename association is\nincomplete or invalid.");
    case SE_ERR_DDETIMEOUT:
        return _T("The DDE transaction could not\nbe completed because the request timed out.");
    case SE_ERR_DDEFAIL:
        return _T("The DDE transaction failed.");
    case SE_ERR_DDEBUSY:
        return _T("The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.");
    case SE_ERR_NOASSOC:
        return _T("There is no application associated\nwith the given filename extension.");
    case SE_ERR_DLLNOTFOUND:
        return _T("The specified dynamic-link library was not found.");
    default:
        return nullptr;
    }
}
}

void CHyperLink::OnClicked()
{
    // The visited colour shows until the mouse comes over the label again.
    m_hover.PutOut();
    HINSTANCE hResult = OpenTarget(m_strTarget, SW_SHOW);
    m_bVisited = LaunchCode(hResult) > 32;
    if (!m_bVisited)
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        ShowLaunchError(static_cast<int>(LaunchCode(hResult)));
        return;
    }
    SetVisited(true);
}

HINSTANCE CHyperLink::OpenTarget(LPCTSTR pszTarget, int nShowCmd)
{
    HINSTANCE hResult = ::ShellExecute(nullptr, _T("open"), pszTarget, nullptr, nullptr, nShowCmd);
    if (LaunchCode(hResult) > 32)
        return hResult;

    CString strCommand;
    if (RegReadString(HKEY_CLASSES_ROOT, _T(".htm"), nullptr, strCommand) != ERROR_SUCCESS ||
        RegReadString(HKEY_CLASSES_ROOT, strCommand + _T("\\shell\\open\\command"), nullptr, strCommand) !=
            ERROR_SUCCESS)
        return hResult;

    // A registered but empty command names nothing to run.
    CString strProgram(strCommand);
    if (strProgram.Trim().IsEmpty())
        return LaunchResult(SE_ERR_ASSOCINCOMPLETE);
    return LaunchResult(RunCommandLine(CommandLineFor(strCommand, pszTarget), nShowCmd));
}

void CHyperLink::ShowLaunchError(int nError)
{
    CString strError;
    if (LPCTSTR pszText = LaunchErrorText(nError))
        strError = pszText;
    else
        strError.Format(_T("Unknown Error (%d) occurred."), nError);
    AfxMessageBox(_T("Unable to open hyperlink:\n\n") + strError, MB_OK | MB_ICONEXCLAMATION);
}

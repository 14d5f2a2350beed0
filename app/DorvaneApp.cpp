#include "app/DorvaneApp.h"

#include "main_window/DorvaneDlg.h"

#include <stdlib.h>

namespace
{
// The target named on the command line (Explorer's "Change timestamps with
// Dorvane", a file dropped on the program's icon), or the empty string. Only
// the first counts: the window takes one target, as a drop of many takes the
// first.
CString TargetFromCommandLine()
{
    if (__argc < 2)
        return CString();
    CString target = __targv[1];
    // Explorer quotes the path it passes, so the root of a drive arrives as
    // "D:\", whose backslash the runtime reads as escaping the closing quote.
    // No path holds a quote: a final one stands for that backslash.
    const int nLength = target.GetLength();
    if (nLength > 0 && target[nLength - 1] == _T('"'))
        target = target.Left(nLength - 1) + _T('\\');
    return target;
}
}

// The one application object. No name is given, so the program's name, and
// the profile its settings are kept under, is the executable's file name
// without its extension.
CDorvaneApp theApp;

CDorvaneApp::CDorvaneApp()
    : CWinApp(nullptr)
{
}

BOOL CDorvaneApp::InitInstance()
{
    // The date and time pickers and the tool tips are common controls.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    SetRegistryKey(_T("Brannoch"));

    CDorvaneDlg dlg;
    dlg.m_strStartTarget = TargetFromCommandLine();
    // However the window was closed, the program ends: the result tells
    // nothing the program acts on.
    dlg.DoModal();

    // No message loop of the application's own follows.
    return FALSE;
}

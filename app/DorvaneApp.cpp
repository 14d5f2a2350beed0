#include "app/DorvaneApp.h"

#include "main_window/DorvaneDlg.h"

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
    // However the window was closed, the program ends: the result tells
    // nothing the program acts on.
    dlg.DoModal();

    // No message loop of the application's own follows.
    return FALSE;
}

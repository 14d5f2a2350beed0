// A dialog built from a template in the executable's own resources, run
// modally by DoModal, or modelessly by Create while the loop of the window
// that owns it runs on.
//
// The dialog window is created with the layer's dialog procedure, which binds
// the object at WM_INITDIALOG by subclassing the dialog window. From then on
// every message goes through the same dispatch as any other window (CWnd.h):
// WindowProc, reflection, OnWndMsg, and Default() for the rest, which reaches
// the dialog class's own procedure and so DefDlgProc.
//
// Return values, all in one place (CDialog::DialogProc):
//   - WM_INITDIALOG: the dialog procedure returns OnInitDialog's BOOL; TRUE
//     lets the platform give the focus to the first tab stop.
//   - Every later message: the subclass sits in front of DefDlgProc, so a
//     handler's *pResult is the window procedure's result as it is for any
//     window (an HBRUSH for WM_CTLCOLOR*, the answer to WM_NOTIFY, ...).
//     DWLP_MSGRESULT is never needed; the dialog procedure returns FALSE for
//     every message but WM_INITDIALOG.
//   - The few messages before WM_INITDIALOG (WM_SETFONT, WM_CREATE) get
//     DefDlgProc's processing only.
//
// Commands: IDOK runs OnOK and IDCANCEL runs OnCancel, whether they come
// from a button, from the Enter or Escape key (IsDialogMessage in
// PreTranslateMessage), or from the system menu; the close box (WM_CLOSE)
// runs OnCancel as well.
#pragma once

#include "framework/CWnd.h"

class CDataExchange;

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog in the layer's own modal loop (see DoModal in
    // CDialog.cpp) and returns the value given to EndDialog, or -1 when the
    // window could not be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modelessly, owned by pOwner's window and shown as
    // its template says; the object then owns the window, and its destructor
    // destroys it. FALSE when the window could not be created.
    BOOL Create(CWnd* pOwner);
    // Ends the dialog with nResult.
    void EndDialog(int nResult);

    // Moves the data between the fields and the controls: true reads the
    // controls into the fields, false shows the fields in the controls.
    void UpdateData(bool bSaveAndValidate);

    // --- What a derived dialog overrides ----------------------------------

    // Base: the first data exchange (UpdateData(false)), which binds the
    // DDX_Control members; returns TRUE.
    virtual BOOL OnInitDialog();
    // Base: UpdateData(true), then EndDialog(IDOK).
    virtual void OnOK();
    // Base: EndDialog(IDCANCEL).
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Base: IsDialogMessage for keyboard and mouse messages of this dialog's
    // own windows (Tab, Enter, Escape, mnemonics).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // IDOK and IDCANCEL: OnOK and OnCancel.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The close box: OnCancel.
    void OnClose() override;

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND hWndOwner);
    void RunModalLoop();
    void EndModal(HWND hWndOwner, bool bOwnerWasEnabled);

    bool m_bModalEnded = false;
    int m_nModalResult = -1;
};

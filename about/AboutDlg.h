// The About box: the program's icon, name and version, two notice lines and
// two hyperlink labels, one to the project's web page and one that starts a
// mail to the project, and an "OK" icon button. Built on the stack for each
// showing, so every showing starts with fresh labels in the link colour.
#pragma once

#include "controls/HyperLink.h"
#include "controls/IconButton.h"
#include "framework/CDialog.h"
#include "framework/CIconHolder.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
    ~CAboutDlg() override;

    // What the two labels open.
    static const TCHAR kWebTarget[];
    static const TCHAR kMailTarget[];

    CHyperLink m_linkWeb;
    CHyperLink m_linkMail;
    CIconButton m_btnOK;
    // The program's icon, 32 px at 96 DPI, reloaded when the box moves to a
    // display of another scale; the template's control alone would show the
    // icon file's first image, the largest, at every scale.
    CIconHolder m_icon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDpiChanged(UINT nDpi, LPCRECT prcSuggested) override;

private:
    void LoadProgramIcon(UINT nDpi);
};

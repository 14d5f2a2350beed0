// A modeless dialog with three icon buttons bound the way the program binds
// them, and the button class opened up so that the tests can set the styles
// the program never changes and read the tracking state.
#pragma once

#include "controls/IconButton.h"
#include "framework/CDialog.h"

class CTestIconButton : public CIconButton
{
public:
    using CIconButton::m_bFlat;
    using CIconButton::m_bFlatEdges;
    using CIconButton::m_bHot;
    using CIconButton::m_bShowCaption;
    using CIconButton::m_clrHotBack;
    using CIconButton::m_hHotIcon;
    using CIconButton::m_hNormalIcon;
    using CIconButton::m_nIconHeight;
    using CIconButton::m_nIconPlacement;
    using CIconButton::m_nIconWidth;

    // Gives the button this client size in pixels, keeping its place.
    void Resize(int nWidth, int nHeight);
};

class CButtonTestDialog : public CDialog
{
public:
    CButtonTestDialog();

    // "&Go", the default push button: a hot and a normal icon.
    CTestIconButton m_btnGo;
    // The caption-less browse button: one icon for both looks.
    CTestIconButton m_btnBrowse;
    // "Close": no icon at all.
    CTestIconButton m_btnClose;

    // The style the default push button had in the template, before it was bound.
    DWORD m_dwGoStyleBeforeBinding = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

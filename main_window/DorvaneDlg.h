// The main window: the program's whole user interface. A modal dialog in
// which the user names the target, picks the new date and time, ticks which
// times to change and presses Go!. It loads the settings while it opens and
// saves them whenever it closes.
#pragma once

#include "controls/IconButton.h"
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/CTime.h"
#include "framework/CToolTipCtrl.h"
#include "framework/IconHolder.h"
#include "target_entry/PathCombo.h"

class CStampEngine;

class CDorvaneDlg : public CDialog
{
public:
    explicit CDorvaneDlg(CWnd* pParent = nullptr);

    // The history never holds more than this many targets.
    static constexpr int kHistoryLimit = 10;

    // Controls
    CIconButton m_btnGo;
    CIconButton m_btnClose;
    CIconButton m_btnAbout;
    CPathCombo m_comboPath;
    CIconButton m_btnFile;
    CIconButton m_btnFolder;

    // Dialog data
    CString m_strPath;
    CTime m_date;
    CTime m_time;
    BOOL m_bChangeCreated = FALSE;
    BOOL m_bChangeModified = FALSE;
    BOOL m_bReadOnly = FALSE;
    // The target the program was started with, if any: it opens in the target
    // box as if dropped there, or as typed when it names nothing.
    CString m_strStartTarget;

    IconHolder m_hIcon;
    CToolTipCtrl m_toolTip;

    // The new stamp time, composed by the stamp command.
    CTime m_stampTime;

    // The stamp command (Go!): checks the target, records it in the history,
    // composes the new stamp time and applies it.
    void OnOK() override;
    // Every orderly close comes here: the settings are saved first.
    void OnCancel() override;

    // Applies the new stamp time to one file.
    void StampFile(LPCTSTR pszPath);
    // Applies it to every file in the folder and in every folder below it;
    // the folders themselves keep their times.
    void StampFolder(const CString& strFolder);

    // The settings kept in the registry.
    void LoadSettings();
    void SaveSettings();

    // Command handlers
    void OnAbout();
    void OnSelectFile();
    void OnChooseFolder();
    void OnChangeCreated();
    void OnChangeModified();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    void LimitDateRange();
    void SetButtonIcons();
    void CreateToolTips();

private:
    bool OnClicked(UINT nID);

    // The small image of the program's icon (16 px at 96 DPI, 32 at 192), for
    // the caption and task bar.
    IconHolder m_hSmallIcon;
    void PutTimeOnChosenDate();
    bool ComposeStampTime();
    void ChooseTimes(CStampEngine& engine) const;
    // A target chosen with a picker becomes the target and joins the history.
    void TakePickedTarget(const CString& strPath);
};

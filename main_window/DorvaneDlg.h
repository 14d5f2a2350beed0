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
#include "framework/CIconHolder.h"
#include "main_window/BackgroundRun.h"
#include "main_window/ProgressDlg.h"
#include "target_entry/PathCombo.h"

#include <functional>
#include <memory>

struct CStampOptions;

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
    bool m_bChangeCreated = false;
    bool m_bChangeModified = false;
    bool m_bReadOnly = false;
    // The target the program was started with, if any: it opens in the target
    // box as if dropped there, or as typed when it names nothing.
    CString m_strStartTarget;

    // The program's icon for Alt+Tab and the minimised window (32 px at
    // 96 DPI, 64 at 192).
    CIconHolder m_hIcon;
    CToolTipCtrl m_toolTip;

    // The stamp command (Go!): checks the target, records it in the history,
    // composes the new stamp time and starts the run that applies it.
    void OnOK() override;
    // Every orderly close comes here: the settings are saved first. During a
    // run the user is asked whether to stop it; the window closes once it
    // has stopped.
    void OnCancel() override;
    // A Go! or an Undo is going on its own thread: another cannot start.
    bool IsRunning() const { return m_run != nullptr; }

    // The settings kept in the registry.
    void LoadSettings();
    void SaveSettings();

    // Command handlers
    void OnAbout();
    // Puts back the times the newest journaled Go! replaced, once the user
    // confirms, and removes its journal.
    void OnUndoLastGo();
    void OnSelectFile();
    void OnChooseFolder();
    void OnChangeCreated();
    void OnChangeModified();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSysCommand(UINT nID, LPARAM lParam) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override;
    BOOL OnSetCursor(HWND hWnd, UINT nHitTest, UINT message) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnDpiChanged(UINT nDpi, LPCRECT prcSuggested) override;

    void LimitDateRange();
    // The program's icon in both sizes, in the images made for nDpi.
    void LoadWindowIcons(UINT nDpi);
    void SetButtonIcons();
    void CreateToolTips();

private:
    // Posted by a run to say it has ended.
    static constexpr UINT kRunEnded = WM_APP + 1;

    bool OnClicked(UINT nID);
    // Starts work on a thread of its own, with the progress window over this
    // one saying strWhat of strTarget; afterRun runs here once it has ended,
    // told whether it was stopped.
    void StartRun(CBackgroundRun::Work work, std::shared_ptr<CStampObserver> results, const CString& strWhat,
                  const CString& strTarget, std::function<void(bool bStopped)> afterRun);
    void EndRun();

    // The small image of the program's icon (16 px at 96 DPI, 32 at 192), for
    // the caption and task bar.
    CIconHolder m_hSmallIcon;
    // The new stamp time, composed by the stamp command.
    CTime m_stampTime;
    void PutTimeOnChosenDate();
    bool ComposeStampTime();
    CStampOptions ChosenOptions() const;
    // Offers to set aside the newest journal when it cannot be read.
    void SetAsideUnreadable(const CString& strJournal, DWORD dwError);
    // Greys "Undo last Go!" in the system menu when no journal is kept.
    void UpdateUndoItem();
    // A target chosen with a picker becomes the target and is offered to the
    // history.
    void TakePickedTarget(const CString& strPath);

    // The run going on, if any, and its window (which goes first).
    std::unique_ptr<CBackgroundRun> m_run;
    std::unique_ptr<CProgressDlg> m_progress;
    std::function<void(bool bStopped)> m_afterRun;
    // The user closed the window during the run and chose to stop it.
    bool m_bCloseAfterRun = false;
};

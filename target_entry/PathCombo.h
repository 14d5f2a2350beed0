// The target combo box.
//
// The combo's list is the history of earlier targets, top entry first. Every
// addition, whoever sends it, passes through the combo's own handling of
// CB_ADDSTRING and CB_INSERTSTRING: an entry that begins an existing one
// (ignoring case) is refused, a full list loses its bottom entry first, and
// the drop-down list is widened to the widest entry afterwards.
//
// Typed text is completed from the history at each edit update; a key-down
// of Delete or Backspace switches that off until the next other key, so the
// user can remove a completed tail. Files and folders dropped from the shell
// become the edit text (DropFiles.cpp).
//
// Each object initialises OLE for its thread when it is built and
// uninitialises it when it goes: the shortcut resolution below needs it.
#pragma once

#include "framework/CComboBox.h"
#include "framework/CString.h"
#include "stamping/PathChecks.h"

class CPathCombo : public CComboBox
{
public:
    CPathCombo();
    ~CPathCombo() override;

    // Largest number of entries; below 1 the list has no limit.
    int m_nMaxHistory = 10;
    // Refuse an entry that an existing one begins with, ignoring case.
    bool m_bUniqueHistory = true;
    // Complete the text at the next edit update; every key-down rewrites it.
    bool m_bAutoComplete = true;
    // Whether a dropped file, or folder, is written into the edit field.
    bool m_bAcceptFiles = true;
    bool m_bAcceptFolders = true;
    // This object's constructor initialised OLE; its destructor undoes it.
    bool m_bOleInitialized = false;

    // Puts pszPath at the top of the history, followed by the older entries
    // in their order, without those equal to it and those it begins with.
    // The rebuild empties the edit field: the caller sets the text again.
    void AddToHistory(LPCTSTR pszPath);

    // Takes one named item as a drop of it is taken: a shortcut becomes the
    // item it points to, which becomes the edit text when it exists and this
    // combo accepts its kind. False, with nothing changed, when it names nothing.
    bool TakeItem(LPCTSTR pszItem);

    // Arms the completion on every key-down but Delete and Backspace, which
    // disarm it. Never consumes a message.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Path checks (stamping/PathChecks.h), each judging a shell shortcut by
    // the item it points to. ResolveShortcut needs COM on the calling thread,
    // which the combo's constructor provides.
    static CString ResolveShortcut(LPCTSTR pszPath) { return PathChecks::ResolveShortcut(pszPath); }
    static BOOL IsFolder(LPCTSTR pszPath)
    { return PathChecks::KindOf(PathChecks::TargetOf(pszPath)) == PathChecks::Kind::Folder; }
    static BOOL PathExists(LPCTSTR pszPath)
    { return PathChecks::KindOf(PathChecks::TargetOf(pszPath)) != PathChecks::Kind::Nothing; }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // CB_ADDSTRING and CB_INSERTSTRING: lParam is the text, wParam the insert
    // position. The result is the new position, the position of the entry
    // that refused the text, or the platform's CB_ERR / CB_ERRSPACE.
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    // Position of an entry that pszPath begins, ignoring case, or CB_ERR.
    int FindHistoryEntry(LPCTSTR pszPath);
    // Makes room for one more entry by deleting the bottom one of a full list.
    void TrimHistory();
    // Widens the drop-down list to the widest entry plus a scroll bar.
    void UpdateDroppedWidth();
    void OnEditUpdate();
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    // Writes the first dropped item (a shortcut's target in its place) into
    // the edit field when it exists; the history is left alone.
    void OnDropFiles(HDROP hDropInfo) override;

private:
    LRESULT AddEntry(LPARAM lParam);
    void CompleteFromHistory();

    // Set while OnEditUpdate changes the edit text itself, so that an edit
    // update the platform reports for those changes is not completed again.
    bool m_bCompleting = false;
};

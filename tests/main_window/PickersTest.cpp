// The file picker and the folder chooser behind the two buttons beside the
// target combo, and the folder chooser class on its own. Each picker is
// shown for real; a step running inside its modal loop finds its window,
// reads it and presses one of its buttons.
#include "tests/main_window/MainWindowFixture.h"

#include "target_entry/FolderDialog.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

using testsupport::TempDir;

namespace
{
// Controls of the shell's folder chooser (the same on Windows and Wine).
constexpr int kChooserTree = 0x3741;
constexpr int kChooserPrompt = 0x3742;
constexpr int kChooserStatus = 0x3743;

constexpr UINT kPickerTimeoutMs = 10000;

// Until done is set, cancels whatever picker or message box the thread shows
// once a second, failing the test: a picker the test could not close must not
// hang the suite.
void CancelWhileOpen(std::shared_ptr<bool> done)
{
    testsupport::RunSoon(
        [done] {
            if (*done)
                return;
            if (HWND hBox = testsupport::FindMessageBox())
            {
                ADD_FAILURE() << "a picker was still open; it is cancelled";
                testsupport::PressDialogButton(hBox, IDCANCEL);
            }
            CancelWhileOpen(done);
        },
        1000);
}

// Runs open, which shows a picker and returns when it has closed. Meanwhile
// answer gets the picker's window as soon as it shows, reads it and presses
// one of its buttons. True when a picker showed.
bool WithPicker(const std::function<void()>& open, std::function<void(HWND)> answer)
{
    auto done = std::make_shared<bool>(false);
    auto shown = std::make_shared<bool>(false);
    testsupport::RunWhen(
        [done, shown, answer] {
            if (*done)
                return true;
            HWND hPicker = testsupport::FindMessageBox();
            if (hPicker == nullptr)
                return false;
            *shown = true;
            answer(hPicker);
            return true;
        },
        [] {}, kPickerTimeoutMs);
    testsupport::RunSoon([done] { CancelWhileOpen(done); }, kPickerTimeoutMs);
    open();
    *done = true;
    testsupport::PumpMessages();
    return *shown;
}

// Wine's chooser finds a folder to select by comparing item identifiers
// byte for byte, and these record each folder's last access time. On a file
// system that updates that time at the first read after a change (relatime),
// the first listing of a new folder would make the chooser lose it. Reading
// the new folders once, a moment after their last change, settles the time.
void SettleAccessTimes(std::initializer_list<CString> folders)
{
    ::Sleep(20);
    for (const CString& folder : folders)
    {
        WIN32_FIND_DATA data;
        HANDLE hFind = ::FindFirstFile(folder + _T("\\*"), &data);
        if (hFind != INVALID_HANDLE_VALUE)
            ::FindClose(hFind);
    }
}

CString ParentOf(const CString& path)
{
    return path.Left(path.ReverseFind(_T('\\')));
}

CString ItemText(HWND hDlg, int nID)
{
    return CWnd::GetWindowTextOf(::GetDlgItem(hDlg, nID));
}

// The name an item of the folder chooser's tree shows; empty for no item.
CString TreeItemName(HWND hChooser, HTREEITEM hItem)
{
    if (hItem == nullptr)
        return CString();
    TCHAR text[MAX_PATH] = {};
    TVITEM item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    TreeView_GetItem(::GetDlgItem(hChooser, kChooserTree), &item);
    return CString(text);
}

CString SelectedFolderName(HWND hChooser)
{
    return TreeItemName(hChooser, TreeView_GetSelection(::GetDlgItem(hChooser, kChooserTree)));
}

CString RootFolderName(HWND hChooser)
{
    return TreeItemName(hChooser, TreeView_GetRoot(::GetDlgItem(hChooser, kChooserTree)));
}

// Selects a folder in the chooser as the user's click would.
void SelectFolder(HWND hChooser, LPCTSTR pszPath)
{
    ::SendMessage(hChooser, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(pszPath));
}

// Keeps the verdict of every BFFM_ENABLEOK the chooser receives from the
// moment it is attached until the chooser goes.
LRESULT CALLBACK RecordEnableOk(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                DWORD_PTR dwRefData)
{
    if (uMsg == BFFM_ENABLEOK)
        reinterpret_cast<std::vector<bool>*>(dwRefData)->push_back(lParam != 0);
    else if (uMsg == WM_NCDESTROY)
        ::RemoveWindowSubclass(hWnd, &RecordEnableOk, uIdSubclass);
    return ::DefSubclassProc(hWnd, uMsg, wParam, lParam);
}

void RecordEnableOkVerdicts(HWND hChooser, std::vector<bool>& verdicts)
{
    ASSERT_TRUE(::SetWindowSubclass(hChooser, &RecordEnableOk, 1, reinterpret_cast<DWORD_PTR>(&verdicts)));
}

bool Contains(const std::vector<bool>& verdicts, bool verdict)
{
    return std::find(verdicts.begin(), verdicts.end(), verdict) != verdicts.end();
}

// Wine's chooser judges each selection itself after the callback has, so the
// callback's verdict on the OK button does not last there.
bool ChooserOverrodeTheCallback(const std::vector<bool>& verdicts, bool callbackVerdict)
{
    return testsupport::RunningUnderWine() && !verdicts.empty() && verdicts.back() != callbackVerdict;
}

void PressOk(HWND hPicker)
{
    testsupport::PressDialogButton(hPicker, IDOK);
}

void PressCancel(HWND hPicker)
{
    testsupport::PressDialogButton(hPicker, IDCANCEL);
}

// The file picker's file-name box: a combo box on Windows, an edit field on
// Wine.
HWND FileNameBox(HWND hPicker)
{
    HWND hBox = ::GetDlgItem(hPicker, cmb13);
    return hBox != nullptr ? hBox : ::GetDlgItem(hPicker, edt1);
}

CStringArray FilterTexts(HWND hPicker)
{
    HWND hFilter = ::GetDlgItem(hPicker, cmb1);
    CStringArray texts;
    int count = static_cast<int>(::SendMessage(hFilter, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        TCHAR text[256] = {};
        ::SendMessage(hFilter, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        texts.Add(text);
    }
    return texts;
}

CString LeafOf(const CString& path)
{
    return path.Mid(path.ReverseFind(_T('\\')) + 1);
}
}

class PickersTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_initialFolder = m_dir / _T("Initial folder");
        m_chosenFolder = m_dir / _T("Chosen folder");
        testsupport::MakeFolder(m_initialFolder);
        testsupport::MakeFolder(m_chosenFolder);
        m_firstFile = m_dir / _T("first.txt");
        m_secondFile = m_dir / _T("second.txt");
        testsupport::WriteFile(m_firstFile);
        testsupport::WriteFile(m_secondFile);
        SettleAccessTimes({ParentOf(m_dir.Path()), m_dir.Path(), m_initialFolder, m_chosenFolder});
    }

    // Clicks one of the window's buttons; a picker runs until it returns.
    static void Click(CDorvaneDlg& dlg, int nID)
    {
        ::SendMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                      reinterpret_cast<LPARAM>(dlg.GetDlgItem(nID)));
    }

    static bool ChooseFolder(CDorvaneDlg& dlg, std::function<void(HWND)> answer)
    {
        return WithPicker([&] { Click(dlg, IDC_CHOOSE_FOLDER); }, std::move(answer));
    }

    static bool SelectFile(CDorvaneDlg& dlg, std::function<void(HWND)> answer)
    {
        return WithPicker([&] { Click(dlg, IDC_SELECT_FILE); }, std::move(answer));
    }

    // Distinct history entries, none the beginning of another or of a test path.
    static void FillHistory(CDorvaneDlg& dlg, int nCount)
    {
        for (int i = 0; i < nCount; ++i)
        {
            CString entry;
            entry.Format(_T("C:\\History\\entry %c"), static_cast<TCHAR>(_T('A') + i));
            dlg.m_comboPath.AddString(entry);
        }
        ASSERT_EQ(dlg.m_comboPath.GetCount(), nCount);
    }

    // The caret stands after the last character of the text, nothing selected.
    static void ExpectCaretAtEnd(const CDorvaneDlg& dlg)
    {
        DWORD sel = dlg.m_comboPath.GetEditSel();
        int length = ComboText(dlg).GetLength();
        EXPECT_EQ(LOWORD(sel), length);
        EXPECT_EQ(HIWORD(sel), length);
    }

    // The window as a cancelled picker must leave it.
    static void ExpectUnchanged(const CDorvaneDlg& dlg, const CString& text, const CStringArray& list)
    {
        EXPECT_EQ(ComboText(dlg), text);
        EXPECT_EQ(dlg.m_strPath, text);
        CStringArray now = ComboList(dlg);
        ASSERT_EQ(now.GetSize(), list.GetSize());
        for (int i = 0; i < list.GetSize(); ++i)
            EXPECT_EQ(now[i], list[i]) << "entry " << i;
        EXPECT_FALSE(dlg.m_btnGo.IsWindowEnabled());
    }

    // A confirmed choice: the target, the history's new bottom entry, the
    // caret after it and Go! enabled.
    static void ExpectTarget(const CDorvaneDlg& dlg, const CString& path, int nBottom)
    {
        EXPECT_EQ(dlg.m_strPath, path);
        EXPECT_EQ(ComboText(dlg), path);
        CStringArray list = ComboList(dlg);
        ASSERT_EQ(list.GetSize(), nBottom + 1);
        EXPECT_EQ(list[nBottom], path);
        ExpectCaretAtEnd(dlg);
        EXPECT_TRUE(dlg.m_btnGo.IsWindowEnabled());
    }

    TempDir m_dir;
    CString m_initialFolder;
    CString m_chosenFolder;
    CString m_firstFile;
    CString m_secondFile;
};

// The folder chooser

TEST_F(PickersTest, TheFolderChooserShowsItsPromptUnderTheBrowsersCaptionAndLeavesTheWindowUsable)
{
    CDorvaneDlg dlg;
    Open(dlg);
    HWND hOwner = reinterpret_cast<HWND>(-1);
    CString caption, prompt;
    BOOL bMainEnabled = FALSE;

    ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
        hOwner = ::GetWindow(hChooser, GW_OWNER);
        caption = CWnd::GetWindowTextOf(hChooser);
        prompt = ItemText(hChooser, kChooserPrompt);
        bMainEnabled = dlg.IsWindowEnabled() && dlg.m_btnGo.IsWindowEnabled();
        PressCancel(hChooser);
    }));

    EXPECT_EQ(prompt, CString(_T("Choose a folder")));
    EXPECT_EQ(caption.CompareNoCase(_T("Browse for Folder")), 0) << testsupport::Narrow(caption);
    // No owner: the main window and its Go! stay usable meanwhile.
    EXPECT_EQ(hOwner, nullptr);
    EXPECT_TRUE(bMainEnabled);
}

TEST_F(PickersTest, TheInitialFolderIsHandedOverWithoutTrailingBlanksAndOneSeparatorWhileTheTargetStays)
{
    for (LPCTSTR tail : {_T("\\ \t "), _T("/  "), _T("\\")})
    {
        SCOPED_TRACE(testsupport::Narrow(tail));
        CDorvaneDlg dlg;
        Open(dlg);
        FillHistory(dlg, 3);
        CString typed = m_initialFolder + tail;
        SetComboText(dlg, typed);
        dlg.m_btnGo.EnableWindow(FALSE);
        CStringArray list = ComboList(dlg);
        CString selected;

        ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
            selected = SelectedFolderName(hChooser);
            PressCancel(hChooser);
        }));

        EXPECT_EQ(selected, LeafOf(m_initialFolder));
        ExpectUnchanged(dlg, typed, list);
    }
}

TEST_F(PickersTest, AnEmptyTargetPreselectsNoFolder)
{
    CDorvaneDlg dlg;
    Open(dlg);
    CString selected = _T("not read"), root;

    ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
        selected = SelectedFolderName(hChooser);
        root = RootFolderName(hChooser);
        PressCancel(hChooser);
    }));

    // Nothing, or at most the top of the tree, which the chooser may pick itself.
    if (!selected.IsEmpty())
    {
        EXPECT_EQ(selected, root);
    }
    EXPECT_EQ(ComboText(dlg), CString());
}

TEST_F(PickersTest, TheInitialFolderConfirmedAsItIsBecomesTheTargetWithoutItsTail)
{
    CDorvaneDlg dlg;
    Open(dlg);
    SetComboText(dlg, m_initialFolder + _T("\\  "));

    ASSERT_TRUE(ChooseFolder(dlg, PressOk));

    ExpectTarget(dlg, m_initialFolder, 0);
}

TEST_F(PickersTest, CancellingTheFolderChooserChangesNothing)
{
    CDorvaneDlg dlg;
    Open(dlg);
    FillHistory(dlg, 4);
    SetComboText(dlg, m_initialFolder);
    dlg.m_btnGo.EnableWindow(FALSE);
    CStringArray list = ComboList(dlg);

    ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
        SelectFolder(hChooser, m_chosenFolder);
        PressCancel(hChooser);
    }));

    ExpectUnchanged(dlg, m_initialFolder, list);
}

TEST_F(PickersTest, AChosenFolderBecomesTheTargetAndTheHistorysNewBottomEntryAndEnablesGo)
{
    CDorvaneDlg dlg;
    Open(dlg);
    FillHistory(dlg, 3);
    CStringArray before = ComboList(dlg);
    SetComboText(dlg, m_initialFolder);
    dlg.m_btnGo.EnableWindow(FALSE);

    ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
        SelectFolder(hChooser, m_chosenFolder);
        EXPECT_EQ(SelectedFolderName(hChooser), LeafOf(m_chosenFolder));
        PressOk(hChooser);
    }));

    ExpectTarget(dlg, m_chosenFolder, 3);
    CStringArray after = ComboList(dlg);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after[i], before[i]);
}

TEST_F(PickersTest, WithTenEntriesAChosenFolderReplacesTheBottomOne)
{
    CDorvaneDlg dlg;
    Open(dlg);
    FillHistory(dlg, 10);
    CStringArray before = ComboList(dlg);
    dlg.m_btnGo.EnableWindow(FALSE);

    ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
        SelectFolder(hChooser, m_chosenFolder);
        PressOk(hChooser);
    }));

    ExpectTarget(dlg, m_chosenFolder, 9);
    CStringArray after = ComboList(dlg);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(after[i], before[i]);
}

TEST_F(PickersTest, AChosenFolderThatAnEntryBeginsWithIsNotAddedButStillBecomesTheText)
{
    CDorvaneDlg dlg;
    Open(dlg);
    CString inside = m_chosenFolder + _T("\\inside.txt");
    dlg.m_comboPath.AddString(inside);
    dlg.m_btnGo.EnableWindow(FALSE);

    ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
        SelectFolder(hChooser, m_chosenFolder);
        PressOk(hChooser);
    }));

    EXPECT_EQ(dlg.m_strPath, m_chosenFolder);
    // Exactly the chosen folder, not the longer entry that begins with it.
    EXPECT_EQ(ComboText(dlg), m_chosenFolder);
    CStringArray list = ComboList(dlg);
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list[0], inside);
    ExpectCaretAtEnd(dlg);
    EXPECT_TRUE(dlg.m_btnGo.IsWindowEnabled());
}

TEST_F(PickersTest, AChoiceWithoutAFileSystemPathCountsAsACancel)
{
    CDorvaneDlg dlg;
    Open(dlg);
    FillHistory(dlg, 2);
    SetComboText(dlg, m_initialFolder);
    dlg.m_btnGo.EnableWindow(FALSE);
    CStringArray list = ComboList(dlg);
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    BOOL bOkEnabled = FALSE;
    std::vector<bool> verdicts;

    ASSERT_TRUE(ChooseFolder(dlg, [&](HWND hChooser) {
        RecordEnableOkVerdicts(hChooser, verdicts);
        ::SendMessage(hChooser, BFFM_SETSELECTION, FALSE, reinterpret_cast<LPARAM>(computer));
        bOkEnabled = ::IsWindowEnabled(::GetDlgItem(hChooser, IDOK));
        PressOk(hChooser);
    }));
    CoTaskMemFree(computer);

    // The chooser lets every selection be confirmed, this one included.
    EXPECT_TRUE(Contains(verdicts, true));
    if (!bOkEnabled && ChooserOverrodeTheCallback(verdicts, true))
        std::printf("OK button not checked: Wine's chooser disables it after the callback has enabled it\n");
    else
        EXPECT_TRUE(bOkEnabled);
    ExpectUnchanged(dlg, m_initialFolder, list);
}

// The file picker

TEST_F(PickersTest, TheFilePickerShowsItsTitleItsOneFilterAndTheTargetAsItsFileName)
{
    CDorvaneDlg dlg;
    Open(dlg);
    SetComboText(dlg, m_firstFile);
    CString caption, fileName;
    CStringArray filters;

    ASSERT_TRUE(SelectFile(dlg, [&](HWND hPicker) {
        caption = CWnd::GetWindowTextOf(hPicker);
        fileName = CWnd::GetWindowTextOf(FileNameBox(hPicker));
        filters = FilterTexts(hPicker);
        PressCancel(hPicker);
    }));

    EXPECT_EQ(caption, CString(_T("Select file")));
    EXPECT_EQ(fileName, LeafOf(m_firstFile));
    ASSERT_EQ(filters.GetSize(), 1);
    EXPECT_EQ(filters[0], CString(_T("All Files (*.*) ")));
}

TEST_F(PickersTest, AnEmptyTargetGivesAnEmptyFileName)
{
    CDorvaneDlg dlg;
    Open(dlg);
    CString fileName = _T("not read");

    ASSERT_TRUE(SelectFile(dlg, [&](HWND hPicker) {
        fileName = CWnd::GetWindowTextOf(FileNameBox(hPicker));
        PressCancel(hPicker);
    }));

    EXPECT_EQ(fileName, CString());
    EXPECT_EQ(ComboText(dlg), CString());
}

TEST_F(PickersTest, ATargetThatIsNoValidFileNameStillOpensThePicker)
{
    CDorvaneDlg dlg;
    Open(dlg);
    CString typed = m_dir / _T("half <typed> \"name\" |");
    SetComboText(dlg, typed);
    dlg.m_btnGo.EnableWindow(FALSE);

    EXPECT_TRUE(SelectFile(dlg, PressCancel));

    ExpectUnchanged(dlg, typed, CStringArray());
}

TEST_F(PickersTest, CancellingTheFilePickerChangesNothing)
{
    CDorvaneDlg dlg;
    Open(dlg);
    FillHistory(dlg, 4);
    SetComboText(dlg, m_firstFile);
    dlg.m_btnGo.EnableWindow(FALSE);
    CStringArray list = ComboList(dlg);

    ASSERT_TRUE(SelectFile(dlg, [&](HWND hPicker) {
        ::SetWindowText(FileNameBox(hPicker), m_secondFile);
        PressCancel(hPicker);
    }));

    ExpectUnchanged(dlg, m_firstFile, list);
}

TEST_F(PickersTest, ThePickedFileBecomesTheTargetAndTheHistorysNewBottomEntryAndEnablesGo)
{
    CDorvaneDlg dlg;
    Open(dlg);
    FillHistory(dlg, 2);
    SetComboText(dlg, m_firstFile);
    dlg.m_btnGo.EnableWindow(FALSE);

    ASSERT_TRUE(SelectFile(dlg, [&](HWND hPicker) {
        ::SetWindowText(FileNameBox(hPicker), m_secondFile);
        PressOk(hPicker);
    }));

    ExpectTarget(dlg, m_secondFile, 2);
}

TEST_F(PickersTest, TheInitialFileConfirmedAsItIsBecomesTheTargetWithItsFullPath)
{
    CDorvaneDlg dlg;
    Open(dlg);
    SetComboText(dlg, m_firstFile);

    ASSERT_TRUE(SelectFile(dlg, PressOk));

    ExpectTarget(dlg, m_firstFile, 0);
}

TEST_F(PickersTest, WithTenEntriesAPickedFileReplacesTheBottomOne)
{
    CDorvaneDlg dlg;
    Open(dlg);
    FillHistory(dlg, 10);
    CStringArray before = ComboList(dlg);

    ASSERT_TRUE(SelectFile(dlg, [&](HWND hPicker) {
        ::SetWindowText(FileNameBox(hPicker), m_secondFile);
        PressOk(hPicker);
    }));

    ExpectTarget(dlg, m_secondFile, 9);
    CStringArray after = ComboList(dlg);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(after[i], before[i]);
}

// The folder chooser class on its own

namespace
{
// Refuses one folder and names every selection in the status line.
class CJudgingFolderDialog : public CFolderDialog
{
public:
    explicit CJudgingFolderDialog(const CString& strRefused) : m_strRefused(strRefused) {}

    BOOL OnSelChanged(LPCTSTR pszPath, CString& strStatusText) override
    {
        m_bStatusWasEmpty = m_bStatusWasEmpty && strStatusText.IsEmpty();
        strStatusText = CString(_T("Now: ")) + pszPath;
        return m_strRefused.CompareNoCase(pszPath) != 0;
    }

    CString m_strRefused;
    bool m_bStatusWasEmpty = true;
};
}

class FolderDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        m_first = m_dir / _T("First");
        m_second = m_dir / _T("Second");
        testsupport::MakeFolder(m_first);
        testsupport::MakeFolder(m_second);
        SettleAccessTimes({ParentOf(m_dir.Path()), m_dir.Path(), m_first, m_second});
    }
    void TearDown() override { OleUninitialize(); }

    static bool Run(CFolderDialog& chooser, BOOL& bResult, std::function<void(HWND)> answer)
    {
        return WithPicker([&] { bResult = chooser.DoModal(); }, std::move(answer));
    }

    TempDir m_dir;
    CString m_first;
    CString m_second;
};

TEST_F(FolderDialogTest, ACaptionAndAPromptReplaceTheBrowsersOwn)
{
    CFolderDialog chooser;
    chooser.m_strCaption = _T("Where to?");
    chooser.m_strPrompt = _T("Pick one");
    CString caption, prompt;
    BOOL bResult = TRUE;

    ASSERT_TRUE(Run(chooser, bResult, [&](HWND hChooser) {
        caption = CWnd::GetWindowTextOf(hChooser);
        prompt = ItemText(hChooser, kChooserPrompt);
        PressCancel(hChooser);
    }));

    EXPECT_FALSE(bResult);
    EXPECT_EQ(caption, CString(_T("Where to?")));
    EXPECT_EQ(prompt, CString(_T("Pick one")));
}

TEST_F(FolderDialogTest, WithoutAPromptTheTreeIsHeadedOpen)
{
    CFolderDialog chooser;
    CString prompt;
    BOOL bResult = TRUE;

    ASSERT_TRUE(Run(chooser, bResult, [&](HWND hChooser) {
        prompt = ItemText(hChooser, kChooserPrompt);
        PressCancel(hChooser);
    }));

    EXPECT_EQ(prompt, CString(_T("Open")));
}

TEST_F(FolderDialogTest, TheInitialFolderFieldIsCleanedAndTheChosenPathAndIconComeBack)
{
    CFolderDialog chooser;
    chooser.m_strInitialFolder = m_first + _T("\\ \t");
    BOOL bResult = FALSE;

    ASSERT_TRUE(Run(chooser, bResult, PressOk));

    EXPECT_EQ(chooser.m_strInitialFolder, m_first);
    EXPECT_TRUE(bResult);
    EXPECT_EQ(chooser.m_strSelectedPath, m_first);
    SHFILEINFO info = {};
    SHGetFileInfo(m_first, 0, &info, sizeof(info), SHGFI_SYSICONINDEX);
    if (testsupport::RunningUnderWine() && chooser.m_nImage == 0 && info.iIcon != 0)
        std::printf("icon index not checked: Wine's chooser hands back no image index\n");
    else
        EXPECT_EQ(chooser.m_nImage, info.iIcon);
}

TEST_F(FolderDialogTest, TheStatusLineShowsWhatOnSelChangedWritesAndItsVerdictEnablesOk)
{
    CJudgingFolderDialog chooser(m_second);
    chooser.m_bStatusText = TRUE;
    chooser.m_strInitialFolder = m_first;
    CString statusFirst, statusSecond;
    BOOL bOkFirst = FALSE, bOkSecond = TRUE;
    BOOL bResult = TRUE;
    std::vector<bool> verdicts;

    ASSERT_TRUE(Run(chooser, bResult, [&](HWND hChooser) {
        statusFirst = ItemText(hChooser, kChooserStatus);
        bOkFirst = ::IsWindowEnabled(::GetDlgItem(hChooser, IDOK));
        RecordEnableOkVerdicts(hChooser, verdicts);
        SelectFolder(hChooser, m_second);
        statusSecond = ItemText(hChooser, kChooserStatus);
        bOkSecond = ::IsWindowEnabled(::GetDlgItem(hChooser, IDOK));
        PressCancel(hChooser);
    }));

    EXPECT_TRUE(chooser.m_bStatusWasEmpty);
    EXPECT_EQ(statusFirst, _T("Now: ") + m_first);
    EXPECT_TRUE(bOkFirst);
    EXPECT_EQ(statusSecond, _T("Now: ") + m_second);
    EXPECT_TRUE(Contains(verdicts, false));
    if (bOkSecond && ChooserOverrodeTheCallback(verdicts, false))
        std::printf("OK button not checked: Wine's chooser enables it after the callback has disabled it\n");
    else
        EXPECT_FALSE(bOkSecond);
    EXPECT_FALSE(bResult);
}

TEST_F(FolderDialogTest, TheRootFolderHeadsTheTree)
{
    CFolderDialog chooser;
    chooser.m_strRootFolder = m_dir.Path();
    CString root;
    BOOL bResult = FALSE;

    ASSERT_TRUE(Run(chooser, bResult, [&](HWND hChooser) {
        root = RootFolderName(hChooser);
        SelectFolder(hChooser, m_second);
        PressOk(hChooser);
    }));

    EXPECT_EQ(root, LeafOf(m_dir.Path()));
    EXPECT_TRUE(bResult);
    EXPECT_EQ(chooser.m_strSelectedPath, m_second);
}

TEST_F(FolderDialogTest, ARootThatCannotBeParsedEndsTheChooserBeforeItShows)
{
    CFolderDialog chooser;
    chooser.m_strRootFolder = m_dir / _T("no such folder");
    BOOL bResult = TRUE;

    EXPECT_FALSE(Run(chooser, bResult, PressCancel));
    EXPECT_FALSE(bResult);
    EXPECT_TRUE(chooser.m_strSelectedPath.IsEmpty());
}

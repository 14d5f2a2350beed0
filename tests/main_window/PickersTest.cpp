// The file picker and the folder chooser behind the two buttons beside the target combo, shown for real and
// answered from inside their modal loops.
#include "tests/main_window/MainWindowFixture.h"

#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"

#include <dlgs.h>

#include <functional>
#include <memory>

using testsupport::PressDialogButton;

class PickersTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        testsupport::MakeFolder(m_dir / _T("Initial"));
        testsupport::WriteFile(m_dir / _T("picked.txt"));
        // Wine's chooser finds a folder by identifier bytes that hold its last-access time, which the first
        // listing after a change may move: the new folders are listed once beforehand.
        ::Sleep(20);
        WIN32_FIND_DATA data;
        for (LPCTSTR folder : {_T("\\..\\*"), _T("\\*"), _T("\\Initial\\*")})
            ::FindClose(::FindFirstFile(m_dir.Path() + folder, &data));
        Open(m_dlg);
    }

    // With this target and a history this long, clicks the button, which returns once its picker has closed;
    // answer gets each picker that shows, and one still open after 10 s is cancelled. Returns how many showed.
    int Pick(int nButton, LPCTSTR target, int nEntries, const std::function<void(HWND)>& answer)
    {
        for (int i = m_dlg.m_comboPath.GetCount(); i < nEntries; ++i)
            m_dlg.m_comboPath.AddString(CString(_T("C:\\History ")) + TCHAR(_T('A') + i));
        SetComboText(m_dlg, target);
        m_dlg.m_btnGo.EnableWindow(FALSE);
        m_before = History(m_dlg);
        auto shown = std::make_shared<std::vector<HWND>>();
        auto done = std::make_shared<bool>(false);
        testsupport::RunWhen(
            [=] {
                HWND hPicker = *done ? nullptr : testsupport::FindMessageBox();
                if (hPicker != nullptr && (shown->empty() || shown->back() != hPicker))
                {
                    shown->push_back(hPicker);
                    answer(hPicker);
                }
                return *done;
            },
            [] {
                ADD_FAILURE() << "a picker was still open";
                PressDialogButton(testsupport::FindMessageBox(), IDCANCEL);
            });
        Click(m_dlg, nButton);
        *done = true;
        return static_cast<int>(shown->size());
    }

    // What a picker that chose nothing leaves: everything as it was.
    void ExpectUnchanged(LPCTSTR target)
    {
        EXPECT_EQ(ComboText(m_dlg), target);
        EXPECT_EQ(History(m_dlg), m_before);
        EXPECT_FALSE(::IsWindowEnabled(m_dlg.GetDlgItem(IDOK)));
    }

    // What a confirmed choice leaves: the target, the bottom of the full history, the caret after it, Go! enabled.
    void ExpectTarget(const CString& path)
    {
        EXPECT_EQ(m_dlg.m_strPath, path);
        EXPECT_EQ(ComboText(m_dlg), path);
        EXPECT_EQ(History(m_dlg), m_before.Left(m_before.ReverseFind(_T('|')) + 1) + path);
        EXPECT_EQ(m_dlg.m_comboPath.GetEditSel(), static_cast<DWORD>(MAKELONG(path.GetLength(), path.GetLength())));
        EXPECT_TRUE(::IsWindowEnabled(m_dlg.GetDlgItem(IDOK)));
    }

    // The file picker's name box: a combo box on Windows, an edit field on Wine.
    static HWND NameBox(HWND hPicker)
    {
        return ::GetDlgItem(hPicker, cmb13) != nullptr ? ::GetDlgItem(hPicker, cmb13) : ::GetDlgItem(hPicker, edt1);
    }

    testsupport::TempDir m_dir;
    CDorvaneDlg m_dlg;
    CString m_before;
};

// The chooser preselects the target without its trailing blanks and separator; confirmed, that folder becomes the
// target. A choice outside the file system counts as none.
TEST_F(PickersTest, TheFolderChooserStartsAtTheCleanedTargetAndItsChoiceBecomesTheTarget)
{
    const CString typed = m_dir / _T("Initial\\ \t ");
    ASSERT_EQ(Pick(IDC_CHOOSE_FOLDER, typed, 3, [](HWND hChooser) {
                  EXPECT_EQ(CWnd::GetWindowTextOf(::GetDlgItem(hChooser, 0x3742)), _T("Choose a folder"));
                  EXPECT_EQ(::GetWindow(hChooser, GW_OWNER), nullptr) << "no owner: the main window stays usable";
                  LPITEMIDLIST computer = nullptr;
                  ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
                  ::SendMessage(hChooser, BFFM_SETSELECTION, FALSE, reinterpret_cast<LPARAM>(computer));
                  ::CoTaskMemFree(computer);
                  PressDialogButton(hChooser, IDOK);
              }),
              1);
    ExpectUnchanged(typed);
    ASSERT_EQ(Pick(IDC_CHOOSE_FOLDER, m_dir / _T("Initial/  "), 10, [](HWND h) { PressDialogButton(h, IDOK); }), 1);
    ExpectTarget(m_dir / _T("Initial"));
}

// Windows refuses to open the picker on a name that is no file name, and the program opens it again without one;
// Wine opens it on any name. Either way one picker shows, and a cancel is not taken for a refusal.
TEST_F(PickersTest, TheFilePickerShowsItsTitleItsFilterAndTheTargetsNameAndThePickedFileBecomesTheTarget)
{
    const CString typed = m_dir / _T("half <typed> |");
    ASSERT_EQ(Pick(IDC_SELECT_FILE, typed, 2, [](HWND hPicker) {
                  EXPECT_EQ(CWnd::GetWindowTextOf(hPicker), _T("Select file"));
                  CString name = CWnd::GetWindowTextOf(NameBox(hPicker));
                  EXPECT_TRUE(name.IsEmpty() || (testsupport::RunningUnderWine() && name == _T("half <typed> |")));
                  EXPECT_EQ(::SendMessage(::GetDlgItem(hPicker, cmb1), CB_GETCOUNT, 0, 0), 1);
                  EXPECT_EQ(CWnd::GetWindowTextOf(::GetDlgItem(hPicker, cmb1)), _T("All Files (*.*) "));
                  ::SetWindowText(NameBox(hPicker), _T("other.txt"));
                  PressDialogButton(hPicker, IDCANCEL);
              }),
              1);
    ExpectUnchanged(typed);
    ASSERT_EQ(Pick(IDC_SELECT_FILE, m_dir / _T("picked.txt"), 10, [](HWND hPicker) {
                  EXPECT_EQ(CWnd::GetWindowTextOf(NameBox(hPicker)), _T("picked.txt"));
                  PressDialogButton(hPicker, IDOK);
              }),
              1);
    ExpectTarget(m_dir / _T("picked.txt"));
}

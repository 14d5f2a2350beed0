// The stamp command: what Go! and the Enter key do.
#include "tests/main_window/MainWindowFixture.h"

#include <iostream>

#include "tests/support/ShortcutFile.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UnixSide.h"
#include "tests/support/WindowTestSupport.h"

using testsupport::AnswerNextMessageBox;
using testsupport::TempDir;

namespace
{
const std::uint64_t kOldTicks = testsupport::UnixToTicks(1000000000);   // 2001-09-09

std::uint64_t TicksOf(const CTime& time)
{
    return testsupport::UnixToTicks(time.GetTime());
}

// Whether the temporary folder's file system keeps a file time as given.
bool FileSystemHolds(std::uint64_t ticks)
{
    TempDir dir;
    CString probe = dir / _T("probe");
    testsupport::WriteFile(probe);
    testsupport::WriteTimes(probe, {ticks, ticks, ticks});
    return testsupport::ReadTimes(probe).lastWrite == ticks;
}

// Presses Go! as a click does, and lets the window handle it.
void PressGo(CDorvaneDlg& dlg)
{
    testsupport::PressDialogButton(dlg.m_hWnd, IDOK);
    testsupport::PumpMessages();
}
}

class StampCommandTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_file = m_dir / _T("target.txt");
        testsupport::WriteFile(m_file);
        testsupport::WriteTimes(m_file, {kOldTicks, kOldTicks, kOldTicks});
    }

    // Opens the window with the pickers at the given date and time.
    void OpenAt(CDorvaneDlg& dlg, const SYSTEMTIME& when)
    {
        Open(dlg);
        SetPickerTime(dlg, IDC_DATE, when);
        SetPickerTime(dlg, IDC_TIME, when);
    }

    TempDir m_dir;
    CString m_file;
};

TEST_F(StampCommandTest, ATargetOfBlanksIsRefusedWithItsMessage)
{
    CDorvaneDlg dlg;
    Open(dlg);
    dlg.m_comboPath.AddString(m_file);
    SetComboText(dlg, _T("  \t  "));

    auto box = AnswerNextMessageBox(IDOK);
    PressGo(dlg);

    EXPECT_TRUE(box->shown);
    EXPECT_EQ(box->text, CString(_T("You must specify a file or directory")));
    EXPECT_EQ(box->caption, CString(_T("Dorvane")));
    EXPECT_EQ(box->hOwner, dlg.m_hWnd);
    EXPECT_EQ(dlg.m_comboPath.GetCount(), 1);
    EXPECT_TRUE(dlg.m_btnGo.IsWindowEnabled());
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, kOldTicks);
}

TEST_F(StampCommandTest, BlanksAroundAnExistingTargetAreTrimmedAndTheTargetRecordedOnTop)
{
    CDorvaneDlg dlg;
    OpenAt(dlg, Local(2005, 6, 15, 13, 45, 10));
    CString older = m_dir / _T("older");
    CreateDirectory(older, nullptr);
    dlg.m_comboPath.AddString(older);
    SetComboText(dlg, _T("  ") + m_file + _T(" \t"));

    PressGo(dlg);

    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, TicksOf(CTime(2005, 6, 15, 13, 45, 10)));
    CStringArray list = ComboList(dlg);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list[0], m_file);
    EXPECT_EQ(list[1], older);
    EXPECT_EQ(ComboText(dlg), m_file);
    // Go! never closes the window, and is ready for the next run.
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_TRUE(dlg.m_btnGo.IsWindowEnabled());
}

TEST_F(StampCommandTest, ATargetThatDoesNotExistIsNamedAndNothingIsStamped)
{
    CDorvaneDlg dlg;
    Open(dlg);
    CString missing = m_dir / _T("no such file.txt");
    SetComboText(dlg, missing);

    auto box = AnswerNextMessageBox(IDOK);
    PressGo(dlg);

    EXPECT_TRUE(box->shown);
    EXPECT_NE(box->text.Find(missing), -1) << testsupport::Narrow(box->text);
    EXPECT_NE(box->text.Find(_T("does not exist")), -1) << testsupport::Narrow(box->text);
    EXPECT_EQ(dlg.m_comboPath.GetCount(), 0);
    EXPECT_EQ(GetFileAttributes(missing), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(dlg.m_btnGo.IsWindowEnabled());
}

TEST_F(StampCommandTest, TheDateComesFromTheDatePickerAndTheTimeOfDayFromTheTimePicker)
{
    CDorvaneDlg dlg;
    Open(dlg);
    SetPickerTime(dlg, IDC_DATE, Local(2005, 6, 15, 9, 9, 9));
    SetPickerTime(dlg, IDC_TIME, Local(1999, 1, 2, 13, 45, 10));
    SetChecked(dlg, IDC_CHANGE_CREATED, true);
    SetChecked(dlg, IDC_CHANGE_MODIFIED, true);
    SetComboText(dlg, m_file);

    PressGo(dlg);

    CTime expected(2005, 6, 15, 13, 45, 10);
    EXPECT_EQ(dlg.m_stampTime, expected);
    testsupport::FileTimes times = testsupport::ReadTimes(m_file);
    EXPECT_EQ(times.lastWrite, TicksOf(expected));
    if (testsupport::PlatformKeepsCreationTime())
        EXPECT_EQ(times.creation, TicksOf(expected));
    else
        std::printf("creation time not checked: Wine keeps no creation time of its own\n");
}

TEST_F(StampCommandTest, TheTimeOfDayIsNotBentByTheTimePickersOwnDate)
{
    // The time picker was last given 6 October 2024, when Sydney's clocks
    // skipped from 02:00 to 03:00; 02:30 on 15 June is a time like any other.
    CDorvaneDlg dlg;
    Open(dlg);
    SetPickerTime(dlg, IDC_DATE, Local(2024, 6, 15, 9, 9, 9));
    SetPickerTime(dlg, IDC_TIME, Local(2024, 10, 6, 2, 30, 0));
    SetComboText(dlg, m_file);

    PressGo(dlg);

    CTime expected(2024, 6, 15, 2, 30, 0);
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, TicksOf(expected));
    struct tm saved;
    ASSERT_NE(dlg.m_time.GetLocalTm(&saved), nullptr);
    EXPECT_EQ(saved.tm_hour, 2);
    EXPECT_EQ(saved.tm_min, 30);
}

TEST_F(StampCommandTest, AShortcutAsTheTargetStampsTheItemItNames)
{
    CDorvaneDlg dlg;    // its combo brings COM for the shell's links
    OpenAt(dlg, Local(2005, 6, 15, 13, 45, 10));
    const std::uint64_t stamped = TicksOf(CTime(2005, 6, 15, 13, 45, 10));
    const CString folder = m_dir / _T("folder");
    testsupport::MakeFolder(folder);
    const CString inner = folder + _T("\\inner.txt");
    testsupport::WriteFile(inner);
    const CString toFile = m_dir / _T("to-file.lnk");
    const CString toFolder = m_dir / _T("to-folder.lnk");
    const CString toShortcut = m_dir / _T("to-shortcut.lnk");
    ASSERT_TRUE(testsupport::CreateShortcut(toFile, m_file));
    ASSERT_TRUE(testsupport::CreateShortcut(toFolder, folder));
    ASSERT_TRUE(testsupport::CreateShortcut(toShortcut, toFolder));
    for (const CString& path : {inner, toFile, toFolder, toShortcut})
        testsupport::WriteTimes(path, {kOldTicks, kOldTicks, kOldTicks});

    // A shortcut to a file: the file, not the shortcut.
    SetComboText(dlg, toFile);
    PressGo(dlg);
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, stamped);
    EXPECT_EQ(testsupport::ReadTimes(toFile).lastWrite, kOldTicks);

    // A shortcut to a shortcut: the second shortcut, judged as the file it
    // is; the folder it leads on to is not walked.
    SetComboText(dlg, toShortcut);
    PressGo(dlg);
    EXPECT_EQ(testsupport::ReadTimes(toFolder).lastWrite, stamped);
    EXPECT_EQ(testsupport::ReadTimes(toShortcut).lastWrite, kOldTicks);
    EXPECT_EQ(testsupport::ReadTimes(inner).lastWrite, kOldTicks);

    // A shortcut to a folder: the files in the folder.
    SetComboText(dlg, toFolder);
    PressGo(dlg);
    EXPECT_EQ(testsupport::ReadTimes(inner).lastWrite, stamped);
}

TEST_F(StampCommandTest, TheEnterKeyRunsTheCommand)
{
    CDorvaneDlg dlg;
    INT_PTR result = testsupport::DoModalScripted(dlg, [&] {
        SetPickerTime(dlg, IDC_DATE, Local(2012, 12, 12, 12, 12, 12));
        SetPickerTime(dlg, IDC_TIME, Local(2012, 12, 12, 12, 12, 12));
        SetComboText(dlg, m_file);
        // The combo's edit field has the focus when the window opens.
        HWND hEdit = ::GetFocus();
        ASSERT_TRUE(::IsChild(dlg.m_comboPath.m_hWnd, hEdit));
        ::PostMessage(hEdit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessage(hEdit, WM_KEYUP, VK_RETURN, 0xC01C0001);
        testsupport::RunWhen(
            [&] { return testsupport::ReadTimes(m_file).lastWrite != kOldTicks; },
            [] { ADD_FAILURE() << "Enter did not stamp the file"; });
        testsupport::RunWhen(
            [&] {
                if (testsupport::ReadTimes(m_file).lastWrite == kOldTicks)
                    return false;
                EXPECT_TRUE(dlg.IsWindowVisible());
                dlg.OnCancel();
                return true;
            },
            [] {});
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, TicksOf(CTime(2012, 12, 12, 12, 12, 12)));
}

TEST_F(StampCommandTest, AReadOnlyFileIsRefusedUntilItsBoxIsTicked)
{
    SetFileAttributes(m_file, FILE_ATTRIBUTE_READONLY);
    CDorvaneDlg dlg;
    OpenAt(dlg, Local(2003, 3, 3, 3, 3, 3));
    SetComboText(dlg, m_file);

    PressGo(dlg);
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, kOldTicks);
    EXPECT_TRUE(testsupport::ReadAttributes(m_file) & FILE_ATTRIBUTE_READONLY);

    SetChecked(dlg, IDC_READ_ONLY, true);
    PressGo(dlg);
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, TicksOf(CTime(2003, 3, 3, 3, 3, 3)));
    EXPECT_TRUE(testsupport::ReadAttributes(m_file) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributes(m_file, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StampCommandTest, AFailedWriteNamesTheFileAndGoIsEnabledAgain)
{
    if (!testsupport::UnixSideAvailable())
        GTEST_SKIP() << "a file whose times cannot be written is made on Wine's Unix side";
    CString folder = m_dir / _T("tree");
    testsupport::MakeFolder(folder);
    CString blocked = folder + _T("\\blocked.exe");
    testsupport::WriteFile(blocked);
    testsupport::BusyFile busy(blocked);
    ASSERT_TRUE(busy.IsBusy());

    CDorvaneDlg dlg;
    OpenAt(dlg, Local(2004, 4, 4, 4, 4, 4));
    SetComboText(dlg, blocked);

    auto box = AnswerNextMessageBox(IDOK);
    PressGo(dlg);

    EXPECT_TRUE(box->shown);
    EXPECT_NE(box->text.Find(blocked), -1) << testsupport::Narrow(box->text);
    EXPECT_TRUE(dlg.m_btnGo.IsWindowEnabled());
    EXPECT_TRUE(dlg.IsWindowVisible());
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    EXPECT_NE(GetCursor(), wait);
}

TEST_F(StampCommandTest, TheDatePickerOffersNoDayOutsideWhatAFileCanHold)
{
    CDorvaneDlg dlg;
    OpenAt(dlg, Local(2005, 6, 15, 12, 0, 0));
    HWND hDate = dlg.GetDlgItem(IDC_DATE);

    SYSTEMTIME range[2] = {};
    ASSERT_EQ(::SendMessage(hDate, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(CTime(range[0]), CTime(1601, 1, 2, 0, 0, 0));
    EXPECT_EQ(CTime(range[1]), CTime(9999, 12, 30, 23, 59, 59));

    // The picker will not take a day beyond either end: it keeps what it had.
    for (const SYSTEMTIME& outside : {Local(1600, 12, 31, 12, 0, 0), Local(1601, 1, 1, 12, 0, 0),
                                      Local(9999, 12, 31, 12, 0, 0)})
    {
        ::SendMessage(hDate, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&outside));
        SYSTEMTIME held = {};
        ::SendMessage(hDate, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&held));
        EXPECT_EQ(held.wYear, 2005) << outside.wYear << "-" << outside.wMonth << "-" << outside.wDay;
    }
}

TEST_F(StampCommandTest, TheEndsOfTheDatePickersRangeStampExactly)
{
    CDorvaneDlg dlg;
    Open(dlg);
    SetComboText(dlg, m_file);
    SetChecked(dlg, IDC_CHANGE_MODIFIED, true);

    // Its last second west of Greenwich and its first second east of it are
    // the two that come nearest the ends of what a file can hold.
    SYSTEMTIME last = Local(9999, 12, 30, 23, 59, 59);
    SetPickerTime(dlg, IDC_DATE, last);
    SetPickerTime(dlg, IDC_TIME, last);
    PressGo(dlg);
    const std::uint64_t lastTicks = TicksOf(CTime(9999, 12, 30, 23, 59, 59));
    if (FileSystemHolds(lastTicks))
        EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, lastTicks);
    else
        std::cout << "last day not checked: this file system cannot hold it (ext4 ends in 2446)\n";

    SYSTEMTIME first = Local(1601, 1, 2, 0, 0, 0);
    ::SendMessage(dlg.GetDlgItem(IDC_DATE), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&first));
    SYSTEMTIME held = {};
    ::SendMessage(dlg.GetDlgItem(IDC_DATE), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&held));
    if (held.wYear != 1601)
        GTEST_SKIP() << "this date picker keeps a narrower range of its own (Wine's begins in 1752)";
    SetPickerTime(dlg, IDC_TIME, first);
    PressGo(dlg);
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, TicksOf(CTime(1601, 1, 2, 0, 0, 0)));
}

TEST_F(StampCommandTest, ATimeBeforeTheFirstFileTimeIsRefusedWithAMessage)
{
    // Only a picker whose range was taken away can hold such a time; the
    // command refuses it all the same, and touches nothing.
    CDorvaneDlg dlg;
    Open(dlg);
    HWND hDate = dlg.GetDlgItem(IDC_DATE);
    SYSTEMTIME none[2] = {};
    ::SendMessage(hDate, DTM_SETRANGE, 0, reinterpret_cast<LPARAM>(none));
    TIME_ZONE_INFORMATION tz;
    GetTimeZoneInformation(&tz);
    ASSERT_LT(tz.Bias, 0) << "these tests run in Sydney time, ahead of UTC";

    // Midnight at the start of 1601 in Sydney is still 1600 in UTC.
    SYSTEMTIME first = Local(1601, 1, 1, 0, 0, 0);
    ::SendMessage(hDate, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&first));
    SYSTEMTIME held = {};
    ::SendMessage(hDate, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&held));
    if (held.wYear != 1601)
        GTEST_SKIP() << "this date picker keeps a range of its own (Wine's begins in 1752)";
    SetPickerTime(dlg, IDC_TIME, Local(2005, 6, 15, 0, 0, 0));
    SetComboText(dlg, m_file);

    auto box = AnswerNextMessageBox(IDOK);
    PressGo(dlg);
    EXPECT_TRUE(box->shown);
    EXPECT_NE(box->text.Find(_T("1601")), -1) << testsupport::Narrow(box->text);
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, kOldTicks);
    EXPECT_EQ(dlg.m_comboPath.GetCount(), 0);
    EXPECT_TRUE(dlg.m_btnGo.IsWindowEnabled());
}

TEST_F(StampCommandTest, AFolderTargetStampsItsFilesAndKeepsItsOwnTimes)
{
    CString sub = m_dir / _T("sub");
    testsupport::MakeFolder(sub);
    CString inner = sub + _T("\\inner.txt");
    testsupport::WriteFile(inner);
    std::uint64_t folderTime = testsupport::ReadTimes(sub).lastWrite;

    CDorvaneDlg dlg;
    OpenAt(dlg, Local(2006, 6, 6, 6, 6, 6));
    SetComboText(dlg, m_dir.Path() + _T("\\"));
    PressGo(dlg);

    std::uint64_t expected = TicksOf(CTime(2006, 6, 6, 6, 6, 6));
    EXPECT_EQ(testsupport::ReadTimes(m_file).lastWrite, expected);
    EXPECT_EQ(testsupport::ReadTimes(inner).lastWrite, expected);
    EXPECT_EQ(testsupport::ReadTimes(sub).lastWrite, folderTime);
}

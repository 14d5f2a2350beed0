// The stamp on one file and on a folder tree, with the file status, folder
// identity and long paths beneath it. Files carry times with fractions of a
// second, so a time the stamp must not touch is checked to the tick. Names
// ending in a dot are reached in extended-length form, which alone names them:
// Wine, unlike Windows, takes long paths without that form, but not such names.
#include "framework/CFile.h"
#include "framework/FileHandle.h"
#include "framework/LongPath.h"
#include "main_window/DorvaneDlg.h"
#include "stamping/FolderIdentity.h"
#include "tests/support/TimeChecks.h"
#include "tests/support/UnixSide.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

using namespace testsupport;

namespace {
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY, kHidden = FILE_ATTRIBUTE_HIDDEN, kSystem = FILE_ATTRIBUTE_SYSTEM;
struct State { FileTimes times; DWORD attributes; };
State Read(const CString& path) { return {ReadTimes(path), ReadAttributes(path)}; }

std::optional<CFileException> ErrorOf(const std::function<void()>& action) {
    try { action(); } catch (const CFileException& e) { return e; }
    return std::nullopt;
}

// Three distinct times with fractions of a second, n seconds on. The access
// time lies an hour ahead: the system's own access-time updates (Linux's
// relatime, NTFS's hourly ones) leave it alone when a folder is listed.
FileTimes FractionalTimes(int n) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t seconds = ((std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime) / kTicksPerSecond;
    return {UnixToTicks(1552000000 + n) + 1234567, UnixToTicks(1583000000 + n) + 7654321,
            (seconds + 3600 + static_cast<std::uint64_t>(n)) * kTicksPerSecond + 5555555};
}

bool CreationTimeKept() {    // said once where it is not
    static const bool kept = PlatformKeepsCreationTime() || std::printf("[   NOTE   ] creation times unchecked: Wine keeps none\n") < 0;
    return kept;
}

// The files of a folder in the platform's order, which the walk takes.
std::vector<CString> FilesInSearchOrder(const CString& folder) {
    std::vector<CString> names;
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(folder + _T("\\*.txt"), &data);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFile(find, &data))
        names.push_back(folder + _T("\\") + data.cFileName);
    FindClose(find);
    return names;
}

// Runs work on a thread left with 64 KiB of stack (Wine gives every thread at
// least 1 MiB: the rest is used up first). EXCEPTION_STACK_OVERFLOW when work
// ran out of stack, else 0.
DWORD RunOnSmallStack(std::function<void()> work) {
    PVOID handler = AddVectoredExceptionHandler(1, [](EXCEPTION_POINTERS* info) -> LONG {
        if (info->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
            ExitThread(EXCEPTION_STACK_OVERFLOW);
        return EXCEPTION_CONTINUE_SEARCH;
    });
    HANDLE thread = CreateThread(nullptr, 0, [](LPVOID pWork) -> DWORD {
        MEMORY_BASIC_INFORMATION stack = {};
        VirtualQuery(&stack, &stack, sizeof(stack));
        const ULONG_PTR left = reinterpret_cast<ULONG_PTR>(&stack) - reinterpret_cast<ULONG_PTR>(stack.AllocationBase);
        static_cast<volatile char*>(_alloca(left - 64 * 1024))[0] = 0;
        (*static_cast<std::function<void()>*>(pWork))();
        return 0;
    }, &work, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    RemoveVectoredExceptionHandler(handler);
    return code;
}
}

class StampTest : public testing::Test {
protected:
    CString Ext(const CString& relative) const { return _T("\\\\?\\") + (m_dir / relative); }
    // A file (its folders made first) with fractional times, then attributes.
    CString MakeFile(const CString& path, DWORD attributes = 0) {
        MakeFolder(path.Left(path.ReverseFind(_T('\\'))));
        WriteFile(path, "contents");
        WriteTimes(path, FractionalTimes(m_made++));
        EXPECT_TRUE(attributes == 0 || SetFileAttributes(path, attributes)) << Narrow(path);
        return path;
    }
    void Choose(BOOL bCreated, BOOL bModified, BOOL bReadOnly, const CTime& time = CTime(2003, 4, 5, 6, 7, 8)) {
        m_dlg.m_stampTime = time;
        m_dlg.m_bChangeCreated = bCreated;
        m_dlg.m_bChangeModified = bModified;
        m_dlg.m_bReadOnly = bReadOnly;
    }
    // The last-write and creation times as given (creation where the platform
    // keeps it), the access time and attributes as they were.
    void Expect(const CString& path, const State& before, std::uint64_t lastWrite, std::uint64_t creation) {
        SCOPED_TRACE(Narrow(path));
        const State now = Read(path);
        EXPECT_EQ(now.times.lastWrite, lastWrite);
        EXPECT_EQ(now.times.creation, CreationTimeKept() ? creation : now.times.creation);
        EXPECT_EQ(now.times.lastAccess, before.times.lastAccess);
        EXPECT_EQ(now.attributes, before.attributes);
    }
    void ExpectUnchanged(const CString& path, const State& was) { Expect(path, was, was.times.lastWrite, was.times.creation); }

    const std::uint64_t kStamp = TicksOf(CTime(2003, 4, 5, 6, 7, 8));
    TempDir m_dir;
    CDorvaneDlg m_dlg;
    int m_made = 0;
};

// The times not chosen keep every tick; the chosen ones get the stamp exactly,
// even within the second the file has. A read-only file is stamped only with
// permission and keeps every bit it had. A program holding the file open does
// not stop the stamp; a file whose times cannot be written keeps everything,
// and the error names it. "abc\f.txt" beside "abc.\f.txt" is left alone.
TEST_F(StampTest, EachFileGetsExactlyTheTimesChosenForIt) {
    enum How { kMade, kInItsSecond, kHeldOpen, kBusy };
    struct Case { const char* what; CString path; DWORD attributes; BOOL created, modified, readOnly; How how;
                  DWORD access = 0, share = 0; };
    const DWORD kAll = kReadOnly | kHidden | kSystem, kRW = GENERIC_READ | GENERIC_WRITE;
    const CString deep = BeyondMaxPath(), twin = MakeFile(Ext(deep + _T("\\abc\\f.txt")));
    const State twinBefore = Read(twin);
    const Case cases[] = {
        {"modified only", m_dir / _T("m"), 0, 0, 1, 0, kMade},
        {"created only", m_dir / _T("c"), 0, 1, 0, 0, kMade},
        {"both", m_dir / _T("b"), 0, 1, 1, 0, kMade},
        {"neither", m_dir / _T("n"), 0, 0, 0, 0, kMade},
        {"both, within the second the file has", m_dir / _T("s"), 0, 1, 1, 0, kInItsSecond},
        {"read-only, hidden, system, permitted", m_dir / _T("r1"), kAll, 0, 1, 1, kMade},
        {"read-only alone, permitted", m_dir / _T("r2"), kReadOnly, 0, 1, 1, kMade},
        {"read-only without permission", m_dir / _T("r3"), kAll, 1, 1, 0, kMade},
        {"read-only, permitted, no time chosen", m_dir / _T("r4"), kReadOnly | kHidden, 0, 0, 1, kMade},
        {"a name outside the ANSI code page", m_dir / NonAnsiName(), 0, 0, 1, 0, kMade},
        {"beyond MAX_PATH", m_dir / (deep + _T("\\plain.txt")), 0, 0, 1, 0, kMade},
        {"beyond MAX_PATH, below \"abc.\"", Ext(deep + _T("\\abc.\\f.txt")), kReadOnly | kHidden, 0, 1, 1, kMade},
        {"held open, all shared", m_dir / _T("h1"), 0, 0, 1, 1, kHeldOpen, kRW, FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"held open, nothing shared", m_dir / _T("h2"), 0, 0, 1, 1, kHeldOpen, kRW, 0},
        {"read-only, held for reading", m_dir / _T("h3"), kReadOnly, 0, 1, 1, kHeldOpen, GENERIC_READ, FILE_SHARE_READ},
        {"times not writable, read-only", m_dir / _T("x1"), kReadOnly | kHidden, 0, 1, 1, kBusy},
        {"times not writable", m_dir / _T("x2"), 0, 1, 1, 1, kBusy},
    };
    if (!UnixSideAvailable())
        std::printf("[   NOTE   ] files whose times cannot be written are made on Wine's Unix side: not here\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.how == kBusy && !UnixSideAvailable())
            continue;
        MakeFile(c.path);
        std::optional<BusyFile> busy;
        ASSERT_TRUE(c.how != kBusy || busy.emplace(c.path).IsBusy());
        if (c.how == kInItsSecond)
            WriteTimes(c.path, {kStamp + 7000000, kStamp + 7000000, kStamp + 7000000});
        ASSERT_TRUE(c.attributes == 0 || SetFileAttributes(c.path, c.attributes));
        const FileHandle other(c.how != kHeldOpen ? INVALID_HANDLE_VALUE
                                                  : CreateFile(c.path, c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_EQ(other.IsOpen(), c.how == kHeldOpen);
        const State before = Read(c.path);

        Choose(c.created, c.modified, c.readOnly);
        const auto error = ErrorOf([&] { m_dlg.StampFile(c.path); });
        EXPECT_EQ(error ? error->m_strFileName : CString(), c.how == kBusy ? c.path : CString());
        EXPECT_EQ(error ? error->m_lOsError : 0, c.how == kBusy ? LONG{ERROR_SHARING_VIOLATION} : 0);
        const bool stamped = c.how != kBusy && ((c.attributes & kReadOnly) == 0 || c.readOnly);
        Expect(c.path, before, stamped && c.modified ? kStamp : before.times.lastWrite,
               stamped && c.created ? kStamp : before.times.creation);
        EXPECT_TRUE(!other.IsOpen() || GetFileSize(other.Get(), nullptr) == 8) << "the holder's handle works";
    }
    ExpectUnchanged(twin, twinBefore);
    for (LPCTSTR missing : {_T("missing.txt"), _T("missing\\deeper.txt")}) {
        EXPECT_NO_THROW(m_dlg.StampFile(m_dir / missing));
        EXPECT_EQ(ReadAttributes(m_dir / missing), INVALID_FILE_ATTRIBUTES) << "a missing file is not made";
    }
}

// GNU date gives the seconds (expected-local-times.sh). Whatever today's
// season, the winter or the summer date lies in the other: read with today's
// offset instead of the date's, it would land an hour off. Sydney's clocks skip
// 02:00-03:00 on 2024-10-06 and repeat it on 2024-04-07; either hour reads with
// daylight time's offset: the skipped 02:30 is the moment shown as 01:30, the
// repeated one the first of the two.
TEST_F(StampTest, LocalTimesLandWhereGnuDatePutsThemAndReadBackAsChosen) {
    const std::array<int, 7> cases[] = {{1969, 7, 20, 20, 17, 40, 20}, {2040, 2, 29, 12, 0, 0, 12},
                                        {2024, 7, 15, 10, 30, 0, 10},  {2025, 1, 15, 10, 30, 0, 10},
                                        {2024, 10, 6, 2, 30, 0, 1},    {2024, 4, 7, 2, 30, 0, 2}};
    for (const auto& c : cases) {
        char name[40];
        std::snprintf(name, sizeof(name), "DORVANE_LOCAL_%04d%02d%02dT%02d%02d%02d", c[0], c[1], c[2], c[3], c[4], c[5]);
        SCOPED_TRACE(name);
        ASSERT_NE(GetEnv(name), "") << "no expected time: run through ctest (expected-local-times.sh)";
        const CString path = MakeFile(m_dir / CString(std::basic_string<TCHAR>(name + 14, name + 22)));
        Choose(FALSE, TRUE, FALSE, CTime(c[0], c[1], c[2], c[3], c[4], c[5], -1));
        m_dlg.StampFile(path);
        EXPECT_EQ(ReadTimes(path).lastWrite, UnixToTicks(std::stoll(GetEnv(name))));
        CFileStatus status;
        struct tm local = {};
        ASSERT_TRUE(CFile::GetStatus(path, status) && status.m_mtime.GetLocalTm(&local));
        EXPECT_EQ((std::array<int, 6>{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                      local.tm_sec}),
                  (std::array<int, 6>{c[0], c[1], c[2], c[6], c[4], c[5]}));
    }
}

// Every file at any depth below the target gets the stamp, whatever its name or
// attributes, however the target is spelt; no folder does. Links are not
// followed: root\a\b\up leads back to root and root\a\b\again to root\a (the
// walk would branch without end), root\a\out and root\a\linked.txt lead out of
// the tree. Under Wine the folder links are reparse points, so the folder
// identity is checked on its own.
TEST_F(StampTest, EveryFileBelowTheTargetGetsTheStampAndNoFolderOrLinkDoes) {
    const CString deep = _T("root\\") + BeyondMaxPath();
    const std::map<CString, DWORD> files = {
        {_T("root\\top.txt"), 0}, {_T("root\\.profile"), 0}, {_T("root\\hidden"), kHidden | kSystem},
        {_T("root\\.config\\settings.ini"), 0}, {_T("root\\a\\b\\c\\c1.txt"), 0}, {_T("root\\a\\b\\c\\c2.txt"), 0},
        {_T("root\\") + NonAnsiName() + _T("\\") + NonAnsiName(), 0}, {deep + _T("\\abc\\plain.txt"), 0},
        {deep + _T("\\abc.\\dotted.txt"), kReadOnly | kHidden}, {_T("beside\\outside.txt"), 0}, {_T("outside"), 0}};
    std::set<CString> folders = {_T("root\\empty")};
    MakeFolder(Ext(_T("root\\empty")));
    for (const auto& [file, attributes] : files) {
        MakeFile(Ext(file), attributes);
        for (int end = file.ReverseFind(_T('\\')); end > 0; end = file.Left(end).ReverseFind(_T('\\')))
            folders.insert(file.Left(end));
    }
    const SymbolicLink links[] = {{m_dir / _T("root\\a\\b\\up"), m_dir / _T("root")},
                                  {m_dir / _T("root\\a\\b\\again"), m_dir / _T("root\\a")},
                                  {m_dir / _T("root\\a\\out"), m_dir / _T("beside")},
                                  {m_dir / _T("root\\a\\linked.txt"), m_dir / _T("outside")}};
    const bool linked = links[0].IsMade() && links[1].IsMade() && links[2].IsMade() && links[3].IsMade();
    const bool fileLinkIsFile = linked && (ReadAttributes(m_dir / _T("root\\a\\linked.txt")) & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    if (!linked || fileLinkIsFile)
        std::printf("[   NOTE   ] %s\n", linked ? "a file link is an ordinary file to Wine: its target is stamped" : "no links here");
    std::map<CString, State> before;
    std::map<CString, std::uint64_t> lastWrite;
    for (const CString& folder : folders)
        WriteTimes(Ext(folder), FractionalTimes(m_made++));
    for (const CString& folder : folders)
        before[folder] = Read(Ext(folder));
    for (const auto& [file, attributes] : files)
        lastWrite[file] = (before[file] = Read(Ext(file))).times.lastWrite;

    struct Target { const char* what; CString target, scope; };
    const Target targets[] = {
        {"the folder", m_dir / _T("root"), _T("root\\")},
        {"a trailing separator", m_dir / _T("root\\"), _T("root\\")},
        {"forward slashes", m_dir.Path() + _T("/root/a/"), _T("root\\a\\")},
        {"the extended-length form", Ext(_T("root\\a\\b")), _T("root\\a\\b\\")},
        {"a folder beyond MAX_PATH", m_dir / deep, deep + _T("\\")},
        {"an empty folder", m_dir / _T("root\\empty"), _T("root\\empty\\")},
        {"a missing folder", m_dir / _T("root\\missing"), _T("root\\missing\\")},
    };
    int second = 0;
    for (const Target& t : targets) {
        SCOPED_TRACE(t.what);
        const CTime time(2004, 5, 6, 7, 8, ++second);
        Choose(FALSE, TRUE, TRUE, time);
        EXPECT_NO_THROW(m_dlg.StampFolder(t.target));
        for (const auto& [file, attributes] : files) {
            if (file.Left(t.scope.GetLength()) == t.scope)
                lastWrite[file] = TicksOf(time);
            if (file != _T("outside") || !fileLinkIsFile)
                Expect(Ext(file), before[file], lastWrite[file], before[file].times.creation);
        }
    }
    for (const CString& folder : folders)
        ExpectUnchanged(Ext(folder), before[folder]);

    CFolderIdentity entered;
    EXPECT_TRUE(entered.Enter(Ext(_T("root\\a"))) && entered.Enter(Ext(_T("root\\a\\b"))));
    EXPECT_FALSE(entered.Enter(Ext(_T("root\\A")))) << "the same folder in other letters";
    EXPECT_FALSE(linked && entered.Enter(Ext(_T("root\\a\\b\\again")))) << "the same folder through a link";
    EXPECT_TRUE(entered.Enter(Ext(_T("root\\gone"))) && entered.Enter(Ext(_T("root\\gone")))) << "no identity";
}

// The walk takes the platform's order; a file whose times cannot be written
// ends it. The files before it have the stamp, those after are as they were,
// and the error names the file and the system's reason.
TEST_F(StampTest, AFailedWriteEndsTheWalkWhereItHappens) {
    if (!UnixSideAvailable())
        GTEST_SKIP() << "a file whose times cannot be written is made on Wine's Unix side";
    for (TCHAR name = _T('a'); name < _T('i'); ++name)
        MakeFile(m_dir / _T("middle\\") + name + _T(".txt"));
    const std::vector<CString> files = FilesInSearchOrder(m_dir / _T("middle"));
    const size_t failing = files.size() / 2;
    BusyFile busy(files[failing]);
    ASSERT_TRUE(busy.IsBusy() && SetFileAttributes(files[failing], kReadOnly | kHidden));
    ASSERT_EQ(FilesInSearchOrder(m_dir / _T("middle")), files) << "making the file busy kept its place";
    std::vector<State> before;
    for (const CString& file : files)
        before.push_back(Read(file));

    Choose(FALSE, TRUE, TRUE);
    const auto error = ErrorOf([&] { m_dlg.StampFolder(m_dir / _T("middle")); });
    const CString start = _T("Cannot change the times of ") + files[failing] + _T(":\n");
    ASSERT_TRUE(error);
    EXPECT_EQ(error->m_strFileName, files[failing]);
    EXPECT_EQ(error->GetErrorMessage().Left(start.GetLength()), start);
    EXPECT_GT(error->GetErrorMessage().GetLength(), start.GetLength()) << "the system's reason";
    for (size_t i = 0; i < files.size(); ++i)
        Expect(files[i], before[i], i < failing ? kStamp : before[i].times.lastWrite, before[i].times.creation);
}

// The walk keeps the folders it lists on the heap. One calling itself for each
// folder takes about 1.4 KB a level (two find records a frame) and overflows
// 64 KiB before 40 levels.
TEST_F(StampTest, ADeepFolderChainIsWalkedOnASmallStack) {
    CString chain = m_dir / _T("deep");
    for (int level = 1; level < 150; ++level)
        chain += _T("\\d");
    const CString bottom = MakeFile(chain + _T("\\bottom.txt"));
    const State before = Read(bottom);
    Choose(FALSE, TRUE, FALSE);
    EXPECT_EQ(RunOnSmallStack([this] { m_dlg.StampFolder(m_dir / _T("deep")); }), 0u) << "the walk ran out of stack";
    Expect(bottom, before, kStamp, before.times.creation);
}

// What a caller changes in the record is written, beyond a chosen time: a time
// whose field differs from what was read, attribute bits that differ. A file
// that is not there is named in the error, and not made.
TEST_F(StampTest, SetStatusWritesWhatTheRecordChanges) {
    const CString path = MakeFile(m_dir / _T("status.txt")), missing = m_dir / _T("missing.txt");
    const State before = Read(path);
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    status.m_mtime = CTime(2011, 11, 11, 11, 11, 11);
    status.m_atime = CTime(2012, 12, 12, 12, 12, 12);
    status.m_attribute |= kHidden | kSystem;
    CFile::SetStatus(path, status);
    Expect(path, {{0, 0, TicksOf(status.m_atime)}, before.attributes | kHidden | kSystem}, TicksOf(status.m_mtime),
           before.times.creation);
    status.m_attribute = 0;
    CFile::SetStatus(path, status);
    EXPECT_EQ(ReadAttributes(path) & (kReadOnly | kHidden | kSystem), 0u);
    const auto error = ErrorOf([&] { CFile::SetStatus(missing, status); });
    EXPECT_EQ(error ? error->m_strFileName : CString(), missing);
    EXPECT_EQ(error ? error->m_lOsError : 0, LONG{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(ReadAttributes(missing), INVALID_FILE_ATTRIBUTES);
}

// The extended-length form of paths no test folder can be (a share, a device,
// a form already extended) and of a relative one; the form shown in messages.
TEST(LongPath, ExtendedLengthFormAndTheFormShown) {
    TCHAR current[MAX_PATH];
    const CString here = CString(current, static_cast<int>(GetCurrentDirectory(MAX_PATH, current))) + _T("\\a.txt");
    const CString cases[][3] = {
        {_T("C:/Data/x/../.\\a.txt"), _T("\\\\?\\C:\\Data\\a.txt"), _T("C:\\Data\\a.txt")},
        {_T("a.txt"), _T("\\\\?\\") + here, here},
        {_T("\\\\server\\share\\a.txt"), _T("\\\\?\\UNC\\server\\share\\a.txt"), _T("\\\\server\\share\\a.txt")},
        {_T("\\\\?\\C:\\Data\\..\\a."), _T("\\\\?\\C:\\Data\\..\\a."), _T("C:\\Data\\..\\a.")},
        {_T("\\\\.\\COM1"), _T("\\\\.\\COM1"), _T("\\\\.\\COM1")},
        {_T(""), _T(""), _T("")}};
    for (const auto& c : cases) {
        EXPECT_EQ(ToExtendedLengthPath(c[0]), c[1]);
        EXPECT_EQ(FromExtendedLengthPath(c[1]), c[2]);
    }
}

// The stamp on a file and on a folder tree, and what it stands on: file status, folder
// identity, long paths, times and the path checks that choose the target. Names ending
// in a dot are named only in extended-length form, even by Wine, which takes other long
// paths without it.
#include "framework/CFile.h"
#include "framework/FileHandle.h"
#include "framework/LongPath.h"
#include "main_window/DorvaneDlg.h"
#include "stamping/FolderIdentity.h"
#include "stamping/PathChecks.h"
#include "stamping/StampFailure.h"
#include "tests/support/ShortcutFile.h"
#include "tests/support/TimeChecks.h"
#include "tests/support/UnixSide.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <future>
#include <map>
#include <optional>
#include <vector>

using namespace testsupport;

namespace {
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY, kHidden = FILE_ATTRIBUTE_HIDDEN, kSystem = FILE_ATTRIBUTE_SYSTEM;
struct State { FileTimes times; DWORD attributes; };
State Read(const CString& path) { return {ReadTimes(path), ReadAttributes(path)}; }

std::optional<CStampFailure> ErrorOf(const std::function<void()>& action) {
    try { action(); } catch (const CStampFailure& e) { return e; }
    return std::nullopt;
}

std::vector<CString> FilesInSearchOrder(const CString& folder) {    // the order the walk takes
    std::vector<CString> names;
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(folder + _T("\\*.txt"), &data);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFile(find, &data))
        names.push_back(folder + _T("\\") + data.cFileName);
    FindClose(find);
    return names;
}

// Runs work on a thread left with 64 KiB of stack (Wine gives a thread 1 MiB at least).
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

class StampTest : public testing::Test {    // the main window's combo gives the thread COM
protected:
    CString Ext(const CString& relative) const { return _T("\\\\?\\") + (m_dir / relative); }
    // A file with times of its own, each with a fraction of a second, so that one the stamp
    // must not touch is checked to the tick; no access-time update touches one in 2100.
    CString MakeFile(const CString& path, DWORD attributes = 0) {
        MakeFolder(path.Left(path.ReverseFind(_T('\\'))));
        WriteFile(path, "contents");
        const std::int64_t n = m_made++;
        WriteTimes(path, {UnixToTicks(1552000000 + n) + 1234567, UnixToTicks(1583000000 + n) + 7654321,
                          UnixToTicks(4102444800 + n) + 5555555});
        EXPECT_TRUE(attributes == 0 || SetFileAttributes(path, attributes)) << Narrow(path);
        return path;
    }
    void Choose(BOOL bCreated, BOOL bModified, BOOL bReadOnly, const CTime& time = CTime(2003, 4, 5, 6, 7, 8)) {
        m_dlg.m_bChangeCreated = bCreated;
        m_dlg.m_bChangeModified = bModified;
        m_dlg.m_bReadOnly = bReadOnly;
        m_dlg.m_stampTime = time;
    }
    // The last-write and creation times as given, the access time and attributes as they were.
    void Expect(const CString& path, const State& was, std::uint64_t lastWrite, std::uint64_t creation) {
        static const bool kept = PlatformKeepsCreationTime() || !std::printf("[   NOTE   ] no creation times\n");
        const State now = Read(path);
        EXPECT_EQ(now.times.lastWrite, lastWrite) << Narrow(path);
        EXPECT_EQ(now.times.creation, kept ? creation : now.times.creation) << Narrow(path);
        EXPECT_EQ(now.times.lastAccess, was.times.lastAccess) << Narrow(path);
        EXPECT_EQ(now.attributes, was.attributes) << Narrow(path);
    }

    const std::uint64_t kStamp = TicksOf(CTime(2003, 4, 5, 6, 7, 8));
    TempDir m_dir;
    CDorvaneDlg m_dlg;
    int m_made = 0;
};

// Only the chosen times change, to the stamp, even within the second the file has; a
// read-only file only with permission, keeping every bit; a file held open all the same.
// A file whose times cannot be written keeps everything. "abc" beside "abc." is left alone.
TEST_F(StampTest, EachFileGetsExactlyTheTimesChosenForIt) {
    enum How { kMade, kInItsSecond, kHeldOpen, kBusy };
    struct Case { const char* what; CString path; DWORD attributes; BOOL created, modified, readOnly; How how; };
    const CString deep = BeyondMaxPath(), twin = MakeFile(Ext(deep + _T("\\abc\\f.txt")));
    const State twinBefore = Read(twin);
    const Case cases[] = {
        {"modified only", m_dir / _T("m"), 0, 0, 1, 0, kMade},
        {"created only", m_dir / _T("c"), 0, 1, 0, 0, kMade},
        {"both", m_dir / _T("b"), 0, 1, 1, 0, kMade},
        {"neither", m_dir / _T("n"), 0, 0, 0, 0, kMade},
        {"both, within the second the file has", m_dir / _T("s"), 0, 1, 1, 0, kInItsSecond},
        {"read-only, hidden, system, permitted", m_dir / _T("r1"), kReadOnly | kHidden | kSystem, 0, 1, 1, kMade},
        {"read-only without permission", m_dir / _T("r2"), kReadOnly | kHidden | kSystem, 1, 1, 0, kMade},
        {"read-only, permitted, no time chosen", m_dir / _T("r3"), kReadOnly | kHidden, 0, 0, 1, kMade},
        {"a name outside the ANSI code page", m_dir / NonAnsiName(), 0, 0, 1, 0, kMade},
        {"beyond MAX_PATH", m_dir / (deep + _T("\\plain.txt")), 0, 0, 1, 0, kMade},
        {"beyond MAX_PATH, below \"abc.\"", Ext(deep + _T("\\abc.\\f.txt")), kReadOnly | kHidden, 0, 1, 1, kMade},
        {"held open, nothing shared", m_dir / _T("h1"), 0, 0, 1, 1, kHeldOpen},
        {"read-only, held open, nothing shared", m_dir / _T("h2"), kReadOnly, 0, 1, 1, kHeldOpen},
        {"times not writable, read-only", m_dir / _T("x1"), kReadOnly | kHidden, 0, 1, 1, kBusy},
        {"times not writable", m_dir / _T("x2"), 0, 1, 1, 1, kBusy},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.how == kBusy && !UnixSideAvailable() && std::printf("[   NOTE   ] %s: under Wine only\n", c.what))
            continue;
        MakeFile(c.path);
        std::optional<BusyFile> busy;
        ASSERT_TRUE(c.how != kBusy || busy.emplace(c.path).IsBusy());
        if (c.how == kInItsSecond)
            WriteTimes(c.path, {kStamp + 7000000, kStamp + 7000000, kStamp + 7000000});
        ASSERT_TRUE(c.attributes == 0 || SetFileAttributes(c.path, c.attributes));
        const DWORD access = c.attributes ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
        const FileHandle other(c.how == kHeldOpen ? CreateFile(c.path, access, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                                  : INVALID_HANDLE_VALUE);
        ASSERT_EQ(other.IsOpen(), c.how == kHeldOpen);
        const State before = Read(c.path);
        Choose(c.created, c.modified, c.readOnly);
        const auto error = ErrorOf([&] { m_dlg.StampFile(c.path); });
        EXPECT_EQ(error ? error->m_strFileName : CString(), c.how == kBusy ? c.path : CString());
        EXPECT_EQ(error ? error->m_lOsError : 0, c.how == kBusy ? LONG{ERROR_SHARING_VIOLATION} : 0);
        const bool stamped = c.how != kBusy && ((c.attributes & kReadOnly) == 0 || c.readOnly);
        Expect(c.path, before, stamped && c.modified ? kStamp : before.times.lastWrite,
               stamped && c.created ? kStamp : before.times.creation);
    }
    Expect(twin, twinBefore, twinBefore.times.lastWrite, twinBefore.times.creation);
    for (const CString& missing : {m_dir / _T("missing.txt"), m_dir / _T("missing\\deeper.txt")}) {
        const auto error = ErrorOf([&] { m_dlg.StampFile(missing); });    // named, not passed over, not made
        EXPECT_TRUE(error && error->m_strFileName == missing && ReadAttributes(missing) == INVALID_FILE_ATTRIBUTES);
    }
}

// GNU date gives the seconds. The winter or the summer date lies in the other season than
// today's. Sydney's clocks skip 02:00-03:00 on 2024-10-06 and repeat it on 2024-04-07: the
// skipped 02:30 is read as the moment shown as 01:30, the repeated one as the first.
TEST_F(StampTest, LocalTimesLandWhereGnuDatePutsThemAndReadBackAsChosen) {
    const std::array<int, 7> cases[] = {{1969, 7, 20, 20, 17, 40, 20}, {2040, 2, 29, 12, 0, 0, 12},
                                        {2024, 7, 15, 10, 30, 0, 10},  {2025, 1, 15, 10, 30, 0, 10},
                                        {2024, 10, 6, 2, 30, 0, 1},    {2024, 4, 7, 2, 30, 0, 2}};
    for (const auto& c : cases) {
        char name[40];
        std::snprintf(name, sizeof(name), "DORVANE_LOCAL_%04d%02d%02dT%02d%02d%02d", c[0], c[1], c[2], c[3], c[4],
                      c[5]);
        ASSERT_NE(GetEnv(name), "") << name << ": run through ctest (expected-local-times.sh)";
        const CString path = MakeFile(m_dir / CString(std::basic_string<TCHAR>(name + 14, name + 22)));
        Choose(FALSE, TRUE, FALSE, CTime(c[0], c[1], c[2], c[3], c[4], c[5], -1));
        m_dlg.StampFile(path);
        EXPECT_EQ(ReadTimes(path).lastWrite, UnixToTicks(std::stoll(GetEnv(name)))) << name;
        CFileStatus status;
        struct tm t = {};
        ASSERT_TRUE(CFile::GetStatus(path, status) && status.m_mtime.GetLocalTm(&t));
        EXPECT_EQ((std::array<int, 6>{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec}),
                  (std::array<int, 6>{c[0], c[1], c[2], c[6], c[4], c[5]}));
    }
}

// Every file below the target gets the stamp, whatever its name, attributes or depth or
// the target's spelling; no folder does, and no link is followed: up and again loop back,
// out and linked lead out. Wine shows folder links as reparse points, which the walk
// passes by, so the folder identity is checked on its own.
TEST_F(StampTest, EveryFileBelowTheTargetGetsTheStampAndNoFolderOrLinkDoes) {
    const CString deep = _T("root\\") + BeyondMaxPath(), c1 = _T("root\\a\\b\\c\\c1"), dotted = deep + _T("\\abc.\\d");
    const std::map<CString, DWORD> files = {
        {_T("root\\top"), 0}, {_T("root\\.profile"), 0}, {_T("root\\hidden"), kHidden | kSystem}, {c1, 0},
        {_T("root\\.config\\settings.ini"), 0}, {_T("root\\a\\b\\c\\c2"), 0}, {deep + _T("\\abc\\p"), 0},
        {_T("root\\") + NonAnsiName() + _T("\\f"), 0}, {dotted, kReadOnly | kHidden}, {_T("beside\\outside"), 0},
        {_T("outside"), 0}};
    MakeFolder(Ext(_T("root\\empty")));
    for (const auto& [file, attributes] : files)
        MakeFile(Ext(file), attributes);
    const SymbolicLink links[] = {{m_dir / _T("root\\a\\b\\up"), m_dir / _T("root")},
                                  {m_dir / _T("root\\a\\b\\again"), m_dir / _T("root\\a")},
                                  {m_dir / _T("root\\a\\out"), m_dir / _T("beside")},
                                  {m_dir / _T("root\\a\\linked"), m_dir / _T("outside")}};
    const bool linked = links[0].IsMade() && links[1].IsMade() && links[2].IsMade() && links[3].IsMade();
    const bool fileLinkIsTarget = (ReadAttributes(Ext(_T("root\\a\\linked"))) & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    if (!linked || fileLinkIsTarget)
        std::printf("[   NOTE   ] %s\n", linked ? "Wine takes a file link for its target: stamped" : "no links here");
    for (const auto& [file, attributes] : files)    // an entry made in a folder changes its times
        for (int end = file.ReverseFind(_T('\\')); end > 0; end = file.Left(end).ReverseFind(_T('\\')))
            WriteTimes(Ext(file.Left(end)), ReadTimes(Ext(file)));
    WriteTimes(Ext(_T("root\\empty")), ReadTimes(Ext(c1)));
    std::map<CString, State> before = {{_T("root\\empty"), {}}, {_T("root\\a\\b"), {}}, {_T("beside"), {}}};
    for (const auto& [file, attributes] : files)
        before[file] = {};
    for (auto& [item, state] : before)
        state = Read(Ext(item));

    Choose(FALSE, TRUE, TRUE);
    for (LPCTSTR target : {_T("root\\empty"), _T("root\\")})
        EXPECT_NO_THROW(m_dlg.StampFolder(m_dir / target));
    const auto missing = ErrorOf([&] { m_dlg.StampFolder(m_dir / _T("root\\missing")); });
    EXPECT_TRUE(missing && missing->m_strFileName == m_dir / _T("root\\missing")) << "a folder that cannot be listed";
    for (const auto& [item, was] : before)
        if (item != _T("outside") || !fileLinkIsTarget)
            Expect(Ext(item), was, files.count(item) && item.Left(5) == _T("root\\") ? kStamp : was.times.lastWrite,
                   was.times.creation);
    Choose(FALSE, TRUE, TRUE, CTime(2004, 5, 6, 7, 8, 9));
    m_dlg.StampFolder(m_dir / deep);
    EXPECT_EQ(ReadTimes(Ext(dotted)).lastWrite, TicksOf(m_dlg.m_stampTime)) << "a target beyond MAX_PATH";
    CFolderIdentity entered;
    EXPECT_TRUE(entered.Enter(Ext(_T("root\\a"))) && entered.Enter(Ext(_T("root\\a\\b"))));
    EXPECT_FALSE(entered.Enter(Ext(_T("root\\A")))) << "the same folder in other letters";
    EXPECT_FALSE(linked && entered.Enter(Ext(_T("root\\a\\b\\again")))) << "the same folder through a link";
    EXPECT_TRUE(entered.Enter(Ext(_T("root\\gone"))) && entered.Enter(Ext(_T("root\\gone")))) << "no identity";
}

// The walk takes the platform's order; a file whose times cannot be written ends it there,
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
    ASSERT_EQ(FilesInSearchOrder(m_dir / _T("middle")), files) << "the busy file kept its place";
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

// A folder the user may not list, met in the walk, ends it there with the system's reason, the entries listed before
// it keeping their stamp; as the target it stamps nothing. Root lists every folder, so CTest runs this once more as
// an unprivileged user (run-unprivileged.sh).
TEST_F(StampTest, AFolderThatCannotBeListedEndsTheWalkAndIsNamed) {
    const CString tree = m_dir / _T("tree"), locked = tree + _T("\\locked");
    for (TCHAR name = _T('a'); name < _T('g'); ++name)
        MakeFile(tree + _T("\\") + name + _T(".txt"));
    MakeFile(locked + _T("\\inside.txt"));
    if (GetEnv("DORVANE_UNPRIVILEGED").empty())
        GTEST_SKIP() << "root lists every folder: CTest runs this as an unprivileged user";
    std::optional<LockedFolder> closed(locked);
    ASSERT_TRUE(closed->IsLocked());
    std::vector<CString> entries;    // the platform's order, which the walk takes
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(tree + _T("\\*"), &data);
    do
        if (data.cFileName[0] != _T('.'))
            entries.push_back(tree + _T("\\") + data.cFileName);
    while (FindNextFile(find, &data));
    FindClose(find);
    std::vector<State> before;
    for (const CString& entry : entries)
        before.push_back(Read(entry));
    Choose(FALSE, TRUE, FALSE);
    const auto inTree = ErrorOf([&] { m_dlg.StampFolder(tree); }), asTarget = ErrorOf([&] { m_dlg.StampFolder(locked); });
    closed.reset();
    for (const auto& error : {inTree, asTarget}) {
        ASSERT_TRUE(error);
        EXPECT_EQ(error->m_strFileName, locked);
        EXPECT_EQ(error->m_lOsError, LONG{ERROR_ACCESS_DENIED});
    }
    const size_t at = std::find(entries.begin(), entries.end(), locked) - entries.begin();
    for (size_t i = 0; i < entries.size(); ++i)
        if (i != at)
            Expect(entries[i], before[i], i < at ? kStamp : before[i].times.lastWrite, before[i].times.creation);
}

// The walk keeps the folders it lists on the heap. One calling itself for each folder
// takes about 1.4 KB a level (two find records a frame): 64 KiB run out before 40 levels.
TEST_F(StampTest, ADeepFolderChainIsWalkedOnASmallStack) {
    CString chain = m_dir / _T("deep");
    for (int level = 1; level < 150; ++level)
        chain += _T("\\d");
    const CString bottom = MakeFile(chain + _T("\\bottom"));
    const State before = Read(bottom);
    Choose(FALSE, TRUE, FALSE);
    EXPECT_EQ(RunOnSmallStack([this] { m_dlg.StampFolder(m_dir / _T("deep")); }), 0u) << "the walk ran out of stack";
    Expect(bottom, before, kStamp, before.times.creation);
}

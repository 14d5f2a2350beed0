// The stamp on a file and on a folder tree, driven through the engine with an observer that records
// what it hears, and the folder identity it stands on. Names ending in a dot are named only in
// extended-length form, even by Wine, which takes other long paths without it.
#include "framework/CHandle.h"
#include "stamping/StampEngine.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <future>
#include <map>
#include <optional>
#include <vector>

using namespace testsupport;

namespace {
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY, kHidden = FILE_ATTRIBUTE_HIDDEN, kSystem = FILE_ATTRIBUTE_SYSTEM;
constexpr Ticks kHour = 3600 * kTicksPerSecond, kYear = 8766 * kHour;
struct State { FileTimes times; DWORD attributes; };
State Read(const CString& path) { return {ReadTimes(path), ReadAttributes(path)}; }

struct Recorder : CStampObserver {    // what a run told; it goes on past a failure
    std::vector<CString> changed;
    std::vector<CStampFailure> failed;
    std::function<void(const CString&)> onChange = [](const CString&) {};
    void Changed(LPCTSTR path, const CItemTimes&, const CItemTimes&) override { changed.push_back(path); onChange(path); }
    void Failed(const CStampFailure& failure) override { failed.push_back(failure); }
};
Recorder StampAll(const CStampOptions& options, std::initializer_list<CString> targets, Recorder seen = {}) {
    CStampEngine engine(options, seen);
    for (const CString& target : targets) engine.StampTarget(target);
    return seen;
}
struct OneIndex : CFolderIdentity {    // every folder has index 7, and its own index for its volume
    bool ReadIndex(HANDLE, std::uint64_t& index) const override { return index = 7, true; }
    bool ReadVolume(HANDLE folder, std::uint32_t& volume) const override {
        std::uint64_t own = 0;
        return CFolderIdentity::ReadIndex(folder, own) && (volume = static_cast<std::uint32_t>(own), true);
    }
};
std::optional<CStampFailure> ErrorOf(const CStampOptions& options, const CString& target) {    // as Go! runs
    CStampObserver endAtFirstFailure;
    try { CStampEngine(options, endAtFirstFailure).StampTarget(target); } catch (const CStampFailure& e) { return e; }
    return std::nullopt;
}

std::vector<CString> FilesInSearchOrder(const CString& folder, LPCTSTR pattern = _T("*.txt")) {    // the walk's order
    std::vector<CString> names;
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(folder + _T("\\") + pattern, &data);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFile(find, &data))
        if (data.cFileName[0] != _T('.'))
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

class StampTest : public testing::Test {
protected:
    CString Ext(const CString& relative) const { return _T("\\\\?\\") + (m_dir / relative); }
    // Each file its own times: a time taken from another item shows.
    CString MakeFile(const CString& path, DWORD attributes = 0) {
        return testsupport::MakeFile(path, attributes, OwnTimes(m_made++));
    }
    // The ticked times get the stamp, as the main window chooses them, or another choice.
    CStampOptions Chosen(bool created, bool modified, bool readOnly, std::optional<CTimeChoice> how = {}) const {
        CStampOptions options;
        options.times[kCreated] = created ? how.value_or(CTimeChoice::At(kStamp)) : CTimeChoice();
        options.times[kModified] = modified ? how.value_or(CTimeChoice::At(kStamp)) : CTimeChoice();
        options.bReadOnly = readOnly;
        return options;
    }
    // The last-write and creation times as given, the access time and attributes as they were.
    void Expect(const CString& path, const State& was, std::uint64_t lastWrite, std::uint64_t creation) {
        ExpectTimes(path, {creation, lastWrite, was.times.lastAccess});
        EXPECT_EQ(ReadAttributes(path), was.attributes) << Narrow(path);
    }
    // Stamps the folder as Go! does: the walk takes the platform's order and ends at the entry that fails, named
    // with the system's reason; the entries before it have the stamp, the others all they had.
    void ExpectWalkEndsAt(const CString& folder, const CString& failing, LONG error, const CStampOptions& options) {
        const std::vector<CString> entries = FilesInSearchOrder(folder, _T("*"));
        std::vector<State> before;
        for (const CString& entry : entries)
            before.push_back(Read(entry));
        const auto failure = ErrorOf(options, folder);
        EXPECT_TRUE(failure && failure->m_strFileName == failing && failure->m_lOsError == error);
        const size_t at = std::find(entries.begin(), entries.end(), failing) - entries.begin();
        for (size_t i = 0; i < entries.size(); ++i)
            Expect(entries[i], before[i], i < at ? kStamp : before[i].times.lastWrite, before[i].times.creation);
    }

    const std::uint64_t kStamp = TicksOf(CTime(2003, 4, 5, 6, 7, 8));
    TempDir m_dir;
    int m_made = 0;
};

// A shift that takes one time of two outside 1601 to 9999 (the access time of 2100 or the last-write time
// of 2020) fails the item, which keeps both. "abc" beside "abc." is left alone.
TEST_F(StampTest, EachFileGetsExactlyTheTimesChosenForIt) {
    enum How { kMade, kInItsSecond, kHeldOpen, kPast9999, kBefore1601 };
    struct Case { const char* what; CString path; DWORD attributes; bool created, modified, readOnly; How how; };
    const CString deep = BeyondMaxPath(), twin = MakeFile(Ext(deep + _T("\\abc\\f.txt")));
    const State twinBefore = Read(twin);
    const Case cases[] = {
        {"modified only", m_dir / _T("m"), 0, 0, 1, 0, kMade}, {"created only", m_dir / _T("c"), 0, 1, 0, 0, kMade},
        {"both", m_dir / _T("b"), 0, 1, 1, 0, kMade}, {"neither", m_dir / _T("n"), 0, 0, 0, 0, kMade},
        {"both, within the second the file has", m_dir / _T("s"), 0, 1, 1, 0, kInItsSecond},
        {"read-only without permission", m_dir / _T("r2"), kReadOnly | kHidden | kSystem, 1, 1, 0, kMade},
        {"read-only, permitted, no time chosen", m_dir / _T("r3"), kReadOnly | kHidden, 0, 0, 1, kMade},
        {"a name outside the ANSI code page", m_dir / NonAnsiName(), 0, 0, 1, 0, kMade},
        {"beyond MAX_PATH", m_dir / (deep + _T("\\plain.txt")), 0, 0, 1, 0, kMade},
        {"beyond MAX_PATH, below \"abc.\"", Ext(deep + _T("\\abc.\\f.txt")), kReadOnly | kHidden, 0, 1, 1, kMade},
        {"held open, nothing shared", m_dir / _T("h1"), 0, 0, 1, 1, kHeldOpen},
        {"read-only, held open, nothing shared", m_dir / _T("h2"), kReadOnly, 0, 1, 1, kHeldOpen},
        {"a shift past 9999", m_dir / _T("late"), 0, 0, 1, 0, kPast9999},
        {"a shift before 1601", m_dir / _T("early"), 0, 0, 1, 0, kBefore1601},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MakeFile(c.path, c.attributes);
        if (c.how == kInItsSecond)
            WriteTimes(c.path, {kStamp + 7000000, kStamp + 7000000, kStamp + 7000000});
        const DWORD access = c.attributes ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
        const CHandle other(c.how == kHeldOpen ? CreateFile(c.path, access, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                                  : INVALID_HANDLE_VALUE);
        ASSERT_EQ(other.IsOpen(), c.how == kHeldOpen);
        const State before = Read(c.path);
        CStampOptions options = Chosen(c.created, c.modified, c.readOnly);
        const bool outOfRange = c.how == kPast9999 || c.how == kBefore1601;
        if (outOfRange)
            options.times[kAccessed] = options.times[kModified] =
                CTimeChoice::ShiftedBy((c.how == kPast9999 ? 7950 : -450) * kYear);
        const Recorder seen = StampAll(options, {c.path});
        const bool skipped = (c.attributes & kReadOnly) != 0 && !c.readOnly, stamped = !skipped && !outOfRange;
        EXPECT_EQ(seen.changed.size(), size_t{stamped});
        EXPECT_EQ(seen.failed.empty() ? 0 : seen.failed[0].m_lOsError, outOfRange ? LONG{ERROR_INVALID_TIME} : 0);
        Expect(c.path, before, stamped && c.modified ? kStamp : before.times.lastWrite,
               stamped && c.created ? kStamp : before.times.creation);
    }
    Expect(twin, twinBefore, twinBefore.times.lastWrite, twinBefore.times.creation);
    const CString missing[] = {m_dir / _T("missing.txt"), m_dir / _T("missing\\deeper.txt")};    // named, not made
    const Recorder seen = StampAll(Chosen(0, 1, 0), {missing[0], missing[1]});
    EXPECT_TRUE(seen.failed.size() == 2 && seen.failed[1].m_strFileName == missing[1]);
    EXPECT_EQ(ReadAttributes(missing[0]) & ReadAttributes(missing[1]), INVALID_FILE_ATTRIBUTES);
}

// A read-only file gets its times through a handle opened for its attributes, never seen writable,
// unless the platform refuses that open (Wine as an ordinary user: CTest runs this so too); then its
// read-only bit comes off and goes back. Either way it ends with its new times and every attribute.
TEST_F(StampTest, AReadOnlyFileIsNeverSeenWritable) {
    const CString file = MakeFile(m_dir / _T("ro"), kReadOnly | kHidden | kSystem);
    const State before = Read(file);
    const bool refused =
        !CHandle(CreateFile(file, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr)).IsOpen();
    std::atomic<bool> done(false);
    auto seenWritable = std::async(std::launch::async, [&] {
        for (bool seen = false;; seen = seen || (ReadAttributes(file) & kReadOnly) == 0)
            if (done) return seen;
    });
    for (int round = 0; round < 20; ++round)
        EXPECT_TRUE(StampAll(Chosen(0, 1, 1, CTimeChoice::ShiftedBy(kTicksPerSecond)), {file}).failed.empty());
    done = true;
    EXPECT_FALSE(seenWritable.get() && !refused) << "writable while its times were written";
    Expect(file, before, before.times.lastWrite + 20 * kTicksPerSecond, before.times.creation);
}

// Whatever the file's name, attributes or depth, however the target is spelt. A folder's identity is the folder's
// however its path is spelt, and compares the volume too (NTFS volume roots share an index): no two volumes here
// share one (Wine gives /dev, /proc and /sys one serial too), so two folders get one index, their own for volumes.
TEST_F(StampTest, EveryFileBelowTheTargetGetsTheStampAndNoFolderDoes) {
    const CString deep = _T("root\\") + BeyondMaxPath(), c1 = _T("root\\a\\b\\c\\c1"), dotted = deep + _T("\\abc.\\d");
    const std::map<CString, DWORD> files = {
        {_T("root\\top"), 0}, {_T("root\\.profile"), 0}, {_T("root\\hidden"), kHidden | kSystem}, {c1, 0},
        {_T("root\\.config\\settings.ini"), 0}, {_T("root\\a\\b\\c\\c2"), 0}, {deep + _T("\\abc\\p"), 0},
        {_T("root\\") + NonAnsiName() + _T("\\f"), 0}, {dotted, kReadOnly | kHidden}, {_T("beside\\outside"), 0}};
    MakeFolder(Ext(_T("root\\empty")));
    for (const auto& [file, attributes] : files)
        MakeFile(Ext(file), attributes);
    for (const auto& [file, attributes] : files)    // an entry made in a folder changes its times
        for (int end = file.ReverseFind(_T('\\')); end > 0; end = file.Left(end).ReverseFind(_T('\\')))
            WriteTimes(Ext(file.Left(end)), ReadTimes(Ext(file)));
    WriteTimes(Ext(_T("root\\empty")), ReadTimes(Ext(c1)));
    std::map<CString, State> before = {{_T("root\\empty"), {}}, {_T("root\\a\\b"), {}}, {_T("beside"), {}}};
    for (const auto& [file, attributes] : files) before[file] = {};
    for (auto& [item, state] : before) state = Read(Ext(item));

    EXPECT_TRUE(StampAll(Chosen(0, 1, 1), {m_dir / _T("root\\empty"), m_dir / _T("root\\")}).failed.empty());
    for (const auto& [item, was] : before)
        Expect(Ext(item), was, files.count(item) && item.Left(5) == _T("root\\") ? kStamp : was.times.lastWrite,
               was.times.creation);
    StampAll(Chosen(0, 1, 1, CTimeChoice::At(kStamp + kHour)), {m_dir / deep});
    EXPECT_EQ(ReadTimes(Ext(dotted)).lastWrite, kStamp + kHour) << "a target beyond MAX_PATH";
    CFolderIdentity entered;
    EXPECT_TRUE(entered.Enter(Ext(_T("root\\a"))) && entered.Enter(Ext(_T("root\\a\\b"))));
    EXPECT_FALSE(entered.Enter(Ext(_T("root\\A")))) << "the same folder in other letters";
    EXPECT_TRUE(entered.Enter(Ext(_T("root\\gone"))) && entered.Enter(Ext(_T("root\\gone")))) << "no identity";
    OneIndex onTwoVolumes;
    EXPECT_TRUE(onTwoVolumes.Enter(Ext(_T("root\\a"))) && onTwoVolumes.Enter(Ext(_T("root\\a\\b"))));
    EXPECT_FALSE(onTwoVolumes.Enter(Ext(_T("root\\A"))) || onTwoVolumes.Enter(Ext(_T("root\\a\\b"))));
}

// Up and again loop back, out and linked lead out, and the file inside moves once. Wine shows folder links as
// reparse points, which the walk passes by, so the folder identity is checked on its own; it shows a file link
// as its target, stamped then.
TEST_F(StampTest, NoLinkIsFollowedOutOfTheTreeOrRoundALoop) {
    const CString files[] = {MakeFile(m_dir / _T("root\\a\\b\\inside")), MakeFile(m_dir / _T("beside\\f")),
                             MakeFile(m_dir / _T("outside"))};
    const SymbolicLink links[] = {{m_dir / _T("root\\a\\b\\up"), m_dir / _T("root")},
                                  {m_dir / _T("root\\a\\b\\again"), m_dir / _T("root\\a")},
                                  {m_dir / _T("root\\a\\out"), m_dir / _T("beside")},
                                  {m_dir / _T("root\\a\\linked"), files[2]}};
    if (!std::all_of(std::begin(links), std::end(links), [](const SymbolicLink& link) { return link.IsMade(); }))
        GTEST_SKIP() << "no links can be made here";
    const bool fileLinkIsTarget = (ReadAttributes(m_dir / _T("root\\a\\linked")) & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    const State was[] = {Read(files[0]), Read(files[1]), Read(files[2])};
    StampAll(Chosen(0, 1, 0, CTimeChoice::ShiftedBy(kHour)), {m_dir / _T("root")});
    for (int i = 0; i < (fileLinkIsTarget ? 2 : 3); ++i)
        Expect(files[i], was[i], was[i].times.lastWrite + (i == 0 ? kHour : 0), was[i].times.creation);
    CFolderIdentity entered;
    EXPECT_TRUE(entered.Enter(Ext(_T("root\\a"))) && !entered.Enter(Ext(_T("root\\a\\b\\again")))) << "through a link";
}

// Targets overlap: a file named before or after a folder above it, a folder named inside one walked. A shift
// starts from the item's own times, even where a listing read them before another program wrote them; a folder
// (with its own times chosen) ends with the access time chosen for it, not the one its listing put back.
TEST_F(StampTest, EachItemChangesOncePerRunFromItsOwnTimes) {
    const CString x = m_dir / _T("x"), sub = x + _T("\\sub"), c = MakeFile(sub + _T("\\c.txt"));
    for (LPCTSTR name : {_T("\\a.txt"), _T("\\b.txt")}) MakeFile(x + name);
    const std::vector<CString> listed = FilesInSearchOrder(x);
    for (const CString& folder : {sub, x})    // a past access time, which a listing moves
        WriteTimes(folder, {UnixToTicks(1500000000), UnixToTicks(1500000000), UnixToTicks(1500000000)});
    std::map<CString, State> before;
    for (const CString& item : {c, sub, x, listed[0], listed[1]}) before[item] = Read(item);
    before[listed[1]].times.lastWrite = UnixToTicks(1600000000);    // written once the listing has read it
    Recorder seen;
    seen.onChange = [&](const CString& path) {
        if (path == listed[0]) WriteTimes(listed[1], before[listed[1]].times);
    };
    CStampOptions options = Chosen(0, 1, 0, CTimeChoice::ShiftedBy(kHour));
    options.times[kAccessed] = CTimeChoice::ShiftedBy(kHour);
    options.bFolders = true;
    EXPECT_EQ(StampAll(options, {c, x, listed[0], sub, x}, seen).changed.size(), before.size());
    for (const auto& [item, was] : before)
        EXPECT_EQ(std::make_pair(ReadTimes(item).lastWrite, ReadTimes(item).lastAccess),
                  std::make_pair(was.times.lastWrite + kHour, was.times.lastAccess + kHour)) << Narrow(item);
}

// However many of a file's hard links the targets name or a walk meets, the file is one item: a shift moves it once.
TEST_F(StampTest, AFileIsOneItemHoweverManyOfItsLinksTheRunMeets) {
    const CString tree = m_dir / _T("tree"), file = MakeFile(tree + _T("\\a")), outside = m_dir / _T("outside");
    MakeFolder(tree + _T("\\sub"));
    for (const CString& link : {tree + _T("\\sub\\b"), tree + _T("\\c"), outside})
        if (!CreateHardLink(link, file, nullptr)) GTEST_SKIP() << "no hard link: error " << GetLastError();
    const struct { const char* what; std::initializer_list<CString> targets; } runs[] = {
        {"a walk", {tree}}, {"a link, then a walk", {outside, tree}}, {"a walk, then a link", {tree, outside}}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        const Ticks before = ReadTimes(file).lastWrite;
        EXPECT_EQ(StampAll(Chosen(0, 1, 0, CTimeChoice::ShiftedBy(kHour)), run.targets).changed.size(), 1u);
        EXPECT_EQ(ReadTimes(file).lastWrite, before + kHour);
    }
}

// A read-only file whose times cannot be written keeps them and its attributes.
TEST_F(StampTest, AFailedWriteEndsTheWalkWhereItHappens) {
    if (!RunningUnderWine())
        GTEST_SKIP() << "a file whose times cannot be written is made on Wine's Unix side";
    for (TCHAR name = _T('a'); name < _T('i'); ++name)
        MakeFile(m_dir / _T("middle\\") + name + _T(".txt"));
    const std::vector<CString> files = FilesInSearchOrder(m_dir / _T("middle"));
    const CString failing = files[files.size() / 2];
    const BusyFile busy(failing);
    ASSERT_TRUE(busy.IsMade() && SetFileAttributes(failing, kReadOnly | kHidden));
    ASSERT_EQ(FilesInSearchOrder(m_dir / _T("middle")), files) << "the busy file kept its place";
    ExpectWalkEndsAt(m_dir / _T("middle"), failing, ERROR_SHARING_VIOLATION, Chosen(0, 1, 1));
}

// As the target, a folder the user may not list stamps nothing. Root lists every folder, so CTest runs this once
// more as an unprivileged user (run-unprivileged.sh).
TEST_F(StampTest, AFolderThatCannotBeListedEndsTheWalkAndIsNamed) {
    const CString tree = m_dir / _T("tree"), locked = tree + _T("\\locked");
    for (TCHAR name = _T('a'); name < _T('g'); ++name)
        MakeFile(tree + _T("\\") + name + _T(".txt"));
    MakeFile(locked + _T("\\inside.txt"));
    if (GetEnv("DORVANE_UNPRIVILEGED").empty())
        GTEST_SKIP() << "root lists every folder: CTest runs this as an unprivileged user";
    const LockedFolder closed(locked);
    ASSERT_TRUE(closed.IsMade());
    ExpectWalkEndsAt(tree, locked, ERROR_ACCESS_DENIED, Chosen(0, 1, 0));
    const auto asTarget = ErrorOf(Chosen(0, 1, 0), locked);
    EXPECT_TRUE(asTarget && asTarget->m_strFileName == locked && asTarget->m_lOsError == ERROR_ACCESS_DENIED);
}

// The walk keeps the folders it lists on the heap. One calling itself for each folder
// takes about 1.4 KB a level (two find records a frame): 64 KiB run out before 40 levels.
TEST_F(StampTest, ADeepFolderChainIsWalkedOnASmallStack) {
    CString chain = m_dir / _T("deep");
    for (int level = 1; level < 150; ++level)
        chain += _T("\\d");
    const CString bottom = MakeFile(chain + _T("\\bottom"));
    const State before = Read(bottom);
    EXPECT_EQ(RunOnSmallStack([this] { StampAll(Chosen(0, 1, 0), {m_dir / _T("deep")}); }), 0u) << "out of stack";
    Expect(bottom, before, kStamp, before.times.creation);
}

// DorvaneCmd.exe started as a script starts it, one process per case: what it prints read
// through pipes, the files' times and attributes read back with Win32.
#include "stamping/StampFailure.h"
#include "tests/app/CompanionProcess.h"
#include "tests/support/TestSupport.h"
#include "version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

using namespace testsupport;

namespace {
constexpr auto npos = std::string::npos;
std::string Tally(int changed, int skipped, int failed, const char* verb = "changed") {    // the last line
    return std::to_string(changed) + " files " + verb + ", " + std::to_string(skipped) + " skipped (read-only), " +
           std::to_string(failed) + " failed\n";
}
std::uint64_t Local(const char* name) { return UnixToTicks(std::stoll(GetEnv(name))); }    // expected-local-times.sh
const std::uint64_t kStamp = TicksOf(CTime(2003, 4, 5, 6, 7, 8));
const CString kStampArg = _T("--time \"2003-04-05 06:07:08\" ");
}

class CompanionTest : public testing::Test {
protected:
    const FileTimes kOwn = OwnTimes();    // what MakeFile gives
    TempDir m_dir;
};

// A local time lands where GNU date puts it (the core tests try each season); --utc as UTC; a
// reference's times to the tick, each kind its own; a shift is elapsed time across the clock change
// of 2024-10-06. Only the chosen times change, --modified alone by default. The listing shows local times.
TEST_F(CompanionTest, EachTimeSourceAndKindGivesExactlyTheTimesItNames) {
    ASSERT_NE(GetEnv("DORVANE_LOCAL_20250115T103000"), "") << "run through ctest (expected-local-times.sh)";
    const CString ref = MakeFile(m_dir / _T("ref"), 0, {kStamp + 1, kStamp + 2, kStamp + 3});
    const std::uint64_t c = kOwn.creation, w = kOwn.lastWrite, a = kOwn.lastAccess, second = kTicksPerSecond;
    const std::uint64_t saturdayNoon = UnixToTicks(1728093600);    // 2024-10-05 12:00 AEST
    struct Case { LPCTSTR what; CString args; std::uint64_t own; FileTimes expected; const char* shown; };
    const Case cases[] = {
        {_T("UTC"), _T("--utc --time \"2024-07-15 10:30:00\""), 0, {c, UnixToTicks(1721039400), a},
         "-> 2024-07-15 20:30:00"},
        {_T("time="), _T("--time=\"2025-01-15 10:30:00\""), 0, {c, Local("DORVANE_LOCAL_20250115T103000"), a}, ""},
        {_T("reference"), _T("--accessed --modified --reference ") + Q(ref), 0, {c, kStamp + 2, kStamp + 3}, ""},
        {_T("shift of a day"), _T("--shift 1.00:00:00"), saturdayNoon, {c, saturdayNoon + 86400 * second, a},
         "2024-10-05 12:00:00 -> 2024-10-06 13:00:00"},
        {_T("shift back"), _T("--shift -02:30:01"), 0, {c, w - 9001 * second, a}, ""},
        {_T("created"), kStampArg + _T("--created"), 0, {kStamp, w, a}, "  created "},
        {_T("accessed"), kStampArg + _T("--accessed"), 0, {c, w, kStamp}, "  accessed "},
        {_T("all three"), kStampArg + _T("--created --modified --accessed"), 0, {kStamp, kStamp, kStamp}, ""}};
    for (const Case& t : cases) {
        SCOPED_TRACE(Narrow(t.what));
        const CString file = MakeFile(m_dir / t.what);
        if (t.own) WriteTimes(file, {c, t.own, a});
        const Finished run = RunCmd(_T("--verbose ") + t.args + _T(" ") + Q(file));
        EXPECT_TRUE(run.exit == 0 && run.out.find(t.shown) != npos) << run.out << run.err;
        ExpectTimes(file, t.expected);
    }
}

// New York's times, taken and listed with each year's own rules as Explorer shows them (summer time began
// in April until 2006, in March since 2007; GNU date's UTC), the first of an hour the clocks repeat too. The
// hour they skip, and a time past 9999 in UTC, are refused and nothing changes.
TEST_F(CompanionTest, LocalTimesFollowTheRulesOfTheirOwnYear) {
    if (GetEnv("TZ") != "America/New_York") GTEST_SKIP() << "run in New York as companion_tests_new_york";
    const std::int64_t own = 1142874000;    // 2006-03-20 17:00 UTC
    const std::pair<LPCTSTR, std::int64_t> cases[] = {{_T("2006-03-20 12:00:00"), own},
        {_T("2006-10-30 12:00:00"), 1162227600}, {_T("2007-03-20 12:00:00"), 1174406400},
        {_T("2024-11-03 01:30:00"), 1730611800}, {_T("2024-03-10 02:30:00"), 0}, {_T("9999-12-31 19:00:00"), 0}};
    const CString file = MakeFile(m_dir / _T("f"));
    for (const auto& [time, utc] : cases) {
        SCOPED_TRACE(Narrow(time));
        WriteTimes(file, {kOwn.creation, UnixToTicks(own), kOwn.lastAccess});
        const Finished run = RunCmd(_T("--verbose --time \"") + CString(time) + _T("\" ") + Q(file));
        EXPECT_EQ(std::make_pair(run.exit, ReadTimes(file).lastWrite),
                  std::make_pair(utc ? 0ul : 2ul, UnixToTicks(utc ? utc : own)));
        EXPECT_EQ(run.out.find("2006-03-20 12:00:00 -> " + Narrow(time)) != npos, utc != 0) << run.out << run.err;
    }
}

// A read-only file is skipped and counted unless --read-only (its attributes are the engine's to keep); a dry
// run changes nothing and lists old and new local times.
TEST_F(CompanionTest, ReadOnlyFilesAndDryRunsChangeOnlyWhatIsAllowed) {
    struct Case { LPCTSTR args; bool plain, readOnly; std::string summary; };
    const Case cases[] = {{_T(""), true, false, Tally(1, 1, 0)}, {_T("--read-only"), true, true, Tally(2, 0, 0)},
        {_T("--dry-run"), false, false, Tally(1, 1, 0, "would change")},
        {_T("--dry-run --read-only"), false, false, Tally(2, 0, 0, "would change")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.args));
        const CString folder = m_dir / (CString(_T("r")) + c.args), plain = MakeFile(folder + _T("\\plain"));
        const CString readOnly = MakeFile(folder + _T("\\ro"), FILE_ATTRIBUTE_READONLY);
        const Finished run = RunCmd(kStampArg + c.args + _T(" ") + Q(folder));
        EXPECT_EQ(std::make_pair(run.exit, LastLine(run.out)), std::make_pair(0ul, c.summary));
        EXPECT_EQ(run.out.find("  modified 2020-03-01 05:13:20 -> 2003-04-05 06:07:08\n") != npos,
                  c.summary.find("would") != npos) << run.out;
        ExpectTimes(plain, {kOwn.creation, c.plain ? kStamp : kOwn.lastWrite, kOwn.lastAccess});
        ExpectTimes(readOnly, {kOwn.creation, c.readOnly ? kStamp : kOwn.lastWrite, kOwn.lastAccess});
    }
}

// A folder stands for every file below it at any depth, its folders too with --folders (links are the
// core tests'). A pattern's matches are each a path of their own (the folder sub.jpg too); one that
// matches nothing is a failure. Relative paths, beyond MAX_PATH. Listing a folder leaves its access time
// as it was. A name ending in a dot is itself, not the name without it; after -- a PATH may begin with -.
TEST_F(CompanionTest, FoldersAndPatternsReachEachFileOnce) {
    const CString deep = _T("root\\deep\\") + BeyondMaxPath() + _T("\\e.txt");
    const std::map<char, CString> items = {{'a', _T("root\\a.jpg")}, {'b', _T("root\\b.jpg")}, {'c', _T("root\\c.txt")},
        {'d', _T("root\\sub.jpg\\d.txt")}, {'e', deep}, {'R', _T("root")}, {'S', _T("root\\sub.jpg")},
        {'t', _T("dots\\abc.")}, {'u', _T("dots\\abc")}, {'m', _T("-minus")}};
    for (const auto& [letter, path] : items) if (letter > 'Z') MakeFile(m_dir / path);
    struct Case { CString args; const char* changed; DWORD exit; std::string summary; };
    const FileTimes read = {kOwn.creation, kOwn.lastWrite, UnixToTicks(1600000000)};    // listing must not move it
    const Case cases[] = {
        {_T("root"), "abcde", 0, Tally(5, 0, 0)}, {_T("--folders root"), "abcdeRS", 0, Tally(15, 0, 0)},
        {_T("root\\*.jpg"), "abd", 0, Tally(3, 0, 0)}, {_T("-- -minus"), "m", 0, Tally(1, 0, 0)},
        {_T("root\\*.png root\\?.txt"), "c", 1, Tally(1, 0, 1)}, {_T("dots\\abc."), "t", 0, Tally(1, 0, 0)},
        {_T("root\\a.jpg root root\\sub.jpg\\d.txt root\\*.jpg ROOT"), "abcde", 0, Tally(5, 0, 0)}};    // each once
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.args));
        for (const auto& [letter, path] : items) WriteTimes(m_dir / path, read);
        const Finished run = RunCmd(kStampArg + c.args, m_dir.Path());
        EXPECT_EQ(std::make_pair(run.exit, LastLine(run.out)), std::make_pair(c.exit, c.summary));
        EXPECT_EQ(run.err.find(Narrow(m_dir / _T("root\\*.png: "))) != npos, c.exit == 1) << run.err;
        for (const auto& [item, path] : items)
            EXPECT_EQ(std::make_pair(ReadTimes(m_dir / path).lastWrite, ReadTimes(m_dir / path).lastAccess),
                      std::make_pair(strchr(c.changed, item) ? kStamp : read.lastWrite, read.lastAccess)) << item;
    }
}

// A file whose times cannot be written and a path that is not there, on stderr with the system's reason;
// exit 1. Names print as UTF-8 into a pipe; a line break in a name stays where it is.
TEST_F(CompanionTest, FailuresAreNamedAndTheRunGoesOn) {
    if (!RunningUnderWine()) GTEST_SKIP() << "a file whose times cannot be written is made on Wine's Unix side";
    const CString stuck = MakeFile(m_dir / _T("f\\busy")), named = MakeFile(m_dir / (_T("f\\") + NonAnsiName()));
    const BusyFile busy(stuck);
    ASSERT_TRUE(busy.IsMade());
    const std::uint64_t stuckWrite = ReadTimes(stuck).lastWrite;    // a program copied in
    const CString broken = m_dir / _T("missing\nname");
    const Finished run = RunCmd(_T("--verbose ") + kStampArg + Q(m_dir / _T("f")) + _T(" ") + Q(m_dir / _T("missing")) +
                              _T(" ") + Q(broken));
    auto failure = [](const CString& it, LONG code) {    // the item and the reason on one line
        return Narrow(_T("Cannot change the times of ") + it + _T(": ") + CStampFailure(it, code).GetSystemReason());
    };
    const std::pair<const std::string*, std::string> expected[] = {
        {&run.err, failure(stuck, ERROR_SHARING_VIOLATION)}, {&run.err, failure(m_dir / _T("missing"), 2)},
        {&run.err, Narrow(_T("Cannot change the times of ") + broken + _T(": "))},
        {&run.out, Narrow(named) + "  modified 2020-03-01 05:13:20 -> 2003-04-05 06:07:08\n"},
        {&run.out, Tally(1, 0, 3)}};
    for (const auto& [stream, text] : expected) EXPECT_NE(stream->find(text), npos) << text << " in:\n" << *stream;
    EXPECT_EQ(run.exit, 1u);
    EXPECT_EQ(ReadTimes(named).lastWrite, kStamp);
    EXPECT_EQ(ReadTimes(stuck).lastWrite, stuckWrite);
}

// Wherever the wrong part stands: exit 2, the wrong part named, then the usage, on stderr; a PATH that no
// path can be is wrong too. Help is the usage on stdout. Explorer shows the program's version.
TEST_F(CompanionTest, AWrongCommandLineIsNamedAndChangesNothing) {
    const CString file = MakeFile(m_dir / _T("f"));
    const auto reason = [](DWORD code) { return Narrow(CStampFailure(CString(), LONG(code)).GetSystemReason()); };
    const CString tooLong(std::basic_string<TCHAR>(32768 - 5 - m_dir.Path().GetLength(), 'a'));    // made absolute
    const std::pair<CString, std::string> cases[] = {
        {_T("f --frob"), "unknown option --frob"}, {_T("--modified f"), "give exactly one of"},
        {_T("f --time \"2003-04-05 06:07:08\" --shift 01:00:00"), "give exactly one of"},
        {_T("f --time \"2003-04-05 6:07:08\""), "--time \"2003-04-05 6:07:08\" is not"},
        {_T("f --time \"1600-12-31 23:59:59\""), "--time \"1600-12-31 23:59:59\" is not"},
        {_T("f --utc --time \"2023-02-29 12:00:00\""), "--time \"2023-02-29 12:00:00\" is not"},
        {_T("f --shift 01:60:00"), "--shift \"01:60:00\" is not"}, {_T("f --shift"), "--shift needs a value"},
        {_T("f --reference missing"), "cannot read --reference \"missing\""},
        {_T("f --reference \"\""), "cannot read --reference \"\": " + reason(ERROR_PATH_NOT_FOUND)},
        {_T("--time \"2003-04-05 06:07:08\""), "no PATH given"},
        {kStampArg + _T("f \"\""), "cannot use PATH \"\": " + reason(ERROR_PATH_NOT_FOUND)},
        {_T("--shift 01:00:00 ") + tooLong, "cannot use PATH \"" + Narrow(tooLong) + "\": " + reason(ERROR_FILENAME_EXCED_RANGE)}};
    for (const auto& [args, named] : cases) {
        SCOPED_TRACE(Narrow(args));
        const Finished run = RunCmd(args, m_dir.Path());
        EXPECT_EQ(run.exit, 2u);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.find("DorvaneCmd: " + named) == 0 && run.err.find("\nUsage: ") != npos) << run.err.substr(0, 200);
        ExpectTimes(file, kOwn);
    }
    const Finished help = RunCmd(kStampArg + _T("f /?"), m_dir.Path());
    EXPECT_TRUE(help.exit == 0 && help.out.find("Usage: DorvaneCmd") == 0 && help.err.empty()) << help.out;
    ExpectTimes(file, kOwn);
    std::vector<BYTE> info(GetFileVersionInfoSize(Exe(), nullptr));
    LPVOID version = nullptr;
    UINT length = 0;
    ASSERT_TRUE(!info.empty() && GetFileVersionInfo(Exe(), 0, DWORD(info.size()), info.data()) &&
                VerQueryValue(info.data(), _T("\\StringFileInfo\\040904B0\\FileVersion"), &version, &length));
    EXPECT_EQ(CString(static_cast<LPCTSTR>(version)), _T(DORVANE_VERSION_TEXT));
}

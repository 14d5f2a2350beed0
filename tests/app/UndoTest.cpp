// DorvaneCmd --journal and --undo end to end: runs taken back to the tick, a run killed or stopped
// with Ctrl+C part-way taken back up to where it reached, items changed since left alone.
#include "tests/app/CompanionProcess.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
const CString kRun = _T("--read-only --time \"2003-04-05 06:07:08\" --accessed --modified ");
std::vector<std::string> Lines(const CString& path) {
    std::ifstream file(Narrow(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}
}

class UndoTest : public testing::Test {
protected:
    // Fractions of a second, so that every time is checked to the tick; a creation time is
    // kept only where the platform keeps one.
    const FileTimes kOwn = {UnixToTicks(1552000000) + 1234567, UnixToTicks(1583000000) + 7654321,
                            UnixToTicks(1584000000) + 5555555};
    std::vector<CString> MakeFiles(const CString& folder, int count) {
        std::vector<CString> files;
        MakeFolder(folder);
        for (int i = 0; i < count; ++i) {
            CString name;
            name.Format(_T("\\f%d"), i);
            files.push_back(folder + name);
            WriteFile(files.back()), WriteTimes(files.back(), kOwn);
        }
        return files;
    }
    void ExpectOwnTimes(const CString& path) {
        const FileTimes now = ReadTimes(path);
        EXPECT_EQ(now.lastWrite, kOwn.lastWrite) << Narrow(path);
        EXPECT_EQ(now.lastAccess, kOwn.lastAccess) << Narrow(path);
        EXPECT_TRUE(now.creation == kOwn.creation || !PlatformKeepsCreationTime()) << Narrow(path);
    }
    TempDir m_dir;
};

// Every time back to the tick, the one never changed included, read-only files too; a file
// changed since the run is named and left as it is now; undone again, all is back already.
TEST_F(UndoTest, RunIsUndoneToTheTickExceptWhatChangedSince) {
    const std::vector<CString> files = MakeFiles(m_dir / _T("tree"), 3);
    SetFileAttributes(files[0], FILE_ATTRIBUTE_READONLY);
    const CString journal = m_dir / _T("run.txt");
    EXPECT_EQ(Finish(StartCmd(_T("--journal ") + Q(journal) + _T(" ") + kRun + Q(m_dir / _T("tree")))).exit, 0u);
    EXPECT_EQ(Lines(journal).size(), 2 + files.size());
    const FileTimes since = {kOwn.creation, kOwn.lastWrite + 1, kOwn.lastAccess};
    WriteTimes(files[2], since);
    const auto undo = Finish(StartCmd(_T("--undo ") + Q(journal)));
    EXPECT_EQ(undo.exit, 0u);
    EXPECT_NE(undo.err.find(Narrow(files[2]) + ": changed since"), std::string::npos) << undo.err;
    EXPECT_EQ(undo.out, "2 files changed, 1 skipped (read-only), 0 failed\n");
    ExpectOwnTimes(files[0]), ExpectOwnTimes(files[1]);
    EXPECT_EQ(ReadTimes(files[2]).lastWrite, since.lastWrite);
    EXPECT_EQ(ReadAttributes(files[0]) & FILE_ATTRIBUTE_READONLY, DWORD(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Finish(StartCmd(_T("--undo ") + Q(journal))).out, "2 files changed, 1 skipped (read-only), 0 failed\n");
}

// Terminated a little after its journal names a few items (so that lines held back in the
// program would be lost), the run is taken back exactly that far: every file has its own
// times again, those it never reached included.
TEST_F(UndoTest, KilledRunIsUndoneUpToWhereItReached) {
    const std::vector<CString> files = MakeFiles(m_dir / _T("tree"), 400);
    const CString journal = m_dir / _T("run.txt");
    const Started run = StartCmd(_T("--journal ") + Q(journal) + _T(" ") + kRun + Q(m_dir / _T("tree")));
    for (WIN32_FILE_ATTRIBUTE_DATA data = {}; WaitForSingleObject(run.process, 0) == WAIT_TIMEOUT;)
        if (GetFileAttributesEx(journal, GetFileExInfoStandard, &data) && data.nFileSizeLow > 2000)
            Sleep(20), TerminateProcess(run.process, 99);
    const bool bKilled = Finish(run).exit == 99;
    const size_t reached = Lines(journal).size() - 2;
    if (!bKilled || reached == files.size()) GTEST_SKIP() << "the run ended before it could be stopped";
    EXPECT_GT(reached, 0u);
    const auto undo = Finish(StartCmd(_T("--undo ") + Q(journal)));
    EXPECT_EQ(undo.out, std::to_string(reached) + " files changed, 0 skipped (read-only), 0 failed\n");
    for (const CString& file : files) ExpectOwnTimes(file);
}

// An old time of 0, which the platform reads as "leave this time alone", cannot go back: the item is a
// failure, named, with the times the run gave it; never counted as put back.
TEST_F(UndoTest, AnOldTimeNoFileCanBeGivenIsNamedAsAFailure) {
    const CString file = MakeFiles(m_dir / _T("tree"), 1)[0], journal = m_dir / _T("run.txt");
    EXPECT_EQ(Finish(StartCmd(_T("--journal ") + Q(journal) + _T(" ") + kRun + Q(file))).exit, 0u);
    const FileTimes stamped = ReadTimes(file);
    std::vector<std::string> lines = Lines(journal);
    ASSERT_EQ(lines.size(), 3u);
    size_t modified = 0;    // the old modified time is the item's fourth field
    for (int field = 0; field < 3; ++field) modified = lines[2].find('\t', modified) + 1;
    lines[2].replace(modified, lines[2].find('\t', modified) - modified, "1601-01-01T00:00:00.0000000Z");
    WriteFile(journal, lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n");
    const auto undo = Finish(StartCmd(_T("--undo ") + Q(journal)));
    EXPECT_EQ(undo.exit, 1u);
    EXPECT_EQ(undo.out, "0 files changed, 0 skipped (read-only), 1 failed\n");
    EXPECT_NE(undo.err.find("Cannot change the times of " + Narrow(file)), std::string::npos) << undo.err;
    EXPECT_EQ(ReadTimes(file).lastWrite, stamped.lastWrite);
    EXPECT_EQ(ReadTimes(file).lastAccess, stamped.lastAccess) << "the item keeps all its times";
}

// Two hard links to one file are one item to a walk: a shift moves the file once. Moved again by a second run
// whose line is added to the first's journal, the file goes back through both changes to its own times, since
// the journal is undone from its last line. A line that names no item is named by its number, though the
// journal is read from its end, in pieces smaller than it.
TEST_F(UndoTest, AFileChangedTwiceGoesBackThroughBothChanges) {
    const std::vector<CString> files = MakeFiles(m_dir / _T("tree"), 400);
    const CString link = m_dir / _T("tree\\link"), journal = m_dir / _T("run.txt"), second = m_dir / _T("second.txt");
    if (!CreateHardLink(link, files[0], nullptr)) GTEST_SKIP() << "no hard link: error " << GetLastError();
    const CString shift = _T("--accessed --modified --shift 01:00:00 ");
    EXPECT_EQ(Finish(StartCmd(_T("--journal ") + Q(journal) + _T(" ") + shift + Q(m_dir / _T("tree")))).exit, 0u);
    EXPECT_EQ(ReadTimes(files[0]).lastWrite, kOwn.lastWrite + 36000000000LL) << "moved once";
    EXPECT_EQ(Finish(StartCmd(_T("--journal ") + Q(second) + _T(" ") + shift + Q(link))).exit, 0u);
    std::vector<std::string> lines = Lines(journal);
    ASSERT_EQ(lines.size(), 2u + 400);
    lines.push_back(Lines(second).at(2));
    lines.insert(lines.begin() + 3, "no item");
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    ASSERT_GT(text.size(), 65536u);
    WriteFile(journal, text);
    const auto undo = Finish(StartCmd(_T("--undo ") + Q(journal)));
    EXPECT_EQ(undo.out, "401 files changed, 0 skipped (read-only), 1 failed\n");
    EXPECT_EQ(undo.err.find(Narrow(journal) + ", line 4: "), 0u) << undo.err;
    for (const CString& file : files) ExpectOwnTimes(file);
}

// Names with a tab, a line break or the escape character: Wine opens them only through
// "\\?\unix\" paths, which the walk keeps, and so must the journal.
TEST_F(UndoTest, JournalKeepsNamesWithTabsAndLineBreaks) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandle(_T("kernel32.dll")), "wine_get_unix_file_name")));
    if (toUnix == nullptr) GTEST_SKIP() << "only Wine's \\\\?\\unix\\ paths hold such names";
    char* unixPath = toUnix(m_dir.Path());
    std::basic_string<TCHAR> unixFolder(unixPath, unixPath + strlen(unixPath));
    HeapFree(GetProcessHeap(), 0, unixPath);
    std::replace(unixFolder.begin(), unixFolder.end(), _T('/'), _T('\\'));
    const CString folder = _T("\\\\?\\unix") + CString(unixFolder) + _T("\\names");
    MakeFolder(folder);
    const CString files[] = {folder + _T("\\a\tb"), folder + _T("\\c\nd%09")};
    for (const CString& file : files) WriteFile(file), WriteTimes(file, kOwn);
    const CString journal = m_dir / _T("run.txt");
    EXPECT_EQ(Finish(StartCmd(_T("--journal ") + Q(journal) + _T(" ") + kRun + Q(folder))).exit, 0u);
    EXPECT_EQ(Lines(journal).size(), 2u + 2);
    EXPECT_EQ(Finish(StartCmd(_T("--undo ") + Q(journal))).exit, 0u);
    for (const CString& file : files) ExpectOwnTimes(file), DeleteFile(file);
}

// Ctrl+C part-way, to a console of its own, the run held by a full stdout until it has lasted over a
// second (when a console would show the progress line): exit 1, the summary last on stdout, on stderr
// only that it stopped, and the journal taking back exactly what it changed.
TEST_F(UndoTest, StoppedRunSaysSoAndIsUndoneUpToWhereItReached) {
    const std::vector<CString> files = MakeFiles(m_dir / _T("tree"), 400);
    const CString journal = m_dir / _T("run.txt");
    const Started run = StartCmd(_T("--verbose --journal ") + Q(journal) + _T(" ") + kRun + Q(m_dir / _T("tree")),
                                 CREATE_NO_WINDOW);
    WIN32_FILE_ATTRIBUTE_DATA data = {};    // the run under way, then held past its first second
    while (WaitForSingleObject(run.process, 20) == WAIT_TIMEOUT &&
           !(GetFileAttributesEx(journal, GetFileExInfoStandard, &data) && data.nFileSizeLow > 2000)) {}
    Sleep(1200);
    FreeConsole();    // Wine gives this process a console of its own that AttachConsole will not leave
    // Everyone on the console gets the event: this process ignores it, from now on.
    const bool bSent = AttachConsole(GetProcessId(run.process)) && SetConsoleCtrlHandler(nullptr, TRUE) &&
                       GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    const DWORD error = GetLastError();
    FreeConsole();
    const Finished end = Finish(run);
    if (!bSent) GTEST_SKIP() << "the platform sends no Ctrl+C to another process's console: error " << error;
    const size_t reached = Lines(journal).size() - 2;
    EXPECT_TRUE(reached > 0 && reached < files.size()) << reached;
    EXPECT_EQ(end.exit, 1u);
    EXPECT_EQ(end.err, "DorvaneCmd: stopped before the end of the run\n");
    const std::string summary = std::to_string(reached) + " files changed, 0 skipped (read-only), 0 failed\n";
    EXPECT_EQ(LastLine(end.out), summary);
    EXPECT_EQ(Finish(StartCmd(_T("--undo ") + Q(journal))).out, summary);
    for (const CString& file : files) ExpectOwnTimes(file);
}

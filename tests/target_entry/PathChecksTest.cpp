// The path checks judge a target by what it names: a shortcut, whatever its
// name, by its target; anything else by itself.
#include "target_entry/PathCombo.h"
#include "tests/support/ShortcutFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <thread>

using namespace testsupport;

namespace {
constexpr UINT kNothing = 0, kFile = _S_IFREG, kFolder = _S_IFDIR, kKind = _S_IFREG | _S_IFDIR;

// COM on the test's thread, as the target combo provides it.
class PathChecksTest : public testing::Test {
protected:
    ~PathChecksTest() override {
        if (SUCCEEDED(m_com))
            CoUninitialize();
    }
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(m_com)); }
    CString Shortcut(LPCTSTR link, const CString& target) {
        EXPECT_TRUE(target.IsEmpty() ? CreateShortcutToVirtualItem(m_dir / link) : CreateShortcut(m_dir / link, target));
        return m_dir / link;
    }

    const HRESULT m_com = CoInitialize(nullptr);
    TempDir m_dir;
};
}

// Beyond MAX_PATH a file "abc" lies beside a folder "abc.", which only the
// extended-length form names. Wine's link object keeps no target beyond
// MAX_PATH or outside the ANSI code page: those cases are for Windows.
TEST_F(PathChecksTest, ATargetIsJudgedByWhatItNames) {
    const CString folder = m_dir / _T("folder"), file = m_dir / _T("file.txt"), gone = m_dir / _T("gone.txt");
    const CString deep = BeyondMaxPath(), nonAnsi = m_dir / NonAnsiName(), longText = CString(_T('a'), 32767);
    for (const CString& path : {folder, m_dir / _T("folder.lnk"), _T("\\\\?\\") + (m_dir / deep) + _T("\\abc."), nonAnsi})
        MakeFolder(path);
    for (const CString& path : {file, gone, m_dir / deep + _T("\\abc"), m_dir / _T("fake.lnk")})
        WriteFile(path, "not a shell link");
    WriteFile(m_dir / _T("empty.lnk"), "");
    const CString toFolder = Shortcut(_T("to-folder.lnk"), folder), toGone = Shortcut(_T("to-gone.lnk"), gone);
    ASSERT_TRUE(DeleteFile(gone));

    struct Case { const char* what; CString path; UINT kind; CString resolved = CString(); bool windowsOnly = false; };
    const Case cases[] = {
        {"a shortcut to a file", Shortcut(_T("to-file.lnk"), file), kFile, file},
        {"a shortcut to a folder", toFolder, kFolder, folder},
        {"a shortcut to a missing file", toGone, kNothing, gone},
        {"a shortcut to an item without a path", Shortcut(_T("to-computer.lnk"), CString()), kFile},
        {"a shortcut named .dat", Shortcut(_T("shortcut.dat"), folder), kFolder, folder},
        {"a shortcut named outside the code page", Shortcut(NonAnsiName(_T(".lnk")), folder), kFolder, folder},
        {"a shortcut beyond MAX_PATH", Shortcut(deep + _T("\\to-file.lnk"), file), kFile, file},
        {"a shortcut to a folder beyond MAX_PATH", Shortcut(_T("to-deep.lnk"), m_dir / deep), kFolder, m_dir / deep, true},
        {"a shortcut to a name outside the code page", Shortcut(_T("to-na.lnk"), nonAnsi), kFolder, nonAnsi, true},
        {"a file", file, kFile},
        {"a file named .lnk that is no shortcut", m_dir / _T("fake.lnk"), kFile},
        {"an empty file named .lnk", m_dir / _T("empty.lnk"), kFile},
        {"a folder named .lnk", m_dir / _T("folder.lnk"), kFolder},
        {"a folder with a trailing separator", folder + _T("\\"), kFolder},
        {"a file with a trailing separator", file + _T("\\"), kNothing},
        {"a file beyond MAX_PATH", m_dir / deep + _T("\\abc"), kFile},
        {"a folder \"abc.\" beyond MAX_PATH", _T("\\\\?\\") + (m_dir / deep) + _T("\\abc."), kFolder},
        {"a missing file", m_dir / _T("missing.txt"), kNothing},
        {"a missing folder's file", m_dir / _T("missing\\deeper"), kNothing},
        {"an empty text", CString(), kNothing},
        {"a text longer than any path", m_dir.Path() + _T("\\") + longText, kNothing},
        {"a text longer than any path, through a shortcut", toFolder + _T("\\") + longText, kNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.windowsOnly && RunningUnderWine() && std::printf("[   NOTE   ] %s: not checked, Wine's link object keeps no such target\n", c.what))
            continue;
        EXPECT_EQ(CPathCombo::ResolveShortcut(c.path), c.resolved);
        EXPECT_EQ(CPathCombo::PathExists(c.path) != FALSE, c.kind != kNothing);
        EXPECT_EQ(CPathCombo::GetPathMode(c.path) & kKind, c.kind);
    }
    EXPECT_TRUE(CPathCombo::ResolveShortcut(nullptr).IsEmpty());
    EXPECT_FALSE(CPathCombo::PathExists(nullptr));

    // Without COM on the thread no shortcut is resolved: the link is judged by itself.
    CString resolved = _T("not run");
    UINT mode = 0;
    std::thread([&] { resolved = CPathCombo::ResolveShortcut(toFolder), mode = CPathCombo::GetPathMode(toFolder); }).join();
    EXPECT_EQ(resolved, CString());
    EXPECT_EQ(mode & kKind, kFile);
}

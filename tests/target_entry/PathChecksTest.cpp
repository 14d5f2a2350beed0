// The path checks judge a target by what it names: a shortcut, whatever its
// name, by its target; anything else by itself.
#include "target_entry/PathCombo.h"
#include "tests/support/ShortcutFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

using namespace testsupport;

namespace {
constexpr UINT kNothing = 0, kFile = _S_IFREG, kFolder = _S_IFDIR, kKind = _S_IFREG | _S_IFDIR;

class PathChecksTest : public testing::Test {    // with COM, as the target combo provides it
protected:
    ~PathChecksTest() override { CoUninitialize(); }
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    CString Shortcut(const CString& link, const CString& target) {
        EXPECT_TRUE(target.IsEmpty() ? CreateShortcutToVirtualItem(link) : CreateShortcut(link, target))
            << Narrow(link);
        return link;
    }
    TempDir m_dir;
};
}

// Beyond MAX_PATH a file "abc" lies beside a folder "abc.", which only the
// extended-length form names. No path is longer than 32,767 characters.
TEST_F(PathChecksTest, ATargetIsJudgedByWhatItNames) {
    const CString folder = m_dir / _T("folder"), file = m_dir / _T("file.txt"), gone = m_dir / _T("gone.txt");
    const CString deep = m_dir / BeyondMaxPath(), tooLong = _T("\\") + CString(_T('a'), 32767);
    for (const CString& path : {folder, m_dir / _T("folder.lnk"), _T("\\\\?\\") + deep + _T("\\abc.")})
        MakeFolder(path);
    for (const CString& path : {file, gone, deep + _T("\\abc"), m_dir / _T("fake.lnk")})
        WriteFile(path, "not a shell link");
    WriteFile(m_dir / _T("empty.lnk"), "");
    const CString toFolder = Shortcut(m_dir / _T("to-folder.lnk"), folder);
    const CString toGone = Shortcut(m_dir / _T("to-gone.lnk"), gone);
    ASSERT_TRUE(DeleteFile(gone));

    struct Case { const char* what; CString path; UINT kind; CString resolved = CString(); };
    const Case cases[] = {
        {"a shortcut to a file", Shortcut(m_dir / _T("to-file.lnk"), file), kFile, file},
        {"a shortcut to a folder", toFolder, kFolder, folder},
        {"a shortcut to a missing file", toGone, kNothing, gone},
        {"a shortcut to an item without a path", Shortcut(m_dir / _T("to-computer.lnk"), CString()), kFile},
        {"a shortcut named .dat", Shortcut(m_dir / _T("shortcut.dat"), folder), kFolder, folder},
        {"a shortcut named outside the code page", Shortcut(m_dir / NonAnsiName(), folder), kFolder, folder},
        {"a shortcut beyond MAX_PATH", Shortcut(deep + _T("\\to-file.lnk"), file), kFile, file},
        {"a file", file, kFile},
        {"a file named .lnk that is no shortcut", m_dir / _T("fake.lnk"), kFile},
        {"an empty file named .lnk", m_dir / _T("empty.lnk"), kFile},
        {"a folder named .lnk", m_dir / _T("folder.lnk"), kFolder},
        {"a folder with a trailing separator", folder + _T("\\"), kFolder},
        {"a file with a trailing separator", file + _T("\\"), kNothing},
        {"a file beyond MAX_PATH", deep + _T("\\abc"), kFile},
        {"a folder \"abc.\" beyond MAX_PATH", _T("\\\\?\\") + deep + _T("\\abc."), kFolder},
        {"a missing file", m_dir / _T("missing\\file.txt"), kNothing},
        {"an empty text", CString(), kNothing},
        {"a text longer than any path", m_dir.Path() + tooLong, kNothing},
        {"a text longer than any path, through a shortcut", toFolder + tooLong, kNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CPathCombo::ResolveShortcut(c.path), c.resolved);
        EXPECT_EQ(CPathCombo::PathExists(c.path) != FALSE, c.kind != kNothing);
        EXPECT_EQ(CPathCombo::GetPathMode(c.path) & kKind, c.kind);
    }
    EXPECT_TRUE(CPathCombo::ResolveShortcut(nullptr).IsEmpty() && !CPathCombo::PathExists(nullptr));
    CString resolved = _T("not run");    // without COM on the thread, a shortcut is judged by itself
    UINT mode = 0;
    std::thread([&] {
        resolved = CPathCombo::ResolveShortcut(toFolder);
        mode = CPathCombo::GetPathMode(toFolder);
    }).join();
    EXPECT_EQ(resolved, CString());
    EXPECT_EQ(mode & kKind, kFile);
}

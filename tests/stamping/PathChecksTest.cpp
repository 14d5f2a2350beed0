// The path checks that choose what a target is: a file, a folder, nothing, or
// a shortcut standing for its target.
#include "stamping/PathChecks.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <future>

using namespace testsupport;

class PathCheck : public testing::Test {
protected:
    // The thread has COM, as the main window's does.
    PathCheck() { EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK); }
    ~PathCheck() override { CoUninitialize(); }
    TempDir m_dir;
};

// A shortcut, whatever its name, is judged by its target; anything else by itself. No
// path is longer than 32,767 characters. Without COM no shortcut is resolved. Judging
// leaves a file's access time as it was, though Linux's relatime moves this one at a read.
TEST_F(PathCheck, ATargetIsJudgedByWhatItNames) {
    constexpr PathChecks::Kind kNothing = PathChecks::Kind::Nothing, kFile = PathChecks::Kind::File,
                               kFolder = PathChecks::Kind::Folder;
    const auto kindOf = [](const CString& path) { return PathChecks::KindOf(PathChecks::TargetOf(path)); };
    const auto shortcut = [](const CString& link, const CString& target) {
        EXPECT_TRUE(target.IsEmpty() ? CreateShortcutToVirtualItem(link) : CreateShortcut(link, target));
        return link;
    };
    const CString folder = m_dir / _T("folder"), deep = m_dir / BeyondMaxPath(), file = MakeFile(m_dir / _T("file"));
    const CString gone = MakeFile(m_dir / _T("gone")), tooLong(std::basic_string<TCHAR>(32767, 'a'));
    MakeFolder(folder);
    MakeFolder(_T("\\\\?\\") + deep + _T("\\abc."));
    MakeFile(deep + _T("\\abc"));
    MakeFile(m_dir / _T("fake.lnk"));
    const CString toFolder = shortcut(m_dir / _T("to-folder"), folder), toGone = shortcut(m_dir / _T("to-gone"), gone);
    const CString toShortcut = shortcut(m_dir / _T("to-shortcut"), toFolder);
    shortcut(_T("\\\\?\\") + deep + _T("\\to-file."), file);
    ASSERT_TRUE(DeleteFile(gone));
    struct Case { const char* what; CString path; PathChecks::Kind kind; CString resolved = CString(); };
    const Case cases[] = {
        {"a shortcut to a file", shortcut(m_dir / _T("to-file.lnk"), file), kFile, file},
        {"a shortcut to a folder", toFolder, kFolder, folder},
        {"a shortcut to a missing file", toGone, kNothing, gone},
        {"a shortcut to a shortcut: the second, as the file it is", toShortcut, kFile, toFolder},
        {"a shortcut to an item without a path", shortcut(m_dir / _T("to-computer.lnk"), CString()), kFile},
        {"a shortcut named outside the code page", shortcut(m_dir / NonAnsiName(), folder), kFolder, folder},
        {"a shortcut beyond MAX_PATH, its name ending in a dot", deep + _T("\\to-file."), kFile, file},
        {"a file", file, kFile}, {"a file named .lnk that is no shortcut", m_dir / _T("fake.lnk"), kFile},
        {"a folder with a trailing separator", folder + _T("\\"), kFolder},
        {"a file with a trailing separator", file + _T("\\"), kNothing},
        {"a folder \"abc.\" beside a file \"abc\"", deep + _T("\\abc."), kFolder},
        {"a missing file", m_dir / _T("missing\\file"), kNothing}, {"an empty text", CString(), kNothing},
        {"a text longer than any path", m_dir.Path() + _T("\\") + tooLong, kNothing},
        {"a text longer than any path, through a shortcut", toFolder + _T("\\") + tooLong, kNothing},
    };
    const std::uint64_t past = UnixToTicks(1600000000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool isFile = PathChecks::KindOf(c.path) == kFile;
        if (isFile) WriteTimes(c.path, {past, past, past});
        EXPECT_EQ(PathChecks::ResolveShortcut(c.path), c.resolved);
        EXPECT_EQ(kindOf(c.path), c.kind);
        EXPECT_EQ(isFile ? ReadTimes(c.path).lastAccess : past, past);
    }
    EXPECT_TRUE(PathChecks::ResolveShortcut(nullptr).IsEmpty() && PathChecks::KindOf(nullptr) == kNothing);
    const auto withoutCom = std::async(std::launch::async, [&] {
        return std::make_pair(PathChecks::ResolveShortcut(toFolder), kindOf(toFolder));
    }).get();
    EXPECT_EQ(withoutCom, std::make_pair(CString(), kFile));
}

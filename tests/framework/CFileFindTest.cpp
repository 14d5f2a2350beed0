#include "framework/CFileFind.h"
#include "framework/LongPath.h"
#include "tests/support/FileFixtures.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
struct Entry
{
    CString path;
    bool directory;
    bool dots;
};

// Walks one search the way the folder walk does: each FindNextFile makes the
// next entry current, and the entry it made current when it answers FALSE is
// still one of the results.
std::map<CString, Entry> ListAll(CFileFind& finder, LPCTSTR pattern, int* calls = nullptr)
{
    std::map<CString, Entry> entries;
    BOOL more = finder.FindFile(pattern, 0);
    int count = 0;
    while (more)
    {
        more = finder.FindNextFile();
        ++count;
        entries[finder.GetFileName()] = {finder.GetFilePath(), finder.IsDirectory() != FALSE,
                                         finder.IsDots() != FALSE};
    }
    if (calls != nullptr)
        *calls = count;
    return entries;
}
}

TEST(CFileFind, EveryEntryIsMadeCurrentOnceTheLastWithFalse)
{
    testsupport::TempDir dir;
    testsupport::WriteFile(dir / _T("a.txt"));
    testsupport::WriteFile(dir / _T("b.dat"));
    testsupport::MakeFolder(dir / _T("sub"));
    testsupport::MakeFolder(dir / _T("sub.2"));

    CFileFind finder;
    int calls = 0;
    std::map<CString, Entry> entries = ListAll(finder, dir / _T("*.*"), &calls);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(calls, 6);
    EXPECT_FALSE(finder.FindNextFile()) << "a finished search stays finished";

    EXPECT_TRUE(entries[_T(".")].dots && entries[_T(".")].directory);
    EXPECT_TRUE(entries[_T("..")].dots && entries[_T("..")].directory);
    EXPECT_TRUE(entries[_T("sub")].directory && !entries[_T("sub")].dots);
    EXPECT_TRUE(entries[_T("sub.2")].directory && !entries[_T("sub.2")].dots);
    EXPECT_FALSE(entries[_T("a.txt")].directory || entries[_T("a.txt")].dots);
    EXPECT_EQ(entries[_T("a.txt")].path, dir / _T("a.txt"));
    EXPECT_EQ(entries[_T("sub")].path, dir / _T("sub"));
    EXPECT_EQ(finder.GetRoot(), dir.Path());
}

TEST(CFileFind, ASearchWithOneMatchReturnsItWithFalse)
{
    testsupport::TempDir dir;
    testsupport::WriteFile(dir / _T("only.txt"));

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(dir / _T("*.txt"), 0));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_EQ(finder.GetFileName(), CString(_T("only.txt")));
    EXPECT_EQ(finder.GetFilePath(), dir / _T("only.txt"));
}

TEST(CFileFind, NothingFoundGivesFalseAtOnce)
{
    testsupport::TempDir dir;
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile(dir / _T("*.none"), 0));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_FALSE(finder.FindFile(dir / _T("missing\\*.*"), 0));
}

TEST(CFileFind, HiddenAndSystemEntriesAreListedLikeAnyOther)
{
    testsupport::TempDir dir;
    testsupport::WriteFile(dir / _T("hidden.txt"));
    testsupport::WriteFile(dir / _T("system.txt"));
    ASSERT_TRUE(SetFileAttributes(dir / _T("hidden.txt"), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributes(dir / _T("system.txt"), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));

    CFileFind finder;
    std::map<CString, Entry> entries = ListAll(finder, dir / _T("*.*"));
    EXPECT_EQ(entries.count(_T("hidden.txt")), 1u);
    EXPECT_EQ(entries.count(_T("system.txt")), 1u);
}

TEST(CFileFind, OneObjectRunsOneSearchAfterAnother)
{
    testsupport::TempDir first, second;
    testsupport::WriteFile(first / _T("one.txt"));
    testsupport::WriteFile(second / _T("two.txt"));
    testsupport::WriteFile(second / _T("three.txt"));

    CFileFind finder;
    ASSERT_TRUE(finder.FindFile(first / _T("*.txt"), 0));
    ASSERT_TRUE(finder.FindFile(second / _T("*.txt"), 0));
    std::map<CString, Entry> entries = ListAll(finder, second / _T("*.txt"));
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.count(_T("one.txt")), 0u);
    finder.Close();
    EXPECT_FALSE(finder.FindNextFile());
}

TEST(CFileFind, LongAndNonAnsiPathsAreListed)
{
    testsupport::TempDir dir;
    CString deep = testsupport::MakeDeepFolder(dir.Path());
    CString name = testsupport::NonAnsiName(_T(".txt"));
    testsupport::WriteFile(deep + _T("\\") + name);

    CFileFind finder;
    std::map<CString, Entry> entries = ListAll(finder, ToExtendedLengthPath(deep) + _T("\\*.*"));
    ASSERT_EQ(entries.count(name), 1u);
    EXPECT_EQ(entries[name].path, ToExtendedLengthPath(deep) + _T("\\") + name);
}

#include "framework/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(LongPath, FullPathsGetTheExtendedLengthPrefix)
{
    EXPECT_EQ(ToExtendedLengthPath(_T("C:\\Data\\a.txt")), CString(_T("\\\\?\\C:\\Data\\a.txt")));
    // The platform's clean-up happens first: the prefixed form is literal.
    EXPECT_EQ(ToExtendedLengthPath(_T("C:\\Data\\..\\Other\\.\\a.txt")), CString(_T("\\\\?\\C:\\Other\\a.txt")));
    EXPECT_EQ(ToExtendedLengthPath(_T("C:/Data/a.txt")), CString(_T("\\\\?\\C:\\Data\\a.txt")));
    EXPECT_EQ(ToExtendedLengthPath(_T("C:\\Data\\")), CString(_T("\\\\?\\C:\\Data\\")));
    EXPECT_EQ(ToExtendedLengthPath(_T("\\\\server\\share\\a.txt")),
              CString(_T("\\\\?\\UNC\\server\\share\\a.txt")));
}

TEST(LongPath, PrefixedDeviceAndEmptyPathsComeBackUnchanged)
{
    EXPECT_EQ(ToExtendedLengthPath(_T("\\\\?\\C:\\Data\\..\\a.txt")), CString(_T("\\\\?\\C:\\Data\\..\\a.txt")));
    EXPECT_EQ(ToExtendedLengthPath(_T("\\\\.\\COM1")), CString(_T("\\\\.\\COM1")));
    EXPECT_TRUE(ToExtendedLengthPath(_T("")).IsEmpty());
    EXPECT_TRUE(ToExtendedLengthPath(nullptr).IsEmpty());
    EXPECT_TRUE(ToFullPath(_T("")).IsEmpty());
    EXPECT_TRUE(ToFullPath(nullptr).IsEmpty());
}

TEST(LongPath, RelativePathsResolveAgainstTheCurrentFolder)
{
    testsupport::TempDir dir;
    TCHAR previous[MAX_PATH];
    GetCurrentDirectory(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectory(dir.Path()));
    CString full = ToFullPath(_T("sub\\a.txt"));
    CString extended = ToExtendedLengthPath(_T("sub\\a.txt"));
    SetCurrentDirectory(previous);

    EXPECT_EQ(full, dir / _T("sub\\a.txt"));
    EXPECT_EQ(extended, _T("\\\\?\\") + (dir / _T("sub\\a.txt")));
}

TEST(LongPath, PathsLongerThanMaxPathKeepEveryCharacter)
{
    CString path = _T("C:\\") + CString(_T('d'), 200) + _T("\\") + CString(_T('f'), 200) + _T(".txt");
    CString extended = ToExtendedLengthPath(path);
    EXPECT_EQ(extended, _T("\\\\?\\") + path);
    EXPECT_EQ(FromExtendedLengthPath(extended), path);
}

TEST(LongPath, ThePrefixComesOffForShowing)
{
    EXPECT_EQ(FromExtendedLengthPath(_T("\\\\?\\C:\\Data\\a.txt")), CString(_T("C:\\Data\\a.txt")));
    EXPECT_EQ(FromExtendedLengthPath(_T("\\\\?\\UNC\\server\\share\\a.txt")),
              CString(_T("\\\\server\\share\\a.txt")));
    EXPECT_EQ(FromExtendedLengthPath(_T("C:\\Data\\a.txt")), CString(_T("C:\\Data\\a.txt")));
    EXPECT_EQ(FromExtendedLengthPath(_T("\\\\server\\share")), CString(_T("\\\\server\\share")));
    EXPECT_TRUE(FromExtendedLengthPath(nullptr).IsEmpty());
}

#include "framework/CFile.h"
#include "framework/LongPath.h"
#include "tests/support/FileFixtures.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimeChecks.h"
#include "tests/support/UnixSide.h"

#include <gtest/gtest.h>

using testsupport::FileTimes;
using testsupport::kTicksPerSecond;
using testsupport::ReadAttributes;
using testsupport::ReadTimes;
using testsupport::TicksOf;

namespace
{
constexpr DWORD kVisibleBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

class CFileStatusTest : public testing::Test
{
protected:
    // A file with known contents and times that carry fractions of a second.
    CString MakeFile(LPCTSTR name, const std::string& contents = "hello")
    {
        CString path = m_dir / name;
        testsupport::WriteFile(path, contents);
        testsupport::WriteTimes(path, testsupport::FractionalTimes());
        return path;
    }

    testsupport::TempDir m_dir;
};

void ExpectSameTicks(const FileTimes& actual, const FileTimes& expected)
{
    EXPECT_EQ(actual.creation, expected.creation);
    EXPECT_EQ(actual.lastWrite, expected.lastWrite);
    EXPECT_EQ(actual.lastAccess, expected.lastAccess);
}
}

TEST_F(CFileStatusTest, GetStatusReadsTimesSizeAttributesAndName)
{
    CString path = MakeFile(_T("status.txt"));
    FileTimes times = ReadTimes(path);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(status.m_size, 5u);
    EXPECT_EQ(status.m_attribute, static_cast<BYTE>(ReadAttributes(path)));
    EXPECT_EQ(status.m_szFullName, path);
    EXPECT_EQ(TicksOf(status.m_mtime), times.lastWrite / kTicksPerSecond * kTicksPerSecond);
    EXPECT_EQ(TicksOf(status.m_atime), times.lastAccess / kTicksPerSecond * kTicksPerSecond);
    EXPECT_EQ(TicksOf(status.m_ctime), times.creation / kTicksPerSecond * kTicksPerSecond);

    CFileStatus folder;
    ASSERT_TRUE(CFile::GetStatus(m_dir.Path(), folder));
    EXPECT_NE(folder.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);
}

TEST_F(CFileStatusTest, GetStatusGivesTheFullNameOfARelativePath)
{
    MakeFile(_T("relative.txt"));
    TCHAR previous[MAX_PATH];
    GetCurrentDirectory(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectory(m_dir.Path()));

    CFileStatus status;
    BOOL found = CFile::GetStatus(_T("relative.txt"), status);
    SetCurrentDirectory(previous);
    ASSERT_TRUE(found);
    EXPECT_EQ(status.m_szFullName, m_dir / _T("relative.txt"));
}

TEST_F(CFileStatusTest, GetStatusFailsWhereThereIsNoFile)
{
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(m_dir / _T("missing.txt"), status));
    EXPECT_FALSE(CFile::GetStatus(m_dir / _T("missing\\deeper.txt"), status));
    EXPECT_FALSE(CFile::GetStatus(_T(""), status));
    EXPECT_FALSE(CFile::GetStatus(nullptr, status));
}

TEST_F(CFileStatusTest, SetStatusWritesOnlyTheTimesThatChanged)
{
    CString path = MakeFile(_T("times.txt"));
    FileTimes before = ReadTimes(path);
    DWORD attributesBefore = ReadAttributes(path);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    CFile::SetStatus(path, status);
    ExpectSameTicks(ReadTimes(path), before);

    CTime newWrite(2011, 11, 11, 11, 11, 11);
    status.m_mtime = newWrite;
    CFile::SetStatus(path, status);
    FileTimes after = ReadTimes(path);
    EXPECT_EQ(after.lastWrite, TicksOf(newWrite));
    EXPECT_EQ(after.lastAccess, before.lastAccess);
    if (testsupport::CreationTimeKept())
    {
        EXPECT_EQ(after.creation, before.creation);
    }

    CTime newAccess(2012, 12, 12, 12, 12, 12);
    ASSERT_TRUE(CFile::GetStatus(path, status));
    status.m_atime = newAccess;
    CFile::SetStatus(path, status);
    after = ReadTimes(path);
    EXPECT_EQ(after.lastAccess, TicksOf(newAccess));
    EXPECT_EQ(after.lastWrite, TicksOf(newWrite));
    EXPECT_EQ(ReadAttributes(path), attributesBefore);
}

TEST_F(CFileStatusTest, SetStatusChangesTheAttributesWhereTheyDiffer)
{
    CString path = MakeFile(_T("attributes.txt"));
    FileTimes before = ReadTimes(path);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    status.m_attribute |= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    CFile::SetStatus(path, status);
    EXPECT_EQ(ReadAttributes(path) & kVisibleBits, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ExpectSameTicks(ReadTimes(path), before);

    status.m_attribute = 0;
    CFile::SetStatus(path, status);
    EXPECT_EQ(ReadAttributes(path) & kVisibleBits, 0u);
    ExpectSameTicks(ReadTimes(path), before);
}

// The read-only bit comes off first, so that the times of a read-only file
// can be written wherever that needs the file to be writable.
TEST_F(CFileStatusTest, SetStatusClearsReadOnlyAndWritesTheTimes)
{
    CString path = MakeFile(_T("readonly.txt"));
    ASSERT_TRUE(SetFileAttributes(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    FileTimes before = ReadTimes(path);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    status.m_attribute &= static_cast<BYTE>(~FILE_ATTRIBUTE_READONLY);
    CTime newWrite(2013, 3, 13, 13, 13, 13);
    status.m_mtime = newWrite;
    CFile::SetStatus(path, status);

    EXPECT_EQ(ReadAttributes(path) & kVisibleBits, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(ReadTimes(path).lastWrite, TicksOf(newWrite));
    EXPECT_EQ(ReadTimes(path).lastAccess, before.lastAccess);
}

TEST_F(CFileStatusTest, SetStatusOfAMissingFileThrowsWithItsName)
{
    CString path = m_dir / _T("missing.txt");
    CFileStatus status;
    status.m_mtime = CTime(2001, 1, 1, 0, 0, 0);
    try
    {
        CFile::SetStatus(path, status);
        ADD_FAILURE() << "no exception";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.m_strFileName, path);
        EXPECT_EQ(e.m_lOsError, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
        CString message = e.GetErrorMessage();
        EXPECT_EQ(message.Find(_T("Cannot change the times of ") + path), 0) << testsupport::Narrow(message);
    }
    EXPECT_EQ(ReadAttributes(path), INVALID_FILE_ATTRIBUTES);
}

// A read-only file whose times cannot be written gets its read-only bit back
// before the error goes on.
TEST_F(CFileStatusTest, SetStatusPutsTheAttributesBackWhenTheTimesCannotBeWritten)
{
    if (!testsupport::UnixSideAvailable())
        GTEST_SKIP() << "a file whose times cannot be written is made on Wine's Unix side";
    CString path = MakeFile(_T("busy"));
    testsupport::BusyFile busy(path);
    ASSERT_TRUE(busy.IsBusy());
    ASSERT_TRUE(SetFileAttributes(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    DWORD attributesBefore = ReadAttributes(path);
    FileTimes before = ReadTimes(path);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    status.m_attribute &= static_cast<BYTE>(~FILE_ATTRIBUTE_READONLY);
    status.m_mtime = CTime(2014, 4, 14, 14, 14, 14);
    try
    {
        CFile::SetStatus(path, status);
        ADD_FAILURE() << "no exception";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.m_strFileName, path);
        EXPECT_EQ(e.m_lOsError, static_cast<LONG>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_EQ(ReadAttributes(path), attributesBefore);
    ExpectSameTicks(ReadTimes(path), before);
}

TEST_F(CFileStatusTest, PathsLongerThanMaxPathAreReadAndWritten)
{
    CString folder = testsupport::MakeDeepFolder(m_dir.Path());
    CString path = folder + _T("\\deep.txt");
    ASSERT_GT(path.GetLength(), MAX_PATH);
    testsupport::WriteFile(path, "deep");
    testsupport::WriteTimes(path, testsupport::FractionalTimes());
    FileTimes before = ReadTimes(path);

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(status.m_size, 4u);
    EXPECT_EQ(status.m_szFullName, path);
    CTime newWrite(2015, 5, 15, 15, 15, 15);
    status.m_mtime = newWrite;
    CFile::SetStatus(path, status);
    EXPECT_EQ(ReadTimes(path).lastWrite, TicksOf(newWrite));
    EXPECT_EQ(ReadTimes(path).lastAccess, before.lastAccess);

    // The extended-length form names the same file.
    CFileStatus extended;
    ASSERT_TRUE(CFile::GetStatus(ToExtendedLengthPath(path), extended));
    EXPECT_EQ(extended.m_szFullName, path);
    EXPECT_EQ(extended.m_mtime, newWrite);
}

TEST_F(CFileStatusTest, NamesOutsideTheAnsiCodePageAreReadAndWritten)
{
    CString path = MakeFile(testsupport::NonAnsiName(_T(".txt")));
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(status.m_szFullName, path);
    CTime newWrite(2016, 6, 16, 16, 16, 16);
    status.m_mtime = newWrite;
    CFile::SetStatus(path, status);
    EXPECT_EQ(ReadTimes(path).lastWrite, TicksOf(newWrite));
}

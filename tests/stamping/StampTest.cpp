#include "tests/stamping/StampTest.h"

using testsupport::FileTimes;
using testsupport::ReadAttributes;
using testsupport::ReadTimes;

void StampTest::Choose(BOOL bChangeCreated, BOOL bChangeModified, BOOL bReadOnly)
{
    m_dlg.m_stampTime = m_stamp;
    m_dlg.m_bChangeCreated = bChangeCreated;
    m_dlg.m_bChangeModified = bChangeModified;
    m_dlg.m_bReadOnly = bReadOnly;
}

CString StampTest::MakeFile(const CString& relative, DWORD attributes)
{
    CString path = Path(relative);
    int separator = path.ReverseFind(_T('\\'));
    testsupport::MakeFolder(path.Left(separator));
    testsupport::WriteFile(path, "contents");
    GiveFractionalTimes(path);
    if (attributes != 0)
    {
        EXPECT_TRUE(SetFileAttributes(path, attributes)) << testsupport::Narrow(path);
    }
    return path;
}

CString StampTest::MakeFolder(const CString& relative)
{
    CString path = Path(relative);
    testsupport::MakeFolder(path);
    return path;
}

void StampTest::GiveFractionalTimes(const CString& path)
{
    testsupport::WriteTimes(path, testsupport::FractionalTimes(m_nextTimes++));
}

void StampTest::ExpectUnchanged(const CString& path, const FileTimes& times, DWORD attributes)
{
    SCOPED_TRACE(testsupport::Narrow(path));
    FileTimes now = ReadTimes(path);
    EXPECT_EQ(now.creation, times.creation);
    EXPECT_EQ(now.lastWrite, times.lastWrite);
    EXPECT_EQ(now.lastAccess, times.lastAccess);
    EXPECT_EQ(ReadAttributes(path), attributes);
}

void StampTest::ExpectStampedModifiedOnly(const CString& path, const FileTimes& times)
{
    SCOPED_TRACE(testsupport::Narrow(path));
    FileTimes now = ReadTimes(path);
    EXPECT_EQ(now.lastWrite, StampTicks());
    EXPECT_EQ(now.lastAccess, times.lastAccess);
    if (testsupport::CreationTimeKept())
    {
        EXPECT_EQ(now.creation, times.creation);
    }
}

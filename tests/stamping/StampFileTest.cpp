#include "framework/CFile.h"
#include "framework/FileHandle.h"
#include "framework/LongPath.h"
#include "tests/stamping/StampTest.h"
#include "tests/support/FileFixtures.h"
#include "tests/support/UnixSide.h"

using testsupport::FileTimes;
using testsupport::ReadAttributes;
using testsupport::ReadTimes;

namespace
{
constexpr DWORD kReadOnlyHiddenSystem = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
}

// A chosen time is written even where the file's own time lies within the
// chosen second: the file loses its fraction and carries the stamp exactly.
TEST_F(StampTest, AChosenTimeInTheFilesOwnSecondIsWrittenExactly)
{
    CString path = MakeFile(_T("same-second.txt"));
    const std::uint64_t withinTheSecond = StampTicks() + 7000000;   // 0.7 s later
    testsupport::WriteTimes(path, {withinTheSecond, withinTheSecond, withinTheSecond});

    Choose(TRUE, TRUE);
    m_dlg.StampFile(path);

    FileTimes after = ReadTimes(path);
    EXPECT_EQ(after.lastWrite, StampTicks());
    EXPECT_EQ(after.lastAccess, withinTheSecond);
    if (testsupport::CreationTimeKept())
    {
        EXPECT_EQ(after.creation, StampTicks());
    }
}

// The times the user did not choose keep their fractions of a second; the
// chosen ones get the stamp, whole seconds.
TEST_F(StampTest, EachFlagCombinationWritesExactlyTheChosenTimes)
{
    struct Combination
    {
        const char* what;
        BOOL created;
        BOOL modified;
    };
    const Combination combinations[] = {
        {"modified only", FALSE, TRUE},
        {"created only", TRUE, FALSE},
        {"both", TRUE, TRUE},
        {"neither", FALSE, FALSE},
    };
    int n = 0;
    for (const Combination& c : combinations)
    {
        SCOPED_TRACE(c.what);
        CString name;
        name.Format(_T("flags%d.txt"), n++);
        CString path = MakeFile(name);
        FileTimes before = ReadTimes(path);
        DWORD attributes = ReadAttributes(path);

        Choose(c.created, c.modified);
        m_dlg.StampFile(path);

        FileTimes after = ReadTimes(path);
        EXPECT_EQ(after.lastWrite, c.modified ? StampTicks() : before.lastWrite);
        EXPECT_EQ(after.lastAccess, before.lastAccess);
        if (testsupport::CreationTimeKept())
        {
            EXPECT_EQ(after.creation, c.created ? StampTicks() : before.creation);
        }
        EXPECT_EQ(ReadAttributes(path), attributes);
    }
}

TEST_F(StampTest, ReadOnlyFileWithoutPermissionIsLeftAlone)
{
    CString path = MakeFile(_T("readonly.txt"), kReadOnlyHiddenSystem);
    FileTimes before = ReadTimes(path);
    DWORD attributes = ReadAttributes(path);

    Choose(TRUE, TRUE, FALSE);
    m_dlg.StampFile(path);
    ExpectUnchanged(path, before, attributes);
}

// Under Wine the archive bit comes with every file, so the attributes are
// compared with those read before the stamp, and the three bits named.
TEST_F(StampTest, ReadOnlyFileWithPermissionEndsReadOnlyWithItsOtherBits)
{
    CString hidden = MakeFile(_T("hidden-system.txt"), kReadOnlyHiddenSystem);
    CString plain = MakeFile(_T("plain.txt"), FILE_ATTRIBUTE_READONLY);
    for (const CString& path : {hidden, plain})
    {
        SCOPED_TRACE(testsupport::Narrow(path));
        FileTimes before = ReadTimes(path);
        DWORD attributes = ReadAttributes(path);

        Choose(FALSE, TRUE, TRUE);
        m_dlg.StampFile(path);
        ExpectStampedModifiedOnly(path, before);
        EXPECT_EQ(ReadAttributes(path), attributes);
    }
    EXPECT_EQ(ReadAttributes(hidden) & kReadOnlyHiddenSystem, kReadOnlyHiddenSystem);
    EXPECT_EQ(ReadAttributes(plain) & kReadOnlyHiddenSystem, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST_F(StampTest, ReadOnlyFileWithPermissionButNoChosenTimeKeepsEverything)
{
    CString path = MakeFile(_T("untouched.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    FileTimes before = ReadTimes(path);
    DWORD attributes = ReadAttributes(path);

    Choose(FALSE, FALSE, TRUE);
    m_dlg.StampFile(path);
    ExpectUnchanged(path, before, attributes);
}

// Writing times needs no data access, so no sharing mode of another program
// keeps a file from being stamped: not one that shares reading and writing
// (a log being written), not one that denies writing (a document being
// edited), not one that denies everything.
TEST_F(StampTest, FileHeldOpenByAnotherProgramIsStamped)
{
    struct Holder
    {
        const char* what;
        DWORD access;
        DWORD share;
        DWORD attributes;
    };
    const Holder holders[] = {
        {"read and write shared", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0},
        {"write sharing denied", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, 0},
        {"no sharing at all", GENERIC_READ | GENERIC_WRITE, 0, 0},
        {"read-only file, read shared", GENERIC_READ, FILE_SHARE_READ, FILE_ATTRIBUTE_READONLY},
    };
    int n = 0;
    for (const Holder& h : holders)
    {
        SCOPED_TRACE(h.what);
        CString name;
        name.Format(_T("held%d.txt"), n++);
        CString path = MakeFile(name, h.attributes);
        FileTimes before = ReadTimes(path);
        DWORD attributes = ReadAttributes(path);
        // Held open the way another program might hold it.
        FileHandle other(CreateFile(path, h.access, h.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other.IsOpen());

        Choose(FALSE, TRUE, TRUE);
        EXPECT_NO_THROW(m_dlg.StampFile(path));
        ExpectStampedModifiedOnly(path, before);
        EXPECT_EQ(ReadAttributes(path), attributes);

        char byte = 0;
        DWORD read = 0;
        EXPECT_TRUE(::ReadFile(other.Get(), &byte, 1, &read, nullptr)) << "the other program's handle still works";
    }
}

TEST_F(StampTest, NonAnsiFileNameIsStamped)
{
    CString path = MakeFile(testsupport::NonAnsiName(_T(".txt")));
    FileTimes before = ReadTimes(path);
    Choose(FALSE, TRUE);
    m_dlg.StampFile(path);
    ExpectStampedModifiedOnly(path, before);
}

TEST_F(StampTest, FileBeyondMaxPathIsStampedInEitherForm)
{
    CString folder = testsupport::MakeDeepFolder(m_dir.Path());
    CString plain = folder + _T("\\plain.txt");
    CString prefixed = folder + _T("\\prefixed.txt");
    for (const CString& path : {plain, prefixed})
    {
        testsupport::WriteFile(path);
        GiveFractionalTimes(path);
    }
    ASSERT_GT(plain.GetLength(), MAX_PATH);
    FileTimes plainBefore = ReadTimes(plain);
    FileTimes prefixedBefore = ReadTimes(prefixed);

    Choose(FALSE, TRUE);
    m_dlg.StampFile(plain);
    m_dlg.StampFile(ToExtendedLengthPath(prefixed));
    ExpectStampedModifiedOnly(plain, plainBefore);
    ExpectStampedModifiedOnly(prefixed, prefixedBefore);
}

TEST_F(StampTest, MissingFileIsSkippedSilently)
{
    CString path = Path(_T("missing.txt"));
    Choose(TRUE, TRUE, TRUE);
    EXPECT_NO_THROW(m_dlg.StampFile(path));
    EXPECT_NO_THROW(m_dlg.StampFile(Path(_T("missing\\deeper.txt"))));
    EXPECT_EQ(ReadAttributes(path), INVALID_FILE_ATTRIBUTES);
}

// A read-only file whose times cannot be written has its read-only bit back
// (and keeps its other bits) when the error reaches the caller.
TEST_F(StampTest, FileWhoseTimesCannotBeWrittenThrowsAndKeepsItsAttributes)
{
    if (!testsupport::UnixSideAvailable())
        GTEST_SKIP() << "a file whose times cannot be written is made on Wine's Unix side";
    for (DWORD attributes : {DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), DWORD(0)})
    {
        SCOPED_TRACE(attributes);
        CString path = MakeFile(attributes != 0 ? _T("busy-readonly") : _T("busy"));
        testsupport::BusyFile busy(path);
        ASSERT_TRUE(busy.IsBusy());
        if (attributes != 0)
        {
            ASSERT_TRUE(SetFileAttributes(path, attributes));
        }
        FileTimes before = ReadTimes(path);
        DWORD attributesBefore = ReadAttributes(path);

        Choose(FALSE, TRUE, TRUE);
        try
        {
            m_dlg.StampFile(path);
            ADD_FAILURE() << "no exception";
        }
        catch (const CFileException& e)
        {
            EXPECT_EQ(e.m_strFileName, path);
            EXPECT_NE(e.m_lOsError, 0);
        }
        ExpectUnchanged(path, before, attributesBefore);
    }
}

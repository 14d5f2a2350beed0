#include "framework/ComPtr.h"
#include "framework/LongPath.h"
#include "target_entry/PathCombo.h"
#include "tests/support/FileFixtures.h"
#include "tests/support/ShortcutFile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

namespace
{
// COM for the calling thread while the object lives, as the combo provides it.
class ComApartment
{
public:
    ComApartment() : m_hr(CoInitialize(nullptr)) {}
    ~ComApartment() { if (SUCCEEDED(m_hr)) CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool IsReady() const { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};

// Writes a real shell link through the shell's own object. With an empty
// target the link points to the computer folder, which has no file-system
// path.
bool SaveShortcut(const CString& linkPath, const CString& targetPath)
{
    return targetPath.IsEmpty() ? testsupport::CreateShortcutToVirtualItem(linkPath)
                                : testsupport::CreateShortcut(linkPath, targetPath);
}

// The path a link records, read through the shell's link object directly:
// what the platform can keep in a link, whatever the code under test does.
CString PathRecordedBy(const CString& linkPath)
{
    ComPtr<IShellLink> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink, link.Out())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out())) || FAILED(file->Load(linkPath, STGM_READ)))
        return CString();
    CString recorded;
    link->GetPath(recorded.GetBuffer(32767), 32768, nullptr, SLGP_UNCPRIORITY);
    recorded.ReleaseBuffer();
    return recorded;
}

// Whether the platform's link object keeps targetPath as it was given; says
// so on the output when it does not.
bool LinkKeeps(const CString& linkPath, const CString& targetPath, const char* what)
{
    if (PathRecordedBy(linkPath).CompareNoCase(targetPath) == 0)
        return true;
    std::printf("[   NOTE   ] the shell link object here does not keep %s (it reads back as \"%s\"): "
                "only that the resolver returns what it recorded is checked\n",
                what, testsupport::Narrow(PathRecordedBy(linkPath)).c_str());
    return false;
}

class PathChecksTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_com.IsReady()); }

    CString MakeFile(LPCTSTR name, const std::string& contents = "text")
    {
        CString path = m_dir / name;
        testsupport::WriteFile(path, contents);
        return path;
    }

    ComApartment m_com;
    testsupport::TempDir m_dir;
};

void ExpectFile(LPCTSTR path)
{
    SCOPED_TRACE(testsupport::Narrow(path));
    EXPECT_TRUE(CPathCombo::PathExists(path));
    EXPECT_FALSE(CPathCombo::IsFolder(path));
    EXPECT_NE(CPathCombo::GetPathMode(path) & _S_IFREG, 0u);
}

void ExpectFolder(LPCTSTR path)
{
    SCOPED_TRACE(testsupport::Narrow(path));
    EXPECT_TRUE(CPathCombo::PathExists(path));
    EXPECT_TRUE(CPathCombo::IsFolder(path));
    EXPECT_NE(CPathCombo::GetPathMode(path) & _S_IFDIR, 0u);
}

void ExpectNothing(LPCTSTR path)
{
    SCOPED_TRACE(testsupport::Narrow(path));
    EXPECT_FALSE(CPathCombo::PathExists(path));
    EXPECT_FALSE(CPathCombo::IsFolder(path));
    EXPECT_EQ(CPathCombo::GetPathMode(path), 0u);
}
}

TEST_F(PathChecksTest, ShortcutToAFileIsJudgedByTheFile)
{
    CString target = MakeFile(_T("target.txt"));
    CString link = m_dir / _T("to-file.lnk");
    ASSERT_TRUE(SaveShortcut(link, target));

    EXPECT_EQ(CPathCombo::ResolveShortcut(link).CompareNoCase(target), 0)
        << testsupport::Narrow(CPathCombo::ResolveShortcut(link));
    ExpectFile(link);
}

TEST_F(PathChecksTest, ShortcutToAFolderIsJudgedByTheFolder)
{
    CString target = m_dir / _T("folder");
    testsupport::MakeFolder(target);
    CString link = m_dir / _T("to-folder.lnk");
    ASSERT_TRUE(SaveShortcut(link, target));

    EXPECT_EQ(CPathCombo::ResolveShortcut(link).CompareNoCase(target), 0);
    ExpectFolder(link);
}

// The link keeps the path it records; the link file itself exists, but what
// it points to does not.
TEST_F(PathChecksTest, ShortcutToAMissingTargetDoesNotExist)
{
    CString target = MakeFile(_T("gone.txt"));
    CString link = m_dir / _T("to-gone.lnk");
    ASSERT_TRUE(SaveShortcut(link, target));
    ASSERT_TRUE(DeleteFile(target));

    EXPECT_EQ(CPathCombo::ResolveShortcut(link).CompareNoCase(target), 0);
    EXPECT_NE(GetFileAttributes(link), INVALID_FILE_ATTRIBUTES);
    ExpectNothing(link);
}

// Nothing to resolve: the link file is judged by itself.
TEST_F(PathChecksTest, ShortcutWithoutAFileSystemPathIsJudgedByItself)
{
    CString link = m_dir / _T("to-computer.lnk");
    ASSERT_TRUE(SaveShortcut(link, CString()));

    EXPECT_TRUE(CPathCombo::ResolveShortcut(link).IsEmpty());
    ExpectFile(link);
}

// Loading is the only test of a shortcut: the name's extension plays no part
// either way.
TEST_F(PathChecksTest, OnlyTheContentsMakeAShortcut)
{
    CString target = m_dir / _T("folder");
    testsupport::MakeFolder(target);
    CString disguised = m_dir / _T("shortcut.dat");
    ASSERT_TRUE(SaveShortcut(disguised, target));
    EXPECT_EQ(CPathCombo::ResolveShortcut(disguised).CompareNoCase(target), 0);
    ExpectFolder(disguised);

    for (const CString& path : {MakeFile(_T("notes.txt")), MakeFile(_T("fake.lnk"), "not a shell link"),
                                MakeFile(_T("empty.lnk"), "")})
    {
        SCOPED_TRACE(testsupport::Narrow(path));
        EXPECT_TRUE(CPathCombo::ResolveShortcut(path).IsEmpty());
        ExpectFile(path);
    }

    CString folderNamedLikeALink = m_dir / _T("folder.lnk");
    testsupport::MakeFolder(folderNamedLikeALink);
    EXPECT_TRUE(CPathCombo::ResolveShortcut(folderNamedLikeALink).IsEmpty());
    ExpectFolder(folderNamedLikeALink);
}

TEST_F(PathChecksTest, EmptyAndNullPathsAreNothing)
{
    EXPECT_TRUE(CPathCombo::ResolveShortcut(_T("")).IsEmpty());
    EXPECT_TRUE(CPathCombo::ResolveShortcut(nullptr).IsEmpty());
    ExpectNothing(_T(""));
    ExpectNothing(nullptr);
    ExpectNothing(m_dir / _T("missing.txt"));
    ExpectNothing(m_dir / _T("missing\\deeper"));
}

// "C:\Data\" is the folder "C:\Data" (the C runtime's _stat refuses it); a
// file name with a separator after it names nothing.
TEST_F(PathChecksTest, TrailingSeparatorAfterAFolderStillNamesIt)
{
    CString folder = m_dir / _T("folder");
    testsupport::MakeFolder(folder);
    ExpectFolder(folder + _T("\\"));
    ExpectFolder(m_dir.Path() + _T("\\"));

    CString file = MakeFile(_T("file.txt"));
    ExpectNothing(file + _T("\\"));
}

TEST_F(PathChecksTest, ModeWordCarriesTheWritePermission)
{
    CString writable = MakeFile(_T("writable.txt"));
    CString readOnly = MakeFile(_T("readonly.txt"));
    ASSERT_TRUE(SetFileAttributes(readOnly, FILE_ATTRIBUTE_READONLY));

    UINT writableMode = CPathCombo::GetPathMode(writable);
    UINT readOnlyMode = CPathCombo::GetPathMode(readOnly);
    EXPECT_EQ(writableMode & (_S_IFREG | _S_IFDIR), static_cast<UINT>(_S_IFREG));
    EXPECT_NE(writableMode & _S_IREAD, 0u);
    EXPECT_NE(writableMode & _S_IWRITE, 0u);
    EXPECT_NE(readOnlyMode & _S_IREAD, 0u);
    EXPECT_EQ(readOnlyMode & _S_IWRITE, 0u);
    SetFileAttributes(readOnly, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(PathChecksTest, PathsLongerThanMaxPathAreJudgedLikeAnyOther)
{
    CString folder = testsupport::MakeDeepFolder(m_dir.Path());
    CString file = folder + _T("\\deep.txt");
    testsupport::WriteFile(file);
    ASSERT_GT(file.GetLength(), MAX_PATH);

    ExpectFolder(folder);
    ExpectFolder(ToExtendedLengthPath(folder));
    ExpectFile(file);
    ExpectFile(ToExtendedLengthPath(file));
    ExpectNothing(folder + _T("\\missing.txt"));
    EXPECT_TRUE(CPathCombo::ResolveShortcut(file).IsEmpty());
}

// No path the platform can name is longer than 32,767 characters; a longer
// text is nothing, though it begins with an item that exists. (Wine keeps
// such a path's length in 16 bits of bytes: these texts would wrap round to
// exactly the item at their start.)
TEST_F(PathChecksTest, TextsLongerThanAnyPathAreNothing)
{
    CString shortcut = m_dir / _T("to-folder.lnk");
    ASSERT_TRUE(SaveShortcut(shortcut, m_dir.Path()));
    for (const CString& start : {m_dir.Path() + _T("\\"), shortcut + _T("\\")})
    {
        CString tooLong = start + CString(_T('a'), 32767);
        SCOPED_TRACE(testsupport::Narrow(start));
        ExpectNothing(tooLong);
        EXPECT_TRUE(CPathCombo::ResolveShortcut(tooLong).IsEmpty());
    }
}

TEST_F(PathChecksTest, ShortcutsBeyondMaxPathAreResolved)
{
    CString folder = testsupport::MakeDeepFolder(m_dir.Path());
    CString deepTarget = folder + _T("\\deep.txt");
    testsupport::WriteFile(deepTarget);

    // A link of a short name to a target beyond MAX_PATH.
    CString shortLink = m_dir / _T("to-deep.lnk");
    ASSERT_TRUE(SaveShortcut(shortLink, deepTarget));
    EXPECT_EQ(CPathCombo::ResolveShortcut(shortLink), PathRecordedBy(shortLink));
    if (LinkKeeps(shortLink, deepTarget, "a target beyond MAX_PATH"))
    {
        EXPECT_EQ(CPathCombo::ResolveShortcut(shortLink).CompareNoCase(deepTarget), 0);
        ExpectFile(shortLink);
    }

    // A link whose own path is beyond MAX_PATH.
    CString shortTarget = MakeFile(_T("near.txt"));
    CString deepLink = folder + _T("\\to-near.lnk");
    ASSERT_GT(deepLink.GetLength(), MAX_PATH);
    if (SaveShortcut(deepLink, shortTarget))
    {
        EXPECT_EQ(CPathCombo::ResolveShortcut(deepLink).CompareNoCase(shortTarget), 0);
        ExpectFile(deepLink);
    }
    else
    {
        std::printf("[   NOTE   ] the shell link object here saves no link beyond MAX_PATH\n");
    }
}

TEST_F(PathChecksTest, NonAnsiNamesAreResolved)
{
    CString folder = m_dir / testsupport::NonAnsiName();
    testsupport::MakeFolder(folder);
    CString link = m_dir / testsupport::NonAnsiName(_T(".lnk"));
    ASSERT_TRUE(SaveShortcut(link, folder));
    EXPECT_EQ(CPathCombo::ResolveShortcut(link), PathRecordedBy(link));
    if (LinkKeeps(link, folder, "a target outside the ANSI code page"))
    {
        EXPECT_EQ(CPathCombo::ResolveShortcut(link).CompareNoCase(folder), 0);
        ExpectFolder(link);
    }

    // The link's own name is outside the code page too; a target inside it
    // is kept everywhere.
    CString plainTarget = m_dir / _T("plain");
    testsupport::MakeFolder(plainTarget);
    CString plainLink = m_dir / testsupport::NonAnsiName(_T("-plain.lnk"));
    ASSERT_TRUE(SaveShortcut(plainLink, plainTarget));
    EXPECT_EQ(CPathCombo::ResolveShortcut(plainLink).CompareNoCase(plainTarget), 0);
    ExpectFolder(plainLink);
}

// The combo initialises COM; without it no shortcut is resolved and the link
// file is judged by itself.
TEST(PathChecksWithoutCom, ShortcutIsNotResolved)
{
    testsupport::TempDir dir;
    CString target = dir / _T("folder");
    testsupport::MakeFolder(target);
    CString link = dir / _T("to-folder.lnk");
    {
        ComApartment com;
        ASSERT_TRUE(com.IsReady());
        ASSERT_TRUE(SaveShortcut(link, target));
    }

    EXPECT_TRUE(CPathCombo::ResolveShortcut(link).IsEmpty());
    ExpectFile(link);
}

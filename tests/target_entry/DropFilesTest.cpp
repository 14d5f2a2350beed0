// Drops onto the target combo, delivered as real WM_DROPFILES messages with
// drop data built the way the shell builds it, onto real files, folders and
// shortcuts in a temporary folder.
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/target_entry/ComboTestDialog.h"
#include "tests/target_entry/ComboTestResource.h"
#include "tests/support/ShortcutFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
using Names = std::vector<CString>;
using Selection = std::pair<int, int>;

// Drop data as the shell hands it over: a movable global block holding a
// DROPFILES header and the names in UTF-16, each terminated, the list ended
// by one more terminator.
HDROP BuildDrop(const Names& names)
{
    size_t nChars = 1;
    for (const CString& name : names)
        nChars += static_cast<size_t>(name.GetLength()) + 1;
    HGLOBAL hGlobal = ::GlobalAlloc(GHND, sizeof(DROPFILES) + nChars * sizeof(WCHAR));
    if (hGlobal == nullptr)
        return nullptr;
    auto pDrop = static_cast<DROPFILES*>(::GlobalLock(hGlobal));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->pt = {20, 10};
    pDrop->fNC = FALSE;
    pDrop->fWide = TRUE;
    auto pNames = reinterpret_cast<WCHAR*>(reinterpret_cast<BYTE*>(pDrop) + sizeof(DROPFILES));
    for (const CString& name : names)
    {
        std::memcpy(pNames, name.GetString(), static_cast<size_t>(name.GetLength()) * sizeof(WCHAR));
        pNames += name.GetLength() + 1;
    }
    ::GlobalUnlock(hGlobal);
    return static_cast<HDROP>(hGlobal);
}

bool GlobalBlockFreed(HGLOBAL hGlobal)
{
    return ::GlobalFlags(hGlobal) == GMEM_INVALID_HANDLE;
}

// The memory the process has committed for itself, in bytes: the sum of its
// committed private regions, read from the address space itself.
SIZE_T CommittedPrivateBytes()
{
    SIZE_T nTotal = 0;
    MEMORY_BASIC_INFORMATION info = {};
    for (auto pAddress = static_cast<const BYTE*>(nullptr);
         ::VirtualQuery(pAddress, &info, sizeof(info)) == sizeof(info); pAddress += info.RegionSize)
    {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            nTotal += info.RegionSize;
    }
    return nTotal;
}

class DropFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_COMBO_TEST));
        testsupport::PumpMessages();
        m_combo.AddString(_T("C:\\Earlier\\one.txt"));
        m_combo.AddString(_T("C:\\Earlier\\two"));
        m_combo.SetWindowText(_T("C:\\Before"));
        m_combo.SetEditSel(2, 5);
        m_history = m_dlg.GetEntries();
        m_nDroppedWidth = m_combo.GetDroppedWidth();
    }

    // Delivers a drop of these names to the combo; the drop data must be
    // released by the time the message returns.
    void Drop(const Names& names)
    {
        HDROP hDrop = BuildDrop(names);
        ASSERT_NE(hDrop, nullptr);
        ASSERT_FALSE(GlobalBlockFreed(hDrop));
        m_combo.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(hDrop));
        EXPECT_TRUE(GlobalBlockFreed(hDrop)) << "the drop data was not released";
        EXPECT_TRUE(::HeapValidate(::GetProcessHeap(), 0, nullptr)) << "the drop damaged the heap";
        EXPECT_EQ(m_dlg.GetEntries(), m_history) << "a drop never changes the history";
        EXPECT_EQ(m_combo.GetDroppedWidth(), m_nDroppedWidth);
    }

    void ExpectWritten(const CString& path)
    {
        EXPECT_EQ(m_dlg.GetEditText(), path);
        EXPECT_EQ(m_dlg.GetEditSel(), Selection(path.GetLength(), path.GetLength()))
            << "the caret goes after the last character, nothing selected";
    }

    void ExpectUnchanged()
    {
        EXPECT_EQ(m_dlg.GetEditText(), _T("C:\\Before"));
        EXPECT_EQ(m_dlg.GetEditSel(), Selection(2, 5));
    }

    testsupport::TempDir m_dir;
    CComboTestDialog m_dlg;
    CPathCombo& m_combo = m_dlg.m_combo;
    Names m_history;
    int m_nDroppedWidth = 0;
};
}

TEST_F(DropFiles, OfSeveralItemsTheFirstIsWrittenAndTheOthersLeaveNoTrace)
{
    testsupport::WriteFile(m_dir / _T("first.txt"));
    testsupport::MakeFolder(m_dir / _T("Second"));
    testsupport::WriteFile(m_dir / _T("third.txt"));
    Drop({m_dir / _T("first.txt"), m_dir / _T("Second"), m_dir / _T("third.txt")});
    ExpectWritten(m_dir / _T("first.txt"));
}

TEST_F(DropFiles, AFolderIsWritten)
{
    testsupport::MakeFolder(m_dir / _T("Folder"));
    Drop({m_dir / _T("Folder")});
    ExpectWritten(m_dir / _T("Folder"));
}

TEST_F(DropFiles, AShortcutToAFolderWritesTheFolder)
{
    testsupport::MakeFolder(m_dir / _T("Target folder"));
    ASSERT_TRUE(testsupport::CreateShortcut(m_dir / _T("To folder.lnk"), m_dir / _T("Target folder")));
    Drop({m_dir / _T("To folder.lnk")});
    ExpectWritten(m_dir / _T("Target folder"));
}

TEST_F(DropFiles, AShortcutToAFileWritesTheFile)
{
    testsupport::WriteFile(m_dir / _T("target.txt"));
    ASSERT_TRUE(testsupport::CreateShortcut(m_dir / _T("To file.lnk"), m_dir / _T("target.txt")));
    Drop({m_dir / _T("To file.lnk")});
    ExpectWritten(m_dir / _T("target.txt"));
}

TEST_F(DropFiles, AShortcutToAShortcutWritesTheInnerShortcutJudgedAsAFile)
{
    // The dropped item is resolved once; what it points to is judged as the
    // file it is, although that file is a shortcut to nothing.
    testsupport::WriteFile(m_dir / _T("gone.txt"));
    ASSERT_TRUE(testsupport::CreateShortcut(m_dir / _T("Inner.lnk"), m_dir / _T("gone.txt")));
    ASSERT_TRUE(::DeleteFile(m_dir / _T("gone.txt")));
    ASSERT_TRUE(testsupport::CreateShortcut(m_dir / _T("Outer.lnk"), m_dir / _T("Inner.lnk")));
    const CString recorded = CPathCombo::ResolveShortcut(m_dir / _T("Outer.lnk"));
    ASSERT_EQ(recorded.CompareNoCase(m_dir / _T("Inner.lnk")), 0) << testsupport::Narrow(recorded);

    Drop({m_dir / _T("Outer.lnk")});
    ExpectWritten(recorded);
}

TEST_F(DropFiles, AShortcutWhoseTargetIsGoneChangesNothing)
{
    testsupport::WriteFile(m_dir / _T("gone.txt"));
    ASSERT_TRUE(testsupport::CreateShortcut(m_dir / _T("To gone.lnk"), m_dir / _T("gone.txt")));
    ASSERT_TRUE(::DeleteFile(m_dir / _T("gone.txt")));
    Drop({m_dir / _T("To gone.lnk")});
    ExpectUnchanged();
}

TEST_F(DropFiles, AShortcutWithoutAFileSystemPathWritesItsOwnPath)
{
    ASSERT_TRUE(testsupport::CreateShortcutToVirtualItem(m_dir / _T("Computer.lnk")));
    ASSERT_EQ(CPathCombo::ResolveShortcut(m_dir / _T("Computer.lnk")), _T(""));
    Drop({m_dir / _T("Computer.lnk")});
    ExpectWritten(m_dir / _T("Computer.lnk"));
}

TEST_F(DropFiles, AFileThatIsNotAShortcutWritesItsOwnPathWhateverItsExtension)
{
    for (LPCTSTR name : {_T("looks like a link.lnk"), _T("data.xyz"), _T("no extension")})
    {
        testsupport::WriteFile(m_dir / name, "not a shortcut");
        Drop({m_dir / name});
        ExpectWritten(m_dir / name);
    }
}

TEST_F(DropFiles, APathLongerThan260CharactersIsWritten)
{
    CString folder = m_dir.Path();
    while (folder.GetLength() < 300)
        folder += _T("\\A folder name of some forty characters");
    testsupport::MakeFolder(folder);
    const CString file = folder + _T("\\deep file.txt");
    testsupport::WriteFile(file);
    ASSERT_GT(file.GetLength(), 300);

    Drop({file});
    ExpectWritten(file);
}

TEST_F(DropFiles, AnItemThatDoesNotExistChangesNothing)
{
    Drop({m_dir / _T("nothing here.txt")});
    ExpectUnchanged();
}

TEST_F(DropFiles, ADropWithoutItemsChangesNothing)
{
    Drop({});
    ExpectUnchanged();
}

TEST_F(DropFiles, NamesOf65535CharactersAndMoreAreReadWholeAndBreakNothing)
{
    testsupport::WriteFile(m_dir / _T("real.txt"));
    const CString name65535 = CString(_T("C:\\")) + CString(_T('x'), 65535 - 3);
    const CString name70000 = CString(_T("C:\\")) + CString(_T('y'), 70000 - 3);
    ASSERT_EQ(name65535.GetLength(), 65535);

    // The long name comes first and wins; no such path can exist, so the
    // edit field stays as it was. Had its length wrapped, the real file
    // behind it would have been taken instead.
    Drop({name65535, m_dir / _T("real.txt")});
    ExpectUnchanged();
    Drop({name70000, m_dir / _T("real.txt")});
    ExpectUnchanged();

    Drop({m_dir / _T("real.txt"), name65535, name70000});
    ExpectWritten(m_dir / _T("real.txt"));
}

TEST_F(DropFiles, ANameLongerThanAnyPathChangesNothing)
{
    // In extended-length form this name takes 65,550 bytes. Windows refuses
    // so long a path; Wine cuts it to a 16-bit byte count, which leaves 14
    // bytes: "\\?\C:\", a folder that exists.
    const CString name = CString(_T("C:\\")) + CString(_T('z'), 32768);
    Drop({name});
    ExpectUnchanged();
}

TEST_F(DropFiles, EveryNameBlockIsFreed)
{
    // Two names of a million characters: every drop reads two blocks of
    // 2 MB, so blocks left behind by 40 drops would hold 160 MB. Names this
    // long name nothing, so the edit field stays as it was.
    const CString longName = CString(_T("C:\\")) + CString(_T('z'), 1 << 20);
    const SIZE_T nBefore = CommittedPrivateBytes();
    for (int i = 0; i < 40; ++i)
        Drop({longName, longName});
    const SIZE_T nAfter = CommittedPrivateBytes();
    EXPECT_LT(nAfter, nBefore + 32 * 1024 * 1024) << "before: " << nBefore << ", after: " << nAfter;
    ExpectUnchanged();
}

TEST_F(DropFiles, TheAcceptFlagsDecideWhetherAFileOrAFolderIsWritten)
{
    testsupport::WriteFile(m_dir / _T("file.txt"));
    testsupport::MakeFolder(m_dir / _T("Folder"));

    m_combo.m_bAcceptFiles = FALSE;
    Drop({m_dir / _T("file.txt")});
    EXPECT_EQ(m_dlg.GetEditText(), _T("C:\\Before"));
    Drop({m_dir / _T("Folder")});
    ExpectWritten(m_dir / _T("Folder"));

    m_combo.m_bAcceptFiles = TRUE;
    m_combo.m_bAcceptFolders = FALSE;
    m_combo.SetWindowText(_T("C:\\Before"));
    Drop({m_dir / _T("Folder")});
    EXPECT_EQ(m_dlg.GetEditText(), _T("C:\\Before"));
    Drop({m_dir / _T("file.txt")});
    ExpectWritten(m_dir / _T("file.txt"));
}

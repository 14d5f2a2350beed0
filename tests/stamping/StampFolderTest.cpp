#include "framework/CFile.h"
#include "framework/CFileFind.h"
#include "framework/LongPath.h"
#include "tests/stamping/StampTest.h"
#include "tests/support/FileFixtures.h"
#include "tests/support/UnixSide.h"

#include <map>
#include <vector>

using testsupport::FileTimes;
using testsupport::ReadAttributes;
using testsupport::ReadTimes;

namespace
{
struct Recorded
{
    FileTimes times;
    DWORD attributes;
};

std::map<CString, Recorded> Record(const std::vector<CString>& paths)
{
    std::map<CString, Recorded> recorded;
    for (const CString& path : paths)
        recorded[path] = {ReadTimes(path), ReadAttributes(path)};
    return recorded;
}

// The names in a folder in the order the platform's search gives them,
// which is the order the walk visits them in.
std::vector<CString> NamesInSearchOrder(const CString& folder)
{
    std::vector<CString> names;
    CFileFind finder;
    BOOL more = finder.FindFile(ToExtendedLengthPath(folder) + _T("\\*.*"), 0);
    while (more)
    {
        more = finder.FindNextFile();
        if (!finder.IsDots())
            names.push_back(finder.GetFileName());
    }
    return names;
}
}

class StampFolderTest : public StampTest
{
protected:
    // root
    //   top.txt, .profile, hidden-system.txt (hidden, system)
    //   a\a1.txt, a\a2.txt
    //   a\b\b.txt
    //   a\b\c\c1.txt, a\b\c\c2.txt      three folders below root
    //   .config\settings.ini
    //   empty                           an empty folder
    //   folders\x, folders\y\z          only folders
    void BuildTree()
    {
        const LPCTSTR files[] = {_T("root\\top.txt"),        _T("root\\.profile"),
                                 _T("root\\hidden-system.txt"), _T("root\\a\\a1.txt"),
                                 _T("root\\a\\a2.txt"),      _T("root\\a\\b\\b.txt"),
                                 _T("root\\a\\b\\c\\c1.txt"), _T("root\\a\\b\\c\\c2.txt"),
                                 _T("root\\.config\\settings.ini")};
        for (LPCTSTR file : files)
            m_files.push_back(MakeFile(file));
        ASSERT_TRUE(SetFileAttributes(Path(_T("root\\hidden-system.txt")),
                                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

        const LPCTSTR folders[] = {_T("root\\empty"), _T("root\\folders\\x"), _T("root\\folders\\y\\z")};
        for (LPCTSTR folder : folders)
            MakeFolder(folder);
        // Deepest first is not needed: a folder's times do not change when
        // those of a folder inside it do.
        const LPCTSTR allFolders[] = {_T("root"),          _T("root\\a"),       _T("root\\a\\b"),
                                      _T("root\\a\\b\\c"), _T("root\\.config"), _T("root\\empty"),
                                      _T("root\\folders"), _T("root\\folders\\x"), _T("root\\folders\\y"),
                                      _T("root\\folders\\y\\z")};
        for (LPCTSTR folder : allFolders)
        {
            m_folders.push_back(Path(folder));
            GiveFractionalTimes(Path(folder));
        }
    }

    void ExpectEveryFileStampedAndNoFolder(const std::map<CString, Recorded>& before)
    {
        for (const CString& file : m_files)
        {
            ExpectStampedModifiedOnly(file, before.at(file).times);
            EXPECT_EQ(ReadAttributes(file), before.at(file).attributes);
        }
        for (const CString& folder : m_folders)
            ExpectUnchanged(folder, before.at(folder).times, before.at(folder).attributes);
    }

    std::map<CString, Recorded> RecordAll() const
    {
        std::vector<CString> all = m_files;
        all.insert(all.end(), m_folders.begin(), m_folders.end());
        return Record(all);
    }

    std::vector<CString> m_files;
    std::vector<CString> m_folders;
};

TEST_F(StampFolderTest, EveryFileThreeFoldersDeepIsStampedAndNoFolderIs)
{
    BuildTree();
    std::map<CString, Recorded> before = RecordAll();

    Choose(FALSE, TRUE);
    m_dlg.StampFolder(Path(_T("root")));
    ExpectEveryFileStampedAndNoFolder(before);
}

TEST_F(StampFolderTest, EmptyFolderAndFolderOfFoldersChangeNothing)
{
    BuildTree();
    std::map<CString, Recorded> before = RecordAll();

    Choose(TRUE, TRUE, TRUE);
    EXPECT_NO_THROW(m_dlg.StampFolder(Path(_T("root\\empty"))));
    EXPECT_NO_THROW(m_dlg.StampFolder(Path(_T("root\\folders"))));
    EXPECT_NO_THROW(m_dlg.StampFolder(Path(_T("root\\missing"))));
    for (const auto& entry : before)
        ExpectUnchanged(entry.first, entry.second.times, entry.second.attributes);
}

// "C:\Data\" and "C:/Data/" name the folder "C:\Data"; the search pattern must
// not get a doubled separator, which the extended-length form would take
// literally.
TEST_F(StampFolderTest, TargetWithTrailingSeparatorIsWalked)
{
    BuildTree();
    std::map<CString, Recorded> before = RecordAll();

    Choose(FALSE, TRUE);
    m_dlg.StampFolder(Path(_T("root\\")));
    ExpectEveryFileStampedAndNoFolder(before);

    CString slashes = Path(_T("root/a/"));
    m_dlg.m_stampTime = CTime(2004, 5, 6, 7, 8, 9);
    m_dlg.StampFolder(slashes);
    EXPECT_EQ(ReadTimes(Path(_T("root\\a\\b\\c\\c1.txt"))).lastWrite, testsupport::TicksOf(m_dlg.m_stampTime));
    EXPECT_EQ(ReadTimes(Path(_T("root\\top.txt"))).lastWrite, StampTicks());
}

TEST_F(StampFolderTest, RelativeTargetIsWalkedFromTheCurrentFolder)
{
    BuildTree();
    std::map<CString, Recorded> before = RecordAll();
    TCHAR previous[MAX_PATH];
    GetCurrentDirectory(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectory(m_dir.Path()));

    Choose(FALSE, TRUE);
    m_dlg.StampFolder(_T("root"));
    SetCurrentDirectory(previous);
    ExpectEveryFileStampedAndNoFolder(before);
}

TEST_F(StampFolderTest, ReadOnlyFilesInTheTreeFollowThePermission)
{
    CString first = MakeFile(_T("root\\sub\\first.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    CString second = MakeFile(_T("root\\sub\\deeper\\second.txt"), FILE_ATTRIBUTE_READONLY);
    CString writable = MakeFile(_T("root\\writable.txt"));
    std::map<CString, Recorded> before = Record({first, second, writable});

    Choose(FALSE, TRUE, FALSE);
    m_dlg.StampFolder(Path(_T("root")));
    ExpectUnchanged(first, before[first].times, before[first].attributes);
    ExpectUnchanged(second, before[second].times, before[second].attributes);
    ExpectStampedModifiedOnly(writable, before[writable].times);

    Choose(FALSE, TRUE, TRUE);
    m_dlg.StampFolder(Path(_T("root")));
    for (const CString& path : {first, second})
    {
        ExpectStampedModifiedOnly(path, before[path].times);
        EXPECT_EQ(ReadAttributes(path), before[path].attributes);
    }
}

TEST_F(StampFolderTest, FilesBeyondMaxPathAndWithNonAnsiNamesAreStamped)
{
    CString deep = testsupport::MakeDeepFolder(Path(_T("root")));
    CString deepFile = deep + _T("\\deep.txt");
    testsupport::WriteFile(deepFile);
    GiveFractionalTimes(deepFile);
    ASSERT_GT(deepFile.GetLength(), MAX_PATH);
    CString foreign = MakeFile(_T("root\\") + testsupport::NonAnsiName() + _T("\\") + testsupport::NonAnsiName(_T(".txt")));
    std::map<CString, Recorded> before = Record({deepFile, foreign});

    Choose(FALSE, TRUE);
    m_dlg.StampFolder(Path(_T("root")));
    ExpectStampedModifiedOnly(deepFile, before[deepFile].times);
    ExpectStampedModifiedOnly(foreign, before[foreign].times);

    // A target that is itself longer than MAX_PATH.
    m_dlg.m_stampTime = CTime(2005, 6, 7, 8, 9, 10);
    m_dlg.StampFolder(deep);
    EXPECT_EQ(ReadTimes(deepFile).lastWrite, testsupport::TicksOf(m_dlg.m_stampTime));
}

// root\a\b\up leads back to root and root\a\b\again to root\a; root\a\out
// leads to a folder beside the tree. Followed, the two loops would make the
// walk branch without end. The walk does not go through a link: it ends,
// every file of the tree gets the stamp, reached by its own path only (a
// second stamp would leave no trace of its own, the times being the same),
// and the file beside the tree keeps its times. CFolderIdentity, which
// refuses a folder a second time under another name, is tested on its own.
TEST_F(StampFolderTest, LinksInTheTreeAreNotFollowed)
{
    std::vector<CString> inside = {MakeFile(_T("root\\top.txt")), MakeFile(_T("root\\a\\a.txt")),
                                   MakeFile(_T("root\\a\\b\\b.txt"))};
    CString outside = MakeFile(_T("beside\\outside.txt"));
    testsupport::FolderLink up(Path(_T("root\\a\\b\\up")), Path(_T("root")));
    testsupport::FolderLink again(Path(_T("root\\a\\b\\again")), Path(_T("root\\a")));
    testsupport::FolderLink out(Path(_T("root\\a\\out")), Path(_T("beside")));
    if (!up.IsMade() || !again.IsMade() || !out.IsMade())
        GTEST_SKIP() << "no directory symbolic links here (Unix side or CreateSymbolicLink)";
    ASSERT_NE(ReadAttributes(Path(_T("root\\a\\b\\up\\a\\b\\b.txt"))), INVALID_FILE_ATTRIBUTES)
        << "the loop is there to be followed";
    if ((ReadAttributes(Path(_T("root\\a\\b\\up"))) & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        std::printf("[   NOTE   ] links show as ordinary folders here; the folder identity ends the loops\n");

    std::vector<CString> all = inside;
    all.push_back(outside);
    std::map<CString, Recorded> before = Record(all);

    Choose(FALSE, TRUE, TRUE);
    ULONGLONG start = GetTickCount64();
    m_dlg.StampFolder(Path(_T("root")));
    EXPECT_LT(GetTickCount64() - start, 30000u);

    for (const CString& file : inside)
        ExpectStampedModifiedOnly(file, before[file].times);
    ExpectUnchanged(outside, before[outside].times, before[outside].attributes);
}

// The walk goes in the platform's order; a file whose times cannot be written
// ends it. Every file before it has the stamp, every file after it is as it
// was, and the file itself keeps its times and, read-only, its attributes.
TEST_F(StampFolderTest, FailureInTheMiddleOfAFolderEndsTheWalkThere)
{
    if (!testsupport::UnixSideAvailable())
        GTEST_SKIP() << "a file whose times cannot be written is made on Wine's Unix side";
    CString folder = MakeFolder(_T("middle"));
    for (int i = 0; i < 12; ++i)
    {
        CString name;
        name.Format(_T("middle\\file%02d.txt"), i);
        MakeFile(name);
    }
    std::vector<CString> order = NamesInSearchOrder(folder);
    ASSERT_EQ(order.size(), 12u);
    const size_t failing = order.size() / 2;
    CString busyPath = folder + _T("\\") + order[failing];
    testsupport::BusyFile busy(busyPath);
    ASSERT_TRUE(busy.IsBusy());
    ASSERT_TRUE(SetFileAttributes(busyPath, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(NamesInSearchOrder(folder), order) << "making the file busy kept its place";

    std::vector<CString> paths;
    for (const CString& name : order)
        paths.push_back(folder + _T("\\") + name);
    std::map<CString, Recorded> before = Record(paths);

    Choose(FALSE, TRUE, TRUE);
    try
    {
        m_dlg.StampFolder(folder);
        ADD_FAILURE() << "no exception";
    }
    catch (const CFileException& e)
    {
        EXPECT_EQ(e.m_strFileName, busyPath);
        EXPECT_NE(e.GetErrorMessage().Find(busyPath), -1);
    }
    for (size_t i = 0; i < paths.size(); ++i)
    {
        if (i < failing)
            ExpectStampedModifiedOnly(paths[i], before[paths[i]].times);
        else
            ExpectUnchanged(paths[i], before[paths[i]].times, before[paths[i]].attributes);
    }
}

// The walk needs the same stack at any depth. It runs here on a thread with
// a stack of 1 MiB, which a walk taking one call a folder would run out of
// before the bottom of a chain 1,000 folders deep. (A tree deep enough to do
// that to the program's own stack takes too long to build under Wine.)
TEST_F(StampFolderTest, AFolderChainIsWalkedToTheBottomInTheSameStackAtAnyDepth)
{
    const int kDepth = 1000;
    std::vector<CString> chain = {Path(_T("deep"))};
    for (int level = 1; level < kDepth; ++level)
        chain.push_back(chain.back() + _T("\\d"));
    testsupport::MakeFolder(chain.back());
    const CString middle = chain[kDepth / 2] + _T("\\middle.txt");
    const CString bottom = chain.back() + _T("\\bottom.txt");
    testsupport::WriteFile(middle);
    testsupport::WriteFile(bottom);
    const FileTimes middleBefore = ReadTimes(middle);
    const FileTimes bottomBefore = ReadTimes(bottom);

    Choose(FALSE, TRUE);
    struct Job
    {
        CDorvaneDlg* pDlg;
        CString folder;
    } job = {&m_dlg, chain.front()};
    HANDLE hThread = CreateThread(
        nullptr, 1024 * 1024,
        [](LPVOID pParam) -> DWORD {
            Job* pJob = static_cast<Job*>(pParam);
            pJob->pDlg->StampFolder(pJob->folder);
            return 0;
        },
        &job, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(hThread, nullptr);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);

    ExpectStampedModifiedOnly(middle, middleBefore);
    ExpectStampedModifiedOnly(bottom, bottomBefore);
}

// Measures the folder walk, writing its journal as every run does, against
// the least that Win32 can do for the same job, on a tree of 20,000 files,
// and shows that its memory does not grow with the number of files.
//
//   StampBench.exe [folders subfolders files]     (default: 20 10 100)
//
// The bare loop enumerates with FindFirstFileEx and, per file, opens it for
// its attributes, writes the last-modified time and closes it. Every round
// stamps the whole tree with both, each with a time no file has yet so that
// every file is really written. The machine this runs on is shared and its
// load changes from one second to the next, so the two take turns folder by
// folder (the walk on one top-level folder, then the bare loop on it, the
// order swapped from one folder to the next) and each sums its own times;
// the median of five rounds counts. The last line is the median of the
// rounds' ratios of their throughputs (walk / bare).
#include "bench/BenchTree.h"
#include "framework/CTime.h"
#include "stamping/StampEngine.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
// The least Win32 can do: no status read, no attribute check, no path
// rewriting, no loop detection.
void BareStamp(const CString& folder, const FILETIME& time)
{
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFileEx(folder + _T("\\*"), FindExInfoBasic, &data, FindExSearchNameMatch,
                                  nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do
    {
        LPCTSTR name = data.cFileName;
        if (name[0] == _T('.') && (name[1] == 0 || (name[1] == _T('.') && name[2] == 0)))
            continue;
        CString path = folder + _T("\\") + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        {
            BareStamp(path, time);
            continue;
        }
        HANDLE file = CreateFile(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
        {
            SetFileTime(file, nullptr, nullptr, &time);
            CloseHandle(file);
        }
    } while (FindNextFile(find, &data));
    FindClose(find);
}

// Each run stamps a time no file has yet, so that no write is skipped.
CTime RunTime(int run)
{
    return CTime(2001, 1, 1 + run, 12, 0, 0);
}

// The walk as the window program runs it: the modified time only, a journal
// beside the folder (made, written and removed again within the time), the
// first failure ending it.
double TimeWalk(const CString& folder, int run)
{
    FILETIME time;
    RunTime(run).GetAsFileTime(time);
    CStampOptions options;
    options.times[kModified] = CTimeChoice::At(TicksOf(time));
    CStampObserver endAtFirstFailure;
    const CString journalPath = folder + _T(".journal.txt");
    CStopwatch watch;
    {
        CJournalWriter journal(journalPath, {folder});
        if (journal.Error() != ERROR_SUCCESS)
        {
            std::fprintf(stderr, "cannot write the journal %ls\n", journalPath.GetString());
            std::exit(1);
        }
        CStampEngine engine(options, endAtFirstFailure, &journal);
        engine.StampTarget(folder);
    }
    DeleteFile(journalPath);
    return watch.Seconds();
}

double TimeBare(const CString& folder, int run)
{
    FILETIME time;
    RunTime(run).GetAsFileTime(time);
    CStopwatch watch;
    BareStamp(folder, time);
    return watch.Seconds();
}

long CountStampedWith(const CString& folder, const FILETIME& time)
{
    long count = 0;
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFileEx(folder + _T("\\*"), FindExInfoBasic, &data, FindExSearchNameMatch,
                                  nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
    {
        CString name(data.cFileName);
        if (name == _T(".") || name == _T(".."))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            count += CountStampedWith(folder + _T("\\") + name, time);
        else if (CompareFileTime(&data.ftLastWriteTime, &time) == 0)
            ++count;
    } while (FindNextFile(find, &data));
    FindClose(find);
    return count;
}

// Every file must carry the run's time, or the figures mean nothing.
void CheckRun(const CString& folder, int run, long expected, const char* who)
{
    FILETIME time;
    RunTime(run).GetAsFileTime(time);
    long count = CountStampedWith(folder, time);
    if (count != expected)
    {
        std::printf("error: %s left %ld of %ld files in %ls with their new time\n", who, count, expected,
                    folder.GetString());
        std::exit(1);
    }
}

struct CRoundTimes
{
    double walk = 0;
    double bare = 0;
};

// One round over the whole tree, the two taking turns folder by folder.
CRoundTimes StampRound(const CString& root, const CTreeShape& shape, int walkRun, int bareRun)
{
    const long filesPerFolder = static_cast<long>(shape.subfolders) * shape.files;
    CRoundTimes times;
    for (int f = 0; f < shape.folders; ++f)
    {
        CString folder;
        folder.Format(_T("%s\\folder%02d"), root, f);
        for (int turn = 0; turn < 2; ++turn)
        {
            if ((turn == 0) == (f % 2 == 0))
            {
                times.walk += TimeWalk(folder, walkRun);
                CheckRun(folder, walkRun, filesPerFolder, "the walk");
            }
            else
            {
                times.bare += TimeBare(folder, bareRun);
                CheckRun(folder, bareRun, filesPerFolder, "the bare loop");
            }
        }
    }
    return times;
}

SIZE_T PeakWorkingSetKiB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize / 1024;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}

int main(int argc, char** argv)
{
    const CTreeShape big = ShapeFromArguments(argc, argv, "StampBench");
    const CTreeShape small = {std::max(1, big.folders / 4), big.subfolders, big.files};
    const int rounds = 5;
    const CString base = MakeBenchFolder();

    // Memory first on the small tree, then on the big one: the peak must not
    // grow with the number of files.
    CString smallRoot = base + _T("\\small");
    BuildTree(smallRoot, small);
    TimeWalk(smallRoot, 0);
    CheckRun(smallRoot, 0, small.FileCount(), "the walk");
    SIZE_T peakSmall = PeakWorkingSetKiB();
    RemoveTree(smallRoot);

    CString root = base + _T("\\tree");
    BuildTree(root, big);
    std::printf("tree: %d files in %d folders (%d x %d folders, %d files each)\n", big.FileCount(),
                big.FolderCount(), big.folders, big.subfolders, big.files);

    // Each round's ratio is of times taken turn about, under the same load;
    // the median of the rounds' ratios leaves out a round the machine's
    // other work spoilt.
    std::vector<double> walkSeconds, bareSeconds, ratios;
    for (int round = 0; round < rounds; ++round)
    {
        CRoundTimes times = StampRound(root, big, 1 + 2 * round, 2 + 2 * round);
        walkSeconds.push_back(times.walk);
        bareSeconds.push_back(times.bare);
        ratios.push_back(times.bare / times.walk);
        std::printf("round %d: walk %.3f s, bare %.3f s, ratio %.2f\n", round + 1, times.walk, times.bare,
                    ratios.back());
    }
    SIZE_T peakBig = PeakWorkingSetKiB();
    RemoveTree(root);
    RemoveDirectory(base);

    double walkRate = big.FileCount() / Median(walkSeconds);
    double bareRate = big.FileCount() / Median(bareSeconds);
    std::printf("peak working set: %lu KiB after %d files, %lu KiB after %d files\n",
                static_cast<unsigned long>(peakSmall), small.FileCount(),
                static_cast<unsigned long>(peakBig), big.FileCount());
    std::printf("walk:        %.0f files/s (median of %d)\n", walkRate, rounds);
    std::printf("bare loop:   %.0f files/s (median of %d)\n", bareRate, rounds);
    std::printf("ratio walk/bare: %.2f (median of %d rounds)\n", Median(ratios), rounds);
    return 0;
}

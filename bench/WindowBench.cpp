// Measures how the window program answers while Go! runs: this build's
// Dorvane.exe, started on a tree of 20,000 files, gets Go! pressed, and a
// WM_NULL is sent to its window every 20 ms until the run is over (the run
// lasts while Go! is greyed). The longest wait for an answer is what a
// person would feel as a window that does not respond.
//
//   WindowBench.exe [folders subfolders files]     (default: 20 10 100)
//
// The run's journal is checked to name every file and removed again from the
// user's journal folder, so that only the settings stay behind.
#include "bench/BenchTree.h"

#include "main_window/JournalShelf.h"
#include "resources/resource.h"
#include "stamping/Journal.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace
{
// Long enough that a probe waits for the real answer, not for the timeout.
const UINT kProbeTimeoutMs = 10000;
const DWORD kProbeEveryMs = 20;
const double kLongestRunSeconds = 600;

// With the error of the call that failed, where there is one.
[[noreturn]] void Fail(const char* pszWhat, DWORD dwError = ERROR_SUCCESS)
{
    if (dwError != ERROR_SUCCESS)
        std::fprintf(stderr, "error: %s (error 0x%08lX)\n", pszWhat, dwError);
    else
        std::fprintf(stderr, "error: %s\n", pszWhat);
    std::exit(1);
}

// CMake names the program by its Unix path, which Wine shows on drive Z:.
CString ProgramPath()
{
    std::basic_string<TCHAR> path = _T(DORVANE_EXE);
    std::replace(path.begin(), path.end(), _T('/'), _T('\\'));
    return path[0] == _T('\\') ? _T("Z:") + CString(path) : CString(path);
}

// The folders on the way to the journal folder that are not there yet,
// the deepest first: the program makes them for its journal, and they go
// again with it.
std::vector<CString> MissingFolders(CString folder)
{
    std::vector<CString> missing;
    while (GetFileAttributes(folder) == INVALID_FILE_ATTRIBUTES && folder.ReverseFind(_T('\\')) > 0)
    {
        missing.push_back(folder);
        folder = folder.Left(folder.ReverseFind(_T('\\')));
    }
    return missing;
}

// The items a journal names.
int ItemsIn(const CString& path)
{
    CJournalReader journal(path);
    if (journal.Error() != ERROR_SUCCESS)
        Fail("cannot read the run's journal", journal.Error());
    int items = 0;
    CJournalEntry entry;
    for (auto result = journal.Next(entry); result != CJournalReader::kEnd; result = journal.Next(entry))
        items += result == CJournalReader::kItem ? 1 : 0;
    return items;
}

struct CStarted
{
    HANDLE process;
    DWORD id;
};

CStarted StartProgram(const CString& target)
{
    CString line = _T("Dorvane \"") + target + _T("\"");
    STARTUPINFO si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcess(ProgramPath(), line.GetBuffer(line.GetLength()), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &si, &pi))
        Fail("cannot start Dorvane.exe", GetLastError());
    CloseHandle(pi.hThread);
    return {pi.hProcess, pi.dwProcessId};
}

// The program's main window once it shows: a window gets its caption before
// it is mapped, and a hidden one takes no clicks.
HWND WaitForMainWindow(const CStarted& program)
{
    const CStopwatch watch;
    while (watch.Seconds() < 60)
    {
        for (HWND window = nullptr; (window = FindWindowEx(nullptr, window, _T("#32770"), _T("Dorvane"))) != nullptr;)
        {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == program.id && IsWindowVisible(window))
                return window;
        }
        if (WaitForSingleObject(program.process, 50) != WAIT_TIMEOUT)
            Fail("Dorvane.exe ended before its window showed");
    }
    Fail("Dorvane.exe showed no window within a minute");
}

// How long the window takes to answer a message, in milliseconds.
double Probe(HWND window)
{
    const CStopwatch watch;
    DWORD_PTR result = 0;
    if (!SendMessageTimeout(window, WM_NULL, 0, 0, SMTO_NORMAL, kProbeTimeoutMs, &result))
    {
        const DWORD error = GetLastError();
        if (error != ERROR_TIMEOUT)
            Fail("the window did not take a message", error);
        std::printf("a probe had no answer within %u ms\n", kProbeTimeoutMs);
    }
    return watch.Seconds() * 1000;
}

struct CRunFigures
{
    int probes = 0;
    double longestMs = 0;
    double seconds = 0;
};

// Go! is sent, not posted: sent messages are answered in the order they
// came, so the first probe's answer comes only after Go! has been handled,
// and from then on a Go! button that is enabled means the run is over.
CRunFigures PressGoAndProbe(HWND window)
{
    const HWND go = GetDlgItem(window, IDOK);
    if (go == nullptr || !IsWindowEnabled(go))
        Fail("the window has no Go! button to press");
    CRunFigures figures;
    const CStopwatch run;
    if (!SendNotifyMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(go)))
        Fail("cannot press Go!", GetLastError());
    for (;;)
    {
        figures.longestMs = std::max(figures.longestMs, Probe(window));
        ++figures.probes;
        if (IsWindowEnabled(go))
            break;
        if (run.Seconds() > kLongestRunSeconds)
            Fail("the run did not end within ten minutes");
        Sleep(kProbeEveryMs);
    }
    figures.seconds = run.Seconds();
    return figures;
}

void CloseProgram(HWND window, const CStarted& program)
{
    PostMessage(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(program.process, 30000) != WAIT_OBJECT_0)
    {
        TerminateProcess(program.process, 1);
        Fail("Dorvane.exe did not end within 30 s of WM_CLOSE");
    }
    CloseHandle(program.process);
}

// Removes the journals the run added, and says how many items they name.
int RemoveRunJournals(const CJournalShelf& shelf, const std::set<CString>& before)
{
    int items = 0;
    for (const CString& journal : shelf.Journals())
    {
        if (before.count(journal) != 0)
            continue;
        items += ItemsIn(journal);
        DeleteFile(journal);
    }
    return items;
}
}

int main(int argc, char** argv)
{
    const CTreeShape shape = ShapeFromArguments(argc, argv, "WindowBench");
    const CString base = MakeBenchFolder();
    const CString root = base + _T("\\tree");
    BuildTree(root, shape);
    std::printf("tree: %d files in %d folders (%d x %d folders, %d files each)\n", shape.FileCount(),
                shape.FolderCount(), shape.folders, shape.subfolders, shape.files);

    const CJournalShelf shelf;
    const std::vector<CString> missing = MissingFolders(shelf.Folder());
    const std::vector<CString> kept = shelf.Journals();
    const std::set<CString> before(kept.begin(), kept.end());
    const CStarted program = StartProgram(root);
    const HWND window = WaitForMainWindow(program);
    Probe(window);    // it answers: the dialog is up and waiting
    const CRunFigures figures = PressGoAndProbe(window);
    CloseProgram(window, program);
    std::printf("run: %.2f s from Go! to Go! enabled again\n", figures.seconds);
    std::printf("probes: %d, every %lu ms\n", figures.probes, kProbeEveryMs);
    std::printf("longest wait for an answer: %.0f ms\n", figures.longestMs);
    RemoveTree(root);
    RemoveDirectory(base);
    const int journaled = RemoveRunJournals(shelf, before);
    for (const CString& folder : missing)
        RemoveDirectory(folder);
    // A run that stamped less than the tree measured something else.
    if (journaled != shape.FileCount())
    {
        std::printf("error: the run's journal names %d items, not the %d files of the tree\n", journaled,
                    shape.FileCount());
        return 1;
    }
    return 0;
}

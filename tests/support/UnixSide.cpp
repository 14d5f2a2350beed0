#include "tests/support/UnixSide.h"

#include "tests/support/TestSupport.h"

namespace testsupport {
namespace {
CString Unix(const CString& windowsPath) {    // for the shell: the tests' paths are ASCII without blanks
    FARPROC toUnix = GetProcAddress(GetModuleHandle(_T("kernel32.dll")), "wine_get_unix_file_name");
    char* unix = reinterpret_cast<char*(CDECL*)(LPCWSTR)>(reinterpret_cast<void*>(toUnix))(windowsPath);
    const std::string name = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return CString(std::basic_string<TCHAR>(name.begin(), name.end()));
}

// Starts script with /bin/sh (Z: is the Unix root in every prefix) and returns: Wine
// cannot wait for a Unix process. Its streams are not the test's, which CTest waits on.
void StartUnixShell(const CString& script) {
    CString command = _T("sh -c \"exec </dev/null >/dev/null 2>&1; ") + script + _T("\"");
    STARTUPINFO startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    CreateProcess(_T("Z:\\bin\\sh"), command.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                  &process);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

template <typename Done>
bool WaitUntil(Done done) {    // for ten seconds at most
    for (int waited = 0; waited < 1000 && !done(); ++waited)
        Sleep(10);
    return done();
}

bool Listable(const CString& folder) {
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(folder + _T("\\*"), &data);
    FindClose(find);
    return find != INVALID_HANDLE_VALUE;
}

bool TimesLocked(const CString& path) {
    HANDLE h = CreateFile(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          0, nullptr);
    CloseHandle(h);
    return h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
}
}

bool UnixSideAvailable() { return RunningUnderWine(); }

SymbolicLink::SymbolicLink(const CString& linkPath, const CString& targetPath) : UnixSideChange(linkPath) {
    const DWORD folder = ReadAttributes(targetPath) & FILE_ATTRIBUTE_DIRECTORY;
    if (UnixSideAvailable())
        StartUnixShell(_T("ln -s ") + Unix(targetPath) + _T(" ") + Unix(linkPath));
    m_made = UnixSideAvailable() && WaitUntil([&] { return ReadAttributes(linkPath) != INVALID_FILE_ATTRIBUTES; }) &&
             (ReadAttributes(linkPath) & FILE_ATTRIBUTE_DIRECTORY) == folder;
}

SymbolicLink::~SymbolicLink() {
    if (m_made)
        StartUnixShell(_T("rm ") + Unix(m_path));
    WaitUntil([&] { return ReadAttributes(m_path) == INVALID_FILE_ATTRIBUTES; });
}

// The program copied over the file keeps its place in the folder's listing. It is started
// again if the test's polling (an open for writing) kept it from starting.
BusyFile::BusyFile(const CString& path) : UnixSideChange(path) {
    if (UnixSideAvailable())
        StartUnixShell(_T("f=") + Unix(path) + _T("; cp /bin/sleep $f && chmod +x $f && for n in 1 2 3 4 5 6 7 8; do ")
                       _T("$f 120 & sleep 0.1; [ x$(readlink /proc/$!/exe) = x$(readlink -f $f) ] && break; done"));
    m_made = UnixSideAvailable() && WaitUntil([&] { return TimesLocked(path); });
}

BusyFile::~BusyFile() {    // never with an empty f, which would match every process whose program is unreadable
    if (m_made)
        StartUnixShell(_T("f=$(readlink -f ") + Unix(m_path) + _T(") && [ x$f != x ] && for p in /proc/[0-9]*; do ")
                       _T("[ x$(readlink $p/exe) = x$f ] && kill ${p#/proc/}; done"));
    WaitUntil([&] { return !TimesLocked(m_path); });
}

LockedFolder::LockedFolder(const CString& path) : UnixSideChange(path) {
    if (UnixSideAvailable())
        StartUnixShell(_T("chmod 000 ") + Unix(path));
    m_made = UnixSideAvailable() && WaitUntil([&] { return !Listable(path); });
}

LockedFolder::~LockedFolder() {
    if (UnixSideAvailable())
        StartUnixShell(_T("chmod 755 ") + Unix(m_path));
    WaitUntil([&] { return Listable(m_path); });
}
}

#include "tests/support/TestSupport.h"

#include "framework/CComPtr.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <tuple>

void PrintTo(const CString& text, std::ostream* os) { *os << '"' << testsupport::Narrow(text) << '"'; }

namespace testsupport {
namespace {
// The extended-length form made here, not by the code under test.
CString Literal(const CString& path) { return path.Left(4) == _T("\\\\?\\") ? path : _T("\\\\?\\") + path; }
FILETIME FileTime(std::uint64_t ticks) { return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}; }
std::uint64_t Ticks(const FILETIME& ft) { return (std::uint64_t{ft.dwHighDateTime} << 32) | ft.dwLowDateTime; }

void RemoveTree(const CString& path) {    // read-only files too; folder links are removed, not entered
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(path + _T("\\*"), &data);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFile(find, &data)) {
        const CString name = data.cFileName, child = path + _T("\\") + name;
        SetFileAttributes(child, FILE_ATTRIBUTE_NORMAL);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            DeleteFile(child);
        else if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            RemoveDirectory(child);
        else if (name != _T(".") && name != _T(".."))
            RemoveTree(child);
    }
    FindClose(find);
    RemoveDirectory(path);
}

template <typename Describe>
bool SaveShortcut(const CString& linkPath, Describe describe) {
    CComPtr<IShellLink> link;
    CComPtr<IPersistFile> file;
    return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLink, link.Out())) &&
           SUCCEEDED(describe(link)) && SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
           SUCCEEDED(file->Save(linkPath, TRUE));
}

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

std::string Narrow(LPCTSTR text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    return text != nullptr ? out.substr(0, out.size() - 1) : "(null)";
}

bool RunningUnderWine() { return GetProcAddress(GetModuleHandle(_T("ntdll.dll")), "wine_get_version") != nullptr; }
bool PlatformKeepsCreationTime() {
    static const bool kept = !RunningUnderWine() || !std::printf("[   NOTE   ] no creation times\n");
    return kept;
}

TempDir::TempDir() {
    TCHAR base[MAX_PATH + 1];
    GetTempPath(MAX_PATH + 1, base);
    static unsigned counter = 0;
    do
        m_path.Format(_T("%sdorvane-test-%lu-%u"), base, GetCurrentProcessId(), ++counter);
    while (!CreateDirectory(m_path, nullptr));
}
TempDir::~TempDir() { RemoveTree(Literal(m_path)); }

void WriteFile(const CString& path, const std::string& contents) {
    HANDLE h = CreateFile(Literal(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(h, contents.data(), DWORD(contents.size()), &written, nullptr)) << Narrow(path);
    CloseHandle(h);
}

void MakeFolder(const CString& path) {
    const CString full = Literal(path);
    for (int end = full.Find(_T('\\'), 7); end >= 0; end = full.Find(_T('\\'), end + 1))
        CreateDirectory(full.Left(end), nullptr);
    CreateDirectory(full, nullptr);
}

FileTimes ReadTimes(const CString& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesEx(Literal(path), GetFileExInfoStandard, &data)) << Narrow(path);
    return {Ticks(data.ftCreationTime), Ticks(data.ftLastWriteTime), Ticks(data.ftLastAccessTime)};
}

void WriteTimes(const CString& path, const FileTimes& times) {
    HANDLE h = CreateFile(Literal(path), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const FILETIME c = FileTime(times.creation), w = FileTime(times.lastWrite), a = FileTime(times.lastAccess);
    EXPECT_TRUE(SetFileTime(h, &c, &a, &w)) << Narrow(path);
    CloseHandle(h);
}

FileTimes OwnTimes(int n) {
    return {UnixToTicks(1552000000 + n) + 1234567, UnixToTicks(1583000000 + n) + 7654321,
            UnixToTicks(4102444800 + n) + 5555555};
}

CString MakeFile(const CString& path, DWORD attributes, const FileTimes& times) {
    MakeFolder(path.Left(path.ReverseFind(_T('\\'))));
    WriteFile(path, "contents");
    WriteTimes(path, times);
    EXPECT_TRUE(attributes == 0 || SetFileAttributes(path, attributes)) << Narrow(path);
    return path;
}

void ExpectTimes(const CString& path, const FileTimes& expected) {
    const FileTimes now = ReadTimes(path);
    EXPECT_EQ(std::make_tuple(now.creation, now.lastWrite, now.lastAccess),
              std::make_tuple(PlatformKeepsCreationTime() ? expected.creation : now.creation, expected.lastWrite,
                              expected.lastAccess)) << Narrow(path);
}

DWORD ReadAttributes(const CString& path) { return GetFileAttributes(Literal(path)); }
std::uint64_t UnixToTicks(std::int64_t seconds) { return std::uint64_t(seconds + 11644473600LL) * 10000000; }
std::uint64_t TicksOf(const CTime& time) {
    FILETIME ft = {};
    return time.GetAsFileTime(ft) ? Ticks(ft) : 0;
}
std::string GetEnv(const char* name) { return std::getenv(name) != nullptr ? std::getenv(name) : ""; }
CString NonAnsiName() { return _T("\u0391\u03b8\u03ae\u03bd\u03b1-\u6771\u4eac"); }

CString BeyondMaxPath() {
    const CString level = _T("\\xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");    // 40 characters
    return (level + level + level + level + level + level + level).Mid(1);
}

bool CreateShortcut(const CString& linkPath, const CString& targetPath) {
    return SaveShortcut(linkPath, [&](CComPtr<IShellLink>& link) { return link->SetPath(targetPath); });
}

bool CreateShortcutToVirtualItem(const CString& linkPath) {
    return SaveShortcut(linkPath, [](CComPtr<IShellLink>& link) {
        PIDLIST_ABSOLUTE computer = nullptr;
        const HRESULT found = SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        const HRESULT set = SUCCEEDED(found) ? link->SetIDList(computer) : found;
        CoTaskMemFree(computer);
        return set;
    });
}

SymbolicLink::SymbolicLink(const CString& linkPath, const CString& targetPath) : UnixSideChange(linkPath) {
    const DWORD folder = ReadAttributes(targetPath) & FILE_ATTRIBUTE_DIRECTORY;
    if (RunningUnderWine())
        StartUnixShell(_T("ln -s ") + Unix(targetPath) + _T(" ") + Unix(linkPath));
    m_made = RunningUnderWine() && WaitUntil([&] { return ReadAttributes(linkPath) != INVALID_FILE_ATTRIBUTES; }) &&
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
    if (RunningUnderWine())
        StartUnixShell(_T("f=") + Unix(path) + _T("; cp /bin/sleep $f && chmod +x $f && for n in 1 2 3 4 5 6 7 8; do ")
                       _T("$f 120 & sleep 0.1; [ x$(readlink /proc/$!/exe) = x$(readlink -f $f) ] && break; done"));
    m_made = RunningUnderWine() && WaitUntil([&] { return TimesLocked(path); });
}

BusyFile::~BusyFile() {    // never with an empty f, which would match every process whose program is unreadable
    if (m_made)
        StartUnixShell(_T("f=$(readlink -f ") + Unix(m_path) + _T(") && [ x$f != x ] && for p in /proc/[0-9]*; do ")
                       _T("[ x$(readlink $p/exe) = x$f ] && kill ${p#/proc/}; done"));
    WaitUntil([&] { return !TimesLocked(m_path); });
}

ManyLinks::ManyLinks(const CString& path, int nFolders, int nLinks) : UnixSideChange(path) {
    CString script;
    script.Format(_T("mkdir -p %s && cd %s && for d in $(seq %d); do mkdir $d && touch $d/0 && (cd $d && ")
                  _T("perl -e 'link 0, $_ or die for 1..%d'); done && touch ../made"),
                  Unix(path).GetString(), Unix(path).GetString(), nFolders, nLinks - 1);
    if (RunningUnderWine())
        StartUnixShell(script);
    const CString made = path.Left(path.ReverseFind(_T('\\'))) + _T("\\made");
    m_made = RunningUnderWine() && WaitUntil([&] { return ReadAttributes(made) != INVALID_FILE_ATTRIBUTES; });
    DeleteFile(made);
}

ManyLinks::~ManyLinks() {
    if (m_made)
        StartUnixShell(_T("rm -rf ") + Unix(m_path));
    WaitUntil([&] { return ReadAttributes(m_path) == INVALID_FILE_ATTRIBUTES; });
}

LockedFolder::LockedFolder(const CString& path) : UnixSideChange(path) {
    if (RunningUnderWine())
        StartUnixShell(_T("chmod 000 ") + Unix(path));
    m_made = RunningUnderWine() && WaitUntil([&] { return !Listable(path); });
}

LockedFolder::~LockedFolder() {
    if (RunningUnderWine())
        StartUnixShell(_T("chmod 755 ") + Unix(m_path));
    WaitUntil([&] { return Listable(m_path); });
}
}

// The main of every test executable: the common controls registered first, as the program does.
int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

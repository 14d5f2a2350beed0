#include "tests/support/UnixSide.h"

#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <vector>

namespace testsupport
{
namespace
{
using UnixFileName = char*(CDECL*)(LPCWSTR);
using DosFileName = WCHAR*(CDECL*)(LPCSTR);

template <typename T>
T WineExport(const char* name)
{
    HMODULE kernel32 = GetModuleHandle(_T("kernel32.dll"));
    return kernel32 != nullptr ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)))
                               : nullptr;
}

CString DosPath(const std::string& unixPath)
{
    DosFileName toDos = WineExport<DosFileName>("wine_get_dos_file_name");
    WCHAR* dos = toDos != nullptr ? toDos(unixPath.c_str()) : nullptr;
    CString path(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

CString Widen(const std::string& utf8)
{
    int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> wide(static_cast<size_t>(size > 0 ? size : 1), 0);
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), size);
    return CString(wide.data());
}

std::string ReadWindowsFile(const CString& path)
{
    HANDLE h = CreateFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(h);
    return text;
}
}

bool UnixSideAvailable()
{
    return RunningUnderWine() && WineExport<UnixFileName>("wine_get_unix_file_name") != nullptr &&
           WineExport<DosFileName>("wine_get_dos_file_name") != nullptr;
}

std::string UnixPath(const CString& windowsPath)
{
    UnixFileName toUnix = WineExport<UnixFileName>("wine_get_unix_file_name");
    char* unix = toUnix != nullptr ? toUnix(windowsPath) : nullptr;
    std::string path = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

int RunUnixShell(const std::string& script, std::string* output)
{
    if (!UnixSideAvailable())
        return -1;
    TempDir work;
    std::string unixWork = UnixPath(work.Path());
    CString shell = DosPath("/bin/sh");
    if (unixWork.empty() || shell.IsEmpty())
        return -1;

    // The script's own streams are not the test's: CTest would wait for
    // anything it starts that still holds them.
    std::string wrapped = "exec </dev/null >" + ShellQuote(unixWork + "/output") + " 2>&1\n(\n" + script +
                          "\n)\necho $? >" + ShellQuote(unixWork + "/status.part") + " && mv " +
                          ShellQuote(unixWork + "/status.part") + " " + ShellQuote(unixWork + "/status") + "\n";
    WriteFile(work / _T("run.sh"), wrapped);

    CString command = _T("sh \"") + Widen(unixWork + "/run.sh") + _T("\"");
    std::vector<TCHAR> commandLine(command.GetString(), command.GetString() + command.GetLength() + 1);
    STARTUPINFO startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcess(shell, commandLine.data(), nullptr, nullptr, FALSE, 0,
                       nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    CString status = work / _T("status");
    for (int waited = 0; waited < 6000; ++waited)
    {
        if (GetFileAttributes(status) != INVALID_FILE_ATTRIBUTES)
        {
            if (output != nullptr)
                *output = ReadWindowsFile(work / _T("output"));
            return std::atoi(ReadWindowsFile(status).c_str());
        }
        Sleep(10);
    }
    return -1;
}

FolderLink::FolderLink(const CString& linkPath, const CString& targetPath) : m_path(linkPath)
{
    if (UnixSideAvailable())
    {
        m_unixPath = UnixPath(linkPath);
        std::string target = UnixPath(targetPath);
        if (m_unixPath.empty() || target.empty() ||
            RunUnixShell("ln -s " + ShellQuote(target) + " " + ShellQuote(m_unixPath)) != 0)
            return;
    }
    else if (!CreateSymbolicLink(linkPath, targetPath,
                                 SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
    {
        return;
    }
    // Wine 8's CreateSymbolicLink reports success and makes nothing.
    DWORD attributes = GetFileAttributes(linkPath);
    m_made = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FolderLink::~FolderLink()
{
    if (!m_unixPath.empty())
        RunUnixShell("rm -f " + ShellQuote(m_unixPath));
    else if (m_made)
        RemoveDirectory(m_path);
}

BusyFile::BusyFile(const CString& path)
{
    std::string file = UnixPath(path);
    if (file.empty())
        return;
    // The program copied over the file keeps the file's entry (and so its
    // place in the folder's listing). The script ends once the program runs.
    std::string output;
    int status = RunUnixShell(
        "f=" + ShellQuote(file) +
            "\ncp /bin/sleep \"$f\" && chmod +x \"$f\" || exit 1\n"
            "\"$f\" 120 </dev/null >/dev/null 2>&1 &\n"
            "pid=$!\n"
            "n=0\n"
            "while [ \"$(readlink /proc/$pid/exe)\" != \"$(readlink -f \"$f\")\" ]; do\n"
            "  n=$((n + 1)); [ $n -lt 1000 ] || exit 1; sleep 0.01\n"
            "done\n"
            "echo $pid\n",
        &output);
    if (status == 0)
        m_pid = std::atol(output.c_str());
}

BusyFile::~BusyFile()
{
    if (m_pid <= 0)
        return;
    std::string pid = std::to_string(m_pid);
    RunUnixShell("kill " + pid + "\nn=0\nwhile readlink /proc/" + pid +
                 "/exe >/dev/null; do n=$((n + 1)); [ $n -lt 1000 ] || exit 1; sleep 0.01; done\n");
}
}

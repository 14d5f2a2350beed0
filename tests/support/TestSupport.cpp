#include "tests/support/TestSupport.h"

#include "framework/LongPath.h"

#include <gtest/gtest.h>

#include <cstdlib>

void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << testsupport::Narrow(text) << '"';
}

namespace testsupport
{
std::string Narrow(LPCTSTR text)
{
    if (text == nullptr)
        return "(null)";
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandle(_T("ntdll.dll"));
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool PlatformKeepsCreationTime()
{
    static const bool keeps = !RunningUnderWine();
    return keeps;
}

TempDir::TempDir()
{
    TCHAR base[MAX_PATH + 1];
    GetTempPath(MAX_PATH + 1, base);
    static unsigned counter = 0;
    for (;;)
    {
        CString candidate;
        candidate.Format(_T("%sdorvane-test-%lu-%u"), base, GetCurrentProcessId(), ++counter);
        if (CreateDirectory(candidate, nullptr))
        {
            m_path = candidate;
            return;
        }
    }
}

TempDir::~TempDir()
{
    RemoveTree(m_path);
}

void WriteFile(const CString& path, const std::string& contents)
{
    HANDLE h = CreateFile(ToExtendedLengthPath(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create " << Narrow(path);
    DWORD written = 0;
    ::WriteFile(h, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(h);
}

void MakeFolder(const CString& path)
{
    CString full = ToExtendedLengthPath(path);
    int start = full.Find(_T('\\'), 7);
    for (int pos = start; pos >= 0; pos = full.Find(_T('\\'), pos + 1))
        CreateDirectory(full.Left(pos), nullptr);
    CreateDirectory(full, nullptr);
}

void RemoveTree(const CString& path)
{
    CString root = ToExtendedLengthPath(path);
    WIN32_FIND_DATA data;
    HANDLE find = FindFirstFile(root + _T("\\*"), &data);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
        {
            CString name(data.cFileName);
            if (name == _T(".") || name == _T(".."))
                continue;
            CString child = root + _T("\\") + name;
            SetFileAttributes(child, FILE_ATTRIBUTE_NORMAL);
            bool isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !isLink)
                RemoveTree(child);
            else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                RemoveDirectory(child);
            else
                DeleteFile(child);
        } while (FindNextFile(find, &data));
        FindClose(find);
    }
    SetFileAttributes(root, FILE_ATTRIBUTE_NORMAL);
    RemoveDirectory(root);
}

namespace
{
std::uint64_t Ticks(const FILETIME& ft)
{
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(std::uint64_t ticks)
{
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return ft;
}
}

FileTimes ReadTimes(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    EXPECT_TRUE(GetFileAttributesEx(ToExtendedLengthPath(path), GetFileExInfoStandard, &data))
        << "cannot read " << Narrow(path);
    FileTimes times;
    times.creation = Ticks(data.ftCreationTime);
    times.lastWrite = Ticks(data.ftLastWriteTime);
    times.lastAccess = Ticks(data.ftLastAccessTime);
    return times;
}

void WriteTimes(const CString& path, const FileTimes& times)
{
    HANDLE h = CreateFile(ToExtendedLengthPath(path), FILE_WRITE_ATTRIBUTES,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot open " << Narrow(path);
    FILETIME c = FromTicks(times.creation), w = FromTicks(times.lastWrite), a = FromTicks(times.lastAccess);
    EXPECT_TRUE(SetFileTime(h, &c, &a, &w));
    CloseHandle(h);
}

DWORD ReadAttributes(const CString& path)
{
    return GetFileAttributes(ToExtendedLengthPath(path));
}

std::int64_t TicksToUnix(std::uint64_t ticks)
{
    return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

std::uint64_t UnixToTicks(std::int64_t seconds)
{
    return static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ULL;
}

std::string GetEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}
}

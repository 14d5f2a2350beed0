// Helpers the test suites share.
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <ostream>
#include <string>

// Lets GoogleTest print a CString in its failure messages.
void PrintTo(const CString& text, std::ostream* os);

namespace testsupport
{
// True when the tests run under Wine rather than Windows.
bool RunningUnderWine();

// Wine keeps no creation time of its own: it reads back as the last-write
// time and setting it alone is ignored. Assertions about creation times are
// skipped where this is false.
bool PlatformKeepsCreationTime();

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const CString& Path() const { return m_path; }
    CString operator/(LPCTSTR name) const { return m_path + _T("\\") + name; }

private:
    CString m_path;
};

// Creates (or truncates) a file with the given text; fails the test if it can't.
void WriteFile(const CString& path, const std::string& contents = "x");
// Creates a folder (and its parents).
void MakeFolder(const CString& path);
// Removes a folder and everything below it, read-only files included.
void RemoveTree(const CString& path);

// A file's three times as FILETIME ticks (100 ns since 1601), and attributes.
struct FileTimes
{
    std::uint64_t creation = 0;
    std::uint64_t lastWrite = 0;
    std::uint64_t lastAccess = 0;
};
FileTimes ReadTimes(const CString& path);
void WriteTimes(const CString& path, const FileTimes& times);
DWORD ReadAttributes(const CString& path);

// Seconds since 1970 of a FILETIME tick count, and back.
std::int64_t TicksToUnix(std::uint64_t ticks);
std::uint64_t UnixToTicks(std::int64_t seconds);

// The text in UTF-8, for messages.
std::string Narrow(LPCTSTR text);

// An environment variable as text ("" when unset).
std::string GetEnv(const char* name);

}

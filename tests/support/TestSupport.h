// What the test suites share: temporary files and folders, their times and
// attributes, and telling Wine from Windows.
#pragma once

#include "framework/CString.h"

#include <cstdint>
#include <ostream>
#include <string>

void PrintTo(const CString& text, std::ostream* os);    // for GoogleTest's messages

namespace testsupport {
bool RunningUnderWine();
bool PlatformKeepsCreationTime();    // Wine reads it back as the last-write time and ignores it set alone

class TempDir {    // a fresh folder under the temporary folder, removed with all it holds
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

// Full paths of any length; one in extended-length form ("\\?\C:\...") is
// taken literally, so it can name a file or folder whose name ends in a dot.
void WriteFile(const CString& path, const std::string& contents = "x");
void MakeFolder(const CString& path);    // with its parents
struct FileTimes { std::uint64_t creation = 0, lastWrite = 0, lastAccess = 0; };    // 100 ns ticks since 1601
FileTimes ReadTimes(const CString& path);
void WriteTimes(const CString& path, const FileTimes& times);
DWORD ReadAttributes(const CString& path);
std::uint64_t UnixToTicks(std::int64_t seconds);    // seconds since 1970
std::string Narrow(LPCTSTR text);                   // UTF-8, for messages
std::string GetEnv(const char* name);               // "" when unset
CString NonAnsiName();      // Greek and Japanese letters, outside the ANSI code page
CString BeyondMaxPath();    // seven nested 40-character names: beyond MAX_PATH below any folder
}

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
// Wine keeps no creation time of its own: it reads back as the last-write
// time, and setting it alone is ignored.
bool PlatformKeepsCreationTime();

// A fresh folder under the temporary folder, removed with all it holds.
class TempDir {
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

// Paths of any length. One in extended-length form ("\\?\C:\...") is taken
// literally, so it can name a file or folder whose name ends in a dot.
void WriteFile(const CString& path, const std::string& contents = "x");
void MakeFolder(const CString& path);    // with its parents
struct FileTimes {                       // in FILETIME ticks, 100 ns since 1601
    std::uint64_t creation = 0, lastWrite = 0, lastAccess = 0;
};
FileTimes ReadTimes(const CString& path);
void WriteTimes(const CString& path, const FileTimes& times);
DWORD ReadAttributes(const CString& path);

std::uint64_t UnixToTicks(std::int64_t seconds);    // seconds since 1970
std::string Narrow(LPCTSTR text);                   // UTF-8, for messages
std::string GetEnv(const char* name);               // "" when unset

// A name outside the ANSI code page (Greek and Japanese letters).
inline CString NonAnsiName(LPCTSTR suffix = _T("")) { return _T("\u0391\u03b8\u03ae\u03bd\u03b1-\u6771\u4eac") + CString(suffix); }
// Seven nested folders of 40-character names: a path beyond MAX_PATH below any folder.
CString BeyondMaxPath();
}

// What the test suites share: temporary files and folders, their times and
// attributes, shortcuts, telling Wine from Windows and what only Wine can make.
#pragma once

#include "framework/CString.h"
#include "framework/CTime.h"

#include <cstdint>
#include <ostream>
#include <string>

void PrintTo(const CString& text, std::ostream* os);    // for GoogleTest's messages

namespace testsupport {
bool RunningUnderWine();
// Wine reads the creation time back as the last-write time and ignores it set alone (said once, as a note).
bool PlatformKeepsCreationTime();

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
// Times of a test's own, each with a fraction of a second, so that one the program must leave alone is checked
// to the tick; no access-time update touches one in 2100. Each n gives others.
FileTimes OwnTimes(int n = 0);
CString MakeFile(const CString& path, DWORD attributes = 0, const FileTimes& times = OwnTimes());    // and its folder
void ExpectTimes(const CString& path, const FileTimes& expected);    // the creation time where the platform keeps it
DWORD ReadAttributes(const CString& path);
std::uint64_t UnixToTicks(std::int64_t seconds);    // seconds since 1970
std::uint64_t TicksOf(const CTime& time);           // 0 for a time no file can hold
std::string Narrow(LPCTSTR text);                   // UTF-8, for messages
std::string GetEnv(const char* name);               // "" when unset
CString NonAnsiName();      // Greek and Japanese letters, outside the ANSI code page
CString BeyondMaxPath();    // seven nested 40-character names: beyond MAX_PATH below any folder
// Shortcuts written by the shell's own link object (the thread needs COM); false when the shell refused.
bool CreateShortcut(const CString& linkPath, const CString& targetPath);
bool CreateShortcutToVirtualItem(const CString& linkPath);    // to the computer folder, which has no path

// What only Wine's Unix side can make: symbolic links (Wine 8's CreateSymbolicLink makes
// nothing), a file whose attributes can be changed but whose times cannot be written, a
// folder its user may not list, and thousands of names at once.
class UnixSideChange {    // made while the object lives, undone when it goes
public:
    UnixSideChange(const UnixSideChange&) = delete;
    UnixSideChange& operator=(const UnixSideChange&) = delete;
    bool IsMade() const { return m_made; }
protected:
    explicit UnixSideChange(const CString& path) : m_path(path) {}
    ~UnixSideChange() = default;
    const CString m_path;
    bool m_made = false;
};

struct SymbolicLink : UnixSideChange {    // at linkPath to the file or folder targetPath
    SymbolicLink(const CString& linkPath, const CString& targetPath);
    ~SymbolicLink();
};

// The file turned into a running program: Linux lets no one write to it ("text file busy",
// a sharing violation to Wine), not even its times, while its attributes still change.
struct BusyFile : UnixSideChange {
    explicit BusyFile(const CString& path);
    ~BusyFile();
};

// nFolders folders named 1, 2... of nLinks names each, hard links to one file of the folder's own: what a run
// takes seconds over, made and removed in a moment where creating as many files takes minutes.
struct ManyLinks : UnixSideChange {
    ManyLinks(const CString& path, int nFolders, int nLinks);
    ~ManyLinks();
};

struct LockedFolder : UnixSideChange {    // closed to all (mode 000); root lists it all the same
    explicit LockedFolder(const CString& path);
    ~LockedFolder();
};
}

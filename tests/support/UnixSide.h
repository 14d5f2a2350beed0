// What only Wine's Unix side can make, for the tests that need it: symbolic
// links (Wine 8's CreateSymbolicLink reports success and creates nothing) and
// a file whose attributes can be changed but whose times cannot be written.
#pragma once

#include "framework/CString.h"

#include <string>

namespace testsupport
{
// True under Wine, where Unix programs can be started and Windows paths
// have Unix names.
bool UnixSideAvailable();

// The Unix name (UTF-8) of a Windows path; "" when there is none.
std::string UnixPath(const CString& windowsPath);

// The text in single quotes for the shell.
std::string ShellQuote(const std::string& text);

// Runs a script with /bin/sh and waits for its end (Wine cannot wait on a
// Unix process, so the script reports its end through a file). Returns its
// exit status, or -1 when it did not start or end within a minute. What it
// prints goes into *output when that is given.
int RunUnixShell(const std::string& script, std::string* output = nullptr);

// A directory symbolic link at linkPath to the folder targetPath for as long
// as the object lives. Under Wine it is a Unix symbolic link, which Wine
// cannot remove itself.
class FolderLink
{
public:
    FolderLink(const CString& linkPath, const CString& targetPath);
    ~FolderLink();
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    bool IsMade() const { return m_made; }

private:
    CString m_path;
    std::string m_unixPath;
    bool m_made = false;
};

// Turns a file into a running program for as long as the object lives. Under
// Wine, opening a file for FILE_WRITE_ATTRIBUTES asks Unix for write access,
// which the kernel refuses for a program that is running ("text file busy",
// reported as a sharing violation), while SetFileAttributes opens it for
// reading only: its attributes change, its times cannot be written.
class BusyFile
{
public:
    explicit BusyFile(const CString& path);
    ~BusyFile();
    BusyFile(const BusyFile&) = delete;
    BusyFile& operator=(const BusyFile&) = delete;

    bool IsBusy() const { return m_pid > 0; }

private:
    long m_pid = 0;
};
}

// What only Wine's Unix side can make for the tests: symbolic links (Wine 8's
// CreateSymbolicLink reports success and makes nothing) and a file whose
// attributes can be changed but whose times cannot be written.
#pragma once

#include "framework/CString.h"

namespace testsupport {
bool UnixSideAvailable();    // under Wine, where Unix programs can be started

// A symbolic link at linkPath to the file or folder targetPath while the
// object lives; IsMade() is false where none can be made.
class SymbolicLink {
public:
    SymbolicLink(const CString& linkPath, const CString& targetPath);
    ~SymbolicLink();
    SymbolicLink(const SymbolicLink&) = delete;
    SymbolicLink& operator=(const SymbolicLink&) = delete;
    bool IsMade() const { return m_made; }

private:
    CString m_path;
    bool m_made = false;
};

// The file turned into a running program while the object lives. Writing
// times opens a file for writing, which Linux refuses for a running program
// ("text file busy", a sharing violation to Wine); attributes still change.
class BusyFile {
public:
    explicit BusyFile(const CString& path);
    ~BusyFile();
    BusyFile(const BusyFile&) = delete;
    BusyFile& operator=(const BusyFile&) = delete;
    bool IsBusy() const { return m_busy; }

private:
    CString m_path;
    bool m_busy = false;
};
}

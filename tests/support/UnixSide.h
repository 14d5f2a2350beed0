// What only Wine's Unix side can make: symbolic links (Wine 8's CreateSymbolicLink makes
// nothing), a file whose attributes can be changed but whose times cannot be written, and a
// folder its user may not list.
#pragma once

#include "framework/CString.h"

namespace testsupport {
bool UnixSideAvailable();    // under Wine, where Unix programs can be started

class SymbolicLink {    // at linkPath to the file or folder targetPath while the object lives
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

// The file turned into a running program while the object lives: Linux lets no one
// write to it ("text file busy", a sharing violation to Wine), not even its times,
// while its attributes still change.
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

// The folder closed to all (mode 000) while the object lives. Root lists it all the same.
class LockedFolder {
public:
    explicit LockedFolder(const CString& path);
    ~LockedFolder();
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;
    bool IsLocked() const { return m_locked; }
private:
    CString m_path;
    bool m_locked = false;
};
}

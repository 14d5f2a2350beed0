// What only Wine's Unix side can make: symbolic links (Wine 8's CreateSymbolicLink makes
// nothing), a file whose attributes can be changed but whose times cannot be written, and a
// folder its user may not list.
#pragma once

#include "framework/CString.h"

namespace testsupport {
bool UnixSideAvailable();    // under Wine, where Unix programs can be started

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

struct LockedFolder : UnixSideChange {    // closed to all (mode 000); root lists it all the same
    explicit LockedFolder(const CString& path);
    ~LockedFolder();
};
}

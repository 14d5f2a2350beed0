// What the stamping tests share: a temporary folder, a main window whose four
// stamp fields each test sets, and files whose times carry fractions of a
// second, so that a time the stamp must not touch is checked to the tick.
#pragma once

#include "main_window/DorvaneDlg.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimeChecks.h"

#include <gtest/gtest.h>

class StampTest : public testing::Test
{
protected:
    // The fields as the stamp command leaves them before a stamp.
    void Choose(BOOL bChangeCreated, BOOL bChangeModified, BOOL bReadOnly = FALSE);

    CString Path(const CString& relative) const { return m_dir / relative; }
    // A file (its folders made first) with fractional times and the given
    // attributes set after them.
    CString MakeFile(const CString& relative, DWORD attributes = 0);
    CString MakeFolder(const CString& relative);
    // Fractional times for a folder: given after everything in it is made,
    // since a new entry changes a folder's last-write time.
    void GiveFractionalTimes(const CString& path);

    // The stamp time in file-time ticks.
    std::uint64_t StampTicks() const { return testsupport::TicksOf(m_stamp); }

    // Expects the times and attributes as recorded, to the tick.
    void ExpectUnchanged(const CString& path, const testsupport::FileTimes& times, DWORD attributes);
    // Expects the last-write time to be the stamp and the others as recorded.
    void ExpectStampedModifiedOnly(const CString& path, const testsupport::FileTimes& times);

    testsupport::TempDir m_dir;
    CDorvaneDlg m_dlg;
    const CTime m_stamp = CTime(2003, 4, 5, 6, 7, 8);

private:
    int m_nextTimes = 0;
};

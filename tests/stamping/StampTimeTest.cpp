// The stamp lands on the file time that GNU date, in the same zone, gives
// for the local date and time chosen (the expected seconds come from the
// test's launcher script, not from the platform under test).
#include "framework/CFile.h"
#include "tests/stamping/StampTest.h"

#include <cstdio>

namespace
{
// Whatever today's season in Sydney, one of the winter and summer dates is
// stamped while the other season's offset is in force: the case where using
// today's offset instead of the date's would put the file an hour off.
void SayWhichDateIsTheOtherSeason()
{
    struct tm today;
    if (CTime::GetCurrentTime().GetLocalTm(&today) == nullptr)
        return;
    std::printf("[   NOTE   ] today is %s time in Sydney: the %s date is the other season's\n",
                today.tm_isdst > 0 ? "daylight" : "standard", today.tm_isdst > 0 ? "winter" : "summer");
}
}

TEST_F(StampTest, LocalTimesLandWhereGnuDatePutsThem)
{
    SayWhichDateIsTheOtherSeason();
    int n = 0;
    for (const auto& c : testsupport::LocalTimeCases())
    {
        SCOPED_TRACE(c.what);
        std::int64_t expected = 0;
        ASSERT_TRUE(testsupport::ExpectedSeconds(c, expected))
            << "no expected time in the environment: run through ctest (expected-local-times.sh)";

        CString name;
        name.Format(_T("date%d.txt"), n++);
        CString path = MakeFile(name);
        testsupport::FileTimes before = testsupport::ReadTimes(path);

        Choose(TRUE, TRUE);
        m_dlg.m_stampTime = CTime(c.year, c.month, c.day, c.hour, c.minute, c.second, -1);
        ASSERT_TRUE(m_dlg.m_stampTime.IsValid());
        m_dlg.StampFile(path);

        testsupport::FileTimes after = testsupport::ReadTimes(path);
        EXPECT_EQ(after.lastWrite, testsupport::UnixToTicks(expected));
        EXPECT_EQ(after.lastAccess, before.lastAccess);
        if (testsupport::CreationTimeKept())
        {
            EXPECT_EQ(after.creation, testsupport::UnixToTicks(expected));
        }

        CFileStatus status;
        ASSERT_TRUE(CFile::GetStatus(path, status));
        EXPECT_EQ(status.m_mtime, m_dlg.m_stampTime);
    }
}

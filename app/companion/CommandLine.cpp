#include "app/companion/CommandLine.h"

#include "app/companion/TimeText.h"
#include "framework/CFile.h"
#include "framework/FileTimes.h"
#include "stamping/LongPath.h"
#include "stamping/StampFailure.h"

#include <algorithm>
#include <iterator>

CCommandLine::Outcome CCommandLine::Parse(int argc, const TCHAR* const argv[])
{
    bool bHelp = false;
    const bool bRight = ReadArguments(argc, argv, bHelp) &&
                        (m_strUndo.IsEmpty() ? ChooseTimes() && CheckPaths() : CheckUndo());
    return bHelp ? Outcome::Help : bRight ? Outcome::Run : Outcome::UsageError;
}

CStampOptions CCommandLine::StampOptions() const
{
    CStampOptions options;
    std::copy(std::begin(m_times), std::end(m_times), options.times);
    options.bReadOnly = m_bReadOnly;
    options.bFolders = m_bFolders;
    options.bDryRun = m_bDryRun;
    return options;
}

CString CCommandLine::Usage()
{
    CString usage;
    usage.Format(_T("Usage: DorvaneCmd [options] PATH...\r\n")
           _T("       DorvaneCmd --undo FILE [--dry-run] [--verbose]\r\n")
           _T("Gives files new times: a file, or every file below a folder. * and ? in the last\r\n")
           _T("part of a PATH stand for any characters and for one character.\r\n")
           _T("The new time, exactly one of:\r\n")
           _T("  --time \"YYYY-MM-DD HH:MM:SS\"  local time (years %d to %d)\r\n")
           _T("  --utc                         read --time as UTC\r\n")
           _T("  --reference FILE              the same time of FILE\r\n")
           _T("  --shift [-][D.]HH:MM:SS       each file's own time moved by that much\r\n")
           _T("Which times (default --modified): --created --modified --accessed\r\n")
           _T("  --read-only   change read-only files too (they stay read-only)\r\n")
           _T("  --folders     folders get the times too\r\n")
           _T("  --dry-run     change nothing; list what would change\r\n")
           _T("  --verbose     list every file changed\r\n")
           _T("  --journal FILE  write each file's old and new times to FILE (a new file)\r\n")
           _T("  --undo FILE     give the files of a journal back their old times\r\n")
           _T("  -h, --help    this text\r\n")
           _T("  --            the rest are PATHs, even one beginning with -\r\n")
           _T("A value may also follow its option after =, as in --shift=-01:00:00.\r\n")
           _T("Exit status: 0 all done, 1 something failed, 2 wrong usage (nothing changed)."),
                 kFirstFileYear, kLastFileYear);
    return usage;
}

bool CCommandLine::ReadArguments(int argc, const TCHAR* const argv[], bool& bHelp)
{
    bool bOptions = true;    // until "--"
    for (int i = 1; i < argc; ++i)
    {
        const CString arg = argv[i];
        bHelp = bOptions && (arg == _T("-h") || arg == _T("--help") || arg == _T("/?"));
        if (bHelp)
            return false;
        if (!bOptions || arg.Left(1) != _T("-"))
            m_paths.push_back(arg);
        else if (arg == _T("--"))
            bOptions = false;
        else if (bool* flag = FlagNamed(arg))
            *flag = true;
        else if (!ReadValueOption(arg, argc, argv, i))
            return false;
    }
    return true;
}

bool CCommandLine::ReadValueOption(const CString& arg, int argc, const TCHAR* const argv[], int& i)
{
    const int equals = arg.Find(_T('='));
    const CString name = equals < 0 ? arg : arg.Left(equals);
    const bool bFile = name == _T("--journal") || name == _T("--undo");
    if (!bFile && name != _T("--time") && name != _T("--reference") && name != _T("--shift"))
        return Wrong(_T("unknown option ") + arg);
    if (equals < 0 && ++i == argc)
        return Wrong(arg + _T(" needs a value"));
    const CString value = equals < 0 ? CString(argv[i]) : arg.Mid(equals + 1);
    if (bFile)
        return ReadFileOption(name, value);
    m_strSource = name;
    m_strValue = value;
    ++m_nSources;
    return true;
}

bool* CCommandLine::FlagNamed(const CString& name)
{
    const struct { LPCTSTR name; bool* flag; } flags[] = {
        {_T("--created"), &m_bChosen[kCreated]}, {_T("--accessed"), &m_bChosen[kAccessed]},
        {_T("--modified"), &m_bChosen[kModified]}, {_T("--utc"), &m_bUtc}, {_T("--read-only"), &m_bReadOnly},
        {_T("--folders"), &m_bFolders}, {_T("--dry-run"), &m_bDryRun}, {_T("--verbose"), &m_bVerbose}};
    for (const auto& flag : flags)
        if (name == flag.name)
            return flag.flag;
    return nullptr;
}

bool CCommandLine::ChooseTimes()
{
    if (m_nSources != 1)
        return Wrong(_T("give exactly one of --time, --reference and --shift"));
    if (m_bUtc && m_strSource != _T("--time"))
        return Wrong(_T("--utc goes with --time only"));
    if (!m_bChosen[kCreated] && !m_bChosen[kAccessed])
        m_bChosen[kModified] = true;
    CItemTimes times;
    if (!ReadNewTimes(times))
        return false;
    for (int kind = 0; kind < kTimeKinds; ++kind)
        if (m_bChosen[kind])
            m_times[kind] = m_strSource == _T("--shift") ? CTimeChoice::ShiftedBy(times.ticks[kind])
                                                         : CTimeChoice::At(times.ticks[kind]);
    return true;
}

bool CCommandLine::ReadNewTimes(CItemTimes& times)
{
    if (m_strSource == _T("--reference"))
    {
        const CString path = ToExtendedLengthPath(m_strValue);
        CFileStatus reference;
        if (path.IsEmpty() || !CFile::GetStatus(path, reference))
            return Wrong(_T("cannot read --reference \"") + m_strValue + _T("\": ") +
                         CStampFailure(m_strValue, static_cast<LONG>(GetLastError())).GetSystemReason());
        times = TimesOf(reference.m_ftCreationRead, reference.m_ftLastAccessRead, reference.m_ftLastWriteRead);
        return true;
    }
    const bool bTime = m_strSource == _T("--time");
    Ticks& first = times.ticks[0];
    if (bTime ? !TimeText::ReadTime(m_strValue, m_bUtc, first) : !TimeText::ReadSpan(m_strValue, first))
    {
        CString what(_T("a span [-]D.HH:MM:SS or [-]HH:MM:SS"));
        if (bTime)
            what.Format(_T("a time \"YYYY-MM-DD HH:MM:SS\" the clocks show, in the years %d to %d UTC"),
                        kFirstFileYear, kLastFileYear);
        return Wrong(m_strSource + _T(" \"") + m_strValue + _T("\" is not ") + what);
    }
    times.ticks[1] = times.ticks[2] = first;
    return true;
}

bool CCommandLine::ReadFileOption(const CString& name, const CString& value)
{
    const CString path = ToExtendedLengthPath(value);
    if (path.IsEmpty())
        return Wrong(_T("cannot use ") + name + _T(" \"") + value + _T("\": ") +
                     CStampFailure(value, static_cast<LONG>(GetLastError())).GetSystemReason());
    (name == _T("--journal") ? m_strJournal : m_strUndo) = path;
    return true;
}

bool CCommandLine::CheckUndo()
{
    if (m_nSources != 0 || !m_paths.empty() || !m_strJournal.IsEmpty())
        return Wrong(_T("--undo takes no PATH, time source or --journal: its journal names the files and times"));
    return true;
}

bool CCommandLine::CheckPaths()
{
    if (m_paths.empty())
        return Wrong(_T("no PATH given"));
    for (const CString& path : m_paths)
        if (ToExtendedLengthPath(path).IsEmpty())
            return Wrong(_T("cannot use PATH \"") + path + _T("\": ") +
                         CStampFailure(path, static_cast<LONG>(GetLastError())).GetSystemReason());
    return true;
}

bool CCommandLine::Wrong(const CString& error)
{
    m_strError = error;
    return false;
}

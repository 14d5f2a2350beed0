// The companion's command line: what to stamp and how. Every argument is
// checked here before any file is touched: the options and their values, the
// reference file read, each PATH one the platform can name (whether anything
// is there is for the run to find).
#pragma once

#include "framework/CString.h"
#include "stamping/StampEngine.h"

#include <vector>

class CCommandLine
{
public:
    enum class Outcome
    {
        Run,
        Help,
        UsageError      // m_strError says what is wrong
    };
    Outcome Parse(int argc, const TCHAR* const argv[]);
    // The chosen times, read-only permission, folders and dry run.
    CStampOptions StampOptions() const;
    static CString Usage();

    std::vector<CString> m_paths;
    // --journal FILE and --undo FILE, empty when not given.
    CString m_strJournal;
    CString m_strUndo;
    CTimeChoice m_times[kTimeKinds];
    bool m_bDryRun = false;
    bool m_bVerbose = false;
    CString m_strError;

private:
    // False at the first wrong argument, and at a call for help (bHelp).
    bool ReadArguments(int argc, const TCHAR* const argv[], bool& bHelp);
    // "--time VALUE" or "--time=VALUE", and the same for --reference,
    // --shift, --journal and --undo; i moves past a value that is an argument
    // of its own.
    bool ReadValueOption(const CString& arg, int argc, const TCHAR* const argv[], int& i);
    bool ReadFileOption(const CString& name, const CString& value);
    bool* FlagNamed(const CString& name);
    // The parts checked once every argument has been seen.
    bool ChooseTimes();
    // --undo stands alone: its journal says what to do, and to which items.
    bool CheckUndo();
    // The new time of each kind (the same for all but with a reference), or the span.
    bool ReadNewTimes(CItemTimes& times);
    bool CheckPaths();
    bool Wrong(const CString& error);

    bool m_bChosen[kTimeKinds] = {};
    bool m_bUtc = false;
    bool m_bReadOnly = false;
    bool m_bFolders = false;
    int m_nSources = 0;
    CString m_strSource;    // --time, --reference or --shift
    CString m_strValue;
};

// DorvaneCmd.exe started as a script starts it, for the companion's tests: what it prints read
// through pipes, CRLF as LF.
#pragma once

#include "framework/CString.h"

#include <string>

CString Exe();                                     // the DorvaneCmd.exe this build made
CString Q(const CString& path);                    // in double quotes, for a command line
std::string LastLine(const std::string& text);     // with its line end

struct Started { HANDLE process, out, err; };
// In the folder given, else this one. Its stdout waits for its reader once 4 KB are written (a run can be held
// there); stderr holds 1 MB, so reading stdout first never waits on it.
Started StartCmd(const CString& args, DWORD flags = 0, LPCTSTR folder = nullptr);
struct Finished { DWORD exit; std::string out, err; };
Finished Finish(const Started& cmd);    // what it printed, once it has ended, and its exit status
inline Finished RunCmd(const CString& args, LPCTSTR folder = nullptr) { return Finish(StartCmd(args, 0, folder)); }

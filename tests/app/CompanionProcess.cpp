#include "tests/app/CompanionProcess.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    for (DWORD read = 0; ReadFile(pipe, buffer, sizeof(buffer), &read, nullptr) && read > 0;) text.append(buffer, read);
    CloseHandle(pipe);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}
}

CString Exe() {    // CMake names it by its Unix path, which Wine shows on drive Z:
    std::basic_string<TCHAR> path = _T(DORVANE_CMD_EXE);
    std::replace(path.begin(), path.end(), _T('/'), _T('\\'));
    return path[0] == _T('\\') ? _T("Z:") + CString(path) : CString(path);
}
CString Q(const CString& path) { return _T("\"") + path + _T("\""); }
std::string LastLine(const std::string& text) { return text.substr(text.rfind('\n', text.size() - 2) + 1); }

Started StartCmd(const CString& args, DWORD flags, LPCTSTR folder) {
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    HANDLE out[2] = {}, err[2] = {};    // the ends read here, the ends written there
    EXPECT_TRUE(CreatePipe(&out[0], &out[1], &inherited, 4096) && CreatePipe(&err[0], &err[1], &inherited, 1 << 20));
    STARTUPINFO si = {};
    si.cb = sizeof(si), si.dwFlags = STARTF_USESTDHANDLES, si.hStdOutput = out[1], si.hStdError = err[1];
    CString line = _T("DorvaneCmd ") + args;
    PROCESS_INFORMATION pi = {};
    EXPECT_TRUE(CreateProcess(Exe(), line.GetBuffer(line.GetLength()), nullptr, nullptr, TRUE, flags, nullptr, folder,
                              &si, &pi)) << testsupport::Narrow(Exe());
    for (HANDLE written : {out[1], err[1], pi.hThread}) CloseHandle(written);
    return {pi.hProcess, out[0], err[0]};
}

Finished Finish(const Started& cmd) {
    Finished end = {0, ReadAll(cmd.out), ReadAll(cmd.err)};
    WaitForSingleObject(cmd.process, INFINITE), GetExitCodeProcess(cmd.process, &end.exit);
    CloseHandle(cmd.process);
    return end;
}

// Paths of any length in extended-length form, and the form shown to people.
#include "stamping/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

// The extended-length form of paths no test folder can be, and the form shown in messages. Only
// "." and ".." are resolved: a name ending in a dot or a blank stays as it is. A text that is no
// path gives nothing, and the reason: an empty one, one longer than 32,767 characters made absolute.
TEST(LongPath, ExtendedLengthFormAndTheFormShown) {
    TCHAR current[MAX_PATH];
    const CString folder = CString(GetCurrentDirectory(MAX_PATH, current) ? current : _T("?")) + _T("\\");
    const CString longest(std::basic_string<TCHAR>(32767 - 4 - folder.GetLength(), 'a'));    // "\\?\" + folder + it
    const CString cases[][3] = {
        {_T("C:/Data/x/../.\\a"), _T("\\\\?\\C:\\Data\\a"), _T("C:\\Data\\a")},
        {_T("a"), _T("\\\\?\\") + folder + _T("a"), folder + _T("a")},
        {_T("\\\\server\\share\\a"), _T("\\\\?\\UNC\\server\\share\\a"), _T("\\\\server\\share\\a")},
        {_T("\\\\?\\C:\\Data\\..\\a."), _T("\\\\?\\C:\\Data\\..\\a."), _T("C:\\Data\\..\\a.")},
        {_T("C:\\Data\\abc.\\x\\..\\b. \\"), _T("\\\\?\\C:\\Data\\abc.\\b. \\"), _T("C:\\Data\\abc.\\b. \\")},
        {_T("\\\\.\\COM1"), _T("\\\\.\\COM1"), _T("\\\\.\\COM1")}, {_T("\\\\?\\"), _T("\\\\?\\"), _T("\\\\?\\")},
        {longest, _T("\\\\?\\") + folder + longest, folder + longest}, {longest + _T("a"), _T(""), _T("")},
        {_T(""), _T(""), _T("")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testsupport::Narrow(c[0]).substr(0, 60));
        EXPECT_EQ(ToExtendedLengthPath(c[0]), c[1]);
        const DWORD noPath = c[0].IsEmpty() ? ERROR_PATH_NOT_FOUND : ERROR_FILENAME_EXCED_RANGE;
        EXPECT_EQ(GetLastError(), c[1].IsEmpty() ? noPath : GetLastError());
        EXPECT_EQ(FromExtendedLengthPath(c[1]), c[2]);
    }
}

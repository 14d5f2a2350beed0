// Paths of any length in extended-length form, and the form shown to people.
#include "framework/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

// The extended-length form of paths no test folder can be, and the form shown in messages.
TEST(LongPath, ExtendedLengthFormAndTheFormShown) {
    TCHAR current[MAX_PATH];
    const CString here = CString(GetCurrentDirectory(MAX_PATH, current) ? current : _T("?")) + _T("\\a");
    const CString cases[][3] = {
        {_T("C:/Data/x/../.\\a"), _T("\\\\?\\C:\\Data\\a"), _T("C:\\Data\\a")}, {_T("a"), _T("\\\\?\\") + here, here},
        {_T("\\\\server\\share\\a"), _T("\\\\?\\UNC\\server\\share\\a"), _T("\\\\server\\share\\a")},
        {_T("\\\\?\\C:\\Data\\..\\a."), _T("\\\\?\\C:\\Data\\..\\a."), _T("C:\\Data\\..\\a.")},
        {_T("\\\\.\\COM1"), _T("\\\\.\\COM1"), _T("\\\\.\\COM1")}, {_T(""), _T(""), _T("")}};
    for (const auto& c : cases) {
        EXPECT_EQ(ToExtendedLengthPath(c[0]), c[1]);
        EXPECT_EQ(FromExtendedLengthPath(c[1]), c[2]);
    }
}

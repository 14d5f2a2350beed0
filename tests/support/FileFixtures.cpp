#include "tests/support/FileFixtures.h"

#include "tests/support/TestSupport.h"

namespace testsupport
{
CString MakeDeepFolder(const CString& base, int minLength)
{
    CString path = base;
    for (int level = 0; path.GetLength() <= minLength; ++level)
    {
        CString name;
        name.Format(_T("level%02d-"), level);
        path += _T("\\") + name + CString(_T('x'), 40 - name.GetLength());
    }
    MakeFolder(path);
    return path;
}

CString NonAnsiName(LPCTSTR suffix)
{
    return CString(_T("\u0391\u03b8\u03ae\u03bd\u03b1-\u6771\u4eac-\u5317\u4eac")) + suffix;
}
}

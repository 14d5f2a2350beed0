#include "framework/CString.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(CString, TrimsWhiteSpaceAtEitherEndOnly)
{
    CString text(_T(" \t C:\\My Files \r\n"));
    text.TrimLeft();
    EXPECT_EQ(text, CString(_T("C:\\My Files \r\n")));
    text.TrimRight();
    EXPECT_EQ(text, CString(_T("C:\\My Files")));

    CString blanks(_T("   \t "));
    blanks.TrimLeft().TrimRight();
    EXPECT_TRUE(blanks.IsEmpty());
    EXPECT_EQ(blanks.GetLength(), 0);
}

TEST(CString, FormatPassesStringsAndNumbers)
{
    CString name(_T("File"));
    CString text;
    text.Format(_T("%s%d-%s"), name, 7, _T("x"));
    EXPECT_EQ(text, CString(_T("File7-x")));

    CString longText;
    longText.Format(_T("%s"), CString(_T('a'), 5000));
    EXPECT_EQ(longText.GetLength(), 5000);
}

TEST(CString, ComparesExactlyOrIgnoringCase)
{
    CString path(_T("C:\\Data"));
    EXPECT_NE(path.Compare(_T("c:\\data")), 0);
    EXPECT_EQ(path.CompareNoCase(_T("c:\\DATA")), 0);
    EXPECT_LT(path.CompareNoCase(_T("c:\\datb")), 0);
    EXPECT_TRUE(path == _T("C:\\Data"));
    EXPECT_TRUE(CString() == _T(""));
    EXPECT_TRUE(CString(static_cast<LPCTSTR>(nullptr)).IsEmpty());
}

TEST(CString, PiecesAndBuffers)
{
    CString path(_T("C:\\Data\\a.txt"));
    EXPECT_EQ(path.Left(2), CString(_T("C:")));
    EXPECT_EQ(path.Right(5), CString(_T("a.txt")));
    EXPECT_EQ(path.Mid(3, 4), CString(_T("Data")));
    EXPECT_EQ(path.Mid(30), CString());
    EXPECT_EQ(path.ReverseFind(_T('\\')), 7);
    EXPECT_EQ(path.Find(_T("Data")), 3);
    EXPECT_EQ(path.Find(_T('z')), -1);

    CString buffer;
    DWORD length = GetEnvironmentVariable(_T("SystemRoot"), buffer.GetBuffer(MAX_PATH), MAX_PATH + 1);
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer.GetLength(), static_cast<int>(length));
}

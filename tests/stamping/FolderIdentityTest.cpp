#include "framework/LongPath.h"
#include "stamping/FolderIdentity.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UnixSide.h"

#include <cstdio>

#include <gtest/gtest.h>

// A folder is known by its volume and file index, not by the text that
// names it: a second name for it, through a link or in other letter case,
// is refused like the first.
TEST(CFolderIdentity, EntersEachFolderOnceWhateverItIsCalled)
{
    testsupport::TempDir dir;
    testsupport::MakeFolder(dir / _T("sub"));
    CString root = ToExtendedLengthPath(dir.Path());
    CString sub = ToExtendedLengthPath(dir / _T("sub"));

    CFolderIdentity entered;
    EXPECT_TRUE(entered.Enter(root));
    EXPECT_FALSE(entered.Enter(root));
    EXPECT_TRUE(entered.Enter(sub));
    CString upper = sub;
    upper.MakeUpper();
    EXPECT_FALSE(entered.Enter(upper));

    testsupport::FolderLink link(dir / _T("link"), dir / _T("sub"));
    if (link.IsMade())
    {
        EXPECT_FALSE(entered.Enter(ToExtendedLengthPath(dir / _T("link"))));
    }
    else
    {
        std::printf("[   NOTE   ] no directory symbolic links here: the link case is not checked\n");
    }
}

// Without an identity there is nothing to compare: such a folder is entered.
TEST(CFolderIdentity, FolderWithoutIdentityIsEntered)
{
    testsupport::TempDir dir;
    CString missing = ToExtendedLengthPath(dir / _T("missing"));
    CFolderIdentity entered;
    EXPECT_TRUE(entered.Enter(missing));
    EXPECT_TRUE(entered.Enter(missing));
}

#include <gtest/gtest.h>

#include "app/Handover.h"
#include "app/SingleInstance.h"

using namespace replika;

TEST(ScannerCopyCmdLine, LeftPartLowerCasedAndRenamedRightPartKept)
{
    CString cstrOut;
    ASSERT_TRUE(BuildScannerCopyCmdLine("\"C:\\Program Files\\QV\\QVKCopy2.EXE\" -n \"#QV#Scan Jet#AB12\" -X",
                                        cstrOut));
    EXPECT_STREQ("\"c:\\program files\\qv\\qvfcCopy.exe\" -n \"#QV#Scan Jet#AB12\" -X", cstrOut);
}

TEST(ScannerCopyCmdLine, SplitsAtTheFirstDashN)
{
    CString cstrOut;
    ASSERT_TRUE(BuildScannerCopyCmdLine("C:\\QV\\QVKCopy2.exe /A-nB -n #A#B#C", cstrOut));
    EXPECT_STREQ("c:\\qv\\qvfcCopy.exe /a-nB -n #A#B#C", cstrOut);
    // A folder name with "-n" puts the program name right of the split: no hand-over.
    EXPECT_FALSE(BuildScannerCopyCmdLine("C:\\my-nice\\QVKCopy2.exe -n #A#B#C", cstrOut));
}

TEST(ScannerCopyCmdLine, FailsWithoutTheProgramNameOnTheLeft)
{
    CString cstrOut = "unchanged";
    EXPECT_FALSE(BuildScannerCopyCmdLine("C:\\other\\copy.exe -n #A#B#C", cstrOut));
    EXPECT_FALSE(BuildScannerCopyCmdLine("C:\\x\\tool.exe -n qvkcopy2.exe", cstrOut));
    EXPECT_STREQ("unchanged", cstrOut);
}

TEST(HubletParameters, QuotedContextIDAndScanCopyFlags)
{
    char szParams[MAX_PATH];
    ASSERT_TRUE(BuildHubletParameters("#QV#Jet 2140#SIM1", szParams, sizeof(szParams)));
    EXPECT_STREQ("-n\"#QV#Jet 2140#SIM1\" -aSCAN -fCOPY", szParams);
}

TEST(HubletParameters, RefusesAContextIDThatDoesNotFit)
{
    char szParams[MAX_PATH];
    // 18 characters besides the context ID: 241 fit, 242 do not.
    EXPECT_TRUE(BuildHubletParameters(CString('x', 241), szParams, sizeof(szParams)));
    EXPECT_FALSE(BuildHubletParameters(CString('x', 242), szParams, sizeof(szParams)));
}

TEST(InstanceNames, FixedPrefixFollowedByTheContextID)
{
    EXPECT_STREQ("{5B1D3E70-2A44-4C19-8E6F-0D7A93C2B418}#QV#Jet#1", InstanceMutexName("#QV#Jet#1"));
    EXPECT_STREQ("{A7C24F19-3D58-4B07-9E21-6F4B0C8D5E93}#QV#Jet#1", InstanceProbeMessageName("#QV#Jet#1"));
}

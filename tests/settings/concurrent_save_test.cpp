// Two processes saving the same settings file over and over: every save is
// whole, so the file always holds one complete record.
#include "settings_test_util.h"

#include "dialog/RKCopyState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

extern char g_szDefaultFileName[MAX_PATH];
extern char g_szFactoryFileName[MAX_PATH];

using namespace settings_test;

namespace
{

const int kSavesPerProcess = 100;
const char kChildSeed[] = "QV_SETTINGS_CHILD_SEED";
const char kChildStart[] = "QV_SETTINGS_CHILD_START";

// The whole record follows from the seed, so a mixed file is easy to tell.
void FillFromSeed(CRKCopyState& s, int nSeed)
{
    snprintf(s.strCtxID, sizeof(s.strCtxID), "#QV#Writer#%d", nSeed);
    lstrcpynA(s.strModality, nSeed == 1 ? "first" : "second", STATE_TEXT_LEN);
    s.pStartLoc.x = nSeed * 11;
    s.pStartLoc.y = nSeed * 13;
    s.bMirror = nSeed % 2;
    s.bPoster = 1 - nSeed % 2;
    s.nBrightness = nSeed * 17;
    s.nQuality = nSeed;
    s.nSpecialFeatureMode = nSeed * 19;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = (i + nSeed) % 2;
}

// Run by the parent as a child process; skipped in ordinary runs.
TEST(ConcurrentSaveChild, DISABLED_SavesRepeatedly)
{
    const char* pszFile = getenv(kChildFile);
    const char* pszSeed = getenv(kChildSeed);
    const char* pszStart = getenv(kChildStart);
    ASSERT_TRUE(pszFile && pszSeed && pszStart);
    // Both children begin together, so their saves overlap.
    HANDLE hStart = OpenEventA(SYNCHRONIZE, FALSE, pszStart);
    ASSERT_NE(hStart, nullptr);
    ASSERT_EQ(WaitForSingleObject(hStart, 60000), WAIT_OBJECT_0);
    CloseHandle(hStart);
    lstrcpynA(g_szDefaultFileName, "DQVSHARED.xml", MAX_PATH);
    CRKCopyState s;
    FillFromSeed(s, atoi(pszSeed));
    for (int i = 0; i < kSavesPerProcess; ++i)
        ASSERT_EQ(s.SaveSettings(pszFile), 1) << "save " << i;
}

HANDLE StartChild(const std::string& file, int nSeed, const char* pszStartEvent)
{
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, sizeof(szExe));
    SetEnvironmentVariableA(kChildFile, file.c_str());
    SetEnvironmentVariableA(kChildSeed, nSeed == 1 ? "1" : "2");
    SetEnvironmentVariableA(kChildStart, pszStartEvent);
    std::string command = std::string("\"") + szExe +
                          "\" --gtest_also_run_disabled_tests --gtest_filter=ConcurrentSaveChild.*";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    SetEnvironmentVariableA(kChildFile, NULL);
    SetEnvironmentVariableA(kChildSeed, NULL);
    SetEnvironmentVariableA(kChildStart, NULL);
    if (!bStarted)
        return NULL;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

TEST(ConcurrentSave, TwoProcessesLeaveOneWholeRecord)
{
    ScratchFolder folder;
    std::string file = folder.Path("DQVSHARED.xml");
    WriteBytes(file, DefaultDocument());

    char szStartEvent[64];
    snprintf(szStartEvent, sizeof(szStartEvent), "QVSettingsTestStart_%lu", GetCurrentProcessId());
    HANDLE hStart = CreateEventA(NULL, TRUE, FALSE, szStartEvent);
    ASSERT_NE(hStart, nullptr);
    HANDLE children[2] = {StartChild(file, 1, szStartEvent), StartChild(file, 2, szStartEvent)};
    SetEvent(hStart);
    ASSERT_NE(children[0], nullptr);
    ASSERT_NE(children[1], nullptr);
    DWORD dwWait = WaitForMultipleObjects(2, children, TRUE, 300000);
    CloseHandle(hStart);
    ASSERT_EQ(dwWait, WAIT_OBJECT_0);
    for (HANDLE hChild : children)
    {
        DWORD dwExit = 1;
        GetExitCodeProcess(hChild, &dwExit);
        EXPECT_EQ(dwExit, 0u);
        CloseHandle(hChild);
    }

    CRKCopyState loaded;
    ASSERT_EQ(loaded.GetSettings(file.c_str()), 1);
    int nSeed = loaded.nQuality;
    ASSERT_TRUE(nSeed == 1 || nSeed == 2) << nSeed;
    CRKCopyState expected;
    FillFromSeed(expected, nSeed);
    EXPECT_STREQ(loaded.strCtxID, expected.strCtxID);
    EXPECT_STREQ(loaded.strModality, expected.strModality);
    EXPECT_EQ(loaded.pStartLoc.x, expected.pStartLoc.x);
    EXPECT_EQ(loaded.pStartLoc.y, expected.pStartLoc.y);
    EXPECT_EQ(loaded.bMirror, expected.bMirror);
    EXPECT_EQ(loaded.bPoster, expected.bPoster);
    EXPECT_EQ(loaded.nBrightness, expected.nBrightness);
    EXPECT_EQ(loaded.nSpecialFeatureMode, expected.nSpecialFeatureMode);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(loaded.bEnableXDL[i], expected.bEnableXDL[i]) << "flag " << i;
    EXPECT_STREQ(loaded.strFileName, "DQVSHARED.xml");
    std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.compare(0, 23, "<?xml version=\"1.0\"?>\r\n"), 0);
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "\r\n</State>");
    EXPECT_EQ(folder.Files().size(), 1u) << "no temporary file is left behind";
}

} // namespace

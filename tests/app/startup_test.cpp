// Start-up paths, each run as the real program in a child process against the stand-ins.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "child_app.h"
#include "res/resource.h"

namespace {

std::string ProgramPath()
{
    return BinFolder() + "\\qvkcopy2.exe";
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return (char)tolower(c); });
    return s;
}

std::string Caption(const std::string& suffix)
{
    return LoadResString(IDS_CAPTION) + suffix;
}

HWND Item(HWND hDlg, int nID)
{
    return GetDlgItem(hDlg, nID);
}

} // namespace

TEST(Startup, ScannerOnlyHandsTheLowerCasedCommandLineToQvfcCopy)
{
    SimFolder sim;
    std::string cmd = "\"" + ProgramPath() + "\" -n \"#QV#Scan Jet#S1\" -Extra";
    // Only the program's own name is written in capitals, to see it lower-cased and renamed.
    size_t nName = cmd.find("qvkcopy2.exe");
    ASSERT_NE(std::string::npos, nName);
    cmd.replace(nName, 12, "QVKCopy2.EXE");
    ChildApp app = ChildApp::WithCommandLine(cmd);
    ASSERT_TRUE(app.Started());
    EXPECT_TRUE(app.WaitForExit());

    std::string expected = Lower("\"" + BinFolder() + "\\") + "qvfcCopy.exe\" -n \"#QV#Scan Jet#S1\" -Extra";
    EXPECT_EQ("qvfcCopy.exe\t" + expected + "\r\n", sim.WaitForLaunchLog());
}

TEST(Startup, ScannerOnlyWithoutTheProgramNameLeftOfDashNShowsMessage306)
{
    SimFolder sim;
    // The folder name holds the first "-n": the part left of it names no qvkcopy2.exe.
    ChildApp app = ChildApp::WithForeignCommandLine("C:\\my-nice\\qvkcopy2.exe -n #QV#Scan#S2");
    HWND hDlg = app.WaitForWindow();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ("QV Copy", WindowText(hDlg));
    EXPECT_EQ(LoadResString(IDS_ERR_NOT_RESPONDING), WindowText(Item(hDlg, IDC_STATUS_MESSAGE)));
    EXPECT_TRUE(IsWindowVisible(Item(hDlg, IDC_BTN_SINGLE)));
    PostMessageA(Item(hDlg, IDC_BTN_SINGLE), BM_CLICK, 0, 0);
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_EQ("", sim.LaunchLog());
}

TEST(Startup, CtxIDWinsOverDashNAndShowsTheDialogTitledWithTheFriendlyName)
{
    SimFolder sim;
    sim.WriteIni("contexts.ini", "#QV#Jet 2140#W1", "FriendlyName", "Office Jet");
    ChildApp app("-n x -CtxID \"#QV#Jet 2140#W1\"");
    HWND hDlg = app.WaitForWindow();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(Caption(" Office Jet"), WindowText(hDlg));
    EXPECT_EQ("", sim.LaunchLog());
}

TEST(Startup, FriendlyNameFailureFallsBackToTheProductName)
{
    SimFolder sim;
    sim.WriteIni("contexts.ini", "#QV#Jet 3300#F1", "FailExpand", "1");
    ChildApp app("-CtxID \"#QV#Jet 3300#F1\"");
    HWND hDlg = app.WaitForWindow();
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(Caption(" Jet 3300"), WindowText(hDlg));
}

TEST(Startup, CopyModeThreeHandsOverToTheHubletLauncher)
{
    SimFolder sim;
    sim.WriteIni("contexts.ini", "#QV#Hub 10#H1", "CopyMode", "3");
    ChildApp app("-CtxID \"#QV#Hub 10#H1\"");
    ASSERT_TRUE(app.WaitForExit());
    std::string log = sim.WaitForLaunchLog();
    EXPECT_EQ(0u, log.find("qvkhblt.exe\t")) << log;
    EXPECT_NE(std::string::npos, Lower(log).find(Lower(BinFolder() + "\\qvkhblt.exe"))) << log;
    std::string params = "-n\"#QV#Hub 10#H1\" -aSCAN -fCOPY\r\n";
    ASSERT_GE(log.size(), params.size());
    EXPECT_EQ(params, log.substr(log.size() - params.size())) << log;
}

TEST(Startup, CopyModeThreeUnderAnotherProgramNameStillEndsWithoutTheDialog)
{
    SimFolder sim;
    sim.WriteIni("contexts.ini", "#QV#Hub 10#H2", "CopyMode", "3");
    // Under another name the program knows no launcher path: the launch fails, the hand-over stands.
    std::string renamed = sim.Path() + "\\copyapp.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), renamed.c_str(), FALSE));
    ChildApp app = ChildApp::WithCommandLine("\"" + renamed + "\" -CtxID \"#QV#Hub 10#H2\"");
    EXPECT_EQ(nullptr, app.WaitForWindow());
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_EQ("", sim.LaunchLog());
}

TEST(Startup, SecondStartForTheSameContextRestoresTheFirstAndEnds)
{
    SimFolder sim;
    ChildApp first("-CtxID #QV#Jet#SAME");
    HWND hFirst = first.WaitForWindow();
    ASSERT_NE(nullptr, hFirst);
    ShowWindow(hFirst, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(hFirst));

    ChildApp second("-CtxID #QV#Jet#SAME");
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_FALSE(IsIconic(hFirst));
    EXPECT_TRUE(first.Running());
}

TEST(Startup, AnotherContextRunsBesideTheFirst)
{
    SimFolder sim;
    ChildApp first("-CtxID #QV#Jet#ONE");
    ASSERT_NE(nullptr, first.WaitForWindow());
    ChildApp second("-CtxID #QV#Jet#TWO");
    ASSERT_NE(nullptr, second.WaitForWindow());
    EXPECT_TRUE(first.Running());
}

TEST(Startup, DeviceNotAnsweringShowsMessage306AndEndsOnOK)
{
    SimFolder sim;
    sim.WriteIni("devices.ini", "#QV#Jet 2140#DOWN", "Reachable", "0");
    sim.WriteIni("contexts.ini", "#QV#Jet 2140#DOWN", "FriendlyName", "Desk Jet");
    ChildApp app("-CtxID \"#QV#Jet 2140#DOWN\"");
    HWND hDlg = app.WaitForWindow();
    ASSERT_NE(nullptr, hDlg);

    EXPECT_EQ(Caption(" Desk Jet"), WindowText(hDlg));
    EXPECT_EQ(LoadResString(IDS_ERR_NOT_RESPONDING), WindowText(Item(hDlg, IDC_STATUS_MESSAGE)));
    EXPECT_TRUE(IsWindowVisible(Item(hDlg, IDC_BTN_SINGLE)));
    EXPECT_EQ(LoadResString(IDS_OK), WindowText(Item(hDlg, IDC_BTN_SINGLE)));
    EXPECT_FALSE(IsWindowVisible(Item(hDlg, IDC_BTN_CONTINUE)));
    EXPECT_FALSE(IsWindowVisible(Item(hDlg, IDC_BTN_CANCEL)));

    PostMessageA(Item(hDlg, IDC_BTN_SINGLE), BM_CLICK, 0, 0);
    EXPECT_TRUE(app.WaitForExit());
}

TEST(Startup, EmptyContextIDEndsWithoutAWindow)
{
    SimFolder sim;
    ChildApp app("-CtxID");
    EXPECT_EQ(nullptr, app.WaitForWindow());
    EXPECT_TRUE(app.WaitForExit());
}

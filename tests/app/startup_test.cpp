// Start-up paths, each run as the real program in a child process against the stand-ins.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/testlib.h"
#include "res/resource.h"

using qvtest::BinFolder;
using qvtest::ChildProcess;
using qvtest::ProgramCommand;
using qvtest::ResString;
using qvtest::SimFolder;
using qvtest::WindowText;

namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return (char)tolower(c); });
    return s;
}

std::string ProgramPath() { return qvtest::BesideExe("qvkcopy2.exe"); }

}  // namespace

TEST(Startup, ScannerOnlyHandsTheLowerCasedCommandLineToQvfcCopy)
{
    SimFolder sim;
    ChildProcess app("\"" + BinFolder() + "\\QVKCopy2.EXE\" -n \"#QV#Scan Jet#S1\" -Extra");
    ASSERT_TRUE(app.WaitForExit());
    std::string expected = Lower("\"" + BinFolder()) + "\\qvfcCopy.exe\" -n \"#QV#Scan Jet#S1\" -Extra";
    EXPECT_EQ("qvfcCopy.exe\t" + expected + "\r\n", sim.WaitForLaunchLog());
}

TEST(Startup, CopyModeThreeHandsOverToTheHubletLauncher)
{
    SimFolder sim;
    sim.WriteIni("contexts.ini", "#QV#Hub 10#H1", "CopyMode", "3");
    ChildProcess app(ProgramCommand("-CtxID \"#QV#Hub 10#H1\""));
    ASSERT_TRUE(app.WaitForExit());
    std::string log = sim.WaitForLaunchLog();
    EXPECT_EQ(0u, log.find("qvkhblt.exe\t")) << log;
    EXPECT_NE(std::string::npos, Lower(log).find(Lower(BinFolder() + "\\qvkhblt.exe"))) << log;
    std::string params = "-n\"#QV#Hub 10#H1\" -aSCAN -fCOPY\r\n";
    EXPECT_EQ(params, log.substr(log.size() - std::min(log.size(), params.size()))) << log;
}

// The first window: the copy dialog titled with the friendly name (else the product name), or
// message 306 with one OK button that ends the program.
TEST(Startup, TheFirstWindowAndItsTitle)
{
    const std::string copyTitle = ResString(IDS_CAPTION);
    const struct
    {
        std::string cmdLine;
        const char *pszFile, *pszCtxID, *pszKey, *pszValue;  // no file: nothing to set
        std::string title;
        bool bNotResponding;
    } rows[] = {
        {ProgramCommand("-n x -CtxID \"#QV#Jet 2140#W1\""), "contexts.ini", "#QV#Jet 2140#W1", "FriendlyName",
         "Office Jet", copyTitle + " Office Jet", false},
        {ProgramCommand("-CtxID \"#QV#Jet 3300#F1\""), "contexts.ini", "#QV#Jet 3300#F1", "FailExpand", "1",
         copyTitle + " Jet 3300", false},
        {ProgramCommand("-CtxID \"#QV#Jet 2140#DOWN\""), "devices.ini", "#QV#Jet 2140#DOWN", "Reachable", "0",
         copyTitle + " Jet 2140", true},
        // The folder name holds the first "-n": the part left of it names no qvkcopy2.exe.
        {"C:\\my-nice\\qvkcopy2.exe -n #QV#Scan#S2", nullptr, "", "", "", "QV Copy", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cmdLine);
        SimFolder sim;
        if (row.pszFile)
            sim.WriteIni(row.pszFile, row.pszCtxID, row.pszKey, row.pszValue);
        ChildProcess app(row.cmdLine, false, ProgramPath().c_str());
        HWND hDlg = app.WaitForWindow();
        ASSERT_NE(nullptr, hDlg);
        EXPECT_EQ(row.title, WindowText(hDlg));
        EXPECT_EQ("", sim.LaunchLog());
        if (!row.bNotResponding)
            continue;
        EXPECT_EQ(ResString(IDS_ERR_NOT_RESPONDING), WindowText(GetDlgItem(hDlg, IDC_STATUS_MESSAGE)));
        HWND hSingle = GetDlgItem(hDlg, IDC_BTN_SINGLE);
        EXPECT_TRUE(IsWindowVisible(hSingle));
        EXPECT_EQ(ResString(IDS_OK), WindowText(hSingle));
        PostMessageA(hSingle, BM_CLICK, 0, 0);
        EXPECT_TRUE(app.WaitForExit());
    }
}

TEST(Startup, EndsSilentlyWithoutAContextIDOrAfterAFailedHubletHandOver)
{
    SimFolder sim;
    sim.WriteIni("contexts.ini", "#QV#Hub 10#H2", "CopyMode", "3");
    // Under another name the program knows no launcher path: the launch fails, the hand-over stands.
    std::string renamed = sim.File("copyapp.exe");
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), renamed.c_str(), FALSE));
    for (const std::string& cmdLine : {ProgramCommand("-CtxID"), "\"" + renamed + "\" -CtxID \"#QV#Hub 10#H2\""}) {
        SCOPED_TRACE(cmdLine);
        ChildProcess app(cmdLine);
        EXPECT_EQ(nullptr, app.WaitForWindow());
        EXPECT_TRUE(app.WaitForExit());
    }
    EXPECT_EQ("", sim.LaunchLog());
}

// A second start with the same ID restores the first dialog and ends; one with another ID runs.
// Long IDs and backslashes make names the system refuses unless they are shortened.
TEST(Startup, OneDialogPerContextIDOfAnyLength)
{
    const std::string id220 = "#QV#Jet#" + std::string(212, 'M'), id259 = "#QV#Jet#" + std::string(251, 'L');
    const struct
    {
        std::string ctxID, other;
    } rows[] = {
        {"#QV#Jet#ONE", "#QV#Jet#TWO"},
        {id220, id220.substr(0, 219) + "N"},  // too long for a message name
        {id259, id259.substr(0, 258) + "N"},  // too long for a mutex name
        {"#QV#\\..\\..\\evil#SIM0001", "#QV#_.._.._evil#SIM0001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ctxID.substr(0, 40));
        SimFolder sim;
        ChildProcess first(ProgramCommand("-CtxID \"" + row.ctxID + "\""));
        HWND hFirst = first.WaitForWindow();
        ASSERT_NE(nullptr, hFirst) << first.State();
        ShowWindow(hFirst, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(hFirst));

        ChildProcess same(ProgramCommand("-CtxID \"" + row.ctxID + "\""));
        ASSERT_TRUE(same.WaitForExit());
        EXPECT_FALSE(IsIconic(hFirst));

        ChildProcess other(ProgramCommand("-CtxID \"" + row.other + "\""));
        EXPECT_NE(nullptr, other.WaitForWindow()) << other.State();
        EXPECT_TRUE(first.Running());
    }
}

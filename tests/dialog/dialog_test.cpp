// The copy dialog end to end: the real program under Wine against the simulated device,
// driven from this process.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "DialogDriver.h"
#include "res/resource.h"

using dlgtest::CopyProgram;
using dlgtest::Device;
using dlgtest::WaitUntil;
using qvtest::ReadBytes;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
int Count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The text of the first element of that name, e.g. Element(file, "X").
std::string Element(const std::string& xml, const std::string& name)
{
    size_t from = xml.find("<" + name + ">"), to = xml.find("</" + name + ">");
    return from == std::string::npos || to == std::string::npos
               ? ""
               : xml.substr(from + name.size() + 2, to - from - name.size() - 2);
}

// Starts the program for the device, waits for its dialog, lets `work` act on it and closes it.
void RunDialog(const Device& device, const std::function<void(CopyProgram&)>& work = nullptr)
{
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    if (work)
        work(program);
    DWORD dwExit = 1;
    EXPECT_TRUE(program.Close(&dwExit));
    EXPECT_EQ(0u, dwExit);
}

}  // namespace

TEST(CopyDialog, FirstUseMakesBothFilesKeepingAnUnreadableOneAndALaterStartLoadsThem)
{
    const struct
    {
        const char* pszOldDefault;  // "": leave the file as the run before left it
        bool bFirstUse;
    } rows[] = {{"", true}, {"<State><nNbrCopies>", true}, {"", false}};
    Device device("FIRST1");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszOldDefault);
        DeleteFileA((device.DefaultFile() + ".bad").c_str());
        if (*row.pszOldDefault)
            qvtest::WriteBytes(device.DefaultFile(), row.pszOldDefault);
        size_t logStart = device.Log().size();
        RunDialog(device);
        std::string log = device.Log().substr(logStart), factory = ReadBytes(device.FactoryFile());
        EXPECT_EQ("DFIRST1.xml", Element(ReadBytes(device.DefaultFile()), "strFileName"));
        EXPECT_EQ("FFIRST1.xml", Element(factory, "strFileName"));
        EXPECT_EQ(device.CtxID(), Element(factory, "strCtxID"));
        EXPECT_EQ(row.bFirstUse, Has(log, "First time user, GetSettings failed")) << log;
        EXPECT_EQ(row.bFirstUse, Has(log, "Succesfully written to factory XML")) << log;
        EXPECT_EQ(!row.bFirstUse, Has(log, "Loaded settings from default XML file")) << log;
        EXPECT_EQ(row.pszOldDefault, ReadBytes(device.DefaultFile() + ".bad"));
        EXPECT_EQ(*row.pszOldDefault != 0, Has(log, device.DefaultFile() + ".bad")) << log;
    }
}

TEST(CopyDialog, AHostileDeviceIDNamesFilesInsideTheSettingsFolderOnly)
{
    Device device("x\\..\\..\\X1");
    RunDialog(device);
    const std::string outside = dlgtest::AppDataFolder() + "\\QV\\X1.xml";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(outside.c_str()));
    DeleteFileA(outside.c_str());
    for (const char* pszKind : {"\\D", "\\F"}) {
        std::string inside = dlgtest::SettingsFolder() + pszKind + "x_.._.._X1.xml";
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(inside.c_str())) << inside;
        DeleteFileA(inside.c_str());
    }
}

TEST(CopyDialog, AFailedStartShowsItsMessageOnceAndEndsTheProgram)
{
    const struct
    {
        const char *pszFailure, *pszLogged;
    } rows[] = {{"InitProtocol", "Failed to initialize API layer"}, {"GetCapabilities", "Failed to Initialize Combos"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszFailure);
        Device device("FAIL1", std::string("[Failures]\r\n") + row.pszFailure + "=0x80004005\r\n");
        CopyProgram program(device.CtxID());
        HWND hStatus = program.WaitForWindowWith(IDC_BTN_SINGLE);
        ASSERT_NE(nullptr, hStatus);
        EXPECT_EQ(dlgtest::ResString(IDS_ERR_NOT_RESPONDING),
                  qvtest::WindowText(GetDlgItem(hStatus, IDC_STATUS_MESSAGE)));
        EXPECT_EQ(0u, qvtest::WindowText(hStatus).find(dlgtest::ResString(IDS_CAPTION)));
        PostMessageA(GetDlgItem(hStatus, IDC_BTN_SINGLE), BM_CLICK, 0, 0);
        ASSERT_TRUE(program.Process().WaitForExit());
        EXPECT_EQ(0u, program.Process().ExitCode());
        EXPECT_EQ(1, Count(device.Log(), row.pszLogged)) << device.Log();
        EXPECT_EQ("", ReadBytes(device.FactoryFile()));  // nothing written
    }
}

TEST(CopyDialog, DeviceEventsCountForTheOwnContextOnlyButBusyAlwaysSwitchesTheDisplay)
{
    Device device("EVT1");
    const std::string kCustomSize = "OnRbnCustomSize() - - Entering";  // run by the status thread on a feeder event
    RunDialog(device, [&](CopyProgram& program) {
        const std::string own = device.CtxID();
        const bool bFitToPageAtStart = program.Enabled(IDC_RBN_FIT_TO_PAGE);
        const struct
        {
            const char* pszEvent;  // null: qvsimctl's command
            std::string sender;    // the context text, or the command
            WPARAM wParam;
            bool bBusyShown, bTaken;
        } rows[] = {
            {"Device_s_Busy_", "#QV#Other#Z9", 1, true, false},
            {"Device_s_Busy_", "#QV#Other#Z9", 0, false, false},
            {"Paper_In_ADF_", "#QV#Other#Z9", 0, false, false},
            {"Paper_In_ADF_", own + "X", 0, false, false},
            {"Paper_In_ADF_", own.substr(0, own.size() - 1), 0, false, false},
            {nullptr, "busy", 0, true, false},
            {nullptr, "busy", 0, true, false},
            {nullptr, "idle", 0, false, false},
            {nullptr, "placed", 0, false, true},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.sender);
            int nCustomSizeRuns = Count(device.Log(), kCustomSize);
            if (row.pszEvent)
                program.SendDeviceEvent(row.pszEvent + own, row.sender, row.wParam);
            else
                ASSERT_EQ(0u, device.Control(row.sender));
            WaitUntil([&] { return program.Visible(IDC_STC_COPY_IN_PROGRESS) == row.bBusyShown; }, 5000);
            WaitUntil([&] { return Count(device.Log(), kCustomSize) > nCustomSizeRuns; }, row.bTaken ? 5000 : 0);
            program.Settle();
            EXPECT_EQ(row.bBusyShown, program.Visible(IDC_STC_COPY_IN_PROGRESS));
            EXPECT_EQ(row.bBusyShown, program.Visible(IDC_STC_BUSY_STRIP));
            EXPECT_EQ(!row.bBusyShown, program.Enabled(IDC_BTN_COLOR) && program.Enabled(IDC_BTN_BLACK));
            EXPECT_EQ(nCustomSizeRuns + (row.bTaken ? 1 : 0), Count(device.Log(), kCustomSize));
            if (!row.bTaken) {  // an ignored feeder event leaves the image-size choices alone
                EXPECT_EQ(bFitToPageAtStart, program.Enabled(IDC_RBN_FIT_TO_PAGE));
            }
        }
        EXPECT_TRUE(Has(device.Log(), "OnPaperInADF:: g_pszCtx:#QV#Other#Z9,m_cstrCtxID:" + own));
    });
}

// Enter runs only the listed captions and Escape never closes. Each key is followed by
// Enter on Restore Factory, whose log record proves the key before it was handled.
TEST(CopyDialog, EnterRunsOnlyTheListedCaptionsAndEscapeNeverCloses)
{
    const struct
    {
        int nFocusID;
        UINT nKey;
        int nRestores;  // the key's own runs of Restore Factory
    } rows[] = {
        {IDC_BTN_RESTORE_FACTORY, VK_RETURN, 1}, {IDC_BTN_SAVE, VK_RETURN, 0},  // "Sa&ve Settings" is not "Sa&ve"
        {IDC_EDB_COPIES, VK_RETURN, 0},          {IDC_BTN_COLOR, VK_RETURN, 0},
        {IDC_EDB_COPIES, VK_ESCAPE, 0},          {IDC_BTN_HELP, VK_ESCAPE, 0}};
    Device device("KEYS1");
    const std::string kRestore = "OnBtnRestoreFactory- Entering", kSave = "OnBtnSave- Entering", kJob = "SubmitCopy";
    RunDialog(device, [&](CopyProgram& program) {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.nFocusID);
            std::string before = device.Log();
            program.PressKey(row.nFocusID, row.nKey);
            program.PressKey(IDC_BTN_RESTORE_FACTORY, VK_RETURN);
            int nExpected = Count(before, kRestore) + row.nRestores + 1;
            EXPECT_TRUE(WaitUntil([&] { return Count(device.Log(), kRestore) >= nExpected; }, 5000));
            EXPECT_EQ(nExpected, Count(device.Log(), kRestore));
            EXPECT_EQ(Count(before, kSave), Count(device.Log(), kSave));
            EXPECT_EQ(Count(before, kJob), Count(device.Log(), kJob));
            EXPECT_TRUE(program.Process().Running());
        }
    });
}

TEST(CopyDialog, SaveWritesTheDefaultFileAndRestoreReadsOnlyTheFactoryFile)
{
    Device device("SAVE1");
    RunDialog(device, [&](CopyProgram& program) {
        SetWindowPos(program.Dialog(), NULL, 61, 47, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rc;
        GetWindowRect(program.Dialog(), &rc);
        program.Click(IDC_BTN_SAVE);
        std::string saved = ReadBytes(device.DefaultFile());
        EXPECT_EQ(std::to_string(rc.left) + "," + std::to_string(rc.top),
                  Element(saved, "X") + "," + Element(saved, "Y"));
        for (bool bFactoryThere : {true, false}) {
            SCOPED_TRACE(bFactoryThere);
            if (!bFactoryThere)
                DeleteFileA(device.FactoryFile().c_str());
            program.Click(IDC_BTN_RESTORE_FACTORY);
            EXPECT_TRUE(Has(device.Log(), bFactoryThere ? "Succesfully written to FactorySettings XML"
                                                        : "Failed to write FactorySettings XML"));
            EXPECT_EQ(saved, ReadBytes(device.DefaultFile()));
        }
    });
}

TEST(CopyDialog, ClosingStoresTheStartLocationUnlessMinimised)
{
    Device device("LOC1");
    for (int nShow : {SW_SHOWNORMAL, SW_MINIMIZE}) {
        SCOPED_TRACE(nShow);
        std::string before, expected;
        RunDialog(device, [&](CopyProgram& program) {
            before = ReadBytes(device.DefaultFile());
            SetWindowPos(program.Dialog(), NULL, 77, 33, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            RECT rc;
            GetWindowRect(program.Dialog(), &rc);
            expected = std::to_string(rc.left) + "," + std::to_string(rc.top);
            ShowWindowAsync(program.Dialog(), nShow);
            EXPECT_TRUE(WaitUntil([&] { return !IsIconic(program.Dialog()) == (nShow == SW_SHOWNORMAL); }, 5000));
        });
        std::string after = ReadBytes(device.DefaultFile());
        if (nShow == SW_MINIMIZE)
            expected = Element(before, "X") + "," + Element(before, "Y");
        EXPECT_EQ(expected, Element(after, "X") + "," + Element(after, "Y"));
    }
}

// Feeder and busy events keep coming while the dialog closes: the program always ends cleanly.
TEST(CopyDialog, EventsDuringClosingNeverHarmTheTeardown)
{
    Device device("DOWN1");
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        std::atomic<bool> bStop(false);
        std::thread events;
        RunDialog(device, [&](CopyProgram&) {
            events = std::thread([&] {
                const char* commands[] = {"placed", "busy", "removed", "idle"};
                for (int i = 0; !bStop; ++i)
                    device.Control(commands[i % 4]);
            });
            Sleep(150 + 40 * round);
        });
        bStop = true;
        events.join();
    }
}

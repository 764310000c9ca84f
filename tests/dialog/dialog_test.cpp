// The copy dialog end to end: the real program under Wine against the simulated device,
// driven from this process.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

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

// The value of a settings element, e.g. Element(file, "X").
std::string Element(const std::string& xml, const std::string& name)
{
    size_t from = xml.find("<" + name + ">"), to = xml.find("</" + name + ">");
    if (from == std::string::npos || to == std::string::npos)
        return "";
    from += name.size() + 2;
    return xml.substr(from, to - from);
}

}  // namespace

TEST(CopyDialog, FirstUseMakesBothFilesAndALaterStartLoadsTheDefaultFile)
{
    const struct
    {
        const char* pszOldDefault;  // null: no file yet
        bool bFirstUse;
    } rows[] = {{nullptr, true}, {"<State><nNbrCopies>", true}, {"", false}};
    Device device("FIRST1");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszOldDefault ? row.pszOldDefault : "(none)");
        if (row.pszOldDefault && *row.pszOldDefault)
            qvtest::WriteBytes(device.DefaultFile(), row.pszOldDefault);
        size_t logStart = device.Log().size();
        CopyProgram program(device.CtxID());
        ASSERT_NE(nullptr, program.WaitForDialog());
        DWORD dwExit = 1;
        ASSERT_TRUE(program.Close(&dwExit));
        EXPECT_EQ(0u, dwExit);
        std::string log = device.Log().substr(logStart);
        std::string defaults = ReadBytes(device.DefaultFile()), factory = ReadBytes(device.FactoryFile());
        EXPECT_EQ("DFIRST1.xml", Element(defaults, "strFileName"));
        EXPECT_EQ("FFIRST1.xml", Element(factory, "strFileName"));
        EXPECT_EQ(device.CtxID(), Element(factory, "strCtxID"));
        EXPECT_EQ(row.bFirstUse, Has(log, "First time user, GetSettings failed")) << log;
        EXPECT_EQ(row.bFirstUse, Has(log, "Succesfully written to factory XML")) << log;
        EXPECT_EQ(!row.bFirstUse, Has(log, "Loaded settings from default XML file")) << log;
        bool bKept = row.pszOldDefault && *row.pszOldDefault;
        EXPECT_EQ(bKept ? row.pszOldDefault : "", ReadBytes(device.DefaultFile() + ".bad"));
        EXPECT_EQ(bKept, Has(log, device.DefaultFile() + ".bad")) << log;
    }
}

// A device ID that would climb out of the settings folder names a file inside it.
TEST(CopyDialog, AHostileDeviceIDNamesFilesInsideTheSettingsFolderOnly)
{
    Device device("x\\..\\..\\X1");
    const std::string outside = dlgtest::AppDataFolder() + "\\QV\\X1.xml";
    {
        CopyProgram program(device.CtxID());
        ASSERT_NE(nullptr, program.WaitForDialog());
        ASSERT_TRUE(program.Close());
    }
    bool bEscaped = GetFileAttributesA(outside.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileA(outside.c_str());
    EXPECT_FALSE(bEscaped);
    std::vector<std::string> made;
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((dlgtest::SettingsFolder() + "\\?x*X1.xml").c_str(), &found);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &found))
        made.push_back(found.cFileName);
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    for (const std::string& name : made)
        DeleteFileA((dlgtest::SettingsFolder() + "\\" + name).c_str());
    EXPECT_EQ(2u, made.size());  // the default and the factory file
}

TEST(CopyDialog, AFailedStartShowsItsMessageOnceAndEndsTheProgram)
{
    const struct
    {
        const char* pszProfile;
        UINT nIDMessage;
        const char* pszLogged;
    } rows[] = {
        {"[Failures]\r\nInitProtocol=0x80004005\r\n", IDS_ERR_NOT_RESPONDING, "Failed to initialize API layer"},
        {"[Failures]\r\nGetCapabilities=0x80004005\r\n", IDS_ERR_NOT_RESPONDING, "Failed to Initialize Combos"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszProfile);
        Device device("FAIL1", row.pszProfile);
        CopyProgram program(device.CtxID());
        HWND hStatus = program.WaitForWindowWith(IDC_BTN_SINGLE);
        ASSERT_NE(nullptr, hStatus);
        EXPECT_EQ(dlgtest::ResString(row.nIDMessage), qvtest::WindowText(GetDlgItem(hStatus, IDC_STATUS_MESSAGE)));
        EXPECT_EQ(0u, qvtest::WindowText(hStatus).find(dlgtest::ResString(IDS_CAPTION)));
        PostMessageA(GetDlgItem(hStatus, IDC_BTN_SINGLE), BM_CLICK, 0, 0);
        ASSERT_TRUE(program.Process().WaitForExit());
        EXPECT_EQ(0u, program.Process().ExitCode());
        EXPECT_EQ(1, Count(device.Log(), row.pszLogged)) << device.Log();
        EXPECT_EQ("", ReadBytes(device.FactoryFile()));  // nothing written
    }
}

TEST(CopyDialog, DeviceEventsCountOnlyForTheDialogsOwnContextButBusyAlwaysSwitches)
{
    Device device("EVT1");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    const std::string own = device.CtxID();
    const struct
    {
        const char* pszEvent;
        std::string sender;
        WPARAM wParam;
        bool bBusyShown, bCustomSize;
    } rows[] = {
        {"Device_s_Busy_", "#QV#Other#Z9", 1, true, false},
        {"Device_s_Busy_", "#QV#Other#Z9", 0, false, false},
        {"Paper_In_ADF_", "#QV#Other#Z9", 0, false, false},
        {"Paper_In_ADF_", own + "X", 0, false, false},  // a longer ID is not ours
        {"Paper_In_ADF_", own.substr(0, own.size() - 1), 0, false, false},
        {"Paper_In_ADF_", own, 0, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.pszEvent) + row.sender);
        program.SendDeviceEvent(row.pszEvent + own, row.sender, row.wParam);
        program.Settle();
        if (row.bCustomSize)  // the status thread checks it
            WaitUntil([&] { return program.Checked(IDC_RBN_CUSTOM_SIZE); }, 5000);
        EXPECT_EQ(row.bBusyShown, program.Visible(IDC_STC_COPY_IN_PROGRESS));
        EXPECT_EQ(row.bCustomSize, program.Checked(IDC_RBN_CUSTOM_SIZE));
        EXPECT_EQ(!row.bCustomSize, program.Enabled(IDC_RBN_FIT_TO_PAGE));
    }
    EXPECT_TRUE(Has(device.Log(), "OnPaperInADF:: g_pszCtx:#QV#Other#Z9,m_cstrCtxID:" + own)) << device.Log();
    EXPECT_TRUE(program.Close());
}

TEST(CopyDialog, BusyAndIdleFromTheDeviceSwitchTheCopyInProgressDisplay)
{
    Device device("BUSY1");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    const struct
    {
        const char* pszCommand;
        bool bBusy;
    } steps[] = {{"busy", true}, {"busy", true}, {"idle", false}, {"busy", true}, {"idle", false}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.pszCommand);
        ASSERT_EQ(0u, device.Control(step.pszCommand));
        EXPECT_TRUE(WaitUntil([&] { return program.Visible(IDC_STC_COPY_IN_PROGRESS) == step.bBusy; }, 5000));
        EXPECT_EQ(step.bBusy, program.Visible(IDC_STC_BUSY_STRIP));
        EXPECT_EQ(!step.bBusy, program.Enabled(IDC_BTN_COLOR));
        EXPECT_EQ(!step.bBusy, program.Enabled(IDC_BTN_BLACK));
    }
    ASSERT_EQ(0u, device.Control("placed"));
    EXPECT_TRUE(WaitUntil([&] { return program.Checked(IDC_RBN_CUSTOM_SIZE); }, 5000));
    EXPECT_FALSE(program.Enabled(IDC_RBN_FIT_TO_PAGE));
    DWORD dwExit = 1;
    EXPECT_TRUE(program.Close(&dwExit));
    EXPECT_EQ(0u, dwExit);
}

// Enter runs only the listed captions and Escape never closes. Each key is followed by
// Enter on Restore Factory, whose log record proves the key before it was handled.
TEST(CopyDialog, EnterRunsOnlyTheListedCaptionsAndEscapeNeverCloses)
{
    const struct
    {
        int nFocusID;
        UINT nKey;
        const char* pszLogged;  // what the key itself leaves in the log, if anything
    } rows[] = {
        {IDC_BTN_RESTORE_FACTORY, VK_RETURN, "CCopyUIDlg::OnBtnRestoreFactory- Entering"},
        {IDC_BTN_SAVE, VK_RETURN, nullptr},  // "Sa&ve Settings" is not "Sa&ve"
        {IDC_EDB_COPIES, VK_RETURN, nullptr},
        {IDC_BTN_COLOR, VK_RETURN, nullptr},
        {IDC_EDB_COPIES, VK_ESCAPE, nullptr},
        {IDC_BTN_HELP, VK_ESCAPE, nullptr},
    };
    Device device("KEYS1");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    const std::string kRestore = "CCopyUIDlg::OnBtnRestoreFactory- Entering", kSave = "CCopyUIDlg::OnBtnSave- Entering";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nFocusID);
        int nRestores = Count(device.Log(), kRestore), nSaves = Count(device.Log(), kSave);
        program.PressKey(row.nFocusID, row.nKey);
        program.PressKey(IDC_BTN_RESTORE_FACTORY, VK_RETURN);
        int nExpected = nRestores + 1 + (row.pszLogged ? 1 : 0);
        EXPECT_TRUE(WaitUntil([&] { return Count(device.Log(), kRestore) >= nExpected; }, 5000));
        EXPECT_EQ(nExpected, Count(device.Log(), kRestore));
        EXPECT_EQ(nSaves, Count(device.Log(), kSave));
        EXPECT_TRUE(program.Process().Running());
    }
    EXPECT_TRUE(program.Close());
}

TEST(CopyDialog, SaveWritesTheDefaultFileAndRestoreReadsOnlyTheFactoryFile)
{
    Device device("SAVE1");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    SetWindowPos(program.Dialog(), NULL, 61, 47, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc;
    GetWindowRect(program.Dialog(), &rc);

    program.Click(IDC_BTN_SAVE);
    std::string saved = ReadBytes(device.DefaultFile());
    EXPECT_EQ(std::to_string(rc.left), Element(saved, "X"));
    EXPECT_EQ(std::to_string(rc.top), Element(saved, "Y"));
    EXPECT_EQ("DSAVE1.xml", Element(saved, "strFileName"));
    EXPECT_EQ("1", Element(ReadBytes(device.FactoryFile()), "nNbrCopies"));

    const struct
    {
        bool bFactoryThere;
        const char* pszLogged;
    } rows[] = {{true, "Succesfully written to FactorySettings XML"}, {false, "Failed to write FactorySettings XML"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszLogged);
        if (!row.bFactoryThere)
            DeleteFileA(device.FactoryFile().c_str());
        program.Click(IDC_BTN_RESTORE_FACTORY);
        EXPECT_TRUE(Has(device.Log(), row.pszLogged));
        EXPECT_EQ(saved, ReadBytes(device.DefaultFile()));
    }
    EXPECT_TRUE(program.Close());
}

TEST(CopyDialog, ClosingStoresTheStartLocationUnlessMinimised)
{
    const struct
    {
        int nShow;
        bool bStored;
    } rows[] = {{SW_SHOWNORMAL, true}, {SW_MINIMIZE, false}};
    Device device("LOC1");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nShow);
        CopyProgram program(device.CtxID());
        ASSERT_NE(nullptr, program.WaitForDialog());
        std::string before = ReadBytes(device.DefaultFile());
        SetWindowPos(program.Dialog(), NULL, 77, 33, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT rc;
        GetWindowRect(program.Dialog(), &rc);
        ShowWindowAsync(program.Dialog(), row.nShow);
        ASSERT_TRUE(WaitUntil([&] { return (IsIconic(program.Dialog()) != FALSE) == !row.bStored; }, 5000));
        ASSERT_TRUE(program.Close());
        std::string after = ReadBytes(device.DefaultFile());
        EXPECT_EQ(row.bStored ? std::to_string(rc.left) : Element(before, "X"), Element(after, "X"));
        EXPECT_EQ(row.bStored ? std::to_string(rc.top) : Element(before, "Y"), Element(after, "Y"));
        if (!row.bStored) {
            EXPECT_EQ(before, after);
        }
    }
}

// Feeder and busy events keep coming while the dialog closes: the program always ends cleanly.
TEST(CopyDialog, EventsDuringClosingNeverHarmTheTeardown)
{
    Device device("DOWN1");
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        CopyProgram program(device.CtxID());
        ASSERT_NE(nullptr, program.WaitForDialog());
        std::atomic<bool> bStop(false);
        std::thread events([&] {
            const char* commands[] = {"placed", "busy", "removed", "idle"};
            for (int i = 0; !bStop; ++i)
                device.Control(commands[i % 4]);
        });
        Sleep(150 + 40 * round);
        DWORD dwExit = 1;
        bool bEnded = program.Close(&dwExit);
        bStop = true;
        events.join();
        ASSERT_TRUE(bEnded);
        EXPECT_EQ(0u, dwExit);
    }
}

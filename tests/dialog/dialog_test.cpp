// The copy dialog end to end: the real program under Wine against the simulated device.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <thread>
#include <tuple>
#include <vector>

#include "DialogDriver.h"
#include "res/resource.h"

using namespace dlgtest;
using qvtest::ReadBytes;

namespace {

std::string Element(const std::string& xml, const std::string& name)
{
    size_t from = xml.find("<" + name + ">"), to = xml.find("</" + name + ">");
    return from < to && to != std::string::npos ? xml.substr(from + name.size() + 2, to - from - name.size() - 2) : "";
}
std::string Location(const std::string& xml) { return Element(xml, "X") + "," + Element(xml, "Y"); }
std::string WithElements(std::string xml, const std::vector<std::pair<std::string, std::string>>& values)
{
    for (const auto& [name, value] : values) {
        size_t from = xml.find("<" + name + ">") + name.size() + 2;
        xml.replace(from, xml.find("</" + name + ">") - from, value);
    }
    return xml;
}
bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string MoveTo(const CopyProgram& program, int x, int y)
{
    SetWindowPos(program.Dialog(), NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc;
    GetWindowRect(program.Dialog(), &rc);
    return std::to_string(rc.left) + "," + std::to_string(rc.top);
}

// Starts the program for the device, waits for its dialog, lets `work` act on it and closes it.
void RunDialog(const Device& device, const std::function<void(CopyProgram&)>& work = nullptr)
{
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    if (work)
        work(program);
    EXPECT_TRUE(program.Close());
    EXPECT_EQ(0u, program.Process().ExitCode());
}

}  // namespace

TEST(CopyDialog, FirstUseMakesBothFilesKeepingAnUnreadableOneAndALaterStartLoadsThem)
{
    // {the default file before the run ("": as the run before left it), whether a first use}
    const std::pair<const char*, bool> rows[] = {{"", true}, {"<State><nNbrCopies>", true}, {"", false}};
    Device device("FIRST1");
    for (const auto& [pszOldDefault, bFirstUse] : rows) {
        SCOPED_TRACE(pszOldDefault);
        DeleteFileA((device.DefaultFile() + ".bad").c_str());
        if (*pszOldDefault)
            qvtest::WriteBytes(device.DefaultFile(), pszOldDefault);
        size_t logStart = device.Log().size();
        RunDialog(device);
        std::string log = device.Log().substr(logStart), factory = ReadBytes(device.FactoryFile());
        EXPECT_EQ("DFIRST1.xml", Element(ReadBytes(device.DefaultFile()), "strFileName"));
        EXPECT_EQ("FFIRST1.xml", Element(factory, "strFileName"));
        EXPECT_EQ(device.CtxID(), Element(factory, "strCtxID"));
        EXPECT_EQ(bFirstUse, Has(log, "First time user, GetSettings failed")) << log;
        EXPECT_EQ(bFirstUse, Has(log, "Succesfully written to factory XML")) << log;
        EXPECT_EQ(!bFirstUse, Has(log, "Loaded settings from default XML file")) << log;
        EXPECT_EQ(pszOldDefault, ReadBytes(device.DefaultFile() + ".bad"));
        EXPECT_EQ(*pszOldDefault != 0, Has(log, device.DefaultFile() + ".bad")) << log;
    }
}

TEST(CopyDialog, AHostileDeviceIDNamesFilesInsideTheSettingsFolderOnly)
{
    Device device("x\\..\\..\\X1");
    RunDialog(device);
    const std::string outside = AppDataFolder() + "\\QV\\X1.xml";
    EXPECT_FALSE(DeleteFileA(outside.c_str()));
    for (const char* pszKind : {"\\D", "\\F"}) {
        std::string inside = SettingsFolder() + pszKind + "x_.._.._X1.xml";
        EXPECT_TRUE(DeleteFileA(inside.c_str())) << inside;
    }
}

// One run takes device events, keys, Save and Restore. Events count for the own context only,
// but busy always switches the display, the copy buttons and the focus (to Help). Enter runs only the listed captions and Escape never
// closes: each key is followed by Enter on Restore Factory, whose log record proves the key
// before it was handled. Save writes the default file and Restore reads only the factory file.
// Closing stores the start location, unless the dialog is minimised.
TEST(CopyDialog, EventsKeysSaveRestoreAndTheStartLocation)
{
    Device device("EVT1");
    const std::string kCustomSize = "OnRbnCustomSize() - - Entering";  // run by the status thread on a feeder event
    const std::string own = device.CtxID();
    // {event (null: qvsimctl's command), its context text or the command, wParam, busy shown, feeder event taken}
    const std::tuple<const char*, std::string, WPARAM, bool, bool> events[] = {
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
    // {the control with the focus, the key, the key's own runs of Restore Factory}
    const std::tuple<int, UINT, int> keys[] = {
        {IDC_BTN_RESTORE_FACTORY, VK_RETURN, 1}, {IDC_BTN_SAVE, VK_RETURN, 0},  // "Sa&ve Settings" is not "Sa&ve"
        {IDC_EDB_COPIES, VK_RETURN, 0},          {IDC_BTN_COLOR, VK_RETURN, 0},
        {IDC_EDB_COPIES, VK_ESCAPE, 0},          {IDC_BTN_HELP, VK_ESCAPE, 0}};
    const std::string kRestore = "OnBtnRestoreFactory- Entering", kSave = "OnBtnSave- Entering", kJob = "SubmitCopy";
    std::string expected;
    RunDialog(device, [&](CopyProgram& program) {
        for (const auto& [pszEvent, sender, wParam, bBusyShown, bTaken] : events) {
            SCOPED_TRACE(sender);
            const bool bBusyEvent = pszEvent ? std::string(pszEvent) == "Device_s_Busy_" : sender != "placed";
            program.FocusOn(IDC_EDB_COPIES);
            int nCustomSizeRuns = Count(device.Log(), kCustomSize);
            if (pszEvent)
                program.SendDeviceEvent(pszEvent + own, sender, wParam);
            else
                ASSERT_EQ(0u, device.Control(sender));
            WaitUntil([&, bShown = bBusyShown] { return program.Visible(IDC_STC_COPY_IN_PROGRESS) == bShown; }, 5000);
            WaitUntil([&] { return Count(device.Log(), kCustomSize) > nCustomSizeRuns; }, bTaken ? 5000 : 0);
            program.Settle();
            EXPECT_EQ(bBusyShown, program.Visible(IDC_STC_COPY_IN_PROGRESS));
            EXPECT_EQ(bBusyShown, program.Visible(IDC_STC_BUSY_STRIP));
            EXPECT_EQ(!bBusyShown, program.Enabled(IDC_BTN_COLOR) && program.Enabled(IDC_BTN_BLACK));
            EXPECT_EQ(program.Item(bBusyEvent ? IDC_BTN_HELP : IDC_EDB_COPIES), program.Focus());
            EXPECT_EQ(nCustomSizeRuns + (bTaken ? 1 : 0), Count(device.Log(), kCustomSize));
        }
        EXPECT_TRUE(Has(device.Log(), "OnPaperInADF:: g_pszCtx:#QV#Other#Z9,m_cstrCtxID:" + own));

        for (const auto& [nFocusID, nKey, nRestores] : keys) {
            SCOPED_TRACE(nFocusID);
            std::string before = device.Log();
            program.PressKey(nFocusID, nKey);
            program.PressKey(IDC_BTN_RESTORE_FACTORY, VK_RETURN);
            int nExpected = Count(before, kRestore) + nRestores + 1;
            EXPECT_TRUE(WaitUntil([&] { return Count(device.Log(), kRestore) >= nExpected; }, 5000));
            EXPECT_EQ(nExpected, Count(device.Log(), kRestore));
            EXPECT_EQ(Count(before, kSave), Count(device.Log(), kSave));
            EXPECT_EQ(Count(before, kJob), Count(device.Log(), kJob));
            EXPECT_TRUE(program.Process().Running());
        }

        const std::string position = MoveTo(program, 61, 47);
        program.Click(IDC_BTN_SAVE);
        const std::string saved = ReadBytes(device.DefaultFile());
        EXPECT_EQ(position, Location(saved));
        for (bool bFactoryThere : {true, false}) {
            SCOPED_TRACE(bFactoryThere);
            if (!bFactoryThere)
                DeleteFileA(device.FactoryFile().c_str());
            const size_t logStart = device.Log().size();
            program.Click(IDC_BTN_RESTORE_FACTORY);
            EXPECT_TRUE(Has(device.Log().substr(logStart), bFactoryThere ? "Succesfully written to FactorySettings XML"
                                                                         : "Failed to write FactorySettings XML"));
            EXPECT_EQ(saved, ReadBytes(device.DefaultFile()));
        }
        expected = MoveTo(program, 77, 33);
    });
    EXPECT_EQ(expected, Location(ReadBytes(device.DefaultFile())));

    RunDialog(device, [&](CopyProgram& program) {
        MoveTo(program, 91, 21);
        ShowWindowAsync(program.Dialog(), SW_MINIMIZE);
        EXPECT_TRUE(WaitUntil([&] { return IsIconic(program.Dialog()) != FALSE; }, 5000));
    });
    EXPECT_EQ(expected, Location(ReadBytes(device.DefaultFile())));
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

// The default file's settings reach the controls, repaired where out of range; the list
// selections are read back; only Save Settings makes a change outlast the run, and Restore
// Factory shows the factory settings without saving them.
TEST(CopyDialog, StartShowsTheDefaultFileAndOnlySaveKeepsAChange)
{
    Device device("MAP1", "ConstraintMask=0\r\n");
    RunDialog(device);  // first use: both files from the device
    const std::string firstUse = ReadBytes(device.DefaultFile());
    // {nQuality, nSpecialFeatureRadio, nPaperTypeIndex, nPaperSizeIndex} in the file; the quality and
    // image-size buttons checked, the type and size selected, Borderless enabled, the log's complaint;
    // what Save Settings then writes of quality, image size, type and size (the file said 99 for both)
    const std::tuple<std::vector<const char*>, int, int, int, int, bool, const char*, std::vector<const char*>> rows[] = {
        {{"7", "4", "25", "5"}, IDC_RBN_BEST, IDC_RBN_ACTUAL_SIZE, 0, 5, false, "PaperTypeIndex out of range",
         {"3", "16", "1", "76"}},
        {{"0", "32", "3", "50"}, IDC_RBN_BEST, IDC_RBN_FIT_TO_PAGE, 3, 0, false, "PaperSizeIndex out of range",
         {"3", "32", "3", "2"}},
        {{"2", "32", "3", "5"}, IDC_RBN_NORMAL, IDC_RBN_BORDERLESS, 3, 5, true, nullptr, {"2", "32", "3", "76"}},
        {{"1", "32", "3", "12"}, IDC_RBN_FAST, IDC_RBN_FIT_TO_PAGE, 3, -1, false, nullptr, {"1", "32", "3", "99"}},
    };
    const char* const names[] = {"nQuality", "nSpecialFeatureRadio", "nPaperType", "nPaperSize"};
    for (const auto& [file, nQuality, nImageSize, nType, nSize, bBorderless, pszLogged, saved] : rows) {
        SCOPED_TRACE(std::string(file[0]) + file[1] + file[2] + file[3]);
        qvtest::WriteBytes(device.DefaultFile(),
                           WithElements(firstUse, {{names[0], file[0]}, {names[1], file[1]}, {"nPaperTypeIndex", file[2]},
                                                   {"nPaperSizeIndex", file[3]}, {names[2], "99"}, {names[3], "99"}}));
        const size_t logStart = device.Log().size();
        RunDialog(device, [&](CopyProgram& program) {
            for (int nID : {IDC_RBN_BEST, IDC_RBN_NORMAL, IDC_RBN_FAST, IDC_RBN_ACTUAL_SIZE, IDC_RBN_FIT_TO_PAGE,
                            IDC_RBN_BORDERLESS, IDC_RBN_CUSTOM_SIZE})
                EXPECT_EQ(nID == nQuality || nID == nImageSize, program.Checked(nID)) << nID;
            EXPECT_EQ(nType, program.Selected(IDC_COB_TYPE));
            EXPECT_EQ(nSize, program.Selected(IDC_COB_SIZE));
            EXPECT_EQ(bBorderless, program.Enabled(IDC_RBN_BORDERLESS));
            program.Click(IDC_BTN_SAVE);
        });
        EXPECT_EQ(pszLogged != nullptr, Has(device.Log().substr(logStart), pszLogged ? pszLogged : "Index out of range"));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(saved[i], Element(ReadBytes(device.DefaultFile()), names[i])) << names[i];
    }

    auto setCopies = [](CopyProgram& program, int nCopies) {  // the spin writes its edit
        SendMessageA(program.Item(IDC_SPN_COPIES), UDM_SETPOS32, 0, nCopies);
        program.Settle();
    };
    RunDialog(device, [&](CopyProgram& program) {
        setCopies(program, 7);
        program.Click(IDC_BTN_SAVE);
        setCopies(program, 9);  // not saved
    });
    RECT rcActual, rcFit, rcBorderless;
    RunDialog(device, [&](CopyProgram& program) {
        EXPECT_EQ("7", program.Text(IDC_EDB_COPIES));
        program.Click(IDC_BTN_RESTORE_FACTORY);
        EXPECT_EQ("1", program.Text(IDC_EDB_COPIES));
        EXPECT_TRUE(program.Checked(IDC_RBN_NORMAL) && !program.Checked(IDC_RBN_FAST));
        EXPECT_TRUE(program.Checked(IDC_RBN_ACTUAL_SIZE) && !program.Checked(IDC_RBN_FIT_TO_PAGE));
        EXPECT_EQ(0, program.Selected(IDC_COB_TYPE));
        rcActual = program.Place(IDC_RBN_ACTUAL_SIZE), rcFit = program.Place(IDC_RBN_FIT_TO_PAGE);
        rcBorderless = program.Place(IDC_RBN_BORDERLESS);
    });
    RunDialog(device, [&](CopyProgram& program) { EXPECT_EQ("7", program.Text(IDC_EDB_COPIES)); });

    // A device that cannot print borderless: Fit To Page and Actual Size move down one place each.
    Device flat("MAP2", "BorderlessCapable=0\r\n");
    RunDialog(flat, [&](CopyProgram& program) {
        EXPECT_FALSE(program.Visible(IDC_RBN_BORDERLESS));
        EXPECT_TRUE(SameRect(rcBorderless, program.Place(IDC_RBN_FIT_TO_PAGE)));
        EXPECT_TRUE(SameRect(rcFit, program.Place(IDC_RBN_ACTUAL_SIZE)));
        EXPECT_FALSE(SameRect(rcActual, rcFit));
    });
}

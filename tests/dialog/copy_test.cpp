// Color Copy and Black Copy end to end: the job at the device, the feeder prompt and the failures.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <tuple>

#include "DialogDriver.h"
#include "res/resource.h"

using namespace dlgtest;

namespace {

// The message of the status dialog that comes after `*phStatus` has left; *phStatus is then that dialog.
std::string NextStatus(CopyProgram& program, HWND* phStatus)
{
    WaitUntil([&] { return !IsWindow(*phStatus) || !IsWindowVisible(*phStatus); });
    *phStatus = program.WaitForWindowWith(IDC_STATUS_MESSAGE);
    return *phStatus ? qvtest::WindowText(GetDlgItem(*phStatus, IDC_STATUS_MESSAGE)) : "no status dialog";
}

void Press(HWND hStatus, int nID) { PostMessageA(GetDlgItem(hStatus, nID), BM_CLICK, 0, 0); }
}  // namespace

// A feeder-only device without an original asks until one is loaded or the user cancels;
// the job then carries the settings chosen in the meantime.
TEST(CopySubmission, FeederOnlyDevicePromptsForTheOriginalAndTheJobCarriesTheChosenSettings)
{
    Device device("ADF1", "[Device]\r\nFeederOnly=1\r\nOriginalInFeeder=0\r\nBusyTime=0\r\n");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    const std::string prompt = ResString(IDS_ERR_NO_ORIGINAL_IN_ADF);
    HWND hStatus = NULL;
    program.ClickLater(IDC_BTN_COLOR);
    ASSERT_EQ(prompt, NextStatus(program, &hStatus));
    Press(hStatus, IDC_BTN_CONTINUE);  // still empty: asked again
    ASSERT_EQ(prompt, NextStatus(program, &hStatus));
    Press(hStatus, IDC_BTN_CANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hStatus); }, 5000));
    program.Settle();
    EXPECT_FALSE(Has(device.Journal(), "[Job]"));

    program.Click(IDC_RBN_PHOTO);
    program.Click(IDC_RBN_FAST);
    SendMessageA(program.Item(IDC_SPN_COPIES), UDM_SETPOS32, 0, 4);  // the spin writes its edit
    RECT rcDark;  // two releases of the mouse over the darker picture: contrast 50 + 2 x 10
    GetWindowRect(program.Item(IDC_PIC_DARKER), &rcDark);
    MapWindowPoints(NULL, program.Dialog(), reinterpret_cast<POINT*>(&rcDark), 2);
    for (int i = 0; i < 2; ++i)
        SendMessageA(program.Dialog(), WM_LBUTTONUP, 0, MAKELPARAM(rcDark.left + 2, rcDark.top + 2));
    program.ClickLater(IDC_BTN_BLACK);
    ASSERT_EQ(prompt, NextStatus(program, &hStatus));
    ASSERT_EQ(0u, device.Control("placed"));
    Press(hStatus, IDC_BTN_CONTINUE);
    ASSERT_TRUE(WaitUntil([&] { return Has(device.Journal(), "[Job]"); }, 5000));
    EXPECT_TRUE(Has(device.Log(), "Device is ADF only")) << device.Log();
    const std::string job = device.Journal();
    for (const char* line :
         {"nNbrCopies=4", "bColorCopyRequested=0", "bTextMode=0", "bEnhanceLightClr=1", "nQuality=1", "nBrightness=70"})
        EXPECT_TRUE(Has(job, std::string("\r\n") + line + "\r\n")) << line << "\n" << job;
    EXPECT_TRUE(program.Close());
}

// A failed start, or a job the device refuses: the message, then the dialog stays, except
// when the device does not respond, which ends the program with code 0 after the message.
// A job status counts by its low 16 bits.
TEST(DeviceFailures, ShowTheirMessageAndEndOnlyWhenTheDeviceDoesNotRespond)
{
    // {failure, what the log holds once (or null), message, whether the program ends}
    const std::tuple<const char*, const char*, UINT, bool> rows[] = {
        {"InitProtocol=0x80004005", "Failed to initialize API layer", IDS_ERR_NOT_RESPONDING, true},
        {"GetCapabilities=0x80004005", "Failed to Initialize Combos", IDS_ERR_NOT_RESPONDING, true},
        {"SubmitCopy=0x8004F9E6", nullptr, IDS_ERR_INK_EMPTY, false},
        {"SubmitCopy=0x8004F9FD", nullptr, IDS_ERR_BUSY, false},
        {"SubmitCopy=0x8007F9FE", nullptr, IDS_ERR_GENERAL, false},
        {"SubmitCopy=0x80004005", nullptr, IDS_ERR_NOT_RESPONDING, true},
        {"SubmitCopy=0x80070005", nullptr, IDS_ERR_NOT_RESPONDING, true},
    };
    for (const auto& [pszFailure, pszLogged, nIDMessage, bEnds] : rows) {
        SCOPED_TRACE(pszFailure);
        Device device("FAIL1", std::string("[Failures]\r\n") + pszFailure + "\r\n");
        CopyProgram program(device.CtxID());
        if (!pszLogged) {
            ASSERT_NE(nullptr, program.WaitForDialog());
            program.ClickLater(IDC_BTN_COLOR);
        }
        HWND hStatus = NULL;
        ASSERT_EQ(ResString(nIDMessage), NextStatus(program, &hStatus));
        const bool bInk = nIDMessage == IDS_ERR_INK_EMPTY;  // the device holds its own status display meanwhile
        if (!pszLogged) {
            EXPECT_TRUE(Has(device.Status(), bInk ? "paused=1" : "paused=0")) << device.Status();
        }
        Press(hStatus, IDC_BTN_SINGLE);
        if (bInk) {
            EXPECT_TRUE(WaitUntil([&] { return Has(device.Status(), "paused=0"); }, 5000));
        }
        ASSERT_EQ(bEnds, program.Process().WaitForExit(bEnds ? qvtest::kHangGuardMs : 1000));  // else it stays
        EXPECT_TRUE(bEnds ? program.Process().ExitCode() == 0 : program.Close());
        if (pszLogged) {
            EXPECT_EQ(1, Count(device.Log(), pszLogged)) << device.Log();
            EXPECT_EQ("", qvtest::ReadBytes(device.FactoryFile()));  // nothing written
        }
        EXPECT_FALSE(Has(device.Journal(), "[Job]"));
    }
}

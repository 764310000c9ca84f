// Color Copy and Black Copy end to end: the job at the device, the feeder prompt and the
// device's failures, with the real program against the simulated device.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <tuple>

#include "DialogDriver.h"
#include "res/resource.h"

using namespace dlgtest;

namespace {

// The status dialog that comes after `hGone` has left; its message and the window.
HWND NextStatus(CopyProgram& program, HWND hGone, std::string* pMessage)
{
    WaitUntil([&] { return !IsWindow(hGone) || !IsWindowVisible(hGone); });
    HWND hStatus = program.WaitForWindowWith(IDC_STATUS_MESSAGE);
    if (hStatus)
        *pMessage = qvtest::WindowText(GetDlgItem(hStatus, IDC_STATUS_MESSAGE));
    return hStatus;
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
    std::string message;
    program.ClickLater(IDC_BTN_COLOR);
    HWND hStatus = NextStatus(program, NULL, &message);
    ASSERT_NE(nullptr, hStatus);
    EXPECT_EQ(prompt, message);
    Press(hStatus, IDC_BTN_CONTINUE);  // still empty: asked again
    hStatus = NextStatus(program, hStatus, &message);
    ASSERT_NE(nullptr, hStatus);
    EXPECT_EQ(prompt, message);
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
    hStatus = NextStatus(program, hStatus, &message);
    ASSERT_NE(nullptr, hStatus);
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
// Which status gives which message is the error index's own concern.
TEST(DeviceFailures, ShowTheirMessageAndEndOnlyWhenTheDeviceDoesNotRespond)
{
    // {failure, what the log holds once (or null), message, whether the program ends}
    const std::tuple<const char*, const char*, UINT, bool> rows[] = {
        {"InitProtocol=0x80004005", "Failed to initialize API layer", IDS_ERR_NOT_RESPONDING, true},
        {"GetCapabilities=0x80004005", "Failed to Initialize Combos", IDS_ERR_NOT_RESPONDING, true},
        {"SubmitCopy=0x8004F9E6", nullptr, IDS_ERR_INK_EMPTY, false},
        {"SubmitCopy=0x80004005", nullptr, IDS_ERR_NOT_RESPONDING, true},
    };
    for (const auto& [pszFailure, pszLogged, nIDMessage, bEnds] : rows) {
        SCOPED_TRACE(pszFailure);
        Device device("FAIL1", std::string("[Failures]\r\n") + pszFailure + "\r\n");
        CopyProgram program(device.CtxID());
        if (!pszLogged) {
            ASSERT_NE(nullptr, program.WaitForDialog());
            program.ClickLater(IDC_BTN_COLOR);
        }
        std::string message;
        HWND hStatus = NextStatus(program, NULL, &message);
        ASSERT_NE(nullptr, hStatus);
        EXPECT_EQ(ResString(nIDMessage), message);
        Press(hStatus, IDC_BTN_SINGLE);
        if (bEnds) {
            ASSERT_TRUE(program.Process().WaitForExit());
            EXPECT_EQ(0u, program.Process().ExitCode());
        } else {
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hStatus); }, 5000));
            program.Settle();
            EXPECT_TRUE(program.Process().Running());
            EXPECT_TRUE(program.Close());
        }
        if (pszLogged) {
            EXPECT_EQ(1, Count(device.Log(), pszLogged)) << device.Log();
            EXPECT_EQ("", qvtest::ReadBytes(device.FactoryFile()));  // nothing written
        }
        EXPECT_FALSE(Has(device.Journal(), "[Job]"));
    }
}

// Color Copy and Black Copy end to end: the job at the device, the feeder prompt and the
// device's failures, with the real program against the simulated device.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "DialogDriver.h"
#include "res/resource.h"

using dlgtest::CopyProgram;
using dlgtest::Device;
using dlgtest::WaitUntil;

namespace {
bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

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

void Select(CopyProgram& program, int nListID, int nPos)
{
    SendMessageA(program.Item(nListID), CB_SETCURSEL, nPos, 0);
    SendMessageA(program.Dialog(), WM_COMMAND, MAKEWPARAM(nListID, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(program.Item(nListID)));
}
}  // namespace

TEST(CopySubmission, TheJobCarriesTheChosenSettings)
{
    Device device("JOB1", "[Device]\r\nBusyTime=0\r\nConstraintMask=50\r\n"
                          "[MediaTypes]\r\nType0=1,0,Plain\r\nType1=2,0,Bright White\r\n");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    program.Click(IDC_RBN_PHOTO);
    program.Click(IDC_RBN_FAST);
    program.Click(IDC_RBN_FIT_TO_PAGE);
    Select(program, IDC_COB_TYPE, 1);
    SendMessageA(program.Item(IDC_SPN_COPIES), UDM_SETPOS32, 0, 4);  // the spin writes its edit
    RECT rcDark;  // two releases of the mouse over the darker picture: contrast 50 + 2 x 10
    GetWindowRect(program.Item(IDC_PIC_DARKER), &rcDark);
    MapWindowPoints(NULL, program.Dialog(), reinterpret_cast<POINT*>(&rcDark), 2);
    for (int i = 0; i < 2; ++i)
        SendMessageA(program.Dialog(), WM_LBUTTONUP, 0, MAKELPARAM(rcDark.left + 2, rcDark.top + 2));
    program.Click(IDC_BTN_BLACK);
    ASSERT_TRUE(WaitUntil([&] { return Has(device.Journal(), "[Job]"); }, 5000));
    const std::string job = device.Journal();
    for (const char* line : {"nNbrCopies=4", "bColorCopyRequested=0", "bTextMode=0", "bEnhanceLightClr=1",
                             "nSpecialFeatureMode=5", "nQuality=1", "nPaperType=2", "nBrightness=70"})
        EXPECT_TRUE(Has(job, std::string("\r\n") + line + "\r\n")) << line << "\n" << job;

    EXPECT_TRUE(program.Close());
}

// A feeder-only device without an original asks until one is loaded or the user cancels.
TEST(CopySubmission, FeederOnlyDevicePromptsForTheOriginal)
{
    Device device("ADF1", "[Device]\r\nFeederOnly=1\r\nOriginalInFeeder=0\r\nBusyTime=0\r\n");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    const std::string prompt = dlgtest::ResString(IDS_ERR_NO_ORIGINAL_IN_ADF);
    std::string message;

    program.ClickLater(IDC_BTN_COLOR);
    HWND hStatus = NextStatus(program, NULL, &message);
    ASSERT_NE(nullptr, hStatus);
    EXPECT_EQ(prompt, message);
    EXPECT_EQ(dlgtest::ResString(IDS_CANCEL), qvtest::WindowText(GetDlgItem(hStatus, IDC_BTN_CANCEL)));
    Press(hStatus, IDC_BTN_CONTINUE);  // still empty: asked again
    hStatus = NextStatus(program, hStatus, &message);
    ASSERT_NE(nullptr, hStatus);
    EXPECT_EQ(prompt, message);
    Press(hStatus, IDC_BTN_CANCEL);
    program.Settle();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hStatus); }, 5000));
    EXPECT_FALSE(Has(device.Journal(), "[Job]"));

    program.ClickLater(IDC_BTN_COLOR);
    hStatus = NextStatus(program, hStatus, &message);
    ASSERT_NE(nullptr, hStatus);
    ASSERT_EQ(0u, device.Control("placed"));
    Press(hStatus, IDC_BTN_CONTINUE);
    EXPECT_TRUE(WaitUntil([&] { return Has(device.Journal(), "[Job]"); }, 5000));
    EXPECT_TRUE(Has(device.Log(), "Device is ADF only")) << device.Log();
    EXPECT_TRUE(program.Close());
}

// The device refuses the job: its message, then the dialog stays, except when the
// device does not respond, which ends the program after the message.
TEST(CopySubmission, RefusedJobsShowTheirMessage)
{
    const struct
    {
        const char* pszStatus;
        UINT nIDMessage;
        bool bEnds;
    } rows[] = {
        {"0x8004F9E6", IDS_ERR_INK_EMPTY, false},
        {"0x8004F9FD", IDS_ERR_BUSY, false},
        {"0x8004F9FC", IDS_ERR_GENERAL, false},
        {"0x80004005", IDS_ERR_NOT_RESPONDING, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszStatus);
        Device device("ERR1", std::string("[Failures]\r\nSubmitCopy=") + row.pszStatus + "\r\n");
        CopyProgram program(device.CtxID());
        ASSERT_NE(nullptr, program.WaitForDialog());
        program.ClickLater(IDC_BTN_COLOR);
        std::string message;
        HWND hStatus = NextStatus(program, NULL, &message);
        ASSERT_NE(nullptr, hStatus);
        EXPECT_EQ(dlgtest::ResString(row.nIDMessage), message);
        Press(hStatus, IDC_BTN_SINGLE);
        if (row.bEnds) {
            EXPECT_TRUE(program.Process().WaitForExit());
            continue;
        }
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hStatus); }, 5000));
        program.Settle();
        EXPECT_TRUE(program.Process().Running());
        EXPECT_FALSE(Has(device.Journal(), "[Job]"));
        EXPECT_TRUE(program.Close());
    }
}

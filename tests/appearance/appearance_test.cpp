// The copy dialog's look, tooltips, about box, help and usage records, seen from outside:
// the real program under Wine, its pixels read from the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "DialogDriver.h"
#include "controls/DrawToolkit.h"
#include "res/resource.h"
#include "controls/picture_checks.h"

using dlgtest::CopyProgram;
using dlgtest::Device;
using dlgtest::ResString;
using dlgtest::WaitUntil;

namespace {

using picturecheck::FaceAt;
using picturecheck::Near;

const COLORREF WHITE = RGB(255, 255, 255);

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
bool IsBlue(COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60; }
std::string SimFile(const char* pszName)
{
    char szDir[MAX_PATH] = "";
    GetEnvironmentVariableA("QVSIM_DIR", szDir, sizeof(szDir));
    return std::string(szDir) + "\\" + pszName;
}

RECT ScreenRect(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    return rc;
}
RECT ClientScreenRect(HWND hWnd)
{
    WINDOWINFO wi = {};
    wi.cbSize = sizeof(wi);
    GetWindowInfo(hWnd, &wi);
    return wi.rcClient;
}

COLORREF ScreenAt(int x, int y)
{
    HDC hDC = GetDC(NULL);
    COLORREF clr = GetPixel(hDC, x, y);
    ReleaseDC(NULL, hDC);
    return clr;
}

// The point where a button's face differs most between its states, in screen coordinates.
POINT FacePoint(HWND hButton)
{
    RECT rc = ScreenRect(hButton);
    return {rc.left + (rc.right - rc.left) / 10, rc.top + (rc.bottom - rc.top) * 8 / 10};
}
bool ShowsFace(HWND hButton, UINT nFace)
{
    RECT rc = ScreenRect(hButton);
    POINT pt = FacePoint(hButton);
    return Near(FaceAt(nFace, rc.right - rc.left, rc.bottom - rc.top, pt.x - rc.left, pt.y - rc.top),
                ScreenAt(pt.x, pt.y), 6);
}

int CountIn(const RECT& rc, bool (*pred)(COLORREF))
{
    HDC hDC = GetDC(NULL);
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            n += pred(GetPixel(hDC, x, y));
    ReleaseDC(NULL, hDC);
    return n;
}

// The program installed with the right-to-left library as its copy2.dll, help library absent.
struct RtlInstall
{
    qvtest::TempFolder folder{"qvrtl"};
    std::string exe = folder.File("qvkcopy2.exe");
    RtlInstall()
    {
        CopyFileA(qvtest::BesideExe("qvkcopy2.exe").c_str(), exe.c_str(), FALSE);
        CopyFileA(qvtest::BesideExe("copy2_rtl.dll").c_str(), folder.File("copy2.dll").c_str(), FALSE);
    }
};

struct Layout
{
    const char* pszName;
    bool bRTL;
};

class LookOfTheDialog : public ::testing::TestWithParam<Layout>
{
protected:
    void SetUp() override
    {
        m_device.reset(new Device(GetParam().bRTL ? "LOOKR" : "LOOKL"));
        qvtest::WriteBytes(SimFile("contexts.ini"), "[" + m_device->CtxID() + "]\r\nDefLangAbbrev=" +
                                                        (GetParam().bRTL ? "heb" : "enu") + "\r\n");
        m_program.reset(new CopyProgram(m_device->CtxID(), GetParam().bRTL ? m_rtl.exe.c_str() : nullptr));
        ASSERT_NE(nullptr, m_program->WaitForDialog());
        m_program->Settle();
        m_rcClient = ClientScreenRect(m_program->Dialog());
        SetCursorPos(0, 0);
    }
    void TearDown() override { SetCursorPos(0, 0); }
    HWND Item(int nID) const { return m_program->Item(nID); }
    RtlInstall m_rtl;
    std::unique_ptr<Device> m_device;
    std::unique_ptr<CopyProgram> m_program;
    RECT m_rcClient;
};

TEST_P(LookOfTheDialog, BandsTitleCaptionsAndFrames)
{
    const RECT& c = m_rcClient;
    const int xMid = (c.left + c.right) / 2;
    RECT rcOriginal = ScreenRect(Item(IDC_GRP_ORIGINAL));
    EXPECT_EQ(GetParam().bRTL, rcOriginal.right - ScreenRect(Item(IDC_STC_ORIGINAL)).right <
                                   ScreenRect(Item(IDC_STC_ORIGINAL)).left - rcOriginal.left)
        << "the caption sits on the mirrored side";
    const struct
    {
        POINT at;
        COLORREF expected;
    } points[] = {
        {{xMid, (rcOriginal.top + rcOriginal.bottom) / 2}, WHITE},
        {{c.left + 1, c.top + 3}, RGB(0, 101, 173)},
        {{xMid, c.top + 3}, RGB(5, 155, 190)},
        {{c.left + 1, c.bottom - 3}, RGB(0, 101, 173)},
        {{xMid, c.bottom - 3}, RGB(5, 155, 190)},
    };
    for (const auto& point : points)
        EXPECT_TRUE(Near(point.expected, ScreenAt(point.at.x, point.at.y), 12))
            << point.at.x - c.left << "," << point.at.y - c.top << " " << std::hex << ScreenAt(point.at.x, point.at.y);
    RECT rcTitle = {c.left + 200, c.top + 17, c.right - 200, c.top + 60};
    EXPECT_GT(CountIn(rcTitle, [](COLORREF p) { return p == WHITE; }), 100) << "the white title";

    const int captioned[][2] = {
        {IDC_STC_ORIGINAL, IDC_GRP_ORIGINAL}, {IDC_STC_COPY, IDC_GRP_COPY}, {IDC_STC_SETTINGS, IDC_GRP_SETTINGS}};
    for (const auto& pair : captioned) {
        SCOPED_TRACE(pair[0]);
        RECT rcCaption = ScreenRect(Item(pair[0])), rcBox = ScreenRect(Item(pair[1]));
        EXPECT_GT(CountIn(rcCaption, IsBlue), 10) << "blue caption";
        EXPECT_TRUE(IsBlue(ScreenAt(rcCaption.left - 3, rcBox.top))) << "frame left of the caption";
        EXPECT_TRUE(IsBlue(ScreenAt(rcCaption.right + 3, rcBox.top))) << "frame right of the caption";
        RECT rcGapRow = {rcCaption.left + 1, rcBox.top, rcCaption.right - 1, rcBox.top + 1};
        EXPECT_LT(CountIn(rcGapRow, IsBlue), (rcGapRow.right - rcGapRow.left) * 3 / 4) << "a gap under the caption";
    }
}

TEST_P(LookOfTheDialog, PictureButtonsHoverAndDisabledFaces)
{
    const struct
    {
        int nID;
        UINT nNormal, nHover;
    } buttons[] = {{IDC_BTN_COLOR, IDP_COPYBUTTON_NORMAL, IDP_COPYBUTTON_HOVER},
                   {IDC_BTN_BLACK, IDP_COPYBUTTON_NORMAL, IDP_COPYBUTTON_HOVER},
                   {IDC_BTN_RESTORE_FACTORY, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER},
                   {IDC_BTN_SAVE, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER},
                   {IDC_BTN_HELP, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER}};
    // A focused button shows its hover face: the focus goes to a choice first.
    SendMessageA(m_program->Dialog(), WM_NEXTDLGCTL, (WPARAM)Item(IDC_RBN_TEXT), TRUE);
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.nID);
        HWND hButton = Item(button.nID);
        RECT rc = ScreenRect(hButton);
        EXPECT_EQ(WHITE, ScreenAt(rc.left, rc.top)) << "white behind the rounded corner";
        EXPECT_TRUE(WaitUntil([&] { return ShowsFace(hButton, button.nNormal); }, 3000));
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        EXPECT_TRUE(WaitUntil([&] { return ShowsFace(hButton, button.nHover); }, 3000)) << "hover face";
        SetCursorPos(0, 0);
        EXPECT_TRUE(WaitUntil([&] { return ShowsFace(hButton, button.nNormal); }, 3000)) << "normal face again";
    }
    ASSERT_EQ(0u, m_device->Control("busy"));
    ASSERT_TRUE(WaitUntil([&] { return !m_program->Enabled(IDC_BTN_COLOR); }, 5000));
    for (int nID : {IDC_BTN_COLOR, IDC_BTN_BLACK})
        EXPECT_TRUE(WaitUntil([&] { return ShowsFace(Item(nID), IDP_BUTTON_DISABLED); }, 3000)) << nID;
    m_device->Control("idle");
}

TEST_P(LookOfTheDialog, HoveringAControlShowsItsTooltip)
{
    const struct
    {
        int nID;
        UINT nString;
    } tips[] = {{IDC_RBN_ACTUAL_SIZE, IDS_TIP_ACTUAL_SIZE},
                {IDC_BTN_COLOR, IDS_TIP_COLOR},
                {IDC_SLD_CONTRAST, IDS_TIP_CONTRAST},
                {IDC_COB_SOURCE, IDS_TIP_SOURCE}};
    for (const auto& tip : tips) {
        SCOPED_TRACE(tip.nID);
        RECT rc = ScreenRect(Item(tip.nID));
        SetCursorPos(0, 0);
        Sleep(200);
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        std::string shown;
        WaitUntil(
            [&] {
                HWND hTip = FindWindowExA(NULL, NULL, "tooltips_class32", NULL);
                for (; hTip; hTip = FindWindowExA(NULL, hTip, "tooltips_class32", NULL))
                    if (IsWindowVisible(hTip) && !(shown = qvtest::WindowText(hTip)).empty())
                        return shown == ResString(tip.nString);
                return false;
            },
            5000);
        EXPECT_EQ(ResString(tip.nString), shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Appearance, LookOfTheDialog,
                         ::testing::Values(Layout{"LeftToRight", false}, Layout{"RightToLeft", true}),
                         [](const ::testing::TestParamInfo<Layout>& info) { return info.param.pszName; });

TEST(AboutBox, OpensFromTheSystemMenuAndARightClick)
{
    Device device("ABOUT1");
    CopyProgram program(device.CtxID());
    ASSERT_NE(nullptr, program.WaitForDialog());
    const UINT entries[] = {WM_SYSCOMMAND, WM_RBUTTONUP};
    for (UINT nMessage : entries) {
        SCOPED_TRACE(nMessage);
        PostMessageA(program.Dialog(), nMessage, nMessage == WM_SYSCOMMAND ? IDM_ABOUTBOX : 0, MAKELPARAM(20, 20));
        HWND hAbout = program.WaitForWindowWith(IDC_ABOUT_BUILD);
        ASSERT_NE(nullptr, hAbout);
        EXPECT_FALSE(qvtest::WindowText(GetDlgItem(hAbout, IDC_ABOUT_BUILD)).empty());
        EXPECT_FALSE(qvtest::WindowText(GetDlgItem(hAbout, IDC_ABOUT_DATE)).empty());
        EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(GetDlgItem(hAbout, IDOK), GWL_STYLE) & BS_TYPEMASK);
        RECT rcAbout = ClientScreenRect(hAbout);
        EXPECT_EQ(WHITE, ScreenAt(rcAbout.left + 2, rcAbout.bottom - 2)) << "white background";
        PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hAbout); }, 5000));
    }
    EXPECT_TRUE(program.Close());
}

TEST(Help, RunsBesideTheDialogAndAMissingLibraryShowsNothing)
{
    Device device("HELP1");
    qvtest::WriteBytes(SimFile("help.ini"), "[Help]\r\nBrowse=0\r\nHoldMs=3000\r\n");
    {
        CopyProgram program(device.CtxID());
        ASSERT_NE(nullptr, program.WaitForDialog());
        program.ClickLater(IDC_BTN_HELP);
        ASSERT_TRUE(WaitUntil([] { return Has(qvtest::ReadBytes(SimFile("help.log")), "topic"); }, 5000));
        EXPECT_TRUE(Has(qvtest::ReadBytes(SimFile("help.log")), "window valid reserved 0 topic 3004 page "));
        DWORD_PTR nResult = 0;
        EXPECT_NE(0, SendMessageTimeoutA(program.Dialog(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &nResult))
            << "the dialog answers while help is open";
        EXPECT_TRUE(WaitUntil([&] { return Has(device.Log(), "Exiting HelpThreadProc"); }, 8000));
        EXPECT_TRUE(Has(device.Log(), "qvkspr08.dll loaded"));
        EXPECT_TRUE(program.Close());
    }
    Device withoutHelp("HELP2");
    RtlInstall install;  // no help library there, and none in the working folder either
    char szOldDir[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szOldDir), szOldDir);
    SetCurrentDirectoryA(install.folder.Path().c_str());
    CopyProgram program(withoutHelp.CtxID(), install.exe.c_str());
    SetCurrentDirectoryA(szOldDir);
    ASSERT_NE(nullptr, program.WaitForDialog());
    program.ClickLater(IDC_BTN_HELP);
    EXPECT_TRUE(WaitUntil([&] { return Has(withoutHelp.Log(), "Exiting HelpThreadProc"); }, 8000));
    std::string log = withoutHelp.Log();
    EXPECT_TRUE(Has(log, "Entering HelpThreadProc"));
    EXPECT_FALSE(Has(log, "qvkspr08.dll loaded"));
    EXPECT_EQ("", qvtest::ReadBytes(SimFile("help.log")));
    EXPECT_NE(nullptr, program.Dialog());
    EXPECT_TRUE(program.Close());
}

TEST(UsageRecords, ACopyRecordsTheOriginalThenTheQualityAndFailuresAreLogged)
{
    const struct
    {
        int nOriginal, nQuality;
        const char* pszFailIni;
        const char* pszExpected;  // in usage.log, or in the program's log when recording fails
    } rows[] = {
        {IDC_RBN_PHOTO, IDC_RBN_BEST, "", "event 84 CopyPhotoButtonSelection count 1 flags 0"},
        {IDC_RBN_TEXT, IDC_RBN_FAST, "", "event 85 CopyTextButtonSelection count 1 flags 0"},
        {IDC_RBN_MIXED, IDC_RBN_NORMAL, "FailRecord=1", "QVAiO_SWCStrCopyMixedButtonSelection - FRU failed"},
        {IDC_RBN_MIXED, IDC_RBN_NORMAL, "FailSetInstance=1", "SetInstance failed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszExpected);
        Device device("USAGE1");
        qvtest::WriteBytes(SimFile("usage.ini"), std::string("[Recorder]\r\n") + row.pszFailIni + "\r\n");
        CopyProgram program(device.CtxID());
        ASSERT_NE(nullptr, program.WaitForDialog());
        program.Click(row.nOriginal);
        program.Click(row.nQuality);
        program.Click(IDC_BTN_BLACK);
        ASSERT_TRUE(WaitUntil([&] { return Has(device.Log(), "Exiting method UpdateFliteRecorder"); }, 8000));
        std::string usage = qvtest::ReadBytes(SimFile("usage.log"));
        EXPECT_TRUE(Has(usage + device.Log(), row.pszExpected)) << usage;
        if (row.nOriginal == IDC_RBN_PHOTO) {
            EXPECT_LT(usage.find("event 84 "), usage.find("event 87 CopyBestQualitySelection"));
        }
        EXPECT_TRUE(program.Close());
    }
}

}  // namespace

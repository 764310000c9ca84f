// The copy dialog's look, tooltips, about box, help and usage records, seen from outside:
// the real program under Wine, its pixels read from screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "DialogDriver.h"
#include "controls/DrawToolkit.h"
#include "res/resource.h"
#include "res/version.h"
#include "controls/picture_checks.h"

using dlgtest::CopyProgram;
using dlgtest::Device;
using dlgtest::WaitUntil;

namespace {

using namespace picturecheck;

const COLORREF WHITE = RGB(255, 255, 255), BLUE = RGB(0, 0, 255), DARK = RGB(0, 101, 173), LIGHT = RGB(5, 155, 190);

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
bool IsBlue(COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60; }
std::string SimFile(const char* pszName)
{
    char szDir[MAX_PATH] = "";
    GetEnvironmentVariableA("QVSIM_DIR", szDir, sizeof(szDir));
    return std::string(szDir) + "\\" + pszName;
}
RECT ScreenRect(HWND hWnd, bool bClient = false)
{
    WINDOWINFO wi = {};
    wi.cbSize = sizeof(wi);
    GetWindowInfo(hWnd, &wi);
    return bClient ? wi.rcClient : wi.rcWindow;
}
// Whether the shot shows the button with face nFace where the faces differ most.
bool ShowsFace(const Canvas& shot, HWND hButton, UINT nFace)
{
    RECT rc = ScreenRect(hButton);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top, x = cx / 10, y = cy * 8 / 10;
    return Near(FaceAt(nFace, cx, cy, x, y), shot.At(rc.left + x, rc.top + y), 6);
}

// button, normal face, hover face
const std::tuple<int, UINT, UINT> kButtons[] = {{IDC_BTN_COLOR, IDP_COPYBUTTON_NORMAL, IDP_COPYBUTTON_HOVER},
                                                {IDC_BTN_BLACK, IDP_COPYBUTTON_NORMAL, IDP_COPYBUTTON_HOVER},
                                                {IDC_BTN_RESTORE_FACTORY, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER},
                                                {IDC_BTN_SAVE, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER},
                                                {IDC_BTN_HELP, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER}};

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

// The dialog left to right, or right to left; a focused button shows its hover face, so the
// focus goes to a choice first.
class LookOfTheDialog : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        qvtest::WriteBytes(SimFile("contexts.ini"),
                           "[" + m_device.CtxID() + "]\r\nDefLangAbbrev=" + (GetParam() ? "heb" : "enu") + "\r\n");
        m_program.reset(new CopyProgram(m_device.CtxID(), GetParam() ? m_rtl.exe.c_str() : nullptr));
        ASSERT_NE(nullptr, m_program->WaitForDialog());
        SendMessageA(m_program->Dialog(), WM_NEXTDLGCTL, (WPARAM)Item(IDC_RBN_TEXT), TRUE);
        m_program->Settle();
        SetCursorPos(0, 0);
    }
    HWND Item(int nID) const { return m_program->Item(nID); }
    RtlInstall m_rtl;
    Device m_device{GetParam() ? "LOOKR" : "LOOKL"};
    std::unique_ptr<CopyProgram> m_program;
};

TEST_P(LookOfTheDialog, StillPicture)
{
    std::unique_ptr<Canvas> shot;
    EXPECT_TRUE(WaitUntil(
        [&] {
            shot.reset(new Canvas(ScreenRect(m_program->Dialog())));
            return std::all_of(std::begin(kButtons), std::end(kButtons), [&](const auto& button) {
                return ShowsFace(*shot, Item(std::get<0>(button)), std::get<1>(button));
            });
        },
        3000))
        << "normal faces";
    const RECT c = ScreenRect(m_program->Dialog(), true), rcOriginal = ScreenRect(Item(IDC_GRP_ORIGINAL));
    const int xMid = (c.left + c.right) / 2;
    std::vector<std::tuple<int, int, COLORREF>> points = {{xMid, (rcOriginal.top + rcOriginal.bottom) / 2, WHITE},
                                                          {c.left + 1, c.top + 3, DARK},
                                                          {xMid, c.top + 3, LIGHT},
                                                          {c.left + 1, c.bottom - 3, DARK},
                                                          {xMid, c.bottom - 3, LIGHT}};
    for (auto [nID, nNormal, nHover] : kButtons)
        points.emplace_back(ScreenRect(Item(nID)).left, ScreenRect(Item(nID)).top, WHITE);  // the rounded corner
    for (auto [nCaption, nBox] : {std::pair{IDC_STC_ORIGINAL, IDC_GRP_ORIGINAL}, std::pair{IDC_STC_COPY, IDC_GRP_COPY},
                                  std::pair{IDC_STC_SETTINGS, IDC_GRP_SETTINGS}}) {
        RECT rcCaption = ScreenRect(Item(nCaption)), rcBox = ScreenRect(Item(nBox));
        points.emplace_back(rcCaption.left - 3, rcBox.top, BLUE);  // the frame on both sides of the caption
        points.emplace_back(rcCaption.right + 3, rcBox.top, BLUE);
        EXPECT_GT(shot->Count(rcCaption, IsBlue), 10) << nCaption << ": blue caption";
        RECT rcGapRow = {rcCaption.left + 1, rcBox.top, rcCaption.right - 1, rcBox.top + 1};
        EXPECT_LT(shot->Count(rcGapRow, IsBlue), (rcGapRow.right - rcGapRow.left) * 3 / 4) << nCaption << ": gap";
    }
    for (auto [x, y, expected] : points)
        EXPECT_TRUE(Near(expected, shot->At(x, y), 12))
            << x - c.left << "," << y - c.top << " " << std::hex << shot->At(x, y);
    RECT rcTitle = {c.left + 200, c.top + 17, c.right - 200, c.top + 60};
    EXPECT_GT(shot->Count(rcTitle, [](COLORREF p) { return p == WHITE; }), 100) << "the white title";
    RECT rcCaption = ScreenRect(Item(IDC_STC_ORIGINAL));
    EXPECT_EQ(GetParam(), rcOriginal.right - rcCaption.right < rcCaption.left - rcOriginal.left)
        << "the caption sits on the mirrored side";
}

TEST_P(LookOfTheDialog, HoverAndDisabledFaces)
{
    for (auto [nID, nNormal, nHover] : kButtons) {
        SCOPED_TRACE(nID);
        HWND hButton = Item(nID);
        RECT rc = ScreenRect(hButton);
        auto showsNow = [&](UINT nFace) {
            return WaitUntil([&] { return ShowsFace(Canvas(rc), hButton, nFace); }, 3000);
        };
        SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        EXPECT_TRUE(showsNow(nHover)) << "hover face";
        SetCursorPos(0, 0);
        EXPECT_TRUE(showsNow(nNormal)) << "normal face again";
    }
    ASSERT_EQ(0u, m_device.Control("busy"));
    EXPECT_TRUE(WaitUntil(
        [&] {
            Canvas shot(ScreenRect(m_program->Dialog()));
            return ShowsFace(shot, Item(IDC_BTN_COLOR), IDP_BUTTON_DISABLED) &&
                   ShowsFace(shot, Item(IDC_BTN_BLACK), IDP_BUTTON_DISABLED);
        },
        5000))
        << "both copy buttons disabled while busy";
    m_device.Control("idle");
}

TEST_P(LookOfTheDialog, AboutBoxOpensFromTheSystemMenuAndARightClick)
{
    for (UINT nMessage : {WM_SYSCOMMAND, WM_RBUTTONUP}) {
        SCOPED_TRACE(nMessage);
        PostMessageA(m_program->Dialog(), nMessage, nMessage == WM_SYSCOMMAND ? IDM_ABOUTBOX : 0, MAKELPARAM(20, 20));
        HWND hAbout = m_program->WaitForWindowWith(IDC_ABOUT_BUILD);
        ASSERT_NE(nullptr, hAbout);
        EXPECT_EQ(QV_VERSION_TEXT, qvtest::WindowText(GetDlgItem(hAbout, IDC_ABOUT_BUILD)));
        EXPECT_EQ(QV_VERSION_DATE, qvtest::WindowText(GetDlgItem(hAbout, IDC_ABOUT_DATE)));
        EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(GetDlgItem(hAbout, IDOK), GWL_STYLE) & BS_TYPEMASK);
        RECT rc = ScreenRect(hAbout, true);
        EXPECT_TRUE(WaitUntil([&] { return Canvas(rc).At(rc.left + 2, rc.bottom - 2) == WHITE; }, 3000))
            << "white background once painted";
        PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hAbout); }, 5000));
    }
}

INSTANTIATE_TEST_SUITE_P(Appearance, LookOfTheDialog, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "RightToLeft" : "LeftToRight";
                         });

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
    EXPECT_TRUE(Has(withoutHelp.Log(), "Entering HelpThreadProc"));
    EXPECT_FALSE(Has(withoutHelp.Log(), "qvkspr08.dll loaded"));
    EXPECT_EQ("", qvtest::ReadBytes(SimFile("help.log")));
    EXPECT_TRUE(program.Close()) << "the dialog lives on";
}

}  // namespace

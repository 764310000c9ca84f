// The drawing toolkit, the picture button, the owner-drawn frame and caption, in this
// process: drawn into memory bitmaps or a test dialog and read back pixel by pixel.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "common/testlib.h"
#include "controls/CustomGroupBox.h"
#include "controls/CustomStatic.h"
#include "controls/ImgButton.h"
#include "res/resource.h"
#include "controls/picture_checks.h"

namespace {

using namespace picturecheck;

const COLORREF RED = RGB(255, 0, 0), BLUE = RGB(0, 0, 255), WHITE = RGB(255, 255, 255);

TEST(DrawToolkit, PicturesAndTextMirrorWithinTheRectangle)
{
    GdiPicture face = LoadImageResource(GetModuleHandleA(NULL), IDP_BUTTON_DISABLED, IMAGE_KIND_PNG);
    Gdiplus::Font font(L"Arial", 20, Gdiplus::FontStyleRegular);
    auto isGrey = [](COLORREF c) { return c != WHITE && GetRValue(c) == GetBValue(c); };
    auto isBlue = [](COLORREF c) { return c == BLUE; };
    const RECT leftHalf = {0, 0, 200, 60}, rightHalf = {200, 0, 400, 60};
    for (BOOL bRTL : {FALSE, TRUE}) {
        SCOPED_TRACE(bRTL ? "right to left" : "left to right");
        Canvas c(400, 60), t(400, 60);
        DrawImageAt(c.dc, c.Whole(), 10, 5, face.get(), bRTL);
        EXPECT_TRUE(isGrey(c.At(bRTL ? 400 - 10 - 184 + 20 : 30, 25))) << "a 184 pixels wide face 10 from the edge";
        EXPECT_EQ(WHITE, c.At(bRTL ? 20 : 380, 25));
        DrawTextAt(t.dc, "  Make a Copy ", &font, t.Whole(), 10, 5, BLUE, bRTL, Gdiplus::StringAlignmentNear);
        EXPECT_GT(t.Count(bRTL ? rightHalf : leftHalf, isBlue), 20);
        EXPECT_EQ(0, t.Count(bRTL ? leftHalf : rightHalf, isBlue));
    }
    Canvas t(400, 60);
    DrawTextAt(t.dc, " \t ", &font, t.Whole(), 10, 5, BLUE, FALSE, 0);
    DrawTextAt(t.dc, "text", NULL, t.Whole(), 10, 5, BLUE, FALSE, 0);
    DrawImageAt(t.dc, t.Whole(), 0, 0, NULL, FALSE);
    EXPECT_EQ(400 * 60, t.Count(t.Whole(), [](COLORREF c) { return c == WHITE; })) << "nothing to draw";
}

// A dialog with one of each control, drawn for real.
class Controls : public ::testing::Test
{
protected:
    enum { ID_BUTTON = 10, ID_STATIC, ID_GROUP };
    void SetUp() override
    {
        qvtest::DlgTemplate tpl(200, 120, "controls", "Arial", 10, WS_POPUP | WS_VISIBLE);
        tpl.AddItem("BUTTON", "  Co&lor Copy  ", ID_BUTTON, BS_PUSHBUTTON, 10, 10, 117, 15);
        tpl.AddItem("STATIC", "Settings: ", ID_STATIC, SS_LEFT, 10, 40, 80, 12);
        tpl.AddItem("BUTTON", "", ID_GROUP, BS_GROUPBOX, 10, 60, 150, 40);
        ASSERT_TRUE(m_dlg.CreateIndirect(tpl.Get()));
        m_button.SubclassDlgItem(ID_BUTTON, &m_dlg);
        m_static.SubclassDlgItem(ID_STATIC, &m_dlg);
        m_group.SubclassDlgItem(ID_GROUP, &m_dlg);
        m_button.SendMessage(BM_SETSTYLE, BS_OWNERDRAW, TRUE);
        m_dlg.GetClientRect(&m_rcDlg);
        m_button.GetClientRect(&m_rcButton);
    }
    void TearDown() override { m_dlg.DestroyWindow(); }
    // The button drawn over red in the given item state.
    std::unique_ptr<Canvas> Draw(UINT nState)
    {
        auto c = std::make_unique<Canvas>(m_rcButton.right, m_rcButton.bottom, RED);
        DRAWITEMSTRUCT dis = {ODT_BUTTON, ID_BUTTON, 0, ODA_DRAWENTIRE, nState, m_button.m_hWnd, c->dc, m_rcButton, 0};
        m_button.DrawItem(&dis);
        return c;
    }
    CDialog m_dlg;
    CImgButton m_button;
    CCustomStatic m_static;
    CCustomGroupBox m_group;
    RECT m_rcDlg, m_rcButton;
};

TEST_F(Controls, ButtonFaceFollowsStateHoverAndFocus)
{
    m_button.SetImages(IDP_COPYBUTTON_NORMAL, IDP_COPYBUTTON_HOVER, IDP_BUTTON_DISABLED, IMAGE_KIND_PNG, FALSE);
    m_button.SetOwnerBackground(m_rcDlg, WHITE, WHITE);
    const int cx = m_rcButton.right, cy = m_rcButton.bottom, x = cx / 10, y = cy * 8 / 10;
    // case, 0 or a mouse message before drawing, item state, face expected
    const std::tuple<const char*, UINT, UINT, UINT> rows[] = {
        {"normal", 0, 0, IDP_COPYBUTTON_NORMAL},
        {"pressed looks normal", 0, ODS_SELECTED, IDP_COPYBUTTON_NORMAL},
        {"focus shows the hover face", 0, ODS_FOCUS, IDP_COPYBUTTON_HOVER},
        {"hover", WM_MOUSEHOVER, 0, IDP_COPYBUTTON_HOVER},
        {"disabled ignores hover", WM_MOUSEHOVER, ODS_DISABLED, IDP_BUTTON_DISABLED},
        {"left again", WM_MOUSELEAVE, 0, IDP_COPYBUTTON_NORMAL},
    };
    for (auto [pszCase, nMouse, nState, nFace] : rows) {
        SCOPED_TRACE(pszCase);
        if (nMouse)
            m_button.SendMessage(nMouse);
        auto c = Draw(nState);
        EXPECT_TRUE(Near(FaceAt(nFace, cx, cy, x, y), c->At(x, y), 6));
        EXPECT_EQ(WHITE, c->At(0, 0)) << "the owner's white shows at the rounded corner";
        bool bDisabled = nState & ODS_DISABLED;
        EXPECT_EQ(bDisabled, c->Count(c->Whole(), [](COLORREF p) { return GetRValue(p) + GetGValue(p) < 100; }) == 0)
            << "a dark caption";
        EXPECT_EQ(bDisabled, c->Count(c->Whole(), [](COLORREF p) { return Near(p, RGB(172, 168, 153), 2); }) > 0)
            << "a grey caption";
    }
}

// Live GDI objects and windows of this process, counted by hand as Wine has no GetGuiResources:
// GDI objects by their table slots (a handle with a zero high word names any generation), windows
// as those of this thread with their children.
BOOL CALLBACK CountWindow(HWND, LPARAM lParam) { return ++*(DWORD*)lParam, TRUE; }
BOOL CALLBACK CountTree(HWND h, LPARAM l) { return CountWindow(h, l), EnumChildWindows(h, CountWindow, l), TRUE; }
std::pair<DWORD, DWORD> LiveObjects()
{
    std::pair<DWORD, DWORD> n = {0, 0};
    for (ULONG_PTR i = 1; i <= 0xFFFF; ++i)
        n.first += GetObjectType((HGDIOBJ)i) != 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTree, (LPARAM)&n.second);
    return n;
}

TEST_F(Controls, RepaintingLeaksNoObjects)
{
    m_button.SetImages(IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER, IDP_BUTTON_DISABLED, IMAGE_KIND_PNG, FALSE);
    m_button.SetOwnerBackground(m_rcDlg, WHITE, WHITE);
    m_group.AddEdge(CCustomGroupBox::SIDE_TOP);
    m_static.m_nAlignment = 1;
    auto paintMany = [&](int nTimes) {
        for (int i = 0; i < nTimes; ++i) {
            m_button.SendMessage(i % 2 ? WM_MOUSEHOVER : WM_MOUSELEAVE);
            m_button.EnableWindow(i % 3 != 0);
            ::RedrawWindow(m_dlg.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    };
    paintMany(10);  // caches of the first paints are not leaks
    auto before = LiveObjects();
    paintMany(100);
    EXPECT_EQ(before, LiveObjects()) << "GDI objects and windows over 100 paints";
}

}  // namespace

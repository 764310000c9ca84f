// The drawing toolkit, the picture button, the owner-drawn frame and caption, in this
// process: drawn into memory bitmaps or a test dialog and read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "common/testlib.h"
#include "controls/CustomGroupBox.h"
#include "controls/CustomStatic.h"
#include "controls/ImgButton.h"
#include "res/resource.h"
#include "controls/picture_checks.h"

namespace {

using picturecheck::FaceAt;
using picturecheck::Near;

const COLORREF RED = RGB(255, 0, 0), GREEN = RGB(0, 255, 0), BLUE = RGB(0, 0, 255), WHITE = RGB(255, 255, 255);
const UINT MISSING = 9999;

// A 32-bit memory bitmap selected into its own context.
struct Canvas
{
    Canvas(int cx, int cy, COLORREF clrFill = WHITE) : w(cx), h(cy), dc(CreateCompatibleDC(NULL))
    {
        BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        bmp = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
        old = SelectObject(dc, bmp);
        RECT rc = {0, 0, cx, cy};
        HBRUSH br = CreateSolidBrush(clrFill);
        FillRect(dc, &rc, br);
        DeleteObject(br);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        DWORD p = bits[y * w + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(const RECT& rc, bool (*pred)(COLORREF)) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += pred(At(x, y));
        return n;
    }
    RECT Whole() const { return {0, 0, w, h}; }
    int w, h;
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    DWORD* bits = nullptr;
};

GdiPicture Picture(UINT nID) { return LoadImageResource(GetModuleHandleA(NULL), nID, IMAGE_KIND_PNG); }

TEST(DrawToolkit, GradientModes)
{
    const struct
    {
        int nMode;
        COLORREF clr2;
        POINT at;
        COLORREF expected;
    } rows[] = {
        {0, BLUE, {50, 10}, WHITE}, {6, BLUE, {50, 10}, WHITE}, {5, RED, {50, 10}, RED}, {5, BLUE, {1, 10}, RED},
        {5, BLUE, {50, 10}, BLUE},  {5, BLUE, {98, 10}, RED},   {1, BLUE, {1, 10}, RED}, {1, BLUE, {98, 10}, BLUE},
        {2, BLUE, {50, 0}, RED},    {2, BLUE, {50, 19}, BLUE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("mode " + std::to_string(row.nMode) + " at " + std::to_string(row.at.x));
        Canvas c(100, 20);
        FillGradient(c.dc, c.Whole(), RED, row.clr2, row.nMode);
        EXPECT_TRUE(Near(row.expected, c.At(row.at.x, row.at.y), 16)) << std::hex << c.At(row.at.x, row.at.y);
    }
}

TEST(DrawToolkit, LoadImageResourceKindsAndMissingPictures)
{
    HMODULE hExe = GetModuleHandleA(NULL);
    GdiPicture face = LoadImageResource(hExe, IDP_BUTTON_NORMAL, IMAGE_KIND_PNG);
    ASSERT_TRUE(face);
    EXPECT_EQ(184u, face->GetWidth());
    EXPECT_EQ(28u, face->GetHeight());
    const struct
    {
        UINT nID;
        int nKind;
    } rows[] = {{IDP_BUTTON_NORMAL, 3},
                {MISSING, IMAGE_KIND_PNG},
                {IDP_BUTTON_NORMAL, IMAGE_KIND_JPEG},
                {MISSING, IMAGE_KIND_BITMAP}};
    for (const auto& row : rows)
        EXPECT_FALSE(LoadImageResource(hExe, row.nID, row.nKind)) << row.nID << " kind " << row.nKind;
}

TEST(DrawToolkit, PicturesAndTextMirrorWithinTheRectangle)
{
    GdiPicture face = Picture(IDP_BUTTON_DISABLED);  // grey and opaque in the middle
    Gdiplus::Font font(L"Arial", 20, Gdiplus::FontStyleRegular);
    auto isGrey = [](COLORREF c) { return c != WHITE && GetRValue(c) == GetBValue(c); };
    auto isBlue = [](COLORREF c) { return c == BLUE; };
    for (BOOL bRTL : {FALSE, TRUE}) {
        SCOPED_TRACE(bRTL ? "right to left" : "left to right");
        Canvas c(400, 60);
        DrawImageAt(c.dc, c.Whole(), 10, 5, face.get(), bRTL);
        int xFace = bRTL ? 400 - 10 - 184 : 10;
        EXPECT_TRUE(isGrey(c.At(xFace + 20, 25)));
        EXPECT_EQ(WHITE, c.At(bRTL ? 20 : 380, 25));
        Canvas t(400, 60);
        DrawTextAt(t.dc, "  Make a Copy ", &font, t.Whole(), 10, 5, BLUE, bRTL, Gdiplus::StringAlignmentNear);
        RECT leftHalf = {0, 0, 200, 60}, rightHalf = {200, 0, 400, 60};
        EXPECT_GT(t.Count(bRTL ? rightHalf : leftHalf, +isBlue), 20);
        EXPECT_EQ(0, t.Count(bRTL ? leftHalf : rightHalf, +isBlue));
    }
    Canvas t(400, 60);
    DrawTextAt(t.dc, " \t ", &font, t.Whole(), 10, 5, BLUE, FALSE, 0);
    DrawTextAt(t.dc, "text", NULL, t.Whole(), 10, 5, BLUE, FALSE, 0);
    DrawImageAt(t.dc, t.Whole(), 0, 0, NULL, FALSE);
    EXPECT_EQ(400 * 60, t.Count(t.Whole(), [](COLORREF c) { return c == WHITE; }));
}

TEST(DrawToolkit, ControlFontFollowsTheCodePage)
{
    const struct
    {
        UINT nCodePage;
        int nDpi;
        LONG lfHeight;
        BYTE nCharSet;
        const char* pszFace;
    } rows[] = {{1252, 96, -13, DEFAULT_CHARSET, "Arial"},
                {1256, 120, -16, ARABIC_CHARSET, ""},
                {1255, 0, 16, HEBREW_CHARSET, ""},
                {932, 96, -13, SHIFTJIS_CHARSET, "\x82\x6c\x82\x72"}};
    for (const auto& row : rows) {
        LOGFONTA lf;
        ControlFontFor(row.nCodePage, row.nDpi, lf);
        EXPECT_EQ(row.lfHeight, lf.lfHeight) << row.nCodePage;
        EXPECT_EQ(row.nCharSet, lf.lfCharSet) << row.nCodePage;
        EXPECT_EQ(0, strncmp(row.pszFace, lf.lfFaceName, strlen(row.pszFace))) << row.nCodePage;
        EXPECT_EQ(row.pszFace[0] == '\0', lf.lfFaceName[0] == '\0') << row.nCodePage;
    }
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
    // The button drawn into a bitmap in the given item state.
    COLORREF ButtonAt(UINT nState, int x, int y, int* pnCaptionDark = nullptr, int* pnCaptionGrey = nullptr)
    {
        Canvas c(m_rcButton.right, m_rcButton.bottom, RED);
        DRAWITEMSTRUCT dis = {ODT_BUTTON, ID_BUTTON, 0, ODA_DRAWENTIRE, nState, m_button.m_hWnd, c.dc, m_rcButton, 0};
        m_button.DrawItem(&dis);
        if (pnCaptionDark)
            *pnCaptionDark = c.Count(c.Whole(), [](COLORREF p) { return GetRValue(p) + GetGValue(p) < 100; });
        if (pnCaptionGrey)
            *pnCaptionGrey = c.Count(c.Whole(), [](COLORREF p) { return Near(p, RGB(172, 168, 153), 2); });
        return c.At(x, y);
    }
    COLORREF ScreenAt(const CWnd& wnd, int x, int y)
    {
        ::RedrawWindow(wnd.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC hDC = ::GetDC(wnd.m_hWnd);
        COLORREF clr = ::GetPixel(hDC, x, y);
        ::ReleaseDC(wnd.m_hWnd, hDC);
        return clr;
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
    const struct
    {
        const char* pszCase;
        UINT nMouse;  // 0, WM_MOUSEHOVER or WM_MOUSELEAVE before drawing
        UINT nState;
        UINT nFace;
    } rows[] = {
        {"normal", 0, 0, IDP_COPYBUTTON_NORMAL},
        {"pressed looks normal", 0, ODS_SELECTED, IDP_COPYBUTTON_NORMAL},
        {"focus shows the hover face", 0, ODS_FOCUS, IDP_COPYBUTTON_HOVER},
        {"hover", WM_MOUSEHOVER, 0, IDP_COPYBUTTON_HOVER},
        {"disabled ignores hover", WM_MOUSEHOVER, ODS_DISABLED, IDP_BUTTON_DISABLED},
        {"left again", WM_MOUSELEAVE, 0, IDP_COPYBUTTON_NORMAL},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszCase);
        if (row.nMouse)
            m_button.SendMessage(row.nMouse);
        int nDark = 0, nGrey = 0;
        EXPECT_TRUE(Near(FaceAt(row.nFace, cx, cy, x, y), ButtonAt(row.nState, x, y, &nDark, &nGrey), 6));
        EXPECT_EQ(WHITE, ButtonAt(row.nState, 0, 0)) << "the owner's white shows at the rounded corner";
        bool bDisabled = row.nState & ODS_DISABLED;
        EXPECT_EQ(bDisabled, nDark == 0);
        EXPECT_EQ(bDisabled, nGrey > 0);
    }
}

TEST_F(Controls, ButtonWithoutPicturesShowsBackgroundAndFocusRectangle)
{
    m_button.SetImages(IDP_BUTTON_NORMAL, MISSING, MISSING, IMAGE_KIND_PNG, FALSE);
    const int yMid = m_rcButton.bottom / 2;
    EXPECT_TRUE(ButtonAt(0, 4, yMid) != ButtonAt(ODS_FOCUS, 4, yMid) ||
                ButtonAt(0, 4, yMid + 1) != ButtonAt(ODS_FOCUS, 4, yMid + 1))
        << "dotted focus rectangle 4 pixels inside";
    m_button.SendMessage(WM_MOUSEHOVER);
    m_button.SetOwnerBackground(m_rcDlg, GREEN, GREEN);
    EXPECT_EQ(GREEN, ButtonAt(0, m_rcButton.right / 10, 3)) << "no hover picture: no picture at all";
}

TEST_F(Controls, GroupBoxDrawsOnlyWhatItIsGiven)
{
    RECT rcBox;
    m_group.GetScreenRect(rcBox);
    EXPECT_NE(BLUE, ScreenAt(m_group, 20, 0));
    for (int nSide : {4, -1})
        m_group.AddEdge(nSide);
    m_group.AddEdge(CCustomGroupBox::SIDE_TOP);
    m_group.AddEdge(CCustomGroupBox::SIDE_LEFT);
    m_group.AddEdge(CCustomGroupBox::SIDE_LEFT);
    m_group.AddLine(rcBox.left - 5, rcBox.top + 10, rcBox.left + 30, rcBox.top + 10);
    EXPECT_EQ(3, m_group.Sides().GetSize());
    const CustomEdge& edge = m_group.Segments().GetHead();
    EXPECT_EQ(-5, edge.x1);
    EXPECT_EQ(10, edge.y1);
    for (POINT pt : {POINT{20, 0}, POINT{0, 20}, POINT{20, 10}, POINT{40, 10}})
        EXPECT_EQ(pt.x != 40, ScreenAt(m_group, pt.x, pt.y) == BLUE) << pt.x << "," << pt.y;
}

// Live objects of this process; Wine's GetGuiResources is not implemented, so GDI objects are
// then counted by their table slots (a handle with a zero high word names any generation).
DWORD GdiObjectCount()
{
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    DWORD n = 0;
    for (ULONG_PTR i = 1; i <= 0xFFFF; ++i)
        n += GetObjectType((HGDIOBJ)i) != 0;
    return n;
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam) { return ++*(DWORD*)lParam, TRUE; }
BOOL CALLBACK CountChildWindows(HWND hWnd, LPARAM lParam) { return EnumChildWindows(hWnd, CountWindow, lParam), TRUE; }

DWORD UserObjectCount()
{
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
        return n;
    DWORD n = 0;  // then the windows of this thread and their children
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, (LPARAM)&n);
    EnumThreadWindows(GetCurrentThreadId(), CountChildWindows, (LPARAM)&n);
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
    DWORD nGdiBefore = GdiObjectCount(), nUserBefore = UserObjectCount();
    paintMany(100);
    DWORD nGdiAfter = GdiObjectCount(), nUserAfter = UserObjectCount();
    printf("GDI objects %lu -> %lu, user objects %lu -> %lu over 100 paints\n", nGdiBefore, nGdiAfter, nUserBefore,
           nUserAfter);
    EXPECT_EQ(nGdiBefore, nGdiAfter);
    EXPECT_EQ(nUserBefore, nUserAfter);
}

}  // namespace

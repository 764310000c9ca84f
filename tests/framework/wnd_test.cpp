#include <gtest/gtest.h>

#include "testsupport.h"

namespace {

// Notes what each handler received.
class CProbeWnd : public CWnd
{
public:
    CString log;
    int nPostNcDestroy = 0;
    int nPreSubclass = 0;

    void Note(const char* pszFormat, ...) AFX_PRINTF_FORMAT(2, 3)
    {
        va_list args;
        va_start(args, pszFormat);
        log.FormatV(pszFormat, args);
        va_end(args);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP + 3)
            return 333;  // before the map
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PreSubclassWindow() override { ++nPreSubclass; }
    void PostNcDestroy() override { ++nPostNcDestroy; }

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Note("sys %u %ld", nID, (long)lParam); }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint pt) { Note("rup %u %ld %ld", nFlags, pt.x, pt.y); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt) { Note("ldown %u %ld %ld", nFlags, pt.x, pt.y); }
    afx_msg void OnLButtonUp(UINT, CPoint pt) { Note("lup %ld %ld", pt.x, pt.y); }
    afx_msg void OnMouseMove(UINT, CPoint pt) { Note("move %ld %ld", pt.x, pt.y); }
    afx_msg void OnMouseHover(UINT, CPoint pt) { Note("hover %ld %ld", pt.x, pt.y); }
    afx_msg void OnMouseLeave() { Note("leave"); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        Note("erase %d", pDC != nullptr);
        return 7;
    }
    afx_msg UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM)
    {
        Note("power %u", nPowerEvent);
        return 0;
    }
    afx_msg HCURSOR OnQueryDragIcon() { return (HCURSOR)(UINT_PTR)0x1234; }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Note("timer %u", (unsigned)nIDEvent); }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Note("size %u %d %d", nType, cx, cy); }
    afx_msg void OnClose() { Note("close"); }  // no default: the window stays
    afx_msg void OnDestroy()
    {
        Note("destroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        Note("paint %d", dc.m_hDC != NULL);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_SYSCOMMAND()
ON_WM_RBUTTONUP()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
ON_WM_ERASEBKGND()
ON_WM_POWERBROADCAST()
ON_WM_QUERYDRAGICON()
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

TEST(WndTest, HandlersGetTheirArgumentsAndResults)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 10, 10, 120, 80, NULL, NULL));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    HDC hDC = ::GetDC(wnd.m_hWnd);
    const struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* note;
        LRESULT result;
    } cases[] = {
        {WM_SYSCOMMAND, 0x10 | 3, 77, "sys 19 77", 0},
        {WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(-5, 12), "rup 4 -5 12", 0},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2), "ldown 1 1 2", 0},
        {WM_LBUTTONUP, 0, MAKELPARAM(3, 4), "lup 3 4", 0},
        {WM_MOUSEMOVE, 0, MAKELPARAM(5, 6), "move 5 6", 0},
        {WM_MOUSEHOVER, 0, MAKELPARAM(7, 8), "hover 7 8", 0},
        {WM_MOUSELEAVE, 0, 0, "leave", 0},
        {WM_ERASEBKGND, (WPARAM)hDC, 0, "erase 1", 7},
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, "power 18", 0},
        {WM_QUERYDRAGICON, 0, 0, "", 0x1234},
        {WM_APP + 3, 0, 0, "", 333},
        {WM_TIMER, 42, 0, "timer 42", 0},
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 50), "size 0 100 50", 0},
        {WM_CLOSE, 0, 0, "close", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        wnd.log.Empty();
        EXPECT_EQ(c.result, wnd.SendMessage(c.message, c.wParam, c.lParam));
        EXPECT_STREQ(c.note, wnd.log);
    }
    ::ReleaseDC(wnd.m_hWnd, hDC);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));  // OnClose did not call the default
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_STREQ("paint 1", wnd.log);
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_STREQ("destroy", wnd.log);
    EXPECT_EQ(1, wnd.nPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(WndTest, CreatedWindowsGoWithTheirObjectBoundOnesAreRestored)
{
    HWND hWnd = NULL;
    {
        CProbeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    hWnd = CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);
    LONG_PTR original = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    EXPECT_EQ(CWnd::FromHandle(hWnd), CWnd::FromHandle(hWnd));  // one temporary per handle
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    {
        CProbeWnd probe;
        ASSERT_TRUE(probe.SubclassWindow(hWnd));
        EXPECT_EQ(1, probe.nPreSubclass);
        EXPECT_FALSE(CProbeWnd().SubclassWindow(hWnd));  // bound once only
        EXPECT_EQ(&probe, CWnd::FromHandle(hWnd));
        probe.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
        EXPECT_STREQ("move 9 9", probe.log);
        CString text;
        probe.GetWindowText(text);  // unmapped messages reach the original procedure
        EXPECT_STREQ("plain", text);
        EXPECT_EQ(hWnd, probe.UnsubclassWindow());
        EXPECT_EQ(nullptr, probe.m_hWnd);
    }
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(original, GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    CProbeWnd again;
    ASSERT_TRUE(again.SubclassWindow(hWnd));
    DestroyWindow(hWnd);  // unbinds the object
    EXPECT_EQ(nullptr, again.m_hWnd);
    EXPECT_EQ(1, again.nPostNcDestroy);
}

TEST(WndTest, WindowHelpers)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "Sa&ve", WS_POPUP, 100, 100, 80, 30, NULL, NULL));
    CRect rc(0, 0, 5, 5);
    wnd.ClientToScreen(&rc);
    EXPECT_EQ(CRect(100, 100, 105, 105), rc);
    CDC* pDC = wnd.GetDC();
    ASSERT_NE(nullptr, pDC);
    EXPECT_EQ(96, pDC->GetDeviceCaps(LOGPIXELSY));
    EXPECT_EQ(1, wnd.ReleaseDC(pDC));
    wnd.DestroyWindow();
}

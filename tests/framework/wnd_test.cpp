#include <gtest/gtest.h>

#include "testsupport.h"

namespace {

// Records what each handler received; created with CreateEx.
class CProbeWnd : public CWnd {
public:
    std::vector<CString> calls;
    int nPostNcDestroy = 0;
    int nPreSubclass = 0;

    void Note(const char* pszFormat, ...) AFX_PRINTF_FORMAT(2, 3) {
        va_list args;
        va_start(args, pszFormat);
        CString s;
        s.FormatV(pszFormat, args);
        va_end(args);
        calls.push_back(s);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP + 3) return 333;  // before the map
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
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
        Note("erase %d", pDC != nullptr);
        return 7;
    }
    afx_msg UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM) {
        Note("power %u", nPowerEvent);
        return 0;
    }
    afx_msg HCURSOR OnQueryDragIcon() { return (HCURSOR)(UINT_PTR)0x1234; }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Note("timer %u", (unsigned)nIDEvent); }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Note("size %u %d %d", nType, cx, cy); }
    afx_msg void OnClose() { Note("close"); }  // no default: the window stays
    afx_msg void OnDestroy() {
        Note("destroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnPaint() {
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

bool Contains(const std::vector<CString>& calls, const char* psz) {
    for (const CString& s : calls)
        if (s == psz) return true;
    return false;
}

}  // namespace

TEST(WndTest, HandlersGetTheirArgumentsAndResults) {
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 10, 10, 120, 80, NULL, NULL));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    wnd.SendMessage(WM_SYSCOMMAND, 0x10 | 3, 77);
    wnd.SendMessage(WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(-5, 12));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2));
    wnd.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    wnd.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(7, 8));
    wnd.SendMessage(WM_MOUSELEAVE);
    HDC hDC = ::GetDC(wnd.m_hWnd);
    EXPECT_EQ(7, wnd.SendMessage(WM_ERASEBKGND, (WPARAM)hDC));
    ::ReleaseDC(wnd.m_hWnd, hDC);
    EXPECT_EQ(0, wnd.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC));
    EXPECT_EQ(0x1234, wnd.SendMessage(WM_QUERYDRAGICON));
    EXPECT_EQ(333, wnd.SendMessage(WM_APP + 3));
    wnd.SendMessage(WM_TIMER, 42);
    wnd.MoveWindow(10, 10, 100, 50);
    wnd.SendMessage(WM_CLOSE);
    wnd.Invalidate();
    wnd.UpdateWindow();

    const auto& c = wnd.calls;
    EXPECT_TRUE(Contains(c, "sys 19 77"));
    EXPECT_TRUE(Contains(c, "rup 4 -5 12"));
    EXPECT_TRUE(Contains(c, "ldown 1 1 2"));
    EXPECT_TRUE(Contains(c, "lup 3 4"));
    EXPECT_TRUE(Contains(c, "move 5 6"));
    EXPECT_TRUE(Contains(c, "hover 7 8"));
    EXPECT_TRUE(Contains(c, "leave"));
    EXPECT_TRUE(Contains(c, "erase 1"));
    EXPECT_TRUE(Contains(c, "power 18"));
    EXPECT_TRUE(Contains(c, "timer 42"));
    EXPECT_TRUE(Contains(c, "size 0 100 50"));
    EXPECT_TRUE(Contains(c, "close"));
    EXPECT_TRUE(Contains(c, "paint 1"));
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));  // OnClose did not call the default

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(Contains(wnd.calls, "destroy"));
    EXPECT_EQ(1, wnd.nPostNcDestroy);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
}

TEST(WndTest, ObjectDestroysTheWindowItCreated) {
    HWND hWnd = NULL;
    {
        CProbeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(WndTest, SubclassAndUnsubclassRestoreTheWindow) {
    HWND hWnd = CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 50, 20, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hWnd);
    LONG_PTR original = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    {
        CProbeWnd probe;
        ASSERT_TRUE(probe.SubclassWindow(hWnd));
        EXPECT_EQ(1, probe.nPreSubclass);
        EXPECT_FALSE(CProbeWnd().SubclassWindow(hWnd));  // bound once only
        EXPECT_EQ(&probe, CWnd::FromHandle(hWnd));
        probe.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
        EXPECT_TRUE(Contains(probe.calls, "move 9 9"));
        CString text;
        probe.GetWindowText(text);  // unmapped messages reach the original procedure
        EXPECT_STREQ("plain", text);
        EXPECT_EQ(hWnd, probe.UnsubclassWindow());
        EXPECT_EQ(nullptr, probe.m_hWnd);
    }
    EXPECT_TRUE(IsWindow(hWnd));  // a bound, not created, window outlives its object
    EXPECT_EQ(original, GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    CProbeWnd again;
    ASSERT_TRUE(again.SubclassWindow(hWnd));
    DestroyWindow(hWnd);  // unbinds the object
    EXPECT_EQ(nullptr, again.m_hWnd);
    EXPECT_EQ(1, again.nPostNcDestroy);
}

TEST(WndTest, WindowHelpers) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "Sa&ve", WS_POPUP, 100, 100, 80, 30, NULL, NULL));
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("Sa&ve", text);
    wnd.SetWindowText("Settings");
    EXPECT_EQ(8, wnd.GetWindowTextLength());
    CRect rc;
    wnd.GetWindowRect(&rc);
    EXPECT_EQ(CRect(100, 100, 180, 130), rc);
    CPoint pt(110, 120);
    wnd.ScreenToClient(&pt);
    EXPECT_EQ(CPoint(10, 20), pt);
    CRect screen(0, 0, 5, 5);
    wnd.ClientToScreen(&screen);
    EXPECT_EQ(CRect(100, 100, 105, 105), screen);
    wnd.EnableWindow(FALSE);
    EXPECT_FALSE(wnd.IsWindowEnabled());
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(80, "Arial"));
    wnd.SetFont(&font);
    EXPECT_EQ((HFONT)font, (HFONT)*wnd.GetFont());
    CDC* pDC = wnd.GetDC();
    ASSERT_NE(nullptr, pDC);
    EXPECT_EQ(96, pDC->GetDeviceCaps(LOGPIXELSY));
    EXPECT_EQ(1, wnd.ReleaseDC(pDC));
    EXPECT_EQ(&wnd, wnd.GetTopLevelParent());
    wnd.DestroyWindow();
}

#include "testsupport.h"

#include <thread>

namespace {

// Notes what each handler received.
class CProbeWnd : public CWnd
{
public:
    CString log;

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

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Note("sys %u %ld", nID, (long)lParam); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt) { Note("move %u %ld %ld", nFlags, pt.x, pt.y); }
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
    afx_msg void OnClose() { Note("close"); }  // no default: the window stays
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        Note("paint %d", dc.m_hDC != NULL);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_SYSCOMMAND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_ERASEBKGND()
ON_WM_POWERBROADCAST()
ON_WM_QUERYDRAGICON()
ON_WM_TIMER()
ON_WM_CLOSE()
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
        {WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-5, 6), "move 4 -5 6", 0},
        {WM_MOUSELEAVE, 0, 0, "leave", 0},
        {WM_ERASEBKGND, (WPARAM)hDC, 0, "erase 1", 7},
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, "power 18", 0},
        {WM_QUERYDRAGICON, 0, 0, "", 0x1234},
        {WM_APP + 3, 0, 0, "", 333},
        {WM_TIMER, 42, 0, "timer 42", 0},
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
}

// Temporary wrappers: one per handle and thread, never owning the handle.
TEST(WndTest, TemporaryWrappersLeaveTheirHandlesAlone)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    HWND hChild = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, wnd.m_hWnd, NULL, NULL, NULL);
    HMENU hMenu = CreatePopupMenu();
    HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
    HDC hDC = GetDC(wnd.m_hWnd);
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));  // a bound window is its object
    CWnd* pChild = CWnd::FromHandle(hChild);
    CMenu* pMenu = CMenu::FromHandle(hMenu);
    CGdiObject* pBrush = CBrush::FromHandle(hBrush);
    CDC* pDC = CDC::FromHandle(hDC);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hChild));
    EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));
    // Enough dead handles that the maps drop their wrappers.
    for (int i = 0; i < 80; ++i) {
        HMENU hDead = CreatePopupMenu();
        CMenu::FromHandle(hDead);
        DestroyMenu(hDead);
        HBRUSH hDeadBrush = CreateSolidBrush(RGB(i, 0, 0));
        CBrush::FromHandle(hDeadBrush);
        DeleteObject(hDeadBrush);
    }
    // A thread's wrappers go when it ends; the handles stay.
    std::thread([&] {
        CWnd::FromHandle(hChild);
        CMenu::FromHandle(hMenu);
        CBrush::FromHandle(hBrush);
        CDC::FromHandle(hDC);
    }).join();
    const struct
    {
        const void *first, *again;
        bool alive;
    } kinds[] = {
        {pChild, CWnd::FromHandle(hChild), IsWindow(hChild) != 0},
        {pMenu, CMenu::FromHandle(hMenu), IsMenu(hMenu) != 0},
        {pBrush, CBrush::FromHandle(hBrush), GetObjectType(hBrush) == OBJ_BRUSH},
        {pDC, CDC::FromHandle(hDC), GetObjectType(hDC) == OBJ_DC},
    };
    for (const auto& kind : kinds) {
        EXPECT_EQ(kind.first, kind.again) << &kind - kinds;
        EXPECT_TRUE(kind.alive) << &kind - kinds;
    }
    EXPECT_EQ(hChild, pChild->m_hWnd);
    ReleaseDC(wnd.m_hWnd, hDC);
    DeleteObject(hBrush);
    DestroyMenu(hMenu);
}

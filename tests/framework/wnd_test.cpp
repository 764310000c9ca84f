#include "testsupport.h"

#include <stdio.h>

namespace {

enum { ID_ITEM = 7 };
UINT g_nRegistered;  // registered at run time: the map reads it at dispatch

// Notes what each handler received.
class CProbeWnd : public CWnd
{
public:
    char log[64] = "";
    void Note(const char* pszWhat, long a = 0, long b = 0) { snprintf(log, sizeof log, "%s %ld %ld", pszWhat, a, b); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Note("sys", nID, (long)lParam); }
    afx_msg void OnMouseMove(UINT, CPoint pt) { Note("move", pt.x, pt.y); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return pDC->m_hDC ? 7 : 0; }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        Note("color", nCtlColor, pWnd == this);
        return (HBRUSH)(UINT_PTR)(pDC->m_hDC ? 9 : 0);
    }
    afx_msg UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM) { return nPowerEvent + 1; }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Note("timer", (long)nIDEvent); }
    afx_msg void OnClicked() { Note("click"); }
    afx_msg void OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = (LRESULT)pNMHDR->idFrom * 2; }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam) { return (LRESULT)wParam + lParam; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
ON_WM_SYSCOMMAND()
ON_WM_MOUSEMOVE()
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
ON_WM_POWERBROADCAST()
ON_WM_TIMER()
ON_BN_CLICKED(ID_ITEM, &CProbeWnd::OnClicked)
ON_NOTIFY(UDN_DELTAPOS, ID_ITEM, &CProbeWnd::OnDeltaPos)
ON_REGISTERED_MESSAGE(g_nRegistered, &CProbeWnd::OnRegistered)
END_MESSAGE_MAP()

}  // namespace

TEST(WndTest, HandlersGetTheirArgumentsAndResults)
{
    g_nRegistered = RegisterWindowMessageA("FrameworkTest.Registered");
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "probe", WS_POPUP, 10, 10, 120, 80, NULL, NULL));
    HDC hDC = ::GetDC(wnd.m_hWnd);
    NMHDR nm = {NULL, ID_ITEM, (UINT)UDN_DELTAPOS};
    const struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* note;
        LRESULT result;
    } cases[] = {
        {WM_SYSCOMMAND, 0x10 | 3, 77, "sys 19 77", 0},
        {WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(-5, 6), "move -5 6", 0},
        {WM_ERASEBKGND, (WPARAM)hDC, 0, "", 7},
        {WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)wnd.m_hWnd, "color 6 1", 9},
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, "", PBT_APMRESUMEAUTOMATIC + 1},
        {WM_TIMER, 42, 0, "timer 42 0", 0},
        {WM_COMMAND, MAKEWPARAM(ID_ITEM, BN_CLICKED), 0, "click 0 0", 0},
        {WM_COMMAND, MAKEWPARAM(ID_ITEM, EN_CHANGE), 0, "", 0},
        {WM_COMMAND, MAKEWPARAM(ID_ITEM + 1, BN_CLICKED), 0, "", 0},
        {WM_NOTIFY, ID_ITEM, (LPARAM)&nm, "", ID_ITEM * 2},
        {g_nRegistered, 3, 4, "", 7},
    };
    for (const auto& c : cases) {
        wnd.log[0] = 0;
        EXPECT_EQ(c.result, wnd.SendMessage(c.message, c.wParam, c.lParam)) << c.message;
        EXPECT_STREQ(c.note, wnd.log) << c.message;
    }
    ::ReleaseDC(wnd.m_hWnd, hDC);
}

#include <gtest/gtest.h>

#include <vector>

#include "app/CopyApp.h"

namespace {

std::vector<UINT> g_relayed;

// Stands for the tooltip control: records the messages relayed to it.
LRESULT CALLBACK RecordRelay(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == TTM_RELAYEVENT)
        g_relayed.push_back(reinterpret_cast<MSG*>(lParam)->message);
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

class MessageFilter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordRelay;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "RelayRecorder";
        RegisterClassA(&wc);
        m_hTip = CreateWindowExA(0, "RelayRecorder", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        m_tip.Attach(m_hTip);
        m_hDlg = CreateWindowExA(0, "STATIC", "dlg", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
        m_hChild = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 10, 10, m_hDlg, NULL, NULL, NULL);
        m_hOther = CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        g_relayed.clear();
    }
    void TearDown() override
    {
        m_tip.Detach();
        DestroyWindow(m_hTip);
        DestroyWindow(m_hDlg);
        DestroyWindow(m_hOther);
    }
    void Filter(HWND hWnd, UINT uMsg)
    {
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = uMsg;
        m_app.ProcessMessageFilter(MSGF_DIALOGBOX, &msg);
    }

    replika::CCopyApp m_app;
    CToolTipCtrl m_tip;
    HWND m_hTip = NULL, m_hDlg = NULL, m_hChild = NULL, m_hOther = NULL;
};

} // namespace

TEST_F(MessageFilter, RelaysMessagesOfTheDialogAndItsControlsToTheTooltip)
{
    m_app.m_hDlgWnd = m_hDlg;
    m_app.m_pToolTip = &m_tip;
    Filter(m_hDlg, WM_MOUSEMOVE);
    Filter(m_hChild, WM_LBUTTONDOWN);
    Filter(m_hOther, WM_MOUSEMOVE);
    EXPECT_EQ((std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN}), g_relayed);
}

TEST_F(MessageFilter, RelaysNothingWithoutDialogOrTooltip)
{
    m_app.m_pToolTip = &m_tip;
    Filter(m_hDlg, WM_MOUSEMOVE);
    m_app.m_hDlgWnd = m_hDlg;
    m_app.m_pToolTip = NULL;
    Filter(m_hDlg, WM_MOUSEMOVE);
    EXPECT_TRUE(g_relayed.empty());
}

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

}  // namespace

TEST(MessageFilter, RelaysOnlyMessagesOfTheDialogAndItsControlsOnceBothAreSet)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordRelay;
    wc.lpszClassName = "RelayRecorder";
    RegisterClassA(&wc);
    HWND hTip = CreateWindowExA(0, "RelayRecorder", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND hDlg = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HWND hChild = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, hDlg, NULL, NULL, NULL);
    CToolTipCtrl tip;
    tip.Attach(hTip);
    replika::CCopyApp app;
    auto filter = [&](HWND hWnd, UINT uMsg) {
        MSG msg = {hWnd, uMsg, 0, 0, 0, {0, 0}};
        app.ProcessMessageFilter(MSGF_DIALOGBOX, &msg);
    };
    app.m_pToolTip = &tip;
    filter(hDlg, WM_RBUTTONUP);  // no dialog yet
    app.m_hDlgWnd = hDlg;
    filter(hDlg, WM_MOUSEMOVE);
    filter(hChild, WM_LBUTTONDOWN);
    filter(hTip, WM_KEYDOWN);  // not the dialog's
    app.m_pToolTip = NULL;
    filter(hDlg, WM_LBUTTONUP);
    EXPECT_EQ((std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN}), g_relayed);
    tip.Detach();
    DestroyWindow(hTip);
    DestroyWindow(hDlg);
}

// The application object's parts that need no process of their own.
#include <gtest/gtest.h>

#include <vector>

#include "app/CopyApp.h"
#include "app/SingleInstance.h"
#include "common/testlib.h"

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

TEST(AppObject, RelaysOnlyMessagesOfTheDialogAndItsControlsOnceBothAreSet)
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
    app.SetToolTipRelay(NULL, &tip);
    filter(hDlg, WM_RBUTTONUP);  // no dialog yet
    app.SetToolTipRelay(hDlg, &tip);
    filter(hDlg, WM_MOUSEMOVE);
    filter(hChild, WM_LBUTTONDOWN);
    filter(hTip, WM_KEYDOWN);  // not the dialog's
    app.SetToolTipRelay(hDlg, NULL);
    filter(hDlg, WM_LBUTTONUP);
    EXPECT_EQ((std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN}), g_relayed);

    // Message 0 is what a failed registration gives: every window answers it with 0.
    g_uInstanceProbeMsg = 0;
    EXPECT_FALSE(replika::BringRunningInstanceForward());
    tip.Detach();
    DestroyWindow(hTip);
    DestroyWindow(hDlg);
}

// A start that ends before COM was set up (no context ID, a scanner-only device) must not
// undo COM that someone else set up on the thread.
TEST(AppObject, ExitUndoesOnlyTheCOMThatStartUpSetUp)
{
    ASSERT_EQ(S_OK, CoInitialize(NULL));
    {
        replika::CCopyApp app;
        app.ExitInstance();
    }
    EXPECT_EQ(RPC_E_CHANGED_MODE, CoInitializeEx(NULL, COINIT_MULTITHREADED)) << "the thread's apartment is gone";
    CoUninitialize();
}

// Runs DetectRightToLeft against the registered stand-in context manager.
TEST(AppObject, OnlyHebrewAndArabicInLowerCaseMirror)
{
    const struct
    {
        const char* pszKey;
        const char* pszValue;
        BOOL bExpected;
    } rows[] = {
        {"DefLangAbbrev", "heb", 1}, {"DefLangAbbrev", "ara", 1},  {"DefLangAbbrev", "enu", 0},
        {"DefLangAbbrev", "HEB", 0}, {"DefLangAbbrev", "hebr", 0}, {"FailExpand", "1", 0},
    };
    qvtest::ComApartment com;
    qvtest::SimFolder sim;
    CQVDSKInfcCache cache;
    cache.SetContextID("#QV#Jet#RTL");
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.pszKey) + "=" + row.pszValue);
        sim.WriteIni("contexts.ini", "#QV#Jet#RTL", row.pszKey, row.pszValue);
        g_bRTLLayout = 7;  // the detection must set it either way
        replika::DetectRightToLeft(cache);
        EXPECT_EQ(row.bExpected, g_bRTLLayout);
    }
    cache.ReleaseAll();
}

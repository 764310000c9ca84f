#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "res/resource.h"
#include "status/StatusDlg.h"

using replika::CStatusDlg;

namespace {

struct Seen {
    std::string title, message;
    bool continueShown = false, cancelShown = false, singleShown = false;
    std::string continueText, cancelText, singleText;
    RECT single = {}, client = {};
};

std::string Text(HWND hWnd)
{
    char sz[512] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (IsWindowVisible(hWnd) && lstrcmpA(szClass, "#32770") == 0) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Runs the dialog modally on this thread while a second thread looks at it and then
// acts on it (act receives the dialog window). Returns DoModal's result.
INT_PTR RunDialog(CStatusDlg& dlg, Seen& seen, const std::function<void(HWND)>& act)
{
    DWORD dwUiThread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND hDlg = NULL;
        // Hang guard only.
        for (int i = 0; i < 1000 && hDlg == NULL; ++i) {
            EnumThreadWindows(dwUiThread, FindDialog, reinterpret_cast<LPARAM>(&hDlg));
            if (hDlg == NULL)
                Sleep(10);
        }
        if (hDlg == NULL)
            return;
        auto item = [&](int id) { return GetDlgItem(hDlg, id); };
        seen.title = Text(hDlg);
        seen.message = Text(item(IDC_STATUS_MESSAGE));
        seen.continueShown = IsWindowVisible(item(IDC_BTN_CONTINUE));
        seen.cancelShown = IsWindowVisible(item(IDC_BTN_CANCEL));
        seen.singleShown = IsWindowVisible(item(IDC_BTN_SINGLE));
        seen.continueText = Text(item(IDC_BTN_CONTINUE));
        seen.cancelText = Text(item(IDC_BTN_CANCEL));
        seen.singleText = Text(item(IDC_BTN_SINGLE));
        GetWindowRect(item(IDC_BTN_SINGLE), &seen.single);
        GetClientRect(hDlg, &seen.client);
        MapWindowPoints(hDlg, NULL, reinterpret_cast<POINT*>(&seen.client), 2);
        act(hDlg);
    });
    INT_PTR result = dlg.DoModal();
    driver.join();
    return result;
}

auto Click(int nID)
{
    return [nID](HWND hDlg) { PostMessageA(GetDlgItem(hDlg, nID), BM_CLICK, 0, 0); };
}

void CloseFrame(HWND hDlg)
{
    PostMessageA(hDlg, WM_CLOSE, 0, 0);
}

} // namespace

TEST(StatusDlg, QuestionShowsBothButtonsWithTheCallersCaptions)
{
    CStatusDlg dlg(NULL, "Place the original in the feeder.", "OK", "Cance&l", 1, 1, "QV Copy: Jet");
    Seen seen;
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, seen, Click(IDC_BTN_CANCEL)));
    EXPECT_EQ("QV Copy: Jet", seen.title);
    EXPECT_EQ("Place the original in the feeder.", seen.message);
    EXPECT_TRUE(seen.continueShown);
    EXPECT_TRUE(seen.cancelShown);
    EXPECT_FALSE(seen.singleShown);
    EXPECT_EQ("OK", seen.continueText);
    EXPECT_EQ("Cance&l", seen.cancelText);
}

TEST(StatusDlg, QuestionContinueGivesOKAndClosingGivesCancel)
{
    Seen seen;
    CStatusDlg ok(NULL, "m", "OK", "Cance&l", 1, 1, "t");
    EXPECT_EQ(IDOK, RunDialog(ok, seen, Click(IDC_BTN_CONTINUE)));
    CStatusDlg closed(NULL, "m", "OK", "Cance&l", 1, 1, "t");
    EXPECT_EQ(IDCANCEL, RunDialog(closed, seen, CloseFrame));
}

TEST(StatusDlg, NoticeShowsOneCentredButtonWithTheContinueCaptionAndGivesOK)
{
    CStatusDlg dlg(NULL, "The device is not responding", "OK", "", 1, 0, "QV Copy");
    Seen seen;
    EXPECT_EQ(IDOK, RunDialog(dlg, seen, Click(IDC_BTN_SINGLE)));
    EXPECT_TRUE(seen.singleShown);
    EXPECT_FALSE(seen.continueShown);
    EXPECT_FALSE(seen.cancelShown);
    EXPECT_EQ("OK", seen.singleText);
    long buttonMid = (seen.single.left + seen.single.right) / 2;
    long clientMid = (seen.client.left + seen.client.right) / 2;
    EXPECT_NEAR(clientMid, buttonMid, 3);
}

TEST(StatusDlg, CancelOnlyNoticeShowsTheCancelCaptionAndGivesCancel)
{
    CStatusDlg dlg(NULL, "m", "OK", "Cance&l", 0, 1, "t");
    Seen seen;
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, seen, Click(IDC_BTN_SINGLE)));
    EXPECT_TRUE(seen.singleShown);
    EXPECT_FALSE(seen.continueShown);
    EXPECT_FALSE(seen.cancelShown);
    EXPECT_EQ("Cance&l", seen.singleText);
}

TEST(StatusDlg, EnterPressesTheSingleButton)
{
    Seen seen;
    auto pressEnter = [](HWND hDlg) {
        PostMessageA(GetDlgItem(hDlg, IDC_BTN_SINGLE), WM_KEYDOWN, VK_RETURN, 0);
    };
    CStatusDlg cancelOnly(NULL, "m", "OK", "Cance&l", 0, 1, "t");
    EXPECT_EQ(IDCANCEL, RunDialog(cancelOnly, seen, pressEnter));
}

TEST(StatusDlg, WithoutButtonsOnlyTheFrameClosesIt)
{
    CStatusDlg dlg(NULL, "m", "OK", "Cancel", 0, 0, "t");
    Seen seen;
    // Enter would reach the hidden default button; only the frame's close may end it.
    auto enterThenClose = [](HWND hDlg) {
        PostMessageA(hDlg, WM_KEYDOWN, VK_RETURN, 0);
        CloseFrame(hDlg);
    };
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, seen, enterThenClose));
    EXPECT_FALSE(seen.singleShown);
    EXPECT_FALSE(seen.continueShown);
    EXPECT_FALSE(seen.cancelShown);
}

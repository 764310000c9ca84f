#include <string>
#include <thread>

#include "common/testlib.h"
#include "res/resource.h"
#include "status/StatusDlg.h"

namespace {

enum Action { CLICK_CONTINUE, CLICK_CANCEL, CLICK_SINGLE, CLOSE_FRAME, ENTER_THEN_CLOSE };

struct Seen
{
    std::string title, message, shown, continueText, cancelText, singleText;
    long singleMid = 0, clientMid = 0;
};

// A second thread looks at the dialog, then acts on it while DoModal runs here.
INT_PTR RunDialog(replika::CStatusDlg& dlg, Action action, Seen& seen)
{
    std::thread driver([&] {
        HWND hDlg = NULL;
        for (DWORD waited = 0; waited < qvtest::kHangGuardMs && !hDlg; waited += 10, Sleep(10))
            hDlg = qvtest::FindVisibleWindow(GetCurrentProcessId());
        if (hDlg == NULL)
            return;
        HWND hContinue = GetDlgItem(hDlg, IDC_BTN_CONTINUE), hCancel = GetDlgItem(hDlg, IDC_BTN_CANCEL);
        HWND hSingle = GetDlgItem(hDlg, IDC_BTN_SINGLE);
        seen.title = qvtest::WindowText(hDlg);
        seen.message = qvtest::WindowText(GetDlgItem(hDlg, IDC_STATUS_MESSAGE));
        seen.shown = std::string(IsWindowVisible(hContinue) ? "C" : "-") + (IsWindowVisible(hCancel) ? "X" : "-") +
                     (IsWindowVisible(hSingle) ? "S" : "-");
        seen.continueText = qvtest::WindowText(hContinue);
        seen.cancelText = qvtest::WindowText(hCancel);
        seen.singleText = qvtest::WindowText(hSingle);
        RECT single, client;
        GetWindowRect(hSingle, &single);
        GetClientRect(hDlg, &client);
        MapWindowPoints(hDlg, NULL, reinterpret_cast<POINT*>(&client), 2);
        seen.singleMid = (single.left + single.right) / 2;
        seen.clientMid = (client.left + client.right) / 2;
        const int clickIDs[] = {IDC_BTN_CONTINUE, IDC_BTN_CANCEL, IDC_BTN_SINGLE};
        if (action <= CLICK_SINGLE)
            PostMessageA(GetDlgItem(hDlg, clickIDs[action]), BM_CLICK, 0, 0);
        if (action == ENTER_THEN_CLOSE)
            PostMessageA(hDlg, WM_KEYDOWN, VK_RETURN, 0);
        if (action >= CLOSE_FRAME)
            PostMessageA(hDlg, WM_CLOSE, 0, 0);
    });
    INT_PTR result = dlg.DoModal();
    driver.join();
    return result;
}

}  // namespace

TEST(StatusDlg, ButtonModesAndTheirResults)
{
    const struct
    {
        int nContinue, nCancel;
        Action action;
        INT_PTR result;
        const char* pszShown;  // Continue, Cancel (X), Single
        const char* pszSingle;
    } rows[] = {
        {1, 1, CLICK_CONTINUE, IDOK, "CX-", ""},
        {1, 1, CLICK_CANCEL, IDCANCEL, "CX-", ""},
        {1, 1, CLOSE_FRAME, IDCANCEL, "CX-", ""},
        {1, 0, CLICK_SINGLE, IDOK, "--S", "OK"},
        {1, 0, ENTER_THEN_CLOSE, IDOK, "--S", "OK"},  // Enter reaches the single button
        {0, 1, CLICK_SINGLE, IDCANCEL, "--S", "Cance&l"},
        {0, 0, ENTER_THEN_CLOSE, IDCANCEL, "---", ""},  // only the frame ends it
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nContinue << row.nCancel << " action " << row.action);
        replika::CStatusDlg dlg(NULL, "Place the original in the feeder.", "OK", "Cance&l", row.nContinue, row.nCancel,
                                "QV Copy: Jet");
        Seen seen;
        EXPECT_EQ(row.result, RunDialog(dlg, row.action, seen));
        EXPECT_EQ("QV Copy: Jet", seen.title);
        EXPECT_EQ("Place the original in the feeder.", seen.message);
        EXPECT_EQ(row.pszShown, seen.shown);
        if (row.nContinue && row.nCancel) {
            EXPECT_EQ("OK", seen.continueText);
            EXPECT_EQ("Cance&l", seen.cancelText);
        } else if (*row.pszSingle) {
            EXPECT_EQ(row.pszSingle, seen.singleText);
            EXPECT_NEAR(seen.clientMid, seen.singleMid, 3);
        }
    }
}

#include <thread>

#include "common/testlib.h"
#include "res/resource.h"
#include "status/StatusDlg.h"

namespace {

enum Action { CLICK_CONTINUE, CLICK_CANCEL, CLICK_SINGLE, CLOSE_FRAME, ENTER_THEN_CLOSE };

struct Seen
{
    std::string texts;  // title|message|Continue|Cancel|Single, "-" for a hidden button
    long nSingleOffCentre = 0;
};

// A second thread looks at the dialog, then acts on it while DoModal runs here.
INT_PTR RunDialog(replika::CStatusDlg& dlg, Action action, Seen& seen)
{
    std::thread driver([&] {
        HWND hDlg = NULL;
        if (!qvtest::PumpUntil([&] { return (hDlg = qvtest::FindVisibleWindow(GetCurrentProcessId())) != NULL; }))
            return;
        seen.texts = qvtest::WindowText(hDlg) + "|" + qvtest::WindowText(GetDlgItem(hDlg, IDC_STATUS_MESSAGE));
        const int buttonIDs[] = {IDC_BTN_CONTINUE, IDC_BTN_CANCEL, IDC_BTN_SINGLE};
        for (int id : buttonIDs) {
            HWND hButton = GetDlgItem(hDlg, id);
            seen.texts += "|" + (IsWindowVisible(hButton) ? qvtest::WindowText(hButton) : std::string("-"));
        }
        HWND hSingle = GetDlgItem(hDlg, IDC_BTN_SINGLE);
        if (IsWindowVisible(hSingle)) {
            RECT single, client;
            GetWindowRect(hSingle, &single);
            GetClientRect(hDlg, &client);
            MapWindowPoints(hDlg, NULL, reinterpret_cast<POINT*>(&client), 2);
            seen.nSingleOffCentre = (single.left + single.right) / 2 - (client.left + client.right) / 2;
        }
        if (action <= CLICK_SINGLE)
            PostMessageA(GetDlgItem(hDlg, buttonIDs[action]), BM_CLICK, 0, 0);
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
        const char* pszShown;  // Continue, Cancel, Single: text or "-" when hidden
    } rows[] = {
        {1, 1, CLICK_CONTINUE, IDOK, "OK|Cance&l|-"},
        {1, 1, CLICK_CANCEL, IDCANCEL, "OK|Cance&l|-"},
        {1, 1, CLOSE_FRAME, IDCANCEL, "OK|Cance&l|-"},
        {1, 0, CLICK_SINGLE, IDOK, "-|-|OK"},
        {1, 0, ENTER_THEN_CLOSE, IDOK, "-|-|OK"},  // Enter reaches the single button
        {0, 1, CLICK_SINGLE, IDCANCEL, "-|-|Cance&l"},
        {0, 0, ENTER_THEN_CLOSE, IDCANCEL, "-|-|-"},  // only the frame ends it
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.nContinue << row.nCancel << " action " << row.action);
        replika::CStatusDlg dlg(NULL, "Place the original in the feeder.", "OK", "Cance&l", row.nContinue, row.nCancel,
                                "QV Copy: Jet");
        Seen seen;
        EXPECT_EQ(row.result, RunDialog(dlg, row.action, seen));
        EXPECT_EQ(std::string("QV Copy: Jet|Place the original in the feeder.|") + row.pszShown, seen.texts);
        EXPECT_NEAR(0, seen.nSingleOffCentre, 3);  // a single button is centred
    }
}

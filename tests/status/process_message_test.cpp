#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "common/testlib.h"
#include "res/resource.h"
#include "status/DeviceEventNames.h"
#include "status/ProcessMessage.h"
#include "tests/device/FakeCopyAPI.h"

namespace {

const int SIZE_BUTTONS[] = {IDC_RBN_FIT_TO_PAGE, IDC_RBN_ACTUAL_SIZE, IDC_RBN_BORDERLESS, IDC_RBN_CUSTOM_SIZE};
const UINT *const ADF = &CProcessMessage::s_uPaperInADFMsg, *const BUSY = &CProcessMessage::s_uDeviceBusyMsg;
const UINT *const INK_LOW = &CProcessMessage::s_uInkLowMsg, *const GONE = &CProcessMessage::s_uDeviceDisconnectMsg;

struct Event
{
    const UINT* pMsg;
    WPARAM wParam;
    bool bToDialog = true;
};

// A device whose GetDocInADF answers `bDocInADF`, or, while `hHold` is set, blocks until it is signalled.
struct FeederDevice : FakeCopyAPI
{
    LONG bDocInADF = 1;
    std::atomic<int> asked{0};
    HANDLE hHold = NULL;

    STDMETHODIMP GetDocInADF(LONG* p) override
    {
        ++asked;
        if (hHold)
            WaitForSingleObject(hHold, qvtest::kHangGuardMs);
        *p = bDocInADF;
        return S_OK;
    }
};

// What reached the window standing for the copy dialog: the Custom Size runs with the
// device's answer, as the dialog's outcome handler would run them.
std::vector<LPARAM> g_customSizeAnswers;
WNDPROC g_pfnStaticProc = NULL;

LRESULT CALLBACK DialogStandIn(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_FEEDER_OUTCOME) {
        if (ApplyFeederState(hWnd, wParam))
            g_customSizeAnswers.push_back(lParam);
        return 0;
    }
    return CallWindowProcA(g_pfnStaticProc, hWnd, uMsg, wParam, lParam);
}

// What the thread posted before it ended is in this thread's queue by then.
void DispatchPosted()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

// A window with the four image-size radio buttons stands for the copy dialog.
class ProcessMessageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDeviceEventContext("#QV#Jet#T1");
        m_hDlg = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
        g_pfnStaticProc = (WNDPROC)SetWindowLongPtrA(m_hDlg, GWLP_WNDPROC, (LONG_PTR)DialogStandIn);
        for (int id : SIZE_BUTTONS)
            CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 0, 0, 50, 20, m_hDlg,
                            (HMENU)(INT_PTR)id, NULL, NULL);
        m_dlg.Attach(m_hDlg);
        m_pTarget = std::make_shared<CFeederEventTarget>(m_hDlg, &m_dlg);
        m_pTarget->SetDevice(CComPtr<ICopyAPI>::Adopt(&m_device));
        m_device.AddRef();  // the test keeps its own reference
        SetEventTarget(m_pTarget);
        g_customSizeAnswers.clear();
    }
    void TearDown() override
    {
        ReleaseEventTarget(m_pTarget);
        m_dlg.Detach();
        DestroyWindow(m_hDlg);
        if (m_device.hHold)
            CloseHandle(m_device.hHold);
    }

    CWinThread* Start()
    {
        CWinThread* pThread =
            AfxBeginThread(RUNTIME_CLASS(CProcessMessage), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        pThread->m_bAutoDelete = FALSE;
        m_dwThreadId = pThread->m_nThreadID;
        pThread->ResumeThread();
        return pThread;
    }
    void Post(UINT uMsg, WPARAM wParam, CWnd* pDlg) { PostThreadMessageA(m_dwThreadId, uMsg, wParam, (LPARAM)pDlg); }
    // Ends the thread with WM_DESTROY and takes in what it posted to the window meanwhile.
    bool Stop(CWinThread* pThread)
    {
        HANDLE hThread = pThread->m_hThread;
        EndStatusThread(m_dwThreadId, hThread, 0);
        DWORD dwExit = STILL_ACTIVE;  // on a hang the thread object is left
        if (qvtest::PumpUntil([&] { return WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }) &&
            GetExitCodeThread(hThread, &dwExit))
            delete pThread;
        DispatchPosted();
        return dwExit == 0;
    }

    // Per button (fit, actual, borderless, custom): 'X' checked or '-', then 'E' enabled or '-'.
    std::string Buttons() const
    {
        std::string s;
        for (int id : SIZE_BUTTONS) {
            HWND hButton = GetDlgItem(m_hDlg, id);
            s += SendMessageA(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED ? " X" : " -";
            s += IsWindowEnabled(hButton) ? "E" : "-";
        }
        return s.substr(1);
    }

    HWND m_hDlg = NULL;
    CWnd m_dlg;
    DWORD m_dwThreadId = 0;
    FeederDevice m_device;
    std::shared_ptr<CFeederEventTarget> m_pTarget;
};

}  // namespace

TEST_F(ProcessMessageTest, FeederEventsSwitchTheImageSizeButtonsWithTheDevicesAnswer)
{
    const struct
    {
        std::vector<Event> events;
        bool bHideBorderless;
        const char* pszButtons;
        std::vector<LPARAM> customSize;  // the device's answer for each run of Custom Size
        LONG bDocInADF;
    } rows[] = {
        {{{ADF, 0}}, false, "-- -E -- XE", {1}, 1},             // empty: Custom Size
        {{{ADF, 0}}, false, "-- -E -- XE", {0}, 0},             // the device's answer travels with it
        {{{ADF, 0}, {ADF, 16}}, false, "-E -E -E XE", {1}, 1},  // loaded again: Custom Size stays
        {{{ADF, 16}}, false, "XE -E XE -E", {}, 1},              // the device is not asked
        {{{ADF, 0}}, true, "-- -E XE XE", {1}, 1},              // a hidden Borderless is left alone
        {{{ADF, 8}, {ADF, 0, false}, {BUSY, 1}, {INK_LOW, 0}, {GONE, 0}}, false, "XE XE XE -E", {}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszButtons);
        for (int id : SIZE_BUTTONS) {
            SendDlgItemMessageA(m_hDlg, id, BM_SETCHECK, id == IDC_RBN_CUSTOM_SIZE ? BST_UNCHECKED : BST_CHECKED, 0);
            EnableWindow(GetDlgItem(m_hDlg, id), TRUE);
        }
        ShowWindow(GetDlgItem(m_hDlg, IDC_RBN_BORDERLESS), row.bHideBorderless ? SW_HIDE : SW_SHOW);
        g_customSizeAnswers.clear();
        m_device.bDocInADF = row.bDocInADF;
        m_device.asked = 0;
        CWinThread* pThread = Start();
        for (const Event& e : row.events)
            Post(*e.pMsg, e.wParam, e.bToDialog ? &m_dlg : NULL);
        ASSERT_TRUE(Stop(pThread));  // ends with code 0
        EXPECT_EQ(row.pszButtons, Buttons());
        EXPECT_EQ(row.customSize, g_customSizeAnswers);
        EXPECT_EQ(row.customSize.size(), (size_t)m_device.asked.load());
    }
}

// The dialog closes while the thread is stuck in the device's GetDocInADF: the close returns at
// once; once the device answers, the thread keeps its hands off the dialog, lets the device go
// and ends.
TEST_F(ProcessMessageTest, AThreadStuckInTheDeviceNeitherHoldsUpTheCloseNorTouchesTheDialogAfterwards)
{
    m_device.hHold = CreateEventA(NULL, TRUE, FALSE, NULL);
    CWinThread* pThread = Start();
    HANDLE hThread = NULL;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &hThread, SYNCHRONIZE,
                                FALSE, 0));
    pThread->m_bAutoDelete = TRUE;  // abandoned below, as the dialog abandons it
    const std::string before = Buttons();
    Post(CProcessMessage::s_uPaperInADFMsg, 0, &m_dlg);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return m_device.asked.load() == 1; }));

    ReleaseEventTarget(m_pTarget);  // the dialog's close: returns without waiting for the device
    EXPECT_FALSE(EndStatusThread(m_dwThreadId, hThread, 100));
    EXPECT_EQ(2, m_device.refs);  // ours and the one the thread holds in hand

    SetEvent(m_device.hHold);
    bool bEnded = qvtest::PumpUntil([&] { return WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; });
    CloseHandle(hThread);
    ASSERT_TRUE(bEnded);
    DispatchPosted();
    EXPECT_TRUE(g_customSizeAnswers.empty());
    EXPECT_EQ(before, Buttons());  // the outcome never reached the dialog
    EXPECT_EQ(1, m_device.refs);
}

// A context ID of about 242 characters makes names the system refuses: each is named in an Error
// record, and only those.
TEST(DeviceEventNames, EachNameTooLongToRegisterIsLoggedAsAnError)
{
    const char* names[] = {"Paper_In_ADF_", "Device_s_Busy_", "Ink_Low_", "Device_Disconnect_"};
    // {context ID length, which of the four names are refused}
    const std::pair<size_t, std::vector<bool>> rows[] = {{237, {0, 0, 0, 0}},
                                                         {238, {0, 0, 0, 1}},
                                                         {242, {0, 1, 0, 1}},
                                                         {259, {1, 1, 1, 1}}};
    for (const auto& [nLength, refused] : rows) {
        SCOPED_TRACE(nLength);
        const std::string ctxID = "#QV#Jet#" + std::string(nLength - 8, 'L');
        SetDeviceEventContext(ctxID.c_str());
        const char* built[] = {g_szPaperInADFMsg, g_szDeviceBusyMsg, g_szInkLowMsg, g_szDeviceDisconnectMsg};
        qvtest::LogCapture log;
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(refused[i], RegisterDeviceEventMessage(built[i], "WM %d") == 0) << names[i];
            EXPECT_EQ(refused[i], log.Contains(std::string("message ") + built[i] + " could not be registered"))
                << names[i];
        }
    }
}

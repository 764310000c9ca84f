#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "common/testlib.h"
#include "res/resource.h"
#include "status/DeviceEventNames.h"
#include "status/ProcessMessage.h"

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

int g_nCustomSizeRuns = 0;
DWORD g_dwCustomSizeThread = 0;

void NoteCustomSizeThread(CWnd*) { g_dwCustomSizeThread = GetCurrentThreadId(); }

// A window with the four image-size radio buttons stands for the copy dialog.
class ProcessMessageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetDeviceEventContext("#QV#Jet#T1");
        SetCustomSizeHandler(NoteCustomSizeThread);
        m_hDlg = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL, NULL, NULL);
        for (int id : SIZE_BUTTONS)
            CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 0, 0, 50, 20, m_hDlg,
                            (HMENU)(INT_PTR)id, NULL, NULL);
        m_dlg.Attach(m_hDlg);
        SetEventTarget(&m_dlg);
    }
    void TearDown() override
    {
        ReleaseEventTarget();
        SetCustomSizeHandler(NULL);
        m_dlg.Detach();
        DestroyWindow(m_hDlg);
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
    // Ends the thread with WM_DESTROY, answering the messages it sends to the buttons meanwhile.
    bool Stop(CWinThread* pThread)
    {
        Post(WM_DESTROY, 0, NULL);
        HANDLE hThread = pThread->m_hThread;
        DWORD dwExit = STILL_ACTIVE;  // on a hang the thread object is left
        if (qvtest::PumpUntil([&] { return WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }) &&
            GetExitCodeThread(hThread, &dwExit))
            delete pThread;
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
};

}  // namespace

TEST_F(ProcessMessageTest, FeederEventsSwitchTheImageSizeButtons)
{
    const struct
    {
        std::vector<Event> events;
        bool bHideBorderless;
        const char* pszButtons;
        bool bCustomSize;  // run on the status thread
    } rows[] = {
        {{{ADF, 0}}, false, "-- -E -- XE", 1},             // empty: Custom Size
        {{{ADF, 0}, {ADF, 16}}, false, "-E -E -E XE", 1},  // loaded again: Custom Size stays
        {{{ADF, 16}}, false, "XE -E XE -E", 0},
        {{{ADF, 0}}, true, "-- -E XE XE", 1},  // a hidden Borderless is left alone
        {{{ADF, 8}, {ADF, 0, false}, {BUSY, 1}, {INK_LOW, 0}, {GONE, 0}}, false, "XE XE XE -E", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszButtons);
        for (int id : SIZE_BUTTONS) {
            SendDlgItemMessageA(m_hDlg, id, BM_SETCHECK, id == IDC_RBN_CUSTOM_SIZE ? BST_UNCHECKED : BST_CHECKED, 0);
            EnableWindow(GetDlgItem(m_hDlg, id), TRUE);
        }
        ShowWindow(GetDlgItem(m_hDlg, IDC_RBN_BORDERLESS), row.bHideBorderless ? SW_HIDE : SW_SHOW);
        g_dwCustomSizeThread = 0;
        CWinThread* pThread = Start();
        for (const Event& e : row.events)
            Post(*e.pMsg, e.wParam, e.bToDialog ? &m_dlg : NULL);
        ASSERT_TRUE(Stop(pThread));  // ends with code 0
        EXPECT_EQ(row.pszButtons, Buttons());
        EXPECT_EQ(row.bCustomSize ? m_dwThreadId : 0, g_dwCustomSizeThread);
    }
}

namespace {
std::atomic<bool> g_bInHandler(false);

// A Custom Size handler still busy, and waiting for the dialog's thread, when the dialog closes.
void SlowCustomSize(CWnd* pDlg)
{
    g_bInHandler = true;
    Sleep(100);
    SendMessageA(pDlg->m_hWnd, WM_GETTEXTLENGTH, 0, 0);
    ++g_nCustomSizeRuns;
    g_bInHandler = false;
}
}  // namespace

TEST_F(ProcessMessageTest, ReleasingTheDialogWaitsForTheEventInHandAndLaterEventsLeaveItAlone)
{
    SetCustomSizeHandler(SlowCustomSize);
    g_nCustomSizeRuns = 0;
    CWinThread* pThread = Start();
    Post(CProcessMessage::s_uPaperInADFMsg, 0, &m_dlg);
    ASSERT_TRUE(qvtest::PumpUntil([] { return g_bInHandler.load(); }));
    ReleaseEventTarget();  // answers the handler's sent message while it waits
    EXPECT_FALSE(g_bInHandler);
    EXPECT_EQ(1, g_nCustomSizeRuns);

    SendDlgItemMessageA(m_hDlg, IDC_RBN_CUSTOM_SIZE, BM_SETCHECK, BST_UNCHECKED, 0);
    Post(CProcessMessage::s_uPaperInADFMsg, 0, &m_dlg);
    EXPECT_TRUE(Stop(pThread));
    EXPECT_EQ(1, g_nCustomSizeRuns);
    EXPECT_FALSE(SendDlgItemMessageA(m_hDlg, IDC_RBN_CUSTOM_SIZE, BM_GETCHECK, 0, 0));
}

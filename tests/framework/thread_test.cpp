#include <gtest/gtest.h>

#include "testsupport.h"

namespace {

UINT g_nThreadEventMsg;  // registered at run time
const UINT WM_PLAIN = WM_APP + 10;

struct WorkerLog {
    DWORD nInitThread = 0;
    int nInitCalls = 0;
    int nExitCalls = 0;
    int nDestroyed = 0;
    std::vector<WPARAM> received;
};
WorkerLog g_log;

class CWorker : public CWinThread {
    DECLARE_DYNCREATE(CWorker)
protected:
    CWorker() {}

public:
    ~CWorker() override { ++g_log.nDestroyed; }
    BOOL InitInstance() override {
        g_log.nInitThread = GetCurrentThreadId();
        ++g_log.nInitCalls;
        return TRUE;
    }
    int ExitInstance() override {
        ++g_log.nExitCalls;
        return CWinThread::ExitInstance();
    }
    afx_msg void OnPlain(WPARAM wParam, LPARAM) { g_log.received.push_back(wParam); }
    afx_msg void OnEvent(WPARAM wParam, LPARAM) { g_log.received.push_back(1000 + wParam); }
    afx_msg void OnDestroyRequest(WPARAM, LPARAM) { AfxEndThread(5); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CWorker, CWinThread)

BEGIN_MESSAGE_MAP(CWorker, CWinThread)
    ON_THREAD_MESSAGE(WM_PLAIN, &CWorker::OnPlain)
    ON_REGISTERED_THREAD_MESSAGE(g_nThreadEventMsg, &CWorker::OnEvent)
    ON_THREAD_MESSAGE(WM_DESTROY, &CWorker::OnDestroyRequest)
END_MESSAGE_MAP()

HANDLE DuplicateThreadHandle(CWinThread* pThread) {
    HANDLE h = NULL;
    DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &h, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return h;
}

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log = WorkerLog();
        if (!g_nThreadEventMsg) g_nThreadEventMsg = RegisterWindowMessageA("FrameworkTest.ThreadEvent");
    }
};

}  // namespace

TEST_F(ThreadTest, SuspendedThreadAlreadyTakesMessagesAndEndsOnRequest) {
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CWorker), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    EXPECT_NE(0u, pThread->m_nThreadID);
    EXPECT_NE(GetCurrentThreadId(), pThread->m_nThreadID);
    EXPECT_TRUE(pThread->IsKindOf(RUNTIME_CLASS(CWinThread)));
    // Posting works before the thread has been resumed.
    EXPECT_TRUE(pThread->PostThreadMessage(WM_PLAIN, 1, 0));
    EXPECT_TRUE(pThread->PostThreadMessage(g_nThreadEventMsg, 2, 0));
    EXPECT_TRUE(pThread->PostThreadMessage(WM_PLAIN + 1, 3, 0));  // not in the map: ignored
    EXPECT_TRUE(pThread->PostThreadMessage(WM_PLAIN, 4, 0));
    Sleep(20);
    EXPECT_EQ(0, g_log.nInitCalls);  // still suspended
    HANDLE hThread = DuplicateThreadHandle(pThread);
    DWORD nThreadID = pThread->m_nThreadID;
    EXPECT_TRUE(pThread->PostThreadMessage(WM_DESTROY, 0, 0));
    pThread->ResumeThread();  // the object deletes itself when the thread ends
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    DWORD nExitCode = 0;
    GetExitCodeThread(hThread, &nExitCode);
    CloseHandle(hThread);
    EXPECT_EQ(5u, nExitCode);
    EXPECT_EQ(nThreadID, g_log.nInitThread);
    EXPECT_EQ((std::vector<WPARAM>{1, 1002, 4}), g_log.received);
    EXPECT_EQ(1, g_log.nDestroyed);
    EXPECT_EQ(0, g_log.nExitCalls);  // AfxEndThread skips ExitInstance
}

TEST_F(ThreadTest, QuitMessageEndsTheLoopThroughExitInstance) {
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CWorker));
    ASSERT_NE(nullptr, pThread);
    HANDLE hThread = DuplicateThreadHandle(pThread);
    EXPECT_TRUE(pThread->PostThreadMessage(WM_PLAIN, 8, 0));
    EXPECT_TRUE(pThread->PostThreadMessage(WM_QUIT, 9, 0));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    DWORD nExitCode = 0;
    GetExitCodeThread(hThread, &nExitCode);
    CloseHandle(hThread);
    EXPECT_EQ(9u, nExitCode);
    EXPECT_EQ(1, g_log.nExitCalls);
    EXPECT_EQ(1, g_log.nDestroyed);
    EXPECT_EQ((std::vector<WPARAM>{8}), g_log.received);
}

namespace {
UINT __cdecl AddOne(LPVOID pParam) {
    LONG* p = (LONG*)pParam;
    return (UINT)InterlockedIncrement(p) + 40;
}
}  // namespace

TEST_F(ThreadTest, WorkerFunctionRunsOnItsOwnThread) {
    LONG n = 1;
    CWinThread* pThread = AfxBeginThread(AddOne, &n, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pThread->m_hThread, 10000));
    DWORD nExitCode = 0;
    GetExitCodeThread(pThread->m_hThread, &nExitCode);
    EXPECT_EQ(42u, nExitCode);
    EXPECT_EQ(2, n);
    delete pThread;
}

TEST_F(ThreadTest, StrayThreadMessageDoesNotDisturbAModalDialog) {
    // The application object has no thread map: the message is dropped.
    DlgTemplate t(60, 30, "Modal");
    class CEndingDlg : public CDialog {
    public:
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            PostThreadMessageA(GetCurrentThreadId(), WM_PLAIN, 0, 0);
            PostMessage(WM_COMMAND, IDOK);
            return TRUE;
        }
    } dlg;
    dlg.InitModalIndirect(t.Get());
    EXPECT_EQ(IDOK, dlg.DoModal());
}

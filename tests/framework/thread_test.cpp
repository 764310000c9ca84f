#include "testsupport.h"

#include <vector>

namespace {

UINT g_nThreadEventMsg;  // registered at run time
const UINT WM_PLAIN = WM_APP + 10;

struct WorkerLog
{
    DWORD nInitThread = 0;
    int nExitCalls = 0;
    int nDestroyed = 0;
    std::vector<WPARAM> received;
};
WorkerLog g_log;

class CWorker : public CWinThread
{
    DECLARE_DYNCREATE(CWorker)
protected:
    CWorker() {}

public:
    ~CWorker() override { ++g_log.nDestroyed; }
    BOOL InitInstance() override
    {
        g_log.nInitThread = GetCurrentThreadId();
        return TRUE;
    }
    int ExitInstance() override
    {
        ++g_log.nExitCalls;
        return CWinThread::ExitInstance();
    }
    afx_msg void OnPlain(WPARAM wParam, LPARAM) { g_log.received.push_back(wParam); }
    afx_msg void OnEvent(WPARAM wParam, LPARAM) { g_log.received.push_back(1000 + wParam); }
    afx_msg void OnEndRequest(WPARAM, LPARAM) { AfxEndThread(5); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CWorker, CWinThread)

BEGIN_MESSAGE_MAP(CWorker, CWinThread)
ON_THREAD_MESSAGE(WM_PLAIN, &CWorker::OnPlain)
ON_REGISTERED_THREAD_MESSAGE(g_nThreadEventMsg, &CWorker::OnEvent)
ON_THREAD_MESSAGE(WM_DESTROY, &CWorker::OnEndRequest)
END_MESSAGE_MAP()

}  // namespace

TEST(ThreadTest, SuspendedThreadAlreadyTakesMessagesAndEndsOnRequest)
{
    g_nThreadEventMsg = RegisterWindowMessageA("FrameworkTest.ThreadEvent");
    CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CWorker), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    DWORD nThreadID = pThread->m_nThreadID;
    EXPECT_TRUE(pThread->PostThreadMessage(WM_PLAIN, 1, 0));
    EXPECT_TRUE(pThread->PostThreadMessage(g_nThreadEventMsg, 2, 0));
    EXPECT_TRUE(pThread->PostThreadMessage(WM_PLAIN + 1, 3, 0));  // not in the map: ignored
    EXPECT_TRUE(pThread->PostThreadMessage(WM_PLAIN, 4, 0));
    EXPECT_TRUE(pThread->PostThreadMessage(WM_DESTROY, 0, 0));
    // The object deletes itself when its thread ends, so the handle is duplicated first.
    HANDLE hThread = NULL;
    DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &hThread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    pThread->ResumeThread();
    DWORD nExitCode = 0;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    GetExitCodeThread(hThread, &nExitCode);
    CloseHandle(hThread);
    EXPECT_EQ(5u, nExitCode);
    EXPECT_EQ(nThreadID, g_log.nInitThread);
    EXPECT_EQ((std::vector<WPARAM>{1, 1002, 4}), g_log.received);
    EXPECT_EQ(1, g_log.nDestroyed);
    EXPECT_EQ(0, g_log.nExitCalls);  // AfxEndThread skips ExitInstance
}

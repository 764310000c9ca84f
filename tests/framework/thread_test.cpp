#include "testsupport.h"


namespace {

UINT g_nThreadEventMsg;  // registered at run time
const UINT WM_PLAIN = WM_APP + 10;

DWORD g_nInitThread;  // InitInstance runs on the new thread
int g_nDestroyed;
std::vector<WPARAM> g_received;

class CWorker : public CWinThread
{
    DECLARE_DYNCREATE(CWorker)
public:
    ~CWorker() override { ++g_nDestroyed; }
    BOOL InitInstance() override { return (g_nInitThread = GetCurrentThreadId()) != 0; }
    afx_msg void OnPlain(WPARAM wParam, LPARAM) { g_received.push_back(wParam); }
    afx_msg void OnEvent(WPARAM wParam, LPARAM) { g_received.push_back(1000 + wParam); }
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
    const DWORD nThreadID = pThread->m_nThreadID;
    for (UINT message : {WM_PLAIN, g_nThreadEventMsg, WM_PLAIN + 1, WM_PLAIN, (UINT)WM_DESTROY})
        EXPECT_TRUE(PostThreadMessageA(nThreadID, message, message == WM_PLAIN ? 1 : 2, 0));
    // The object deletes itself when its thread ends, so the handle is duplicated first.
    HANDLE hThread = NULL;
    DuplicateHandle(GetCurrentProcess(), pThread->m_hThread, GetCurrentProcess(), &hThread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    pThread->ResumeThread();
    DWORD nExitCode = 0;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    EXPECT_TRUE(GetExitCodeThread(hThread, &nExitCode) && CloseHandle(hThread));
    EXPECT_EQ(5u, nExitCode);
    EXPECT_EQ(nThreadID, g_nInitThread);
    EXPECT_EQ((std::vector<WPARAM>{1, 1002, 1}), g_received);  // WM_PLAIN + 1 is not in the map
    EXPECT_EQ(1, g_nDestroyed);
}

#include "framework/afximpl.h"

static thread_local CWinThread* t_pCurrentThread;

void AfxSetCurrentThread(CWinThread* pThread) { t_pCurrentThread = pThread; }

CWinThread* AfxGetThread() { return t_pCurrentThread; }

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(NULL, pMsg);
}

CWinThread::CWinThread() : m_pMainWnd(NULL), m_hThread(NULL), m_nThreadID(0), m_bAutoDelete(TRUE), m_msgCur() {}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (t_pCurrentThread == this)
        t_pCurrentThread = NULL;
}

namespace {
struct ThreadStartup
{
    CWinThread* pThread;
    HANDLE hEventStarted;  // the new thread has its message queue
    HANDLE hEventGo;       // the creator has suspended it if asked; owned by the new thread
};
}  // namespace

DWORD WINAPI CWinThread::ThreadEntry(LPVOID pParam)
{
    ThreadStartup* pStartup = (ThreadStartup*)pParam;
    CWinThread* pThread = pStartup->pThread;
    HANDLE hEventGo = pStartup->hEventGo;
    AfxSetCurrentThread(pThread);
    MSG msg;
    ::PeekMessageA(&msg, NULL, WM_USER, WM_USER, PM_NOREMOVE);  // makes the queue
    ::SetEvent(pStartup->hEventStarted);                        // pStartup is gone after this
    ::WaitForSingleObject(hEventGo, INFINITE);
    ::CloseHandle(hEventGo);
    return (DWORD)pThread->RunThread();
}

int CWinThread::RunThread()
{
    int nResult = 0;
    try {
        if (!InitInstance())
            nResult = ExitInstance();
        else
            nResult = Run();
    } catch (CException* e) {
        e->Delete();
        nResult = -1;
    } catch (...) {
        nResult = -1;
    }
    AfxSetCurrentThread(NULL);
    Delete();
    return nResult;
}

BOOL CWinThread::CreateSuspended(UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread)
        return FALSE;
    ThreadStartup startup = {this, ::CreateEventA(NULL, TRUE, FALSE, NULL), ::CreateEventA(NULL, TRUE, FALSE, NULL)};
    DWORD nThreadID = 0;
    HANDLE hThread = NULL;
    if (startup.hEventStarted && startup.hEventGo)
        hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, &startup, CREATE_SUSPENDED,
                                 &nThreadID);
    if (!hThread) {
        if (startup.hEventStarted)
            ::CloseHandle(startup.hEventStarted);
        if (startup.hEventGo)
            ::CloseHandle(startup.hEventGo);
        return FALSE;
    }
    m_hThread = hThread;
    m_nThreadID = nThreadID;
    ::ResumeThread(hThread);
    ::WaitForSingleObject(startup.hEventStarted, INFINITE);
    ::CloseHandle(startup.hEventStarted);
    ::SuspendThread(hThread);
    ::SetEvent(startup.hEventGo);
    return TRUE;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::Run()
{
    for (;;) {
        BOOL bGot = ::GetMessageA(&m_msgCur, NULL, 0, 0);
        if (bGot == -1)
            continue;
        if (!bGot)
            return ExitInstance();
        if (!PreTranslateMessage(&m_msgCur)) {
            ::TranslateMessage(&m_msgCur);
            ::DispatchMessageA(&m_msgCur);
        }
    }
}

int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd && DispatchThreadMessageEx(pMsg))
        return TRUE;
    return CWnd::WalkPreTranslateTree(m_pMainWnd ? m_pMainWnd->m_hWnd : NULL, pMsg);
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG) { return FALSE; }

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThreadClass)
        return NULL;
    CObject* pObject = NULL;
    try {
        pObject = pThreadClass->m_pfnCreateObject();
    } catch (...) {
        return NULL;
    }
    CWinThread* pThread = dynamic_cast<CWinThread*>(pObject);
    if (!pThread) {
        delete pObject;
        return NULL;
    }
    if (!pThread->CreateSuspended(nStackSize, lpSecurityAttrs)) {
        pThread->Delete();
        return NULL;
    }
    ::SetThreadPriority(pThread->m_hThread, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode)
{
    CWinThread* pThread = AfxGetThread();
    AfxSetCurrentThread(NULL);
    if (pThread)
        pThread->Delete();
    ::ExitThread(nExitCode);
}

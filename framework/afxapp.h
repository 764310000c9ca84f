// Threads with message loops, the application object and its entry point.
#pragma once
#include "framework/afxwnd.h"

// A thread with its own message queue and loop. AfxBeginThread returns only
// once the new thread's queue exists, so PostThreadMessage works at once,
// even while the thread is still suspended.
class CWinThread : public CCmdTarget
{
public:
    CWinThread();
    ~CWinThread() override;

    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called for messages of modal dialogs and menus (MSGF_DIALOGBOX, ...)
    // through the message-filter hook; TRUE swallows the message.
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    // Deletes the object when m_bAutoDelete is set.
    void Delete();

    CWnd* m_pMainWnd;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    BOOL m_bAutoDelete;
    MSG m_msgCur;

private:
    // Looks the thread message (hwnd NULL) up in the message map.
    BOOL DispatchThreadMessageEx(MSG* pMsg);
    static DWORD WINAPI ThreadEntry(LPVOID pParam);
    int RunThread();
    // Starts the thread and leaves it suspended once its message queue exists.
    BOOL CreateSuspended(UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs);
    friend CWinThread* AFXAPI AfxBeginThread(CRuntimeClass*, int, UINT, DWORD, LPSECURITY_ATTRIBUTES);
};

// Creates an object of the class (DECLARE_DYNCREATE), starts its thread
// (CREATE_SUSPENDED leaves it suspended before InitInstance) and returns it.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling framework thread (deleting its object) at once.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode);

class CCommandLineInfo
{
public:
    virtual ~CCommandLineInfo() {}
    // Called once per argument, in order. A flag ("-x" or "/x") comes
    // without its first character.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) = 0;
};

class CWinApp : public CWinThread
{
public:
    CWinApp();
    ~CWinApp() override;

    BOOL InitInstance() override;
    int Run() override;  // ends at once when there is no main window
    // Splits m_lpCmdLine (the arguments after the program name) the way the C
    // runtime does (quotes, backslashes) and calls ParseParam for each argument.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
};

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
// Runs the application object: InitInstance, then Run (which calls
// ExitInstance) or, when InitInstance fails, ExitInstance. The framework's
// WinMain calls it.
int AFXAPI AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine);

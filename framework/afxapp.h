// Threads with message loops, the application object and its entry point.
#pragma once
#include "framework/afxwnd.h"

// A thread with its own message queue and loop. AfxBeginThread returns only
// once the new thread's queue exists, so PostThreadMessage works at once,
// even while the thread is still suspended.

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
    operator HANDLE() const { return m_hThread; }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
    }

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called for messages of modal dialogs and menus (MSGF_DIALOGBOX, ...)
    // through the message-filter hook; TRUE swallows the message.
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    // Deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    // Looks the thread message (hwnd NULL) up in the message map.
    BOOL DispatchThreadMessageEx(MSG* pMsg);

    CWnd* m_pMainWnd;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    BOOL m_bAutoDelete;
    MSG m_msgCur;

protected:
    static DWORD WINAPI ThreadEntry(LPVOID pParam);
    int RunThread();
};

// Creates an object of the class (DECLARE_DYNCREATE), starts its thread
// (CREATE_SUSPENDED leaves it suspended before InitInstance) and returns it.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling framework thread (deleting its object) at once.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
CWinThread* AFXAPI AfxGetThread();

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override {}
    // Called once per argument, in order. A flag ("-x" or "/x") comes
    // without its first character.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    CString m_strFileName;
};

// Splits a command line the way the C runtime does (quotes, backslashes).
void AFXAPI AfxSplitCommandLine(LPCSTR lpszCmdLine, CStringArray& args);

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;

    BOOL InitInstance() override;
    int Run() override;  // ends at once when there is no main window
    int ExitInstance() override;
    // Splits m_lpCmdLine (the arguments after the program name) and calls
    // ParseParam for each argument.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);

    HICON LoadIcon(UINT nIDResource) const
    {
        return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    }
    HICON LoadIcon(LPCSTR lpszResourceName) const { return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName); }

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCSTR m_pszAppName;
    LPCSTR m_pszExeName;

private:
    CString m_strAppName;
    CString m_strExeName;
};

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
// Runs the application object: InitInstance, then Run (which calls
// ExitInstance) or, when InitInstance fails, ExitInstance. The framework's
// WinMain calls it.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// The program's own module: common controls are registered once here.
void AFXAPI AfxInitCommonControls();

// The application object's construction and the program's entry point live
// together: a program that defines an application object gets this WinMain.
#include "framework/afximpl.h"

void AfxRegisterApp(CWinApp* pApp);

static char s_szEmpty[1];

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_hInstance(::GetModuleHandleA(NULL)),
      m_lpCmdLine(s_szEmpty),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(NULL),
      m_pszExeName(NULL)
{
    m_bAutoDelete = FALSE;
    m_nThreadID = ::GetCurrentThreadId();
    AfxRegisterApp(this);
    AfxSetCurrentThread(this);

    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString exe(szPath);
    exe = exe.Mid(exe.ReverseFind('\\') + 1);
    int nDot = exe.ReverseFind('.');
    if (nDot > 0)
        exe = exe.Left(nDot);
    m_strExeName = exe;
    m_strAppName = lpszAppName ? CString(lpszAppName) : exe;
    m_pszExeName = m_strExeName;
    m_pszAppName = m_strAppName;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

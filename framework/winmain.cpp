// The application object's construction and the program's entry point live
// together: a program that defines an application object gets this WinMain.
#include "framework/afximpl.h"

void AfxRegisterApp(CWinApp* pApp);

static char s_szEmpty[1];

CWinApp::CWinApp() : m_hInstance(::GetModuleHandleA(NULL)), m_lpCmdLine(s_szEmpty)
{
    m_bAutoDelete = FALSE;
    m_nThreadID = ::GetCurrentThreadId();
    AfxRegisterApp(this);
    AfxSetCurrentThread(this);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    return AfxWinMain(hInstance, lpCmdLine);
}

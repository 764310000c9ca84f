// The framework tests' application object: counts what the framework calls.
#pragma once
#include "common/testlib.h"
#include "framework/afxwin.h"

class CTestApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        ++m_nInitCalls;
        m_pMainWnd = m_pWndForInit;
        return m_bInitResult;
    }
    int ExitInstance() override
    {
        ++m_nExitCalls;
        return CWinApp::ExitInstance();
    }
    BOOL ProcessMessageFilter(int code, LPMSG lpMsg) override
    {
        ++m_nFilterCalls;
        m_nLastFilterCode = code;
        return CWinApp::ProcessMessageFilter(code, lpMsg);
    }
    BOOL m_bInitResult = TRUE;
    CWnd* m_pWndForInit = nullptr;  // becomes the main window in InitInstance
    int m_nInitCalls = 0, m_nExitCalls = 0, m_nFilterCalls = 0, m_nLastFilterCode = -1;
};
extern CTestApp theApp;

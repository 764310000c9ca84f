// The framework tests' application object: notes the message filter calls.
#pragma once
#include "common/testlib.h"
#include "framework/afxwin.h"

class CTestApp : public CWinApp
{
public:
    BOOL ProcessMessageFilter(int code, LPMSG lpMsg) override
    {
        ++m_nFilterCalls;
        m_nLastFilterCode = code;
        return CWinApp::ProcessMessageFilter(code, lpMsg);
    }
    int m_nFilterCalls = 0, m_nLastFilterCode = -1;
};
extern CTestApp theApp;

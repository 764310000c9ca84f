#include "framework/afximpl.h"

static CWinApp* s_pApp;
static HINSTANCE s_hResource;

void AfxRegisterApp(CWinApp* pApp) { s_pApp = pApp; }

CWinApp* AFXAPI AfxGetApp() { return s_pApp; }

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return s_pApp && s_pApp->m_hInstance ? s_pApp->m_hInstance : ::GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle() { return s_hResource ? s_hResource : AfxGetInstanceHandle(); }

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { s_hResource = hInstResource; }

void AFXAPI AfxInitCommonControls()
{
    static LONG s_bDone;
    if (::InterlockedExchange(&s_bDone, TRUE))
        return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
}

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = NULL;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    if (!m_pMainWnd)
        ::PostQuitMessage(0);  // nothing to wait for
    return CWinThread::Run();
}

int CWinApp::ExitInstance() { return (int)m_msgCur.wParam; }

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    CStringArray args;
    AfxSplitCommandLine(m_lpCmdLine, args);
    for (INT_PTR i = 0; i < args.GetSize(); ++i) {
        LPCSTR pszParam = args[i];
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i == args.GetUpperBound());
    }
}

// Backslashes are literal unless they precede a quote: 2n of them and a
// quote give n backslashes and toggle quoting, 2n+1 give n and a quote.
void AFXAPI AfxSplitCommandLine(LPCSTR lpszCmdLine, CStringArray& args)
{
    args.RemoveAll();
    if (!lpszCmdLine)
        return;
    const char* p = lpszCmdLine;
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        CString arg;
        BOOL bQuoted = FALSE;
        while (*p && (bQuoted || (*p != ' ' && *p != '\t'))) {
            int nSlashes = 0;
            while (*p == '\\') {
                ++nSlashes;
                ++p;
            }
            if (*p == '"') {
                arg += CString('\\', nSlashes / 2);
                if (nSlashes % 2) {
                    arg += '"';
                } else if (bQuoted && p[1] == '"') {
                    arg += '"';
                    ++p;
                } else {
                    bQuoted = !bQuoted;
                }
                ++p;
            } else {
                arg += CString('\\', nSlashes);
                if (*p && (bQuoted || (*p != ' ' && *p != '\t')))
                    arg += *p++;
            }
        }
        args.Add(arg);
    }
}

CCommandLineInfo::CCommandLineInfo() {}

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL)
{
    if (!bFlag && m_strFileName.IsEmpty())
        m_strFileName = pszParam;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    if (lpCmdLine)
        pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    AfxInitCommonControls();
    int nReturnCode = -1;
    try {
        if (pApp->InitInstance()) {
            nReturnCode = pApp->Run();
        } else {
            if (pApp->m_pMainWnd && pApp->m_pMainWnd->m_hWnd)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        }
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return nReturnCode;
}

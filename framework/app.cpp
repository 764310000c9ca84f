#include "framework/afximpl.h"

#include <string.h>

#include <string>
#include <vector>

static CWinApp* s_pApp;
static HINSTANCE s_hResource;

void AfxRegisterApp(CWinApp* pApp) { s_pApp = pApp; }

CWinApp* AFXAPI AfxGetApp() { return s_pApp; }

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->m_pMainWnd : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return s_pApp && s_pApp->m_hInstance ? s_pApp->m_hInstance : ::GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle() { return s_hResource ? s_hResource : AfxGetInstanceHandle(); }

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { s_hResource = hInstResource; }

void AfxInitCommonControls()
{
    static LONG s_bDone;
    if (::InterlockedExchange(&s_bDone, TRUE))
        return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
}

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

// Backslashes are literal unless they precede a quote: 2n of them and a
// quote give n backslashes and toggle quoting, 2n+1 give n and a quote.
static bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

static std::vector<std::string> SplitCommandLine(const char* p)
{
    std::vector<std::string> args;
    for (;;) {
        while (IsBlank(*p))
            ++p;
        if (!*p)
            return args;
        std::string arg;
        bool bQuoted = false;
        while (*p && (bQuoted || !IsBlank(*p))) {
            size_t nSlashes = strspn(p, "\\");
            p += nSlashes;
            if (*p != '"') {
                arg.append(nSlashes, '\\');
                if (*p && (bQuoted || !IsBlank(*p)))
                    arg += *p++;
                continue;
            }
            arg.append(nSlashes / 2, '\\');
            if (nSlashes % 2) {
                arg += '"';
            } else if (bQuoted && p[1] == '"') {  // "" inside quotes: one literal quote
                arg += '"';
                ++p;
            } else {
                bQuoted = !bQuoted;
            }
            ++p;
        }
        args.push_back(arg);
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    const std::vector<std::string> args = SplitCommandLine(m_lpCmdLine ? m_lpCmdLine : "");
    for (size_t i = 0; i < args.size(); ++i) {
        const char* pszParam = args[i].c_str();
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        rCmdInfo.ParseParam(pszParam + (bFlag ? 1 : 0), bFlag, i + 1 == args.size());
    }
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, LPSTR lpCmdLine)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    if (lpCmdLine)
        pApp->m_lpCmdLine = lpCmdLine;
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

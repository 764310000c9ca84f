#include "app/CopyApp.h"

#include <new>
#include <string.h>

#include "app/AboutDlg.h"
#include "app/DeviceCheck.h"
#include "app/Handover.h"
#include "app/SingleInstance.h"
#include "dialog/CopyUIDlg.h"
#include "device/IDeviceStatus.h"
#include "log/RKLog.h"
#include "res/resource.h"
#include "status/StatusDlg.h"


namespace replika {

static const char EXE_NAME[] = "qvkcopy2.exe";
static const char TRACE_INIT[] = "CCopyApp::InitInstance";

CCopyApp::CCopyApp() : m_hResDll(NULL), m_hMutex(NULL), m_pToolTip(NULL), m_hDlgWnd(NULL) {}

CCopyApp::~CCopyApp()
{
    CRKLog* pLog = g_pLog;
    g_pLog = NULL;
    delete pLog;
}

// Strings, dialogs and pictures come from copy2.dll beside the program when it loads.
void CCopyApp::LoadResourceLibrary(char* pszHubletPath, size_t cchHubletPath)
{
    char szExePath[MAX_PATH] = "";
    char szResDllPath[MAX_PATH] = "";
    pszHubletPath[0] = '\0';
    DWORD n = ::GetModuleFileNameA(AfxGetInstanceHandle(), szExePath, sizeof(szExePath));
    if (n == 0 || n >= sizeof(szExePath))
        return;
    ::CharLowerA(szExePath);
    char* pszName = strstr(szExePath, EXE_NAME);
    if (pszName == NULL)
        return;
    int cchFolder = (int)(pszName - szExePath);
    snprintf(szResDllPath, sizeof(szResDllPath), "%.*scopy2.dll", cchFolder, szExePath);
    snprintf(pszHubletPath, cchHubletPath, "%.*sqvkhblt.exe", cchFolder, szExePath);
    HINSTANCE hResDll = ::LoadLibraryA(szResDllPath);
    if (hResDll != NULL) {
        m_hResDll = hResDll;
        AfxSetResourceHandle(hResDll);
    }
}

BOOL CCopyApp::CreateLogger(const CString& cstrCtxID)
{
    CString cstrPrefix = cstrCtxID;
    cstrPrefix.Remove('#');
    ::SetEnvironmentVariableA("LOGPREFIX", cstrPrefix);
    CRKLog* pLog = new (std::nothrow) CRKLog("UI", cstrPrefix);
    if (pLog == NULL)
        return FALSE;
    g_pLog = pLog;
    return TRUE;
}

// One macro of the current context as text; FALSE when the cache cannot expand it.
static BOOL ExpandMacro(CQVDSKInfcCache& cache, const char* pszMacro, CString& cstrText)
{
    CBstr bstrMacro(pszMacro), bstrText;
    if (FAILED(cache.ExpandMacros(bstrMacro, &bstrText)))
        return FALSE;
    cstrText = bstrText.ToString();
    return TRUE;
}

void CCopyApp::BuildFriendlyName(const CString& cstrCtxID)
{
    CString cstrManufacturer, cstrProduct, cstrDeviceID;
    if (!CCopyUIDlg::ParseContextID(cstrCtxID, cstrManufacturer, cstrProduct, cstrDeviceID)) {
        g_pLog->LogError("Failed to parse ContextID = %s", (const char*)cstrCtxID);
        return;
    }
    CString cstrName;
    if (ExpandMacro(m_infcCache, "$FriendlyName$", cstrName)) {
        m_cstrFriendlyName = " " + cstrName;
        return;
    }
    m_cstrFriendlyName = " " + cstrProduct;
    g_pLog->LogError("Unable to retrieve Friendly Name.Defaulting to Product Name %s", (const char*)m_cstrFriendlyName);
}

void DetectRightToLeft(CQVDSKInfcCache& cache)
{
    CString cstrLang;
    g_bRTLLayout = ExpandMacro(cache, "$DefLangAbbrev$", cstrLang) && (cstrLang == "heb" || cstrLang == "ara");
}

// FALSE when another process already runs a dialog for this context ID.
BOOL CCopyApp::ClaimInstance(const CString& cstrCtxID)
{
    g_uInstanceProbeMsg = ::RegisterWindowMessageA(InstanceProbeMessageName(cstrCtxID));
    if (g_uInstanceProbeMsg == 0)
        g_pLog->LogError("Unable to register the instance probe message (error %lu)", ::GetLastError());
    m_hMutex = ::CreateMutexA(NULL, FALSE, InstanceMutexName(cstrCtxID));
    DWORD dwError = ::GetLastError();
    if (m_hMutex == NULL)
        g_pLog->LogError("Unable to create the instance mutex (error %lu)", dwError);
    if (dwError != ERROR_ALREADY_EXISTS)
        return TRUE;
    BringRunningInstanceForward();
    return FALSE;
}

void CCopyApp::ShowDeviceNotResponding()
{
    CString cstrTitle;
    cstrTitle.LoadString(IDS_CAPTION);
    ShowStatusNotice(IDS_ERR_NOT_RESPONDING, cstrTitle + m_cstrFriendlyName);
}

BOOL CCopyApp::InitInstance()
{
    char szHubletPath[MAX_PATH];
    LoadResourceLibrary(szHubletPath, sizeof(szHubletPath));

    // "-CtxID" wins over a "-n" elsewhere; "-n" alone means a scanner-only device.
    CString cstrRawCmdLine = ::GetCommandLineA();
    if (cstrRawCmdLine.Find("-CtxID") < 0 && cstrRawCmdLine.Find("-n") >= 0) {
        LaunchScannerCopy(cstrRawCmdLine);
        return FALSE;
    }

    ParseCommandLine(m_cmdLine);
    CString cstrCtxID = m_cmdLine.GetCtxID();
    if (cstrCtxID.IsEmpty())
        return FALSE;
    if (!m_comApartment.Initialize())
        return FALSE;
    m_infcCache.SetContextID((const char*)cstrCtxID);
    if (!CreateLogger(cstrCtxID))
        return FALSE;
    CRKTraceScope trace(TRACE_INIT);

    BuildFriendlyName(cstrCtxID);
    if (LaunchHublet(szHubletPath, cstrCtxID))
        return FALSE;
    DetectRightToLeft(m_infcCache);
    if (!ClaimInstance(cstrCtxID))
        return FALSE;

    CComPtr<IDeviceStatus> pDeviceStatus;
    BOOL bReachable = CheckDeviceReachable(cstrCtxID, pDeviceStatus);
    if (bReachable) {
        CString cstrProtocol = m_cmdLine.GetProtocol();
        g_pLog->LogDetailedTrace("ContextID = %s, Protocol = %s", (const char*)cstrCtxID, (const char*)cstrProtocol);
        CCopyUIDlg dlg(NULL, cstrCtxID, cstrProtocol);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = NULL;
    } else {
        ShowDeviceNotResponding();
    }
    return bReachable;
}

int CCopyApp::ExitInstance()
{
    if (m_hMutex != NULL) {
        ::CloseHandle(m_hMutex);
        m_hMutex = NULL;
    }
    if (m_hResDll != NULL) {
        AfxSetResourceHandle(AfxGetInstanceHandle());
        ::FreeLibrary(m_hResDll);
        m_hResDll = NULL;
    }
    m_infcCache.ReleaseAll();
    m_comApartment.Uninitialize();
    return CWinApp::ExitInstance();
}

void CCopyApp::SetToolTipRelay(HWND hDlg, CToolTipCtrl* pToolTip)
{
    m_hDlgWnd = hDlg;
    m_pToolTip = pToolTip;
}

void CCopyApp::ShowAboutBox()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

BOOL CCopyApp::ProcessMessageFilter(int nCode, LPMSG lpMsg)
{
    if (m_hDlgWnd != NULL && lpMsg != NULL && m_pToolTip != NULL &&
        (lpMsg->hwnd == m_hDlgWnd || ::IsChild(m_hDlgWnd, lpMsg->hwnd)))
        m_pToolTip->RelayEvent(lpMsg);
    return CWinApp::ProcessMessageFilter(nCode, lpMsg);
}

}  // namespace replika

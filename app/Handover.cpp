#include "app/Handover.h"

#include <stdio.h>
#include <shellapi.h>

#include "device/IContextManager.h"
#include "framework/afxcom.h"
#include "log/RKLog.h"
#include "res/resource.h"
#include "status/StatusDlg.h"

namespace replika {

static const int kCopyModeHublet = 3;

static void ShowScannerCopyFailure() { ShowStatusNotice(IDS_ERR_NOT_RESPONDING, CString("QV Copy")); }

BOOL BuildScannerCopyCmdLine(const CString& cstrRawCmdLine, CString& cstrSiblingCmdLine)
{
    int nSplit = cstrRawCmdLine.Find("-n");
    if (nSplit < 0)
        return FALSE;
    CString cstrLeft = cstrRawCmdLine.Left(nSplit);
    cstrLeft.MakeLower();
    if (cstrLeft.Replace("qvkcopy2.exe", "qvfcCopy.exe") == 0)
        return FALSE;
    cstrSiblingCmdLine = cstrLeft + cstrRawCmdLine.Mid(nSplit);
    return TRUE;
}

// Runs before COM and the logger exist: only the debugger output hears about it.
void LaunchScannerCopy(const CString& cstrRawCmdLine)
{
    ::OutputDebugStringA("This is a scanner-only device");
    CString cstrSibling;
    if (!BuildScannerCopyCmdLine(cstrRawCmdLine, cstrSibling)) {
        ::OutputDebugStringA("Some problem in the command line for qvfcCopy.exe");
        ShowScannerCopyFailure();
        return;
    }
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof(pi));
    // CreateProcess may write into the command line: hand it a buffer of its own.
    int nLength = cstrSibling.GetLength();
    char* pszCmdLine = cstrSibling.GetBuffer(nLength + 1);
    BOOL bStarted = ::CreateProcessA(NULL, pszCmdLine, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    cstrSibling.ReleaseBuffer(nLength);
    if (!bStarted) {
        ::OutputDebugStringA("CreateProcess failed for qvfcCopy.exe");
        ShowScannerCopyFailure();
        return;
    }
    ::OutputDebugStringA("Successfully launched qvfcCopy.exe");
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
}

BOOL BuildHubletParameters(const CString& cstrCtxID, char* pszParams, size_t cchParams)
{
    int n = snprintf(pszParams, cchParams, "-n\"%s\" -aSCAN -fCOPY", (const char*)cstrCtxID);
    return n >= 0 && (size_t)n < cchParams;
}

static int QueryCopyMode(IContextManager* pManager, const CString& cstrCtxID)
{
    CComPtr<IUnknown> pObject;
    CBstr bstrCtxID(cstrCtxID);
    if (FAILED(pManager->GetContextObject(bstrCtxID, &pObject)) || !pObject)
        return 0;
    CComPtr<IContextObject> pContext;
    CComPtr<IDeviceCopyInfo> pCopyInfo;
    LONG nCopyMode = 0;
    if (FAILED(pObject.QueryInterface(IID_IContextObject, pContext)) ||
        FAILED(pContext.QueryInterface(IID_IDeviceCopyInfo, pCopyInfo)) || !pCopyInfo ||
        FAILED(pCopyInfo->GetCopyMode(&nCopyMode)))
        return 0;
    return (int)nCopyMode;
}

BOOL LaunchHublet(const char* pszHubletPath, const CString& cstrCtxID)
{
    CRKTraceScope trace("CCopyApp::LaunchHublet");
    // Nested on purpose and never undone; InitInstance's own one is undone at exit.
    ::CoInitialize(NULL);
    CComPtr<IContextManager> pManager;
    if (FAILED(pManager.CoCreateInstance(CLSID_ContextManager, IID_IContextManager, CLSCTX_ALL)) || !pManager)
        return FALSE;
    int nCopyMode = QueryCopyMode(pManager.Get(), cstrCtxID);
    pManager.Release();
    if (nCopyMode != kCopyModeHublet)
        return FALSE;

    char szParams[MAX_PATH];
    // A context ID too long for the parameters is not cut: the launcher is not started.
    if (BuildHubletParameters(cstrCtxID, szParams, sizeof(szParams)) &&
        (INT_PTR)::ShellExecuteA(NULL, "open", pszHubletPath, szParams, NULL, SW_SHOWNORMAL) > 32)
        g_pLog->LogError("Hublet Launched with context ID %s", (const char*)cstrCtxID);
    else
        g_pLog->LogError("Unable to launch Hublet");
    return TRUE;
}

}  // namespace replika

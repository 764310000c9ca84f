// The application object: decides at start-up whether, and for which device, the copy
// dialog is shown, runs it and cleans up when it closes.
#pragma once

#include "framework/afxwin.h"

#include "app/CmdLine.h"
#include "app/ComApartment.h"
#include "context/QVDSKInfcCache.h"
#include "dialog/DialogHost.h"

#include "records/AppGlobals.h"

namespace replika {

class CCopyApp : public CWinApp, public IDialogHost
{
public:
    CCopyApp();
    virtual ~CCopyApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual BOOL ProcessMessageFilter(int nCode, LPMSG lpMsg);

    virtual void SetToolTipRelay(HWND hDlg, CToolTipCtrl* pToolTip);
    virtual CString TitleSuffix() const { return m_cstrFriendlyName; }
    virtual void ShowAboutBox();

    // " " + friendly name (or product name), appended to the copy dialog's title.
    CString m_cstrFriendlyName;
    HINSTANCE m_hResDll;
    HANDLE m_hMutex;
    CCmdLine m_cmdLine;
    // Declared before the cache, so that the cache goes first.
    CComApartment m_comApartment;
    CQVDSKInfcCache m_infcCache;

private:
    // Set and cleared by the copy dialog.
    CToolTipCtrl* m_pToolTip;
    HWND m_hDlgWnd;
    void LoadResourceLibrary(char* pszHubletPath, size_t cchHubletPath);
    BOOL CreateLogger(const CString& cstrCtxID);
    void BuildFriendlyName(const CString& cstrCtxID);
    BOOL ClaimInstance(const CString& cstrCtxID);
    void ShowDeviceNotResponding();
};

// Sets g_bRTLLayout from the device's default language.
void DetectRightToLeft(CQVDSKInfcCache& cache);

}  // namespace replika

// The application's door to the context manager: the current context ID, the
// manager's registration in the Global Interface Table, a liveness probe before
// every use and a new manager when the old one has gone away.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "device/IContextManager.h"
#include "framework/afxwin.h"
#include "framework/afxcom.h"

class CQVDSKInfcCache
{
public:
    CQVDSKInfcCache();
    virtual ~CQVDSKInfcCache();

    virtual void Reset();
    virtual void ReleaseAll();

    void SetContextID(const char* pszCtxID);
    void SetContextID(BSTR bstrCtxID);

    // Expands the macros of bstrText for the current context; the caller frees *pbstrResult.
    HRESULT ExpandMacros(BSTR bstrText, BSTR* pbstrResult);

    // A live, referenced manager that the caller releases.
    HRESULT GetContextManager(IContextManager** ppManager);

    CQVDSKInfcCache(const CQVDSKInfcCache&) = delete;
    CQVDSKInfcCache& operator=(const CQVDSKInfcCache&) = delete;

private:
    HRESULT RegisterManager(IContextManager* pManager);
    HRESULT CopyOfContextID(BSTR* pbstrCopy);

    CBstr m_bstrCtxID;
    CRITICAL_SECTION m_csLock;
    DWORD m_dwManagerCookie;
};

// "#" followed by bstrName; the caller frees *pbstrCtxID.
HRESULT MakeContextID(BSTR bstrName, BSTR* pbstrCtxID);

// True for the codes by which COM reports that the manager's process has gone.
bool IsDisconnectError(HRESULT hr);

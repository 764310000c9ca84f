#include "context/QVDSKInfcCache.h"

#include <objbase.h>
#include <objidl.h>
#include <string.h>
#include <wchar.h>

#include "framework/afxwin.h"

namespace {
// The table is process-wide; each use takes a reference and gives it back.
CComPtr<IGlobalInterfaceTable> GlobalTable()
{
    CComPtr<IGlobalInterfaceTable> pTable;
    pTable.CoCreateInstance(CLSID_StdGlobalInterfaceTable, IID_IGlobalInterfaceTable);
    return pTable;
}

HRESULT CreateManager(CComPtr<IContextManager>& pManager)
{
    return pManager.CoCreateInstance(CLSID_ContextManager, IID_IContextManager, CLSCTX_ALL);
}

// Every use of the manager costs this extra call: the cheapest question it answers.
HRESULT ProbeManager(IContextManager* pManager)
{
    CBstr bstrName;
    return pManager->GetRootContextName(&bstrName);
}

HRESULT CopyBstr(BSTR bstrSource, BSTR* pbstrCopy)
{
    *pbstrCopy = SysAllocStringLen(bstrSource, SysStringLen(bstrSource));
    return *pbstrCopy ? S_OK : E_OUTOFMEMORY;
}

class CLock
{
public:
    explicit CLock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~CLock() { LeaveCriticalSection(&m_cs); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};
}  // namespace

CQVDSKInfcCache::CQVDSKInfcCache() : m_dwManagerCookie(0) { InitializeCriticalSection(&m_csLock); }

CQVDSKInfcCache::~CQVDSKInfcCache()
{
    ReleaseAll();
    DeleteCriticalSection(&m_csLock);
}

void CQVDSKInfcCache::Reset()
{
    CLock lock(m_csLock);
    m_bstrCtxID.Free();
}

void CQVDSKInfcCache::ReleaseAll()
{
    CLock lock(m_csLock);
    Reset();
    if (m_dwManagerCookie == 0)
        return;
    CComPtr<IGlobalInterfaceTable> pTable = GlobalTable();
    if (pTable && SUCCEEDED(pTable->RevokeInterfaceFromGlobal(m_dwManagerCookie)))
        m_dwManagerCookie = 0;
}

void CQVDSKInfcCache::SetContextID(const char* pszCtxID)
{
    if (!pszCtxID) {
        SetContextID(static_cast<BSTR>(NULL));
        return;
    }
    CBstr bstrCtxID(pszCtxID);
    if (!bstrCtxID.Valid()) {
        Reset();
        return;
    }
    SetContextID(static_cast<BSTR>(bstrCtxID));
}

void CQVDSKInfcCache::SetContextID(BSTR bstrCtxID)
{
    CLock lock(m_csLock);
    Reset();
    if (bstrCtxID && bstrCtxID[0]) {
        CopyBstr(bstrCtxID, &m_bstrCtxID);
        return;
    }

    // No ID of our own: the manager's root context stands in.
    CComPtr<IContextManager> pManager;
    if (FAILED(GetContextManager(&pManager)))
        return;
    CBstr bstrName;
    if (SUCCEEDED(pManager->GetRootContextName(&bstrName)))
        MakeContextID(bstrName, &m_bstrCtxID);
}

HRESULT CQVDSKInfcCache::RegisterManager(IContextManager* pManager)
{
    CComPtr<IGlobalInterfaceTable> pTable = GlobalTable();
    if (!pTable)
        return E_UNEXPECTED;
    HRESULT hr = pTable->RegisterInterfaceInGlobal(pManager, IID_IContextManager, &m_dwManagerCookie);
    if (FAILED(hr))
        m_dwManagerCookie = 0;
    return hr;
}

HRESULT CQVDSKInfcCache::GetContextManager(IContextManager** ppManager)
{
    CLock lock(m_csLock);
    if (ppManager)
        *ppManager = NULL;

    if (m_dwManagerCookie == 0) {
        CComPtr<IContextManager> pNew;
        HRESULT hr = CreateManager(pNew);
        if (SUCCEEDED(hr))
            hr = RegisterManager(pNew.Get());
        if (FAILED(hr))
            return hr;
    }

    CComPtr<IContextManager> pManager;
    {
        CComPtr<IGlobalInterfaceTable> pTable = GlobalTable();
        if (!pTable)
            return E_UNEXPECTED;
        HRESULT hr = pTable->GetInterfaceFromGlobal(m_dwManagerCookie, IID_IContextManager, pManager.AsOut());
        if (FAILED(hr))
            return hr;
    }

    HRESULT hr = ProbeManager(pManager.Get());
    if (FAILED(hr)) {
        HRESULT hrProbe = hr;
        pManager.Release();
        ReleaseAll();
        if (IsDisconnectError(hrProbe) && SUCCEEDED(CreateManager(pManager))) {
            hr = RegisterManager(pManager.Get());
            if (FAILED(hr))
                pManager.Release();
        }
    }

    if (SUCCEEDED(hr) && ppManager)
        *ppManager = pManager.Detach();
    return hr;
}

HRESULT CQVDSKInfcCache::CopyOfContextID(BSTR* pbstrCopy)
{
    CLock lock(m_csLock);
    return m_bstrCtxID.Valid() ? CopyBstr(m_bstrCtxID, pbstrCopy) : S_OK;
}

HRESULT CQVDSKInfcCache::ExpandMacros(BSTR bstrText, BSTR* pbstrResult)
{
    CComPtr<IContextManager> pManager;
    HRESULT hr = GetContextManager(&pManager);
    if (FAILED(hr))
        return hr;
    CBstr bstrCtxID;
    hr = CopyOfContextID(&bstrCtxID);
    if (FAILED(hr))
        return hr;

    hr = pManager->ExpandMacros(bstrCtxID, bstrText, pbstrResult);
    // The manager died between the probe and the call: one more try on a new one.
    if (FAILED(hr) && IsDisconnectError(hr) && SUCCEEDED(CreateManager(pManager)))
        hr = pManager->ExpandMacros(bstrCtxID, bstrText, pbstrResult);
    return hr;
}

HRESULT MakeContextID(BSTR bstrName, BSTR* pbstrCtxID)
{
    if (!pbstrCtxID)
        return E_POINTER;
    if (!bstrName || !bstrName[0])
        return E_FAIL;
    size_t nNameLen = wcslen(bstrName);
    BSTR bstrCtxID = SysAllocStringLen(NULL, (UINT)(nNameLen + 1));
    if (!bstrCtxID)
        return E_OUTOFMEMORY;
    bstrCtxID[0] = L'#';
    memcpy(bstrCtxID + 1, bstrName, nNameLen * sizeof(WCHAR));
    *pbstrCtxID = bstrCtxID;
    return S_OK;
}

bool IsDisconnectError(HRESULT hr)
{
    return hr == RPC_E_DISCONNECTED || hr == CO_E_OBJNOTCONNECTED || hr == RPC_E_CONNECTION_TERMINATED ||
           HRESULT_CODE(hr) == RPC_S_SERVER_UNAVAILABLE || hr == RPC_E_SERVER_DIED;
}

#include "context/QVDSKInfcCache.h"

#include <objbase.h>
#include <objidl.h>
#include <string.h>
#include <wchar.h>

#include "framework/afxwin.h"

namespace {
// The table is process-wide; each use takes a reference and gives it back.
class CGlobalTable
{
public:
    CGlobalTable() : m_pTable(NULL)
    {
        CoCreateInstance(CLSID_StdGlobalInterfaceTable, NULL, CLSCTX_INPROC_SERVER, IID_IGlobalInterfaceTable,
                         reinterpret_cast<void**>(&m_pTable));
    }
    ~CGlobalTable()
    {
        if (m_pTable)
            m_pTable->Release();
    }
    IGlobalInterfaceTable* operator->() const { return m_pTable; }
    bool IsAvailable() const { return m_pTable != NULL; }

    CGlobalTable(const CGlobalTable&) = delete;
    CGlobalTable& operator=(const CGlobalTable&) = delete;

private:
    IGlobalInterfaceTable* m_pTable;
};

HRESULT CreateManager(IContextManager** ppManager)
{
    *ppManager = NULL;
    return CoCreateInstance(CLSID_ContextManager, NULL, CLSCTX_ALL, IID_IContextManager,
                            reinterpret_cast<void**>(ppManager));
}

// Every use of the manager costs this extra call: the cheapest question it answers.
HRESULT ProbeManager(IContextManager* pManager)
{
    BSTR bstrName = NULL;
    HRESULT hr = pManager->GetRootContextName(&bstrName);
    SysFreeString(bstrName);
    return hr;
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

CQVDSKInfcCache::CQVDSKInfcCache() : m_bstrCtxID(NULL), m_dwManagerCookie(0) { InitializeCriticalSection(&m_csLock); }

CQVDSKInfcCache::~CQVDSKInfcCache()
{
    ReleaseAll();
    DeleteCriticalSection(&m_csLock);
}

void CQVDSKInfcCache::Reset()
{
    CLock lock(m_csLock);
    SysFreeString(m_bstrCtxID);
    m_bstrCtxID = NULL;
}

void CQVDSKInfcCache::ReleaseAll()
{
    CLock lock(m_csLock);
    Reset();
    if (m_dwManagerCookie == 0)
        return;
    CGlobalTable table;
    if (table.IsAvailable() && SUCCEEDED(table->RevokeInterfaceFromGlobal(m_dwManagerCookie)))
        m_dwManagerCookie = 0;
}

void CQVDSKInfcCache::SetContextID(const char* pszCtxID)
{
    if (!pszCtxID) {
        SetContextID(static_cast<BSTR>(NULL));
        return;
    }
    BSTR bstrCtxID = AfxAllocBstr(pszCtxID);
    if (!bstrCtxID) {
        Reset();
        return;
    }
    SetContextID(bstrCtxID);
    SysFreeString(bstrCtxID);
}

void CQVDSKInfcCache::SetContextID(BSTR bstrCtxID)
{
    CLock lock(m_csLock);
    Reset();
    if (bstrCtxID && bstrCtxID[0]) {
        m_bstrCtxID = SysAllocString(bstrCtxID);
        return;
    }

    // No ID of our own: the manager's root context stands in.
    IContextManager* pManager = NULL;
    if (FAILED(GetContextManager(&pManager)))
        return;
    BSTR bstrName = NULL;
    if (SUCCEEDED(pManager->GetRootContextName(&bstrName))) {
        BSTR bstrRootID = NULL;
        if (SUCCEEDED(MakeContextID(bstrName, &bstrRootID)))
            m_bstrCtxID = bstrRootID;
    }
    SysFreeString(bstrName);
    pManager->Release();
}

HRESULT CQVDSKInfcCache::RegisterManager(IContextManager* pManager)
{
    CGlobalTable table;
    if (!table.IsAvailable())
        return E_UNEXPECTED;
    HRESULT hr = table->RegisterInterfaceInGlobal(pManager, IID_IContextManager, &m_dwManagerCookie);
    if (FAILED(hr))
        m_dwManagerCookie = 0;
    return hr;
}

HRESULT CQVDSKInfcCache::GetContextManager(IContextManager** ppManager)
{
    CLock lock(m_csLock);
    if (ppManager)
        *ppManager = NULL;

    HRESULT hr = S_OK;
    IContextManager* pManager = NULL;
    if (m_dwManagerCookie == 0) {
        hr = CreateManager(&pManager);
        if (FAILED(hr))
            return hr;
        hr = RegisterManager(pManager);
        pManager->Release();
        pManager = NULL;
        if (FAILED(hr))
            return hr;
    }

    {
        CGlobalTable table;
        if (!table.IsAvailable())
            return E_UNEXPECTED;
        hr = table->GetInterfaceFromGlobal(m_dwManagerCookie, IID_IContextManager, reinterpret_cast<void**>(&pManager));
        if (FAILED(hr))
            return hr;
    }

    HRESULT hrProbe = ProbeManager(pManager);
    if (FAILED(hrProbe)) {
        pManager->Release();
        pManager = NULL;
        ReleaseAll();
        hr = hrProbe;
        if (IsDisconnectError(hrProbe) && SUCCEEDED(CreateManager(&pManager))) {
            hr = RegisterManager(pManager);
            if (FAILED(hr)) {
                pManager->Release();
                pManager = NULL;
            }
        }
    }

    if (SUCCEEDED(hr) && ppManager)
        *ppManager = pManager;
    else if (pManager)
        pManager->Release();
    return hr;
}

BSTR CQVDSKInfcCache::CopyOfContextID(HRESULT* phr)
{
    CLock lock(m_csLock);
    *phr = S_OK;
    if (!m_bstrCtxID)
        return NULL;
    BSTR bstrCopy = SysAllocStringLen(m_bstrCtxID, SysStringLen(m_bstrCtxID));
    if (!bstrCopy)
        *phr = E_OUTOFMEMORY;
    return bstrCopy;
}

HRESULT CQVDSKInfcCache::ExpandMacros(BSTR bstrText, BSTR* pbstrResult)
{
    IContextManager* pManager = NULL;
    HRESULT hr = GetContextManager(&pManager);
    if (FAILED(hr))
        return hr;

    BSTR bstrCtxID = CopyOfContextID(&hr);
    if (SUCCEEDED(hr)) {
        hr = pManager->ExpandMacros(bstrCtxID, bstrText, pbstrResult);
        // The manager died between the probe and the call: one more try on a new one.
        if (FAILED(hr) && IsDisconnectError(hr)) {
            pManager->Release();
            if (SUCCEEDED(CreateManager(&pManager)))
                hr = pManager->ExpandMacros(bstrCtxID, bstrText, pbstrResult);
        }
    }
    if (pManager)
        pManager->Release();
    SysFreeString(bstrCtxID);
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

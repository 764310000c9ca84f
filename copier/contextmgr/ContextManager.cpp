// The context manager for set-ups: the set-up a context ID names gives the values
// and the macro expansions; any other context ID is unknown to it.
#include "copier/common/ComServer.h"
#include "copier/common/CopierLog.h"
#include "copier/contextmgr/SetupContext.h"
#include "device/IContextManager.h"

namespace {
const HRESULT kUnknownContext = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
const HRESULT kUnknownKey = E_INVALIDARG;

HRESULT FindSetup(BSTR bstrCtxID, CopierSetup& setup)
{
    std::string ctxID = NarrowOf(bstrCtxID);
    if (FindCopierSetup(ctxID, setup))
        return S_OK;
    CopierLog("context manager: no set-up has the context ID \"%s\"", ctxID.c_str());
    return kUnknownContext;
}

HRESULT ReturnText(const std::string& text, BSTR* pbstr)
{
    *pbstr = BstrOf(text);
    return *pbstr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnValue(const CopierSetup& setup, BSTR bstrKey, BSTR* pbstrValue)
{
    std::string value;
    if (!SetupContextValue(setup, NarrowOf(bstrKey), value))
        return kUnknownKey;
    return ReturnText(value, pbstrValue);
}

class CSetupContextObject : public CComServerObject<IContextObject>, public IDeviceCopyInfo
{
public:
    explicit CSetupContextObject(const CopierSetup& setup) : CComServerObject(IID_IContextObject), m_setup(setup) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return CComServerObject::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return CComServerObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CComServerObject::Release(); }

    STDMETHODIMP GetContextID(BSTR* pbstrCtxID) override
    {
        return pbstrCtxID ? ReturnText(CopierContextID(m_setup), pbstrCtxID) : E_POINTER;
    }
    STDMETHODIMP GetValue(BSTR bstrKey, BSTR* pbstrValue) override
    {
        if (!pbstrValue)
            return E_POINTER;
        *pbstrValue = NULL;
        return ReturnValue(m_setup, bstrKey, pbstrValue);
    }
    STDMETHODIMP GetCopyMode(LONG* pnCopyMode) override
    {
        if (!pnCopyMode)
            return E_POINTER;
        *pnCopyMode = kSetupCopyMode;
        return S_OK;
    }

protected:
    void* FindInterface(REFIID riid) override
    {
        if (riid == IID_IDeviceCopyInfo)
            return static_cast<IDeviceCopyInfo*>(this);
        return CComServerObject::FindInterface(riid);
    }

private:
    CopierSetup m_setup;
};

// The manager aggregates the free-threaded marshaler, so that it can live in the
// Global Interface Table without a proxy/stub for its interface.
class CSetupContextManager : public CComServerObject<IContextManager>
{
public:
    CSetupContextManager() : CComServerObject(IID_IContextManager)
    {
        CoCreateFreeThreadedMarshaler(static_cast<IUnknown*>(this), &m_pMarshaler);
    }
    ~CSetupContextManager() override
    {
        if (m_pMarshaler)
            m_pMarshaler->Release();
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv && riid == IID_IMarshal && m_pMarshaler)
            return m_pMarshaler->QueryInterface(riid, ppv);
        return CComServerObject::QueryInterface(riid, ppv);
    }

    STDMETHODIMP GetRootContextName(BSTR* pbstrName) override
    {
        return pbstrName ? ReturnText(kCopierProduct, pbstrName) : E_POINTER;
    }
    STDMETHODIMP GetContextValue(BSTR bstrCtxID, BSTR bstrKey, BSTR* pbstrValue) override
    {
        if (!pbstrValue)
            return E_POINTER;
        *pbstrValue = NULL;
        CopierSetup setup;
        HRESULT hr = FindSetup(bstrCtxID, setup);
        return SUCCEEDED(hr) ? ReturnValue(setup, bstrKey, pbstrValue) : hr;
    }
    STDMETHODIMP GetContextObject(BSTR bstrCtxID, IUnknown** ppObject) override
    {
        if (!ppObject)
            return E_POINTER;
        *ppObject = NULL;
        CopierSetup setup;
        HRESULT hr = FindSetup(bstrCtxID, setup);
        if (FAILED(hr))
            return hr;
        CSetupContextObject* pObject = new (std::nothrow) CSetupContextObject(setup);
        if (!pObject)
            return E_OUTOFMEMORY;
        *ppObject = static_cast<IContextObject*>(pObject);
        return S_OK;
    }
    STDMETHODIMP ExpandMacros(BSTR bstrCtxID, BSTR bstrText, BSTR* pbstrResult) override
    {
        if (!pbstrResult)
            return E_POINTER;
        *pbstrResult = NULL;
        CopierSetup setup;
        HRESULT hr = FindSetup(bstrCtxID, setup);
        if (FAILED(hr))
            return hr;
        std::string text = NarrowOf(bstrText), result;
        if (!ExpandSetupMacros(setup, text, result)) {
            CopierLog("context manager: cannot expand \"%s\" for set-up \"%s\"", text.c_str(), setup.name.c_str());
            return kUnknownKey;
        }
        return ReturnText(result, pbstrResult);
    }

private:
    IUnknown* m_pMarshaler = NULL;
};

CComServerFactory<CSetupContextManager> g_factory;
}  // namespace

const ComServerClass g_comServerClasses[] = {{CLSID_ContextManager, g_factory}};
const size_t g_comServerClassCount = 1;

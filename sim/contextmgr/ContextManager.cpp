// Stand-in context manager. Each context's values come from contexts.ini in the
// stand-ins' folder (section = context ID); a context without a section gets
// values derived from its ID, so a plain run needs no file at all.
#include "sim/simcom.h"
#include "device/IContextManager.h"

#include <stdlib.h>

namespace {
const char kContextsFile[] = "contexts.ini";

std::string ContextsIni() { return SimIniPath(kContextsFile); }

// "#" manufacturer "#" product "#" device ID, each field possibly missing.
std::string ContextField(const std::string& ctxID, int nField)
{
    size_t start = 0;
    for (int i = 0; i <= nField; ++i) {
        start = ctxID.find('#', start);
        if (start == std::string::npos)
            return std::string();
        ++start;
    }
    return ctxID.substr(start, ctxID.find('#', start) - start);
}

bool DefaultValue(const std::string& ctxID, const std::string& key, std::string* pValue)
{
    std::string product = ContextField(ctxID, 1);
    if (key == "FriendlyName")
        *pValue = !product.empty() ? product : "QV Device";
    else if (key == "ProdShortName" || key == "Product")
        *pValue = product;
    else if (key == "Manufacturer")
        *pValue = ContextField(ctxID, 0);
    else if (key == "DeviceID")
        *pValue = ContextField(ctxID, 2);
    else if (key == "ContextID")
        *pValue = ctxID;
    else if (key == "DefLangAbbrev")
        *pValue = "enu";
    else if (key == "CopyMode")
        *pValue = "1";
    else
        return false;
    return true;
}

bool ContextValue(const std::string& ctxID, const std::string& key, std::string* pValue)
{
    return SimIniValue(ContextsIni(), ctxID, key.c_str(), pValue) || DefaultValue(ctxID, key, pValue);
}

bool ContextFlag(const std::string& ctxID, const char* pszKey)
{
    std::string value;
    return SimIniValue(ContextsIni(), ctxID, pszKey, &value) && atoi(value.c_str()) != 0;
}

// Replaces every "$Name$" by the context's value; "$$" gives one "$".
HRESULT Expand(const std::string& ctxID, const std::string& text, std::string* pResult)
{
    pResult->clear();
    size_t pos = 0;
    while (pos < text.size()) {
        size_t open = text.find('$', pos);
        if (open == std::string::npos) {
            pResult->append(text, pos, std::string::npos);
            break;
        }
        size_t close = text.find('$', open + 1);
        if (close == std::string::npos)
            return E_INVALIDARG;
        pResult->append(text, pos, open - pos);
        std::string name = text.substr(open + 1, close - open - 1);
        std::string value;
        if (name.empty())
            value = "$";
        else if (!ContextValue(ctxID, name, &value))
            return E_INVALIDARG;
        pResult->append(value);
        pos = close + 1;
    }
    return S_OK;
}

class CContextObject : public CSimObject<IContextObject>, public IDeviceCopyInfo
{
public:
    explicit CContextObject(const std::string& ctxID) : CSimObject(IID_IContextObject), m_ctxID(ctxID) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv || riid != IID_IDeviceCopyInfo)
            return CSimObject::QueryInterface(riid, ppv);
        *ppv = static_cast<IDeviceCopyInfo*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return CSimObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CSimObject::Release(); }

    STDMETHODIMP GetContextID(BSTR* pbstrCtxID) override
    {
        if (!pbstrCtxID)
            return E_POINTER;
        *pbstrCtxID = BstrOf(m_ctxID);
        return *pbstrCtxID ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetValue(BSTR bstrKey, BSTR* pbstrValue) override
    {
        if (!pbstrValue)
            return E_POINTER;
        *pbstrValue = NULL;
        std::string value;
        if (!ContextValue(m_ctxID, NarrowOf(bstrKey), &value))
            return E_INVALIDARG;
        *pbstrValue = BstrOf(value);
        return *pbstrValue ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetCopyMode(LONG* pnCopyMode) override
    {
        if (!pnCopyMode)
            return E_POINTER;
        std::string value;
        ContextValue(m_ctxID, "CopyMode", &value);
        *pnCopyMode = atol(value.c_str());
        return S_OK;
    }

private:
    std::string m_ctxID;
};

// The manager aggregates the free-threaded marshaler, so that it can live in the
// Global Interface Table without a proxy/stub for its interface.
class CContextManager : public CSimObject<IContextManager>
{
public:
    CContextManager() : CSimObject(IID_IContextManager), m_pMarshaler(NULL)
    {
        CoCreateFreeThreadedMarshaler(static_cast<IUnknown*>(this), &m_pMarshaler);
    }
    ~CContextManager() override
    {
        if (m_pMarshaler)
            m_pMarshaler->Release();
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv && riid == IID_IMarshal && m_pMarshaler)
            return m_pMarshaler->QueryInterface(riid, ppv);
        return CSimObject::QueryInterface(riid, ppv);
    }

    STDMETHODIMP GetRootContextName(BSTR* pbstrName) override
    {
        if (!pbstrName)
            return E_POINTER;
        std::string name;
        SimIniValue(ContextsIni(), "Manager", "RootContextName", &name);
        *pbstrName = BstrOf(name);
        return *pbstrName ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetContextValue(BSTR bstrCtxID, BSTR bstrKey, BSTR* pbstrValue) override
    {
        CContextObject object(NarrowOf(bstrCtxID));
        return object.GetValue(bstrKey, pbstrValue);
    }
    STDMETHODIMP GetContextObject(BSTR bstrCtxID, IUnknown** ppObject) override
    {
        if (!ppObject)
            return E_POINTER;
        *ppObject = NULL;
        std::string ctxID = NarrowOf(bstrCtxID);
        if (ContextFlag(ctxID, "FailContextObject"))
            return E_FAIL;
        CContextObject* pObject = new (std::nothrow) CContextObject(ctxID);
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
        std::string ctxID = NarrowOf(bstrCtxID);
        if (ContextFlag(ctxID, "FailExpand"))
            return E_FAIL;
        std::string result;
        HRESULT hr = Expand(ctxID, NarrowOf(bstrText), &result);
        if (FAILED(hr))
            return hr;
        *pbstrResult = BstrOf(result);
        return *pbstrResult ? S_OK : E_OUTOFMEMORY;
    }

private:
    IUnknown* m_pMarshaler;
};

CSimClassFactory<CContextManager> g_factory;
}  // namespace

const SimServer g_simServer = {CLSID_ContextManager, "QV simulated context manager", g_factory};

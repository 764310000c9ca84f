#include "sim/wia/WiaItem.h"

#include <wiadef.h>

STDMETHODIMP CWiaItemBase::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (riid == IID_IUnknown || riid == IID_IWiaItem)
        *ppv = static_cast<IWiaItem*>(this);
    else if (riid == IID_IWiaPropertyStorage)
        *ppv = static_cast<IWiaPropertyStorage*>(this);
    else if (riid == IID_IMarshal)
        return m_lifetime.QueryMarshaler(static_cast<IWiaItem*>(this), riid, ppv);
    else
        *ppv = ExtraInterface(riid);
    if (!*ppv)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CWiaItemBase::Release()
{
    ULONG cRef = m_lifetime.Release();
    if (cRef == 0)
        delete this;
    return cRef;
}

STDMETHODIMP CWiaItemBase::GetItemType(LONG* pItemType)
{
    if (!pItemType)
        return E_POINTER;
    *pItemType = m_itemType;
    return S_OK;
}

STDMETHODIMP CWiaItemBase::GetRootItem(IWiaItem** ppItem)
{
    if (!ppItem)
        return E_POINTER;
    *ppItem = NULL;
    HRESULT hr = CheckOnline();
    return FAILED(hr) ? hr : CreateWiaRootItem(m_device, ppItem);
}

namespace {
// The root's children: the one image item "Top".
class CChildEnum : public CSimObject<IEnumWiaItem>
{
public:
    CChildEnum(std::shared_ptr<CWiaDevice> device, ULONG next)
        : CSimObject(IID_IEnumWiaItem), m_device(std::move(device)), m_next(next)
    {
    }

    STDMETHODIMP Next(ULONG celt, IWiaItem** ppItems, ULONG* pceltFetched) override
    {
        if (!ppItems)
            return E_POINTER;
        if (celt > 1 && !pceltFetched)
            return E_INVALIDARG;
        ULONG fetched = 0;
        HRESULT hr = S_OK;
        for (; fetched < celt && m_next < kCount && SUCCEEDED(hr); ++m_next)
        {
            hr = CreateWiaChildItem(m_device, &ppItems[fetched]);
            if (SUCCEEDED(hr))
                ++fetched;
        }
        if (pceltFetched)
            *pceltFetched = fetched;
        if (FAILED(hr))
            return hr;
        return fetched == celt ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG celt) override
    {
        ULONG skipped = celt < kCount - m_next ? celt : kCount - m_next;
        m_next += skipped;
        return skipped == celt ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumWiaItem** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        *ppEnum = new (std::nothrow) CChildEnum(m_device, m_next);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetCount(ULONG* pcelt) override
    {
        if (!pcelt)
            return E_POINTER;
        *pcelt = kCount;
        return S_OK;
    }

private:
    static constexpr ULONG kCount = 1;
    std::shared_ptr<CWiaDevice> m_device;
    ULONG m_next;
};

class CWiaRootItem : public CWiaItemBase
{
public:
    explicit CWiaRootItem(std::shared_ptr<CWiaDevice> device)
        : CWiaItemBase(std::move(device), WiaItemTypeRoot | WiaItemTypeDevice | WiaItemTypeFolder)
    {
    }

    STDMETHODIMP EnumChildItems(IEnumWiaItem** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        *ppEnum = NULL;
        HRESULT hr = CheckOnline();
        if (FAILED(hr))
            return hr;
        *ppEnum = new (std::nothrow) CChildEnum(SharedDevice(), 0);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }

protected:
    std::vector<WiaProp> CurrentProperties() override
    {
        return RootPropertiesOf(Device().Model(), ReadWiaSteering(Device().Model()), Device().Settings());
    }
    HRESULT ApplyWrites(const std::vector<WiaWrite>& writes) override
    {
        return Device().Apply(&ApplyRootWrites, writes);
    }
};
}  // namespace

HRESULT CreateWiaRootItem(std::shared_ptr<CWiaDevice> device, IWiaItem** ppItem)
{
    CWiaRootItem* pItem = new (std::nothrow) CWiaRootItem(std::move(device));
    *ppItem = pItem;
    return pItem ? S_OK : E_OUTOFMEMORY;
}

#include "sim/wia/WiaItem.h"
#include "sim/wia/WiaEnum.h"

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
class CChildEnum : public CSimEnum<IEnumWiaItem, IWiaItem>
{
public:
    CChildEnum(std::shared_ptr<CWiaDevice> device, ULONG next)
        : CSimEnum(IID_IEnumWiaItem, 1, next), m_device(std::move(device))
    {
    }

protected:
    HRESULT Make(ULONG, IWiaItem** ppItem) override { return CreateWiaChildItem(m_device, ppItem); }
    IEnumWiaItem* CopyAt(ULONG next) override { return new (std::nothrow) CChildEnum(m_device, next); }

private:
    std::shared_ptr<CWiaDevice> m_device;
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

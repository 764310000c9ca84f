#include "sim/wia/WiaItem.h"
#include "sim/wia/WiaTransfer.h"

#include <wiadef.h>

namespace {
// The image item "Top": the scan settings and the banded transfer of one page.
class CWiaChildItem : public CWiaItemBase, public IWiaDataTransfer
{
public:
    explicit CWiaChildItem(std::shared_ptr<CWiaDevice> device)
        : CWiaItemBase(std::move(device), WiaItemTypeImage | WiaItemTypeFile)
    {
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return CWiaItemBase::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return CWiaItemBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CWiaItemBase::Release(); }

    STDMETHODIMP EnumChildItems(IEnumWiaItem** ppEnum) override
    {
        if (ppEnum)
            *ppEnum = NULL;
        return E_INVALIDARG;  // not a folder
    }

    STDMETHODIMP idtGetData(LPSTGMEDIUM, IWiaDataCallback*) override { return E_NOTIMPL; }
    STDMETHODIMP idtGetBandedData(PWIA_DATA_TRANSFER_INFO pInfo, IWiaDataCallback* pCallback) override
    {
        return RunWiaBandedTransfer(Device(), pInfo, pCallback);
    }
    STDMETHODIMP idtQueryGetData(WIA_FORMAT_INFO* pFormat) override
    {
        if (!pFormat)
            return E_POINTER;
        bool served = IsEqualGUID(pFormat->guidFormatID, WiaImgFmt_MEMORYBMP) && pFormat->lTymed == TYMED_CALLBACK;
        return served ? S_OK : E_INVALIDARG;
    }
    STDMETHODIMP idtEnumWIA_FORMAT_INFO(IEnumWIA_FORMAT_INFO**) override { return E_NOTIMPL; }
    STDMETHODIMP idtGetExtendedTransferInfo(PWIA_EXTENDED_TRANSFER_INFO) override { return E_NOTIMPL; }

protected:
    void* ExtraInterface(REFIID riid) override
    {
        return riid == IID_IWiaDataTransfer ? static_cast<IWiaDataTransfer*>(this) : NULL;
    }
    std::vector<WiaProp> CurrentProperties() override
    {
        return ChildPropertiesOf(Device().Model(), Device().Settings());
    }
    HRESULT ApplyWrites(const std::vector<WiaWrite>& writes) override
    {
        return Device().Apply(&ApplyChildWrites, writes);
    }
};
}  // namespace

HRESULT CreateWiaChildItem(std::shared_ptr<CWiaDevice> device, IWiaItem** ppItem)
{
    CWiaChildItem* pItem = new (std::nothrow) CWiaChildItem(std::move(device));
    *ppItem = pItem;
    return pItem ? S_OK : E_OUTOFMEMORY;
}

// The items of an opened scanner: the root (the device, its handling properties) and
// its one child "Top" (the scan settings and the transfer).
#pragma once

#include "sim/wia/WiaDevice.h"
#include "sim/wia/WiaObject.h"
#include "sim/wia/WiaProperties.h"

#include <memory>

class CWiaItemBase : public IWiaItem, public CWiaPropertyStorageBase
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return m_lifetime.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetItemType(LONG* pItemType) override;
    STDMETHODIMP AnalyzeItem(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP DeleteItem(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP CreateChildItem(LONG, BSTR, BSTR, IWiaItem**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumRegisterEventInfo(LONG, const GUID*, IEnumWIA_DEV_CAPS**) override { return E_NOTIMPL; }
    STDMETHODIMP FindItemByName(LONG, BSTR, IWiaItem**) override { return E_NOTIMPL; }
    STDMETHODIMP DeviceDlg(HWND, LONG, LONG, LONG*, IWiaItem***) override { return E_NOTIMPL; }
    STDMETHODIMP DeviceCommand(LONG, const GUID*, IWiaItem**) override { return E_NOTIMPL; }
    STDMETHODIMP GetRootItem(IWiaItem** ppItem) override;
    STDMETHODIMP EnumDeviceCapabilities(LONG, IEnumWIA_DEV_CAPS**) override { return E_NOTIMPL; }
    STDMETHODIMP DumpItemData(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP DumpDrvItemData(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP DumpTreeItemData(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP Diagnostic(ULONG, BYTE*) override { return E_NOTIMPL; }

protected:
    CWiaItemBase(std::shared_ptr<CWiaDevice> device, LONG itemType)
        : m_device(std::move(device)), m_itemType(itemType)
    {
    }
    ~CWiaItemBase() override = default;
    // Interfaces beyond IWiaItem and IWiaPropertyStorage; null when the item has none.
    virtual void* ExtraInterface(REFIID) { return NULL; }
    HRESULT CheckOnline() override { return m_device->CheckOnline(); }
    CWiaDevice& Device() { return *m_device; }
    const std::shared_ptr<CWiaDevice>& SharedDevice() const { return m_device; }

private:
    CWiaLifetime m_lifetime;
    std::shared_ptr<CWiaDevice> m_device;
    const LONG m_itemType;
};

HRESULT CreateWiaRootItem(std::shared_ptr<CWiaDevice> device, IWiaItem** ppItem);
HRESULT CreateWiaChildItem(std::shared_ptr<CWiaDevice> device, IWiaItem** ppItem);

// The device manager: lists the scanners that are plugged in and opens them.
#include "sim/wia/WiaItem.h"
#include "sim/wia/WiaEnum.h"

#include <wiadef.h>

namespace {
// The description of one scanner in the device list.
class CDeviceInfo : public CSimObject<CWiaPropertyStorageBase>
{
public:
    explicit CDeviceInfo(const WiaScannerModel& model) : CSimObject(IID_IWiaPropertyStorage), m_model(model) {}

protected:
    HRESULT CheckOnline() override { return S_OK; }
    std::vector<WiaProp> CurrentProperties() override
    {
        return {
            ReadOnlyText(WIA_DIP_DEV_ID, m_model.pszDeviceId),
            ReadOnlyText(WIA_DIP_DEV_NAME, m_model.pszName),
            ReadOnlyLong(WIA_DIP_DEV_TYPE, kWiaScannerDeviceType),
            ReadOnlyText(WIA_DIP_VEND_DESC, L"QV Sim"),
            ReadOnlyText(WIA_DIP_DEV_DESC, m_model.pszName),
        };
    }
    HRESULT ApplyWrites(const std::vector<WiaWrite>&) override { return E_ACCESSDENIED; }

private:
    const WiaScannerModel& m_model;
};

std::vector<const WiaScannerModel*> PresentScanners()
{
    std::vector<const WiaScannerModel*> present;
    for (const auto& model : WiaScannerModels())
        if (ReadWiaSteering(model).present)
            present.push_back(&model);
    return present;
}

class CDeviceInfoEnum : public CSimEnum<IEnumWIA_DEV_INFO, IWiaPropertyStorage>
{
public:
    CDeviceInfoEnum(std::vector<const WiaScannerModel*> models, ULONG next)
        : CSimEnum(IID_IEnumWIA_DEV_INFO, static_cast<ULONG>(models.size()), next), m_models(std::move(models))
    {
    }

protected:
    HRESULT Make(ULONG index, IWiaPropertyStorage** ppInfo) override
    {
        *ppInfo = new (std::nothrow) CDeviceInfo(*m_models[index]);
        return *ppInfo ? S_OK : E_OUTOFMEMORY;
    }
    IEnumWIA_DEV_INFO* CopyAt(ULONG next) override { return new (std::nothrow) CDeviceInfoEnum(m_models, next); }

private:
    std::vector<const WiaScannerModel*> m_models;
};

class CWiaDevMgr final : public IWiaDevMgr
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = NULL;
        if (riid == IID_IMarshal)
            return m_lifetime.QueryMarshaler(this, riid, ppv);
        if (riid != IID_IUnknown && riid != IID_IWiaDevMgr)
            return E_NOINTERFACE;
        *ppv = static_cast<IWiaDevMgr*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_lifetime.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG cRef = m_lifetime.Release();
        if (cRef == 0)
            delete this;
        return cRef;
    }

    STDMETHODIMP EnumDeviceInfo(LONG lFlag, IEnumWIA_DEV_INFO** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        *ppEnum = NULL;
        if (lFlag != WIA_DEVINFO_ENUM_LOCAL && lFlag != 0)
            return E_INVALIDARG;
        *ppEnum = new (std::nothrow) CDeviceInfoEnum(PresentScanners(), 0);
        return *ppEnum ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP CreateDevice(BSTR bstrDeviceID, IWiaItem** ppRoot) override
    {
        if (!ppRoot)
            return E_POINTER;
        *ppRoot = NULL;
        if (!bstrDeviceID)
            return E_INVALIDARG;
        const WiaScannerModel* pModel = FindWiaScanner(bstrDeviceID);
        if (!pModel || !ReadWiaSteering(*pModel).present)
            return WIA_S_NO_DEVICE_AVAILABLE;
        std::shared_ptr<CWiaDevice> device(new (std::nothrow) CWiaDevice(*pModel));
        return device ? CreateWiaRootItem(std::move(device), ppRoot) : E_OUTOFMEMORY;
    }
    STDMETHODIMP SelectDeviceDlg(HWND, LONG, LONG, BSTR*, IWiaItem**) override { return E_NOTIMPL; }
    STDMETHODIMP SelectDeviceDlgID(HWND, LONG, LONG, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP GetImageDlg(HWND, LONG, LONG, LONG, IWiaItem*, BSTR, GUID*) override { return E_NOTIMPL; }
    STDMETHODIMP RegisterEventCallbackProgram(LONG, BSTR, const GUID*, BSTR, BSTR, BSTR, BSTR) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP RegisterEventCallbackInterface(LONG, BSTR, const GUID*, IWiaEventCallback*, IUnknown**) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP RegisterEventCallbackCLSID(LONG, BSTR, const GUID*, const GUID*, BSTR, BSTR, BSTR) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP AddDeviceDlg(HWND, LONG) override { return E_NOTIMPL; }

private:
    CWiaLifetime m_lifetime;
};

CSimClassFactory<CWiaDevMgr> g_factory;
}  // namespace

const SimServer g_simServer = {CLSID_WiaDevMgr, "QV simulated WIA device manager", g_factory, true};

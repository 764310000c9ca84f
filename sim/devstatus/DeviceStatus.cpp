// Stand-in device-status component. Whether a device answers comes from
// devices.ini in the stand-ins' folder (section = context ID, Reachable=0/1);
// a device without a section answers.
#include "sim/simcom.h"
#include "device/IDeviceStatus.h"

#include <stdlib.h>

namespace {
const char kDevicesFile[] = "devices.ini";

bool DeviceValue(const std::string& ctxID, const char* pszKey, std::string* pValue)
{
    return SimIniValue(SimIniPath(kDevicesFile), ctxID, pszKey, pValue);
}

bool DeviceFlag(const std::string& ctxID, const char* pszKey, bool bDefault)
{
    std::string value;
    return DeviceValue(ctxID, pszKey, &value) ? atoi(value.c_str()) != 0 : bDefault;
}

class CDeviceStatus : public CSimObject<IDeviceStatus>
{
public:
    CDeviceStatus() : CSimObject(IID_IDeviceStatus) {}

    STDMETHODIMP OpenDevice(BSTR bstrCtxID) override
    {
        if (!bstrCtxID || !bstrCtxID[0])
            return E_INVALIDARG;
        m_ctxID = NarrowOf(bstrCtxID);
        if (DeviceFlag(m_ctxID, "OpenFails", false))
            return E_FAIL;
        m_bOpen = true;
        return S_OK;
    }
    STDMETHODIMP QueryDevice(BSTR* pbstrStatus) override
    {
        if (!pbstrStatus)
            return E_POINTER;
        *pbstrStatus = NULL;
        if (!m_bOpen)
            return E_UNEXPECTED;
        if (!DeviceFlag(m_ctxID, "Reachable", true))
            return HRESULT_FROM_WIN32(ERROR_NOT_READY);
        std::string status = "Ready";
        DeviceValue(m_ctxID, "Status", &status);
        *pbstrStatus = BstrOf(status);
        return *pbstrStatus ? S_OK : E_OUTOFMEMORY;
    }

private:
    bool m_bOpen = false;
    std::string m_ctxID;
};

CSimClassFactory<CDeviceStatus> g_factory;
}  // namespace

const SimServer g_simServer = {CLSID_DeviceStatus, "QV simulated device status", g_factory};

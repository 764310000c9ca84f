// The device-status component for set-ups: a set-up answers while its source
// folder exists and its printer can be opened. Context IDs that name no set-up
// cannot be opened.
#include "copier/common/ComServer.h"
#include "copier/common/CopierDevices.h"
#include "copier/common/CopierLog.h"
#include "device/IDeviceStatus.h"

namespace {
const HRESULT kUnknownContext = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
const HRESULT kNotAnswering = HRESULT_FROM_WIN32(ERROR_NOT_READY);

class CSetupDeviceStatus : public CComServerObject<IDeviceStatus>
{
public:
    CSetupDeviceStatus() : CComServerObject(IID_IDeviceStatus) {}

    STDMETHODIMP OpenDevice(BSTR bstrCtxID) override
    {
        std::string ctxID = NarrowOf(bstrCtxID);
        m_bOpen = FindCopierSetup(ctxID, m_setup);
        if (m_bOpen)
            return S_OK;
        CopierLog("device status: no set-up has the context ID \"%s\"", ctxID.c_str());
        return kUnknownContext;
    }
    STDMETHODIMP QueryDevice(BSTR* pbstrStatus) override
    {
        if (!pbstrStatus)
            return E_POINTER;
        *pbstrStatus = NULL;
        if (!m_bOpen)
            return E_UNEXPECTED;
        std::string reason;
        if (!SetupAnswers(m_setup, reason)) {
            CopierLog("device status: set-up \"%s\" does not answer: %s", m_setup.name.c_str(), reason.c_str());
            return kNotAnswering;
        }
        *pbstrStatus = BstrOf("Ready");
        return *pbstrStatus ? S_OK : E_OUTOFMEMORY;
    }

private:
    bool m_bOpen = false;
    CopierSetup m_setup;
};

CComServerFactory<CSetupDeviceStatus> g_factory;
}  // namespace

const ComServerClass g_comServerClasses[] = {{CLSID_DeviceStatus, g_factory}};
const size_t g_comServerClassCount = 1;

#include "app/DeviceCheck.h"

#include "device/IDeviceStatus.h"
#include "log/RKLog.h"

namespace replika {

BOOL CheckDeviceReachable(const CString& cstrCtxID, IDeviceStatus** ppHeld)
{
    CRKTraceScope trace("CCopyApp::CheckDeviceReachable");
    *ppHeld = NULL;
    IDeviceStatus* pStatus = NULL;
    // No component, or a component that cannot open the device, proves nothing either way.
    if (FAILED(::CoCreateInstance(CLSID_DeviceStatus, NULL,
                                  CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER, IID_IDeviceStatus,
                                  (void**)&pStatus)) ||
        pStatus == NULL)
        return TRUE;
    *ppHeld = pStatus;

    BSTR bstrCtxID = cstrCtxID.AllocSysString();
    HRESULT hr = pStatus->OpenDevice(bstrCtxID);
    ::SysFreeString(bstrCtxID);
    if (FAILED(hr))
        return TRUE;

    BSTR bstrAnswer = NULL;
    if (FAILED(pStatus->QueryDevice(&bstrAnswer))) {
        g_pLog->LogError("The device does not answer: QueryDevice failed");
        return FALSE;
    }
    ::SysFreeString(bstrAnswer);
    return TRUE;
}

}  // namespace replika

#include "app/DeviceCheck.h"

#include "device/IDeviceStatus.h"
#include "log/RKLog.h"

namespace replika {

BOOL CheckDeviceReachable(const CString& cstrCtxID, CComPtr<IDeviceStatus>& held)
{
    CRKTraceScope trace("CCopyApp::CheckDeviceReachable");
    // No component, or a component that cannot open the device, proves nothing either way.
    if (FAILED(held.CoCreateInstance(CLSID_DeviceStatus, IID_IDeviceStatus,
                                     CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)) ||
        !held)
        return TRUE;
    CBstr bstrCtxID(cstrCtxID);
    if (FAILED(held->OpenDevice(bstrCtxID)))
        return TRUE;

    CBstr bstrAnswer;
    if (FAILED(held->QueryDevice(&bstrAnswer))) {
        g_pLog->LogError("The device does not answer: QueryDevice failed");
        return FALSE;
    }
    return TRUE;
}

}  // namespace replika

// Whether the device answers before anything is shown.
#pragma once

#include "framework/afxwin.h"
#include "framework/afxcom.h"

struct IDeviceStatus;

namespace replika {

// FALSE only when the device-status component was reached and QueryDevice failed.
// A component that could be created is handed back in held (or nothing), to be
// released after the copy dialog has closed.
BOOL CheckDeviceReachable(const CString& cstrCtxID, CComPtr<IDeviceStatus>& held);

}  // namespace replika

// Whether the device answers before anything is shown.
#pragma once

#include "framework/afxwin.h"

struct IDeviceStatus;

namespace replika {

// FALSE only when the device-status component was reached and QueryDevice failed.
// A component that could be created is handed back in *ppHeld (or null), to be
// released after the copy dialog has closed.
BOOL CheckDeviceReachable(const CString& cstrCtxID, IDeviceStatus** ppHeld);

}  // namespace replika

// The banded transfer of one page from the child item.
#pragma once

#include "sim/wia/WiaDevice.h"

#include <wia.h>
#include <wiadef.h>

#ifndef WIA_ERROR_COVER_OPEN
#define WIA_ERROR_COVER_OPEN MAKE_HRESULT(SEVERITY_ERROR, FACILITY_WIA, 22)
#endif

HRESULT RunWiaBandedTransfer(CWiaDevice& device, PWIA_DATA_TRANSFER_INFO pInfo, IWiaDataCallback* pCallback);

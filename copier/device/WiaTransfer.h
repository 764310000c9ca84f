// One page of a WIA scanner into the scan spool: the banded transfer of a memory
// bitmap, its header read from the first bytes, its rows written where they belong.
#pragma once

#include <windows.h>
#include <wia.h>

#include "copier/device/ScanSpool.h"

// Transfers the item's current page. S_OK only when the whole page arrived and was
// kept; a transfer the device cancelled (S_FALSE) or cut short gives E_ABORT; WIA's
// own failures come back as they are. `fallbackDpi` stands in for a header without one.
HRESULT TransferPage(IWiaItem* pItem, ScanSpool& spool, double fallbackDpi);

// A WIA scanner as the copier uses it: its document handling (flatbed, feeder,
// what is loaded, what is wrong), the scan settings of a job and one page's transfer.
// A connection belongs to the thread that made it.
#pragma once

#include <windows.h>
#include <wia.h>

#include <string>
#include <vector>

#include "copier/common/ComRef.h"
#include "copier/device/ImageSource.h"
#include "copier/device/ScanSpool.h"

// The resolutions a scanner offers: a list, or a range with a step.
struct ResolutionChoices
{
    bool range = false;
    long min = 0, max = 0, step = 0;
    std::vector<long> list;
};

// The offered resolution nearest to `wanted`; of two as near, the finer one.
// `wanted` itself when nothing is offered.
long NearestResolution(const ResolutionChoices& offered, long wanted);

// The copy failure code that says best what a failed scan means to the user: gone,
// busy, no original, or any other trouble at the scanner (cover, jam, a cancel).
HRESULT CopyCodeOfScanFailure(HRESULT hr);

// WIA_DPS_DOCUMENT_HANDLING_CAPABILITIES and _STATUS of the device.
struct ScannerState
{
    LONG capabilities = 0;
    LONG status = 0;
};

class WiaScanner
{
public:
    explicit WiaScanner(const std::string& deviceId) : m_deviceId(deviceId) {}
    WiaScanner(const WiaScanner&) = delete;
    WiaScanner& operator=(const WiaScanner&) = delete;

    // Connects first when needed; a failure drops the connection, so the next call
    // connects anew (a scanner plugged in again answers again).
    HRESULT ReadState(ScannerState& state);
    // Chooses the flatbed or the feeder and sets colour, depth, resolution and the
    // memory-bitmap transfer; `dpi` is the resolution the scanner took.
    HRESULT Prepare(bool feeder, const ScanRequest& request, long& dpi);
    // One page into the spool (see TransferPage).
    HRESULT Transfer(ScanSpool& spool, double dpi);
    void Disconnect();

private:
    HRESULT Connect();

    std::string m_deviceId;
    ComRef<IWiaItem> m_root, m_item;
    ComRef<IWiaPropertyStorage> m_rootProperties, m_itemProperties;
    bool m_bUnreachableLogged = false;
};

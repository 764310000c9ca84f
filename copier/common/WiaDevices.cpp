#include "copier/common/WiaDevices.h"

#include <windows.h>
#include <sti.h>
#include <wia.h>

#include "copier/common/ComRef.h"
#include "copier/common/ComText.h"
#include "copier/common/CopierLog.h"

const char kScannerSourcePrefix[] = "wia:";

namespace {

// The device ID, name and type of one entry of WIA's device list.
bool ReadDeviceInfo(IWiaPropertyStorage* pInfo, ScannerInfo& scanner, bool& isScanner)
{
    PROPSPEC properties[3] = {{PRSPEC_PROPID, {WIA_DIP_DEV_ID}},
                         {PRSPEC_PROPID, {WIA_DIP_DEV_NAME}},
                         {PRSPEC_PROPID, {WIA_DIP_DEV_TYPE}}};
    PROPVARIANT values[3];
    for (PROPVARIANT& value : values)
        PropVariantInit(&value);
    HRESULT hr = pInfo->ReadMultiple(3, properties, values);
    bool ok = SUCCEEDED(hr) && values[0].vt == VT_BSTR && values[0].bstrVal && values[0].bstrVal[0];
    if (ok) {
        scanner.id = NarrowOf(values[0].bstrVal);
        scanner.name = values[1].vt == VT_BSTR ? NarrowOf(values[1].bstrVal) : scanner.id;
        isScanner = values[2].vt == VT_I4 && GET_STIDEVICE_TYPE(values[2].lVal) == StiDeviceTypeScanner;
    }
    FreePropVariantArray(3, values);
    return ok;
}

}  // namespace

bool ScannerOfSource(const std::string& source, std::string& deviceId)
{
    const size_t prefix = sizeof(kScannerSourcePrefix) - 1;
    if (source.size() <= prefix || _strnicmp(source.c_str(), kScannerSourcePrefix, prefix) != 0)
        return false;
    deviceId = source.substr(prefix);
    return true;
}

std::vector<ScannerInfo> ListScanners()
{
    std::vector<ScannerInfo> scanners;
    ComScope com;
    ComRef<IWiaDevMgr> manager;
    HRESULT hr = CoCreateInstance(CLSID_WiaDevMgr, nullptr, CLSCTX_ALL, IID_IWiaDevMgr, manager.PutVoid());
    ComRef<IEnumWIA_DEV_INFO> devices;
    if (SUCCEEDED(hr))
        hr = manager->EnumDeviceInfo(WIA_DEVINFO_ENUM_LOCAL, devices.Put());
    if (FAILED(hr) || !devices) {
        CopierLog("scanners: WIA cannot be reached (0x%lx)", static_cast<unsigned long>(hr));
        return scanners;
    }
    for (;;) {
        ComRef<IWiaPropertyStorage> info;
        ULONG fetched = 0;
        if (devices->Next(1, info.Put(), &fetched) != S_OK || fetched != 1 || !info)
            break;
        ScannerInfo scanner;
        bool isScanner = false;
        if (ReadDeviceInfo(info.Get(), scanner, isScanner) && isScanner)
            scanners.push_back(scanner);
    }
    return scanners;
}

bool ScannerListed(const std::string& deviceId)
{
    for (const ScannerInfo& scanner : ListScanners())
        if (scanner.id == deviceId)
            return true;
    return false;
}

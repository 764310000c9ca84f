#include "copier/device/WiaScanner.h"

#include <cstdlib>

#include "copier/common/ComText.h"
#include "copier/common/CopierLog.h"
#include "copier/device/DeviceCodes.h"
#include "copier/device/WiaTransfer.h"

#ifndef WIA_ERROR_COVER_OPEN
#define WIA_ERROR_COVER_OPEN MAKE_HRESULT(SEVERITY_ERROR, FACILITY_WIA, 0x16)
#endif

namespace {

PROPSPEC ById(PROPID id)
{
    PROPSPEC byId = {};
    byId.ulKind = PRSPEC_PROPID;
    byId.propid = id;
    return byId;
}

HRESULT ReadLong(IWiaPropertyStorage* pStorage, PROPID id, LONG& value)
{
    PROPSPEC property = ById(id);
    PROPVARIANT read;
    PropVariantInit(&read);
    HRESULT hr = pStorage->ReadMultiple(1, &property, &read);
    if (hr == S_OK && (read.vt == VT_I4 || read.vt == VT_UI4))
        value = read.lVal;
    else if (SUCCEEDED(hr))
        hr = E_UNEXPECTED;  // the driver does not keep this property
    PropVariantClear(&read);
    return hr;
}

HRESULT WriteValue(IWiaPropertyStorage* pStorage, PROPID id, const PROPVARIANT& value)
{
    PROPSPEC property = ById(id);
    return pStorage->WriteMultiple(1, &property, &value, WIA_IPA_FIRST);
}

HRESULT WriteLong(IWiaPropertyStorage* pStorage, PROPID id, LONG number)
{
    PROPVARIANT value;
    PropVariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return WriteValue(pStorage, id, value);
}

HRESULT WriteGuid(IWiaPropertyStorage* pStorage, PROPID id, const GUID& guid)
{
    GUID copy = guid;
    PROPVARIANT value;
    PropVariantInit(&value);
    value.vt = VT_CLSID;
    value.puuid = &copy;
    return WriteValue(pStorage, id, value);
}

ResolutionChoices ReadResolutions(IWiaPropertyStorage* pStorage)
{
    ResolutionChoices choices;
    PROPSPEC property = ById(WIA_IPS_XRES);
    ULONG flags = 0;
    PROPVARIANT valid;
    PropVariantInit(&valid);
    if (SUCCEEDED(pStorage->GetPropertyAttributes(1, &property, &flags, &valid)) && valid.vt == (VT_VECTOR | VT_I4)) {
        const LONG* values = valid.cal.pElems;
        ULONG count = valid.cal.cElems;
        if ((flags & WIA_PROP_RANGE) && count > WIA_RANGE_STEP) {
            choices.range = true;
            choices.min = values[WIA_RANGE_MIN], choices.max = values[WIA_RANGE_MAX];
            choices.step = values[WIA_RANGE_STEP];
        } else if ((flags & WIA_PROP_LIST) && count > WIA_LIST_VALUES) {
            choices.list.assign(values + WIA_LIST_VALUES, values + count);
        }
    }
    PropVariantClear(&valid);
    return choices;
}

}  // namespace

long NearestResolution(const ResolutionChoices& offered, long wanted)
{
    if (offered.range && offered.max >= offered.min) {
        long step = offered.step > 0 ? offered.step : 1;
        long clamped = wanted < offered.min ? offered.min : wanted > offered.max ? offered.max : wanted;
        long below = offered.min + (clamped - offered.min) / step * step;
        long above = below + step <= offered.max ? below + step : below;
        return (clamped - below < above - clamped) ? below : above;
    }
    long best = wanted;
    long bestDistance = -1;
    for (long value : offered.list) {
        long distance = labs(value - wanted);
        if (bestDistance < 0 || distance < bestDistance || (distance == bestDistance && value > best))
            best = value, bestDistance = distance;
    }
    return best;
}

HRESULT CopyCodeOfScanFailure(HRESULT hr)
{
    switch (hr) {
    case WIA_ERROR_OFFLINE:
    case WIA_S_NO_DEVICE_AVAILABLE:
    case WIA_ERROR_DEVICE_COMMUNICATION:
    case WIA_ERROR_ITEM_DELETED:
    case RPC_E_DISCONNECTED:
    case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
    case REGDB_E_CLASSNOTREG:
        return kNotResponding;
    case WIA_ERROR_BUSY:
    case WIA_ERROR_WARMING_UP:
    case WIA_ERROR_DEVICE_LOCKED:
        return kDeviceBusy;
    case WIA_ERROR_PAPER_EMPTY:
        return kNoOriginal;
    default:
        return kScanFailed;  // cover open, a jam, a cancel, anything else at the scanner
    }
}

HRESULT WiaScanner::Connect()
{
    if (m_root)
        return S_OK;
    ComRef<IWiaDevMgr> manager;
    HRESULT hr = CoCreateInstance(CLSID_WiaDevMgr, nullptr, CLSCTX_ALL, IID_IWiaDevMgr, manager.PutVoid());
    BSTR id = SUCCEEDED(hr) ? BstrOf(m_deviceId) : nullptr;
    if (SUCCEEDED(hr) && !id)
        hr = E_OUTOFMEMORY;
    if (SUCCEEDED(hr))
        hr = manager->CreateDevice(id, m_root.Put());
    SysFreeString(id);
    ComRef<IEnumWiaItem> children;
    if (hr == S_OK)
        hr = m_root->EnumChildItems(children.Put());
    ULONG fetched = 0;
    if (SUCCEEDED(hr))
        hr = children->Next(1, m_item.Put(), &fetched);
    if (hr == S_OK && fetched == 1 && m_item && SUCCEEDED(hr = m_root.As(IID_IWiaPropertyStorage, m_rootProperties)))
        hr = m_item.As(IID_IWiaPropertyStorage, m_itemProperties);
    else if (SUCCEEDED(hr))
        hr = WIA_S_NO_DEVICE_AVAILABLE;  // a device with nothing to scan
    if (FAILED(hr) && !m_bUnreachableLogged)  // once until it answers again: the poll asks often
        CopierLog("device: the scanner %s cannot be reached (0x%lx)", m_deviceId.c_str(), static_cast<unsigned long>(hr));
    m_bUnreachableLogged = FAILED(hr);
    if (FAILED(hr))
        Disconnect();
    return hr;
}

void WiaScanner::Disconnect()
{
    m_itemProperties.Reset();
    m_rootProperties.Reset();
    m_item.Reset();
    m_root.Reset();
}

HRESULT WiaScanner::ReadState(ScannerState& state)
{
    HRESULT hr = Connect();
    if (SUCCEEDED(hr))
        hr = ReadLong(m_rootProperties.Get(), WIA_DPS_DOCUMENT_HANDLING_CAPABILITIES, state.capabilities);
    if (SUCCEEDED(hr))
        hr = ReadLong(m_rootProperties.Get(), WIA_DPS_DOCUMENT_HANDLING_STATUS, state.status);
    if (hr == E_UNEXPECTED) {
        // A scanner without document handling is a flatbed.
        state = ScannerState{FLAT, FLAT_READY};
        hr = S_OK;
    }
    if (FAILED(hr))
        Disconnect();
    return hr;
}

HRESULT WiaScanner::Prepare(bool feeder, const ScanRequest& request, long& dpi)
{
    HRESULT hr = Connect();
    if (FAILED(hr))
        return hr;
    IWiaPropertyStorage* pRoot = m_rootProperties.Get();
    IWiaPropertyStorage* pItem = m_itemProperties.Get();
    LONG capabilities = 0;
    if (SUCCEEDED(ReadLong(pRoot, WIA_DPS_DOCUMENT_HANDLING_CAPABILITIES, capabilities)) &&
        FAILED(hr = WriteLong(pRoot, WIA_DPS_DOCUMENT_HANDLING_SELECT, feeder ? FEEDER : FLATBED)))
        return hr;
    if (feeder)
        WriteLong(pRoot, WIA_DPS_PAGES, 1);  // one page a transfer; the copier asks again while sheets remain
    if (FAILED(hr = WriteLong(pItem, WIA_IPA_DATATYPE, request.color ? WIA_DATA_COLOR : WIA_DATA_GRAYSCALE)) ||
        FAILED(hr = WriteLong(pItem, WIA_IPA_DEPTH, request.color ? 24 : 8)))
        return hr;
    dpi = NearestResolution(ReadResolutions(pItem), request.dpi);
    if (FAILED(hr = WriteLong(pItem, WIA_IPS_XRES, dpi)) || FAILED(hr = WriteLong(pItem, WIA_IPS_YRES, dpi)) ||
        FAILED(hr = WriteGuid(pItem, WIA_IPA_FORMAT, WiaImgFmt_MEMORYBMP)))
        return hr;
    return WriteLong(pItem, WIA_IPA_TYMED, TYMED_CALLBACK);
}

HRESULT WiaScanner::Transfer(ScanSpool& spool, double dpi)
{
    HRESULT hr = Connect();
    return SUCCEEDED(hr) ? TransferPage(m_item.Get(), spool, dpi) : hr;
}

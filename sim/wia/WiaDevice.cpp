#include "sim/wia/WiaDevice.h"

#include <wiadef.h>

namespace {
constexpr LONG kMaxPages = 100;

LONG DepthOf(LONG dataType) { return dataType == WIA_DATA_GRAYSCALE ? 8 : 24; }

std::vector<LONG> SourcesOf(const WiaScannerModel& model)
{
    std::vector<LONG> sources;
    if (model.handlingCapabilities & FEED)
        sources.push_back(FEEDER);
    if (model.handlingCapabilities & FLAT)
        sources.push_back(FLATBED);
    return sources;
}

std::vector<LONG> PageCounts()
{
    std::vector<LONG> counts;
    for (LONG n = 0; n <= kMaxPages; ++n)
        counts.push_back(n);
    return counts;
}
}  // namespace

WiaScanSettings DefaultScanSettings(const WiaScannerModel& model)
{
    LONG source = (model.handlingCapabilities & FLAT) ? FLATBED : FEEDER;
    return {source, 1, WIA_DATA_COLOR, 24, kWiaDefaultResolution, kWiaDefaultResolution};
}

std::vector<WiaProp> RootPropertiesOf(const WiaScannerModel& model, const WiaSteering& steering,
                                      const WiaScanSettings& settings)
{
    std::vector<WiaProp> props = {
        ReadOnlyText(WIA_DIP_DEV_ID, model.pszDeviceId),
        ReadOnlyText(WIA_DIP_DEV_NAME, model.pszName),
        ReadOnlyText(WIA_DIP_DEV_DESC, model.pszName),
        ReadOnlyText(WIA_DIP_VEND_DESC, L"QV Sim"),
        ReadOnlyLong(WIA_DIP_DEV_TYPE, kWiaScannerDeviceType),
        ReadOnlyLong(WIA_DPS_DOCUMENT_HANDLING_CAPABILITIES, model.handlingCapabilities),
        ReadOnlyLong(WIA_DPS_DOCUMENT_HANDLING_STATUS, WiaHandlingStatus(model, steering)),
        ListLong(WIA_DPS_DOCUMENT_HANDLING_SELECT, settings.source, SourcesOf(model)),
        ListLong(WIA_DPS_PAGES, settings.pages, PageCounts()),
        ReadOnlyLong(WIA_DPS_HORIZONTAL_SHEET_FEED_SIZE, kWiaSheetWidth),
        ReadOnlyLong(WIA_DPS_VERTICAL_SHEET_FEED_SIZE, kWiaSheetHeight),
    };
    if (model.handlingCapabilities & FLAT)
    {
        props.push_back(ReadOnlyLong(WIA_DPS_HORIZONTAL_BED_SIZE, model.bedWidth));
        props.push_back(ReadOnlyLong(WIA_DPS_VERTICAL_BED_SIZE, model.bedHeight));
    }
    return props;
}

std::vector<WiaProp> ChildPropertiesOf(const WiaScannerModel& model, const WiaScanSettings& settings)
{
    WiaPageGeometry geometry = WiaGeometryOf(ScanFormatOf(model, settings));
    return {
        ReadOnlyText(WIA_IPA_ITEM_NAME, L"Top"),
        ReadOnlyText(WIA_IPA_FULL_ITEM_NAME, std::wstring(model.pszDeviceId).substr(39) + L"\\Root\\Top"),
        ListLong(WIA_IPA_DATATYPE, settings.dataType, {WIA_DATA_COLOR, WIA_DATA_GRAYSCALE}),
        ListLong(WIA_IPA_DEPTH, settings.depth, {8, 24}),
        ListLong(WIA_IPS_XRES, settings.xres, model.resolutions),
        ListLong(WIA_IPS_YRES, settings.yres, model.resolutions),
        FixedGuid(WIA_IPA_FORMAT, WiaImgFmt_MEMORYBMP),
        ListLong(WIA_IPA_TYMED, TYMED_CALLBACK, {TYMED_CALLBACK}),
        ReadOnlyLong(WIA_IPS_XEXTENT, geometry.pixelsPerLine),
        ReadOnlyLong(WIA_IPS_YEXTENT, geometry.lines),
        ReadOnlyLong(WIA_IPA_PIXELS_PER_LINE, geometry.pixelsPerLine),
        ReadOnlyLong(WIA_IPA_NUMBER_OF_LINES, geometry.lines),
        ReadOnlyLong(WIA_IPA_BYTES_PER_LINE, geometry.bytesPerLine),
    };
}

HRESULT ApplyRootWrites(const std::vector<WiaWrite>& writes, WiaScanSettings* pSettings)
{
    for (const WiaWrite& write : writes)
    {
        if (write.id == WIA_DPS_DOCUMENT_HANDLING_SELECT)
            pSettings->source = write.value;
        else if (write.id == WIA_DPS_PAGES)
            pSettings->pages = write.value;
    }
    return S_OK;
}

// Writing the data type sets the depth that goes with it; a depth must fit the type.
HRESULT ApplyChildWrites(const std::vector<WiaWrite>& writes, WiaScanSettings* pSettings)
{
    const WiaWrite* pDepth = NULL;
    for (const WiaWrite& write : writes)
    {
        if (write.id == WIA_IPA_DATATYPE)
        {
            pSettings->dataType = write.value;
            pSettings->depth = DepthOf(write.value);
        }
        else if (write.id == WIA_IPA_DEPTH)
            pDepth = &write;
        else if (write.id == WIA_IPS_XRES)
            pSettings->xres = write.value;
        else if (write.id == WIA_IPS_YRES)
            pSettings->yres = write.value;
    }
    return (pDepth && pDepth->value != DepthOf(pSettings->dataType)) ? E_INVALIDARG : S_OK;
}

WiaScanFormat ScanFormatOf(const WiaScannerModel& model, const WiaScanSettings& settings)
{
    bool flatbed = settings.source == FLATBED;
    return {flatbed ? model.bedWidth : kWiaSheetWidth, flatbed ? model.bedHeight : kWiaSheetHeight, settings.xres,
            settings.yres, settings.dataType == WIA_DATA_COLOR};
}

WiaScanSettings CWiaDevice::Settings() const
{
    AcquireSRWLockShared(&m_lock);
    WiaScanSettings settings = m_settings;
    ReleaseSRWLockShared(&m_lock);
    return settings;
}

HRESULT CWiaDevice::CheckOnline() const { return ReadWiaSteering(m_model).present ? S_OK : WIA_ERROR_OFFLINE; }

// All or nothing: the writes go to a copy that replaces the settings only when all fit.
HRESULT CWiaDevice::Apply(HRESULT (*pfnApply)(const std::vector<WiaWrite>&, WiaScanSettings*),
                          const std::vector<WiaWrite>& writes)
{
    AcquireSRWLockExclusive(&m_lock);
    WiaScanSettings settings = m_settings;
    HRESULT hr = pfnApply(writes, &settings);
    if (SUCCEEDED(hr))
        m_settings = settings;
    ReleaseSRWLockExclusive(&m_lock);
    return hr;
}

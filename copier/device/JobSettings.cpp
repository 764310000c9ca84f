#include "copier/device/JobSettings.h"

#include <cstring>

#include "copier/device/DeviceCodes.h"

namespace {

// Rules the device asks for: AB, AE, AF (the dialog's own), AM (panorama paper is
// printed fitted); AK when originals come only through the feeder.
const int32_t kRulesAlways = 0x32 | 0x1000;
const int32_t kRuleFeederOnly = 0x400;
// bEnableXDL entries the device does not apply: photo size (15) and poster width (20).
const int kUnsupportedSettings[] = {15, 20};

const int32_t kModeScaled = 1, kModeFit = 5, kModeBorderless = 7;

void CopyName(char (&slot)[COPIER_MEDIA_NAME_LEN], const std::string& name)
{
    lstrcpynA(slot, name.c_str(), COPIER_MEDIA_NAME_LEN);
}

const MediaChoice* Find(const std::vector<MediaChoice>& list, int32_t id)
{
    for (const MediaChoice& choice : list)
        if (choice.id == id)
            return &choice;
    return nullptr;
}

int PrintDpiFor(int32_t quality)
{
    switch (quality) {
    case 1: return 150;
    case 3: return 600;
    default: return 300;
    }
}

}  // namespace

void FillCapabilities(const PrinterInfo& info, const DeviceMedia& media, const SourceTraits& source,
                      CopierFunctional& caps)
{
    int32_t borderless = info.printsToEdge ? 1 : 0;
    memset(caps.nMediaTypeID, 0, sizeof(caps.nMediaTypeID));
    memset(caps.szMediaTypeName, 0, sizeof(caps.szMediaTypeName));
    memset(caps.nMediaSizeID, 0, sizeof(caps.nMediaSizeID));
    memset(caps.szMediaSizeName, 0, sizeof(caps.szMediaSizeName));
    for (size_t i = 0; i < media.types.size() && i < COPIER_MAX_MEDIA_TYPES; ++i) {
        caps.nMediaTypeID[i] = media.types[i].id;
        CopyName(caps.szMediaTypeName[i], media.types[i].name);
        caps.bMediaTypeBorderless[i] = borderless;
    }
    for (size_t i = 0; i < media.sizes.size() && i < COPIER_MAX_MEDIA_SIZES; ++i) {
        caps.nMediaSizeID[i] = media.sizes[i].id;
        CopyName(caps.szMediaSizeName[i], media.sizes[i].name);
        caps.bMediaSizeBorderless[i] = borderless;
    }
    caps.nScaleRangeHigh = kScaleHigh;
    caps.nScaleRangeLow = kScaleLow;
    caps.nAllowedCopyQualities = 7;
    caps.nNbrCopies = kMinCopies;
    caps.nBrightness = 50;
    caps.nSpecialFeatureMode = kModeScaled;
    caps.nMaxCopies = kMaxCopies;
    caps.nMinCopies = kMinCopies;
    caps.bEnhanceLightClr = 0;
    caps.bTextMode = 1;
    caps.bADFPresent = source.hasFeeder ? 1 : 0;
    caps.bCollationSupported = 0;
    caps.bLowerInputTrayPresent = info.bins.size() >= 2 ? 1 : 0;
    caps.bRearInputTrayPresent = info.bins.size() >= 3 ? 1 : 0;
    caps.nConstraintMask = kRulesAlways | (source.feederOnly ? kRuleFeederOnly : 0);
    caps.nDefaultMediaSize = media.defaultSize;
    caps.nPaperSize = media.defaultSize;
    caps.nPaperType = media.types.empty() ? 0 : media.types.front().id;
    caps.nQuality = 2;
    caps.nPhotoSize = 0;
    caps.nPhotoSizeIndex = 0;
    caps.nReduceEnlarge = 100;
    caps.nPosterWidth = 0;
    caps.nBorderlessSupport = info.printsToEdge ? 2 : 1;
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i)
        caps.bSettingSupported[i] = 1;
    for (int index : kUnsupportedSettings)
        caps.bSettingSupported[index] = 0;
}

HRESULT SettingsForJob(const CopyJobParams& job, const PrinterInfo& info, const DeviceMedia& media,
                       PrintSettings& settings, std::string& reason)
{
    settings = PrintSettings();
    const MediaChoice* size = Find(media.sizes, job.nPaperSize);
    const MediaChoice* type = Find(media.types, job.nPaperType);
    size_t bins = info.bins.size();
    if (!size)
        reason = "paper size " + std::to_string(job.nPaperSize) + " is not offered";
    else if (!type)
        reason = "paper type " + std::to_string(job.nPaperType) + " is not offered";
    else if (job.nTraySelection < 1 || job.nTraySelection > static_cast<int32_t>(bins > 0 ? bins : 1))
        reason = "paper source " + std::to_string(job.nTraySelection) + " is not offered";
    else if (job.nNbrCopies < kMinCopies || job.nNbrCopies > kMaxCopies)
        reason = std::to_string(job.nNbrCopies) + " copies is outside " + std::to_string(kMinCopies) + ".." +
                 std::to_string(kMaxCopies);
    else if (job.nSpecialFeatureMode == kModeBorderless && !info.printsToEdge)
        reason = "the printer cannot print borderless";
    else if (job.nSpecialFeatureMode != kModeScaled && job.nSpecialFeatureMode != kModeFit &&
             job.nSpecialFeatureMode != kModeBorderless)
        reason = "image size mode " + std::to_string(job.nSpecialFeatureMode) + " is unknown";
    else if (job.nSpecialFeatureMode == kModeScaled && (job.nReduceEnlarge < kScaleLow || job.nReduceEnlarge > kScaleHigh))
        reason = "size " + std::to_string(job.nReduceEnlarge) + " % is outside the range";
    if (!reason.empty())
        return kJobRefused;

    settings.paper = size->driverCode;
    settings.mediaType = type->driverCode;
    settings.bin = bins > 0 ? info.bins[job.nTraySelection - 1] : 0;
    settings.printDpi = PrintDpiFor(job.nQuality);
    settings.color = job.bColorCopyRequested != 0;
    settings.copies = job.nNbrCopies;
    settings.mode = job.nSpecialFeatureMode == kModeFit          ? ImageSizeMode::FitToPage
                    : job.nSpecialFeatureMode == kModeBorderless ? ImageSizeMode::Borderless
                                                                 : ImageSizeMode::Scaled;
    settings.percent = job.nReduceEnlarge;
    settings.brightness = job.nBrightness;
    return S_OK;
}

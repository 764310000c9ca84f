// The device's answer to GetCapabilities, and a submitted job turned into what the
// printer is told: both made from the printer's media lists and the source.
#pragma once

#include <string>

#include "copier/device/PageGeometry.h"
#include "copier/device/PrinterMedia.h"
#include "records/CopierFunctional.h"
#include "records/CopyJobParams.h"

struct SourceTraits
{
    bool hasFeeder;
    bool feederOnly;
};

// Limits the device keeps to (inside the dialog's own ranges).
const int kMinCopies = 1;
const int kMaxCopies = 99;
const int kScaleLow = 25;
const int kScaleHigh = 400;

void FillCapabilities(const PrinterInfo& info, const DeviceMedia& media, const SourceTraits& source,
                      CopierFunctional& caps);

struct PrintSettings
{
    int paper = 0;        // DEVMODE values; 0 leaves the driver's own
    int bin = 0;
    int mediaType = 0;
    int printDpi = 0;     // 0 keeps the driver's resolution
    bool color = true;
    int copies = 1;
    ImageSizeMode mode = ImageSizeMode::Scaled;
    int percent = 100;
    int brightness = 50;
};

// The printer's settings for a job; kJobRefused, with the reason, when the job asks
// for a size, type, source, image size or count the device does not offer.
HRESULT SettingsForJob(const CopyJobParams& job, const PrinterInfo& info, const DeviceMedia& media,
                       PrintSettings& settings, std::string& reason);

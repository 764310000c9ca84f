// What the simulated device is: its media, trays, limits, defaults, constraint
// mask, supported settings and the failures it is told to report. One profile
// per device ID, read from "device-<deviceID>.ini" over a built-in default.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>

#include "records/CopierFunctional.h"

struct SimMedia
{
    int32_t nID;
    int32_t bBorderless;
    char szName[COPIER_MEDIA_NAME_LEN];  // empty: free slot
};

struct SimProfile
{
    SimMedia types[COPIER_MAX_MEDIA_TYPES];
    SimMedia sizes[COPIER_MAX_MEDIA_SIZES];

    // [Device]
    int nADFPresent;
    int nFeederOnly;  // adds rule bit 10 to the mask: copies only from the feeder
    int nOriginalInFeeder;
    int nBorderlessCapable;
    int nLowerTray;
    int nRearTray;
    int nConstraintMask;
    int nBusyTimeMs;
    int nSupported[COPIER_SETTING_FLAGS];

    // [Limits]
    int nMinCopies;
    int nMaxCopies;
    int nScaleLow;
    int nScaleHigh;
    int nAllowedQualities;
    int nCollation;

    // [Defaults]
    int nCopies;
    int nBrightness;
    int nQuality;
    int nPaperSize;
    int nDefaultPaperSize;
    int nPaperType;
    int nReduceEnlarge;
    int nSpecialFeatureMode;
    int nPhotoSize;
    int nPhotoSizeIndex;
    int nPosterWidth;
    int nTextMode;
    int nEnhanceLightColor;

    // [Failures]
    int hrInitProtocol;
    int hrGetCapabilities;
    int hrGetDocInADF;
    int hrSubmitCopy;
};

// The realistic colour all-in-one every device is unless its file says otherwise.
void SimProfileSetDefault(SimProfile& profile);

// Applies INI text over what the profile holds. Returns the number of lines it
// could not use; the first such line is described in problem (may be null).
int SimProfileParse(const char* text, SimProfile& profile, char* problem, size_t problemCap);

// The folder of profiles and journals: %QVSIM_DIR%, else <all users app data>\QVSim.
void SimFolder(char* folder, size_t cap);

// <folder>\<prefix><deviceID><suffix>, with characters a file name cannot hold replaced.
void SimDeviceFilePath(const char* prefix, const char* deviceID, const char* suffix, char* path, size_t cap);

// Whether a file exists, its size and its last write: a profile is parsed again only
// when this changes.
struct SimFileStamp
{
    bool bExists;
    uint64_t nSize;
    uint64_t nWritten;

    bool operator==(const SimFileStamp& other) const
    {
        return bExists == other.bExists && nSize == other.nSize && nWritten == other.nWritten;
    }
};

SimFileStamp SimFileStampOf(const char* path);

// Default, then the device's file if there is one. Returns 1 if the file was read.
int SimProfileLoad(const char* deviceID, SimProfile& profile, char* path, size_t pathCap, char* problem,
                   size_t problemCap);

// The answer to GetCapabilities.
void SimProfileFillCapabilities(const SimProfile& profile, CopierFunctional& caps);

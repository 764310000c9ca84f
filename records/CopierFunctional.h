// The capability record exchanged with ICopyAPI::GetCapabilities by address.
// The dialog fills the "in" fields with its current settings; the device
// answers in the same record. All integers are 32-bit little-endian; texts
// are NUL-terminated in fixed 260-byte slots, an empty text marks a free slot.
#pragma once

#include <cstddef>
#include <cstdint>

enum {
    COPIER_MAX_MEDIA_TYPES = 20,
    COPIER_MAX_MEDIA_SIZES = 50,
    COPIER_MEDIA_NAME_LEN = 260,
    COPIER_SETTING_FLAGS = 21,  // one per bEnableXDL entry
    COPIER_DEVICE_AREA_LEN = 2112,
    COPIER_CONSTRAINT_MASK_IN = 50  // what the dialog sends before the device answers
};

struct CopierFunctional
{
    int32_t nMediaTypeID[COPIER_MAX_MEDIA_TYPES];                         //     0 out
    char szMediaTypeName[COPIER_MAX_MEDIA_TYPES][COPIER_MEDIA_NAME_LEN];  //    80 out
    int32_t bMediaTypeBorderless[COPIER_MAX_MEDIA_TYPES];                 //  5280 out
    int32_t nMediaSizeID[COPIER_MAX_MEDIA_SIZES];                         //  5360 out
    char szMediaSizeName[COPIER_MAX_MEDIA_SIZES][COPIER_MEDIA_NAME_LEN];  //  5560 out
    int32_t bMediaSizeBorderless[COPIER_MAX_MEDIA_SIZES];                 // 18560 out
    uint8_t byDeviceArea[COPIER_DEVICE_AREA_LEN];     // 18760 the device's own; the dialog never touches it
    int32_t nScaleRangeHigh;                          // 20872 in/out
    int32_t nScaleRangeLow;                           // 20876 in/out
    int32_t nAllowedCopyQualities;                    // 20880 in/out
    int32_t nNbrCopies;                               // 20884 in/out
    int32_t nBrightness;                              // 20888 in/out
    int32_t nSpecialFeatureMode;                      // 20892 in/out
    int32_t nMaxCopies;                               // 20896 in/out
    int32_t nMinCopies;                               // 20900 in/out
    int32_t bEnhanceLightClr;                         // 20904 in/out
    int32_t bTextMode;                                // 20908 in/out
    int32_t bADFDuplexerPresent;                      // 20912 in
    int32_t bADFPresent;                              // 20916 in/out
    int32_t bCollationSupported;                      // 20920 in/out
    int32_t bPrintDuplexerPresent;                    // 20924 in
    int32_t nReserved;                                // 20928 in, always 0
    int32_t bLowerInputTrayPresent;                   // 20932 in 0 / out
    int32_t bRearInputTrayPresent;                    // 20936 in 0 / out
    int32_t nConstraintMask;                          // 20940 in 50 / out
    int32_t nDefaultMediaSize;                        // 20944 out
    int32_t nPaperSize;                               // 20948 in/out
    int32_t nPaperType;                               // 20952 in/out
    int32_t nQuality;                                 // 20956 in/out
    int32_t nPhotoSize;                               // 20960 in/out
    int32_t nPhotoSizeIndex;                          // 20964 in/out
    int32_t nReduceEnlarge;                           // 20968 in/out
    int32_t nPosterWidth;                             // 20972 in/out
    int32_t nBorderlessSupport;                       // 20976 in; out 2 = the device prints borderless
    int32_t bSettingSupported[COPIER_SETTING_FLAGS];  // 20980 in all 1 / out
};

static_assert(sizeof(CopierFunctional) == 21064, "CopierFunctional is 21064 bytes");
static_assert(alignof(CopierFunctional) == 4, "CopierFunctional packs on 4 bytes");
static_assert(offsetof(CopierFunctional, nMediaTypeID) == 0, "layout");
static_assert(offsetof(CopierFunctional, szMediaTypeName) == 80, "layout");
static_assert(offsetof(CopierFunctional, bMediaTypeBorderless) == 5280, "layout");
static_assert(offsetof(CopierFunctional, nMediaSizeID) == 5360, "layout");
static_assert(offsetof(CopierFunctional, szMediaSizeName) == 5560, "layout");
static_assert(offsetof(CopierFunctional, bMediaSizeBorderless) == 18560, "layout");
static_assert(offsetof(CopierFunctional, byDeviceArea) == 18760, "layout");
static_assert(offsetof(CopierFunctional, nScaleRangeHigh) == 20872, "layout");
static_assert(offsetof(CopierFunctional, nScaleRangeLow) == 20876, "layout");
static_assert(offsetof(CopierFunctional, nAllowedCopyQualities) == 20880, "layout");
static_assert(offsetof(CopierFunctional, nNbrCopies) == 20884, "layout");
static_assert(offsetof(CopierFunctional, nBrightness) == 20888, "layout");
static_assert(offsetof(CopierFunctional, nSpecialFeatureMode) == 20892, "layout");
static_assert(offsetof(CopierFunctional, nMaxCopies) == 20896, "layout");
static_assert(offsetof(CopierFunctional, nMinCopies) == 20900, "layout");
static_assert(offsetof(CopierFunctional, bEnhanceLightClr) == 20904, "layout");
static_assert(offsetof(CopierFunctional, bTextMode) == 20908, "layout");
static_assert(offsetof(CopierFunctional, bADFDuplexerPresent) == 20912, "layout");
static_assert(offsetof(CopierFunctional, bADFPresent) == 20916, "layout");
static_assert(offsetof(CopierFunctional, bCollationSupported) == 20920, "layout");
static_assert(offsetof(CopierFunctional, bPrintDuplexerPresent) == 20924, "layout");
static_assert(offsetof(CopierFunctional, nReserved) == 20928, "layout");
static_assert(offsetof(CopierFunctional, bLowerInputTrayPresent) == 20932, "layout");
static_assert(offsetof(CopierFunctional, bRearInputTrayPresent) == 20936, "layout");
static_assert(offsetof(CopierFunctional, nConstraintMask) == 20940, "layout");
static_assert(offsetof(CopierFunctional, nDefaultMediaSize) == 20944, "layout");
static_assert(offsetof(CopierFunctional, nPaperSize) == 20948, "layout");
static_assert(offsetof(CopierFunctional, nPaperType) == 20952, "layout");
static_assert(offsetof(CopierFunctional, nQuality) == 20956, "layout");
static_assert(offsetof(CopierFunctional, nPhotoSize) == 20960, "layout");
static_assert(offsetof(CopierFunctional, nPhotoSizeIndex) == 20964, "layout");
static_assert(offsetof(CopierFunctional, nReduceEnlarge) == 20968, "layout");
static_assert(offsetof(CopierFunctional, nPosterWidth) == 20972, "layout");
static_assert(offsetof(CopierFunctional, nBorderlessSupport) == 20976, "layout");
static_assert(offsetof(CopierFunctional, bSettingSupported) == 20980, "layout");

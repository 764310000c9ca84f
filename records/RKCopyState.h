// CRKCopyState: every copy setting of the dialog, in the order of the keys of
// the settings file (the element names are the field names). Shown by the
// controls, saved per device, and the source of every copy job.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdint>

enum { STATE_TEXT_LEN = 260, STATE_ENABLE_FLAGS = 21 };

// Entries of bEnableXDL that the dialog ties to a setting; the others are
// carried and sent unchanged.
enum EnableXDLIndex {
    XDL_BRIGHTNESS = 2,
    XDL_FLAG6 = 6,
    XDL_FLAG7 = 7,
    XDL_TRAY_SELECTION = 8,
    XDL_PAPER_SIZE = 10,
    XDL_PAPER_TYPE = 11,
    XDL_NBR_COPIES = 13,
    XDL_PHOTO_SIZE = 15,
    XDL_REDUCE_ENLARGE = 17,
    XDL_QUALITY = 18,
    XDL_POSTER_WIDTH = 20
};

// nSpecialFeatureRadio: the image-size choice.
enum { SFR_CUSTOM_SIZE = 1, SFR_FIT_TO_PAGE = 2, SFR_ACTUAL_SIZE = 16, SFR_BORDERLESS = 32 };
// nSpecialFeatureMode: the image-size mode the device is told.
enum { SFM_ACTUAL_OR_CUSTOM = 1, SFM_FIT_TO_PAGE = 5, SFM_BORDERLESS = 7 };
// nQuality
enum { QUALITY_FAST = 1, QUALITY_NORMAL = 2, QUALITY_BEST = 3 };

class CRKCopyState
{
public:
    CRKCopyState();
    CRKCopyState(const CRKCopyState& other);
    CRKCopyState& operator=(const CRKCopyState& other);

    // Fill the record from a settings file; 1 if the file could be loaded.
    int GetSettings(LPCSTR pszPath);
    // Write the record into an existing settings file; 1 if it could be loaded.
    int SaveSettings(LPCSTR pszPath);
    // Write only pStartLoc into an existing settings file; 1 if it could be loaded.
    int SaveStartLocation(LPCSTR pszPath);

    int32_t bEnableXDL[STATE_ENABLE_FLAGS];
    char strFileName[STATE_TEXT_LEN];
    char strDateTime[STATE_TEXT_LEN];
    char strCtxID[STATE_TEXT_LEN];
    char strModality[STATE_TEXT_LEN];
    POINT pStartLoc;
    int32_t bColorCopyRequested;
    int32_t bADFPresent;
    int32_t bADFDuplexerPresent;
    int32_t bTwoSidedInChecked;
    int32_t bPrintDuplexerPresent;
    int32_t bTwoSidedOutChecked;
    int32_t bPrintDuplexer;
    int32_t bAutoExp;
    int32_t bAutofit;
    int32_t bCollationSupported;
    int32_t bEnhanceLightClr;
    int32_t bLowerInputTrayPresent;
    int32_t bRearInputTrayPresent;
    int32_t bMirror;
    int32_t bMultipleCopiesPerPage;
    int32_t bPoster;
    int32_t bTextMode;
    int32_t bUsingCreativeCopy;
    int32_t bAutoCropMode;
    int32_t nADFMode;
    int32_t nAllowedCopyTypes;
    int32_t nAllowedCopyQualities;
    int32_t nBrightness;
    int32_t nCCHowMany;
    int32_t nCollate;
    int32_t nColorIntensity;
    int32_t nCreativeCopy;
    int32_t nCreativeCopyIndex;
    int32_t nNbrCopies;
    int32_t nMaxCopies;
    int32_t nMinCopies;
    int32_t nPaperSize;
    int32_t nPaperSizeIndex;
    int32_t nPhotoSize;
    int32_t nPhotoSizeIndex;
    int32_t nPaperType;
    int32_t nPaperTypeIndex;
    int32_t nPosterWidth;
    int32_t nQuality;
    int32_t nReduceEnlarge;
    int32_t nScaleRangeHigh;
    int32_t nScaleRangeLow;
    int32_t nTraySelection;
    int32_t nSpecialFeatureRadio;
    int32_t nSpecialFeatureMode;
    int32_t nBorderlessSupport;  // not persisted
    // Always this record's own bEnableXDL: the dialog reads and writes the
    // flags through it. Copies keep pointing at their own array.
    int32_t* const pbEnableXDL;
};

static_assert(sizeof(POINT) == 8, "pStartLoc is two 32-bit values");

// The strDateTime text for a local time: "%s,%s %d, %d %d:%d:%d" with the
// English weekday and month names, e.g. "Sunday,January 2, 2028 9:5:7".
// Always NUL-terminates within cchOut.
void FormatStateDateTime(const SYSTEMTIME& st, char* pszOut, size_t cchOut);

// The copy job handed by value to ICopyAPI::SubmitCopy: 40 little-endian
// 32-bit integers, filled from CRKCopyState.
#pragma once

#include <cstddef>
#include <cstdint>

struct CopyJobParams
{
    int32_t nTraySelection;          //   0
    int32_t bPrintDuplexerPresent;   //   4
    int32_t bTwoSidedOutChecked;     //   8
    int32_t nSpecialFeatureMode;     //  12
    int32_t nNbrCopies;              //  16 the copies spin position when the job is built
    int32_t bEnhanceLightClr;        //  20
    int32_t bTextMode;               //  24
    int32_t bColorCopyRequested;     //  28
    int32_t nQuality;                //  32
    int32_t nReduceEnlarge;          //  36
    int32_t nPaperType;              //  40
    int32_t nPaperSize;              //  44
    int32_t nPhotoSize;              //  48
    int32_t nBrightness;             //  52
    int32_t nPosterWidth;            //  56
    int32_t nCCHowMany;              //  60
    int32_t bMultipleCopiesPerPage;  //  64
    int32_t nReserved;               //  68 always 0
    int32_t nBorderlessSupport;      //  72
    int32_t bEnableXDL[21];          //  76
};

static_assert(sizeof(CopyJobParams) == 160, "CopyJobParams is 160 bytes");
static_assert(alignof(CopyJobParams) == 4, "CopyJobParams packs on 4 bytes");
static_assert(offsetof(CopyJobParams, nTraySelection) == 0, "layout");
static_assert(offsetof(CopyJobParams, bPrintDuplexerPresent) == 4, "layout");
static_assert(offsetof(CopyJobParams, bTwoSidedOutChecked) == 8, "layout");
static_assert(offsetof(CopyJobParams, nSpecialFeatureMode) == 12, "layout");
static_assert(offsetof(CopyJobParams, nNbrCopies) == 16, "layout");
static_assert(offsetof(CopyJobParams, bEnhanceLightClr) == 20, "layout");
static_assert(offsetof(CopyJobParams, bTextMode) == 24, "layout");
static_assert(offsetof(CopyJobParams, bColorCopyRequested) == 28, "layout");
static_assert(offsetof(CopyJobParams, nQuality) == 32, "layout");
static_assert(offsetof(CopyJobParams, nReduceEnlarge) == 36, "layout");
static_assert(offsetof(CopyJobParams, nPaperType) == 40, "layout");
static_assert(offsetof(CopyJobParams, nPaperSize) == 44, "layout");
static_assert(offsetof(CopyJobParams, nPhotoSize) == 48, "layout");
static_assert(offsetof(CopyJobParams, nBrightness) == 52, "layout");
static_assert(offsetof(CopyJobParams, nPosterWidth) == 56, "layout");
static_assert(offsetof(CopyJobParams, nCCHowMany) == 60, "layout");
static_assert(offsetof(CopyJobParams, bMultipleCopiesPerPage) == 64, "layout");
static_assert(offsetof(CopyJobParams, nReserved) == 68, "layout");
static_assert(offsetof(CopyJobParams, nBorderlessSupport) == 72, "layout");
static_assert(offsetof(CopyJobParams, bEnableXDL) == 76, "layout");

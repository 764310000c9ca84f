// Which element of the settings file holds which field of CRKCopyState, in
// the order of the file: the four texts, the booleans and the integers.
#pragma once

#include "records/RKCopyState.h"

namespace replika {
namespace state_file {

struct TextElement
{
    const char* pszName;
    const char* pszLabel;
    char (CRKCopyState::*pField)[STATE_TEXT_LEN];
};

struct NumberElement
{
    const char* pszName;
    int32_t CRKCopyState::*pField;
};

inline constexpr TextElement kTexts[] = {
    {"strFileName", "Filename", &CRKCopyState::strFileName},
    {"strDateTime", "DateTime", &CRKCopyState::strDateTime},
    {"strCtxID", "CtxID", &CRKCopyState::strCtxID},
    {"strModality", "Modality", &CRKCopyState::strModality},
};

inline constexpr NumberElement kBooleans[] = {
    {"bColorCopyRequested", &CRKCopyState::bColorCopyRequested},
    {"bADFPresent", &CRKCopyState::bADFPresent},
    {"bADFDuplexerPresent", &CRKCopyState::bADFDuplexerPresent},
    {"bTwoSidedInChecked", &CRKCopyState::bTwoSidedInChecked},
    {"bPrintDuplexerPresent", &CRKCopyState::bPrintDuplexerPresent},
    {"bTwoSidedOutChecked", &CRKCopyState::bTwoSidedOutChecked},
    {"bPrintDuplexer", &CRKCopyState::bPrintDuplexer},
    {"bAutoExp", &CRKCopyState::bAutoExp},
    {"bAutofit", &CRKCopyState::bAutofit},
    {"bCollationSupported", &CRKCopyState::bCollationSupported},
    {"bEnhanceLightClr", &CRKCopyState::bEnhanceLightClr},
    {"bLowerInputTrayPresent", &CRKCopyState::bLowerInputTrayPresent},
    {"bRearInputTrayPresent", &CRKCopyState::bRearInputTrayPresent},
    {"bMirror", &CRKCopyState::bMirror},
    {"bMultipleCopiesPerPage", &CRKCopyState::bMultipleCopiesPerPage},
    {"bPoster", &CRKCopyState::bPoster},
    {"bTextMode", &CRKCopyState::bTextMode},
    {"bUsingCreativeCopy", &CRKCopyState::bUsingCreativeCopy},
    {"bAutoCropMode", &CRKCopyState::bAutoCropMode},
};

inline constexpr NumberElement kIntegers[] = {
    {"nADFMode", &CRKCopyState::nADFMode},
    {"nAllowedCopyTypes", &CRKCopyState::nAllowedCopyTypes},
    {"nAllowedCopyQualities", &CRKCopyState::nAllowedCopyQualities},
    {"nBrightness", &CRKCopyState::nBrightness},
    {"nCCHowMany", &CRKCopyState::nCCHowMany},
    {"nCollate", &CRKCopyState::nCollate},
    {"nColorIntensity", &CRKCopyState::nColorIntensity},
    {"nCreativeCopy", &CRKCopyState::nCreativeCopy},
    {"nCreativeCopyIndex", &CRKCopyState::nCreativeCopyIndex},
    {"nNbrCopies", &CRKCopyState::nNbrCopies},
    {"nMaxCopies", &CRKCopyState::nMaxCopies},
    {"nMinCopies", &CRKCopyState::nMinCopies},
    {"nPaperSize", &CRKCopyState::nPaperSize},
    {"nPaperSizeIndex", &CRKCopyState::nPaperSizeIndex},
    {"nPhotoSize", &CRKCopyState::nPhotoSize},
    {"nPhotoSizeIndex", &CRKCopyState::nPhotoSizeIndex},
    {"nPaperType", &CRKCopyState::nPaperType},
    {"nPaperTypeIndex", &CRKCopyState::nPaperTypeIndex},
    {"nPosterWidth", &CRKCopyState::nPosterWidth},
    {"nQuality", &CRKCopyState::nQuality},
    {"nReduceEnlarge", &CRKCopyState::nReduceEnlarge},
    {"nScaleRangeHigh", &CRKCopyState::nScaleRangeHigh},
    {"nScaleRangeLow", &CRKCopyState::nScaleRangeLow},
    {"nTraySelection", &CRKCopyState::nTraySelection},
    {"nSpecialFeatureRadio", &CRKCopyState::nSpecialFeatureRadio},
    {"nSpecialFeatureMode", &CRKCopyState::nSpecialFeatureMode},
};

}  // namespace state_file
}  // namespace replika

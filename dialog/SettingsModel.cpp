// The copy settings model: settings into the capability record, the device's
// answer back into the settings, range checks, and what the controls show.
#include "dialog/CopyUIDlg.h"

#include <cstdio>

#include "log/RKLog.h"

namespace replika {

void CCopyUIDlg::InitializeCopierFuncStruc(CopierFunctional* pCopierFunc)
{
    CRKTraceScope trace("CCopyUIDlg::InitializeCopierFuncStruc");
    if (!pCopierFunc)
        return;
    const CRKCopyState& s = m_rkCopyState;
    CopierFunctional& r = *pCopierFunc;
    r.nScaleRangeHigh = s.nScaleRangeHigh;
    r.nScaleRangeLow = s.nScaleRangeLow;
    r.nAllowedCopyQualities = s.nAllowedCopyQualities;
    r.nNbrCopies = s.nNbrCopies;
    r.nBrightness = s.nBrightness;
    r.nSpecialFeatureMode = s.nSpecialFeatureMode;
    r.nMaxCopies = s.nMaxCopies;
    r.nMinCopies = s.nMinCopies;
    r.bEnhanceLightClr = s.bEnhanceLightClr;
    r.bTextMode = s.bTextMode;
    r.bADFDuplexerPresent = s.bADFDuplexerPresent;
    r.bADFPresent = s.bADFPresent;
    r.bCollationSupported = s.bCollationSupported;
    r.bPrintDuplexerPresent = s.bPrintDuplexerPresent;
    r.nReserved = 0;
    r.bLowerInputTrayPresent = 0;
    r.bRearInputTrayPresent = 0;
    r.nConstraintMask = COPIER_CONSTRAINT_MASK_IN;
    r.nPaperSize = s.nPaperSize;
    r.nPaperType = s.nPaperType;
    r.nQuality = s.nQuality;
    r.nPhotoSize = s.nPhotoSize;
    r.nPhotoSizeIndex = s.nPhotoSizeIndex;
    r.nReduceEnlarge = s.nReduceEnlarge;
    r.nPosterWidth = s.nPosterWidth;
    r.nBorderlessSupport = s.nBorderlessSupport;
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i)
        r.bSettingSupported[i] = 1;
}

bool CCopyUIDlg::PopulateStateFromDevice()
{
    auto trace = CRKTraceScope::Prefixed("PopulateStateFromDevice");
    if (!m_pCopierFunctional) {
        g_pLog->LogError("CopierFunctional structure is null");
        return false;
    }
    const CopierFunctional& r = *m_pCopierFunctional;
    CRKCopyState& s = m_rkCopyState;
    int32_t* f = s.pbEnableXDL;
    auto supported = [&r](int i) { return r.bSettingSupported[i] == 1; };

    s.bADFDuplexerPresent = 0;
    s.bADFPresent = r.bADFPresent;
    s.nAllowedCopyQualities = r.nAllowedCopyQualities;

    f[XDL_NBR_COPIES] = supported(XDL_NBR_COPIES) ? 1 : 0;
    if (supported(XDL_NBR_COPIES))
        s.nNbrCopies = r.nNbrCopies;

    f[XDL_BRIGHTNESS] = supported(XDL_BRIGHTNESS) ? 1 : 0;
    if (supported(XDL_BRIGHTNESS)) {
        s.nBrightness = r.nBrightness;
        if (s.nBrightness < 0)
            s.nBrightness = 0;
        if (s.nBrightness > 100)
            s.nBrightness = 100;
    }

    s.nSpecialFeatureMode = r.nSpecialFeatureMode;
    s.nBorderlessSupport = r.nBorderlessSupport;
    s.nMaxCopies = r.nMaxCopies;
    s.nMinCopies = r.nMinCopies;
    s.bEnhanceLightClr = r.bEnhanceLightClr;
    f[XDL_FLAG6] = supported(XDL_FLAG6) ? 1 : 0;
    s.bTextMode = r.bTextMode;
    f[XDL_FLAG7] = supported(XDL_FLAG7) ? 1 : 0;
    s.bCollationSupported = r.bCollationSupported;
    s.bPrintDuplexerPresent = 0;

    struct Taken
    {
        int nFlag;
        int32_t* pnSetting;
        int32_t nDevice;
    };
    const Taken taken[] = {
        {XDL_PAPER_SIZE, &s.nPaperSize, r.nPaperSize},
        {XDL_PAPER_TYPE, &s.nPaperType, r.nPaperType},
        {XDL_QUALITY, &s.nQuality, r.nQuality},
        {XDL_PHOTO_SIZE, &s.nPhotoSize, r.nPhotoSize},
        {XDL_PHOTO_SIZE, &s.nPhotoSizeIndex, r.nPhotoSizeIndex},
        {XDL_REDUCE_ENLARGE, &s.nReduceEnlarge, r.nReduceEnlarge},
        {XDL_POSTER_WIDTH, &s.nPosterWidth, r.nPosterWidth},
    };
    for (const Taken& t : taken) {
        f[t.nFlag] = supported(t.nFlag) ? 1 : 0;
        if (supported(t.nFlag))
            *t.pnSetting = t.nDevice;
    }

    s.nScaleRangeHigh = r.nScaleRangeHigh;
    s.nScaleRangeLow = r.nScaleRangeLow;

    f[XDL_TRAY_SELECTION] = supported(XDL_TRAY_SELECTION) ? 1 : 0;
    if (supported(XDL_TRAY_SELECTION))
        s.nTraySelection = 1;
    return true;
}

void CCopyUIDlg::ValidateState()
{
    auto trace = CRKTraceScope::Prefixed("ValidateState");
    CRKCopyState& s = m_rkCopyState;
    if (s.nNbrCopies < s.nMinCopies || s.nNbrCopies > s.nMaxCopies) {
        s.nNbrCopies = s.nMinCopies;
        g_pLog->LogError("Number of Copies out of range");
    }
    if (s.nReduceEnlarge < s.nScaleRangeLow || s.nReduceEnlarge > s.nScaleRangeHigh) {
        s.nReduceEnlarge = 100;
        g_pLog->LogError("ReduceEnlarge out of range");
    }
}

void CCopyUIDlg::LogStateForUI()
{
    const CRKCopyState& s = m_rkCopyState;
    const struct
    {
        const char* pszLabel;
        int32_t nValue;
    } items[] = {
        {"ADFDuplexerPresent = ", s.bADFDuplexerPresent},
        {"ADFPresent = ", s.bADFPresent},
        {"AutoCropMode = ", s.bAutoCropMode},
        {"AutoExp = ", s.bAutoExp},
        {"Autofit = ", s.bAutofit},
        {"CollationSupport = ", s.bCollationSupported},
        {"ColorCopyRequested = ", s.bColorCopyRequested},
        {"EnhanceLightColor = ", s.bEnhanceLightClr},
        {"LowerInputTraypresent = ", s.bLowerInputTrayPresent},
        {"Mirror = ", s.bMirror},
        {"MultipleCopiesPerPage = ", s.bMultipleCopiesPerPage},
        {"Poster = ", s.bPoster},
        {"PrintDuplexer = ", s.bPrintDuplexer},
        {"PrintDuplexerPresent = ", s.bPrintDuplexerPresent},
        {"RearDuplexerPresent = ", s.bRearInputTrayPresent},
        {"TextMode = ", s.bTextMode},
        {"bUsingCreativeCopy = ", s.bUsingCreativeCopy},
        {"bAutoCropMode = ", s.bAutoCropMode},
        {"nADFMode = ", s.nADFMode},
        {"nAllowedCopyTypes = ", s.nAllowedCopyTypes},
        {"nAllowedCopyQualities = ", s.nAllowedCopyQualities},
        {"nBrightness = ", s.nBrightness},
        {"nCCHowMany = ", s.nCCHowMany},
        {"nCollate = ", s.nCollate},
        {"nColorIntensity = ", s.nColorIntensity},
        {"nCreativeCopy = ", s.nCreativeCopy},
        {"nCreativeCopyIndex = ", s.nCreativeCopyIndex},
        {"nNbrCopies = ", s.nNbrCopies},
        {"nMaxCopies = ", s.nMaxCopies},
        {"nMinCopies = ", s.nMinCopies},
        {"nPaperSize = ", s.nPaperSize},
        {"nPaperSizeIndex = ", s.nPaperSizeIndex},
        {"nPhotoSize = ", s.nPhotoSize},
        {"nPhotoSizeIndex = ", s.nPhotoSizeIndex},
        {"nPaperType = ", s.nPaperType},
        {"nPaperTypeIndex = ", s.nPaperTypeIndex},
        {"nPosterWidth = ", s.nPosterWidth},
        {"nQuality = ", s.nQuality},
        {"nReduceEnlarge = ", s.nReduceEnlarge},
        {"nScaleRangeHigh = ", s.nScaleRangeHigh},
        {"nScaleRangeLow = ", s.nScaleRangeLow},
        {"nTraySelection = ", s.nTraySelection},
        {"nSpecialFeatureRadio = ", s.nSpecialFeatureRadio},
        {"nSpecialFeatureMode = ", s.nSpecialFeatureMode},
        {"nBorderlessSupport = ", s.nBorderlessSupport},
    };
    char szLine[2048];
    size_t used = 0;
    szLine[0] = '\0';
    for (const auto& item : items) {
        int n = snprintf(szLine + used, sizeof szLine - used, "%s%s%d", used ? " " : "", item.pszLabel,
                         static_cast<int>(item.nValue));
        if (n < 0 || static_cast<size_t>(n) >= sizeof szLine - used)
            break;
        used += static_cast<size_t>(n);
    }
    g_pLog->LogDetailedTrace("%s", szLine);
}

int CCopyUIDlg::QualityToShow(int nQuality)
{
    if (nQuality == QUALITY_FAST || nQuality == QUALITY_NORMAL)
        return nQuality;
    return QUALITY_BEST;
}

int CCopyUIDlg::ImageSizeRadioToShow(int nSpecialFeatureRadio)
{
    switch (nSpecialFeatureRadio) {
    case SFR_CUSTOM_SIZE:
    case SFR_FIT_TO_PAGE:
    case SFR_BORDERLESS:
        return nSpecialFeatureRadio;
    default:
        return SFR_ACTUAL_SIZE;
    }
}

OriginalKind CCopyUIDlg::OriginalToShow(int bTextMode, int bEnhanceLightClr)
{
    if (bTextMode && bEnhanceLightClr)
        return ORIGINAL_MIXED;
    if (bTextMode)
        return ORIGINAL_TEXT;
    if (bEnhanceLightClr)
        return ORIGINAL_PHOTO;
    return ORIGINAL_NONE;
}

int CCopyUIDlg::ListIndexToSelect(int nIndex, int nListMax, const char* pszOutOfRangeText)
{
    if (nIndex >= 0 && nIndex < nListMax)
        return nIndex;
    g_pLog->LogError("%s", pszOutOfRangeText ? pszOutOfRangeText : "List index out of range");
    return 0;
}

}  // namespace replika

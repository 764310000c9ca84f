#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "dialog/CopyUIDlg.h"

using replika::CCopyUIDlg;

namespace
{
// A dialog after its default state, holding a capability record as a device
// that supports every setting would answer.
class SettingsModel : public ::testing::Test
{
protected:
    SettingsModel() : dlg(nullptr, "#Maker#Model 100#CN12345", "-CtxID") {}

    void SetUp() override
    {
        lstrcpynA(g_szDefaultFileName, "DCN12345.xml", MAX_PATH);
        dlg.SetDefaultState();
        dlg.m_pCopierFunctional = new CopierFunctional();
        dlg.InitializeCopierFuncStruc(dlg.m_pCopierFunctional);
    }

    CopierFunctional& Caps() { return *dlg.m_pCopierFunctional; }
    CRKCopyState& State() { return dlg.m_rkCopyState; }

    CCopyUIDlg dlg;
};
}

TEST_F(SettingsModel, DefaultStateMatchesANewDevice)
{
    const CRKCopyState& s = State();
    EXPECT_STREQ("DCN12345.xml", s.strFileName);
    EXPECT_STREQ("#Maker#Model 100#CN12345", s.strCtxID);
    EXPECT_STREQ("Unknown", s.strModality);
    EXPECT_NE(nullptr, strchr(s.strDateTime, ','));
    EXPECT_EQ(100, s.pStartLoc.x);
    EXPECT_EQ(0, s.pStartLoc.y);
    EXPECT_EQ(1, s.bColorCopyRequested);
    EXPECT_EQ(1, s.bMultipleCopiesPerPage);
    EXPECT_EQ(1, s.bTextMode);
    EXPECT_EQ(0, s.bEnhanceLightClr);
    EXPECT_EQ(1, s.bUsingCreativeCopy);
    EXPECT_EQ(0, s.bADFPresent);
    EXPECT_EQ(7, s.nAllowedCopyQualities);
    EXPECT_EQ(50, s.nBrightness);
    EXPECT_EQ(2, s.nCCHowMany);
    EXPECT_EQ(1, s.nNbrCopies);
    EXPECT_EQ(1, s.nMinCopies);
    EXPECT_EQ(50, s.nMaxCopies);
    EXPECT_EQ(2, s.nPaperSize);
    EXPECT_EQ(1, s.nPaperType);
    EXPECT_EQ(2, s.nPosterWidth);
    EXPECT_EQ(2, s.nQuality);
    EXPECT_EQ(100, s.nReduceEnlarge);
    EXPECT_EQ(25, s.nScaleRangeLow);
    EXPECT_EQ(400, s.nScaleRangeHigh);
    EXPECT_EQ(1, s.nTraySelection);
    EXPECT_EQ(16, s.nSpecialFeatureRadio);
    EXPECT_EQ(1, s.nSpecialFeatureMode);
    EXPECT_EQ(1, s.nBorderlessSupport);
    EXPECT_EQ(0, s.nPhotoSize);
    EXPECT_EQ(0, s.nAllowedCopyTypes);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(1, s.pbEnableXDL[i]) << i;
}

TEST_F(SettingsModel, CapabilityRecordCarriesSettingsAndFixedInputs)
{
    State().nBrightness = 70;
    State().bADFDuplexerPresent = 1;
    State().nBorderlessSupport = 2;
    memset(dlg.m_pCopierFunctional, 0x5A, sizeof(CopierFunctional));
    dlg.InitializeCopierFuncStruc(dlg.m_pCopierFunctional);
    const CopierFunctional& r = Caps();
    EXPECT_EQ(70, r.nBrightness);
    EXPECT_EQ(1, r.bADFDuplexerPresent);
    EXPECT_EQ(2, r.nBorderlessSupport);
    EXPECT_EQ(400, r.nScaleRangeHigh);
    EXPECT_EQ(0, r.nReserved);
    EXPECT_EQ(0, r.bLowerInputTrayPresent);
    EXPECT_EQ(0, r.bRearInputTrayPresent);
    EXPECT_EQ(50, r.nConstraintMask);
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i)
        EXPECT_EQ(1, r.bSettingSupported[i]) << i;
    // The out-only areas are the device's to fill.
    EXPECT_EQ(0x5A5A5A5A, r.nMediaTypeID[0]);
    EXPECT_EQ(0x5A5A5A5A, r.nDefaultMediaSize);
    EXPECT_EQ(0x5A, r.byDeviceArea[0]);
}

TEST_F(SettingsModel, DeviceAnswerFillsTheSettings)
{
    CopierFunctional& r = Caps();
    r.bADFPresent = 1;
    r.nAllowedCopyQualities = 5;
    r.nNbrCopies = 3;
    r.nBrightness = 60;
    r.nSpecialFeatureMode = 5;
    r.nBorderlessSupport = 2;
    r.nMaxCopies = 99;
    r.nMinCopies = 2;
    r.bEnhanceLightClr = 1;
    r.bTextMode = 0;
    r.bCollationSupported = 1;
    r.nPaperSize = 11;
    r.nPaperType = 4;
    r.nQuality = 3;
    r.nPhotoSize = 8;
    r.nPhotoSizeIndex = 3;
    r.nReduceEnlarge = 75;
    r.nPosterWidth = 4;
    r.nScaleRangeHigh = 200;
    r.nScaleRangeLow = 50;
    State().bADFDuplexerPresent = 1;
    State().bPrintDuplexerPresent = 1;
    State().nTraySelection = 3;

    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    const CRKCopyState& s = State();
    EXPECT_EQ(0, s.bADFDuplexerPresent);
    EXPECT_EQ(0, s.bPrintDuplexerPresent);
    EXPECT_EQ(1, s.bADFPresent);
    EXPECT_EQ(5, s.nAllowedCopyQualities);
    EXPECT_EQ(3, s.nNbrCopies);
    EXPECT_EQ(60, s.nBrightness);
    EXPECT_EQ(5, s.nSpecialFeatureMode);
    EXPECT_EQ(2, s.nBorderlessSupport);
    EXPECT_EQ(99, s.nMaxCopies);
    EXPECT_EQ(2, s.nMinCopies);
    EXPECT_EQ(1, s.bEnhanceLightClr);
    EXPECT_EQ(0, s.bTextMode);
    EXPECT_EQ(1, s.bCollationSupported);
    EXPECT_EQ(11, s.nPaperSize);
    EXPECT_EQ(4, s.nPaperType);
    EXPECT_EQ(3, s.nQuality);
    EXPECT_EQ(8, s.nPhotoSize);
    EXPECT_EQ(3, s.nPhotoSizeIndex);
    EXPECT_EQ(75, s.nReduceEnlarge);
    EXPECT_EQ(4, s.nPosterWidth);
    EXPECT_EQ(200, s.nScaleRangeHigh);
    EXPECT_EQ(50, s.nScaleRangeLow);
    EXPECT_EQ(1, s.nTraySelection);
}

TEST_F(SettingsModel, BrightnessIsClampedToItsRange)
{
    Caps().nBrightness = 130;
    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(100, State().nBrightness);
    Caps().nBrightness = -5;
    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(0, State().nBrightness);
    Caps().nBrightness = 100;
    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(100, State().nBrightness);
}

TEST_F(SettingsModel, UnsupportedSettingsKeepTheirValuesAndClearTheirFlag)
{
    CopierFunctional& r = Caps();
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i)
        r.bSettingSupported[i] = 0;
    r.bSettingSupported[XDL_PAPER_TYPE] = 2;   // only exactly 1 counts as supported
    r.nPaperSize = 11;
    r.nPaperType = 4;
    r.nNbrCopies = 9;
    r.nBrightness = 10;
    r.nQuality = 3;
    r.nPhotoSize = 8;
    r.nReduceEnlarge = 75;
    r.nPosterWidth = 4;
    State().nTraySelection = 3;

    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    const CRKCopyState& s = State();
    EXPECT_EQ(2, s.nPaperSize);
    EXPECT_EQ(1, s.nPaperType);
    EXPECT_EQ(1, s.nNbrCopies);
    EXPECT_EQ(50, s.nBrightness);
    EXPECT_EQ(2, s.nQuality);
    EXPECT_EQ(0, s.nPhotoSize);
    EXPECT_EQ(100, s.nReduceEnlarge);
    EXPECT_EQ(2, s.nPosterWidth);
    EXPECT_EQ(3, s.nTraySelection);
    for (int i : {2, 6, 7, 8, 10, 11, 13, 15, 17, 18, 20})
        EXPECT_EQ(0, s.pbEnableXDL[i]) << i;
    // Flags the dialog does not tie to a setting are carried unchanged.
    for (int i : {0, 1, 3, 4, 5, 9, 12, 14, 16, 19})
        EXPECT_EQ(1, s.pbEnableXDL[i]) << i;
}

TEST_F(SettingsModel, OnlyPaperSizeUnsupported)
{
    Caps().bSettingSupported[XDL_PAPER_SIZE] = 0;
    Caps().nPaperSize = 11;
    Caps().nPaperType = 4;
    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(2, State().nPaperSize);
    EXPECT_EQ(0, State().pbEnableXDL[XDL_PAPER_SIZE]);
    EXPECT_EQ(4, State().nPaperType);
    EXPECT_EQ(1, State().pbEnableXDL[XDL_PAPER_TYPE]);
}

TEST_F(SettingsModel, NoCapabilityRecordLeavesTheSettings)
{
    delete dlg.m_pCopierFunctional;
    dlg.m_pCopierFunctional = nullptr;
    State().nBrightness = 33;
    EXPECT_FALSE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(33, State().nBrightness);
}

TEST_F(SettingsModel, ValidateStateRepairsCopiesAndPercentage)
{
    CRKCopyState& s = State();
    s.nNbrCopies = 0;
    s.nMinCopies = 1;
    s.nReduceEnlarge = 500;
    s.nScaleRangeHigh = 400;
    dlg.ValidateState();
    EXPECT_EQ(1, s.nNbrCopies);
    EXPECT_EQ(100, s.nReduceEnlarge);   // not the high limit

    s.nNbrCopies = 51;
    s.nReduceEnlarge = 24;
    dlg.ValidateState();
    EXPECT_EQ(1, s.nNbrCopies);
    EXPECT_EQ(100, s.nReduceEnlarge);

    s.nMinCopies = 3;
    s.nNbrCopies = 50;
    s.nReduceEnlarge = 400;
    dlg.ValidateState();
    EXPECT_EQ(50, s.nNbrCopies);
    EXPECT_EQ(400, s.nReduceEnlarge);
    s.nNbrCopies = 2;
    s.nReduceEnlarge = 25;
    dlg.ValidateState();
    EXPECT_EQ(3, s.nNbrCopies);
    EXPECT_EQ(25, s.nReduceEnlarge);
}

TEST(SettingsForUI, ChoicesShownForStoredValues)
{
    EXPECT_EQ(QUALITY_FAST, CCopyUIDlg::QualityToShow(1));
    EXPECT_EQ(QUALITY_NORMAL, CCopyUIDlg::QualityToShow(2));
    EXPECT_EQ(QUALITY_BEST, CCopyUIDlg::QualityToShow(3));
    EXPECT_EQ(QUALITY_BEST, CCopyUIDlg::QualityToShow(0));
    EXPECT_EQ(QUALITY_BEST, CCopyUIDlg::QualityToShow(7));

    EXPECT_EQ(SFR_CUSTOM_SIZE, CCopyUIDlg::ImageSizeRadioToShow(1));
    EXPECT_EQ(SFR_FIT_TO_PAGE, CCopyUIDlg::ImageSizeRadioToShow(2));
    EXPECT_EQ(SFR_BORDERLESS, CCopyUIDlg::ImageSizeRadioToShow(32));
    EXPECT_EQ(SFR_ACTUAL_SIZE, CCopyUIDlg::ImageSizeRadioToShow(16));
    EXPECT_EQ(SFR_ACTUAL_SIZE, CCopyUIDlg::ImageSizeRadioToShow(4));

    EXPECT_EQ(replika::ORIGINAL_TEXT, CCopyUIDlg::OriginalToShow(1, 0));
    EXPECT_EQ(replika::ORIGINAL_PHOTO, CCopyUIDlg::OriginalToShow(0, 1));
    EXPECT_EQ(replika::ORIGINAL_MIXED, CCopyUIDlg::OriginalToShow(1, 1));
    EXPECT_EQ(replika::ORIGINAL_NONE, CCopyUIDlg::OriginalToShow(0, 0));

    EXPECT_EQ(12, CCopyUIDlg::ListIndexToSelect(12, 20, "PaperTypeIndex out of range"));
    EXPECT_EQ(19, CCopyUIDlg::ListIndexToSelect(19, 20, "PaperTypeIndex out of range"));
    EXPECT_EQ(0, CCopyUIDlg::ListIndexToSelect(25, 20, "PaperTypeIndex out of range"));
    EXPECT_EQ(0, CCopyUIDlg::ListIndexToSelect(-1, 50, "PaperSizeIndex out of range"));
    EXPECT_EQ(49, CCopyUIDlg::ListIndexToSelect(49, 50, "PaperSizeIndex out of range"));
}

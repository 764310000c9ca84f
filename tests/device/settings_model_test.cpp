#include <gtest/gtest.h>

#include <cstring>

#include "dialog/CopyUIDlg.h"
#include "tests/device/DialogAccess.h"

using replika::CCopyUIDlg;

namespace {
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
        Dlg(dlg).m_pCopierFunctional = new CopierFunctional();
        dlg.InitializeCopierFuncStruc(Dlg(dlg).m_pCopierFunctional);
    }

    CopierFunctional& Caps() { return *Dlg(dlg).m_pCopierFunctional; }
    CRKCopyState& State() { return Dlg(dlg).m_rkCopyState; }

    CCopyUIDlg dlg;
};

// What the device answer fills: a tied setting only while its flag is exactly
// 1, the others (flag ALWAYS) in any case.
enum { ALWAYS = -1 };
#define ROW(flag, field, answer, byDefault)                                                                            \
    {                                                                                                                  \
        flag, &CopierFunctional::field, &CRKCopyState::field, answer, byDefault                                        \
    }
const struct Taken
{
    int flag;
    int32_t CopierFunctional::*device;
    int32_t CRKCopyState::*setting;
    int32_t answer, byDefault;
} kTaken[] = {
    ROW(XDL_NBR_COPIES, nNbrCopies, 3, 1),
    ROW(XDL_BRIGHTNESS, nBrightness, 60, 50),
    ROW(XDL_PAPER_SIZE, nPaperSize, 11, 2),
    ROW(XDL_PAPER_TYPE, nPaperType, 4, 1),
    ROW(XDL_QUALITY, nQuality, 3, 2),
    ROW(XDL_PHOTO_SIZE, nPhotoSize, 8, 0),
    ROW(XDL_PHOTO_SIZE, nPhotoSizeIndex, 3, 0),
    ROW(XDL_REDUCE_ENLARGE, nReduceEnlarge, 75, 100),
    ROW(XDL_POSTER_WIDTH, nPosterWidth, 4, 2),
    ROW(ALWAYS, bADFPresent, 1, 0),
    ROW(ALWAYS, nAllowedCopyQualities, 5, 7),
    ROW(ALWAYS, nSpecialFeatureMode, 5, 1),
    ROW(ALWAYS, nBorderlessSupport, 2, 1),
    ROW(ALWAYS, nMaxCopies, 99, 50),
    ROW(ALWAYS, nMinCopies, 2, 1),
    ROW(ALWAYS, bEnhanceLightClr, 1, 0),
    ROW(ALWAYS, bTextMode, 0, 1),
    ROW(ALWAYS, bCollationSupported, 1, 0),
    ROW(ALWAYS, nScaleRangeHigh, 200, 400),
    ROW(ALWAYS, nScaleRangeLow, 50, 25),
};
#undef ROW
}  // namespace

TEST_F(SettingsModel, DefaultStateGoesIntoTheCapabilityRecord)
{
    const CRKCopyState& s = State();
    EXPECT_STREQ("DCN12345.xml", s.strFileName);
    EXPECT_STREQ("#Maker#Model 100#CN12345", s.strCtxID);
    EXPECT_STREQ("Unknown", s.strModality);
    EXPECT_EQ(100, s.pStartLoc.x);
    EXPECT_EQ(1, s.bColorCopyRequested);
    EXPECT_EQ(SFR_ACTUAL_SIZE, s.nSpecialFeatureRadio);
    EXPECT_EQ(1, s.nTraySelection);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(1, s.pbEnableXDL[i]) << i;

    State().bADFDuplexerPresent = 1;
    memset(Dlg(dlg).m_pCopierFunctional, 0x5A, sizeof(CopierFunctional));
    dlg.InitializeCopierFuncStruc(Dlg(dlg).m_pCopierFunctional);
    const CopierFunctional& r = Caps();
    for (const Taken& t : kTaken) {
        EXPECT_EQ(t.byDefault, s.*t.setting) << t.answer;
        EXPECT_EQ(t.byDefault, r.*t.device) << t.answer;
    }
    EXPECT_EQ(1, r.bADFDuplexerPresent);
    EXPECT_EQ(0, r.nReserved + r.bLowerInputTrayPresent + r.bRearInputTrayPresent);
    EXPECT_EQ(50, r.nConstraintMask);
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i)
        EXPECT_EQ(1, r.bSettingSupported[i]) << i;
    // The out-only areas are the device's to fill.
    EXPECT_EQ(0x5A5A5A5A, r.nMediaTypeID[0]);
    EXPECT_EQ(0x5A5A5A5A, r.nDefaultMediaSize);
    EXPECT_EQ(0x5A, r.byDeviceArea[0]);
}

TEST_F(SettingsModel, EachSettingFollowsOnlyItsOwnFlag)
{
    for (const Taken& cleared : kTaken) {
        if (cleared.flag == ALWAYS)
            continue;
        SCOPED_TRACE(cleared.flag);
        for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
            State().pbEnableXDL[i] = Caps().bSettingSupported[i] = 1;
        for (const Taken& t : kTaken) {
            State().*t.setting = t.byDefault;
            Caps().*t.device = t.answer;
        }
        Caps().bSettingSupported[cleared.flag] = cleared.flag == XDL_PAPER_TYPE ? 2 : 0;  // only 1 counts
        ASSERT_TRUE(dlg.PopulateStateFromDevice());
        for (const Taken& t : kTaken) {
            bool off = t.flag == cleared.flag;
            EXPECT_EQ(off ? t.byDefault : t.answer, State().*t.setting) << "answer " << t.answer;
            if (t.flag != ALWAYS) {
                EXPECT_EQ(off ? 0 : 1, State().pbEnableXDL[t.flag]) << "flag " << t.flag;
            }
        }
    }
}

TEST_F(SettingsModel, TrayDuplexersAndUntiedFlags)
{
    CRKCopyState& s = State();
    s.nTraySelection = 3;
    s.bADFDuplexerPresent = s.bPrintDuplexerPresent = 1;
    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(1, s.nTraySelection);  // a supported tray is always the first
    EXPECT_EQ(0, s.bADFDuplexerPresent);
    EXPECT_EQ(0, s.bPrintDuplexerPresent);

    s.nTraySelection = 3;
    for (int i = 0; i < COPIER_SETTING_FLAGS; ++i)
        Caps().bSettingSupported[i] = 0;
    Caps().bSettingSupported[XDL_FLAG7] = 1;
    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(3, s.nTraySelection);
    EXPECT_EQ(0, s.pbEnableXDL[XDL_TRAY_SELECTION]);
    EXPECT_EQ(0, s.pbEnableXDL[XDL_FLAG6]);
    EXPECT_EQ(1, s.pbEnableXDL[XDL_FLAG7]);
    // Flags the dialog does not tie to a setting are carried unchanged.
    for (int i : {0, 1, 3, 4, 5, 9, 12, 14, 16, 19})
        EXPECT_EQ(1, s.pbEnableXDL[i]) << i;
}

TEST_F(SettingsModel, BrightnessIsClampedToItsRange)
{
    const int cases[][2] = {{130, 100}, {101, 100}, {-5, 0}, {100, 100}, {0, 0}};
    for (const auto& c : cases) {
        Caps().nBrightness = c[0];
        ASSERT_TRUE(dlg.PopulateStateFromDevice());
        EXPECT_EQ(c[1], State().nBrightness) << c[0];
    }
}

TEST_F(SettingsModel, NoCapabilityRecordLeavesTheSettings)
{
    delete Dlg(dlg).m_pCopierFunctional;
    Dlg(dlg).m_pCopierFunctional = nullptr;
    State().nBrightness = 33;
    EXPECT_FALSE(dlg.PopulateStateFromDevice());
    EXPECT_EQ(33, State().nBrightness);
}

TEST_F(SettingsModel, ValidateStateRepairsCopiesAndPercentage)
{
    // Limits 3..50 copies and 25..400 %; out of range means the low limit and 100 %.
    const struct
    {
        int copies, percent, copiesAfter, percentAfter;
    } cases[] = {
        {0, 500, 3, 100}, {51, 24, 3, 100}, {2, 401, 3, 100}, {3, 25, 3, 25}, {50, 400, 50, 400},
    };
    CRKCopyState& s = State();
    s.nMinCopies = 3;
    for (const auto& c : cases) {
        s.nNbrCopies = c.copies;
        s.nReduceEnlarge = c.percent;
        dlg.ValidateState();
        EXPECT_EQ(c.copiesAfter, s.nNbrCopies) << c.copies;
        EXPECT_EQ(c.percentAfter, s.nReduceEnlarge) << c.percent;
    }
}

TEST(SettingsForUI, ChoicesShownForStoredValues)
{
    const int quality[][2] = {{1, QUALITY_FAST}, {2, QUALITY_NORMAL}, {3, QUALITY_BEST}, {0, QUALITY_BEST}};
    for (const auto& q : quality)
        EXPECT_EQ(q[1], CCopyUIDlg::QualityToShow(q[0])) << q[0];
    const int radio[][2] = {{1, SFR_CUSTOM_SIZE}, {2, SFR_FIT_TO_PAGE}, {32, SFR_BORDERLESS}, {4, SFR_ACTUAL_SIZE}};
    for (const auto& r : radio)
        EXPECT_EQ(r[1], CCopyUIDlg::ImageSizeRadioToShow(r[0])) << r[0];
    EXPECT_EQ(replika::ORIGINAL_TEXT, CCopyUIDlg::OriginalToShow(1, 0));
    EXPECT_EQ(replika::ORIGINAL_PHOTO, CCopyUIDlg::OriginalToShow(0, 1));
    EXPECT_EQ(replika::ORIGINAL_MIXED, CCopyUIDlg::OriginalToShow(1, 1));
    EXPECT_EQ(replika::ORIGINAL_NONE, CCopyUIDlg::OriginalToShow(0, 0));
    EXPECT_EQ(19, CCopyUIDlg::ListIndexToSelect(19, 20, "PaperTypeIndex out of range"));
    for (int index : {-1, 20, 25})
        EXPECT_EQ(0, CCopyUIDlg::ListIndexToSelect(index, 20, "PaperTypeIndex out of range")) << index;
}

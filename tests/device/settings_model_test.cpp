#include <gtest/gtest.h>

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
        Dlg(dlg).SetDefaultState();
        Dlg(dlg).m_pCopierFunctional = new CopierFunctional();
        Dlg(dlg).InitializeCopierFuncStruc(Dlg(dlg).m_pCopierFunctional);
    }

    CopierFunctional& Caps() { return *Dlg(dlg).m_pCopierFunctional; }
    CRKCopyState& State() { return Dlg(dlg).m_rkCopyState; }

    CCopyUIDlg dlg;
};

// What the device answer fills: a tied setting only while its flag is exactly
// 1, the others (flag ALWAYS) in any case.
enum { ALWAYS = -1 };
#define ROW(flag, field, answer)                                                                                       \
    {                                                                                                                  \
        flag, &CopierFunctional::field, &CRKCopyState::field, answer                                                   \
    }
const struct Taken
{
    int flag;
    int32_t CopierFunctional::*device;
    int32_t CRKCopyState::*setting;
    int32_t answer;
} kTaken[] = {
    ROW(XDL_NBR_COPIES, nNbrCopies, 3),
    ROW(XDL_BRIGHTNESS, nBrightness, 60),
    ROW(XDL_PAPER_SIZE, nPaperSize, 11),
    ROW(XDL_PAPER_TYPE, nPaperType, 4),
    ROW(XDL_QUALITY, nQuality, 3),
    ROW(XDL_PHOTO_SIZE, nPhotoSize, 8),
    ROW(XDL_PHOTO_SIZE, nPhotoSizeIndex, 3),
    ROW(XDL_REDUCE_ENLARGE, nReduceEnlarge, 75),
    ROW(XDL_POSTER_WIDTH, nPosterWidth, 4),
    ROW(ALWAYS, bADFPresent, 1),
    ROW(ALWAYS, nAllowedCopyQualities, 5),
    ROW(ALWAYS, nSpecialFeatureMode, 5),
    ROW(ALWAYS, nBorderlessSupport, 2),
    ROW(ALWAYS, nMaxCopies, 99),
    ROW(ALWAYS, nMinCopies, 2),
    ROW(ALWAYS, bEnhanceLightClr, 1),
    ROW(ALWAYS, bTextMode, 0),
    ROW(ALWAYS, bCollationSupported, 1),
    ROW(ALWAYS, nScaleRangeHigh, 200),
    ROW(ALWAYS, nScaleRangeLow, 50),
};
#undef ROW
}  // namespace

TEST_F(SettingsModel, EachSettingFollowsOnlyItsOwnFlag)
{
    for (const Taken& cleared : kTaken) {
        if (cleared.flag == ALWAYS)
            continue;
        SCOPED_TRACE(cleared.flag);
        for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
            State().pbEnableXDL[i] = Caps().bSettingSupported[i] = 1;
        for (const Taken& t : kTaken) {
            State().*t.setting = t.answer + 1;
            Caps().*t.device = t.answer;
        }
        Caps().bSettingSupported[cleared.flag] = cleared.flag == XDL_PAPER_TYPE ? 2 : 0;  // only 1 counts
        ASSERT_TRUE(Dlg(dlg).PopulateStateFromDevice());
        for (const Taken& t : kTaken) {
            bool off = t.flag == cleared.flag;
            EXPECT_EQ(off ? t.answer + 1 : t.answer, State().*t.setting) << "answer " << t.answer;
            if (t.flag != ALWAYS) {
                EXPECT_EQ(off ? 0 : 1, State().pbEnableXDL[t.flag]) << "flag " << t.flag;
            }
        }
    }
}

TEST_F(SettingsModel, BrightnessIsClampedToItsRange)
{
    const int rows[][2] = {{130, 100}, {-5, 0}, {100, 100}, {0, 0}};  // the device's answer, the setting
    for (const auto& row : rows) {
        Caps().nBrightness = row[0];
        ASSERT_TRUE(Dlg(dlg).PopulateStateFromDevice());
        EXPECT_EQ(row[1], State().nBrightness) << row[0];
    }
}

TEST_F(SettingsModel, ValidateStateRepairsCopiesAndPercentage)
{
    // Limits 3..50 copies and 25..400 %; out of range means the low limit and 100 %.
    const struct
    {
        int copies, percent, copiesAfter, percentAfter;
    } cases[] = {{0, 500, 3, 100}, {51, 24, 3, 100}, {2, 401, 3, 100}, {3, 25, 3, 25}, {50, 400, 50, 400}};
    CRKCopyState& s = State();
    s.nMinCopies = 3;
    for (const auto& c : cases) {
        s.nNbrCopies = c.copies;
        s.nReduceEnlarge = c.percent;
        Dlg(dlg).ValidateState();
        EXPECT_EQ(c.copiesAfter, s.nNbrCopies) << c.copies;
        EXPECT_EQ(c.percentAfter, s.nReduceEnlarge) << c.percent;
    }
}

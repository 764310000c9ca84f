// Settings moves of the handlers and the job built from the settings.
#include <gtest/gtest.h>

#include "dialog/CopyJob.h"
#include "dialog/SettingsMoves.h"

using namespace replika;

TEST(SettingsMoves, ContrastSnapsToTheNearestTen)
{
    const int rows[][2] = {{47, 50}, {44, 40}, {40, 40}, {45, 50}, {5, 10}, {4, 0}, {0, 0}, {96, 100}, {100, 100}};
    for (const auto& row : rows)
        EXPECT_EQ(row[1], SnappedContrast(row[0])) << row[0];
}

// Every field the job takes gets a value of its own, so a field read from
// the wrong place shows at its offset.
TEST(CopyJob, EachWordComesFromItsSetting)
{
    CRKCopyState s;
    using S = CRKCopyState;
    // clang-format off
    int32_t S::*const fields[] = {
        &S::nTraySelection, &S::bPrintDuplexerPresent, &S::bTwoSidedOutChecked, &S::nSpecialFeatureMode,
        &S::nNbrCopies, &S::bEnhanceLightClr, &S::bTextMode, &S::bColorCopyRequested, &S::nQuality,
        &S::nReduceEnlarge, &S::nPaperType, &S::nPaperSize, &S::nPhotoSize, &S::nBrightness,
        &S::nPosterWidth, &S::nCCHowMany, &S::bMultipleCopiesPerPage,
    };
    // clang-format on
    for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i)
        s.*fields[i] = static_cast<int32_t>(100 + i);
    s.nBorderlessSupport = 118;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.bEnableXDL[i] = 200 + i;

    const CopyJobParams job = MakeCopyJob(s);
    const int32_t* words = reinterpret_cast<const int32_t*>(&job);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(100 + i, words[i]) << "word " << i;
    EXPECT_EQ(0, words[17]);
    EXPECT_EQ(118, words[18]);
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        EXPECT_EQ(200 + i, words[19 + i]) << "flag " << i;
}

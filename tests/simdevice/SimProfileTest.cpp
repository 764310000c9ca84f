// The simulated device's built-in and file profiles, and the failures a
// profile makes it report.
#include "SimDeviceHarness.h"

#include <memory>

using namespace simtest;

namespace {

std::unique_ptr<CopierFunctional> FreshCaps()
{
    std::unique_ptr<CopierFunctional> caps(new CopierFunctional());
    caps->nConstraintMask = COPIER_CONSTRAINT_MASK_IN;
    return caps;
}

}  // namespace

class SimDeviceProfile : public SimDeviceTest
{};

TEST_F(SimDeviceProfile, BuiltInDefaultIsAColourAllInOne)
{
    ASSERT_EQ(S_OK, Bind());
    auto caps = FreshCaps();
    ASSERT_EQ(S_OK, m_device->GetCapabilities(caps.get()));
    EXPECT_STREQ("Plain Paper", caps->szMediaTypeName[0]);
    EXPECT_STREQ("Premium Photo Paper, Glossy", caps->szMediaTypeName[3]);
    EXPECT_EQ(3, caps->nMediaTypeID[3]);
    EXPECT_EQ(1, caps->bMediaTypeBorderless[3]);
    EXPECT_STREQ("Letter (8.5 x 11 in.)", caps->szMediaSizeName[0]);
    int photo = 0;
    while (photo < COPIER_MAX_MEDIA_SIZES && caps->nMediaSizeID[photo] != 76)
        ++photo;
    ASSERT_LT(photo, COPIER_MAX_MEDIA_SIZES);
    EXPECT_STREQ("Photo (4 x 6 in.)", caps->szMediaSizeName[photo]);
    EXPECT_EQ(1, caps->bMediaSizeBorderless[photo]);
    EXPECT_EQ(2, caps->nBorderlessSupport);
    EXPECT_EQ(0x4972, caps->nConstraintMask);
    EXPECT_EQ(99, caps->nMaxCopies);
    EXPECT_EQ(400, caps->nScaleRangeHigh);
    EXPECT_EQ(1, caps->bADFPresent);
    EXPECT_EQ(1, caps->bRearInputTrayPresent);
    EXPECT_EQ(0, caps->bSettingSupported[15]);
    EXPECT_EQ(0, DocInADF());
}

TEST_F(SimDeviceProfile, FileIsReadWhileRunningAndOverridesKeyByKey)
{
    ASSERT_EQ(S_OK, Bind());
    EXPECT_EQ(0, DocInADF());
    WriteProfile("; a feeder-only office device\r\n"
                 "[Device]\r\nFeederOnly=1\r\nConstraintMask=0x48\r\nBorderlessCapable=0\r\n"
                 "LowerTray = 1\r\nOriginalInFeeder=1\r\n"
                 "SupportedSettings=0,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1,1,1\r\n"
                 "[limits]\r\nmaxcopies=20\r\n"
                 "[MediaTypes]\r\nType0=1,0,Plain Paper\r\nType4=15,1,Card, Heavy\r\n"
                 "this line means nothing\r\n"
                 "[Defaults]\r\nBrightness=-5\r\nDefaultPaperSize=12\r\n");
    auto caps = FreshCaps();
    ASSERT_EQ(S_OK, m_device->GetCapabilities(caps.get()));
    EXPECT_EQ(0x48 | 0x400, caps->nConstraintMask);
    EXPECT_EQ(1, caps->nBorderlessSupport);
    EXPECT_EQ(1, caps->bLowerInputTrayPresent);
    EXPECT_EQ(20, caps->nMaxCopies);
    EXPECT_EQ(1, caps->nMinCopies);  // not in the file: the default
    EXPECT_EQ(-5, caps->nBrightness);
    EXPECT_EQ(12, caps->nDefaultMediaSize);
    EXPECT_EQ(0, caps->bSettingSupported[10]);
    EXPECT_EQ(1, caps->bSettingSupported[20]);
    // A list given in the file replaces the built-in one; sizes stay built in.
    for (int slot : {1, 2, 3, 5})
        EXPECT_STREQ("", caps->szMediaTypeName[slot]) << slot;
    EXPECT_STREQ("Card, Heavy", caps->szMediaTypeName[4]);
    EXPECT_EQ(15, caps->nMediaTypeID[4]);
    EXPECT_EQ(1, caps->bMediaTypeBorderless[4]);
    EXPECT_STREQ("Letter (8.5 x 11 in.)", caps->szMediaSizeName[0]);
    EXPECT_EQ(1, DocInADF());

    RunResult status = RunCtl(kCtx, "status");
    EXPECT_EQ(0u, status.exitCode);
    EXPECT_NE(std::string::npos, status.output.find("this line means nothing")) << status.output;
    // The tool moves the original; the unchanged file does not move it back.
    EXPECT_EQ(0u, RunCtl(kCtx, "removed").exitCode);
    EXPECT_EQ(0, DocInADF());
}

TEST_F(SimDeviceProfile, FailuresAreInjectedPerCall)
{
    WriteProfile("[Failures]\nInitProtocol=0x80004005\n");
    EXPECT_EQ(E_FAIL, Bind());
    EXPECT_EQ(2u, RunCtl(kCtx, "status").exitCode);  // not bound: no control channel

    WriteProfile("[Failures]\nGetCapabilities=0x8004F9FD\nGetDocInADF=-2147467259\nSubmitCopy=0x8004F9E6\n");
    ASSERT_EQ(S_OK, Bind());
    auto caps = FreshCaps();
    EXPECT_EQ(static_cast<HRESULT>(0x8004F9FD), m_device->GetCapabilities(caps.get()));
    EXPECT_STREQ("", caps->szMediaTypeName[0]);  // a failed call leaves the record alone
    LONG doc = 7;
    EXPECT_EQ(E_FAIL, m_device->GetDocInADF(&doc));
    EXPECT_EQ(0, doc);
    EXPECT_EQ(static_cast<HRESULT>(0x8004F9E6), m_device->SubmitCopy(CopyJobParams{}));
    EXPECT_EQ("", Journal());  // refused jobs are not journalled

    WriteProfile("[Failures]\nSubmitCopy=0\n");
    EXPECT_EQ(S_OK, m_device->GetCapabilities(caps.get()));
    EXPECT_EQ(S_OK, m_device->SubmitCopy(CopyJobParams{}));
}

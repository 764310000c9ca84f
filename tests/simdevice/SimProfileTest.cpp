// The simulated device's registration, its built-in and file profiles, and the
// failures a profile makes it report.
#include "SimDeviceHarness.h"

#include <cstring>
#include <memory>

using namespace simtest;

namespace
{

std::string RegValue(const char* subKey, const char* name)
{
    char value[MAX_PATH] = "";
    DWORD size = sizeof(value);
    if (RegGetValueA(HKEY_CLASSES_ROOT, subKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

std::unique_ptr<CopierFunctional> FreshCaps()
{
    std::unique_ptr<CopierFunctional> caps(new CopierFunctional);
    memset(caps.get(), 0, sizeof(CopierFunctional));
    caps->nConstraintMask = COPIER_CONSTRAINT_MASK_IN;
    return caps;
}

int FindSize(const CopierFunctional& caps, int id)
{
    for (int i = 0; i < COPIER_MAX_MEDIA_SIZES; ++i)
        if (caps.szMediaSizeName[i][0] && caps.nMediaSizeID[i] == id)
            return i;
    return -1;
}

} // namespace

class SimRegistration : public SimDeviceTest {};

TEST_F(SimRegistration, RegistersUnderClassesRootAndUnregisters)
{
    const char* server = "CLSID\\{E6A3C8F2-5D19-4A7B-9E04-B1C73F2D8A56}\\InprocServer32";
    std::string path = RegValue(server, nullptr);
    EXPECT_NE(std::string::npos, path.find("qvsim_device.dll")) << path;
    EXPECT_EQ("Both", RegValue(server, "ThreadingModel"));

    auto unreg = SimExport<HRESULT(STDAPICALLTYPE*)()>("DllUnregisterServer");
    ASSERT_NE(nullptr, unreg);
    EXPECT_EQ(S_OK, unreg());
    EXPECT_EQ("<missing>", RegValue(server, nullptr));
    ICopyAPI* device = nullptr;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_CopyAPI, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_ICopyAPI, reinterpret_cast<void**>(&device)));
    EXPECT_EQ(S_OK, RegisterSim());
    device = Create();
    ASSERT_NE(nullptr, device);
    device->Release();
}

class SimDeviceProfile : public SimDeviceTest {};

TEST_F(SimDeviceProfile, CallsBeforeBindingFail)
{
    m_device = Create();
    ASSERT_NE(nullptr, m_device);
    auto caps = FreshCaps();
    LONG doc = 7;
    EXPECT_EQ(E_UNEXPECTED, m_device->GetCapabilities(caps.get()));
    EXPECT_EQ(E_UNEXPECTED, m_device->GetDocInADF(&doc));
    EXPECT_EQ(0, doc);
    EXPECT_EQ(E_UNEXPECTED, m_device->SubmitCopy(CopyJobParams{}));
    EXPECT_EQ(E_NOTIMPL, m_device->Reserved10());
}

TEST_F(SimDeviceProfile, BuiltInDefaultIsAColourAllInOne)
{
    ASSERT_EQ(S_OK, Bind());
    auto caps = FreshCaps();
    ASSERT_EQ(S_OK, m_device->GetCapabilities(caps.get()));

    EXPECT_STREQ("Plain Paper", caps->szMediaTypeName[0]);
    EXPECT_EQ(1, caps->nMediaTypeID[0]);
    EXPECT_EQ(0, caps->bMediaTypeBorderless[0]);
    EXPECT_STREQ("Premium Photo Paper, Glossy", caps->szMediaTypeName[3]);
    EXPECT_EQ(3, caps->nMediaTypeID[3]);
    EXPECT_EQ(1, caps->bMediaTypeBorderless[3]);

    EXPECT_STREQ("Letter (8.5 x 11 in.)", caps->szMediaSizeName[0]);
    int a4 = FindSize(*caps, 9), photo = FindSize(*caps, 76);
    ASSERT_GE(a4, 0);
    ASSERT_GE(photo, 0);
    EXPECT_STREQ("A4 (210 x 297 mm)", caps->szMediaSizeName[a4]);
    EXPECT_EQ(0, caps->bMediaSizeBorderless[a4]);
    EXPECT_STREQ("Photo (4 x 6 in.)", caps->szMediaSizeName[photo]);
    EXPECT_EQ(1, caps->bMediaSizeBorderless[photo]);
    EXPECT_GE(FindSize(*caps, 3), 0);   // Legal

    EXPECT_EQ(2, caps->nBorderlessSupport);
    EXPECT_EQ(2, caps->nDefaultMediaSize);
    EXPECT_EQ(0x4972, caps->nConstraintMask);
    EXPECT_EQ(1, caps->nMinCopies);
    EXPECT_EQ(99, caps->nMaxCopies);
    EXPECT_EQ(25, caps->nScaleRangeLow);
    EXPECT_EQ(400, caps->nScaleRangeHigh);
    EXPECT_EQ(1, caps->bADFPresent);
    EXPECT_EQ(0, caps->bLowerInputTrayPresent);
    EXPECT_EQ(1, caps->bRearInputTrayPresent);
    EXPECT_EQ(1, caps->bSettingSupported[10]);
    EXPECT_EQ(0, caps->bSettingSupported[15]);

    LONG doc = 7;
    EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(0, doc);
}

TEST_F(SimDeviceProfile, FileOverridesKeyByKeyAndReplacesGivenLists)
{
    WriteProfile(
        "; a feeder-only office device\r\n"
        "[Device]\r\n"
        "FeederOnly=1\r\n"
        "ConstraintMask=0x48\r\n"
        "BorderlessCapable=0\r\n"
        "LowerTray = 1\r\n"
        "OriginalInFeeder=1\r\n"
        "SupportedSettings=0,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1,1,1,1,1,1\r\n"
        "[limits]\r\n"
        "maxcopies=20\r\n"
        "[MediaTypes]\r\n"
        "Type0=1,0,Plain Paper\r\n"
        "Type4=15,1,Card, Heavy\r\n"
        "this line means nothing\r\n"
        "[Defaults]\r\n"
        "Brightness=-5\r\n"
        "DefaultPaperSize=12\r\n");
    ASSERT_EQ(S_OK, Bind());
    auto caps = FreshCaps();
    ASSERT_EQ(S_OK, m_device->GetCapabilities(caps.get()));

    EXPECT_EQ(0x48 | 0x400, caps->nConstraintMask);
    EXPECT_EQ(1, caps->nBorderlessSupport);
    EXPECT_EQ(1, caps->bLowerInputTrayPresent);
    EXPECT_EQ(20, caps->nMaxCopies);
    EXPECT_EQ(1, caps->nMinCopies);          // not in the file: default
    EXPECT_EQ(-5, caps->nBrightness);
    EXPECT_EQ(12, caps->nDefaultMediaSize);
    EXPECT_EQ(0, caps->bSettingSupported[0]);
    EXPECT_EQ(0, caps->bSettingSupported[10]);
    EXPECT_EQ(1, caps->bSettingSupported[20]);

    EXPECT_STREQ("Plain Paper", caps->szMediaTypeName[0]);
    for (int slot : {1, 2, 3, 5})
        EXPECT_STREQ("", caps->szMediaTypeName[slot]) << slot;
    EXPECT_STREQ("Card, Heavy", caps->szMediaTypeName[4]);
    EXPECT_EQ(15, caps->nMediaTypeID[4]);
    EXPECT_EQ(1, caps->bMediaTypeBorderless[4]);
    EXPECT_STREQ("Letter (8.5 x 11 in.)", caps->szMediaSizeName[0]);   // sizes untouched

    LONG doc = 0;
    EXPECT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(1, doc);

    RunResult status = RunCtl(m_ctx, "status");
    EXPECT_EQ(0u, status.exitCode) << status.output;
    EXPECT_NE(std::string::npos, status.output.find("device-SIMTEST1.ini")) << status.output;
    EXPECT_NE(std::string::npos, status.output.find("this line means nothing")) << status.output;
}

TEST_F(SimDeviceProfile, EditsAreSeenWhileTheProgramRuns)
{
    ASSERT_EQ(S_OK, Bind());
    LONG doc = 0;
    ASSERT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(0, doc);

    WriteProfile("[Device]\nOriginalInFeeder=1\n[Limits]\nMaxCopies=9\n");
    auto caps = FreshCaps();
    ASSERT_EQ(S_OK, m_device->GetCapabilities(caps.get()));
    EXPECT_EQ(9, caps->nMaxCopies);
    ASSERT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(1, doc);

    // The tool moves the original; an unchanged file does not move it back.
    EXPECT_EQ(0u, RunCtl(m_ctx, "removed").exitCode);
    ASSERT_EQ(S_OK, m_device->GetDocInADF(&doc));
    EXPECT_EQ(0, doc);
}

TEST_F(SimDeviceProfile, FailuresAreInjectedPerCall)
{
    WriteProfile("[Failures]\nInitProtocol=0x80004005\n");
    EXPECT_EQ(E_FAIL, Bind());
    EXPECT_EQ(2u, RunCtl(m_ctx, "status").exitCode);   // not bound: no control channel

    WriteProfile("[Failures]\n"
                 "GetCapabilities=0x8004F9FD\n"
                 "GetDocInADF=-2147467259\n"
                 "SubmitCopy=0x8004F9E6\n");
    ASSERT_EQ(S_OK, Bind());
    auto caps = FreshCaps();
    EXPECT_EQ(static_cast<HRESULT>(0x8004F9FD), m_device->GetCapabilities(caps.get()));
    EXPECT_STREQ("", caps->szMediaTypeName[0]);   // a failed call leaves the record alone
    LONG doc = 7;
    EXPECT_EQ(E_FAIL, m_device->GetDocInADF(&doc));
    EXPECT_EQ(0, doc);
    EXPECT_EQ(static_cast<HRESULT>(0x8004F9E6), m_device->SubmitCopy(CopyJobParams{}));
    EXPECT_EQ("", Journal());   // refused jobs are not journalled

    WriteProfile("[Failures]\nSubmitCopy=0\n");
    EXPECT_EQ(S_OK, m_device->GetCapabilities(caps.get()));
    EXPECT_EQ(S_OK, m_device->SubmitCopy(CopyJobParams{}));
}

// The dialog's binding and settings model against the simulated device:
// bind, read the capabilities into the settings, submit a job built from
// them, and find the job in the device's journal. The test scripts register
// the simulated device before the tests run.
#include <gtest/gtest.h>

#include <string>

#include "common/testlib.h"
#include "dialog/CopyJob.h"
#include "dialog/CopyUIDlg.h"
#include "tests/device/DialogAccess.h"

using replika::CCopyUIDlg;

TEST(SimBinding, CapabilitiesBecomeSettingsAndTheJobReachesTheJournal)
{
    qvtest::ComApartment com;
    ASSERT_TRUE(com.Ok());
    qvtest::SimFolder sim;
    qvtest::WriteBytes(sim.File("device-E2E1.ini"),
                       "[Device]\r\nBusyTime=0\r\n"
                       "SupportedSettings=1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,0,1,1,1,1,0\r\n"
                       "[Limits]\r\nMinCopies=2\r\nMaxCopies=20\r\nScaleLow=50\r\nScaleHigh=200\r\n"
                       "[Defaults]\r\nCopies=30\r\nBrightness=130\r\nQuality=3\r\nPaperSize=11\r\n"
                       "PaperType=5\r\nReduceEnlarge=150\r\nTextMode=1\r\nEnhanceLightColor=1\r\n");

    const char kCtxID[] = "#Maker#Model 100#E2E1";
    CCopyUIDlg dlg(nullptr, kCtxID, "-CtxID");
    ASSERT_EQ(1, CCopyUIDlg::ParseContextID(Dlg(dlg).m_cstrCtxID, Dlg(dlg).m_cstrManfctr, Dlg(dlg).m_cstrProduct,
                                            Dlg(dlg).m_cstrDeviceID));
    ASSERT_EQ(S_OK, Dlg(dlg).InitializeAPI());
    Dlg(dlg).SetDefaultState();
    Dlg(dlg).m_pCopierFunctional = new CopierFunctional();
    Dlg(dlg).InitializeCopierFuncStruc(Dlg(dlg).m_pCopierFunctional);
    ASSERT_EQ(S_OK, Dlg(dlg).m_pCopyAPI->GetCapabilities(Dlg(dlg).m_pCopierFunctional));
    ASSERT_TRUE(Dlg(dlg).PopulateStateFromDevice());
    Dlg(dlg).ValidateState();
    ASSERT_EQ(S_OK, Dlg(dlg).m_pCopyAPI->SubmitCopy(replika::MakeCopyJob(Dlg(dlg).m_rkCopyState)));
    const std::string journal = qvtest::ReadBytes(sim.File("journal-E2E1.txt"));
    Dlg(dlg).m_pCopyAPI->Shutdown();

    ASSERT_NE(std::string::npos, journal.find("[Job]")) << journal;
    EXPECT_NE(std::string::npos, journal.find(std::string("Context=") + kCtxID + "\r\n")) << journal;
    const char* settings[] = {"nNbrCopies=2\r\n",     // 30 was outside the device's limits: the low limit
                              "nBrightness=100\r\n",  // clamped
                              "nPaperSize=2\r\n",     // unsupported: the default stays
                              "nPaperType=5\r\n",
                              "nQuality=3\r\n",
                              "nReduceEnlarge=150\r\n",
                              "bEnhanceLightClr=1\r\n",
                              "bColorCopyRequested=1\r\n",
                              "nBorderlessSupport=2\r\n",  // the device prints borderless
                              "bEnableXDL=1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,0,1,1,1,1,0\r\n"};
    for (const char* line : settings)
        EXPECT_NE(std::string::npos, journal.find(line)) << line << journal;
}

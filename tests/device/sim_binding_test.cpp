// The dialog's binding and settings model against the simulated device:
// bind, read the capabilities into the settings, submit a job built from
// them, and find the job in the device's journal.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "dialog/CopyUIDlg.h"

using replika::CCopyUIDlg;

namespace
{
std::string BinDir()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\'));
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// What Copy_Click sends, built from the settings.
CopyJobParams JobFrom(const CRKCopyState& s, int nCopies)
{
    CopyJobParams job = {};
    job.nTraySelection = s.nTraySelection;
    job.bPrintDuplexerPresent = s.bPrintDuplexerPresent;
    job.bTwoSidedOutChecked = s.bTwoSidedOutChecked;
    job.nSpecialFeatureMode = s.nSpecialFeatureMode;
    job.nNbrCopies = nCopies;
    job.bEnhanceLightClr = s.bEnhanceLightClr;
    job.bTextMode = s.bTextMode;
    job.bColorCopyRequested = s.bColorCopyRequested;
    job.nQuality = s.nQuality;
    job.nReduceEnlarge = s.nReduceEnlarge;
    job.nPaperType = s.nPaperType;
    job.nPaperSize = s.nPaperSize;
    job.nPhotoSize = s.nPhotoSize;
    job.nBrightness = s.nBrightness;
    job.nPosterWidth = s.nPosterWidth;
    job.nCCHowMany = s.nCCHowMany;
    job.bMultipleCopiesPerPage = s.bMultipleCopiesPerPage;
    job.nBorderlessSupport = s.nBorderlessSupport;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        job.bEnableXDL[i] = s.pbEnableXDL[i];
    return job;
}

class SimBinding : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        hSim = LoadLibraryA((BinDir() + "\\qvsim_device.dll").c_str());
        ASSERT_NE(nullptr, hSim) << "qvsim_device.dll beside the test";
        auto reg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
            reinterpret_cast<void*>(GetProcAddress(hSim, "DllRegisterServer")));
        ASSERT_NE(nullptr, reg);
        ASSERT_EQ(S_OK, reg());

        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "qvdevice_e2e_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        SetEnvironmentVariableA("QVSIM_DIR", folder.c_str());
        DeleteFileA((folder + "\\journal-E2E1.txt").c_str());
    }
    void TearDown() override
    {
        DeleteFileA((folder + "\\journal-E2E1.txt").c_str());
        DeleteFileA((folder + "\\device-E2E1.ini").c_str());
        RemoveDirectoryA(folder.c_str());
        SetEnvironmentVariableA("QVSIM_DIR", nullptr);
        CoUninitialize();
    }

    void WriteProfile(const std::string& text)
    {
        std::ofstream out(folder + "\\device-E2E1.ini", std::ios::binary | std::ios::trunc);
        out << text;
    }

    HMODULE hSim = nullptr;
    std::string folder;
};
}

TEST_F(SimBinding, CapabilitiesBecomeSettingsAndTheJobReachesTheJournal)
{
    // Brightness beyond its range, copies outside the device's limits, paper
    // size not supported (flag 10 is 0).
    WriteProfile("[Device]\r\nBusyTime=0\r\n"
                 "SupportedSettings=1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,0,1,1,1,1,0\r\n"
                 "[Limits]\r\nMinCopies=2\r\nMaxCopies=20\r\nScaleLow=50\r\nScaleHigh=200\r\n"
                 "[Defaults]\r\nCopies=30\r\nBrightness=130\r\nQuality=3\r\nPaperSize=11\r\n"
                 "PaperType=5\r\nReduceEnlarge=150\r\nTextMode=1\r\nEnhanceLightColor=1\r\n");

    const char kCtxID[] = "#Maker#Model 100#E2E1";
    CCopyUIDlg dlg(nullptr, kCtxID, "-CtxID");
    ASSERT_EQ(1, CCopyUIDlg::ParseContextID(dlg.m_cstrCtxID, dlg.m_cstrManfctr,
                                            dlg.m_cstrProduct, dlg.m_cstrDeviceID));
    EXPECT_STREQ("E2E1", dlg.m_cstrDeviceID);
    ASSERT_EQ(S_OK, dlg.InitializeAPI());
    dlg.SetDefaultState();

    dlg.m_pCopierFunctional = new CopierFunctional();
    dlg.InitializeCopierFuncStruc(dlg.m_pCopierFunctional);
    ASSERT_EQ(S_OK, dlg.m_pCopyAPI->GetCapabilities(dlg.m_pCopierFunctional));
    ASSERT_TRUE(dlg.PopulateStateFromDevice());
    dlg.ValidateState();

    const CRKCopyState& s = dlg.m_rkCopyState;
    EXPECT_EQ(100, s.nBrightness);
    EXPECT_EQ(2, s.nMinCopies);
    EXPECT_EQ(20, s.nMaxCopies);
    EXPECT_EQ(2, s.nNbrCopies);          // 30 was out of range: the low limit
    EXPECT_EQ(150, s.nReduceEnlarge);
    EXPECT_EQ(3, s.nQuality);
    EXPECT_EQ(2, s.nPaperSize);          // unsupported: the default stays
    EXPECT_EQ(5, s.nPaperType);
    EXPECT_EQ(0, s.pbEnableXDL[XDL_PAPER_SIZE]);
    EXPECT_EQ(1, s.bADFPresent);
    EXPECT_EQ(1, s.bEnhanceLightClr);
    EXPECT_EQ(2, s.nBorderlessSupport);  // the device prints borderless

    ASSERT_EQ(S_OK, dlg.m_pCopyAPI->SubmitCopy(JobFrom(s, 4)));

    std::string journal = ReadText(folder + "\\journal-E2E1.txt");
    ASSERT_NE(std::string::npos, journal.find("[Job]")) << journal;
    EXPECT_NE(std::string::npos, journal.find(std::string("Context=") + kCtxID + "\r\n")) << journal;
    for (const char* line : {"nNbrCopies=4\r\n", "nBrightness=100\r\n", "nQuality=3\r\n",
                             "nPaperSize=2\r\n", "nPaperType=5\r\n", "nReduceEnlarge=150\r\n",
                             "bColorCopyRequested=1\r\n", "nBorderlessSupport=2\r\n",
                             "bEnableXDL=1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,0,1,1,1,1,0\r\n"})
        EXPECT_NE(std::string::npos, journal.find(line)) << line << journal;

    dlg.m_pCopyAPI->Shutdown();
}

TEST_F(SimBinding, RefusedBindingLeavesTheMappedErrorIndex)
{
    WriteProfile("[Failures]\r\nInitProtocol=0x8004F9FD\r\n");
    CCopyUIDlg dlg(nullptr, "#Maker#Model 100#E2E1", "-CtxID");
    EXPECT_EQ(static_cast<HRESULT>(0x8004F9FD), dlg.InitializeAPI());
    EXPECT_EQ(replika::ERRIDX_DEVICE_BUSY, dlg.m_rkGUIError.GetErrorIndex());
}

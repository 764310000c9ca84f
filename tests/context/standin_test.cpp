#include "com_env.h"

#include "context/QVDSKInfcCache.h"
#include "device/IContextManager.h"
#include "device/IDeviceStatus.h"

namespace {
// Calls a method by its vtable position, as a client built against other headers would.
template <class... TArgs>
HRESULT CallSlot(IUnknown* pObject, int nSlot, TArgs... args)
{
    typedef HRESULT(STDMETHODCALLTYPE * SlotFn)(IUnknown*, TArgs...);
    return reinterpret_cast<SlotFn>((*reinterpret_cast<void***>(pObject))[nSlot])(pObject, args...);
}

template <class TInterface>
TInterface* Create(const CLSID& clsid, const IID& iid)
{
    TInterface* pObject = NULL;
    EXPECT_EQ(S_OK, CoCreateInstance(clsid, NULL, CLSCTX_ALL, iid, reinterpret_cast<void**>(&pObject)));
    return pObject;
}

// The stand-ins register themselves and read their INI files from the folder in QVSIM_DIR.
class StandInTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        for (const char* dll : {"qvsim_contextmgr.dll", "qvsim_devstatus.dll"}) {
            auto pfnRegister = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
                reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(dll), "DllRegisterServer")));
            ASSERT_TRUE(pfnRegister) << dll;
            ASSERT_EQ(S_OK, pfnRegister()) << dll;
        }
    }

    void SetUp() override
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        m_folder = std::string(szTemp) + "QVSimTest" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_folder.c_str(), NULL);
        SetEnvironmentVariableA("QVSIM_DIR", m_folder.c_str());
        m_pManager = Create<IContextManager>(CLSID_ContextManager, IID_IContextManager);
        ASSERT_NE(nullptr, m_pManager);
    }

    void TearDown() override
    {
        if (m_pManager)
            m_pManager->Release();
        for (const char* file : {"\\contexts.ini", "\\devices.ini"}) {
            WritePrivateProfileStringA(NULL, NULL, NULL, (m_folder + file).c_str());
            DeleteFileA((m_folder + file).c_str());
        }
        RemoveDirectoryA(m_folder.c_str());
    }

    void SetValue(const char* file, const char* section, const char* key, const char* value)
    {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, (m_folder + "\\" + file).c_str()));
    }

    std::wstring Expand(const wchar_t* ctxID, const wchar_t* text, HRESULT* phr)
    {
        CBstr bstrCtxID(ctxID), bstrText(text), result;
        *phr = CallSlot(m_pManager, 19, (BSTR)bstrCtxID, (BSTR)bstrText, result.Out());
        return result.Text();
    }

    std::wstring Root()
    {
        CBstr root;
        return SUCCEEDED(CallSlot(m_pManager, 7, root.Out())) ? root.Text() : L"<failed>";
    }

    // GetContextObject, then the copy mode of the context object's copy interface.
    LONG CopyMode(const wchar_t* ctxID, HRESULT* phr)
    {
        CBstr bstrCtxID(ctxID);
        IUnknown* pObject = NULL;
        IDeviceCopyInfo* pCopyInfo = NULL;
        LONG nMode = -1;
        *phr = CallSlot(m_pManager, 17, (BSTR)bstrCtxID, &pObject);
        if (SUCCEEDED(*phr))
            *phr = pObject->QueryInterface(IID_IDeviceCopyInfo, reinterpret_cast<void**>(&pCopyInfo));
        if (SUCCEEDED(*phr))
            *phr = CallSlot(pCopyInfo, 15, &nMode);
        if (pCopyInfo)
            pCopyInfo->Release();
        if (pObject)
            pObject->Release();
        return nMode;
    }

    std::string m_folder;
    IContextManager* m_pManager = NULL;
};

// A context with a section in contexts.ini takes its values from there, any other gets them
// from its ID; "$$" is a dollar sign, and unknown or unclosed macros fail.
TEST_F(StandInTest, ContextManagerExpandsFromContextsIni)
{
    SetValue("contexts.ini", "#QV#Jet#7", "FriendlyName", "Front Office");
    SetValue("contexts.ini", "#QV#Jet#7", "DefLangAbbrev", "heb");
    SetValue("contexts.ini", "#QV#Jet#7", "Tray", "Upper");
    SetValue("contexts.ini", "#QV#Jet#9", "FailExpand", "1");
    struct Case
    {
        const wchar_t* pszCtxID;
        const wchar_t* pszText;
        const wchar_t* pszExpected;
    };  // NULL: fails
    const Case cases[] = {
        {L"#QV#QV Jet 9000#SN1", L"$FriendlyName$ $DefLangAbbrev$", L"QV Jet 9000 enu"},
        {L"#QV#QV Jet 9000#SN1", L"$Manufacturer$/$ProdShortName$/$DeviceID$", L"QV/QV Jet 9000/SN1"},
        {L"#QV#Jet#7", L"Copy on $FriendlyName$ ($DefLangAbbrev$), $$5 from $Tray$",
         L"Copy on Front Office (heb), $5 from Upper"},
        {L"#QV#Jet#7", L"$ProdShortName$", L"Jet"},
        {L"#QV#Jet#8", L"$FriendlyName$", L"Jet"},
        {L"#QV#Jet#7", L"$NoSuchValue$", NULL},
        {L"#QV#Jet#7", L"$FriendlyName", NULL},
        {L"#QV#Jet#9", L"$FriendlyName$", NULL},
    };
    for (const Case& c : cases) {
        HRESULT hr;
        std::wstring result = Expand(c.pszCtxID, c.pszText, &hr);
        EXPECT_EQ(c.pszExpected != NULL, SUCCEEDED(hr)) << c.pszText;
        if (c.pszExpected) {
            EXPECT_EQ(c.pszExpected, result);
        }
    }
    EXPECT_EQ(L"", Root());
    SetValue("contexts.ini", "Manager", "RootContextName", "Root");
    EXPECT_EQ(L"Root", Root());

    // The cache reaches the registered stand-in through the Global Interface Table.
    CQVDSKInfcCache cache;
    cache.SetContextID("#QV#Jet#7");
    CBstr text(L"$FriendlyName$"), result;
    EXPECT_EQ(S_OK, cache.ExpandMacros(text, result.Out()));
    EXPECT_EQ(L"Front Office", result.Text());
}

TEST_F(StandInTest, ContextObjectGivesTheCopyMode)
{
    SetValue("contexts.ini", "#QV#Jet#7", "CopyMode", "3");
    SetValue("contexts.ini", "#QV#Jet#9", "FailContextObject", "1");
    HRESULT hr;
    EXPECT_EQ(1, CopyMode(L"#QV#Jet#1", &hr));
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ(3, CopyMode(L"#QV#Jet#7", &hr));
    CopyMode(L"#QV#Jet#9", &hr);
    EXPECT_EQ(E_FAIL, hr);
}

TEST_F(StandInTest, DeviceStatusAnswersFromDevicesIni)
{
    IDeviceStatus* pStatus = Create<IDeviceStatus>(CLSID_DeviceStatus, IID_IDeviceStatus);
    ASSERT_NE(nullptr, pStatus);
    CBstr answering(L"#QV#Jet#1"), silent(L"#QV#Jet#2"), closed(L"#QV#Jet#3"), status;
    SetValue("devices.ini", "#QV#Jet#2", "Reachable", "0");
    SetValue("devices.ini", "#QV#Jet#3", "OpenFails", "1");

    EXPECT_EQ(E_UNEXPECTED, CallSlot(pStatus, 23, status.Out()));  // not opened yet
    EXPECT_EQ(S_OK, CallSlot(pStatus, 8, (BSTR)answering));
    EXPECT_EQ(S_OK, CallSlot(pStatus, 23, status.Out()));
    EXPECT_EQ(L"Ready", status.Text());
    EXPECT_EQ(S_OK, CallSlot(pStatus, 8, (BSTR)silent));
    EXPECT_TRUE(FAILED(CallSlot(pStatus, 23, status.Out())));
    EXPECT_TRUE(FAILED(CallSlot(pStatus, 8, (BSTR)closed)));
    pStatus->Release();
}
}  // namespace

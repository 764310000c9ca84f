#include "com_env.h"

#include <olectl.h>

#include "context/QVDSKInfcCache.h"
#include "device/IContextManager.h"
#include "device/IDeviceStatus.h"

namespace
{
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Loads a stand-in DLL from beside the test and creates its class through its own factory.
template <class TInterface>
TInterface* CreateFromStandIn(const char* pszDll, const CLSID& clsid, const IID& iid)
{
    HMODULE hDll = LoadLibraryA(pszDll);
    if (!hDll)
        return NULL;
    typedef HRESULT(STDAPICALLTYPE * GetClassObjectFn)(REFCLSID, REFIID, void**);
    GetClassObjectFn pfnGetClassObject =
        reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(hDll, "DllGetClassObject")));
    IClassFactory* pFactory = NULL;
    if (!pfnGetClassObject || FAILED(pfnGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&pFactory))))
        return NULL;
    TInterface* pObject = NULL;
    pFactory->CreateInstance(NULL, iid, reinterpret_cast<void**>(&pObject));
    pFactory->Release();
    return pObject;
}

// Calls a method by its vtable position, as a client built against other headers would.
template <class... TArgs>
HRESULT CallSlot(IUnknown* pObject, int nSlot, TArgs... args)
{
    typedef HRESULT(STDMETHODCALLTYPE * SlotFn)(IUnknown*, TArgs...);
    SlotFn pfn = reinterpret_cast<SlotFn>((*reinterpret_cast<void***>(pObject))[nSlot]);
    return pfn(pObject, args...);
}

// Every test gets a stand-in folder of its own through QVSIM_DIR.
class StandInTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        static int s_nCounter = 0;
        m_folder = std::string(szTemp) + "QVSimTest" + std::to_string(GetCurrentProcessId()) + "_" +
                   std::to_string(++s_nCounter);
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), NULL));
        char szOld[MAX_PATH];
        DWORD n = GetEnvironmentVariableA("QVSIM_DIR", szOld, sizeof(szOld));
        m_hadOldDir = n > 0 && n < sizeof(szOld);
        if (m_hadOldDir)
            m_oldDir = szOld;
        SetEnvironmentVariableA("QVSIM_DIR", m_folder.c_str());

        m_pManager = CreateFromStandIn<IContextManager>("qvsim_contextmgr.dll", CLSID_ContextManager, IID_IContextManager);
        ASSERT_NE(nullptr, m_pManager);
    }

    void TearDown() override
    {
        if (m_pManager)
            m_pManager->Release();
        for (const char* file : {"contexts.ini", "devices.ini"})
        {
            std::string path = m_folder + "\\" + file;
            WritePrivateProfileStringA(NULL, NULL, NULL, path.c_str());
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(m_folder.c_str());
        SetEnvironmentVariableA("QVSIM_DIR", m_hadOldDir ? m_oldDir.c_str() : NULL);
    }

    void SetValue(const char* file, const char* section, const char* key, const char* value)
    {
        ASSERT_TRUE(WritePrivateProfileStringA(section, key, value, (m_folder + "\\" + file).c_str()));
    }

    std::string Expand(const char* ctxID, const wchar_t* text, HRESULT* phr)
    {
        CBstr bstrCtxID(std::wstring(ctxID, ctxID + strlen(ctxID)));
        CBstr bstrText(text);
        CBstr result;
        *phr = CallSlot(m_pManager, 19, (BSTR)bstrCtxID, (BSTR)bstrText, result.Out());
        return Narrow(result.Text());
    }

    LONG CopyMode(const char* ctxID, HRESULT* phr)
    {
        CBstr bstrCtxID(std::wstring(ctxID, ctxID + strlen(ctxID)));
        IUnknown* pObject = NULL;
        LONG nMode = -1;
        *phr = CallSlot(m_pManager, 17, (BSTR)bstrCtxID, &pObject);
        if (FAILED(*phr))
            return nMode;
        IContextObject* pContext = NULL;
        IDeviceCopyInfo* pCopyInfo = NULL;
        *phr = pObject->QueryInterface(IID_IContextObject, reinterpret_cast<void**>(&pContext));
        if (SUCCEEDED(*phr))
            *phr = pContext->QueryInterface(IID_IDeviceCopyInfo, reinterpret_cast<void**>(&pCopyInfo));
        if (SUCCEEDED(*phr))
            *phr = CallSlot(pCopyInfo, 15, &nMode);
        if (pCopyInfo)
            pCopyInfo->Release();
        if (pContext)
            pContext->Release();
        pObject->Release();
        return nMode;
    }

    std::string m_folder, m_oldDir;
    bool m_hadOldDir = false;
    IContextManager* m_pManager = NULL;
};

TEST_F(StandInTest, ContextWithoutSectionGetsValuesFromItsID)
{
    HRESULT hr;
    EXPECT_EQ("OfficeJet 9000", Expand("#QV#OfficeJet 9000#SN1", L"$FriendlyName$", &hr));
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ("enu", Expand("#QV#OfficeJet 9000#SN1", L"$DefLangAbbrev$", &hr));
    EXPECT_EQ("QV/OfficeJet 9000/SN1", Expand("#QV#OfficeJet 9000#SN1", L"$Manufacturer$/$ProdShortName$/$DeviceID$", &hr));
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ(1, CopyMode("#QV#OfficeJet 9000#SN1", &hr));
    EXPECT_EQ(S_OK, hr);

    CBstr root;
    EXPECT_EQ(S_OK, CallSlot(m_pManager, 7, root.Out()));
    EXPECT_EQ(L"", root.Text());
}

TEST_F(StandInTest, ContextSectionOverridesTheDefaults)
{
    SetValue("contexts.ini", "#QV#Jet#7", "FriendlyName", "Front Office");
    SetValue("contexts.ini", "#QV#Jet#7", "DefLangAbbrev", "heb");
    SetValue("contexts.ini", "#QV#Jet#7", "CopyMode", "3");
    SetValue("contexts.ini", "#QV#Jet#7", "Tray", "Upper");
    SetValue("contexts.ini", "Manager", "RootContextName", "Root");

    HRESULT hr;
    EXPECT_EQ("Copy on Front Office (heb), $5 from Upper",
              Expand("#QV#Jet#7", L"Copy on $FriendlyName$ ($DefLangAbbrev$), $$5 from $Tray$", &hr));
    EXPECT_EQ(S_OK, hr);
    EXPECT_EQ("Jet", Expand("#QV#Jet#7", L"$ProdShortName$", &hr));
    EXPECT_EQ(3, CopyMode("#QV#Jet#7", &hr));
    EXPECT_EQ("Jet", Expand("#QV#Jet#8", L"$FriendlyName$", &hr));  // another context keeps its defaults

    CBstr root;
    EXPECT_EQ(S_OK, CallSlot(m_pManager, 7, root.Out()));
    EXPECT_EQ(L"Root", root.Text());
}

TEST_F(StandInTest, UnknownMacrosAndScriptedFailuresFail)
{
    HRESULT hr;
    Expand("#QV#Jet#7", L"$NoSuchValue$", &hr);
    EXPECT_TRUE(FAILED(hr));
    Expand("#QV#Jet#7", L"$FriendlyName", &hr);
    EXPECT_TRUE(FAILED(hr));

    SetValue("contexts.ini", "#QV#Jet#7", "FailExpand", "1");
    SetValue("contexts.ini", "#QV#Jet#7", "FailContextObject", "1");
    Expand("#QV#Jet#7", L"$FriendlyName$", &hr);
    EXPECT_EQ(E_FAIL, hr);
    CopyMode("#QV#Jet#7", &hr);
    EXPECT_EQ(E_FAIL, hr);
}

TEST_F(StandInTest, CacheUsesTheStandInThroughTheGlobalInterfaceTable)
{
    SetValue("contexts.ini", "#QV#Jet#7", "FriendlyName", "Front Office");
    HMODULE hDll = GetModuleHandleA("qvsim_contextmgr.dll");
    ASSERT_NE(nullptr, hDll);
    typedef HRESULT(STDAPICALLTYPE * GetClassObjectFn)(REFCLSID, REFIID, void**);
    GetClassObjectFn pfn =
        reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(hDll, "DllGetClassObject")));
    IUnknown* pFactory = NULL;
    ASSERT_EQ(S_OK, pfn(CLSID_ContextManager, IID_IClassFactory, reinterpret_cast<void**>(&pFactory)));
    DWORD dwCookie = 0;
    ASSERT_EQ(S_OK, CoRegisterClassObject(CLSID_ContextManager, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &dwCookie));
    {
        CQVDSKInfcCache cache;
        cache.SetContextID("#QV#Jet#7");
        CBstr text(L"$FriendlyName$");
        CBstr result;
        EXPECT_EQ(S_OK, cache.ExpandMacros(text, result.Out()));
        EXPECT_EQ(L"Front Office", result.Text());
        cache.ReleaseAll();
    }
    CoRevokeClassObject(dwCookie);
    pFactory->Release();
}

TEST_F(StandInTest, DeviceStatusAnswersFromDevicesIni)
{
    IDeviceStatus* pStatus = CreateFromStandIn<IDeviceStatus>("qvsim_devstatus.dll", CLSID_DeviceStatus, IID_IDeviceStatus);
    ASSERT_NE(nullptr, pStatus);
    CBstr answering(L"#QV#Jet#1"), silent(L"#QV#Jet#2"), closed(L"#QV#Jet#3");
    SetValue("devices.ini", "#QV#Jet#2", "Reachable", "0");
    SetValue("devices.ini", "#QV#Jet#3", "OpenFails", "1");

    CBstr status;
    EXPECT_EQ(E_UNEXPECTED, CallSlot(pStatus, 23, status.Out()));  // not opened yet
    EXPECT_EQ(S_OK, CallSlot(pStatus, 8, (BSTR)answering));
    EXPECT_EQ(S_OK, CallSlot(pStatus, 23, status.Out()));
    EXPECT_EQ(L"Ready", status.Text());

    EXPECT_EQ(S_OK, CallSlot(pStatus, 8, (BSTR)silent));
    EXPECT_TRUE(FAILED(CallSlot(pStatus, 23, status.Out())));
    EXPECT_TRUE(FAILED(CallSlot(pStatus, 8, (BSTR)closed)));
    pStatus->Release();
}

TEST_F(StandInTest, RegistrationMakesBothClassesCreatable)
{
    for (const char* dll : {"qvsim_contextmgr.dll", "qvsim_devstatus.dll"})
    {
        HMODULE hDll = LoadLibraryA(dll);
        ASSERT_NE(nullptr, hDll) << dll;
        typedef HRESULT(STDAPICALLTYPE * RegisterFn)();
        RegisterFn pfnRegister = reinterpret_cast<RegisterFn>(reinterpret_cast<void*>(GetProcAddress(hDll, "DllRegisterServer")));
        ASSERT_NE(nullptr, pfnRegister) << dll;
        EXPECT_EQ(S_OK, pfnRegister()) << dll;
    }

    char szModel[32] = "";
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{3A97B78E-743A-4E12-88FF-71374FE62037}\\InprocServer32",
                                           0, KEY_READ, &hKey));
    DWORD dwType, dwSize = sizeof(szModel);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "ThreadingModel", NULL, &dwType, reinterpret_cast<BYTE*>(szModel), &dwSize));
    RegCloseKey(hKey);
    EXPECT_STREQ("Both", szModel);

    IContextManager* pManager = NULL;
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_ContextManager, NULL, CLSCTX_ALL, IID_IContextManager, reinterpret_cast<void**>(&pManager)));
    if (pManager)
        pManager->Release();
    IDeviceStatus* pStatus = NULL;
    EXPECT_EQ(S_OK, CoCreateInstance(CLSID_DeviceStatus, NULL, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                                     IID_IDeviceStatus, reinterpret_cast<void**>(&pStatus)));
    if (pStatus)
        pStatus->Release();
}
} // namespace

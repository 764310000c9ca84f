// What the small stand-in COM servers share: their data folder, INI look-ups,
// text conversion, a class factory and registration under HKEY_CLASSES_ROOT.
// Each stand-in DLL gets its own copy of the object count, and sim/simserver.cpp
// gives each its DLL exports for the one class it names in g_simServer.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <olectl.h>
#include <oleauto.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>
#include <new>
#include <string>
#include <vector>

inline LONG g_cSimObjects = 0;

// The all-users application-data folder does not move while a process runs, and the
// shell takes long to name it: asked once.
inline const std::string& CommonAppDataFolder()
{
    static const std::string s_folder = [] {
        char szCommon[MAX_PATH] = "";
        if (!SHGetSpecialFolderPathA(NULL, szCommon, CSIDL_COMMON_APPDATA, FALSE))
            lstrcpynA(szCommon, "C:\\ProgramData", sizeof(szCommon));
        return std::string(szCommon);
    }();
    return s_folder;
}

// %QVSIM_DIR%, else the all-users application-data folder + "\QVSim".
inline std::string SimFolder()
{
    char szDir[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("QVSIM_DIR", szDir, sizeof(szDir));
    if (n > 0 && n < sizeof(szDir))
        return szDir;
    return CommonAppDataFolder() + "\\QVSim";
}

inline std::string SimIniPath(const char* pszFileName) { return SimFolder() + "\\" + pszFileName; }

// Appends one line (CR LF added) to a file of the stand-ins' folder: their logs.
inline void SimAppendLine(const char* pszFileName, const std::string& line)
{
    HANDLE hFile = CreateFileA(SimIniPath(pszFileName).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\r\n";
    DWORD cbWritten = 0;
    WriteFile(hFile, text.data(), (DWORD)text.size(), &cbWritten, NULL);
    CloseHandle(hFile);
}

// One value of an INI section; false when the section or key is missing.
inline bool SimIniValue(const std::string& iniPath, const std::string& section, const char* pszKey, std::string* pValue)
{
    if (section.empty())
        return false;
    const char kMissing[] = "\x01";
    std::vector<char> buf(4096);
    GetPrivateProfileStringA(section.c_str(), pszKey, kMissing, buf.data(), (DWORD)buf.size(), iniPath.c_str());
    if (strcmp(buf.data(), kMissing) == 0)
        return false;
    *pValue = buf.data();
    return true;
}

inline std::string NarrowOf(BSTR bstr)
{
    if (!bstr || !bstr[0])
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, bstr, -1, NULL, 0, NULL, NULL);
    std::string text(n > 0 ? n : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, bstr, -1, &text[0], n, NULL, NULL);
    text.resize(strlen(text.c_str()));
    return text;
}

inline BSTR BstrOf(const std::string& text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
    BSTR bstr = SysAllocStringLen(NULL, n > 0 ? n - 1 : 0);
    if (bstr && n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, bstr, n);
    return bstr;
}

// A stand-in object serving TInterface (identified by iidInterface, also handed out as
// IUnknown): its reference count, and the object count that keeps the DLL loaded while it lives.
template <class TInterface>
class CSimObject : public TInterface
{
public:
    explicit CSimObject(REFIID iidInterface) : m_iidInterface(iidInterface) { InterlockedIncrement(&g_cSimObjects); }
    virtual ~CSimObject() { InterlockedDecrement(&g_cSimObjects); }
    CSimObject(const CSimObject&) = delete;
    CSimObject& operator=(const CSimObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = (riid == IID_IUnknown || riid == m_iidInterface) ? static_cast<TInterface*>(this) : NULL;
        if (!*ppv)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG cRef = InterlockedDecrement(&m_cRef);
        if (cRef == 0)
            delete this;
        return cRef;
    }

private:
    const IID m_iidInterface;
    LONG m_cRef = 1;
};

template <class TObject>
class CSimClassFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : NULL;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = NULL;
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        TObject* pObject = new (std::nothrow) TObject();
        if (!pObject)
            return E_OUTOFMEMORY;
        HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL bLock) override
    {
        if (bLock)
            InterlockedIncrement(&g_cSimObjects);
        else
            InterlockedDecrement(&g_cSimObjects);
        return S_OK;
    }
};

inline std::string GuidText(const GUID& guid)
{
    char sz[64];
    snprintf(sz, sizeof(sz), "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", (unsigned long)guid.Data1,
             guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
             guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return sz;
}

inline bool SetKeyValue(const std::string& key, const char* pszName, const std::string& value)
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return false;
    LONG rc =
        RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), (DWORD)value.size() + 1);
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

// The module is the DLL that holds pAddressInModule.
inline HRESULT RegisterInprocServer(const CLSID& clsid, const char* pszDescription, const void* pAddressInModule)
{
    HMODULE hModule = NULL;
    char szPath[MAX_PATH];
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(pAddressInModule), &hModule) ||
        !GetModuleFileNameA(hModule, szPath, sizeof(szPath)))
        return SELFREG_E_CLASS;
    std::string key = "CLSID\\" + GuidText(clsid);
    bool ok = SetKeyValue(key, NULL, pszDescription) && SetKeyValue(key + "\\InprocServer32", NULL, szPath) &&
              SetKeyValue(key + "\\InprocServer32", "ThreadingModel", "Both");
    return ok ? S_OK : SELFREG_E_CLASS;
}

// A class the system registers too keeps its key: only the in-process server goes.
inline HRESULT UnregisterInprocServer(const CLSID& clsid, bool keepClassKey)
{
    std::string key = "CLSID\\" + GuidText(clsid);
    LONG rc = RegDeleteKeyA(HKEY_CLASSES_ROOT, (key + "\\InprocServer32").c_str());
    if (!keepClassKey)
        rc = RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    return (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) ? S_OK : SELFREG_E_CLASS;
}

// The one class a stand-in server serves; each server defines g_simServer.
struct SimServer
{
    const CLSID& clsid;
    const char* pszDescription;
    IClassFactory& factory;
    bool keepClassKey = false;  // the system registers the class as well
};
extern const SimServer g_simServer;

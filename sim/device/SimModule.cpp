// The in-process server: class factory, unload check and registration under
// HKEY_CLASSES_ROOT\CLSID (ThreadingModel "Both": the object serves any thread
// directly, without marshalling).
#include <windows.h>
#include <objbase.h>
#include <olectl.h>
#include <cstdio>
#include <new>

#include "sim/device/SimCopyDevice.h"
#include "sim/device/SimModule.h"

namespace
{

HMODULE g_hModule = nullptr;
LONG g_cLocks = 0;

const char kClsidKey[] = "CLSID\\{E6A3C8F2-5D19-4A7B-9E04-B1C73F2D8A56}";

class SimClassFactory : public IClassFactory
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory))
        {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // One static factory: its references only keep the server loaded.
    ULONG STDMETHODCALLTYPE AddRef() override { SimModuleLock(); return 2; }
    ULONG STDMETHODCALLTYPE Release() override { SimModuleUnlock(); return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        SimCopyDevice* device = new (std::nothrow) SimCopyDevice;
        if (!device)
            return E_OUTOFMEMORY;
        HRESULT hr = device->QueryInterface(riid, ppv);
        device->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            SimModuleLock();
        else
            SimModuleUnlock();
        return S_OK;
    }
};

SimClassFactory g_factory;

bool SetKeyValue(const char* subKey, const char* name, const char* value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                             static_cast<DWORD>(lstrlenA(value) + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

} // namespace

void SimModuleLock()
{
    InterlockedIncrement(&g_cLocks);
}

void SimModuleUnlock()
{
    InterlockedDecrement(&g_cLocks);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        g_hModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_CopyAPI))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return g_cLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(g_hModule, path, sizeof(path));
    if (n == 0 || n >= sizeof(path))
        return SELFREG_E_CLASS;
    char server[200];
    snprintf(server, sizeof(server), "%s\\InprocServer32", kClsidKey);
    bool ok = SetKeyValue(kClsidKey, nullptr, "QV simulated device copy component") &&
              SetKeyValue(server, nullptr, path) &&
              SetKeyValue(server, "ThreadingModel", "Both");
    return ok ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer()
{
    LONG rc = RegDeleteTreeA(HKEY_CLASSES_ROOT, kClsidKey);
    return (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) ? S_OK : SELFREG_E_CLASS;
}

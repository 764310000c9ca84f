// The exports of every stand-in in-process server, for the class in g_simServer.
#include "sim/simcom.h"

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (!IsEqualCLSID(rclsid, g_simServer.clsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_simServer.factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() { return g_cSimObjects == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer()
{
    return RegisterInprocServer(g_simServer.clsid, g_simServer.pszDescription,
                                reinterpret_cast<const void*>(&DllRegisterServer));
}

STDAPI DllUnregisterServer() { return UnregisterInprocServer(g_simServer.clsid, g_simServer.keepClassKey); }

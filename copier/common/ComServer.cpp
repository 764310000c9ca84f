// The exports of every copier in-process server, for the classes in g_comServerClasses.
#include "copier/common/ComServer.h"

namespace {
LONG g_cModuleLocks = 0;
}

void LockComModule() { InterlockedIncrement(&g_cModuleLocks); }
void UnlockComModule() { InterlockedDecrement(&g_cModuleLocks); }
LONG ComModuleLocks() { return g_cModuleLocks; }

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    for (size_t i = 0; i < g_comServerClassCount; ++i)
        if (IsEqualCLSID(rclsid, g_comServerClasses[i].clsid))
            return g_comServerClasses[i].factory.QueryInterface(riid, ppv);
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return ComModuleLocks() == 0 ? S_OK : S_FALSE; }

// The exports of every copier in-process server, for the classes in g_comServerClasses.
#include "copier/common/ComServer.h"

#include <string.h>

namespace {
LONG g_cModuleLocks = 0;
}

void LockComModule() { InterlockedIncrement(&g_cModuleLocks); }
void UnlockComModule() { InterlockedDecrement(&g_cModuleLocks); }
LONG ComModuleLocks() { return g_cModuleLocks; }

std::string NarrowOf(BSTR bstr)
{
    if (!bstr || !bstr[0])
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, bstr, -1, NULL, 0, NULL, NULL);
    if (n <= 0)
        return std::string();
    std::string text(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, bstr, -1, &text[0], n, NULL, NULL);
    text.resize(strlen(text.c_str()));
    return text;
}

BSTR BstrOf(const std::string& text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
    BSTR bstr = SysAllocStringLen(NULL, n > 0 ? n - 1 : 0);
    if (bstr && n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, bstr, n);
    return bstr;
}

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

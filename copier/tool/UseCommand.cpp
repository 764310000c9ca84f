// "use": which component set holds the three class IDs the copy dialog creates,
// the copier's or the simulated device's. Each set lies in the tool's own folder.
#include "copier/tool/ToolCommands.h"
#include "device/IContextManager.h"
#include "device/ICopyAPI.h"
#include "device/IDeviceStatus.h"

#include <windows.h>
#include <stdio.h>

namespace {
struct ComponentClass
{
    const CLSID& clsid;
    const char* pszRole;
};
const ComponentClass kClasses[] = {
    {CLSID_CopyAPI, "device copy"},
    {CLSID_ContextManager, "context manager"},
    {CLSID_DeviceStatus, "device status"},
};
const size_t kClassCount = sizeof(kClasses) / sizeof(kClasses[0]);

struct ComponentSet
{
    const char* pszName;
    const char* pszDescription;   // "<description> <role>" names each class
    const char* dlls[kClassCount];  // in the order of kClasses
};
const ComponentSet kSets[] = {
    {"copier", "QV copier", {"qvcopier_device.dll", "qvcopier_contextmgr.dll", "qvcopier_devstatus.dll"}},
    {"simulated", "QV simulated", {"qvsim_device.dll", "qvsim_contextmgr.dll", "qvsim_devstatus.dll"}},
};

std::string ClassKey(const CLSID& clsid)
{
    char sz[96];
    snprintf(sz, sizeof(sz), "Software\\Classes\\CLSID\\{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
             (unsigned long)clsid.Data1, clsid.Data2, clsid.Data3, clsid.Data4[0], clsid.Data4[1], clsid.Data4[2],
             clsid.Data4[3], clsid.Data4[4], clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
    return sz;
}

bool SetValue(const std::string& key, const char* pszName, const std::string& value)
{
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             (DWORD)value.size() + 1);
    RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

// The DLL registered for a class; empty when there is none.
std::string RegisteredServer(const CLSID& clsid)
{
    char szPath[MAX_PATH] = "";
    DWORD cb = sizeof(szPath);
    std::string key = ClassKey(clsid) + "\\InprocServer32";
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), NULL, RRF_RT_REG_SZ, NULL, szPath, &cb) != ERROR_SUCCESS)
        return std::string();
    return szPath;
}

std::string FileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

const ComponentSet* FindSet(const std::string& name)
{
    for (const ComponentSet& set : kSets)
        if (name == set.pszName)
            return &set;
    return NULL;
}

int Register(const ComponentSet& set)
{
    std::string folder = ToolFolder();
    for (const char* pszDll : set.dlls)
        if (GetFileAttributesA((folder + "\\" + pszDll).c_str()) == INVALID_FILE_ATTRIBUTES)
            return ToolFail(kExitBadInput, "%s is missing in %s: the %s set cannot be used", pszDll, folder.c_str(),
                            set.pszName);
    for (size_t i = 0; i < kClassCount; ++i) {
        std::string key = ClassKey(kClasses[i].clsid), server = key + "\\InprocServer32";
        if (!SetValue(key, NULL, std::string(set.pszDescription) + " " + kClasses[i].pszRole) ||
            !SetValue(server, NULL, folder + "\\" + set.dlls[i]) || !SetValue(server, "ThreadingModel", "Both"))
            return ToolFail(kExitFailed, "cannot write HKLM\\%s", server.c_str());
    }
    return kExitOk;
}

// The set whose DLLs hold all three classes, "none", or what each class has.
std::string ActiveSet()
{
    std::string servers[kClassCount];
    for (size_t i = 0; i < kClassCount; ++i)
        servers[i] = FileNameOf(RegisteredServer(kClasses[i].clsid));
    for (const ComponentSet& set : kSets) {
        size_t matches = 0;
        for (size_t i = 0; i < kClassCount; ++i)
            matches += lstrcmpiA(servers[i].c_str(), set.dlls[i]) == 0;
        if (matches == kClassCount)
            return set.pszName;
    }
    if (servers[0].empty() && servers[1].empty() && servers[2].empty())
        return "none";
    std::string mixed = "mixed:";
    for (size_t i = 0; i < kClassCount; ++i)
        mixed += std::string(i ? ", " : " ") + kClasses[i].pszRole + " = " + (servers[i].empty() ? "none" : servers[i]);
    return mixed;
}
}  // namespace

std::string ToolFolder()
{
    char szPath[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(NULL, szPath, sizeof(szPath));
    std::string path(szPath, n < sizeof(szPath) ? n : 0);
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

int CmdUse(const ToolArgs& args)
{
    if (args.empty()) {
        printf("%s\n", ActiveSet().c_str());
        return kExitOk;
    }
    const ComponentSet* pSet = args.size() == 1 ? FindSet(args[0]) : NULL;
    if (!pSet)
        return ToolFail(kExitBadInput, "usage: qvcopier use [copier|simulated]");
    return Register(*pSet);
}

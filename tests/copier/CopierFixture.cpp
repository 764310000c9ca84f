#include "CopierFixture.h"

#include "device/IContextManager.h"
#include "device/ICopyAPI.h"
#include "device/IDeviceStatus.h"

#include <shlobj.h>

#include <algorithm>

namespace copiertest {
namespace {
std::string ClassKey(const CLSID& clsid)
{
    wchar_t wsz[64];
    StringFromGUID2(clsid, wsz, 64);
    char sz[64];
    WideCharToMultiByte(CP_ACP, 0, wsz, -1, sz, sizeof(sz), NULL, NULL);
    return std::string("Software\\Classes\\CLSID\\") + sz;
}

bool ReadValue(const std::string& key, const char* pszName, std::string& value)
{
    char sz[MAX_PATH] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), pszName, RRF_RT_REG_SZ, NULL, sz, &cb) != ERROR_SUCCESS)
        return false;
    value = sz;
    return true;
}
}  // namespace

RegistrationScope::RegistrationScope()
{
    for (const CLSID* pClsid : {&CLSID_CopyAPI, &CLSID_ContextManager, &CLSID_DeviceStatus}) {
        std::string key = ClassKey(*pClsid), server = key + "\\InprocServer32";
        for (const auto& entry : {std::make_pair(key, ""), std::make_pair(server, ""),
                                  std::make_pair(server, "ThreadingModel")}) {
            Saved saved{entry.first, entry.second, "", false};
            saved.bExisted = ReadValue(saved.key, saved.name.empty() ? NULL : saved.name.c_str(), saved.value);
            m_saved.push_back(saved);
        }
    }
}

RegistrationScope::~RegistrationScope()
{
    for (const Saved& saved : m_saved) {
        HKEY hKey;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, saved.key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL))
            continue;
        const char* pszName = saved.name.empty() ? NULL : saved.name.c_str();
        if (saved.bExisted)
            RegSetValueExA(hKey, pszName, 0, REG_SZ, (const BYTE*)saved.value.c_str(), (DWORD)saved.value.size() + 1);
        else
            RegDeleteValueA(hKey, pszName);
        RegCloseKey(hKey);
    }
}

CopierFixture::CopierFixture()
    : m_setupsEnv("QVCOPIER_SETUPS", m_files.File("setups.txt").c_str()),
      m_logEnv("QVCOPIER_LOG", m_files.File("copier.log").c_str()),
      m_menuEnv("QVCOPIER_STARTMENU", m_menu.Path().c_str())
{
}

std::string CopierFixture::MenuEntries() const
{
    std::vector<std::string> names = m_menu.Files();
    std::sort(names.begin(), names.end());
    std::string entries;
    for (const std::string& name : names)
        entries += name + "|";
    return entries;
}

qvtest::RunResult CopierFixture::Tool(const std::string& arguments) const
{
    qvtest::RunResult run = qvtest::Run("\"" + qvtest::BesideExe("qvcopier.exe") + "\" " + arguments);
    run.output.erase(std::remove(run.output.begin(), run.output.end(), '\r'), run.output.end());
    return run;
}

std::string CopierFixture::FirstPrinter() const
{
    std::string output = Tool("list-devices").output;
    size_t start = output.find("printer\t");
    if (start == std::string::npos)
        return std::string();
    start += 8;
    return output.substr(start, output.find('\n', start) - start);
}

void SettingsFilesScope::Remove() const
{
    for (const char* kind : {"D", "F"})
        DeleteFileA((qvtest::ShellFolder(CSIDL_APPDATA) + "\\QV\\Imagora\\" + kind + m_deviceId + ".xml").c_str());
}

}  // namespace copiertest

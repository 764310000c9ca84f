// The per-device settings files: their names, loading the default file at start and, on
// the first use of a device, making the default and factory files from the embedded
// document with the device's values.
#include "dialog/CopyUIDlg.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "log/RKLog.h"
#include "res/resource.h"

namespace replika {

namespace {

// The embedded default document; empty when the resource is missing.
std::string DefaultDocument()
{
    HMODULE hModule = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hModule, MAKEINTRESOURCEA(IDR_DEFAULT_STATE), RES_TYPE_XML);
    HGLOBAL hLoaded = hResource ? ::LoadResource(hModule, hResource) : NULL;
    const char* pBytes = hLoaded ? static_cast<const char*>(::LockResource(hLoaded)) : NULL;
    return pBytes ? std::string(pBytes, ::SizeofResource(hModule, hResource)) : std::string();
}
}  // namespace

bool CCopyUIDlg::FormSettingsFileNames()
{
    if (replika::FormSettingsFileNames(g_szSettingsFolder, m_cstrDeviceID, g_szDefaultFileName, g_szFactoryFileName))
        return true;
    g_pLog->LogError("%s - Settings folder too long for a file name: %s", kTraceInit, g_szSettingsFolder);
    return false;
}

// Folder + "\" + name; false when the name is not formed yet or the path would not fit.
bool CCopyUIDlg::SettingsFilePath(const char* pszFileName, char* pszPath, size_t cchPath) const
{
    if (pszFileName == nullptr || pszFileName[0] == '\0')
        return false;
    int n = snprintf(pszPath, cchPath, "%s\\%s", g_szSettingsFolder, pszFileName);
    return n > 0 && static_cast<size_t>(n) < cchPath;
}

void CCopyUIDlg::LoadOrCreateSettings()
{
    char szDefaultPath[MAX_PATH];
    if (!SettingsFilePath(g_szDefaultFileName, szDefaultPath, sizeof(szDefaultPath)))
        return;
    if (m_rkCopyState.GetSettings(szDefaultPath)) {
        g_pLog->LogDetailedTrace("%s - Loaded settings from default XML file", kTraceInit);
        return;
    }
    g_pLog->LogDetailedTrace("%s - First time user, GetSettings failed", kTraceInit);
    if (!PopulateStateFromDevice()) {
        g_pLog->LogError("%s - Device Capabilities call failure", kTraceInit);
        return;
    }
    SetDefaultPaperSize();
    ValidateState();
    CreateSettingsFiles();
}

// Each file is the embedded document with the device's values, put in place whole, so a
// run killed at any moment leaves each file missing or complete. The factory file comes
// first: while the default file is missing, the next start is a first use again and
// makes both.
bool CCopyUIDlg::CreateSettingsFiles()
{
    char szDefaultPath[MAX_PATH], szFactoryPath[MAX_PATH];
    const std::string document = DefaultDocument();
    if (!SettingsFilePath(g_szDefaultFileName, szDefaultPath, sizeof(szDefaultPath)) ||
        !SettingsFilePath(g_szFactoryFileName, szFactoryPath, sizeof(szFactoryPath)) || document.empty())
        return false;

    KeepUnreadableSettingsFile(szFactoryPath);
    if (!CreateSettingsFile(m_rkCopyState, szFactoryPath, document)) {
        g_pLog->LogError("%s - Failed to write factory XML", kTraceInit);
        return false;
    }
    g_pLog->LogDetailedTrace("%s - Succesfully written to factory XML", kTraceInit);
    KeepUnreadableSettingsFile(szDefaultPath);
    if (!CreateSettingsFile(m_rkCopyState, szDefaultPath, document)) {
        g_pLog->LogError("XML file could not be created");
        g_pLog->LogError("%s - Failed to write default XML", kTraceInit);
        return false;
    }
    g_pLog->LogDetailedTrace("%s - Succesfully written to default XML", kTraceInit);
    return true;
}

}  // namespace replika

// The per-device settings files: their names, loading the default file at start and, on
// the first use of a device, making the default and factory files from the embedded
// document and saving the device's values into them.
#include "dialog/CopyUIDlg.h"

#include <cstdio>
#include <cstring>

#include "log/RKLog.h"
#include "log/SafeFileName.h"
#include "res/resource.h"

namespace replika {

namespace {
const char kTraceInit[] = "CCopyUIDlg::OnInitDialog";
const char kBackupSuffix[] = ".bad";
// What a settings path holds beside the folder and the device ID, the backup's suffix included.
const size_t kNameOverhead = sizeof("\\D.xml.bad") - 1;

// The embedded default document; false when the resource is missing.
bool FindDefaultDocument(const void** ppBytes, DWORD* pcbBytes)
{
    HMODULE hModule = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hModule, MAKEINTRESOURCEA(IDR_DEFAULT_STATE), RES_TYPE_XML);
    HGLOBAL hLoaded = hResource ? ::LoadResource(hModule, hResource) : NULL;
    *ppBytes = hLoaded ? ::LockResource(hLoaded) : NULL;
    *pcbBytes = hResource ? ::SizeofResource(hModule, hResource) : 0;
    return *ppBytes != NULL && *pcbBytes != 0;
}

// A settings file about to be replaced is kept beside it as "<name>.bad" (one backup).
void KeepBeforeReplacing(const char* pszPath)
{
    if (::GetFileAttributesA(pszPath) == INVALID_FILE_ATTRIBUTES)
        return;
    char szBackup[MAX_PATH];
    int n = snprintf(szBackup, sizeof(szBackup), "%s%s", pszPath, kBackupSuffix);
    if (n < 0 || n >= static_cast<int>(sizeof(szBackup)))
        return;
    if (::MoveFileExA(pszPath, szBackup, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        g_pLog->LogWarning("%s - Kept the unreadable settings file as %s", kTraceInit, szBackup);
    else
        g_pLog->LogError("%s - Could not keep %s as %s (error %lu)", kTraceInit, pszPath, szBackup, ::GetLastError());
}

bool WriteWholeFile(HANDLE hFile, const void* pBytes, DWORD cbBytes)
{
    DWORD cbWritten = 0;
    return ::WriteFile(hFile, pBytes, cbBytes, &cbWritten, NULL) && cbWritten == cbBytes;
}
}  // namespace

// The device ID comes from outside: it is made a safe file-name part, cut (with a hash)
// so that the longest path, the backup, still fits.
bool CCopyUIDlg::FormSettingsFileNames()
{
    g_szDefaultFileName[0] = '\0';
    g_szFactoryFileName[0] = '\0';
    size_t cchFolder = strlen(g_szSettingsFolder);
    const size_t kShortestPart = 12;  // room for a cut name with its hash
    if (cchFolder + kNameOverhead + kShortestPart >= MAX_PATH) {
        g_pLog->LogError("%s - Settings folder too long for a file name: %s", kTraceInit, g_szSettingsFolder);
        return false;
    }
    char szDevicePart[MAX_PATH];
    RKSafeFileNamePart(m_cstrDeviceID, szDevicePart, MAX_PATH - cchFolder - kNameOverhead);
    snprintf(g_szDefaultFileName, sizeof(g_szDefaultFileName), "D%s.xml", szDevicePart);
    snprintf(g_szFactoryFileName, sizeof(g_szFactoryFileName), "F%s.xml", szDevicePart);
    return true;
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

// Both files from the embedded document, then the settings saved into each.
bool CCopyUIDlg::CreateSettingsFiles()
{
    char szDefaultPath[MAX_PATH], szFactoryPath[MAX_PATH];
    const void* pDocument = nullptr;
    DWORD cbDocument = 0;
    if (!SettingsFilePath(g_szDefaultFileName, szDefaultPath, sizeof(szDefaultPath)) ||
        !SettingsFilePath(g_szFactoryFileName, szFactoryPath, sizeof(szFactoryPath)) ||
        !FindDefaultDocument(&pDocument, &cbDocument))
        return false;

    KeepBeforeReplacing(szDefaultPath);
    HANDLE hFile = ::CreateFileA(szDefaultPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        g_pLog->LogError("XML file could not be created");
        return false;
    }
    bool bWritten = WriteWholeFile(hFile, pDocument, cbDocument);
    ::CloseHandle(hFile);
    if (!bWritten)
        g_pLog->LogError("%s - Could not write %s (error %lu)", kTraceInit, szDefaultPath, ::GetLastError());

    KeepBeforeReplacing(szFactoryPath);
    ::CopyFileA(szDefaultPath, szFactoryPath, FALSE);

    if (m_rkCopyState.SaveSettings(szDefaultPath))
        g_pLog->LogDetailedTrace("%s - Succesfully written to default XML", kTraceInit);
    else
        g_pLog->LogError("%s - Failed to write default XML", kTraceInit);
    if (m_rkCopyState.SaveSettings(szFactoryPath))
        g_pLog->LogDetailedTrace("%s - Succesfully written to factory XML", kTraceInit);
    else
        g_pLog->LogError("%s - Failed to write factory XML", kTraceInit);
    return true;
}

}  // namespace replika

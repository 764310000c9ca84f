#include "settings/SettingsFiles.h"

#include "log/RKLog.h"
#include "log/SafeFileName.h"
#include "settings/RKXML.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

char g_szSettingsFolder[MAX_PATH];
char g_szDefaultFileName[MAX_PATH];
char g_szFactoryFileName[MAX_PATH];

namespace replika {

namespace {
const size_t kLongestFileName = 255;
const size_t kNameFrame = sizeof("D.xml") - 1;

// Room for the device ID's part, terminator included: the path within MAX_PATH
// (folder, "\", name), the name within the longest a file name may be.
size_t DevicePartRoom(const char* pszFolder)
{
    size_t nUsed = strlen(pszFolder) + 1 + kNameFrame;
    if (nUsed >= MAX_PATH)
        return 0;
    return std::min(MAX_PATH - nUsed, kLongestFileName - kNameFrame + 1);
}

bool KeptCopyPath(const char* pszPath, char* pszKept, size_t cchKept)
{
    int n = snprintf(pszKept, cchKept, "%s.bad", pszPath);
    if (n > 0 && static_cast<size_t>(n) < cchKept)
        return true;
    size_t nLen = strlen(pszPath);
    if (nLen < 4 || nLen >= cchKept)
        return false;
    snprintf(pszKept, cchKept, "%.*s.bad", static_cast<int>(nLen - 4), pszPath);
    return true;
}
}  // namespace

// The name is taken as it is whenever it is a valid file name. ':' is not: it
// would name an NTFS stream of the file "D<before the colon>", so "CN:1" is
// made safe like an ID holding a separator.
bool FormSettingsFileNames(const char* pszFolder, const char* pszDeviceID, char* pszDefaultName,
                           char* pszFactoryName)
{
    pszDefaultName[0] = pszFactoryName[0] = '\0';
    const char* pszID = pszDeviceID ? pszDeviceID : "";
    size_t cchRoom = DevicePartRoom(pszFolder ? pszFolder : "");
    if (cchRoom == 0)
        return false;
    char szName[MAX_PATH];
    snprintf(szName, sizeof(szName), "D%s.xml", pszID);
    char szPart[MAX_PATH];
    if (strlen(pszID) < cchRoom && RKIsValidFileName(szName))
        lstrcpynA(szPart, pszID, sizeof(szPart));
    else
        RKSafeFileNamePart(pszID, szPart, cchRoom);
    if (szPart[0] == '\0' && pszID[0] != '\0')
        return false;
    snprintf(pszDefaultName, MAX_PATH, "D%s.xml", szPart);
    snprintf(pszFactoryName, MAX_PATH, "F%s.xml", szPart);
    return true;
}

bool IsReadableSettingsFile(const char* pszPath)
{
    CRKXML xml;
    bool bReadable = xml.Load(pszPath, 1) == 1;
    xml.Unload();
    return bReadable;
}

bool KeepUnreadableSettingsFile(const char* pszPath)
{
    if (GetFileAttributesA(pszPath) == INVALID_FILE_ATTRIBUTES || IsReadableSettingsFile(pszPath))
        return true;
    char szKept[MAX_PATH];
    if (KeptCopyPath(pszPath, szKept, sizeof(szKept)) && CopyFileA(pszPath, szKept, FALSE)) {
        g_pLog->LogWarning("Kept the unreadable settings file as %s", szKept);
        return true;
    }
    g_pLog->LogError("Could not keep the unreadable %s (error %lu)", pszPath, GetLastError());
    return false;
}

}  // namespace replika

#include "settings/FileReplace.h"

#include "log/RKLog.h"

#include <cstdio>
#include <cstring>

namespace replika {

namespace {
const char kTempPrefix[] = "~rk";

// The folder part of pszPath, without its last separator ("." when none).
void FolderOf(const char* pszPath, char* pszFolder, size_t cchFolder)
{
    lstrcpynA(pszFolder, pszPath, static_cast<int>(cchFolder));
    char* pszSlash = strrchr(pszFolder, '\\');
    char* pszForward = strrchr(pszFolder, '/');
    if (pszForward && (!pszSlash || pszForward > pszSlash))
        pszSlash = pszForward;
    if (pszSlash)
        *pszSlash = '\0';
    else
        lstrcpynA(pszFolder, ".", static_cast<int>(cchFolder));
    if (pszFolder[0] == '\0')
        lstrcpynA(pszFolder, "\\", static_cast<int>(cchFolder));
}

bool WriteWholeFile(const char* pszPath, const std::string& bytes)
{
    HANDLE hFile = CreateFileA(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    bool bOk =
        WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &dwWritten, NULL) && dwWritten == bytes.size();
    DWORD dwError = bOk ? ERROR_SUCCESS : GetLastError();
    bOk = FlushFileBuffers(hFile) && bOk;
    bOk = CloseHandle(hFile) && bOk;
    if (!bOk && dwError != ERROR_SUCCESS)
        SetLastError(dwError);
    return bOk;
}

// Another process may have the old file open for a moment (it loads it
// outside the save lock), so a refused rename is tried again for a while.
bool MoveOver(const char* pszTemp, const char* pszTarget)
{
    DWORD dwAttributes = GetFileAttributesA(pszTarget);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    for (int nTry = 0; nTry < 200; ++nTry) {
        if (MoveFileExA(pszTemp, pszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (!IsTransientShareError(GetLastError()))
            return false;
        Sleep(10);
    }
    return false;
}
}  // namespace

DWORD ReplaceFileWhole(const char* pszTarget, const std::string& bytes)
{
    char szFolder[MAX_PATH];
    char szTemp[MAX_PATH];
    FolderOf(pszTarget, szFolder, sizeof(szFolder));
    // A fresh, empty file in the target's folder, so that the final move is a rename.
    if (GetTempFileNameA(szFolder, kTempPrefix, 0, szTemp) == 0)
        return GetLastError();
    if (WriteWholeFile(szTemp, bytes) && MoveOver(szTemp, pszTarget))
        return ERROR_SUCCESS;
    DWORD dwError = GetLastError();
    DeleteFileA(szTemp);
    return dwError != ERROR_SUCCESS ? dwError : ERROR_WRITE_FAULT;
}

int RemoveLeftoverTempFiles(const char* pszTarget)
{
    char szFolder[MAX_PATH];
    char szPattern[MAX_PATH];
    FolderOf(pszTarget, szFolder, sizeof(szFolder));
    if (snprintf(szPattern, sizeof(szPattern), "%s\\%s*.tmp", szFolder, kTempPrefix) >= MAX_PATH)
        return 0;
    int nRemoved = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(szPattern, &data);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &data)) {
        char szLeftover[MAX_PATH];
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            snprintf(szLeftover, sizeof(szLeftover), "%s\\%s", szFolder, data.cFileName) >= MAX_PATH)
            continue;
        if (DeleteFileA(szLeftover)) {
            ++nRemoved;
            g_pLog->LogDetailedTrace("Removed %s, left by a save that did not finish", szLeftover);
        }
    }
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    return nRemoved;
}

}  // namespace replika

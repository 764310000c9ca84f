#include "settings/FileReplace.h"

#include "log/RKLog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace replika {

namespace {
const char kTempMark = '~';
const size_t kMaxTempDigits = 8;

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

// Writes and closes the file. The bytes are not flushed to the disk first:
// what a process wrote survives its kill, and the rename that follows makes
// the whole file appear at once; a flush cost more than the rest of a save.
bool WriteWholeFile(HANDLE hFile, const std::string& bytes)
{
    DWORD dwWritten = 0;
    bool bOk =
        WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &dwWritten, NULL) && dwWritten == bytes.size();
    DWORD dwError = bOk ? ERROR_SUCCESS : GetLastError();
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

// "~" and hex digits: a name of our own that no settings file has.
bool IsTempName(const char* pszName)
{
    size_t nDigits = strlen(pszName) - 1;
    return pszName[0] == kTempMark && nDigits >= 1 && nDigits <= kMaxTempDigits &&
           strspn(pszName + 1, "0123456789abcdef") == nDigits;
}

// A new, empty file in the target's folder, so that the final move is a
// rename. Its name is no longer than the target's, so that its path fits
// wherever the target's does.
HANDLE CreateTempBeside(const char* pszTarget, char* pszTemp, size_t cchTemp)
{
    char szFolder[MAX_PATH];
    FolderOf(pszTarget, szFolder, sizeof(szFolder));
    size_t nTargetName = strlen(pszTarget) - strlen(szFolder);  // the separator included
    size_t nDigits = nTargetName > 2 ? std::min(nTargetName - 2, kMaxTempDigits) : 1;
    static LONG s_nCount = 0;
    unsigned nSeed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
    for (int nTry = 0; nTry < 64; ++nTry) {
        unsigned nValue = (nSeed + static_cast<unsigned>(InterlockedIncrement(&s_nCount)) * 40503u) * 2246822519u;
        int n = snprintf(pszTemp, cchTemp, "%s\\%c%0*x", szFolder, kTempMark, static_cast<int>(nDigits),
                         nValue >> (32 - 4 * nDigits));
        if (n < 0 || static_cast<size_t>(n) >= cchTemp) {
            SetLastError(ERROR_FILENAME_EXCED_RANGE);
            return INVALID_HANDLE_VALUE;
        }
        HANDLE hFile = CreateFileA(pszTemp, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return hFile;
    }
    return INVALID_HANDLE_VALUE;
}
}  // namespace

DWORD ReplaceFileWhole(const char* pszTarget, const std::string& bytes)
{
    char szTemp[MAX_PATH];
    HANDLE hFile = CreateTempBeside(pszTarget, szTemp, sizeof(szTemp));
    if (hFile == INVALID_HANDLE_VALUE)
        return GetLastError();
    if (WriteWholeFile(hFile, bytes) && MoveOver(szTemp, pszTarget))
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
    if (snprintf(szPattern, sizeof(szPattern), "%s\\%c*", szFolder, kTempMark) >= MAX_PATH)
        return 0;
    int nRemoved = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(szPattern, &data);
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = FindNextFileA(hFind, &data)) {
        char szLeftover[MAX_PATH];
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsTempName(data.cFileName) ||
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

#include "copier/common/CopierLog.h"

#include <windows.h>
#include <shlobj.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace {
// One write per line with append access: lines of several processes never interleave.
void AppendLine(const std::string& path, const char* pszLine, DWORD cb)
{
    HANDLE hFile = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        size_t slash = path.find_last_of('\\');
        if (slash == std::string::npos)
            return;
        SHCreateDirectoryExA(NULL, path.substr(0, slash).c_str(), NULL);
        hFile = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return;
    }
    DWORD written = 0;
    WriteFile(hFile, pszLine, cb, &written, NULL);
    CloseHandle(hFile);
}
}  // namespace

std::string CopierLogPath()
{
    char szPath[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("QVCOPIER_LOG", szPath, sizeof(szPath));
    if (n > 0 && n < sizeof(szPath))
        return szPath;
    if (!SHGetSpecialFolderPathA(NULL, szPath, CSIDL_LOCAL_APPDATA, FALSE))
        return std::string();
    return std::string(szPath) + "\\QV\\Copier\\copier.log";
}

void CopierLog(const char* pszFormat, ...)
{
    char szLine[1024];
    SYSTEMTIME now;
    GetLocalTime(&now);
    int prefix = snprintf(szLine, sizeof(szLine), "%04u-%02u-%02u %02u:%02u:%02u.%03u [%lu:%lu] ", now.wYear,
                          now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                          (unsigned long)GetCurrentProcessId(), (unsigned long)GetCurrentThreadId());
    if (prefix < 0)
        prefix = 0;
    va_list args;
    va_start(args, pszFormat);
    vsnprintf(szLine + prefix, sizeof(szLine) - prefix - 2, pszFormat, args);
    va_end(args);
    size_t cb = strlen(szLine);
    szLine[cb++] = '\r';
    szLine[cb++] = '\n';
    szLine[cb] = '\0';
    OutputDebugStringA(szLine);
    std::string path = CopierLogPath();
    if (!path.empty())
        AppendLine(path, szLine, (DWORD)cb);
}

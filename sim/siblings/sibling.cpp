// A stand-in sibling program (QV_SIBLING_PROGRAM names it): each start appends one line,
// "<program>\t<command line>", to launched.log in %QVSIM_DIR% or C:\ProgramData\QVSim.
#include <windows.h>
#include <stdio.h>

static bool AppendLaunchRecord(const char* pszProgram)
{
    char szDir[MAX_PATH] = "";
    DWORD n = GetEnvironmentVariableA("QVSIM_DIR", szDir, sizeof(szDir));
    if (n == 0 || n >= sizeof(szDir)) {
        lstrcpynA(szDir, "C:\\ProgramData\\QVSim", sizeof(szDir));
        CreateDirectoryA("C:\\ProgramData", NULL);
    }
    CreateDirectoryA(szDir, NULL);
    char szPath[MAX_PATH];
    if (snprintf(szPath, sizeof(szPath), "%s\\launched.log", szDir) >= (int)sizeof(szPath))
        return false;
    // Two starts may race: the append handle keeps whole lines apart.
    HANDLE h = CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const char* pszCmd = GetCommandLineA();
    DWORD written = 0;
    bool ok = WriteFile(h, pszProgram, lstrlenA(pszProgram), &written, NULL) && WriteFile(h, "\t", 1, &written, NULL) &&
              WriteFile(h, pszCmd, lstrlenA(pszCmd), &written, NULL) && WriteFile(h, "\r\n", 2, &written, NULL);
    CloseHandle(h);
    return ok;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AppendLaunchRecord(QV_SIBLING_PROGRAM) ? 0 : 1; }

// qvkspr08.dll, the help library installed with the program. Its one export opens the user's
// guide, docs\guide.html in the library's own folder, with the shell (the user's browser).
// Whatever goes wrong is written to the debugger output; the caller is never disturbed.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

namespace {

const char kGuide[] = "docs\\guide.html";

void Report(const char* pszWhat, const char* pszPath)
{
    char szLine[MAX_PATH + 96];
    snprintf(szLine, sizeof(szLine), "qvkspr08: %s: %s\n", pszWhat, pszPath);
    OutputDebugStringA(szLine);
}

// The guide beside this library; false when the path does not fit.
bool GuidePath(char* pszPath, DWORD cchPath)
{
    HMODULE hSelf = NULL;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&GuidePath), &hSelf))
        return false;
    DWORD n = GetModuleFileNameA(hSelf, pszPath, cchPath);
    char* pszSlash = n > 0 && n < cchPath ? strrchr(pszPath, '\\') : NULL;
    if (!pszSlash || (size_t)(pszSlash + 1 - pszPath) + sizeof(kGuide) > cchPath)
        return false;
    memcpy(pszSlash + 1, kGuide, sizeof(kGuide));
    return true;
}

}  // namespace

// Exported as "_SprigHandleHelpButton@12": (owner window or none, reserved, topic). The guide
// is one page for every topic. Returns 1 when the shell took the page, else 0.
extern "C" int WINAPI SprigHandleHelp(HWND hWnd, int /*nReserved*/, int /*nTopic*/)
{
    char szPage[MAX_PATH];
    if (!GuidePath(szPage, sizeof(szPage))) {
        Report("the guide's path cannot be formed", "");
        return 0;
    }
    if (GetFileAttributesA(szPage) == INVALID_FILE_ATTRIBUTES) {
        Report("the guide is missing", szPage);
        return 0;
    }
    // Some shell handlers want COM on the calling thread; the caller's apartment stays as it was.
    HRESULT hrCom = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HWND hOwner = hWnd && IsWindow(hWnd) ? hWnd : NULL;
    INT_PTR nResult = (INT_PTR)ShellExecuteA(hOwner, "open", szPage, NULL, NULL, SW_SHOWNORMAL);
    if (SUCCEEDED(hrCom))
        CoUninitialize();
    if (nResult <= 32) {
        Report("the shell could not open the guide", szPage);
        return 0;
    }
    return 1;
}

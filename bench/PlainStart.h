// What the plain template programs do before they show template 102: common controls 6,
// then the resource library beside the program, as the copy program loads it.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <string.h>

// The resource library's instance, or the program's own when the library is missing.
inline HINSTANCE StartPlainProgram(HINSTANCE hInstance)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    char szPath[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(hInstance, szPath, sizeof(szPath));
    char* pszSlash = n > 0 && n < sizeof(szPath) ? strrchr(szPath, '\\') : NULL;
    if (pszSlash && (size_t)(pszSlash - szPath) + sizeof("\\copy2.dll") <= sizeof(szPath)) {
        lstrcpynA(pszSlash, "\\copy2.dll", (int)(sizeof(szPath) - (size_t)(pszSlash - szPath)));
        if (HINSTANCE hLibrary = LoadLibraryA(szPath))
            return hLibrary;
    }
    return hInstance;
}

// A plain Win32 program that shows the copy dialog's template (102) from copy2.dll with
// common controls 6 and nothing else: measured against it, the start-up time shows what
// the program's own start-up adds to showing its dialog.
#include <windows.h>
#include <commctrl.h>

static INT_PTR CALLBACK TemplateDialogProc(HWND hDlg, UINT uMsg, WPARAM, LPARAM)
{
    if (uMsg == WM_INITDIALOG)
        return TRUE;
    if (uMsg == WM_CLOSE) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // The resource library beside the program, as the copy program loads it.
    char szPath[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(hInstance, szPath, sizeof(szPath));
    char* pszSlash = n > 0 && n < sizeof(szPath) ? strrchr(szPath, '\\') : NULL;
    HINSTANCE hResources = hInstance;
    if (pszSlash && (size_t)(pszSlash - szPath) + sizeof("\\copy2.dll") <= sizeof(szPath)) {
        lstrcpynA(pszSlash, "\\copy2.dll", (int)(sizeof(szPath) - (size_t)(pszSlash - szPath)));
        if (HINSTANCE hLibrary = LoadLibraryA(szPath))
            hResources = hLibrary;
    }
    return (int)DialogBoxParamA(hResources, MAKEINTRESOURCEA(102), NULL, TemplateDialogProc, 0);
}

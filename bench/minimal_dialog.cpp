// The yardstick for start-up time: a plain Win32 program that shows one empty dialog.
#include <windows.h>

static INT_PTR CALLBACK EmptyDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    if (uMsg == WM_INITDIALOG)
        return TRUE;
    if (uMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    if (uMsg == WM_CLOSE) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // A template with no controls, built in memory: DLGTEMPLATE, then empty menu,
    // class and title arrays.
    struct
    {
        DLGTEMPLATE dlg;
        WORD wMenu, wClass, wTitle;
    } tmpl;
    ZeroMemory(&tmpl, sizeof(tmpl));
    tmpl.dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_CENTER;
    tmpl.dlg.cx = 200;
    tmpl.dlg.cy = 100;
    return (int)DialogBoxIndirectParamA(hInstance, &tmpl.dlg, NULL, EmptyDialogProc, 0);
}

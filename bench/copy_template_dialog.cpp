// A plain Win32 program that shows the copy dialog's template (102) and nothing else:
// measured against it, the start-up time shows what the program's own start-up adds.
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
    return (int)DialogBoxParamA(hInstance, MAKEINTRESOURCEA(102), NULL, TemplateDialogProc, 0);
}

// A plain Win32 program that shows the copy dialog's template (102) from copy2.dll with
// common controls 6 and nothing else: measured against it, the start-up time shows what
// the program's own start-up adds to showing its dialog.
#include "bench/PlainStart.h"

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
    HINSTANCE hResources = StartPlainProgram(hInstance);
    return (int)DialogBoxParamA(hResources, MAKEINTRESOURCEA(102), NULL, TemplateDialogProc, 0);
}

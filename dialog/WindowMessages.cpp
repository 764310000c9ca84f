// The copy dialog's window messages: what happens before the message map (the start
// location on destroy, the contrast slider's scroll), the Enter and Escape keys, help,
// resume from standby, the system menu, painting while minimised and the instance probe.
#include "dialog/CopyUIDlg.h"

#include "dialog/DialogHost.h"

#include "records/AppGlobals.h"
#include "res/resource.h"

namespace replika {

LRESULT CCopyUIDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        SaveStartLocation();
    else if (message == WM_HSCROLL && lParam != 0 && ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_SLD_CONTRAST)
        OnSliderScroll(LOWORD(wParam));
    return CDialog::WindowProc(message, wParam, lParam);
}

// Enter presses only the buttons whose caption is one of these texts; Escape never closes.
BOOL CCopyUIDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        pMsg->wParam = 0;
    } else if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        static const struct
        {
            UINT nIDCaption;
            void (CCopyUIDlg::*pfnAction)();
        } kEnterActions[] = {
            {IDS_KEY_HELP, &CCopyUIDlg::OnBtnHelp},
            {IDS_KEY_CLOSE, &CCopyUIDlg::OnClose},
            {IDS_KEY_RESTORE_FACTORY, &CCopyUIDlg::OnBtnRestoreFactory},
            {IDS_KEY_SAVE, &CCopyUIDlg::OnBtnSave},
            {IDS_KEY_BLACK, &CCopyUIDlg::OnBtnBlack},
            {IDS_KEY_COLOR, &CCopyUIDlg::OnBtnColor},
        };
        char szFocusText[MAX_PATH] = "";
        if (HWND hFocus = ::GetFocus())
            ::GetWindowTextA(hFocus, szFocusText, sizeof(szFocusText));
        for (const auto& action : kEnterActions) {
            CString cstrCaption;
            cstrCaption.LoadString(action.nIDCaption);
            if (lstrcmpiA(szFocusText, cstrCaption) == 0) {
                (this->*action.pfnAction)();
                return TRUE;
            }
        }
        pMsg->wParam = 0;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CCopyUIDlg::WinHelp(DWORD_PTR, UINT) { OnBtnHelp(); }

UINT CCopyUIDlg::OnPowerBroadcast(UINT nPowerEvent, LPARAM)
{
    bool bResumed = nPowerEvent == PBT_APMRESUMECRITICAL || nPowerEvent == PBT_APMRESUMESUSPEND ||
                    nPowerEvent == PBT_APMRESUMEAUTOMATIC;
    if (bResumed && m_pCopyAPI)
        m_pCopyAPI->StartMonitoring();
    return 0;
}

void CCopyUIDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        ShowAboutBox();
    else
        CDialog::OnSysCommand(nID, lParam);
}

void CCopyUIDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (rect.bottom - rect.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

HCURSOR CCopyUIDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CCopyUIDlg::OnLButtonDown(UINT, CPoint) { Default(); }

void CCopyUIDlg::OnRButtonUp(UINT, CPoint)
{
    ShowAboutBox();
    Default();
}

void CCopyUIDlg::ShowAboutBox()
{
    if (IDialogHost* pHost = DialogHost())
        pHost->ShowAboutBox();
}

LRESULT CCopyUIDlg::OnInstanceProbe(WPARAM, LPARAM) { return g_uInstanceProbeMsg; }

void CCopyUIDlg::OnClose() { Default(); }

}  // namespace replika

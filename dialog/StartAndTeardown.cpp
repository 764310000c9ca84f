// The copy dialog's initialisation in its fixed order, with its two ending failures and
// the unbound case, and its teardown.
#include "dialog/CopyUIDlg.h"

#include <gdiplus.h>

#include "dialog/DialogHost.h"
#include "log/RKLog.h"
#include "res/resource.h"
#include "status/ProcessMessage.h"
#include "status/StatusDlg.h"

namespace replika {

void CCopyUIDlg::InitSystemMenu()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu == NULL)
        return;
    CString cstrAbout;
    cstrAbout.LoadString(IDS_ABOUTBOX);
    if (!cstrAbout.IsEmpty()) {
        pSysMenu->AppendMenu(MF_SEPARATOR);
        pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, cstrAbout);
    }
    for (UINT nCommand : {SC_SIZE, SC_MAXIMIZE, SC_RESTORE})
        pSysMenu->EnableMenuItem(nCommand, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
}

void CCopyUIDlg::InitSpinsAndContrast()
{
    m_spnCopies.SetBuddy(&m_edbCopies);
    m_spnScale.SetBuddy(&m_edbScale);
    m_sldContrast.SetTicFreq(10);
    m_sldContrast.SetRange(0, 100, TRUE);
    m_sldContrast.SetLineSize(10);
    m_sldContrast.SetPageSize(10);
    m_stcLight.ShowWindow(SW_SHOW);
    m_stcDark.ShowWindow(SW_SHOW);
}

// A start failure the user must see: the status message, then the quit message.
void CCopyUIDlg::ShowStartFailure(UINT nIDMessage)
{
    CString cstrMessage, cstrOK;
    cstrMessage.LoadString(nIDMessage);
    cstrOK.LoadString(IDS_OK);
    CStatusDlg dlg(NULL, cstrMessage, cstrOK, CString(), 1, 0, m_cstrTitle);
    dlg.DoModal();
    ::PostQuitMessage(0);
}

BOOL CCopyUIDlg::OnInitDialog()
{
    delete m_pCopierFunctional;
    m_pCopierFunctional = nullptr;
    m_pUsageStorage.Release();
    m_pVela.Release();
    CDialog::OnInitDialog();
    bool bRelayToolTips = false;
    {
        CRKTraceScope trace(kTraceInit);  // its exit record closes the bound part, before the tooltips

        InitSystemMenu();
        m_stcLight.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
        m_stcDark.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
        AttachGroupBoxes();

        Gdiplus::GdiplusStartupInput gdiplusInput;
        if (Gdiplus::GdiplusStartup(&m_ulGdiplusToken, &gdiplusInput, NULL) != Gdiplus::Ok)
            m_ulGdiplusToken = 0;
        GetClientRect(&m_rcClient);

        AttachCaptions();
        if (HWND hPaperGroup = ::GetDlgItem(m_hWnd, IDC_GRP_PAPER))
            ::SetWindowLongPtrA(hPaperGroup, GWL_EXSTYLE,
                                ::GetWindowLongPtrA(hPaperGroup, GWL_EXSTYLE) & ~WS_EX_LAYOUTRTL);
        LayOutFrames();
        SetUpPictureButtons();
        m_stcCopyInProgress.ShowWindow(SW_HIDE);
        LoadBandsAndPictures();
        InitBusyDisplay();

        SetIcon(m_hIcon, TRUE);
        SetIcon(m_hIcon, FALSE);
        InitSpinsAndContrast();

        bRelayToolTips = BindDeviceAndLoadSettings();
    }
    InitializeToolTip();
    if (bRelayToolTips && m_pToolTip != nullptr)
        if (IDialogHost* pHost = DialogHost())
            pHost->SetToolTipRelay(m_hWnd, m_pToolTip);
    if (m_bBorderlessCapable == 0)
        HideBorderlessChoice();
    return TRUE;
}

// Returns false when the dialog is ending (its quit message is posted); an unparsable
// context ID leaves it open without a device.
bool CCopyUIDlg::BindDeviceAndLoadSettings()
{
    if (!ParseContextID(m_cstrCtxID, m_cstrManfctr, m_cstrProduct, m_cstrDeviceID)) {
        g_pLog->LogError("Failed to parse ContextID = %s", (LPCSTR)m_cstrCtxID);
        return true;
    }
    RegisterDeviceEvents();
    StartWorkerThread();

    GetWindowText(m_cstrTitle);
    if (IDialogHost* pHost = DialogHost())
        m_cstrTitle += pHost->TitleSuffix();
    SetWindowText(m_cstrTitle);

    if (FAILED(InitializeAPI())) {
        g_pLog->LogError("Failed to initialize API layer");
        ShowStartFailure(IDS_ERR_NOT_RESPONDING);
        return false;
    }
    if (m_pEventTarget)
        m_pEventTarget->SetDevice(m_pCopyAPI);
    g_pLog->LogDetailedTrace("%s%s %s%s %s%s %s%s %s%s",
                             "Parsed context id sucessfully m_cstrCtxID =", (LPCSTR)m_cstrCtxID,
                             "m_cstrProtocol =", (LPCSTR)m_cstrProtocol, "m_cstrManfctr =", (LPCSTR)m_cstrManfctr,
                             "m_cstrProduct =", (LPCSTR)m_cstrProduct, "m_cstrDeviceID =", (LPCSTR)m_cstrDeviceID);
    FormSettingsFileNames();
    g_pLog->LogDetailedTrace("%s%s", "Default XML filename =", g_szDefaultFileName);
    g_pLog->LogDetailedTrace("%s%s", "Factory XML filename =", g_szFactoryFileName);
    SetDefaultState();

    if (!FillCombos()) {
        g_pLog->LogError("Failed to Initialize Combos");
        UINT nIDMessage = CRKGUIError::ErrorIndexToStringId(m_rkGUIError.GetErrorIndex());
        m_rkGUIError.Reset();
        ShowStartFailure(nIDMessage);
        return false;
    }
    if (m_pCopierFunctional)
        m_nConstraintMask = m_pCopierFunctional->nConstraintMask;
    LoadOrCreateSettings();
    ValidateState();
    PreInitializeUI();
    ApplyPaperSelections();
    UIConstraints(m_nConstraintMask);
    if (m_pCopyAPI)
        m_pCopyAPI->StartMonitoring();
    return true;
}

void CCopyUIDlg::OnDestroy()
{
    CRKTraceScope trace("CCopyUIDlg::OnDestroy");
    CDialog::OnDestroy();
    if (m_hHelpThread) {
        ::CloseHandle(m_hHelpThread);
        m_hHelpThread = nullptr;
    }
    StopWorkerThread();  // first: from here the worker leaves the dialog and its records alone
    delete m_pCopierFunctional;
    m_pCopierFunctional = nullptr;
    FreeEventBuffers();
    if (m_pCopyAPI) {
        m_pCopyAPI->Shutdown();
        m_pCopyAPI.Release();
    }
    delete m_pToolTip;
    m_pToolTip = nullptr;
    m_pUsageStorage.Release();
    m_pVela.Release();
    FreeMediaItemData();
    ReleasePictures();
    if (m_ulGdiplusToken)
        Gdiplus::GdiplusShutdown(m_ulGdiplusToken);
    m_ulGdiplusToken = 0;
}

void CCopyUIDlg::PostNcDestroy()
{
    CRKTraceScope trace("CCopyUIDlg::PostNcDestroy");
    if (IDialogHost* pHost = DialogHost())
        pHost->SetToolTipRelay(NULL, NULL);
    CDialog::PostNcDestroy();
}

}  // namespace replika

#include "framework/afximpl.h"

// --- message-filter hook: modal loops of the system and of CDialog ----------

static thread_local HHOOK t_hHookMsgFilter;
static thread_local int t_nMsgFilterRefs;

static LRESULT CALLBACK AfxMsgFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && lParam) {
        CWinThread* pThread = AfxGetThread();
        try {
            if (pThread && pThread->ProcessMessageFilter(code, (LPMSG)lParam))
                return 1;
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    return ::CallNextHookEx(t_hHookMsgFilter, code, wParam, lParam);
}

void AfxHookMsgFilter()
{
    if (t_nMsgFilterRefs++ == 0)
        t_hHookMsgFilter = ::SetWindowsHookExA(WH_MSGFILTER, AfxMsgFilterHook, NULL, ::GetCurrentThreadId());
}

void AfxUnhookMsgFilter()
{
    if (--t_nMsgFilterRefs == 0 && t_hHookMsgFilter) {
        ::UnhookWindowsHookEx(t_hHookMsgFilter);
        t_hHookMsgFilter = NULL;
    }
}

// --- CDialog -------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
ON_MESSAGE(WM_HELP, &CDialog::HandleHelp)
END_MESSAGE_MAP()

// The dialog procedure only starts the dialog: every other message reaches
// the object through its window procedure (bound at creation).
static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg)
        return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return TRUE;
}

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_hDialogTemplate(NULL), m_pParentWnd(NULL), m_nModalResult(-1), m_bContinueModal(FALSE)
{}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    m_pParentWnd = pParentWnd;
}

CDialog::~CDialog()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_lpszTemplateName = NULL;
    m_pParentWnd = pParentWnd;
    return hDialogTemplate != NULL;
}

static LPCDLGTEMPLATE LoadDialogTemplate(HINSTANCE hInst, LPCSTR lpszTemplateName)
{
    HRSRC hRsrc = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
    if (!hRsrc)
        return NULL;
    HGLOBAL hRes = ::LoadResource(hInst, hRsrc);
    return hRes ? (LPCDLGTEMPLATE)::LockResource(hRes) : NULL;
}

// The window a modal dialog disables: the given parent, else the
// application's main window, taken at its top level.
HWND CDialog::GetModalOwner() const
{
    HWND hWnd = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    if (!hWnd) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain != this && pMain->m_hWnd && ::IsWindow(pMain->m_hWnd))
            hWnd = pMain->m_hWnd;
    }
    while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (hWnd && !m_pParentWnd)
        hWnd = ::GetLastActivePopup(hWnd);
    return hWnd;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst)
{
    if (m_hWnd)
        return FALSE;
    AfxInitCommonControls();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, hWndParent, AfxDlgProc, (LPARAM)this);
    AfxUnhookWindowCreate();
    if (!hWnd)
        return FALSE;
    if (m_hWnd != hWnd) {  // the hook missed it: too late for WM_INITDIALOG
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpTemplate = NULL;
    if (m_lpszTemplateName)
        lpTemplate = LoadDialogTemplate(hInst, m_lpszTemplateName);
    else if (m_hDialogTemplate)
        lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(m_hDialogTemplate);
    if (!lpTemplate)
        return -1;

    HWND hWndOwner = GetModalOwner();
    BOOL bEnableOwner = FALSE;
    if (hWndOwner && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    AfxHookMsgFilter();
    if (CreateDlgIndirect(lpTemplate, hWndOwner, hInst) && m_bContinueModal) {
        if (!(GetStyle() & WS_VISIBLE))
            ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    AfxUnhookMsgFilter();
    m_bContinueModal = FALSE;

    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        if (hWndOwner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hWndOwner);
        DestroyWindow();
    }
    if (m_hDialogTemplate)
        ::GlobalUnlock(m_hDialogTemplate);
    return m_nModalResult;
}

// Runs until EndDialog; a quit message ends it too (result -1) and is posted
// again for the loop outside.
void CDialog::RunModalLoop()
{
    while (m_bContinueModal) {
        MSG msg;
        BOOL bGot = ::GetMessageA(&msg, NULL, 0, 0);
        if (bGot == -1)
            break;
        if (!bGot) {
            ::PostQuitMessage((int)msg.wParam);
            m_nModalResult = -1;
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    if (m_bContinueModal) {
        m_nModalResult = nResult;
        ::InterlockedExchange(&m_bContinueModal, FALSE);
        if (m_hWnd)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the loop
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd ? pParentWnd->m_hWnd : NULL, AfxGetResourceHandle());
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

// Keyboard and mouse input goes through the dialog manager (which also
// calls the message filter, MSGF_DIALOGBOX).
BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
        (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

LRESULT CDialog::HandleHelp(WPARAM, LPARAM)
{
    WinHelp(0, HELP_CONTEXT);
    return TRUE;
}

// --- dialog data exchange ------------------------------------------------------

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!hWnd)
        Fail();
    return hWnd;
}

void CDataExchange::Fail() { throw new CUserException; }

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWnd))
        pDX->Fail();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        CWnd::FromHandle(hWnd)->GetWindowText(value);
    else
        ::SetWindowTextA(hWnd, value);
}

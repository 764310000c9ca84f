#include "status/ProcessMessage.h"

#include "res/resource.h"
#include "status/DeviceEventNames.h"

UINT CProcessMessage::s_uPaperInADFMsg = 0;
UINT CProcessMessage::s_uDeviceBusyMsg = 0;
UINT CProcessMessage::s_uInkLowMsg = 0;
UINT CProcessMessage::s_uDeviceDisconnectMsg = 0;

// Feeder states reported by the device.
static const WPARAM kFeederEmpty = 0;
static const WPARAM kFeederLoaded = 16;

void CFeederEventTarget::SetDevice(const CComPtr<ICopyAPI>& pDevice)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_pDevice = pDevice;
}

CComPtr<ICopyAPI> CFeederEventTarget::Device() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_pDevice;
}

// Posting never waits for the dialog, so the lock is held only for a moment.
bool CFeederEventTarget::PostOutcome(WPARAM nFeederState, LPARAM nDocInADF) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_hDlg != NULL && ::PostMessageA(m_hDlg, WM_FEEDER_OUTCOME, nFeederState, nDocInADF);
}

void CFeederEventTarget::LetGo()
{
    CComPtr<ICopyAPI> pDevice;  // released outside the lock: a thread in a device call keeps its own
    std::lock_guard<std::mutex> hold(m_lock);
    m_hDlg = NULL;
    m_pDlg = NULL;
    pDevice = std::move(m_pDevice);
}

static std::mutex s_targetLock;
static std::shared_ptr<CFeederEventTarget> s_pTarget;

void SetEventTarget(std::shared_ptr<CFeederEventTarget> pTarget)
{
    std::lock_guard<std::mutex> hold(s_targetLock);
    s_pTarget.swap(pTarget);
}

void ReleaseEventTarget(std::shared_ptr<CFeederEventTarget>& pTarget)
{
    if (pTarget)
        pTarget->LetGo();
    SetEventTarget(nullptr);
    pTarget.reset();
}

bool EndStatusThread(DWORD dwThreadID, HANDLE hThread, DWORD dwWaitMs)
{
    ::PostThreadMessageA(dwThreadID, WM_DESTROY, 0, 0);
    return hThread != NULL && ::WaitForSingleObject(hThread, dwWaitMs) == WAIT_OBJECT_0;
}

static std::shared_ptr<CFeederEventTarget> CurrentEventTarget()
{
    std::lock_guard<std::mutex> hold(s_targetLock);
    return s_pTarget;
}

static const int kKeepCheck = -1;

static void SetButton(HWND hDlg, int nID, BOOL bEnable, int nCheck)
{
    HWND hButton = ::GetDlgItem(hDlg, nID);
    if (nCheck >= 0)
        ::SendMessageA(hButton, BM_SETCHECK, nCheck, 0);
    ::EnableWindow(hButton, bEnable);
}

bool ApplyFeederState(HWND hDlg, WPARAM nFeederState)
{
    BOOL bBorderlessShown = ::IsWindowVisible(::GetDlgItem(hDlg, IDC_RBN_BORDERLESS));
    if (nFeederState == kFeederLoaded) {
        SetButton(hDlg, IDC_RBN_FIT_TO_PAGE, TRUE, kKeepCheck);
        SetButton(hDlg, IDC_RBN_ACTUAL_SIZE, TRUE, BST_UNCHECKED);
        if (bBorderlessShown)
            SetButton(hDlg, IDC_RBN_BORDERLESS, TRUE, kKeepCheck);
        return false;
    }
    if (nFeederState != kFeederEmpty)
        return false;
    SetButton(hDlg, IDC_RBN_FIT_TO_PAGE, FALSE, BST_UNCHECKED);
    SetButton(hDlg, IDC_RBN_ACTUAL_SIZE, TRUE, BST_UNCHECKED);
    if (bBorderlessShown)
        SetButton(hDlg, IDC_RBN_BORDERLESS, FALSE, BST_UNCHECKED);
    ::SendMessageA(::GetDlgItem(hDlg, IDC_RBN_CUSTOM_SIZE), BM_SETCHECK, BST_CHECKED, 0);
    return true;
}

IMPLEMENT_DYNCREATE(CProcessMessage, CWinThread)

BEGIN_MESSAGE_MAP(CProcessMessage, CWinThread)
ON_REGISTERED_THREAD_MESSAGE(CProcessMessage::s_uPaperInADFMsg, &CProcessMessage::OnPaperInADF)
ON_REGISTERED_THREAD_MESSAGE(CProcessMessage::s_uDeviceBusyMsg, &CProcessMessage::OnIgnoredEvent)
ON_REGISTERED_THREAD_MESSAGE(CProcessMessage::s_uInkLowMsg, &CProcessMessage::OnIgnoredEvent)
ON_REGISTERED_THREAD_MESSAGE(CProcessMessage::s_uDeviceDisconnectMsg, &CProcessMessage::OnIgnoredEvent)
ON_THREAD_MESSAGE(WM_DESTROY, &CProcessMessage::OnEndThread)
END_MESSAGE_MAP()

CProcessMessage::CProcessMessage()
{
    // The names carry the context ID by now, so these numbers equal the dialog's.
    s_uPaperInADFMsg = ::RegisterWindowMessageA(g_szPaperInADFMsg);
    s_uDeviceBusyMsg = ::RegisterWindowMessageA(g_szDeviceBusyMsg);
    s_uInkLowMsg = ::RegisterWindowMessageA(g_szInkLowMsg);
    s_uDeviceDisconnectMsg = ::RegisterWindowMessageA(g_szDeviceDisconnectMsg);
}

BOOL CProcessMessage::InitInstance() { return TRUE; }

int CProcessMessage::ExitInstance() { return CWinThread::ExitInstance(); }

// The device is asked here, on this thread, whether an original is in the feeder: a slow
// or stuck device holds up this thread only. The dialog applies the outcome on its own.
void CProcessMessage::OnPaperInADF(WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<CFeederEventTarget> pTarget = CurrentEventTarget();
    if (!pTarget || !pTarget->IsFor(reinterpret_cast<CWnd*>(lParam)))
        return;
    if (wParam != kFeederEmpty && wParam != kFeederLoaded)
        return;
    LPARAM nDocInADF = kFeederNotAsked;
    if (wParam == kFeederEmpty)
        if (CComPtr<ICopyAPI> pDevice = pTarget->Device()) {
            LONG bDocInADF = 0;
            nDocInADF = SUCCEEDED(pDevice->GetDocInADF(&bDocInADF)) && bDocInADF == 1;
        }
    pTarget->PostOutcome(wParam, nDocInADF);
}

void CProcessMessage::OnIgnoredEvent(WPARAM, LPARAM) {}

void CProcessMessage::OnEndThread(WPARAM, LPARAM) { AfxEndThread(0); }

#include "status/ProcessMessage.h"

#include <atomic>

#include "res/resource.h"
#include "status/DeviceEventNames.h"

UINT CProcessMessage::s_uPaperInADFMsg = 0;
UINT CProcessMessage::s_uDeviceBusyMsg = 0;
UINT CProcessMessage::s_uInkLowMsg = 0;
UINT CProcessMessage::s_uDeviceDisconnectMsg = 0;

// Feeder states reported by the device.
static const WPARAM FEEDER_EMPTY = 0;
static const WPARAM FEEDER_LOADED = 16;

static PFN_CUSTOM_SIZE_HANDLER s_pfnCustomSize = NULL;

void SetCustomSizeHandler(PFN_CUSTOM_SIZE_HANDLER pfnHandler) { s_pfnCustomSize = pfnHandler; }

static std::atomic<CWnd*> s_pEventTarget{NULL};
static std::atomic<int> s_nEventsInHand{0};

// A feeder event in hand for as long as the object lives. It may act on the dialog only
// if the dialog was still the target once the event was counted: the dialog clears the
// target first and then waits for the count, so one of the two always sees the other.
class EventInHand
{
public:
    explicit EventInHand(CWnd* pCopyDlg)
    {
        ++s_nEventsInHand;
        m_bMayAct = pCopyDlg != NULL && s_pEventTarget.load() == pCopyDlg;
    }
    ~EventInHand() { --s_nEventsInHand; }
    bool MayAct() const { return m_bMayAct; }

private:
    bool m_bMayAct;
};

void SetEventTarget(CWnd* pCopyDlg) { s_pEventTarget = pCopyDlg; }

void ReleaseEventTarget()
{
    s_pEventTarget = NULL;
    while (s_nEventsInHand.load() != 0) {
        // The handler may be waiting for this thread to answer a sent message.
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 1, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// The dialog lives on another thread: its buttons are reached by sent messages only.
static void SetButton(HWND hDlg, int nID, BOOL bEnable, int nCheck)
{
    HWND hButton = ::GetDlgItem(hDlg, nID);
    if (nCheck >= 0)
        ::SendMessageA(hButton, BM_SETCHECK, nCheck, 0);
    ::EnableWindow(hButton, bEnable);
}

static const int KEEP_CHECK = -1;

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

void CProcessMessage::OnPaperInADF(WPARAM wParam, LPARAM lParam)
{
    CWnd* pCopyDlg = reinterpret_cast<CWnd*>(lParam);
    EventInHand event(pCopyDlg);
    if (!event.MayAct())
        return;
    HWND hDlg = pCopyDlg->GetSafeHwnd();
    BOOL bBorderlessShown = ::IsWindowVisible(::GetDlgItem(hDlg, IDC_RBN_BORDERLESS));
    if (wParam == FEEDER_LOADED) {
        SetButton(hDlg, IDC_RBN_FIT_TO_PAGE, TRUE, KEEP_CHECK);
        SetButton(hDlg, IDC_RBN_ACTUAL_SIZE, TRUE, BST_UNCHECKED);
        if (bBorderlessShown)
            SetButton(hDlg, IDC_RBN_BORDERLESS, TRUE, KEEP_CHECK);
    } else if (wParam == FEEDER_EMPTY) {
        SetButton(hDlg, IDC_RBN_FIT_TO_PAGE, FALSE, BST_UNCHECKED);
        SetButton(hDlg, IDC_RBN_ACTUAL_SIZE, TRUE, BST_UNCHECKED);
        if (bBorderlessShown)
            SetButton(hDlg, IDC_RBN_BORDERLESS, FALSE, BST_UNCHECKED);
        ::SendMessageA(::GetDlgItem(hDlg, IDC_RBN_CUSTOM_SIZE), BM_SETCHECK, BST_CHECKED, 0);
        if (s_pfnCustomSize != NULL)
            s_pfnCustomSize(pCopyDlg);
    }
}

void CProcessMessage::OnIgnoredEvent(WPARAM, LPARAM) {}

void CProcessMessage::OnEndThread(WPARAM, LPARAM) { AfxEndThread(0); }

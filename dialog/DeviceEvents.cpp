// Device events: feeder, busy and idle, ink low and disconnect, for this dialog's context
// only; the busy display; forwarding to the status-message thread.
#include "dialog/CopyUIDlg.h"

#include <cstring>
#include <vector>

#include "log/RKLog.h"
#include "res/resource.h"
#include "status/DeviceEventNames.h"
#include "status/ProcessMessage.h"

UINT g_uPaperInADFMsg = 0;
UINT g_uDeviceBusyMsg = 0;
UINT g_uInkLowMsg = 0;
UINT g_uDeviceDisconnectMsg = 0;

namespace replika {

namespace {
const UINT_PTR kBusyTimerID = 1224;
const UINT kBusyTimerMs = 10;
const LONG kBusyBlockWidth = 20;
const size_t kInkLowBytes = 3 * sizeof(int32_t);
const uintptr_t kPageSize = 4096;
const DWORD kWorkerStopWaitMs = 100;

// An event's addresses come from another component: they are read without trusting them.
bool ReadEventMemory(const void* pSource, void* pTarget, size_t cb)
{
    SIZE_T cbRead = 0;
    return pSource != nullptr && ::ReadProcessMemory(::GetCurrentProcess(), pSource, pTarget, cb, &cbRead) &&
           cbRead == cb;
}

// The text at pszSource, at most cchOut - 1 characters; read page by page, so a text
// ending just before an unreadable page is still taken. Unreadable text reads as empty.
void ReadEventText(const char* pszSource, char* pszOut, size_t cchOut)
{
    size_t cchGot = 0;
    while (cchGot + 1 < cchOut) {
        uintptr_t address = reinterpret_cast<uintptr_t>(pszSource + cchGot);
        size_t cchChunk = static_cast<size_t>(kPageSize - address % kPageSize);
        if (cchChunk > cchOut - 1 - cchGot)
            cchChunk = cchOut - 1 - cchGot;
        if (!ReadEventMemory(pszSource + cchGot, pszOut + cchGot, cchChunk)) {
            pszOut[0] = '\0';
            return;
        }
        if (memchr(pszOut + cchGot, '\0', cchChunk))
            return;
        cchGot += cchChunk;
    }
    pszOut[cchOut - 1] = '\0';
}

void FillIfNotEmpty(HDC hDC, const RECT& rc, HBRUSH hBrush)
{
    if (rc.right > rc.left && rc.bottom > rc.top)
        ::FillRect(hDC, &rc, hBrush);
}
}  // namespace

bool CCopyUIDlg::RegisterDeviceEvents()
{
    SetDeviceEventContext(m_cstrCtxID);
    const struct
    {
        UINT* pnMessage;
        const char* pszName;
        const char* pszLabel;
    } events[] = {{&g_uPaperInADFMsg, g_szPaperInADFMsg, "WM_PAPERINADF %d"},
                  {&g_uDeviceBusyMsg, g_szDeviceBusyMsg, "WM_DEVICEBUSY %d"},
                  {&g_uInkLowMsg, g_szInkLowMsg, "WM_INKLOW %d"},
                  {&g_uDeviceDisconnectMsg, g_szDeviceDisconnectMsg, "WM_DEVDISCONN %d"}};
    bool bAll = true;
    for (const auto& event : events) {
        *event.pnMessage = RegisterDeviceEventMessage(event.pszName, event.pszLabel);
        bAll = bAll && *event.pnMessage != 0;
    }
    return bAll;
}

void CCopyUIDlg::StartWorkerThread()
{
    m_pEventTarget = std::make_shared<CFeederEventTarget>(m_hWnd, this);
    SetEventTarget(m_pEventTarget);
    CWinThread* pThread =
        AfxBeginThread(RUNTIME_CLASS(CProcessMessage), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED, NULL);
    m_pWorkerThread = dynamic_cast<CProcessMessage*>(pThread);
    if (m_pWorkerThread == nullptr) {
        g_pLog->LogError("CCopyUIDlg::StartWorkerThread - The status-message thread could not be started");
        return;
    }
    // The thread object closes its own handle when it ends: keep one of ours to wait on.
    if (!::DuplicateHandle(::GetCurrentProcess(), m_pWorkerThread->m_hThread, ::GetCurrentProcess(), &m_hWorkerThread,
                           SYNCHRONIZE, FALSE, 0))
        m_hWorkerThread = nullptr;
    m_dwWorkerThreadID = m_pWorkerThread->m_nThreadID;
    m_pWorkerThread->ResumeThread();
}

// The worker lets go of the dialog first, then is told to end and given 100 ms. A worker
// still in a device call after that is abandoned: it owns its share of the event target and
// its own reference to the device, and reaches the dialog only by posted messages.
void CCopyUIDlg::StopWorkerThread()
{
    ReleaseEventTarget(m_pEventTarget);
    if (m_pWorkerThread == nullptr)
        return;
    m_pWorkerThread = nullptr;  // the thread deletes its object when it ends
    if (!EndStatusThread(m_dwWorkerThreadID, m_hWorkerThread, kWorkerStopWaitMs))
        g_pLog->LogDetailedTrace("CCopyUIDlg::StopWorkerThread - The status-message thread is still busy: left");
    m_dwWorkerThreadID = 0;
    if (m_hWorkerThread) {
        ::CloseHandle(m_hWorkerThread);
        m_hWorkerThread = nullptr;
    }
}

void CCopyUIDlg::ForwardToWorker(UINT nMessage, WPARAM wParam)
{
    if (m_dwWorkerThreadID != 0)
        ::PostThreadMessageA(m_dwWorkerThreadID, nMessage, wParam, reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
}

// The context ID that came with the event, kept in g_pszCtx, against this dialog's.
// One character more than ours is read, so a longer ID never matches.
bool CCopyUIDlg::IsEventForThisContext(const char* pszHandler, LPARAM lParam)
{
    if (g_pszCtx == nullptr) {
        g_pLog->LogDetailedTrace("The Global ContextID object is NULL");
        return false;
    }
    std::vector<char> received(static_cast<size_t>(m_nCtxLength) + 2, '\0');
    ReadEventText(reinterpret_cast<const char*>(lParam), received.data(), received.size());
    lstrcpynA(g_pszCtx, received.data(), m_nCtxLength + 1);
    g_pLog->LogDetailedTrace("%s:: g_pszCtx:%s,m_cstrCtxID:%s", pszHandler, g_pszCtx, (LPCSTR)m_cstrCtxID);
    return strcmp(received.data(), m_cstrCtxID) == 0;
}

LRESULT CCopyUIDlg::OnPaperInADF(WPARAM wParam, LPARAM lParam)
{
    if (IsEventForThisContext("OnPaperInADF", lParam))
        ForwardToWorker(g_uPaperInADFMsg, wParam);
    return 0;
}

// Busy switches the display whatever context it came for. A run of busy and idle events
// settles on its last state: the display is switched once, after the events queued so far.
LRESULT CCopyUIDlg::OnDeviceBusy(WPARAM wParam, LPARAM lParam)
{
    m_bBusyWanted = wParam != 0;
    if (!m_bBusyApplyPending) {
        m_bBusyApplyPending = PostMessage(WM_APPLY_BUSY_STATE) != FALSE;
        if (!m_bBusyApplyPending)
            OnApplyBusyState(0, 0);
    }
    if (IsEventForThisContext("OnDeviceBusy", lParam))
        ForwardToWorker(g_uDeviceBusyMsg, wParam);
    return 0;
}

LRESULT CCopyUIDlg::OnApplyBusyState(WPARAM, LPARAM)
{
    m_bBusyApplyPending = false;
    if (m_bBusyWanted)
        EnterBusyState();
    else
        LeaveBusyState();
    return 0;
}

// A feeder event as the status-message thread passed it on: the image-size buttons, then,
// for an empty feeder, the Custom Size handler with the device's answer the thread got.
LRESULT CCopyUIDlg::OnFeederOutcome(WPARAM wParam, LPARAM lParam)
{
    if (!ApplyFeederState(m_hWnd, wParam))
        return 0;
    m_nFeederDocInADF = lParam;
    OnRbnCustomSize();
    m_nFeederDocInADF = kFeederNotAsked;
    return 0;
}

LRESULT CCopyUIDlg::OnInkLow(WPARAM wParam, LPARAM lParam)
{
    if (!IsEventForThisContext("OnInkLow", lParam))
        return 0;
    if (g_pnInkLowData == nullptr ||
        !ReadEventMemory(reinterpret_cast<const void*>(wParam), g_pnInkLowData, kInkLowBytes)) {
        g_pLog->LogError("CCopyUIDlg::OnInkLow - The ink levels could not be read");
        return 0;
    }
    ForwardToWorker(g_uInkLowMsg, reinterpret_cast<WPARAM>(g_pnInkLowData));
    return 0;
}

LRESULT CCopyUIDlg::OnDeviceDisconnect(WPARAM wParam, LPARAM lParam)
{
    if (IsEventForThisContext("OnDeviceDisconnect", lParam))
        ForwardToWorker(g_uDeviceDisconnectMsg, wParam);
    return 0;
}

void CCopyUIDlg::InitBusyDisplay()
{
    if (m_stcBusyStrip.GetSafeHwnd()) {
        m_stcBusyStrip.GetClientRect(&m_rcBusyStrip);
        m_stcBusyStrip.ShowWindow(SW_HIDE);
    }
    m_rcBusyBlock = m_rcBusyStrip;
    m_rcBusyBlock.right = m_rcBusyStrip.left + kBusyBlockWidth;
    m_rcBusyLeft = m_rcBusyStrip;
    m_rcBusyLeft.right = m_rcBusyBlock.left;
    m_rcBusyRight = m_rcBusyStrip;
    m_rcBusyRight.left = m_rcBusyBlock.right;
    if (m_brBackground.m_hObject == NULL)
        m_brBackground.CreateSolidBrush(m_clrBackground);
    if (m_brBlock.m_hObject == NULL)
        m_brBlock.CreateSolidBrush(RGB(0, 255, 0));
}

// Only a button whose state changes is redrawn.
void CCopyUIDlg::EnableCopyButtons(BOOL bEnable)
{
    for (CImgButton* pButton : {&m_btnBlack, &m_btnColor})
        if ((pButton->IsWindowEnabled() != FALSE) != (bEnable != FALSE)) {
            pButton->EnableWindow(bEnable);
            pButton->Invalidate();
        }
}

void CCopyUIDlg::EnterBusyState()
{
    m_bBusy = 1;
    EnableCopyButtons(FALSE);
    GotoDlgCtrl(&m_btnHelp);
    m_stcCopyInProgress.ShowWindow(SW_SHOW);
    m_stcBusyStrip.ShowWindow(SW_SHOW);
    SetTimer(kBusyTimerID, kBusyTimerMs);  // a second busy replaces the running timer
}

void CCopyUIDlg::LeaveBusyState()
{
    m_bBusy = 0;
    m_stcBusyStrip.ShowWindow(SW_HIDE);
    KillTimer(kBusyTimerID);
    EnableCopyButtons(TRUE);
    m_stcCopyInProgress.ShowWindow(SW_HIDE);
    GotoDlgCtrl(&m_btnHelp);
}

void CCopyUIDlg::DrawBusyStrip()
{
    if (!m_stcBusyStrip.GetSafeHwnd())
        return;
    CClientDC dc(&m_stcBusyStrip);
    HDC hDC = dc.m_hDC;
    if (hDC == NULL)
        return;
    HBRUSH hBackground = m_brBackground.m_hObject ? static_cast<HBRUSH>(m_brBackground)
                                                  : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    if (!m_bBusy) {
        FillIfNotEmpty(hDC, m_rcBusyStrip, hBackground);
        return;
    }
    bool bRestart = m_rcBusyBlock.right > m_rcBusyStrip.right;
    if (bRestart) {
        m_rcBusyBlock.left = m_rcBusyStrip.left;
        m_rcBusyBlock.right = m_rcBusyStrip.left + kBusyBlockWidth;
    }
    m_rcBusyLeft.right = m_rcBusyBlock.left;
    m_rcBusyRight.left = m_rcBusyBlock.right;
    FillIfNotEmpty(hDC, m_rcBusyLeft, hBackground);
    FillIfNotEmpty(hDC, m_rcBusyRight, hBackground);
    FillIfNotEmpty(hDC, m_rcBusyBlock, m_brBlock.m_hObject ? static_cast<HBRUSH>(m_brBlock) : hBackground);
    if (!bRestart) {
        ++m_rcBusyBlock.left;
        ++m_rcBusyBlock.right;
        m_rcBusyLeft.right = m_rcBusyBlock.left;
        m_rcBusyRight.left = m_rcBusyBlock.right;
    }
}

void CCopyUIDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kBusyTimerID) {
        if (m_bBusy)
            DrawBusyStrip();
        return;
    }
    CDialog::OnTimer(nIDEvent);
}

}  // namespace replika

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
        *event.pnMessage = ::RegisterWindowMessageA(event.pszName);
        g_pLog->LogDetailedTrace(event.pszLabel, static_cast<int>(*event.pnMessage));
        bAll = bAll && *event.pnMessage != 0;
    }
    return bAll;
}

void CCopyUIDlg::StartWorkerThread()
{
    SetCustomSizeHandler(&CCopyUIDlg::CustomSizeFromWorker);
    SetEventTarget(this);
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

// The worker lets go of the dialog before anything of it is freed; then it is told to end.
void CCopyUIDlg::StopWorkerThread()
{
    ReleaseEventTarget();
    if (m_pWorkerThread == nullptr)
        return;
    DWORD dwThreadID = m_dwWorkerThreadID;
    m_dwWorkerThreadID = 0;
    m_pWorkerThread = nullptr;  // the thread deletes its object when it ends
    ::PostThreadMessageA(dwThreadID, WM_DESTROY, 0, 0);
    if (m_hWorkerThread) {
        ::WaitForSingleObject(m_hWorkerThread, 100);
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

// Busy switches the display whatever context it came for.
LRESULT CCopyUIDlg::OnDeviceBusy(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0)
        EnterBusyState();
    else
        LeaveBusyState();
    if (IsEventForThisContext("OnDeviceBusy", lParam))
        ForwardToWorker(g_uDeviceBusyMsg, wParam);
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

void CCopyUIDlg::EnterBusyState()
{
    m_bBusy = 1;
    for (CImgButton* pButton : {&m_btnBlack, &m_btnColor}) {
        pButton->EnableWindow(FALSE);
        pButton->Invalidate();
    }
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
    for (CImgButton* pButton : {&m_btnBlack, &m_btnColor}) {
        pButton->EnableWindow(TRUE);
        pButton->Invalidate();
    }
    m_stcCopyInProgress.ShowWindow(SW_HIDE);
    GotoDlgCtrl(&m_btnHelp);
}

void CCopyUIDlg::DrawBusyStrip()
{
    if (!m_stcBusyStrip.GetSafeHwnd())
        return;
    HDC hDC = ::GetDC(m_stcBusyStrip);
    if (hDC == NULL)
        return;
    HBRUSH hBackground = m_brBackground.m_hObject ? static_cast<HBRUSH>(m_brBackground)
                                                  : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    if (!m_bBusy) {
        FillIfNotEmpty(hDC, m_rcBusyStrip, hBackground);
        ::ReleaseDC(m_stcBusyStrip, hDC);
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
    ::ReleaseDC(m_stcBusyStrip, hDC);
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

// Runs on the status-message thread while the dialog is its event target.
void CCopyUIDlg::CustomSizeFromWorker(CWnd* pCopyDlg)
{
    if (CCopyUIDlg* pDlg = dynamic_cast<CCopyUIDlg*>(pCopyDlg))
        pDlg->OnRbnCustomSize();
}

}  // namespace replika

#include "framework/afximpl.h"

#include <mutex>

thread_local AfxCurrentMsg t_afxCurrentMsg;

// Window handle -> bound object, shared by all threads (a dialog's worker
// thread reaches the dialog's controls too).
static std::mutex& PermanentLock()
{
    static std::mutex* s_pLock = new std::mutex;
    return *s_pLock;
}

static std::unordered_map<HWND, CWnd*>& PermanentMap()
{
    static auto* s_pMap = new std::unordered_map<HWND, CWnd*>;
    return *s_pMap;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return AfxTempFromHandle<CMenu, HMENU>(
        hMenu, [](HMENU h) { return ::IsMenu(h); }, [](CMenu* p, HMENU h) { p->m_hMenu = h; });
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL), m_bCreatedHere(FALSE) {}

CWnd::~CWnd()
{
    if (!m_hWnd || FromHandlePermanent(m_hWnd) != this)
        return;
    if (m_bCreatedHere)
        ::DestroyWindow(m_hWnd);
    if (m_hWnd)
        UnsubclassWindow();  // not ours to destroy, or destroyed elsewhere
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return NULL;
    std::lock_guard<std::mutex> lock(PermanentLock());
    auto it = PermanentMap().find(hWnd);
    return it == PermanentMap().end() ? NULL : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    CWnd* p = FromHandlePermanent(hWnd);
    if (p)
        return p;
    return AfxTempFromHandle<CWnd, HWND>(
        hWnd, [](HWND h) { return ::IsWindow(h); }, [](CWnd* pWnd, HWND h) { pWnd->m_hWnd = h; });
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    std::lock_guard<std::mutex> lock(PermanentLock());
    if (!PermanentMap().emplace(hWndNew, this).second)
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd) {
        std::lock_guard<std::mutex> lock(PermanentLock());
        auto it = PermanentMap().find(hWnd);
        if (it != PermanentMap().end() && it->second == this)
            PermanentMap().erase(it);
    }
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
    if (!pfnOld) {
        Detach();
        return FALSE;
    }
    m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    HWND hWnd = ::GetDlgItem(pParent->m_hWnd, (int)nID);
    return hWnd && SubclassWindow(hWnd);
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return NULL;
    if (m_pfnSuper)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    m_bCreatedHere = FALSE;
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::BindCreatedWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return;
    m_pfnSuper = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&AfxWndProc);
}

// --- creation hook -----------------------------------------------------------

static thread_local CWnd* t_pWndInit;
static thread_local HHOOK t_hHookCbt;
static thread_local int t_nCreateDepth;

static void RemoveCbtHook()
{
    if (t_hHookCbt)
        ::UnhookWindowsHookEx(t_hHookCbt);
    t_hHookCbt = NULL;
}

// Once the window is bound the hook goes: a dialog's controls are then created
// without a hook call each.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = ::CallNextHookEx(t_hHookCbt, code, wParam, lParam);
    if (code == HCBT_CREATEWND && t_pWndInit) {
        HWND hWnd = (HWND)wParam;
        char szClass[64] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        if (_stricmp(szClass, "IME") != 0) {  // the input-method window may come first
            CWnd* pWnd = t_pWndInit;
            t_pWndInit = NULL;
            RemoveCbtHook();
            pWnd->BindCreatedWindow(hWnd);
        }
    }
    return lResult;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    ++t_nCreateDepth;
    if (!t_hHookCbt)
        t_hHookCbt = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

void AfxUnhookWindowCreate()
{
    t_pWndInit = NULL;
    if (--t_nCreateDepth == 0)
        RemoveCbtHook();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    AfxInitCommonControls();
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent,
                                  nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    AfxUnhookWindowCreate();
    if (!hWnd)
        return FALSE;
    if (m_hWnd != hWnd && !SubclassWindow(hWnd)) {  // the hook missed it
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    m_bCreatedHere = TRUE;
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// --- message processing ------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    AfxCurrentMsg saved = t_afxCurrentMsg;
    t_afxCurrentMsg = AfxCurrentMsg{hWnd, nMsg, wParam, lParam};
    LRESULT lResult = 0;
    // Nothing may unwind through the system's code.
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        ::OutputDebugStringA("framework: exception left a message handler\n");
        e->Delete();
    } catch (...) {
        ::OutputDebugStringA("framework: exception left a message handler\n");
    }
    if (nMsg == WM_NCDESTROY)
        pWnd->OnNcDestroyed();
    t_afxCurrentMsg = saved;
    return lResult;
}

void CWnd::OnNcDestroyed()
{
    HWND hWnd = m_hWnd;
    if (m_pfnSuper && (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == &AfxWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
    m_pfnSuper = NULL;
    m_bCreatedHere = FALSE;
    Detach();
    // The end of a thread's main window ends the thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd == this) {
        ::PostQuitMessage(0);
        pThread->m_pMainWnd = NULL;
    }
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_afxCurrentMsg.message, t_afxCurrentMsg.wParam, t_afxCurrentMsg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
    } else if (message == WM_NOTIFY) {
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else {
        UINT nLookup = message;
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            nLookup = AFX_WM_CTLCOLOR;
        const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), nLookup, 0, 0);
        if (!pEntry || !DispatchEntry(pEntry, message, wParam, lParam, &lResult))
            return FALSE;
    }
    if (pResult)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
    LRESULT lResult = 0;
    return pEntry && DispatchEntry(pEntry, WM_COMMAND, wParam, lParam, &lResult);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (!pNMHDR)
        return FALSE;
    const AFX_MSGMAP_ENTRY* pEntry =
        AfxFindMessageEntry(GetMessageMap(), WM_NOTIFY, pNMHDR->code, (UINT)pNMHDR->idFrom);
    return pEntry && DispatchEntry(pEntry, WM_NOTIFY, 0, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::PostNcDestroy() {}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// --- handlers' default versions ------------------------------------------------

void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
UINT CWnd::OnPowerBroadcast(UINT, LPARAM) { return (UINT)Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }

// Owner-drawn controls draw themselves: the parent hands the message back.
void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU) {
        CWnd* pChild = FromHandlePermanent(lpDrawItemStruct->hwndItem);
        LRESULT lResult = 0;
        if (pChild && pChild->OnChildNotify(WM_DRAWITEM, (WPARAM)nIDCtl, (LPARAM)lpDrawItemStruct, &lResult))
            return;
    }
    Default();
}

// --- window helpers ------------------------------------------------------------

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    int nGot = ::GetWindowTextA(m_hWnd, rString.GetBuffer(n), n + 1);
    rString.ReleaseBuffer(nGot > 0 ? nGot : 0);
}

static void SwapLeftRight(LPRECT lpRect)
{
    LONG l = lpRect->left;
    lpRect->left = lpRect->right;
    lpRect->right = l;
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        SwapLeftRight(lpRect);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
    if (GetExStyle() & WS_EX_LAYOUTRTL)
        SwapLeftRight(lpRect);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwOld = GetExStyle();
    DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
    if (dwOld == dwNew)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, (LONG_PTR)dwNew);
    if (nFlags)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::WinHelp(DWORD_PTR, UINT) {}

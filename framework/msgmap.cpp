#include "framework/afximpl.h"

#include <windowsx.h>

// Handlers are stored as AFX_PMSG and cast back to the type they were
// stored from, chosen by the entry's signature kind.
#pragma GCC diagnostic ignored "-Wcast-function-type"

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY s_entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
    static const AFX_MSGMAP s_map = {nullptr, &s_entries[0]};
    return &s_map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry) {
            UINT nEntryMessage = pEntry->pnMessage ? *pEntry->pnMessage : pEntry->nMessage;
            if (pEntry->pnMessage && nEntryMessage == 0)
                continue;  // not registered yet
            if (nEntryMessage == nMessage && pEntry->nCode == nCode && nID >= pEntry->nID && nID <= pEntry->nLastID)
                return pEntry;
        }
    }
    return nullptr;
}

template <class PMF>
static PMF HandlerOf(const AFX_MSGMAP_ENTRY* pEntry)
{
    return reinterpret_cast<PMF>(pEntry->pfn);
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CCmdTarget* pTarget = this;
    LRESULT lResult = 0;
    switch (pEntry->nSig) {
    case AfxSig_vv:
        (pTarget->*pEntry->pfn)();
        break;
    case AfxSig_bD:
        lResult = (pTarget->*HandlerOf<BOOL (CCmdTarget::*)(CDC*)>(pEntry))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_hDWw:
        lResult = (LRESULT)(pTarget->*HandlerOf<HBRUSH (CCmdTarget::*)(CDC*, CWnd*, UINT)>(pEntry))(
            CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), message - WM_CTLCOLORMSGBOX);
        break;
    case AfxSig_vt:
        (pTarget->*HandlerOf<void (CCmdTarget::*)(UINT_PTR)>(pEntry))((UINT_PTR)wParam);
        break;
    case AfxSig_vwl:
        (pTarget->*HandlerOf<void (CCmdTarget::*)(UINT, LPARAM)>(pEntry))((UINT)wParam, lParam);
        break;
    case AfxSig_vwp:
        (pTarget->*HandlerOf<void (CCmdTarget::*)(UINT, CPoint)>(pEntry))(
            (UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        break;
    case AfxSig_vOWNER:
        (pTarget->*HandlerOf<void (CCmdTarget::*)(int, LPDRAWITEMSTRUCT)>(pEntry))((int)wParam,
                                                                                   (LPDRAWITEMSTRUCT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_lwl:
        lResult = (pTarget->*HandlerOf<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pEntry))(wParam, lParam);
        break;
    case AfxSig_vNMHDRpl:
        (pTarget->*HandlerOf<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pEntry))((NMHDR*)lParam, &lResult);
        break;
    case AfxSig_uwl:
        lResult = (LRESULT)(pTarget->*HandlerOf<UINT (CCmdTarget::*)(UINT, LPARAM)>(pEntry))((UINT)wParam, lParam);
        break;
    case AfxSig_hv:
        lResult = (LRESULT)(pTarget->*HandlerOf<HCURSOR (CCmdTarget::*)()>(pEntry))();
        break;
    default:
        return FALSE;
    }
    *pResult = lResult;
    return TRUE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), pMsg->message, 0, 0);
    if (!pEntry || pEntry->nSig != AfxSig_vwLP)
        return FALSE;
    CCmdTarget* pTarget = this;
    (pTarget->*HandlerOf<void (CCmdTarget::*)(WPARAM, LPARAM)>(pEntry))(pMsg->wParam, pMsg->lParam);
    return TRUE;
}

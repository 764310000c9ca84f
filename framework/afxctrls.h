// Control classes: thin message wrappers. They add no data members, so a
// temporary CWnd from GetDlgItem may be cast to them.
#pragma once
#include "framework/afxwnd.h"

class CButton : public CWnd
{
public:
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, (WPARAM)nCheck); }
    // Owner-drawn buttons (BS_OWNERDRAW) are drawn here; the parent hands
    // its WM_DRAWITEM back to the button.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd
{};

class CEdit : public CWnd
{};

class CComboBox : public CWnd
{
public:
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)nSelect); }
    int AddString(LPCSTR lpszString) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)lpszString); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return (int)SendMessage(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData);
    }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
};

class CSpinButtonCtrl : public CWnd
{
public:
    void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
    int SetPos(int nPos) { return (int)(short)LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }
    int GetPos32() const { return (int)SendMessage(UDM_GETPOS32); }
    void SetBuddy(CWnd* pWndBuddy) { SendMessage(UDM_SETBUDDY, (WPARAM)(pWndBuddy ? pWndBuddy->m_hWnd : NULL)); }
};

class CSliderCtrl : public CWnd
{
public:
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
        SendMessage(TBM_SETRANGEMAX, (WPARAM)bRedraw, nMax);
    }
    int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN); }
    int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
    int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, (WPARAM)nFreq); }
    void SetPageSize(int nSize) { SendMessage(TBM_SETPAGESIZE, 0, nSize); }
    void SetLineSize(int nSize) { SendMessage(TBM_SETLINESIZE, 0, nSize); }
};

// A tooltip window owned by the framework object: created by Create,
// destroyed with the object.
class CToolTipCtrl : public CWnd
{
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // The tool is pWnd's whole window.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText);
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, (WPARAM)bActivate); }
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
};

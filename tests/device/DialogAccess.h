// The unit tests look at the dialog's private members through this one door.
#pragma once

#include "dialog/CopyUIDlg.h"

namespace replika {

struct CCopyUIDlgTestAccess
{
    explicit CCopyUIDlgTestAccess(CCopyUIDlg& d)
        : m_rkCopyState(d.m_rkCopyState),
          m_pCopierFunctional(d.m_pCopierFunctional),
          m_pCopyAPI(d.m_pCopyAPI),
          m_cstrCtxID(d.m_cstrCtxID),
          m_cstrManfctr(d.m_cstrManfctr),
          m_cstrProduct(d.m_cstrProduct),
          m_cstrDeviceID(d.m_cstrDeviceID),
          m_rkGUIError(d.m_rkGUIError),
          m_nCtxLength(d.m_nCtxLength),
          dlg(d),
          m_nConstraintMask(d.m_nConstraintMask),
          m_bAdfOnly(d.m_bAdfOnly),
          m_bBorderlessCapable(d.m_bBorderlessCapable)
    {}
    CRKCopyState& m_rkCopyState;
    CopierFunctional*& m_pCopierFunctional;
    CComPtr<ICopyAPI>& m_pCopyAPI;
    CString& m_cstrCtxID;
    CString& m_cstrManfctr;
    CString& m_cstrProduct;
    CString& m_cstrDeviceID;
    CRKGUIError& m_rkGUIError;
    int& m_nCtxLength;
    CCopyUIDlg& dlg;
    int& m_nConstraintMask;
    int& m_bAdfOnly;
    int& m_bBorderlessCapable;

    // The dialog object on a window made from its template, its controls bound by
    // its data exchange; nothing of the dialog's own start-up runs.
    void BindToWindow(HWND hDlg)
    {
        dlg.Attach(hDlg);
        dlg.UpdateData(FALSE);
    }
    HWND Unbind()
    {
        dlg.FreeMediaItemData();
        return dlg.Detach();
    }
    void OnSelchangeCobSize() { dlg.OnSelchangeCobSize(); }
    void SetDefaultState() { dlg.SetDefaultState(); }
    HRESULT InitializeAPI() { return dlg.InitializeAPI(); }
    void InitializeCopierFuncStruc(CopierFunctional* pRecord) { dlg.InitializeCopierFuncStruc(pRecord); }
    bool PopulateStateFromDevice() { return dlg.PopulateStateFromDevice(); }
    void ValidateState() { dlg.ValidateState(); }
    bool FillCombos() { return dlg.FillCombos(); }
    void SetDefaultPaperSize() { dlg.SetDefaultPaperSize(); }
    void UIConstraints(int nMask) { dlg.UIConstraints(nMask); }
    static int DialogFontPointSize(int nPixelsPerInch, int nScreenWidth)
    {
        return CCopyUIDlg::DialogFontPointSize(nPixelsPerInch, nScreenWidth);
    }
};

}  // namespace replika

inline replika::CCopyUIDlgTestAccess Dlg(replika::CCopyUIDlg& d) { return replika::CCopyUIDlgTestAccess(d); }

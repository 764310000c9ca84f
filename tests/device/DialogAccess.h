// The binding tests look at the dialog's private members through this one door.
#pragma once

#include "dialog/CopyUIDlg.h"
#include "res/resource.h"

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

    // The dialog object on a window made from its template, its controls bound
    // as data exchange binds them; nothing of the dialog's own start-up runs.
    void BindToWindow(HWND hDlg)
    {
        CCopyUIDlg& d = dlg;
        d.Attach(hDlg);
        const struct
        {
            CWnd* pControl;
            int nID;
        } controls[] = {
            {&d.m_rbnBest, IDC_RBN_BEST},
            {&d.m_rbnNormal, IDC_RBN_NORMAL},
            {&d.m_rbnFast, IDC_RBN_FAST},
            {&d.m_rbnText, IDC_RBN_TEXT},
            {&d.m_rbnPhoto, IDC_RBN_PHOTO},
            {&d.m_rbnMixed, IDC_RBN_MIXED},
            {&d.m_rbnActualSize, IDC_RBN_ACTUAL_SIZE},
            {&d.m_rbnFitToPage, IDC_RBN_FIT_TO_PAGE},
            {&d.m_rbnBorderless, IDC_RBN_BORDERLESS},
            {&d.m_rbnCustomSize, IDC_RBN_CUSTOM_SIZE},
            {&d.m_cobSize, IDC_COB_SIZE},
            {&d.m_cobSource, IDC_COB_SOURCE},
            {&d.m_cobType, IDC_COB_TYPE},
            {&d.m_edbCopies, IDC_EDB_COPIES},
            {&d.m_edbScale, IDC_EDB_SCALE},
            {&d.m_stcPercent, IDC_STC_PERCENT},
            {&d.m_spnScale, IDC_SPN_SCALE},
            {&d.m_spnCopies, IDC_SPN_COPIES},
            {&d.m_sldContrast, IDC_SLD_CONTRAST},
            {&d.m_stcLight, IDC_PIC_LIGHTER},
            {&d.m_stcDark, IDC_PIC_DARKER},
        };
        for (const auto& c : controls)
            c.pControl->SubclassDlgItem(c.nID, &d);
    }
    HWND Unbind()
    {
        dlg.FreeMediaItemData();
        return dlg.Detach();
    }
    // Handlers the tests run directly.
    void OnSelchangeCobSize() { dlg.OnSelchangeCobSize(); }
    void OnReleasedCaptureContrast()
    {
        LRESULT result = 1;
        dlg.OnReleasedCaptureContrast(nullptr, &result);
    }
    void OnBtnLight() { dlg.OnBtnLight(); }
    void OnBtnDark() { dlg.OnBtnDark(); }
};

}  // namespace replika

inline replika::CCopyUIDlgTestAccess Dlg(replika::CCopyUIDlg& d) { return replika::CCopyUIDlgTestAccess(d); }

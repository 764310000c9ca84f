// The binding tests look at the dialog's private members through this one door.
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
          m_nCtxLength(d.m_nCtxLength)
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
};

}  // namespace replika

inline replika::CCopyUIDlgTestAccess Dlg(replika::CCopyUIDlg& d) { return replika::CCopyUIDlgTestAccess(d); }

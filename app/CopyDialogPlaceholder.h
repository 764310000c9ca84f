// Stands in for the copy dialog (template 102) until CCopyUIDlg exists: shows the
// titled dialog and answers the instance probe, so start-up runs end to end.
#pragma once

#include "framework/afxwin.h"

namespace replika {

class CCopyDialogPlaceholder : public CDialog
{
public:
    enum { IDD = 102 };

    CCopyDialogPlaceholder(CWnd* pParent, const CString& cstrCtxID, const CString& cstrProtocol);

protected:
    virtual BOOL OnInitDialog();
    afx_msg LRESULT OnInstanceProbe(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CString m_cstrCtxID;
    CString m_cstrProtocol;
};

}  // namespace replika

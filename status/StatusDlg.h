// The one modal message box of the program: a message, an icon and either two
// buttons (a question) or a single one (a notice), with captions chosen by the caller.
#pragma once

#include "framework/afxwin.h"

namespace replika {

class CStatusDlg : public CDialog
{
public:
    enum { IDD = 137 };

    CStatusDlg(CWnd* pParent, const CString& cstrMessage, const CString& cstrContinueCaption,
               const CString& cstrCancelCaption, int nShowContinue, int nShowCancel, const CString& cstrTitle);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();

    afx_msg void OnBtnContinue();
    afx_msg void OnBtnCancel();
    afx_msg void OnBtnSingle();
    DECLARE_MESSAGE_MAP()

private:
    void ShowSingleButton(const CString& cstrCaption);

    CButton m_btnSingle;
    CButton m_btnContinue;
    CButton m_btnCancel;
    CString m_cstrMessage;
    int m_nShowCancel;
    int m_nShowContinue;
    int m_nSingleMode;
    CString m_cstrCancelCaption;
    CString m_cstrContinueCaption;
    CString m_cstrSingleCaption;
    CString m_cstrTitle;
};

// The dialog as a notice: string nIDMessage and a single "OK" button.
void ShowStatusNotice(UINT nIDMessage, const CString& cstrTitle);

}  // namespace replika

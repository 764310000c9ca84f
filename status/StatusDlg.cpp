#include "status/StatusDlg.h"

#include "log/RKLog.h"
#include "res/resource.h"

namespace replika {

BEGIN_MESSAGE_MAP(CStatusDlg, CDialog)
ON_BN_CLICKED(IDC_BTN_CONTINUE, &CStatusDlg::OnBtnContinue)
ON_BN_CLICKED(IDC_BTN_CANCEL, &CStatusDlg::OnBtnCancel)
ON_BN_CLICKED(IDC_BTN_SINGLE, &CStatusDlg::OnBtnSingle)
END_MESSAGE_MAP()

CStatusDlg::CStatusDlg(CWnd* pParent, const CString& cstrMessage, const CString& cstrContinueCaption,
                       const CString& cstrCancelCaption, int nShowContinue, int nShowCancel, const CString& cstrTitle)
    : CDialog(IDD, pParent),
      m_cstrMessage(cstrMessage),
      m_nShowCancel(nShowCancel),
      m_nShowContinue(nShowContinue),
      m_nSingleMode(0),
      m_cstrCancelCaption(cstrCancelCaption),
      m_cstrContinueCaption(cstrContinueCaption),
      m_cstrTitle(cstrTitle)
{}

void CStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BTN_SINGLE, m_btnSingle);
    DDX_Control(pDX, IDC_BTN_CONTINUE, m_btnContinue);
    DDX_Control(pDX, IDC_BTN_CANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_STATUS_MESSAGE, m_cstrMessage);
}

BOOL CStatusDlg::OnInitDialog()
{
    CRKTraceScope trace("CStatusDlg::OnInitDialog");
    CDialog::OnInitDialog();

    SetWindowText(m_cstrTitle);
    m_btnCancel.ShowWindow(m_nShowCancel);
    m_btnContinue.ShowWindow(m_nShowContinue);
    m_btnCancel.SetWindowText(m_cstrCancelCaption);
    m_btnContinue.SetWindowText(m_cstrContinueCaption);

    if (m_nShowCancel == 1 && m_nShowContinue == 1) {
        m_nSingleMode = 0;
        m_btnSingle.ShowWindow(SW_HIDE);
    } else if (m_nShowCancel == 0 && m_nShowContinue == 1) {
        ShowSingleButton(m_cstrContinueCaption);
    } else if (m_nShowCancel == 1 && m_nShowContinue == 0) {
        ShowSingleButton(m_cstrCancelCaption);
    }
    // With neither button the dialog closes only through its window frame.
    return TRUE;
}

void CStatusDlg::ShowSingleButton(const CString& cstrCaption)
{
    m_btnCancel.ShowWindow(SW_HIDE);
    m_btnContinue.ShowWindow(SW_HIDE);
    m_nSingleMode = 1;
    m_cstrSingleCaption = cstrCaption;
    m_btnSingle.SetWindowText(m_cstrSingleCaption);
    m_btnSingle.ShowWindow(SW_SHOW);
    // The hidden Continue button stays the default one; Enter must reach the visible button.
    SetDefID(IDC_BTN_SINGLE);
}

// Enter reaches the default Continue button even while it is hidden; a hidden
// button must not end the dialog.
void CStatusDlg::OnBtnContinue()
{
    if (m_btnContinue.IsWindowVisible())
        EndDialog(IDOK);
}

void CStatusDlg::OnBtnCancel() { EndDialog(IDCANCEL); }

void CStatusDlg::OnBtnSingle() { EndDialog(m_nShowContinue == 1 && m_nShowCancel == 0 ? IDOK : IDCANCEL); }

void ShowStatusNotice(UINT nIDMessage, const CString& cstrTitle)
{
    CString cstrMessage, cstrOK;
    cstrMessage.LoadString(nIDMessage);
    cstrOK.LoadString(IDS_OK);
    CStatusDlg dlg(NULL, cstrMessage, cstrOK, CString(), 1, 0, cstrTitle);
    dlg.DoModal();
}

}  // namespace replika

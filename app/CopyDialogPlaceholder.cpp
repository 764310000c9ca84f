#include "app/CopyDialogPlaceholder.h"

#include "app/AppGlobals.h"
#include "app/CopyApp.h"
#include "log/RKLog.h"
#include "res/resource.h"

namespace replika {

BEGIN_MESSAGE_MAP(CCopyDialogPlaceholder, CDialog)
ON_REGISTERED_MESSAGE(g_uInstanceProbeMsg, &CCopyDialogPlaceholder::OnInstanceProbe)
END_MESSAGE_MAP()

CCopyDialogPlaceholder::CCopyDialogPlaceholder(CWnd* pParent, const CString& cstrCtxID, const CString& cstrProtocol)
    : CDialog(IDD, pParent), m_cstrCtxID(cstrCtxID), m_cstrProtocol(cstrProtocol)
{}

BOOL CCopyDialogPlaceholder::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString cstrTitle;
    cstrTitle.LoadString(IDS_CAPTION);
    cstrTitle += static_cast<CCopyApp*>(AfxGetApp())->m_cstrFriendlyName;
    SetWindowText(cstrTitle);
    return TRUE;
}

LRESULT CCopyDialogPlaceholder::OnInstanceProbe(WPARAM, LPARAM) { return g_uInstanceProbeMsg; }

}  // namespace replika

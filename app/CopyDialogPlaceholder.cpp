#include "app/CopyDialogPlaceholder.h"

#include <string.h>

#include "app/AppGlobals.h"
#include "app/CopyApp.h"
#include "log/RKLog.h"
#include "res/resource.h"

namespace replika {

BEGIN_MESSAGE_MAP(CCopyDialogPlaceholder, CDialog)
    ON_REGISTERED_MESSAGE(g_uInstanceProbeMsg, OnInstanceProbe)
END_MESSAGE_MAP()

CCopyDialogPlaceholder::CCopyDialogPlaceholder(CWnd* pParent, const CString& cstrCtxID,
                                               const CString& cstrProtocol)
    : CDialog(IDD, pParent), m_cstrCtxID(cstrCtxID), m_cstrProtocol(cstrProtocol)
{
}

int CCopyDialogPlaceholder::ParseContextID(const CString& cstrCtxID, CString& cstrManufacturer,
                                           CString& cstrProduct, CString& cstrDeviceID)
{
    CRKTraceScope trace("CCopyUIDlg::ParseContextID");
    if (cstrCtxID.IsEmpty()) {
        g_pLog->LogDetailedTrace("Context id string length is zero");
        return 0;
    }
    char szCopy[MAX_PATH];
    lstrcpynA(szCopy, cstrCtxID, sizeof(szCopy));
    char szFields[3][MAX_PATH] = {"", "", ""};
    char* pszNext = NULL;
    char* pszToken = strtok_r(szCopy, "#", &pszNext);
    for (int i = 0; i < 3 && pszToken != NULL; ++i) {
        lstrcpynA(szFields[i], pszToken, MAX_PATH);
        pszToken = strtok_r(NULL, "#", &pszNext);
    }
    cstrManufacturer = szFields[0];
    cstrProduct = szFields[1];
    cstrDeviceID = szFields[2];
    return 1;
}

BOOL CCopyDialogPlaceholder::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString cstrTitle;
    cstrTitle.LoadString(IDS_CAPTION);
    cstrTitle += static_cast<CCopyApp*>(AfxGetApp())->m_cstrFriendlyName;
    SetWindowText(cstrTitle);
    return TRUE;
}

LRESULT CCopyDialogPlaceholder::OnInstanceProbe(WPARAM, LPARAM)
{
    return g_uInstanceProbeMsg;
}

} // namespace replika

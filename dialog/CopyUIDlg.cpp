#include "dialog/CopyUIDlg.h"

#include "log/RKLog.h"

char g_szSettingsFolder[MAX_PATH];
char g_szDefaultFileName[MAX_PATH];
char g_szFactoryFileName[MAX_PATH];

namespace replika
{

CCopyUIDlg::CCopyUIDlg(CWnd* pParent, LPCSTR pszCtxID, LPCSTR pszProtocol)
    : CDialog(IDD, pParent),
      m_bBorderlessCapable(0),
      m_nCtxLength(0),
      m_pCopyAPI(nullptr),
      m_cstrCtxID(pszCtxID ? pszCtxID : ""),
      m_cstrProtocol(pszProtocol ? pszProtocol : ""),
      m_pCopierFunctional(nullptr),
      m_nConstraintMask(0)
{
    CRKTraceScope trace("CCopyUIDlg::CCopyUIDlg");
}

CCopyUIDlg::~CCopyUIDlg()
{
    // Normally the window's destruction has let go of all this already.
    delete m_pCopierFunctional;
    m_pCopierFunctional = nullptr;
    FreeEventBuffers();
    if (m_pCopyAPI)
    {
        m_pCopyAPI->Release();
        m_pCopyAPI = nullptr;
    }
}

}  // namespace replika

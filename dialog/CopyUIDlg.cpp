// The copy dialog's lifecycle: construction, the dialog font, the order of
// initialisation, the message map, key handling and teardown.
#include "dialog/CopyUIDlg.h"

#include "app/AppGlobals.h"
#include "log/RKLog.h"
#include "res/resource.h"

char g_szSettingsFolder[MAX_PATH];
char g_szDefaultFileName[MAX_PATH];
char g_szFactoryFileName[MAX_PATH];

namespace replika {

BEGIN_MESSAGE_MAP(CCopyUIDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_BTN_BLACK, &CCopyUIDlg::OnBtnBlack)
ON_BN_CLICKED(IDC_BTN_COLOR, &CCopyUIDlg::OnBtnColor)
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_RBN_BEST, &CCopyUIDlg::OnRbnBest)
ON_BN_CLICKED(IDC_RBN_NORMAL, &CCopyUIDlg::OnRbnNormal)
ON_BN_CLICKED(IDC_RBN_FAST, &CCopyUIDlg::OnRbnFast)
ON_BN_CLICKED(IDC_RBN_TEXT, &CCopyUIDlg::OnRbnText)
ON_BN_CLICKED(IDC_RBN_MIXED, &CCopyUIDlg::OnRbnMixed)
ON_BN_CLICKED(IDC_RBN_PHOTO, &CCopyUIDlg::OnRbnPhoto)
ON_BN_CLICKED(IDC_RBN_ACTUAL_SIZE, &CCopyUIDlg::OnRbnActualSize)
ON_BN_CLICKED(IDC_RBN_FIT_TO_PAGE, &CCopyUIDlg::OnRbnFitToPage)
ON_BN_CLICKED(IDC_RBN_BORDERLESS, &CCopyUIDlg::OnRbnBorderless)
ON_CBN_SELCHANGE(IDC_COB_SIZE, &CCopyUIDlg::OnSelchangeCobSize)
ON_CBN_SELCHANGE(IDC_COB_TYPE, &CCopyUIDlg::OnSelchangeCobType)
ON_BN_CLICKED(IDC_BTN_RESTORE_FACTORY, &CCopyUIDlg::OnBtnRestoreFactory)
ON_BN_CLICKED(IDC_BTN_SAVE, &CCopyUIDlg::OnBtnSave)
ON_EN_CHANGE(IDC_EDB_COPIES, &CCopyUIDlg::OnChangeEdbCopies)
ON_EN_CHANGE(IDC_EDB_SCALE, &CCopyUIDlg::OnChangeEdbScale)
ON_CBN_SELCHANGE(IDC_COB_SOURCE, &CCopyUIDlg::OnEditchangeCobSource)
ON_BN_CLICKED(IDC_BTN_HELP, &CCopyUIDlg::OnBtnHelp)
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SLD_CONTRAST, &CCopyUIDlg::OnReleasedCaptureContrast)
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDOWN()
ON_BN_CLICKED(IDC_RBN_CUSTOM_SIZE, &CCopyUIDlg::OnRbnCustomSize)
ON_REGISTERED_MESSAGE(g_uPaperInADFMsg, &CCopyUIDlg::OnPaperInADF)
ON_REGISTERED_MESSAGE(g_uDeviceBusyMsg, &CCopyUIDlg::OnDeviceBusy)
ON_REGISTERED_MESSAGE(g_uInkLowMsg, &CCopyUIDlg::OnInkLow)
ON_REGISTERED_MESSAGE(g_uDeviceDisconnectMsg, &CCopyUIDlg::OnDeviceDisconnect)
ON_WM_RBUTTONUP()
ON_REGISTERED_MESSAGE(g_uInstanceProbeMsg, &CCopyUIDlg::OnInstanceProbe)
ON_WM_ERASEBKGND()
ON_WM_CLOSE()
ON_WM_TIMER()
ON_WM_POWERBROADCAST()
END_MESSAGE_MAP()

CCopyUIDlg::CCopyUIDlg(CWnd* pParent, LPCSTR pszCtxID, LPCSTR pszProtocol)
    : CDialog(IDD, pParent),
      m_bBorderlessCapable(0),
      m_nCtxLength(0),
      m_pWorkerThread(nullptr),
      m_hWorkerThread(nullptr),
      m_cstrCtxID(pszCtxID ? pszCtxID : ""),
      m_cstrProtocol(pszProtocol ? pszProtocol : ""),
      m_pCopierFunctional(nullptr),
      m_pToolTip(nullptr),
      m_bBusy(0),
      m_ulGdiplusToken(0),
      m_clrBackground(RGB(255, 255, 255)),
      m_clrBlueDark(RGB(0, 101, 173)),
      m_clrBlueLight(RGB(5, 155, 190)),
      m_nConstraintMask(0),
      m_pfnRules{
          &CCopyUIDlg::RestrictnAA, &CCopyUIDlg::RestrictnAB, &CCopyUIDlg::RestrictnAC, &CCopyUIDlg::RestrictnAD,
          &CCopyUIDlg::RestrictnAE, &CCopyUIDlg::RestrictnAF, &CCopyUIDlg::RestrictnAG, &CCopyUIDlg::RestrictnAH,
          &CCopyUIDlg::RestrictnAI, &CCopyUIDlg::RestrictnAJ, &CCopyUIDlg::RestrictnAK, &CCopyUIDlg::RestrictnAL,
          &CCopyUIDlg::RestrictnAM, &CCopyUIDlg::RestrictnAN, &CCopyUIDlg::RestrictnAO, &CCopyUIDlg::RestrictnAP},
      m_bAdfOnly(0),
      m_hHelpThread(nullptr),
      m_hIcon(nullptr)
{
    CRKTraceScope trace("CCopyUIDlg::CCopyUIDlg");
}

CCopyUIDlg::~CCopyUIDlg()
{
    // Normally the window's destruction has let go of all this already.
    delete m_pCopierFunctional;
    m_pCopierFunctional = nullptr;
    FreeEventBuffers();
}

INT_PTR CCopyUIDlg::DoModal() { return CDialog::DoModal(); }

void CCopyUIDlg::DoDataExchange(CDataExchange* pDX) { CDialog::DoDataExchange(pDX); }

BOOL CCopyUIDlg::OnInitDialog() { return CDialog::OnInitDialog(); }

LRESULT CCopyUIDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CCopyUIDlg::PreTranslateMessage(MSG* pMsg) { return CDialog::PreTranslateMessage(pMsg); }

void CCopyUIDlg::WinHelp(DWORD_PTR, UINT) { OnBtnHelp(); }

void CCopyUIDlg::PostNcDestroy() { CDialog::PostNcDestroy(); }

void CCopyUIDlg::OnSysCommand(UINT nID, LPARAM lParam) { CDialog::OnSysCommand(nID, lParam); }

void CCopyUIDlg::OnPaint() { Default(); }

HCURSOR CCopyUIDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CCopyUIDlg::OnDestroy() { CDialog::OnDestroy(); }

void CCopyUIDlg::OnLButtonDown(UINT, CPoint) { Default(); }

void CCopyUIDlg::OnRButtonUp(UINT, CPoint) { Default(); }

LRESULT CCopyUIDlg::OnInstanceProbe(WPARAM, LPARAM) { return g_uInstanceProbeMsg; }

void CCopyUIDlg::OnClose() { Default(); }

UINT CCopyUIDlg::OnPowerBroadcast(UINT, LPARAM) { return 0; }

}  // namespace replika

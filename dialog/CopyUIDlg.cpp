// The copy dialog: its message map, construction (the settings folder), the dialog font
// and the controls bound by data exchange. Initialisation and teardown are in
// StartAndTeardown.cpp, the window messages in WindowMessages.cpp.
#include "dialog/CopyUIDlg.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "records/AppGlobals.h"
#include "log/RKLog.h"
#include "res/resource.h"
#include "status/ProcessMessage.h"

namespace replika {

namespace {

void CreateFolder(const char* pszPath) { ::CreateDirectoryA(pszPath, NULL); }

// The user's application-data folder (else the temporary-files path), then "QV", then "Imagora".
void MakeSettingsFolder()
{
    char* pszFolder = g_szSettingsFolder;
    memset(g_szSettingsFolder, 0, sizeof(g_szSettingsFolder));
    if (!::SHGetSpecialFolderPathA(NULL, pszFolder, CSIDL_APPDATA, FALSE))
        ::GetTempPathA(MAX_PATH, pszFolder);
    if (::PathAppendA(pszFolder, "QV"))
        CreateFolder(pszFolder);
    if (::PathAppendA(pszFolder, "Imagora"))
        CreateFolder(pszFolder);
}
}  // namespace

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
ON_MESSAGE(WM_APPLY_BUSY_STATE, &CCopyUIDlg::OnApplyBusyState)
ON_MESSAGE(WM_FEEDER_OUTCOME, &CCopyUIDlg::OnFeederOutcome)
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
      m_hIcon(nullptr),
      m_dwWorkerThreadID(0)
{
    CRKTraceScope trace("CCopyUIDlg::CCopyUIDlg");
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP));
    MakeSettingsFolder();
}

CCopyUIDlg::~CCopyUIDlg()
{
    // Normally the window's destruction has let go of all this already.
    delete m_pCopierFunctional;
    m_pCopierFunctional = nullptr;
    FreeEventBuffers();
    if (m_hWorkerThread)
        ::CloseHandle(m_hWorkerThread);
}

int CCopyUIDlg::DialogFontPointSize(int nPixelsPerInch, int nScreenWidth)
{
    if (nPixelsPerInch == 96 && nScreenWidth < 1024)
        return 8;
    if (nPixelsPerInch == 120 && nScreenWidth < 1024)
        return 6;
    if (nPixelsPerInch == 120 && nScreenWidth == 1024)
        return 8;
    return 0;
}

INT_PTR CCopyUIDlg::DoModal()
{
    int nPixelsPerInch = CClientDC(nullptr).GetDeviceCaps(LOGPIXELSX);
    int nScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);

    CDialogTemplate dlgTemplate;
    if (!dlgTemplate.Load(MAKEINTRESOURCEA(IDD)))
        return -1;
    int nPoints = DialogFontPointSize(nPixelsPerInch, nScreenWidth);
    if (nPoints != 0)
        dlgTemplate.SetFont("Arial", static_cast<WORD>(nPoints));
    InitModalIndirect(dlgTemplate.m_hTemplate, m_pParentWnd);
    INT_PTR nResult = CDialog::DoModal();
    // The edited copy dies here; a later run starts from the resource again.
    m_hDialogTemplate = NULL;
    m_lpszTemplateName = MAKEINTRESOURCEA(IDD);
    return nResult;
}

void CCopyUIDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    const struct
    {
        int nID;
        CWnd* pControl;
    } bindings[] = {
        {IDC_BTN_BLACK, &m_btnBlack},
        {IDC_PIC_LIGHTER, &m_stcLight},
        {IDC_PIC_DARKER, &m_stcDark},
        {IDC_BTN_COLOR, &m_btnColor},
        {IDC_BTN_HELP, &m_btnHelp},
        {IDC_BTN_RESTORE_FACTORY, &m_btnRestoreFactory},
        {IDC_BTN_SAVE, &m_btnSave},
        {IDC_COB_SIZE, &m_cobSize},
        {IDC_COB_SOURCE, &m_cobSource},
        {IDC_COB_TYPE, &m_cobType},
        {IDC_EDB_COPIES, &m_edbCopies},
        {IDC_EDB_SCALE, &m_edbScale},
        {IDC_RBN_BEST, &m_rbnBest},
        {IDC_RBN_FAST, &m_rbnFast},
        {IDC_RBN_MIXED, &m_rbnMixed},
        {IDC_RBN_NORMAL, &m_rbnNormal},
        {IDC_RBN_PHOTO, &m_rbnPhoto},
        {IDC_RBN_TEXT, &m_rbnText},
        {IDC_STC_PERCENT, &m_stcPercent},
        {IDC_SPN_SCALE, &m_spnScale},
        {IDC_SPN_COPIES, &m_spnCopies},
        {IDC_SLD_CONTRAST, &m_sldContrast},
        {IDC_RBN_ACTUAL_SIZE, &m_rbnActualSize},
        {IDC_RBN_CUSTOM_SIZE, &m_rbnCustomSize},
        {IDC_RBN_FIT_TO_PAGE, &m_rbnFitToPage},
        {IDC_RBN_BORDERLESS, &m_rbnBorderless},
        {IDC_STC_COPY_IN_PROGRESS, &m_stcCopyInProgress},
        {IDC_STC_BUSY_STRIP, &m_stcBusyStrip},
    };
    for (const auto& binding : bindings)
        DDX_Control(pDX, binding.nID, *binding.pControl);
}

}  // namespace replika

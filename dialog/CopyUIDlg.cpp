// The copy dialog's lifecycle: construction, the dialog font, the order of
// initialisation, the message map, key handling and teardown.
#include "dialog/CopyUIDlg.h"

#include <gdiplus.h>
#include <msxml2.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/AppGlobals.h"
#include "app/CopyApp.h"
#include "log/RKLog.h"
#include "res/resource.h"
#include "status/StatusDlg.h"

char g_szSettingsFolder[MAX_PATH];
char g_szDefaultFileName[MAX_PATH];
char g_szFactoryFileName[MAX_PATH];

namespace replika {

namespace {
const char kTraceInit[] = "CCopyUIDlg::OnInitDialog";

// The application object when there is one (unit tests run the dialog without it).
CCopyApp* CopyApp() { return dynamic_cast<CCopyApp*>(AfxGetApp()); }

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
// The settings file's XML component is slow to create the first time in a process. A
// thread of its own creates one while the dialog's window is being built; its apartment
// stays until the process ends, so the component stays loaded for the dialog's thread.
DWORD WINAPI WarmXmlComponent(LPVOID)
{
    if (SUCCEEDED(::CoInitializeEx(NULL, COINIT_MULTITHREADED))) {
        IUnknown* pDocument = NULL;
        if (SUCCEEDED(::CoCreateInstance(CLSID_DOMDocument40, NULL, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                         reinterpret_cast<void**>(&pDocument))))
            pDocument->Release();
    }
    return 0;
}

void StartWarmingXmlComponent()
{
    static LONG s_bStarted = 0;
    if (::InterlockedExchange(&s_bStarted, 1) != 0)
        return;
    if (HANDLE hThread = ::CreateThread(NULL, 0, WarmXmlComponent, NULL, 0, NULL))
        ::CloseHandle(hThread);
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
    StartWarmingXmlComponent();
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
    HDC hScreen = ::GetDC(NULL);
    int nPixelsPerInch = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    ::ReleaseDC(NULL, hScreen);
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

void CCopyUIDlg::InitSystemMenu()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu == NULL)
        return;
    CString cstrAbout;
    cstrAbout.LoadString(IDS_ABOUTBOX);
    if (!cstrAbout.IsEmpty()) {
        pSysMenu->AppendMenu(MF_SEPARATOR);
        pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, cstrAbout);
    }
    for (UINT nCommand : {SC_SIZE, SC_MAXIMIZE, SC_RESTORE})
        pSysMenu->EnableMenuItem(nCommand, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
}

void CCopyUIDlg::InitSpinsAndContrast()
{
    m_spnCopies.SetBuddy(&m_edbCopies);
    m_spnScale.SetBuddy(&m_edbScale);
    m_sldContrast.SetTicFreq(10);
    m_sldContrast.SetRange(0, 100, TRUE);
    m_sldContrast.SetLineSize(10);
    m_sldContrast.SetPageSize(10);
    m_stcLight.ShowWindow(SW_SHOW);
    m_stcDark.ShowWindow(SW_SHOW);
}

// A start failure the user must see: the status message, then the quit message.
void CCopyUIDlg::ShowStartFailure(UINT nIDMessage)
{
    CString cstrMessage, cstrOK;
    cstrMessage.LoadString(nIDMessage);
    cstrOK.LoadString(IDS_OK);
    CStatusDlg dlg(NULL, cstrMessage, cstrOK, CString(), 1, 0, m_cstrTitle);
    dlg.DoModal();
    ::PostQuitMessage(0);
}

BOOL CCopyUIDlg::OnInitDialog()
{
    delete m_pCopierFunctional;
    m_pCopierFunctional = nullptr;
    m_pUsageStorage.Release();
    m_pVela.Release();
    CDialog::OnInitDialog();
    RKTraceEnter(kTraceInit);

    InitSystemMenu();
    m_stcLight.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
    m_stcDark.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
    AttachGroupBoxes();

    Gdiplus::GdiplusStartupInput gdiplusInput;
    if (Gdiplus::GdiplusStartup(&m_ulGdiplusToken, &gdiplusInput, NULL) != Gdiplus::Ok)
        m_ulGdiplusToken = 0;
    GetClientRect(&m_rcClient);

    AttachCaptions();
    if (HWND hPaperGroup = ::GetDlgItem(m_hWnd, IDC_GRP_PAPER))
        ::SetWindowLongPtrA(hPaperGroup, GWL_EXSTYLE, ::GetWindowLongPtrA(hPaperGroup, GWL_EXSTYLE) & ~WS_EX_LAYOUTRTL);
    LayOutFrames();
    SetUpPictureButtons();
    m_stcCopyInProgress.ShowWindow(SW_HIDE);
    LoadBandsAndPictures();
    InitBusyDisplay();

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    InitSpinsAndContrast();

    if (BindDeviceAndLoadSettings()) {
        if (CCopyApp* pApp = CopyApp())
            pApp->m_hDlgWnd = m_hWnd;  // the tooltip relay starts
    }
    RKTraceExit(kTraceInit);
    InitializeToolTip();
    if (m_bBorderlessCapable == 0)
        HideBorderlessChoice();
    return TRUE;
}

// Returns false when the dialog is ending (its quit message is posted); an unparsable
// context ID leaves it open without a device.
bool CCopyUIDlg::BindDeviceAndLoadSettings()
{
    if (!ParseContextID(m_cstrCtxID, m_cstrManfctr, m_cstrProduct, m_cstrDeviceID)) {
        g_pLog->LogError("Failed to parse ContextID = %s", (LPCSTR)m_cstrCtxID);
        return true;
    }
    RegisterDeviceEvents();
    StartWorkerThread();

    GetWindowText(m_cstrTitle);
    if (CCopyApp* pApp = CopyApp())
        m_cstrTitle += pApp->m_cstrFriendlyName;
    SetWindowText(m_cstrTitle);

    if (FAILED(InitializeAPI())) {
        g_pLog->LogError("Failed to initialize API layer");
        ShowStartFailure(IDS_ERR_NOT_RESPONDING);
        return false;
    }
    g_pLog->LogDetailedTrace("%s%s %s%s %s%s %s%s %s%s",
                             "Parsed context id sucessfully m_cstrCtxID =", (LPCSTR)m_cstrCtxID,
                             "m_cstrProtocol =", (LPCSTR)m_cstrProtocol, "m_cstrManfctr =", (LPCSTR)m_cstrManfctr,
                             "m_cstrProduct =", (LPCSTR)m_cstrProduct, "m_cstrDeviceID =", (LPCSTR)m_cstrDeviceID);
    FormSettingsFileNames();
    g_pLog->LogDetailedTrace("%s%s", "Default XML filename =", g_szDefaultFileName);
    g_pLog->LogDetailedTrace("%s%s", "Factory XML filename =", g_szFactoryFileName);
    SetDefaultState();

    if (!FillCombos()) {
        g_pLog->LogError("Failed to Initialize Combos");
        UINT nIDMessage = CRKGUIError::ErrorIndexToStringId(m_rkGUIError.GetErrorIndex());
        m_rkGUIError.Reset();
        ShowStartFailure(nIDMessage);
        return false;
    }
    if (m_pCopierFunctional)
        m_nConstraintMask = m_pCopierFunctional->nConstraintMask;
    LoadOrCreateSettings();
    ValidateState();
    PreInitializeUI();
    ApplyPaperSelections();
    UIConstraints(m_nConstraintMask);
    if (m_pCopyAPI)
        m_pCopyAPI->StartMonitoring();
    return true;
}

void CCopyUIDlg::OnDestroy()
{
    CRKTraceScope trace("CCopyUIDlg::OnDestroy");
    CDialog::OnDestroy();
    if (m_hHelpThread) {
        ::CloseHandle(m_hHelpThread);
        m_hHelpThread = nullptr;
    }
    StopWorkerThread();  // first: from here the worker leaves the dialog and its records alone
    delete m_pCopierFunctional;
    m_pCopierFunctional = nullptr;
    FreeEventBuffers();
    if (m_pCopyAPI) {
        m_pCopyAPI->Shutdown();
        m_pCopyAPI.Release();
    }
    delete m_pToolTip;
    m_pToolTip = nullptr;
    m_pUsageStorage.Release();
    m_pVela.Release();
    FreeMediaItemData();
    ReleasePictures();
    if (m_ulGdiplusToken) {
        Gdiplus::GdiplusShutdown(m_ulGdiplusToken);
        m_ulGdiplusToken = 0;
    }
}

void CCopyUIDlg::PostNcDestroy()
{
    CRKTraceScope trace("CCopyUIDlg::PostNcDestroy");
    if (CCopyApp* pApp = CopyApp()) {
        pApp->m_hDlgWnd = NULL;
        pApp->m_pToolTip = NULL;
    }
    CDialog::PostNcDestroy();
}

}  // namespace replika

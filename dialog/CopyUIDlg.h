// The copy dialog: the program's one main window (template 102). Its operations are
// spread over one source per concern (lifecycle, binding, settings model, media lists,
// constraint rules, control handlers, submission, save and restore, device events);
// the logic they share works on the records and is testable without a window.
#pragma once

#include "framework/afxwin.h"
#include "framework/afxcom.h"

#include <cstdint>

#include "controls/CustomGroupBox.h"
#include "controls/CustomStatic.h"
#include "controls/ImgButton.h"
#include "device/ICopyAPI.h"
#include "device/IUsageRecorder.h"
#include "records/CopierFunctional.h"
#include "records/RKCopyState.h"
#include "dialog/RKGUIError.h"
#include "settings/SettingsFiles.h"

#include <memory>

class CProcessMessage;
class CFeederEventTarget;

// Process-wide buffers for the device events, allocated by InitializeAPI and
// freed when the dialog is destroyed (CCopyUIDlg::FreeEventBuffers).
extern char* g_pszCtx;           // the context ID that came with the last event
extern int32_t* g_pnInkLowData;  // the three values of the last ink-low event

// The four device-event messages of this dialog's context, registered at dialog start.
extern UINT g_uPaperInADFMsg;
extern UINT g_uDeviceBusyMsg;
extern UINT g_uInkLowMsg;
extern UINT g_uDeviceDisconnectMsg;

// Posted by the dialog to itself after a busy or idle event: the display takes the last state.
const UINT WM_APPLY_BUSY_STATE = WM_APP + 0x52;

namespace replika {

struct RuleControls;

// The kind of original as held by bTextMode and bEnhanceLightClr.
enum OriginalKind {
    ORIGINAL_NONE,  // both 0: no original button is touched
    ORIGINAL_TEXT,
    ORIGINAL_PHOTO,
    ORIGINAL_MIXED
};

class CCopyUIDlg : public CDialog
{
public:
    CCopyUIDlg(CWnd* pParent, LPCSTR pszCtxID, LPCSTR pszProtocol);
    virtual ~CCopyUIDlg();
    CCopyUIDlg(const CCopyUIDlg&) = delete;
    CCopyUIDlg& operator=(const CCopyUIDlg&) = delete;

    virtual INT_PTR DoModal();

    // Splits "#maker#product#device ID"; 0 when a part is missing.
    static int ParseContextID(const CString& cstrCtxID, CString& cstrManfctr, CString& cstrProduct,
                              CString& cstrDeviceID);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void PostNcDestroy();

    // Lifecycle.
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnInstanceProbe(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnClose();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM nEventData);

    // Copy submission.
    afx_msg void OnBtnBlack();
    afx_msg void OnBtnColor();

    // Control handlers.
    afx_msg void OnRbnBest();
    afx_msg void OnRbnNormal();
    afx_msg void OnRbnFast();
    afx_msg void OnRbnText();
    afx_msg void OnRbnMixed();
    afx_msg void OnRbnPhoto();
    afx_msg void OnRbnActualSize();
    afx_msg void OnRbnFitToPage();
    afx_msg void OnRbnBorderless();
    afx_msg void OnRbnCustomSize();
    afx_msg void OnChangeEdbCopies();
    afx_msg void OnChangeEdbScale();
    afx_msg void OnReleasedCaptureContrast(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    void OnSliderScroll(UINT nSBCode);
    void OnBtnLight();
    void OnBtnDark();

    // Media lists.
    afx_msg void OnSelchangeCobSize();
    afx_msg void OnSelchangeCobType();
    afx_msg void OnEditchangeCobSource();

    // Save and restore.
    afx_msg void OnBtnRestoreFactory();
    afx_msg void OnBtnSave();

    // Help.
    afx_msg void OnBtnHelp();

    // Device events.
    afx_msg LRESULT OnPaperInADF(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceBusy(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInkLow(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceDisconnect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnApplyBusyState(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFeederOutcome(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    friend struct CCopyUIDlgTestAccess;  // the unit tests reach the members through it

    enum { IDD = 102 };
    enum { RULE_COUNT = 16 };
    // The trace name of everything OnInitDialog and its first-use steps write.
    static constexpr char kTraceInit[] = "CCopyUIDlg::OnInitDialog";

    // Device binding.
    void SetDefaultState();
    HRESULT InitializeAPI();
    void FreeEventBuffers();

    // Settings model.
    void InitializeCopierFuncStruc(CopierFunctional* pCopierFunc);
    bool PopulateStateFromDevice();
    void ValidateState();
    void PreInitializeUI();

    // The model side of PreInitializeUI: what the controls are to show.
    void LogStateForUI();
    static int QualityToShow(int nQuality);  // 1, 2 or 3
    static int ImageSizeRadioToShow(int nSpecialFeatureRadio);
    static int ListIndexToSelect(int nIndex, int nListMax, const char* pszOutOfRangeText);
    static OriginalKind OriginalToShow(int bTextMode, int bEnhanceLightClr);

    // Media lists: the item data of the Type and Size lists; freed when the dialog is destroyed.
    bool FillCombos();
    bool FillMediaTypesCombo();
    bool FillMediaSizesCombo();
    bool FillMediaSourcesCombo();
    bool FillMediaList(CComboBox& list, int nKind, const char* pszName);
    void FreeMediaItemData();
    void SetDefaultPaperSize();
    void UpdateBorderlessRadio();
    void EnableBorderlessRadio(bool bAllowed);

    // Constraint rules: UIConstraints runs the rules whose bits are set in the mask; each
    // rule reads the controls it touches, changes them by its logic and writes them back.
    void UIConstraints(int nMask);
    void RestrictnAA();
    void RestrictnAB();
    void RestrictnAC();
    void RestrictnAD();
    void RestrictnAE();
    void RestrictnAF();
    void RestrictnAG();
    void RestrictnAH();
    void RestrictnAI();
    void RestrictnAJ();
    void RestrictnAK();
    void RestrictnAL();
    void RestrictnAM();
    void RestrictnAN();
    void RestrictnAO();
    void RestrictnAP();
    void ApplyRule(void (*pfnLogic)(CRKCopyState&, RuleControls&), bool bAskDevice = false);
    bool IsDocInADF();
    bool SelectFirstTypeWithID(int nMediaID);

    // Control handlers and submission.
    HRESULT Copy_Click();
    void StoreQuality(int nQuality);
    void EnablePercentControls(bool bEnable);
    void CopyFromButton(int bColorCopy, const char* pszTrace);
    bool WaitForOriginalInFeeder();
    INT_PTR ShowStatus(UINT nIDMessage, UINT nIDCancelCaption);

    // Appearance (the seams of OnInitDialog, in its order).
    void AttachGroupBoxes();      // the four group boxes become owner-drawn frames
    void AttachCaptions();        // the three caption statics, blue, sized to their text
    void LayOutFrames();          // frame edges and the gaps under the captions
    void SetUpPictureButtons();   // the five picture buttons and their faces
    void LoadBandsAndPictures();  // header and footer bands, their pictures and the title text
    void InitializeToolTip();
    void FitStaticToText(CCustomStatic& stc, const CString& cstrText);
    // The pictures are let go before GDI+ is shut down (OnDestroy).
    void ReleasePictures();

    // Help and usage recording.
    static DWORD WINAPI HelpThreadProc(LPVOID pDialog);
    void InitFliteRec();
    void UpdateFliteRecorder();

    // Device events: the busy display.
    void EnterBusyState();
    void LeaveBusyState();
    // One step of the busy animation while busy; otherwise the strip in the background colour.
    void DrawBusyStrip();

    // Lifecycle.
    // The point size DoModal gives the dialog font; 0 keeps the template's own font.
    static int DialogFontPointSize(int nPixelsPerInch, int nScreenWidth);
    bool BindDeviceAndLoadSettings();
    void InitSystemMenu();
    void InitSpinsAndContrast();
    void InitBusyDisplay();
    bool RegisterDeviceEvents();
    void StartWorkerThread();
    void StopWorkerThread();
    void ForwardToWorker(UINT nMessage, WPARAM wParam);
    bool IsEventForThisContext(const char* pszHandler, LPARAM lParam);
    void ShowStartFailure(UINT nIDMessage);
    void ApplyPaperSelections();
    void HideBorderlessChoice();
    void ShowAboutBox();

    // First use and the settings files.
    bool FormSettingsFileNames();
    bool SettingsFilePath(const char* pszFileName, char* pszPath, size_t cchPath) const;
    void LoadOrCreateSettings();
    bool CreateSettingsFiles();
    void SaveStartLocation();

    // Image-size radio buttons.
    CButton m_rbnFitToPage;
    CButton m_rbnActualSize;
    CButton m_rbnBorderless;
    CButton m_rbnCustomSize;
    CString m_cstrTitle;
    int m_bBorderlessCapable;
    int m_nCtxLength;
    CProcessMessage* m_pWorkerThread;
    HANDLE m_hWorkerThread;  // stays valid until OnDestroy has waited on it
    CRKCopyState m_rkCopyState;
    CComPtr<ICopyAPI> m_pCopyAPI;
    CString m_cstrCtxID;
    CString m_cstrProtocol;
    CString m_cstrManfctr;
    CString m_cstrProduct;
    CString m_cstrDeviceID;
    CopierFunctional* m_pCopierFunctional;
    CToolTipCtrl* m_pToolTip;
    CRKGUIError m_rkGUIError;
    CStatic m_stcLight;
    CStatic m_stcDark;
    CImgButton m_btnBlack;
    CImgButton m_btnColor;
    CStatic m_stcCopyInProgress;
    CStatic m_stcBusyStrip;
    int m_bBusy;
    CRect m_rcBusyStrip;
    CRect m_rcBusyBlock;
    CRect m_rcBusyLeft;
    CRect m_rcBusyRight;
    ULONG_PTR m_ulGdiplusToken;
    CImgButton m_btnHelp;
    CImgButton m_btnRestoreFactory;
    CImgButton m_btnSave;
    CString m_cstrHeaderText;
    CRect m_rcHeader;
    CRect m_rcFooter;
    CRect m_rcClient;
    CComboBox m_cobSize;
    CComboBox m_cobSource;
    CComboBox m_cobType;
    CEdit m_edbCopies;
    CEdit m_edbScale;
    CButton m_rbnBest;
    CButton m_rbnFast;
    CButton m_rbnMixed;
    CButton m_rbnNormal;
    CButton m_rbnPhoto;
    CButton m_rbnText;
    CStatic m_stcPercent;
    CSpinButtonCtrl m_spnScale;
    CSpinButtonCtrl m_spnCopies;
    CSliderCtrl m_sldContrast;
    CBrush m_brBackground;
    CBrush m_brBlock;
    COLORREF m_clrBackground;
    COLORREF m_clrBlueDark;
    COLORREF m_clrBlueLight;
    int m_nConstraintMask;
    void (CCopyUIDlg::*m_pfnRules[RULE_COUNT])();
    int m_bAdfOnly;
    HANDLE m_hHelpThread;
    HICON m_hIcon;
    // Appearance: caption statics, group-box frames, band pictures, right-to-left flag.
    CCustomStatic m_stcOriginal;
    CCustomStatic m_stcCopy;
    CCustomStatic m_stcSettings;
    CCustomGroupBox m_grpOriginal;
    CCustomGroupBox m_grpSettings;
    CCustomGroupBox m_grpCopy;
    CCustomGroupBox m_grpPaper;
    GdiPicture m_pHeaderLeft;
    GdiPicture m_pHeaderRight;
    GdiPicture m_pFooter;
    BOOL m_bRTL = FALSE;
    // Usage recording.
    CComPtr<IVela> m_pVela;
    CComPtr<IUsageStorage> m_pUsageStorage;
    int m_bUsageReady = 0;
    DWORD m_dwWorkerThreadID;  // 0 once the worker was told to end

    // Device events: the busy state a run of events settles on, the feeder outcome in hand,
    // and what the status-message thread shares with the dialog.
    void EnableCopyButtons(BOOL bEnable);
    void DrawHeaderBand(HDC hDC);
    bool m_bBusyWanted = false;
    bool m_bBusyApplyPending = false;
    LPARAM m_nFeederDocInADF = -1;  // the device's answer for the feeder event in hand; -1: ask it
    std::shared_ptr<CFeederEventTarget> m_pEventTarget;
};

}  // namespace replika

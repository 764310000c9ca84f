// The copy dialog: the program's one main window. This part holds the device
// binding and the settings model; the window itself grows around it.
#pragma once

#include "framework/afxwin.h"

#include <cstdint>

#include "device/ICopyAPI.h"
#include "dialog/CopierFunctional.h"
#include "dialog/RKCopyState.h"
#include "dialog/RKGUIError.h"

// Process-wide buffers for the device events, allocated by InitializeAPI and
// freed when the dialog is destroyed (CCopyUIDlg::FreeEventBuffers).
extern char* g_pszCtx;          // the context ID that came with the last event
extern int32_t* g_pnInkLowData; // the three values of the last ink-low event

// Settings folder and the per-device file names ("D"/"F" + device ID + ".xml").
extern char g_szSettingsFolder[MAX_PATH];
extern char g_szDefaultFileName[MAX_PATH];
extern char g_szFactoryFileName[MAX_PATH];

namespace replika
{

// The kind of original as held by bTextMode and bEnhanceLightClr.
enum OriginalKind
{
    ORIGINAL_NONE,   // both 0: no original button is touched
    ORIGINAL_TEXT,
    ORIGINAL_PHOTO,
    ORIGINAL_MIXED
};

class CCopyUIDlg : public CDialog
{
public:
    enum { IDD = 102 };

    CCopyUIDlg(CWnd* pParent, LPCSTR pszCtxID, LPCSTR pszProtocol);
    virtual ~CCopyUIDlg();

    // Context ID and device binding.
    static int ParseContextID(const CString& cstrCtxID, CString& cstrManfctr,
                              CString& cstrProduct, CString& cstrDeviceID);
    void SetDefaultState();
    HRESULT InitializeAPI();
    void FreeEventBuffers();

    // Settings model.
    void InitializeCopierFuncStruc(CopierFunctional* pCopierFunc);
    bool PopulateStateFromDevice();
    void ValidateState();

    // The model side of PreInitializeUI: what the controls are to show.
    void LogStateForUI();
    static int QualityToShow(int nQuality);              // 1, 2 or 3
    static int ImageSizeRadioToShow(int nSpecialFeatureRadio);
    static OriginalKind OriginalToShow(int bTextMode, int bEnhanceLightClr);
    static int ListIndexToSelect(int nIndex, int nListMax, const char* pszOutOfRangeText);

    int m_bBorderlessCapable;
    int m_nCtxLength;
    CRKCopyState m_rkCopyState;
    ICopyAPI* m_pCopyAPI;
    CString m_cstrCtxID;
    CString m_cstrProtocol;
    CString m_cstrManfctr;
    CString m_cstrProduct;
    CString m_cstrDeviceID;
    CopierFunctional* m_pCopierFunctional;
    CRKGUIError m_rkGUIError;
    int m_nConstraintMask;

private:
    CCopyUIDlg(const CCopyUIDlg&) = delete;
    CCopyUIDlg& operator=(const CCopyUIDlg&) = delete;
};

}  // namespace replika

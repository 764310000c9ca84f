// Context ID and device binding: split the context ID, fill the default
// settings, create the device copy component and bind it to the device.
#include "dialog/CopyUIDlg.h"

#include <cstring>

#include "dialog/LoggedStep.h"
#include "log/RKLog.h"

char* g_pszCtx = nullptr;
int32_t* g_pnInkLowData = nullptr;

namespace {
const int kFieldLen = 260;
const int kInkLowBytes = 12;

// Next "#"-separated token from *ppsz, in the manner of _mbstok: leading
// separators are skipped and a run of them ends a token. DBCS trail bytes
// are never taken for a separator.
bool NextToken(const char** ppsz, char* pszOut, int cchOut)
{
    const char* p = *ppsz;
    while (*p == '#')
        ++p;
    if (*p == '\0') {
        *ppsz = p;
        return false;
    }
    const char* start = p;
    while (*p && *p != '#')
        p += (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) ? 2 : 1;
    int len = static_cast<int>(p - start);
    if (len > cchOut - 1)
        len = cchOut - 1;
    memcpy(pszOut, start, static_cast<size_t>(len));
    pszOut[len] = '\0';
    *ppsz = p;
    return true;
}
}  // namespace

namespace replika {

int CCopyUIDlg::ParseContextID(const CString& cstrCtxID, CString& cstrManfctr, CString& cstrProduct,
                               CString& cstrDeviceID)
{
    CRKTraceScope trace("CCopyUIDlg::ParseContextID");
    CString cstrCopy(cstrCtxID);
    if (cstrCopy.IsEmpty()) {
        g_pLog->LogDetailedTrace("Context id string length is zero");
        return 0;
    }

    char szManfctr[kFieldLen] = "";
    char szProduct[kFieldLen] = "";
    char szDeviceID[kFieldLen] = "";
    const char* pszRest = static_cast<LPCSTR>(cstrCopy);
    if (NextToken(&pszRest, szManfctr, kFieldLen) && NextToken(&pszRest, szProduct, kFieldLen))
        NextToken(&pszRest, szDeviceID, kFieldLen);

    cstrManfctr = szManfctr;
    cstrProduct = szProduct;
    cstrDeviceID = szDeviceID;
    return 1;
}

void CCopyUIDlg::SetDefaultState()
{
    CRKTraceScope trace("CCopyUIDlg::SetDefaultState");
    SYSTEMTIME stNow;
    GetLocalTime(&stNow);

    CRKCopyState& s = m_rkCopyState;
    s = CRKCopyState();
    lstrcpynA(s.strFileName, g_szDefaultFileName, STATE_TEXT_LEN);
    FormatStateDateTime(stNow, s.strDateTime, STATE_TEXT_LEN);
    lstrcpynA(s.strCtxID, m_cstrCtxID, STATE_TEXT_LEN);
    lstrcpynA(s.strModality, "Unknown", STATE_TEXT_LEN);

    s.pStartLoc.x = 100;
    s.pStartLoc.y = 0;
    s.bColorCopyRequested = 1;
    s.bMultipleCopiesPerPage = 1;
    s.bTextMode = 1;
    s.bUsingCreativeCopy = 1;
    s.nAllowedCopyQualities = 7;
    s.nBrightness = 50;
    s.nCCHowMany = 2;
    s.nNbrCopies = 1;
    s.nMaxCopies = 50;
    s.nMinCopies = 1;
    s.nPaperSize = 2;
    s.nPaperType = 1;
    s.nPosterWidth = 2;
    s.nQuality = QUALITY_NORMAL;
    s.nReduceEnlarge = 100;
    s.nScaleRangeHigh = 400;
    s.nScaleRangeLow = 25;
    s.nTraySelection = 1;
    s.nSpecialFeatureRadio = SFR_ACTUAL_SIZE;
    s.nSpecialFeatureMode = SFM_ACTUAL_OR_CUSTOM;
    s.nBorderlessSupport = 1;
    for (int i = 0; i < STATE_ENABLE_FLAGS; ++i)
        s.pbEnableXDL[i] = 1;
}

void CCopyUIDlg::FreeEventBuffers()
{
    if (g_pszCtx) {
        GlobalFree(g_pszCtx);
        g_pszCtx = nullptr;
    }
    if (g_pnInkLowData) {
        GlobalFree(g_pnInkLowData);
        g_pnInkLowData = nullptr;
    }
}

HRESULT CCopyUIDlg::InitializeAPI()
{
    static const char kTrace[] = "CCopyUIDlg::InitializeAPI";
    CRKTraceScope trace(kTrace);
    HRESULT hr = E_FAIL;
    const ExceptionRecords kBindingRecords = {/*bUpperHexCode=*/true, /*bFrameworkMessage=*/true};
    const bool bCompleted = RunLoggedStep(kTrace, kBindingRecords, hr, [&] {
        hr = m_pCopyAPI.CoCreateInstance(CLSID_CopyAPI, IID_ICopyAPI);
        if (FAILED(hr)) {
            m_pCopyAPI.Release();
            g_pLog->LogError("%s - CoCreate for API failed with 0x%x", kTrace, static_cast<unsigned>(hr));
            m_rkGUIError.SetFromStatus(hr);
        } else {
            CBstr bstrProtocol(m_cstrProtocol);
            CBstr bstrCtxID(m_cstrCtxID);
            m_nCtxLength = m_cstrCtxID.GetLength();
            FreeEventBuffers();
            g_pszCtx = static_cast<char*>(GlobalAlloc(GPTR, static_cast<SIZE_T>(m_nCtxLength) + 1));
            g_pnInkLowData = static_cast<int32_t*>(GlobalAlloc(GPTR, kInkLowBytes));

            hr = m_pCopyAPI->InitProtocol(bstrProtocol, bstrCtxID);
            if (FAILED(hr)) {
                g_pLog->LogError("%s - InitProtocol API failed with 0x%x", kTrace, static_cast<unsigned>(hr));
                m_rkGUIError.SetFromStatus(hr);
            } else {
                m_pCopyAPI->SetNotifyWindow(GetSafeHwnd());
            }
        }
    });
    if (!bCompleted)
        m_rkGUIError.SetFromStatus(hr);
    return hr;
}

}  // namespace replika

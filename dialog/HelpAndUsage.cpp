// Help (the help library, called on a thread of its own) and usage recording (the Vela
// object, connected at the first record).
#include "dialog/CopyUIDlg.h"

#include "log/RKLog.h"

namespace replika {

namespace {

const char kHelpLibrary[] = "qvkspr08.dll";
const char kHelpExport[] = "_SprigHandleHelpButton@12";
const int kHelpTopic = 3004;
const char kVendor[] = "#Quorvane";
const LONG kUsageStorageKind = 2;

typedef int(WINAPI* HelpButtonFn)(HWND hWnd, int nReserved, int nTopic);

struct UsageEvent
{
    LONG nID;
    const char* pszName;
    const char* pszFailure;
};

const UsageEvent* OriginalUsageEvent(OriginalKind original)
{
    static const UsageEvent kText = {85, "CopyTextButtonSelection", "QVAiO_SWCStrCopyTextButtonSelection - FRU failed"};
    static const UsageEvent kPhoto = {84, "CopyPhotoButtonSelection",
                                      "QVAiO_SWCStrCopyPhotoButtonSelection - FRU failed"};
    static const UsageEvent kMixed = {86, "CopyMixedButtonSelection",
                                      "QVAiO_SWCStrCopyMixedButtonSelection - FRU failed"};
    switch (original) {
    case ORIGINAL_TEXT:
        return &kText;
    case ORIGINAL_PHOTO:
        return &kPhoto;
    case ORIGINAL_MIXED:
        return &kMixed;
    default:
        return nullptr;
    }
}

const UsageEvent* QualityUsageEvent(int nQuality)
{
    static const UsageEvent kQualities[] = {
        {89, "CopyFastQualitySelection", "QVAiO_SWCStrCopyFastQualitySelection - FRU failed"},
        {88, "CopyNormalQualitySelection", "QVAiO_SWCStrCopyNormalQualitySelection - FRU failed"},
        {87, "CopyBestQualitySelection", "QVAiO_SWCStrCopyBestQualitySelection - FRU failed"},
    };
    return nQuality >= 1 && nQuality <= 3 ? &kQualities[nQuality - 1] : nullptr;
}

}  // namespace

void CCopyUIDlg::OnBtnHelp()
{
    auto trace = CRKTraceScope::Prefixed("OnBtnHelp");
    HANDLE hThread = ::CreateThread(NULL, 0, &CCopyUIDlg::HelpThreadProc, this, 0, NULL);
    if (hThread) {
        if (m_hHelpThread)
            ::CloseHandle(m_hHelpThread);  // the earlier help thread runs on by itself
        m_hHelpThread = hThread;
    }
}

// Touches nothing of the dialog but its window handle.
DWORD WINAPI CCopyUIDlg::HelpThreadProc(LPVOID pDialog)
{
    auto trace = CRKTraceScope::Prefixed("HelpThreadProc");
    HWND hWnd = pDialog ? static_cast<CCopyUIDlg*>(pDialog)->m_hWnd : NULL;
    if (HMODULE hLibrary = ::LoadLibraryA(kHelpLibrary)) {
        g_pLog->LogDetailedTrace("qvkspr08.dll loaded");
        if (HelpButtonFn pfnHelp =
                reinterpret_cast<HelpButtonFn>(reinterpret_cast<void*>(::GetProcAddress(hLibrary, kHelpExport))))
            pfnHelp(hWnd, 0, kHelpTopic);
        ::FreeLibrary(hLibrary);
    }
    return 0;
}

void CCopyUIDlg::InitFliteRec()
{
    CBstr bstrVendor(kVendor), bstrInstance(kVendor);
    auto trace = CRKTraceScope::Prefixed("method InitFliteRec");
    try {
        if (FAILED(m_pVela.CoCreateInstance(CLSID_Vela, IID_IVela, CLSCTX_SERVER)))
            g_pLog->LogError("Vela object creation failed");
        else if (FAILED(m_pVela->SetInstance(bstrVendor, bstrInstance, 0)))
            g_pLog->LogError("SetInstance failed");
        else if (FAILED(m_pVela->GetUsageStorage(bstrVendor, kUsageStorageKind, &m_pUsageStorage)))
            g_pLog->LogError("Could not get pointer to UsageStorageInterface");
        else
            m_bUsageReady = 1;
    } catch (...) {
    }
}

void CCopyUIDlg::UpdateFliteRecorder()
{
    auto trace = CRKTraceScope::Prefixed("method UpdateFliteRecorder", "Entered ");
    if (!m_pUsageStorage && m_bUsageReady == 0)
        InitFliteRec();
    if (!m_pUsageStorage) {
        g_pLog->LogError("UsageStorageInterface pointer is NULL");
        return;
    }
    const UsageEvent* events[] = {
        OriginalUsageEvent(OriginalToShow(m_rkCopyState.bTextMode, m_rkCopyState.bEnhanceLightClr)),
        QualityUsageEvent(m_rkCopyState.nQuality)};
    try {
        for (const UsageEvent* pEvent : events) {
            if (!pEvent)
                continue;
            CBstr bstrName(pEvent->pszName);
            if (FAILED(m_pUsageStorage->Record(pEvent->nID, bstrName, 1, 0)))
                g_pLog->LogError("%s", pEvent->pszFailure);
        }
    } catch (...) {
    }
}

}  // namespace replika

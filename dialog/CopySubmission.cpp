// Copy submission: Color Copy and Black Copy send a job built from the settings to the device.
#include "dialog/CopyUIDlg.h"

#include "dialog/CopyJob.h"
#include "dialog/LoggedStep.h"
#include "log/RKLog.h"
#include "res/resource.h"
#include "status/StatusDlg.h"

namespace replika {

void CCopyUIDlg::OnBtnBlack() { CopyFromButton(0, "CCopyUIDlg::OnBtnBlack"); }

void CCopyUIDlg::OnBtnColor() { CopyFromButton(1, "CCopyUIDlg::OnBtnColor"); }

void CCopyUIDlg::CopyFromButton(int bColorCopy, const char* pszTrace)
{
    CRKTraceScope trace(pszTrace);
    m_rkCopyState.bColorCopyRequested = bColorCopy;
    if (SUCCEEDED(Copy_Click()))
        return;
    const int nErrorIndex = m_rkGUIError.GetErrorIndex();
    if (nErrorIndex != ERRIDX_NONE) {
        m_rkGUIError.Reset();
        ShowStatus(CRKGUIError::ErrorIndexToStringId(nErrorIndex), 0);
        if (nErrorIndex == ERRIDX_NOT_RESPONDING)
            PostQuitMessage(0);  // the device is gone: the application ends
    }
    g_pLog->LogError("%s - Failed to execute Copy_Click", pszTrace);
}

// The status dialog with message nIDMessage and "OK", and a Cancel button when nIDCancelCaption is given.
INT_PTR CCopyUIDlg::ShowStatus(UINT nIDMessage, UINT nIDCancelCaption)
{
    CString cstrMessage, cstrOK, cstrCancel;
    cstrMessage.LoadString(nIDMessage);
    cstrOK.LoadString(IDS_OK);
    if (nIDCancelCaption)
        cstrCancel.LoadString(nIDCancelCaption);
    CStatusDlg dlg(this, cstrMessage, cstrOK, cstrCancel, 1, nIDCancelCaption ? 1 : 0, m_cstrTitle);
    return dlg.DoModal();
}

// A feeder-only device: asks until an original is in the feeder; false when the user cancels.
bool CCopyUIDlg::WaitForOriginalInFeeder()
{
    for (;;) {
        LONG bDocInADF = 0;
        if (FAILED(m_pCopyAPI->GetDocInADF(&bDocInADF)) || bDocInADF != 0)
            return true;
        if (ShowStatus(IDS_ERR_NO_ORIGINAL_IN_ADF, IDS_CANCEL) != IDOK)
            return false;
    }
}

HRESULT CCopyUIDlg::Copy_Click()
{
    static const char kTrace[] = "CCopyUIDlg::Copy_Click";
    CRKTraceScope trace(kTrace);
    HRESULT hr = E_POINTER;
    const ExceptionRecords kSubmissionRecords = {/*bUpperHexCode=*/false, /*bFrameworkMessage=*/false};
    const bool bCompleted = RunLoggedStep(kTrace, kSubmissionRecords, hr, [&] {
        if (!m_pCopyAPI) {
            g_pLog->LogError("%s - no device interface", kTrace);
            m_rkGUIError.SetFromStatus(hr);
            return;
        }
        if (m_bAdfOnly == 1) {
            g_pLog->LogDetailedTrace("%s - Device is ADF only", kTrace);
            if (!WaitForOriginalInFeeder()) {
                g_pLog->LogDetailedTrace("%s - User Cancelled copy job as there is no doc in ADF", kTrace);
                hr = S_OK;
                return;
            }
        }
        m_rkCopyState.nNbrCopies = m_spnCopies.GetPos32();
        hr = m_pCopyAPI->SubmitCopy(MakeCopyJob(m_rkCopyState));
        if (SUCCEEDED(hr)) {
            UpdateFliteRecorder();
            return;
        }
        const int nErrorIndex = CRKGUIError::MapStatusToErrorIndex(hr);
        if (nErrorIndex == ERRIDX_INK_CARTRIDGE_EMPTY) {
            UpdateFliteRecorder();
            m_pCopyAPI->SetStatusPaused(1);
            ShowStatus(IDS_ERR_INK_EMPTY, 0);
            m_pCopyAPI->SetStatusPaused(0);
            m_rkGUIError.Reset();
            return;
        }
        g_pLog->LogError("%s  - Submit copy Api failed with 0x%x", kTrace, static_cast<unsigned>(hr));
        m_rkGUIError.SetErrorIndex(nErrorIndex);
    });
    if (!bCompleted)
        m_rkGUIError.SetFromStatus(hr);
    return hr;
}

}  // namespace replika

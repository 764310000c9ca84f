// Media lists: the paper source, size and type lists filled from the device's capabilities.
#include "dialog/CopyUIDlg.h"

#include "dialog/MediaCatalog.h"
#include "log/RKLog.h"

namespace replika {

namespace {

void FreeItemDataOf(CComboBox& list)
{
    if (!list.GetSafeHwnd())
        return;
    for (int nPos = list.GetCount() - 1; nPos >= 0; --nPos) {
        delete MediaItemAt(list, nPos);
        list.SetItemData(nPos, 0);
    }
}

bool SelectionAllowsBorderless(const CComboBox& list)
{
    const MediaItemData* pData = MediaItemAt(list, list.GetCurSel());
    return pData && pData->bBorderless;
}
}  // namespace

bool CCopyUIDlg::FillCombos()
{
    auto trace = CRKTraceScope::Prefixed("FillCombos", "Enetering ");
    delete m_pCopierFunctional;
    m_pCopierFunctional = new CopierFunctional();
    HRESULT hr = E_POINTER;  // no device interface: nothing to ask
    if (m_pCopyAPI) {
        InitializeCopierFuncStruc(m_pCopierFunctional);
        hr = m_pCopyAPI->GetCapabilities(m_pCopierFunctional);
    }
    if (m_pCopierFunctional->nBorderlessSupport == 2)
        m_bBorderlessCapable = 1;
    if (FAILED(hr)) {
        delete m_pCopierFunctional;
        m_pCopierFunctional = nullptr;
        m_rkGUIError.SetFromStatus(hr);
        g_pLog->LogError("GetCapabilities failed");
        trace.OmitExit();
        return false;
    }
    if (!FillMediaTypesCombo() || !FillMediaSizesCombo() || !FillMediaSourcesCombo()) {
        m_rkGUIError.SetErrorIndex(ERRIDX_NOT_RESPONDING);
        trace.OmitExit();
        return false;
    }
    return true;
}

bool CCopyUIDlg::FillMediaTypesCombo() { return FillMediaList(m_cobType, MEDIA_TYPES, "FillMediaTypesCombo"); }

bool CCopyUIDlg::FillMediaSizesCombo() { return FillMediaList(m_cobSize, MEDIA_SIZES, "FillMediaSizesCombo"); }

bool CCopyUIDlg::FillMediaList(CComboBox& list, int nKind, const char* pszName)
{
    auto trace = CRKTraceScope::Prefixed(pszName);
    FreeItemDataOf(list);
    list.ResetContent();
    bool bAllAdded = true;
    const std::vector<MediaEntry> entries = m_pCopierFunctional
                                                ? MediaEntries(*m_pCopierFunctional, static_cast<MediaListKind>(nKind))
                                                : std::vector<MediaEntry>();
    for (const MediaEntry& entry : entries) {
        g_pLog->LogDetailedTrace("%s", entry.strName.c_str());
        const int nPos = list.AddString(entry.strName.c_str());
        if (nPos < 0) {
            g_pLog->LogError("%s Addstring failed", entry.strName.c_str());
            bAllAdded = false;
            break;
        }
        list.SetItemDataPtr(nPos, new MediaItemData(entry.data));
    }
    list.SetCurSel(0);
    return bAllAdded;
}

bool CCopyUIDlg::FillMediaSourcesCombo()
{
    auto trace = CRKTraceScope::Prefixed("FillMediaSourcesCombo");
    m_cobSource.ResetContent();
    bool bAllAdded = true;
    const std::vector<SourceEntry> entries =
        m_pCopierFunctional ? SourceEntries(*m_pCopierFunctional) : std::vector<SourceEntry>();
    for (const SourceEntry& entry : entries) {
        CString cstrText;
        cstrText.LoadString(entry.nStringID);
        const int nPos = m_cobSource.AddString(cstrText);
        if (nPos < 0) {
            g_pLog->LogError("MediaSourcesCombo %s Addstring failed", entry.pszLogName);
            bAllAdded = false;
            continue;
        }
        m_cobSource.SetItemData(nPos, static_cast<DWORD_PTR>(entry.nTraySelection));
    }
    m_cobSource.SetCurSel(0);
    m_rkCopyState.nTraySelection = 1;
    return bAllAdded;
}

void CCopyUIDlg::FreeMediaItemData()
{
    FreeItemDataOf(m_cobType);
    FreeItemDataOf(m_cobSize);
}

void CCopyUIDlg::SetDefaultPaperSize()
{
    CRKTraceScope trace("CCopyUIDlg::SetDefaultPaperSize");
    if (!m_pCopierFunctional)
        return;
    const int32_t nDefaultID = m_pCopierFunctional->nDefaultMediaSize;
    const int nCount = m_cobSize.GetCount();
    for (int nPos = 0; nPos < nCount; ++nPos) {
        m_cobSize.SetCurSel(nPos);
        const MediaItemData* pData = MediaItemAt(m_cobSize, nPos);
        if ((pData ? pData->nMediaID : 0) == nDefaultID) {
            m_rkCopyState.nPaperSizeIndex = nPos;
            m_rkCopyState.nPaperSize = nDefaultID;
            return;
        }
    }
}

void CCopyUIDlg::UpdateBorderlessRadio()
{
    EnableBorderlessRadio(SelectionAllowsBorderless(m_cobSize) && SelectionAllowsBorderless(m_cobType));
}

void CCopyUIDlg::EnableBorderlessRadio(bool bAllowed)
{
    m_rbnBorderless.EnableWindow(bAllowed);
    if (!bAllowed && m_rbnBorderless.GetCheck() == BST_CHECKED) {
        m_rbnBorderless.SetCheck(BST_UNCHECKED);
        m_rbnFitToPage.SetCheck(BST_CHECKED);
    }
}

void CCopyUIDlg::OnSelchangeCobSize()
{
    CRKTraceScope trace("CCopyUIDlg::OnSelchangeCobSize");
    ReadBackSelection(m_cobSize, m_rkCopyState.nPaperSizeIndex, m_rkCopyState.nPaperSize);
    UIConstraints(m_nConstraintMask);
    UpdateBorderlessRadio();
}

void CCopyUIDlg::OnSelchangeCobType()
{
    CRKTraceScope trace("CCopyUIDlg::OnSelchangeCobType");
    ReadBackSelection(m_cobType, m_rkCopyState.nPaperTypeIndex, m_rkCopyState.nPaperType);
    UIConstraints(m_nConstraintMask);
    UpdateBorderlessRadio();
}

void CCopyUIDlg::OnEditchangeCobSource()
{
    CRKTraceScope trace("CCopyUIDlg::OnEditchangeCobSource");
    const int nPos = m_cobSource.GetCurSel();
    if (nPos == CB_ERR)
        return;
    const DWORD_PTR nTray = m_cobSource.GetItemData(nPos);
    m_rkCopyState.nTraySelection = (nTray == 2 || nTray == 3) ? static_cast<int32_t>(nTray) : 1;
}

bool CCopyUIDlg::SelectFirstTypeWithID(int nMediaID)
{
    const int nCount = m_cobType.GetCount();
    for (int nPos = 0; nPos < nCount; ++nPos) {
        const MediaItemData* pData = MediaItemAt(m_cobType, nPos);
        if (pData && pData->nMediaID == nMediaID) {
            m_cobType.SetCurSel(nPos);
            return true;
        }
    }
    return false;
}

}  // namespace replika

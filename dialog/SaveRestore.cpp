// Save Settings, Restore Factory and the start location written when the window goes.
#include "dialog/CopyUIDlg.h"

#include "dialog/MediaItemData.h"
#include "log/RKLog.h"

namespace replika {

void CCopyUIDlg::OnBtnSave()
{
    static const char kTrace[] = "CCopyUIDlg::OnBtnSave";
    CRKTraceScope trace(kTrace);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_rkCopyState.pStartLoc.x = rcWindow.left;
    m_rkCopyState.pStartLoc.y = rcWindow.top;
    char szPath[MAX_PATH];
    if (!SettingsFilePath(g_szDefaultFileName, szPath, sizeof(szPath))) {
        g_pLog->LogError("%s - Failed to write default XML", kTrace);
        return;
    }
    if (m_rkCopyState.SaveSettings(szPath))
        g_pLog->LogDetailedTrace("%s - Succesfully written to default XML", kTrace);
    else
        g_pLog->LogError("%s - Failed to write default XML", kTrace);
}

void CCopyUIDlg::OnBtnRestoreFactory()
{
    static const char kTrace[] = "CCopyUIDlg::OnBtnRestoreFactory";
    CRKTraceScope trace(kTrace);
    char szPath[MAX_PATH];
    if (SettingsFilePath(g_szFactoryFileName, szPath, sizeof(szPath)) && m_rkCopyState.GetSettings(szPath))
        g_pLog->LogDetailedTrace("%s - Succesfully written to FactorySettings XML", kTrace);
    else
        g_pLog->LogError("%s - Failed to write FactorySettings XML", kTrace);
    PreInitializeUI();

    bool bTypeBorderless = false;
    if (const MediaItemData* pType = MediaItemAt(m_cobType, m_rkCopyState.nPaperTypeIndex)) {
        m_rkCopyState.nPaperType = pType->nMediaID;
        bTypeBorderless = pType->bBorderless != 0;
    }
    bool bAllowed = false;
    int nSize = m_cobSize.GetCurSel();
    if (nSize >= 0) {
        m_rkCopyState.nPaperSizeIndex = nSize;
        const MediaItemData* pSize = MediaItemAt(m_cobSize, nSize);
        bAllowed = pSize != nullptr && pSize->bBorderless != 0 && bTypeBorderless;
    }
    EnableBorderlessRadio(bAllowed);
    UIConstraints(m_nConstraintMask);
}

// Only the position is written, and never while the window is minimised.
void CCopyUIDlg::SaveStartLocation()
{
    WINDOWPLACEMENT placement;
    if (!GetWindowPlacement(&placement) || placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE ||
        IsIconic())
        return;
    char szPath[MAX_PATH];
    if (!SettingsFilePath(g_szDefaultFileName, szPath, sizeof(szPath)))
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_rkCopyState.pStartLoc.x = rcWindow.left;
    m_rkCopyState.pStartLoc.y = rcWindow.top;
    m_rkCopyState.SaveStartLocation(szPath);
}

}  // namespace replika

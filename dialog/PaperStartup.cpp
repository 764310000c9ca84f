// What dialog start does around the paper lists: the selections read back into the
// settings, and the Borderless choice hidden on a device that cannot print borderless.
#include "dialog/CopyUIDlg.h"

#include "dialog/MediaItemData.h"

namespace replika {

void CCopyUIDlg::ApplyPaperSelections()
{
    bool bTypeBorderless = ReadBackSelection(m_cobType, m_rkCopyState.nPaperTypeIndex, m_rkCopyState.nPaperType);
    bool bSizeBorderless = ReadBackSelection(m_cobSize, m_rkCopyState.nPaperSizeIndex, m_rkCopyState.nPaperSize);
    EnableBorderlessRadio(bTypeBorderless && bSizeBorderless);
}

// Fit To Page takes Borderless' place and Actual Size that of Fit To Page.
void CCopyUIDlg::HideBorderlessChoice()
{
    if (!m_rbnBorderless.GetSafeHwnd() || !m_rbnFitToPage.GetSafeHwnd() || !m_rbnActualSize.GetSafeHwnd())
        return;
    CRect rcBorderless, rcFitToPage;
    m_rbnBorderless.GetWindowRect(&rcBorderless);
    ScreenToClient(&rcBorderless);
    m_rbnFitToPage.GetWindowRect(&rcFitToPage);
    ScreenToClient(&rcFitToPage);
    m_rbnBorderless.ShowWindow(SW_HIDE);
    m_rbnFitToPage.MoveWindow(&rcBorderless, TRUE);
    m_rbnActualSize.MoveWindow(&rcFitToPage, TRUE);
}

}  // namespace replika

// Control handlers: every button, edit, spin and slider writes its value into the settings at once.
#include "dialog/CopyUIDlg.h"

#include <cstdio>

#include "dialog/SettingsMoves.h"
#include "log/RKLog.h"

namespace replika {

void CCopyUIDlg::OnRbnText()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnText() - ");
    m_rkCopyState.bTextMode = 1;
    m_rkCopyState.bEnhanceLightClr = 0;
}

void CCopyUIDlg::OnRbnPhoto()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnPhoto() - ");
    m_rkCopyState.bTextMode = 0;
    m_rkCopyState.bEnhanceLightClr = 1;
}

void CCopyUIDlg::OnRbnMixed()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnMixed() - ");
    m_rkCopyState.bTextMode = 1;
    m_rkCopyState.bEnhanceLightClr = 1;
}

void CCopyUIDlg::StoreQuality(int nQuality)
{
    m_rkCopyState.nQuality = nQuality;
    UIConstraints(m_nConstraintMask);
}

void CCopyUIDlg::OnRbnBest()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnBest() - ");
    StoreQuality(QUALITY_BEST);
}

void CCopyUIDlg::OnRbnNormal()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnNormal() - ");
    StoreQuality(QUALITY_NORMAL);
}

void CCopyUIDlg::OnRbnFast()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnFast() - ");
    StoreQuality(QUALITY_FAST);
}

void CCopyUIDlg::EnablePercentControls(bool bEnable)
{
    m_stcPercent.EnableWindow(bEnable);
    m_edbScale.EnableWindow(bEnable);
    m_spnScale.EnableWindow(bEnable);
}

void CCopyUIDlg::OnRbnActualSize()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnActualSize() - ");
    EnablePercentControls(false);
    StoreImageSize(m_rkCopyState, SFR_ACTUAL_SIZE);
    if (m_rbnActualSize.GetCheck() == BST_CHECKED)
        m_rkCopyState.nReduceEnlarge = 100;
    UIConstraints(m_nConstraintMask);
}

void CCopyUIDlg::OnRbnFitToPage()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnFitToPage() - ");
    EnablePercentControls(false);
    StoreImageSize(m_rkCopyState, SFR_FIT_TO_PAGE);
    UIConstraints(m_nConstraintMask);
}

void CCopyUIDlg::OnRbnBorderless()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnBorderless() - ");
    EnablePercentControls(false);
    StoreImageSize(m_rkCopyState, SFR_BORDERLESS);
    UIConstraints(m_nConstraintMask);
}

// Also run by the status-message thread when an original is put into the feeder.
void CCopyUIDlg::OnRbnCustomSize()
{
    CRKTraceScope trace("CCopyUIDlg::OnRbnCustomSize() - ");
    EnablePercentControls(true);
    m_spnScale.SetPos(LOWORD(m_rkCopyState.nReduceEnlarge));  // shows it in the percentage edit too
    StoreImageSize(m_rkCopyState, SFR_CUSTOM_SIZE);
    UIConstraints(m_nConstraintMask);
}

void CCopyUIDlg::OnChangeEdbCopies()
{
    CRKTraceScope trace("CCopyUIDlg::OnChangeEdbCopies() - ");
    UIConstraints(m_nConstraintMask);  // may write the edit again (feeder-only devices)
    m_rkCopyState.nNbrCopies = m_spnCopies.GetPos32();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CCopyUIDlg::OnChangeEdbScale()
{
    CRKTraceScope trace("CCopyUIDlg::OnChangeEdbScale() - ");
    m_rkCopyState.nReduceEnlarge = m_spnScale.GetPos32();
}

void CCopyUIDlg::OnSliderScroll(UINT nSBCode)
{
    if (ScrollSetsBrightness(nSBCode))
        m_rkCopyState.nBrightness = m_sldContrast.GetPos();
}

void CCopyUIDlg::OnReleasedCaptureContrast(NMHDR*, LRESULT* pResult)
{
    const int nPos = m_sldContrast.GetPos();
    const int nSnapped = SnappedContrast(nPos);
    if (nSnapped != nPos) {
        m_sldContrast.SetPos(nSnapped);
        m_rkCopyState.nBrightness = m_sldContrast.GetPos();
    }
    *pResult = 0;
}

void CCopyUIDlg::OnBtnLight()
{
    CRKTraceScope trace("CCopyUIDlg::OnBtnLight");
    const int nPos = m_sldContrast.GetPos();
    if (nPos > m_sldContrast.GetRangeMin())
        m_sldContrast.SetPos(nPos - 10);  // the slider keeps it within its range
    m_rkCopyState.nBrightness = m_sldContrast.GetPos();
}

void CCopyUIDlg::OnBtnDark()
{
    CRKTraceScope trace("CCopyUIDlg::OnBtnDark");
    const int nPos = m_sldContrast.GetPos();
    if (nPos < m_sldContrast.GetRangeMax())
        m_sldContrast.SetPos(nPos + 10);
    m_rkCopyState.nBrightness = m_sldContrast.GetPos();
}

// The contrast pictures are plain statics: their clicks reach the dialog.
void CCopyUIDlg::OnLButtonUp(UINT, CPoint point)
{
    const struct
    {
        CStatic* pPicture;
        void (CCopyUIDlg::*pfnClick)();
    } pictures[] = {{&m_stcLight, &CCopyUIDlg::OnBtnLight}, {&m_stcDark, &CCopyUIDlg::OnBtnDark}};
    for (const auto& picture : pictures) {
        if (!picture.pPicture->GetSafeHwnd())
            continue;
        CRect rc;
        picture.pPicture->GetWindowRect(&rc);
        ScreenToClient(&rc);
        if (rc.PtInRect(point)) {
            (this->*picture.pfnClick)();
            break;
        }
    }
    for (const auto& picture : pictures)
        picture.pPicture->ShowWindow(SW_SHOW);
    Default();
}

namespace {
// One choice of a group of radio buttons: the value that selects it, its button and its handler.
struct RadioChoice
{
    int nValue;
    CButton* pButton;
    void (CCopyUIDlg::*pfnHandler)();
};

// Checks the choice for nValue, unchecks the others and runs the checked one's handler.
template <size_t N>
void ShowChoice(CCopyUIDlg& dlg, const RadioChoice (&choices)[N], int nValue)
{
    const RadioChoice* pChosen = nullptr;
    for (const auto& choice : choices) {
        const bool bChosen = choice.nValue == nValue;
        choice.pButton->SetCheck(bChosen ? BST_CHECKED : BST_UNCHECKED);
        if (bChosen)
            pChosen = &choice;
    }
    if (pChosen)
        (dlg.*pChosen->pfnHandler)();
}
// A position past the list's end leaves the list without a selection.
void SelectOrClear(CComboBox& list, int nPos)
{
    if (list.SetCurSel(nPos) == CB_ERR)
        list.SetCurSel(-1);
}
}  // namespace

void CCopyUIDlg::PreInitializeUI()
{
    auto trace = CRKTraceScope::Prefixed("PreInitializeUI");
    LogStateForUI();
    CRKCopyState& s = m_rkCopyState;
    using Choice = RadioChoice;

    const Choice quality[] = {{QUALITY_FAST, &m_rbnFast, &CCopyUIDlg::OnRbnFast},
                              {QUALITY_NORMAL, &m_rbnNormal, &CCopyUIDlg::OnRbnNormal},
                              {QUALITY_BEST, &m_rbnBest, &CCopyUIDlg::OnRbnBest}};
    ShowChoice(*this, quality, QualityToShow(s.nQuality));

    m_spnCopies.SetRange(static_cast<short>(s.nMinCopies), static_cast<short>(s.nMaxCopies));
    m_spnCopies.SetPos(s.nNbrCopies);
    char szCopies[16];
    snprintf(szCopies, sizeof szCopies, "%d", static_cast<int>(s.nNbrCopies));
    m_edbCopies.SetWindowText(szCopies);

    m_spnScale.SetRange(static_cast<short>(s.nScaleRangeLow), static_cast<short>(s.nScaleRangeHigh));
    m_spnScale.SetPos(s.nReduceEnlarge);

    const Choice imageSize[] = {{SFR_CUSTOM_SIZE, &m_rbnCustomSize, &CCopyUIDlg::OnRbnCustomSize},
                                {SFR_FIT_TO_PAGE, &m_rbnFitToPage, &CCopyUIDlg::OnRbnFitToPage},
                                {SFR_BORDERLESS, &m_rbnBorderless, &CCopyUIDlg::OnRbnBorderless},
                                {SFR_ACTUAL_SIZE, &m_rbnActualSize, &CCopyUIDlg::OnRbnActualSize}};
    ShowChoice(*this, imageSize, ImageSizeRadioToShow(s.nSpecialFeatureRadio));

    m_sldContrast.SetPos(s.nBrightness * 100 / 100);

    const OriginalKind original = OriginalToShow(s.bTextMode, s.bEnhanceLightClr);
    if (original != ORIGINAL_NONE) {
        const Choice originals[] = {{ORIGINAL_TEXT, &m_rbnText, &CCopyUIDlg::OnRbnText},
                                    {ORIGINAL_PHOTO, &m_rbnPhoto, &CCopyUIDlg::OnRbnPhoto},
                                    {ORIGINAL_MIXED, &m_rbnMixed, &CCopyUIDlg::OnRbnMixed}};
        ShowChoice(*this, originals, original);
    }

    SelectOrClear(m_cobType,
                  ListIndexToSelect(s.nPaperTypeIndex, COPIER_MAX_MEDIA_TYPES, "PaperTypeIndex out of range"));
    SelectOrClear(m_cobSize,
                  ListIndexToSelect(s.nPaperSizeIndex, COPIER_MAX_MEDIA_SIZES, "PaperSizeIndex out of range"));
}

}  // namespace replika

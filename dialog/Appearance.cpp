// The dialog's look: white background, gradient bands with pictures and the title,
// blue captions set into hand-drawn frames, picture buttons and the tooltips.
#include "dialog/CopyUIDlg.h"

#include <algorithm>

#include "records/AppGlobals.h"
#include "log/RKLog.h"
#include "res/resource.h"

namespace replika {

namespace {

const COLORREF kCaptionBlue = RGB(0, 0, 255);
const LONG kHeaderMaxBottom = 77;
const float kTitlePoints = 30.0f;

RECT WindowRectOf(const CWnd& wnd)
{
    RECT rc = {0, 0, 0, 0};
    ::GetWindowRect(wnd.m_hWnd, &rc);
    return rc;
}

// AddLine maps screen points with ScreenToClient, which mirrors inside a right-to-left
// box while the box paints left to right: the screen x to pass so that a line lands at
// the physical screen x wanted.
int ScreenXForBox(const CCustomGroupBox& box, int xPhysical)
{
    RECT rc = WindowRectOf(box);
    POINT at = {rc.left, rc.top}, next = {rc.left + 1, rc.top};
    ::ScreenToClient(box.m_hWnd, &at);
    ::ScreenToClient(box.m_hWnd, &next);
    int nDirection = next.x - at.x;  // +1 or -1
    return rc.left + nDirection * (xPhysical - rc.left - at.x);
}

void AddPhysicalLine(CCustomGroupBox& box, int x1, int y1, int x2, int y2)
{
    box.AddLine(ScreenXForBox(box, x1), y1, ScreenXForBox(box, x2), y2);
}

// The top edge on both sides of the caption.
void AddTopWithGap(CCustomGroupBox& box, const CWnd& caption)
{
    RECT rcBox = WindowRectOf(box), rcCaption = WindowRectOf(caption);
    AddPhysicalLine(box, rcBox.left, rcBox.top, rcCaption.left, rcBox.top);
    AddPhysicalLine(box, rcCaption.right, rcBox.top, rcBox.right, rcBox.top);
}

}  // namespace

HBRUSH CCopyUIDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    RKTraceEnter("CCopyUIDlg::OnCtlColor");
    if (HBRUSH hBrush = BackgroundCtlColor(pDC, nCtlColor, m_brBackground))
        return hBrush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

// A band is drawn again only when it lies in the part being erased: hiding a control erases
// just its place, and the band's pictures and title cost far more than the white around them.
BOOL CCopyUIDlg::OnEraseBkgnd(CDC* pDC)
{
    CDialog::OnEraseBkgnd(pDC);
    DrawBusyStrip();
    HDC hDC = pDC->m_hDC;
    if (::RectVisible(hDC, &m_rcHeader))
        DrawHeaderBand(hDC);
    if (::RectVisible(hDC, &m_rcFooter)) {
        FillGradient(hDC, m_rcFooter, m_clrBlueDark, m_clrBlueLight, GRADIENT_BAND);
        DrawImageAt(hDC, m_rcFooter, 20, 20, m_pFooter.get(), m_bRTL);
    }
    return TRUE;
}

void CCopyUIDlg::DrawHeaderBand(HDC hDC)
{
    FillGradient(hDC, m_rcHeader, m_clrBlueDark, m_clrBlueLight, GRADIENT_BAND);
    DrawImageAt(hDC, m_rcHeader, 20, 12, m_pHeaderLeft.get(), m_bRTL);
    if (m_pHeaderRight)
        DrawImageAt(hDC, m_rcHeader, (float)m_rcHeader.right - ((float)m_pHeaderRight->GetWidth() + 20), 0,
                    m_pHeaderRight.get(), m_bRTL);
    if (m_cstrHeaderText.IsEmpty() || !m_pHeaderLeft || !m_pHeaderRight)
        return;
    CRect rcText = m_rcHeader;
    float fOffsetX = (float)m_pHeaderLeft->GetWidth() + 40;
    if (m_bRTL) {
        fOffsetX = (float)m_pHeaderRight->GetWidth() + 40;
        rcText.right -= (LONG)m_pHeaderLeft->GetWidth() + 40;
    }
    Gdiplus::Font font(L"Arial", kTitlePoints, Gdiplus::FontStyleRegular);
    DrawTextAt(hDC, m_cstrHeaderText, &font, rcText, fOffsetX, 17, m_clrBackground, m_bRTL,
               Gdiplus::StringAlignmentNear);
}

void CCopyUIDlg::AttachGroupBoxes()
{
    const struct
    {
        CCustomGroupBox CCopyUIDlg::*pBox;
        int nID;
    } kBoxes[] = {{&CCopyUIDlg::m_grpOriginal, IDC_GRP_ORIGINAL},
                  {&CCopyUIDlg::m_grpSettings, IDC_GRP_SETTINGS},
                  {&CCopyUIDlg::m_grpCopy, IDC_GRP_COPY},
                  {&CCopyUIDlg::m_grpPaper, IDC_GRP_PAPER}};
    for (const auto& box : kBoxes)
        (this->*box.pBox).SubclassDlgItem(box.nID, this);
}

void CCopyUIDlg::AttachCaptions()
{
    m_bRTL = g_bRTLLayout;
    const struct
    {
        CCustomStatic CCopyUIDlg::*pCaption;
        int nID;
    } kCaptions[] = {{&CCopyUIDlg::m_stcSettings, IDC_STC_SETTINGS},
                     {&CCopyUIDlg::m_stcOriginal, IDC_STC_ORIGINAL},
                     {&CCopyUIDlg::m_stcCopy, IDC_STC_COPY}};
    for (const auto& caption : kCaptions) {
        CCustomStatic& stc = this->*caption.pCaption;
        if (!stc.SubclassDlgItem(caption.nID, this))
            continue;
        stc.m_nAlignment = CCustomStatic::ALIGN_CENTER;
        stc.m_clrText = kCaptionBlue;
        CString cstrText;
        stc.GetWindowText(cstrText);
        FitStaticToText(stc, cstrText);
    }
}

// Measured on the static's own context as the system hands it out, without its font.
void CCopyUIDlg::FitStaticToText(CCustomStatic& stc, const CString& cstrText)
{
    RECT rcText = {0, 0, 0, 0};
    CClientDC dc(&stc);
    if (dc.GetSafeHdc())
        dc.DrawText(cstrText, &rcText, DT_CALCRECT);
    RECT rcInParent;
    stc.GetRectInParent(rcInParent);
    stc.MoveWindow(rcInParent.left, rcInParent.top, rcText.right - rcText.left, rcText.bottom - rcText.top, TRUE);
    stc.SetWindowText(cstrText);
}

void CCopyUIDlg::LayOutFrames()
{
    if (!m_grpOriginal.m_hWnd || !m_grpSettings.m_hWnd || !m_grpCopy.m_hWnd || !m_grpPaper.m_hWnd)
        return;
    if (m_bRTL)
        m_grpSettings.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);

    const struct
    {
        CCustomGroupBox CCopyUIDlg::*pBox;
        CCustomStatic CCopyUIDlg::*pCaption;
    } kCaptioned[] = {{&CCopyUIDlg::m_grpOriginal, &CCopyUIDlg::m_stcOriginal},
                      {&CCopyUIDlg::m_grpSettings, &CCopyUIDlg::m_stcSettings},
                      {&CCopyUIDlg::m_grpCopy, &CCopyUIDlg::m_stcCopy}};
    for (const auto& row : kCaptioned)
        AddTopWithGap(this->*row.pBox, this->*row.pCaption);
    for (CCustomGroupBox* pBox : {&m_grpOriginal, &m_grpSettings}) {
        pBox->AddEdge(CCustomGroupBox::SIDE_RIGHT);
        pBox->AddEdge(CCustomGroupBox::SIDE_BOTTOM);
        pBox->AddEdge(CCustomGroupBox::SIDE_LEFT);
    }

    // Copy: its bottom only where the paper box below does not cover it.
    m_grpCopy.AddEdge(CCustomGroupBox::SIDE_RIGHT);
    m_grpCopy.AddEdge(CCustomGroupBox::SIDE_LEFT);
    RECT rcCopy = WindowRectOf(m_grpCopy), rcPaper = WindowRectOf(m_grpPaper);
    LONG nPaperWidth = rcPaper.right - rcPaper.left;
    bool bPaperOnLeft = rcPaper.left - rcCopy.left <= rcCopy.right - rcPaper.right;
    if (bPaperOnLeft)
        AddPhysicalLine(m_grpCopy, rcCopy.left + nPaperWidth, rcCopy.bottom, rcCopy.right, rcCopy.bottom);
    else
        AddPhysicalLine(m_grpCopy, rcCopy.left, rcCopy.bottom, rcCopy.right - nPaperWidth, rcCopy.bottom);

    // Paper: no top edge; the sides start 10 pixels down.
    AddPhysicalLine(m_grpPaper, rcPaper.left, rcPaper.top + 10, rcPaper.left, rcPaper.bottom);
    m_grpPaper.AddEdge(CCustomGroupBox::SIDE_BOTTOM);
    AddPhysicalLine(m_grpPaper, rcPaper.right, rcPaper.bottom, rcPaper.right, rcPaper.top + 10);
}

void CCopyUIDlg::SetUpPictureButtons()
{
    const struct
    {
        CImgButton CCopyUIDlg::*pButton;
        UINT nNormal, nHover, nDisabled;
    } kButtons[] = {
        {&CCopyUIDlg::m_btnHelp, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER, IDP_BUTTON_DISABLED},
        {&CCopyUIDlg::m_btnColor, IDP_COPYBUTTON_NORMAL, IDP_COPYBUTTON_HOVER, IDP_BUTTON_DISABLED},
        {&CCopyUIDlg::m_btnBlack, IDP_COPYBUTTON_NORMAL, IDP_COPYBUTTON_HOVER, IDP_BUTTON_DISABLED},
        {&CCopyUIDlg::m_btnRestoreFactory, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER, IDP_BUTTON_DISABLED},
        {&CCopyUIDlg::m_btnSave, IDP_BUTTON_NORMAL, IDP_BUTTON_HOVER, IDP_BUTTON_DISABLED},
    };
    CPictureSet faces;  // the five buttons show five pictures between them
    for (const auto& row : kButtons) {
        CImgButton& button = this->*row.pButton;
        if (!button.m_hWnd)
            continue;
        button.SendMessage(BM_SETSTYLE, BS_OWNERDRAW, TRUE);
        button.SetImages(row.nNormal, row.nHover, row.nDisabled, IMAGE_KIND_PNG, m_bRTL, &faces);
        button.SetOwnerBackground(m_rcClient, m_clrBackground, m_clrBackground);
    }
}

void CCopyUIDlg::LoadBandsAndPictures()
{
    m_pHeaderLeft = LoadProgramImage(IDP_HEADER_LEFT, IMAGE_KIND_PNG);
    m_pHeaderRight = LoadProgramImage(IDP_HEADER_RIGHT, IMAGE_KIND_PNG);
    m_pFooter = LoadProgramImage(IDP_FOOTER, IMAGE_KIND_PNG);

    RECT rcCaption = {0, 0, 0, 0}, rcColor = {0, 0, 0, 0};
    if (m_stcOriginal.m_hWnd)
        m_stcOriginal.GetRectInParent(rcCaption);
    if (m_btnColor.m_hWnd)
        m_btnColor.GetRectInParent(rcColor);
    m_rcHeader = m_rcClient;
    m_rcHeader.bottom = std::min(rcCaption.top - 3, kHeaderMaxBottom);
    m_rcFooter = m_rcClient;
    m_rcFooter.top = rcColor.bottom + 5;
    m_cstrHeaderText.LoadString(IDS_HEADER_TITLE);
}

void CCopyUIDlg::ReleasePictures()
{
    m_pHeaderLeft.reset();
    m_pHeaderRight.reset();
    m_pFooter.reset();
    for (CImgButton* pButton : {&m_btnHelp, &m_btnColor, &m_btnBlack, &m_btnRestoreFactory, &m_btnSave})
        pButton->ReleaseImages();
}

void CCopyUIDlg::InitializeToolTip()
{
    static const char kTrace[] = "CCopyUIDlg::InitializeToolTip";
    static const struct
    {
        int nControl;
        UINT nString;
    } kTips[] = {
        {IDC_RBN_TEXT, IDS_TIP_TEXT},
        {IDC_RBN_PHOTO, IDS_TIP_PHOTO},
        {IDC_RBN_MIXED, IDS_TIP_MIXED},
        {IDC_BTN_HELP, IDS_TIP_HELP},
        {IDC_BTN_BLACK, IDS_TIP_BLACK},
        {IDC_BTN_RESTORE_FACTORY, IDS_TIP_RESTORE_FACTORY},
        {IDC_BTN_SAVE, IDS_TIP_SAVE},
        {IDC_BTN_COLOR, IDS_TIP_COLOR},
        {IDC_RBN_ACTUAL_SIZE, IDS_TIP_ACTUAL_SIZE},
        {IDC_RBN_BORDERLESS, IDS_TIP_BORDERLESS},
        {IDC_EDB_SCALE, IDS_TIP_SCALE},
        {IDC_SPN_SCALE, IDS_TIP_SCALE},
        {IDC_COB_SIZE, IDS_TIP_SIZE},
        {IDC_COB_TYPE, IDS_TIP_TYPE},
        {IDC_SLD_CONTRAST, IDS_TIP_CONTRAST},
        {IDC_RBN_FIT_TO_PAGE, IDS_TIP_FIT_TO_PAGE},
        {IDC_RBN_CUSTOM_SIZE, IDS_TIP_CUSTOM_SIZE},
        {IDC_RBN_BEST, IDS_TIP_BEST},
        {IDC_RBN_NORMAL, IDS_TIP_NORMAL},
        {IDC_RBN_FAST, IDS_TIP_FAST},
        {IDC_EDB_COPIES, IDS_TIP_COPIES},
        {IDC_SPN_COPIES, IDS_TIP_COPIES},
        {IDC_PIC_LIGHTER, IDS_TIP_CONTRAST},
        {IDC_PIC_DARKER, IDS_TIP_CONTRAST},
        {IDC_COB_SOURCE, IDS_TIP_SOURCE},
    };
    RKTraceEnter(kTrace);
    if (!m_hWnd) {
        g_pLog->LogDetailedTrace("%s%s", "Window handle is NULL !!!-", kTrace);
        return;
    }
    if (m_pToolTip)
        return;
    try {
        m_pToolTip = new CToolTipCtrl;
        m_pToolTip->Create(this);
        for (const auto& tip : kTips) {
            CString cstrText;
            if (cstrText.LoadString(tip.nString))
                m_pToolTip->AddTool(GetDlgItem(tip.nControl), cstrText);
        }
        m_pToolTip->Activate(TRUE);
    } catch (CException* e) {
        g_pLog->LogError("%s - Resource failure", kTrace);
        e->Delete();
    } catch (...) {
        g_pLog->LogError("%s - Resource failure", kTrace);
    }
}

}  // namespace replika

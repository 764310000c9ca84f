#include "controls/ImgButton.h"

#include <commctrl.h>

static const UINT kRepaintNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

BEGIN_MESSAGE_MAP(CImgButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CImgButton::CImgButton()
    : m_clrBackground1(::GetSysColor(COLOR_BTNFACE)),
      m_clrBackground2(::GetSysColor(COLOR_BTNFACE)),
      m_bHover(false),
      m_bTracking(false),
      m_bDisabled(false),
      m_bFocus(false),
      m_bOwnerBackground(false),
      m_rcOwner{0, 0, 0, 0},
      m_clrText(0),
      m_clrDisabledText(RGB(172, 168, 153)),
      m_bRTLImage(FALSE)
{}

CImgButton::~CImgButton() { m_fontCaption.DeleteObject(); }

void CImgButton::SetImages(UINT nNormalID, UINT nHoverID, UINT nDisabledID, int nKind, BOOL bRTL,
                           CPictureSet* pPictures)
{
    CreateControlFont(m_fontCaption, this);
    auto load = [&](UINT nID) { return pPictures ? pPictures->Load(nID, nKind) : LoadProgramImage(nID, nKind); };
    m_pNormalImage = load(nNormalID);
    m_pHoverImage = load(nHoverID);
    m_pDisabledImage = load(nDisabledID);
    m_bRTLImage = bRTL;
}

void CImgButton::SetOwnerBackground(const RECT& rcOwner, COLORREF clr1, COLORREF clr2)
{
    m_clrBackground1 = clr1;
    m_clrBackground2 = clr2;
    m_rcOwner = rcOwner;
    m_bOwnerBackground = true;
}

BOOL CImgButton::EnableWindow(BOOL bEnable)
{
    RedrawWindow(NULL, NULL, kRepaintNow);
    return CButton::EnableWindow(bEnable);
}

void CImgButton::ReleaseImages()
{
    m_pNormalImage.reset();
    m_pHoverImage.reset();
    m_pDisabledImage.reset();
}

// The owner's background over its whole rectangle, of which the slice under the button is shown.
void CImgButton::PaintOwnerBackground(HDC hDC, const RECT& rcClient)
{
    CClientDC parentDC(GetParent());
    if (!parentDC.GetSafeHdc())
        return;
    HDC hMemDC = ::CreateCompatibleDC(parentDC);
    HBITMAP hBitmap = hMemDC ? ::CreateCompatibleBitmap(parentDC, m_rcOwner.right, m_rcOwner.bottom) : NULL;
    if (hBitmap) {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        FillGradient(hMemDC, m_rcOwner, m_clrBackground1, m_clrBackground2, GRADIENT_BAND);
        RECT rcInParent;
        GetRectInParent(rcInParent);
        ::BitBlt(hDC, rcClient.left, rcClient.top, rcClient.right - rcClient.left, rcClient.bottom - rcClient.top,
                 hMemDC, rcInParent.left, rcInParent.top, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        ::DeleteObject(hBitmap);
    }
    if (hMemDC)
        ::DeleteDC(hMemDC);
}

void CImgButton::DrawCaption(HDC hDC, RECT rcClient, COLORREF clrText)
{
    if (m_cstrCaption.IsEmpty())
        return;
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, clrText);
    ::DrawTextA(hDC, m_cstrCaption, m_cstrCaption.GetLength(), &rcClient, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CImgButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hDC = lpDrawItemStruct->hDC;
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    if (m_cstrCaption.IsEmpty()) {
        GetWindowText(m_cstrCaption);
        m_cstrCaption.Trim();
    }
    RECT rcFocus = rcClient;
    ::InflateRect(&rcFocus, -4, -4);

    int nSaved = ::SaveDC(hDC);
    if (m_fontCaption.GetSafeHandle())
        ::SelectObject(hDC, m_fontCaption.GetSafeHandle());

    if (m_bOwnerBackground)
        PaintOwnerBackground(hDC, rcClient);
    else
        FillGradient(hDC, rcClient, m_clrBackground1, m_clrBackground2, GRADIENT_BAND);

    m_bDisabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    m_bFocus = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
    if (m_bDisabled) {
        DrawImageInRect(hDC, m_pDisabledImage.get(), rcClient, m_bRTLImage);
        DrawCaption(hDC, rcClient, m_clrDisabledText);
    } else {
        DrawImageInRect(hDC, m_bHover ? m_pHoverImage.get() : m_pNormalImage.get(), rcClient, m_bRTLImage);
        if (m_bFocus) {
            if (m_pHoverImage)
                DrawImageInRect(hDC, m_pHoverImage.get(), rcClient, m_bRTLImage);
            else
                ::DrawFocusRect(hDC, &rcFocus);
        }
        DrawCaption(hDC, rcClient, m_clrText);
    }
    ::RestoreDC(hDC, nSaved);
}

void CImgButton::OnMouseMove(UINT, CPoint)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_bTracking = ::_TrackMouseEvent(&tme) != FALSE;
    }
    Default();
}

void CImgButton::OnMouseHover(UINT, CPoint)
{
    m_bHover = true;
    RedrawWindow(NULL, NULL, kRepaintNow);
}

void CImgButton::OnMouseLeave()
{
    m_bTracking = false;
    m_bHover = false;
    RedrawWindow(NULL, NULL, kRepaintNow);
}

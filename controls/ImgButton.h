// A push button whose face is a picture per state (normal, hover, disabled), stretched
// over the button, with its caption centred on top. Behind the picture it paints the
// slice of its owner's background that it covers, so transparent corners blend in.
#pragma once

#include "controls/DrawToolkit.h"
#include "controls/PictureSet.h"
#include "framework/afxwin.h"

class CImgButton : public CButton
{
public:
    CImgButton();
    ~CImgButton() override;

    // Call after BM_SETSTYLE with BS_OWNERDRAW; a picture that cannot be loaded stays null.
    // Buttons that share faces can take them from one set, which decodes each face once.
    void SetImages(UINT nNormalID, UINT nHoverID, UINT nDisabledID, int nKind, BOOL bRTL,
                   CPictureSet* pPictures = nullptr);
    void SetOwnerBackground(const RECT& rcOwner, COLORREF clr1, COLORREF clr2);
    void GetRectInParent(RECT& rect) const { ::GetRectInParent(*this, rect); }
    // Repaints at once, then enables or disables the window.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    // The pictures go before GDI+ is shut down; the button then draws without them.
    void ReleaseImages();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    bool IsHovering() const { return m_bHover; }

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

private:
    void PaintOwnerBackground(HDC hDC, const RECT& rcClient);
    void DrawCaption(HDC hDC, RECT rcClient, COLORREF clrText);

    GdiPicture m_pNormalImage;
    GdiPicture m_pHoverImage;
    GdiPicture m_pDisabledImage;
    COLORREF m_clrBackground1;
    COLORREF m_clrBackground2;
    bool m_bHover;
    bool m_bTracking;
    bool m_bDisabled;
    bool m_bFocus;
    bool m_bOwnerBackground;
    RECT m_rcOwner;
    CString m_cstrCaption;
    COLORREF m_clrText;
    COLORREF m_clrDisabledText;
    BOOL m_bRTLImage;
    CFont m_fontCaption;
};

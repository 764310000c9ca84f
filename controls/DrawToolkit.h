// The small GDI+ drawing toolkit of the picture buttons and the copy dialog's painting,
// and the font rule the owner-drawn controls share. GDI+ must be running (the dialog
// starts it); every GDI+ object made here lives only for the call that made it.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "framework/afxwin.h"

// A picture owned by scope.
typedef std::unique_ptr<Gdiplus::Bitmap> GdiPicture;

enum ImageKind { IMAGE_KIND_BITMAP = 0, IMAGE_KIND_PNG = 1, IMAGE_KIND_JPEG = 2 };

enum GradientMode {
    GRADIENT_HORIZONTAL = 1,
    GRADIENT_VERTICAL = 2,
    GRADIENT_FORWARD_DIAGONAL = 3,
    GRADIENT_BACKWARD_DIAGONAL = 4,
    GRADIENT_BAND = 5  // colour 1 at both edges, colour 2 in the middle
};

// A picture from the module's resources; null when missing or of an unknown kind. The
// picture is decoded whole, so it does not depend on the resource once returned.
GdiPicture LoadImageResource(HINSTANCE hInstance, UINT nResourceID, int nKind);
// From the resource library when it carries the picture, else from the program itself.
GdiPicture LoadProgramImage(UINT nResourceID, int nKind);

// The picture scaled into the rectangle.
void DrawImageInRect(HDC hDC, Gdiplus::Image* pImage, const RECT& rect, BOOL bRTL);
// The picture at its own size, offset inside the rectangle (mirrored within it when bRTL).
void DrawImageAt(HDC hDC, const RECT& rect, float fOffsetX, float fOffsetY, Gdiplus::Image* pImage, BOOL bRTL);
void FillGradient(HDC hDC, const RECT& rect, COLORREF clr1, COLORREF clr2, int nMode);
// One line of text at an offset inside the rectangle (from its right edge when bRTL);
// nAlignment is a Gdiplus::StringAlignment.
void DrawTextAt(HDC hDC, LPCSTR pszText, Gdiplus::Font* pFont, const RECT& rect, float fOffsetX, float fOffsetY,
                COLORREF clrText, BOOL bRTL, int nAlignment);

// The 10-point control font for the system's code page, measured on pWnd's screen context.
void CreateControlFont(CFont& font, CWnd* pWnd);
// The same rule as a record: nLogPixelsY 0 stands for "no screen context".
void ControlFontFor(UINT nCodePage, int nLogPixelsY, LOGFONTA& lf);

// The window's client rectangle in its parent's client coordinates.
void GetRectInParent(const CWnd& wnd, RECT& rect);

// The brush of a dialog painted in one background: statics draw transparently on it. NULL for
// any other kind of control, which then gets the framework's default.
HBRUSH BackgroundCtlColor(CDC* pDC, UINT nCtlColor, HBRUSH hBackground);

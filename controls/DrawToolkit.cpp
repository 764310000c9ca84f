#include "controls/DrawToolkit.h"

#include <string.h>

#include <vector>

#include "framework/afxcom.h"

using Gdiplus::Status;

namespace {

Gdiplus::Color Opaque(COLORREF clr) { return Gdiplus::Color(255, GetRValue(clr), GetGValue(clr), GetBValue(clr)); }

Gdiplus::RectF RectFOf(const RECT& rect)
{
    return Gdiplus::RectF((float)rect.left, (float)rect.top, (float)(rect.right - rect.left),
                          (float)(rect.bottom - rect.top));
}

// The decoded pixels of pSource in a bitmap of their own, so the stream can go.
GdiPicture DecodedCopy(Gdiplus::Bitmap& source)
{
    UINT nWidth = source.GetWidth(), nHeight = source.GetHeight();
    if (source.GetLastStatus() != Gdiplus::Ok || nWidth == 0 || nHeight == 0)
        return nullptr;
    GdiPicture copy(new Gdiplus::Bitmap((INT)nWidth, (INT)nHeight, PixelFormat32bppARGB));
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    Gdiplus::Rect whole(0, 0, (INT)nWidth, (INT)nHeight);
    Gdiplus::BitmapData from, to;
    if (source.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &from) != Gdiplus::Ok)
        return nullptr;
    bool bCopied = copy->LockBits(&whole, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &to) == Gdiplus::Ok;
    if (bCopied) {
        for (UINT y = 0; y < nHeight; ++y)
            memcpy((BYTE*)to.Scan0 + (INT_PTR)y * to.Stride, (const BYTE*)from.Scan0 + (INT_PTR)y * from.Stride,
                   (size_t)nWidth * 4);
        copy->UnlockBits(&to);
    }
    source.UnlockBits(&from);
    return bCopied ? std::move(copy) : nullptr;
}

GdiPicture LoadEncodedResource(HINSTANCE hInstance, UINT nResourceID, LPCSTR pszType)
{
    HRSRC hRes = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nResourceID), pszType);
    DWORD cb = hRes ? ::SizeofResource(hInstance, hRes) : 0;
    HGLOBAL hLoaded = cb ? ::LoadResource(hInstance, hRes) : NULL;
    const void* pBytes = hLoaded ? ::LockResource(hLoaded) : NULL;
    if (!pBytes)
        return nullptr;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    void* pCopy = hCopy ? ::GlobalLock(hCopy) : NULL;
    if (!pCopy) {
        if (hCopy)
            ::GlobalFree(hCopy);
        return nullptr;
    }
    memcpy(pCopy, pBytes, cb);
    ::GlobalUnlock(hCopy);
    CComPtr<IStream> stream;  // frees the copy of the bytes when it goes
    if (FAILED(::CreateStreamOnHGlobal(hCopy, TRUE, &stream))) {
        ::GlobalFree(hCopy);
        return nullptr;
    }
    Gdiplus::Bitmap encoded(stream.Get(), FALSE);
    return DecodedCopy(encoded);
}

}  // namespace

GdiPicture LoadImageResource(HINSTANCE hInstance, UINT nResourceID, int nKind)
{
    switch (nKind) {
    case IMAGE_KIND_BITMAP: {
        GdiPicture picture(new Gdiplus::Bitmap(hInstance, (const WCHAR*)MAKEINTRESOURCEW(nResourceID)));
        if (picture && picture->GetLastStatus() != Gdiplus::Ok)
            picture.reset();
        return picture;
    }
    case IMAGE_KIND_PNG:
        return LoadEncodedResource(hInstance, nResourceID, "PNG");
    case IMAGE_KIND_JPEG:
        return LoadEncodedResource(hInstance, nResourceID, "JPG");
    default:
        return nullptr;
    }
}

GdiPicture LoadProgramImage(UINT nResourceID, int nKind)
{
    GdiPicture picture = LoadImageResource(AfxGetResourceHandle(), nResourceID, nKind);
    if (!picture && AfxGetResourceHandle() != AfxGetInstanceHandle())
        picture = LoadImageResource(AfxGetInstanceHandle(), nResourceID, nKind);
    return picture;
}

void DrawImageInRect(HDC hDC, Gdiplus::Image* pImage, const RECT& rect, BOOL bRTL)
{
    if (!pImage)
        return;
    if (pImage->GetLastStatus() != Gdiplus::Ok)  // reading the status resets it
        return;
    DWORD dwOldLayout = bRTL ? ::SetLayout(hDC, LAYOUT_BITMAPORIENTATIONPRESERVED) : 0;
    {
        Gdiplus::Graphics graphics(hDC);
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        graphics.DrawImage(pImage, (INT)rect.left, (INT)rect.top, (INT)(rect.right - rect.left),
                           (INT)(rect.bottom - rect.top));
    }
    if (bRTL)
        ::SetLayout(hDC, dwOldLayout);
}

void DrawImageAt(HDC hDC, const RECT& rect, float fOffsetX, float fOffsetY, Gdiplus::Image* pImage, BOOL bRTL)
{
    if (!pImage)
        return;
    float fWidth = (float)pImage->GetWidth(), fHeight = (float)pImage->GetHeight();
    float x = (float)rect.left + fOffsetX;
    if (bRTL) {
        x = (float)(rect.left + rect.right) - fWidth - fOffsetX;
        ::SetLayout(hDC, LAYOUT_BITMAPORIENTATIONPRESERVED);
    }
    Gdiplus::Graphics graphics(hDC);
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    graphics.DrawImage(pImage, x, (float)rect.top + fOffsetY, fWidth, fHeight);
}

void FillGradient(HDC hDC, const RECT& rect, COLORREF clr1, COLORREF clr2, int nMode)
{
    static const Gdiplus::LinearGradientMode kModes[] = {
        Gdiplus::LinearGradientModeHorizontal, Gdiplus::LinearGradientModeVertical,
        Gdiplus::LinearGradientModeForwardDiagonal, Gdiplus::LinearGradientModeBackwardDiagonal,
        Gdiplus::LinearGradientModeHorizontal};
    if (nMode < GRADIENT_HORIZONTAL || nMode > GRADIENT_BAND)
        return;
    ::SetLayout(hDC, 0);
    Gdiplus::Graphics graphics(hDC);
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    Gdiplus::Color color1 = Opaque(clr1), color2 = Opaque(clr2);
    Gdiplus::RectF area = RectFOf(rect);
    Gdiplus::LinearGradientBrush brush(area, color1, color2, kModes[nMode - 1]);
    if (nMode == GRADIENT_BAND) {
        const Gdiplus::Color stops[] = {color1, color2, color1};
        const Gdiplus::REAL positions[] = {0.0f, 0.5f, 1.0f};
        if (brush.SetInterpolationColors(stops, positions, 3) != Gdiplus::Ok)
            return;
    }
    graphics.FillRectangle(&brush, area);
}

void DrawTextAt(HDC hDC, LPCSTR pszText, Gdiplus::Font* pFont, const RECT& rect, float fOffsetX, float fOffsetY,
                COLORREF clrText, BOOL bRTL, int nAlignment)
{
    CString cstrText(pszText ? pszText : "");
    cstrText.Trim();
    if (cstrText.IsEmpty() || !pFont)
        return;
    Gdiplus::Graphics graphics(hDC);
    Gdiplus::FontFamily family;
    pFont->GetFamily(&family);
    Gdiplus::Font font(&family, pFont->GetSize(), Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::RectF layout = RectFOf(rect);

    Gdiplus::StringFormat format;
    format.SetAlignment((Gdiplus::StringAlignment)nAlignment);
    format.SetLineAlignment((Gdiplus::StringAlignment)nAlignment);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    Status flagsStatus = format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);

    int cch = ::MultiByteToWideChar(CP_ACP, 0, cstrText, -1, NULL, 0);
    if (cch <= 0)
        return;
    std::vector<WCHAR> wide((size_t)cch);
    ::MultiByteToWideChar(CP_ACP, 0, cstrText, -1, wide.data(), cch);

    Gdiplus::RectF bounds;
    graphics.MeasureString(wide.data(), -1, &font, layout, &format, &bounds);
    float w = bounds.Width + 2, h = bounds.Height + 2;
    Gdiplus::RectF placed((float)rect.left + fOffsetX, (float)rect.top + fOffsetY, w, h);
    if (bRTL) {
        placed.X = (float)rect.left + (float)(rect.right - rect.left) - w - fOffsetX;
        flagsStatus = format.SetFormatFlags(Gdiplus::StringFormatFlagsDirectionRightToLeft);
    }
    if (flagsStatus != Gdiplus::Ok)
        return;
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    Gdiplus::SolidBrush brush(Opaque(clrText));
    graphics.DrawString(wide.data(), -1, &font, placed, &format, &brush);
}

void ControlFontFor(UINT nCodePage, int nLogPixelsY, LOGFONTA& lf)
{
    struct FontRow
    {
        UINT nCodePage;
        BYTE nCharSet, nOutPrecision, nClipPrecision, nPitchAndFamily;
        const char* pszFace;
    };
    static const FontRow kRows[] = {
        {932, SHIFTJIS_CHARSET, OUT_TT_PRECIS, CLIP_CHARACTER_PRECIS, 0,
         "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"},  // MS PGothic in Shift-JIS
        {936, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_CHARACTER_PRECIS, FF_SWISS, ""},
        {949, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_CHARACTER_PRECIS, FF_SWISS, ""},
        {950, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_CHARACTER_PRECIS, FF_SWISS, ""},
        {1255, HEBREW_CHARSET, OUT_TT_PRECIS, CLIP_CHARACTER_PRECIS, 0, ""},
        {1256, ARABIC_CHARSET, OUT_TT_PRECIS, CLIP_CHARACTER_PRECIS, 0, ""},
    };
    static const FontRow kOther = {0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, FF_SWISS, "Arial"};
    const FontRow* pRow = &kOther;
    for (const FontRow& row : kRows)
        if (row.nCodePage == nCodePage)
            pRow = &row;

    ZeroMemory(&lf, sizeof(lf));
    lf.lfHeight = nLogPixelsY > 0 ? -(10 * nLogPixelsY) / 72 : 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = pRow->nCharSet;
    lf.lfOutPrecision = pRow->nOutPrecision;
    lf.lfClipPrecision = pRow->nClipPrecision;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = pRow->nPitchAndFamily;
    lstrcpynA(lf.lfFaceName, pRow->pszFace, LF_FACESIZE);
}

void CreateControlFont(CFont& font, CWnd* pWnd)
{
    CClientDC dc(pWnd);
    const int nLogPixelsY = dc.GetSafeHdc() ? dc.GetDeviceCaps(LOGPIXELSY) : 0;
    LOGFONTA lf;
    ControlFontFor(::GetACP(), nLogPixelsY, lf);
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

void GetRectInParent(const CWnd& wnd, RECT& rect)
{
    RECT rcClient = {0, 0, 0, 0};
    ::GetClientRect(wnd.m_hWnd, &rcClient);
    POINT origin = {0, 0};
    ::MapWindowPoints(wnd.m_hWnd, ::GetParent(wnd.m_hWnd), &origin, 1);
    rect.left = origin.x;
    rect.top = origin.y;
    rect.right = origin.x + rcClient.right;
    rect.bottom = origin.y + rcClient.bottom;
}

HBRUSH BackgroundCtlColor(CDC* pDC, UINT nCtlColor, HBRUSH hBackground)
{
    if (nCtlColor == CTLCOLOR_STATIC)
        pDC->SetBkMode(TRANSPARENT);
    return (nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_DLG) ? hBackground : NULL;
}

// What the picture tests share: GDI+ for the whole test executable, colour closeness, a
// memory bitmap read back pixel by pixel, and the look a face picture must have when
// stretched over a button.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/DrawToolkit.h"

namespace picturecheck {

struct GdiplusEnvironment : ::testing::Environment
{
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    void SetUp() override { ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, NULL)); }
    void TearDown() override { Gdiplus::GdiplusShutdown(token); }
};
inline const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

inline bool Near(COLORREF a, COLORREF b, int n)
{
    return abs(GetRValue(a) - GetRValue(b)) <= n && abs(GetGValue(a) - GetGValue(b)) <= n &&
           abs(GetBValue(a) - GetBValue(b)) <= n;
}

// A 32-bit memory bitmap in its own context: filled with one colour, or a screenshot of a
// screen rectangle read at screen coordinates. Points outside read as CLR_INVALID.
struct Canvas
{
    Canvas(int cx, int cy, COLORREF clrFill = RGB(255, 255, 255)) : w(cx), h(cy), dc(CreateCompatibleDC(NULL))
    {
        BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        bmp = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
        old = SelectObject(dc, bmp);
        for (int i = 0; i < cx * cy; ++i)
            bits[i] = RGB(GetBValue(clrFill), GetGValue(clrFill), GetRValue(clrFill));  // a DIB holds blue first
    }
    explicit Canvas(const RECT& rcScreen) : Canvas(rcScreen.right - rcScreen.left, rcScreen.bottom - rcScreen.top)
    {
        x0 = rcScreen.left, y0 = rcScreen.top;
        HDC hScreen = GetDC(NULL);
        BitBlt(dc, 0, 0, w, h, hScreen, x0, y0, SRCCOPY);
        ReleaseDC(NULL, hScreen);
    }
    ~Canvas() { SelectObject(dc, old), DeleteObject(bmp), DeleteDC(dc); }
    COLORREF At(int x, int y) const
    {
        if (x < x0 || y < y0 || x >= x0 + w || y >= y0 + h)
            return CLR_INVALID;
        GdiFlush();
        DWORD p = bits[(y - y0) * w + x - x0];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    template <class Pred>
    int Count(const RECT& rc, Pred pred) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += pred(At(x, y));
        return n;
    }
    RECT Whole() const { return {x0, y0, x0 + w, y0 + h}; }
    int x0 = 0, y0 = 0, w, h;
    HDC dc;
    HGDIOBJ bmp, old;
    DWORD* bits = nullptr;
};

// The face picture nID of this executable stretched over cx x cy on white, at (x, y).
inline COLORREF FaceAt(UINT nID, int cx, int cy, int x, int y)
{
    Canvas c(cx, cy);
    GdiPicture face = LoadImageResource(GetModuleHandleA(NULL), nID, IMAGE_KIND_PNG);
    DrawImageInRect(c.dc, face.get(), RECT{0, 0, cx, cy}, FALSE);
    return c.At(x, y);
}

}  // namespace picturecheck

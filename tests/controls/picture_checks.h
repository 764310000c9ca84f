// What the picture tests share: GDI+ for the whole test executable, colour closeness and
// the look a face picture must have when stretched over a button.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/DrawToolkit.h"

namespace picturecheck {

struct GdiplusEnvironment : ::testing::Environment
{
    ULONG_PTR token = 0;
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, NULL));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token); }
};
inline const auto* const kGdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

inline bool Near(COLORREF a, COLORREF b, int n)
{
    return abs(GetRValue(a) - GetRValue(b)) <= n && abs(GetGValue(a) - GetGValue(b)) <= n &&
           abs(GetBValue(a) - GetBValue(b)) <= n;
}

// The face picture nID of this executable stretched over cx x cy, at (x, y).
inline COLORREF FaceAt(UINT nID, int cx, int cy, int x, int y)
{
    HDC hScreen = GetDC(NULL), hDC = CreateCompatibleDC(hScreen);
    HBITMAP hBmp = CreateCompatibleBitmap(hScreen, cx, cy);
    ReleaseDC(NULL, hScreen);
    HGDIOBJ hOld = SelectObject(hDC, hBmp);
    GdiPicture face = LoadImageResource(GetModuleHandleA(NULL), nID, IMAGE_KIND_PNG);
    DrawImageInRect(hDC, face.get(), RECT{0, 0, cx, cy}, FALSE);
    COLORREF clr = GetPixel(hDC, x, y);
    SelectObject(hDC, hOld);
    DeleteObject(hBmp);
    DeleteDC(hDC);
    return clr;
}

}  // namespace picturecheck

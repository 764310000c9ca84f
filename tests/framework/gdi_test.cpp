#include <gtest/gtest.h>

#include "testsupport.h"

TEST(GdiTest, FontsAndObjectLifetimes)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
    LOGFONTA lf = {};
    ASSERT_TRUE(font.GetLogFont(&lf));
    EXPECT_EQ(-13, lf.lfHeight);  // 10 points at 96 pixels per inch
    EXPECT_STREQ("Arial", lf.lfFaceName);

    HGDIOBJ hBrush = NULL, hPen = NULL, hDetached = NULL;
    {
        CBrush brush(RGB(0, 255, 0));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
        CBrush kept;
        kept.CreateSolidBrush(RGB(1, 2, 3));
        hBrush = brush;
        hPen = pen;
        hDetached = kept.Detach();
        EXPECT_EQ((DWORD)OBJ_BRUSH, GetObjectType(hBrush));
    }
    EXPECT_EQ(0u, GetObjectType(hBrush));
    EXPECT_EQ(0u, GetObjectType(hPen));
    EXPECT_EQ((DWORD)OBJ_BRUSH, GetObjectType(hDetached));
    EXPECT_EQ(CBrush::FromHandle((HBRUSH)hDetached), CBrush::FromHandle((HBRUSH)hDetached));
    DeleteObject(hDetached);
}

TEST(GdiTest, MemoryContextDrawsAndCopies)
{
    CClientDC screen(NULL);
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&screen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 40, 20));
    CBitmap* pOldBitmap = mem.SelectObject(&bitmap);
    ASSERT_NE(nullptr, pOldBitmap);

    CBrush white(RGB(255, 255, 255));
    mem.FillRect(CRect(0, 0, 40, 20), &white);
    mem.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), mem.GetPixel(5, 5));
    EXPECT_EQ(RGB(255, 255, 255), mem.GetPixel(15, 5));
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    CPen* pOldPen = mem.SelectObject(&blue);
    mem.MoveTo(0, 15);
    mem.LineTo(40, 15);
    EXPECT_EQ(CPoint(40, 15), mem.MoveTo(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), mem.GetPixel(39, 15));
    mem.SelectObject(pOldPen);

    CFont font;
    font.CreatePointFont(100, "Arial");
    CFont* pOldFont = mem.SelectObject(&font);
    EXPECT_EQ((HFONT)font, (HFONT)*mem.GetCurrentFont());
    CRect calc(0, 0, 0, 0);
    mem.DrawText(CString("Make a Copy"), &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(mem.GetTextExtent(CString("Make a Copy")).cx, calc.Width());
    mem.SelectObject(pOldFont);

    CDC copy;
    ASSERT_TRUE(copy.CreateCompatibleDC(&screen));
    CBitmap target;
    target.CreateCompatibleBitmap(&screen, 40, 20);
    CBitmap* pOldTarget = copy.SelectObject(&target);
    EXPECT_TRUE(copy.BitBlt(0, 0, 40, 20, &mem, 0, 0, SRCCOPY));
    EXPECT_EQ(RGB(255, 0, 0), copy.GetPixel(2, 2));
    copy.SelectObject(pOldTarget);
    mem.SelectObject(pOldBitmap);
}

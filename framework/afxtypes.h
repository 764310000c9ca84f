// Point and rectangle records over the Win32 ones.
#pragma once
#include <windows.h>

class CPoint : public tagPOINT
{
public:
    CPoint() { x = y = 0; }
    CPoint(int initX, int initY)
    {
        x = initX;
        y = initY;
    }
};

class CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(const RECT& src) : tagRECT(src) {}

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
};

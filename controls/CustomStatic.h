// A static text drawn in a chosen colour with the shared control font, aligned left,
// centred or right, on a transparent background.
#pragma once

#include "controls/DrawToolkit.h"
#include "framework/afxwin.h"

class CCustomStatic : public CStatic
{
public:
    enum Alignment { ALIGN_LEFT = 0, ALIGN_CENTER = 1, ALIGN_RIGHT = 2 };

    CCustomStatic();
    void GetRectInParent(RECT& rect) const { ::GetRectInParent(*this, rect); }

    // Written directly by the owner.
    COLORREF m_clrText;
    int m_nIndent;
    int m_nAlignment;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CFont m_font;
};

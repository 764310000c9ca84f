#include "controls/CustomStatic.h"

BEGIN_MESSAGE_MAP(CCustomStatic, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

CCustomStatic::CCustomStatic() : m_clrText(::GetSysColor(COLOR_CAPTIONTEXT)), m_nIndent(0), m_nAlignment(ALIGN_LEFT)
{
    CreateControlFont(m_font, NULL);
}

void CCustomStatic::OnPaint()
{
    CPaintDC dc(this);
    dc.SetTextColor(m_clrText);
    CString cstrText;
    GetWindowText(cstrText);
    CFont* pOldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    RECT rc;
    GetClientRect(&rc);
    UINT nFormat = DT_VCENTER | DT_SINGLELINE;
    if (m_nAlignment == ALIGN_CENTER) {
        nFormat |= DT_CENTER;
    } else if (m_nAlignment == ALIGN_LEFT) {
        rc.left += m_nIndent;
        nFormat |= DT_LEFT;
    } else {
        rc.right -= m_nIndent;
        nFormat |= DT_RIGHT;
    }
    dc.DrawText(cstrText, &rc, nFormat);
    dc.SelectObject(pOldFont);
}

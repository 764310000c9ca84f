#include "controls/CustomGroupBox.h"

#include <string.h>

BEGIN_MESSAGE_MAP(CCustomGroupBox, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

static const char* const kSideNames[] = {"TOP", "LEFT", "RIGHT", "BOTTOM"};

void CCustomGroupBox::AddEdge(int nSide)
{
    if (nSide >= SIDE_TOP && nSide <= SIDE_BOTTOM)
        m_sides.Add(kSideNames[nSide]);
}

void CCustomGroupBox::AddLine(int x1, int y1, int x2, int y2)
{
    POINT from = {x1, y1}, to = {x2, y2};
    ScreenToClient(&from);
    ScreenToClient(&to);
    CustomEdge edge = {from.x, from.y, to.x, to.y};
    m_edges.AddTail(edge);
}

void CCustomGroupBox::GetScreenRect(RECT& rect) const
{
    GetClientRect(&rect);
    ClientToScreen(&rect);
}

void CCustomGroupBox::OnPaint()
{
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    dc.SetLayout(0);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    CPen* pOldPen = dc.SelectObject(&pen);
    struct SideLine
    {
        const char* pszName;
        LONG x1, y1, x2, y2;
    };
    const SideLine lines[] = {
        {"TOP", rc.left, rc.top, rc.right, rc.top},
        {"BOTTOM", rc.left, rc.bottom, rc.right, rc.bottom},
        {"RIGHT", rc.right, rc.top, rc.right, rc.bottom},
        {"LEFT", rc.left, rc.top, rc.left, rc.bottom},
    };
    for (INT_PTR i = 0; i < m_sides.GetSize(); ++i)
        for (const SideLine& line : lines)
            if (strcmp(m_sides[i], line.pszName) == 0) {
                dc.MoveTo(line.x1, line.y1);
                dc.LineTo(line.x2, line.y2);
            }
    for (POSITION pos = m_edges.GetHeadPosition(); pos;) {
        const CustomEdge& edge = m_edges.GetNext(pos);
        dc.MoveTo(edge.x1, edge.y1);
        dc.LineTo(edge.x2, edge.y2);
    }
    dc.SelectObject(pOldPen);
}

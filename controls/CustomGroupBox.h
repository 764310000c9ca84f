// A group box drawn as thin blue lines: whole sides chosen by name and free segments,
// so the top side can stop on both sides of a caption.
#pragma once

#include "controls/CustomEdge.h"
#include "framework/afxwin.h"

class CCustomGroupBox : public CWnd
{
public:
    enum Side { SIDE_TOP = 0, SIDE_LEFT = 1, SIDE_RIGHT = 2, SIDE_BOTTOM = 3 };

    CCustomGroupBox() : m_edges(10) {}

    void AddEdge(int nSide);
    // Two points in screen coordinates.
    void AddLine(int x1, int y1, int x2, int y2);
    void GetScreenRect(RECT& rect) const;

    const CStringArray& Sides() const { return m_sides; }
    const CList<CustomEdge, CustomEdge&>& Segments() const { return m_edges; }

protected:
    void PreSubclassWindow() override { CWnd::PreSubclassWindow(); }
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CStringArray m_sides;
    CList<CustomEdge, CustomEdge&> m_edges;
};

#include "framework/afximpl.h"

static BOOL IsLiveObject(HANDLE h) { return ::GetObjectType(h) != 0; }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return AfxTempFromHandle<CGdiObject, HGDIOBJ>(
        hObject, [](HGDIOBJ h) { return IsLiveObject(h); }, [](CGdiObject* p, HGDIOBJ h) { p->m_hObject = h; });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = NULL;
    return hObject && ::DeleteObject(hObject);
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return AfxTempFromHandle<CDC, HDC>(
        hDC, [](HDC h) { return IsLiveObject(h); }, [](CDC* p, HDC h) { p->m_hDC = h; });
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (!pObject || !m_hDC)
        return NULL;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject));
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : NULL) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, m_hDC); }

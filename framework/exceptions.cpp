#include "framework/afxwin.h"

#include <stdio.h>

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), nullptr, nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

CObject* CRuntimeClass::CreateObject() const
{
    if (!m_pfnCreateObject)
        return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (...) {
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

static BOOL CopyErrorText(LPCSTR text, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || !nMaxError)
        return FALSE;
    lstrcpynA(lpszError, text, (int)nMaxError);
    return TRUE;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (lpszError && nMaxError)
        *lpszError = 0;
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyErrorText("Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL COleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    char szSystem[400] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, (DWORD)m_sc, 0,
                             szSystem, sizeof szSystem, nullptr);
    while (n && (szSystem[n - 1] == '\r' || szSystem[n - 1] == '\n' || szSystem[n - 1] == ' '))
        szSystem[--n] = 0;
    char szText[512];
    if (n)
        snprintf(szText, sizeof szText, "%s", szSystem);
    else
        snprintf(szText, sizeof szText, "OLE error 0x%08lX.", (unsigned long)m_sc);
    return CopyErrorText(szText, lpszError, nMaxError, pnHelpContext);
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (const COleException* p = dynamic_cast<const COleException*>(pAnyException))
        return p->m_sc;
    if (dynamic_cast<const CMemoryException*>(pAnyException))
        return E_OUTOFMEMORY;
    return E_UNEXPECTED;
}

void AFXAPI AfxThrowMemoryException() { throw new CMemoryException; }

void AFXAPI AfxThrowOleException(SCODE sc) { throw new COleException(sc); }
